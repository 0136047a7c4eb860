// Ending the handheld from outside: SIGTERM (a log-out or `kill`), SIGHUP
// (the terminal went away) and SIGINT (Ctrl+C) run the main window's close
// step, as a close by the window system does, instead of cutting the
// program off with its samples loaded and its store open.
#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace hero {

class CloseOnSignals final : public QObject {
  Q_OBJECT
 public:
  // From now on the three signals call `close_step` once, from the event
  // loop (the signal handler itself only writes a byte into a pipe). A
  // second signal while the close step runs ends the program at once.
  explicit CloseOnSignals(std::function<void()> close_step, QObject* parent = nullptr);
  ~CloseOnSignals() override;
  CloseOnSignals(const CloseOnSignals&) = delete;
  CloseOnSignals& operator=(const CloseOnSignals&) = delete;

  // The signal that arrived last, 0 before any.
  int received() const { return received_; }

 private:
  void on_readable();

  std::function<void()> close_step_;
  QSocketNotifier* notifier_ = nullptr;
  int received_ = 0;
};

}  // namespace hero
