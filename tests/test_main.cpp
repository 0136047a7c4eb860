// The main of every test binary: gives each run the quiet, private
// environment the tests expect (no display, no sound device, settings and
// data in the build tree) unless the caller chose otherwise, then runs the tests.
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  setenv("XDG_CONFIG_HOME", HERO_TEST_CONFIG_HOME, 0);
  setenv("XDG_DATA_HOME", HERO_TEST_DATA_HOME, 0);
  setenv("HERO_SOURCE_DIR", HERO_TEST_SOURCE_DIR, 0);
  setenv("HERO_INSTALL_DIR", HERO_TEST_INSTALL_DIR, 0);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
