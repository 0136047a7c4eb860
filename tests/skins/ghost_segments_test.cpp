// Unlit segments drawn faintly beneath the lit ones: the composed frame at
// 0 % and 20 %, which elements take part, and an outline that never moves.
// And the crystal's response time: segments darken and clear over it; and
// the shadows lit segments cast on the reflector.
#include <QPainter>

#include <gtest/gtest.h>

#include "display/skins/scene.h"
#include "tests/skins/test_support.h"

namespace hero {
namespace {

const QColor kLcd(200, 200, 200);

class GhostSegmentsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::qt_app();
    scene_.set_client_size(QSize(100, 60));
    scene_.set_colour_key(true, Qt::magenta);
    scene_.set_background_colour(Qt::magenta);
    // The LCD covers the left part only; the right part is cut out.
    place(ElementId::im_background, Picture{test::solid(60, 60, kLcd, Qt::green), false}, QRect(0, 0, 60, 60),
          true);
    place(ElementId::im_hero_x1, black_segment(), QRect(10, 10, 10, 10), false);
    place(ElementId::im_enemy_x1y1, black_segment(), QRect(30, 10, 10, 10), true);
    place(ElementId::im_panel_number_8, black_segment(), QRect(10, 40, 10, 10), false);
    // A hidden segment over the cut-out part of the window.
    place(ElementId::im_rogue_x3y1, black_segment(), QRect(80, 10, 10, 10), false);
    place(ElementId::btn_left_down, Picture{test::solid(10, 10, Qt::red, Qt::red), false},
          QRect(40, 40, 10, 10), false);
    scene_.update_shape(scene_.take_dirty_region());
  }

  static Picture black_segment() { return Picture{test::solid(10, 10, Qt::black, Qt::white), false}; }

  void place(ElementId id, const Picture& picture, const QRect& rect, bool visible) {
    scene_.set_picture(id, picture);
    scene_.set_geometry(id, rect);
    scene_.set_visible(id, visible);
  }

  QImage frame() const {
    QImage image(scene_.client_size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    scene_.paint(p, QRegion(0, 0, image.width(), image.height()));
    return image;
  }

  static int grey_at(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)); }

  Scene scene_;
};

TEST_F(GhostSegmentsTest, AtZeroPercentHiddenSegmentsAreNotDrawn) {
  EXPECT_EQ(scene_.ghost_percent(), 0);
  const QImage f = frame();
  EXPECT_EQ(f.pixelColor(15, 15), kLcd);
  EXPECT_EQ(f.pixelColor(35, 15), QColor(Qt::black));  // lit
}

TEST_F(GhostSegmentsTest, AtTwentyPercentHiddenSegmentsShowFaintlyAndLitOnesStayBlack) {
  scene_.set_ghost_override(20);
  ASSERT_EQ(scene_.ghost_percent(), 20);
  // The change is repainted where unlit segments lie.
  EXPECT_TRUE(scene_.take_dirty_region().contains(QPoint(15, 15)));
  const QImage f = frame();
  EXPECT_NEAR(grey_at(f, 15, 15), 200 * 0.8, 2);
  EXPECT_EQ(f.pixelColor(35, 15), QColor(Qt::black));
  // The segment's own transparent colour stays transparent.
  EXPECT_EQ(f.pixelColor(10, 19), kLcd);
  // Glyph sources and pressed buttons are never drawn as unlit segments.
  EXPECT_EQ(f.pixelColor(15, 45), kLcd);
  EXPECT_EQ(f.pixelColor(45, 45), kLcd);
  // The engine's view is untouched.
  EXPECT_FALSE(scene_.is_visible(ElementId::im_hero_x1));
}

TEST_F(GhostSegmentsTest, TheOutlineIsTheSameAtEveryOpacity) {
  const QImage before = scene_.shape_mask();
  scene_.set_ghost_override(30);
  scene_.update_shape(scene_.take_dirty_region());
  EXPECT_EQ(scene_.shape_mask(), before);
  // And the faint segment over the cut-out part is not on the screen.
  EXPECT_EQ(scene_.shape_mask().pixelIndex(85, 15), 0);
  // The copy kept for the outline is painted with the faint segments.
  EXPECT_NEAR(grey_at(frame(), 15, 15), 200 * 0.7, 2);
}

TEST_F(GhostSegmentsTest, DigitPositionsShowAFaintEight) {
  place(ElementId::im_panel_digit_1, Picture{}, QRect(50, 20, 10, 10), false);
  scene_.set_ghost_override(20);
  EXPECT_NEAR(grey_at(frame(), 55, 25), 160, 2);
}

TEST_F(GhostSegmentsTest, SkinDefaultGivesWayToThePlayersSettingAndValuesAreKeptInRange) {
  scene_.set_skin_ghost_percent(12);
  EXPECT_EQ(scene_.ghost_percent(), 12);
  scene_.set_ghost_override(0);
  EXPECT_EQ(scene_.ghost_percent(), 0);
  scene_.set_ghost_override(std::nullopt);
  EXPECT_EQ(scene_.ghost_percent(), 12);
  scene_.set_skin_ghost_percent(500);
  EXPECT_EQ(scene_.ghost_percent(), Scene::kMaxGhostPercent);
  scene_.set_ghost_override(-4);
  EXPECT_EQ(scene_.ghost_percent(), 0);
}

TEST_F(GhostSegmentsTest, AHiddenSegmentsNewPictureIsRepaintedOnlyWhileGhostsShow) {
  scene_.take_dirty_region();
  scene_.set_picture(ElementId::im_hero_x1, black_segment());
  EXPECT_TRUE(scene_.take_dirty_region().isEmpty());
  scene_.set_ghost_override(10);
  scene_.take_dirty_region();
  scene_.set_picture(ElementId::im_hero_x1, black_segment());
  EXPECT_FALSE(scene_.take_dirty_region().isEmpty());
}

// With a response of 100 ms a segment switched on darkens over 100 ms and
// one switched off clears over as long, from wherever it stood; the frames
// stop once it has settled, the outline and the engine's view never lag, and
// at 0 ms (the handheld's own picture) nothing fades.
TEST_F(GhostSegmentsTest, SegmentsDarkenAndClearOverTheResponseTime) {
  auto now = std::chrono::steady_clock::time_point{} + std::chrono::hours(1);
  scene_.set_fade_clock([&now] { return now; });
  scene_.set_visible(ElementId::im_hero_x1, true);
  EXPECT_FALSE(scene_.fading()) << "no response: at once";
  EXPECT_EQ(frame().pixelColor(15, 15), QColor(Qt::black));
  scene_.set_visible(ElementId::im_hero_x1, false);

  scene_.set_skin_response_ms(30);
  scene_.set_response_override(100);
  ASSERT_EQ(scene_.response_ms(), 100);
  scene_.set_visible(ElementId::im_hero_x1, true);
  EXPECT_TRUE(scene_.is_visible(ElementId::im_hero_x1));
  EXPECT_TRUE(scene_.fading());
  EXPECT_EQ(grey_at(frame(), 15, 15), 200);
  now += std::chrono::milliseconds(50);
  EXPECT_NEAR(grey_at(frame(), 15, 15), 100, 3);
  EXPECT_TRUE(scene_.advance_fades());
  EXPECT_TRUE(scene_.take_dirty_region().contains(QPoint(15, 15)));
  // Switched off half way: it clears from half dark.
  scene_.set_visible(ElementId::im_hero_x1, false);
  now += std::chrono::milliseconds(25);
  EXPECT_NEAR(grey_at(frame(), 15, 15), 150, 3);
  EXPECT_EQ(scene_.update_shape(scene_.take_dirty_region()), false) << "a fade never moves the outline";
  now += std::chrono::milliseconds(25);
  EXPECT_EQ(grey_at(frame(), 15, 15), 200);
  EXPECT_FALSE(scene_.advance_fades()) << "settled: no more frames";
  EXPECT_FALSE(scene_.fading());

  // Unlit segments show beneath a fading one, and the picture is continuous.
  scene_.set_ghost_override(20);
  scene_.set_visible(ElementId::im_hero_x1, true);
  EXPECT_NEAR(grey_at(frame(), 15, 15), 160, 3);
  now += std::chrono::milliseconds(100);
  EXPECT_EQ(frame().pixelColor(15, 15), QColor(Qt::black));
}

// Shadows fall beside lit segments, darker only, only on the glass (the
// rectangle the segments span) and never from a hidden segment; switching a
// segment repaints its shadow too, and the outline never moves.
TEST_F(GhostSegmentsTest, LitSegmentsCastShadowsOnTheGlassOnly) {
  const QImage flat = frame();
  scene_.set_shadow_look_override({2, 3, 1, 50});
  scene_.set_shadows(true);
  EXPECT_TRUE(scene_.take_dirty_region().contains(scene_.lcd_glass()));
  EXPECT_EQ(scene_.lcd_glass(), QRect(10, 10, 80, 10)) << "the glyph sources are never shown";
  const QImage shaded = frame();
  int darker = 0;
  for (int y = 0; y < flat.height(); ++y) {
    for (int x = 0; x < flat.width(); ++x) {
      const int before = grey_at(flat, x, y), after = grey_at(shaded, x, y);
      EXPECT_LE(after, before) << x << "," << y;
      if (after < before) {
        ++darker;
        EXPECT_TRUE(scene_.lcd_glass().contains(x, y)) << x << "," << y;
      }
    }
  }
  EXPECT_GT(darker, 10);
  EXPECT_LT(grey_at(shaded, 41, 16), grey_at(flat, 41, 16)) << "beside the lit segment";
  EXPECT_EQ(grey_at(shaded, 35, 21), grey_at(flat, 35, 21)) << "below the glass";
  EXPECT_EQ(grey_at(shaded, 21, 16), grey_at(flat, 21, 16)) << "a hidden segment casts none";

  scene_.set_visible(ElementId::im_hero_x1, true);
  EXPECT_TRUE(scene_.take_dirty_region().contains(QPoint(21, 16)));
  EXPECT_LT(grey_at(frame(), 21, 16), grey_at(flat, 21, 16));
  EXPECT_FALSE(scene_.update_shape(scene_.take_dirty_region()));
  scene_.set_shadows(false);
  scene_.set_visible(ElementId::im_hero_x1, false);
  EXPECT_EQ(frame(), flat);
}

}  // namespace
}  // namespace hero
