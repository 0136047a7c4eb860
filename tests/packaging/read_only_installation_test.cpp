// The handheld installed where the player cannot write (the package's
// /usr/lib/hero50): opening the catalogue for editing, through the desktop
// or in the handheld's own read-only window, and playing change nothing
// there, and the settings go to the player's own config folder.
#include <sys/inotify.h>
#include <unistd.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QPlainTextEdit>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <map>

#include <QCheckBox>
#include <QComboBox>

#include "dialogs/menus/click_label.h"
#include "dialogs/menus/document_window.h"
#include "dialogs/menus/shell.h"
#include "display/window/unit1.h"
#include "engine/engine.h"
#include "startup/settings/qsettings_store.h"
#include "tests/program/program_fixture.h"

namespace hero {
namespace {

// Every change inside a folder tree, seen by the kernel: a file opened for
// writing and closed, written, created, removed, renamed or given new
// permissions. Root ignores file permissions; the watch does not.
class TreeWatch {
 public:
  explicit TreeWatch(const QString& root) : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    if (fd_ < 0) return;
    ok_ = add(root);
    QDirIterator folders(root, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (folders.hasNext()) ok_ = add(folders.next()) && ok_;
  }
  ~TreeWatch() {
    if (fd_ >= 0) close(fd_);
  }
  TreeWatch(const TreeWatch&) = delete;
  TreeWatch& operator=(const TreeWatch&) = delete;

  bool ok() const { return ok_; }

  // "folder/name" for every change seen since the watch began.
  std::vector<std::string> changes() {
    alignas(inotify_event) char buffer[8192];
    for (ssize_t n; (n = read(fd_, buffer, sizeof buffer)) > 0;) {
      for (char* at = buffer; at < buffer + n;) {
        const auto* event = reinterpret_cast<const inotify_event*>(at);
        const std::string name = event->len > 0 ? std::string(event->name) : std::string("(the folder)");
        changes_.push_back(folders_[event->wd] + "/" + name);
        at += sizeof(inotify_event) + event->len;
      }
    }
    return changes_;
  }

 private:
  bool add(const QString& folder) {
    const int wd = inotify_add_watch(
        fd_, QFile::encodeName(folder).constData(),
        IN_CLOSE_WRITE | IN_MODIFY | IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_ATTRIB);
    if (wd < 0) return false;
    folders_[wd] = QDir(folder).dirName().toStdString();
    return true;
  }

  int fd_;
  bool ok_ = false;
  std::map<int, std::string> folders_;
  std::vector<std::string> changes_;
};

void set_tree_writable(const QString& root, bool writable) {
  const QFileDevice::Permissions read_only =
      QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
  const QFileDevice::Permissions folder =
      read_only | QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;
  const QFileDevice::Permissions write = writable ? QFileDevice::WriteOwner : QFileDevice::Permissions();
  QDirIterator entries(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                       QDirIterator::Subdirectories);
  while (entries.hasNext()) {
    const QString path = entries.next();
    QFile::setPermissions(path, (entries.fileInfo().isDir() ? folder : read_only) | write);
  }
  QFile::setPermissions(root, folder | write);
}

QByteArray contents(const QString& file) {
  QFile f(file);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

class ReadOnlyInstallation : public test::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    catalogue_before = contents(dir.filePath("Config.ini"));
    set_tree_writable(dir.path(), false);
    watch = std::make_unique<TreeWatch>(dir.path());
    ASSERT_TRUE(watch->ok()) << "no inotify watch on " << dir.path().toStdString();
  }
  void TearDown() override {
    set_shell_opener({});
    program.reset();
    watch.reset();
    // The temporary folder is removed by its owner, which needs to write.
    set_tree_writable(dir.path(), true);
    ProgramTest::TearDown();
  }

  // The automatic path: splash screen off, skin and sound output chosen, in
  // a window; the handheld comes up all lit.
  void start_playing() {
    start({{"SplashScreen", "0"}, {"Skin", "1"}, {"SoundMode", "0"}, {"FullscreenMode", "0"}});
    ASSERT_EQ(program->form().engine().state().game_mode, mode_all_lit);
  }

  void expect_installation_untouched() {
    EXPECT_EQ(watch->changes(), std::vector<std::string>{});
    EXPECT_EQ(contents(dir.filePath("Config.ini")), catalogue_before);
    EXPECT_EQ(failures, std::vector<std::string>{});
    EXPECT_EQ(errors, std::vector<std::string>{});
    EXPECT_EQ(terminations, 0);
  }

  QByteArray catalogue_before;
  std::unique_ptr<TreeWatch> watch;
};

TEST_F(ReadOnlyInstallation, TheWatchSeesAWriteIntoTheFolder) {
  // The check the other tests rely on: a file opened for writing shows.
  set_tree_writable(dir.path(), true);
  watch->changes();
  QFile written(dir.filePath("Graphics/Skin1/Config.ini"));
  ASSERT_TRUE(written.open(QIODevice::Append));
  written.close();
  EXPECT_NE(watch->changes(), std::vector<std::string>{});
  set_tree_writable(dir.path(), false);
}

TEST_F(ReadOnlyInstallation, EditConfigurationHandsTheInstalledCatalogueToTheDesktop) {
  start_playing();
  std::vector<QUrl> opened;
  set_shell_opener([&opened](const QUrl& url) { opened.push_back(url); });
  program->menu().run_command(pm_6_config);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], QUrl::fromLocalFile(QDir(dir.path()).absoluteFilePath("Config.ini")));
  expect_installation_untouched();
}

TEST_F(ReadOnlyInstallation, EditConfigurationWithAFailingDesktopShowsTheCatalogueReadOnly) {
  // The desktop's opener is found on the PATH and fails (no program for
  // text files): the handheld shows the catalogue in its own read-only
  // window and goes on as it was.
  QTemporaryDir bin;
  ASSERT_TRUE(bin.isValid());
  {
    QFile stub(bin.filePath("xdg-open"));
    ASSERT_TRUE(stub.open(QIODevice::WriteOnly));
    stub.write("#!/bin/sh\nexit 3\n");
    stub.close();
    stub.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
  }
  const QByteArray previous_path = qgetenv("PATH");
  const QByteArray previous_desktop = qgetenv("XDG_CURRENT_DESKTOP");
  qputenv("PATH", QFile::encodeName(bin.path()));
  qunsetenv("XDG_CURRENT_DESKTOP");
  start_playing();
  program->menu().run_command(pm_6_config);
  for (int i = 0; i < 500 && !qApp->findChildren<QProcess*>().isEmpty(); ++i) QTest::qWait(10);
  QTest::qWait(20);
  qputenv("PATH", previous_path);
  if (!previous_desktop.isEmpty()) qputenv("XDG_CURRENT_DESKTOP", previous_desktop);

  const QString catalogue = QDir(dir.path()).absoluteFilePath("Config.ini");
  DocumentWindow* shown = nullptr;
  for (DocumentWindow* window : document_windows())
    if (window->isVisible() && QFileInfo(window->path()).absoluteFilePath() == catalogue) shown = window;
  ASSERT_NE(shown, nullptr);
  EXPECT_TRUE(shown->text()->isReadOnly());
  EXPECT_EQ(shown->text()->toPlainText().toUtf8(), catalogue_before);
  shown->close();
  EXPECT_EQ(program->form().engine().state().game_mode, mode_all_lit);
  expect_installation_untouched();
}

TEST_F(ReadOnlyInstallation, PlayStoresTheSettingsInThePlayersConfigFolderOnly) {
  QTemporaryDir config_home;
  ASSERT_TRUE(config_home.isValid());
  // Before the store's first use: the native store's place comes from it.
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(config_home.path()));
  {
    program.reset();
    program = std::make_unique<HeroProgram>(services_with(std::make_unique<QSettingsStore>()));
  }
  program->splash().cb_skin()->setCurrentIndex(0);
  program->splash().cb_sound()->setCurrentIndex(0);
  program->splash().chb_splashscreen()->setChecked(false);
  QTest::mouseClick(program->splash().btn_play(), Qt::LeftButton);
  EXPECT_EQ(program->form().engine().state().game_mode, mode_all_lit);

  const QString stored = config_home.filePath("Quillon/Hero50.conf");
  ASSERT_TRUE(QFile::exists(stored));
  QSettings written(stored, QSettings::IniFormat);
  EXPECT_EQ(written.value("Skin").toString(), QString("1"));
  EXPECT_EQ(written.value("SplashScreen").toString(), QString("0"));
  expect_installation_untouched();
}

}  // namespace
}  // namespace hero
