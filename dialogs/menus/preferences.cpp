#include "dialogs/menus/preferences.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QStringList>

#include <QVBoxLayout>
#include <functional>
#include <utility>

#include "dialogs/keys/keys.h"
#include "display/skins/zoom.h"
#include "engine/settings_values.h"

namespace hero {

namespace {

QString percent_text(int percent) { return QStringLiteral("%1 %").arg(percent); }

QString from_std(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A control bound to a stored value through the two functions that read and
// set what the control shows.
template <class Value, class T>
class Bound : public BoundControl {
 public:
  Bound(SettingsHost& host, const Value& value, std::function<T()> shown, std::function<void(T)> show)
      : host_(host), value_(value), shown_(std::move(shown)), show_(std::move(show)) {}
  // The dialog's controls outlive its list of bindings by a moment: the
  // control's signal must not reach a binding that is gone.
  ~Bound() override { QObject::disconnect(link); }
  QMetaObject::Connection link;

  void fill() override {
    opened_ = static_cast<T>(in_use(host_, value_));
    filling_ = true;
    show_(opened_);
    filling_ = false;
  }
  // The player changed the control: shown at once where the value is live.
  void changed() {
    if (filling_) return;
    if (const LiveValue<T> live = host_.live(value_); live.preview) live.preview(shown_());
  }
  void write(SettingsStore& store) override {
    const T chosen = shown_();
    // A value the player left as it was and never stored stays unstored:
    // its default, or the skin's, or the first start's zoom, still decides.
    if (chosen != opened_ || settings::read_stored(store, value_)) settings::write(store, value_, chosen);
  }
  void reread() override {
    if (const LiveValue<T> live = host_.live(value_); live.reread) live.reread();
  }

 private:
  SettingsHost& host_;
  const Value& value_;
  std::function<T()> shown_;
  std::function<void(T)> show_;
  T opened_{};
  bool filling_ = false;
};

std::unique_ptr<BoundControl> bind(SettingsHost& host, QSlider* slider, const settings::Integer& value) {
  auto bound = std::make_unique<Bound<settings::Integer, std::int32_t>>(
      host, value, [slider] { return slider->value(); }, [slider](std::int32_t v) { slider->setValue(v); });
  bound->link = QObject::connect(slider, &QSlider::valueChanged, slider, [b = bound.get()] { b->changed(); });
  return bound;
}

std::unique_ptr<BoundControl> bind(SettingsHost& host, QCheckBox* box, const settings::Flag& value) {
  auto bound = std::make_unique<Bound<settings::Flag, bool>>(
      host, value, [box] { return box->isChecked(); }, [box](bool on) { box->setChecked(on); });
  bound->link = QObject::connect(box, &QCheckBox::toggled, box, [b = bound.get()] { b->changed(); });
  return bound;
}

// A list of choices, each item's data the value it stands for; a value
// the list lacks shows as the default.
std::unique_ptr<BoundControl> bind(SettingsHost& host, QComboBox* list, const settings::Integer& value) {
  auto bound = std::make_unique<Bound<settings::Integer, std::int32_t>>(
      host, value, [list] { return list->currentData().toInt(); },
      [list, &value](std::int32_t v) {
        const int index = list->findData(v);
        list->setCurrentIndex(index >= 0 ? index : list->findData(value.default_value));
      });
  bound->link =
      QObject::connect(list, &QComboBox::currentIndexChanged, list, [b = bound.get()] { b->changed(); });
  return bound;
}

}  // namespace

TPreferencesForm::TPreferencesForm(PreferencesHost& host, QWidget* parent)
    : ModalForm(host.main_window(), parent,
                Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      host_(host) {
  setWindowTitle(tr("Preferences"));
  setObjectName(QStringLiteral("PreferencesForm"));
  auto* page = new QVBoxLayout(this);

  // ---- Sound
  auto* sound = new QGroupBox(tr("Sound"), this);
  auto* sound_grid = new QGridLayout(sound);
  volume_ = new QSlider(Qt::Horizontal, sound);
  volume_->setObjectName(QStringLiteral("sl_volume"));
  volume_->setRange(settings::kVolume.min, settings::kVolume.max);
  volume_->setPageStep(10);
  volume_value_ = new QLabel(sound);
  volume_value_->setMinimumWidth(volume_value_->fontMetrics().horizontalAdvance(QStringLiteral("100 %")) + 4);
  test_ = new QPushButton(tr("Test"), sound);
  test_->setObjectName(QStringLiteral("btn_test_beep"));
  test_->setAutoDefault(false);
  mute_ = new QCheckBox(tr("Mute the beeps"), sound);
  mute_->setObjectName(QStringLiteral("cb_mute"));
  sound_note_ = new QLabel(sound);
  sound_note_->setWordWrap(true);
  sound_note_->hide();
  auto* volume_label = new QLabel(tr("&Volume"), sound);
  volume_label->setBuddy(volume_);
  sound_grid->addWidget(volume_label, 0, 0);
  sound_grid->addWidget(volume_, 0, 1);
  sound_grid->addWidget(volume_value_, 0, 2);
  sound_grid->addWidget(test_, 0, 3);
  sound_grid->addWidget(mute_, 1, 1, 1, 3);
  sound_grid->addWidget(sound_note_, 2, 0, 1, 4);
  page->addWidget(sound);
  connect(volume_, &QSlider::valueChanged, this,
          [this](int percent) { volume_value_->setText(percent_text(percent)); });
  connect(mute_, &QCheckBox::toggled, this, [this](bool on) { volume_->setEnabled(!on); });
  connect(test_, &QPushButton::clicked, this, [this] {
    if (host_.test_beep()) return;
    sound_note_->setText(tr("No sound output was chosen at start: the beeps are silent."));
    sound_note_->show();
  });

  // ---- Display
  auto* display = new QGroupBox(tr("Display"), this);
  auto* display_grid = new QGridLayout(display);
  ghost_ = new QSlider(Qt::Horizontal, display);
  ghost_->setObjectName(QStringLiteral("sl_ghost"));
  ghost_->setRange(settings::kGhostSegments.min, settings::kGhostSegments.max);
  ghost_->setPageStep(5);
  ghost_value_ = new QLabel(display);
  auto* ghost_label = new QLabel(tr("&Unlit segments"), display);
  ghost_label->setBuddy(ghost_);
  zoom_ = new QComboBox(display);
  zoom_->setObjectName(QStringLiteral("cb_zoom"));
  for (int step : kZoomSteps) zoom_->addItem(percent_text(step), step);
  zoom_->addItem(tr("Fit to screen"), kZoomFit);
  zoom_->setToolTip(tr("Ctrl++ and Ctrl+- zoom in and out, Ctrl+0 back to 100 %. ") +
                    TKeysForm::tr(kCtrlShortcutsHint));
  auto* zoom_label = new QLabel(tr("&Zoom"), display);
  zoom_label->setBuddy(zoom_);
  fit_ = new QCheckBox(tr("Display game fitted to the screen"), display);
  fit_->setObjectName(QStringLiteral("cb_fullscreen_fit"));
  auto* pause_in_menus = new QCheckBox(tr("Pause the game while a menu or dialog is open"), display);
  pause_in_menus->setObjectName(QStringLiteral("cb_pause_in_menus"));
  display_grid->addWidget(ghost_label, 0, 0);
  display_grid->addWidget(ghost_, 0, 1);
  display_grid->addWidget(ghost_value_, 0, 2);
  display_grid->addWidget(zoom_label, 3, 0);
  display_grid->addWidget(zoom_, 3, 1, 1, 2, Qt::AlignLeft);
  display_grid->addWidget(fit_, 4, 1, 1, 2);
  display_grid->addWidget(pause_in_menus, 5, 1, 1, 2);
  response_ = new QSlider(Qt::Horizontal, display);
  response_->setObjectName(QStringLiteral("sl_response"));
  response_->setRange(settings::kLcdResponse.min, settings::kLcdResponse.max);
  response_->setSingleStep(10);
  response_->setPageStep(50);
  response_->setToolTip(
      tr("How long a segment takes to darken and to clear, as on a real LCD "
         "(0: at once)"));
  response_value_ = new QLabel(display);
  response_value_->setMinimumWidth(
      response_value_->fontMetrics().horizontalAdvance(QStringLiteral("250 ms")) + 4);
  auto* response_label = new QLabel(tr("LCD &response"), display);
  response_label->setBuddy(response_);
  display_grid->addWidget(response_label, 1, 0);
  display_grid->addWidget(response_, 1, 1);
  display_grid->addWidget(response_value_, 1, 2);
  connect(response_, &QSlider::valueChanged, this,
          [this](int ms) { response_value_->setText(QStringLiteral("%1 ms").arg(ms)); });
  shadows_ = new QCheckBox(tr("Segment s&hadows"), display);
  shadows_->setObjectName(QStringLiteral("cb_segment_shadows"));
  shadows_->setToolTip(tr("Each dark segment casts a soft shadow on the reflector beneath the glass"));
  realistic_ = new QPushButton(tr("Realistic &LCD"), display);
  realistic_->setObjectName(QStringLiteral("btn_realistic_lcd"));
  realistic_->setAutoDefault(false);
  realistic_->setToolTip(tr("Shadows on, a response of %1 ms and unlit segments at %2 %")
                             .arg(kRealisticResponseMs)
                             .arg(kRealisticGhostPercent));
  auto* shadows_row = new QHBoxLayout;
  shadows_row->addWidget(shadows_);
  shadows_row->addStretch(1);
  shadows_row->addWidget(realistic_);
  display_grid->addLayout(shadows_row, 2, 1, 1, 2);
  connect(realistic_, &QPushButton::clicked, this, [this] {
    shadows_->setChecked(true);
    response_->setValue(kRealisticResponseMs);
    ghost_->setValue(kRealisticGhostPercent);
  });
  speed_ = new QComboBox(display);
  speed_->setObjectName(QStringLiteral("cb_game_speed"));
  for (int percent = settings::kGameSpeed.max; percent >= settings::kGameSpeed.min; percent -= 10)
    speed_->addItem(percent_text(percent), percent);
  speed_->setToolTip(
      tr("Below 100 % the handheld runs slower, for more time to react. "
         "A game played so stores no high score; its best games are kept apart."));
  auto* speed_label = new QLabel(tr("Game &speed"), display);
  speed_label->setBuddy(speed_);
  display_grid->addWidget(speed_label, 6, 0);
  display_grid->addWidget(speed_, 6, 1, 1, 2, Qt::AlignLeft);
  auto* continue_unfinished = new QCheckBox(tr("Continue an unfinished game at start"), display);
  continue_unfinished->setObjectName(QStringLiteral("cb_continue_unfinished"));
  continue_unfinished->setToolTip(
      tr("A game under way when the program ended goes on at the next start, paused where it "
         "was left: press PAUSE to play on."));
  display_grid->addWidget(continue_unfinished, 7, 1, 1, 2);
  page->addWidget(display);
  connect(ghost_, &QSlider::valueChanged, this,
          [this](int percent) { ghost_value_->setText(percent_text(percent)); });

  // ---- Gamepad
  auto* gamepad = new QGroupBox(tr("Gamepad"), this);
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
    auto* label = new QLabel(control_caption(i + 1), gamepad);
    label->setBuddy(box);
    auto* press = new QPushButton(tr("Press..."), gamepad);
    press->setObjectName(QStringLiteral("btn_pad_press_%1").arg(i + 1));
    press->setAutoDefault(false);
    press->setToolTip(tr("Then press the button on the pad (Esc gives up)"));
    pad_grid->addWidget(label, row, column);
    pad_grid->addWidget(box, row, column + 1);
    pad_grid->addWidget(press, row, column + 2);
    pad_boxes_[static_cast<std::size_t>(i)] = box;
    press_buttons_[static_cast<std::size_t>(i)] = press;
    connect(box, &QComboBox::currentIndexChanged, this, [this, action] { pad_box_changed(action); });
    connect(press, &QPushButton::clicked, this, [this, action] { capture_pad_button(action); });
  }
  auto* stick = new QLabel(tr("The left stick also works Left and Right."), gamepad);
  pad_grid->addWidget(stick, 5, 0, 1, 4);
  defaults_ = new QPushButton(tr("Restore defaults"), gamepad);
  defaults_->setObjectName(QStringLiteral("btn_pad_defaults"));
  defaults_->setAutoDefault(false);
  pad_grid->addWidget(defaults_, 5, 4, 1, 2, Qt::AlignRight);
  page->addWidget(gamepad);
  connect(defaults_, &QPushButton::clicked, this, [this] { restore_pad_defaults(); });

  // ---- Accept / Cancel
  auto* buttons_row = new QHBoxLayout();
  buttons_row->addStretch(1);
  accept_ = new QPushButton(tr("Accept"), this);
  accept_->setObjectName(QStringLiteral("btn_accept"));
  accept_->setAutoDefault(false);
  cancel_ = new QPushButton(tr("Cancel"), this);
  cancel_->setObjectName(QStringLiteral("btn_cancel"));
  cancel_->setAutoDefault(false);
  buttons_row->addWidget(accept_);
  buttons_row->addWidget(cancel_);
  page->addLayout(buttons_row);
  connect(accept_, &QPushButton::clicked, this, [this] { accept(); });
  connect(cancel_, &QPushButton::clicked, this, [this] { cancel(); });

  // Each control bound to its stored value, in the order Accept stores them.
  bound_.push_back(bind(host_, volume_, settings::kVolume));
  bound_.push_back(bind(host_, mute_, settings::kMute));
  bound_.push_back(bind(host_, ghost_, settings::kGhostSegments));
  bound_.push_back(bind(host_, zoom_, settings::kZoom));
  bound_.push_back(bind(host_, fit_, settings::kFullscreenFit));
  bound_.push_back(bind(host_, pause_in_menus, settings::kPauseInMenus));
  bound_.push_back(bind(host_, response_, settings::kLcdResponse));
  bound_.push_back(bind(host_, shadows_, settings::kSegmentShadows));
  bound_.push_back(bind(host_, speed_, settings::kGameSpeed));
  bound_.push_back(bind(host_, continue_unfinished, settings::kContinueUnfinished));
  // Tab walks the Display page from top to bottom, as it is read.
  const std::array<QWidget*, 9> display_order = {ghost_, response_,      shadows_, realistic_,         zoom_,
                                                 fit_,   pause_in_menus, speed_,   continue_unfinished};
  for (std::size_t i = 1; i < display_order.size(); ++i) setTabOrder(display_order[i - 1], display_order[i]);

  watch_keys();

  if (Gamepad* pad = host_.pad_input()) connect(pad, &Gamepad::pads_changed, this, [this] { show_pads(); });
  setFixedSize(sizeHint());
}

TPreferencesForm::~TPreferencesForm() {
  if (capturing_) stop_capture();
}

void TPreferencesForm::show_centred() {
  for (const auto& bound : bound_) bound->fill();
  // The labels beside the sliders follow them even where a value is unchanged.
  volume_value_->setText(percent_text(volume_->value()));
  volume_->setEnabled(!mute_->isChecked());
  ghost_value_->setText(percent_text(ghost_->value()));
  response_value_->setText(QStringLiteral("%1 ms").arg(response_->value()));
  sound_note_->clear();
  sound_note_->hide();
  pads_shown_ = host_.pad_bindings();
  show_pad_bindings();
  show_pads();
  open_centred(volume_);
}

void TPreferencesForm::reread_all() {
  for (const auto& bound : bound_) bound->reread();
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
    pads_->setText(tr("Gamepads cannot be used on this system."));
  } else if (pad->pad_count() == 0) {
    pads_->setText(tr("No gamepad is connected. Plug one in at any time."));
  } else {
    QStringList names;
    for (const std::string& name : pad->pad_names()) names << from_std(name);
    pads_->setText(tr("Connected: %1").arg(names.join(QStringLiteral(", "))));
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
  press_button(action)->setText(tr("Press a button"));
  pad->capture_next_button([this, action](PadButton button) {
    capturing_.reset();
    press_button(action)->setText(tr("Press..."));
    pads_shown_.set_button(action, button);
    show_pad_bindings();
  });
}

void TPreferencesForm::stop_capture() {
  if (!capturing_) return;
  press_button(*capturing_)->setText(tr("Press..."));
  capturing_.reset();
  if (Gamepad* pad = host_.pad_input()) pad->cancel_capture();
}

void TPreferencesForm::accept() {
  if (capturing_) stop_capture();
  // Everything is stored before anything else changes: a refused write
  // leaves the dialog open with what the player chose.
  SettingsStore& store = host_.settings();
  for (const auto& bound : bound_) bound->write(store);
  pads_shown_.store(store);
  host_.pad_bindings() = pads_shown_;
  reread_all();
  close_form();
}

void TPreferencesForm::cancel() {
  put_back();
  close_form();
}

void TPreferencesForm::put_back() {
  if (capturing_) stop_capture();
  reread_all();
}

bool TPreferencesForm::escape_pressed() {
  // Esc first gives up waiting for a pad's button, then closes.
  if (capturing_) {
    stop_capture();
  } else {
    cancel();
  }
  return true;
}

bool TPreferencesForm::enter_pressed() {
  // An open drop-down list takes its own Enter.
  if (auto* box = qobject_cast<QComboBox*>(focusWidget()); box && box->view() && box->view()->isVisible())
    return false;
  accept();
  return true;
}

}  // namespace hero
