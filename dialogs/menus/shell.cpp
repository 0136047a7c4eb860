#include "dialogs/menus/shell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "dialogs/menus/document_window.h"

namespace hero {
namespace {

std::function<void(const QUrl&)>& opener() {
  static std::function<void(const QUrl&)> instance;
  return instance;
}

void show_in_own_window(const QString& path) { document_window_for(path).show_document(path); }

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
// Qt hands a document to xdg-open without waiting for its answer, so a
// missing or failing program for text files would go unnoticed. Here
// xdg-open is run and watched: a failure to start or an exit status other
// than 0 brings up the handheld's own window. Its output goes nowhere, so
// an editor it starts keeps running when the handheld ends.
bool open_with_xdg_open(const QString& path) {
  const QString program = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
  if (program.isEmpty()) return false;
  auto* process = new QProcess(QCoreApplication::instance());
  process->setProgram(program);
  process->setArguments({path});
  process->setStandardInputFile(QProcess::nullDevice());
  process->setStandardOutputFile(QProcess::nullDevice());
  process->setStandardErrorFile(QProcess::nullDevice());
  QObject::connect(process, &QProcess::finished, process,
                   [process, path](int code, QProcess::ExitStatus status) {
                     if (status != QProcess::NormalExit || code != 0) show_in_own_window(path);
                     process->deleteLater();
                   });
  QObject::connect(process, &QProcess::errorOccurred, process, [process, path](QProcess::ProcessError error) {
    if (error != QProcess::FailedToStart) return;
    show_in_own_window(path);
    process->deleteLater();
  });
  process->start();
  return true;
}
#endif

}  // namespace

void shell_open(const QUrl& target) {
  if (opener()) {
    opener()(target);
    return;
  }
  QDesktopServices::openUrl(target);
}

void shell_open_file(const QString& file_name) {
  const QString path = QFileInfo(QDir::current(), file_name).absoluteFilePath();
  const QUrl url = QUrl::fromLocalFile(path);
  if (opener()) {
    opener()(url);
    return;
  }
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
  if (open_with_xdg_open(path)) return;
#endif
  if (!QDesktopServices::openUrl(url)) show_in_own_window(path);
}

void set_shell_opener(std::function<void(const QUrl&)> new_opener) { opener() = std::move(new_opener); }

}  // namespace hero
