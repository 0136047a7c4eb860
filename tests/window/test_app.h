// One application object for the whole test program, as the real program has.
#pragma once

#include "startup/application/application.h"

namespace hero {

inline HeroApplication& test_app() {
  static int argc = 1;
  static char name[] = "hero_window_tests";
  static char* argv[] = {name, nullptr};
  static HeroApplication* app = new HeroApplication(argc, argv);
  return *app;
}

}  // namespace hero
