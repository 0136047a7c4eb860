#include "startup/session/session_recorder.h"

#include <algorithm>
#include <cstdio>

#include "engine/settings_values.h"
#include "engine/timer_beat.h"

namespace hero {

// A timer of the window, followed in the handheld's virtual time: the same
// rules as hero-trace's timers, counted from the time of the event that
// changes it. The window's timer does the real waiting.
class SessionRecorder::MirrorTimer final : public EngineTimer {
 public:
  MirrorTimer(SessionRecorder& recorder, EngineTimer& real) : recorder_(recorder), real_(real) {}

  void set_interval_ms(int interval_ms) override {
    real_.set_interval_ms(interval_ms);
    beat_.set_interval_ms(interval_ms, recorder_.event_ms_);
  }
  int interval_ms() const override { return real_.interval_ms(); }
  void set_enabled(bool enabled) override {
    real_.set_enabled(enabled);
    beat_.set_enabled(enabled, recorder_.event_ms_);
  }
  bool enabled() const override { return real_.enabled(); }

  bool armed() const { return beat_.armed(); }
  std::int64_t deadline_ms() const { return beat_.deadline(); }
  // The expiry's virtual time; the next beat follows it by the interval.
  std::int64_t fire() { return beat_.fire(); }

 private:
  SessionRecorder& recorder_;
  EngineTimer& real_;
  TimerBeat<std::int64_t> beat_;
};

class SessionRecorder::NotingRandom final : public RandomSource {
 public:
  NotingRandom(SessionRecorder& recorder, RandomSource& real) : recorder_(recorder), real_(real) {}
  int draw(int lo, int hi) override {
    const int value = real_.draw(lo, hi);
    if (recorder_.recording()) recorder_.draws_.push_back(value);
    return value;
  }

 private:
  SessionRecorder& recorder_;
  RandomSource& real_;
};

class SessionRecorder::NotingClock final : public LocalClock {
 public:
  NotingClock(SessionRecorder& recorder, LocalClock& real) : recorder_(recorder), real_(real) {}
  TimeOfDay now() const override {
    TimeOfDay t = real_.now();
    // The clock mode reads nonsense as 0 too; the script can only say sense.
    if (t.hours < 0 || t.hours > 23) t.hours = 0;
    if (t.minutes < 0 || t.minutes > 59) t.minutes = 0;
    if (recorder_.recording()) {
      const auto& last = recorder_.written_time_;
      if (!last || last->hours != t.hours || last->minutes != t.minutes) recorder_.new_time_ = t;
    }
    return t;
  }

 private:
  SessionRecorder& recorder_;
  LocalClock& real_;
};

namespace {
std::int64_t whole_ms(SteadyTime::duration d) {
  return std::chrono::floor<std::chrono::milliseconds>(d).count();
}

std::string time_text(TimeOfDay t) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d:%02d", t.hours, t.minutes);
  return text;
}

std::string_view button_of(Control action) { return button_name(action); }
}  // namespace

SessionRecorder::SessionRecorder(std::ostream& out, Clock now, FailureReport report)
    : out_(out),
      now_(now ? std::move(now) : [] { return std::chrono::steady_clock::now(); }),
      report_(std::move(report)) {}

SessionRecorder::~SessionRecorder() {
  if (recording()) write_line("# the handheld was switched off; the recording ends here");
}

void SessionRecorder::comment(const std::string& text) { write_line("# " + text); }

EngineServices SessionRecorder::wire(const EngineServices& window) {
  surface_ = std::make_unique<TrackingSurface>(window.surface);
  sound_ = std::make_unique<TeeSoundSink>(window.sound);
  std::array<EngineTimer*, kTimerCount> timers{};
  for (int i = 0; i < kTimerCount; ++i) {
    const auto n = static_cast<std::size_t>(i);
    timers_[n] = std::make_unique<MirrorTimer>(*this, *window.timers[n]);
    timers[n] = timers_[n].get();
  }
  random_ = std::make_unique<NotingRandom>(*this, window.random);
  clock_ = std::make_unique<NotingClock>(*this, window.clock);
  return EngineServices{*surface_, timers, *sound_, window.settings, *random_, *clock_};
}

void SessionRecorder::start(Engine& engine) {
  engine_ = &engine;
  stopped_ = failed_;
  anchor_real_ = now_();
  anchor_ms_ = 0;
  last_ms_ = 0;
  begin_event(0);
  // Requests are noted for the show lines also where no driver plays them.
  engine.set_snd_enabled(true);
  engine.start();
  write_line("store " + std::string(settings::kHiScore1.name) + " " +
             std::to_string(engine.state().hi_score_a));
  write_line("store " + std::string(settings::kHiScore2.name) + " " +
             std::to_string(engine.state().hi_score_b));
  new_time_ = clock_->now();
  end_event("start");
}

void SessionRecorder::stop(const std::string& why) {
  if (!recording()) return;
  write_line("# " + why);
  stopped_ = true;
}

void SessionRecorder::carry_on() {
  anchor_real_ = now_();
  anchor_ms_ = last_ms_;
}

void SessionRecorder::note_store(std::string_view name, const std::string& value) {
  if (recording()) write_line("store " + std::string(name) + " " + value);
}

void SessionRecorder::timer_expiring(TimerId id, SteadyTime due) {
  if (!recording()) return;
  MirrorTimer& timer = *timers_[static_cast<std::size_t>(id)];
  std::int64_t t = timer.armed() ? timer.fire() : last_ms_;
  t = std::max(t, last_ms_);
  anchor_real_ = due;
  anchor_ms_ = t;
  begin_event(t);
}

void SessionRecorder::timer_expired(TimerId) {
  if (recording()) end_event({});
}

bool SessionRecorder::control_arriving(Control, bool) {
  if (!engine_) return false;
  if (!recording()) return true;
  std::int64_t t = std::max(anchor_ms_ + whole_ms(now_() - anchor_real_), last_ms_);
  // A timer that has not fired yet comes after this control, however late
  // the event loop is with it.
  for (const auto& timer : timers_)
    if (timer->armed() && t >= timer->deadline_ms()) t = timer->deadline_ms() - 1;
  begin_event(std::max(t, last_ms_));
  return true;
}

void SessionRecorder::control_done(Control action, bool down) {
  if (!recording()) return;
  end_event(std::string(down ? "press " : "release ") + std::string(button_of(action)));
}

void SessionRecorder::begin_event(std::int64_t t_ms) {
  event_ms_ = t_ms;
  draws_.clear();
  // The minute is also noted where the engine does not read it (a game),
  // so the recording tells when it was played.
  if (clock_) clock_->now();
}

void SessionRecorder::end_event(const std::string& command) {
  try {
    if (!draws_.empty()) {
      std::string line = "draw";
      for (const int value : draws_) line += " " + std::to_string(value);
      write_line(line);
      draws_.clear();
    }
    if (new_time_) {
      write_line("clock " + time_text(*new_time_));
      written_time_ = new_time_;
      new_time_.reset();
    }
    if (event_ms_ > last_ms_) write_line("wait " + std::to_string(event_ms_ - last_ms_));
    if (!command.empty()) write_line(command);
    const int mode = engine_->state().game_mode;
    if (games_only_ && mode <= mode_clock) {
      // The sounds since the last show are taken as a show takes them, so
      // that the next noted show lists the same ones in a replay.
      sound_->take();
      write_line("show");
    } else {
      write_line("show # " + current_show_line());
    }
    last_ms_ = event_ms_;
  } catch (...) {
    // Called from the end of an engine handler: nothing may escape here.
    stopped_ = true;
  }
}

std::string SessionRecorder::current_show_line() {
  std::array<const EngineTimer*, kTimerCount> timers{};
  for (int i = 0; i < kTimerCount; ++i)
    timers[static_cast<std::size_t>(i)] = timers_[static_cast<std::size_t>(i)].get();
  return show_line(event_ms_, engine_->state(), timers, *surface_, surface_->panel_text(), sound_->take());
}

void SessionRecorder::write_line(const std::string& line) {
  if (failed_) return;
  out_ << line << '\n';
  out_.flush();
  if (out_) return;
  failed_ = true;
  stopped_ = true;
  if (report_)
    report_("The recording could not be written any further; it ends at " + std::to_string(last_ms_) +
            " ms.");
}

}  // namespace hero
