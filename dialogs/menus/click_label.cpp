#include "dialogs/menus/click_label.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace hero {
namespace {

class ClickLabelAccessible final : public QAccessibleWidget {
 public:
  explicit ClickLabelAccessible(ClickLabel* label)
      : QAccessibleWidget(label, QAccessible::Button), label_(label) {}
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && label_->accessibleName().isEmpty()) return label_->text();
    return QAccessibleWidget::text(t);
  }
  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& action) override {
    if (action == pressAction()) label_->click();
  }

 private:
  ClickLabel* label_;
};

QAccessibleInterface* click_label_accessible(const QString&, QObject* object) {
  if (auto* label = qobject_cast<ClickLabel*>(object)) return new ClickLabelAccessible(label);
  return nullptr;
}

void install_accessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(click_label_accessible);
    return true;
  }();
  (void)installed;
}

}  // namespace

ClickLabel::ClickLabel(QWidget* parent) : QLabel(parent) {
  install_accessibility();
  setFocusPolicy(Qt::TabFocus);
}

ClickLabel::ClickLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  install_accessibility();
  setFocusPolicy(Qt::TabFocus);
}

void ClickLabel::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier && !event->isAutoRepeat()) {
    event->accept();
    emit clicked();
    return;
  }
  QLabel::keyPressEvent(event);
}

void ClickLabel::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  if (!hasFocus()) return;
  QPainter painter(this);
  QStyleOptionFocusRect frame;
  frame.initFrom(this);
  frame.rect = rect().adjusted(1, 1, -1, -1);
  style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, this);
}

}  // namespace hero
