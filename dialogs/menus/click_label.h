// A label that reports a click the way the handheld's dialogs expect it: a
// left-button press and release on the label itself.
#pragma once

#include <QLabel>
#include <QMouseEvent>

namespace hero {

class ClickLabel : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) pressed_ = true;
    event->accept();
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton) return;
    const bool was_pressed = pressed_;
    pressed_ = false;
    if (was_pressed && rect().contains(event->position().toPoint())) emit clicked();
  }

 private:
  bool pressed_ = false;
};

}  // namespace hero
