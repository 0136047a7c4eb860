// The sound library layer over SDL2_mixer: 64 mixing channels so that beeps
// overlap, a short mixing buffer so that a beep starts within a few
// milliseconds of its request, and samples converted once, at load, to the
// fixed output format (22050 Hz, 16-bit, stereo), so that reopening the output
// on another driver keeps every loaded sample playable. Samples load even when
// no output could be opened (no sound device): the game then runs silently,
// and a later set_output that opens one makes them sound.
//
// All calls come from the user-interface thread; SDL's audio thread only mixes.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "startup/sound/sound_library.h"

struct Mix_Chunk;

namespace hero {

// Frames per mixing buffer: 256 frames are 11.6 ms at 22050 Hz, so a play
// request waits at most one buffer before the mixer picks it up.
inline constexpr int kMixChunkFrames = 256;

// Which SDL audio driver each output type opens; an empty name means the
// system's default driver.
struct SoundDriverTable {
  std::string wave_out;        // output type 1
  std::string default_output;  // output type 2
};

// The drivers of this platform: `alsa` and the system default on Linux,
// `winmm` and `directsound` on Windows.
SoundDriverTable platform_sound_drivers();

// The driver an output type asks for, given the value of SDL_AUDIODRIVER
// (null when unset), which always wins. Empty: the system's default driver.
// Nothing for an unknown output type.
std::optional<std::string> audio_driver_for_output(const SoundDriverTable& table, int output_type,
                                                   const char* env_driver);

class SdlSoundLibrary final : public SoundLibrary {
 public:
  explicit SdlSoundLibrary(SoundDriverTable drivers = platform_sound_drivers());
  ~SdlSoundLibrary() override;
  SdlSoundLibrary(const SdlSoundLibrary&) = delete;
  SdlSoundLibrary& operator=(const SdlSoundLibrary&) = delete;

  bool init(int mix_rate_hz, int max_channels, unsigned flags) override;
  bool set_output(int output_type) override;
  SampleHandle load_sample(int slot, const std::string& path, unsigned mode, int offset, int length) override;
  int play(int channel, SampleHandle sample) override;
  bool stop(int channel) override;
  void free_sample(SampleHandle sample) override;
  void set_master_volume(int percent) override;
  void close() override;

  // For tests and benchmarks: whether the output is open, the SDL driver in
  // use ("" when closed), the channels sounding now, and the samples loaded.
  bool output_open() const { return output_open_; }
  std::string current_driver() const;
  int channels_playing() const;
  int channel_count() const { return output_open_ ? channels_ : 0; }
  std::size_t samples_loaded() const { return samples_.size(); }
  int master_volume_percent() const { return volume_percent_; }

 private:
  bool open_output(const std::string& driver);
  void close_output();
  void apply_master_volume();

  SoundDriverTable drivers_;
  int output_type_ = kOutputDefault;
  bool initialised_ = false;
  bool output_open_ = false;
  std::string opened_driver_;  // what was asked for: empty is the default
  int rate_hz_ = kMixRateHz;
  int channels_ = kSoftwareChannels;
  int volume_percent_ = kMaxVolumePercent;
  std::uint32_t next_id_ = 1;
  std::map<std::uint32_t, Mix_Chunk*> samples_;
};

}  // namespace hero
