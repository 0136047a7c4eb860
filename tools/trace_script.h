// The hero-trace script language: one command a line, "#" starts a comment.
//   store NAME VALUE   start   draw N ...   clock HH:MM   press B   release B
//   wait MS   show   dump-store
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

namespace hero {

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
