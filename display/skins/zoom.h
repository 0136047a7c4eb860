// Zoom of the windowed handheld: the steps a player chooses from, the fit to
// the screen, and the rules that keep them sane. Pure functions of sizes, so
// every screen can be tried without one.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <array>
#include <optional>
#include <string>

#include "engine/settings_values.h"

namespace hero {

// The steps in percent; 0 means "Fit to screen".
inline constexpr std::array<int, 6> kZoomSteps{50, 75, 100, 125, 150, 200};
inline constexpr int kZoomFit = 0;
inline constexpr int kZoomDefault = settings::kZoom.default_value;

// The stored `Zoom` value (as the store reads it) as a step, or none when it
// is absent or not one of the steps (a hand-edited "300", "big", "100x").
std::optional<int> zoom_from_setting(std::optional<std::int32_t> stored);

// The largest scale at which `handheld` fits `available`; 1.0 for sizes
// that say nothing.
double fit_scale(QSize handheld, QSize available);

// The scale a zoom setting means for a handheld on a screen.
double zoom_scale(int percent, QSize handheld, QSize available);

// The first start with nothing stored: 100 %, or the largest step that fits
// when the handheld at 100 % is larger than the available area.
int first_start_zoom(QSize handheld, QSize available);

// One step in or out (`direction` +1 / -1) from the scale now shown; from
// "Fit to screen" the nearest step beyond the fit. The ends stay where they
// are.
int next_zoom_step(double current_scale, int direction);

// Where a window goes when it changes size about its centre, kept on the
// available area where it fits there.
QPoint keep_centre(const QRect& old_geometry, QSize new_size, const QRect& available);

}  // namespace hero
