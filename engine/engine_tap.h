// What a recorded or a replayed session puts between the main window and
// the engine it owns: the services the engine runs on, and a word before and
// after every timer expiry and every control that reaches it. Plain C++, so
// that the taps themselves need no window to be tried out.
#pragma once

#include <chrono>

#include "engine/engine.h"

namespace hero {

using SteadyTime = std::chrono::steady_clock::time_point;

class EngineTap {
 public:
  virtual ~EngineTap() = default;
  // The services the engine is built with, given the window's own ones.
  virtual EngineServices wire(const EngineServices& window_services) = 0;
  // One of the window's timers expires; `due` is the moment it was due.
  // timer_expired follows the engine's handler, also when the handler threw.
  virtual void timer_expiring(TimerId id, SteadyTime due) = 0;
  virtual void timer_expired(TimerId id) = 0;
  // A key or a pictured button works a control. False keeps it from the
  // engine (and then control_done does not follow).
  virtual bool control_arriving(Control control, bool down) = 0;
  virtual void control_done(Control control, bool down) = 0;
};

}  // namespace hero
