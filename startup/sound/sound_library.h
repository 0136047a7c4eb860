// The sound library layer: the seven operations the beeps' back end needs from
// whatever mixes and plays the handheld's samples. The real one runs over
// SDL2_mixer (sdl_sound_library.h); tests use the recording one
// (tests/support/recording_sound_library.h), which logs every call with its arguments.
#pragma once

#include <cstdint>
#include <string>

#include "engine/settings_values.h"

namespace hero {

// A loaded sample. Zero is the null handle: a load that failed, or a sound
// whose sample was never loaded. Every operation accepts it and does nothing.
struct SampleHandle {
  std::uint32_t id = 0;

  explicit operator bool() const { return id != 0; }
  friend bool operator==(SampleHandle, SampleHandle) = default;
};

// The values the back end passes, named once here.
inline constexpr int kMixRateHz = 22050;
inline constexpr int kSoftwareChannels = 64;
inline constexpr unsigned kInitFlags = 0;
// Output types: 1 the secondary wave output, 2 the system's default output.
inline constexpr int kOutputWaveOut = 1;
inline constexpr int kOutputDefault = 2;
// Load into a slot of the library's choosing, as a plain 2-D sample, whole.
inline constexpr int kAnySampleSlot = -1;
inline constexpr unsigned kLoadMode2D = 0x2000;
// Play on any free channel; stop every channel.
inline constexpr int kAnyFreeChannel = -1;
inline constexpr int kAllChannels = -3;
// The master volume, in percent of the samples' own loudness: the range of
// the player's Volume setting.
inline constexpr int kMinVolumePercent = settings::kVolume.min;
inline constexpr int kMaxVolumePercent = settings::kVolume.max;

class SoundLibrary {
 public:
  virtual ~SoundLibrary() = default;

  // Opens the output: mixing rate, number of mixing channels, flags (only 0
  // is known). True when the output is open.
  virtual bool init(int mix_rate_hz, int max_channels, unsigned flags) = 0;
  // Chooses the output type (kOutputWaveOut or kOutputDefault). Given after
  // init it reopens the output; given before, init uses it. False for an
  // unknown type or when the chosen output cannot be opened.
  virtual bool set_output(int output_type) = 0;
  // Loads a sample file; the null handle when the file is missing or is no
  // playable sound, or when the library is not initialised. Only whole-file
  // loads (offset 0, length 0) are offered; any slot means "library's choice".
  virtual SampleHandle load_sample(int slot, const std::string& path, unsigned mode, int offset,
                                   int length) = 0;
  // Starts the sample once on `channel` (kAnyFreeChannel: any free one) over
  // whatever already sounds. The channel used, or -1 when nothing plays.
  virtual int play(int channel, SampleHandle sample) = 0;
  // Stops one channel, or every channel at once with kAllChannels.
  virtual bool stop(int channel) = 0;
  // Frees a sample; the null handle and an already freed one are ignored.
  virtual void free_sample(SampleHandle sample) = 0;
  // Sets the loudness of every channel, sounding or not, in percent (0 is
  // silence); values outside 0..100 are taken as the nearest end. Kept over
  // a reopened output and given before init, it is used from the start.
  virtual void set_master_volume(int percent) = 0;
  // Stops everything, frees what is still loaded and closes the output.
  // Harmless without init and when called twice.
  virtual void close() = 0;
};

}  // namespace hero
