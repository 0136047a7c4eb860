// Modes, start-up, high scores, sound requests and the thirteen controls.
#include "engine/engine.h"

#include <array>
#include <exception>
#include <stdexcept>

namespace hero {

using namespace segment_tables;
using E = ElementId;

// A stored high score the handheld could never have reached (a damaged or
// hand-edited store) reads as no high score at all.
std::int32_t Engine::stored_hi_score(const settings::Integer& hi_score) const {
  return settings::read(services_.settings, hi_score);
}

Engine::Engine(EngineServices services) : services_(services), display_(services.surface) {
  for (EngineTimer* t : services_.timers)
    if (t == nullptr) throw std::invalid_argument("The engine needs all five timers.");
}

void Engine::start() {
  load_high_scores();
  state_.paused = false;
  hide(E::la_pause);
  enter_mode(mode_all_lit);
}

void Engine::load_high_scores() {
  state_.hi_score_a = stored_hi_score(settings::kHiScore1);
  state_.hi_score_b = stored_hi_score(settings::kHiScore2);
  hi_score_a_in_store_ = state_.hi_score_a;
  hi_score_b_in_store_ = state_.hi_score_b;
}

void Engine::reset_hi_scores() {
  std::exception_ptr failure;
  state_.hi_score_a = 0;
  hi_score_a_in_store_ = 0;
  try {
    settings::write(services_.settings, settings::kHiScore1, 0);
  } catch (...) {
    failure = std::current_exception();
  }
  state_.hi_score_b = 0;
  hi_score_b_in_store_ = 0;
  try {
    settings::write(services_.settings, settings::kHiScore2, 0);
  } catch (...) {
    if (!failure) failure = std::current_exception();
  }
  if (failure) std::rethrow_exception(failure);
}

void Engine::Gam_Stop_All_Timers() {
  for (TimerId id : {TimerId::Chance_Time, TimerId::Clock, TimerId::Game, TimerId::Game_Over, TimerId::Miss})
    timer(id).set_enabled(false);
}

void Engine::enter_mode(std::int32_t mode) {
  state_.game_mode = mode;
  Gam_Set_Mode();
}

void Engine::Gam_Set_Mode() {
  auto& s = state_;
  switch (s.game_mode) {
    case mode_acl_held:
      Gam_Stop_All_Timers();
      Snd_Silence();
      display_.Vid_Show_All(false);
      s.moves_enabled = false;
      s.paused = false;
      hide(E::la_pause);
      break;
    case mode_all_lit:
      display_.Vid_Show_All(true);
      break;
    case mode_alarm_view:
      // The alarm is fixed at 12:00 PM.
      Gam_Stop_All_Timers();
      display_.Vid_Show_All(false);
      show(E::im_lady_0);
      show(E::im_lady_5);
      show(E::im_lady_2);
      show(E::im_panel_time_pm);
      show(E::im_panel_time_colon);
      display_.show_digit(1, 1);
      display_.show_digit(2, 2);
      display_.show_digit(3, 0);
      display_.show_digit(4, 0);
      s.moves_enabled = false;
      break;
    case mode_clock:
      display_.Vid_Show_All(false);
      show(E::im_lady_0);
      show(E::im_lady_4);
      show(E::im_lady_2);
      show(E::im_panel_time_colon);
      s.moves_enabled = false;
      // The first clock tick comes at once and draws the time.
      timer(TimerId::Clock).set_interval_ms(1);
      s.clock_frame = 0;
      timer(TimerId::Clock).set_enabled(true);
      break;
    case mode_game_a_held:
    case mode_game_b_held: {
      const bool game_a = s.game_mode == mode_game_a_held;
      Gam_Stop_All_Timers();
      display_.Vid_Show_All(false);
      s.hero_lane = 2;
      show(E::im_hero_x2);
      s.moves_enabled = true;
      show(game_a ? E::im_panel_game_a : E::im_panel_game_b);
      display_.Vid_Show_Panel_Score(game_a ? s.hi_score_a : s.hi_score_b, true);
      break;
    }
    case mode_game_a:
    case mode_game_b:
      start_game();
      break;
    default:
      // Game over: the caller has started the 30-second wait and the last
      // picture of the game stays as it is.
      break;
  }
}

void Engine::start_game() {
  auto& s = state_;
  s.score = 0;
  display_.Vid_Show_Panel_Score(s.score, true);
  s.misses = 0;
  s.half_miss = false;
  for (auto& lane : s.object_cells) lane.fill(cell_empty);
  show(E::im_lady_0);
  show(E::im_lady_2);
  show(E::im_lady_4);
  s.rogue_side = rogue_left;
  display_.Vid_Show_Rogue(rogue_left, rogue_pose_idle);
  s.rogue_phase = rogue_idle;
  s.thrower_lane = 1;
  s.start_offset = services_.random.draw(0, 2);
  s.tick_interval = 197.0;
  Gam_Set_Difficulty();
  timer(TimerId::Game).set_enabled(true);
}

void Engine::on_timer(TimerId id) {
  switch (id) {
    case TimerId::Chance_Time:
      Timer_Chance_TimeTimer();
      break;
    case TimerId::Clock:
      Timer_ClockTimer();
      break;
    case TimerId::Game:
      Timer_GameTimer();
      break;
    case TimerId::Game_Over:
      Timer_Game_OverTimer();
      break;
    case TimerId::Miss:
      Timer_MissTimer();
      break;
  }
}

void Engine::Snd_Play(SoundId id) {
  if (snd_enabled_) services_.sound.play(id);
}

void Engine::Snd_Silence() {
  if (snd_enabled_) services_.sound.stop_all();
}

// --- Controls -------------------------------------------------------------

namespace {
bool is_idle_mode(std::int32_t mode) {
  // The game buttons and TIME act from the all-lit display, the clock and
  // the game-over picture only.
  return mode == mode_all_lit || mode == mode_clock || mode == mode_game_over;
}
}  // namespace

void Engine::Inp_game_a_down() {
  show(E::btn_game_a_down);
  if (is_idle_mode(state_.game_mode)) {
    enter_mode(mode_game_a_held);
  }
}

void Engine::Inp_game_a_up() {
  hide(E::btn_game_a_down);
  if (state_.game_mode == mode_game_a_held) {
    enter_mode(mode_game_a);
  }
}

void Engine::Inp_game_b_down() {
  show(E::btn_game_b_down);
  if (is_idle_mode(state_.game_mode)) {
    enter_mode(mode_game_b_held);
  }
}

void Engine::Inp_game_b_up() {
  hide(E::btn_game_b_down);
  if (state_.game_mode == mode_game_b_held) {
    enter_mode(mode_game_b);
  }
}

void Engine::Inp_time_down() {
  show(E::btn_time_down);
  if (is_idle_mode(state_.game_mode)) {
    enter_mode(mode_alarm_view);
  }
}

void Engine::Inp_time_up() {
  hide(E::btn_time_down);
  if (state_.game_mode == mode_alarm_view) {
    enter_mode(mode_clock);
  }
}

void Engine::Inp_acl_down() {
  show(E::btn_acl_down);
  enter_mode(mode_acl_held);
}

void Engine::Inp_acl_up() {
  // A release whose press never reached us (the key went down while another
  // window had the focus) still resets the handheld: without this a running
  // game would keep ticking behind the all-lit picture.
  if (!services_.surface.is_visible(E::btn_acl_down)) {
    enter_mode(mode_acl_held);
  }
  hide(E::btn_acl_down);
  enter_mode(mode_all_lit);
}

void Engine::Inp_left_down() { move_hero(+1, E::btn_left_down); }
void Engine::Inp_right_down() { move_hero(-1, E::btn_right_down); }
void Engine::Inp_left_up() { hide(E::btn_left_down); }
void Engine::Inp_right_up() { hide(E::btn_right_down); }

void Engine::move_hero(int step, ElementId button) {
  auto& s = state_;
  // The pressed picture doubles as the record that the button is held, so
  // keyboard auto-repeat moves the hero only once.
  if (services_.surface.is_visible(button)) return;
  show(button);
  if (s.game_mode <= mode_clock || !s.moves_enabled) return;
  const int lane = s.hero_lane + step;
  if (lane >= 1 && lane <= 3) {
    display_.set_lit(seg_hero[s.hero_lane], false);
    s.hero_lane = lane;
    display_.set_lit(seg_hero[s.hero_lane], true);
  }
  // Walking into (or standing in) the rogue's blow knocks the hero down at
  // once. Only in a running game: a blow pose left over from a game that ACL
  // or the third miss stopped must not start a miss sequence in the held or
  // game-over picture (a fourth miss, or a game running behind mode 4 or 6).
  const bool running = s.game_mode == mode_game_a || s.game_mode == mode_game_b;
  if (running && s.rogue_phase == rogue_blow && s.rogue_side == s.hero_lane) {
    Gam_Stop_All_Timers();
    s.moves_enabled = false;
    s.miss_step = miss_blow_struck;
    timer(TimerId::Miss).set_interval_ms(1);
    timer(TimerId::Miss).set_enabled(true);
  }
  if (s.moves_enabled && s.hero_lane >= 1 && s.hero_lane <= 3 &&
      s.object_cells[s.hero_lane][7] == cell_object)
    s.object_cells[s.hero_lane][7] = cell_arrived;
}

namespace {

struct ControlRoute {
  void (Engine::*down)();
  void (Engine::*up)();  // none for PAUSE
};

// clang-format off
constexpr std::array<ControlRoute, kControlCount> kControlRoutes{{
    {&Engine::Inp_game_a_down, &Engine::Inp_game_a_up},
    {&Engine::Inp_game_b_down, &Engine::Inp_game_b_up},
    {&Engine::Inp_time_down,   &Engine::Inp_time_up},
    {&Engine::Inp_acl_down,    &Engine::Inp_acl_up},
    {&Engine::Inp_left_down,   &Engine::Inp_left_up},
    {&Engine::Inp_right_down,  &Engine::Inp_right_up},
    {&Engine::Inp_pause_down,  nullptr},
}};
// clang-format on

}  // namespace

void Engine::press(Control control) { (this->*kControlRoutes[static_cast<std::size_t>(control)].down)(); }

void Engine::release(Control control) {
  if (const auto up = kControlRoutes[static_cast<std::size_t>(control)].up) (this->*up)();
}

void Engine::Inp_pause_down() {
  auto& s = state_;
  if (s.game_mode == mode_game_a || s.game_mode == mode_game_b) {
    // By PausedTimer slot, from paused_chance_time.
    static constexpr std::array<TimerId, 4> kPausable = {TimerId::Chance_Time, TimerId::Game,
                                                         TimerId::Game_Over, TimerId::Miss};
    if (!s.paused) {
      s.paused = true;
      s.saved_moves_enabled = s.moves_enabled;
      s.moves_enabled = false;
      for (int i = 0; i < 4; ++i) {
        if (timer(kPausable[i]).enabled()) {
          timer(kPausable[i]).set_enabled(false);
          s.paused_timer = paused_chance_time + i;
          break;
        }
      }
    } else {
      s.paused = false;
      s.moves_enabled = s.saved_moves_enabled;
      // Only a timer that this game's pause actually stopped is resumed.
      if (s.paused_timer >= paused_chance_time && s.paused_timer <= paused_miss)
        timer(kPausable[s.paused_timer - paused_chance_time]).set_enabled(true);
    }
  }
  services_.surface.set_visible(E::la_pause, s.paused);
}

}  // namespace hero
