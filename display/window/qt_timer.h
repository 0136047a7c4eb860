// The engine's timers on the real clock. Each behaves as a window-system
// timer (setting the value it already has changes nothing; a new interval or
// switching on restarts the countdown) but keeps its beat: the next deadline
// is the previous deadline plus the interval, so a game tick of 192 ms stays
// 192 ms on average however late the event loop delivers one expiry.
#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>
#include <optional>

#include "engine/interfaces.h"
#include "engine/timer_beat.h"

namespace hero {

using SteadyTime = std::chrono::steady_clock::time_point;
using SteadyNow = std::function<SteadyTime()>;

// One timer's countdown on the real clock: the rules every timer of the
// handheld follows (TimerBeat), free of any event loop so that they can be
// checked against a made-up clock.
class TimerCountdown {
 public:
  // Both return true when the countdown was (re)started or stopped, that is
  // when the pending wake-up must be replaced.
  bool set_interval_ms(int interval_ms, SteadyTime now) { return beat_.set_interval_ms(interval_ms, now); }
  bool set_enabled(bool enabled, SteadyTime now) { return beat_.set_enabled(enabled, now); }
  int interval_ms() const { return beat_.interval_ms(); }
  bool enabled() const { return beat_.enabled(); }
  // When the timer is due next; none while it is off or its interval is 0
  // (a window-system timer with no interval never fires).
  std::optional<SteadyTime> deadline() const;
  // The deadline has been reached: move on to the next beat. A timer that
  // has fallen a whole interval behind (a stalled event loop) restarts from
  // now instead of firing a burst of catch-up ticks.
  void expired(SteadyTime now);

 private:
  TimerBeat<SteadyTime> beat_;
};

// The handheld's own time on the real clock: the steady clock itself at
// full speed, or stretched for a player who needs more time. At a speed of
// s percent the handheld lives s milliseconds in every 100 of real time, so
// every timer of the engine runs 100/s times longer in real time while the
// engine, its intervals and a recording's waits stay as they are. A change
// of speed keeps the handheld's time continuous.
class HandheldClock {
 public:
  static constexpr int kFullSpeed = 100;

  explicit HandheldClock(SteadyNow real = nullptr);
  // The handheld's present moment.
  SteadyTime now() const;
  // How long a stretch of the handheld's time takes in real time.
  std::chrono::nanoseconds real_span(std::chrono::nanoseconds handheld) const;
  int speed_percent() const { return speed_; }
  void set_speed_percent(int percent);

 private:
  SteadyNow real_;
  int speed_ = kFullSpeed;
  // The last change of speed: the real moment and the handheld's then.
  SteadyTime real_base_{};
  SteadyTime handheld_base_{};
};

class QtEngineTimer final : public QObject, public EngineTimer {
 public:
  // `on_expiry` runs on the event loop's thread each time the timer is due.
  // The timer counts on `clock` (the handheld's time) when given, else on
  // `now`, the real clock.
  explicit QtEngineTimer(std::function<void()> on_expiry, SteadyNow now = nullptr, QObject* parent = nullptr,
                         const HandheldClock* clock = nullptr);
  // The wake-up waits again for the deadline at the clock's present speed.
  void speed_changed() { arm(); }

  void set_interval_ms(int interval_ms) override;
  int interval_ms() const override { return countdown_.interval_ms(); }
  void set_enabled(bool enabled) override;
  bool enabled() const override { return countdown_.enabled(); }

  // The deadline the timer is waiting for, if any.
  std::optional<SteadyTime> deadline() const { return countdown_.deadline(); }
  // Whether a wake-up is pending in the event loop.
  bool armed() const { return wake_.isActive(); }
  // Delivers the expiry as the event loop would at the deadline. While its
  // handler runs, changes to any engine timer count from that deadline.
  void deliver_expiry();
  // The deadline of the timer whose handler is running; none outside one.
  static std::optional<SteadyTime> running_handler_due();

 private:
  void arm();
  void on_wake();
  // Now, or the due moment of the timer whose handler is running.
  SteadyTime event_time() const;

  std::function<void()> on_expiry_;
  SteadyNow now_;
  const HandheldClock* clock_ = nullptr;
  TimerCountdown countdown_;
  QTimer wake_;
};

}  // namespace hero
