#include "dialogs/keys/modal_form.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

#include "dialogs/keys/key_codes.h"

namespace hero {

ModalForm::ModalForm(QWidget* main_window, QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), main_window_(main_window) {}

void ModalForm::open_centred(QWidget* first) {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
  }
  show();
  raise();
  activateWindow();
  if (first) first->setFocus(Qt::ActiveWindowFocusReason);
  if (main_window_) main_window_->setEnabled(false);
}

void ModalForm::close_form() {
  if (main_window_) main_window_->setEnabled(true);
  hide();
}

void ModalForm::watch_keys() {
  for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
}

bool ModalForm::handle_key(QKeyEvent* event) {
  const auto code = virtual_key_of(*event);
  if (code == vk_return) return enter_pressed();
  if (code == vk_escape) return escape_pressed();
  return false;
}

bool ModalForm::eventFilter(QObject* watched, QEvent* event) {
  // Only keys meant for this window: an open drop-down list is a window of
  // its own and keeps its keys.
  if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
      static_cast<QWidget*>(watched)->window() == this && handle_key(static_cast<QKeyEvent*>(event)))
    return true;
  return QWidget::eventFilter(watched, event);
}

void ModalForm::keyPressEvent(QKeyEvent* event) {
  if (!handle_key(event)) QWidget::keyPressEvent(event);
}

void ModalForm::closeEvent(QCloseEvent* event) {
  // Only a close that really ends the form puts things back: a hidden form
  // is closed once more when the program ends.
  if (isVisible()) put_back();
  if (main_window_) main_window_->setEnabled(true);
  QWidget::closeEvent(event);
}

}  // namespace hero
