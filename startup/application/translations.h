// The program's texts in the player's language. English is the texts as the
// code writes them; every other language is a compiled catalogue
// translations/hero50_<language>.qm in the program folder, and Qt's own
// catalogue for its dialogs' buttons.
#pragma once

#include <QString>
#include <QStringList>
#include <QTranslator>
#include <memory>
#include <optional>

namespace hero {

// The folder of the catalogues, beside the program.
inline constexpr char kTranslationsFolder[] = "translations";

// The language to show, from the desktop's languages in the order the player
// prefers them (QLocale::uiLanguages: LANGUAGE first, then LC_ALL,
// LC_MESSAGES, LANG) and the languages shipped. The first preferred language
// that is English or shipped wins; English, or none shipped, gives nullopt.
// "pt-BR" matches a shipped "pt_BR", and "de-AT" a shipped "de".
std::optional<QString> chosen_language(const QStringList& preferred, const QStringList& shipped);

// The languages whose catalogues are in a folder.
QStringList shipped_languages(const QString& folder);

// The catalogues of one language, the program's from translations/ under the
// program folder and Qt's own, installed while this lives. A system without
// Qt's catalogue keeps Qt's own texts (a message box's buttons) in English.
class InstalledLanguage {
 public:
  InstalledLanguage(const QString& program_folder, const QString& language);
  ~InstalledLanguage();
  InstalledLanguage(const InstalledLanguage&) = delete;
  InstalledLanguage& operator=(const InstalledLanguage&) = delete;

  // Whether the program's own catalogue was found and installed.
  bool installed() const { return own_installed_; }
  const QString& language() const { return language_; }

 private:
  QString language_;
  QTranslator own_;
  QTranslator qt_;
  bool own_installed_ = false;
  bool qt_installed_ = false;
};

// The desktop's language installed, or nullptr for English (or a language
// not shipped). The application must exist.
std::unique_ptr<InstalledLanguage> install_translations(const QString& program_folder);

// One text in the desktop's language before the application exists (the
// command line's help): read from the catalogue directly.
QString translated_early(const QString& program_folder, const char* context, const char* text);

}  // namespace hero
