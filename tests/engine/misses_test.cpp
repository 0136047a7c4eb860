// Miss sequences, chance time, game over and the high scores.
#include "tests/engine/engine_fixture.h"

#include "engine/settings_values.h"

namespace hero::test {
namespace {

using E = ElementId;

class MissesTest : public EngineTest {
 protected:
  void SetUp() override {
    start_game(0);
    tick();
    clear_cells();
    sounds();
  }
  // The next tick drops an object at the foot of `lane` (the hero is elsewhere).
  void arrange_drop(int lane) {
    st().object_cells[lane][7] = cell_object;
    st().thrower_lane = lane == 1 ? 3 : lane - 1;
  }
  // The next tick brings the rogue's blow down on the hero in lane 3.
  void arrange_blow() {
    hh.press(Button::left);
    hh.release(Button::left);
    ASSERT_EQ(st().hero_lane, 3);
    st().rogue_side = 3;
    st().rogue_phase = 5;
  }
  // The next tick catches an object under the hero.
  void arrange_catch() { st().object_cells[st().hero_lane][7] = cell_object; }
  void finish_miss_sequence() {
    while (timer(TimerId::Miss).enabled()) next_event();
  }
};

TEST_F(MissesTest, FirstDropIsAHalfMissThatLeavesTheObjectLying) {
  arrange_drop(1);
  const std::int64_t t = run_until(TimerId::Game);
  EXPECT_TRUE(st().half_miss);
  EXPECT_EQ(run_until(TimerId::Miss), t + 1);
  EXPECT_EQ(st().misses, 0);
  EXPECT_FALSE(lit(E::im_panel_miss_0));
  EXPECT_EQ(sounds(), std::vector<std::string>{"miss1"});
  EXPECT_EQ(timer(TimerId::Miss).interval_ms(), 360);
  EXPECT_EQ(run_until(TimerId::Miss), t + 361);
  EXPECT_TRUE(lit(E::im_enemy_drop_x1));
  EXPECT_TRUE(timer(TimerId::Game).enabled());
  EXPECT_FALSE(timer(TimerId::Miss).enabled());
}

TEST_F(MissesTest, SecondDropCountsAFullMissAndClearsBothObjectsAfter360ms) {
  arrange_drop(1);
  run_until(TimerId::Game);
  finish_miss_sequence();
  arrange_drop(3);
  const std::int64_t t = now();
  run_until(TimerId::Miss);
  const std::int64_t drop_at = now() - 1;
  EXPECT_GT(drop_at, t - 1);
  EXPECT_FALSE(st().half_miss);
  EXPECT_EQ(st().misses, 1);
  EXPECT_TRUE(lit(E::im_panel_miss_0));
  EXPECT_TRUE(lit(E::im_panel_miss_1));
  EXPECT_FALSE(lit(E::im_panel_miss_2));
  EXPECT_TRUE(lit(E::im_enemy_drop_x1));
  EXPECT_TRUE(lit(E::im_enemy_drop_x3));
  EXPECT_EQ(run_until(TimerId::Miss), drop_at + 361);
  EXPECT_FALSE(lit(E::im_enemy_drop_x1));
  EXPECT_FALSE(lit(E::im_enemy_drop_x3));
}

TEST_F(MissesTest, HeroMayMoveDuringADroppedObjectSequence) {
  arrange_drop(1);
  run_until(TimerId::Game);
  hh.press(Button::right);
  EXPECT_EQ(st().hero_lane, 1);
  EXPECT_TRUE(lit(E::im_hero_x1));
}

TEST_F(MissesTest, BlowFoundByTheTickRunsItsStepsOnTime) {
  st().score = 10;
  arrange_blow();
  const std::int64_t t = run_until(TimerId::Game);
  EXPECT_EQ(st().rogue_phase, 6);
  EXPECT_TRUE(lit(E::im_rogue_x3y4));
  EXPECT_FALSE(st().moves_enabled);
  EXPECT_EQ(sounds(), std::vector<std::string>{"tick"});
  EXPECT_EQ(timer(TimerId::Miss).interval_ms(), 50);
  EXPECT_EQ(run_until(TimerId::Miss), t + 50);
  EXPECT_EQ(run_until(TimerId::Miss), t + 200);
  EXPECT_EQ(sounds(), std::vector<std::string>{"miss2"});
  EXPECT_FALSE(lit(E::im_hero_x3));
  EXPECT_TRUE(lit(E::im_hero_drown_x3));
  EXPECT_EQ(run_until(TimerId::Miss), t + 920);
  EXPECT_EQ(st().rogue_phase, 0);
  EXPECT_TRUE(lit(E::im_rogue_x3y2));
  EXPECT_FALSE(lit(E::im_rogue_x3y4));
  EXPECT_EQ(run_until(TimerId::Miss), t + 1250);
  EXPECT_FALSE(lit(E::im_hero_drown_x3));
  EXPECT_EQ(st().misses, 1);  // a blow is always a full miss
  EXPECT_FALSE(st().half_miss);
  EXPECT_EQ(sounds(), std::vector<std::string>{"miss1"});
  EXPECT_EQ(run_until(TimerId::Miss), t + 1920);
  EXPECT_TRUE(lit(E::im_hero_x3));
  EXPECT_TRUE(st().moves_enabled);
  EXPECT_EQ(run_until(TimerId::Game), t + 1920 + timer(TimerId::Game).interval_ms());
}

TEST_F(MissesTest, WalkingIntoTheBlowStartsTheSequenceAfterOneMillisecond) {
  st().rogue_side = 3;
  st().rogue_phase = 6;
  const std::int64_t t = now();
  hh.press(Button::left);
  EXPECT_EQ(st().hero_lane, 3);
  EXPECT_FALSE(st().moves_enabled);
  EXPECT_FALSE(timer(TimerId::Game).enabled());
  EXPECT_EQ(run_until(TimerId::Miss), t + 1);
  EXPECT_EQ(run_until(TimerId::Miss), t + 151);
  EXPECT_TRUE(lit(E::im_hero_drown_x3));
  EXPECT_EQ(run_until(TimerId::Miss), t + 871);
  EXPECT_EQ(run_until(TimerId::Miss), t + 1201);
  EXPECT_EQ(st().misses, 1);
}

// The rogue's blow pose outlives its game when ACL or the game's end stops it
// before he is back to idle; only a running game may turn it into a blow.
TEST_F(MissesTest, BlowPoseLeftByAclDoesNotStrikeWhileTheGameButtonIsHeld) {
  st().score = 10;
  arrange_blow();
  run_until(TimerId::Game);
  ASSERT_EQ(st().rogue_phase, 6);
  hh.press(Button::acl);
  hh.release(Button::acl);
  hh.press(Button::game_b);
  hh.press(Button::left);
  ASSERT_EQ(st().hero_lane, 3);
  EXPECT_FALSE(timer(TimerId::Miss).enabled());
  EXPECT_TRUE(st().moves_enabled);
  hh.random().queue(0);
  hh.release(Button::game_b);
  EXPECT_FALSE(timer(TimerId::Miss).enabled());
  EXPECT_TRUE(timer(TimerId::Game).enabled());
  tick();
  EXPECT_TRUE(lit(E::im_hero_x3));
  EXPECT_FALSE(lit(E::im_hero_drown_x3));
  EXPECT_EQ(st().misses, 0);
}

TEST_F(MissesTest, WalkingIntoTheFrozenBlowPoseAfterGameOverCostsNothing) {
  st().rogue_side = 3;
  st().rogue_phase = 6;  // the blow falls on lane 3; the hero stands in lane 2
  st().misses = 2;
  st().half_miss = true;
  arrange_drop(1);
  run_until(TimerId::Game);
  finish_miss_sequence();
  ASSERT_EQ(st().game_mode, mode_game_over);
  ASSERT_TRUE(lit(E::im_rogue_x3y4));
  const std::int64_t over_at = now();
  hh.press(Button::left);
  EXPECT_EQ(st().hero_lane, 3);
  EXPECT_FALSE(timer(TimerId::Miss).enabled());
  EXPECT_TRUE(timer(TimerId::Game_Over).enabled());
  hh.wait(5'000);
  EXPECT_EQ(st().misses, 3);
  EXPECT_TRUE(lit(E::im_hero_x3));
  EXPECT_EQ(run_until(TimerId::Game_Over), over_at + 30'000);
  EXPECT_EQ(st().game_mode, mode_clock);
}

TEST_F(MissesTest, ChanceTimeBlinksTenTimesOver5165msAndForgivesTheMisses) {
  st().score = 199;
  st().misses = 1;
  st().half_miss = true;
  engine().segment_display().Vid_Show_Panel_Miss(1);
  engine().segment_display().Vid_Show_Enemy_Dropped(3);  // a half miss still lying there
  arrange_catch();
  const std::int64_t t = run_until(TimerId::Game);
  EXPECT_EQ(st().score, 200);
  EXPECT_EQ(sounds(), std::vector<std::string>{"got"});
  EXPECT_FALSE(timer(TimerId::Game).enabled());
  const int resume_interval = timer(TimerId::Game).interval_ms();
  EXPECT_TRUE(timer(TimerId::Chance_Time).enabled());
  EXPECT_EQ(run_until(TimerId::Chance_Time), t + 440);
  EXPECT_TRUE(lit(E::im_panel_miss_1));
  EXPECT_EQ(run_until(TimerId::Chance_Time), t + 665);
  EXPECT_FALSE(lit(E::im_panel_miss_0));
  EXPECT_FALSE(lit(E::im_panel_miss_1));
  EXPECT_EQ(run_until(TimerId::Chance_Time), t + 940);
  EXPECT_TRUE(lit(E::im_panel_miss_1));
  while (timer(TimerId::Chance_Time).enabled()) next_event();
  EXPECT_EQ(now(), t + 5165);
  const auto heard = sounds();
  EXPECT_EQ(heard, std::vector<std::string>(10, "chance"));
  EXPECT_EQ(st().misses, 0);
  EXPECT_FALSE(st().half_miss);
  EXPECT_FALSE(lit(E::im_panel_miss_0));
  EXPECT_FALSE(lit(E::im_enemy_drop_x3));
  EXPECT_EQ(st().score, 200);
  // The game resumes with the interval it had, the catch's 100 ms included.
  EXPECT_EQ(timer(TimerId::Game).interval_ms(), resume_interval);
  EXPECT_EQ(run_until(TimerId::Game), t + 5165 + resume_interval);
}

TEST_F(MissesTest, PassingTwoHundredWithoutAMissGivesNoChanceTime) {
  st().score = 199;
  st().half_miss = true;  // a half miss alone is no miss
  arrange_catch();
  run_until(TimerId::Game);
  EXPECT_EQ(st().score, 200);
  EXPECT_FALSE(timer(TimerId::Chance_Time).enabled());
  EXPECT_TRUE(timer(TimerId::Game).enabled());
}

TEST_F(MissesTest, ABlowInTheSameTickLosesChanceTime) {
  st().score = 499;
  st().misses = 1;
  arrange_blow();
  arrange_catch();  // under the hero in lane 3
  run_until(TimerId::Game);
  EXPECT_EQ(st().score, 500);
  EXPECT_FALSE(timer(TimerId::Chance_Time).enabled());
  EXPECT_TRUE(timer(TimerId::Miss).enabled());
  EXPECT_EQ(sounds(), std::vector<std::string>{"tick"});  // the blow sounds, not the catch
  finish_miss_sequence();
  EXPECT_EQ(st().misses, 2);
}

TEST_F(MissesTest, WalkingIntoTheBlowDuringChanceTimeLosesIt) {
  st().score = 199;
  st().misses = 2;
  arrange_catch();
  run_until(TimerId::Game);
  run_until(TimerId::Chance_Time);
  st().rogue_side = 3;
  st().rogue_phase = 6;
  hh.press(Button::left);
  EXPECT_FALSE(timer(TimerId::Chance_Time).enabled());
  finish_miss_sequence();
  EXPECT_EQ(st().misses, 3);
  EXPECT_EQ(st().game_mode, mode_game_over);
}

TEST_F(MissesTest, ThirdMissEndsTheGameAndClockFollowsAfterThirtySeconds) {
  st().misses = 2;
  st().half_miss = true;
  arrange_drop(1);
  const std::int64_t t = run_until(TimerId::Game);
  run_until(TimerId::Miss);
  EXPECT_EQ(st().misses, 3);
  EXPECT_TRUE(lit(E::im_panel_miss_3));
  EXPECT_EQ(run_until(TimerId::Miss), t + 361);
  EXPECT_EQ(st().game_mode, mode_game_a);
  EXPECT_EQ(run_until(TimerId::Miss), t + 362);
  EXPECT_EQ(st().game_mode, mode_game_over);
  EXPECT_FALSE(timer(TimerId::Miss).enabled());
  EXPECT_TRUE(timer(TimerId::Game_Over).enabled());
  // The last picture stays: hero, fallen object, three marks.
  EXPECT_TRUE(lit(E::im_hero_x2));
  EXPECT_TRUE(lit(E::im_enemy_drop_x1));
  EXPECT_EQ(run_until(TimerId::Game_Over), t + 30362);
  EXPECT_EQ(st().game_mode, mode_clock);
  EXPECT_FALSE(timer(TimerId::Game_Over).enabled());
  EXPECT_TRUE(timer(TimerId::Clock).enabled());
}

TEST_F(MissesTest, TwoBlowsAndTwoDropsEndTheGame) {
  st().score = 10;
  for (int blow = 0; blow < 2; ++blow) {
    arrange_blow();
    run_until(TimerId::Game);
    finish_miss_sequence();
    hh.press(Button::right);
    hh.release(Button::right);
  }
  EXPECT_EQ(st().misses, 2);
  arrange_drop(1);
  run_until(TimerId::Game);
  finish_miss_sequence();
  EXPECT_EQ(st().misses, 2);
  arrange_drop(1);
  run_until(TimerId::Game);
  finish_miss_sequence();
  EXPECT_EQ(st().misses, 3);
  EXPECT_EQ(st().game_mode, mode_game_over);
}

TEST_F(MissesTest, GameEndedByABlowShowsNoHero) {
  st().score = 10;
  st().misses = 2;
  arrange_blow();
  run_until(TimerId::Game);
  finish_miss_sequence();
  EXPECT_EQ(st().game_mode, mode_game_over);
  EXPECT_FALSE(lit(E::im_hero_x3));
  EXPECT_FALSE(lit(E::im_hero_drown_x3));
}

class HighScoreTest : public MissesTest {
 protected:
  void end_game_with(int score) {
    st().score = score;
    st().misses = 2;
    st().half_miss = true;
    arrange_drop(1);
    run_until(TimerId::Game);
    finish_miss_sequence();
    ASSERT_EQ(st().game_mode, mode_game_over);
  }
};

TEST_F(HighScoreTest, EqualScoreStoresNothing) {
  st().hi_score_a = 57;
  const int writes = hh.store().write_count();
  end_game_with(57);
  EXPECT_EQ(hh.store().write_count(), writes);
  EXPECT_FALSE(hh.store().read_text(settings::kHiScore1.name).has_value());
}

TEST_F(HighScoreTest, OnePointMoreIsStoredAtOnce) {
  st().hi_score_a = 57;
  end_game_with(58);
  EXPECT_EQ(st().hi_score_a, 58);
  EXPECT_EQ(hh.store().read_text(settings::kHiScore1.name), "58");
  EXPECT_FALSE(hh.store().read_text(settings::kHiScore2.name).has_value());
}

TEST_F(HighScoreTest, RolledOverScoreIsComparedAfterTheRollOver) {
  st().hi_score_a = 500;
  end_game_with(3);
  EXPECT_EQ(st().hi_score_a, 500);
}

TEST_F(HighScoreTest, GameBKeepsItsOwnHighScore) {
  hh.press(Button::acl);
  hh.release(Button::acl);
  start_game(0, Button::game_b);
  tick();
  clear_cells();
  st().hi_score_a = 900;
  end_game_with(25);
  EXPECT_EQ(st().hi_score_b, 25);
  EXPECT_EQ(st().hi_score_a, 900);
  EXPECT_EQ(hh.store().read_text(settings::kHiScore2.name), "25");
}

TEST_F(HighScoreTest, BetterScoreStoredMeanwhileByAnotherCopyIsKeptAndShown) {
  st().hi_score_a = 0;
  engine().load_high_scores();
  hh.store().write_text(settings::kHiScore1.name, "500");  // the other copy's game over
  end_game_with(7);
  EXPECT_EQ(hh.store().read_text(settings::kHiScore1.name), "500");
  EXPECT_EQ(st().hi_score_a, 500);
}

TEST_F(HighScoreTest, LowerScoreStoredMeanwhileByAnotherCopyLowersNothingShown) {
  hh.store().write_text(settings::kHiScore1.name, "40");
  engine().load_high_scores();
  hh.store().write_text(settings::kHiScore1.name, "12");  // e.g. the other copy's Reset Hiscores and a game
  end_game_with(30);
  EXPECT_EQ(st().hi_score_a, 40);
  EXPECT_EQ(hh.store().read_text(settings::kHiScore1.name), "12") << "nothing to store: 30 beats no best";
}

TEST(HighScoreWithoutStart, StoreNeverReadIsNotConsultedAtGameOver) {
  // hero-trace may play without the start-up read: as before, the mirror
  // alone is compared and the game's score stored over the unread value.
  VirtualHandheld fresh;
  fresh.store().write_text(settings::kHiScore1.name, "598");
  fresh.engine().state_for_tests().game_mode = mode_clock;
  fresh.engine().Gam_Set_Mode();
  fresh.press(Button::game_a);
  fresh.release(Button::game_a);
  ASSERT_EQ(fresh.state().game_mode, mode_game_a);
  for (int i = 0; i < 100'000 && fresh.state().game_mode != mode_game_over; ++i) fresh.next_event();
  ASSERT_EQ(fresh.state().game_mode, mode_game_over);
  ASSERT_GT(fresh.state().score, 0);
  EXPECT_EQ(fresh.state().hi_score_a, fresh.state().score);
  EXPECT_EQ(fresh.store().read_text(settings::kHiScore1.name), std::to_string(fresh.state().score));
}

TEST_F(HighScoreTest, StoreThatRefusesTheWriteStillEndsTheGameOnce) {
  st().score = 80;
  st().misses = 2;
  st().half_miss = true;
  arrange_drop(1);
  hh.store().set_failing(true);
  EXPECT_THROW(while (timer(TimerId::Game).enabled() || timer(TimerId::Miss).enabled()) next_event(),
               std::runtime_error);
  EXPECT_EQ(st().game_mode, mode_game_over);
  EXPECT_EQ(st().hi_score_a, 80);
  EXPECT_FALSE(timer(TimerId::Miss).enabled());
  EXPECT_TRUE(timer(TimerId::Game_Over).enabled());
  EXPECT_NO_THROW(hh.wait(30'000));
  EXPECT_EQ(st().game_mode, mode_clock);
}

}  // namespace
}  // namespace hero::test
