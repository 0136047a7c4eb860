// The splash screen on its own: its texts, the Play rule, its keys and links,
// and the order of Play's steps.
#include <algorithm>

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTest>
#include <QUrl>

#include "dialogs/menus/click_label.h"
#include "dialogs/menus/links.h"
#include "dialogs/menus/shell.h"
#include "engine/memory_settings_store.h"
#include "startup/program/splash.h"
#include "tests/support/qt_app.h"

namespace hero {
namespace {

class RecordingSplashHost : public SplashHost {
 public:
  SettingsStore& settings() override { return store; }
  std::vector<std::string> skin_names() const override { return names; }
  std::vector<std::string> skin_folders() const override { return folders; }
  void set_selected_skin(int skin) override { calls.push_back("skin " + std::to_string(skin)); }
  bool initialise_sound(int driver) override {
    calls.push_back("sound " + std::to_string(driver));
    return sound_works;
  }
  void set_splash_menu_check(bool checked) override { calls.push_back(checked ? "mark on" : "mark off"); }
  void load_selected_skin() override { calls.push_back("load skin"); }
  void switch_on() override { calls.push_back("switch on"); }
  void request_termination() override { calls.push_back("terminate"); }
  void report_failure(const std::string& message) override { calls.push_back("failure " + message); }

  MemorySettingsStore store;
  std::vector<std::string> names{"Classic", "Night"};
  std::vector<std::string> folders{"Graphics\\Skin1\\", "Graphics\\Skin2\\"};
  bool sound_works = true;
  std::vector<std::string> calls;
};

class Splash : public ::testing::Test {
 protected:
  void SetUp() override {
    test::qt_app();
    set_shell_opener([this](const QUrl& url) { opened.push_back(url); });
  }
  void TearDown() override { set_shell_opener({}); }
  void create() { splash = std::make_unique<TSplashForm>(host); }
  bool play_enabled() const {
    const bool shown = !splash->btn_play()->isHidden();
    EXPECT_NE(shown, !splash->btn_play_disabled()->isHidden()) << "exactly one Play picture shows";
    return shown && splash->btn_play()->isEnabled();
  }

  RecordingSplashHost host;
  std::unique_ptr<TSplashForm> splash;
  std::vector<QUrl> opened;
};

TEST_F(Splash, ShowsTheTitleVersionAndAnEmptyReleaseLine) {
  create();
  EXPECT_EQ(splash->windowTitle(), QString("About this game..."));
  EXPECT_EQ(splash->findChild<QLabel*>("la_game_title")->text(),
            QString("Hero (Vantro, Handclock Wide Screen) Simulator"));
  EXPECT_EQ(splash->findChild<QLabel*>("la_version")->text(), QString("Version S5/1.02  * Bugfix *"));
  EXPECT_EQ(splash->findChild<QLabel*>("la_release_date")->text(), QString());
  EXPECT_EQ(splash->size(), QSize(460, 450));
}

TEST_F(Splash, ListsTheSkinsInCatalogueOrderAndTheThreeDrivers) {
  create();
  ASSERT_EQ(splash->cb_skin()->count(), 2);
  EXPECT_EQ(splash->cb_skin()->itemText(1), QString("Night"));
  ASSERT_EQ(splash->cb_sound()->count(), 3);
  EXPECT_EQ(splash->cb_sound()->itemText(2), QString("(no sound)"));
  EXPECT_FALSE(splash->cb_sound()->itemText(0).isEmpty());
  EXPECT_EQ(splash->cb_skin()->maxVisibleItems(), 3);
}

TEST_F(Splash, PlayNeedsBothChoices) {
  create();
  EXPECT_FALSE(play_enabled());
  splash->cb_skin()->setCurrentIndex(0);
  EXPECT_FALSE(play_enabled());
  splash->cb_sound()->setCurrentIndex(1);
  EXPECT_TRUE(play_enabled());
  splash->cb_skin()->setCurrentIndex(-1);
  EXPECT_FALSE(play_enabled());
}

TEST_F(Splash, SkinWithoutANameCannotBePlayed) {
  host.names = {"Classic", ""};
  create();
  splash->cb_skin()->setCurrentIndex(1);
  splash->cb_sound()->setCurrentIndex(2);
  EXPECT_FALSE(play_enabled());
}

TEST_F(Splash, StoredChoicesSelectTheirPositions) {
  host.store.write_text("Skin", "2");
  host.store.write_text("SoundMode", "1");
  host.store.write_text("SplashScreen", "7");
  create();
  EXPECT_EQ(splash->cb_skin()->currentIndex(), 1);
  EXPECT_EQ(splash->cb_sound()->currentIndex(), 1);
  EXPECT_TRUE(splash->chb_splashscreen()->isChecked());
  EXPECT_TRUE(play_enabled());
  EXPECT_TRUE(host.calls.empty());
}

// Play notes the skin's folder beside its place; the folder wins when a
// player's skin added since moved the place, and a skin that is gone is
// chosen again on the splash screen rather than another taken in its stead.
TEST_F(Splash, TheSkinPlayedStaysChosenWhenItsPlaceInTheListMoves) {
  host.names = {"Classic", "Night", "Mine"};
  host.folders = {"Graphics\\Skin1\\", "Graphics\\Skin2\\", "/home/p/skins/Mine/"};
  create();
  splash->cb_skin()->setCurrentIndex(2);
  splash->cb_sound()->setCurrentIndex(0);
  QTest::keyClick(splash->cb_sound(), Qt::Key_Return);
  EXPECT_EQ(host.store.read_text("Skin"), "3");
  EXPECT_EQ(host.store.read_text("SkinFolder"), "/home/p/skins/Mine/");

  host.names = {"Classic", "Night", "Aardvark", "Mine"};
  host.folders = {"Graphics\\Skin1\\", "Graphics\\Skin2\\", "/home/p/skins/Aardvark/", "/home/p/skins/Mine/"};
  create();
  EXPECT_EQ(splash->cb_skin()->currentText(), QString("Mine"));

  host.names = {"Classic", "Night", "Aardvark"};
  host.folders.pop_back();
  create();
  EXPECT_EQ(splash->cb_skin()->currentIndex(), -1);
}

TEST_F(Splash, EnterAndOneDoNothingWhilePlayIsDisabled) {
  create();
  splash->cb_skin()->setCurrentIndex(0);
  QTest::keyClick(splash->cb_skin(), Qt::Key_Return);
  QTest::keyClick(splash->cb_skin(), Qt::Key_1);
  EXPECT_TRUE(host.calls.empty());
}

TEST_F(Splash, EnterOrOnePlaysOnce) {
  create();
  splash->cb_skin()->setCurrentIndex(1);
  splash->cb_sound()->setCurrentIndex(0);
  QTest::keyClick(splash->cb_sound(), Qt::Key_1);
  QTest::keyClick(splash->cb_sound(), Qt::Key_Return);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"skin 2", "sound 0", "mark on", "load skin", "switch on"}));
  EXPECT_EQ(host.store.read_text("Skin"), "2");
  EXPECT_EQ(host.store.read_text("SplashScreen"), "1");
}

TEST_F(Splash, EscEndsTheProgramWritingNothing) {
  create();
  splash->cb_skin()->setCurrentIndex(0);
  splash->cb_sound()->setCurrentIndex(2);
  QTest::keyClick(splash->chb_splashscreen(), Qt::Key_Escape);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"terminate"}));
  EXPECT_TRUE(host.store.all().empty());
}

TEST_F(Splash, ClosedByTheWindowSystemBeforePlayEndsTheProgram) {
  create();
  splash->close();
  EXPECT_EQ(host.calls, (std::vector<std::string>{"terminate"}));
}

TEST_F(Splash, PlayClosesTheSplashWithoutEndingTheProgram) {
  create();
  splash->cb_skin()->setCurrentIndex(0);
  splash->cb_sound()->setCurrentIndex(2);
  splash->btn_playClick();
  EXPECT_FALSE(splash->isVisible());
  EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "terminate"), 0);
}

TEST_F(Splash, FailedSoundStopsPlayBeforeTheSkin) {
  host.sound_works = false;
  create();
  splash->cb_skin()->setCurrentIndex(0);
  splash->cb_sound()->setCurrentIndex(0);
  splash->chb_splashscreen()->setChecked(false);
  splash->btn_playClick();
  EXPECT_EQ(host.calls, (std::vector<std::string>{"skin 1", "sound 0"}));
  EXPECT_FALSE(host.store.read_text("SplashScreen").has_value());
  EXPECT_TRUE(splash->isVisible());
}

TEST_F(Splash, AutomaticPathPlaysDuringCreationAndNeverShows) {
  host.store.write_text("Skin", "1");
  host.store.write_text("SoundMode", "2");
  host.store.write_text("SplashScreen", "0");
  create();
  EXPECT_TRUE(splash->started_automatically());
  EXPECT_FALSE(splash->isVisible());
  EXPECT_FALSE(splash->splash_pending());
  EXPECT_EQ(host.calls,
            (std::vector<std::string>{"skin 1", "sound 2", "mark off", "load skin", "switch on"}));
  EXPECT_EQ(splash->pos(), QPoint(-460, -450));
  splash->main_window_activated();
  EXPECT_FALSE(splash->isVisible());
}

TEST_F(Splash, LinksOpenTheProgramsOwnAddresses) {
  create();
  QTest::mouseClick(splash->la_website_2(), Qt::LeftButton);
  QTest::mouseClick(splash->la_email_2(), Qt::LeftButton);
  QTest::mouseClick(splash->btn_paypal(), Qt::LeftButton);
  ASSERT_EQ(opened.size(), 3u);
  EXPECT_EQ(opened[0], QUrl(links::kWebsiteUrl));
  EXPECT_EQ(opened[1].scheme(), QString("mailto"));
  EXPECT_EQ(opened[2], QUrl(links::kDonationUrl));
  EXPECT_TRUE(splash->isVisible());
}

}  // namespace
}  // namespace hero
