#include "display/files/path_resolver.h"

#include <string>
#include <system_error>
#include <vector>

namespace hero {
namespace {

namespace fs = std::filesystem;

bool same_ignoring_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

bool exists_no_throw(const fs::path& p) {
  std::error_code ec;
  return fs::exists(p, ec);
}

// The entry of `folder` whose name equals `component` without regard to
// case; the alphabetically first one when several do, so the choice is the
// same on every run.
bool find_ignoring_case(const fs::path& folder, std::string_view component, fs::path& found) {
  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  if (ec) return false;
  bool any = false;
  std::string best;
  for (const fs::directory_iterator end; it != end; it.increment(ec)) {
    if (ec) break;
    const std::string name = it->path().filename().string();
    if (same_ignoring_case(name, component) && (!any || name < best)) {
      best = name;
      any = true;
    }
  }
  if (any) found = folder / best;
  return any;
}

}  // namespace

PathResolver::PathResolver(fs::path base) : base_(std::move(base)) {}

fs::path PathResolver::resolve(std::string_view name) const {
  std::error_code ec;
  fs::path start;
  if (!name.empty() && (name.front() == '/' || name.front() == '\\')) {
    start = "/";
  } else if (!base_.empty()) {
    start = base_;
  } else {
    start = fs::current_path(ec);
    if (ec) start = ".";
  }

  std::vector<std::string_view> parts;
  std::size_t pos = 0;
  while (pos <= name.size()) {
    std::size_t end = name.find_first_of("\\/", pos);
    if (end == std::string_view::npos) end = name.size();
    const std::string_view part = name.substr(pos, end - pos);
    // Windows folds ".." away by name before it looks anything up.
    if (part == "..") {
      if (!parts.empty() && parts.back() != "..") parts.pop_back();
      else parts.push_back(part);
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    pos = end + 1;
  }

  fs::path current = start;
  bool matching = true;  // false once a component is found nowhere: the rest is kept as written
  for (const std::string_view part : parts) {
    if (part == "..") {
      current /= "..";
      continue;
    }
    fs::path candidate = current / fs::path(std::string(part));
    if (matching && !exists_no_throw(candidate)) {
      fs::path found;
      if (find_ignoring_case(current, part, found)) {
        candidate = found;
      } else {
        matching = false;
      }
    }
    current = candidate;
  }
  return current;
}

bool PathResolver::file_exists(std::string_view name) const {
  std::error_code ec;
  const fs::path p = resolve(name);
  return fs::exists(p, ec) && !fs::is_directory(p, ec);
}

fs::path resolve_path(std::string_view name) { return PathResolver().resolve(name); }

bool file_exists(std::string_view name) { return PathResolver().file_exists(name); }

}  // namespace hero
