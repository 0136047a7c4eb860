// The application title: what the task bar and the error boxes call the
// program. The main window's creation sets it. It is kept apart from Qt's
// application display name, which Qt would add to every window's caption
// ("About — ..."), where each window's caption must read as its own.
#pragma once

#include <QString>

namespace hero {

inline QString& application_title_text() {
  static QString title;
  return title;
}

inline const QString& application_title() { return application_title_text(); }
inline void set_application_title(const QString& title) { application_title_text() = title; }

}  // namespace hero
