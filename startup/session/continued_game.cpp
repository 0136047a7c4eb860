#include "startup/session/continued_game.h"

#include <array>
#include <optional>
#include <stdexcept>

#include "engine/settings_values.h"
#include "startup/session/session_recorder.h"

namespace hero {

namespace {

// The recording's time as a steady moment: virtual milliseconds from a
// fixed origin, so that the recorder measures presses as hero-trace does.
SteadyTime virtual_moment(std::int64_t ms) { return SteadyTime{} + std::chrono::milliseconds(ms); }

class SilentSound final : public SoundSink {
 public:
  void play(SoundId) override {}
  void stop_all() override {}
};

}  // namespace

// What the engine runs on: the recording's world while it is played again,
// the window's from then on.
class ContinuedTap::Switched {
  // One service of each world; the recording's while it is played again.
  template <class Service>
  struct Either {
    const bool& replaying;
    Service& recorded;
    Service& window;
    Service& now() const { return replaying ? recorded : window; }
  };

 public:
  class Timer final : public EngineTimer {
   public:
    explicit Timer(Either<EngineTimer> either) : either_(either) {}
    void set_interval_ms(int interval_ms) override { either_.now().set_interval_ms(interval_ms); }
    int interval_ms() const override { return either_.now().interval_ms(); }
    void set_enabled(bool enabled) override { either_.now().set_enabled(enabled); }
    bool enabled() const override { return either_.now().enabled(); }

   private:
    Either<EngineTimer> either_;
  };

  class Random final : public RandomSource {
   public:
    explicit Random(Either<RandomSource> either) : either_(either) {}
    int draw(int lo, int hi) override { return either_.now().draw(lo, hi); }

   private:
    Either<RandomSource> either_;
  };

  class Clock final : public LocalClock {
   public:
    explicit Clock(Either<LocalClock> either) : either_(either) {}
    TimeOfDay now() const override { return either_.now().now(); }

   private:
    Either<LocalClock> either_;
  };

  // The recording's world makes no sound.
  class Sound final : public SoundSink {
   public:
    Sound(const bool& replaying, SoundSink& window) : either_{replaying, silent_, window} {}
    void play(SoundId id) override { either_.now().play(id); }
    void stop_all() override { either_.now().stop_all(); }

   private:
    SilentSound silent_;
    Either<SoundSink> either_;
  };

  class Store final : public SettingsStore {
   public:
    explicit Store(Either<SettingsStore> either) : either_(either) {}
    std::optional<std::string> read_text(std::string_view name) const override {
      return either_.now().read_text(name);
    }
    void write_text(std::string_view name, std::string_view value) override {
      either_.now().write_text(name, value);
    }
    std::vector<std::pair<std::string, std::string>> all() const override { return either_.now().all(); }
    void refresh() override { either_.now().refresh(); }

   private:
    Either<SettingsStore> either_;
  };

  Switched(ContinuedTap& tap, const EngineServices& window)
      : window_(window),
        random_({tap.replaying_, tap.random_, window.random}),
        clock_({tap.replaying_, tap.clock_, window.clock}),
        sound_(tap.replaying_, window.sound),
        store_({tap.replaying_, tap.store_, window.settings}) {
    for (int i = 0; i < kTimerCount; ++i) {
      const auto n = static_cast<std::size_t>(i);
      timers_[n] = std::make_unique<Timer>(
          Either<EngineTimer>{tap.replaying_, tap.time_.timer(static_cast<TimerId>(i)), *window.timers[n]});
    }
  }

  EngineServices services() {
    std::array<EngineTimer*, kTimerCount> timers{};
    for (std::size_t n = 0; n < timers.size(); ++n) timers[n] = timers_[n].get();
    return EngineServices{window_.surface, timers, sound_, store_, random_, clock_};
  }
  const EngineServices& window() const { return window_; }

 private:
  EngineServices window_;
  std::array<std::unique_ptr<Timer>, kTimerCount> timers_;
  Random random_;
  Clock clock_;
  Sound sound_;
  Store store_;
};

ContinuedTap::ContinuedTap(EngineTap& inner, SessionRecorder& recorder)
    : inner_(inner), recorder_(recorder) {}

ContinuedTap::~ContinuedTap() = default;

EngineServices ContinuedTap::wire(const EngineServices& window_services) {
  switched_ = std::make_unique<Switched>(*this, window_services);
  return inner_.wire(switched_->services());
}

void ContinuedTap::timer_expiring(TimerId id, SteadyTime due) { inner_.timer_expiring(id, due); }
void ContinuedTap::timer_expired(TimerId id) { inner_.timer_expired(id); }
bool ContinuedTap::control_arriving(Control control, bool down) {
  // The player's keys wait until the handheld is the window's.
  return !replaying_ && inner_.control_arriving(control, down);
}
void ContinuedTap::control_done(Control control, bool down) { inner_.control_done(control, down); }

std::optional<SteadyTime> ContinuedTap::replay_moment() const {
  if (!replaying_) return std::nullopt;
  return virtual_moment(time_.now_ms());
}

void ContinuedTap::fire(TimerId id) {
  // As the window runs a timer: the tap hears of it before and after.
  inner_.timer_expiring(id, virtual_moment(time_.now_ms()));
  struct Done {
    EngineTap& tap;
    TimerId id;
    ~Done() { tap.timer_expired(id); }
  } done{inner_, id};
  engine_->on_timer(id);
}

void ContinuedTap::work(Control control, bool down) {
  if (!inner_.control_arriving(control, down)) return;
  struct Done {
    EngineTap& tap;
    Control control;
    bool down;
    ~Done() { tap.control_done(control, down); }
  } done{inner_, control, down};
  down ? engine_->press(control) : engine_->release(control);
}

bool ContinuedTap::continue_game(Engine& engine, const Recording& recording,
                                 const std::function<void(Engine&)>& start, std::string& error) {
  if (!switched_) {
    error = "the handheld was not built on the continued game's services";
    return false;
  }
  engine_ = &engine;
  replaying_ = true;
  bool started = false;
  try {
    for (const RecordedLine& line : recording.lines) {
      const TraceCommand& c = line.command;
      if (set_world(c, store_, random_, clock_)) continue;
      switch (c.kind) {
        case TraceCommand::Kind::start:
          // A recording holds one session: one start, at its beginning.
          if (started) throw std::runtime_error("line " + std::to_string(line.number) + ": a second start");
          started = true;
          start(engine);
          break;
        case TraceCommand::Kind::press:
        case TraceCommand::Kind::release:
          if (started) work(c.button, c.kind == TraceCommand::Kind::press);
          break;
        case TraceCommand::Kind::wait:
          time_.advance(c.wait_ms, [this](TimerId id) { fire(id); });
          break;
        case TraceCommand::Kind::none:
        case TraceCommand::Kind::show:
        case TraceCommand::Kind::dump_store:
        case TraceCommand::Kind::store:
        case TraceCommand::Kind::draw:
        case TraceCommand::Kind::clock:
          break;
      }
    }
  } catch (const std::exception& e) {
    replaying_ = false;
    error = e.what();
    return false;
  }
  const EngineState& state = engine.state();
  if (!started || (state.game_mode != mode_game_a && state.game_mode != mode_game_b)) {
    replaying_ = false;
    error = "the recording does not end in a game under way";
    return false;
  }
  // Left as if PAUSE had been pressed at that moment (its release does
  // nothing, and reaches neither the handheld nor a recording).
  if (!state.paused) work(Control::pause, true);
  go_live();
  return true;
}

void ContinuedTap::go_live() {
  // The timers the handheld left running go on in the window, each from
  // now; the recorder keeps their deadlines in the handheld's time.
  for (int i = 0; i < kTimerCount; ++i) {
    const VirtualTimer& recorded = time_.timer(static_cast<TimerId>(i));
    EngineTimer& window = *switched_->window().timers[static_cast<std::size_t>(i)];
    window.set_enabled(false);
    window.set_interval_ms(recorded.interval_ms());
    window.set_enabled(recorded.enabled());
  }
  replaying_ = false;
  recorder_.carry_on();
  for (const settings::Integer* hi_score : {&settings::kHiScore1, &settings::kHiScore2}) {
    recorder_.note_store(hi_score->name,
                         std::to_string(settings::read(switched_->window().settings, *hi_score)));
  }
}

}  // namespace hero
