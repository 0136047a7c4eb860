// Names and skin section numbers of the main window's picture elements.
#include "display/lcd/element_ids.h"

#include <stdexcept>

namespace hero {
namespace {

// clang-format off
constexpr std::array<std::string_view, kElementCount> kNames = {
    "im_backdrop",
    "im_backdrop_logo",
    "im_background",
    "im_panel_time_am",
    "im_panel_time_pm",
    "im_panel_digit_1",
    "im_panel_digit_2",
    "im_panel_time_colon",
    "im_panel_digit_3",
    "im_panel_digit_4",
    "im_panel_game_a",
    "im_panel_game_b",
    "im_panel_miss_0",
    "im_panel_miss_1",
    "im_panel_miss_2",
    "im_panel_miss_3",
    "im_panel_number_0",
    "im_panel_number_1",
    "im_panel_number_2",
    "im_panel_number_3",
    "im_panel_number_4",
    "im_panel_number_5",
    "im_panel_number_6",
    "im_panel_number_7",
    "im_panel_number_8",
    "im_panel_number_9",
    "im_lady_0",
    "im_lady_1",
    "im_lady_2",
    "im_lady_3",
    "im_lady_4",
    "im_lady_5",
    "im_lady_6",
    "im_lady_7",
    "im_lady_8",
    "im_enemy_x1y1",
    "im_enemy_x1y2",
    "im_enemy_x1y3",
    "im_enemy_x1y4",
    "im_enemy_x1y5",
    "im_enemy_x1y6",
    "im_enemy_x1y7",
    "im_enemy_x2y2",
    "im_enemy_x2y3",
    "im_enemy_x2y4",
    "im_enemy_x2y5",
    "im_enemy_x2y6",
    "im_enemy_x2y7",
    "im_enemy_x3y3",
    "im_enemy_x3y4",
    "im_enemy_x3y5",
    "im_enemy_x3y6",
    "im_enemy_x3y7",
    "im_hero_x1",
    "im_hero_x2",
    "im_hero_x3",
    "im_enemy_drop_x1",
    "im_enemy_drop_x2",
    "im_enemy_drop_x3",
    "im_hero_drown_x1",
    "im_hero_drown_x3",
    "im_rogue_x1y1",
    "im_rogue_x1y2",
    "im_rogue_x1y3",
    "im_rogue_x1y4",
    "im_rogue_x3y1",
    "im_rogue_x3y2",
    "im_rogue_x3y3",
    "im_rogue_x3y4",
    "im_background_screen_top",
    "btn_left_down",
    "btn_left_top",
    "btn_right_down",
    "btn_right_top",
    "btn_alarm_top",
    "btn_game_a_down",
    "btn_game_a_top",
    "btn_game_b_down",
    "btn_game_b_top",
    "btn_time_down",
    "btn_time_top",
    "btn_acl_down",
    "btn_acl_top",
    "btn_game_menu_background",
    "btn_game_menu_top",
    "la_pause",
};

// "Image" + n of a skin, n = 1..81, in the order skin files use.
constexpr std::array<ElementId, kSkinImageCount> kSkinImages = {
    ElementId::im_background,  // 1
    ElementId::im_background_screen_top,  // 2
    ElementId::btn_game_a_down,  // 3
    ElementId::btn_game_a_top,  // 4
    ElementId::btn_game_b_down,  // 5
    ElementId::btn_game_b_top,  // 6
    ElementId::btn_time_down,  // 7
    ElementId::btn_time_top,  // 8
    ElementId::btn_acl_down,  // 9
    ElementId::btn_acl_top,  // 10
    ElementId::btn_alarm_top,  // 11
    ElementId::btn_left_down,  // 12
    ElementId::btn_left_top,  // 13
    ElementId::btn_right_down,  // 14
    ElementId::btn_right_top,  // 15
    ElementId::im_panel_time_am,  // 16
    ElementId::im_panel_time_pm,  // 17
    ElementId::im_panel_time_colon,  // 18
    ElementId::im_panel_digit_1,  // 19
    ElementId::im_panel_digit_2,  // 20
    ElementId::im_panel_digit_3,  // 21
    ElementId::im_panel_digit_4,  // 22
    ElementId::im_panel_miss_0,  // 23
    ElementId::im_panel_miss_1,  // 24
    ElementId::im_panel_miss_2,  // 25
    ElementId::im_panel_miss_3,  // 26
    ElementId::im_panel_game_a,  // 27
    ElementId::im_panel_game_b,  // 28
    ElementId::im_panel_number_0,  // 29
    ElementId::im_panel_number_1,  // 30
    ElementId::im_panel_number_2,  // 31
    ElementId::im_panel_number_3,  // 32
    ElementId::im_panel_number_4,  // 33
    ElementId::im_panel_number_5,  // 34
    ElementId::im_panel_number_6,  // 35
    ElementId::im_panel_number_7,  // 36
    ElementId::im_panel_number_8,  // 37
    ElementId::im_panel_number_9,  // 38
    ElementId::im_lady_0,  // 39
    ElementId::im_lady_1,  // 40
    ElementId::im_lady_2,  // 41
    ElementId::im_lady_3,  // 42
    ElementId::im_lady_4,  // 43
    ElementId::im_lady_5,  // 44
    ElementId::im_lady_6,  // 45
    ElementId::im_lady_7,  // 46
    ElementId::im_lady_8,  // 47
    ElementId::im_enemy_x1y1,  // 48
    ElementId::im_enemy_x1y2,  // 49
    ElementId::im_enemy_x2y2,  // 50
    ElementId::im_enemy_x1y3,  // 51
    ElementId::im_enemy_x2y3,  // 52
    ElementId::im_enemy_x3y3,  // 53
    ElementId::im_enemy_x1y4,  // 54
    ElementId::im_enemy_x2y4,  // 55
    ElementId::im_enemy_x3y4,  // 56
    ElementId::im_enemy_x1y5,  // 57
    ElementId::im_enemy_x2y5,  // 58
    ElementId::im_enemy_x3y5,  // 59
    ElementId::im_enemy_x1y6,  // 60
    ElementId::im_enemy_x2y6,  // 61
    ElementId::im_enemy_x3y6,  // 62
    ElementId::im_enemy_x1y7,  // 63
    ElementId::im_enemy_x2y7,  // 64
    ElementId::im_enemy_x3y7,  // 65
    ElementId::im_hero_x1,  // 66
    ElementId::im_hero_x2,  // 67
    ElementId::im_hero_x3,  // 68
    ElementId::im_enemy_drop_x3,  // 69
    ElementId::im_enemy_drop_x2,  // 70
    ElementId::im_enemy_drop_x1,  // 71
    ElementId::im_hero_drown_x1,  // 72
    ElementId::im_hero_drown_x3,  // 73
    ElementId::im_rogue_x3y1,  // 74
    ElementId::im_rogue_x3y2,  // 75
    ElementId::im_rogue_x3y3,  // 76
    ElementId::im_rogue_x3y4,  // 77
    ElementId::im_rogue_x1y1,  // 78
    ElementId::im_rogue_x1y2,  // 79
    ElementId::im_rogue_x1y3,  // 80
    ElementId::im_rogue_x1y4,  // 81
};
// clang-format on

}  // namespace

std::string_view element_name(ElementId id) {
  const int i = index_of(id);
  if (i < 0 || i >= kElementCount) return {};
  return kNames[static_cast<std::size_t>(i)];
}

std::optional<ElementId> element_by_name(std::string_view name) {
  for (int i = 0; i < kElementCount; ++i)
    if (kNames[static_cast<std::size_t>(i)] == name) return static_cast<ElementId>(i);
  return std::nullopt;
}

ElementId skin_image(int n) {
  if (n < 1 || n > kSkinImageCount) throw std::out_of_range("skin image number out of range");
  return kSkinImages[static_cast<std::size_t>(n - 1)];
}

int skin_image_number(ElementId id) {
  for (int n = 1; n <= kSkinImageCount; ++n)
    if (kSkinImages[static_cast<std::size_t>(n - 1)] == id) return n;
  return 0;
}

}  // namespace hero
