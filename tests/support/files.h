// A whole file read as bytes, for tests that look at what a program wrote.
// A file that is missing or cannot be read reads as empty.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace hero::test {

inline std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace hero::test
