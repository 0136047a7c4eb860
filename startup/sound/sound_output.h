// The beeps' back end: the driver choice made at Play, the five samples, what
// the engine's beep requests pass to the sound library, and the release when
// the main window closes. The main window owns one SoundOutput for the whole
// run and hands it to the engine as its SoundSink.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "engine/installation_errors.h"
#include "engine/interfaces.h"
#include "startup/sound/sound_library.h"

namespace hero {

// The splash screen's driver list, by position; the position is also the
// number stored as SoundMode.
inline constexpr int kDriverDirect = 0;      // output type 2, the system's default
inline constexpr int kDriverMultimedia = 1;  // output type 1
inline constexpr int kDriverNone = 2;        // "(no sound)": the library is never called
inline constexpr int kDriverCount = 3;

// The list's texts: the Windows names on Windows; elsewhere the two real
// outputs are named after what they open here. Positions never change.
const std::array<std::string_view, kDriverCount>& sound_driver_names();

// The five samples, in the order they are loaded and freed.
inline constexpr std::array<std::string_view, kSoundCount> kSampleFiles = {
    "Sound\\Chance.wav", "Sound\\Got.wav", "Sound\\Miss1.wav", "Sound\\Miss2.wav", "Sound\\Tick.wav"};

inline constexpr std::string_view kSoundFolderMessage =
    "Sound folder unproperly installed. Please reinstall the game.";

// How loud the beeps are: the per-user Volume (0..100 %, default 100) and
// Mute (0 or 1, default 0). A stored value outside its range, or no number,
// reads as the default.
struct SoundLevel {
  int volume_percent = kMaxVolumePercent;
  bool muted = false;

  // What the library is given: silence while muted.
  int effective_percent() const { return muted ? 0 : volume_percent; }
  friend bool operator==(const SoundLevel&, const SoundLevel&) = default;
};

SoundLevel read_sound_level(const SettingsStore& settings);
// Volume first, then Mute; each is on disk when this returns.
void write_sound_level(SettingsStore& settings, const SoundLevel& level);

class SoundOutput final : public SoundSink {
 public:
  // Turns a sample's installation name into the path to open, relative to
  // the current folder.
  using SamplePathResolver = std::function<std::string(std::string_view)>;

  explicit SoundOutput(SoundLibrary& library, SamplePathResolver resolve_path = {});

  // Play's sound step. Sets the engine's snd_enabled through the callback and
  // writes SoundMode; for a real driver opens the library, chooses its
  // output and loads the five samples. When the first sample is missing it
  // reports the sound folder error (box, then termination request), writes
  // SoundMode -1 and SplashScreen true, and returns false: the rest of Play
  // is skipped. A position outside the list enables nothing and writes
  // nothing. Runs once per program run; a second call changes nothing.
  bool initialise(int driver_position, SettingsStore& settings, InstallationErrors& errors,
                  const std::function<void(bool)>& set_snd_enabled);

  // The main window's close: frees the five samples in order, loaded or not,
  // then closes the library, also when it was never opened.
  void release();

  // SoundSink: a beep on any free channel over what already sounds; a sound
  // whose sample did not load plays nothing. Before a real driver was chosen
  // neither reaches the library.
  void play(SoundId id) override;
  void stop_all() override;

  // The loudness of every channel from now on. Reaches the library at once
  // when a real driver is in use, otherwise when one is opened at Play.
  void set_level(const SoundLevel& level);
  const SoundLevel& level() const { return level_; }

  SampleHandle sample(SoundId id) const { return samples_[static_cast<int>(id)]; }
  bool enabled() const { return enabled_; }

 private:
  SoundLibrary& library_;
  SamplePathResolver resolve_path_;
  std::array<SampleHandle, kSoundCount> samples_{};
  SoundLevel level_;
  bool enabled_ = false;
  bool initialised_ = false;
};

}  // namespace hero
