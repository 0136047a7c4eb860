// The program in every shipped language: each window, dialog and menu is
// made as the player meets it, and no text is cut off by the place it is
// drawn in. Each is also saved as a picture under the build folder
// (translation-pictures/<language>/), to be looked at.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <string>
#include <vector>

#include "dialogs/keys/keys.h"
#include "dialogs/menus/about.h"
#include "dialogs/menus/click_label.h"
#include "dialogs/menus/menu.h"
#include "dialogs/menus/preferences.h"
#include "display/window/unit1.h"
#include "startup/application/translations.h"
#include "tests/program/program_fixture.h"

namespace hero::test {
namespace {

// The built installation, with its catalogues.
QString install_folder() { return QString::fromUtf8(HERO_TEST_INSTALLATION); }

QString shown_text(QString text) {
  // The accelerator's mark is not drawn; "&&" is a drawn "&".
  text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
  text.remove('&');
  text.replace('\x01', '&');
  return text;
}

int advance(const QWidget& widget, const QString& text) {
  int widest = 0;
  for (const QString& line : shown_text(text).split('\n'))
    widest = std::max(widest, widget.fontMetrics().horizontalAdvance(line));
  return widest;
}

// The room a widget's text has, and what it needs: the text's width in the
// widget's font, with the room its frame, box or arrow takes.
struct Fit {
  QString text;
  int needed;
  int room;
};

std::vector<Fit> fits_of(QWidget& widget) {
  std::vector<Fit> fits;
  if (auto* label = qobject_cast<QLabel*>(&widget)) {
    if (!label->wordWrap() && label->textFormat() != Qt::RichText && !label->text().isEmpty())
      fits.push_back({label->text(), advance(*label, label->text()), label->contentsRect().width()});
  } else if (auto* box = qobject_cast<QCheckBox*>(&widget)) {
    QStyleOptionButton option;
    option.initFrom(box);
    const int mark = box->style()->pixelMetric(QStyle::PM_IndicatorWidth, &option, box) +
                     box->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, box);
    if (!box->text().isEmpty())
      fits.push_back({box->text(), advance(*box, box->text()) + mark, box->width()});
  } else if (auto* button = qobject_cast<QPushButton*>(&widget)) {
    if (!button->text().isEmpty())
      fits.push_back({button->text(), advance(*button, button->text()) + 4, button->width()});
  } else if (auto* group = qobject_cast<QGroupBox*>(&widget)) {
    fits.push_back({group->title(), advance(*group, group->title()), group->width()});
  } else if (auto* list = qobject_cast<QComboBox*>(&widget)) {
    // The arrow's button takes the list's right end.
    const int arrow = list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
    for (int i = 0; i < list->count(); ++i)
      fits.push_back({list->itemText(i), advance(*list, list->itemText(i)) + arrow, list->width()});
  }
  return fits;
}

class Translations : public ProgramTest, public ::testing::WithParamInterface<QString> {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    if (GetParam() != "en") {
      language = std::make_unique<InstalledLanguage>(install_folder(), GetParam());
      ASSERT_TRUE(language->installed())
          << "no catalogue for " << GetParam().toStdString() << " in " << install_folder().toStdString();
    }
    start({{"FullscreenMode", "0"}});
  }
  void TearDown() override {
    ProgramTest::TearDown();
    language.reset();
  }

  // Every text in the window and its children that is cut off, one line
  // each; the window is also saved as a picture.
  void expect_fits(QWidget& window, const char* name) {
    // Laid out as shown.
    const bool shown = window.isVisible();
    window.show();
    QApplication::processEvents();
    std::vector<QWidget*> widgets{&window};
    for (QWidget* widget : window.findChildren<QWidget*>()) widgets.push_back(widget);
    for (QWidget* widget : widgets)
      for (const Fit& fit : fits_of(*widget))
        EXPECT_LE(fit.needed, fit.room)
            << name << ": \"" << fit.text.toStdString() << "\" (" << widget->objectName().toStdString()
            << ") needs " << fit.needed << " pixels and has " << fit.room;
    const QString folder = QString::fromUtf8(HERO_TEST_PICTURES) + "/" + GetParam();
    QDir().mkpath(folder);
    window.grab().save(folder + "/" + name + ".png");
    if (!shown) window.hide();
  }

  // A menu makes each row as wide as its widest text, so a text is lost only
  // where the menu would be wider than the screen (Qt then pushes its right
  // side out of sight) or where an item has no text at all; both are checked,
  // against a small screen's width.
  void expect_menu_fits(QMenu& menu, const char* name) {
    menu.ensurePolished();
    EXPECT_LE(menu.sizeHint().width(), 640) << name << " is wider than a small screen";
    for (QAction* action : menu.actions()) {
      if (action->menu()) expect_menu_fits(*action->menu(), name);
      EXPECT_FALSE(action->isSeparator() == false && action->isVisible() && action->text().isEmpty())
          << name << ": an item without a text (" << action->objectName().toStdString() << ")";
    }
  }

  std::unique_ptr<InstalledLanguage> language;
};

TEST_P(Translations, EveryWindowDialogAndMenuShowsItsTextsWhole) {
  TSplashForm& splash = program->splash();
  expect_fits(splash, "splash");

  splash.cb_skin()->setCurrentIndex(0);
  splash.cb_sound()->setCurrentIndex(1);
  QTest::mouseClick(splash.btn_play(), Qt::LeftButton);
  program->show_main_window();
  QApplication::processEvents();

  expect_menu_fits(*program->menu().pm_0_menu(), "context menu");
  program->menu().btn_game_menu_topClick();
  QApplication::processEvents();
  expect_fits(program->form(), "in-game menu");
  program->menu().btn_game_menu_topClick();

  expect_fits(program->about(), "about");
  expect_fits(program->keys(), "key settings");
  TPreferencesForm& preferences = program->preferences();
  expect_fits(preferences, "preferences");
  // The dialog fits a small screen.
  EXPECT_LE(preferences.sizeHint().width(), 1024);
  EXPECT_LE(preferences.sizeHint().height(), 768);
}

TEST(ChosenLanguage, FollowsThePlayersOrderAndStopsAtEnglish) {
  const QStringList shipped{"de", "pt_BR", "ja"};
  EXPECT_EQ(chosen_language({"de-AT", "fr"}, shipped), "de");
  EXPECT_EQ(chosen_language({"pt-BR"}, shipped), "pt_BR");
  EXPECT_EQ(chosen_language({"ja_JP.UTF-8"}, shipped), "ja");
  // A language not shipped gives way to the next the player reads.
  EXPECT_EQ(chosen_language({"fr", "de"}, shipped), "de");
  // English before another: the program's own texts.
  EXPECT_EQ(chosen_language({"en-GB", "de"}, shipped), std::nullopt);
  EXPECT_EQ(chosen_language({"C", "de"}, shipped), "de");
  EXPECT_EQ(chosen_language({"C"}, shipped), std::nullopt);
  // Only Brazil's Portuguese is shipped: Portugal's is not taken for it.
  EXPECT_EQ(chosen_language({"pt-PT"}, shipped), std::nullopt);
}

std::vector<QString> languages() {
  std::vector<QString> all{"en"};
  for (const QString& language :
       shipped_languages(QDir(install_folder()).filePath(QString::fromLatin1(kTranslationsFolder))))
    all.push_back(language);
  return all;
}

INSTANTIATE_TEST_SUITE_P(Shipped, Translations, ::testing::ValuesIn(languages()),
                         [](const ::testing::TestParamInfo<QString>& info) {
                           return info.param.toStdString();
                         });

}  // namespace
}  // namespace hero::test
