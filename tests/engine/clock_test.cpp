// The clock mode: 12-hour time, AM/PM and the figure animation.
#include "tests/engine/engine_fixture.h"

#include "engine/clock_animation.h"

namespace hero::test {
namespace {

using E = ElementId;

class ClockTest : public EngineTest {
 protected:
  void enter_clock(int hours, int minutes) {
    hh.clock().set({hours, minutes});
    hh.start();
    hh.press(Button::time);
    hh.release(Button::time);
    hh.wait(1);  // the first clock tick comes at once
  }
};

TEST_F(ClockTest, ShowsTwelveHourTimeWithAmOrPm) {
  struct Case {
    int h, m;
    const char* panel;
    bool pm;
  };
  for (const Case c : {Case{0, 5, "1205", false}, Case{13, 0, " 100", true}, Case{10, 59, "1059", false},
                       Case{12, 30, "1230", true}, Case{23, 59, "1159", true}, Case{9, 7, " 907", false}}) {
    VirtualHandheld fresh;
    fresh.clock().set({c.h, c.m});
    fresh.start();
    fresh.press(Button::time);
    fresh.release(Button::time);
    fresh.wait(1);
    EXPECT_EQ(fresh.surface().panel_text(), c.panel) << c.h << ":" << c.m;
    EXPECT_EQ(fresh.surface().is_visible(E::im_panel_time_pm), c.pm) << c.h;
    EXPECT_EQ(fresh.surface().is_visible(E::im_panel_time_am), !c.pm) << c.h;
    EXPECT_TRUE(fresh.surface().is_visible(E::im_panel_time_colon));
  }
}

TEST_F(ClockTest, FollowsTheTimeOfDayWithinASecond) {
  enter_clock(10, 59);
  hh.clock().set({11, 0});
  hh.wait(999);
  EXPECT_EQ(hh.surface().panel_text(), "1059");
  hh.wait(1);
  EXPECT_EQ(hh.surface().panel_text(), "1100");
}

TEST_F(ClockTest, FirstFrameFollowsEntryAndFrame119WrapsToFrame1) {
  enter_clock(8, 0);
  EXPECT_EQ(st().clock_frame, 1);
  EXPECT_EQ(timer(TimerId::Clock).interval_ms(), 1000);
  hh.wait(118'000);
  EXPECT_EQ(st().clock_frame, 119);
  const auto frame_119 = hh.surface().lit_names();
  hh.wait(1000);
  EXPECT_EQ(st().clock_frame, 1);
  const auto frame_1 = hh.surface().lit_names();
  EXPECT_NE(frame_1, frame_119);
  // Frame 1: rogue idle on the left, hero in the middle, rogue figure, hand 2.
  EXPECT_EQ(frame_1,
            (std::vector<std::string>{"im_hero_x2", "im_lady_0", "im_lady_2", "im_lady_4", "im_panel_time_am",
                                      "im_panel_time_colon", "im_rogue_x3y1", "im_rogue_x3y2"}));
}

TEST_F(ClockTest, AnimationTableMatchesItsFrames) {
  // Frame 46 reads ". o o  oo o  o o" across its groups: lane 2 row 3, lane 1
  // rows 2 and 5, lane 1's dropped object and the knocked-down hero on the
  // right, the rogue's blow and figure on the right, the hand over lane 2.
  const ClockAnimationFrame& f46 = clock_animation[45];
  const int lit_positions[] = {7, 13, 16, 22, 23, 29, 34, 36};
  int count = 0;
  for (int n = 1; n <= 37; ++n) count += f46[n - 1];
  EXPECT_EQ(count, 8);
  for (int n : lit_positions) EXPECT_EQ(f46[n - 1], 1) << n;
}

TEST_F(ClockTest, EveryEntryRestartsTheAnimation) {
  enter_clock(8, 0);
  hh.wait(10'000);
  EXPECT_EQ(st().clock_frame, 11);
  hh.press(Button::time);
  EXPECT_FALSE(timer(TimerId::Clock).enabled());
  EXPECT_EQ(hh.surface().panel_text(), "1200");
  hh.release(Button::time);
  hh.wait(1);
  EXPECT_EQ(st().clock_frame, 1);
  EXPECT_EQ(hh.surface().panel_text(), " 800");
}

TEST_F(ClockTest, NoSoundInTheClock) {
  enter_clock(8, 0);
  hh.wait(300'000);
  EXPECT_TRUE(sounds().empty());
}

TEST_F(ClockTest, NonsenseTimeOfDayStillShowsValidGlyphs) {
  enter_clock(8, 0);
  hh.clock().set({77, -3});
  hh.wait(1000);
  EXPECT_EQ(hh.surface().panel_text(), "1200");
}

}  // namespace
}  // namespace hero::test
