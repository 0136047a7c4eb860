#include "display/scene.h"

#include <QFont>
#include <QPainter>

#include <algorithm>

namespace hero {
namespace {

// Elements visible before any skin or game touches them: the handheld
// picture, its overlay and the hot areas of the buttons.
constexpr ElementId kVisibleBeforeSkin[] = {
    ElementId::im_background, ElementId::im_background_screen_top,
    ElementId::btn_left_top,  ElementId::btn_right_top,
    ElementId::btn_alarm_top, ElementId::btn_game_a_top,
    ElementId::btn_game_b_top, ElementId::btn_time_top,
    ElementId::btn_acl_top,
};

int clamp_coordinate(int v) { return std::clamp(v, -Scene::kMaxCoordinate, Scene::kMaxCoordinate); }
int clamp_side(int v) { return std::clamp(v, 0, Scene::kMaxSide); }

QRect clamped(const QRect& r) {
  return QRect(clamp_coordinate(r.x()), clamp_coordinate(r.y()), clamp_side(r.width()), clamp_side(r.height()));
}

bool is_key_pixel(QRgb pixel, QRgb key) { return (pixel & 0x00FFFFFFu) == (key & 0x00FFFFFFu); }

}  // namespace

Scene::Scene() {
  for (ElementId id : kVisibleBeforeSkin) at(id).visible = true;
  at(ElementId::la_pause).geometry = QRect(QPoint(0, 0), kPauseLabelSize);
  at(ElementId::btn_game_menu_background).geometry = QRect(QPoint(0, 0), kGameMenuButtonSize);
  at(ElementId::btn_game_menu_top).geometry = QRect(QPoint(0, 0), kGameMenuButtonSize);
  at(ElementId::im_backdrop).geometry = client_rect();
  dirty_ = QRegion(client_rect());
}

bool Scene::is_transparent(ElementId id) {
  return id == ElementId::im_backdrop_logo || id == ElementId::im_background ||
         id == ElementId::im_background_screen_top || is_segment(id);
}

// ---- The LCD ----------------------------------------------------------------

void Scene::set_visible(ElementId id, bool visible) {
  Element& e = at(id);
  if (e.visible == visible) return;
  e.visible = visible;
  mark_element_dirty(id, true);
}

bool Scene::is_visible(ElementId id) const { return at(id).visible; }

void Scene::copy_picture(ElementId to, ElementId from) {
  if (to == from) return;
  const Element& source = at(from);
  Element& target = at(to);
  // The clock copies the same glyph every tick; an unchanged picture needs no repaint.
  if (target.picture.image.cacheKey() == source.picture.image.cacheKey() &&
      target.picture.empty() == source.picture.empty()) {
    return;
  }
  target.picture = source.picture;
  target.drawn = is_transparent(to) == is_transparent(from) ? source.drawn
                 : is_transparent(to)                      ? transparent_form(target.picture)
                                                           : target.picture.image;
  target.stretched = QImage();
  mark_element_dirty(to);
}

void Scene::clear_picture(ElementId id) {
  Element& e = at(id);
  if (e.picture.empty()) return;
  e.picture = Picture{};
  e.drawn = QImage();
  e.stretched = QImage();
  mark_element_dirty(id);
}

// ---- Elements ---------------------------------------------------------------

void Scene::set_picture(ElementId id, const Picture& picture) {
  Element& e = at(id);
  e.picture = picture;
  e.drawn = is_transparent(id) ? transparent_form(picture) : picture.image;
  e.stretched = QImage();
  mark_element_dirty(id);
}

const Picture& Scene::picture(ElementId id) const { return at(id).picture; }

const QImage& Scene::drawn_image(ElementId id) const { return at(id).drawn; }

void Scene::set_geometry(ElementId id, const QRect& rect) {
  Element& e = at(id);
  const QRect r = clamped(rect);
  if (e.geometry == r) return;
  mark_element_dirty(id);
  if (e.geometry.size() != r.size()) e.stretched = QImage();
  e.geometry = r;
  mark_element_dirty(id);
}

QRect Scene::geometry(ElementId id) const { return at(id).geometry; }

void Scene::set_picture_mode(ElementId id, PictureMode mode) {
  Element& e = at(id);
  if (e.mode == mode) return;
  e.mode = mode;
  e.stretched = QImage();
  mark_element_dirty(id);
}

PictureMode Scene::picture_mode(ElementId id) const { return at(id).mode; }

std::optional<ElementId> Scene::topmost_at(const QPoint& point) const {
  for (int i = kElementCount - 1; i >= 0; --i) {
    const Element& e = elements_[static_cast<std::size_t>(i)];
    if (e.visible && e.geometry.contains(point)) return static_cast<ElementId>(i);
  }
  return std::nullopt;
}

// ---- The window -------------------------------------------------------------

void Scene::set_client_size(const QSize& size) {
  const QSize s(clamp_side(size.width()), clamp_side(size.height()));
  if (s == client_size_) return;
  // The backdrop keeps its distances to all four edges.
  Element& backdrop = at(ElementId::im_backdrop);
  const QRect b = backdrop.geometry;
  backdrop.geometry = clamped(QRect(b.x(), b.y(), b.width() + s.width() - client_size_.width(),
                                    b.height() + s.height() - client_size_.height()));
  backdrop.stretched = QImage();
  client_size_ = s;
  shape_reset_ = true;
  mark_dirty(client_rect());
}

void Scene::set_background_colour(const QColor& colour) {
  if (colour == background_) return;
  background_ = colour;
  mark_dirty(client_rect());
}

void Scene::set_colour_key(bool enabled, const QColor& colour) {
  if (enabled == key_enabled_ && colour == key_colour_) return;
  key_enabled_ = enabled;
  key_colour_ = colour;
  shape_reset_ = true;
  mark_dirty(client_rect());
}

// ---- Repaint ------------------------------------------------------------------

void Scene::set_on_change(std::function<void()> on_change) { on_change_ = std::move(on_change); }

void Scene::mark_dirty(const QRect& rect) {
  const QRect r = rect & client_rect();
  if (r.isEmpty()) return;
  const bool was_clean = dirty_.isEmpty();
  dirty_ += r;
  if (key_enabled_) frame_stale_ += r;
  if (was_clean && on_change_) on_change_();
}

void Scene::mark_element_dirty(ElementId id, bool even_if_hidden) {
  const Element& e = at(id);
  // A hidden element's picture and place change nothing on the screen.
  if (!e.visible && !even_if_hidden) return;
  mark_dirty(e.geometry);
}

QRegion Scene::take_dirty_region() {
  QRegion taken = dirty_;
  dirty_ = QRegion();
  return taken;
}

const QImage& Scene::pause_label_image() const {
  if (pause_label_.isNull()) {
    QImage label(kPauseLabelSize, QImage::Format_RGB32);
    label.fill(Qt::black);
    QPainter p(&label);
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    // A font 24 pixels high from the top of its accents to the bottom of its
    // descenders: about 21 pixels of em.
    font.setPixelSize(21);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(QPoint(0, 0), kPauseLabelSize), Qt::AlignCenter, QStringLiteral("PAUSED"));
    p.end();
    pause_label_ = label;
  }
  return pause_label_;
}

void Scene::paint_element(QPainter& painter, ElementId id, const Element& e) const {
  const QRect& g = e.geometry;
  if (id == ElementId::la_pause) {
    const QImage& label = pause_label_image();
    painter.drawImage(g.topLeft(), label, QRect(QPoint(0, 0), g.size().boundedTo(label.size())));
    return;
  }
  if (e.drawn.isNull()) return;
  switch (e.mode) {
    case PictureMode::top_left:
      painter.drawImage(g.topLeft(), e.drawn, QRect(QPoint(0, 0), g.size().boundedTo(e.drawn.size())));
      return;
    case PictureMode::centre: {
      const QPoint at_(g.x() + (g.width() - e.drawn.width()) / 2, g.y() + (g.height() - e.drawn.height()) / 2);
      const QRect placed = QRect(at_, e.drawn.size()) & g;
      painter.drawImage(placed.topLeft(), e.drawn, placed.translated(-at_));
      return;
    }
    case PictureMode::stretch:
      // Scaling a full-screen picture costs tens of milliseconds, so it is
      // done once per picture and size, not on every repaint.
      if (e.stretched.size() != g.size()) {
        e.stretched = e.drawn.scaled(g.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
      }
      painter.drawImage(g.topLeft(), e.stretched);
      return;
  }
}

QRect Scene::opaque_cover(const Element& e) {
  if (e.drawn.isNull() || e.drawn.hasAlphaChannel() || e.geometry.isEmpty()) return QRect();
  const QRect& g = e.geometry;
  switch (e.mode) {
    case PictureMode::top_left: return QRect(g.topLeft(), g.size().boundedTo(e.drawn.size()));
    case PictureMode::centre:
      return QRect(QPoint(g.x() + (g.width() - e.drawn.width()) / 2, g.y() + (g.height() - e.drawn.height()) / 2),
                   e.drawn.size()) & g;
    case PictureMode::stretch: return g;
  }
  return QRect();
}

void Scene::paint(QPainter& painter, const QRegion& clip) const {
  const QRegion area = clip & QRegion(client_rect());
  if (area.isEmpty()) return;
  // While the outline is kept, the scene's own copy of the frame is already
  // composed wherever nothing changed since: copying it is cheaper.
  if (!composing_frame_ && key_enabled_ && !shape_reset_ && !frame_.isNull() && frame_.size() == client_size_ &&
      (frame_stale_ & area).isEmpty()) {
    for (const QRect& r : area) painter.drawImage(r.topLeft(), frame_, r);
    return;
  }
  const QRect bounds = area.boundingRect();
  // Everything beneath the topmost opaque picture covering the whole area
  // (a full-screen backdrop, typically) would be painted over anyway.
  int first = 0;
  for (int i = kElementCount - 1; i > 0; --i) {
    const Element& e = elements_[static_cast<std::size_t>(i)];
    if (e.visible && opaque_cover(e).contains(bounds)) {
      first = i;
      break;
    }
  }
  painter.save();
  painter.setClipRegion(area);
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  if (first == 0) {
    for (const QRect& r : area) painter.fillRect(r, background_);
  }
  for (int i = first; i < kElementCount; ++i) {
    const Element& e = elements_[static_cast<std::size_t>(i)];
    if (!e.visible || e.geometry.isEmpty() || !e.geometry.intersects(bounds)) continue;
    paint_element(painter, static_cast<ElementId>(i), e);
  }
  painter.restore();
}

// ---- Shaped window ----------------------------------------------------------

bool Scene::update_shape(const QRegion& changed) {
  if (!key_enabled_) {
    frame_ = QImage();
    mask_ = QImage();
    frame_stale_ = QRegion();
    const bool report = shape_was_on_ || shape_reset_;
    shape_was_on_ = false;
    shape_reset_ = false;
    return report;
  }
  const QRgb key = key_colour_.rgb();
  bool changed_shape = false;
  QRegion area = (changed + frame_stale_) & QRegion(client_rect());
  frame_stale_ = QRegion();
  if (shape_reset_ || frame_.size() != client_size_) {
    frame_ = QImage(client_size_, QImage::Format_RGB32);
    mask_ = QImage(client_size_, QImage::Format_MonoLSB);
    if (frame_.isNull() || mask_.isNull()) {
      frame_ = QImage();
      mask_ = QImage();
    } else {
      mask_.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
      mask_.fill(0);
    }
    area = QRegion(client_rect());
    shape_reset_ = false;
    changed_shape = true;
  }
  shape_was_on_ = true;
  if (frame_.isNull() || area.isEmpty()) return changed_shape;
  {
    QPainter p(&frame_);
    composing_frame_ = true;
    paint(p, area);
    composing_frame_ = false;
  }
  for (const QRect& r : area) {
    for (int y = r.top(); y <= r.bottom(); ++y) {
      const auto* line = reinterpret_cast<const QRgb*>(frame_.constScanLine(y));
      uchar* bits = mask_.scanLine(y);
      for (int x = r.left(); x <= r.right(); ++x) {
        const bool drawn = !is_key_pixel(line[x], key);
        const uchar bit = static_cast<uchar>(1u << (x & 7));
        const bool was = (bits[x >> 3] & bit) != 0;
        if (drawn != was) {
          changed_shape = true;
          bits[x >> 3] = static_cast<uchar>(drawn ? bits[x >> 3] | bit : bits[x >> 3] & ~bit);
        }
      }
    }
  }
  return changed_shape;
}

QImage Scene::shape_mask() const { return key_enabled_ ? mask_ : QImage(); }

}  // namespace hero
