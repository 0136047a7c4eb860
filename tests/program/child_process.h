// The built program started as a player starts it: its own process, a
// working folder of the test's choosing and an environment with some
// variables changed or removed. Its error output lands in a file the test
// reads; it is killed when the test lets go of it.
#pragma once

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <sys/types.h>
#include <time.h>

namespace hero::test {

struct ChildSetup {
  std::filesystem::path program;
  std::vector<std::string> arguments;
  std::filesystem::path working_folder = "/";
  // Variables to set; a value of nothing removes the variable.
  std::map<std::string, std::optional<std::string>> environment;
  std::filesystem::path error_output;  // where its stderr goes
};

class ChildProcess {
 public:
  explicit ChildProcess(const ChildSetup& setup);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool started() const { return pid_ > 0; }
  pid_t pid() const { return pid_; }
  // Still running (not yet reaped).
  bool running();
  // Waits until it ends by itself; false when the time runs out first.
  bool wait_for_exit(std::chrono::milliseconds limit);
  // After it ended: its exit status, or nothing if a signal ended it.
  std::optional<int> exit_status() const { return exit_status_; }
  std::optional<int> end_signal() const { return end_signal_; }
  // Ends it with SIGKILL (if it still runs) and reaps it.
  void kill_now();
  std::string error_text() const;

 private:
  void record(int status);

  pid_t pid_ = -1;
  bool reaped_ = false;
  std::optional<int> exit_status_;
  std::optional<int> end_signal_;
  std::filesystem::path error_output_;
};

// Polls `condition` every 50 ms until it holds or `limit` passes.
template <typename Condition>
bool eventually(std::chrono::milliseconds limit, Condition condition) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (true) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    struct timespec pause {
      0, 50'000'000
    };
    nanosleep(&pause, nullptr);
  }
}

}  // namespace hero::test
