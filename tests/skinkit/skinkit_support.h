// What the skin kit's tests share: the installation and source folders the
// build made, an application for the pictures, whole files as text.
#pragma once

#include <QApplication>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace hero::test {

inline std::filesystem::path install_dir() {
  const char* env = std::getenv("HERO_INSTALL_DIR");
  return env ? std::filesystem::path(env) : std::filesystem::path(HERO_TEST_INSTALL_DIR);
}

inline void ensure_app() {
  static int argc = 1;
  static char name[] = "skinkit";
  static char* argv[] = {name, nullptr};
  if (!QCoreApplication::instance()) new QApplication(argc, argv);
}

inline std::string read_all(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace hero::test
