// The falling-object tick and the speed rule.
#include "tests/engine/engine_fixture.h"

#include "engine/difficulty_tables.h"

namespace hero::test {
namespace {

using E = ElementId;

class GameTickTest : public EngineTest {
 protected:
  // The objects on screen as "lane/row" pairs, lane 1 first.
  std::vector<std::string> objects() {
    std::vector<std::string> out;
    for (int lane = 1; lane <= 3; ++lane)
      for (int row = lane; row <= 7; ++row)
        if (st().object_cells[lane][row] != cell_empty)
          out.push_back(std::to_string(lane) + "/" + std::to_string(row));
    return out;
  }
  int hand() {
    for (int i = 1; i <= 3; ++i)
      if (lit(static_cast<E>(index_of(E::im_lady_0) + i))) return i;
    return 0;
  }
};

TEST_F(GameTickTest, WorkedStartOfAGameTickByTick) {
  start_game(0);
  EXPECT_EQ(timer(TimerId::Game).interval_ms(), 196);
  struct Row {
    int tick;
    const char* object;
    int hand;
    const char* sound;
    int score;
    int interval;
    std::int64_t at_ms;
  };
  // at_ms: the moment of the tick, each one interval after the one before.
  const Row rows[] = {
      {1, "2/2", 2, "tick", 0, 195, 196},   {2, "2/2", 2, "", 0, 194, 391},
      {3, "2/2", 2, "", 0, 193, 585},       {4, "2/3", 2, "tick", 0, 193, 778},
      {5, "2/3", 2, "", 0, 193, 971},       {6, "2/3", 2, "", 0, 192, 1164},
      {7, "2/4", 2, "tick", 0, 192, 1356},  {10, "2/5", 2, "tick", 0, 192, 1932},
      {13, "2/6", 2, "tick", 0, 192, 2508}, {16, "2/7", 2, "got", 1, 292, 3084},
      {17, "1/1", 1, "tick", 1, 192, 3376},
  };
  int done = 0;
  for (const Row& r : rows) {
    while (done < r.tick) {
      tick();
      ++done;
      if (done < r.tick) sounds();
    }
    EXPECT_EQ(now(), r.at_ms) << "tick " << r.tick;
    EXPECT_EQ(objects(), std::vector<std::string>{r.object}) << "tick " << r.tick;
    EXPECT_EQ(hand(), r.hand) << "tick " << r.tick;
    const auto heard = sounds();
    EXPECT_EQ(heard, r.sound[0] ? std::vector<std::string>{r.sound} : std::vector<std::string>{})
        << "tick " << r.tick;
    EXPECT_EQ(st().score, r.score) << "tick " << r.tick;
    EXPECT_EQ(timer(TimerId::Game).interval_ms(), r.interval) << "tick " << r.tick;
  }
  EXPECT_TRUE(lit(E::im_enemy_x1y1));
  EXPECT_FALSE(lit(E::im_enemy_x2y7));  // the catch is gone at the next tick
}

TEST_F(GameTickTest, FirstThrowLaneFollowsTheStartOffset) {
  const int expected_lane[3] = {2, 3, 1};
  for (int offset = 0; offset < 3; ++offset) {
    VirtualHandheld fresh;
    fresh.start();
    fresh.press(Button::game_a);
    fresh.random().queue(offset);
    fresh.release(Button::game_a);
    fresh.wait(196);
    const int lane = expected_lane[offset];
    EXPECT_EQ(fresh.state().object_cells[lane][lane], cell_object) << offset;
    EXPECT_EQ(fresh.sound().take(), std::vector<std::string>{"tick"});
  }
}

TEST_F(GameTickTest, IntervalSettlesFrom196To192WhileTheScoreStaysZero) {
  start_game(0);
  std::vector<int> intervals{timer(TimerId::Game).interval_ms()};
  for (int i = 0; i < 6; ++i) {
    tick();
    intervals.push_back(timer(TimerId::Game).interval_ms());
  }
  EXPECT_EQ(intervals, (std::vector<int>{196, 195, 194, 193, 193, 193, 192}));
}

TEST_F(GameTickTest, SpeedTargetsFollowTheTableRows) {
  struct Case {
    int score;
    double target;
  };
  start_game(0);
  for (const Case c : {Case{0, 191.667}, Case{74, 188.333}, Case{99, 175.513}, Case{100, 191.667},
                       Case{199, 168.810}, Case{998, 113.25}}) {
    // With tick_interval 0 the call leaves exactly a quarter of the target.
    st().score = c.score;
    st().tick_interval = 0.0;
    engine().Gam_Set_Difficulty();
    EXPECT_NEAR(4.0 * st().tick_interval, c.target, 0.001) << c.score;
  }
}

TEST_F(GameTickTest, ComputedIntervalNeverFallsBelowTheFloor) {
  start_game(0);
  st().score = 998;
  st().tick_interval = 50.0;
  engine().Gam_Set_Difficulty();
  EXPECT_EQ(timer(TimerId::Game).interval_ms(), 100);
}

TEST_F(GameTickTest, IntervalRoundsHalvesToEven) {
  start_game(0);
  st().score = 0;
  // 0.75 * t + 0.25 * 191.6667 = 192.5  ->  192;  = 193.5  ->  194
  st().tick_interval = (192.5 - 0.25 * (590.0 / 3.0 - 5.0)) / 0.75;
  engine().Gam_Set_Difficulty();
  EXPECT_EQ(timer(TimerId::Game).interval_ms(), 192);
  st().tick_interval = (193.5 - 0.25 * (590.0 / 3.0 - 5.0)) / 0.75;
  engine().Gam_Set_Difficulty();
  EXPECT_EQ(timer(TimerId::Game).interval_ms(), 194);
}

TEST_F(GameTickTest, ObjectLimitTableSpotValues) {
  EXPECT_EQ(object_limit_table[0], 1);
  EXPECT_EQ(object_limit_table[3], 1);
  EXPECT_EQ(object_limit_table[4], 2);
  EXPECT_EQ(object_limit_table[7], 2);
  EXPECT_EQ(object_limit_table[8], 1);
  EXPECT_EQ(object_limit_table[9], 1);
  EXPECT_EQ(object_limit_table[100], 4);
  EXPECT_EQ(object_limit_table[585], 7);
  EXPECT_EQ(object_limit_table[999], 5);
  int most = 0;
  for (auto v : object_limit_table) most = std::max<int>(most, v);
  EXPECT_EQ(most, 7);
  start_game(0);
  st().score = 585;
  engine().Gam_Set_Difficulty();
  EXPECT_EQ(st().max_objects, 7);
}

TEST_F(GameTickTest, ScoreOf998PlusOneCatchShowsZero) {
  start_game(0);
  clear_cells();
  st().score = 998;
  st().thrower_lane = 3;  // this tick settles lane 1 ... the hero's lane is 2
  st().object_cells[2][7] = cell_object;
  tick();  // the catch wraps the score first, so no draw follows at score 0
  EXPECT_EQ(st().score, 0);
  EXPECT_EQ(hh.surface().panel_text(), "   0");
  EXPECT_EQ(st().object_cells[2][7], cell_caught);
}

TEST_F(GameTickTest, ArrivedObjectAndAnArrivalInTheNewLaneCountTwoAndDelay200) {
  start_game(0);
  ticks(2);
  clear_cells();
  st().score = 10;
  // The hero walked under a waiting object in lane 1 and on into lane 2,
  // whose advance this tick brings an object to the bottom row.
  st().object_cells[1][7] = cell_arrived;
  st().object_cells[2][6] = cell_object;
  st().thrower_lane = 2;
  st().hero_lane = 2;
  sounds();
  hh.random().queue(1);  // rogue stays idle; two objects fill the limit, so no throw draw
  tick();
  EXPECT_EQ(hh.random().queued(), 0u);
  const int base = timer(TimerId::Game).interval_ms() - 200;
  EXPECT_EQ(st().score, 12);
  EXPECT_EQ(sounds(), std::vector<std::string>{"got"});
  EXPECT_GE(base, 180);
  EXPECT_LE(base, 200);
  EXPECT_EQ(st().object_cells[1][7], cell_caught);
  EXPECT_EQ(st().object_cells[2][7], cell_caught);
}

TEST_F(GameTickTest, WithALowScoreANewObjectComesOnlyAfterTheLastOneIsGone) {
  start_game(0);
  int events = 0;
  while (st().game_mode == mode_game_a && st().score <= 3 && events++ < 2000) {
    next_event();
    EXPECT_LE(objects().size(), 1u) << "at " << now();
  }
  EXPECT_GT(events, 20);
}

TEST_F(GameTickTest, ObjectWaitsOneTickInAnotherLaneThenDrops) {
  start_game(0);
  tick();
  clear_cells();
  st().object_cells[1][6] = cell_object;
  st().thrower_lane = 1;
  tick();  // lane 1 reaches its bottom row; the hero stands in lane 2
  EXPECT_EQ(st().object_cells[1][7], cell_object);
  EXPECT_FALSE(timer(TimerId::Miss).enabled());
  tick();  // not caught in time: dropped
  EXPECT_EQ(st().object_cells[1][7], cell_empty);
  EXPECT_TRUE(lit(E::im_enemy_drop_x1));
  EXPECT_TRUE(st().half_miss);
  EXPECT_TRUE(timer(TimerId::Miss).enabled());
  EXPECT_FALSE(timer(TimerId::Game).enabled());
  EXPECT_EQ(timer(TimerId::Miss).interval_ms(), 1);
}

TEST_F(GameTickTest, ADropFreezesTheLanesForThatTick) {
  start_game(0);
  tick();
  clear_cells();
  st().object_cells[1][7] = cell_object;
  st().object_cells[3][4] = cell_object;
  st().thrower_lane = 3;  // previous tick advanced lane 1
  tick();
  EXPECT_EQ(st().thrower_lane, 3);
  EXPECT_EQ(st().object_cells[3][4], cell_object);
  run_until(TimerId::Game);  // after the miss sequence the same lane goes on
  EXPECT_EQ(st().object_cells[3][5], cell_object);
}

TEST_F(GameTickTest, RogueOnlySwingsAboveThreePointsAndStartsOnALaneThreeTick) {
  start_game(0);
  tick();
  clear_cells();
  st().object_cells[3][3] = cell_object;  // far from the bottom for the next ticks
  st().score = 3;
  const int draws = hh.random().draw_count();
  ticks(5);
  EXPECT_EQ(hh.random().draw_count(), draws);
  EXPECT_EQ(st().rogue_phase, 0);

  clear_cells();
  st().object_cells[3][4] = cell_object;  // one object, below the limit of 2 at score 10
  st().score = 10;
  st().thrower_lane = 2;
  hh.random().queue(0);  // swing
  hh.random().queue(5);  // no throw
  tick();
  EXPECT_EQ(st().rogue_phase, 1);
  EXPECT_EQ(st().thrower_lane, 1);
  hh.random().queue(5);
  tick();  // lane 1: the rogue waits for lane 3
  EXPECT_EQ(st().rogue_phase, 1);
  hh.random().queue(5);
  tick();  // lane 3: the swing begins
  EXPECT_EQ(st().rogue_phase, 2);
  EXPECT_EQ(hh.random().queued(), 0u);
  for (int phase = 3; phase <= 5; ++phase) {
    hh.random().queue(5);
    tick();
    EXPECT_EQ(st().rogue_phase, phase);
    EXPECT_TRUE(lit(E::im_rogue_x3y3));  // wind-up
  }
  hh.random().queue(5);
  tick();
  EXPECT_EQ(st().rogue_phase, 6);
  EXPECT_TRUE(lit(E::im_rogue_x3y4));  // the blow, missing the hero in lane 2
  EXPECT_TRUE(timer(TimerId::Game).enabled());
}

TEST_F(GameTickTest, InGameBTheRogueChangesSidesOnAZeroDraw) {
  start_game(0, Button::game_b);
  hh.random().queue(0);  // change sides
  tick();
  EXPECT_EQ(st().rogue_side, 1);
  EXPECT_TRUE(lit(E::im_rogue_x1y1));
  EXPECT_FALSE(lit(E::im_rogue_x3y1));
  hh.random().queue(7);
  tick();
  EXPECT_EQ(st().rogue_side, 1);
}

TEST_F(GameTickTest, InGameATheRogueNeverDrawsForASideChange) {
  start_game(0);
  const int before = hh.random().draw_count();
  ticks(20);
  EXPECT_EQ(hh.random().draw_count(), before);  // score 0..1: no swing or throw draws either
  EXPECT_EQ(st().rogue_side, 3);
}

}  // namespace
}  // namespace hero::test
