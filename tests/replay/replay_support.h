// A main window whose session is recorded, on a steady clock the test moves
// by hand, and the helpers that read a recording back.
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "display/window/unit1.h"
#include "engine/memory_settings_store.h"
#include "startup/session/session_parts.h"
#include "startup/session/session_recorder.h"
#include "startup/session/trace_script.h"
#include "tests/support/qt_app.h"

namespace hero::test {

class SilentSound final : public SoundSink {
 public:
  void play(SoundId) override {}
  void stop_all() override {}
};

inline std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

// The lines the recording session showed, from its "show # ..." comments.
inline std::vector<std::string> noted_shows(const std::string& recording) {
  std::vector<std::string> shows;
  for (const std::string& line : lines_of(recording))
    if (line.rfind("show # ", 0) == 0) shows.push_back(line.substr(7));
  return shows;
}

// What hero-trace prints for the recording.
inline std::vector<std::string> traced_shows(const std::string& recording) {
  std::istringstream script(recording);
  std::ostringstream out;
  const TraceResult result = run_trace(script, out);
  EXPECT_TRUE(result.ok) << "line " << result.line << ": " << result.message;
  return lines_of(out.str());
}

// Every show hero-trace prints equals the one the recording noted.
inline void expect_replays_exactly(const std::string& recording) {
  const auto noted = noted_shows(recording);
  const auto traced = traced_shows(recording);
  ASSERT_EQ(traced.size(), noted.size());
  for (std::size_t i = 0; i < noted.size(); ++i)
    ASSERT_EQ(traced[i], noted[i]) << "show " << i + 1 << " of " << noted.size();
}

inline std::string field(const std::string& show, const std::string& name) {
  for (const auto& [key, value] : show_fields(show))
    if (key == name) return value;
  return "?";
}

inline std::int64_t time_of(const std::string& show) { return std::stoll(field(show, "t")); }

// The default bindings: 1 GAME A, 2 GAME B, 3 TIME, 5 ACL, arrows, space.
inline constexpr VirtualKey kGameA = 49, kGameB = 50, kTime = 51, kAcl = 53, kLeft = 37, kRight = 39,
                            kPause = 32;

class RecordedWindow {
 public:
  using ms = std::chrono::milliseconds;
  using us = std::chrono::microseconds;

  explicit RecordedWindow(std::ostream* out = nullptr) : out_(out ? *out : text_) {
    qt_app();
    recorder_ = std::make_unique<SessionRecorder>(out_, [this] { return now; });
    form_ = std::make_unique<TForm1>(
        std::make_unique<MemorySettingsStore>(), sound_, [this] { return now; }, nullptr, recorder_.get());
  }
  ~RecordedWindow() {
    form_.reset();
    recorder_.reset();
  }

  void switch_on() { recorder_->start(form_->engine()); }
  TForm1& form() { return *form_; }
  SessionRecorder& recorder() { return *recorder_; }
  std::string text() const { return text_.str(); }

  // The timer due first, with its deadline.
  std::optional<std::pair<TimerId, SteadyTime>> next_due() {
    std::optional<std::pair<TimerId, SteadyTime>> best;
    for (int i = 0; i < kTimerCount; ++i) {
      const auto id = static_cast<TimerId>(i);
      const auto due = form_->timer(id).deadline();
      if (due && (!best || *due < best->second)) best = std::make_pair(id, *due);
    }
    return best;
  }
  // The event loop gets round to the timer at `at` (at its deadline or later).
  void deliver(TimerId id, SteadyTime at) {
    now = std::max(now, at);
    form_->timer(id).deliver_expiry();
  }
  void deliver_next(std::chrono::nanoseconds late = {}) {
    const auto due = next_due();
    ASSERT_TRUE(due);
    deliver(due->first, due->second + late);
  }
  void key(VirtualKey key, bool down) { down ? form_->FormKeyDown(key) : form_->FormKeyUp(key); }
  void tap(VirtualKey key) {
    this->key(key, true);
    now += ms(40);
    this->key(key, false);
  }
  // The LCD's time in milliseconds since switch-on (for placing keys).
  void at(std::chrono::nanoseconds since_origin) { now = origin + since_origin; }

  // A restless player for `steps` events on a loaded machine: ticks
  // delivered late, now and then whole beats late, and keys that often come
  // after a deadline whose expiry has not been delivered yet. Returns how
  // many keys came so.
  int play_randomly(std::uint32_t seed, int steps) {
    std::mt19937 rng(seed);
    static constexpr VirtualKey kMoves[] = {kLeft, kRight, kLeft, kRight, kGameA, kGameB, kTime};
    std::optional<VirtualKey> held;
    int overdue_keys = 0;
    for (int step = 0; step < steps; ++step) {
      const auto due = next_due();
      if (due && rng() % 10 < 6) {
        std::chrono::nanoseconds late = us(rng() % 3000);
        if (rng() % 60 == 0) late = ms(3 * form_->timer(due->first).interval_ms() + 7);
        deliver(due->first, due->second + late);
        continue;
      }
      now += ms(rng() % 250) + us(rng() % 1000);
      if (due && now > due->second) ++overdue_keys;
      if (held) {
        // Held keys repeat now and then, as a keyboard repeats them.
        const bool repeat = rng() % 4 == 0;
        if (repeat) {
          key(*held, true);
        } else {
          key(*held, false);
          held.reset();
        }
        continue;
      }
      VirtualKey k = kMoves[rng() % std::size(kMoves)];
      // The player starts a game whenever the handheld is idle; ACL and PAUSE
      // come seldom, so that games also run to their end.
      const auto mode = form_->engine().state().game_mode;
      if ((mode == mode_all_lit || mode == mode_clock || mode == mode_game_over) && rng() % 3 == 0)
        k = kGameA;
      if (rng() % 60 == 0) k = kAcl;
      if (rng() % 40 == 0) k = kPause;
      key(k, true);
      held = k;
    }
    return overdue_keys;
  }

  SteadyTime origin = std::chrono::steady_clock::now();
  SteadyTime now = origin;

 private:
  std::ostringstream text_;
  std::ostream& out_;
  SilentSound sound_;
  std::unique_ptr<SessionRecorder> recorder_;
  std::unique_ptr<TForm1> form_;
};

}  // namespace hero::test
