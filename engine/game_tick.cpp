// The falling-object tick and the speed rule of a running game.
#include <cmath>

#include "engine/difficulty_tables.h"
#include "engine/engine.h"

namespace hero {

using namespace segment_tables;

namespace {

constexpr int kBottomRow = 7;
constexpr int kMinTickMs = 100;

// Nearest integer, an exact half going to the even neighbour, whatever the
// floating-point rounding mode happens to be.
int round_half_even(double x) {
  const double lower = std::floor(x);
  const double fraction = x - lower;
  double r = lower;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(lower, 2.0) != 0.0)) r = lower + 1.0;
  return static_cast<int>(r);
}

int next_lane_down(int lane) { return lane - 1 < 1 ? 3 : lane - 1; }

}  // namespace

void Engine::Gam_Set_Difficulty() {
  auto& s = state_;
  // Scores stay within 0..998; anything else keeps the last limit and uses
  // the nearest speed row.
  if (s.score >= 0 && s.score < static_cast<int>(object_limit_table.size()))
    s.max_objects = static_cast<std::int32_t>(object_limit_table[s.score]);
  int h = s.score / 100;
  if (h < 0) h = 0;
  if (h > 9) h = 9;
  const SpeedRow& row = speed_table[h];
  const double into = static_cast<double>(s.score) - 100.0 * h;
  double v;
  if (into <= row.knee_at) v = row.slow + (row.knee - row.slow) * into / row.knee_at;
  else v = row.knee + (row.fast - row.knee) * (into - row.knee_at) / (100.0 - row.knee_at);
  const double target = v / 3.0 - 5.0;
  // Every call moves the tick a quarter of the way towards the target.
  s.tick_interval = 0.75 * s.tick_interval + 0.25 * target;
  int interval_ms = round_half_even(s.tick_interval);
  if (interval_ms < kMinTickMs) interval_ms = kMinTickMs;
  timer(TimerId::Game).set_interval_ms(interval_ms);
}

void Engine::Gam_Check_Chance_Time() {
  auto& s = state_;
  if ((s.score == 200 || s.score == 500) && s.misses > 0) {
    Gam_Stop_All_Timers();
    s.chance_step = 1;
    timer(TimerId::Chance_Time).set_interval_ms(440);
    timer(TimerId::Chance_Time).set_enabled(true);
  }
}

void Engine::catch_object(int lane, Tick& tick) {
  auto& s = state_;
  s.object_cells[lane][kBottomRow] = cell_caught;
  s.score += 1;
  // The panel tops out at 998: the 999th point wraps to 0.
  if (s.score >= 999) s.score = 0;
  display_.Vid_Show_Panel_Score(s.score, true);
  tick.sound = TickSound::got;
  // A catch holds the game back by 100 ms until the next tick resets the speed.
  EngineTimer& game = timer(TimerId::Game);
  game.set_interval_ms(game.interval_ms() + 100);
  Gam_Check_Chance_Time();
}

void Engine::throw_object(int lane, Tick& tick) {
  state_.object_cells[lane][lane] = cell_object;
  tick.hand = lane;
}

// One tick of a running game, in the handheld's order.
void Engine::Timer_GameTimer() {
  const auto& s = state_;
  // A tick can only run in a game; a stray one elsewhere would walk on cells
  // with lanes that mean nothing yet.
  if (s.thrower_lane < 1 || s.thrower_lane > 3 || s.hero_lane < 1 || s.hero_lane > 3) return;
  clear_caught_objects();
  // Speed for this score; re-arms the next tick.
  Gam_Set_Difficulty();
  Tick tick;
  drop_missed_object(tick);
  if (tick.miss == MissKind::none) {
    catch_objects_at_the_bottom(tick);
    swing_the_rogue(tick);
  }
  // A drop or a blow freezes the lanes.
  if (tick.miss == MissKind::none) advance_a_lane_and_throw(tick);
  draw_objects();
  draw_the_rogue();
  display_.Vid_Show_Lady_Hand(tick.hand);
  if (tick.miss != MissKind::none) begin_the_miss(tick);
  // One beep at most; the blow sounds as a tick.
  if (tick.sound == TickSound::tick) Snd_Play(SoundId::tick);
  else if (tick.sound == TickSound::got) Snd_Play(SoundId::got);
}

// Last tick's catches disappear.
void Engine::clear_caught_objects() {
  auto& cells = state_.object_cells;
  for (int lane = 1; lane <= 3; ++lane)
    if (cells[lane][kBottomRow] == cell_caught) cells[lane][kBottomRow] = cell_empty;
}

// The lane advanced last tick drops its bottom object unless the hero is under it.
void Engine::drop_missed_object(Tick& tick) {
  auto& s = state_;
  auto& cells = s.object_cells;
  const int check_lane = s.thrower_lane + 1 == 4 ? 1 : s.thrower_lane + 1;
  for (int lane = 1; lane <= 3; ++lane) {
    if (cells[lane][kBottomRow] == cell_object && lane == check_lane && lane != s.hero_lane) {
      cells[lane][kBottomRow] = cell_empty;
      s.half_miss = !s.half_miss;
      display_.Vid_Show_Enemy_Dropped(lane);
      tick.miss = MissKind::dropped_object;
    }
  }
}

// What stands at the bottom under the hero, or has arrived there beside him
// as he stepped across, is caught.
void Engine::catch_objects_at_the_bottom(Tick& tick) {
  auto& s = state_;
  auto& cells = s.object_cells;
  if (cells[s.hero_lane][kBottomRow] == cell_object) catch_object(s.hero_lane, tick);
  for (int lane = 1; lane <= 3; ++lane)
    if (cells[lane][kBottomRow] == cell_arrived) catch_object(lane, tick);
}

// The rogue's swing moves on a phase; his blow knocks down a hero on his side.
void Engine::swing_the_rogue(Tick& tick) {
  auto& s = state_;
  switch (s.rogue_phase) {
    case rogue_idle:
      if (s.game_mode == mode_game_b && services_.random.draw(0, 29) == 0)
        s.rogue_side = s.rogue_side == rogue_right ? rogue_left : rogue_right;
      if (s.score > 3 && services_.random.draw(0, 13) == 0) s.rogue_phase = rogue_ready;
      break;
    case rogue_ready:
      // A swing always begins on a tick that advances lane 3.
      if (s.thrower_lane == 3) s.rogue_phase = rogue_wind_up;
      break;
    default:
      s.rogue_phase += 1;
      if (s.rogue_phase == rogue_blow && s.rogue_side == s.hero_lane) tick.miss = MissKind::rogue_blow;
      if (s.rogue_phase >= rogue_swung) s.rogue_phase = rogue_idle;
      break;
  }
}

// The thrower's lane moves down a row and the lady may throw anew.
void Engine::advance_a_lane_and_throw(Tick& tick) {
  auto& s = state_;
  auto& cells = s.object_cells;
  const int advanced = s.thrower_lane;
  for (int row = kBottomRow; row >= advanced + 1; --row) cells[advanced][row] = cells[advanced][row - 1];
  cells[advanced][advanced] = cell_empty;

  int count = 0;
  for (int lane = 1; lane <= 3; ++lane)
    for (int row = lane; row <= kBottomRow; ++row)
      if (cells[lane][row] != cell_empty) ++count;

  if (count < s.max_objects) {
    if (s.score > 3) {
      if (services_.random.draw(0, 5) <= 1) throw_object(s.thrower_lane, tick);
    } else {
      // The first throws of a game walk across the lanes from a random start.
      s.thrower_lane = ((4 - s.score + s.start_offset) % 3) + 1;
      throw_object(s.thrower_lane, tick);
    }
  }
  // The screen is never left empty.
  if (count == 0) throw_object(s.thrower_lane, tick);
  // Two objects never stand in adjacent rows of one lane: the throw is taken back.
  const int tl = s.thrower_lane;
  if (tl + 1 <= kBottomRow && cells[tl][tl + 1] != cell_empty) {
    cells[tl][tl] = cell_empty;
    tick.hand = 2;
  }
  if (cells[s.hero_lane][kBottomRow] == cell_object) catch_object(s.hero_lane, tick);
  bool lane_busy = false;
  for (int row = tl; row <= kBottomRow; ++row)
    if (cells[tl][row] != cell_empty) lane_busy = true;
  if (lane_busy && tick.sound != TickSound::got) tick.sound = TickSound::tick;
  s.thrower_lane = next_lane_down(s.thrower_lane);
}

void Engine::draw_objects() {
  const auto& cells = state_.object_cells;
  for (int lane = 1; lane <= 3; ++lane)
    for (int row = lane; row <= kBottomRow; ++row)
      display_.set_lit(seg_enemy[lane][row], cells[lane][row] != cell_empty);
}

// The rogue: idle, wind-up, blow.
void Engine::draw_the_rogue() {
  const auto& s = state_;
  const int pose = s.rogue_phase <= rogue_wind_up ? rogue_pose_idle
                   : s.rogue_phase < rogue_blow   ? rogue_pose_wind_up
                                                  : rogue_pose_blow;
  display_.Vid_Show_Rogue(s.rogue_side, pose);
}

// A drop or a blow hands over to the miss sequence.
void Engine::begin_the_miss(Tick& tick) {
  auto& s = state_;
  Gam_Stop_All_Timers();
  EngineTimer& miss = timer(TimerId::Miss);
  if (tick.miss == MissKind::dropped_object) {
    s.miss_step = miss_drop_counted;
    miss.set_interval_ms(1);
  } else {
    s.moves_enabled = false;
    s.miss_step = miss_blow_struck;
    miss.set_interval_ms(50);
    tick.sound = TickSound::tick;
  }
  miss.set_enabled(true);
}

}  // namespace hero
