#include "tests/sound/sound_test_support.h"

#include <sndfile.h>

#include <cmath>
#include <cstdlib>
#include <numbers>
#include <stdexcept>

namespace hero::test {

namespace {
// The sound tests never need a sound device: without a driver forced from
// outside they run on SDL's dummy output.
const bool kDummyAudio = (setenv("SDL_AUDIODRIVER", "dummy", /*overwrite=*/0), true);
}  // namespace

void write_tone_wav(const std::filesystem::path& path, int frames, int rate_hz, double amplitude) {
  SF_INFO info{};
  info.samplerate = rate_hz;
  info.channels = 1;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* file = sf_open(path.string().c_str(), SFM_WRITE, &info);
  if (file == nullptr) throw std::runtime_error("cannot write " + path.string());
  std::vector<short> data(static_cast<std::size_t>(frames));
  for (int i = 0; i < frames; ++i) {
    data[i] =
        static_cast<short>(amplitude * 32767.0 * std::sin(2.0 * std::numbers::pi * 880.0 * i / rate_hz));
  }
  sf_write_short(file, data.data(), static_cast<sf_count_t>(data.size()));
  sf_close(file);
}

TempFolder::TempFolder(const std::string& name, bool enter) {
  path_ = std::filesystem::temp_directory_path() / ("hero_sound_" + name);
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
  if (enter) {
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(path_);
  }
}

TempFolder::~TempFolder() {
  std::error_code error;
  if (!previous_.empty()) std::filesystem::current_path(previous_, error);
  std::filesystem::remove_all(path_, error);
}

}  // namespace hero::test
