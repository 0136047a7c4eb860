// The desktop shell's "open": web pages, mail addresses and local documents
// go to whatever the desktop associates with them. The result is ignored:
// a missing browser or document reports nothing.
#pragma once

#include <functional>

#include <QString>
#include <QUrl>

namespace hero {

void shell_open(const QUrl& target);
// A bare file name resolves against the current folder, which is the
// program folder when the handheld is started from there.
void shell_open_file(const QString& file_name);

// Tests route the shell to a recorder instead of the desktop; an empty
// function restores the desktop.
void set_shell_opener(std::function<void(const QUrl&)> opener);

}  // namespace hero
