// The hero-trace script language: one command a line, "#" starts a comment.
//   store NAME VALUE   start   draw N ...   clock HH:MM   press B   release B
//   wait MS   show   dump-store
#pragma once

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "startup/session/virtual_handheld.h"

namespace hero {

// One command of a script, read but not yet run.
struct TraceCommand {
  enum class Kind { none, store, start, draw, clock, press, release, wait, show, dump_store };
  Kind kind = Kind::none;          // none: an empty line or a comment
  std::string name;                // store
  std::string value;               // store: the rest of the line, inner spaces kept
  std::vector<int> draws;          // draw
  TimeOfDay time;                  // clock
  Button button = Button::game_a;  // press, release
  std::int64_t wait_ms = 0;        // wait
};

// The lines that set the world the handheld runs in rather than work it: a
// stored value, the next random draws, the time of day. Applies such a line
// and answers true; any other is left to the caller.
bool set_world(const TraceCommand& c, SettingsStore& store, ScriptedRandom& random, FixedClock& clock);

// A line that is not a command of the language; the message says why.
class TraceSyntaxError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The bounds of a script or recording. The largest file and the longest
// line hold any real game many times over (a recording notes about 90 bytes
// a second of play); the span of virtual time its waits may cover is a
// week, so that no small file can ask for hours of the engine's time.
inline constexpr std::uintmax_t kMaxScriptBytes = 64u * 1024 * 1024;
inline constexpr std::size_t kMaxScriptLineChars = 4096;
inline constexpr std::int64_t kMaxScriptSpanMs = 7LL * 24 * 60 * 60 * 1000;

// A script's lines, read as a bounded stream: a line longer than the longest
// or a stream larger than the largest stops the reading with a message.
class ScriptLines {
 public:
  explicit ScriptLines(std::istream& in) : in_(in) {}
  // The next line, without its newline; false at the end or at a bound
  // passed (then error() says which).
  bool next(std::string& line);
  int number() const { return number_; }
  const std::string& error() const { return error_; }
  // The last line read ended without a newline (a writer killed mid-line).
  bool last_cut_off() const { return cut_off_; }
  // At the end: the stream held no complete line (no newline at all).
  bool held_no_line() const { return !newline_seen_; }

 private:
  std::istream& in_;
  std::uintmax_t bytes_ = 0;
  int number_ = 0;
  bool cut_off_ = false;
  bool newline_seen_ = false;
  std::string error_;
};

// Opens a script or recording by name: only a regular file no larger than
// the largest script; a folder, a device, a pipe or a socket is refused.
// False with the reason in `error`.
bool open_script_file(const std::string& path, std::ifstream& file, std::string& error);

// Adds a wait to the span a script has covered so far; throws
// TraceSyntaxError when the span would pass the longest a script may cover.
void add_to_span(std::int64_t& span_ms, std::int64_t wait_ms);

// Reads one line, its comment already cut off. Throws TraceSyntaxError.
TraceCommand parse_trace_command(std::string_view text);
// Runs a command on the handheld; show and dump-store print to `out`.
void run_trace_command(VirtualHandheld& handheld, const TraceCommand& command, std::ostream& out);

struct TraceResult {
  bool ok = true;
  int line = 0;         // the line that stopped the run
  std::string message;  // why it stopped
};

// Runs the script against a fresh virtual handheld whose random generator is
// seeded with `seed` once the scripted draws are used up. Output of show and
// dump-store goes to `out`; the run stops at the first malformed line,
// failing command or bound passed, and on a script that holds no complete
// line.
TraceResult run_trace(std::istream& script, std::ostream& out, std::uint32_t seed = 1);

}  // namespace hero
