// The six display operations: they only map what the engine decided onto lit
// and dark segments; none of them keeps state of its own.
#include "display/lcd/segment_display.h"

namespace hero {

using namespace segment_tables;

void SegmentDisplay::set_lit(SegmentSlot slot, bool lit) {
  if (slot) surface_.set_visible(*slot, lit);
}

void SegmentDisplay::show_digit(int position, int digit) {
  if (position < 1 || position > 4) return;
  digit %= 10;
  if (digit < 0) digit += 10;
  surface_.copy_picture(*seg_digit[position], *seg_glyph[digit]);
}

void SegmentDisplay::blank_digit(int position) {
  if (position < 1 || position > 4) return;
  surface_.clear_picture(*seg_digit[position]);
}

void SegmentDisplay::Vid_Show_All(bool on) {
  // The digit positions always stay visible; blanking them clears their picture.
  for (int p = 1; p <= 4; ++p) set_lit(seg_digit[p], true);
  if (on) {
    show_digit(1, 1);
    show_digit(2, 2);
    show_digit(3, 0);
    show_digit(4, 0);
  } else {
    for (int p = 1; p <= 4; ++p) blank_digit(p);
  }
  surface_.set_visible(ElementId::im_panel_time_am, on);
  surface_.set_visible(ElementId::im_panel_time_pm, false);
  surface_.set_visible(ElementId::im_panel_time_colon, on);
  surface_.set_visible(ElementId::im_panel_game_a, on);
  surface_.set_visible(ElementId::im_panel_game_b, on);
  Vid_Show_Panel_Miss(on ? 3 : 0);
  for (const auto& slot : seg_lady) set_lit(slot, on);
  for (const auto& lane : seg_enemy)
    for (const auto& slot : lane) set_lit(slot, on);
  for (const auto& slot : seg_dropped) set_lit(slot, on);
  for (const auto& slot : seg_hero) set_lit(slot, on);
  for (const auto& slot : seg_hero_drown) set_lit(slot, on);
  for (const auto& side : seg_rogue)
    for (const auto& slot : side) set_lit(slot, on);
}

void SegmentDisplay::Vid_Show_Panel_Miss(int count) {
  set_lit(seg_miss[0], count > 0);
  for (int i = 1; i <= 3; ++i) set_lit(seg_miss[i], count >= i);
}

void SegmentDisplay::Vid_Show_Panel_Score(int value, bool on) {
  // The panel has three places for a score; a negative value (never passed by
  // the game) shows as 0 rather than reaching outside the ten glyphs.
  const int n = value < 0 ? 0 : value % 1000;
  blank_digit(1);
  if (!on) {
    for (int p = 2; p <= 4; ++p) blank_digit(p);
    return;
  }
  if (n >= 100) show_digit(2, (n / 100) % 10);
  else blank_digit(2);
  if (n >= 10) show_digit(3, (n / 10) % 10);
  else blank_digit(3);
  show_digit(4, n % 10);
}

void SegmentDisplay::Vid_Show_Rogue(int side, int pose) {
  if (side == 0) {
    for (int s : {1, 3})
      for (int p = 1; p <= 4; ++p) set_lit(seg_rogue[s][p], false);
    return;
  }
  if (side != 1 && side != 3) return;
  for (int s : {1, 3}) {
    set_lit(seg_rogue[s][1], s == side);
    for (int p = 2; p <= 4; ++p) set_lit(seg_rogue[s][p], s == side && p == pose);
  }
}

void SegmentDisplay::Vid_Show_Enemy_Dropped(int lane) {
  if (lane <= 0) {
    for (int l = 1; l <= 3; ++l) set_lit(seg_dropped[l], false);
    return;
  }
  if (lane <= 3) set_lit(seg_dropped[lane], true);
}

void SegmentDisplay::Vid_Show_Lady_Hand(int lane) {
  for (int i = 1; i <= 3; ++i) set_lit(seg_lady[i], i == lane);
}

void SegmentDisplay::show_clock_animation_frame(const ClockAnimationFrame& flags) {
  for (int n = 1; n <= kClockAnimationSegmentCount; ++n)
    set_lit(clock_animation_segments[n], flags[n - 1] != 0);
}

}  // namespace hero
