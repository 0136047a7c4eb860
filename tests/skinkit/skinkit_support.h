// What the skin kit's tests share: the installation and source folders the
// build made, an application for the pictures, whole files as text.
#pragma once

#include <cstdlib>
#include <filesystem>

#include "tests/support/files.h"
#include "tests/support/qt_app.h"

namespace hero::test {

inline std::filesystem::path install_dir() {
  const char* env = std::getenv("HERO_INSTALL_DIR");
  return env ? std::filesystem::path(env) : std::filesystem::path(HERO_TEST_INSTALL_DIR);
}

}  // namespace hero::test
