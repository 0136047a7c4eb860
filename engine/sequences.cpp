// The timed sequences around a running game (misses, chance time, the
// game-over wait) and the clock.
#include <algorithm>
#include <exception>

#include "engine/clock_animation.h"
#include "engine/engine.h"

namespace hero {

using namespace segment_tables;
using E = ElementId;

// One step of the miss sequence a timer expiry, then on to the next.
void Engine::Timer_MissTimer() {
  auto& s = state_;
  switch (s.miss_step) {
    // A dropped object: every second drop counts a full miss.
    case miss_drop_counted:
      count_the_dropped_object();
      break;
    case miss_drop_resume:
      resume_after_the_drop();
      break;
    // The rogue's blow: the hero is knocked down and always loses a full miss.
    case miss_blow_struck:
      timer(TimerId::Miss).set_interval_ms(150);
      break;
    case miss_blow_knocked_down:
      knock_the_hero_down();
      break;
    case miss_blow_rogue_back:
      let_the_rogue_stand_back();
      break;
    case miss_blow_counted:
      count_the_blow();
      break;
    case miss_blow_resume:
      resume_after_the_blow();
      break;
    case miss_game_over:
      // The step counter moves on before the high score is stored, so that a
      // store that refuses the write cannot make this step run again.
      s.miss_step += 1;
      game_over();
      return;
    default:
      break;
  }
  s.miss_step += 1;
}

void Engine::count_the_dropped_object() {
  auto& s = state_;
  if (!s.half_miss) {
    s.misses += 1;
    display_.Vid_Show_Panel_Miss(s.misses);
  }
  Snd_Play(SoundId::miss1);
  timer(TimerId::Miss).set_interval_ms(360);
}

// The third miss ends the game, one step later; true when it did.
bool Engine::third_miss_ends_the_game() {
  if (state_.misses < 3) return false;
  state_.miss_step = miss_before_game_over;
  timer(TimerId::Miss).set_interval_ms(1);
  return true;
}

// The game goes on at the speed of its score.
void Engine::resume_play() {
  Gam_Set_Difficulty();
  timer(TimerId::Game).set_enabled(true);
  timer(TimerId::Miss).set_enabled(false);
}

void Engine::resume_after_the_drop() {
  if (third_miss_ends_the_game()) return;
  // After a half miss the fallen object stays as a reminder.
  if (!state_.half_miss) display_.Vid_Show_Enemy_Dropped(0);
  resume_play();
}

void Engine::knock_the_hero_down() {
  const auto& s = state_;
  Snd_Play(SoundId::miss2);
  if (s.hero_lane >= 1 && s.hero_lane <= 3) {
    display_.set_lit(seg_hero[s.hero_lane], false);
    display_.set_lit(seg_hero_drown[s.hero_lane], true);
  }
  timer(TimerId::Miss).set_interval_ms(720);
}

void Engine::let_the_rogue_stand_back() {
  auto& s = state_;
  s.rogue_phase = rogue_idle;
  display_.Vid_Show_Rogue(s.rogue_side, rogue_pose_idle);
  timer(TimerId::Miss).set_interval_ms(330);
}

void Engine::count_the_blow() {
  auto& s = state_;
  if (s.hero_lane >= 1 && s.hero_lane <= 3) display_.set_lit(seg_hero_drown[s.hero_lane], false);
  s.misses += 1;
  display_.Vid_Show_Panel_Miss(s.misses);
  Snd_Play(SoundId::miss1);
  timer(TimerId::Miss).set_interval_ms(670);
}

void Engine::resume_after_the_blow() {
  auto& s = state_;
  if (third_miss_ends_the_game()) return;
  if (s.hero_lane >= 1 && s.hero_lane <= 3) display_.set_lit(seg_hero[s.hero_lane], true);
  s.moves_enabled = true;
  resume_play();
}

void Engine::game_over() {
  auto& s = state_;
  std::exception_ptr failure;
  auto store = [&](std::int32_t& mirror, std::optional<std::int32_t>& in_store,
                   const settings::Integer& hi_score) {
    // A second copy of the handheld may have stored a better score since
    // this one looked: the greater one is kept, and shown.
    try {
      services_.settings.refresh();
      const std::int32_t stored = stored_hi_score(hi_score);
      if (in_store && stored != *in_store) mirror = std::max(mirror, stored);
      in_store = stored;
    } catch (...) {
      failure = std::current_exception();
    }
    if (s.score <= mirror) return;
    mirror = s.score;
    in_store = s.score;
    try {
      settings::write(services_.settings, hi_score, s.score);
    } catch (...) {
      failure = std::current_exception();
    }
  };
  if (s.game_mode == mode_game_a) store(s.hi_score_a, hi_score_a_in_store_, settings::kHiScore1);
  if (s.game_mode == mode_game_b) store(s.hi_score_b, hi_score_b_in_store_, settings::kHiScore2);
  Gam_Stop_All_Timers();
  timer(TimerId::Game_Over).set_interval_ms(30000);
  timer(TimerId::Game_Over).set_enabled(true);
  enter_mode(mode_game_over);
  // The game is over either way; a store that failed is reported afterwards.
  if (failure) std::rethrow_exception(failure);
}

void Engine::Timer_Chance_TimeTimer() {
  auto& s = state_;
  EngineTimer& chance = timer(TimerId::Chance_Time);
  if (s.chance_step >= 20) {
    // Chance time is over: the misses are forgiven and the game goes on.
    s.misses = 0;
    display_.Vid_Show_Panel_Miss(0);
    s.half_miss = false;
    display_.Vid_Show_Enemy_Dropped(0);
    timer(TimerId::Game).set_enabled(true);
    chance.set_enabled(false);
  } else if (s.chance_step % 2 != 0) {
    Snd_Play(SoundId::chance);
    display_.Vid_Show_Panel_Miss(s.misses);
    chance.set_interval_ms(225);
  } else {
    display_.Vid_Show_Panel_Miss(0);
    chance.set_interval_ms(275);
  }
  s.chance_step += 1;
}

void Engine::Timer_Game_OverTimer() {
  enter_mode(mode_clock);
  timer(TimerId::Game_Over).set_enabled(false);
}

void Engine::Timer_ClockTimer() {
  auto& s = state_;
  const TimeOfDay now = services_.clock.now();
  int h = now.hours;
  int m = now.minutes;
  // A clock that reports nonsense must not make the panel read a wrong glyph.
  if (h < 0 || h > 23) h = 0;
  if (m < 0 || m > 59) m = 0;
  if (h >= 12) {
    h -= 12;
    hide(E::im_panel_time_am);
    show(E::im_panel_time_pm);
  } else {
    show(E::im_panel_time_am);
    hide(E::im_panel_time_pm);
  }
  if (h == 0) h = 12;
  if (h >= 10) display_.show_digit(1, h / 10);
  else display_.blank_digit(1);
  display_.show_digit(2, h % 10);
  display_.show_digit(3, m / 10);
  display_.show_digit(4, m % 10);
  s.clock_frame += 1;
  if (s.clock_frame > kClockFrameCount || s.clock_frame < 1) s.clock_frame = 1;
  display_.show_clock_animation_frame(clock_animation[s.clock_frame - 1]);
  timer(TimerId::Clock).set_interval_ms(1000);
}

}  // namespace hero
