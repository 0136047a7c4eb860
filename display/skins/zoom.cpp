#include "display/skins/zoom.h"

#include <algorithm>

namespace hero {

std::optional<int> zoom_from_setting(std::optional<std::int32_t> stored) {
  if (!stored) return std::nullopt;
  const int value = *stored;
  if (value == kZoomFit) return value;
  for (int step : kZoomSteps)
    if (step == value) return value;
  return std::nullopt;
}

double fit_scale(QSize handheld, QSize available) {
  if (handheld.isEmpty() || available.isEmpty()) return 1.0;
  return std::min(static_cast<double>(available.width()) / handheld.width(),
                  static_cast<double>(available.height()) / handheld.height());
}

double zoom_scale(int percent, QSize handheld, QSize available) {
  if (percent == kZoomFit) return fit_scale(handheld, available);
  return percent / 100.0;
}

int first_start_zoom(QSize handheld, QSize available) {
  const double fit = fit_scale(handheld, available);
  if (fit >= 1.0) return kZoomDefault;
  int chosen = kZoomSteps.front();
  for (int step : kZoomSteps)
    if (step / 100.0 <= fit) chosen = step;
  return chosen;
}

int next_zoom_step(double current_scale, int direction) {
  // A step within half a percent of the scale shown counts as the one shown.
  constexpr double kSame = 0.005;
  if (direction > 0) {
    for (int step : kZoomSteps)
      if (step / 100.0 > current_scale + kSame) return step;
    return kZoomSteps.back();
  }
  for (auto it = kZoomSteps.rbegin(); it != kZoomSteps.rend(); ++it)
    if (*it / 100.0 < current_scale - kSame) return *it;
  return kZoomSteps.front();
}

QPoint keep_centre(const QRect& old_geometry, QSize new_size, const QRect& available) {
  const QPoint centre = old_geometry.topLeft() + QPoint(old_geometry.width() / 2, old_geometry.height() / 2);
  int left = centre.x() - new_size.width() / 2;
  int top = centre.y() - new_size.height() / 2;
  // A window that fits the area is kept inside it; a larger one keeps its
  // top-left corner on it.
  if (!available.isEmpty()) {
    if (new_size.width() <= available.width()) {
      left = std::clamp(left, available.left(), available.right() + 1 - new_size.width());
    } else {
      left = available.left();
    }
    if (new_size.height() <= available.height()) {
      top = std::clamp(top, available.top(), available.bottom() + 1 - new_size.height());
    } else {
      top = available.top();
    }
  }
  return QPoint(left, top);
}

}  // namespace hero
