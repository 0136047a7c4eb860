// Gamepads through SDL's virtual joysticks, headless: the default and
// remapped buttons reach the seven controls, the stick works LEFT and RIGHT,
// pads plugged in and out are picked up, two pads both work, the mappings
// are stored and read back, and a whole Game A is played from a pad.
#include "display/gamepad/gamepad.h"

#include <SDL.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include <QCoreApplication>

#include <memory>
#include <string>
#include <vector>

#include "engine/memory_settings_store.h"
#include "startup/session/virtual_handheld.h"
#include "tests/gamepad/virtual_pad.h"

namespace hero {
namespace {

using test::VirtualPad;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

QCoreApplication& core_app() {
  static int argc = 1;
  static char name[] = "hero_gamepad_tests";
  static char* argv[] = {name, nullptr};
  static auto* app = new QCoreApplication(argc, argv);
  return *app;
}

const char* action_name(KeyAction a) {
  static constexpr const char* kNames[] = {"game_a", "game_b", "time", "acl", "left", "right", "pause"};
  return kNames[static_cast<int>(a)];
}

class GamepadTest : public ::testing::Test {
 protected:
  GamepadTest() {
    core_app();
    gamepad_ = std::make_unique<Gamepad>(bindings_, [this](KeyAction a, bool down) {
      events_.push_back(std::string(action_name(a)) + (down ? " down" : " up"));
    });
  }

  // Presses and releases a button, with a look at SDL's input after each.
  void click(VirtualPad& pad, SDL_GameControllerButton b) {
    pad.button(b, true);
    gamepad_->poll();
    pad.button(b, false);
    gamepad_->poll();
  }

  PadBindings bindings_;
  std::unique_ptr<Gamepad> gamepad_;
  std::vector<std::string> events_;
};

TEST_F(GamepadTest, SubsystemStartsAndIdlesSlowlyWithoutAPad) {
  ASSERT_TRUE(gamepad_->available());
  EXPECT_EQ(gamepad_->pad_count(), 0);
  EXPECT_TRUE(gamepad_->polling());
  EXPECT_EQ(gamepad_->poll_interval_ms(), Gamepad::kIdlePollMs);
}

TEST_F(GamepadTest, DefaultButtonsReachTheirControls) {
  VirtualPad pad;
  ASSERT_TRUE(pad.plugged());
  gamepad_->poll();
  ASSERT_EQ(gamepad_->pad_count(), 1);
  for (auto b :
       {SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_B, SDL_CONTROLLER_BUTTON_Y, SDL_CONTROLLER_BUTTON_BACK,
        SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, SDL_CONTROLLER_BUTTON_START})
    click(pad, b);
  // X (the handheld's ALARM button has no function) and the shoulders work nothing.
  click(pad, SDL_CONTROLLER_BUTTON_X);
  click(pad, SDL_CONTROLLER_BUTTON_LEFTSHOULDER);
  EXPECT_THAT(events_, ElementsAre("game_a down", "game_a up", "game_b down", "game_b up", "time down",
                                   "time up", "acl down", "acl up", "left down", "left up", "right down",
                                   "right up", "pause down", "pause up"));
}

TEST_F(GamepadTest, HoldingAButtonIsOnePressWithoutRepeats) {
  VirtualPad pad;
  gamepad_->poll();
  pad.button(SDL_CONTROLLER_BUTTON_A, true);
  for (int i = 0; i < 20; ++i) gamepad_->poll();
  EXPECT_THAT(events_, ElementsAre("game_a down"));
  pad.button(SDL_CONTROLLER_BUTTON_A, false);
  gamepad_->poll();
  EXPECT_THAT(events_, ElementsAre("game_a down", "game_a up"));
}

TEST_F(GamepadTest, StickPastHalfWayWorksLeftAndRightWithADeadZone) {
  VirtualPad pad;
  gamepad_->poll();
  pad.stick_x(6000);  // inside the dead zone
  gamepad_->poll();
  EXPECT_THAT(events_, IsEmpty());
  pad.stick_x(-30000);
  gamepad_->poll();
  pad.stick_x(-12000);  // eased back, but not yet under a quarter
  gamepad_->poll();
  EXPECT_THAT(events_, ElementsAre("left down"));
  pad.stick_x(32767);  // straight across
  gamepad_->poll();
  pad.stick_x(0);
  gamepad_->poll();
  EXPECT_THAT(events_, ElementsAre("left down", "left up", "right down", "right up"));
}

TEST_F(GamepadTest, PadsPluggedInAndOutArePickedUpAndAHeldButtonLetsGo) {
  EXPECT_EQ(gamepad_->pad_count(), 0);
  int changes = 0;
  QObject::connect(gamepad_.get(), &Gamepad::pads_changed, [&] { ++changes; });
  auto pad = std::make_unique<VirtualPad>("Plugged later");
  gamepad_->poll();
  ASSERT_EQ(gamepad_->pad_count(), 1);
  EXPECT_THAT(gamepad_->pad_names(), ElementsAre("Plugged later"));
  EXPECT_EQ(gamepad_->poll_interval_ms(), Gamepad::kActivePollMs);
  pad->button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
  gamepad_->poll();
  pad->unplug();
  gamepad_->poll();
  EXPECT_EQ(gamepad_->pad_count(), 0);
  EXPECT_EQ(gamepad_->poll_interval_ms(), Gamepad::kIdlePollMs);
  EXPECT_THAT(events_, ElementsAre("right down", "right up"));
  EXPECT_EQ(changes, 2);
}

TEST_F(GamepadTest, TwoPadsBothWork) {
  VirtualPad first("First");
  VirtualPad second("Second");
  gamepad_->poll();
  ASSERT_EQ(gamepad_->pad_count(), 2);
  click(first, SDL_CONTROLLER_BUTTON_A);
  click(second, SDL_CONTROLLER_BUTTON_B);
  first.unplug();
  gamepad_->poll();
  click(second, SDL_CONTROLLER_BUTTON_START);
  EXPECT_THAT(events_,
              ElementsAre("game_a down", "game_a up", "game_b down", "game_b up", "pause down", "pause up"));
}

TEST_F(GamepadTest, RemappedButtonsWorkAtOnce) {
  VirtualPad pad;
  gamepad_->poll();
  bindings_.set_button(KeyAction::game_a, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
  click(pad, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
  click(pad, SDL_CONTROLLER_BUTTON_A);
  EXPECT_THAT(events_, ElementsAre("game_a down", "game_a up"));
}

TEST_F(GamepadTest, CaptureTakesTheNextPressInsteadOfAControl) {
  VirtualPad pad;
  gamepad_->poll();
  std::vector<PadButton> captured;
  gamepad_->capture_next_button([&](PadButton b) { captured.push_back(b); });
  EXPECT_TRUE(gamepad_->capturing());
  click(pad, SDL_CONTROLLER_BUTTON_A);
  click(pad, SDL_CONTROLLER_BUTTON_B);
  EXPECT_THAT(captured, ElementsAre(SDL_CONTROLLER_BUTTON_A));
  EXPECT_FALSE(gamepad_->capturing());
  // The captured press's release works nothing; the next press works again.
  EXPECT_THAT(events_, ElementsAre("game_b down", "game_b up"));
  gamepad_->capture_next_button([&](PadButton b) { captured.push_back(b); });
  gamepad_->cancel_capture();
  click(pad, SDL_CONTROLLER_BUTTON_Y);
  EXPECT_THAT(captured, ElementsAre(SDL_CONTROLLER_BUTTON_A));
}

TEST(GamepadSubsystem, ClosingThePadsLeavesSoundsPartOfSdlRunning) {
  core_app();
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0);
  {
    PadBindings bindings;
    Gamepad gamepad(bindings, nullptr);
    EXPECT_NE(SDL_WasInit(SDL_INIT_GAMECONTROLLER), 0u);
  }
  EXPECT_NE(SDL_WasInit(SDL_INIT_AUDIO), 0u);
  EXPECT_NE(SDL_WasInit(SDL_INIT_EVENTS), 0u);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

// ---- Stored mappings ---------------------------------------------------------

TEST(PadBindingsStore, DefaultsAreStoredBySdlNamesAndReadBack) {
  MemorySettingsStore store;
  PadBindings bindings;
  bindings.store(store);
  EXPECT_EQ(store.read_text("Pad1"), "a");
  EXPECT_EQ(store.read_text("Pad4"), "back");
  EXPECT_EQ(store.read_text("Pad5"), "dpleft");
  EXPECT_EQ(store.read_text("Pad7"), "start");
  PadBindings again;
  again.set_button(KeyAction::pause, SDL_CONTROLLER_BUTTON_GUIDE);
  again.load(store);
  EXPECT_EQ(again, bindings);
}

TEST(PadBindingsStore, RemappingIsStoredAndReadBack) {
  MemorySettingsStore store;
  PadBindings bindings;
  bindings.set_button(KeyAction::time, SDL_CONTROLLER_BUTTON_LEFTSHOULDER);
  bindings.set_button(KeyAction::left, SDL_CONTROLLER_BUTTON_X);
  bindings.store(store);
  EXPECT_EQ(store.read_text("Pad3"), "leftshoulder");
  PadBindings read;
  read.load(store);
  EXPECT_EQ(read.button(KeyAction::time), SDL_CONTROLLER_BUTTON_LEFTSHOULDER);
  EXPECT_EQ(read.button(KeyAction::left), SDL_CONTROLLER_BUTTON_X);
  EXPECT_EQ(read, bindings);
}

TEST(PadBindingsStore, UnknownButtonNamesReadAsTheDefault) {
  MemorySettingsStore store;
  for (const char* bad : {"", "A", "cross", "button7", "dpleft ", "\xff"}) {
    store.write_text("Pad1", bad);
    store.write_text("Pad6", bad);
    PadBindings read;
    read.set_button(KeyAction::game_a, SDL_CONTROLLER_BUTTON_GUIDE);
    read.load(store);
    EXPECT_EQ(read, PadBindings()) << "'" << bad << "'";
  }
}

TEST(PadBindingsStore, ABoundButtonTakenByAnotherControlSwapsSoNoneIsLeftWithout) {
  PadBindings bindings;
  bindings.set_button(KeyAction::game_b, SDL_CONTROLLER_BUTTON_A);
  EXPECT_EQ(bindings.button(KeyAction::game_b), SDL_CONTROLLER_BUTTON_A);
  EXPECT_EQ(bindings.button(KeyAction::game_a), SDL_CONTROLLER_BUTTON_B);
  bindings.set_button(KeyAction::game_b, 999);  // no such button: nothing changes
  EXPECT_EQ(bindings.button(KeyAction::game_b), SDL_CONTROLLER_BUTTON_A);
  bindings.restore_defaults();
  EXPECT_EQ(bindings, PadBindings());

  // A store edited by hand that names one button twice: the dialog's rule
  // on loading too, so no control is left without a button and none has two.
  MemorySettingsStore store;
  store.write_text("Pad1", "start");
  store.write_text("Pad7", "start");
  store.write_text("Pad5", "a");
  PadBindings read;
  read.load(store);
  std::set<PadButton> distinct;
  for (int i = 0; i < kKeyActionCount; ++i) distinct.insert(read.button(static_cast<KeyAction>(i)));
  EXPECT_EQ(distinct.size(), static_cast<std::size_t>(kKeyActionCount));
  EXPECT_EQ(read.button(KeyAction::pause), SDL_CONTROLLER_BUTTON_START) << "the later value wins";
  EXPECT_EQ(read.button(KeyAction::left), SDL_CONTROLLER_BUTTON_A);
}

// ---- A whole game ---------------------------------------------------------------

// The hero steps towards the lane of the lowest falling object while the
// player still wants points, then the pad is left alone until the game ends.
TEST_F(GamepadTest, AVirtualPadPlaysAWholeGameA) {
  VirtualHandheld hh;
  gamepad_ = std::make_unique<Gamepad>(bindings_, [&](KeyAction a, bool down) {
    down ? hh.press(a) : hh.release(a);
    events_.push_back(std::string(action_name(a)) + (down ? " down" : " up"));
  });
  VirtualPad pad;
  gamepad_->poll();
  hh.start();
  click(pad, SDL_CONTROLLER_BUTTON_A);
  ASSERT_EQ(hh.state().game_mode, mode_game_a);

  int moves = 0;
  int best_score = 0;
  for (int events = 0; events < 200'000 && hh.state().game_mode == mode_game_a; ++events) {
    const auto fired = hh.next_event();
    ASSERT_TRUE(fired);
    if (*fired != TimerId::Game || hh.state().score >= 8 || !hh.state().moves_enabled) continue;
    int target = 0;
    for (int row = 7; row >= 1 && target == 0; --row)
      for (int lane = 1; lane <= 3; ++lane)
        if (hh.state().object_cells[lane][row] == cell_object) target = lane;
    const int lane = hh.state().hero_lane;
    if (target == 0 || target == lane) continue;
    const int before = lane;
    click(pad, target < lane ? SDL_CONTROLLER_BUTTON_DPAD_LEFT : SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    if (hh.state().hero_lane != before) ++moves;
    best_score = std::max(best_score, hh.state().score);
  }
  best_score = std::max(best_score, hh.state().score);
  EXPECT_GT(moves, 0);
  EXPECT_GT(best_score, 0) << "nothing was caught";
  EXPECT_EQ(hh.state().game_mode, mode_game_over);
  EXPECT_GT(hh.state().misses, 0);
}

}  // namespace
}  // namespace hero
