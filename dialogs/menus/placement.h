// Where the program's own windows appear on the screen.
#pragma once

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace hero {

inline QSize screen_size() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().size() : QSize(1920, 1080);
}

// The window's frame is centred; a window larger than the screen keeps its
// top-left corner on the screen.
inline void centre_on_screen(QWidget* window) {
  const QSize screen = screen_size();
  const QSize frame = window->frameGeometry().size().expandedTo(window->size());
  window->move(std::max(0, (screen.width() - frame.width()) / 2),
               std::max(0, (screen.height() - frame.height()) / 2));
}

}  // namespace hero
