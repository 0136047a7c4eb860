// File names as the handheld's INI files write them ("Graphics\Skin1\Back.png")
// turned into paths on this system.
#pragma once

#include <filesystem>
#include <string_view>

namespace hero {

// Resolves names against a base folder. Both "\" and "/" separate folders;
// empty components and "." are skipped, ".." goes up one folder. A name that
// does not exist as written is matched component by component without regard
// to case, as Windows would, so a skin written on Windows with "back.png" in
// its Config.ini finds "BACK.PNG" on disk.
class PathResolver {
 public:
  // An empty base means the process's current folder at the time of each call.
  explicit PathResolver(std::filesystem::path base = {});

  // The path on disk: the existing match when there is one, otherwise the
  // name as written (joined to the base) so that callers can report it.
  std::filesystem::path resolve(std::string_view name) const;
  // True when the name is an existing file (not a folder), as the platform's
  // file-existence test answers.
  bool file_exists(std::string_view name) const;

  const std::filesystem::path& base() const { return base_; }

 private:
  std::filesystem::path base_;
};

// The same, against the current folder.
std::filesystem::path resolve_path(std::string_view name);
bool file_exists(std::string_view name);

}  // namespace hero
