// What the sound tests share: sample files written on the spot, a temporary
// installation folder to run in, and stand-ins for the settings store and
// the error box.
#pragma once

#include "tests/support/recording_errors.h"
#include "tests/support/recording_store.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "engine/installation_errors.h"
#include "engine/interfaces.h"

namespace hero::test {

// A 16-bit mono WAV holding a sine tone; silence when amplitude is 0.
void write_tone_wav(const std::filesystem::path& path, int frames, int rate_hz = 22050,
                    double amplitude = 0.5);

// A fresh empty folder under the system's temporary folder, removed again
// when the object goes; it can be made the current folder for its lifetime.
class TempFolder {
 public:
  explicit TempFolder(const std::string& name, bool enter = false);
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
  std::filesystem::path previous_;
};

}  // namespace hero::test
