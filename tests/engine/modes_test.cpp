// Modes and the buttons that switch between them.
#include "tests/engine/engine_fixture.h"

#include "engine/settings_values.h"

namespace hero::test {
namespace {

using E = ElementId;

class ModesTest : public EngineTest {
 protected:
  bool any_timer_enabled() {
    for (int i = 0; i < kTimerCount; ++i)
      if (timer(static_cast<TimerId>(i)).enabled()) return true;
    return false;
  }
};

TEST_F(ModesTest, StartLightsEverySegmentAndReadsBothHighScores) {
  hh.store().write_text(settings::kHiScore1.name, "120");
  hh.store().write_text(settings::kHiScore2.name, "77");
  hh.surface().set_visible(E::la_pause, true);
  st().paused = true;
  hh.start();
  EXPECT_EQ(st().game_mode, mode_all_lit);
  EXPECT_EQ(st().hi_score_a, 120);
  EXPECT_EQ(st().hi_score_b, 77);
  EXPECT_FALSE(st().paused);
  EXPECT_FALSE(lit(E::la_pause));
  EXPECT_EQ(hh.surface().panel_text(), "1200");
  EXPECT_FALSE(any_timer_enabled());
}

TEST_F(ModesTest, DamagedHighScoresReadAsZero) {
  hh.store().write_text(settings::kHiScore1.name, "lots");
  hh.store().write_text(settings::kHiScore2.name, "5000");
  hh.start();
  EXPECT_EQ(st().hi_score_a, 0);
  EXPECT_EQ(st().hi_score_b, 0);
}

TEST_F(ModesTest, HoldingGameAShowsItsHighScoreWithTheHeroInTheMiddle) {
  hh.store().write_text(settings::kHiScore1.name, "42");
  hh.start();
  hh.press(Button::game_a);
  EXPECT_EQ(st().game_mode, mode_game_a_held);
  EXPECT_EQ(hh.surface().panel_text(), "  42");
  EXPECT_EQ(hh.surface().lit_names(),
            (std::vector<std::string>{"btn_game_a_down", "im_hero_x2", "im_panel_game_a"}));
  EXPECT_TRUE(st().moves_enabled);
}

TEST_F(ModesTest, ReleasingGameAStartsTheGameWithScoreZeroAndItsMarkLit) {
  hh.store().write_text(settings::kHiScore1.name, "42");
  start_game(0);
  EXPECT_EQ(st().game_mode, mode_game_a);
  EXPECT_EQ(hh.surface().panel_text(), "   0");
  EXPECT_TRUE(lit(E::im_panel_game_a));
  EXPECT_FALSE(lit(E::btn_game_a_down));
  EXPECT_TRUE(timer(TimerId::Game).enabled());
  EXPECT_EQ(timer(TimerId::Game).interval_ms(), 196);
  EXPECT_EQ(st().rogue_side, 3);
  EXPECT_TRUE(lit(E::im_rogue_x3y1));
  EXPECT_TRUE(lit(E::im_rogue_x3y2));
}

TEST_F(ModesTest, GameBReleasedWhileGameAIsHeldDoesNothing) {
  hh.start();
  hh.press(Button::game_a);
  hh.release(Button::game_b);
  EXPECT_EQ(st().game_mode, mode_game_a_held);
  hh.random().queue(1);
  hh.release(Button::game_a);
  EXPECT_EQ(st().game_mode, mode_game_a);
}

TEST_F(ModesTest, ButtonsDuringARunningGameChangeNothing) {
  start_game(0);
  ticks(3);
  const EngineState before = st();
  hh.press(Button::time);
  hh.press(Button::game_b);
  hh.press(Button::game_a);
  EXPECT_EQ(st().game_mode, mode_game_a);
  EXPECT_EQ(st().score, before.score);
  EXPECT_TRUE(timer(TimerId::Game).enabled());
}

TEST_F(ModesTest, AclFromEveryModeStopsTimersAndSoundAndDarkensTheScreen) {
  for (int mode = 0; mode <= 8; ++mode) {
    VirtualHandheld fresh;
    fresh.start();
    // Reach the mode as a player would, or store it for the modes only a
    // sequence reaches.
    switch (mode) {
      case mode_alarm_view:
        fresh.press(Button::time);
        break;
      case mode_clock:
        fresh.press(Button::time);
        fresh.release(Button::time);
        break;
      case mode_game_a_held:
        fresh.press(Button::game_a);
        break;
      case mode_game_a:
        fresh.press(Button::game_a);
        fresh.random().queue(0);
        fresh.release(Button::game_a);
        break;
      case mode_game_b_held:
        fresh.press(Button::game_b);
        break;
      case mode_game_b:
        fresh.press(Button::game_b);
        fresh.random().queue(0);
        fresh.release(Button::game_b);
        break;
      default:
        fresh.state_for_tests().game_mode = mode;
        break;
    }
    fresh.wait(500);
    fresh.sound().take();
    fresh.press(Button::acl);
    EXPECT_EQ(fresh.state().game_mode, mode_acl_held) << mode;
    for (int i = 0; i < kTimerCount; ++i)
      EXPECT_FALSE(fresh.time().timer(static_cast<TimerId>(i)).enabled()) << mode;
    EXPECT_EQ(fresh.sound().take(), std::vector<std::string>{"silence"}) << mode;
    // Only pressed button pictures may stay: every segment is dark.
    for (const auto& name : fresh.surface().lit_names()) EXPECT_EQ(name.rfind("btn_", 0), 0u) << name;
    EXPECT_TRUE(fresh.surface().is_visible(E::btn_acl_down));
    EXPECT_EQ(fresh.surface().panel_text(), "    ");
    EXPECT_FALSE(fresh.state().moves_enabled);
    fresh.release(Button::acl);
    EXPECT_EQ(fresh.state().game_mode, mode_all_lit) << mode;
    EXPECT_EQ(fresh.surface().panel_text(), "1200");
    EXPECT_TRUE(fresh.surface().is_visible(E::im_panel_time_am));
    EXPECT_FALSE(fresh.surface().is_visible(E::im_panel_time_pm));
  }
}

TEST_F(ModesTest, AclReleaseWithoutItsPressStillStopsARunningGame) {
  start_game(0);
  ticks(2);
  hh.release(Button::acl);
  EXPECT_EQ(st().game_mode, mode_all_lit);
  EXPECT_FALSE(any_timer_enabled());
  EXPECT_EQ(hh.surface().panel_text(), "1200");
  const auto all_lit = hh.surface().lit_names();
  hh.wait(5000);
  EXPECT_EQ(hh.surface().lit_names(), all_lit);
}

TEST_F(ModesTest, AlarmViewReadsTwelvePmAndReleaseShowsTheClock) {
  hh.clock().set({9, 41});
  hh.start();
  hh.press(Button::time);
  EXPECT_EQ(st().game_mode, mode_alarm_view);
  EXPECT_EQ(hh.surface().panel_text(), "1200");
  EXPECT_EQ(hh.surface().lit_names(),
            (std::vector<std::string>{"btn_time_down", "im_lady_0", "im_lady_2", "im_lady_5",
                                      "im_panel_time_colon", "im_panel_time_pm"}));
  hh.release(Button::time);
  EXPECT_EQ(st().game_mode, mode_clock);
  EXPECT_EQ(timer(TimerId::Clock).interval_ms(), 1);
  hh.wait(1);
  EXPECT_EQ(hh.surface().panel_text(), " 941");
  EXPECT_TRUE(lit(E::im_panel_time_am));
}

TEST_F(ModesTest, GameButtonDuringGameOverCancelsTheWait) {
  start_game(0);
  st().game_mode = mode_game_over;
  engine().Gam_Stop_All_Timers();
  hh.press(Button::game_b);
  EXPECT_EQ(st().game_mode, mode_game_b_held);
  EXPECT_FALSE(any_timer_enabled());
}

TEST_F(ModesTest, ResetHighScoresStoresZerosAndClearsTheMirrors) {
  hh.store().write_text(settings::kHiScore1.name, "300");
  hh.store().write_text(settings::kHiScore2.name, "12");
  hh.start();
  engine().reset_hi_scores();
  EXPECT_EQ(st().hi_score_a, 0);
  EXPECT_EQ(st().hi_score_b, 0);
  EXPECT_EQ(hh.store().read_text(settings::kHiScore1.name), "0");
  EXPECT_EQ(hh.store().read_text(settings::kHiScore2.name), "0");
}

TEST_F(ModesTest, ResetHighScoresOnAFailingStoreClearsBothMirrorsAndReports) {
  hh.store().write_text(settings::kHiScore1.name, "300");
  hh.store().write_text(settings::kHiScore2.name, "12");
  hh.start();
  hh.store().set_failing(true);
  EXPECT_THROW(engine().reset_hi_scores(), std::runtime_error);
  EXPECT_EQ(st().hi_score_a, 0);
  EXPECT_EQ(st().hi_score_b, 0);
}

TEST_F(ModesTest, SoundRequestsStayQuietUntilSoundIsEnabled) {
  engine().set_snd_enabled(false);
  start_game(0);
  tick();
  hh.press(Button::acl);
  EXPECT_TRUE(sounds().empty());
  engine().set_snd_enabled(true);
  engine().Snd_Play(SoundId::got);
  engine().Snd_Play(SoundId::tick);
  EXPECT_EQ(sounds(), (std::vector<std::string>{"got", "tick"}));
}

}  // namespace
}  // namespace hero::test
