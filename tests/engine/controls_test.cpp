// Moving the hero and pausing the game.
#include "tests/engine/engine_fixture.h"

namespace hero::test {
namespace {

using E = ElementId;

class ControlsTest : public EngineTest {};

TEST_F(ControlsTest, HeldLeftMovesOneLaneUntilReleased) {
  start_game(0);
  hh.press(Button::left);
  hh.press(Button::left);  // keyboard auto-repeat
  EXPECT_EQ(st().hero_lane, 3);
  EXPECT_TRUE(lit(E::im_hero_x3));
  EXPECT_FALSE(lit(E::im_hero_x2));
  hh.release(Button::left);
  hh.press(Button::right);
  hh.release(Button::right);
  hh.press(Button::right);
  EXPECT_EQ(st().hero_lane, 1);
  EXPECT_TRUE(lit(E::im_hero_x1));
  EXPECT_FALSE(lit(E::im_hero_x3));
  EXPECT_FALSE(lit(E::im_hero_x2));
}

TEST_F(ControlsTest, MovingPlaysNoSound) {
  start_game(0);
  hh.press(Button::left);
  EXPECT_TRUE(sounds().empty());
}

TEST_F(ControlsTest, HeroStopsAtTheOuterLanes) {
  start_game(0);
  for (int i = 0; i < 3; ++i) {
    hh.press(Button::left);
    hh.release(Button::left);
  }
  EXPECT_EQ(st().hero_lane, 3);
  hh.press(Button::left);
  EXPECT_TRUE(lit(E::btn_left_down));
  EXPECT_EQ(st().hero_lane, 3);
}

TEST_F(ControlsTest, OutsideAGameLeftAndRightOnlyShowThePressedPicture) {
  hh.start();
  const auto before = hh.state();
  hh.press(Button::left);
  EXPECT_TRUE(lit(E::btn_left_down));
  hh.release(Button::left);
  hh.press(Button::time);
  hh.press(Button::right);
  EXPECT_EQ(st().hero_lane, before.hero_lane);
  hh.release(Button::time);
  hh.release(Button::right);
  hh.press(Button::right);
  EXPECT_EQ(st().hero_lane, before.hero_lane);
  EXPECT_FALSE(lit(E::im_hero_x1));
}

TEST_F(ControlsTest, LaneChosenWhileTheGameButtonIsHeldIsKept) {
  hh.start();
  hh.press(Button::game_b);
  hh.press(Button::right);
  EXPECT_EQ(st().hero_lane, 1);
  hh.random().queue(0);
  hh.release(Button::game_b);
  EXPECT_EQ(st().game_mode, mode_game_b);
  EXPECT_EQ(st().hero_lane, 1);
  EXPECT_TRUE(lit(E::im_hero_x1));
}

TEST_F(ControlsTest, WalkingUnderAWaitingObjectMarksItCaughtAtTheNextTick) {
  start_game(0);
  tick();
  clear_cells();
  st().object_cells[1][7] = cell_object;
  st().thrower_lane = 3;  // the next tick would drop lane 1
  hh.press(Button::right);
  hh.release(Button::right);
  EXPECT_EQ(st().object_cells[1][7], cell_arrived);
  hh.press(Button::left);  // walks away again before the tick
  sounds();
  tick();
  EXPECT_EQ(st().score, 1);
  EXPECT_FALSE(st().half_miss);
  EXPECT_EQ(sounds(), std::vector<std::string>{"got"});
}

TEST_F(ControlsTest, PauseFreezesTheGameAndResumesAFullIntervalLater) {
  start_game(0);
  tick();
  const int interval = timer(TimerId::Game).interval_ms();
  hh.wait(50);
  hh.press(Button::pause);
  EXPECT_TRUE(st().paused);
  EXPECT_TRUE(lit(E::la_pause));
  EXPECT_EQ(st().paused_timer, 2);
  EXPECT_FALSE(timer(TimerId::Game).enabled());
  EXPECT_FALSE(st().moves_enabled);
  const EngineState frozen = st();
  hh.wait(10'000);
  EXPECT_EQ(st().object_cells, frozen.object_cells);
  hh.press(Button::left);
  EXPECT_EQ(st().hero_lane, 2);  // only the pressed picture
  hh.release(Button::left);
  hh.press(Button::game_a);
  EXPECT_EQ(st().game_mode, mode_game_a);
  const std::int64_t resumed = now();
  hh.press(Button::pause);
  EXPECT_FALSE(st().paused);
  EXPECT_FALSE(lit(E::la_pause));
  EXPECT_TRUE(st().moves_enabled);
  EXPECT_EQ(run_until(TimerId::Game), resumed + interval);
}

TEST_F(ControlsTest, PauseFreezesAMissSequence) {
  start_game(0);
  tick();
  clear_cells();
  st().object_cells[1][7] = cell_object;
  st().thrower_lane = 3;
  tick();
  run_until(TimerId::Miss);  // step 1, next in 360 ms
  hh.wait(100);
  hh.press(Button::pause);
  EXPECT_EQ(st().paused_timer, 4);
  EXPECT_FALSE(timer(TimerId::Miss).enabled());
  hh.wait(5000);
  EXPECT_EQ(st().miss_step, 2);
  const std::int64_t resumed = now();
  hh.press(Button::pause);
  EXPECT_EQ(run_until(TimerId::Miss), resumed + 360);
}

TEST_F(ControlsTest, PauseFreezesChanceTime) {
  start_game(0);
  tick();
  clear_cells();
  st().score = 199;
  st().misses = 1;
  st().object_cells[2][7] = cell_object;
  tick();
  ASSERT_TRUE(timer(TimerId::Chance_Time).enabled());
  run_until(TimerId::Chance_Time);
  hh.press(Button::pause);
  EXPECT_EQ(st().paused_timer, 1);
  const int step = st().chance_step;
  hh.wait(20'000);
  EXPECT_EQ(st().chance_step, step);
  EXPECT_EQ(st().misses, 1);
  hh.press(Button::pause);
  while (timer(TimerId::Chance_Time).enabled()) next_event();
  EXPECT_EQ(st().misses, 0);
}

TEST_F(ControlsTest, PauseOutsideAGameDoesNothing) {
  hh.start();
  hh.press(Button::pause);
  EXPECT_FALSE(st().paused);
  EXPECT_FALSE(lit(E::la_pause));
  hh.press(Button::game_a);
  hh.press(Button::pause);
  EXPECT_FALSE(st().paused);
}

TEST_F(ControlsTest, AclClearsThePause) {
  start_game(0);
  hh.press(Button::pause);
  hh.press(Button::acl);
  EXPECT_FALSE(st().paused);
  EXPECT_FALSE(lit(E::la_pause));
  hh.release(Button::acl);
  hh.press(Button::game_a);
  hh.random().queue(0);
  hh.release(Button::game_a);
  EXPECT_TRUE(timer(TimerId::Game).enabled());
}

TEST_F(ControlsTest, AfterADropEndsTheGameTheHeroStillMoves) {
  start_game(0);
  tick();
  clear_cells();
  st().misses = 2;
  st().half_miss = true;
  st().object_cells[1][7] = cell_object;
  st().thrower_lane = 3;
  tick();
  while (timer(TimerId::Miss).enabled()) next_event();
  ASSERT_EQ(st().game_mode, mode_game_over);
  hh.press(Button::left);
  EXPECT_EQ(st().hero_lane, 3);
}

}  // namespace
}  // namespace hero::test
