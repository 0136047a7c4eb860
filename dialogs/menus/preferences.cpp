#include "dialogs/menus/preferences.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QStringList>
#include <QVBoxLayout>

#include "dialogs/keys/key_codes.h"
#include "display/skins/scene.h"
#include "display/skins/zoom.h"
#include "engine/settings_values.h"

namespace hero {

namespace {

// The seven controls in binding order, named as on the key settings dialog.
constexpr std::array<const char*, kKeyActionCount> kControlCaptions = {"Game A", "Game B", "Time", "ACL",
                                                                       "Left",   "Right",  "Pause"};

QString percent_text(int percent) { return QStringLiteral("%1 %").arg(percent); }

QString from_std(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

TPreferencesForm::TPreferencesForm(PreferencesHost& host, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      host_(host),
      main_window_(host.main_window()) {
  setWindowTitle(QStringLiteral("Preferences"));
  setObjectName(QStringLiteral("PreferencesForm"));
  auto* page = new QVBoxLayout(this);

  // ---- Sound
  auto* sound = new QGroupBox(QStringLiteral("Sound"), this);
  auto* sound_grid = new QGridLayout(sound);
  volume_ = new QSlider(Qt::Horizontal, sound);
  volume_->setObjectName(QStringLiteral("sl_volume"));
  volume_->setRange(kMinVolumePercent, kMaxVolumePercent);
  volume_->setPageStep(10);
  volume_value_ = new QLabel(sound);
  volume_value_->setMinimumWidth(volume_value_->fontMetrics().horizontalAdvance(QStringLiteral("100 %")) + 4);
  test_ = new QPushButton(QStringLiteral("Test"), sound);
  test_->setObjectName(QStringLiteral("btn_test_beep"));
  test_->setAutoDefault(false);
  mute_ = new QCheckBox(QStringLiteral("Mute the beeps"), sound);
  mute_->setObjectName(QStringLiteral("cb_mute"));
  sound_note_ = new QLabel(sound);
  sound_note_->setWordWrap(true);
  sound_note_->hide();
  auto* volume_label = new QLabel(QStringLiteral("&Volume"), sound);
  volume_label->setBuddy(volume_);
  sound_grid->addWidget(volume_label, 0, 0);
  sound_grid->addWidget(volume_, 0, 1);
  sound_grid->addWidget(volume_value_, 0, 2);
  sound_grid->addWidget(test_, 0, 3);
  sound_grid->addWidget(mute_, 1, 1, 1, 3);
  sound_grid->addWidget(sound_note_, 2, 0, 1, 4);
  page->addWidget(sound);
  connect(volume_, &QSlider::valueChanged, this, [this] { show_sound_level(); });
  connect(mute_, &QCheckBox::toggled, this, [this] { show_sound_level(); });
  connect(test_, &QPushButton::clicked, this, [this] {
    if (host_.test_beep()) return;
    sound_note_->setText(QStringLiteral("No sound output was chosen at start: the beeps are silent."));
    sound_note_->show();
  });

  // ---- Display
  auto* display = new QGroupBox(QStringLiteral("Display"), this);
  auto* display_grid = new QGridLayout(display);
  ghost_ = new QSlider(Qt::Horizontal, display);
  ghost_->setObjectName(QStringLiteral("sl_ghost"));
  ghost_->setRange(0, Scene::kMaxGhostPercent);
  ghost_->setPageStep(5);
  ghost_value_ = new QLabel(display);
  auto* ghost_label = new QLabel(QStringLiteral("&Unlit segments"), display);
  ghost_label->setBuddy(ghost_);
  zoom_ = new QComboBox(display);
  zoom_->setObjectName(QStringLiteral("cb_zoom"));
  for (int step : kZoomSteps) zoom_->addItem(percent_text(step), step);
  zoom_->addItem(QStringLiteral("Fit to screen"), kZoomFit);
  auto* zoom_label = new QLabel(QStringLiteral("&Zoom"), display);
  zoom_label->setBuddy(zoom_);
  fit_ = new QCheckBox(QStringLiteral("Display game fitted to the screen"), display);
  fit_->setObjectName(QStringLiteral("cb_fullscreen_fit"));
  display_grid->addWidget(ghost_label, 0, 0);
  display_grid->addWidget(ghost_, 0, 1);
  display_grid->addWidget(ghost_value_, 0, 2);
  display_grid->addWidget(zoom_label, 1, 0);
  display_grid->addWidget(zoom_, 1, 1, 1, 2, Qt::AlignLeft);
  display_grid->addWidget(fit_, 2, 1, 1, 2);
  page->addWidget(display);
  connect(ghost_, &QSlider::valueChanged, this, [this](int percent) {
    ghost_value_->setText(percent_text(percent));
    if (!filling_) host_.show_ghost_percent(percent);
  });

  // ---- Gamepad
  auto* gamepad = new QGroupBox(QStringLiteral("Gamepad"), this);
  auto* pad_grid = new QGridLayout(gamepad);
  pads_ = new QLabel(gamepad);
  pads_->setObjectName(QStringLiteral("la_pads"));
  pads_->setWordWrap(true);
  // Pads name themselves: their names are shown as written.
  pads_->setTextFormat(Qt::PlainText);
  pad_grid->addWidget(pads_, 0, 0, 1, 6);
  QStringList buttons;
  for (int b = 0; b < PadBindings::button_count(); ++b) buttons << from_std(PadBindings::button_caption(b));
  for (int i = 0; i < kKeyActionCount; ++i) {
    const auto action = static_cast<KeyAction>(i);
    // Two columns: the main operations on the left, the game controls on
    // the right, as on the key settings dialog.
    const int row = 1 + (i < 4 ? i : i - 4);
    const int column = i < 4 ? 0 : 3;
    auto* box = new QComboBox(gamepad);
    box->setObjectName(QStringLiteral("cb_pad_%1").arg(i + 1));
    box->addItems(buttons);
    auto* label = new QLabel(QString::fromLatin1(kControlCaptions[static_cast<std::size_t>(i)]), gamepad);
    label->setBuddy(box);
    auto* press = new QPushButton(QStringLiteral("Press..."), gamepad);
    press->setObjectName(QStringLiteral("btn_pad_press_%1").arg(i + 1));
    press->setAutoDefault(false);
    press->setToolTip(QStringLiteral("Then press the button on the pad (Esc gives up)"));
    pad_grid->addWidget(label, row, column);
    pad_grid->addWidget(box, row, column + 1);
    pad_grid->addWidget(press, row, column + 2);
    pad_boxes_[static_cast<std::size_t>(i)] = box;
    press_buttons_[static_cast<std::size_t>(i)] = press;
    connect(box, &QComboBox::currentIndexChanged, this, [this, action] { pad_box_changed(action); });
    connect(press, &QPushButton::clicked, this, [this, action] { capture_pad_button(action); });
  }
  auto* stick = new QLabel(QStringLiteral("The left stick also works Left and Right."), gamepad);
  pad_grid->addWidget(stick, 5, 0, 1, 4);
  defaults_ = new QPushButton(QStringLiteral("Restore defaults"), gamepad);
  defaults_->setObjectName(QStringLiteral("btn_pad_defaults"));
  defaults_->setAutoDefault(false);
  pad_grid->addWidget(defaults_, 5, 4, 1, 2, Qt::AlignRight);
  page->addWidget(gamepad);
  connect(defaults_, &QPushButton::clicked, this, [this] { restore_pad_defaults(); });

  // ---- Accept / Cancel
  auto* buttons_row = new QHBoxLayout();
  buttons_row->addStretch(1);
  accept_ = new QPushButton(QStringLiteral("Accept"), this);
  accept_->setObjectName(QStringLiteral("btn_accept"));
  accept_->setAutoDefault(false);
  cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  cancel_->setObjectName(QStringLiteral("btn_cancel"));
  cancel_->setAutoDefault(false);
  buttons_row->addWidget(accept_);
  buttons_row->addWidget(cancel_);
  page->addLayout(buttons_row);
  connect(accept_, &QPushButton::clicked, this, [this] { accept(); });
  connect(cancel_, &QPushButton::clicked, this, [this] { cancel(); });

  // Enter and Esc reach the dialog before any focused control.
  for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);

  if (Gamepad* pad = host_.pad_input()) connect(pad, &Gamepad::pads_changed, this, [this] { show_pads(); });
  setFixedSize(sizeHint());
}

TPreferencesForm::~TPreferencesForm() {
  if (capturing_) stop_capture();
}

void TPreferencesForm::show_centred() {
  filling_ = true;
  opened_level_ = host_.sound_level();
  opened_ghost_ = host_.ghost_percent();
  volume_->setValue(opened_level_.volume_percent);
  mute_->setChecked(opened_level_.muted);
  sound_note_->clear();
  sound_note_->hide();
  ghost_->setValue(opened_ghost_);
  ghost_value_->setText(percent_text(opened_ghost_));
  const int zoom = zoom_->findData(host_.zoom_percent());
  zoom_->setCurrentIndex(zoom >= 0 ? zoom : zoom_->findData(kZoomDefault));
  fit_->setChecked(host_.fullscreen_fit());
  pads_shown_ = host_.pad_bindings();
  filling_ = false;
  show_sound_level();
  show_pad_bindings();
  show_pads();

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
  }
  show();
  raise();
  activateWindow();
  volume_->setFocus(Qt::ActiveWindowFocusReason);
  if (main_window_) main_window_->setEnabled(false);
}

void TPreferencesForm::show_sound_level() {
  volume_value_->setText(percent_text(volume_->value()));
  volume_->setEnabled(!mute_->isChecked());
  if (!filling_) host_.hear_sound_level(SoundLevel{volume_->value(), mute_->isChecked()});
}

void TPreferencesForm::show_pad_bindings() {
  filling_ = true;
  for (int i = 0; i < kKeyActionCount; ++i) {
    const PadButton b = pads_shown_.button(static_cast<KeyAction>(i));
    pad_boxes_[static_cast<std::size_t>(i)]->setCurrentIndex(b);
  }
  filling_ = false;
}

void TPreferencesForm::show_pads() {
  const Gamepad* pad = host_.pad_input();
  const bool usable = pad != nullptr && pad->available();
  if (!usable) {
    pads_->setText(QStringLiteral("Gamepads cannot be used on this system."));
  } else if (pad->pad_count() == 0) {
    pads_->setText(QStringLiteral("No gamepad is connected. Plug one in at any time."));
  } else {
    QStringList names;
    for (const std::string& name : pad->pad_names()) names << from_std(name);
    pads_->setText(QStringLiteral("Connected: ") + names.join(QStringLiteral(", ")));
  }
  for (QPushButton* press : press_buttons_) press->setEnabled(usable && pad->pad_count() > 0);
  if (capturing_ && (!usable || pad->pad_count() == 0)) stop_capture();
}

void TPreferencesForm::pad_box_changed(KeyAction action) {
  if (filling_) return;
  const int index = pad_box(action)->currentIndex();
  if (index < 0) return;
  // A control that had this button takes the old button of this one, as
  // the boxes then show.
  pads_shown_.set_button(action, index);
  show_pad_bindings();
}

void TPreferencesForm::restore_pad_defaults() {
  if (capturing_) stop_capture();
  pads_shown_.restore_defaults();
  show_pad_bindings();
}

void TPreferencesForm::capture_pad_button(KeyAction action) {
  Gamepad* pad = host_.pad_input();
  if (pad == nullptr || !pad->available()) return;
  if (capturing_) stop_capture();
  capturing_ = action;
  press_button(action)->setText(QStringLiteral("Press a button"));
  pad->capture_next_button([this, action](PadButton button) {
    capturing_.reset();
    press_button(action)->setText(QStringLiteral("Press..."));
    pads_shown_.set_button(action, button);
    show_pad_bindings();
  });
}

void TPreferencesForm::stop_capture() {
  if (!capturing_) return;
  press_button(*capturing_)->setText(QStringLiteral("Press..."));
  capturing_.reset();
  if (Gamepad* pad = host_.pad_input()) pad->cancel_capture();
}

void TPreferencesForm::accept() {
  if (capturing_) stop_capture();
  SettingsStore& store = host_.settings();
  const SoundLevel level{volume_->value(), mute_->isChecked()};
  // Everything is stored before anything else changes: a refused write
  // leaves the dialog open with what the player chose.
  write_sound_level(store, level);
  const int ghost = ghost_->value();
  // A shade the player never touched stays the skin's to choose.
  if (ghost != opened_ghost_ || store.read_text(settings::kGhostSegments.name))
    settings::write(store, settings::kGhostSegments, ghost);
  pads_shown_.store(store);
  host_.pad_bindings() = pads_shown_;
  host_.hear_sound_level(level);
  host_.show_stored_ghost_percent();
  const int zoom = zoom_->currentData().toInt();
  if (zoom != host_.zoom_percent()) host_.set_zoom_percent(zoom);
  if (fit_->isChecked() != host_.fullscreen_fit()) host_.set_fullscreen_fit(fit_->isChecked());
  close_dialog();
}

void TPreferencesForm::cancel() {
  if (capturing_) stop_capture();
  host_.hear_sound_level(opened_level_);
  host_.show_stored_ghost_percent();
  close_dialog();
}

void TPreferencesForm::close_dialog() {
  if (main_window_) main_window_->setEnabled(true);
  hide();
}

bool TPreferencesForm::handle_key(QKeyEvent* event) {
  const auto code = virtual_key_of(*event);
  if (code == vk_escape) {
    // Esc first gives up waiting for a pad's button, then closes.
    if (capturing_) {
      stop_capture();
    } else {
      cancel();
    }
    return true;
  }
  if (code == vk_return) {
    // An open drop-down list takes its own Enter.
    if (auto* box = qobject_cast<QComboBox*>(focusWidget()); box && box->view() && box->view()->isVisible())
      return false;
    accept();
    return true;
  }
  return false;
}

bool TPreferencesForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && qobject_cast<QWidget*>(watched) &&
      static_cast<QWidget*>(watched)->window() == this && handle_key(static_cast<QKeyEvent*>(event)))
    return true;
  return QWidget::eventFilter(watched, event);
}

void TPreferencesForm::keyPressEvent(QKeyEvent* event) {
  if (!handle_key(event)) QWidget::keyPressEvent(event);
}

void TPreferencesForm::closeEvent(QCloseEvent* event) {
  // Only a close that really ends the dialog puts things back: a hidden
  // dialog is closed once more when the program ends.
  if (isVisible()) {
    if (capturing_) stop_capture();
    host_.hear_sound_level(opened_level_);
    host_.show_stored_ghost_percent();
  }
  if (main_window_) main_window_->setEnabled(true);
  QWidget::closeEvent(event);
}

}  // namespace hero
