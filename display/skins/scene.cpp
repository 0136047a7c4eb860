#include "display/skins/scene.h"

#include <QFont>
#include <QPaintDevice>
#include <QPainter>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <atomic>
#include <cmath>
#include <set>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "display/skins/vector_picture.h"

namespace hero {
namespace {

// Elements visible before any skin or game touches them: the handheld
// picture, its overlay and the hot areas of the buttons.
constexpr ElementId kVisibleBeforeSkin[] = {
    ElementId::im_background,  ElementId::im_background_screen_top,
    ElementId::btn_left_top,   ElementId::btn_right_top,
    ElementId::btn_alarm_top,  ElementId::btn_game_a_top,
    ElementId::btn_game_b_top, ElementId::btn_time_top,
    ElementId::btn_acl_top,
};

int clamp_coordinate(int v) { return std::clamp(v, -Scene::kMaxCoordinate, Scene::kMaxCoordinate); }
int clamp_side(int v) { return std::clamp(v, 0, Scene::kMaxSide); }

QRect clamped(const QRect& r) {
  return QRect(clamp_coordinate(r.x()), clamp_coordinate(r.y()), clamp_side(r.width()),
               clamp_side(r.height()));
}

// The gold of the rule round the LCD's bezel in the default skins.
const QColor kPauseLabelTrim(0xd9, 0xb4, 0x5a);

bool is_key_pixel(QRgb pixel, QRgb key) { return (pixel & 0x00FFFFFFu) == (key & 0x00FFFFFFu); }

// Whether a pixel of a row, from `first` to `last`, is the key colour:
// sixteen at a time where the processor compares four side by side, then
// eight at a time, which the compiler tests side by side.
bool has_key_pixel(const QRgb* line, int first, int last, QRgb key) {
  int x = first;
#if defined(__SSE2__)
  const __m128i colour = _mm_set1_epi32(0x00FFFFFF);
  const __m128i wanted = _mm_set1_epi32(static_cast<int>(key & 0x00FFFFFFu));
  const auto four = [&](int at) {
    return _mm_cmpeq_epi32(
        _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(line + at)), colour), wanted);
  };
  for (; x + 15 <= last; x += 16) {
    const __m128i found =
        _mm_or_si128(_mm_or_si128(four(x), four(x + 4)), _mm_or_si128(four(x + 8), four(x + 12)));
    if (_mm_movemask_epi8(found) != 0) return true;
  }
#endif
  for (; x + 7 <= last; x += 8) {
    unsigned found = 0;
    for (int k = 0; k < 8; ++k) found |= static_cast<unsigned>(is_key_pixel(line[x + k], key));
    if (found != 0) return true;
  }
  for (; x <= last; ++x)
    if (is_key_pixel(line[x], key)) return true;
  return false;
}

// Marks the outline drawn from `first` to `last` of a row; answers whether
// a bit changed.
bool mark_drawn(uchar* bits, int first, int last) {
  bool changed = false;
  const auto set = [&](int byte, unsigned ones) {
    const auto now = static_cast<uchar>(bits[byte] | ones);
    changed = changed || now != bits[byte];
    bits[byte] = now;
  };
  const int first_byte = first >> 3;
  const int last_byte = last >> 3;
  const auto from = [](int bit) { return (0xFFu << bit) & 0xFFu; };
  const auto up_to = [](int bit) { return 0xFFu >> (7 - bit); };
  if (first_byte == last_byte) {
    set(first_byte, from(first & 7) & up_to(last & 7));
    return changed;
  }
  set(first_byte, from(first & 7));
  int byte = first_byte + 1;
  // Eight bytes at a time: inside the LCD they are all drawn already.
  for (; byte + 8 <= last_byte; byte += 8) {
    std::uint64_t word = 0;
    std::memcpy(&word, bits + byte, sizeof word);
    if (word != ~std::uint64_t{0}) {
      changed = true;
      std::memset(bits + byte, 0xFF, sizeof word);
    }
  }
  for (; byte < last_byte; ++byte) set(byte, 0xFFu);
  set(last_byte, up_to(last & 7));
  return changed;
}

// A premultiplied pixel drawn over another as the painter does: its colour
// plus the one beneath scaled by what it leaves through, each channel
// rounded as x * a / 255 is.
QRgb over(QRgb source, QRgb beneath) {
  if (source >= 0xFF000000u) return source;
  if (source == 0) return beneath;
  const unsigned through = 255u - qAlpha(source);
  const auto scaled = [through](unsigned pairs) {
    pairs *= through;
    return ((pairs + ((pairs >> 8) & 0x00FF00FFu) + 0x00800080u) >> 8) & 0x00FF00FFu;
  };
  return source + (scaled(beneath & 0x00FF00FFu) | (scaled((beneath >> 8) & 0x00FF00FFu) << 8));
}

// A row of premultiplied pixels drawn over a row of the frame: four at a
// time where the processor works on four side by side, those all clear
// passed by and those all opaque copied.
void blend_row(QRgb* frame, const QRgb* source, int count) {
  int x = 0;
#if defined(__SSE2__)
  const __m128i alpha = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  const __m128i low_bytes = _mm_set1_epi16(0x00FF);
  const __m128i half = _mm_set1_epi16(0x0080);
  for (; x + 4 <= count; x += 4) {
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + x));
    if (_mm_movemask_epi8(_mm_cmpeq_epi32(s, _mm_setzero_si128())) == 0xFFFF) continue;
    if (_mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(s, alpha), alpha)) == 0xFFFF) {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(frame + x), s);
      continue;
    }
    // 255 - alpha in both halves of each pixel.
    __m128i through = _mm_srli_epi32(_mm_xor_si128(s, _mm_set1_epi32(-1)), 24);
    through = _mm_or_si128(through, _mm_slli_epi32(through, 16));
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(frame + x));
    __m128i blue_red = _mm_mullo_epi16(_mm_and_si128(d, low_bytes), through);
    __m128i green_alpha = _mm_mullo_epi16(_mm_srli_epi16(d, 8), through);
    blue_red = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(blue_red, _mm_srli_epi16(blue_red, 8)), half), 8);
    green_alpha = _mm_andnot_si128(
        low_bytes, _mm_add_epi16(_mm_add_epi16(green_alpha, _mm_srli_epi16(green_alpha, 8)), half));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(frame + x),
                     _mm_add_epi8(s, _mm_or_si128(blue_red, green_alpha)));
  }
#endif
  for (; x < count; ++x) frame[x] = over(source[x], frame[x]);
}

bool is_digit_position(ElementId id) {
  return id == ElementId::im_panel_digit_1 || id == ElementId::im_panel_digit_2 ||
         id == ElementId::im_panel_digit_3 || id == ElementId::im_panel_digit_4;
}

int rounded(double v) { return static_cast<int>(std::lround(v)); }

QRect device_rect(const QRect& r, double ratio) {
  if (ratio == 1.0) return r;
  return QRect(rounded(r.x() * ratio), rounded(r.y() * ratio), rounded(r.width() * ratio),
               rounded(r.height() * ratio));
}

// A zoomed picture drawn over the colour key must keep a hard edge: a half
// transparent pixel over the key colour would be a pink fringe around the
// handheld's outline. Edge pixels become either fully drawn (their own colour)
// or fully transparent, as at 100 %.
void harden_edges(QImage& premultiplied) {
  const int width = premultiplied.width();
  const int height = premultiplied.height();
  for (int y = 0; y < height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(premultiplied.scanLine(y));
    for (int x = 0; x < width; ++x) {
      const int alpha = qAlpha(line[x]);
      if (alpha == 255) continue;
      if (alpha < 128) {
        line[x] = 0;
      } else {
        line[x] = qRgba(qRed(line[x]) * 255 / alpha, qGreen(line[x]) * 255 / alpha,
                        qBlue(line[x]) * 255 / alpha, 255);
      }
    }
  }
}

}  // namespace

Scene::Scene() {
  for (ElementId id : kVisibleBeforeSkin) at(id).visible = true;
  for (auto [id, rect] :
       {std::pair{ElementId::la_pause, QRect(QPoint(0, 0), kPauseLabelSize)},
        std::pair{ElementId::btn_game_menu_background, QRect(QPoint(0, 0), kGameMenuButtonSize)},
        std::pair{ElementId::btn_game_menu_top, QRect(QPoint(0, 0), kGameMenuButtonSize)},
        std::pair{ElementId::im_backdrop, client_rect()}}) {
    at(id).layout = rect;
    at(id).geometry = rect;
  }
  dirty_.add(client_rect());
}

bool Scene::is_transparent(ElementId id) {
  return id == ElementId::im_backdrop_logo || id == ElementId::im_background ||
         id == ElementId::im_background_screen_top || is_segment(id);
}

// ---- The LCD ----------------------------------------------------------------

void Scene::set_visible(ElementId id, bool visible) {
  Element& e = at(id);
  if (e.visible == visible) return;
  if (is_segment(id) && response_ms() > 0) {
    // The crystal turns from wherever it stands now.
    const auto now = fade_now_ ? fade_now_() : std::chrono::steady_clock::now();
    e.fade_from = level_at(e, now);
    e.fade_start = now;
    if (!e.fading) ++fading_count_;
    e.fading = true;
  }
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
  const bool same_form = is_transparent(to) == is_transparent(from);
  target.drawn = same_form            ? source.drawn
                 : is_transparent(to) ? transparent_form(target.picture)
                                      : target.picture.image;
  target.drawn_twin = same_form            ? source.drawn_twin
                      : is_transparent(to) ? transparent_twin_form(target.picture)
                                           : target.picture.twin;
  forget_copies(target);
  mark_element_dirty(to);
}

void Scene::clear_picture(ElementId id) {
  Element& e = at(id);
  if (e.picture.empty()) return;
  e.picture = Picture{};
  e.drawn = QImage();
  e.drawn_twin = QImage();
  forget_copies(e);
  mark_element_dirty(id);
}

// ---- Elements ---------------------------------------------------------------

void Scene::set_picture(ElementId id, const Picture& picture) {
  Element& e = at(id);
  e.picture = picture;
  e.drawn = QImage();
  e.drawn_twin = QImage();
  const bool transparent = is_transparent(id);
  if (transparent && !picture.empty()) {
    // One segment shape often serves many positions: its transparent forms
    // are made once and shared, not once per element.
    for (std::size_t i = 0; i < elements_.size(); ++i) {
      const Element& other = elements_[i];
      if (&other != &e && !other.drawn.isNull() &&
          other.picture.image.cacheKey() == picture.image.cacheKey() &&
          other.picture.twin.cacheKey() == picture.twin.cacheKey() &&
          is_transparent(static_cast<ElementId>(i))) {
        e.drawn = other.drawn;
        e.drawn_twin = other.drawn_twin;
        break;
      }
    }
  }
  if (e.drawn.isNull()) {
    e.drawn = transparent ? transparent_form(picture) : picture.image;
    e.drawn_twin = transparent ? transparent_twin_form(picture) : picture.twin;
  }
  forget_copies(e);
  mark_element_dirty(id);
}

const Picture& Scene::picture(ElementId id) const { return at(id).picture; }

const QImage& Scene::drawn_image(ElementId id) const { return at(id).drawn; }

void Scene::set_geometry(ElementId id, const QRect& rect) {
  Element& e = at(id);
  const QRect layout = clamped(rect);
  const QRect r = window_rect(id, layout);
  e.layout = layout;
  if (e.geometry == r) return;
  mark_element_dirty(id);
  if (e.geometry.size() != r.size()) forget_copies(e);
  e.geometry = r;
  glass_.reset();
  mark_element_dirty(id);
}

QRect Scene::geometry(ElementId id) const { return at(id).geometry; }

void Scene::set_picture_mode(ElementId id, PictureMode mode) {
  Element& e = at(id);
  if (e.mode == mode) return;
  e.mode = mode;
  forget_copies(e);
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

// ---- The view ---------------------------------------------------------------

double Scene::scale_of(ElementId id) const {
  return view_.skin_only && skin_image_number(id) == 0 ? 1.0 : view_.scale;
}

QRect Scene::window_rect(ElementId id, const QRect& layout) const {
  if (view_.skin_only && skin_image_number(id) == 0) return layout;
  const double scale = view_.scale;
  const QPoint origin = view_.origin;
  if (scale == 1.0) return clamped(layout.translated(origin));
  // Edges are rounded, not sizes, so neighbouring elements stay neighbours.
  const int left = rounded(layout.x() * scale);
  const int top = rounded(layout.y() * scale);
  const int right = rounded((static_cast<double>(layout.x()) + layout.width()) * scale);
  const int bottom = rounded((static_cast<double>(layout.y()) + layout.height()) * scale);
  return clamped(QRect(origin.x() + left, origin.y() + top, right - left, bottom - top));
}

void Scene::set_view(const View& view) {
  View v = view;
  if (!(v.scale > 0.0) || v.scale > 16.0) v.scale = 1.0;
  if (v == view_) return;
  mark_dirty(client_rect());
  view_ = v;
  for (int i = 0; i < kElementCount; ++i) {
    Element& e = elements_[static_cast<std::size_t>(i)];
    e.geometry = window_rect(static_cast<ElementId>(i), e.layout);
    forget_copies(e);
  }
  glass_.reset();
  pause_label_ = QImage();
  const QSize zoomed = view_.skin_only ? layout_size_
                                       : QSize(rounded(layout_size_.width() * view_.scale),
                                               rounded(layout_size_.height() * view_.scale));
  client_size_ = QSize(clamp_side(zoomed.width()), clamp_side(zoomed.height()));
  shape_reset_ = true;
  mark_dirty(client_rect());
}

// ---- The window -------------------------------------------------------------

void Scene::set_client_size(const QSize& size) {
  const QSize s(clamp_side(size.width()), clamp_side(size.height()));
  if (s == layout_size_) return;
  // The backdrop keeps its distances to all four edges.
  Element& backdrop = at(ElementId::im_backdrop);
  const QRect b = backdrop.layout;
  backdrop.layout = clamped(QRect(b.x(), b.y(), b.width() + s.width() - layout_size_.width(),
                                  b.height() + s.height() - layout_size_.height()));
  backdrop.geometry = window_rect(ElementId::im_backdrop, backdrop.layout);
  forget_copies(backdrop);
  layout_size_ = s;
  const QSize zoomed = view_.skin_only || view_.scale == 1.0
                           ? s
                           : QSize(rounded(s.width() * view_.scale), rounded(s.height() * view_.scale));
  client_size_ = QSize(clamp_side(zoomed.width()), clamp_side(zoomed.height()));
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

void Scene::GatheredRegion::add(const QRect& r) {
  rects_.push_back(r);
  // Gathered rectangles are held to a few thousand.
  if (rects_.size() >= 4096) unite();
}

void Scene::GatheredRegion::unite() {
  // In pairs, then pairs of pairs: each rectangle is united some log2(n)
  // times, not once for every one before it.
  std::vector<QRegion> level(rects_.begin(), rects_.end());
  rects_.clear();
  while (level.size() > 1) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < level.size(); i += 2)
      level[kept++] = i + 1 < level.size() ? level[i].united(level[i + 1]) : level[i];
    level.resize(kept);
  }
  if (!level.empty()) united_ += level.front();
}

QRegion Scene::GatheredRegion::take() {
  unite();
  return std::exchange(united_, QRegion());
}

QRegion Scene::GatheredRegion::take_covering() {
  if (static_cast<int>(rects_.size()) + united_.rectCount() <= kFewRects) return paint_region(take());
  rects_.insert(rects_.end(), united_.begin(), united_.end());
  united_ = QRegion();
  return tiles_over(std::exchange(rects_, {}));
}

void Scene::mark_dirty(const QRect& rect) {
  const QRect r = rect & client_rect();
  if (r.isEmpty()) return;
  const bool was_clean = dirty_.isEmpty();
  dirty_.add(r);
  if (key_enabled_) shape_stale_.add(r);
  if (was_clean && on_change_) on_change_();
}

void Scene::mark_element_dirty(ElementId id, bool even_if_hidden) {
  const Element& e = at(id);
  // A hidden element's picture and place change nothing on the screen,
  // unless it shows as an unlit segment.
  if (!e.visible && !even_if_hidden && !(ghost_percent() > 0 && has_ghost(id))) return;
  mark_dirty(e.geometry);
  if (shadows_ && has_ghost(id)) mark_dirty(shadow_rect(id, e, shadow_look()) & lcd_glass());
}

void Scene::mark_repaint_only(const QRect& rect) {
  const QRect r = rect & client_rect();
  if (r.isEmpty()) return;
  const bool was_clean = dirty_.isEmpty();
  dirty_.add(r);
  repaint_only_ += r;
  if (was_clean && on_change_) on_change_();
}

QRegion Scene::paint_region(const QRegion& dirty) {
  if (dirty.rectCount() <= kFewRects) return dirty;
  return tiles_over(std::vector<QRect>(dirty.begin(), dirty.end()));
}

QRegion Scene::tiles_over(const std::vector<QRect>& rects) {
  QRect box;
  for (const QRect& r : rects) box |= r;
  if (box.isEmpty()) return QRegion();
  // On one grid for the whole window: the tiles of a part of a change are
  // among those of the whole.
  const auto tile_of = [](int v) { return v >= 0 ? v / kTile : -((-v + kTile - 1) / kTile); };
  const int first_column = tile_of(box.left());
  const int first_row = tile_of(box.top());
  const int columns = tile_of(box.right()) - first_column + 1;
  const int rows = tile_of(box.bottom()) - first_row + 1;
  std::vector<char> touched(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows));
  const auto tile = [&](int column, int row) -> char& {
    return touched[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns) +
                   static_cast<std::size_t>(column)];
  };
  for (const QRect& r : rects) {
    if (r.isEmpty()) continue;
    for (int row = tile_of(r.top()) - first_row; row <= tile_of(r.bottom()) - first_row; ++row)
      for (int column = tile_of(r.left()) - first_column; column <= tile_of(r.right()) - first_column;
           ++column)
        tile(column, row) = 1;
  }
  // Row by row, runs of touched tiles left to right: the banded order a
  // region is made of.
  std::vector<QRect> runs;
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns;) {
      if (!tile(column, row)) {
        ++column;
        continue;
      }
      const int start = column;
      while (column < columns && tile(column, row)) ++column;
      runs.push_back(
          QRect((first_column + start) * kTile, (first_row + row) * kTile, (column - start) * kTile, kTile) &
          box);
    }
  }
  QRegion region;
  region.setRects(runs.data(), static_cast<int>(runs.size()));
  return region;
}

QRegion Scene::take_paint_region() {
  QRegion taken = dirty_.take_covering();
  repaint_only_taken_ = repaint_only_;
  repaint_only_ = QRegion();
  return taken;
}

QRegion Scene::take_dirty_region() {
  QRegion taken = dirty_.take();
  repaint_only_taken_ = repaint_only_;
  repaint_only_ = QRegion();
  return taken;
}

const QImage& Scene::pause_label_image(QSize size, double device_ratio) const {
  if (size.isEmpty()) size = kPauseLabelSize;
  if (pause_label_.isNull() || pause_label_size_ != size || pause_label_.devicePixelRatio() != device_ratio) {
    QImage label(device_rect(QRect(QPoint(0, 0), size), device_ratio).size(), QImage::Format_RGB32);
    label.setDevicePixelRatio(device_ratio);
    label.fill(Qt::black);
    QPainter p(&label);
    // Framed like the LCD's bezel: a thin rule in its gold trim colour, two
    // pixels inside the black box, so that the label reads as part of the
    // handheld rather than a hole in it.
    p.setPen(QPen(kPauseLabelTrim, 1));
    p.drawRect(QRect(QPoint(2, 2), kPauseLabelSize - QSize(5, 5)));
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    // A font 24 pixels high from the top of its accents to the bottom of its
    // descenders: about 21 pixels of em, zoomed with the label.
    font.setPixelSize(std::max(1, rounded(21.0 * size.height() / kPauseLabelSize.height())));
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter, QStringLiteral("PAUSED"));
    p.end();
    pause_label_ = label;
    pause_label_size_ = size;
  }
  return pause_label_;
}

QSize Scene::drawn_size(ElementId id, const Element& e) const {
  if (e.mode == PictureMode::stretch) return e.geometry.size();
  const double scale = scale_of(id);
  if (scale == 1.0) return e.drawn.size();
  return QSize(std::max(1, rounded(e.drawn.width() * scale)), std::max(1, rounded(e.drawn.height() * scale)));
}

std::int64_t Scene::held_pixels() const {
  if (held_pixels_) return *held_pixels_;
  std::set<qint64> seen;
  std::int64_t total = 0;
  const auto count = [&](const QImage& image) {
    if (!image.isNull() && seen.insert(image.cacheKey()).second)
      total += std::int64_t{image.width()} * image.height();
  };
  for (const Element& e : elements_) {
    count(e.picture.image);
    count(e.picture.twin);
    count(e.drawn);
    count(e.drawn_twin);
    for (const ScaledCopy& copy : e.copies) count(copy.image);
  }
  held_pixels_ = total;
  return total;
}

bool Scene::drawn_as_decoded(ElementId id, const Element& e, double device_ratio) const {
  return device_ratio == 1.0 && scale_of(id) == 1.0 && e.mode != PictureMode::stretch;
}

void Scene::draw_ahead(const QRect& bounds, int first, double device_ratio) const {
  drawn_ahead_.clear();
  // One job for each drawing, with every size it is wanted at: a document
  // is drawn by one thread at a time.
  struct Job {
    const VectorPicture* picture = nullptr;
    std::vector<QSize> sizes;
    std::vector<QImage> images;
    std::int64_t pixels = 0;
  };
  std::vector<Job> jobs;
  // Drawn ahead only within the budget a copy would be held to (counted
  // once a drawing is wanted: most paints want none).
  std::optional<std::int64_t> room;
  const auto want = [&](ElementId id, const Element& e) {
    if (!e.picture.vector || e.drawn.isNull() || drawn_as_decoded(id, e, device_ratio)) return;
    const QSize size = drawn_size(id, e);
    for (const ScaledCopy& copy : e.copies)
      if (copy.size == size && copy.device_ratio == device_ratio) return;
    if (!hardens_edges(id) && shared_copy(e, size, device_ratio)) return;
    const QSize pixels = device_rect(QRect(QPoint(0, 0), size), device_ratio).size();
    if (pixels.isEmpty() || source_for(e, pixels).size() == pixels) return;
    auto job = std::find_if(jobs.begin(), jobs.end(),
                            [&](const Job& j) { return j.picture == e.picture.vector.get(); });
    if (job == jobs.end()) job = jobs.insert(jobs.end(), Job{e.picture.vector.get(), {}, {}, 0});
    if (std::find(job->sizes.begin(), job->sizes.end(), pixels) != job->sizes.end()) return;
    const std::int64_t area = std::int64_t{pixels.width()} * pixels.height();
    if (!room) room = pixel_budget_ - held_pixels();
    if (area > *room) return;
    *room -= area;
    job->sizes.push_back(pixels);
    job->pixels += area;
  };
  // What the paint will draw: the shown and fading elements, and the faint
  // unlit segments (a digit position's is the "8").
  const bool ghosts = ghost_percent() > 0 && !ghosts_suppressed_;
  for (int i = first; i < kElementCount; ++i) {
    const auto id = static_cast<ElementId>(i);
    const Element& e = elements_[static_cast<std::size_t>(i)];
    if (e.geometry.isEmpty() || !e.geometry.intersects(bounds)) continue;
    const bool ghost = ghosts && has_ghost(id);
    if (ghost && is_digit_position(id)) {
      Element eight = at(ElementId::im_panel_number_8);
      eight.geometry = e.geometry;
      eight.mode = e.mode;
      want(ElementId::im_panel_number_8, eight);
    }
    if (e.visible || e.fading || (ghost && !is_digit_position(id))) want(id, e);
  }
  std::erase_if(jobs, [](const Job& j) { return j.sizes.empty(); });
  // Asked once: the answer is read from the system's files.
  static const unsigned cores = std::min(8u, std::thread::hardware_concurrency());
  if (jobs.size() < 2 || cores < 2) return;
  // The largest first, so the threads end together.
  std::sort(jobs.begin(), jobs.end(), [](const Job& a, const Job& b) { return a.pixels > b.pixels; });
  std::atomic<std::size_t> next{0};
  const auto work = [&] {
    for (std::size_t j = next++; j < jobs.size(); j = next++) {
      Job& job = jobs[j];
      job.images.resize(job.sizes.size());
      for (std::size_t k = 0; k < job.sizes.size(); ++k) {
        try {
          job.images[k] = render_vector_picture(*job.picture, job.sizes[k]);
        } catch (...) {
          // Left undrawn: the paint draws it itself.
        }
      }
    }
  };
  std::vector<std::thread> helpers;
  for (std::size_t t = 1; t < std::min<std::size_t>(cores, jobs.size()); ++t) {
    try {
      helpers.emplace_back(work);
    } catch (const std::system_error&) {
      break;  // no thread to be had: fewer draw side by side
    }
  }
  work();
  for (std::thread& helper : helpers) helper.join();
  for (Job& job : jobs) {
    for (std::size_t k = 0; k < job.images.size(); ++k) {
      if (!job.images[k].isNull())
        drawn_ahead_.emplace(std::tuple{job.picture, job.sizes[k].width(), job.sizes[k].height()},
                             std::move(job.images[k]));
    }
  }
}

QImage Scene::drawing_at(const VectorPicture& picture, QSize pixels) const {
  const auto ahead = drawn_ahead_.find(std::tuple{&picture, pixels.width(), pixels.height()});
  if (ahead == drawn_ahead_.end()) return render_vector_picture(picture, pixels);
  QImage image = std::move(ahead->second);
  drawn_ahead_.erase(ahead);
  return image;
}

const QImage& Scene::source_for(const Element& e, QSize pixels) {
  // The twin is the better source wherever the picture is magnified.
  const bool magnified = pixels.width() > e.drawn.width() || pixels.height() > e.drawn.height();
  return magnified && !e.drawn_twin.isNull() ? e.drawn_twin : e.drawn;
}

bool Scene::hardens_edges(ElementId id) const {
  // Only the handheld picture lies over the key colour; segments and the
  // overlay keep their soft edges over the LCD.
  return id == ElementId::im_background && key_enabled_;
}

const Scene::ScaledCopy* Scene::shared_copy(const Element& e, QSize size, double device_ratio) const {
  for (const Element& other : elements_) {
    if (&other == &e || other.drawn.cacheKey() != e.drawn.cacheKey() ||
        other.drawn_twin.cacheKey() != e.drawn_twin.cacheKey())
      continue;
    for (const ScaledCopy& copy : other.copies) {
      if (!copy.image.isNull() && copy.size == size && copy.device_ratio == device_ratio) return &copy;
    }
  }
  return nullptr;
}

const QImage* Scene::scaled_picture(ElementId id, const Element& e, QSize size, double device_ratio) const {
  for (const ScaledCopy& copy : e.copies) {
    if (copy.size != size || copy.device_ratio != device_ratio) continue;
    if (copy.over_budget) return nullptr;
    if (!copy.image.isNull()) return &copy.image;
  }
  ScaledCopy& slot = e.copies[0].image.isNull() && !e.copies[0].over_budget ? e.copies[0] : e.copies[1];
  if (!slot.image.isNull()) {
    // Its image may be another element's copy too: counted afresh when next asked.
    slot = ScaledCopy{};
    held_pixels_.reset();
  }
  const QSize pixels = device_rect(QRect(QPoint(0, 0), size), device_ratio).size();
  const QImage& source = source_for(e, pixels);
  const bool hardened = hardens_edges(id);
  if (!hardened) {
    if (const ScaledCopy* shared = shared_copy(e, size, device_ratio)) {
      slot = *shared;
      return &slot.image;
    }
  }
  const bool scaled = source.size() != pixels && !pixels.isEmpty();
  if (scaled) {
    if (held_pixels() + std::int64_t{pixels.width()} * pixels.height() > pixel_budget_) {
      slot = ScaledCopy{QImage(), size, device_ratio, true};
      return nullptr;
    }
  }
  // An SVG picture is drawn afresh for its pixels, never magnified.
  QImage image = !scaled            ? source
                 : e.picture.vector ? drawing_at(*e.picture.vector, pixels)
                                    : source.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  if (image.isNull()) {
    slot = ScaledCopy{QImage(), size, device_ratio, true};
    return nullptr;
  }
  if (scaled && hardened && image.hasAlphaChannel()) {
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    harden_edges(image);
  }
  image.setDevicePixelRatio(device_ratio);
  // A new image (not the source itself) adds its pixels to what is held.
  if (held_pixels_ && image.cacheKey() != source.cacheKey())
    *held_pixels_ += std::int64_t{image.width()} * image.height();
  slot = ScaledCopy{image, size, device_ratio};
  return &slot.image;
}

void Scene::paint_scaled_from_source(QPainter& painter, const Element& e, QSize size,
                                     double device_ratio) const {
  const QRect& g = e.geometry;
  QPoint at = g.topLeft();
  if (e.mode == PictureMode::centre)
    at = QPoint(g.x() + (g.width() - size.width()) / 2, g.y() + (g.height() - size.height()) / 2);
  const QImage& source = source_for(e, device_rect(QRect(QPoint(0, 0), size), device_ratio).size());
  painter.save();
  painter.setClipRect(g, Qt::IntersectClip);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(QRect(at, size), source);
  painter.restore();
}

void Scene::paint_element(QPainter& painter, ElementId id, const Element& e, double device_ratio) const {
  const QRect& g = e.geometry;
  if (id == ElementId::la_pause) {
    painter.drawImage(g.topLeft(), pause_label_image(g.size(), device_ratio));
    return;
  }
  if (e.drawn.isNull()) return;
  const QSize size = drawn_size(id, e);
  const QImage* scaled =
      drawn_as_decoded(id, e, device_ratio) ? &e.drawn : scaled_picture(id, e, size, device_ratio);
  if (scaled == nullptr) {
    paint_scaled_from_source(painter, e, size, device_ratio);
    return;
  }
  const QImage& image = *scaled;
  switch (e.mode) {
    case PictureMode::top_left: {
      const QSize shown = g.size().boundedTo(size);
      painter.drawImage(QRect(g.topLeft(), shown), image,
                        device_rect(QRect(QPoint(0, 0), shown), device_ratio));
      return;
    }
    case PictureMode::centre: {
      const QPoint at(g.x() + (g.width() - size.width()) / 2, g.y() + (g.height() - size.height()) / 2);
      const QRect placed = QRect(at, size) & g;
      painter.drawImage(placed, image, device_rect(placed.translated(-at), device_ratio));
      return;
    }
    case PictureMode::stretch:
      // Scaling a full-screen picture costs tens of milliseconds, so it is
      // done once per picture and size, not on every repaint.
      painter.drawImage(g.topLeft(), image);
      return;
  }
}

QRect Scene::opaque_cover(ElementId id, const Element& e) const {
  if (e.drawn.isNull() || e.drawn.hasAlphaChannel() || e.geometry.isEmpty()) return QRect();
  const QRect& g = e.geometry;
  const QSize size = drawn_size(id, e);
  switch (e.mode) {
    case PictureMode::top_left:
      return QRect(g.topLeft(), g.size().boundedTo(size));
    case PictureMode::centre:
      return QRect(QPoint(g.x() + (g.width() - size.width()) / 2, g.y() + (g.height() - size.height()) / 2),
                   size) &
             g;
    case PictureMode::stretch:
      return g;
  }
  return QRect();
}

void Scene::paint(QPainter& painter, const QRegion& clip) const { paint(painter, clip, nullptr); }

void Scene::paint(QPainter& painter, const QRegion& clip,
                  const std::function<void(const QRect&)>& painted) const {
  const QRegion area = clip & QRegion(client_rect());
  if (area.isEmpty()) return;
  const double device_ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
  const auto now = fading_count_ > 0 ? (fade_now_ ? fade_now_() : std::chrono::steady_clock::now())
                                     : std::chrono::steady_clock::time_point{};
  const QRect bounds = area.boundingRect();
  draw_ahead(bounds, first_painted(bounds, device_ratio, false), device_ratio);
  painter.save();
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  // A rectangle at a time: pictures clipped to one rectangle are drawn
  // several times faster than to a region of many. Only a part of the
  // window is painted by its pictures' tiles: the whole of it (the first
  // frame, a new zoom) needs no tile worked out.
  const bool in_parts = area != QRegion(client_rect());
  for (const QRect& r : area) {
    if (copy_target_ == nullptr || !in_parts) painter.setClipRect(r);
    paint_rect(painter, r, device_ratio, now, in_parts);
    if (painted) painted(r);
  }
  drawn_ahead_.clear();
  painter.restore();
}

int Scene::first_painted(const QRect& bounds, double device_ratio, bool by_tiles) const {
  // Everything beneath the topmost opaque picture covering the whole area
  // (a full-screen backdrop, or the handheld picture over a part of the
  // LCD) would be painted over anyway.
  for (int i = kElementCount - 1; i > 0; --i) {
    const auto id = static_cast<ElementId>(i);
    const Element& e = elements_[static_cast<std::size_t>(i)];
    if (!e.visible || !e.geometry.intersects(bounds)) continue;
    if (opaque_cover(id, e).contains(bounds)) return i;
    if (by_tiles && !e.fading && shown_in(id, e, bounds, device_ratio) == Shown::all) return i;
  }
  return 0;
}

std::vector<Scene::Shown>& Scene::tiles_of(const QImage& image) const {
  auto known = tiles_.find(image.cacheKey());
  if (known != tiles_.end()) return known->second;
  // Pictures come and go with zooms and skins: the oldest knowledge goes.
  if (tiles_.size() >= 256) tiles_.clear();
  const auto columns = static_cast<std::size_t>((image.width() + kTile - 1) / kTile);
  const auto rows = static_cast<std::size_t>((image.height() + kTile - 1) / kTile);
  return tiles_.emplace(image.cacheKey(), std::vector<Shown>(columns * rows, Shown::unknown)).first->second;
}

Scene::Shown Scene::tile_shown(const QImage& image, int column, int row) {
  if (!image.hasAlphaChannel()) return Shown::all;
  if (image.format() != QImage::Format_ARGB32_Premultiplied) return Shown::some;
  bool any = false;
  bool all = true;
  for (int y = row * kTile; y < std::min(image.height(), (row + 1) * kTile); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = column * kTile; x < std::min(image.width(), (column + 1) * kTile); ++x) {
      const int alpha = qAlpha(line[x]);
      any = any || alpha != 0;
      all = all && alpha == 255;
    }
  }
  return all ? Shown::all : any ? Shown::some : Shown::nothing;
}

const QImage* Scene::placed_picture(ElementId id, const Element& e, double device_ratio) const {
  // The pause label is drawn from a picture of its own, never its element's.
  if (device_ratio != 1.0 || e.mode != PictureMode::top_left || e.drawn.isNull() ||
      &e == &at(ElementId::la_pause))
    return nullptr;
  if (drawn_as_decoded(id, e, device_ratio)) return &e.drawn;
  for (const ScaledCopy& copy : e.copies)
    if (!copy.image.isNull() && copy.size == drawn_size(id, e) && copy.device_ratio == 1.0)
      return &copy.image;
  return nullptr;
}

bool Scene::copy_opaque(QImage& frame, ElementId id, const Element& e, const QRect& bounds,
                        double device_ratio) const {
  const QImage* image = placed_picture(id, e, device_ratio);
  if (image == nullptr || image->depth() != 32 || !frame.rect().contains(bounds)) return false;
  const QRect placed(e.geometry.topLeft(), e.geometry.size().boundedTo(image->size()));
  // An opaque pixel reads 0xffRRGGBB in every 32-bit form.
  if (!placed.contains(bounds) || shown_in(id, e, bounds, device_ratio) != Shown::all) return false;
  const auto row_bytes = static_cast<std::size_t>(bounds.width()) * sizeof(QRgb);
  for (int y = bounds.top(); y <= bounds.bottom(); ++y)
    std::memcpy(reinterpret_cast<QRgb*>(frame.scanLine(y)) + bounds.left(),
                reinterpret_cast<const QRgb*>(image->constScanLine(y - placed.top())) +
                    (bounds.left() - placed.left()),
                row_bytes);
  return true;
}

bool Scene::blend_placed(QImage& frame, ElementId id, const Element& e, const std::vector<QRect>& rects,
                         double device_ratio) const {
  const QImage* image = placed_picture(id, e, device_ratio);
  if (image == nullptr) return false;
  const bool opaque = image->format() == QImage::Format_RGB32;
  if (!opaque && image->format() != QImage::Format_ARGB32_Premultiplied) return false;
  // Only over premultiplied pixels (an opaque picture's count as such).
  if (frame.format() != QImage::Format_RGB32 && frame.format() != QImage::Format_ARGB32_Premultiplied)
    return false;
  const QRect placed(e.geometry.topLeft(), e.geometry.size().boundedTo(image->size()));
  uchar* const frame_bits = frame.bits();
  const qsizetype frame_row = frame.bytesPerLine();
  const uchar* const picture_bits = image->constBits();
  const qsizetype picture_row = image->bytesPerLine();
  for (const QRect& r : rects) {
    const QRect part = r & placed & frame.rect();
    if (part.isEmpty()) continue;
    for (int y = part.top(); y <= part.bottom(); ++y) {
      QRgb* to = reinterpret_cast<QRgb*>(frame_bits + y * frame_row) + part.left();
      const QRgb* from = reinterpret_cast<const QRgb*>(picture_bits + (y - placed.top()) * picture_row) +
                         (part.left() - placed.left());
      if (opaque) {
        std::memcpy(to, from, static_cast<std::size_t>(part.width()) * sizeof(QRgb));
      } else {
        blend_row(to, from, part.width());
      }
    }
  }
  return true;
}

Scene::Shown Scene::shown_in(ElementId id, const Element& e, const QRect& r, double device_ratio,
                             std::vector<QRect>* parts) const {
  const QImage* image = placed_picture(id, e, device_ratio);
  if (image == nullptr) return Shown::some;
  const QRect placed(e.geometry.topLeft(), e.geometry.size().boundedTo(image->size()));
  const QRect part = (r & placed).translated(-placed.topLeft());
  if (part.isEmpty()) return Shown::nothing;
  std::vector<Shown>& tiles = tiles_of(*image);
  const int columns = (image->width() + kTile - 1) / kTile;
  bool any = false;
  bool all = r.translated(-placed.topLeft()) == part;
  // The tiles' columns from `first` up to `last` of a row, where it lies in `r`.
  const auto run = [&](int row, int first, int last) {
    parts->push_back(
        QRect(QPoint(first * kTile, row * kTile), QPoint((last + 1) * kTile - 1, (row + 1) * kTile - 1))
            .translated(placed.topLeft()) &
        r & placed);
  };
  bool any_clear = false;
  for (int row = part.top() / kTile; row <= part.bottom() / kTile; ++row) {
    int run_start = -1;
    for (int column = part.left() / kTile; column <= part.right() / kTile; ++column) {
      // Worked out when first asked, one tile at a time.
      Shown& tile = tiles[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns) +
                          static_cast<std::size_t>(column)];
      if (tile == Shown::unknown) tile = tile_shown(*image, column, row);
      any = any || tile != Shown::nothing;
      all = all && tile == Shown::all;
      any_clear = any_clear || tile == Shown::nothing;
      if (parts == nullptr) continue;
      if (tile != Shown::nothing && run_start < 0) run_start = column;
      if (tile == Shown::nothing && run_start >= 0) {
        run(row, run_start, column - 1);
        run_start = -1;
      }
    }
    if (parts != nullptr && run_start >= 0) run(row, run_start, part.right() / kTile);
  }
  if (parts != nullptr && !any_clear) parts->clear();
  return all ? Shown::all : any ? Shown::some : Shown::nothing;
}

void Scene::paint_rect(QPainter& painter, const QRect& bounds, double device_ratio,
                       std::chrono::steady_clock::time_point now, bool by_tiles) const {
  // Drawn into the window's pixels directly, the painter is clipped to the
  // rectangle only once it draws in it.
  QImage* const direct = by_tiles ? copy_target_ : nullptr;
  bool clipped = direct == nullptr;
  const auto clip = [&] {
    if (!clipped) painter.setClipRect(bounds);
    clipped = true;
  };
  const int first = first_painted(bounds, device_ratio, by_tiles);
  if (first == 0) {
    clip();
    painter.fillRect(bounds, background_);
  }
  std::vector<QRect> parts;
  for (int i = first; i < kElementCount; ++i) {
    // The shadows lie on the reflector, beneath every segment.
    if (i == index_of(ElementId::im_panel_time_am) && direct == nullptr)
      paint_shadows(painter, bounds, device_ratio, now);
    const Element& e = elements_[static_cast<std::size_t>(i)];
    if (e.geometry.isEmpty() || !e.geometry.intersects(bounds)) continue;
    const auto id = static_cast<ElementId>(i);
    // The outline is taken from the settled picture: a fade never moves it.
    const double level = e.fading && !ghosts_suppressed_ ? level_at(e, now) : (e.visible ? 1.0 : 0.0);
    if (direct == nullptr) paint_ghost(painter, id, e, device_ratio, level);
    if (level <= 0.0) continue;
    const auto draw = [&] {
      if (level < 1.0) {
        painter.save();
        painter.setOpacity(level);
        paint_element(painter, id, e, device_ratio);
        painter.restore();
        return;
      }
      paint_element(painter, id, e, device_ratio);
    };
    // The picture beneath all the rest, opaque all over: copied, not blended.
    if (direct != nullptr && i == first && copy_opaque(*direct, id, e, bounds, device_ratio)) continue;
    if (by_tiles) {
      parts.clear();
      const Shown shown = shown_in(id, e, bounds, device_ratio, &parts);
      // Clear all over this rectangle: nothing to draw.
      if (shown == Shown::nothing) continue;
      if (shown == Shown::some && !parts.empty()) {
        // Drawn over its tiles that show something alone: the case's front,
        // clear over the LCD, is not blended all across it.
        if (direct != nullptr && blend_placed(*direct, id, e, parts, device_ratio)) continue;
        clip();
        for (const QRect& part : parts) {
          painter.setClipRect(part);
          draw();
        }
        painter.setClipRect(bounds);
        continue;
      }
    }
    if (direct != nullptr && blend_placed(*direct, id, e, {bounds}, device_ratio)) continue;
    clip();
    draw();
  }
}

// ---- Response time -----------------------------------------------------------

int Scene::response_ms() const {
  return settings::layered(user_response_ms_, skin_response_ms_, settings::kLcdResponse);
}

void Scene::set_skin_response_ms(std::optional<int> ms) { skin_response_ms_ = ms; }

void Scene::set_response_override(std::optional<int> ms) { user_response_ms_ = ms; }

double Scene::level_at(const Element& e, std::chrono::steady_clock::time_point now) const {
  const double target = e.visible ? 1.0 : 0.0;
  const int response = response_ms();
  if (!e.fading || response <= 0) return target;
  const double passed = std::chrono::duration<double, std::milli>(now - e.fade_start).count() / response;
  if (passed <= 0.0) return e.fade_from;
  return e.visible ? std::min(1.0, e.fade_from + passed) : std::max(0.0, e.fade_from - passed);
}

double Scene::fade_level(ElementId id) const {
  const Element& e = at(id);
  return level_at(e, fade_now_ ? fade_now_() : std::chrono::steady_clock::now());
}

bool Scene::advance_fades() {
  if (fading_count_ == 0) return false;
  const auto now = fade_now_ ? fade_now_() : std::chrono::steady_clock::now();
  for (int i = 0; i < kElementCount; ++i) {
    Element& e = elements_[static_cast<std::size_t>(i)];
    if (!e.fading) continue;
    // A fade changes how dark a segment is drawn, never the outline (taken
    // from the settled picture): its frames are only repainted.
    mark_repaint_only(e.geometry);
    if (shadows_) mark_repaint_only(shadow_rect(static_cast<ElementId>(i), e, shadow_look()) & lcd_glass());
    const double level = level_at(e, now);
    if (level == (e.visible ? 1.0 : 0.0)) {
      e.fading = false;
      --fading_count_;
    }
  }
  return fading_count_ > 0;
}

// ---- Unlit segments ---------------------------------------------------------

bool Scene::has_ghost(ElementId id) {
  const int i = index_of(id);
  const bool glyph_source =
      i >= index_of(ElementId::im_panel_number_0) && i <= index_of(ElementId::im_panel_number_9);
  return is_segment(id) && !glyph_source;
}

int Scene::ghost_percent() const {
  return settings::layered(user_ghost_percent_, skin_ghost_percent_, settings::kGhostSegments);
}

void Scene::set_skin_ghost_percent(std::optional<int> percent) {
  const int before = ghost_percent();
  skin_ghost_percent_ = percent;
  ghosts_changed(before);
}

void Scene::set_ghost_override(std::optional<int> percent) {
  const int before = ghost_percent();
  user_ghost_percent_ = percent;
  ghosts_changed(before);
}

void Scene::ghosts_changed(int before) {
  if (ghost_percent() == before) return;
  for (int i = index_of(ElementId::im_panel_time_am); i <= index_of(ElementId::im_rogue_x3y4); ++i) {
    const auto id = static_cast<ElementId>(i);
    if (has_ghost(id)) mark_dirty(at(id).geometry);
  }
}

void Scene::paint_ghost(QPainter& painter, ElementId id, const Element& e, double device_ratio,
                        double level) const {
  const int percent = ghost_percent();
  if (percent == 0 || ghosts_suppressed_ || !has_ghost(id)) return;
  const bool digit = is_digit_position(id);
  // A digit position's dark segments are those of an "8", lit digit or not;
  // a segment still darkening or clearing shows its faint shape beneath.
  if (!digit && level >= 1.0) return;
  painter.save();
  painter.setOpacity(percent / 100.0);
  if (digit) {
    // The glyph source is never drawn itself, so its scaled copies serve here.
    Element eight = at(ElementId::im_panel_number_8);
    eight.geometry = e.geometry;
    eight.mode = e.mode;
    paint_element(painter, ElementId::im_panel_number_8, eight, device_ratio);
  } else {
    paint_element(painter, id, e, device_ratio);
  }
  painter.restore();
}

// ---- Segment shadows -----------------------------------------------------------

namespace {

// One pass of a box blur of radius r along rows (or columns) of an alpha
// plane; three passes come close to a Gaussian.
void box_blur(std::vector<int>& alpha, int width, int height, int r, bool rows) {
  const int lines = rows ? height : width;
  const int length = rows ? width : height;
  const int step = rows ? 1 : width;
  std::vector<int> line(static_cast<std::size_t>(length));
  for (int l = 0; l < lines; ++l) {
    const int first = rows ? l * width : l;
    const auto cell = [&](int i) -> int& {
      const std::size_t index =
          static_cast<std::size_t>(first) + static_cast<std::size_t>(i) * static_cast<std::size_t>(step);
      return alpha[index];
    };
    for (int i = 0; i < length; ++i) line[static_cast<std::size_t>(i)] = cell(i);
    int sum = 0;
    for (int i = -r; i <= r; ++i) sum += i >= 0 && i < length ? line[static_cast<std::size_t>(i)] : 0;
    for (int i = 0; i < length; ++i) {
      cell(i) = sum / (2 * r + 1);
      const int out = i - r, in = i + r + 1;
      if (out >= 0) sum -= line[static_cast<std::size_t>(out)];
      if (in < length) sum += line[static_cast<std::size_t>(in)];
    }
  }
}

}  // namespace

void Scene::set_shadows(bool on) {
  if (on == shadows_) return;
  mark_shadows_dirty();
  shadows_ = on;
  mark_shadows_dirty();
}

void Scene::set_skin_shadow_look(const ShadowLook& look) {
  mark_shadows_dirty();
  skin_shadow_look_ = look;
  shadow_look_ = layered_look(user_shadow_look_, skin_shadow_look_);
  shadow_images_.clear();
  mark_shadows_dirty();
}

void Scene::set_shadow_look_override(const ShadowLook& look) {
  mark_shadows_dirty();
  user_shadow_look_ = look;
  shadow_look_ = layered_look(user_shadow_look_, skin_shadow_look_);
  shadow_images_.clear();
  mark_shadows_dirty();
}

Scene::ShadowLook Scene::layered_look(const ShadowLook& u, const ShadowLook& k) {
  return {settings::layered(u.offset_x, k.offset_x, settings::kShadowOffsetX),
          settings::layered(u.offset_y, k.offset_y, settings::kShadowOffsetY),
          settings::layered(u.blur, k.blur, settings::kShadowBlur),
          settings::layered(u.opacity, k.opacity, settings::kShadowOpacity)};
}

QRect Scene::lcd_glass() const {
  if (glass_) return *glass_;
  QRect glass;
  for (int i = index_of(ElementId::im_panel_time_am); i <= index_of(ElementId::im_rogue_x3y4); ++i)
    if (has_ghost(static_cast<ElementId>(i))) glass |= elements_[static_cast<std::size_t>(i)].geometry;
  glass_ = glass;
  return glass;
}

QRect Scene::shadow_rect(ElementId id, const Element& e, const ShadowLook& look) const {
  const double scale = scale_of(id);
  const int spread = rounded(*look.blur * scale) + 2;
  return e.geometry.translated(rounded(*look.offset_x * scale), rounded(*look.offset_y * scale))
      .adjusted(-spread, -spread, spread, spread);
}

void Scene::mark_shadows_dirty() {
  if (shadows_) mark_dirty(lcd_glass());
}

const QImage& Scene::shadow_image(const QImage& segment, int blur_pixels) const {
  const auto key = std::make_pair(segment.cacheKey(), blur_pixels);
  if (const auto found = shadow_images_.find(key); found != shadow_images_.end()) return found->second;
  // Pictures of an earlier skin or size are not kept for ever.
  if (shadow_images_.size() >= 256) shadow_images_.clear();
  const int pad = blur_pixels + 1;
  const int width = segment.width() + 2 * pad, height = segment.height() + 2 * pad;
  std::vector<int> alpha(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
  const QImage source = segment.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const auto cell = [&](int x, int y) -> int& {
    return alpha[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
  };
  for (int y = 0; y < source.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(source.constScanLine(y));
    for (int x = 0; x < source.width(); ++x) cell(x + pad, y + pad) = qAlpha(line[x]);
  }
  const int radius = (blur_pixels + 1) / 2;
  if (blur_pixels > 0) {
    for (int pass = 0; pass < 3; ++pass) {
      box_blur(alpha, width, height, radius, true);
      box_blur(alpha, width, height, radius, false);
    }
  }
  QImage shadow(width, height, QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(shadow.scanLine(y));
    for (int x = 0; x < width; ++x) line[x] = qRgba(0, 0, 0, cell(x, y));
  }
  shadow.setDevicePixelRatio(segment.devicePixelRatio());
  return shadow_images_.emplace(key, std::move(shadow)).first->second;
}

void Scene::paint_shadows(QPainter& painter, const QRect& bounds, double device_ratio,
                          std::chrono::steady_clock::time_point now) const {
  if (!shadows_ || ghosts_suppressed_) return;
  const ShadowLook& look = shadow_look();
  const QRect glass = lcd_glass();
  if (*look.opacity <= 0 || !glass.intersects(bounds)) return;
  painter.save();
  painter.setClipRect(glass, Qt::IntersectClip);
  for (int i = index_of(ElementId::im_panel_time_am); i <= index_of(ElementId::im_rogue_x3y4); ++i) {
    const auto id = static_cast<ElementId>(i);
    const Element& e = elements_[static_cast<std::size_t>(i)];
    if (!has_ghost(id) || e.drawn.isNull() || e.geometry.isEmpty()) continue;
    const double level = e.fading ? level_at(e, now) : (e.visible ? 1.0 : 0.0);
    if (level <= 0.0 || !shadow_rect(id, e, look).intersects(bounds)) continue;
    // The shadow of the picture as the segment shows it.
    const double scale = scale_of(id);
    const QImage* shown = drawn_as_decoded(id, e, device_ratio)
                              ? &e.drawn
                              : scaled_picture(id, e, drawn_size(id, e), device_ratio);
    if (shown == nullptr) continue;
    const int blur = rounded(*look.blur * scale * device_ratio);
    const QImage& shadow = shadow_image(*shown, blur);
    const double pad = (blur + 1) / shadow.devicePixelRatio();
    painter.setOpacity(*look.opacity / 100.0 * level);
    painter.drawImage(
        QPointF(e.geometry.x() + *look.offset_x * scale - pad, e.geometry.y() + *look.offset_y * scale - pad),
        shadow);
  }
  painter.restore();
}

// ---- Shaped window ----------------------------------------------------------

bool Scene::update_shape(const QRegion& changed) {
  bool changed_shape = false;
  if (const std::optional<QRegion> area = shape_area(changed, changed_shape))
    compose_outline(*area, changed_shape);
  return changed_shape;
}

bool Scene::paint_and_update_shape(QPainter& painter, const QRegion& clip, const QRegion& changed,
                                   QImage* frame) {
  bool changed_shape = false;
  std::optional<QRegion> area = shape_area(changed, changed_shape);
  const bool readable =
      area && frame != nullptr && !draws_beyond_outline() && frame->devicePixelRatio() == 1.0 &&
      painter.deviceTransform().isIdentity() && painter.opacity() == 1.0 &&
      (frame->format() == QImage::Format_RGB32 || frame->format() == QImage::Format_ARGB32 ||
       frame->format() == QImage::Format_ARGB32_Premultiplied);
  if (!readable) {
    paint(painter, clip);
    if (area) compose_outline(*area, changed_shape);
    return changed_shape;
  }
  // Each rectangle is read while its pixels are still at hand.
  const QRegion in_frame = *area & QRegion(frame->rect());
  QRegion read;
  copy_target_ = frame;
  paint(painter, clip, [&](const QRect& r) {
    const QRegion part = in_frame & r;
    read_outline(*frame, QPoint(0, 0), part, changed_shape);
    read += part;
  });
  copy_target_ = nullptr;
  compose_outline(*area - read, changed_shape);
  return changed_shape;
}

std::optional<QRegion> Scene::shape_area(const QRegion& changed, bool& changed_shape) {
  if (!key_enabled_) {
    mask_ = QImage();
    shape_stale_.take();
    changed_shape = shape_was_on_ || shape_reset_;
    shape_was_on_ = false;
    shape_reset_ = false;
    return std::nullopt;
  }
  // What was only repainted (fade frames) needs no new outline, unless it
  // was changed too (and is then among the stale parts).
  // The stale parts are covered by the tiles they touch when they are
  // many: they lie among the changed region's own tiles then.
  QRegion area = ((changed - repaint_only_taken_) + shape_stale_.take_covering()) & QRegion(client_rect());
  repaint_only_taken_ = QRegion();
  if (shape_reset_ || mask_.size() != client_size_) {
    mask_ = QImage(client_size_, QImage::Format_MonoLSB);
    if (!mask_.isNull()) {
      mask_.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
      mask_.fill(0);
    }
    area = QRegion(client_rect());
    shape_reset_ = false;
    changed_shape = true;
  }
  shape_was_on_ = true;
  if (mask_.isNull()) return std::nullopt;
  return area;
}

void Scene::read_outline(const QImage& part, QPoint origin, const QRegion& rects, bool& changed_shape) {
  const QRgb key = key_colour_.rgb();
  // Each row found from the first: asking the pictures for every row costs
  // more than reading many of them.
  const uchar* const pixels = part.constBits();
  uchar* const outline = mask_.bits();
  const qsizetype pixel_row = part.bytesPerLine();
  const qsizetype outline_row = mask_.bytesPerLine();
  for (const QRect& r : rects) {
    for (int y = r.top(); y <= r.bottom(); ++y) {
      const auto* line = reinterpret_cast<const QRgb*>(pixels + (y - origin.y()) * pixel_row) - origin.x();
      uchar* bits = outline + y * outline_row;
      // Most rows of a change (the LCD's) show no key colour at all.
      if (!has_key_pixel(line, r.left(), r.right(), key)) {
        changed_shape = mark_drawn(bits, r.left(), r.right()) || changed_shape;
        continue;
      }
      // Eight pixels to a byte of the outline, each byte written once.
      for (int x = r.left(); x <= r.right();) {
        const int byte = x >> 3;
        const int last = std::min(r.right(), byte * 8 + 7);
        unsigned covered = 0;
        unsigned drawn = 0;
        if ((x & 7) == 0 && last == x + 7) {
          // A whole byte: eight pixels tested side by side.
          const QRgb* eight = line + x;
          const auto bit = [&](int k) { return static_cast<unsigned>(!is_key_pixel(eight[k], key)) << k; };
          drawn = bit(0) | bit(1) | bit(2) | bit(3) | bit(4) | bit(5) | bit(6) | bit(7);
          covered = 0xFFu;
          x += 8;
        }
        for (; x <= last; ++x) {
          const unsigned bit = 1u << (x & 7);
          covered |= bit;
          if (!is_key_pixel(line[x], key)) drawn |= bit;
        }
        const auto now = static_cast<uchar>((bits[byte] & ~covered) | drawn);
        if (now != bits[byte]) {
          bits[byte] = now;
          changed_shape = true;
        }
      }
    }
  }
}

void Scene::compose_outline(const QRegion& area, bool& changed_shape) {
  if (area.isEmpty()) return;
  // A band of rows at a time, into a picture of its own that goes again: a
  // copy of the whole frame would cost as much memory as the handheld
  // picture itself.
  const QRect box = area.boundingRect();
  constexpr int kBandRows = 64;
  for (int band_top = box.top(); band_top <= box.bottom(); band_top += kBandRows) {
    const QRect band(box.left(), band_top, box.width(), std::min(kBandRows, box.bottom() + 1 - band_top));
    const QRegion part_area = area & band;
    if (part_area.isEmpty()) continue;
    QImage part(band.size(), QImage::Format_RGB32);
    if (part.isNull()) return;
    {
      QPainter p(&part);
      p.translate(-band.topLeft());
      // The outline is taken without unlit segments, so that a faint
      // segment can never move it.
      ghosts_suppressed_ = true;
      paint(p, part_area);
      ghosts_suppressed_ = false;
    }
    read_outline(part, band.topLeft(), part_area, changed_shape);
  }
}

QImage Scene::shape_mask() const { return key_enabled_ ? mask_ : QImage(); }

}  // namespace hero
