// Text that comes from a file, a setting, a path or the command line is shown
// as written, never read as markup: Qt takes text that looks like HTML for
// rich text, and a tag in a stranger's recording or skin would then be
// obeyed (an image tag opens whatever file it names, a named pipe included).
#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

namespace hero {

// A message box whose text is plain; the caller shows or runs it.
QMessageBox* make_plain_message_box(QMessageBox::Icon icon, const QString& title, const QString& text,
                                    QWidget* parent = nullptr);

// Shows a modal error box with plain text and waits for OK.
void show_plain_error_box(const QString& title, const QString& text);

// A tooltip that shows `text` as written, wrapped where it is long.
QString plain_tooltip(const QString& text);

}  // namespace hero
