// The main window's picture elements as one list in stacking order, with the
// window-level properties a skin sets, painted by one widget.
//
// How the window uses it:
//   scene.set_on_change([&] { schedule a flush });            // once
//   flush:  QRegion dirty = scene.take_paint_region();
//           widget.repaint(dirty);
//   paintEvent: QPainter p(&widget);
//               // the window's own picture, on a plain screen: the outline
//               // is read from what is drawn
//               if (scene.paint_and_update_shape(p, event->region(), dirty, &picture))
//                 widget.setMask(QBitmap::fromImage(scene.shape_mask()));
//   elsewhere:  if (scene.update_shape(dirty)) take the mask as above;
//               widget.repaint(dirty);  // paintEvent: scene.paint(p, region)
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QRegion>

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <tuple>
#include <vector>

#include "display/lcd/element_ids.h"
#include "display/skins/picture_loader.h"
#include "engine/interfaces.h"
#include "engine/settings_values.h"

class QPainter;

namespace hero {

// How an element draws a picture of another size than its own: from its
// top-left corner (clipped to the element), centred in it, or stretched.
enum class PictureMode { top_left, centre, stretch };

class Scene : public SegmentSurface {
 public:
  // The window's client size before a skin states its own, and the fixed
  // sizes of the pause label and the in-game menu button.
  static constexpr QSize kClientSizeBeforeSkin{658, 391};
  static constexpr QSize kPauseLabelSize{100, 25};
  static constexpr QSize kGameMenuButtonSize{36, 32};
  // Geometry from skin files is kept inside these bounds, so no hostile
  // value can overflow the arithmetic of painting or allocate a giant frame.
  static constexpr int kMaxCoordinate = 1 << 24;
  static constexpr int kMaxSide = 32767;

  // Before any skin: 658 x 391, white background and white colour key,
  // every element without a picture; segments, pressed pictures, backdrop,
  // logo, in-game menu button and pause label hidden; the handheld picture,
  // its overlay and the seven hot areas visible.
  Scene();

  // --- The LCD as the engine drives it -------------------------------------
  void set_visible(ElementId id, bool visible) override;
  bool is_visible(ElementId id) const override;
  void copy_picture(ElementId to, ElementId from) override;
  void clear_picture(ElementId id) override;

  // --- Elements -------------------------------------------------------------
  void set_picture(ElementId id, const Picture& picture);
  const Picture& picture(ElementId id) const;
  // The picture as this element draws it (alpha, or the bottom-left colour
  // keyed out on transparent elements); null when the element has none.
  const QImage& drawn_image(ElementId id) const;
  // Sizes are clamped to 0..kMaxSide, positions to +-kMaxCoordinate.
  void set_geometry(ElementId id, const QRect& rect);
  QRect geometry(ElementId id) const;
  void set_picture_mode(ElementId id, PictureMode mode);
  PictureMode picture_mode(ElementId id) const;
  // Elements drawn with their picture's transparent colour: the logo, the
  // handheld picture, every segment and the overlay.
  static bool is_transparent(ElementId id);
  // The topmost visible element whose bounds hold the point (client
  // coordinates), pictures or not, as the window system hit-tests controls.
  std::optional<ElementId> topmost_at(const QPoint& point) const;

  // --- The view: skin pixels to window pixels ------------------------------
  // Windowed, the whole handheld is zoomed by `scale` (outline, hot areas and
  // pause label with it). In full screen the 81 skin images are scaled by
  // `scale` and placed from `origin`, while the backdrop, the logo, the pause
  // label and the in-game menu button keep window pixels (`skin_only`).
  // Geometry set by set_geometry is in skin pixels; geometry() and
  // topmost_at() answer in window pixels.
  struct View {
    double scale = 1.0;
    QPoint origin;
    bool skin_only = false;
    bool operator==(const View&) const = default;
  };
  void set_view(const View& view);
  const View& view() const { return view_; }
  // The view's scale for one element: 1 for those it leaves in window pixels.
  double scale_of(ElementId id) const;

  // --- The window -----------------------------------------------------------
  // The window's size in window pixels: the layout size, zoomed when the
  // view scales the whole window.
  QSize client_size() const { return client_size_; }
  // The size the skin lays out (GameWidth x GameHeight, or the screen).
  QSize layout_size() const { return layout_size_; }
  // The backdrop is anchored to all four edges, so it follows the change.
  void set_client_size(const QSize& size);
  QColor background_colour() const { return background_; }
  void set_background_colour(const QColor& colour);
  bool colour_key_enabled() const { return key_enabled_; }
  QColor key_colour() const { return key_colour_; }
  void set_colour_key(bool enabled, const QColor& colour);

  // --- Repaint --------------------------------------------------------------
  // Called when the first change after a take_dirty_region() arrives, so the
  // window can schedule one flush for a whole burst of segment changes.
  void set_on_change(std::function<void()> on_change);
  // The client area changed since the last call (and forgets it).
  QRegion take_dirty_region();
  // What to repaint for `dirty`: itself while it has a few rectangles; else
  // the tiles of kTile pixels it touches, joined along their rows, so that a change
  // all over the screen is painted in dozens of rectangles, not hundreds (a
  // little more area, far less time).
  static QRegion paint_region(const QRegion& dirty);
  // What to repaint for the change since the last take (and forgets it):
  // paint_region(take_dirty_region()), its tiles worked out from the
  // changed rectangles themselves when there are many, not from their union.
  QRegion take_paint_region();
  // Composes every visible element in stacking order over the background,
  // within `clip` and the client area.
  void paint(QPainter& painter, const QRegion& clip) const;

  // --- Memory ---------------------------------------------------------------
  // The pixels the scene holds: decoded pictures, their drawn forms and the
  // copies made for zoom, each shared image once. Copies made for a zoom
  // share one image where elements share a picture, and are made only
  // while the whole stays within the budget (the skin's, kMaxSkinPixels,
  // by default); past it a picture is scaled as it is drawn instead.
  std::int64_t held_pixels() const;
  void set_pixel_budget(std::int64_t pixels) { pixel_budget_ = pixels; }

  // --- Unlit segments -------------------------------------------------------
  // A real LCD shows its dark segments faintly. Every hidden segment (the
  // digit positions as an "8", glyph sources never) is drawn at this opacity
  // beneath the lit ones: 0 (the handheld's own picture) to 30 %. The skin
  // gives a default, the player's own setting wins over it. The outline and
  // what the engine shows never change with it.
  static constexpr int kMaxGhostPercent = settings::kGhostSegments.max;
  // The skin's default (nothing: the skin gives none) and the player's own
  // value (nothing: none stored), layered as the setting declares.
  void set_skin_ghost_percent(std::optional<int> percent);
  void set_ghost_override(std::optional<int> percent);
  int ghost_percent() const;
  static bool has_ghost(ElementId id);

  // --- Response time ----------------------------------------------------------
  // A real LCD's crystal takes tens of milliseconds to turn: a segment that
  // is switched on darkens over this many milliseconds, one switched off
  // clears over as many (from wherever it stood when it was switched). 0
  // (the handheld's own picture) switches at once. Only the picture lags:
  // what the engine shows, and the outline, are as before. The skin gives a
  // default, the player's own setting wins over it.
  void set_skin_response_ms(std::optional<int> ms);
  void set_response_override(std::optional<int> ms);
  int response_ms() const;
  // The clock the fades are timed on: the steady clock, or a test's own.
  void set_fade_clock(std::function<std::chrono::steady_clock::time_point()> now) {
    fade_now_ = std::move(now);
  }
  // Whether a segment is still darkening or clearing.
  bool fading() const { return fading_count_ > 0; }
  // One frame of the fades: the fading segments are marked for repaint,
  // those that have settled stop fading. Answers whether any still fades.
  bool advance_fades();
  // How dark a segment is drawn now, 0 to 1 (its visibility, once settled).
  double fade_level(ElementId id) const;

  // --- Segment shadows ------------------------------------------------------
  // On a real unit the crystal floats above a silvered reflector: every dark
  // segment casts a soft shadow beside it, offset and blurred (skin pixels)
  // and as dark as the opacity (percent) times its segment's level. Shadows
  // lie beneath every segment and only on the LCD's glass, as far as the
  // segments reach; they are made once per picture, size and device pixel
  // ratio. Off by default: the handheld's flat picture. The skin gives the
  // look, the player's own values win over it.
  struct ShadowLook {
    std::optional<int> offset_x, offset_y, blur, opacity;
  };
  void set_shadows(bool on);
  bool shadows() const { return shadows_; }
  void set_skin_shadow_look(const ShadowLook& look);
  void set_shadow_look_override(const ShadowLook& look);
  // The look in use, every value layered as its setting declares (worked
  // out when the skin's or the player's values change, not per segment).
  const ShadowLook& shadow_look() const { return shadow_look_; }
  // The LCD's glass in window pixels: the rectangle its segments span.
  QRect lcd_glass() const;

  // --- Shaped window --------------------------------------------------------
  // Brings the cut-out up to date within `changed` (composing that part of
  // the frame afresh) and answers whether the window must take it again:
  // true when key-coloured pixels appeared or went, or the key, its colour
  // or the client size changed since the last call. With the colour key off
  // no cut-out is kept and the answer is true only when the key was just
  // switched off.
  bool update_shape(const QRegion& changed);
  // Paints `clip` as paint() does and brings the cut-out up to date within
  // `changed` as update_shape() does, reading each rectangle's pixels from
  // `frame`, the picture the painter draws on (its top-left at the
  // window's), as soon as it is drawn, while they are exactly what the
  // outline is composed from: on a 32-bit picture of one device pixel to a
  // window pixel, with no unlit segment, fade or shadow drawn (which the
  // outline leaves out). What it cannot read is composed.
  // Pictures opaque over a whole rectangle are copied into `frame` then,
  // not blended.
  bool paint_and_update_shape(QPainter& painter, const QRegion& clip, const QRegion& changed, QImage* frame);
  // The cut-out for the window: Format_MonoLSB of the client size, bit 1
  // (black) where the window is drawn, 0 (white) where the key colour lets
  // the desktop through. Null when the colour key is off.
  QImage shape_mask() const;

 private:
  // The picture as drawn at one size and device pixel ratio, made on first
  // paint; the window's paint and the outline's frame may want two.
  struct ScaledCopy {
    QImage image;
    QSize size;
    double device_ratio = 0;
    // No copy was made at this size: it would have passed the budget. Kept
    // so that later repaints draw from the source without counting again.
    bool over_budget = false;
  };
  struct Element {
    Picture picture;
    QImage drawn;
    QImage drawn_twin;  // the twin in its drawn form, or null
    QRect layout;       // as set, in skin pixels
    QRect geometry;     // in window pixels
    bool visible = false;
    // A fade under way: the level it started from and when.
    bool fading = false;
    double fade_from = 0.0;
    std::chrono::steady_clock::time_point fade_start{};
    PictureMode mode = PictureMode::top_left;
    mutable std::array<ScaledCopy, 2> copies;
  };
  // Drops the element's copies; what the scene holds is counted afresh.
  void forget_copies(const Element& e) const {
    e.copies = {};
    held_pixels_.reset();
  }

  Element& at(ElementId id) { return elements_[static_cast<std::size_t>(index_of(id))]; }
  const Element& at(ElementId id) const { return elements_[static_cast<std::size_t>(index_of(id))]; }
  QRect client_rect() const { return QRect(QPoint(0, 0), client_size_); }
  void mark_dirty(const QRect& rect);
  // Repainted, with no change to the outline.
  void mark_repaint_only(const QRect& rect);
  void mark_element_dirty(ElementId id, bool even_if_hidden = false);
  // The first element a paint of `bounds` draws: the topmost opaque one
  // covering it all, or the bottom one. `by_tiles`: a picture's opaque
  // tiles count too.
  int first_painted(const QRect& bounds, double device_ratio, bool by_tiles) const;
  // Composes one rectangle of the paint, the painter clipped to it (when
  // it draws there at all, drawing into the window's pixels directly); with
  // `by_tiles` (a region painted in many rectangles) pictures clear over it
  // are passed by and opaque ones hide what lies beneath.
  void paint_rect(QPainter& painter, const QRect& bounds, double device_ratio,
                  std::chrono::steady_clock::time_point now, bool by_tiles) const;
  // What an element's picture shows of `r`, known from its tiles of
  // kTile pixels (each clear, partly drawn or opaque), each worked out once
  // when first asked.
  enum class Shown : std::uint8_t { nothing, some, all, unknown };
  static constexpr int kTile = 32;
  // With `parts`, also the rectangles of `r` over its tiles that are not
  // clear, a row of tiles at a time: none where no tile is clear or it
  // cannot tell.
  Shown shown_in(ElementId id, const Element& e, const QRect& r, double device_ratio,
                 std::vector<QRect>* parts = nullptr) const;
  // The picture as it lies pixel for pixel at the element's top-left: at
  // 100 %, or zoomed from a copy, on a plain screen; null otherwise.
  const QImage* placed_picture(ElementId id, const Element& e, double device_ratio) const;
  // Copies the element's picture, opaque all over `bounds`, row by row into
  // `frame` (its top-left at the window's); false, with nothing done, where
  // it cannot.
  bool copy_opaque(QImage& frame, ElementId id, const Element& e, const QRect& bounds,
                   double device_ratio) const;
  // Draws the element's picture over `frame` within each of `rects`, as the
  // painter would at opacity 1 (the same sums, to the bit); false, with
  // nothing done, where it cannot.
  bool blend_placed(QImage& frame, ElementId id, const Element& e, const std::vector<QRect>& rects,
                    double device_ratio) const;
  std::vector<Shown>& tiles_of(const QImage& image) const;
  static Shown tile_shown(const QImage& image, int column, int row);
  void paint_element(QPainter& painter, ElementId id, const Element& e, double device_ratio) const;
  // The size an element's picture is drawn at, in window pixels.
  QSize drawn_size(ElementId id, const Element& e) const;
  // The picture scaled to `size` window pixels at `device_ratio`, from the
  // twin where that is the better source; null when a new copy would take
  // the scene past its budget.
  const QImage* scaled_picture(ElementId id, const Element& e, QSize size, double device_ratio) const;
  // Whether the element's copies are made with hard edges (and kept to itself).
  bool hardens_edges(ElementId id) const;
  // Another element's copy of the same picture at that size, to share.
  const ScaledCopy* shared_copy(const Element& e, QSize size, double device_ratio) const;
  // At 100 % on a plain screen a picture is drawn as decoded; zoomed, or on
  // a screen of more device pixels, from a copy made for its size.
  bool drawn_as_decoded(ElementId id, const Element& e, double device_ratio) const;
  // The drawings the coming paint of `bounds` (from element `first` up)
  // needs at sizes they have no copy at, drawn beforehand side by side on
  // the machine's cores into drawn_ahead_; the paint takes them from there.
  void draw_ahead(const QRect& bounds, int first, double device_ratio) const;
  // A drawing at `pixels`: the one drawn ahead, or drawn now.
  QImage drawing_at(const VectorPicture& picture, QSize pixels) const;
  // The better source for `pixels` device pixels: the twin where the
  // picture is magnified.
  static const QImage& source_for(const Element& e, QSize pixels);
  // The picture scaled while it is drawn, where no copy is kept.
  void paint_scaled_from_source(QPainter& painter, const Element& e, QSize size, double device_ratio) const;
  QRect window_rect(ElementId id, const QRect& layout) const;
  // The area an element covers with opaque pixels, or an empty rectangle.
  QRect opaque_cover(ElementId id, const Element& e) const;
  const QImage& pause_label_image(QSize size, double device_ratio) const;
  void paint_ghost(QPainter& painter, ElementId id, const Element& e, double device_ratio,
                   double level) const;
  double level_at(const Element& e, std::chrono::steady_clock::time_point now) const;
  void ghosts_changed(int before);

  std::array<Element, kElementCount> elements_;
  std::int64_t pixel_budget_ = kMaxSkinPixels;
  // held_pixels() as last counted, kept up as copies are made, so a new zoom
  // counts once rather than once for every copy.
  mutable std::optional<std::int64_t> held_pixels_;
  // What the pictures show, tile by tile, by their images' cache keys.
  mutable std::map<qint64, std::vector<Shown>> tiles_;
  // Drawings made ahead for the paint under way, by picture and pixels.
  mutable std::map<std::tuple<const VectorPicture*, int, int>, QImage> drawn_ahead_;
  View view_;
  QSize layout_size_ = kClientSizeBeforeSkin;
  QSize client_size_ = kClientSizeBeforeSkin;
  QColor background_ = Qt::white;
  bool key_enabled_ = true;
  QColor key_colour_ = Qt::white;

  // A region gathered a rectangle at a time and united when it is taken:
  // uniting each into the region at once costs the whole region every time,
  // which a change of hundreds of segments (GAME B) feels.
  class GatheredRegion {
   public:
    void add(const QRect& r);
    bool isEmpty() const { return rects_.empty() && united_.isEmpty(); }
    // The region, which is emptied.
    QRegion take();
    // A region covering it, which is emptied: paint_region of the region
    // while a few rectangles were gathered, else the tiles they touch.
    QRegion take_covering();

   private:
    void unite();
    QRegion united_;
    std::vector<QRect> rects_;
  };
  GatheredRegion dirty_;
  // A change of at most this many rectangles is repainted as it is.
  static constexpr int kFewRects = 8;
  // The tiles of kTile pixels, on one grid over the whole window, that
  // `rects` touch, joined along their rows and kept within their bounds.
  static QRegion tiles_over(const std::vector<QRect>& rects);
  std::function<void()> on_change_;

  // Shaped window: the cut-out, kept while the key is on.
  QImage mask_;
  bool shape_reset_ = true;     // key, colour or size changed: start afresh
  bool shape_was_on_ = false;   // the cut-out the window last took was in use
  GatheredRegion shape_stale_;  // changed since the cut-out was last brought up to date
  QRegion repaint_only_;        // marked for repaint alone (fade frames)
  QRegion repaint_only_taken_;  // of them, those the last take handed out
  mutable QImage pause_label_;
  mutable QSize pause_label_size_;

  std::optional<int> skin_ghost_percent_;
  std::optional<int> user_ghost_percent_;
  bool ghosts_suppressed_ = false;  // while the outline is composed
  // The picture the painter draws on, untransformed at opacity 1, while it
  // paints the window's own pixels with nothing drawn beyond the outline:
  // pictures lying pixel for pixel are copied or blended into it directly,
  // and the painter is clipped to a rectangle only when it draws there.
  QImage* copy_target_ = nullptr;
  // The outline's steps: the part of `changed` it must be brought up to
  // date over (none with the colour key off), its bits read from `part` (a
  // picture of the frame, its top-left at `origin` in the window) over
  // `rects`, and the rest composed a band at a time. Each sets
  // `changed_shape` when the window must take the outline again.
  std::optional<QRegion> shape_area(const QRegion& changed, bool& changed_shape);
  void read_outline(const QImage& part, QPoint origin, const QRegion& rects, bool& changed_shape);
  void compose_outline(const QRegion& area, bool& changed_shape);
  void paint(QPainter& painter, const QRegion& clip, const std::function<void(const QRect&)>& painted) const;
  // Whether the window draws what the outline's composition leaves out:
  // unlit segments, shadows, a fade.
  bool draws_beyond_outline() const { return ghost_percent() != 0 || shadows_ || fading_count_ != 0; }

  std::optional<int> skin_response_ms_;
  std::optional<int> user_response_ms_;
  int fading_count_ = 0;
  std::function<std::chrono::steady_clock::time_point()> fade_now_;

  bool shadows_ = false;
  ShadowLook skin_shadow_look_;
  ShadowLook user_shadow_look_;
  static ShadowLook layered_look(const ShadowLook& user, const ShadowLook& skin);
  ShadowLook shadow_look_ = layered_look({}, {});
  // Shadows by the picture they fall from (its cache key) and blur.
  mutable std::map<std::pair<qint64, int>, QImage> shadow_images_;
  // Where a segment's shadow falls, in window pixels.
  QRect shadow_rect(ElementId id, const Element& e, const ShadowLook& look) const;
  // The glass, kept until a segment is placed anew.
  mutable std::optional<QRect> glass_;
  void mark_shadows_dirty();
  void paint_shadows(QPainter& painter, const QRect& bounds, double device_ratio,
                     std::chrono::steady_clock::time_point now) const;
  const QImage& shadow_image(const QImage& segment, int blur_pixels) const;
};

}  // namespace hero
