// The virtual timers follow the window system's rules.
#include <gtest/gtest.h>

#include "startup/session/virtual_handheld.h"

namespace hero {
namespace {

class VirtualTimeTest : public ::testing::Test {
 protected:
  VirtualTime time;
  std::vector<std::pair<std::int64_t, TimerId>> fired;
  std::function<void(TimerId)> record = [this](TimerId id) { fired.emplace_back(time.now_ms(), id); };
};

TEST_F(VirtualTimeTest, RunningTimerFiresEveryIntervalWithoutDrift) {
  auto& t = time.timer(TimerId::Game);
  t.set_interval_ms(192);
  t.set_enabled(true);
  time.advance(192 * 1000, record);
  ASSERT_EQ(fired.size(), 1000u);
  EXPECT_EQ(fired.back().first, 192 * 1000);
}

TEST_F(VirtualTimeTest, SameIntervalChangesNothingButADifferentOneRestarts) {
  auto& t = time.timer(TimerId::Miss);
  t.set_interval_ms(100);
  t.set_enabled(true);
  time.advance(60, record);
  t.set_interval_ms(100);  // same: the countdown goes on
  t.set_enabled(true);     // same
  time.advance(40, record);
  ASSERT_EQ(fired.size(), 1u);
  EXPECT_EQ(fired[0].first, 100);
  time.advance(30, record);
  t.set_interval_ms(50);  // different: restarts from now (130)
  time.advance(100, record);
  ASSERT_EQ(fired.size(), 3u);
  EXPECT_EQ(fired[1].first, 180);
  EXPECT_EQ(fired[2].first, 230);
}

TEST_F(VirtualTimeTest, SwitchingOnRestartsTheCountdown) {
  auto& t = time.timer(TimerId::Game);
  t.set_interval_ms(100);
  t.set_enabled(true);
  time.advance(70, record);
  t.set_enabled(false);
  time.advance(500, record);
  t.set_enabled(true);
  time.advance(100, record);
  ASSERT_EQ(fired.size(), 1u);
  EXPECT_EQ(fired[0].first, 670);
}

TEST_F(VirtualTimeTest, TiesFireInTheFixedTimerOrder) {
  for (TimerId id :
       {TimerId::Miss, TimerId::Game, TimerId::Chance_Time, TimerId::Game_Over, TimerId::Clock}) {
    time.timer(id).set_interval_ms(10);
    time.timer(id).set_enabled(true);
  }
  time.advance(10, record);
  ASSERT_EQ(fired.size(), 5u);
  const TimerId order[] = {TimerId::Chance_Time, TimerId::Clock, TimerId::Game, TimerId::Game_Over,
                           TimerId::Miss};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(fired[i].second, order[i]);
}

TEST_F(VirtualTimeTest, HandlerMayChangeItsOwnTimerFromTheMomentItFires) {
  auto& t = time.timer(TimerId::Miss);
  t.set_interval_ms(1);
  t.set_enabled(true);
  const int steps[] = {150, 720, 330};
  int i = 0;
  time.advance(5000, [&](TimerId id) {
    fired.emplace_back(time.now_ms(), id);
    if (i < 3) t.set_interval_ms(steps[i++]);
    else t.set_enabled(false);
  });
  ASSERT_EQ(fired.size(), 4u);
  EXPECT_EQ(fired[1].first, 151);
  EXPECT_EQ(fired[2].first, 871);
  EXPECT_EQ(fired[3].first, 1201);
}

TEST_F(VirtualTimeTest, EventAtTheEndOfAWaitFiresWithinIt) {
  auto& t = time.timer(TimerId::Clock);
  t.set_interval_ms(1000);
  t.set_enabled(true);
  time.advance(1000, record);
  EXPECT_EQ(fired.size(), 1u);
  EXPECT_EQ(time.now_ms(), 1000);
}

TEST_F(VirtualTimeTest, ZeroIntervalNeverFires) {
  time.timer(TimerId::Game).set_interval_ms(0);
  time.timer(TimerId::Game).set_enabled(true);
  time.advance(10'000, record);
  EXPECT_TRUE(fired.empty());
}

// As the window's own timers: one switched on before any interval was set
// beats every second.
TEST_F(VirtualTimeTest, ATimerSwitchedOnWithoutAnIntervalBeatsEverySecond) {
  time.timer(TimerId::Miss).set_enabled(true);
  time.advance(3'500, record);
  EXPECT_EQ(fired.size(), 3u);
}

TEST(ScriptedRandomTest, ScriptedValuesComeFirstAndAreRangeChecked) {
  ScriptedRandom random(7);
  random.queue(2);
  random.queue(9);
  EXPECT_EQ(random.draw(0, 2), 2);
  EXPECT_THROW(random.draw(0, 5), ScriptedDrawError);
  for (int i = 0; i < 1000; ++i) {
    const int v = random.draw(0, 13);
    ASSERT_GE(v, 0);
    ASSERT_LE(v, 13);
  }
}

TEST(ScriptedRandomTest, SameSeedSameSequence) {
  ScriptedRandom a(42), b(42), c(43);
  std::vector<int> va, vb, vc;
  for (int i = 0; i < 50; ++i) {
    va.push_back(a.draw(0, 29));
    vb.push_back(b.draw(0, 29));
    vc.push_back(c.draw(0, 29));
  }
  EXPECT_EQ(va, vb);
  EXPECT_NE(va, vc);
}

}  // namespace
}  // namespace hero
