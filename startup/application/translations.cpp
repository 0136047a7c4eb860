#include "startup/application/translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace hero {
namespace {

constexpr char kCatalogue[] = "hero50_";

QString catalogue_folder(const QString& program_folder) {
  return QDir(program_folder).filePath(QString::fromLatin1(kTranslationsFolder));
}

std::optional<QString> desktop_language(const QString& program_folder) {
  return chosen_language(QLocale::system().uiLanguages(),
                         shipped_languages(catalogue_folder(program_folder)));
}

}  // namespace

std::optional<QString> chosen_language(const QStringList& preferred, const QStringList& shipped) {
  for (const QString& entry : preferred) {
    QString name = entry.trimmed();
    name.replace('-', '_');
    // "de_DE.UTF-8" and "de_DE@euro" name the language de_DE.
    name = name.section('.', 0, 0).section('@', 0, 0);
    if (name.isEmpty() || name == "C" || name == "POSIX") continue;
    const QString base = name.section('_', 0, 0).toLower();
    if (base == "en") return std::nullopt;
    for (const QString& candidate : {name, base})
      for (const QString& language : shipped)
        if (language.compare(candidate, Qt::CaseInsensitive) == 0) return language;
  }
  return std::nullopt;
}

QStringList shipped_languages(const QString& folder) {
  QStringList languages;
  const QStringList files =
      QDir(folder).entryList({QString::fromLatin1(kCatalogue) + "*.qm"}, QDir::Files, QDir::Name);
  for (const QString& file : files)
    languages << file.mid(static_cast<qsizetype>(sizeof kCatalogue - 1)).chopped(3);
  return languages;
}

InstalledLanguage::InstalledLanguage(const QString& program_folder, const QString& language)
    : language_(language) {
  own_installed_ = own_.load(QString::fromLatin1(kCatalogue) + language, catalogue_folder(program_folder)) &&
                   QCoreApplication::installTranslator(&own_);
  if (!own_installed_) return;
  const QString qt_folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  qt_installed_ = (qt_.load(QStringLiteral("qtbase_") + language, qt_folder) ||
                   qt_.load(QStringLiteral("qtbase_") + language.section('_', 0, 0), qt_folder)) &&
                  QCoreApplication::installTranslator(&qt_);
}

InstalledLanguage::~InstalledLanguage() {
  if (qt_installed_) QCoreApplication::removeTranslator(&qt_);
  if (own_installed_) QCoreApplication::removeTranslator(&own_);
}

std::unique_ptr<InstalledLanguage> install_translations(const QString& program_folder) {
  const std::optional<QString> language = desktop_language(program_folder);
  if (!language) return nullptr;
  auto installed = std::make_unique<InstalledLanguage>(program_folder, *language);
  if (!installed->installed()) return nullptr;
  return installed;
}

QString translated_early(const QString& program_folder, const char* context, const char* text) {
  const std::optional<QString> language = desktop_language(program_folder);
  QTranslator catalogue;
  if (language &&
      catalogue.load(QString::fromLatin1(kCatalogue) + *language, catalogue_folder(program_folder))) {
    const QString found = catalogue.translate(context, text);
    if (!found.isEmpty()) return found;
  }
  return QString::fromUtf8(text);
}

}  // namespace hero
