// The per-user settings store on disk: one flat group of text values under
// Quillon/Hero50 (the registry key on Windows, $XDG_CONFIG_HOME/Quillon/
// Hero50.conf on Linux). Every write is synced before it returns, so a high
// score is on disk the moment the game-over step stored it.
#pragma once

#include <QString>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "engine/interfaces.h"

class QSettings;

namespace hero {

// The player's data folder: $XDG_DATA_HOME/Quillon/Hero50 (~/.local/share/...
// when XDG_DATA_HOME is unset); empty without either. The kept games live
// there.
std::filesystem::path player_data_folder();
// Where the player's own skins live: skins/ of the data folder, one folder a
// skin.
std::filesystem::path player_skins_folder();

class QSettingsStore final : public SettingsStore {
 public:
  // The player's own store, in the platform's native place.
  QSettingsStore();
  // A store in the given file (INI format); tests and tools use this.
  explicit QSettingsStore(const QString& file_name);
  ~QSettingsStore() override;
  QSettingsStore(const QSettingsStore&) = delete;
  QSettingsStore& operator=(const QSettingsStore&) = delete;

  std::optional<std::string> read_text(std::string_view name) const override;
  void write_text(std::string_view name, std::string_view value) override;
  std::vector<std::pair<std::string, std::string>> all() const override;
  void refresh() override;

  QString file_name() const;

  // A write the system refuses (a read-only folder or file, a full disk, a
  // folder where the file should be) keeps its value in memory for the rest
  // of the run. With a reporter set, the first refusal of the run is handed
  // to it, in words for the player (where, why, and that the game goes on
  // without keeping changes), and no write throws; later refusals stay
  // quiet. Without one, every refused write throws std::runtime_error
  // naming the value, the file and the reason.
  using RefusalReporter = std::function<void(const std::string& message)>;
  void set_refusal_reporter(RefusalReporter reporter) { report_refusal_ = std::move(reporter); }

 private:
  // Value names match without regard to case, as the registry's do: the
  // name a value is stored under, or `key` itself for a new value.
  QString stored_key(const QString& key) const;

  std::unique_ptr<QSettings> settings_;
  std::map<std::string, std::string, std::less<>> unsaved_;  // refused writes, kept for this run
  RefusalReporter report_refusal_;
  bool refusal_reported_ = false;
};

}  // namespace hero
