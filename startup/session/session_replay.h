// A recording played back on the window's own engine: the script's commands
// in their order, its waits in the handheld's virtual time (the caller says
// how far time has come, so the window can play at real speed), and every
// show checked against the line the recording noted beside it. The player's
// controls are ignored; the handheld's time of day and random draws are the
// recording's, and its high scores go to the window's store, which a replay
// keeps in memory.
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/engine_tap.h"
#include "startup/session/session_parts.h"
#include "startup/session/trace_script.h"

namespace hero {

// One line of a recording: its number, its command and, for a show, the line
// the recording session showed ("show # t=...").
struct RecordedLine {
  int number = 0;
  TraceCommand command;
  std::optional<std::string> expected;
};

struct Recording {
  std::string name;  // as given on the command line, for messages
  std::vector<RecordedLine> lines;
};

// Reads a whole recording; a line that is not a command of the script
// language gives "NAME:LINE: message" in `error` and nothing.
std::optional<Recording> read_recording(std::istream& in, const std::string& name, std::string& error);

class SessionReplay final : public EngineTap {
 public:
  enum class State { waiting, playing, ended, differs };

  explicit SessionReplay(Recording recording);
  ~SessionReplay() override;

  // EngineTap: the engine runs on virtual timers, the recording's draws and
  // time of day; the window's timers never start.
  EngineServices wire(const EngineServices& window_services) override;
  void timer_expiring(TimerId, SteadyTime) override {}
  void timer_expired(TimerId) override {}
  bool control_arriving(Control, bool) override { return false; }
  void control_done(Control, bool) override {}

  // The handheld is switched on: the recording starts at virtual time 0 and
  // runs up to its first wait.
  void begin(Engine& engine);
  // Plays on up to virtual time `until_ms` (or the end, or a difference).
  void play_until(std::int64_t until_ms);

  State state() const { return state_; }
  // The virtual time reached.
  std::int64_t now_ms() const;
  // The next virtual moment at which something happens: a timer due or a
  // wait that ends; none unless playing.
  std::optional<std::int64_t> next_moment_ms() const;
  // Once ended or differing: what to tell the player, and the line (for a
  // difference, the line whose show differs).
  const std::string& message() const { return message_; }
  int line() const { return line_; }
  const Recording& recording() const { return recording_; }
  // Shows checked against a noted line so far, and those that agreed.
  int shows_checked() const { return shows_checked_; }
  int shows_agreed() const { return shows_agreed_; }
  // Called with the handheld's state at every show that agreed with the
  // line noted beside it.
  void watch(std::function<void(const EngineState&)> watcher) { watcher_ = std::move(watcher); }

 private:
  void run_command(const RecordedLine& line);
  void fail(int line, const std::string& why);
  void fire_until(std::int64_t end_ms);

  Recording recording_;
  State state_ = State::waiting;
  std::size_t cursor_ = 0;
  // The end of the wait under way, in virtual time.
  std::optional<std::int64_t> wait_end_ms_;
  std::string message_;
  int line_ = 0;

  Engine* engine_ = nullptr;
  SettingsStore* store_ = nullptr;
  std::unique_ptr<TrackingSurface> surface_;
  std::unique_ptr<TeeSoundSink> sound_;
  VirtualTime time_;
  ScriptedRandom random_;
  FixedClock clock_;
  int shows_checked_ = 0;
  int shows_agreed_ = 0;
  std::function<void(const EngineState&)> watcher_;
};

// What a recording proves when played through headless: the last game it
// plays (A or B), that game's score at its game over or at the recording's
// end, how many noted shows agree, and whether it is verified: every noted
// show agrees and the game reached its game over.
struct RecordingCheck {
  char game = 0;  // 'A', 'B', or 0 when the recording plays no game
  int score = 0;
  int noted = 0;   // show lines with a noted line beside them
  int agreed = 0;  // of them, those the replay showed alike
  bool game_over = false;
  std::string difference;  // "NAME:LINE: ..." where the replay first differs
  bool verified() const {
    return game != 0 && game_over && difference.empty() && noted > 0 && agreed == noted;
  }
  // The one line hero-trace --check prints.
  std::string summary() const;
};

RecordingCheck check_recording(Recording recording);

}  // namespace hero
