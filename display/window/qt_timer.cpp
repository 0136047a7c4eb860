#include "display/window/qt_timer.h"

#include <algorithm>

namespace hero {

namespace {
using std::chrono::milliseconds;
using std::chrono::nanoseconds;
// A wake-up this close to the deadline counts as on time; waiting again for
// such a sliver would cost a whole extra pass of the event loop.
constexpr nanoseconds kOnTime = std::chrono::microseconds(20);
constexpr milliseconds kWakeEarly(1);

// While a timer's handler runs, the handheld's time stands at the moment that
// timer was due: a handler takes no time, so an interval it sets (the game
// tick sets one on every tick) counts from the due moment and the late
// delivery of one tick never shifts the ticks after it.
std::optional<SteadyTime> g_handler_time;
}  // namespace

std::optional<SteadyTime> TimerCountdown::deadline() const {
  if (!beat_.armed()) return std::nullopt;
  return beat_.deadline();
}

void TimerCountdown::expired(SteadyTime now) {
  if (beat_.interval_ms() <= 0) return;
  beat_.fire();
  if (beat_.deadline() + milliseconds(beat_.interval_ms()) <= now) beat_.restart(now);
}

HandheldClock::HandheldClock(SteadyNow real)
    : real_(real ? std::move(real) : [] { return std::chrono::steady_clock::now(); }) {
  real_base_ = real_();
  handheld_base_ = real_base_;
}

SteadyTime HandheldClock::now() const {
  const nanoseconds real_since = real_() - real_base_;
  if (speed_ == kFullSpeed) return handheld_base_ + real_since;
  return handheld_base_ + real_since * speed_ / kFullSpeed;
}

nanoseconds HandheldClock::real_span(nanoseconds handheld) const {
  if (speed_ == kFullSpeed) return handheld;
  return handheld * kFullSpeed / speed_;
}

void HandheldClock::set_speed_percent(int percent) {
  percent = std::clamp(percent, 1, kFullSpeed);
  if (percent == speed_) return;
  const SteadyTime real_now = real_();
  handheld_base_ = now();
  real_base_ = real_now;
  speed_ = percent;
}

QtEngineTimer::QtEngineTimer(std::function<void()> on_expiry, SteadyNow now, QObject* parent,
                             const HandheldClock* clock)
    : QObject(parent),
      on_expiry_(std::move(on_expiry)),
      now_(clock ? SteadyNow([clock] { return clock->now(); })
           : now ? std::move(now)
                 : [] { return std::chrono::steady_clock::now(); }),
      clock_(clock) {
  wake_.setSingleShot(true);
  wake_.setTimerType(Qt::PreciseTimer);
  connect(&wake_, &QTimer::timeout, this, [this] { on_wake(); });
}

std::optional<SteadyTime> QtEngineTimer::running_handler_due() { return g_handler_time; }

SteadyTime QtEngineTimer::event_time() const { return g_handler_time ? *g_handler_time : now_(); }

void QtEngineTimer::set_interval_ms(int interval_ms) {
  if (countdown_.set_interval_ms(interval_ms, event_time())) arm();
}

void QtEngineTimer::set_enabled(bool enabled) {
  if (countdown_.set_enabled(enabled, event_time())) arm();
}

void QtEngineTimer::arm() {
  const auto due = countdown_.deadline();
  if (!due) {
    wake_.stop();
    return;
  }
  // The event loop wakes on whole milliseconds and often a little late, so
  // wake a millisecond early and finish the wait in short passes of the
  // loop (on_wake): expiry is at most a few microseconds early and rarely
  // late by more than a fraction of a millisecond.
  const nanoseconds remaining = clock_ ? clock_->real_span(*due - now_()) : nanoseconds(*due - now_());
  const auto early = std::chrono::duration_cast<milliseconds>(remaining) - kWakeEarly;
  wake_.start(std::max(milliseconds(0), early));
}

void QtEngineTimer::on_wake() {
  const auto due = countdown_.deadline();
  if (!due) return;
  if (*due - now_() > kOnTime) {
    arm();
    return;
  }
  deliver_expiry();
}

void QtEngineTimer::deliver_expiry() {
  const auto before = countdown_.deadline();
  if (!before) return;
  // Move on to the next beat first: if the handler sets a new interval or
  // switches the timer off and on, its change counts from now and wins.
  countdown_.expired(now_());
  const auto after = countdown_.deadline();
  struct HandlerTime {
    explicit HandlerTime(SteadyTime due) : saved(g_handler_time) { g_handler_time = due; }
    ~HandlerTime() { g_handler_time = saved; }
    std::optional<SteadyTime> saved;
  } handler_time(*before);
  on_expiry_();
  // The handler restarted or stopped the timer itself (arm() already ran) or
  // left it alone, in which case the next beat is armed here.
  if (countdown_.deadline() == after) arm();
}

}  // namespace hero
