// One application object for every test of a binary. It runs on the
// offscreen platform unless QT_QPA_PLATFORM names another (the tests that
// need a real X server set it). Fonts, image plugins, key events and widgets
// all need it; the first call makes it and it lives until the binary ends.
#pragma once

#include <QApplication>

namespace hero::test {

inline QApplication& qt_app() {
  static int argc = 1;
  static char name[] = "hero_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QApplication(argc, argv);
  }();
  return *app;
}

}  // namespace hero::test
