// What the sound tests share: sample files written on the spot, a temporary
// installation folder to run in, and stand-ins for the settings store and
// the error box.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "engine/interfaces.h"
#include "display/skins/installation_errors.h"

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

// Settings kept in memory, with every write in order.
class FakeSettings final : public SettingsStore {
 public:
  std::optional<std::string> read_text(std::string_view name) const override;
  void write_text(std::string_view name, std::string_view value) override;
  std::vector<std::pair<std::string, std::string>> all() const override;

  std::vector<std::string> writes;  // "Name=value"

 private:
  std::map<std::string, std::string, std::less<>> values_;
};

// Records each installation error, with the settings written until then.
class FakeErrors final : public InstallationErrors {
 public:
  explicit FakeErrors(const FakeSettings* settings = nullptr) : settings_(settings) {}
  void report(const std::string& message) override;

  std::vector<std::string> messages;
  std::vector<std::string> writes_at_report;

 private:
  const FakeSettings* settings_;
};

}  // namespace hero::test
