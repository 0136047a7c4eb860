// One QApplication for every test of the binary, on the offscreen platform.
#pragma once

#include <QApplication>

namespace hero::test {

inline QApplication& qt_app() {
  static int argc = 1;
  static char name[] = "hero_dialogs_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    return new QApplication(argc, argv);
  }();
  return *app;
}

}  // namespace hero::test
