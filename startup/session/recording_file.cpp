#include "startup/session/recording_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <streambuf>

#include "display/files/printable.h"

namespace hero {
namespace {

// An output buffer over a file descriptor of our own making.
class FileDescriptorBuffer final : public std::streambuf {
 public:
  explicit FileDescriptorBuffer(int fd) : fd_(fd) { setp(buffer_, buffer_ + sizeof buffer_); }
  ~FileDescriptorBuffer() override {
    sync();
    ::close(fd_);
  }
  FileDescriptorBuffer(const FileDescriptorBuffer&) = delete;
  FileDescriptorBuffer& operator=(const FileDescriptorBuffer&) = delete;

 protected:
  int overflow(int c) override {
    if (!drain()) return traits_type::eof();
    if (c != traits_type::eof()) {
      *pptr() = static_cast<char>(c);
      pbump(1);
    }
    return traits_type::not_eof(c);
  }
  int sync() override { return drain() ? 0 : -1; }

 private:
  bool drain() {
    const char* at = pbase();
    while (at < pptr()) {
      const ssize_t n = ::write(fd_, at, static_cast<std::size_t>(pptr() - at));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      at += n;
    }
    setp(buffer_, buffer_ + sizeof buffer_);
    return true;
  }

  int fd_;
  char buffer_[4096];
};

class RecordingStream final : public std::ostream {
 public:
  explicit RecordingStream(int fd) : std::ostream(nullptr), buffer_(fd) { rdbuf(&buffer_); }

 private:
  FileDescriptorBuffer buffer_;
};

std::string shown(const std::string& path) { return printable(path, 4 * kEchoedTokenChars); }

// Why an existing name cannot take a new recording, in the player's words.
std::string why_taken(const std::string& path) {
  struct stat there {};
  if (::lstat(path.c_str(), &there) != 0)
    return "cannot make the recording " + shown(path) + ": it appeared while it was being made";
  if (S_ISLNK(there.st_mode))
    return shown(path) + " is a symbolic link; a recording is never written through one: give another name";
  if (S_ISDIR(there.st_mode))
    return shown(path) + " is a folder; give the name of a new file for the recording";
  if (!S_ISREG(there.st_mode))
    return shown(path) +
           " is a device, pipe or socket, not a file; give the name of a new file for the recording";
  return "the recording " + shown(path) + " already exists; give another name, or remove it first";
}

}  // namespace

std::optional<Recording> open_recording(const std::string& path, std::string& error) {
  std::ifstream in;
  if (!open_script_file(path, in, error)) return std::nullopt;
  return read_recording(in, path, error);
}

std::unique_ptr<std::ostream> create_recording(const std::string& path, std::string& error) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (fd < 0) {
    error = errno == EEXIST || errno == ELOOP
                ? why_taken(path)
                : "cannot write the recording " + shown(path) + ": " + std::strerror(errno);
    return nullptr;
  }
  return std::make_unique<RecordingStream>(fd);
}

}  // namespace hero
