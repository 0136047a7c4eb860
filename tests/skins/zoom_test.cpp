// Zoom: the steps, the fit to laptop, desktop and 4K screens, the first
// start on a small screen, stored values and the full-screen placement (the
// scene's view itself is tested with the scene).
#include "display/skins/zoom.h"

#include <cmath>

#include <gtest/gtest.h>

#include "display/skins/gfxinit.h"
#include "engine/memory_settings_store.h"

namespace hero {
namespace {

const QSize kLarge(1475, 870);  // the large default skin
const QSize kSmall(885, 522);
// Available areas (a task bar of 40 pixels taken off) of three screens.
const QSize kLaptop(1366, 728);
const QSize kDesktop(1920, 1040);
const QSize k4K(3840, 2120);

TEST(Zoom, StoredValuesAreStepsOrNothing) {
  MemorySettingsStore store;
  const auto stored = [&](const char* text) {
    store.write_text("Zoom", text);
    return zoom_from_setting(settings::read_stored(store, settings::kZoom));
  };
  EXPECT_EQ(stored("150"), 150);
  EXPECT_EQ(stored("0"), 0);
  EXPECT_EQ(stored("50"), 50);
  for (const char* bad : {"300", "99", "-100", "big", "100x", " 100", "", "1e2", "99999999999999999999"})
    EXPECT_FALSE(stored(bad)) << bad;
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

}  // namespace
}  // namespace hero
