// The desktop shell's "open": web pages, mail addresses and local documents
// go to whatever the desktop associates with them. A web page or mail
// address that no program takes reports nothing; a local document that no
// program takes is shown in the handheld's own text window instead.
#pragma once

#include <functional>

#include <QString>
#include <QUrl>

namespace hero {

void shell_open(const QUrl& target);
// A bare file name resolves against the current folder, which is the
// program folder (the program works there from the start). The desktop's
// program for the file is tried first; when there is none, or it reports a
// failure, the file opens in a DocumentWindow.
void shell_open_file(const QString& file_name);

// Tests route the shell to a recorder instead of the desktop; an empty
// function restores the desktop. A recorder never fails.
void set_shell_opener(std::function<void(const QUrl&)> opener);

}  // namespace hero
