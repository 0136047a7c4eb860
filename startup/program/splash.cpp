#include "startup/program/splash.h"

#include <algorithm>
#include <array>

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>

#include "dialogs/keys/key_codes.h"
#include "dialogs/menus/about.h"
#include "dialogs/menus/art.h"
#include "dialogs/menus/click_label.h"
#include "dialogs/menus/links.h"
#include "dialogs/menus/placement.h"
#include "dialogs/menus/shell.h"
#include "engine/settings_values.h"
#include "startup/sound/sound_output.h"

namespace hero {
namespace {

constexpr int kClientWidth = 460;
constexpr int kClientHeight = 450;

const QColor kLinkColour(0x18, 0x52, 0x94);      // colour value 9720344
const QColor kCheckBoxColour(0x08, 0x29, 0x52);  // colour value 5384456

// The plain labels of the window, with their places.
struct LabelPlace {
  const char* name;
  const char* text;
  QRect geometry;
};

constexpr std::array<LabelPlace, 4> kPlainLabels = {{
    {"la_website_1", QT_TRANSLATE_NOOP("hero::TSplashForm", "website:"), {113, 259, 56, 15}},
    {"la_email_1", QT_TRANSLATE_NOOP("hero::TSplashForm", "email:"), {113, 282, 56, 15}},
    {"la_skin_select", QT_TRANSLATE_NOOP("hero::TSplashForm", "Select skin/theme:"), {50, 309, 116, 15}},
    {"la_sound_select", QT_TRANSLATE_NOOP("hero::TSplashForm", "Select sound driver:"), {50, 339, 116, 15}},
}};

QFont arial12(bool bold = false, bool underline = false) {
  QFont font("Arial");
  font.setPixelSize(12);
  font.setBold(bold);
  font.setUnderline(underline);
  return font;
}

QLabel* text_label(QWidget* parent, const char* name, const QString& text, const QRect& geometry,
                   const QFont& font, const QColor& colour,
                   Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setGeometry(geometry);
  label->setFont(font);
  label->setAlignment(alignment);
  QPalette colours = label->palette();
  colours.setColor(QPalette::WindowText, colour);
  label->setPalette(colours);
  return label;
}

ClickLabel* link_label(QWidget* parent, const char* name, const char* text, const QRect& geometry) {
  auto* label = new ClickLabel(QString::fromUtf8(text), parent);
  label->setObjectName(name);
  label->setGeometry(geometry);
  label->setFont(arial12(true, true));
  QPalette colours = label->palette();
  colours.setColor(QPalette::WindowText, kLinkColour);
  label->setPalette(colours);
  label->setCursor(Qt::PointingHandCursor);
  return label;
}

// The skin last played: by its folder where one was noted (a player's own
// skin added or removed moves the places after it), nothing when that folder
// is gone; by its place in the list where none was noted.
int stored_skin_position(const SettingsStore& settings, const std::vector<std::string>& folders) {
  const std::string folder = settings::read(settings, settings::kSkinFolder);
  if (folder.empty()) return settings::read(settings, settings::kSkin) - 1;
  const auto found = std::find(folders.begin(), folders.end(), folder);
  return found == folders.end() ? -1 : static_cast<int>(found - folders.begin());
}

// Selects a position, or nothing when the position is outside the list.
void select_position(QComboBox* list, int position) {
  list->setCurrentIndex(position >= 0 && position < list->count() ? position : -1);
}

}  // namespace

TSplashForm::TSplashForm(SplashHost& host, QWidget* parent)
    : QWidget(parent,
              Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint),
      host_(host) {
  build();
  FormCreate();
}

void TSplashForm::build() {
  setObjectName("TSplashForm");
  setWindowTitle(tr("About this game..."));
  setFixedSize(kClientWidth, kClientHeight);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
  setAutoFillBackground(true);

  auto* im_background = new QLabel(this);
  im_background->setObjectName("im_background");
  im_background->setGeometry(0, 0, kClientWidth, kClientHeight);
  im_background->setScaledContents(true);

  auto* im_box_picture = new QLabel(this);
  im_box_picture->setObjectName("im_box_picture");
  im_box_picture->setGeometry(0, 56, kClientWidth, 160);
  im_box_picture->setAlignment(Qt::AlignCenter);

  la_game_title_ = text_label(this, "la_game_title", QString(), QRect(0, 12, kClientWidth, 15), arial12(true),
                              Qt::white, Qt::AlignCenter);
  la_version_ = text_label(this, "la_version", QString(), QRect(0, 28, kClientWidth, 15), arial12(true),
                           Qt::white, Qt::AlignCenter);
  la_release_date_ = text_label(this, "la_release_date", QString(), QRect(0, 236, kClientWidth, 15),
                                arial12(), Qt::black, Qt::AlignCenter);
  for (const LabelPlace& place : kPlainLabels)
    text_label(this, place.name, tr(place.text), place.geometry, arial12(), Qt::black);

  la_website_2_ = link_label(this, "la_website_2", links::kWebsiteText, QRect(169, 259, 168, 15));
  connect(la_website_2_, &ClickLabel::clicked, this,
          [] { shell_open(QUrl(QString::fromUtf8(links::kWebsiteUrl))); });
  la_email_2_ = link_label(this, "la_email_2", links::kEmailText, QRect(169, 282, 168, 15));
  connect(la_email_2_, &ClickLabel::clicked, this,
          [] { shell_open(QUrl(QString::fromUtf8(links::kEmailUrl))); });

  cb_skin_ = new QComboBox(this);
  cb_skin_->setObjectName("cb_skin");
  cb_skin_->setGeometry(169, 308, 240, 21);
  cb_skin_->setMaxVisibleItems(3);
  cb_sound_ = new QComboBox(this);
  cb_sound_->setObjectName("cb_sound");
  cb_sound_->setGeometry(169, 338, 240, 21);
  cb_sound_->setMaxVisibleItems(3);
  for (std::string_view name : sound_driver_names())
    cb_sound_->addItem(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
  cb_sound_->setCurrentIndex(-1);

  btn_play_ = new ClickLabel(this);
  btn_play_->setObjectName("btn_play");
  btn_play_->setGeometry(116, 370, 107, 30);
  btn_play_->setPixmap(builtin_picture(BuiltinPicture::play_button));
  btn_play_->setCursor(Qt::PointingHandCursor);
  btn_play_->setAccessibleName(tr("Play"));
  connect(btn_play_, &ClickLabel::clicked, this, &TSplashForm::btn_playClick);

  btn_play_disabled_ = new QLabel(this);
  btn_play_disabled_->setObjectName("btn_play_disabled");
  btn_play_disabled_->setGeometry(116, 370, 107, 30);
  btn_play_disabled_->setPixmap(builtin_picture(BuiltinPicture::play_disabled));
  btn_play_disabled_->setCursor(Qt::WhatsThisCursor);
  btn_play_disabled_->setToolTip(tr("please select skin/theme and sound driver first"));
  btn_play_disabled_->setAccessibleName(tr("Play"));
  btn_play_disabled_->setAccessibleDescription(btn_play_disabled_->toolTip());
  btn_play_disabled_->hide();

  btn_paypal_ = new ClickLabel(this);
  btn_paypal_->setObjectName("btn_paypal");
  btn_paypal_->setGeometry(237, 370, 107, 30);
  btn_paypal_->setPixmap(builtin_picture(BuiltinPicture::donate_button));
  btn_paypal_->setCursor(Qt::PointingHandCursor);
  btn_paypal_->setAccessibleName(tr("Donate"));
  connect(btn_paypal_, &ClickLabel::clicked, this,
          [] { shell_open(QUrl(QString::fromUtf8(links::kDonationUrl))); });

  chb_splashscreen_ = new QCheckBox(tr("Display this splash screen at startup"), this);
  chb_splashscreen_->setObjectName("chb_splashscreen");
  chb_splashscreen_->setGeometry(12, 421, 444, 17);
  chb_splashscreen_->setFont(arial12());
  chb_splashscreen_->setStyleSheet(
      QString("QCheckBox { color: white; background-color: %1; }").arg(kCheckBoxColour.name()));
  chb_splashscreen_->setChecked(true);

  chb_continue_ = new QCheckBox(this);
  chb_continue_->setObjectName("chb_continue");
  chb_continue_->setGeometry(12, 402, 444, 17);
  chb_continue_->setFont(arial12());
  chb_continue_->setStyleSheet(chb_splashscreen_->styleSheet());
  chb_continue_->hide();

  setTabOrder(cb_skin_, cb_sound_);
  setTabOrder(cb_sound_, chb_continue_);
  setTabOrder(chb_continue_, chb_splashscreen_);
  for (QWidget* control : {static_cast<QWidget*>(cb_skin_), static_cast<QWidget*>(cb_sound_),
                           static_cast<QWidget*>(chb_continue_), static_cast<QWidget*>(chb_splashscreen_)})
    control->installEventFilter(this);

  connect(cb_skin_, &QComboBox::currentIndexChanged, this, &TSplashForm::apply_play_rule);
  connect(cb_sound_, &QComboBox::currentIndexChanged, this, &TSplashForm::apply_play_rule);
}

void TSplashForm::FormCreate() {
  la_game_title_->setText(kProgramTitle);
  la_version_->setText(kVersionText);
  la_release_date_->setText(QString());

  cb_skin_->clear();
  for (const std::string& name : host_.skin_names()) cb_skin_->addItem(QString::fromStdString(name));

  SettingsStore& settings = host_.settings();
  select_position(cb_skin_, stored_skin_position(settings, host_.skin_folders()));
  select_position(cb_sound_, settings::read(settings, settings::kSoundMode));
  chb_splashscreen_->setChecked(settings::read(settings, settings::kSplashScreen));
  const std::optional<QString> offer = host_.unfinished_game_offer();
  chb_continue_->setText(offer.value_or(QString()));
  chb_continue_->setChecked(settings::read(settings, settings::kContinueUnfinished));
  chb_continue_->setVisible(offer.has_value());

  if (cb_skin_->currentIndex() >= 0 && cb_sound_->currentIndex() >= 0 && !chb_splashscreen_->isChecked()) {
    // The automatic path: the window never appears.
    automatic_ = true;
    move(-width(), -height());
    splash_pending_ = false;
    try {
      btn_playClick();
      return;
    } catch (const std::exception& failure) {
      // Left here, the handheld would run with no window on the screen: the
      // player sees the failure and then the splash screen, to choose again.
      host_.report_failure(failure.what());
      splash_pending_ = true;
    }
  }
  centre_on_screen(this);
  apply_play_rule();
  show();
}

void TSplashForm::apply_play_rule() {
  const bool enabled = !cb_skin_->currentText().isEmpty() && !cb_sound_->currentText().isEmpty();
  btn_play_->setEnabled(enabled);
  btn_play_->setVisible(enabled);
  btn_play_disabled_->setVisible(!enabled);
}

void TSplashForm::main_window_activated() {
  if (!splash_pending_) return;
  splash_pending_ = false;
  show();
  raise();
  activateWindow();
}

void TSplashForm::btn_playClick() {
  // Play runs once a run: the sound output and the skin are fixed from here
  // on, and a press while the first is still finishing does nothing. A Play
  // that failed on a damaged skin may be tried again with another skin.
  if (played_ || in_play_) return;
  in_play_ = true;
  struct Leave {
    bool& flag;
    ~Leave() { flag = false; }
  } leave{in_play_};
  SettingsStore& settings = host_.settings();
  const int skin_position = cb_skin_->currentIndex();
  if (skin_position >= 0) {
    settings::write(settings, settings::kSkin, skin_position + 1);
    const std::vector<std::string> folders = host_.skin_folders();
    if (skin_position < static_cast<int>(folders.size()))
      settings::write(settings, settings::kSkinFolder, folders[static_cast<std::size_t>(skin_position)]);
    host_.set_selected_skin(skin_position + 1);
  }
  if (!host_.initialise_sound(cb_sound_->currentIndex())) return;  // the program is ending
  const bool show_splash = chb_splashscreen_->isChecked();
  settings::write(settings, settings::kSplashScreen, show_splash);
  host_.set_splash_menu_check(show_splash);
  host_.load_selected_skin();
  host_.switch_on();
  played_ = true;
  // A start without the splash screen goes on with the game left
  // unfinished when the player asked for it; the splash screen asks.
  if (!chb_continue_->text().isEmpty() && chb_continue_->isChecked()) host_.continue_unfinished_game();
  closing_for_play_ = true;
  close();
  closing_for_play_ = false;
}

void TSplashForm::showEvent(QShowEvent* event) {
  // The pictures are decoded when the screen is first shown: a start that
  // plays at once never needs them.
  if (auto* background = findChild<QLabel*>("im_background"); background && background->pixmap().isNull()) {
    background->setPixmap(builtin_picture(BuiltinPicture::splash_background));
    if (auto* box = findChild<QLabel*>("im_box_picture"))
      box->setPixmap(builtin_picture(BuiltinPicture::box_picture));
  }
  QWidget::showEvent(event);
}

void TSplashForm::closeEvent(QCloseEvent* event) {
  // Closed by the window system before Play (the splash screen has no close
  // box, but Alt+F4 still reaches it), the handheld would keep running with
  // no window on the screen: that close ends the program, as Esc does.
  if (!closing_for_play_ && !played_) host_.request_termination();
  QWidget::closeEvent(event);
}

void TSplashForm::FormKeyDown(int virtual_key) {
  if (virtual_key == vk_return || virtual_key == vk_1) {
    if (btn_play_->isEnabled()) btn_playClick();
  } else if (virtual_key == vk_escape) {
    host_.request_termination();
  }
}

bool TSplashForm::event(QEvent* event) {
  // Every activation puts the keyboard on the skin list.
  if (event->type() == QEvent::WindowActivate) cb_skin_->setFocus(Qt::ActiveWindowFocusReason);
  return QWidget::event(event);
}

bool TSplashForm::eventFilter(QObject* watched, QEvent* event) {
  // The window sees the keys of its controls first and leaves them to them.
  if (event->type() == QEvent::KeyPress) {
    previewed_key_ = event;
    if (const auto code = virtual_key_of(*static_cast<QKeyEvent*>(event))) FormKeyDown(*code);
  }
  return QWidget::eventFilter(watched, event);
}

void TSplashForm::keyPressEvent(QKeyEvent* event) {
  // A key that a control left alone comes up here as well; the window saw
  // it already on its way to the control.
  if (event != previewed_key_) {
    if (const auto code = virtual_key_of(*event)) FormKeyDown(*code);
  }
  previewed_key_ = nullptr;
  QWidget::keyPressEvent(event);
}

}  // namespace hero
