// The program's application object: the general error handler that keeps one
// failing event handler from ending the game, and termination requests that
// are honoured even when they are made before the event loop runs.
#pragma once

#include <QApplication>
#include <QString>
#include <functional>

#include "engine/installation_errors.h"

namespace hero {

class HeroApplication : public QApplication {
 public:
  // Shows a failure's message; the default is an error box with one OK
  // button. Tests record the messages instead.
  using ErrorShower = std::function<void(const QString& message)>;

  HeroApplication(int& argc, char** argv);

  static HeroApplication* instance();

  // An exception thrown by an event handler abandons the rest of that
  // handler; its message is shown and the next event is delivered.
  bool notify(QObject* receiver, QEvent* event) override;

  // Ends the program when the event loop runs next (at once if it is
  // running). The step that asked still finishes.
  void request_termination();
  bool termination_requested() const { return termination_requested_; }

  // The player asked from outside (SIGTERM, SIGHUP, SIGINT) that the program
  // end: a box or dialog waiting for an answer gives way (as Cancel), and
  // failures from now on go to the error output instead of a box no one
  // will answer. The program's close step still runs.
  void end_by_signal();
  bool ending_by_signal() const { return ending_by_signal_; }

  // Runs the event loop unless termination was already requested.
  int run();

  void set_error_shower(ErrorShower shower) { show_error_ = std::move(shower); }
  void show_error(const QString& message);

 private:
  bool termination_requested_ = false;
  bool ending_by_signal_ = false;
  ErrorShower show_error_;
};

// Installation errors (missing catalogue, skin file, first sample): the error
// box, then the termination request.
class MessageBoxInstallationErrors final : public InstallationErrors {
 public:
  void report(const std::string& message) override;
};

// The error box with OK, titled with the program's title.
void show_error_box(const QString& message);

}  // namespace hero
