// The six display operations over a recording LCD.
#include <gtest/gtest.h>

#include "display/lcd/segment_display.h"
#include "startup/session/virtual_handheld.h"

namespace hero {
namespace {

using E = ElementId;

class SegmentDisplayTest : public ::testing::Test {
 protected:
  VirtualSurface lcd;
  SegmentDisplay display{lcd};

  int lit_count() const { return static_cast<int>(lcd.lit_names().size()); }
};

TEST_F(SegmentDisplayTest, AllOffLeavesDigitsVisibleButBlankAndEverythingElseDark) {
  display.Vid_Show_All(true);
  display.Vid_Show_All(false);
  for (E d : {E::im_panel_digit_1, E::im_panel_digit_2, E::im_panel_digit_3, E::im_panel_digit_4}) {
    EXPECT_TRUE(lcd.is_visible(d));
    EXPECT_FALSE(lcd.picture_of(d).has_value());
  }
  EXPECT_EQ(lcd.panel_text(), "    ");
  EXPECT_EQ(lit_count(), 0);
}

TEST_F(SegmentDisplayTest, AllOnReadsTwelveAmWithEveryFigureButNotPm) {
  display.Vid_Show_All(true);
  EXPECT_EQ(lcd.panel_text(), "1200");
  EXPECT_TRUE(lcd.is_visible(E::im_panel_time_am));
  EXPECT_FALSE(lcd.is_visible(E::im_panel_time_pm));
  for (E e : {E::im_panel_time_colon, E::im_panel_game_a, E::im_panel_game_b, E::im_panel_miss_0,
              E::im_panel_miss_3, E::im_lady_8, E::im_enemy_x3y3, E::im_enemy_x1y1, E::im_hero_drown_x3,
              E::im_rogue_x1y4, E::im_enemy_drop_x2})
    EXPECT_TRUE(lcd.is_visible(e)) << element_name(e);
  // 9 lady + 18 objects + 3 dropped + 3 hero + 2 knocked down + 8 rogue + 4 miss + AM, colon, A, B.
  EXPECT_EQ(lit_count(), 9 + 18 + 3 + 3 + 2 + 8 + 4 + 4);
  for (int g = 0; g <= 9; ++g)
    EXPECT_FALSE(lcd.is_visible(static_cast<E>(index_of(E::im_panel_number_0) + g)));
}

TEST_F(SegmentDisplayTest, AllOnOrOffNeverTouchesButtonsOrPauseLabel) {
  lcd.set_visible(E::la_pause, true);
  lcd.set_visible(E::btn_left_down, true);
  display.Vid_Show_All(false);
  EXPECT_TRUE(lcd.is_visible(E::la_pause));
  EXPECT_TRUE(lcd.is_visible(E::btn_left_down));
}

TEST_F(SegmentDisplayTest, ScoreShowsWithoutLeadingZerosAndModuloAThousand) {
  display.Vid_Show_All(true);  // position 1 reads 1 beforehand
  struct Case {
    int value;
    const char* panel;
  };
  for (const Case c : {Case{0, "   0"}, Case{7, "   7"}, Case{45, "  45"}, Case{100, " 100"},
                       Case{1000, "   0"}, Case{1234, " 234"}, Case{998, " 998"}}) {
    display.Vid_Show_Panel_Score(c.value, true);
    EXPECT_EQ(lcd.panel_text(), c.panel) << c.value;
  }
}

TEST_F(SegmentDisplayTest, ScoreOffBlanksAllFourPositions) {
  display.Vid_Show_All(true);
  display.Vid_Show_Panel_Score(123, false);
  EXPECT_EQ(lcd.panel_text(), "    ");
}

TEST_F(SegmentDisplayTest, NegativeScoreStaysWithinTheGlyphs) {
  display.Vid_Show_All(false);
  display.Vid_Show_Panel_Score(-5, true);
  display.Vid_Show_Panel_Score(INT32_MIN, true);
  EXPECT_EQ(lcd.panel_text(), "   0");
}

TEST_F(SegmentDisplayTest, MissCountLightsLabelAndOneMarkPerMiss) {
  const bool expected[5][4] = {{0, 0, 0, 0}, {1, 1, 0, 0}, {1, 1, 1, 0}, {1, 1, 1, 1}, {1, 1, 1, 1}};
  const E marks[4] = {E::im_panel_miss_0, E::im_panel_miss_1, E::im_panel_miss_2, E::im_panel_miss_3};
  for (int count = 0; count <= 4; ++count) {
    display.Vid_Show_Panel_Miss(count);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(lcd.is_visible(marks[i]), expected[count][i]) << count << " " << i;
  }
  display.Vid_Show_Panel_Miss(-1);
  for (E m : marks) EXPECT_FALSE(lcd.is_visible(m));
}

TEST_F(SegmentDisplayTest, RoguePoseOneIsTheFigureAlone) {
  display.Vid_Show_Rogue(3, 1);
  EXPECT_EQ(lcd.lit_names(), std::vector<std::string>{"im_rogue_x3y1"});
}

TEST_F(SegmentDisplayTest, RogueOnOneSideDarkensTheOther) {
  display.Vid_Show_Rogue(3, 3);
  display.Vid_Show_Rogue(1, 4);
  EXPECT_EQ(lcd.lit_names(), (std::vector<std::string>{"im_rogue_x1y1", "im_rogue_x1y4"}));
}

TEST_F(SegmentDisplayTest, RogueAtTheMiddleSideChangesNothingAndSideZeroHidesHim) {
  display.Vid_Show_Rogue(1, 2);
  display.Vid_Show_Rogue(2, 3);
  EXPECT_EQ(lcd.lit_names(), (std::vector<std::string>{"im_rogue_x1y1", "im_rogue_x1y2"}));
  display.Vid_Show_Rogue(0, 3);
  EXPECT_EQ(lit_count(), 0);
}

TEST_F(SegmentDisplayTest, DroppedObjectsAccumulateUntilCleared) {
  display.Vid_Show_Enemy_Dropped(1);
  display.Vid_Show_Enemy_Dropped(3);
  EXPECT_EQ(lcd.lit_names(), (std::vector<std::string>{"im_enemy_drop_x1", "im_enemy_drop_x3"}));
  display.Vid_Show_Enemy_Dropped(4);  // no such lane
  EXPECT_EQ(lit_count(), 2);
  display.Vid_Show_Enemy_Dropped(0);
  EXPECT_EQ(lit_count(), 0);
}

TEST_F(SegmentDisplayTest, LadyHandMovesWithoutTouchingHerBody) {
  lcd.set_visible(E::im_lady_1, true);
  lcd.set_visible(E::im_lady_3, true);
  lcd.set_visible(E::im_lady_0, true);
  display.Vid_Show_Lady_Hand(2);
  EXPECT_EQ(lcd.lit_names(), (std::vector<std::string>{"im_lady_0", "im_lady_2"}));
  display.Vid_Show_Lady_Hand(9);
  EXPECT_EQ(lcd.lit_names(), (std::vector<std::string>{"im_lady_0"}));
}

TEST_F(SegmentDisplayTest, EmptyTableSlotsAreNeverAddressed) {
  using namespace segment_tables;
  EXPECT_FALSE(seg_hero_drown[2].has_value());
  EXPECT_FALSE(seg_enemy[2][1].has_value());
  EXPECT_FALSE(seg_enemy[3][2].has_value());
  EXPECT_FALSE(seg_rogue[2][1].has_value());
  display.set_lit(seg_hero_drown[2], true);
  EXPECT_EQ(lit_count(), 0);
}

TEST_F(SegmentDisplayTest, ClockAnimationDrivesExactlyItsThirtySevenSegments) {
  ClockAnimationFrame all{};
  all.fill(1);
  display.show_clock_animation_frame(all);
  EXPECT_EQ(lit_count(), 37);
  EXPECT_FALSE(lcd.is_visible(E::im_lady_0));
  EXPECT_FALSE(lcd.is_visible(E::im_lady_4));
  EXPECT_TRUE(lcd.is_visible(E::im_hero_drown_x3));
  EXPECT_TRUE(lcd.is_visible(E::im_lady_3));
  ClockAnimationFrame one{};
  one[29] = 1;  // position 30: the hero in lane 3
  display.show_clock_animation_frame(one);
  EXPECT_EQ(lcd.lit_names(), std::vector<std::string>{"im_hero_x3"});
}

}  // namespace
}  // namespace hero
