// Zoom: the steps, the fit to laptop, desktop and 4K screens, the first
// start on a small screen, stored values, and the scene's view that scales
// skin pixels to window pixels without a fringe round the outline.
#include "display/zoom.h"

#include <QBitmap>
#include <QPainter>
#include <QTransform>

#include <cmath>

#include <gtest/gtest.h>

#include "display/gfxinit.h"
#include "display/scene.h"
#include "tests/skins/test_support.h"

namespace hero {
namespace {

const QSize kLarge(1475, 870);  // the large default skin
const QSize kSmall(885, 522);
// Available areas (a task bar of 40 pixels taken off) of three screens.
const QSize kLaptop(1366, 728);
const QSize kDesktop(1920, 1040);
const QSize k4K(3840, 2120);

TEST(Zoom, StoredValuesAreStepsOrNothing) {
  EXPECT_EQ(zoom_from_setting(std::string("150")), 150);
  EXPECT_EQ(zoom_from_setting(std::string("0")), 0);
  EXPECT_EQ(zoom_from_setting(std::string("50")), 50);
  for (const char* bad : {"300", "99", "-100", "big", "100x", " 100", "", "1e2", "99999999999999999999"})
    EXPECT_FALSE(zoom_from_setting(std::string(bad))) << bad;
  EXPECT_FALSE(zoom_from_setting(std::nullopt));
}

TEST(Zoom, FitToScreenIsTheLargestScaleTheHandheldFitsAt) {
  EXPECT_NEAR(fit_scale(kLarge, kLaptop), 728.0 / 870, 1e-9);
  EXPECT_NEAR(fit_scale(kLarge, kDesktop), 1040.0 / 870, 1e-9);
  EXPECT_NEAR(fit_scale(kLarge, k4K), 2120.0 / 870, 1e-9);
  EXPECT_NEAR(fit_scale(kSmall, kLaptop), 728.0 / 522, 1e-9);
  // Every fitted size is inside the area.
  for (QSize area : {kLaptop, kDesktop, k4K}) {
    const double scale = zoom_scale(kZoomFit, kLarge, area);
    EXPECT_LE(kLarge.width() * scale, area.width() + 0.5);
    EXPECT_LE(kLarge.height() * scale, area.height() + 0.5);
  }
  EXPECT_EQ(fit_scale(QSize(), kLaptop), 1.0);
  EXPECT_EQ(zoom_scale(125, kLarge, kLaptop), 1.25);
}

TEST(Zoom, FirstStartOnAScreenTooSmallTakesTheLargestStepThatFits) {
  EXPECT_EQ(first_start_zoom(kLarge, kLaptop), 75);
  EXPECT_EQ(first_start_zoom(kLarge, kDesktop), 100);
  EXPECT_EQ(first_start_zoom(kLarge, k4K), 100);
  EXPECT_EQ(first_start_zoom(kSmall, kLaptop), 100);
  EXPECT_EQ(first_start_zoom(kLarge, QSize(640, 400)), 50);
  EXPECT_EQ(first_start_zoom(kLarge, QSize(300, 200)), 50);  // nothing fits: the smallest
}

TEST(Zoom, StepsGoInAndOutAndStopAtTheEnds) {
  EXPECT_EQ(next_zoom_step(1.0, +1), 125);
  EXPECT_EQ(next_zoom_step(1.0, -1), 75);
  EXPECT_EQ(next_zoom_step(2.0, +1), 200);
  EXPECT_EQ(next_zoom_step(0.5, -1), 50);
  // From a fit of 0.837 (the laptop) the next steps are 100 % and 75 %.
  EXPECT_EQ(next_zoom_step(0.837, +1), 100);
  EXPECT_EQ(next_zoom_step(0.837, -1), 75);
  EXPECT_EQ(next_zoom_step(2.437, -1), 200);
}

TEST(Zoom, ResizingKeepsTheCentreAndTheWindowOnTheArea) {
  const QRect area(0, 0, 1366, 728);
  EXPECT_EQ(keep_centre(QRect(400, 200, 400, 200), QSize(800, 400), area), QPoint(200, 100));
  // Near an edge the grown window is pushed back onto the area.
  EXPECT_EQ(keep_centre(QRect(1000, 500, 300, 200), QSize(600, 400), area), QPoint(766, 328));
  // Larger than the area: its top-left corner on the area.
  EXPECT_EQ(keep_centre(QRect(100, 100, 300, 200), QSize(3000, 2000), area), QPoint(0, 0));
}

TEST(Zoom, FullScreenFitFillsTheScreensHeightOrWidth) {
  const Scene::View centred = fullscreen_view(kLarge, QSize(3840, 2160), 0, 0, true);
  EXPECT_NEAR(centred.scale, 2160.0 / 870, 1e-9);
  EXPECT_EQ(centred.origin.y(), 0);
  EXPECT_EQ(centred.origin.x(), (3840 - static_cast<int>(std::lround(1475 * 2160.0 / 870))) / 2);
  const Scene::View wide = fullscreen_view(QSize(1000, 200), QSize(1920, 1080), 0, 0, true);
  EXPECT_NEAR(wide.scale, 1.92, 1e-9);
  EXPECT_EQ(wide.origin.x(), 0);
  // Stated offsets scale with the area, and count against the screen.
  const Scene::View offset = fullscreen_view(QSize(800, 400), QSize(1920, 1080), 160, 0, true);
  EXPECT_NEAR(offset.scale, std::min(1920.0 / 960, 1080.0 / 400), 1e-9);
  EXPECT_EQ(offset.origin.x(), 320);
  // Without the fit the skin's own placement stands.
  const Scene::View own = fullscreen_view(kLarge, QSize(1920, 1080), 0, 25, false);
  EXPECT_EQ(own.scale, 1.0);
  EXPECT_EQ(own.origin, QPoint((1920 - 1475) / 2, 25));
  EXPECT_TRUE(own.skin_only);
}

class SceneView : public ::testing::Test {
 protected:
  void SetUp() override {
    test::ensure_gui();
    scene_.set_client_size(QSize(100, 60));
    scene_.set_colour_key(true, Qt::magenta);
    scene_.set_background_colour(Qt::magenta);
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
  QImage frame(double device_ratio = 1.0) const {
    QImage image(scene_.client_size() * device_ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(device_ratio);
    image.fill(Qt::black);
    QPainter p(&image);
    scene_.paint(p, QRegion(0, 0, scene_.client_size().width(), scene_.client_size().height()));
    return image;
  }
  Scene scene_;
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
  for (const QRect& r : differs) ADD_FAILURE() << "outline differs at " << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
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
    const QImage composed = frame();
    for (int y = 0; y < composed.height(); ++y) {
      for (int x = 0; x < composed.width(); ++x) {
        const QColor c = composed.pixelColor(x, y);
        const bool key = c == QColor(Qt::magenta);
        const bool grey = std::abs(c.red() - 128) <= 2 && std::abs(c.green() - 128) <= 2 && std::abs(c.blue() - 128) <= 2;
        ASSERT_TRUE(key || grey) << "scale " << scale << " at " << x << "," << y << ": " << c.name().toStdString();
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
    const QImage composed = frame(ratio);
    const int at = static_cast<int>(30 * scale * ratio);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) ASSERT_EQ(composed.pixelColor(at + x, at + y), two.pixelColor(x, y)) << x << "," << y;
  }
  // At 100 % on a plain screen the picture itself.
  scene_.set_view(Scene::View{});
  EXPECT_EQ(frame().pixelColor(31, 31), QColor(Qt::red));
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
