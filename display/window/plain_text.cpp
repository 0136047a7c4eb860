#include "display/window/plain_text.h"

#include <QTextDocument>

namespace hero {

QMessageBox* make_plain_message_box(QMessageBox::Icon icon, const QString& title, const QString& text,
                                    QWidget* parent) {
  auto* box = new QMessageBox(icon, title, QString(), QMessageBox::Ok, parent);
  box->setTextFormat(Qt::PlainText);
  box->setText(text);
  return box;
}

void show_plain_error_box(const QString& title, const QString& text) {
  QMessageBox box(QMessageBox::Critical, title, QString(), QMessageBox::Ok);
  box.setTextFormat(Qt::PlainText);
  box.setText(text);
  box.exec();
}

QString plain_tooltip(const QString& text) { return Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal); }

}  // namespace hero
