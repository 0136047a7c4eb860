#include "dialogs/menus/click_label.h"

#include <QAccessible>
#include <QAccessibleWidget>

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

ClickLabel::ClickLabel(QWidget* parent) : QLabel(parent) { install_accessibility(); }

ClickLabel::ClickLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  install_accessibility();
}

}  // namespace hero
