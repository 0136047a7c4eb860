// The scene: stacking order, transparency, clipping to the element, the
// changed region handed to the window, and the colour-keyed cut-out.
#include "display/skins/scene.h"
#include "display/skins/picture_loader.h"

#include <QBitmap>
#include <QPainter>
#include <QTransform>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <functional>

#include <gtest/gtest.h>

#include "display/lcd/element_ids.h"

#include "tests/skins/test_support.h"

namespace hero {
namespace {

class SceneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::qt_app();
    scene_.set_client_size(QSize(100, 60));
    scene_.set_colour_key(true, Qt::magenta);
    scene_.set_background_colour(Qt::magenta);
    scene_.take_dirty_region();
  }

  QImage frame() const {
    QImage image(scene_.client_size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    scene_.paint(p, QRegion(0, 0, image.width(), image.height()));
    return image;
  }

  static Picture opaque(QColor colour, QColor bottom_left, QSize size = {10, 10}) {
    return Picture{test::solid(size.width(), size.height(), colour, bottom_left), false};
  }

  void place(ElementId id, const Picture& picture, const QRect& rect, bool visible = true) {
    scene_.set_picture(id, picture);
    scene_.set_geometry(id, rect);
    scene_.set_visible(id, visible);
  }

  // A 200 x 120 handheld keyed out along its left edge, under a glass
  // picture partly drawn: a frame round a clear window, as the case's front
  // lies round the LCD, and a patch of glare.
  void place_handheld_under_glass() {
    scene_.set_client_size(QSize(200, 120));
    QImage handheld(200, 120, QImage::Format_RGB32);
    handheld.fill(Qt::blue);
    for (int y = 0; y < 120; ++y)
      for (int x = 0; x < 20 + y / 4; ++x) handheld.setPixelColor(x, y, Qt::white);  // keyed out
    place(ElementId::im_background, Picture{handheld, false}, QRect(0, 0, 200, 120));
    QImage glass(160, 100, QImage::Format_ARGB32);
    glass.fill(Qt::transparent);
    for (int y = 40; y < 70; ++y)
      for (int x = 70; x < 75 + y; ++x) glass.setPixelColor(x, y, QColor(255, 255, 0, 100 + y));
    for (int y = 0; y < 100; ++y)
      for (const int x : {0, 1, 2, 37, 157, 158, 159}) glass.setPixelColor(x, y, QColor(0, 255, 255, 120));
    place(ElementId::im_background_screen_top, Picture{glass, true}, QRect(20, 10, 160, 100));
  }

  // What `paint` draws over `region` is the whole frame's pixels there.
  void expect_whole_frame_over(const QRegion& region, const std::function<void(QPainter&)>& paint) const {
    const QImage whole = frame();
    QImage shown(scene_.client_size(), QImage::Format_RGB32);
    shown.fill(Qt::black);
    QPainter p(&shown);
    paint(p);
    p.end();
    // Only the window's own pixels: beyond them both would read 0.
    for (const QRect& r : region& QRegion(whole.rect()))
      for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
          ASSERT_EQ(shown.pixel(x, y), whole.pixel(x, y)) << x << "," << y;
  }

  // The outline is "not the key colour" at every pixel of the whole frame.
  void expect_outline_of_frame() const {
    const QImage shown = frame();
    const QImage outline = scene_.shape_mask();
    for (int y = 0; y < shown.height(); ++y)
      for (int x = 0; x < shown.width(); ++x)
        ASSERT_EQ(outline.pixelIndex(x, y), shown.pixelColor(x, y) == QColor(Qt::magenta) ? 0 : 1)
            << x << "," << y;
  }

  Scene scene_;
};

TEST_F(SceneTest, BeforeAnySkinOnlyHandheldPictureOverlayAndHotAreasShow) {
  const Scene fresh;
  EXPECT_EQ(fresh.client_size(), QSize(658, 391));
  EXPECT_TRUE(fresh.colour_key_enabled());
  EXPECT_EQ(fresh.key_colour(), QColor(Qt::white));
  EXPECT_TRUE(fresh.is_visible(ElementId::im_background));
  EXPECT_TRUE(fresh.is_visible(ElementId::btn_alarm_top));
  EXPECT_TRUE(fresh.is_visible(ElementId::btn_game_a_top));
  EXPECT_FALSE(fresh.is_visible(ElementId::btn_game_a_down));
  EXPECT_FALSE(fresh.is_visible(ElementId::im_panel_digit_1));
  EXPECT_FALSE(fresh.is_visible(ElementId::la_pause));
  EXPECT_FALSE(fresh.is_visible(ElementId::btn_game_menu_top));
  EXPECT_EQ(fresh.geometry(ElementId::la_pause).size(), QSize(100, 25));
  EXPECT_EQ(fresh.geometry(ElementId::btn_game_menu_top), QRect(0, 0, 36, 32));
}

TEST_F(SceneTest, LaterElementsInStackingOrderAreDrawnOver) {
  place(ElementId::im_background, opaque(Qt::blue, Qt::magenta, {100, 60}), QRect(0, 0, 100, 60));
  place(ElementId::im_hero_x1, opaque(Qt::green, Qt::white), QRect(10, 10, 10, 10));
  place(ElementId::im_background_screen_top, opaque(Qt::red, Qt::white), QRect(15, 10, 10, 10));
  const QImage f = frame();
  EXPECT_EQ(f.pixelColor(50, 50), QColor(Qt::blue));
  EXPECT_EQ(f.pixelColor(12, 12), QColor(Qt::green));
  EXPECT_EQ(f.pixelColor(17, 12), QColor(Qt::red));
  // The handheld picture's bottom-left colour is see-through: the key shows.
  EXPECT_EQ(f.pixelColor(0, 59), QColor(Qt::magenta));
}

TEST_F(SceneTest, TransparentElementsKeyOutTheBottomLeftColourOpaqueOnesDoNot) {
  place(ElementId::im_background, opaque(Qt::blue, Qt::white, {100, 60}), QRect(0, 0, 100, 60));
  place(ElementId::im_panel_game_a, opaque(Qt::yellow, Qt::white), QRect(0, 0, 10, 10));
  place(ElementId::btn_game_a_down, opaque(Qt::yellow, Qt::white), QRect(20, 0, 10, 10));
  const QImage f = frame();
  EXPECT_EQ(f.pixelColor(0, 9), QColor(Qt::blue));    // segment: white keyed out
  EXPECT_EQ(f.pixelColor(20, 9), QColor(Qt::white));  // pressed picture: drawn as is
  EXPECT_EQ(f.pixelColor(5, 5), QColor(Qt::yellow));
}

TEST_F(SceneTest, PicturesAreDrawnFromTheTopLeftAndClippedToTheElement) {
  place(ElementId::btn_acl_down, opaque(Qt::red, Qt::red, {40, 40}), QRect(10, 10, 5, 5));
  const QImage f = frame();
  EXPECT_EQ(f.pixelColor(14, 14), QColor(Qt::red));
  EXPECT_EQ(f.pixelColor(15, 15), QColor(Qt::magenta));
  EXPECT_EQ(f.pixelColor(9, 9), QColor(Qt::magenta));
}

TEST_F(SceneTest, BackdropIsCentredOrStretchedAndFollowsTheWindowSize) {
  scene_.set_colour_key(false, Qt::magenta);
  place(ElementId::im_backdrop, opaque(Qt::darkGreen, Qt::darkGreen, {20, 20}), QRect(0, 0, 100, 60));
  scene_.set_picture_mode(ElementId::im_backdrop, PictureMode::centre);
  QImage f = frame();
  EXPECT_EQ(f.pixelColor(40, 20), QColor(Qt::darkGreen));
  EXPECT_EQ(f.pixelColor(59, 39), QColor(Qt::darkGreen));
  EXPECT_EQ(f.pixelColor(39, 19), QColor(Qt::magenta));
  EXPECT_EQ(f.pixelColor(60, 40), QColor(Qt::magenta));

  scene_.set_picture_mode(ElementId::im_backdrop, PictureMode::stretch);
  scene_.set_client_size(QSize(200, 120));
  EXPECT_EQ(scene_.geometry(ElementId::im_backdrop), QRect(0, 0, 200, 120));
  f = frame();
  EXPECT_EQ(f.pixelColor(0, 0), QColor(Qt::darkGreen));
  EXPECT_EQ(f.pixelColor(199, 119), QColor(Qt::darkGreen));
}

TEST_F(SceneTest, DigitPositionsTakeGlyphCopiesAndCanBeCleared) {
  place(ElementId::im_background, opaque(Qt::gray, Qt::white, {100, 60}), QRect(0, 0, 100, 60));
  place(ElementId::im_panel_number_7, opaque(Qt::black, Qt::white), QRect(90, 50, 10, 10), false);
  scene_.set_geometry(ElementId::im_panel_digit_2, QRect(30, 30, 10, 10));
  scene_.set_visible(ElementId::im_panel_digit_2, true);
  scene_.copy_picture(ElementId::im_panel_digit_2, ElementId::im_panel_number_7);
  QImage f = frame();
  EXPECT_EQ(f.pixelColor(35, 35), QColor(Qt::black));
  EXPECT_EQ(f.pixelColor(30, 39), QColor(Qt::gray));  // the glyph's background stays see-through
  EXPECT_EQ(f.pixelColor(95, 55), QColor(Qt::gray));  // the glyph source itself never shows

  scene_.clear_picture(ElementId::im_panel_digit_2);
  EXPECT_TRUE(scene_.is_visible(ElementId::im_panel_digit_2));
  EXPECT_TRUE(scene_.picture(ElementId::im_panel_digit_2).empty());
  EXPECT_EQ(frame().pixelColor(35, 35), QColor(Qt::gray));
}

TEST_F(SceneTest, DirtyRegionHoldsOnlyWhatChanged) {
  place(ElementId::im_hero_x2, opaque(Qt::green, Qt::white), QRect(10, 10, 10, 10), false);
  scene_.take_dirty_region();

  scene_.set_visible(ElementId::im_hero_x2, true);
  EXPECT_EQ(scene_.take_dirty_region(), QRegion(10, 10, 10, 10));
  scene_.set_visible(ElementId::im_hero_x2, true);
  EXPECT_TRUE(scene_.take_dirty_region().isEmpty());

  scene_.set_geometry(ElementId::im_hero_x2, QRect(30, 10, 10, 10));
  EXPECT_EQ(scene_.take_dirty_region(), QRegion(10, 10, 10, 10) + QRegion(30, 10, 10, 10));

  // A hidden element changes nothing on the screen.
  scene_.set_visible(ElementId::im_hero_x2, false);
  scene_.take_dirty_region();
  scene_.set_picture(ElementId::im_hero_x2, opaque(Qt::red, Qt::white));
  scene_.set_geometry(ElementId::im_hero_x2, QRect(0, 0, 5, 5));
  EXPECT_TRUE(scene_.take_dirty_region().isEmpty());

  // However many changes come before a flush, none is lost.
  place(ElementId::im_hero_x1, opaque(Qt::green, Qt::white), QRect(40, 40, 10, 10));
  place(ElementId::im_hero_x3, opaque(Qt::green, Qt::white), QRect(70, 5, 10, 10));
  scene_.take_dirty_region();
  scene_.set_visible(ElementId::im_hero_x3, false);
  for (int i = 0; i < 5000; ++i) scene_.set_visible(ElementId::im_hero_x1, i % 2 == 0);
  EXPECT_EQ(scene_.take_dirty_region(), QRegion(40, 40, 10, 10) + QRegion(70, 5, 10, 10));
}

TEST_F(SceneTest, CopyingTheSameGlyphAgainChangesNothing) {
  place(ElementId::im_panel_number_3, opaque(Qt::black, Qt::white), QRect(0, 0, 10, 10), false);
  scene_.set_visible(ElementId::im_panel_digit_4, true);
  scene_.set_geometry(ElementId::im_panel_digit_4, QRect(40, 40, 10, 10));
  scene_.copy_picture(ElementId::im_panel_digit_4, ElementId::im_panel_number_3);
  EXPECT_FALSE(scene_.take_dirty_region().isEmpty());
  scene_.copy_picture(ElementId::im_panel_digit_4, ElementId::im_panel_number_3);
  EXPECT_TRUE(scene_.take_dirty_region().isEmpty());
  scene_.clear_picture(ElementId::im_panel_digit_4);
  scene_.clear_picture(ElementId::im_panel_digit_4);
  EXPECT_EQ(scene_.take_dirty_region(), QRegion(40, 40, 10, 10));
}

TEST_F(SceneTest, ChangeNoticeComesOncePerBurst) {
  int notices = 0;
  scene_.set_on_change([&] { ++notices; });
  scene_.set_geometry(ElementId::im_lady_1, QRect(0, 0, 5, 5));
  scene_.set_geometry(ElementId::im_lady_2, QRect(5, 0, 5, 5));
  scene_.set_visible(ElementId::im_lady_1, true);
  scene_.set_visible(ElementId::im_lady_2, true);
  EXPECT_EQ(notices, 1);
  scene_.take_dirty_region();
  scene_.set_visible(ElementId::im_lady_1, false);
  EXPECT_EQ(notices, 2);
}

TEST_F(SceneTest, ChangesOutsideTheClientAreaAreNotRepainted) {
  place(ElementId::im_lady_3, opaque(Qt::red, Qt::white), QRect(500, 500, 10, 10), false);
  scene_.set_visible(ElementId::im_lady_3, true);
  EXPECT_TRUE(scene_.take_dirty_region().isEmpty());
  scene_.set_geometry(ElementId::im_lady_3, QRect(95, 55, 10, 10));
  EXPECT_EQ(scene_.take_dirty_region(), QRegion(95, 55, 5, 5));
}

TEST_F(SceneTest, ShapeFollowsKeyColouredPixelsOnlyWhenTheyChange) {
  place(ElementId::im_background, opaque(Qt::blue, Qt::magenta, {60, 60}), QRect(0, 0, 60, 60));
  ASSERT_TRUE(scene_.update_shape(scene_.take_dirty_region()));  // first cut-out
  QImage mask = scene_.shape_mask();
  ASSERT_EQ(mask.size(), QSize(100, 60));
  EXPECT_EQ(mask.pixelIndex(30, 30), 1);
  EXPECT_EQ(mask.pixelIndex(80, 30), 0);  // background in the key colour
  EXPECT_EQ(mask.pixelIndex(0, 59), 0);   // keyed-out pixel of the picture

  // A segment lit over the blue picture leaves the outline as it was.
  place(ElementId::im_hero_x1, opaque(Qt::green, Qt::white), QRect(10, 10, 10, 10));
  EXPECT_FALSE(scene_.update_shape(scene_.take_dirty_region()));

  // One lit over the see-through surroundings changes it.
  place(ElementId::im_hero_x3, opaque(Qt::green, Qt::white), QRect(70, 10, 10, 10));
  EXPECT_TRUE(scene_.update_shape(scene_.take_dirty_region()));
  EXPECT_EQ(scene_.shape_mask().pixelIndex(75, 15), 1);
  scene_.set_visible(ElementId::im_hero_x3, false);
  EXPECT_TRUE(scene_.update_shape(scene_.take_dirty_region()));
  EXPECT_EQ(scene_.shape_mask().pixelIndex(75, 15), 0);
}

TEST_F(SceneTest, PaintIsCurrentWhetherOrNotTheOutlineCopyIs) {
  place(ElementId::im_background, opaque(Qt::blue, Qt::white, {100, 60}), QRect(0, 0, 100, 60));
  place(ElementId::im_hero_x1, opaque(Qt::green, Qt::white), QRect(10, 10, 10, 10));
  scene_.update_shape(scene_.take_dirty_region());
  EXPECT_EQ(frame().pixelColor(12, 12), QColor(Qt::green));  // drawn from the copy

  // Changed, and the window has not flushed yet: the copy is stale there.
  scene_.set_visible(ElementId::im_hero_x1, false);
  scene_.set_picture(ElementId::im_background, opaque(Qt::red, Qt::white, {100, 60}));
  EXPECT_EQ(frame().pixelColor(12, 12), QColor(Qt::red));
  EXPECT_EQ(frame().pixelColor(50, 50), QColor(Qt::red));

  // A caller that takes the changes without asking for the outline still
  // gets the copy brought up to date on the next call.
  scene_.set_visible(ElementId::im_hero_x1, true);
  scene_.take_dirty_region();
  EXPECT_EQ(frame().pixelColor(12, 12), QColor(Qt::green));
  scene_.update_shape(QRegion());
  EXPECT_EQ(frame().pixelColor(12, 12), QColor(Qt::green));
}

// The outline is drawn at exactly the pixels the frame shows in another
// colour than the key, whether a row holds one pixel of the key anywhere or
// none, over the whole window and over a change that starts and ends
// within a byte of the outline.
TEST_F(SceneTest, TheOutlineIsDrawnWhereverTheFrameIsNotTheKeyColour) {
  QImage handheld(100, 60, QImage::Format_RGB32);
  handheld.fill(Qt::blue);
  for (int y = 0; y < 60; y += 2) handheld.setPixelColor((y * 13 + 7) % 100, y, Qt::magenta);
  handheld.setPixelColor(0, 59, Qt::white);  // the colour keyed out
  place(ElementId::im_background, Picture{handheld, false}, QRect(0, 0, 100, 60));
  scene_.update_shape(scene_.take_dirty_region());
  expect_outline_of_frame();
  QImage segment(29, 13, QImage::Format_RGB32);
  segment.fill(Qt::green);
  for (int y = 0; y < 13; ++y) segment.setPixelColor((y * 3) % 29, y, Qt::magenta);
  segment.setPixelColor(0, 12, Qt::white);
  place(ElementId::im_hero_x1, Picture{segment, false}, QRect(13, 5, 29, 13));
  scene_.update_shape(scene_.take_dirty_region());
  expect_outline_of_frame();
  scene_.set_visible(ElementId::im_hero_x1, false);
  scene_.update_shape(scene_.take_dirty_region());
  expect_outline_of_frame();
}

TEST_F(SceneTest, ShapeMaskBecomesAWindowMaskWithTheDrawnPixelsSet) {
  place(ElementId::im_background, opaque(Qt::blue, Qt::white, {20, 20}), QRect(0, 0, 20, 20));
  scene_.update_shape(scene_.take_dirty_region());
  const QRegion region(QBitmap::fromImage(scene_.shape_mask()));
  EXPECT_TRUE(region.contains(QPoint(5, 5)));
  EXPECT_FALSE(region.contains(QPoint(50, 50)));
}

TEST_F(SceneTest, SwitchingTheKeyOffDropsTheMaskOnce) {
  scene_.update_shape(scene_.take_dirty_region());
  scene_.set_colour_key(false, Qt::magenta);
  EXPECT_TRUE(scene_.update_shape(scene_.take_dirty_region()));
  EXPECT_TRUE(scene_.shape_mask().isNull());
  scene_.set_visible(ElementId::im_lady_0, true);
  EXPECT_FALSE(scene_.update_shape(scene_.take_dirty_region()));
  scene_.set_colour_key(true, Qt::cyan);
  EXPECT_TRUE(scene_.update_shape(scene_.take_dirty_region()));
  EXPECT_EQ(scene_.shape_mask().pixelIndex(50, 50), 1);  // magenta is no longer the key
}

TEST_F(SceneTest, PauseLabelShowsWhiteTextOnBlack) {
  scene_.set_geometry(ElementId::la_pause, QRect(0, 0, 100, 25));
  scene_.set_visible(ElementId::la_pause, true);
  const QImage f = frame();
  int white = 0;
  for (int y = 0; y < 25; ++y) {
    for (int x = 0; x < 100; ++x) {
      if (f.pixelColor(x, y).lightness() > 200) ++white;
    }
  }
  EXPECT_EQ(f.pixelColor(1, 1), QColor(Qt::black));
  EXPECT_EQ(f.pixelColor(99, 24), QColor(Qt::black));
  EXPECT_GT(white, 100);  // the letters
  // The gold rule of the bezel frames the caption, inside the black box.
  for (const QPoint at : {QPoint(2, 12), QPoint(97, 12), QPoint(50, 2), QPoint(50, 22)})
    EXPECT_EQ(f.pixelColor(at), QColor(0xd9, 0xb4, 0x5a)) << at.x() << "," << at.y();
  EXPECT_EQ(f.pixelColor(50, 40), QColor(Qt::magenta));
}

// Copies made for a zoom count against the scene's budget: elements that
// share a picture share its copy, and past the budget a picture is scaled as
// it is drawn, the same on the screen, never kept.
TEST_F(SceneTest, ZoomedCopiesShareAPictureAndStayWithinTheBudget) {
  for (int n = 2; n <= 11; ++n) place(skin_image(n), Picture{}, QRect((n - 2) * 10, 20, 10, 10));
  scene_.set_view(Scene::View{2.0, QPoint(), false});
  frame();
  const std::int64_t without = scene_.held_pixels();
  const Picture shared = opaque(Qt::blue, Qt::white);
  for (int n = 2; n <= 11; ++n) place(skin_image(n), shared, QRect((n - 2) * 10, 20, 10, 10));
  // What the scene counts as it makes copies is what it holds: counted
  // afresh after dropping the copies of an element without a picture.
  const auto counted_afresh = [&] {
    scene_.set_picture_mode(ElementId::im_backdrop, PictureMode::stretch);
    scene_.set_picture_mode(ElementId::im_backdrop, PictureMode::top_left);
    return scene_.held_pixels();
  };
  const QImage zoomed = frame();
  EXPECT_EQ(scene_.held_pixels(), counted_afresh());
  // One decoded picture (100 pixels), its keyed form (for the transparent
  // ones among these elements) and one copy of 400 of each form: not ten.
  EXPECT_LE(scene_.held_pixels(), without + 100 + 100 + 2 * 400);

  for (int n = 2; n <= 11; ++n)
    place(skin_image(n), opaque(QColor(n * 20, 0, 255 - n * 20), Qt::white), QRect((n - 2) * 10, 20, 10, 10));
  const QImage kept = frame();
  scene_.set_view(Scene::View{});
  scene_.set_pixel_budget(scene_.held_pixels() + 3 * 400);
  scene_.set_view(Scene::View{2.0, QPoint(), false});
  const QImage bounded = frame();
  EXPECT_EQ(scene_.held_pixels(), counted_afresh());
  EXPECT_LE(scene_.held_pixels(), without + 10 * 100 * 2 + 3 * 400);
  for (int n = 2; n <= 11; ++n) {
    const QPoint middle((n - 2) * 20 + 10, 50);
    EXPECT_EQ(bounded.pixel(middle), kept.pixel(middle)) << n;
  }
  EXPECT_EQ(zoomed.pixel(QPoint(10, 50)), QColor(Qt::blue).rgb());
}

// A change all over the screen is repainted in a few dozen rectangles that
// still cover every changed pixel; a small change is repainted as it is.
TEST(ScenePaintRegion, ManyRectanglesBecomeFewThatCoverThemAll) {
  QRegion scattered;
  for (int i = 0; i < 200; ++i)
    scattered += QRect(7 + (i % 20) * 37, 11 + (i / 20) * 29, 9 + i % 5, 6 + i % 7);
  const QRegion painted = Scene::paint_region(scattered);
  EXPECT_TRUE((scattered - painted).isEmpty());
  EXPECT_TRUE((painted - QRegion(scattered.boundingRect())).isEmpty());
  EXPECT_LT(painted.rectCount(), scattered.rectCount() / 4);
  // The tiles of a part of a change lie among those of the whole.
  const QRegion part = scattered & QRect(100, 40, 300, 200);
  ASSERT_GT(part.rectCount(), 8);
  EXPECT_TRUE((Scene::paint_region(part) - painted).isEmpty());
  const QRegion few = QRegion(QRect(0, 0, 5, 5)) + QRect(300, 200, 4, 4);
  EXPECT_EQ(Scene::paint_region(few), few);
}

// Taken from the changed rectangles themselves, the region to repaint is the
// one their union gives.
TEST_F(SceneTest, TheRegionToRepaintIsTakenAsFromTheUnionOfTheChange) {
  scene_.set_client_size(QSize(800, 400));
  Scene twin;
  twin.set_client_size(QSize(800, 400));
  scene_.take_dirty_region();
  twin.take_dirty_region();
  const auto change = [](Scene& scene, bool shown) {
    for (int i = index_of(ElementId::im_lady_0); i <= index_of(ElementId::im_rogue_x3y4); ++i) {
      const auto id = static_cast<ElementId>(i);
      scene.set_picture(id, opaque(Qt::green, Qt::white, {9 + i % 5, 6 + i % 7}));
      scene.set_geometry(id, QRect(7 + (i % 9) * 83, 11 + (i / 9) * 47, 9 + i % 5, 6 + i % 7));
      scene.set_visible(id, shown);
    }
  };
  for (const bool shown : {true, false}) {
    change(scene_, shown);
    change(twin, shown);
    EXPECT_EQ(scene_.take_paint_region(), Scene::paint_region(twin.take_dirty_region())) << shown;
  }
  scene_.set_visible(ElementId::im_lady_0, true);
  twin.set_visible(ElementId::im_lady_0, true);
  EXPECT_EQ(scene_.take_paint_region(), Scene::paint_region(twin.take_dirty_region())) << "a few";
}

// A region painted in parts passes by pictures clear over a part and starts
// from one opaque all over it; what it paints is exactly the whole frame's
// pixels there, at 100 % and zoomed, for pictures opaque, clear and partly
// drawn, tile by tile.
TEST_F(SceneTest, ARegionPaintedInPartsShowsWhatTheWholeFrameShows) {
  place_handheld_under_glass();
  place(ElementId::im_hero_x2, opaque(Qt::darkGreen, Qt::white, {30, 40}), QRect(90, 50, 30, 40));
  QRegion parts;
  for (int y = 0; y < 120; y += 12)
    for (int x = y % 7; x < 200; x += 14) parts += QRect(x, y, 8 + x % 5, 7);
  // Rows across the whole frame, crossing its clear and drawn tiles.
  parts += QRect(0, 8, 200, 3);
  parts += QRect(5, 61, 190, 40);
  for (const double zoom : {1.0, 2.0}) {
    scene_.set_view(Scene::View{zoom, {}, false});
    const QRegion zoomed = zoom == 1.0 ? parts : QTransform::fromScale(zoom, zoom).map(parts);
    SCOPED_TRACE(zoom);
    expect_whole_frame_over(zoomed, [&](QPainter& p) { scene_.paint(p, zoomed); });
  }
}

// The outline of a change is read from the window's own pixels where it
// has just drawn them (which show what the whole frame shows, opaque
// pictures copied) and composed where it has not; never read where they
// show what the outline leaves out: an unlit segment, a shadow, a fade.
TEST_F(SceneTest, TheOutlineIsReadFromWhatTheWindowDrewWhereThatIsTheOutlinesOwnPicture) {
  place_handheld_under_glass();
  // Over the keyed-out edge: where this segment goes, the key shows.
  place(ElementId::im_hero_x1, opaque(Qt::darkGreen, Qt::white, {30, 40}), QRect(5, 20, 30, 40));
  place(ElementId::im_hero_x2, opaque(Qt::green, Qt::white, {30, 40}), QRect(60, 30, 30, 40));
  scene_.update_shape(scene_.take_dirty_region());
  // The window holds the key colour wherever it has not just drawn: an
  // outline read from there would be cut away.
  QImage window(scene_.client_size(), QImage::Format_RGB32);
  const auto flush = [&](const QRegion& drawn_part) {
    const QRegion dirty = Scene::paint_region(scene_.take_dirty_region());
    window.fill(Qt::magenta);
    QPainter p(&window);
    const bool changed = scene_.paint_and_update_shape(p, dirty & drawn_part, dirty, &window);
    p.end();
    expect_whole_frame_over(dirty & drawn_part, [&](QPainter& shown) { shown.drawImage(0, 0, window); });
    return changed;
  };
  const QRegion everywhere(0, 0, 200, 120);
  scene_.set_visible(ElementId::im_hero_x1, false);
  scene_.set_visible(ElementId::im_hero_x2, false);
  EXPECT_TRUE(flush(everywhere));
  expect_outline_of_frame();
  scene_.set_visible(ElementId::im_hero_x1, true);
  scene_.set_visible(ElementId::im_hero_x2, true);
  EXPECT_TRUE(flush(QRegion(0, 0, 200, 40))) << "drawn in part";
  expect_outline_of_frame();

  // (8, 40) and (8, 62) show the key while the segment is hidden.
  scene_.set_ghost_override(30);
  scene_.set_visible(ElementId::im_hero_x1, false);
  flush(everywhere);
  EXPECT_EQ(scene_.shape_mask().pixelIndex(8, 40), 0) << "an unlit segment";
  scene_.set_ghost_override(0);
  scene_.set_visible(ElementId::im_hero_x1, true);
  flush(everywhere);
  scene_.set_shadow_look_override(Scene::ShadowLook{0, 8, 0, 100});
  scene_.set_shadows(true);
  flush(everywhere);
  ASSERT_NE(window.pixelColor(8, 62), QColor(Qt::magenta)) << "shadowed in the window";
  EXPECT_EQ(scene_.shape_mask().pixelIndex(8, 62), 0) << "a shadow";
  scene_.set_shadows(false);
  auto now = std::chrono::steady_clock::time_point{} + std::chrono::hours(1);
  scene_.set_fade_clock([&now] { return now; });
  scene_.set_visible(ElementId::im_hero_x1, false);
  flush(everywhere);
  scene_.set_response_override(100);
  scene_.set_visible(ElementId::im_hero_x1, true);
  ASSERT_TRUE(scene_.fading());
  flush(everywhere);
  EXPECT_EQ(scene_.shape_mask().pixelIndex(8, 40), 1) << "a fade, the segment still clear in the window";
}

// Segments' soft edges, many alphas over many shades of the handheld, reach
// the window's pixels as the painter draws them: to the bit, in long rows
// and in rows of three pixels.
TEST_F(SceneTest, SoftEdgesReachTheWindowAsThePainterDrawsThem) {
  const auto mixed = [](int x, int y) {
    return (static_cast<std::uint32_t>(x) * 73856093u) ^ (static_cast<std::uint32_t>(y) * 19349663u);
  };
  scene_.set_client_size(QSize(200, 120));
  QImage handheld(200, 120, QImage::Format_RGB32);
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 200; ++x) handheld.setPixel(x, y, 0xFF000000u | mixed(x, y));
  place(ElementId::im_background, Picture{handheld, false}, QRect(0, 0, 200, 120));
  QImage wide(67, 31, QImage::Format_ARGB32);
  for (int y = 0; y < wide.height(); ++y)
    for (int x = 0; x < wide.width(); ++x)
      wide.setPixel(x, y, qRgba(x * 3 % 256, y * 9 % 256, (x * y) % 256, (x * 4 + y * 11) % 256));
  place(ElementId::im_hero_x1, Picture{wide, true}, QRect(13, 17, 67, 31));
  QImage narrow(3, 100, QImage::Format_ARGB32);
  for (int y = 0; y < narrow.height(); ++y)
    for (int x = 0; x < narrow.width(); ++x)
      narrow.setPixel(x, y, mixed(x, y) | (mixed(x + 7, y) & 0xFF000000u));
  const ElementId narrow_ones[] = {ElementId::im_enemy_drop_x1, ElementId::im_enemy_drop_x2,
                                   ElementId::im_enemy_drop_x3, ElementId::im_hero_drown_x1,
                                   ElementId::im_hero_drown_x3};
  for (int k = 0; k < 5; ++k) place(narrow_ones[k], Picture{narrow, true}, QRect(100 + k * 10, 10, 3, 100));
  scene_.update_shape(scene_.take_dirty_region());
  QImage window(scene_.client_size(), QImage::Format_RGB32);
  for (const bool shown : {false, true, false, true}) {
    scene_.set_visible(ElementId::im_hero_x1, shown);
    for (const ElementId id : narrow_ones) scene_.set_visible(id, shown);
    const QRegion dirty = Scene::paint_region(scene_.take_dirty_region());
    ASSERT_NE(dirty, QRegion(0, 0, 200, 120)) << "a part of the window";
    QPainter p(&window);
    scene_.paint_and_update_shape(p, dirty, dirty, &window);
    p.end();
    expect_whole_frame_over(dirty, [&](QPainter& painted) { painted.drawImage(0, 0, window); });
  }
}

TEST_F(SceneTest, TopmostVisibleElementAnswersHitTests) {
  scene_.set_geometry(ElementId::im_background, QRect(0, 0, 100, 60));
  scene_.set_geometry(ElementId::btn_left_top, QRect(10, 10, 10, 10));
  scene_.set_geometry(ElementId::btn_left_down, QRect(10, 10, 10, 10));
  EXPECT_EQ(scene_.topmost_at(QPoint(15, 15)), ElementId::btn_left_top);
  EXPECT_EQ(scene_.topmost_at(QPoint(50, 50)), ElementId::im_background);
  scene_.set_visible(ElementId::im_background, false);
  EXPECT_EQ(scene_.topmost_at(QPoint(50, 50)), std::nullopt);
}

TEST_F(SceneTest, HostileGeometryIsKeptWithinBounds) {
  scene_.set_geometry(ElementId::im_lady_4, QRect(2147483000, -2147483000, -5, 2000000000));
  const QRect g = scene_.geometry(ElementId::im_lady_4);
  EXPECT_EQ(g, QRect(Scene::kMaxCoordinate, -Scene::kMaxCoordinate, 0, Scene::kMaxSide));
  scene_.set_client_size(QSize(-10, 1 << 30));
  EXPECT_EQ(scene_.client_size(), QSize(0, Scene::kMaxSide));
}

// The scene's view: zoom and full-screen placement.
class SceneView : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    // A grey body on magenta, keyed out by its bottom-left pixel.
    QImage body = test::solid(100, 60, Qt::magenta, Qt::magenta);
    for (int y = 10; y < 50; ++y)
      for (int x = 10; x < 90; ++x) body.setPixelColor(x, y, QColor(128, 128, 128));
    scene_.set_picture(ElementId::im_background, Picture{body, false});
    scene_.set_geometry(ElementId::im_background, QRect(0, 0, 100, 60));
    scene_.set_geometry(ElementId::btn_game_a_top, QRect(20, 20, 10, 6));
    scene_.set_visible(ElementId::la_pause, true);
    scene_.set_geometry(ElementId::la_pause, QRect(0, 35, 100, 25));
  }
  QImage frame_at(double device_ratio = 1.0) const {
    QImage image(scene_.client_size() * device_ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(device_ratio);
    image.fill(Qt::black);
    QPainter p(&image);
    scene_.paint(p, QRegion(0, 0, scene_.client_size().width(), scene_.client_size().height()));
    return image;
  }
};

TEST_F(SceneView, ZoomScalesWindowGeometryAndOutlineTogether) {
  scene_.update_shape(scene_.take_dirty_region());
  const QRegion outline_100(QBitmap::fromImage(scene_.shape_mask()));
  scene_.set_view(Scene::View{2.0, {}, false});
  EXPECT_EQ(scene_.client_size(), QSize(200, 120));
  EXPECT_EQ(scene_.layout_size(), QSize(100, 60));
  EXPECT_EQ(scene_.geometry(ElementId::btn_game_a_top), QRect(40, 40, 20, 12));
  EXPECT_EQ(scene_.geometry(ElementId::la_pause), QRect(0, 70, 200, 50));
  EXPECT_EQ(scene_.topmost_at(QPoint(45, 45)), ElementId::btn_game_a_top);
  ASSERT_TRUE(scene_.update_shape(scene_.take_dirty_region()));
  const QRegion outline_200(QBitmap::fromImage(scene_.shape_mask()));
  const QRegion expected = QTransform::fromScale(2, 2).map(outline_100);
  const QRegion differs = outline_200.xored(expected);
  for (const QRect& r : differs)
    ADD_FAILURE() << "outline differs at " << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
  // Back at 100 % nothing is left of the zoom.
  scene_.set_view(Scene::View{});
  EXPECT_EQ(scene_.geometry(ElementId::btn_game_a_top), QRect(20, 20, 10, 6));
  EXPECT_EQ(scene_.client_size(), QSize(100, 60));
}

// A half-covered pixel blended with the key colour would stay on the screen
// as a pink fringe round the handheld.
TEST_F(SceneView, ZoomedOutlineHasNoFringeOfTheKeyColour) {
  scene_.set_visible(ElementId::la_pause, false);
  for (double scale : {0.75, 1.25, 1.5}) {
    scene_.set_view(Scene::View{scale, {}, false});
    const QImage composed = frame_at();
    for (int y = 0; y < composed.height(); ++y) {
      for (int x = 0; x < composed.width(); ++x) {
        const QColor c = composed.pixelColor(x, y);
        const bool key = c == QColor(Qt::magenta);
        const bool grey =
            std::abs(c.red() - 128) <= 2 && std::abs(c.green() - 128) <= 2 && std::abs(c.blue() - 128) <= 2;
        ASSERT_TRUE(key || grey) << "scale " << scale << " at " << x << "," << y << ": "
                                 << c.name().toStdString();
      }
    }
  }
}

TEST_F(SceneView, TwinIsDrawnPixelForPixelWhereTheHandheldIsShownTwiceAsLarge) {
  QImage one = test::solid(4, 4, Qt::red, Qt::red);
  QImage two(8, 8, QImage::Format_RGB32);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) two.setPixelColor(x, y, (x + y) % 2 ? QColor(Qt::blue) : QColor(Qt::green));
  Picture picture{one, false};
  picture.twin = two;
  scene_.set_picture(ElementId::btn_game_a_down, picture);
  scene_.set_geometry(ElementId::btn_game_a_down, QRect(30, 30, 4, 4));
  scene_.set_visible(ElementId::btn_game_a_down, true);
  scene_.set_visible(ElementId::la_pause, false);
  // At 200 % on a plain screen, and at 100 % on a screen of two device pixels.
  for (auto [scale, ratio] : {std::pair{2.0, 1.0}, std::pair{1.0, 2.0}}) {
    scene_.set_view(Scene::View{scale, {}, false});
    const QImage composed = frame_at(ratio);
    const int at = static_cast<int>(30 * scale * ratio);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x)
        ASSERT_EQ(composed.pixelColor(at + x, at + y), two.pixelColor(x, y)) << x << "," << y;
  }
  // At 100 % on a plain screen the picture itself.
  scene_.set_view(Scene::View{});
  EXPECT_EQ(frame_at().pixelColor(31, 31), QColor(Qt::red));
}

// An SVG picture is drawn afresh for the pixels it covers: a shape's edge
// stays one step from clear to solid at 300 %, where the same picture
// magnified would blur it over several pixels. Two drawings, drawn side by
// side for the new zoom, each land on their own element.
TEST_F(SceneView, SvgPicturesStaySharpWhenMagnified) {
  const auto drawing = [](const std::string& svg, const std::string& name) {
    return decode_picture(std::span(reinterpret_cast<const std::uint8_t*>(svg.data()), svg.size()),
                          PictureFormat::svg, name);
  };
  const Picture upright = drawing(
      "<svg xmlns='http://www.w3.org/2000/svg' width='10' height='10'>"
      "<rect x='2' y='0' width='6' height='10' fill='#000'/></svg>",
      "bar.svg");
  const Picture lying = drawing(
      "<svg xmlns='http://www.w3.org/2000/svg' width='20' height='8'>"
      "<rect x='0' y='3' width='20' height='2' fill='#000'/></svg>",
      "lying.svg");
  ASSERT_TRUE(upright.vector);
  EXPECT_EQ(upright.size(), QSize(10, 10));
  EXPECT_TRUE(upright.has_alpha);
  scene_.set_picture(ElementId::btn_game_a_down, upright);
  scene_.set_geometry(ElementId::btn_game_a_down, QRect(30, 30, 10, 10));
  scene_.set_visible(ElementId::btn_game_a_down, true);
  scene_.set_picture(ElementId::btn_game_b_down, lying);
  scene_.set_geometry(ElementId::btn_game_b_down, QRect(60, 30, 20, 8));
  scene_.set_visible(ElementId::btn_game_b_down, true);
  scene_.set_visible(ElementId::la_pause, false);
  scene_.set_view(Scene::View{3.0, {}, false});
  const QImage composed = frame_at();
  // The upright bar's left edge lies at skin pixel 32, window pixel 96.
  const int y = 100;
  EXPECT_EQ(composed.pixelColor(95, y), QColor(128, 128, 128));
  EXPECT_EQ(composed.pixelColor(96, y), QColor(Qt::black));
  EXPECT_EQ(composed.pixelColor(113, y), QColor(Qt::black));
  EXPECT_EQ(composed.pixelColor(114, y), QColor(128, 128, 128));
  // The lying bar covers skin rows 33 and 34: window rows 99 to 104.
  const int x = 200;
  EXPECT_EQ(composed.pixelColor(x, 98), QColor(128, 128, 128));
  EXPECT_EQ(composed.pixelColor(x, 99), QColor(Qt::black));
  EXPECT_EQ(composed.pixelColor(x, 104), QColor(Qt::black));
  EXPECT_EQ(composed.pixelColor(x, 105), QColor(128, 128, 128));
}

TEST_F(SceneView, FullScreenViewScalesOnlyTheSkinImages) {
  scene_.set_geometry(ElementId::im_backdrop_logo, QRect(70, 50, 30, 10));
  scene_.set_view(Scene::View{2.0, QPoint(5, 7), true});
  EXPECT_EQ(scene_.client_size(), QSize(100, 60));
  EXPECT_EQ(scene_.geometry(ElementId::btn_game_a_top), QRect(45, 47, 20, 12));
  EXPECT_EQ(scene_.geometry(ElementId::im_backdrop_logo), QRect(70, 50, 30, 10));
  EXPECT_EQ(scene_.geometry(ElementId::la_pause), QRect(0, 35, 100, 25));
  EXPECT_EQ(scene_.geometry(ElementId::btn_game_menu_top), QRect(0, 0, 36, 32));
}

TEST_F(SceneView, NonsenseScalesFallBackToTheSkinsOwnPixels) {
  for (double bad : {0.0, -2.0, 1e9, std::nan("")}) {
    scene_.set_view(Scene::View{bad, {}, false});
    EXPECT_EQ(scene_.client_size(), QSize(100, 60)) << bad;
  }
}

}  // namespace
}  // namespace hero
