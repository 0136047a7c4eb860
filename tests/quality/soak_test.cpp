// An hour of play in virtual time with a restless player: random buttons at
// random moments, games started, paused, abandoned and played out, the clock
// running through the small hours. The handheld must never leave its rules,
// and the same seed must give the same hour.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <sstream>
#include <string>

#include "startup/session/virtual_handheld.h"

namespace hero {
namespace {

constexpr std::int64_t kHourMs = 3'600'000;

struct SoakResult {
  std::string final_line;
  std::string final_store;
  std::uint64_t trace_hash = 0;  // of every state line along the way
  int games_started = 0;
  int game_overs = 0;
  int max_score = 0;
};

// Timers that run a game: at most one of them may be on at any moment.
int running_game_timers(VirtualHandheld& hh) {
  int on = 0;
  for (TimerId id : {TimerId::Game, TimerId::Miss, TimerId::Chance_Time, TimerId::Game_Over})
    on += hh.time().timer(id).enabled() ? 1 : 0;
  return on;
}

void check_rules(VirtualHandheld& hh, std::int64_t now) {
  const EngineState& s = hh.state();
  ASSERT_GE(s.game_mode, 0) << "at " << now;
  ASSERT_LE(s.game_mode, 8) << "at " << now;
  ASSERT_GE(s.score, 0) << "at " << now;
  ASSERT_LE(s.score, 998) << "at " << now;
  ASSERT_GE(s.misses, 0) << "at " << now;
  ASSERT_LE(s.misses, 3) << "at " << now;
  // Lane and side are 0 until the first game places the figures.
  ASSERT_GE(s.hero_lane, 0) << "at " << now;
  ASSERT_LE(s.hero_lane, 3) << "at " << now;
  ASSERT_TRUE(s.rogue_side == 0 || s.rogue_side == 1 || s.rogue_side == 3) << "at " << now;
  ASSERT_LE(running_game_timers(hh), 1) << hh.show_line();
  for (int lane = 1; lane <= 3; ++lane)
    for (int row = lane; row <= 7; ++row) {
      ASSERT_GE(s.object_cells[lane][row], cell_empty) << hh.show_line();
      ASSERT_LE(s.object_cells[lane][row], cell_arrived) << hh.show_line();
    }
}

// The player: mostly left and right, now and then a game button, TIME, ACL
// or PAUSE, each press held for a random while.
SoakResult soak(std::uint32_t seed, std::int64_t duration_ms) {
  VirtualHandheld hh(seed);
  std::mt19937 player(seed * 2654435761u + 17u);
  static constexpr Button kButtons[] = {Button::left, Button::right, Button::left,   Button::right,
                                        Button::left, Button::right, Button::game_a, Button::game_b,
                                        Button::time, Button::acl,   Button::pause};
  SoakResult result;
  std::hash<std::string> hash;
  hh.clock().set({23, 50});
  hh.start();
  std::int64_t now = 0;
  while (now < duration_ms) {
    const Button b = kButtons[player() % std::size(kButtons)];
    const int hold_ms = static_cast<int>(player() % 400);
    const int gap_ms = static_cast<int>(player() % 1500);
    const int before = hh.state().game_mode;
    hh.press(b);
    hh.wait(hold_ms);
    hh.release(b);
    hh.wait(gap_ms);
    now += hold_ms + gap_ms;
    // The time of day follows virtual time, across midnight.
    const std::int64_t minutes = (23 * 60 + 50 + now / 60000) % (24 * 60);
    hh.clock().set({static_cast<int>(minutes / 60), static_cast<int>(minutes % 60)});
    const int mode = hh.state().game_mode;
    if ((mode == mode_game_a || mode == mode_game_b) && before != mode) ++result.games_started;
    if (mode == mode_game_over && before != mode_game_over) ++result.game_overs;
    result.max_score = std::max(result.max_score, hh.state().score);
    check_rules(hh, now);
    if (::testing::Test::HasFatalFailure()) return result;
    result.trace_hash = result.trace_hash * 1099511628211u ^ hash(hh.show_line());
  }
  result.final_line = hh.show_line();
  result.final_store = hh.dump_store();
  return result;
}

TEST(Soak, HourOfRandomPlayKeepsTheRulesAndRepeatsFromItsSeed) {
  const SoakResult first = soak(20261207, kHourMs);
  ASSERT_FALSE(::testing::Test::HasFatalFailure());
  const SoakResult again = soak(20261207, kHourMs);
  ASSERT_FALSE(::testing::Test::HasFatalFailure());
  EXPECT_EQ(first.final_line, again.final_line);
  EXPECT_EQ(first.final_store, again.final_store);
  EXPECT_EQ(first.trace_hash, again.trace_hash);
  // The hour really played: games were started and lost, points were made,
  // and a beaten high score reached the store.
  EXPECT_GT(first.games_started, 10);
  EXPECT_GT(first.max_score, 0);
  EXPECT_NE(first.final_store.find("HiScore"), std::string::npos) << first.final_store;
}

TEST(Soak, DifferentSeedsPlayDifferentHours) {
  const SoakResult a = soak(1, kHourMs / 6);
  const SoakResult b = soak(2, kHourMs / 6);
  ASSERT_FALSE(::testing::Test::HasFatalFailure());
  EXPECT_NE(a.trace_hash, b.trace_hash);
}

}  // namespace
}  // namespace hero
