// The hero-trace script language: one command a line, "#" starts a comment.
//   store NAME VALUE   start   draw N ...   clock HH:MM   press B   release B
//   wait MS   show   dump-store
#pragma once

#include <cstdint>
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "tools/virtual_handheld.h"

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

// A line that is not a command of the language; the message says why.
class TraceSyntaxError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

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
// dump-store goes to `out`; the run stops at the first malformed line or
// failing command.
TraceResult run_trace(std::istream& script, std::ostream& out, std::uint32_t seed = 1);

}  // namespace hero
