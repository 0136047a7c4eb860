// How long the handheld's logic takes: one game tick, one hour of virtual
// play with a player who walks under the lowest falling object, and a game
// left unfinished played again from its session before it goes on.
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

#include "startup/session/continued_game.h"
#include "startup/session/session_recorder.h"
#include "startup/session/virtual_handheld.h"

namespace hero {
namespace {

// The lane whose object is nearest the bottom, or 0 when the grid is empty.
int lowest_object_lane(const EngineState& s) {
  int best_lane = 0, best_row = 0;
  for (int lane = 1; lane <= 3; ++lane)
    for (int row = 7; row >= lane; --row)
      if (s.object_cells[lane][row] == cell_object && row > best_row) {
        best_row = row;
        best_lane = lane;
      }
  return best_lane;
}

void play_toward_lowest_object(VirtualHandheld& hh) {
  const EngineState& s = hh.state();
  int target = lowest_object_lane(s);
  // Stay clear of the rogue's side once he winds up.
  if (s.rogue_phase >= 3 && (target == s.rogue_side || (target == 0 && s.hero_lane == s.rogue_side)))
    target = 2;
  if (target == 0 || !s.moves_enabled) return;
  if (target > hh.state().hero_lane) {
    hh.press(Button::left);
    hh.release(Button::left);
  } else if (target < hh.state().hero_lane) {
    hh.press(Button::right);
    hh.release(Button::right);
  }
}

void start_game_a(VirtualHandheld& hh) {
  hh.press(Button::game_a);
  hh.release(Button::game_a);
}

void BM_GameTick(benchmark::State& state) {
  VirtualHandheld hh;
  hh.start();
  start_game_a(hh);
  int ticks = 0;
  for (auto _ : state) {
    // The tick alone: the miss sequences never run, so a blow would leave the
    // hero frozen; a fresh game every 1000 ticks keeps the player playing
    // (its cost is spread over those ticks).
    if (++ticks == 1000) {
      ticks = 0;
      hh.press(Button::acl);
      hh.release(Button::acl);
      start_game_a(hh);
    }
    hh.engine().Timer_GameTimer();
    play_toward_lowest_object(hh);
    benchmark::DoNotOptimize(hh.state().score);
  }
}
BENCHMARK(BM_GameTick);

void BM_HourOfVirtualPlay(benchmark::State& state) {
  constexpr std::int64_t kHourMs = 3'600'000;
  std::int64_t events = 0, games = 0, best = 0;
  for (auto _ : state) {
    VirtualHandheld hh;
    hh.start();
    start_game_a(hh);
    games = 1;
    events = 0;
    while (hh.time().now_ms() < kHourMs) {
      if (!hh.next_event(kHourMs - hh.time().now_ms())) break;
      ++events;
      if (hh.state().game_mode == mode_game_over) {
        start_game_a(hh);
        ++games;
      }
      play_toward_lowest_object(hh);
      if (hh.state().score > best) best = hh.state().score;
    }
    benchmark::DoNotOptimize(events);
  }
  state.counters["timer_events"] = static_cast<double>(events);
  state.counters["games"] = static_cast<double>(games);
  state.counters["best_score"] = static_cast<double>(best);
}
BENCHMARK(BM_HourOfVirtualPlay)->Unit(benchmark::kMillisecond);

// A session left with a game under way: an hour of the clock, then 21 s of
// Game A with a move every 430 ms (the draws left to the replay's
// own generator). Played again through a recorder that writes it anew, as
// the window does when the player continues the game.
void BM_ContinueUnfinishedGame(benchmark::State& state) {
  std::string text = "store HiScore1 0\nstore HiScore2 0\nclock 12:00\nstart\nwait 3600000\n";
  text += "press game_a\nwait 100\nrelease game_a\n";
  for (int step = 0; step < 50; ++step)
    text += std::string("wait 400\npress ") + (step % 3 == 0 ? "left" : "right") + "\nwait 30\nrelease " +
            (step % 3 == 0 ? "left" : "right") + "\n";
  std::istringstream in(text);
  std::string error;
  const std::optional<Recording> recording = read_recording(in, "bench.trace", error);
  if (!recording) {
    state.SkipWithError(error.c_str());
    return;
  }
  std::size_t written = 0;
  bool continued = false;
  for (auto _ : state) {
    VirtualSurface surface;
    VirtualTime window_time;
    RecordingSoundSink sound;
    MemorySettingsStore store;
    ScriptedRandom random;
    FixedClock clock;
    const EngineServices window{surface, window_time.timer_pointers(), sound, store, random, clock};
    std::ostringstream out;
    ContinuedTap* tap = nullptr;
    SessionRecorder recorder(out, [&tap] { return tap->replay_moment().value_or(SteadyTime{}); });
    recorder.note_games_only(true);
    ContinuedTap continued_tap(recorder, recorder);
    tap = &continued_tap;
    Engine engine(continued_tap.wire(window));
    continued = continued_tap.continue_game(
        engine, *recording, [&recorder](Engine& e) { recorder.start(e); }, error);
    written = out.str().size();
    benchmark::DoNotOptimize(engine.state().score);
  }
  state.counters["events"] = static_cast<double>(recording->lines.size());
  state.counters["bytes_written"] = static_cast<double>(written);
  state.counters["under_way"] = continued ? 1.0 : 0.0;
}
BENCHMARK(BM_ContinueUnfinishedGame)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace hero

BENCHMARK_MAIN();
