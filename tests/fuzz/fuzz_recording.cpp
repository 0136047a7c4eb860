// Any bytes as a recording or hero-trace script: hero-trace's runner and the
// replay's reader must read them as bounded lines and end with a result or
// the stated error, within bounded time.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "startup/session/session_replay.h"
#include "startup/session/trace_script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  {
    std::istringstream in(text);
    std::string error;
    const auto recording = hero::read_recording(in, "fuzz.trace", error);
    if (!recording && error.empty()) __builtin_trap();
    if (recording && recording->lines.size() > size) __builtin_trap();
  }
  std::istringstream in(text);
  std::ostringstream out;
  const hero::TraceResult result = hero::run_trace(in, out);
  if (!result.ok && result.message.empty()) __builtin_trap();
  return 0;
}
