// The LCD segment tables and the six display operations the handheld's logic
// calls. Plain C++ over a SegmentSurface: the window lights real pictures,
// tests and hero-trace light virtual ones.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "display/lcd/element_ids.h"
#include "display/lcd/segment_surface.h"

namespace hero {

// One slot of a segment table; an empty slot holds no element and is never
// touched (lane 2 has no knocked-down hero, the rogue has no middle side).
using SegmentSlot = std::optional<ElementId>;

namespace segment_tables {
using E = ElementId;
inline constexpr SegmentSlot none = std::nullopt;

// Miss label (0) and the three miss marks.
// clang-format off
inline constexpr std::array<SegmentSlot, 4> seg_miss = {E::im_panel_miss_0, E::im_panel_miss_1,
                                                        E::im_panel_miss_2, E::im_panel_miss_3};
// Digit positions 1..4 from left to right (1 and 2 before the colon).
inline constexpr std::array<SegmentSlot, 5> seg_digit = {none, E::im_panel_digit_1, E::im_panel_digit_2,
                                                         E::im_panel_digit_3, E::im_panel_digit_4};
// Glyph sources 0..9: never shown, only copied into digit positions.
inline constexpr std::array<SegmentSlot, 10> seg_glyph = {
    E::im_panel_number_0, E::im_panel_number_1, E::im_panel_number_2, E::im_panel_number_3,
    E::im_panel_number_4, E::im_panel_number_5, E::im_panel_number_6, E::im_panel_number_7,
    E::im_panel_number_8, E::im_panel_number_9};
// The thrower; 1..3 are her hand over the three lanes.
inline constexpr std::array<SegmentSlot, 9> seg_lady = {E::im_lady_0, E::im_lady_1, E::im_lady_2,
                                                        E::im_lady_3, E::im_lady_4, E::im_lady_5,
                                                        E::im_lady_6, E::im_lady_7, E::im_lady_8};
// Falling objects by [lane 1..3][row 1..7]; lane L begins at row L.
inline constexpr std::array<std::array<SegmentSlot, 8>, 4> seg_enemy = {{
    {none, none, none, none, none, none, none, none},
    {none, E::im_enemy_x1y1, E::im_enemy_x1y2, E::im_enemy_x1y3, E::im_enemy_x1y4, E::im_enemy_x1y5,
     E::im_enemy_x1y6, E::im_enemy_x1y7},
    {none, none, E::im_enemy_x2y2, E::im_enemy_x2y3, E::im_enemy_x2y4, E::im_enemy_x2y5, E::im_enemy_x2y6,
     E::im_enemy_x2y7},
    {none, none, none, E::im_enemy_x3y3, E::im_enemy_x3y4, E::im_enemy_x3y5, E::im_enemy_x3y6,
     E::im_enemy_x3y7},
}};
// A dropped object lying at the foot of lane 1..3.
inline constexpr std::array<SegmentSlot, 4> seg_dropped = {none, E::im_enemy_drop_x1, E::im_enemy_drop_x2,
                                                           E::im_enemy_drop_x3};
// clang-format on
inline constexpr std::array<SegmentSlot, 4> seg_hero = {none, E::im_hero_x1, E::im_hero_x2, E::im_hero_x3};
// The knocked-down hero exists only under the rogue's two sides.
// clang-format off
inline constexpr std::array<SegmentSlot, 4> seg_hero_drown = {none, E::im_hero_drown_x1, none,
                                                              E::im_hero_drown_x3};
// The rogue by [side 1..3][pose 1..4]; pose 1 is the figure itself.
inline constexpr std::array<std::array<SegmentSlot, 5>, 4> seg_rogue = {{
    {none, none, none, none, none},
    {none, E::im_rogue_x1y1, E::im_rogue_x1y2, E::im_rogue_x1y3, E::im_rogue_x1y4},
    {none, none, none, none, none},
    {none, E::im_rogue_x3y1, E::im_rogue_x3y2, E::im_rogue_x3y3, E::im_rogue_x3y4},
}};
// clang-format on

inline constexpr int kClockAnimationSegmentCount = 37;
// Positions 1..37 driven by the clock animation (index 0 unused).
// clang-format off
inline constexpr std::array<SegmentSlot, kClockAnimationSegmentCount + 1> clock_animation_segments = {
    none,
    // 1..5: lane 3 objects
    E::im_enemy_x3y3, E::im_enemy_x3y4, E::im_enemy_x3y5, E::im_enemy_x3y6, E::im_enemy_x3y7,
    // 6..11: lane 2 objects
    E::im_enemy_x2y2, E::im_enemy_x2y3, E::im_enemy_x2y4, E::im_enemy_x2y5, E::im_enemy_x2y6, E::im_enemy_x2y7,
    // 12..18: lane 1 objects
    E::im_enemy_x1y1, E::im_enemy_x1y2, E::im_enemy_x1y3, E::im_enemy_x1y4, E::im_enemy_x1y5, E::im_enemy_x1y6,
    E::im_enemy_x1y7,
    // 19..23: dropped objects and the knocked-down hero
    E::im_hero_drown_x3, E::im_enemy_drop_x3, E::im_enemy_drop_x2, E::im_enemy_drop_x1, E::im_hero_drown_x1,
    // 24..29: the rogue's poses 2 to 4 on both sides
    E::im_rogue_x3y2, E::im_rogue_x3y3, E::im_rogue_x3y4, E::im_rogue_x1y2, E::im_rogue_x1y3, E::im_rogue_x1y4,
    // 30..32: the hero
    E::im_hero_x3, E::im_hero_x2, E::im_hero_x1,
    // 33..34: the rogue's figures
    E::im_rogue_x3y1, E::im_rogue_x1y1,
    // 35..37: the lady's hand
    E::im_lady_1, E::im_lady_2, E::im_lady_3};
// clang-format on
}  // namespace segment_tables

// One frame of the clock animation: flag n-1 drives position n.
using ClockAnimationFrame = std::array<std::uint8_t, segment_tables::kClockAnimationSegmentCount>;

class SegmentDisplay {
 public:
  explicit SegmentDisplay(SegmentSurface& surface) : surface_(surface) {}

  // The all-segments picture (12:00 AM, every figure) or the all-dark one.
  void Vid_Show_All(bool on);
  // Miss label lit when count > 0, then one mark per miss.
  void Vid_Show_Panel_Miss(int count);
  // The value modulo 1000 in positions 2..4, no leading zeros; position 1 blank.
  void Vid_Show_Panel_Score(int value, bool on);
  // side 0 hides the rogue; side 1 or 3 shows the figure with at most one of
  // poses 2..4; any other side changes nothing.
  void Vid_Show_Rogue(int side, int pose);
  // lane <= 0 clears every dropped object; 1..3 adds one, leaving the others.
  void Vid_Show_Enemy_Dropped(int lane);
  // The hand over lane 1..3; anything else lowers all three.
  void Vid_Show_Lady_Hand(int lane);
  // One clock-mode animation frame over the 37 animated segments.
  void show_clock_animation_frame(const ClockAnimationFrame& flags);

  // Light or darken one table slot; empty slots are left alone.
  void set_lit(SegmentSlot slot, bool lit);
  // Digit position 1..4 shows the glyph of digit 0..9; out-of-range
  // positions are ignored and digits are taken modulo 10.
  void show_digit(int position, int digit);
  void blank_digit(int position);

  SegmentSurface& surface() { return surface_; }

 private:
  SegmentSurface& surface_;
};

}  // namespace hero
