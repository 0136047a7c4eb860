// A label that reports a click the way the handheld's dialogs expect it: a
// left-button press and release on the label itself. To a screen reader it
// is a push button (its name the label's text, or the name given to a
// pictured one) whose press action is the click. Tab reaches it, a dotted
// frame shows it has the keyboard, and Space clicks it, as a button.
#pragma once

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

namespace hero {

class ClickLabel : public QLabel {
  Q_OBJECT
 public:
  explicit ClickLabel(QWidget* parent = nullptr);
  explicit ClickLabel(const QString& text, QWidget* parent = nullptr);

  // The click, as a screen reader's press action makes it.
  void click() { emit clicked(); }

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) pressed_ = true;
    event->accept();
  }
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
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
