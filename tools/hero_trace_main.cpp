// hero-trace: runs the handheld's logic in virtual time from a script and
// prints what the handheld shows.
//   hero-trace [--seed S] SCRIPT      (SCRIPT "-" reads standard input)
//   hero-trace --check RECORDING      plays a recording through and says in
//                                     one line whether it proves its game
#include <charconv>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "display/files/printable.h"
#include "startup/session/recording_file.h"
#include "startup/session/trace_script.h"

namespace {

int usage() {
  std::cerr << "usage: hero-trace [--seed S] SCRIPT\n"
               "       hero-trace --check RECORDING\n";
  return 2;
}

bool parse_seed(std::string_view text, std::uint32_t& seed) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seed);
  return error == std::errc() && end == text.data() + text.size();
}

// A recording played through headless: one line, the game, its score, the
// noted lines that agree and "verified", or what keeps it from being so.
int check(const std::string& path) {
  std::string error;
  const std::optional<hero::Recording> recording = hero::open_recording(path, error);
  if (!recording) {
    std::cerr << "hero-trace: " << error << '\n';
    return 1;
  }
  const hero::RecordingCheck result = hero::check_recording(*recording);
  std::cout << result.summary() << '\n';
  return result.verified() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::string_view(argv[1]) == "--check") return argc == 3 ? check(argv[2]) : usage();
  std::uint32_t seed = 1;
  std::string path;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--seed" || arg.rfind("--seed=", 0) == 0) {
      std::string_view value;
      if (arg == "--seed") {
        if (i + 1 >= argc) return usage();
        value = argv[++i];
      } else {
        value = arg.substr(7);
      }
      if (!parse_seed(value, seed)) {
        std::cerr << "hero-trace: the seed must be a whole number from 0 to 4294967295\n";
        return 2;
      }
    } else if (path.empty() && (arg == "-" || arg.rfind('-', 0) != 0)) {
      path = arg;
    } else {
      return usage();
    }
  }
  if (path.empty()) return usage();

  std::ifstream file;
  std::istream* script = &std::cin;
  if (path != "-") {
    std::string error;
    if (!hero::open_script_file(path, file, error)) {
      std::cerr << "hero-trace: " << error << '\n';
      return 1;
    }
    script = &file;
  }
  const hero::TraceResult result = hero::run_trace(*script, std::cout, seed);
  std::cout.flush();
  if (!result.ok) {
    std::cerr << "hero-trace: " << hero::printable(path, 4 * hero::kEchoedTokenChars) << ":" << result.line
              << ": " << result.message << '\n';
    return 1;
  }
  return 0;
}
