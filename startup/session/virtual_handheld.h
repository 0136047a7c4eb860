// The handheld's logic running in virtual time: timers that follow the window
// system's rules on a clock advanced by the caller, an LCD that records what
// it shows, scripted random draws, a fixed time of day and a sound sink that
// records every request. hero-trace and the test suites drive games with it.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/memory_settings_store.h"
#include "engine/timer_beat.h"

namespace hero {

class VirtualTime;

// A window-system timer on the virtual clock. Switching on or a different
// interval restarts the countdown from now; a running timer's next deadline is
// its previous deadline plus the interval, so ticks never drift.
class VirtualTimer : public EngineTimer {
 public:
  explicit VirtualTimer(const VirtualTime& time) : time_(time) {}
  void set_interval_ms(int interval_ms) override;
  int interval_ms() const override { return beat_.interval_ms(); }
  void set_enabled(bool enabled) override;
  bool enabled() const override { return beat_.enabled(); }

  // Due at all: switched on with an interval above zero.
  bool armed() const { return beat_.armed(); }
  std::int64_t deadline_ms() const { return beat_.deadline(); }
  void fired() { beat_.fire(); }

 private:
  const VirtualTime& time_;
  TimerBeat<std::int64_t> beat_;
};

// The virtual clock and the five engine timers on it.
class VirtualTime {
 public:
  VirtualTime();
  std::int64_t now_ms() const { return now_ms_; }
  VirtualTimer& timer(TimerId id) { return *timers_[static_cast<int>(id)]; }
  const VirtualTimer& timer(TimerId id) const { return *timers_[static_cast<int>(id)]; }
  std::array<EngineTimer*, kTimerCount> timer_pointers();

  // Moves the clock forward by `ms`, firing every event due up to and
  // including the end in time order; timers due at the same moment fire in
  // the order Chance_Time, Clock, Game, Game_Over, Miss. A handler takes no time.
  void advance(std::int64_t ms, const std::function<void(TimerId)>& fire);
  // Fires only the next due event if it falls within `limit_ms` from now and
  // returns its id; the clock stops at that event.
  std::optional<TimerId> step(std::int64_t limit_ms, const std::function<void(TimerId)>& fire);

 private:
  std::optional<TimerId> next_due(std::int64_t end_ms) const;

  std::int64_t now_ms_ = 0;
  std::array<std::unique_ptr<VirtualTimer>, kTimerCount> timers_;
};

// An LCD that remembers, per element, whether it is shown and whose picture
// it holds (every element starts with its own picture).
class VirtualSurface : public SegmentSurface {
 public:
  VirtualSurface();
  void set_visible(ElementId id, bool visible) override { visible_[index_of(id)] = visible; }
  bool is_visible(ElementId id) const override { return visible_[index_of(id)]; }
  void copy_picture(ElementId to, ElementId from) override {
    picture_[index_of(to)] = picture_[index_of(from)];
  }
  void clear_picture(ElementId id) override { picture_[index_of(id)] = std::nullopt; }

  // The element whose picture `id` shows, or nothing when its picture is empty.
  std::optional<ElementId> picture_of(ElementId id) const { return picture_[index_of(id)]; }
  // The digit that digit position 1..4 shows, or nothing when it is blank or hidden.
  std::optional<int> digit_at(int position) const;
  // The four digit positions, a space for each blank one ("12 5" style).
  std::string panel_text() const;
  // Names of the lit segments, pressed button pictures and the pause label,
  // sorted; digit positions and glyph sources are left out.
  std::vector<std::string> lit_names() const;

 private:
  std::array<bool, kElementCount> visible_{};
  std::array<std::optional<ElementId>, kElementCount> picture_{};
};

// A random draw that a script asked for but that lies outside the range the
// handheld draws from.
class ScriptedDrawError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Hands out scripted values first, then values of a seeded generator.
class ScriptedRandom : public RandomSource {
 public:
  explicit ScriptedRandom(std::uint32_t seed = 1) : generator_(seed) {}
  void queue(int value) { scripted_.push_back(value); }
  std::size_t queued() const { return scripted_.size(); }
  // Throws ScriptedDrawError for a scripted value outside lo..hi.
  int draw(int lo, int hi) override;
  int draw_count() const { return draw_count_; }

 private:
  std::mt19937 generator_;
  std::deque<int> scripted_;
  int draw_count_ = 0;
};

class FixedClock : public LocalClock {
 public:
  TimeOfDay now() const override { return time_; }
  void set(TimeOfDay time) { time_ = time; }

 private:
  TimeOfDay time_{};
};

// Records "chance", "got", "miss1", "miss2", "tick" for plays and "silence"
// for a stop of every channel.
class RecordingSoundSink : public SoundSink {
 public:
  void play(SoundId id) override;
  void stop_all() override { events_.emplace_back("silence"); }
  const std::vector<std::string>& events() const { return events_; }
  // The events since the last call, emptying the record.
  std::vector<std::string> take();

 private:
  std::vector<std::string> events_;
};

std::string_view sound_name(SoundId id);
std::string_view timer_name(TimerId id);

// The handheld's seven buttons, in the order of the key bindings.
// A script's button: the engine's control, by the name the script gives it.
using Button = Control;
std::optional<Button> button_by_name(std::string_view name);
std::string_view button_name(Button b);

// The names a show line lists as lit, read from any LCD: the visible segments
// (digit positions and glyph sources left out), pressed button pictures and
// the pause label, sorted.
std::vector<std::string> lit_names(const SegmentSurface& surface);

// One hero-trace state line from its parts: the handheld's time, its state
// record, its five timers, what its LCD lights and shows in the panel, and the
// sound requests since the previous line.
std::string show_line(std::int64_t t_ms, const EngineState& state,
                      const std::array<const EngineTimer*, kTimerCount>& timers, const SegmentSurface& lcd,
                      const std::string& panel, const std::vector<std::string>& sounds);

// A complete handheld in virtual time: the engine with every virtual service,
// sound switched on as if a real driver was chosen.
class VirtualHandheld {
 public:
  explicit VirtualHandheld(std::uint32_t seed = 1);

  Engine& engine() { return engine_; }
  const EngineState& state() const { return engine_.state(); }
  // Test set-up only: the state written directly.
  EngineState& state_for_tests() { return engine_.state_for_tests(); }
  VirtualTime& time() { return time_; }
  VirtualSurface& surface() { return surface_; }
  ScriptedRandom& random() { return random_; }
  FixedClock& clock() { return clock_; }
  RecordingSoundSink& sound() { return sound_; }
  MemorySettingsStore& store() { return store_; }

  void start() { engine_.start(); }
  void press(Button b);
  void release(Button b);
  // Virtual time passes; every due timer fires into the engine.
  void wait(std::int64_t ms);
  // Runs up to and including the next timer event within `limit_ms` and says which one fired.
  std::optional<TimerId> next_event(std::int64_t limit_ms = 3'600'000);

  // The hero-trace state line (sounds since the previous line are consumed).
  std::string show_line();
  // Every stored value as NAME=VALUE lines, sorted by name.
  std::string dump_store() const;

 private:
  VirtualTime time_;
  VirtualSurface surface_;
  ScriptedRandom random_;
  FixedClock clock_;
  RecordingSoundSink sound_;
  MemorySettingsStore store_;
  Engine engine_;
};

}  // namespace hero
