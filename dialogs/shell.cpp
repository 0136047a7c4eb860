#include "dialogs/shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

namespace hero {
namespace {

std::function<void(const QUrl&)>& opener() {
  static std::function<void(const QUrl&)> instance;
  return instance;
}

}  // namespace

void shell_open(const QUrl& target) {
  if (opener()) {
    opener()(target);
    return;
  }
  QDesktopServices::openUrl(target);
}

void shell_open_file(const QString& file_name) {
  shell_open(QUrl::fromLocalFile(QFileInfo(QDir::current(), file_name).absoluteFilePath()));
}

void set_shell_opener(std::function<void(const QUrl&)> new_opener) { opener() = std::move(new_opener); }

}  // namespace hero
