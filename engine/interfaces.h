// The narrow services the handheld's logic needs from the world around it.
// The main window hands real ones to the engine; tests and hero-trace hand it
// virtual ones. None of them knows about Qt.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "display/lcd/element_ids.h"
#include "display/lcd/segment_surface.h"

namespace hero {

// The handheld's seven controls, in the order of its key bindings (Key1 ..
// Key7) and of every table that lists them.
enum class Control : int { game_a, game_b, time, acl, left, right, pause };
inline constexpr int kControlCount = 7;
// PAUSE acts on its press only: its release reaches nothing.
constexpr bool has_release(Control control) { return control != Control::pause; }

// The five engine timers. The order is also the order in which timers due at
// the same moment fire in virtual time.
enum class TimerId : int { Chance_Time, Clock, Game, Game_Over, Miss };
inline constexpr int kTimerCount = 5;

// A window-system timer: setting the interval or the enabled flag to the
// value it already has changes nothing; a different interval, or switching
// on, restarts the countdown from that moment. A handler may change its own
// timer. The owner routes expiry to the engine's handler for the timer.
class EngineTimer {
 public:
  virtual ~EngineTimer() = default;
  virtual void set_interval_ms(int interval_ms) = 0;
  virtual int interval_ms() const = 0;
  virtual void set_enabled(bool enabled) = 0;
  virtual bool enabled() const = 0;
};

// The handheld's five beeps.
enum class SoundId : int { chance, got, miss1, miss2, tick };
inline constexpr int kSoundCount = 5;

// Where the engine's beep requests go once sound is enabled: play starts the
// sample on any free channel (beeps overlap), stop_all cuts every channel.
class SoundSink {
 public:
  virtual ~SoundSink() = default;
  virtual void play(SoundId id) = 0;
  virtual void stop_all() = 0;
};

// Uniform random integers.
class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // A uniform integer from lo to hi, both included.
  virtual int draw(int lo, int hi) = 0;
};

struct TimeOfDay {
  int hours = 0;    // 0..23
  int minutes = 0;  // 0..59
};

class LocalClock {
 public:
  virtual ~LocalClock() = default;
  virtual TimeOfDay now() const = 0;
};

// The per-user settings store: a flat set of named text values. Integers are
// stored as decimal text, flags as "1" or "0" (settings_values.h declares
// every value and holds the reading and writing rules every store shares).
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual std::optional<std::string> read_text(std::string_view name) const = 0;
  // The value is stored when this returns; a store that cannot write throws
  // std::runtime_error with a message naming the value.
  virtual void write_text(std::string_view name, std::string_view value) = 0;
  // Every stored value, sorted by name.
  virtual std::vector<std::pair<std::string, std::string>> all() const = 0;
  // Takes in what another running copy of the program may have stored since
  // this one last looked. A store without other writers has nothing to do.
  virtual void refresh() {}
};

}  // namespace hero
