// The per-user settings store on disk: one flat group of text values under
// Quillon/Hero50 (the registry key on Windows, $XDG_CONFIG_HOME/Quillon/
// Hero50.conf on Linux). Every write is synced before it returns, so a high
// score is on disk the moment the game-over step stored it.
#pragma once

#include <QString>
#include <memory>

#include "engine/interfaces.h"

class QSettings;

namespace hero {

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

  QString file_name() const;

 private:
  // Value names match without regard to case, as the registry's do: the
  // name a value is stored under, or `key` itself for a new value.
  QString stored_key(const QString& key) const;

  std::unique_ptr<QSettings> settings_;
};

}  // namespace hero
