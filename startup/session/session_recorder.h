// A session written down as it is played: a hero-trace script of the stored
// high scores, start, every press and release, every random draw the engine
// made, the time of day whenever its minute changes (checked at every event
// and at every reading of the clock mode), and a show after every event. Each show carries, as a comment, the
// line the handheld showed then, so that a replay can check itself against it:
//   show # t=1234 mode=5 score=12 ...
//
// Times are the engine's own. A timer expiry is stamped with the deadline the
// timer had in the handheld's virtual time (the previous deadline plus the
// interval, or the moment it was started plus the interval), whenever the
// event loop got round to it; a press or release is stamped with the time
// passed since the last expiry's real deadline, and always before the next
// deadline that had not fired when it came. So a loaded machine that
// delivers a tick late, or skips beats after a stall, still writes a script
// that hero-trace plays through the same states.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "engine/engine_tap.h"
#include "startup/session/session_parts.h"

namespace hero {

class SessionRecorder final : public EngineTap {
 public:
  using Clock = std::function<SteadyTime()>;
  using FailureReport = std::function<void(const std::string& message)>;

  // Lines go to `out`, each flushed as soon as it is written. `now` is the
  // steady clock (tests give a made-up one). A write that fails stops the
  // recording and is reported once.
  explicit SessionRecorder(std::ostream& out, Clock now = nullptr, FailureReport report = nullptr);
  ~SessionRecorder() override;

  // A comment line ("# text"), for the recording's heading.
  void comment(const std::string& text);
  // Shows outside a game (the clock, the alarm, every segment lit) written
  // bare, without the line the handheld showed: a session left running as
  // a clock for days stays small. Every show of a game is noted as ever.
  void note_games_only(bool on) { games_only_ = on; }

  // EngineTap
  EngineServices wire(const EngineServices& window_services) override;
  void timer_expiring(TimerId id, SteadyTime due) override;
  void timer_expired(TimerId id) override;
  // Before start the handheld is not switched on and takes no control.
  bool control_arriving(Control action, bool down) override;
  void control_done(Control action, bool down) override;

  // The handheld is switched on: runs the engine's start (high scores, no
  // pause, every segment lit) and writes the store lines with the high
  // scores it read, the time of day, start and the first show.
  void start(Engine& engine);
  // Ends the recording with a comment saying why; the handheld goes on
  // playing as usual, unrecorded.
  void stop(const std::string& why);
  bool recording() const { return engine_ != nullptr && !stopped_; }
  // The handheld's time goes on from the last event written, measured from
  // the clock's present moment (after a game was played again in virtual
  // time from its recording).
  void carry_on();
  // A "store NAME VALUE" line: what the store holds from here on.
  void note_store(std::string_view name, const std::string& value);

 private:
  class MirrorTimer;
  class NotingRandom;
  class NotingClock;

  void begin_event(std::int64_t t_ms);
  void end_event(const std::string& command);
  void write_line(const std::string& line);
  std::string current_show_line();

  std::ostream& out_;
  Clock now_;
  FailureReport report_;
  bool failed_ = false;
  bool stopped_ = false;
  bool games_only_ = false;
  Engine* engine_ = nullptr;

  std::unique_ptr<TrackingSurface> surface_;
  std::unique_ptr<TeeSoundSink> sound_;
  std::array<std::unique_ptr<MirrorTimer>, kTimerCount> timers_;
  std::unique_ptr<NotingRandom> random_;
  std::unique_ptr<NotingClock> clock_;

  // The event being written: its time, and the draws and time of day the
  // engine took during it (they go before it in the script).
  std::int64_t event_ms_ = 0;
  std::vector<int> draws_;
  std::optional<TimeOfDay> new_time_;
  std::optional<TimeOfDay> written_time_;
  std::int64_t last_ms_ = 0;
  // The real moment and handheld time of the last expiry: presses and
  // releases are measured from there.
  SteadyTime anchor_real_{};
  std::int64_t anchor_ms_ = 0;
};

}  // namespace hero
