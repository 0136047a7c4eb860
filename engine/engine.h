// The handheld's logic: one state record, nine modes, five timers and the
// operations that the buttons and timers call. Everything runs on one thread;
// the owner routes timer expiry to on_timer and button input to the Inp_
// operations.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "display/lcd/segment_display.h"
#include "engine/interfaces.h"
#include "engine/settings_values.h"

namespace hero {

enum GameMode : std::int32_t {
  mode_acl_held = 0,
  mode_all_lit = 1,
  mode_alarm_view = 2,
  mode_clock = 3,
  mode_game_a_held = 4,
  mode_game_a = 5,
  mode_game_b_held = 6,
  mode_game_b = 7,
  mode_game_over = 8,
};

enum CellState : std::int32_t { cell_empty = 0, cell_object = 1, cell_caught = 2, cell_arrived = 3 };

// The miss sequence: each expiry of the miss timer runs one step, then the
// next in number. A dropped object takes steps 1 and 2, the rogue's blow 11
// to 15; the third miss jumps to the step before the end.
enum MissStep : std::int32_t {
  miss_drop_counted = 1,        // the miss counted (every second drop) and its beep
  miss_drop_resume = 2,         // play goes on, or the third miss ends the game
  miss_blow_struck = 11,        // the blow lands: a short wait
  miss_blow_knocked_down = 12,  // the hero knocked down, the blow's beep
  miss_blow_rogue_back = 13,    // the rogue stands back
  miss_blow_counted = 14,       // the hero gone, the miss counted and its beep
  miss_blow_resume = 15,        // the hero back and play goes on, or the game ends
  miss_before_game_over = 100,  // the third miss: one more expiry...
  miss_game_over = 101,         // ...and the game is over
};

// The rogue's swing, one phase a game tick: idle, ready (waiting for a tick
// that advances lane 3), then the wind-up until the blow, and back to idle.
enum RoguePhase : std::int32_t {
  rogue_idle = 0,
  rogue_ready = 1,
  rogue_wind_up = 2,  // phases 2..5 wind up
  rogue_blow = 6,
  rogue_swung = 7,  // past the blow: idle again
};
// The rogue's side, as the lane he stands by (lane 3 on the left).
enum RogueSide : std::int32_t { rogue_right = 1, rogue_left = 3 };
// His pose as Vid_Show_Rogue draws it.
enum RoguePose : std::int32_t { rogue_pose_idle = 2, rogue_pose_wind_up = 3, rogue_pose_blow = 4 };

// Which timer PAUSE stopped (none when it stopped none), by its slot among
// the pausable ones.
enum PausedTimer : std::int32_t {
  paused_none = 0,
  paused_chance_time = 1,
  paused_game = 2,
  paused_game_over = 3,
  paused_miss = 4,
};

// The state record; zero when the program starts.
struct EngineState {
  std::int32_t game_mode = 0;
  std::int32_t score = 0;
  std::int32_t hi_score_a = 0;
  std::int32_t hi_score_b = 0;
  std::int32_t misses = 0;
  bool half_miss = false;
  std::int32_t hero_lane = 0;
  std::int32_t rogue_side = 0;   // RogueSide
  std::int32_t rogue_phase = 0;  // RoguePhase
  std::int32_t thrower_lane = 0;
  std::int32_t start_offset = 0;
  std::int32_t max_objects = 0;
  double tick_interval = 0.0;
  // object_cells[lane][row], lane 1..3, row 1..7 (index 0 unused).
  std::array<std::array<std::int32_t, 8>, 4> object_cells{};
  bool moves_enabled = false;
  bool paused = false;
  bool saved_moves_enabled = false;
  std::int32_t paused_timer = 0;  // PausedTimer
  std::int32_t miss_step = 0;     // MissStep
  std::int32_t chance_step = 0;
  std::int32_t clock_frame = 0;
};

// Everything the engine reaches outside itself. The owner keeps these alive
// for the engine's whole life.
struct EngineServices {
  SegmentSurface& surface;
  std::array<EngineTimer*, kTimerCount> timers;  // indexed by TimerId
  SoundSink& sound;
  SettingsStore& settings;
  RandomSource& random;
  LocalClock& clock;
};

class Engine {
 public:
  // Throws std::invalid_argument when a timer is missing.
  explicit Engine(EngineServices services);
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  // What the handheld is doing, for reading; it changes only through the
  // operations below.
  const EngineState& state() const { return state_; }
  // Test set-up alone writes the state directly (a score reached without
  // playing to it, a mode without its entry): never the program.
  EngineState& state_for_tests() { return state_; }
  SegmentDisplay& segment_display() { return display_; }

  // The engine's part of start-up: both high scores, the pause cleared, then
  // every segment lit (mode 1).
  void start();
  void load_high_scores();
  // The main window's "no pause" step at its creation.
  void clear_pause() { state_.paused = false; }
  // "Reset Hiscores": both mirrors to 0 and both stored as "0". If the store
  // refuses a write, both mirrors are still reset and the first failure is
  // rethrown after the second write was tried.
  void reset_hi_scores();

  // Modes and speed. A mode is entered by storing it and setting it up:
  // enter_mode does both, as every change of mode must.
  void enter_mode(std::int32_t mode);
  void Gam_Set_Mode();
  void Gam_Stop_All_Timers();
  void Gam_Set_Difficulty();
  void Gam_Check_Chance_Time();

  // Timer expiry, routed to the handler of that timer.
  void on_timer(TimerId id);
  void Timer_Chance_TimeTimer();
  void Timer_ClockTimer();
  void Timer_GameTimer();
  void Timer_Game_OverTimer();
  void Timer_MissTimer();

  // A press or a release of one of the seven controls, routed to its Inp_
  // operation (a release of PAUSE does nothing).
  void press(Control control);
  void release(Control control);

  // The thirteen controls.
  void Inp_game_a_down();
  void Inp_game_a_up();
  void Inp_game_b_down();
  void Inp_game_b_up();
  void Inp_time_down();
  void Inp_time_up();
  void Inp_acl_down();
  void Inp_acl_up();
  void Inp_left_down();
  void Inp_left_up();
  void Inp_right_down();
  void Inp_right_up();
  void Inp_pause_down();

  // Sound requests; both do nothing until the sound back end enables sound.
  void Snd_Play(SoundId id);
  void Snd_Silence();
  bool snd_enabled() const { return snd_enabled_; }
  void set_snd_enabled(bool on) { snd_enabled_ = on; }

 private:
  enum class TickSound { none, tick, got };
  enum class MissKind { none, dropped_object, rogue_blow };
  // What one game tick gathers as it goes: a miss, its one beep, and the
  // lady's hand (2, the middle, unless she threw).
  struct Tick {
    MissKind miss = MissKind::none;
    TickSound sound = TickSound::none;
    int hand = 2;
  };

  EngineTimer& timer(TimerId id) { return *services_.timers[static_cast<int>(id)]; }
  void show(ElementId id) { services_.surface.set_visible(id, true); }
  void hide(ElementId id) { services_.surface.set_visible(id, false); }
  // The game tick's steps, in the order Timer_GameTimer runs them.
  void clear_caught_objects();
  void drop_missed_object(Tick& tick);
  void catch_objects_at_the_bottom(Tick& tick);
  void swing_the_rogue(Tick& tick);
  void advance_a_lane_and_throw(Tick& tick);
  void draw_objects();
  void draw_the_rogue();
  void begin_the_miss(Tick& tick);
  // The miss sequence's steps (MissStep), as Timer_MissTimer runs them.
  void count_the_dropped_object();
  void resume_after_the_drop();
  void knock_the_hero_down();
  void let_the_rogue_stand_back();
  void count_the_blow();
  void resume_after_the_blow();
  bool third_miss_ends_the_game();
  void resume_play();
  void catch_object(int lane, Tick& tick);
  void throw_object(int lane, Tick& tick);
  void start_game();
  void game_over();
  // A stored high score as the handheld reads it: out of reach reads as 0.
  std::int32_t stored_hi_score(const settings::Integer& hi_score) const;
  void move_hero(int step, ElementId button);

  EngineServices services_;
  SegmentDisplay display_;
  EngineState state_;
  bool snd_enabled_ = false;
  // HiScore1 and HiScore2 as this copy last read or wrote them; a different
  // value at game over was stored by another copy of the handheld.
  std::optional<std::int32_t> hi_score_a_in_store_;
  std::optional<std::int32_t> hi_score_b_in_store_;
};

}  // namespace hero
