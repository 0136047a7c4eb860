#include "startup/settings/qsettings_store.h"

#include <sys/statvfs.h>
#include <unistd.h>

#include <QSettings>
#include <QVariant>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace hero {

namespace {

namespace fs = std::filesystem;

QString to_key(std::string_view name) {
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

// Only plain text counts as a stored value: a damaged file can make QSettings
// hand back lists or other variants, and those read as missing.
std::optional<std::string> text_of(const QVariant& value) {
  if (!value.isValid()) return std::nullopt;
  if (value.typeId() == QMetaType::QString) return value.toString().toStdString();
  if (value.typeId() == QMetaType::QByteArray) return value.toByteArray().toStdString();
  return std::nullopt;
}

std::string system_reason(int error) { return std::strerror(error); }

// Why the system refused to write the store, in the player's words. QSettings
// only says that it could not; the file system is asked what stands in the way.
std::string refusal_reason(const fs::path& file) {
  std::error_code ec;
  if (fs::is_directory(file, ec)) return "there is a folder of that name in its place";
  if (fs::exists(file, ec) && access(file.c_str(), W_OK) != 0) {
    return "the file is read-only (" + system_reason(errno) + ")";
  }
  // The nearest folder that exists must let the file (and any missing
  // folders on the way) be made.
  fs::path folder = file.parent_path();
  while (!folder.empty() && !fs::exists(folder, ec) && folder != folder.parent_path())
    folder = folder.parent_path();
  if (folder.empty()) folder = ".";
  if (!fs::is_directory(folder, ec)) return "'" + folder.string() + "' is a file, not a folder";
  if (access(folder.c_str(), W_OK | X_OK) != 0) {
    return "the folder " + folder.string() + " cannot be written to (" + system_reason(errno) + ")";
  }
  struct statvfs disk {};
  if (statvfs(folder.c_str(), &disk) == 0 && disk.f_bavail == 0) return "the disk is full";
  return "the system refused to write it";
}

}  // namespace

namespace {

// The store's organisation and application: the folder (or registry key)
// the player's settings and data live under.
const QString kOrganisation = QStringLiteral("Quillon");
const QString kApplication = QStringLiteral("Hero50");

}  // namespace

fs::path player_data_folder() {
  const char* data_home = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  const fs::path data = data_home && *data_home && fs::path(data_home).is_absolute() ? fs::path(data_home)
                        : home && *home ? fs::path(home) / ".local" / "share"
                                        : fs::path();
  if (data.empty()) return {};
  return data / kOrganisation.toStdString() / kApplication.toStdString();
}

fs::path player_skins_folder() {
  const fs::path data = player_data_folder();
  return data.empty() ? fs::path() : data / "skins";
}

QSettingsStore::QSettingsStore() : settings_(std::make_unique<QSettings>(kOrganisation, kApplication)) {}

QSettingsStore::QSettingsStore(const QString& file_name)
    : settings_(std::make_unique<QSettings>(file_name, QSettings::IniFormat)) {}

QSettingsStore::~QSettingsStore() = default;

QString QSettingsStore::file_name() const { return settings_->fileName(); }

QString QSettingsStore::stored_key(const QString& key) const {
  if (settings_->contains(key)) return key;
  for (const QString& stored : settings_->childKeys())
    if (stored.compare(key, Qt::CaseInsensitive) == 0) return stored;
  return key;
}

std::optional<std::string> QSettingsStore::read_text(std::string_view name) const {
  if (name.empty()) return std::nullopt;
  if (const auto kept = unsaved_.find(name); kept != unsaved_.end()) return kept->second;
  return text_of(settings_->value(stored_key(to_key(name))));
}

void QSettingsStore::write_text(std::string_view name, std::string_view value) {
  const QString key = to_key(name);
  if (key.isEmpty()) throw std::runtime_error("Cannot store a setting without a name");
  // A value hand-edited as "key5" is the same value as Key5: it is replaced
  // under its own name, and any second spelling of it goes.
  const QString stored = stored_key(key);
  for (const QString& other : settings_->childKeys())
    if (other != stored && other.compare(key, Qt::CaseInsensitive) == 0) settings_->remove(other);
  settings_->setValue(stored, QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
  settings_->sync();
  // A damaged file only costs its unreadable lines (the sync just rewrote it
  // cleanly); failing to write the file at all is what the player must hear.
  if (settings_->status() != QSettings::AccessError) {
    if (const auto kept = unsaved_.find(name); kept != unsaved_.end()) unsaved_.erase(kept);
    return;
  }
  // Start over with a fresh handle so that one failure does not taint every
  // later write of the run; the value lives on in memory for this run.
  const QString file = settings_->fileName();
  const auto format = settings_->format();
  settings_ = format == QSettings::IniFormat && !file.isEmpty()
                  ? std::make_unique<QSettings>(file, QSettings::IniFormat)
                  : std::make_unique<QSettings>(kOrganisation, kApplication);
  unsaved_.insert_or_assign(std::string(name), std::string(value));

  std::string reason = refusal_reason(fs::path(file.toStdString()));
  const char* home = std::getenv("HOME");
  if (home == nullptr || *home == '\0') reason += "; HOME is not set";
  if (!report_refusal_) {
    throw std::runtime_error("The setting " + std::string(name) + " could not be saved to " +
                             file.toStdString() + ": " + reason + ".");
  }
  if (refusal_reported_) return;
  refusal_reported_ = true;
  report_refusal_(
      "Settings cannot be saved to " + file.toStdString() + ": " + reason +
      ". The game runs, but changed settings and new high scores will not be kept after it ends.");
}

std::vector<std::pair<std::string, std::string>> QSettingsStore::all() const {
  std::map<std::string, std::string, std::less<>> values(unsaved_);
  for (const QString& key : settings_->allKeys()) {
    if (auto text = text_of(settings_->value(key))) values.try_emplace(key.toStdString(), std::move(*text));
  }
  return {values.begin(), values.end()};
}

void QSettingsStore::refresh() {
  // Every write of this copy has been synced already, so this only reads
  // what the file holds now.
  settings_->sync();
}

}  // namespace hero
