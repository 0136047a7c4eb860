// How soon a beep leaves the mixer after the engine asks for it: the time
// from a play request to the first mixed buffer that carries the sample,
// seen from SDL_mixer's post-mix hook. Runs on whatever SDL_AUDIODRIVER says
// (SDL's dummy output when unset, so no sound device is needed). Reports
// median, 99th percentile and worst case; nothing here passes or fails.
#include <benchmark/benchmark.h>

#include <SDL_mixer.h>
#include <sndfile.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <numbers>
#include <thread>
#include <vector>

#include "startup/sound/sdl_sound_library.h"

namespace {

using Clock = std::chrono::steady_clock;

// Filled by the audio thread: the moment the first non-silent buffer left
// the mixer after the probe was armed.
struct Probe {
  std::atomic<bool> armed{false};
  std::atomic<Clock::rep> heard_at{0};
};
Probe probe;

void SDLCALL post_mix(void* /*udata*/, Uint8* stream, int len) {
  if (!probe.armed.load(std::memory_order_acquire)) return;
  const auto* samples = reinterpret_cast<const Sint16*>(stream);
  for (int i = 0; i < len / 2; ++i) {
    if (samples[i] != 0) {
      probe.heard_at.store(Clock::now().time_since_epoch().count(), std::memory_order_release);
      probe.armed.store(false, std::memory_order_release);
      return;
    }
  }
}

std::string write_beep() {
  const auto path = std::filesystem::temp_directory_path() / "hero_bench_beep.wav";
  SF_INFO info{};
  info.samplerate = hero::kMixRateHz;
  info.channels = 1;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* file = sf_open(path.string().c_str(), SFM_WRITE, &info);
  std::vector<short> data(hero::kMixRateHz / 10);
  for (std::size_t i = 0; i < data.size(); ++i) {
    data[i] = static_cast<short>(
        16000 * std::sin(2.0 * std::numbers::pi * 1000.0 * static_cast<double>(i) / hero::kMixRateHz));
  }
  // A tone that starts at full swing, so its first frame is not silent.
  data[0] = 16000;
  sf_write_short(file, data.data(), static_cast<sf_count_t>(data.size()));
  sf_close(file);
  return path.string();
}

double percentile(std::vector<double> values, double p) {
  if (values.empty()) return 0.0;
  std::sort(values.begin(), values.end());
  const auto index = static_cast<std::size_t>(std::lround(p * static_cast<double>(values.size() - 1)));
  return values[std::min(index, values.size() - 1)];
}

// Opens the output as Play does (the dummy driver unless one is chosen) and
// loads one beep; the null handle when the output cannot be opened.
hero::SampleHandle open_output_with_beep(hero::SdlSoundLibrary& library, benchmark::State& state) {
  setenv("SDL_AUDIODRIVER", "dummy", /*overwrite=*/0);
  if (!library.init(hero::kMixRateHz, hero::kSoftwareChannels, hero::kInitFlags)) {
    state.SkipWithError("the sound output cannot be opened");
    return {};
  }
  const hero::SampleHandle beep =
      library.load_sample(hero::kAnySampleSlot, write_beep(), hero::kLoadMode2D, 0, 0);
  if (!beep) state.SkipWithError("the beep cannot be loaded");
  return beep;
}

void BM_PlayRequestToMixerOutput(benchmark::State& state) {
  hero::SdlSoundLibrary library;
  const hero::SampleHandle beep = open_output_with_beep(library, state);
  if (!beep) return;
  Mix_SetPostMix(post_mix, nullptr);
  std::vector<double> latencies_ms;
  int lost = 0;
  for (auto _ : state) {
    library.stop(hero::kAllChannels);
    // Let a silent buffer or two pass, and start the request at a random
    // point of the mixer's cycle.
    std::this_thread::sleep_for(std::chrono::microseconds(25'000 + (std::rand() % 11'600)));
    probe.heard_at.store(0);
    probe.armed.store(true, std::memory_order_release);
    const Clock::time_point requested = Clock::now();
    library.play(hero::kAnyFreeChannel, beep);
    const Clock::time_point give_up = requested + std::chrono::seconds(1);
    while (probe.heard_at.load(std::memory_order_acquire) == 0 && Clock::now() < give_up) {
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    const Clock::rep heard = probe.heard_at.load(std::memory_order_acquire);
    if (heard == 0) {
      ++lost;
      probe.armed.store(false);
      state.SetIterationTime(1.0);
      continue;
    }
    const double seconds =
        std::chrono::duration<double>(Clock::time_point(Clock::duration(heard)) - requested).count();
    latencies_ms.push_back(seconds * 1000.0);
    state.SetIterationTime(std::max(seconds, 0.0));
  }
  Mix_SetPostMix(nullptr, nullptr);
  state.counters["median_ms"] = percentile(latencies_ms, 0.5);
  state.counters["p99_ms"] = percentile(latencies_ms, 0.99);
  state.counters["max_ms"] = percentile(latencies_ms, 1.0);
  state.counters["buffer_ms"] = 1000.0 * hero::kMixChunkFrames / hero::kMixRateHz;
  state.counters["lost"] = lost;
  state.SetLabel(library.current_driver());
  library.close();
}
BENCHMARK(BM_PlayRequestToMixerOutput)->UseManualTime()->Iterations(200)->Unit(benchmark::kMillisecond);

// What one beep request costs the user-interface thread.
void BM_PlayAndStopCall(benchmark::State& state) {
  hero::SdlSoundLibrary library;
  const hero::SampleHandle beep = open_output_with_beep(library, state);
  if (!beep) return;
  for (auto _ : state) {
    benchmark::DoNotOptimize(library.play(hero::kAnyFreeChannel, beep));
    library.stop(hero::kAllChannels);
  }
  library.close();
}
BENCHMARK(BM_PlayAndStopCall)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
