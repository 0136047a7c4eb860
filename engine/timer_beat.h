// The rules of one window-system timer, written once for every clock the
// handheld runs on: the window's real timers, the virtual timers of tests and
// hero-trace, and the recorder's copy of the window's timers. A recording
// replays exactly only while all of them follow the same rules.
//   - Setting the interval or the enabled flag to the value it already has
//     changes nothing.
//   - A different interval while on, or switching on, restarts the
//     countdown from that moment.
//   - A timer with an interval of 0 never fires.
//   - A running timer keeps its beat: its next deadline is the previous
//     deadline plus the interval, however late the expiry was delivered.
// `Time` is a point on the clock: milliseconds of virtual time, or a
// std::chrono time point.
#pragma once

#include <chrono>
#include <type_traits>

namespace hero {

template <typename Time>
class TimerBeat {
 public:
  // A window-system timer's interval before anyone sets it.
  static constexpr int kInitialIntervalMs = 1000;

  // Both return true when the countdown was (re)started or stopped, that is
  // when a pending wake-up must be replaced.
  bool set_interval_ms(int interval_ms, Time now) {
    if (interval_ms == interval_ms_) return false;
    interval_ms_ = interval_ms;
    if (!enabled_) return false;
    deadline_ = after(now, interval_ms_);
    return true;
  }
  bool set_enabled(bool enabled, Time now) {
    if (enabled == enabled_) return false;
    enabled_ = enabled;
    if (enabled_) deadline_ = after(now, interval_ms_);
    return true;
  }
  int interval_ms() const { return interval_ms_; }
  bool enabled() const { return enabled_; }
  // Due at all: switched on with an interval above zero.
  bool armed() const { return enabled_ && interval_ms_ > 0; }
  // When it is due next (meaningful while armed).
  Time deadline() const { return deadline_; }
  // The deadline is reached: returns it, and the next beat follows it by
  // the interval.
  Time fire() {
    const Time due = deadline_;
    deadline_ = after(deadline_, interval_ms_);
    return due;
  }
  // Starts the beat over from `now` (a real clock whose event loop stalled).
  void restart(Time now) { deadline_ = after(now, interval_ms_); }

 private:
  static Time after(Time t, int ms) {
    if constexpr (std::is_arithmetic_v<Time>) {
      return t + ms;
    } else {
      return t + std::chrono::milliseconds(ms);
    }
  }

  int interval_ms_ = kInitialIntervalMs;
  bool enabled_ = false;
  Time deadline_{};
};

}  // namespace hero
