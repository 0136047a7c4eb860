#include "startup/session/trace_script.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <istream>
#include <ostream>
#include <sstream>
#include <vector>

#include "display/files/printable.h"
#include "startup/session/virtual_handheld.h"

namespace hero {
namespace {

using Malformed = TraceSyntaxError;

std::vector<std::string> split_words(std::string_view text) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\r')) ++i;
    const std::size_t start = i;
    while (i < text.size() && text[i] != ' ' && text[i] != '\t' && text[i] != '\r') ++i;
    if (i > start) words.emplace_back(text.substr(start, i - start));
  }
  return words;
}

std::int64_t parse_number(const std::string& word, std::int64_t lo, std::int64_t hi, const char* what) {
  std::int64_t value = 0;
  const char* first = word.data();
  const char* last = word.data() + word.size();
  const auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc() || end != last)
    throw Malformed(std::string(what) + " must be a whole number, not \"" + printable(word) + "\"");
  if (value < lo || value > hi)
    throw Malformed(std::string(what) + " " + printable(word) + " is outside " + std::to_string(lo) + ".." +
                    std::to_string(hi));
  return value;
}

void expect_count(const std::vector<std::string>& words, std::size_t count, const char* usage) {
  if (words.size() != count) throw Malformed(std::string("expected \"") + usage + "\"");
}

TimeOfDay parse_time(const std::string& word) {
  const auto colon = word.find(':');
  if (colon == std::string::npos || colon == 0 || colon > 2 || word.size() - colon - 1 != 2)
    throw Malformed("time must be HH:MM, not \"" + printable(word) + "\"");
  TimeOfDay t;
  t.hours = static_cast<int>(parse_number(word.substr(0, colon), 0, 23, "hour"));
  t.minutes = static_cast<int>(parse_number(word.substr(colon + 1), 0, 59, "minute"));
  return t;
}

Button parse_button(const std::string& word) {
  const auto b = button_by_name(word);
  if (!b)
    throw Malformed("unknown button \"" + printable(word) + "\" (game_a game_b time acl left right pause)");
  return *b;
}

}  // namespace

bool ScriptLines::next(std::string& line) {
  line.clear();
  std::streambuf* buffer = in_.rdbuf();
  if (!error_.empty() || buffer == nullptr) return false;
  bool any = false;
  for (;;) {
    const int c = buffer->sbumpc();
    if (c == std::char_traits<char>::eof()) {
      if (!any) return false;
      ++number_;
      cut_off_ = true;
      return true;
    }
    any = true;
    if (++bytes_ > kMaxScriptBytes) {
      error_ = "larger than " + std::to_string(kMaxScriptBytes / (1024 * 1024)) +
               " MiB, the largest script or recording";
      return false;
    }
    if (c == '\n') {
      ++number_;
      newline_seen_ = true;
      cut_off_ = false;
      return true;
    }
    if (line.size() == kMaxScriptLineChars) {
      error_ = "the line is longer than " + std::to_string(kMaxScriptLineChars) +
               " characters, the longest line a script may hold";
      return false;
    }
    line += static_cast<char>(c);
  }
}

bool open_script_file(const std::string& path, std::ifstream& file, std::string& error) {
  namespace fs = std::filesystem;
  std::error_code failed;
  const fs::file_status status = fs::status(path, failed);
  const std::string name = printable(path, 4 * kEchoedTokenChars);
  if (failed) {
    error = "cannot read " + name + ": " + failed.message();
    return false;
  }
  if (fs::is_directory(status)) {
    error = name + " is a folder, not a script or recording";
    return false;
  }
  if (!fs::is_regular_file(status)) {
    error = name + " is not a regular file (a device, pipe or socket cannot be read as a recording)";
    return false;
  }
  const std::uintmax_t size = fs::file_size(path, failed);
  if (!failed && size > kMaxScriptBytes) {
    error = name + " is larger than " + std::to_string(kMaxScriptBytes / (1024 * 1024)) +
            " MiB, the largest script or recording";
    return false;
  }
  file.open(path, std::ios::binary);
  if (!file) {
    error = "cannot read " + name + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

void add_to_span(std::int64_t& span_ms, std::int64_t wait_ms) {
  if (wait_ms > kMaxScriptSpanMs - span_ms)
    throw Malformed("the waits add up to more than " + std::to_string(kMaxScriptSpanMs) +
                    " ms (a week), the longest span a script may cover");
  span_ms += wait_ms;
}

TraceCommand parse_trace_command(std::string_view text) {
  TraceCommand c;
  const auto words = split_words(text);
  if (words.empty()) return c;
  const std::string& command = words[0];
  if (command == "store") {
    if (words.size() < 3) throw Malformed("expected \"store NAME VALUE\"");
    // The value is the rest of the line, spaces inside it kept.
    const auto name_at = text.find(words[1], text.find("store") + 5);
    std::string_view rest = text.substr(name_at + words[1].size());
    while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) rest.remove_prefix(1);
    while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\t' || rest.back() == '\r'))
      rest.remove_suffix(1);
    c.kind = TraceCommand::Kind::store;
    c.name = words[1];
    c.value = std::string(rest);
  } else if (command == "start") {
    expect_count(words, 1, "start");
    c.kind = TraceCommand::Kind::start;
  } else if (command == "draw") {
    if (words.size() < 2) throw Malformed("expected \"draw N ...\"");
    c.kind = TraceCommand::Kind::draw;
    for (std::size_t i = 1; i < words.size(); ++i)
      c.draws.push_back(static_cast<int>(parse_number(words[i], -1'000'000, 1'000'000, "draw value")));
  } else if (command == "clock") {
    expect_count(words, 2, "clock HH:MM");
    c.kind = TraceCommand::Kind::clock;
    c.time = parse_time(words[1]);
  } else if (command == "press") {
    expect_count(words, 2, "press B");
    c.kind = TraceCommand::Kind::press;
    c.button = parse_button(words[1]);
  } else if (command == "release") {
    expect_count(words, 2, "release B");
    c.kind = TraceCommand::Kind::release;
    c.button = parse_button(words[1]);
  } else if (command == "wait") {
    expect_count(words, 2, "wait MS");
    c.kind = TraceCommand::Kind::wait;
    c.wait_ms = parse_number(words[1], 0, kMaxScriptSpanMs, "wait");
  } else if (command == "show") {
    expect_count(words, 1, "show");
    c.kind = TraceCommand::Kind::show;
  } else if (command == "dump-store") {
    expect_count(words, 1, "dump-store");
    c.kind = TraceCommand::Kind::dump_store;
  } else {
    throw Malformed("unknown command \"" + printable(command) + "\"");
  }
  return c;
}

bool set_world(const TraceCommand& c, SettingsStore& store, ScriptedRandom& random, FixedClock& clock) {
  switch (c.kind) {
    case TraceCommand::Kind::store:
      store.write_text(c.name, c.value);
      return true;
    case TraceCommand::Kind::draw:
      for (const int value : c.draws) random.queue(value);
      return true;
    case TraceCommand::Kind::clock:
      clock.set(c.time);
      return true;
    default:
      return false;
  }
}

void run_trace_command(VirtualHandheld& handheld, const TraceCommand& c, std::ostream& out) {
  if (set_world(c, handheld.store(), handheld.random(), handheld.clock())) return;
  switch (c.kind) {
    case TraceCommand::Kind::none:
    case TraceCommand::Kind::store:
    case TraceCommand::Kind::draw:
    case TraceCommand::Kind::clock:
      break;
    case TraceCommand::Kind::start:
      handheld.start();
      break;
    case TraceCommand::Kind::press:
      handheld.press(c.button);
      break;
    case TraceCommand::Kind::release:
      handheld.release(c.button);
      break;
    case TraceCommand::Kind::wait:
      handheld.wait(c.wait_ms);
      break;
    case TraceCommand::Kind::show:
      // Each answer leaves at once, so that a program can play the handheld
      // line by line through a pipe.
      out << handheld.show_line() << '\n' << std::flush;
      break;
    case TraceCommand::Kind::dump_store:
      out << handheld.dump_store() << std::flush;
      break;
  }
}

TraceResult run_trace(std::istream& script, std::ostream& out, std::uint32_t seed) {
  VirtualHandheld handheld(seed);
  ScriptLines lines(script);
  std::string line;
  std::int64_t span_ms = 0;
  while (lines.next(line)) {
    const auto hash = line.find('#');
    const std::string_view text = std::string_view(line).substr(0, hash);
    try {
      const TraceCommand command = parse_trace_command(text);
      if (command.kind == TraceCommand::Kind::wait) add_to_span(span_ms, command.wait_ms);
      run_trace_command(handheld, command, out);
    } catch (const std::exception& e) {
      return {false, lines.number(), e.what()};
    }
  }
  out.flush();
  if (!lines.error().empty()) return {false, lines.number() + 1, lines.error()};
  if (lines.held_no_line())
    return {false, 1, "holds no complete line (a script ends each line with a newline)"};
  return {};
}

}  // namespace hero
