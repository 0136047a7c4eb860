#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QTest>
#include <QUrl>
#include <QWidget>

#include "dialogs/menus/menu.h"
#include "dialogs/menus/shell.h"
#include "engine/memory_settings_store.h"
#include "engine/settings_codec.h"
#include "tests/dialogs/recording_menu_host.h"
#include "tests/support/qt_app.h"

namespace hero {
namespace {

using test::RecordingHost;

class ContextMenu : public ::testing::Test {
 protected:
  // The host's window needs the application before it is made.
  struct ApplicationFirst {
    ApplicationFirst() { test::qt_app(); }
  } application_first;

  void SetUp() override {
    test::qt_app();
    set_shell_opener([this](const QUrl& url) { opened.push_back(url.fileName()); });
  }
  void TearDown() override {
    set_shell_opener({});
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  void make_menu() { menu = std::make_unique<GameMenu>(host); }

  int visible_rows() const {
    int count = 0;
    for (auto* row : host.window.findChildren<GameMenuRow*>())
      if (row->isVisibleTo(&host.window)) ++count;
    return count;
  }

  RecordingHost host;
  std::unique_ptr<GameMenu> menu;
  std::vector<QString> opened;
};

// Zoom, Preferences, Best games and the offer of a game left unfinished
// (hidden while there is none) stand before the last separator: Exit stays
// last.
TEST_F(ContextMenu, HoldsThirteenItemsWithTheirCaptionsAndShortcutColumnAndExitLast) {
  make_menu();
  const QList<QAction*> actions = menu->pm_0_menu()->actions();
  ASSERT_EQ(actions.size(), kMenuItemCount + 4);
  EXPECT_EQ(actions[11]->menu(), menu->zoom_menu());
  EXPECT_EQ(actions[11]->text(), QString("Zoom"));
  EXPECT_EQ(actions[12], menu->preferences_item());
  EXPECT_EQ(actions[12]->text(), QString("Preferences...\tCtrl+P"));
  EXPECT_EQ(actions[0]->text(), QString("About...\tF1"));
  EXPECT_EQ(actions[1]->text(), QString("View 'Readme.txt'\tF2"));
  EXPECT_EQ(actions[3]->text(), QString("View manual\tF4"));
  EXPECT_TRUE(actions[4]->isSeparator());
  EXPECT_EQ(actions[5]->text(), QString("Edit configuration file"));
  EXPECT_EQ(actions[9]->text(), QString("Display in fullscreen mode\tF12"));
  EXPECT_EQ(actions[13]->menu(), menu->best_games_menu());
  EXPECT_EQ(actions[13]->text(), QString("Best games"));
  EXPECT_EQ(actions[14], menu->continue_item());
  EXPECT_FALSE(actions[14]->isVisible());
  EXPECT_TRUE(actions[15]->isSeparator());
  EXPECT_EQ(actions[16]->text(), QString("Exit\tEsc"));
  EXPECT_EQ(actions.back(), menu->item(pm_14_exit));
  EXPECT_EQ(menu->pm_0_menu()->defaultAction(), actions[0]);
  for (QAction* action : actions) EXPECT_TRUE(action->isEnabled() || !action->isVisible());
  QStringList zoom;
  for (QAction* action : menu->zoom_menu()->actions()) zoom << action->text();
  EXPECT_EQ(zoom,
            (QStringList{"50 %", "75 %", "100 %\tCtrl+0", "125 %", "150 %", "200 %", "Fit to screen", "",
                         "Zoom in\tCtrl++", "Zoom out\tCtrl+-", "", "Display game fitted to the screen"}));
}

// Each best game's item shows its score when the menu opens, and is
// disabled while there is none; the items reach the host.
TEST_F(ContextMenu, BestGamesShowTheirScoresAndOnlyAKeptOneCanBeWatched) {
  make_menu();
  const auto& items = menu->best_games_items();
  ASSERT_EQ(items.size(), 3U);
  EXPECT_EQ(items[0]->text(), QString("Watch best Game A"));
  EXPECT_FALSE(items[0]->isEnabled());
  host.best_a = 312;
  emit menu->best_games_menu()->aboutToShow();
  EXPECT_EQ(items[0]->text(), QString("Watch best Game A (312)"));
  EXPECT_TRUE(items[0]->isEnabled());
  EXPECT_EQ(items[1]->text(), QString("Watch best Game B"));
  EXPECT_FALSE(items[1]->isEnabled());
  EXPECT_EQ(items[2]->text(), QString("Open the games folder"));
  items[0]->trigger();
  items[2]->trigger();
  EXPECT_EQ(host.calls, (std::vector<std::string>{"watch A", "games folder"}));
}

TEST_F(ContextMenu, FullscreenMarkFollowsTheModeReadAtCreation) {
  host.fullscreen = true;
  make_menu();
  EXPECT_TRUE(menu->item(pm_10_fullscreen)->isChecked());
}

TEST_F(ContextMenu, OpeningReadsTheSplashMarkFromTheStore) {
  make_menu();
  host.store.write_text("SplashScreen", "0");
  menu->pm_0_menuPopup();
  EXPECT_FALSE(menu->item(pm_11_splashscreen)->isChecked());
  host.store.write_text("SplashScreen", "7");
  menu->pm_0_menuPopup();
  EXPECT_TRUE(menu->item(pm_11_splashscreen)->isChecked());
}

TEST_F(ContextMenu, AbsentSplashValueFollowsTheSplashCheckBox) {
  make_menu();
  host.checkbox = false;
  menu->pm_0_menuPopup();
  EXPECT_FALSE(menu->item(pm_11_splashscreen)->isChecked());
  host.checkbox = true;
  menu->pm_0_menuPopup();
  EXPECT_TRUE(menu->item(pm_11_splashscreen)->isChecked());
}

TEST_F(ContextMenu, DocumentsAndCatalogueGoToTheShell) {
  make_menu();
  menu->run_command(pm_2_readme);
  menu->run_command(pm_3_whatsnew);
  menu->run_command(pm_6_config);
  EXPECT_EQ(opened, (std::vector<QString>{"Readme.txt", "Whatsnew.txt", "Config.ini"}));
  EXPECT_TRUE(host.calls.empty());
}

TEST_F(ContextMenu, ResetHiscoresResetsThenBeeps) {
  make_menu();
  menu->run_command(pm_8_hiscore);
  EXPECT_EQ(host.hi_a, 0);
  EXPECT_EQ(host.hi_b, 0);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"high scores", "beep"}));
}

TEST_F(ContextMenu, FullscreenToggleFlipsTheModeAndItsMark) {
  make_menu();
  menu->run_command(pm_10_fullscreen);
  EXPECT_TRUE(menu->item(pm_10_fullscreen)->isChecked());
  EXPECT_EQ(host.calls, (std::vector<std::string>{"fullscreen on"}));
  menu->run_command(pm_10_fullscreen);
  EXPECT_FALSE(host.fullscreen);
  EXPECT_FALSE(menu->item(pm_10_fullscreen)->isChecked());
}

TEST_F(ContextMenu, SplashToggleFlipsTheMarkAndStoresIt) {
  make_menu();
  menu->set_splash_check(true);
  menu->run_command(pm_11_splashscreen);
  EXPECT_FALSE(menu->item(pm_11_splashscreen)->isChecked());
  EXPECT_EQ(host.store.read_text("SplashScreen"), "0");
  menu->run_command(pm_11_splashscreen);
  EXPECT_EQ(host.store.read_text("SplashScreen"), "1");
}

// The menu's own items, clicked as the player clicks them: a checkable item
// has flipped its mark before its command runs.
TEST_F(ContextMenu, ClickedCheckItemsStoreTheFlippedStateAndShowIt) {
  make_menu();
  menu->set_splash_check(true);
  menu->item(pm_11_splashscreen)->trigger();
  EXPECT_FALSE(menu->item(pm_11_splashscreen)->isChecked());
  EXPECT_EQ(host.store.read_text("SplashScreen"), "0");
  menu->item(pm_11_splashscreen)->trigger();
  EXPECT_TRUE(menu->item(pm_11_splashscreen)->isChecked());
  EXPECT_EQ(host.store.read_text("SplashScreen"), "1");

  menu->item(pm_10_fullscreen)->trigger();
  EXPECT_TRUE(host.fullscreen);
  EXPECT_TRUE(menu->item(pm_10_fullscreen)->isChecked());
  menu->item(pm_10_fullscreen)->trigger();
  EXPECT_FALSE(host.fullscreen);
  EXPECT_FALSE(menu->item(pm_10_fullscreen)->isChecked());
  EXPECT_EQ(host.calls, (std::vector<std::string>{"fullscreen on", "fullscreen off"}));
}

TEST_F(ContextMenu, RefusedWritesLeaveTheMarksAsStored) {
  make_menu();
  menu->set_splash_check(true);
  host.store.set_failing(true);
  // The commands as the items run them (an exception thrown through Qt's
  // own signal delivery would leave Qt's bookkeeping behind in a test; in
  // the program the general error handler takes it).
  EXPECT_ANY_THROW(menu->run_command(pm_10_fullscreen));
  EXPECT_FALSE(host.fullscreen);
  EXPECT_FALSE(menu->item(pm_10_fullscreen)->isChecked());
  EXPECT_ANY_THROW(menu->run_command(pm_11_splashscreen));
  EXPECT_TRUE(menu->item(pm_11_splashscreen)->isChecked());
}

// While a dialog has disabled the handheld, its shortcuts are dead too.
TEST_F(ContextMenu, DisabledMainWindowTakesNoShortcuts) {
  make_menu();
  qApp->installEventFilter(menu.get());
  host.window.setEnabled(false);
  QTest::keyClick(&host.window, Qt::Key_F12);
  QTest::keyClick(&host.window, Qt::Key_F1);
  QTest::keyClick(&host.window, Qt::Key_Escape);
  EXPECT_TRUE(host.calls.empty());
  EXPECT_FALSE(host.store.read_text("FullscreenMode"));
  host.window.setEnabled(true);
  QTest::keyClick(&host.window, Qt::Key_F1);
  qApp->removeEventFilter(menu.get());
  EXPECT_EQ(host.calls, (std::vector<std::string>{"about"}));
}

TEST_F(ContextMenu, ZoomItemsStoreTheStepAndMarkIt) {
  make_menu();
  const std::vector<QAction*>& items = menu->zoom_items();
  ASSERT_EQ(items.size(), 10u);
  EXPECT_TRUE(items[2]->isChecked());  // 100 %
  items[5]->trigger();                 // 200 %
  EXPECT_EQ(host.store.read_text("Zoom"), "200");
  EXPECT_TRUE(items[5]->isChecked());
  EXPECT_FALSE(items[2]->isChecked());
  items[6]->trigger();  // fit to screen
  EXPECT_EQ(host.store.read_text("Zoom"), "0");
  EXPECT_TRUE(items[6]->isChecked());
  EXPECT_FALSE(items[5]->isChecked());
  items[7]->trigger();
  items[8]->trigger();
  items[9]->trigger();  // the full-screen fit
  EXPECT_TRUE(host.fit);
  EXPECT_TRUE(items[9]->isChecked());
  EXPECT_EQ(host.store.read_text("FullscreenFit"), "1");
  host.store.set_failing(true);
  EXPECT_ANY_THROW(menu->run_command(kGameMenuFitRow));  // the same command as items[9]
  EXPECT_TRUE(items[9]->isChecked());
  EXPECT_EQ(host.calls, (std::vector<std::string>{"zoom 200", "zoom 0", "zoom in", "zoom out"}));
}

// Ctrl+Plus, Ctrl+Minus and Ctrl+0 are taken before the bindings see them,
// on the digit row's 0 of any layout, but not while a dialog holds the input.
TEST_F(ContextMenu, ControlPlusMinusAndZeroZoomTheHandheld) {
  make_menu();
  qApp->installEventFilter(menu.get());
  QTest::keyClick(&host.window, Qt::Key_Plus, Qt::ControlModifier);
  QTest::keyClick(&host.window, Qt::Key_Equal, Qt::ControlModifier);
  QTest::keyClick(&host.window, Qt::Key_Minus, Qt::ControlModifier);
  QTest::keyClick(&host.window, Qt::Key_0, Qt::ControlModifier);
  QTest::keyClick(&host.window, Qt::Key_Plus);  // no Ctrl: a key like any other
  QTest::keyClick(&host.window, Qt::Key_1, Qt::ControlModifier);
  host.window.setEnabled(false);
  QTest::keyClick(&host.window, Qt::Key_Plus, Qt::ControlModifier);
  host.window.setEnabled(true);
  // "Ctrl++" as typed on a US keyboard: Ctrl with Shift and "=".
  QTest::keyClick(&host.window, Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier);
  qApp->removeEventFilter(menu.get());
  EXPECT_EQ(host.calls, (std::vector<std::string>{"zoom in", "zoom in", "zoom out", "zoom 100", "zoom in"}));
}

// A key bound to a control works the control whatever the modifiers: with
// PAUSE on P and ACL on 0, Ctrl+P and Ctrl+0 reach the handheld, not the menu.
TEST_F(ContextMenu, BoundKeysWinOverTheControlShortcuts) {
  make_menu();
  host.bound_keys = {'P', '0'};
  qApp->installEventFilter(menu.get());
  QTest::keyClick(&host.window, Qt::Key_P, Qt::ControlModifier);
  QTest::keyClick(&host.window, Qt::Key_0, Qt::ControlModifier);
  QTest::keyClick(&host.window, Qt::Key_Minus, Qt::ControlModifier);  // unbound: still zooms
  qApp->removeEventFilter(menu.get());
  EXPECT_EQ(host.calls, (std::vector<std::string>{"zoom out"}));
}

TEST_F(ContextMenu, PreferencesFromTheItemControlPAndTheOverlayRow) {
  make_menu();
  qApp->installEventFilter(menu.get());
  menu->preferences_item()->trigger();
  QTest::keyClick(&host.window, Qt::Key_P, Qt::ControlModifier);
  QTest::keyClick(&host.window, Qt::Key_P);  // no Ctrl: a key like any other
  QTest::keyClick(&host.window, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
  host.window.setEnabled(false);
  QTest::keyClick(&host.window, Qt::Key_P, Qt::ControlModifier);
  host.window.setEnabled(true);
  qApp->removeEventFilter(menu.get());
  menu->run_command(kGameMenuPreferencesRow);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"preferences", "preferences", "preferences"}));
}

TEST_F(ContextMenu, OverlayMuteRowStoresTheFlippedMuteAndARefusedWriteChangesNothing) {
  make_menu();
  menu->run_command(kGameMenuMuteRow);
  EXPECT_TRUE(host.mute);
  EXPECT_EQ(host.store.read_text("Mute"), "1");
  menu->run_command(kGameMenuMuteRow);
  EXPECT_FALSE(host.mute);
  EXPECT_EQ(host.store.read_text("Mute"), "0");
  host.store.set_failing(true);
  EXPECT_ANY_THROW(menu->run_command(kGameMenuMuteRow));
  EXPECT_FALSE(host.mute);
}

TEST_F(ContextMenu, OverlayZoomRowStepsRoundAndFitRowToggles) {
  make_menu();
  host.zoom = 150;
  menu->run_command(kGameMenuZoomRow);
  EXPECT_EQ(host.zoom, 200);
  menu->run_command(kGameMenuZoomRow);
  EXPECT_EQ(host.zoom, 50);
  host.zoom = 0;
  menu->run_command(kGameMenuZoomRow);
  EXPECT_EQ(host.zoom, 50);
  menu->run_command(kGameMenuFitRow);
  EXPECT_TRUE(host.fit);
  menu->run_command(kGameMenuFitRow);
  EXPECT_FALSE(host.fit);
}

TEST_F(ContextMenu, DialogsAndExitReachTheirWindows) {
  make_menu();
  menu->run_command(pm_1_about);
  menu->run_command(pm_4_manual);
  menu->run_command(pm_7_keys);
  menu->run_command(pm_14_exit);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"about", "manual", "keys", "terminate"}));
}

TEST_F(ContextMenu, ShortcutKeysOnTheMainWindowRunTheirCommands) {
  make_menu();
  qApp->installEventFilter(menu.get());
  host.window.show();
  QTest::keyClick(&host.window, Qt::Key_F1);
  QTest::keyClick(&host.window, Qt::Key_F4);
  QTest::keyClick(&host.window, Qt::Key_F2);
  QTest::keyClick(&host.window, Qt::Key_Escape);
  // With a modifier, or for another key, nothing happens.
  QTest::keyClick(&host.window, Qt::Key_F1, Qt::ShiftModifier);
  QTest::keyClick(&host.window, Qt::Key_A);
  qApp->removeEventFilter(menu.get());
  EXPECT_EQ(host.calls, (std::vector<std::string>{"about", "manual", "terminate"}));
  EXPECT_EQ(opened, (std::vector<QString>{"Readme.txt"}));
}

TEST_F(ContextMenu, ShortcutKeysNeverReachTheWindowsOwnKeyHandling) {
  make_menu();
  struct KeyCounter : QObject {
    int presses = 0;
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::KeyPress) ++presses;
      return false;
    }
  } counter;
  host.window.installEventFilter(&counter);
  qApp->installEventFilter(menu.get());
  host.window.show();
  QTest::keyClick(&host.window, Qt::Key_F3);
  QTest::keyClick(&host.window, Qt::Key_Left);
  qApp->removeEventFilter(menu.get());
  EXPECT_EQ(counter.presses, 1);
}

TEST_F(ContextMenu, NoKeyOfTheMenuIsABindableOne) {
  for (const MenuItemEntry& entry : kMenuItems) {
    if (entry.shortcut_key == 0) continue;
    EXPECT_TRUE(entry.shortcut_key == 27 || (entry.shortcut_key >= 112 && entry.shortcut_key <= 123))
        << entry.name;
  }
}

class GameMenuOverlay : public ContextMenu {
 protected:
  void SetUp() override {
    ContextMenu::SetUp();
    host.fullscreen = true;
    make_menu();
    host.window.show();
  }
  void open_overlay() {
    menu->btn_game_menu_topClick();
    ASSERT_TRUE(menu->game_menu_open());
  }
  GameMenuRow* row(int number) { return menu->rows().at(static_cast<std::size_t>(number - 1)); }
};

TEST_F(GameMenuOverlay, OpensItsRowsWithTheirPrefixes) {
  host.store.write_text("SplashScreen", "0");
  menu->pm_0_menuPopup();
  host.best_a = 312;
  open_overlay();
  ASSERT_EQ(menu->rows().size(), 19u);
  EXPECT_EQ(host.backdrop, QSize(305, 640));
  // The overlay's own rows stand above the separator and Exit, the last row.
  EXPECT_EQ(row(14)->text(), QString("    Window zoom: 100 %"));
  EXPECT_EQ(row(14)->geometry(), QRect(0, 384, 305, 32));
  EXPECT_EQ(row(15)->text(), QString("[ ] Display game fitted to screen"));
  EXPECT_EQ(row(15)->geometry(), QRect(0, 416, 305, 32));
  EXPECT_EQ(row(16)->text(), QString("    Preferences..."));
  EXPECT_EQ(row(17)->text(), QString("[ ] Mute"));
  EXPECT_EQ(row(17)->geometry(), QRect(0, 480, 305, 32));
  EXPECT_EQ(row(18)->text(), QString("    Watch best Game A (312)"));
  EXPECT_TRUE(row(18)->active());
  EXPECT_EQ(row(18)->geometry(), QRect(0, 512, 305, 32));
  EXPECT_EQ(row(19)->text(), QString("    Watch best Game B")) << "shown dimmed, without a game";
  EXPECT_FALSE(row(19)->active());
  EXPECT_EQ(row(13)->text(), QString("    Exit"));
  EXPECT_EQ(row(13)->geometry(), QRect(0, 608, 305, 32));
  EXPECT_EQ(row(1)->text(), QString("    About..."));
  EXPECT_EQ(row(8)->text(), QString("    Reset Hiscores"));
  EXPECT_EQ(row(5)->text(), QString());
  EXPECT_FALSE(row(5)->active());
  EXPECT_EQ(row(10)->text(), QString("[x] Display in fullscreen mode"));
  EXPECT_EQ(row(11)->text(), QString("[ ] Display splash screen at startup"));
  EXPECT_EQ(row(13)->text(), QString("    Exit"));
  EXPECT_EQ(row(1)->geometry(), QRect(0, 32, 305, 32));
  EXPECT_EQ(row(12)->geometry(), QRect(0, 576, 305, 32)) << "the separator above Exit";
  EXPECT_LE(QFontMetrics(row(1)->font()).height(), 16);
  const QFontMetrics metrics(row(1)->font());
  EXPECT_EQ(metrics.horizontalAdvance("[x] "), metrics.horizontalAdvance("    "));
  // Every caption fits the row's width.
  for (GameMenuRow* r : menu->rows())
    EXPECT_LE(QFontMetrics(r->font()).horizontalAdvance(r->text()), 305) << r->text().toStdString();
}

TEST_F(GameMenuOverlay, ButtonTogglesTheOverlay) {
  open_overlay();
  menu->btn_game_menu_topClick();
  EXPECT_FALSE(menu->game_menu_open());
  EXPECT_TRUE(menu->rows().empty());
  EXPECT_EQ(visible_rows(), 0);
  EXPECT_EQ(host.backdrop, QSize(36, 32));
}

TEST_F(GameMenuOverlay, HoverTurnsARowIntoASolidBar) {
  open_overlay();
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 37), QPointF(5, 37));
  QApplication::sendEvent(row(2), &enter);
  EXPECT_TRUE(row(2)->highlighted());
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(row(2), &leave);
  EXPECT_FALSE(row(2)->highlighted());
  QApplication::sendEvent(row(5), &enter);
  EXPECT_FALSE(row(5)->highlighted());
}

TEST_F(GameMenuOverlay, ClickRunsTheCommandThenCloses) {
  open_overlay();
  QTest::mouseClick(row(1), Qt::LeftButton);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"about"}));
  EXPECT_FALSE(menu->game_menu_open());
  EXPECT_TRUE(menu->rows().empty());
  EXPECT_EQ(host.backdrop, QSize(36, 32));
}

TEST_F(GameMenuOverlay, ReleaseOutsideThePressedRowClosesWithoutACommand) {
  open_overlay();
  QTest::mousePress(row(13), Qt::LeftButton);
  QTest::mouseRelease(row(13), Qt::LeftButton, {}, QPoint(10, -40));
  EXPECT_TRUE(host.calls.empty());
  EXPECT_FALSE(menu->game_menu_open());
}

TEST_F(GameMenuOverlay, RightButtonOnARowReachesTheWindowBeneath) {
  open_overlay();
  struct RightPresses : QObject {
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::MouseButtonPress) ++count;
      return false;
    }
  } presses;
  host.window.installEventFilter(&presses);
  QTest::mousePress(row(2), Qt::RightButton);
  EXPECT_EQ(presses.count, 1);
}

TEST_F(GameMenuOverlay, RightButtonAndSeparatorRowsDoNothing) {
  open_overlay();
  QTest::mouseClick(row(1), Qt::RightButton);
  QTest::mouseClick(row(9), Qt::LeftButton);
  EXPECT_TRUE(host.calls.empty());
  EXPECT_TRUE(menu->game_menu_open());
  EXPECT_EQ(menu->rows().size(), static_cast<std::size_t>(kMenuItemCount + kGameMenuExtraRows));
}

TEST_F(GameMenuOverlay, FullscreenRowSwitchesToWindowedAndLeavesNoRows) {
  open_overlay();
  QTest::mouseClick(row(10), Qt::LeftButton);
  EXPECT_FALSE(host.fullscreen);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"fullscreen off"}));
  EXPECT_FALSE(menu->game_menu_open());
  EXPECT_TRUE(menu->rows().empty());
  EXPECT_EQ(host.backdrop, QSize(36, 32));
}

TEST_F(GameMenuOverlay, F12WithTheOverlayOpenClosesItFirst) {
  qApp->installEventFilter(menu.get());
  open_overlay();
  QTest::keyClick(&host.window, Qt::Key_F12);
  qApp->removeEventFilter(menu.get());
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(menu->game_menu_open());
  EXPECT_TRUE(menu->rows().empty());
  EXPECT_TRUE(host.window.findChildren<GameMenuRow*>().empty());
  EXPECT_FALSE(host.fullscreen);
  EXPECT_FALSE(menu->item(pm_10_fullscreen)->isChecked());
}

TEST_F(GameMenuOverlay, OpeningTheContextMenuClosesTheOverlay) {
  open_overlay();
  menu->pm_0_menuPopup();
  EXPECT_FALSE(menu->game_menu_open());
  EXPECT_EQ(visible_rows(), 0);
}

TEST(GameMenuRows, PrefixRuleGivesCheckBoxesOnlyToDisplayItems) {
  EXPECT_EQ(game_menu_row_text("Display in fullscreen mode", false),
            QString("[ ] Display in fullscreen mode"));
  EXPECT_EQ(game_menu_row_text("Exit", true), QString("    Exit"));
  EXPECT_EQ(game_menu_row_text("-", true), QString());
}

}  // namespace
}  // namespace hero
