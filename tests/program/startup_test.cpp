// Start-up as a whole: the windows, the paths through the splash screen, the
// installation errors and the close step.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTest>

#include "dialogs/keys/keys.h"
#include "dialogs/menus/about.h"
#include "dialogs/menus/click_label.h"
#include "dialogs/menus/manual.h"

#include <QDir>
#include <QImage>
#include <QLabel>
#include "display/window/unit1.h"
#include "engine/engine.h"
#include "tests/program/program_fixture.h"

namespace hero {
namespace {

using test::ProgramTest;

class StartUp : public ProgramTest {
 protected:
  TSplashForm& splash() { return program->splash(); }
  TForm1& form() { return program->form(); }

  // The player's choice on the splash screen, then Play.
  void choose_and_play(int skin_position, int driver_position, bool show_splash_next_time) {
    splash().cb_skin()->setCurrentIndex(skin_position);
    splash().cb_sound()->setCurrentIndex(driver_position);
    splash().chb_splashscreen()->setChecked(show_splash_next_time);
    QTest::mouseClick(splash().btn_play(), Qt::LeftButton);
  }

  QPoint off_screen() const { return QPoint(-screen().width(), -screen().height()); }
};

TEST_F(StartUp, FirstStartShowsTheSplashCentredWithNothingChosen) {
  start();
  EXPECT_TRUE(splash().isVisible());
  EXPECT_EQ(splash().pos(), QPoint((screen().width() - 460) / 2, (screen().height() - 450) / 2));
  EXPECT_EQ(splash().cb_skin()->count(), 2);
  EXPECT_EQ(splash().cb_skin()->currentIndex(), -1);
  EXPECT_EQ(splash().cb_sound()->currentIndex(), -1);
  EXPECT_TRUE(splash().chb_splashscreen()->isChecked());
  EXPECT_TRUE(splash().btn_play()->isHidden());
  EXPECT_FALSE(splash().btn_play_disabled()->isHidden());
  EXPECT_EQ(splash().btn_play_disabled()->toolTip(),
            QString("please select skin/theme and sound driver first"));
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(terminations, 0);
}

TEST_F(StartUp, FirstStartStoresOnlyTheKeyBindings) {
  start();
  std::vector<std::string> names;
  for (const auto& [name, value] : store->all()) names.push_back(name + "=" + value);
  EXPECT_EQ(names, (std::vector<std::string>{"Key1=2", "Key2=3", "Key3=4", "Key4=6", "Key5=39", "Key6=40",
                                             "Key7=44"}));
}

TEST_F(StartUp, MainWindowWaitsOffTheScreenUntilPlay) {
  start();
  program->show_main_window();
  QApplication::processEvents();
  EXPECT_EQ(form().pos(), off_screen());
  EXPECT_NE(form().engine().state().game_mode, mode_all_lit);
}

TEST_F(StartUp, PlayLaysTheSkinOutCentredAndLightsEverySegment) {
  start({{"FullscreenMode", "0"}});
  choose_and_play(1, kDriverDirect, true);
  EXPECT_EQ(program->selected_skin(), 2);
  EXPECT_EQ(form().size(), QSize(320, 210));
  EXPECT_EQ(form().pos(), QPoint((screen().width() - 320) / 2, (screen().height() - 210) / 2));
  EXPECT_EQ(form().engine().state().game_mode, mode_all_lit);
  EXPECT_TRUE(form().engine().snd_enabled());
  EXPECT_FALSE(splash().isVisible());
  EXPECT_EQ(stored("Skin"), "2");
  EXPECT_EQ(stored("SoundMode"), "0");
  EXPECT_EQ(stored("SplashScreen"), "1");
}

TEST_F(StartUp, PlayWithTheSplashSwitchedOffSkipsItNextTime) {
  start({{"FullscreenMode", "0"}});
  choose_and_play(0, kDriverNone, false);
  EXPECT_EQ(stored("SplashScreen"), "0");
  EXPECT_FALSE(program->menu().item(pm_11_splashscreen)->isChecked());

  start(store->all());
  EXPECT_TRUE(splash().started_automatically());
  EXPECT_FALSE(splash().isVisible());
  EXPECT_FALSE(splash().splash_pending());
  EXPECT_EQ(program->selected_skin(), 1);
  EXPECT_EQ(form().engine().state().game_mode, mode_all_lit);
  program->show_main_window();
  QApplication::processEvents();
  EXPECT_FALSE(splash().isVisible());
  EXPECT_EQ(form().pos(), QPoint((screen().width() - 300) / 2, (screen().height() - 200) / 2));
}

TEST_F(StartUp, SkinNoLongerInTheCatalogueBringsTheSplashBack) {
  start({{"Skin", "3"}, {"SoundMode", "2"}, {"SplashScreen", "0"}});
  EXPECT_FALSE(splash().started_automatically());
  EXPECT_TRUE(splash().isVisible());
  EXPECT_EQ(splash().cb_skin()->currentIndex(), -1);
  EXPECT_EQ(splash().cb_sound()->currentIndex(), 2);
  EXPECT_TRUE(splash().btn_play()->isHidden());
}

TEST_F(StartUp, SoundModeMissingShowsTheSplashAnyway) {
  start({{"Skin", "1"}, {"SplashScreen", "0"}});
  EXPECT_FALSE(splash().started_automatically());
  EXPECT_TRUE(splash().isVisible());
  EXPECT_FALSE(splash().chb_splashscreen()->isChecked());
}

TEST_F(StartUp, FirstActivationShowsTheSplashOnce) {
  start();
  splash().hide();
  ASSERT_TRUE(splash().splash_pending());
  program->show_main_window();
  QApplication::processEvents();
  EXPECT_FALSE(splash().splash_pending());
  EXPECT_TRUE(splash().isVisible());
  splash().hide();
  splash().main_window_activated();
  EXPECT_FALSE(splash().isVisible());
}

// The handheld starts without decoding the manual; the viewer does that when
// it first shows a page.
TEST_F(StartUp, ManualPagesAreDecodedWhenTheViewerFirstShowsOne) {
  QImage page(540, 360, QImage::Format_RGB32);
  page.fill(QColor(10, 120, 200));
  QDir().mkpath(dir.filePath("Graphics/Manual"));
  ASSERT_TRUE(page.save(dir.filePath("Graphics/Manual/1.bmp"), "BMP"));
  start();
  const auto* shown = program->manual().im_page_top();
  EXPECT_TRUE(shown->pixmap().isNull());
  program->manual().show_viewer();
  ASSERT_FALSE(shown->pixmap().isNull());
  EXPECT_EQ(shown->pixmap().toImage().pixelColor(100, 100), QColor(10, 120, 200));
  // Page 2 is absent: the marker.
  program->manual().Inp_right_down();
  program->manual().Inp_right_up();
  EXPECT_EQ(shown->pixmap().size(), QSize(10, 10));
}

TEST_F(StartUp, MissingCatalogueIsReportedAndEndsTheProgramAfterCreation) {
  QFile::remove(dir.filePath("Config.ini"));
  start();
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], "Configuration file (Config.ini) not found. Please reinstall the game.");
  EXPECT_EQ(terminations, 1);
  // Every window was still created; the empty list keeps Play out of reach.
  EXPECT_EQ(splash().cb_skin()->count(), 0);
  EXPECT_TRUE(splash().btn_play()->isHidden());
  EXPECT_EQ(program->about().la_version()->text(), QString("Version S5/1.02  * Bugfix *"));
  EXPECT_EQ(program->manual().manual_page(), 1);
  QTest::keyClick(splash().cb_skin(), Qt::Key_Return);
  EXPECT_EQ(form().engine().state().game_mode, 0);
}

TEST_F(StartUp, MissingFirstSampleStopsPlayAndResetsTheChoice) {
  QFile::remove(dir.filePath("Sound/Chance.wav"));
  start({{"SoundMode", "1"}});
  choose_and_play(0, kDriverMultimedia, false);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], "Sound folder unproperly installed. Please reinstall the game.");
  EXPECT_EQ(terminations, 1);
  EXPECT_EQ(stored("SoundMode"), "-1");
  EXPECT_EQ(stored("SplashScreen"), "1");
  // The rest of Play is skipped: the splash stays, the handheld stays away.
  EXPECT_TRUE(splash().isVisible());
  EXPECT_EQ(form().pos(), off_screen());
  EXPECT_NE(form().engine().state().game_mode, mode_all_lit);
}

TEST_F(StartUp, NoSoundDriverNeverCallsTheLibraryUntilTheClose) {
  start();
  choose_and_play(0, kDriverNone, true);
  EXPECT_TRUE(library.calls().empty());
  EXPECT_FALSE(form().engine().snd_enabled());
  program->FormClose();
  EXPECT_EQ(library.calls(), (std::vector<std::string>{"free null", "free null", "free null", "free null",
                                                       "free null", "close"}));
  EXPECT_EQ(terminations, 1);
}

TEST_F(StartUp, ClosingTheMainWindowReleasesTheSound) {
  start();
  choose_and_play(0, kDriverDirect, true);
  library.clear();
  program->form().close();
  ASSERT_EQ(library.calls().size(), 6u);
  EXPECT_EQ(library.calls().back(), "close");
  EXPECT_EQ(terminations, 1);
}

TEST_F(StartUp, KeySettingsDialogStartsWithTheBindingsJustRead) {
  start({{"Key1", "12"}, {"Key7", "99"}});
  EXPECT_EQ(program->keys().box(1)->currentIndex(), 11);
  // A binding the list does not have was set back to its default.
  EXPECT_EQ(program->keys().box(7)->currentIndex(), 43);
}

TEST_F(StartUp, DamagedSkinOnTheAutomaticPathShowsTheFailureAndTheSplash) {
  write("Graphics/Skin1/Config.ini",
        "[Common]\nGameWidth=300\nGameHeight=200\n[Image1]\nFilename=back.png\n");
  write("Graphics/Skin1/back.png", "this is no picture");
  start({{"Skin", "1"}, {"SoundMode", "2"}, {"SplashScreen", "0"}, {"FullscreenMode", "0"}});
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_NE(failures[0].find("back.png"), std::string::npos);
  EXPECT_TRUE(splash().isVisible());
  EXPECT_TRUE(splash().splash_pending());
  // Another skin can still be played.
  choose_and_play(1, kDriverNone, false);
  EXPECT_FALSE(splash().isVisible());
  EXPECT_EQ(form().engine().state().game_mode, mode_all_lit);
}

class RunningProgram : public StartUp {
 protected:
  void SetUp() override {
    StartUp::SetUp();
    start({{"HiScore1", "45"}, {"HiScore2", "70"}});
    choose_and_play(0, kDriverNone, true);
    program->show_main_window();
    QApplication::processEvents();
  }
};

TEST_F(RunningProgram, FullscreenStartsWithTheMenuButtonAndItsOverlay) {
  ASSERT_TRUE(form().fullscreen_mode());
  EXPECT_EQ(form().size(), screen());
  emit form().game_menu_clicked();
  EXPECT_TRUE(program->menu().game_menu_open());
  EXPECT_EQ(form().scene().geometry(ElementId::btn_game_menu_background), QRect(0, 0, 305, 640));
  ASSERT_EQ(program->menu().rows().size(), 19u);
  EXPECT_EQ(program->menu().rows()[9]->text(), QString("[x] Display in fullscreen mode"));
  EXPECT_EQ(program->menu().rows()[10]->text(), QString("[x] Display splash screen at startup"));
}

TEST_F(RunningProgram, F12WithTheOverlayOpenClosesItAndComesBackWindowed) {
  emit form().game_menu_clicked();
  QTest::keyClick(&form(), Qt::Key_F12);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(program->menu().game_menu_open());
  EXPECT_TRUE(form().findChildren<GameMenuRow*>().empty());
  EXPECT_FALSE(form().fullscreen_mode());
  EXPECT_EQ(stored("FullscreenMode"), "0");
  EXPECT_EQ(form().size(), QSize(300, 200));
  EXPECT_EQ(form().pos(), QPoint((screen().width() - 300) / 2, (screen().height() - 200) / 2));
  EXPECT_FALSE(form().scene().is_visible(ElementId::btn_game_menu_top));
}

TEST_F(RunningProgram, ResetHiscoresZeroesTheKeptScoresAndBeeps) {
  ASSERT_EQ(form().engine().state().hi_score_a, 45);
  program->menu().run_command(pm_8_hiscore);
  EXPECT_EQ(form().engine().state().hi_score_a, 0);
  EXPECT_EQ(form().engine().state().hi_score_b, 0);
  EXPECT_EQ(stored("HiScore1"), "0");
  EXPECT_EQ(stored("HiScore2"), "0");
  EXPECT_EQ(beeps, 1);
}

TEST_F(RunningProgram, ResetHiscoresKeepsTheRunningScore) {
  form().engine().state_for_tests().score = 12;
  program->menu().run_command(pm_8_hiscore);
  EXPECT_EQ(form().engine().state().score, 12);
  EXPECT_EQ(form().engine().state().hi_score_b, 0);
}

TEST_F(RunningProgram, EscOnTheHandheldEndsTheProgram) {
  QTest::keyClick(&form(), Qt::Key_Escape);
  EXPECT_EQ(terminations, 1);
}

TEST_F(RunningProgram, ShortcutsOpenTheDialogs) {
  QTest::keyClick(&form(), Qt::Key_F1);
  QTest::keyClick(&form(), Qt::Key_F4);
  EXPECT_TRUE(program->about().isVisible());
  EXPECT_TRUE(program->manual().isVisible());
  EXPECT_TRUE(form().isEnabled());
}

}  // namespace
}  // namespace hero
