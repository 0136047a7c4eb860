#include "dialogs/keys/keys.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QPushButton>

namespace hero {

namespace {

// The dialog's layout: each row gives a label and its box; the right column
// has no row at the height of Time, so Pause lines up with ACL.
struct KeyRowLayout {
  const char* caption;
  QRect label;
  QRect box;
  bool right_aligned;
};

// clang-format off
const std::array<KeyRowLayout, kKeyActionCount> kRows{{
    {QT_TRANSLATE_NOOP("hero::TKeysForm", "Game A"), {136, 33, 72, 14}, {8, 29, 120, 21}, false},
    {QT_TRANSLATE_NOOP("hero::TKeysForm", "Game B"), {136, 65, 72, 14}, {8, 61, 120, 21}, false},
    {QT_TRANSLATE_NOOP("hero::TKeysForm", "Time"), {136, 97, 72, 14}, {8, 93, 120, 21}, false},
    {QT_TRANSLATE_NOOP("hero::TKeysForm", "ACL"), {136, 129, 72, 14}, {8, 125, 120, 21}, false},
    {QT_TRANSLATE_NOOP("hero::TKeysForm", "Left"), {240, 33, 72, 14}, {320, 29, 120, 21}, true},
    {QT_TRANSLATE_NOOP("hero::TKeysForm", "Right"), {240, 65, 72, 14}, {320, 61, 120, 21}, true},
    {QT_TRANSLATE_NOOP("hero::TKeysForm", "Pause"), {240, 129, 72, 14}, {320, 125, 120, 21}, true},
}};
// clang-format on

const QColor kBackground(8, 41, 82);
const QString kWhiteLabel = QStringLiteral("color: rgb(255, 255, 255); background: transparent;");
const QString kRedLabel = QStringLiteral("color: rgb(255, 0, 0); background: transparent;");

QFont pixel_font(const QString& family, int pixel_size, bool bold) {
  QFont font(family);
  font.setPixelSize(pixel_size);
  font.setBold(bold);
  return font;
}

QLabel* heading(QWidget* parent, const char* name, const QString& text, QRect where, Qt::Alignment align) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  QFont font = pixel_font(QStringLiteral("MS Sans Serif"), 11, true);
  font.setUnderline(true);
  label->setFont(font);
  label->setStyleSheet(kWhiteLabel);
  label->setAlignment(align | Qt::AlignVCenter);
  label->setGeometry(where);
  return label;
}

}  // namespace

QString control_caption(int action) {
  return TKeysForm::tr(kRows[static_cast<std::size_t>(action - 1)].caption);
}

TKeysForm::TKeysForm(KeyBindings& bindings, SettingsStore& store, QWidget* main_window, QWidget* parent)
    : ModalForm(
          main_window, parent,
          Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      bindings_(bindings),
      store_(store) {
  setWindowTitle(tr("Key settings"));
  setFixedSize(448, 195);
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, kBackground);
  setPalette(palette);

  heading(this, "la_main", tr("Main operations"), {8, 8, 104, 13}, Qt::AlignLeft);
  heading(this, "la_controls", tr("Game controls"), {336, 8, 104, 13}, Qt::AlignRight);

  QStringList captions;
  for (int c = 1; c <= kKeyChoiceCount; ++c) captions << tr(std::string(key_choice(c)->caption).c_str());

  for (int n = 1; n <= kKeyActionCount; ++n) {
    const KeyRowLayout& row = kRows[static_cast<std::size_t>(n - 1)];
    auto* label = new QLabel(control_caption(n), this);
    label->setObjectName(QStringLiteral("la_%1").arg(n));
    label->setFont(pixel_font(QStringLiteral("Arial"), 11, true));
    label->setStyleSheet(kWhiteLabel);
    label->setAlignment((row.right_aligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    label->setGeometry(row.label);
    auto* box = new QComboBox(this);
    box->setObjectName(QStringLiteral("cb_%1").arg(n));
    box->setEditable(false);
    // A list cell 13 pixels high holds an 11-pixel character.
    box->setFont(pixel_font(QStringLiteral("Arial"), 11, false));
    box->addItems(captions);
    box->setGeometry(row.box);
    box->setToolTip(tr(kCtrlShortcutsHint));
    // A screen reader names the list by its control, as the label beside it.
    box->setAccessibleName(control_caption(n));
    // The stored choice, or no selection for one the list does not have.
    box->setCurrentIndex(bindings_.binding(n).choice - 1 < kKeyChoiceCount ? bindings_.binding(n).choice - 1
                                                                           : -1);
    labels_[static_cast<std::size_t>(n - 1)] = label;
    boxes_[static_cast<std::size_t>(n - 1)] = box;
  }

  btn_accept_ = new QPushButton(tr("- ACCEPT -"), this);
  btn_accept_->setObjectName(QStringLiteral("btn_accept"));
  btn_accept_->setFont(pixel_font(QStringLiteral("MS Sans Serif"), 11, true));
  btn_accept_->setCursor(Qt::PointingHandCursor);
  btn_accept_->setGeometry(183, 162, 82, 25);
  btn_accept_->setAutoDefault(false);
  connect(btn_accept_, &QPushButton::clicked, this, [this] { btn_acceptClick(); });

  QWidget* previous = boxes_[0];
  for (int i = 1; i < kKeyActionCount; ++i) {
    setTabOrder(previous, boxes_[static_cast<std::size_t>(i)]);
    previous = boxes_[static_cast<std::size_t>(i)];
  }
  setTabOrder(previous, btn_accept_);

  for (QComboBox* b : boxes_) connect(b, &QComboBox::currentIndexChanged, this, [this] { cb_change(); });
  watch_keys();
  // Duplicates already in the stored bindings show at once.
  cb_change();
}

bool TKeysForm::CheckKeys() {
  for (QLabel* l : labels_) l->setStyleSheet(kWhiteLabel);
  bool duplicate = false;
  for (int j = 0; j < kKeyActionCount; ++j) {
    for (int k = 0; k < kKeyActionCount; ++k) {
      if (j == k) continue;
      if (boxes_[static_cast<std::size_t>(j)]->currentText() ==
          boxes_[static_cast<std::size_t>(k)]->currentText()) {
        labels_[static_cast<std::size_t>(j)]->setStyleSheet(kRedLabel);
        labels_[static_cast<std::size_t>(k)]->setStyleSheet(kRedLabel);
        duplicate = true;
      }
    }
  }
  return duplicate;
}

void TKeysForm::cb_change() { btn_accept_->setEnabled(!CheckKeys()); }

void TKeysForm::btn_acceptClick() {
  for (int n = 1; n <= kKeyActionCount; ++n) bindings_.accept(store_, n, box(n)->currentIndex() + 1);
  // A choice the list could not show was replaced by its default: show that.
  for (int n = 1; n <= kKeyActionCount; ++n) box(n)->setCurrentIndex(bindings_.binding(n).choice - 1);
  emit bindings_accepted();
  close_form();
}

void TKeysForm::cancel() { close_form(); }

void TKeysForm::show_centred() { open_centred(boxes_[0]); }

bool TKeysForm::enter_pressed() {
  if (btn_accept_->isEnabled()) btn_acceptClick();
  return true;
}

bool TKeysForm::escape_pressed() {
  cancel();
  return true;
}

bool TKeysForm::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) boxes_[0]->setFocus(Qt::ActiveWindowFocusReason);
  return ModalForm::event(event);
}

}  // namespace hero
