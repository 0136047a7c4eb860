#include "startup/sound/sdl_sound_library.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

namespace hero {

namespace {

// The mixer's output format never changes, whatever the driver: samples are
// converted to it once, when they are loaded.
constexpr Uint16 kOutputFormat = AUDIO_S16SYS;
constexpr int kOutputChannels = 2;
// Limits on what init accepts; the back end always asks for 22050 Hz and 64.
constexpr int kMinRateHz = 4000;
constexpr int kMaxRateHz = 192000;
constexpr int kMaxChannels = 1024;
// The handheld's beeps are a few kilobytes; a sample file beyond this is
// refused rather than read into memory.
constexpr std::uintmax_t kMaxSampleFileBytes = 64u << 20;

// Reads a WAV file and converts it to the mixer's fixed output format. Works
// whether or not an output is open, so that a machine whose sound device
// cannot be opened still loads its samples and simply stays silent.
Mix_Chunk* decode_sample(const std::string& path, int rate_hz) {
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  if (error || size == 0 || size > kMaxSampleFileBytes) return nullptr;
  SDL_AudioSpec wav_format{};
  Uint8* wav = nullptr;
  Uint32 wav_bytes = 0;
  if (SDL_LoadWAV(path.c_str(), &wav_format, &wav, &wav_bytes) == nullptr) return nullptr;
  SDL_AudioStream* stream = SDL_NewAudioStream(wav_format.format, wav_format.channels, wav_format.freq,
                                               kOutputFormat, kOutputChannels, rate_hz);
  if (stream == nullptr) {
    SDL_FreeWAV(wav);
    return nullptr;
  }
  const bool put =
      SDL_AudioStreamPut(stream, wav, static_cast<int>(wav_bytes)) == 0 && SDL_AudioStreamFlush(stream) == 0;
  SDL_FreeWAV(wav);
  const int available = put ? SDL_AudioStreamAvailable(stream) : 0;
  Uint8* data =
      available > 0 ? static_cast<Uint8*>(SDL_malloc(static_cast<std::size_t>(available))) : nullptr;
  const int got = data != nullptr ? SDL_AudioStreamGet(stream, data, available) : 0;
  SDL_FreeAudioStream(stream);
  auto* chunk = got > 0 ? static_cast<Mix_Chunk*>(SDL_malloc(sizeof(Mix_Chunk))) : nullptr;
  if (chunk == nullptr) {
    SDL_free(data);
    return nullptr;
  }
  // allocated = 1: Mix_FreeChunk releases the buffer with SDL_free.
  chunk->allocated = 1;
  chunk->abuf = data;
  chunk->alen = static_cast<Uint32>(got);
  chunk->volume = MIX_MAX_VOLUME;
  return chunk;
}

}  // namespace

SoundDriverTable platform_sound_drivers() {
#ifdef _WIN32
  return SoundDriverTable{"winmm", "directsound"};
#else
  return SoundDriverTable{"alsa", ""};
#endif
}

std::optional<std::string> audio_driver_for_output(const SoundDriverTable& table, int output_type,
                                                   const char* env_driver) {
  if (output_type != kOutputWaveOut && output_type != kOutputDefault) return std::nullopt;
  // A driver forced from outside (tests, a player without a sound device)
  // decides, whatever the player picked on the splash screen.
  if (env_driver != nullptr && env_driver[0] != '\0') return std::string(env_driver);
  return output_type == kOutputWaveOut ? table.wave_out : table.default_output;
}

SdlSoundLibrary::SdlSoundLibrary(SoundDriverTable drivers) : drivers_(std::move(drivers)) {}

SdlSoundLibrary::~SdlSoundLibrary() { close(); }

bool SdlSoundLibrary::init(int mix_rate_hz, int max_channels, unsigned flags) {
  if (initialised_) return output_open_;
  if (mix_rate_hz < kMinRateHz || mix_rate_hz > kMaxRateHz || max_channels < 1 || flags != 0) {
    return false;
  }
  rate_hz_ = mix_rate_hz;
  channels_ = std::min(max_channels, kMaxChannels);
  initialised_ = true;
  const auto driver = audio_driver_for_output(drivers_, output_type_, SDL_getenv("SDL_AUDIODRIVER"));
  return open_output(driver.value_or(std::string()));
}

bool SdlSoundLibrary::set_output(int output_type) {
  const auto driver = audio_driver_for_output(drivers_, output_type, SDL_getenv("SDL_AUDIODRIVER"));
  if (!driver) return false;
  output_type_ = output_type;
  if (!initialised_) return true;  // init opens it
  if (output_open_ && *driver == opened_driver_) return true;
  close_output();
  if (open_output(*driver)) return true;
  // The chosen driver has no device here: fall back to the system default
  // so that the game still sounds if any output works at all.
  if (!driver->empty()) open_output(std::string());
  return false;
}

bool SdlSoundLibrary::open_output(const std::string& driver) {
  // SDL reads the driver from this hint when the audio subsystem starts; an
  // SDL_AUDIODRIVER environment value still takes precedence over it.
  if (driver.empty()) {
    SDL_ResetHint(SDL_HINT_AUDIODRIVER);
  } else {
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, driver.c_str(), SDL_HINT_NORMAL);
  }
  // Opening audio also starts SDL's event queue, which would otherwise take
  // over SIGINT and SIGTERM and leave the program deaf to being ended.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0) return false;
  // No changes allowed: SDL converts to the device, and the mixer's format
  // stays the one every loaded sample was converted to.
  if (Mix_OpenAudioDevice(rate_hz_, kOutputFormat, kOutputChannels, kMixChunkFrames, nullptr, 0) < 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  Mix_AllocateChannels(channels_);
  apply_master_volume();
  output_open_ = true;
  opened_driver_ = driver;
  return true;
}

void SdlSoundLibrary::close_output() {
  if (!output_open_) return;
  Mix_HaltChannel(-1);
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  output_open_ = false;
  opened_driver_.clear();
}

SampleHandle SdlSoundLibrary::load_sample(int /*slot*/, const std::string& path, unsigned /*mode*/,
                                          int offset, int length) {
  // The mode only ever asks for a plain 2-D sample, which is all this layer
  // plays; partial loads are not offered.
  if (!initialised_ || offset != 0 || length != 0 || path.empty()) return SampleHandle{};
  Mix_Chunk* chunk = decode_sample(path, rate_hz_);
  if (chunk == nullptr) return SampleHandle{};
  const SampleHandle handle{next_id_++};
  samples_.emplace(handle.id, chunk);
  return handle;
}

int SdlSoundLibrary::play(int channel, SampleHandle sample) {
  if (!output_open_ || !sample) return -1;
  const auto it = samples_.find(sample.id);
  if (it == samples_.end()) return -1;
  if (channel != kAnyFreeChannel && (channel < 0 || channel >= channels_)) return -1;
  return Mix_PlayChannel(channel, it->second, 0);
}

bool SdlSoundLibrary::stop(int channel) {
  if (!output_open_) return false;
  if (channel == kAllChannels) {
    // One call under the mixer's lock: every beep ends in the same buffer.
    Mix_HaltChannel(-1);
    return true;
  }
  if (channel < 0 || channel >= channels_) return false;
  Mix_HaltChannel(channel);
  return true;
}

void SdlSoundLibrary::free_sample(SampleHandle sample) {
  const auto it = samples_.find(sample.id);
  if (it == samples_.end()) return;
  // Mix_FreeChunk first halts any channel still playing this sample.
  Mix_FreeChunk(it->second);
  samples_.erase(it);
}

void SdlSoundLibrary::set_master_volume(int percent) {
  volume_percent_ = std::clamp(percent, kMinVolumePercent, kMaxVolumePercent);
  if (output_open_) apply_master_volume();
}

void SdlSoundLibrary::apply_master_volume() {
  // Every channel at once, so that a beep already sounding follows the
  // slider as well as the next one.
  Mix_Volume(-1, (MIX_MAX_VOLUME * volume_percent_ + kMaxVolumePercent / 2) / kMaxVolumePercent);
}

void SdlSoundLibrary::close() {
  if (output_open_) Mix_HaltChannel(-1);
  for (auto& [id, chunk] : samples_) Mix_FreeChunk(chunk);
  samples_.clear();
  close_output();
  initialised_ = false;
}

std::string SdlSoundLibrary::current_driver() const {
  if (!output_open_) return std::string();
  const char* name = SDL_GetCurrentAudioDriver();
  return name != nullptr ? std::string(name) : std::string();
}

int SdlSoundLibrary::channels_playing() const { return output_open_ ? Mix_Playing(-1) : 0; }

}  // namespace hero
