#include "startup/sound/sound_output.h"

#include <algorithm>
#include <utility>

#include "display/files/path_resolver.h"
#include "engine/settings_values.h"

namespace hero {

namespace {

struct DriverEntry {
  bool sound_on;
  int output_type;  // for the library; unused without sound
};

// By list position: what each driver choice means.
// clang-format off
constexpr std::array<DriverEntry, kDriverCount> kDrivers = {{
    {true,  kOutputDefault},  // kDriverDirect
    {true,  kOutputWaveOut},  // kDriverMultimedia
    {false, 0},               // kDriverNone
}};
// clang-format on

#ifdef _WIN32
constexpr std::array<std::string_view, kDriverCount> kDriverNames = {"Microsoft DirectSound",
                                                                     "Windows MultiMedia", "(no sound)"};
#else
constexpr std::array<std::string_view, kDriverCount> kDriverNames = {"Default sound output",
                                                                     "ALSA sound output", "(no sound)"};
#endif

// "Sound\Got.wav" under the current folder, matched without regard to case
// where the exact name is missing, as on Windows.
std::string sample_path_here(std::string_view name) { return resolve_path(name).string(); }

}  // namespace

const std::array<std::string_view, kDriverCount>& sound_driver_names() { return kDriverNames; }

SoundLevel read_sound_level(const SettingsStore& settings) {
  SoundLevel level;
  level.volume_percent = settings::read(settings, settings::kVolume);
  level.muted = settings::read(settings, settings::kMute);
  return level;
}

void write_sound_level(SettingsStore& settings, const SoundLevel& level) {
  settings::write(settings, settings::kVolume,
                  std::clamp(level.volume_percent, kMinVolumePercent, kMaxVolumePercent));
  settings::write(settings, settings::kMute, level.muted);
}

void SoundOutput::set_level(const SoundLevel& level) {
  level_ = level;
  level_.volume_percent = std::clamp(level.volume_percent, kMinVolumePercent, kMaxVolumePercent);
  if (enabled_) library_.set_master_volume(level_.effective_percent());
}

SoundOutput::SoundOutput(SoundLibrary& library, SamplePathResolver resolve_path)
    : library_(library), resolve_path_(std::move(resolve_path)) {
  if (!resolve_path_) resolve_path_ = sample_path_here;
}

bool SoundOutput::initialise(int driver_position, SettingsStore& settings, InstallationErrors& errors,
                             const std::function<void(bool)>& set_snd_enabled) {
  // Play runs once a run; the driver stays as chosen until the next start.
  if (initialised_) return true;
  initialised_ = true;
  if (driver_position < 0 || driver_position >= kDriverCount) return true;

  const DriverEntry& driver = kDrivers[driver_position];
  if (set_snd_enabled) set_snd_enabled(driver.sound_on);
  settings::write(settings, settings::kSoundMode, driver_position);
  if (!driver.sound_on) return true;

  enabled_ = true;
  library_.init(kMixRateHz, kSoftwareChannels, kInitFlags);
  library_.set_output(driver.output_type);
  // The library starts at full volume: only a quieter level is passed on,
  // so a player who never touched it gets the handheld's own sequence.
  if (level_.effective_percent() != kMaxVolumePercent) library_.set_master_volume(level_.effective_percent());
  for (int i = 0; i < kSoundCount; ++i) {
    samples_[i] = library_.load_sample(kAnySampleSlot, resolve_path_(kSampleFiles[i]), kLoadMode2D, 0, 0);
  }
  // Only the first sample is checked: without it the Sound folder is taken
  // to be missing altogether, and the next start must ask for a driver again.
  if (!samples_[static_cast<int>(SoundId::chance)]) {
    errors.report(std::string(kSoundFolderMessage));
    settings::write(settings, settings::kSoundMode, settings::kSoundMode.default_value);
    settings::write(settings, settings::kSplashScreen, true);
    return false;
  }
  return true;
}

void SoundOutput::release() {
  for (SampleHandle& sample : samples_) {
    library_.free_sample(sample);
    sample = SampleHandle{};
  }
  library_.close();
  enabled_ = false;
}

void SoundOutput::play(SoundId id) {
  const int index = static_cast<int>(id);
  if (!enabled_ || index < 0 || index >= kSoundCount) return;
  const SampleHandle sample = samples_[index];
  if (!sample) return;
  library_.play(kAnyFreeChannel, sample);
}

void SoundOutput::stop_all() {
  if (!enabled_) return;
  library_.stop(kAllChannels);
}

}  // namespace hero
