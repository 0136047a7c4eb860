// share/add-to-menu of the installation folder: the player's desktop entry it
// writes starts the program of the folder where the script is now, however
// the folder is named and wherever it has moved, and passes the desktop's
// own validator.
#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "tests/support/files.h"

namespace hero {
namespace {

namespace fs = std::filesystem;

struct ScriptRun {
  int status;
  std::string output;
};

ScriptRun run_script(const fs::path& script, const fs::path& data_home, const QStringList& arguments = {}) {
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("XDG_DATA_HOME", QString::fromStdString(data_home.string()));
  process.setProcessEnvironment(env);
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.start(QString::fromStdString(script.string()), arguments);
  process.waitForFinished(10000);
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          process.readAll().toStdString()};
}

// A line "key=..." of the entry, without the key.
std::string value_of(const std::string& entry, const std::string& key) {
  const auto at = entry.find("\n" + key + "=");
  if (at == std::string::npos) return "(missing)";
  const auto start = at + key.size() + 2;
  return entry.substr(start, entry.find('\n', start) - start);
}

// A folder holding a stand-in program and the installation's own script.
fs::path make_folder(const fs::path& folder) {
  fs::create_directories(folder / "share");
  std::ofstream(folder / "hero50") << "#!/bin/sh\n";
  fs::permissions(folder / "hero50", fs::perms::owner_all);
  fs::copy_file(fs::path(getenv("HERO_INSTALL_DIR")) / "share" / "add-to-menu",
                folder / "share" / "add-to-menu");
  return folder / "share" / "add-to-menu";
}

TEST(AddToMenu, TheEntryStartsTheFolderWhereItIsNowWhateverItsName) {
  QTemporaryDir temp;
  ASSERT_TRUE(temp.isValid());
  const fs::path root = temp.path().toStdString();
  const fs::path data_home = root / "data";
  const fs::path entry_file = data_home / "applications" / "hero50-folder.desktop";

  // A name with every character the desktop's Exec quoting treats specially.
  const std::string odd = "Games \"old\" $HOME `x` 100% back\\slash";
  const ScriptRun first = run_script(make_folder(root / odd), data_home);
  ASSERT_EQ(first.status, 0) << first.output;
  std::string entry = test::read_file(entry_file);
  const std::string folder = (root / odd).string();
  EXPECT_EQ(value_of(entry, "Exec"),
            "\"" + (root.string() + "/Games \\\\\"old\\\\\" \\\\$HOME \\\\`x\\\\` 100%% back\\\\\\\\slash") +
                "/hero50\"");
  EXPECT_EQ(value_of(entry, "Path"), root.string() + "/Games \"old\" $HOME `x` 100% back\\\\slash");
  EXPECT_EQ(value_of(entry, "Name").find("Hero"), 0U) << entry;

  const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
  if (!validator.isEmpty()) {
    QProcess validate;
    validate.setProcessChannelMode(QProcess::MergedChannels);
    validate.start(validator, {QString::fromStdString(entry_file.string())});
    validate.waitForFinished(10000);
    EXPECT_EQ(validate.exitCode(), 0) << validate.readAll().toStdString() << entry;
  }

  // Moved, and run again: the entry follows the folder.
  fs::rename(root / odd, root / "moved");
  ASSERT_EQ(run_script(root / "moved" / "share" / "add-to-menu", data_home).status, 0);
  entry = test::read_file(entry_file);
  EXPECT_EQ(value_of(entry, "Exec"), "\"" + root.string() + "/moved/hero50\"");
  EXPECT_EQ(value_of(entry, "Icon"), root.string() + "/moved/share/icons/hicolor/256x256/apps/hero50.png");

  // Without its program the folder is refused and the entry left as it was;
  // --remove takes it away.
  fs::remove(root / "moved" / "hero50");
  const ScriptRun refused = run_script(root / "moved" / "share" / "add-to-menu", data_home);
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.output.find("no program"), std::string::npos) << refused.output;
  EXPECT_EQ(test::read_file(entry_file), entry);
  EXPECT_EQ(run_script(root / "moved" / "share" / "add-to-menu", data_home, {"--remove"}).status, 0);
  EXPECT_FALSE(fs::exists(entry_file));
  EXPECT_EQ(run_script(root / "moved" / "share" / "add-to-menu", data_home, {"--bogus"}).status, 2);
}

}  // namespace
}  // namespace hero
