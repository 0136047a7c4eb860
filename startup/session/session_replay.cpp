#include "startup/session/session_replay.h"

#include <algorithm>
#include <istream>
#include <iterator>
#include <limits>

#include "display/files/printable.h"

namespace hero {

namespace {

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
    text.remove_suffix(1);
  return text;
}

// A show line as a recording notes it: every field up to the sounds.
bool is_whole_show_line(std::string_view text) {
  return text.rfind("t=", 0) == 0 && text.find(" sounds=") != std::string_view::npos;
}

}  // namespace

std::optional<Recording> read_recording(std::istream& in, const std::string& name, std::string& error) {
  Recording recording;
  recording.name = name;
  const std::string shown_name = printable(name, 4 * kEchoedTokenChars);
  ScriptLines lines(in);
  std::string line;
  std::int64_t span_ms = 0;
  while (lines.next(line)) {
    const int number = lines.number();
    const auto hash = line.find('#');
    RecordedLine recorded;
    recorded.number = number;
    try {
      recorded.command = parse_trace_command(std::string_view(line).substr(0, hash));
      if (recorded.command.kind == TraceCommand::Kind::wait) add_to_span(span_ms, recorded.command.wait_ms);
    } catch (const TraceSyntaxError& e) {
      // A recording whose program was killed may end inside a line.
      if (lines.last_cut_off()) break;
      error = shown_name + ":" + std::to_string(number) + ": " + e.what();
      return std::nullopt;
    }
    if (recorded.command.kind == TraceCommand::Kind::none) continue;
    if (recorded.command.kind == TraceCommand::Kind::show && hash != std::string::npos) {
      const std::string_view noted = trimmed(std::string_view(line).substr(hash + 1));
      if (is_whole_show_line(noted)) recorded.expected = std::string(noted);
    }
    recording.lines.push_back(std::move(recorded));
  }
  if (!lines.error().empty()) {
    error = shown_name + ":" + std::to_string(lines.number() + 1) + ": " + lines.error();
    return std::nullopt;
  }
  if (lines.held_no_line()) {
    error = shown_name + " holds no complete line: it is not a recording";
    return std::nullopt;
  }
  return recording;
}

SessionReplay::SessionReplay(Recording recording) : recording_(std::move(recording)) {}

SessionReplay::~SessionReplay() = default;

EngineServices SessionReplay::wire(const EngineServices& window) {
  surface_ = std::make_unique<TrackingSurface>(window.surface);
  sound_ = std::make_unique<TeeSoundSink>(window.sound);
  store_ = &window.settings;
  return EngineServices{*surface_, time_.timer_pointers(), *sound_, window.settings, random_, clock_};
}

void SessionReplay::begin(Engine& engine) {
  if (state_ != State::waiting) return;
  engine_ = &engine;
  // Requests are checked in the show lines also where no driver plays them.
  engine.set_snd_enabled(true);
  state_ = State::playing;
  play_until(0);
}

std::int64_t SessionReplay::now_ms() const { return time_.now_ms(); }

std::optional<std::int64_t> SessionReplay::next_moment_ms() const {
  if (state_ != State::playing) return std::nullopt;
  std::int64_t next = wait_end_ms_ ? *wait_end_ms_ : time_.now_ms();
  for (int i = 0; i < kTimerCount; ++i) {
    const VirtualTimer& t = time_.timer(static_cast<TimerId>(i));
    if (t.armed()) next = std::min(next, t.deadline_ms());
  }
  return std::max(next, time_.now_ms());
}

void SessionReplay::play_until(std::int64_t until_ms) {
  while (state_ == State::playing) {
    if (wait_end_ms_) {
      const std::int64_t end = std::min(until_ms, *wait_end_ms_);
      fire_until(end);
      if (state_ != State::playing || end < *wait_end_ms_) return;
      wait_end_ms_.reset();
      ++cursor_;
      continue;
    }
    if (cursor_ >= recording_.lines.size()) {
      state_ = State::ended;
      line_ = recording_.lines.empty() ? 0 : recording_.lines.back().number;
      message_ = "The replay of " + printable(recording_.name, 4 * kEchoedTokenChars) + " has ended after " +
                 std::to_string((time_.now_ms() + 500) / 1000) + " s of play (line " + std::to_string(line_) +
                 ").";
      return;
    }
    const RecordedLine& line = recording_.lines[cursor_];
    line_ = line.number;
    if (line.command.kind == TraceCommand::Kind::wait) {
      wait_end_ms_ = time_.now_ms() + line.command.wait_ms;
      continue;
    }
    try {
      run_command(line);
    } catch (const std::exception& e) {
      fail(line.number, e.what());
    }
    if (state_ != State::playing) return;
    ++cursor_;
  }
}

void SessionReplay::fire_until(std::int64_t end_ms) {
  try {
    time_.advance(end_ms - time_.now_ms(), [this](TimerId id) { engine_->on_timer(id); });
  } catch (const std::exception& e) {
    fail(line_, e.what());
  }
}

void SessionReplay::run_command(const RecordedLine& line) {
  const TraceCommand& c = line.command;
  if (set_world(c, *store_, random_, clock_)) return;
  switch (c.kind) {
    case TraceCommand::Kind::none:
    case TraceCommand::Kind::wait:
    case TraceCommand::Kind::dump_store:
    case TraceCommand::Kind::store:
    case TraceCommand::Kind::draw:
    case TraceCommand::Kind::clock:
      break;
    case TraceCommand::Kind::start:
      engine_->start();
      break;
    case TraceCommand::Kind::press:
      engine_->press(c.button);
      break;
    case TraceCommand::Kind::release:
      engine_->release(c.button);
      break;
    case TraceCommand::Kind::show: {
      std::array<const EngineTimer*, kTimerCount> timers{};
      for (int i = 0; i < kTimerCount; ++i)
        timers[static_cast<std::size_t>(i)] = &time_.timer(static_cast<TimerId>(i));
      const std::string shown = show_line(time_.now_ms(), engine_->state(), timers, *surface_,
                                          surface_->panel_text(), sound_->take());
      if (!line.expected) break;
      ++shows_checked_;
      if (*line.expected != shown) {
        fail(line.number,
             "the replay differs from the recording here: " + show_difference(*line.expected, shown) +
                 ". The recording was changed, or made by another version of the handheld.");
        break;
      }
      ++shows_agreed_;
      if (watcher_) watcher_(engine_->state());
      break;
    }
  }
}

void SessionReplay::fail(int line, const std::string& why) {
  state_ = State::differs;
  line_ = line;
  message_ = printable(recording_.name, 4 * kEchoedTokenChars) + ":" + std::to_string(line) + ": " + why;
}

RecordingCheck check_recording(Recording recording) {
  RecordingCheck check;
  for (const RecordedLine& line : recording.lines)
    if (line.expected) ++check.noted;
  // The handheld on its own, nothing of it shown or heard: the replay brings
  // its own timers, draws and time of day, the store starts empty.
  VirtualTime unused_time;
  VirtualSurface surface;
  RecordingSoundSink sound;
  MemorySettingsStore store;
  ScriptedRandom unused_random;
  FixedClock unused_clock;
  const EngineServices services{surface,     unused_time.timer_pointers(), sound, store, unused_random,
                                unused_clock};
  SessionReplay replay(std::move(recording));
  Engine engine(replay.wire(services));
  // Only what a noted line confirms counts: the game, its score, its end.
  replay.watch([&check](const EngineState& state) {
    if (state.game_mode == mode_game_a || state.game_mode == mode_game_b) {
      check.game = state.game_mode == mode_game_a ? 'A' : 'B';
      check.game_over = false;
      check.score = state.score;
    } else if (state.game_mode == mode_game_over && check.game != 0 && !check.game_over) {
      check.game_over = true;
      check.score = state.score;
    }
  });
  replay.begin(engine);
  replay.play_until(std::numeric_limits<std::int64_t>::max());
  check.agreed = replay.shows_agreed();
  if (replay.state() == SessionReplay::State::differs) check.difference = replay.message();
  return check;
}

std::string RecordingCheck::summary() const {
  std::string text = game != 0 ? std::string("Game ") + game + ", score " + std::to_string(score) : "no game";
  text += ": " + std::to_string(agreed) + " of " + std::to_string(noted) + " noted lines agree";
  if (verified()) return text + ", game over reached: verified";
  text += "; not verified: ";
  if (!difference.empty()) return text + difference;
  if (noted == 0) return text + "the recording notes no line to check";
  if (game == 0) return text + "the recording plays no game";
  return text + "the game does not reach its game over";
}

}  // namespace hero
