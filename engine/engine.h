// The handheld's logic: one state record, nine modes, five timers and the
// operations that the buttons and timers call. Everything runs on one thread;
// the owner routes timer expiry to on_timer and button input to the Inp_
// operations. (Declarations fixed early so that the window can be written
// against them; the engine's own files fill them in.)
#pragma once

#include <array>
#include <cstdint>

#include "engine/interfaces.h"

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

// The state record; zero when the program starts.
struct EngineState {
  std::int32_t game_mode = 0;
  std::int32_t score = 0;
  std::int32_t hi_score_a = 0;
  std::int32_t hi_score_b = 0;
  std::int32_t misses = 0;
  bool half_miss = false;
  std::int32_t hero_lane = 0;
  std::int32_t rogue_side = 0;
  std::int32_t rogue_phase = 0;
  std::int32_t thrower_lane = 0;
  std::int32_t start_offset = 0;
  std::int32_t max_objects = 0;
  double tick_interval = 0.0;
  // object_cells[lane][row], lane 1..3, row 1..7 (index 0 unused).
  std::array<std::array<std::int32_t, 8>, 4> object_cells{};
  bool moves_enabled = false;
  bool paused = false;
  bool saved_moves_enabled = false;
  std::int32_t paused_timer = 0;
  std::int32_t miss_step = 0;
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

}  // namespace hero
