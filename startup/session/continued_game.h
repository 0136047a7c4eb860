// A game left unfinished, played again in the window's own engine: the
// recording of the session it was left in is run through the window's tap
// (so its recorder writes every event again, into the session that goes
// on) in virtual time, on the recording's timers, draws, time of day and
// high scores, without a sound; then the handheld is paused where the game
// was left, and from there it runs on the window's own timers, random
// draws, clock, sound and store as any game does.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "engine/engine_tap.h"
#include "engine/memory_settings_store.h"
#include "startup/session/session_replay.h"
#include "startup/session/virtual_handheld.h"

namespace hero {

class SessionRecorder;

class ContinuedTap final : public EngineTap {
 public:
  // `inner` is the window's own tap (the keeping tap over the session's
  // recorder); `recorder` is that recorder.
  ContinuedTap(EngineTap& inner, SessionRecorder& recorder);
  ~ContinuedTap() override;

  // The inner tap's services, laid on services of this tap's own, which
  // hold the recording's world while it is played again and the window's
  // afterwards.
  EngineServices wire(const EngineServices& window_services) override;
  void timer_expiring(TimerId id, SteadyTime due) override;
  void timer_expired(TimerId id) override;
  bool control_arriving(Control control, bool down) override;
  void control_done(Control control, bool down) override;

  // While the recording is played again, its virtual time as the moment
  // the session's recorder reads; nothing afterwards.
  std::optional<SteadyTime> replay_moment() const;

  // Plays `recording` into `engine` (built on this tap) up to its end:
  // `start` switches the handheld on as the window does. A game that is not
  // paused at the end gets PAUSE there. Then the handheld is the window's:
  // the high scores the window's store now holds are noted in the session,
  // so that its replay reads what the handheld reads at the game over.
  // False, with the reason in `error`, when the recording does not end in a
  // game under way; the engine is then in no state to play on.
  bool continue_game(Engine& engine, const Recording& recording, const std::function<void(Engine&)>& start,
                     std::string& error);

  bool replaying() const { return replaying_; }

 private:
  class Switched;

  void fire(TimerId id);
  void work(Control control, bool down);
  void go_live();

  EngineTap& inner_;
  SessionRecorder& recorder_;
  Engine* engine_ = nullptr;
  bool replaying_ = false;
  std::unique_ptr<Switched> switched_;
  // The recording's world.
  VirtualTime time_;
  ScriptedRandom random_;
  FixedClock clock_;
  MemorySettingsStore store_;
};

}  // namespace hero
