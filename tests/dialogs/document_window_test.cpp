// F2, F3 and "Edit configuration file" on a desktop with no program for
// text files: the shell is tried first, and when xdg-open is missing or
// reports a failure the document opens in the handheld's own read-only
// window. xdg-open is replaced by stubs on a PATH of the test's own.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QPlainTextEdit>
#include <QProcess>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include "dialogs/menus/document_window.h"
#include "dialogs/menus/menu.h"
#include "dialogs/menus/shell.h"
#include "engine/memory_settings_store.h"
#include "tests/dialogs/recording_menu_host.h"
#include "tests/support/qt_app.h"

namespace hero {
namespace {

class DocumentFallback : public ::testing::Test {
 protected:
  struct ApplicationFirst {
    ApplicationFirst() { test::qt_app(); }
  } application_first;

  void SetUp() override {
    ASSERT_TRUE(folder.isValid() && bin.isValid());
    previous_folder = QDir::currentPath();
    previous_path = qgetenv("PATH");
    previous_desktop = qgetenv("XDG_CURRENT_DESKTOP");
    QDir::setCurrent(folder.path());
    // The desktop's own helpers (kde-open, gio) are not what is tested.
    qunsetenv("XDG_CURRENT_DESKTOP");
    qputenv("PATH", QFile::encodeName(bin.path()));
    QString readme;
    for (int line = 1; line <= 200; ++line) readme += QString("Readme line %1\n").arg(line);
    write("Readme.txt", readme.toUtf8());
    write("Whatsnew.txt", "Version S5/1.02\n");
    write("Config.ini", "[Common]\nSkins=2\n");
    menu = std::make_unique<GameMenu>(host);
  }
  void TearDown() override {
    menu.reset();
    QDir::setCurrent(previous_folder);
    qputenv("PATH", previous_path);
    if (previous_desktop.isEmpty()) qunsetenv("XDG_CURRENT_DESKTOP");
    else qputenv("XDG_CURRENT_DESKTOP", previous_desktop);
  }

  void write(const QString& name, const QByteArray& bytes) {
    QFile file(folder.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }

  // An xdg-open that notes the file it was given and ends with `status`.
  void install_xdg_open(int status) {
    const QString stub = bin.filePath("xdg-open");
    QFile file(stub);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QString("#!/bin/sh\nprintf '%s\\n' \"$1\" >> '%1'\nexit %2\n")
                   .arg(bin.filePath("opened.txt"))
                   .arg(status)
                   .toUtf8());
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
  QStringList stub_calls() const {
    QFile file(bin.filePath("opened.txt"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
  }

  // Lets any xdg-open still running finish and report.
  static void settle() {
    for (int i = 0; i < 500 && !qApp->findChildren<QProcess*>().isEmpty(); ++i) QTest::qWait(10);
    QTest::qWait(20);
  }

  // The handheld's own window for a file of the test folder, if one is up.
  DocumentWindow* window_for(const QString& name) const {
    const QString path = QFileInfo(folder.filePath(name)).absoluteFilePath();
    for (DocumentWindow* window : document_windows())
      if (QFileInfo(window->path()).absoluteFilePath() == path && window->isVisible()) return window;
    return nullptr;
  }

  QTemporaryDir folder;
  QTemporaryDir bin;
  QString previous_folder;
  QByteArray previous_path;
  QByteArray previous_desktop;
  test::RecordingHost host;
  std::unique_ptr<GameMenu> menu;
};

TEST_F(DocumentFallback, WithoutXdgOpenTheReadmeOpensInAReadOnlyMonospacedWindow) {
  menu->run_command(pm_2_readme);
  settle();
  DocumentWindow* window = window_for("Readme.txt");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowTitle(), "Readme.txt");
  QPlainTextEdit* text = window->text();
  EXPECT_TRUE(text->isReadOnly());
  EXPECT_TRUE(QFontInfo(text->font()).fixedPitch());
  EXPECT_TRUE(text->toPlainText().startsWith("Readme line 1\nReadme line 2\n"));
  EXPECT_TRUE(text->toPlainText().contains("Readme line 200"));
  EXPECT_GT(text->verticalScrollBar()->maximum(), 0) << "200 lines must scroll";
  EXPECT_EQ(text->verticalScrollBar()->value(), 0) << "it opens at the top";
  // It says it cannot be edited here and where the file is, and Esc closes it.
  EXPECT_TRUE(window->note()->text().startsWith("Read-only: " + QDir::toNativeSeparators(window->path())))
      << window->note()->text().toStdString();
  window->activateWindow();
  QTest::keyClick(text, Qt::Key_Escape);
  EXPECT_FALSE(window->isVisible()) << "Esc left the window open";
}

TEST_F(DocumentFallback, AFailingXdgOpenIsTriedFirstThenTheOwnWindowOpens) {
  install_xdg_open(3);
  menu->run_command(pm_3_whatsnew);
  settle();
  EXPECT_EQ(stub_calls(), QStringList{QFileInfo(folder.filePath("Whatsnew.txt")).absoluteFilePath()});
  DocumentWindow* window = window_for("Whatsnew.txt");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowTitle(), "Whatsnew.txt");
  EXPECT_EQ(window->text()->toPlainText(), "Version S5/1.02\n");
}

TEST_F(DocumentFallback, AWorkingXdgOpenKeepsTheDocumentWithTheDesktop) {
  install_xdg_open(0);
  menu->run_command(pm_6_config);
  settle();
  EXPECT_EQ(stub_calls(), QStringList{QFileInfo(folder.filePath("Config.ini")).absoluteFilePath()});
  EXPECT_EQ(window_for("Config.ini"), nullptr);
}

TEST_F(DocumentFallback, OpeningAgainReusesTheWindowWithTheFileAsItIsNow) {
  menu->run_command(pm_6_config);
  settle();
  DocumentWindow* first = window_for("Config.ini");
  ASSERT_NE(first, nullptr);
  const auto windows = document_windows().size();
  write("Config.ini", "[Common]\nSkins=1\n");
  menu->run_command(pm_6_config);
  settle();
  EXPECT_EQ(window_for("Config.ini"), first);
  EXPECT_EQ(document_windows().size(), windows);
  EXPECT_EQ(first->text()->toPlainText(), "[Common]\nSkins=1\n");
}

TEST_F(DocumentFallback, AMissingDocumentSaysWhyInsteadOfOpeningNothing) {
  QFile::remove(folder.filePath("Whatsnew.txt"));
  menu->run_command(pm_3_whatsnew);
  settle();
  DocumentWindow* window = window_for("Whatsnew.txt");
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->text()->toPlainText().contains("could not be read"))
      << window->text()->toPlainText().toStdString();
}

TEST_F(DocumentFallback, TextInTheOldCodePageKeepsEveryCharacter) {
  // "Größe" in Latin-1: not UTF-8, shown as Latin-1 rather than replacement marks.
  write("Readme.txt", QByteArray("Gr\xf6\xdf"
                                 "e\n"));
  menu->run_command(pm_2_readme);
  settle();
  DocumentWindow* window = window_for("Readme.txt");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->text()->toPlainText(), QString::fromUtf8("Größe\n"));
}

}  // namespace
}  // namespace hero
