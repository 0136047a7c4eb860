// hero-skin check: a skin folder (or an installation's catalogue) loaded as
// the handheld loads it, with every problem an author should hear about.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace hero::skinkit {

enum class Level { warning, error };

struct Finding {
  std::string file;  // as shown to the author
  int line = 0;      // 1-based; 0 when the problem has no line
  Level level = Level::warning;
  std::string message;
};

// GCC's form, so editors jump to the place: "FILE:LINE: error: message".
std::string format_finding(const Finding& f);

// Every finding for `dir`, a skin folder or a folder with a catalogue.
std::vector<Finding> check_folder(const std::filesystem::path& dir);

// Only the skin folder `dir`.
std::vector<Finding> check_skin(const std::filesystem::path& dir);

}  // namespace hero::skinkit
