// The Preferences dialog in a running program: how it opens and that every
// way of closing it gives the handheld back its input; sliders heard and
// seen at once and put back by Esc; Accept storing what the next run uses;
// a pad's buttons mapped by pressing them.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include <algorithm>

#include "dialogs/keys/keys.h"
#include "dialogs/menus/click_label.h"
#include "dialogs/menus/preferences.h"
#include "display/lcd/element_ids.h"
#include "display/skins/zoom.h"
#include "display/window/unit1.h"
#include "engine/engine.h"
#include "tests/gamepad/virtual_pad.h"
#include "tests/program/program_fixture.h"

namespace hero {
namespace {

using test::ProgramTest;
using test::VirtualPad;

class Preferences : public ProgramTest {
 protected:
  // A run with these stored values, played on the first skin with a real
  // sound driver, the handheld shown.
  void play(std::vector<std::pair<std::string, std::string>> stored = {}) {
    stored.insert(stored.begin(), {"FullscreenMode", "0"});
    start(stored);
    program->splash().cb_skin()->setCurrentIndex(0);
    program->splash().cb_sound()->setCurrentIndex(kDriverDirect);
    QTest::mouseClick(program->splash().btn_play(), Qt::LeftButton);
    program->show_main_window();
    QApplication::processEvents();
    library.clear();
  }
  // The same store again, as the next run finds it.
  void restart_and_play() {
    const auto kept = store->all();
    play({kept.begin(), kept.end()});
  }

  TForm1& form() { return program->form(); }
  TPreferencesForm& dialog() { return program->preferences(); }
  void open_with_ctrl_p() { QTest::keyClick(&form(), Qt::Key_P, Qt::ControlModifier); }
  std::string last_volume_call() const {
    for (auto it = library.calls().rbegin(); it != library.calls().rend(); ++it)
      if (it->rfind("volume ", 0) == 0) return *it;
    return "none";
  }
  // Presses and releases a pad button, with the program's look at SDL's
  // input after each.
  void click(VirtualPad& pad, SDL_GameControllerButton button) {
    pad.button(button, true);
    program->gamepad().poll();
    pad.button(button, false);
    program->gamepad().poll();
  }
};

TEST_F(Preferences, EveryWayOfClosingGivesTheHandheldItsInputBackAndOnlyAcceptStores) {
  play();
  open_with_ctrl_p();
  ASSERT_TRUE(dialog().isVisible());
  EXPECT_FALSE(form().isEnabled());
  // While it is open the handheld's shortcuts are dead: Ctrl+P again does
  // not reopen, F12 does not switch.
  QTest::keyClick(&form(), Qt::Key_F12);
  EXPECT_FALSE(form().fullscreen_mode());

  QTest::keyClick(dialog().volume_slider(), Qt::Key_Escape);
  EXPECT_FALSE(dialog().isVisible());
  EXPECT_TRUE(form().isEnabled());

  program->menu().run_command(kGameMenuPreferencesRow);
  ASSERT_TRUE(dialog().isVisible());
  dialog().close();  // the window system's close box, Alt+F4
  EXPECT_FALSE(dialog().isVisible());
  EXPECT_TRUE(form().isEnabled());

  program->menu().preferences_item()->trigger();
  ASSERT_TRUE(dialog().isVisible());
  QTest::mouseClick(dialog().cancel_button(), Qt::LeftButton);
  EXPECT_TRUE(form().isEnabled());
  EXPECT_FALSE(stored("Volume"));
  EXPECT_FALSE(stored("Pad1"));

  open_with_ctrl_p();
  QTest::mouseClick(dialog().accept_button(), Qt::LeftButton);
  EXPECT_FALSE(dialog().isVisible());
  EXPECT_TRUE(form().isEnabled());
  EXPECT_EQ(stored("Pad1"), "a");
  EXPECT_EQ(stored("Pad7"), "start");
  // Values the player never touched nor stored stay unstored: the shade
  // stays the skin's to choose, the zoom the first start's.
  for (const char* name : {"Volume", "Mute", "GhostSegments", "Zoom", "FullscreenFit"})
    EXPECT_FALSE(stored(name)) << name;
}

TEST_F(Preferences, SlidersAreHeardAndSeenAtOnceAndEscPutsThemBack) {
  play({{"Volume", "80"}, {"GhostSegments", "big"}});
  open_with_ctrl_p();
  EXPECT_EQ(dialog().volume_slider()->value(), 80);
  EXPECT_EQ(dialog().ghost_slider()->value(), 0);
  dialog().volume_slider()->setValue(30);
  EXPECT_EQ(last_volume_call(), "volume 30");
  dialog().mute_box()->setChecked(true);
  EXPECT_EQ(last_volume_call(), "volume 0");
  EXPECT_FALSE(dialog().volume_slider()->isEnabled());
  dialog().ghost_slider()->setValue(20);
  EXPECT_EQ(form().scene().ghost_percent(), 20);

  const auto beeps_before =
      std::count_if(library.calls().begin(), library.calls().end(),
                    [](const std::string& call) { return call.rfind("play ", 0) == 0; });
  QTest::mouseClick(dialog().test_button(), Qt::LeftButton);
  const auto beeps_after = std::count_if(library.calls().begin(), library.calls().end(),
                                         [](const std::string& call) { return call.rfind("play ", 0) == 0; });
  EXPECT_EQ(beeps_after, beeps_before + 1);

  QTest::keyClick(dialog().ghost_slider(), Qt::Key_Escape);
  EXPECT_EQ(last_volume_call(), "volume 80");
  EXPECT_EQ(form().scene().ghost_percent(), 0);
  EXPECT_EQ(stored("Volume"), "80");
  EXPECT_EQ(stored("GhostSegments"), "big");
}

// The LCD response is previewed on the handheld: a segment switched on then
// fades in, drawn frame by frame until it settles, after which no frame is
// drawn; Esc puts the response back, Enter stores it.
TEST_F(Preferences, TheLcdResponseIsSeenAtOnceAndFramesStopWhenSegmentsSettle) {
  play();
  open_with_ctrl_p();
  EXPECT_EQ(dialog().response_slider()->value(), 0);
  dialog().response_slider()->setValue(120);
  EXPECT_EQ(form().scene().response_ms(), 120);
  QTest::keyClick(dialog().response_slider(), Qt::Key_Escape);
  EXPECT_EQ(form().scene().response_ms(), 0);
  EXPECT_FALSE(stored("LcdResponse"));

  open_with_ctrl_p();
  dialog().response_slider()->setValue(40);
  QTest::keyClick(dialog().response_slider(), Qt::Key_Return);
  EXPECT_EQ(stored("LcdResponse"), "40");
  QTest::keyClick(&form(), Qt::Key_1);  // GAME A held: the segments change
  EXPECT_TRUE(form().drawing_fades());
  EXPECT_TRUE(QTest::qWaitFor([&] { return !form().drawing_fades(); }, 10000));
  EXPECT_FALSE(form().scene().fading());
}

TEST_F(Preferences, AcceptedLoudnessAndShadeAreWhatTheNextRunStartsWith) {
  play({{"Volume", "300"}, {"Mute", "maybe"}});
  open_with_ctrl_p();
  // Unreadable values show as the defaults.
  EXPECT_EQ(dialog().volume_slider()->value(), 100);
  EXPECT_FALSE(dialog().mute_box()->isChecked());
  dialog().volume_slider()->setValue(30);
  dialog().ghost_slider()->setValue(20);
  QTest::keyClick(dialog().volume_slider(), Qt::Key_Return);
  EXPECT_FALSE(dialog().isVisible());
  EXPECT_EQ(stored("Volume"), "30");
  EXPECT_EQ(stored("GhostSegments"), "20");
  EXPECT_EQ(form().scene().ghost_percent(), 20);

  restart_and_play();
  EXPECT_EQ(program->sound().level(), (SoundLevel{30, false}));
  EXPECT_EQ(form().scene().ghost_percent(), 20);

  // Mute from the in-game menu's row, stored as it changes.
  program->menu().run_command(kGameMenuMuteRow);
  EXPECT_EQ(last_volume_call(), "volume 0");
  EXPECT_EQ(stored("Mute"), "1");
  restart_and_play();
  EXPECT_EQ(program->sound().level(), (SoundLevel{30, true}));
  open_with_ctrl_p();
  EXPECT_TRUE(dialog().mute_box()->isChecked());
}

// A window that takes the keyboard first lets go of every control a key
// holds down: the key's release goes to that window, and the handheld would
// keep LEFT pressed for ever (its next press ignored).
TEST_F(Preferences, AGameKeyHeldWhenAWindowTakesTheKeyboardIsLetGo) {
  play();
  const auto left_held = [&] { return form().scene().is_visible(ElementId::btn_left_down); };
  for (const int way : {0, 1, 2}) {
    form().activateWindow();
    QApplication::processEvents();
    QTest::keyPress(&form(), Qt::Key_Left);
    ASSERT_TRUE(left_held()) << way;
    if (way == 0) open_with_ctrl_p();
    if (way == 1) program->menu().run_command(pm_7_keys);
    if (way == 2) program->menu().run_command(pm_1_about);
    QApplication::processEvents();
    EXPECT_FALSE(left_held()) << "way " << way << ": LEFT is still held";
    QWidget* taker =
        QApplication::activeModalWidget() ? QApplication::activeModalWidget() : QApplication::activeWindow();
    if (taker && taker != &form()) {
      QTest::keyRelease(taker, Qt::Key_Left);
      QTest::keyClick(taker, Qt::Key_Escape);
    }
    QApplication::processEvents();
    QTest::keyPress(&form(), Qt::Key_Left);
    EXPECT_TRUE(left_held()) << "way " << way << ": the next press is taken";
    QTest::keyRelease(&form(), Qt::Key_Left);
  }
}

// PAUSE bound to P (choice 26): Ctrl+P pauses the game, as P alone does,
// and the Preferences stay closed (with P unbound Ctrl+P opens them, as the
// other tests do).
TEST_F(Preferences, AKeyBoundToAControlWinsOverCtrlP) {
  play({{"Key7", "26"}});
  QTest::keyClick(&form(), Qt::Key_1);  // GAME A
  ASSERT_EQ(form().engine().state().game_mode, mode_game_a);
  QTest::keyClick(&form(), Qt::Key_P, Qt::ControlModifier);
  EXPECT_TRUE(form().engine().state().paused);
  EXPECT_FALSE(program->preferences().isVisible());
}

// A game area as large as the default skin's (1475 x 870) on a smaller
// screen: a first full-screen start fits it rather than cut the buttons off,
// and stores nothing; a stored choice is obeyed either way.
TEST_F(Preferences, AFirstFullScreenStartOnASmallScreenFitsUnlessTheFitWasChosen) {
  write("Graphics/Skin1/Config.ini", "[Common]\nGameWidth=1475\nGameHeight=870\n");
  ASSERT_LT(screen().width(), 1475);
  play({{"FullscreenMode", "1"}});
  ASSERT_TRUE(form().fullscreen_mode());
  EXPECT_LT(form().scene().view().scale, 1.0);
  EXPECT_FALSE(stored("FullscreenFit"));
  restart_and_play();
  EXPECT_LT(form().scene().view().scale, 1.0);
  program.reset();
  play({{"FullscreenMode", "1"}, {"FullscreenFit", "0"}});
  EXPECT_EQ(form().scene().view().scale, 1.0);
}

// Off by default: nothing pauses a game but PAUSE. On: the Preferences, a
// key dialog and the in-game menu each pause a running game with the
// handheld's own PAUSE while open, and closing them goes on with it; a game
// the player paused stays paused.
TEST_F(Preferences, PauseInMenusIsTheHandheldsOwnPauseWhileAMenuOrDialogIsOpen) {
  play();
  const auto paused = [&] {
    QApplication::processEvents();
    return form().engine().state().paused;
  };
  QTest::keyClick(&form(), Qt::Key_1);  // GAME A
  open_with_ctrl_p();
  EXPECT_FALSE(paused()) << "off by default";
  auto* box = dialog().findChild<QCheckBox*>(QStringLiteral("cb_pause_in_menus"));
  ASSERT_TRUE(box);
  EXPECT_FALSE(box->isChecked());
  box->setChecked(true);
  QTest::keyClick(dialog().volume_slider(), Qt::Key_Return);
  EXPECT_EQ(stored("PauseInMenus"), "1");
  EXPECT_FALSE(paused());

  open_with_ctrl_p();
  EXPECT_TRUE(paused());
  QTest::keyClick(dialog().volume_slider(), Qt::Key_Escape);
  EXPECT_FALSE(paused());
  program->menu().run_command(pm_7_keys);
  EXPECT_TRUE(paused());
  QTest::keyClick(program->keys().box(1), Qt::Key_Escape);
  EXPECT_FALSE(paused());
  program->menu().btn_game_menu_topClick();
  EXPECT_TRUE(paused());
  program->menu().btn_game_menu_topClick();
  EXPECT_FALSE(paused());

  QTest::keyClick(&form(), Qt::Key_Space);  // the player's own PAUSE
  ASSERT_TRUE(paused());
  open_with_ctrl_p();
  QTest::keyClick(dialog().volume_slider(), Qt::Key_Escape);
  EXPECT_TRUE(paused()) << "the player's pause is the player's to end";
}

TEST_F(Preferences, ZoomAndFitShowWhatIsStoredAndOnlyAcceptChangesThem) {
  play({{"Zoom", "150"}, {"FullscreenFit", "1"}});
  open_with_ctrl_p();
  QComboBox* zoom = dialog().zoom_box();
  QCheckBox* fit = dialog().fit_box();
  EXPECT_EQ(zoom->currentData().toInt(), 150);
  EXPECT_TRUE(fit->isChecked());
  const QSize at_150 = form().size();
  zoom->setCurrentIndex(zoom->findData(75));
  // The zoom is seen at once; the fit shows only in full screen.
  EXPECT_EQ(form().zoom_percent(), 75);
  EXPECT_LT(form().width(), at_150.width());
  fit->setChecked(false);
  QTest::keyClick(dialog().volume_slider(), Qt::Key_Escape);
  EXPECT_EQ(form().size(), at_150);
  EXPECT_EQ(stored("Zoom"), "150");
  EXPECT_EQ(stored("FullscreenFit"), "1");
  EXPECT_EQ(form().zoom_percent(), 150);
  EXPECT_TRUE(form().fullscreen_fit());

  open_with_ctrl_p();
  EXPECT_EQ(zoom->currentData().toInt(), 150) << "Esc put the choice back";
  EXPECT_TRUE(fit->isChecked());
  zoom->setCurrentIndex(zoom->findData(kZoomFit));
  fit->setChecked(false);
  QTest::keyClick(dialog().volume_slider(), Qt::Key_Return);
  EXPECT_EQ(stored("Zoom"), "0");
  EXPECT_EQ(stored("FullscreenFit"), "0");
  EXPECT_EQ(form().zoom_percent(), kZoomFit);
  EXPECT_FALSE(form().fullscreen_fit());
  restart_and_play();
  EXPECT_EQ(form().zoom_percent(), kZoomFit);
  EXPECT_FALSE(form().fullscreen_fit());
}

TEST_F(Preferences, RefusedWriteKeepsTheDialogOpenAndEscStillPutsThingsBack) {
  play({{"Volume", "70"}});
  open_with_ctrl_p();
  dialog().volume_slider()->setValue(20);
  store->set_failing(true);
  EXPECT_ANY_THROW(dialog().accept());
  store->set_failing(false);
  EXPECT_TRUE(dialog().isVisible());
  EXPECT_FALSE(form().isEnabled());
  dialog().cancel();
  EXPECT_TRUE(form().isEnabled());
  EXPECT_EQ(program->sound().level().volume_percent, 70);
}

TEST_F(Preferences, PadButtonsAreMappedByPressingThemAndWorkOnceAccepted) {
  play();
  VirtualPad pad("Test pad");
  ASSERT_TRUE(pad.plugged());
  program->gamepad().poll();
  open_with_ctrl_p();
  EXPECT_EQ(dialog().pads_label()->text(), QString("Connected: Test pad"));
  EXPECT_EQ(dialog().pad_box(KeyAction::game_a)->currentText(), QString("A"));

  // Press..., then X on the pad: GAME A is X. The press works nothing.
  QTest::mouseClick(dialog().press_button(KeyAction::game_a), Qt::LeftButton);
  EXPECT_EQ(dialog().press_button(KeyAction::game_a)->text(), QString("Press a button"));
  click(pad, SDL_CONTROLLER_BUTTON_X);
  EXPECT_FALSE(dialog().capturing());
  EXPECT_EQ(dialog().pad_box(KeyAction::game_a)->currentText(), QString("X"));
  EXPECT_EQ(form().engine().state().game_mode, mode_all_lit);

  // Esc first gives up waiting, and only the next one closes.
  QTest::mouseClick(dialog().press_button(KeyAction::time), Qt::LeftButton);
  QTest::keyClick(dialog().volume_slider(), Qt::Key_Escape);
  EXPECT_FALSE(dialog().capturing());
  EXPECT_TRUE(dialog().isVisible());
  click(pad, SDL_CONTROLLER_BUTTON_B);
  EXPECT_EQ(dialog().pad_box(KeyAction::time)->currentText(), QString("Y"));

  // From the list: PAUSE's Start for GAME B, and PAUSE takes GAME B's B.
  dialog().pad_box(KeyAction::game_b)->setCurrentIndex(SDL_CONTROLLER_BUTTON_START);
  EXPECT_EQ(dialog().pad_box(KeyAction::pause)->currentText(), QString("B"));
  QTest::mouseClick(dialog().accept_button(), Qt::LeftButton);
  EXPECT_EQ(stored("Pad1"), "x");
  EXPECT_EQ(stored("Pad2"), "start");
  EXPECT_EQ(stored("Pad7"), "b");

  click(pad, SDL_CONTROLLER_BUTTON_X);
  EXPECT_EQ(form().engine().state().game_mode, mode_game_a);

  // Restore defaults shows them; Esc keeps what was stored.
  open_with_ctrl_p();
  QTest::mouseClick(dialog().defaults_button(), Qt::LeftButton);
  EXPECT_EQ(dialog().pad_box(KeyAction::game_a)->currentText(), QString("A"));
  EXPECT_EQ(dialog().shown_pad_bindings(), PadBindings());
  QTest::keyClick(dialog().volume_slider(), Qt::Key_Escape);
  EXPECT_EQ(stored("Pad1"), "x");
  EXPECT_EQ(program->pad_bindings().button(KeyAction::game_a), SDL_CONTROLLER_BUTTON_X);

  // A pad pulled out while the dialog waits for its button: no more waiting.
  open_with_ctrl_p();
  QTest::mouseClick(dialog().press_button(KeyAction::left), Qt::LeftButton);
  ASSERT_TRUE(dialog().capturing());
  pad.unplug();
  program->gamepad().poll();
  EXPECT_FALSE(dialog().capturing());
  EXPECT_EQ(dialog().pads_label()->text(), QString("No gamepad is connected. Plug one in at any time."));
  EXPECT_FALSE(dialog().press_button(KeyAction::left)->isEnabled());
  dialog().cancel();
}

}  // namespace
}  // namespace hero
