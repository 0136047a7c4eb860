// A sound library that writes down every call with its arguments, one line
// each, so that tests can check exactly what the back end asked for:
//   init 22050 64 0          set_output 2
//   load -1 Sound/Got.wav 0x2000 0 0 -> #2     (or "-> null")
//   play -1 #2 -> 5          play -1 null -> -1
//   stop -3                  free #2            free null
//   volume 30                close
// On its own it behaves like a small library: init succeeds, a load succeeds
// when initialised and the file exists, play hands out channels in turn.
// Given another library, it passes every call on and records its answers.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "startup/sound/sound_library.h"

namespace hero {

class RecordingSoundLibrary final : public SoundLibrary {
 public:
  explicit RecordingSoundLibrary(SoundLibrary* forward_to = nullptr) : forward_(forward_to) {}

  bool init(int mix_rate_hz, int max_channels, unsigned flags) override;
  bool set_output(int output_type) override;
  SampleHandle load_sample(int slot, const std::string& path, unsigned mode, int offset, int length) override;
  int play(int channel, SampleHandle sample) override;
  bool stop(int channel) override;
  void free_sample(SampleHandle sample) override;
  void set_master_volume(int percent) override;
  void close() override;

  const std::vector<std::string>& calls() const { return calls_; }
  void clear() { calls_.clear(); }

  // "#7" for a handle, "null" for the null one.
  static std::string describe(SampleHandle sample);

 private:
  SoundLibrary* forward_;
  std::vector<std::string> calls_;
  bool initialised_ = false;
  std::uint32_t next_id_ = 1;
  std::set<std::uint32_t> loaded_;
  int next_channel_ = 0;
  int channel_count_ = 0;
};

}  // namespace hero
