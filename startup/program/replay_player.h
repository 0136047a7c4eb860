// A recording played back in the window at real speed. The handheld's time
// follows the steady clock from the moment the handheld is switched on; the
// PAUSE key holds the playback (the pause label shows meanwhile) and Esc
// ends the program as ever; every other key of the handheld window is
// ignored, and so are presses on the pictured buttons.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <optional>
#include <string>

#include "display/window/qt_timer.h"
#include "startup/session/session_replay.h"

namespace hero {

class TForm1;

// What the player is told: the playback has begun, has come to its end, or
// stopped where the handheld no longer shows what the recording noted.
enum class ReplayNews { started, ended, differs };
using ReplayNewsSink = std::function<void(ReplayNews news, const std::string& message)>;

class ReplayPlayer final : public QObject {
 public:
  // The window must have been built with `replay` as its tap. `now` drives
  // the playback (the steady clock when empty).
  ReplayPlayer(SessionReplay& replay, TForm1& form, ReplayNewsSink news, SteadyNow now = nullptr);

  // The handheld is switched on: the playback begins.
  void begin();
  // Holds the playback or lets it go on.
  void toggle_pause();
  bool paused() const { return pause_started_.has_value(); }
  // Plays up to the present moment (the wake-up does this; tests call it).
  void catch_up();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::int64_t elapsed_ms() const;
  void schedule();
  void report_if_over();

  SessionReplay& replay_;
  TForm1& form_;
  ReplayNewsSink news_;
  SteadyNow now_;
  QTimer wake_;
  SteadyTime origin_{};
  std::optional<SteadyTime> pause_started_;
  bool pause_label_was_shown_ = false;
  bool reported_ = false;
};

}  // namespace hero
