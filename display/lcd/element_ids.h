// Every picture element of the main window, in stacking order from bottom to
// top, and the skin's "Image" section numbers that describe 81 of them.
// Plain C++: the engine addresses segments by these ids without knowing Qt.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace hero {

enum class ElementId : int {
  // Full-screen surroundings and the handheld picture.
  im_backdrop,
  im_backdrop_logo,
  im_background,
  // LCD segments, in their own stacking order: AM, PM, digits 1 and 2, colon,
  // digits 3 and 4, Game A, Game B, miss marks, glyph sources, thrower,
  // falling objects, hero, dropped objects, hero's miss pictures, attacker.
  im_panel_time_am,
  im_panel_time_pm,
  im_panel_digit_1,
  im_panel_digit_2,
  im_panel_time_colon,
  im_panel_digit_3,
  im_panel_digit_4,
  im_panel_game_a,
  im_panel_game_b,
  im_panel_miss_0,
  im_panel_miss_1,
  im_panel_miss_2,
  im_panel_miss_3,
  im_panel_number_0,
  im_panel_number_1,
  im_panel_number_2,
  im_panel_number_3,
  im_panel_number_4,
  im_panel_number_5,
  im_panel_number_6,
  im_panel_number_7,
  im_panel_number_8,
  im_panel_number_9,
  im_lady_0,
  im_lady_1,
  im_lady_2,
  im_lady_3,
  im_lady_4,
  im_lady_5,
  im_lady_6,
  im_lady_7,
  im_lady_8,
  im_enemy_x1y1,
  im_enemy_x1y2,
  im_enemy_x1y3,
  im_enemy_x1y4,
  im_enemy_x1y5,
  im_enemy_x1y6,
  im_enemy_x1y7,
  im_enemy_x2y2,
  im_enemy_x2y3,
  im_enemy_x2y4,
  im_enemy_x2y5,
  im_enemy_x2y6,
  im_enemy_x2y7,
  im_enemy_x3y3,
  im_enemy_x3y4,
  im_enemy_x3y5,
  im_enemy_x3y6,
  im_enemy_x3y7,
  im_hero_x1,
  im_hero_x2,
  im_hero_x3,
  im_enemy_drop_x1,
  im_enemy_drop_x2,
  im_enemy_drop_x3,
  im_hero_drown_x1,
  im_hero_drown_x3,
  im_rogue_x1y1,
  im_rogue_x1y2,
  im_rogue_x1y3,
  im_rogue_x1y4,
  im_rogue_x3y1,
  im_rogue_x3y2,
  im_rogue_x3y3,
  im_rogue_x3y4,
  // Drawn over the segments.
  im_background_screen_top,
  // Pictured buttons: pressed picture, then its hot area right above it.
  btn_left_down,
  btn_left_top,
  btn_right_down,
  btn_right_top,
  btn_alarm_top,
  btn_game_a_down,
  btn_game_a_top,
  btn_game_b_down,
  btn_game_b_top,
  btn_time_down,
  btn_time_top,
  btn_acl_down,
  btn_acl_top,
  btn_game_menu_background,
  btn_game_menu_top,
  la_pause,
};

inline constexpr int kElementCount = static_cast<int>(ElementId::la_pause) + 1;
inline constexpr int kSkinImageCount = 81;

constexpr int index_of(ElementId id) { return static_cast<int>(id); }

// The element's own name, as skins and traces spell it ("im_enemy_x2y5").
std::string_view element_name(ElementId id);
std::optional<ElementId> element_by_name(std::string_view name);

// The element that section "Image" + n of a skin describes, n = 1..81.
// Note the skin order differs from the stacking order (dropped objects run
// from lane 3 to lane 1, the rogue's side 3 comes before side 1).
ElementId skin_image(int n);

// The "Image" section number of an element, or 0 for the five elements that
// are not skin images (backdrop, logo, in-game menu button pair, pause label).
int skin_image_number(ElementId id);

// True for the LCD segments (im_panel_time_am .. im_rogue_x3y4), glyph
// sources and digit positions included.
constexpr bool is_segment(ElementId id) {
  return index_of(id) >= index_of(ElementId::im_panel_time_am) &&
         index_of(id) <= index_of(ElementId::im_rogue_x3y4);
}

}  // namespace hero
