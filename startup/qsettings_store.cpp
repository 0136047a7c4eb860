#include "startup/qsettings_store.h"

#include <QSettings>
#include <QVariant>
#include <algorithm>
#include <stdexcept>

namespace hero {

namespace {

QString to_key(std::string_view name) { return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())); }

// Only plain text counts as a stored value: a damaged file can make QSettings
// hand back lists or other variants, and those read as missing.
std::optional<std::string> text_of(const QVariant& value) {
  if (!value.isValid()) return std::nullopt;
  if (value.typeId() == QMetaType::QString) return value.toString().toStdString();
  if (value.typeId() == QMetaType::QByteArray) return value.toByteArray().toStdString();
  return std::nullopt;
}

}  // namespace

QSettingsStore::QSettingsStore() : settings_(std::make_unique<QSettings>(QStringLiteral("Quillon"), QStringLiteral("Hero50"))) {}

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
  // cleanly); failing to write the file at all is an error the player sees.
  if (settings_->status() == QSettings::AccessError) {
    // Start over with a fresh handle so that one failure does not taint
    // every later write of the run.
    const QString file = settings_->fileName();
    const auto format = settings_->format();
    settings_ = format == QSettings::IniFormat && !file.isEmpty()
                    ? std::make_unique<QSettings>(file, QSettings::IniFormat)
                    : std::make_unique<QSettings>(QStringLiteral("Quillon"), QStringLiteral("Hero50"));
    throw std::runtime_error("The setting " + std::string(name) + " could not be saved to " + file.toStdString());
  }
}

std::vector<std::pair<std::string, std::string>> QSettingsStore::all() const {
  std::vector<std::pair<std::string, std::string>> values;
  for (const QString& key : settings_->allKeys()) {
    if (auto text = text_of(settings_->value(key))) values.emplace_back(key.toStdString(), std::move(*text));
  }
  std::sort(values.begin(), values.end());
  return values;
}

}  // namespace hero
