// The engine's timers keep window-system semantics and their beat, checked
// against a made-up clock so that no test depends on real time.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include "display/window/qt_timer.h"
#include "test_app.h"

namespace hero {
namespace {

using namespace std::chrono_literals;

class FakeClock {
 public:
  SteadyTime now() const { return now_; }
  void advance(std::chrono::nanoseconds d) { now_ += d; }
  SteadyNow source() {
    return [this] { return now_; };
  }

 private:
  SteadyTime now_ = SteadyTime{} + 1000s;
};

TEST(TimerCountdown, SwitchingOnStartsTheCountdownFromThatMoment) {
  FakeClock clock;
  TimerCountdown t;
  EXPECT_TRUE(t.set_interval_ms(100, clock.now()) == false) << "an idle timer has nothing to restart";
  clock.advance(30ms);
  EXPECT_TRUE(t.set_enabled(true, clock.now()));
  EXPECT_EQ(t.deadline(), clock.now() + 100ms);
}

TEST(TimerCountdown, SameIntervalOrSameEnabledStateChangesNothing) {
  FakeClock clock;
  TimerCountdown t;
  t.set_interval_ms(100, clock.now());
  t.set_enabled(true, clock.now());
  const auto due = t.deadline();
  clock.advance(60ms);
  EXPECT_FALSE(t.set_interval_ms(100, clock.now()));
  EXPECT_FALSE(t.set_enabled(true, clock.now()));
  EXPECT_EQ(t.deadline(), due);
}

TEST(TimerCountdown, DifferentIntervalRestartsTheCountdown) {
  FakeClock clock;
  TimerCountdown t;
  t.set_interval_ms(100, clock.now());
  t.set_enabled(true, clock.now());
  clock.advance(60ms);
  EXPECT_TRUE(t.set_interval_ms(50, clock.now()));
  EXPECT_EQ(t.deadline(), clock.now() + 50ms);
}

TEST(TimerCountdown, OffOrZeroIntervalHasNoDeadline) {
  FakeClock clock;
  TimerCountdown t;
  t.set_interval_ms(0, clock.now());
  t.set_enabled(true, clock.now());
  EXPECT_FALSE(t.deadline());
  t.set_interval_ms(20, clock.now());
  EXPECT_TRUE(t.deadline());
  t.set_enabled(false, clock.now());
  EXPECT_FALSE(t.deadline());
}

TEST(TimerCountdown, LateExpiryKeepsTheBeat) {
  FakeClock clock;
  TimerCountdown t;
  t.set_interval_ms(192, clock.now());
  t.set_enabled(true, clock.now());
  const SteadyTime start = clock.now();
  for (int i = 1; i <= 1000; ++i) {
    clock.advance(*t.deadline() - clock.now() + 400us);  // every delivery late
    t.expired(clock.now());
  }
  EXPECT_EQ(*t.deadline(), start + 1001 * 192ms) << "lateness must not add up";
}

TEST(TimerCountdown, AStalledLoopRestartsInsteadOfFiringABurst) {
  FakeClock clock;
  TimerCountdown t;
  t.set_interval_ms(100, clock.now());
  t.set_enabled(true, clock.now());
  clock.advance(1s);
  t.expired(clock.now());
  EXPECT_EQ(t.deadline(), clock.now() + 100ms);
}

class QtEngineTimerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test_app(); }
  FakeClock clock_;
};

TEST_F(QtEngineTimerTest, ExpiryRunsTheHandlerAndArmsTheNextBeat) {
  int fired = 0;
  QtEngineTimer timer([&] { ++fired; }, clock_.source());
  timer.set_interval_ms(200);
  timer.set_enabled(true);
  EXPECT_TRUE(timer.armed());
  const auto first = *timer.deadline();
  clock_.advance(203ms);
  timer.deliver_expiry();
  EXPECT_EQ(fired, 1);
  EXPECT_EQ(*timer.deadline(), first + 200ms);
  EXPECT_TRUE(timer.armed());
}

TEST_F(QtEngineTimerTest, IntervalSetByAHandlerCountsFromTheDueMoment) {
  QtEngineTimer* self = nullptr;
  QtEngineTimer timer([&] { self->set_interval_ms(720); }, clock_.source());
  self = &timer;
  timer.set_interval_ms(1);
  timer.set_enabled(true);
  const auto due = *timer.deadline();
  clock_.advance(1ms + 700us);  // delivered late
  timer.deliver_expiry();
  EXPECT_EQ(timer.interval_ms(), 720);
  EXPECT_EQ(*timer.deadline(), due + 720ms) << "the late delivery must not shift the next step";
}

TEST_F(QtEngineTimerTest, TimerStartedByAnotherTimersHandlerCountsFromThatDueMoment) {
  QtEngineTimer game([] {}, clock_.source());
  QtEngineTimer miss(
      [&] {
        game.set_interval_ms(192);
        game.set_enabled(true);
      },
      clock_.source());
  miss.set_interval_ms(670);
  miss.set_enabled(true);
  const auto due = *miss.deadline();
  clock_.advance(670ms + 2ms);
  miss.deliver_expiry();
  EXPECT_EQ(*game.deadline(), due + 192ms);
  // Outside any handler (a key press), changes count from the real moment.
  clock_.advance(10ms);
  game.set_interval_ms(300);
  EXPECT_EQ(*game.deadline(), clock_.now() + 300ms);
}

TEST_F(QtEngineTimerTest, HandlerMaySwitchItsOwnTimerOff) {
  QtEngineTimer* self = nullptr;
  int fired = 0;
  QtEngineTimer timer(
      [&] {
        ++fired;
        self->set_enabled(false);
      },
      clock_.source());
  self = &timer;
  timer.set_interval_ms(30000);
  timer.set_enabled(true);
  clock_.advance(30s);
  timer.deliver_expiry();
  EXPECT_EQ(fired, 1);
  EXPECT_FALSE(timer.armed());
  timer.deliver_expiry();
  EXPECT_EQ(fired, 1) << "a timer switched off delivers nothing more";
}

TEST_F(QtEngineTimerTest, HandlerSettingTheSameIntervalKeepsTheBeat) {
  QtEngineTimer* self = nullptr;
  QtEngineTimer timer([&] { self->set_interval_ms(192); }, clock_.source());
  self = &timer;
  timer.set_interval_ms(192);
  timer.set_enabled(true);
  const auto first = *timer.deadline();
  clock_.advance(193ms);
  timer.deliver_expiry();
  EXPECT_EQ(*timer.deadline(), first + 192ms);
}

TEST_F(QtEngineTimerTest, SwitchingOffStopsTheWakeUp) {
  QtEngineTimer timer([] {}, clock_.source());
  timer.set_interval_ms(50);
  timer.set_enabled(true);
  timer.set_enabled(false);
  EXPECT_FALSE(timer.armed());
  timer.set_interval_ms(60);
  EXPECT_FALSE(timer.armed()) << "a new interval does not switch a timer on";
}

// Below full speed the handheld's time runs slower than the real clock, stays
// continuous when the speed changes, and a timer on it is due after its
// interval of the handheld's time: twice as long in real time at 50 %.
TEST_F(QtEngineTimerTest, AtHalfSpeedATimerIsDueAfterTwiceItsIntervalOfRealTime) {
  HandheldClock handheld(clock_.source());
  const SteadyTime start = handheld.now();
  clock_.advance(100ms);
  handheld.set_speed_percent(50);
  EXPECT_EQ(handheld.now(), start + 100ms) << "a change of speed keeps the time continuous";
  EXPECT_EQ(handheld.real_span(200ms), 400ms);
  QtEngineTimer timer([] {}, nullptr, nullptr, &handheld);
  timer.set_interval_ms(200);
  timer.set_enabled(true);
  const SteadyTime due = *timer.deadline();
  EXPECT_EQ(due, start + 300ms);
  clock_.advance(300ms);
  EXPECT_EQ(handheld.now(), start + 250ms);
  clock_.advance(100ms);
  EXPECT_EQ(handheld.now(), due);
  handheld.set_speed_percent(HandheldClock::kFullSpeed);
  clock_.advance(10ms);
  EXPECT_EQ(handheld.now(), due + 10ms);
  handheld.set_speed_percent(7000);
  EXPECT_EQ(handheld.speed_percent(), HandheldClock::kFullSpeed) << "never faster than the handheld";
}

}  // namespace
}  // namespace hero
