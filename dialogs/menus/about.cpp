#include "dialogs/menus/about.h"

#include <array>

#include <QCoreApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>

#include "dialogs/menus/art.h"
#include "dialogs/menus/click_label.h"
#include "dialogs/menus/links.h"
#include "dialogs/menus/placement.h"
#include "dialogs/menus/shell.h"

namespace hero {
namespace {

constexpr int kClientWidth = 512;
constexpr int kClientHeight = 448;

struct TextPlace {
  const char* name;
  const char* text;
  int centre_x;  // labels centred on a point of the picture
  int top;
};

// The credits over the portrait: the middle line is fixed, the outer two name
// the people behind this simulator and behind the work it grew from.
constexpr std::array<TextPlace, 3> kWrittenBy = {{
    {"la_written_by_1", QT_TRANSLATE_NOOP("hero::TAboutForm", "Simulator written by Quillon"), 353, 251},
    {"la_written_by_2", QT_TRANSLATE_NOOP("hero::TAboutForm", "based on source code provided"), 353, 271},
    {"la_written_by_3", QT_TRANSLATE_NOOP("hero::TAboutForm", "by the Hero50 handheld project"), 353, 291},
}};

constexpr std::array<TextPlace, 3> kHistory = {{
    {"la_history_1", QT_TRANSLATE_NOOP("hero::TAboutForm", "Based on Vantro"), 353, 167},
    {"la_history_2", "Handclock Hero Wide Screen", 353, 187},
    {"la_history_3", QT_TRANSLATE_NOOP("hero::TAboutForm", "Originaly published in 1981"), 353, 207},
}};

// People thanked, one a line beside "Credits:".
constexpr std::array<TextPlace, 3> kCredits = {{
    {"la_credits_1", QT_TRANSLATE_NOOP("hero::TAboutForm", "The players who reported the timing faults"), 100,
     392},
    {"la_credits_2", QT_TRANSLATE_NOOP("hero::TAboutForm", "The skin authors of the community"), 100, 408},
    {"la_credits_3", QT_TRANSLATE_NOOP("hero::TAboutForm", "Everybody who sent a donation"), 100, 424},
}};

QFont arial(int pixel_height, bool bold, bool italic = false, bool underline = false) {
  QFont font("Arial");
  font.setPixelSize(pixel_height);
  font.setBold(bold);
  font.setItalic(italic);
  font.setUnderline(underline);
  return font;
}

QLabel* centred_label(QWidget* parent, const TextPlace& place, const QFont& font) {
  constexpr int kWidth = 300;
  auto* label = new QLabel(QCoreApplication::translate("hero::TAboutForm", place.text), parent);
  label->setObjectName(place.name);
  label->setFont(font);
  label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
  label->setGeometry(place.centre_x - kWidth / 2, place.top, kWidth, 20);
  return label;
}

QFrame* sunken_rule(QWidget* parent, const char* name, QRect geometry) {
  auto* rule = new QFrame(parent);
  rule->setObjectName(name);
  rule->setFrameShape(QFrame::Box);
  rule->setFrameShadow(QFrame::Sunken);
  rule->setLineWidth(1);
  rule->setGeometry(geometry);
  return rule;
}

}  // namespace

TAboutForm::TAboutForm(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName("TAboutForm");
  setWindowTitle(tr("About"));
  setFixedSize(kClientWidth, kClientHeight);
  QPalette silver = palette();
  silver.setColor(QPalette::Window, QColor(192, 192, 192));
  silver.setColor(QPalette::WindowText, Qt::black);
  setPalette(silver);
  setAutoFillBackground(true);

  im_picture_ = new QLabel(this);
  im_picture_->setObjectName("im_picture");
  im_picture_->setGeometry(0, 0, kClientWidth, kClientHeight);
  im_picture_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // The title picture is decoded when the box is first shown.

  for (const TextPlace& place : kHistory) centred_label(this, place, arial(15, true, true));
  for (const TextPlace& place : kWrittenBy) centred_label(this, place, arial(15, true));

  la_website_ = new ClickLabel(QString::fromUtf8(links::kWebsiteText), this);
  la_website_->setObjectName("la_website");
  la_website_->setFont(arial(13, true, false, true));
  la_website_->setStyleSheet("color: #0000ff");
  la_website_->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
  la_website_->setGeometry(233, 312, 240, 20);
  la_website_->setCursor(Qt::PointingHandCursor);
  connect(la_website_, &ClickLabel::clicked, this, &TAboutForm::la_websiteClick);

  sunken_rule(this, "be_bevel1", QRect(217, 336, 272, 4));

  // The labels start with placeholder texts; the release is set here, so
  // that the about box and the splash screen always show the same one.
  la_version_ = new QLabel("Version X.X * Label *", this);
  la_version_->setObjectName("la_version");
  la_version_->setFont(arial(13, true));
  la_version_->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
  la_version_->setGeometry(216, 345, 273, 20);
  la_version_->setText(kVersionText);

  la_date_ = new QLabel("DD MMMMMM YYYY", this);
  la_date_->setObjectName("la_date");
  la_date_->setFont(arial(13, true));
  la_date_->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
  la_date_->setGeometry(250, 363, 200, 20);
  la_date_->setText(kReleaseDateText);

  sunken_rule(this, "be_bevel2", QRect(8, 388, 496, 4));

  auto* la_credits = new QLabel(tr("Credits:"), this);
  la_credits->setObjectName("la_credits");
  la_credits->setFont(arial(13, false, false, true));
  la_credits->move(45, 392);
  la_credits->adjustSize();
  for (const TextPlace& place : kCredits) {
    auto* line = new QLabel(tr(place.text), this);
    line->setObjectName(place.name);
    line->setFont(arial(13, false));
    line->move(place.centre_x, place.top);
    line->adjustSize();
  }

  btn_paypal_ = new ClickLabel(this);
  btn_paypal_->setObjectName("btn_paypal");
  btn_paypal_->setGeometry(367, 405, 107, 30);
  btn_paypal_->setPixmap(builtin_picture(BuiltinPicture::donate_button));
  btn_paypal_->setCursor(Qt::PointingHandCursor);
  btn_paypal_->setAccessibleName(tr("Donate"));
  connect(btn_paypal_, &ClickLabel::clicked, this, &TAboutForm::btn_paypalClick);
  btn_paypal_->raise();
}

void TAboutForm::show_dialog() {
  if (!placed_) {
    centre_on_screen(this);
    placed_ = true;
  }
  show();
  raise();
  activateWindow();
}

void TAboutForm::showEvent(QShowEvent* event) {
  if (im_picture_->pixmap().isNull()) im_picture_->setPixmap(builtin_picture(BuiltinPicture::about_picture));
  QWidget::showEvent(event);
}

void TAboutForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

void TAboutForm::la_websiteClick() {
  shell_open(QUrl(QString::fromUtf8(links::kWebsiteUrl)));
  close();
}

void TAboutForm::btn_paypalClick() {
  shell_open(QUrl(QString::fromUtf8(links::kDonationUrl)));
  close();
}

}  // namespace hero
