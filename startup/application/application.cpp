#include "startup/application/application.h"

#include <QDialog>
#include <QWidget>
#include <cstdio>
#include <exception>

#include "display/window/application_title.h"
#include "display/window/plain_text.h"

namespace hero {

HeroApplication::HeroApplication(int& argc, char** argv)
    : QApplication(argc, argv), show_error_(show_error_box) {}

HeroApplication* HeroApplication::instance() {
  return dynamic_cast<HeroApplication*>(QCoreApplication::instance());
}

bool HeroApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    show_error(QString::fromLocal8Bit(e.what()));
  } catch (...) {
    show_error(QCoreApplication::translate("hero::HeroApplication", "An unexpected error occurred."));
  }
  // The event counts as handled: the rest of its handler is abandoned.
  return true;
}

void HeroApplication::show_error(const QString& message) {
  if (ending_by_signal_) {
    std::fprintf(stderr, "hero50: %s\n", message.toLocal8Bit().constData());
    return;
  }
  // A failure while the error is being shown must not cross the event loop
  // either; the first message is the one that matters.
  try {
    if (show_error_) show_error_(message);
  } catch (...) {
  }
}

void HeroApplication::end_by_signal() {
  ending_by_signal_ = true;
  for (QWidget* window : topLevelWidgets()) {
    auto* dialog = qobject_cast<QDialog*>(window);
    if (dialog && dialog->isVisible() && dialog->isModal()) dialog->reject();
  }
}

void HeroApplication::request_termination() {
  termination_requested_ = true;
  // Ends a running loop; before exec() this does nothing, which is why run()
  // checks the flag.
  quit();
}

int HeroApplication::run() {
  if (termination_requested_) return 0;
  return exec();
}

void show_error_box(const QString& message) { show_plain_error_box(application_title(), message); }

void MessageBoxInstallationErrors::report(const std::string& message) {
  if (auto* app = HeroApplication::instance()) {
    app->show_error(QString::fromStdString(message));
    app->request_termination();
  } else {
    show_error_box(QString::fromStdString(message));
  }
}

}  // namespace hero
