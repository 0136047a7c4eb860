// The documents a player reads (the manual's pages on keys and the menu, the
// man page, the README) keep up with the menu: every shortcut the menu shows
// is named in each, as the menu spells it or in words.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "dialogs/menus/menu.h"
#include "tests/dialogs/recording_menu_host.h"
#include "tests/support/files.h"
#include "tests/support/qt_app.h"

namespace hero {
namespace {

// Every shortcut the menu and its submenus show after a tab.
std::set<std::string> menu_shortcuts(QMenu* menu) {
  std::set<std::string> shortcuts;
  for (QAction* action : menu->actions()) {
    if (action->menu()) {
      for (const std::string& s : menu_shortcuts(action->menu())) shortcuts.insert(s);
      continue;
    }
    const QString text = action->text();
    if (const int tab = text.indexOf('\t'); tab >= 0) shortcuts.insert(text.mid(tab + 1).toStdString());
  }
  return shortcuts;
}

TEST(Documentation, EveryMenuShortcutIsNamedInTheManualTheManPageAndTheReadme) {
  test::qt_app();
  test::RecordingHost host;
  GameMenu menu(host);
  const std::set<std::string> shortcuts = menu_shortcuts(menu.pm_0_menu());
  ASSERT_TRUE(shortcuts.count("Ctrl+P") && shortcuts.count("F12") && shortcuts.count("Esc"));
  // How the texts may spell out a key the menu writes with a sign.
  const std::map<std::string, std::string> in_words = {{"Ctrl++", "Ctrl+Plus"}, {"Ctrl+-", "Ctrl+Minus"}};
  const std::filesystem::path source = std::getenv("HERO_SOURCE_DIR");
  const std::map<std::string, std::string> documents = {
      {"manual pages 7 and 8",
       test::read_file(source / "assets/manual/7.txt") + test::read_file(source / "assets/manual/8.txt")},
      {"the man page", test::read_file(source / "packaging/hero50.6.txt")},
      {"README.md", test::read_file(source / "README.md")},
  };
  for (const auto& [name, text] : documents) {
    ASSERT_FALSE(text.empty()) << name;
    for (const std::string& shortcut : shortcuts) {
      const auto words = in_words.find(shortcut);
      const bool named = text.find(shortcut) != std::string::npos ||
                         (words != in_words.end() && text.find(words->second) != std::string::npos);
      EXPECT_TRUE(named) << name << " does not name " << shortcut;
    }
  }
}

}  // namespace
}  // namespace hero
