// Repaint cost of the scene: a full frame of the wide windowed skin with every
// segment lit, a 4K full-screen frame with 80 translucent pictures over a
// stretched backdrop, and the flush of an ordinary game tick.
#include <QGuiApplication>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <optional>
#include <vector>

#include "display/lcd/element_ids.h"
#include "display/skins/gfxinit.h"
#include "display/skins/scene.h"
#include "engine/installation_errors.h"

namespace hero {
namespace {

// A segment-like picture: a dark shape on a white ground keyed out by its
// bottom-left pixel, as LCD segment bitmaps are drawn.
Picture segment_picture(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setBrush(QColor(40, 40, 40));
  p.setPen(Qt::NoPen);
  p.drawEllipse(QRect(2, 2, w - 4, h - 4));
  p.end();
  return Picture{image, false};
}

Picture translucent_picture(int w, int h, int seed) {
  QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setBrush(QColor(seed * 37 % 255, seed * 91 % 255, 200, 128));
  p.setPen(Qt::NoPen);
  p.drawRoundedRect(QRect(0, 0, w, h), 20, 20);
  p.end();
  return Picture{image, true};
}

// The handheld picture: an opaque body with a magenta surrounding that the
// colour key cuts away.
Picture handheld_picture(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(Qt::magenta);
  QPainter p(&image);
  p.setBrush(QColor(180, 30, 30));
  p.drawRoundedRect(QRect(10, 10, w - 20, h - 20), 120, 120);
  p.setBrush(QColor(190, 200, 180));
  p.drawRect(QRect(300, 150, w - 600, h - 300));
  p.end();
  return Picture{image, false};
}

void lay_out_windowed_skin(Scene& scene) {
  scene.set_client_size(QSize(1475, 870));
  scene.set_colour_key(true, Qt::magenta);
  scene.set_background_colour(Qt::magenta);
  scene.set_picture(ElementId::im_background, handheld_picture(1475, 870));
  scene.set_geometry(ElementId::im_background, QRect(0, 0, 1475, 870));
  const Picture segment = segment_picture(70, 90);
  for (int n = 16; n <= 81; ++n) {
    const ElementId id = skin_image(n);
    scene.set_picture(id, segment);
    scene.set_geometry(id, QRect(320 + (n % 11) * 75, 170 + (n / 11) * 80, 70, 90));
    scene.set_visible(id, true);
  }
  for (int d = 0; d < 4; ++d) {
    scene.copy_picture(static_cast<ElementId>(index_of(ElementId::im_panel_digit_1) + (d < 2 ? d : d + 1)),
                       ElementId::im_panel_number_8);
  }
  scene.set_picture(ElementId::im_background_screen_top, translucent_picture(875, 570, 3));
  scene.set_geometry(ElementId::im_background_screen_top, QRect(300, 150, 875, 570));
  scene.take_dirty_region();
}

void BM_FullFrameWindowedAllLit(benchmark::State& state) {
  Scene scene;
  lay_out_windowed_skin(scene);
  QImage target(scene.client_size(), QImage::Format_ARGB32_Premultiplied);
  const QRegion all(QRect(QPoint(0, 0), scene.client_size()));
  for (auto _ : state) {
    QPainter p(&target);
    scene.paint(p, all);
    p.end();
    benchmark::DoNotOptimize(target.constBits());
  }
}
BENCHMARK(BM_FullFrameWindowedAllLit)->Unit(benchmark::kMillisecond);

void BM_FullFrameFullScreen4K(benchmark::State& state) {
  Scene scene;
  scene.set_client_size(QSize(3840, 2160));
  scene.set_colour_key(false, Qt::white);
  scene.set_background_colour(QColor(0x33, 0x66, 0x99));
  QImage backdrop(1920, 1080, QImage::Format_RGB32);
  backdrop.fill(QColor(20, 60, 90));
  scene.set_picture(ElementId::im_backdrop, Picture{backdrop, false});
  scene.set_picture_mode(ElementId::im_backdrop, PictureMode::stretch);
  scene.set_geometry(ElementId::im_backdrop, QRect(0, 0, 3840, 2160));
  scene.set_visible(ElementId::im_backdrop, true);
  for (int n = 1; n <= 80; ++n) {
    const ElementId id = skin_image(n);
    scene.set_picture(id, translucent_picture(200, 150, n));
    scene.set_geometry(id, QRect(40 + (n % 10) * 370, 60 + (n / 10) * 250, 200, 150));
    scene.set_visible(id, true);
  }
  QImage target(scene.client_size(), QImage::Format_ARGB32_Premultiplied);
  const QRegion all(QRect(QPoint(0, 0), scene.client_size()));
  {
    QPainter warm(&target);
    scene.paint(warm, all);  // makes the stretched backdrop once
  }
  for (auto _ : state) {
    QPainter p(&target);
    scene.paint(p, all);
    p.end();
    benchmark::DoNotOptimize(target.constBits());
  }
}
BENCHMARK(BM_FullFrameFullScreen4K)->Unit(benchmark::kMillisecond);

// The same 4K frame drawn with bare QPainter calls, no scene: the floor the
// scene's own cost is measured against.
void BM_BareQPainter4KBaseline(benchmark::State& state) {
  QImage backdrop(3840, 2160, QImage::Format_RGB32);
  backdrop.fill(QColor(20, 60, 90));
  std::vector<QImage> pictures;
  for (int n = 1; n <= 80; ++n) pictures.push_back(translucent_picture(200, 150, n).image);
  QImage target(3840, 2160, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    QPainter p(&target);
    p.drawImage(0, 0, backdrop);
    for (int n = 1; n <= 80; ++n) {
      p.drawImage(40 + (n % 10) * 370, 60 + (n / 10) * 250, pictures[static_cast<std::size_t>(n - 1)]);
    }
    p.end();
    benchmark::DoNotOptimize(target.constBits());
  }
}
BENCHMARK(BM_BareQPainter4KBaseline)->Unit(benchmark::kMillisecond);

// What one tick changes: two objects, the hero and the rogue.
QRegion tick_changes(Scene& scene, bool on) {
  scene.set_visible(ElementId::im_enemy_x1y3, on);
  scene.set_visible(ElementId::im_enemy_x2y4, !on);
  scene.set_visible(ElementId::im_hero_x2, on);
  scene.set_visible(ElementId::im_rogue_x3y2, !on);
  return scene.take_dirty_region();
}

// One game tick: a handful of segments change, the window takes the changed
// rectangles, checks the outline and repaints only those rectangles.
void BM_TickFlushWindowed(benchmark::State& state) {
  Scene scene;
  lay_out_windowed_skin(scene);
  QImage target(scene.client_size(), QImage::Format_ARGB32_Premultiplied);
  scene.update_shape(QRegion(QRect(QPoint(0, 0), scene.client_size())));
  bool on = false;
  for (auto _ : state) {
    on = !on;
    const QRegion dirty = tick_changes(scene, on);
    benchmark::DoNotOptimize(scene.update_shape(dirty));
    QPainter p(&target);
    scene.paint(p, dirty);
  }
}
BENCHMARK(BM_TickFlushWindowed)->Unit(benchmark::kMicrosecond);

// ---- The default large skin, zoomed and fitted --------------------------------

class NoErrors final : public InstallationErrors {
 public:
  void report(const std::string& message) override { throw std::runtime_error(message); }
};

// The installation's large skin laid out as the program does it.
void load_large_skin(Scene& scene, bool fullscreen, double zoom, QSize screen) {
  NoErrors errors;
  static const SkinCatalogue catalogue = read_skin_catalogue(HERO_INSTALL_DIR, errors);
  SkinLoadRequest request;
  request.catalogue = &catalogue;
  request.selected_skin = 1;
  request.fullscreen_mode = fullscreen;
  request.zoom = zoom;
  request.fullscreen_fit = fullscreen;
  request.screen_size = screen;
  request.program_folder = HERO_INSTALL_DIR;
  request.current_folder = HERO_INSTALL_DIR;
  load_skin(scene, request, errors);
  for (int i = index_of(ElementId::im_panel_time_am); i <= index_of(ElementId::im_rogue_x3y4); ++i)
    scene.set_visible(static_cast<ElementId>(i), true);
}

void paint_full_frame(benchmark::State& state, Scene& scene) {
  QImage target(scene.client_size(), QImage::Format_ARGB32_Premultiplied);
  const QRegion all(QRect(QPoint(0, 0), scene.client_size()));
  {
    QPainter warm(&target);
    scene.paint(warm, all);  // the zoomed copies are made once
  }
  for (auto _ : state) {
    QPainter p(&target);
    scene.paint(p, all);
    p.end();
    benchmark::DoNotOptimize(target.constBits());
  }
}

// The same frame with bare QPainter calls: every visible picture, already at
// its drawn size, blitted in stacking order over the background.
// A visible element's picture as the frame shows it: scaled once, ahead of
// the bare painting, to the size the scene draws it at (a stretched picture
// fills its place).
std::optional<QImage> bare_picture(const Scene& scene, ElementId id, double* scale_out = nullptr) {
  const QImage& drawn = scene.drawn_image(id);
  if (!scene.is_visible(id) || drawn.isNull() || scene.geometry(id).isEmpty()) return std::nullopt;
  const double scale = scene.picture_mode(id) == PictureMode::stretch ? 0.0 : scene.scale_of(id);
  if (scale_out) *scale_out = scale;
  const QSize size = scale == 0.0 ? scene.geometry(id).size() : drawn.size() * scale;
  return drawn.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void paint_bare(benchmark::State& state, Scene& scene) {
  std::vector<std::pair<QPoint, QImage>> pictures;
  for (int i = 0; i < kElementCount; ++i) {
    const auto id = static_cast<ElementId>(i);
    if (std::optional<QImage> picture = bare_picture(scene, id))
      pictures.emplace_back(scene.geometry(id).topLeft(), std::move(*picture));
  }
  QImage target(scene.client_size(), QImage::Format_ARGB32_Premultiplied);
  const QColor background = scene.background_colour();
  for (auto _ : state) {
    QPainter p(&target);
    p.fillRect(target.rect(), background);
    for (const auto& [at, image] : pictures) p.drawImage(at, image);
    p.end();
    benchmark::DoNotOptimize(target.constBits());
  }
}

// The large skin at 200 % in a window and fitted to a 4K full screen, each
// painted by the scene and, from the same pictures, by bare QPainter calls.
template <bool kFullScreen, bool kBare>
void BM_LargeSkin(benchmark::State& state) {
  Scene scene;
  load_large_skin(scene, kFullScreen, kFullScreen ? 1.0 : 2.0, QSize(3840, 2160));
  kBare ? paint_bare(state, scene) : paint_full_frame(state, scene);
}
BENCHMARK(BM_LargeSkin<false, false>)->Name("BM_LargeSkinAt200Percent")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LargeSkin<false, true>)
    ->Name("BM_BareQPainterLargeSkinAt200Percent")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LargeSkin<true, false>)->Name("BM_LargeSkinFullScreenFit4K")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LargeSkin<true, true>)
    ->Name("BM_BareQPainterLargeSkinFullScreenFit4K")
    ->Unit(benchmark::kMillisecond);

// A new zoom: the large skin's first frame at a zoom it was not drawn at,
// every element's drawing drawn afresh for its new pixels (three zooms in
// turn, so no copy of the last two is at hand), beside the same with the
// PNGs magnified, as a skin without drawings does.
template <bool kDrawings>
void BM_FirstFrameAtANewZoom(benchmark::State& state) {
  Scene scene;
  load_large_skin(scene, false, 2.0, QSize(3840, 2160));
  if (!kDrawings)
    for (int i = 0; i < kElementCount; ++i) {
      const auto id = static_cast<ElementId>(i);
      Picture raster = scene.picture(id);
      if (!raster.vector) continue;
      raster.vector = nullptr;
      scene.set_picture(id, raster);
    }
  const double zooms[] = {2.0, 2.5, 3.0};
  int next = 0;
  for (auto _ : state) {
    scene.set_view(Scene::View{zooms[next++ % 3], {}, false});
    QImage target(scene.client_size(), QImage::Format_ARGB32_Premultiplied);
    QPainter p(&target);
    scene.paint(p, QRegion(QRect(QPoint(0, 0), scene.client_size())));
    p.end();
    benchmark::DoNotOptimize(target.constBits());
  }
}
BENCHMARK(BM_FirstFrameAtANewZoom<true>)
    ->Name("BM_FirstFrameAtANewZoomWithDrawings")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstFrameAtANewZoom<false>)
    ->Name("BM_FirstFrameAtANewZoomMagnified")
    ->Unit(benchmark::kMillisecond);

// The segments' shadows: the large skin at 100 % and 200 % in a window and
// fitted to a 4K full screen, every segment lit and casting its shadow,
// painted by the scene and, beside it, by bare QPainter calls that blit the
// same pictures and a ready shadow of each segment (its silhouette, grown by
// the blur) at the shadows' opacity within the glass.
void paint_bare_with_shadows(benchmark::State& state, Scene& scene) {
  const Scene::ShadowLook& look = scene.shadow_look();
  std::vector<std::pair<QPointF, QImage>> shadows;
  std::vector<std::pair<QPoint, QImage>> pictures;
  for (int i = 0; i < kElementCount; ++i) {
    const auto id = static_cast<ElementId>(i);
    double scale = 0.0;
    std::optional<QImage> bare = bare_picture(scene, id, &scale);
    if (!bare) continue;
    QImage& picture = *bare;
    const QSize size = picture.size();
    if (Scene::has_ghost(id)) {
      const int pad = static_cast<int>(*look.blur * scale) + 1;
      QImage shadow(size + QSize(2 * pad, 2 * pad), QImage::Format_ARGB32_Premultiplied);
      shadow.fill(Qt::transparent);
      QPainter silhouette(&shadow);
      silhouette.drawImage(pad, pad, picture);
      silhouette.setCompositionMode(QPainter::CompositionMode_SourceIn);
      silhouette.fillRect(shadow.rect(), Qt::black);
      silhouette.end();
      shadows.emplace_back(QPointF(scene.geometry(id).x() + *look.offset_x * scale - pad,
                                   scene.geometry(id).y() + *look.offset_y * scale - pad),
                           shadow);
    }
    pictures.emplace_back(scene.geometry(id).topLeft(), picture);
  }
  QImage target(scene.client_size(), QImage::Format_ARGB32_Premultiplied);
  const QColor background = scene.background_colour();
  const QRect glass = scene.lcd_glass();
  const int first_segment = index_of(ElementId::im_panel_time_am);
  for (auto _ : state) {
    QPainter p(&target);
    p.fillRect(target.rect(), background);
    std::size_t drawn = 0;
    for (const auto& [at, image] : pictures) {
      if (drawn++ ==
          static_cast<std::size_t>(std::min<int>(first_segment, static_cast<int>(pictures.size())))) {
        p.save();
        p.setClipRect(glass);
        p.setOpacity(*look.opacity / 100.0);
        for (const auto& [shadow_at, shadow] : shadows) p.drawImage(shadow_at, shadow);
        p.restore();
      }
      p.drawImage(at, image);
    }
    p.end();
    benchmark::DoNotOptimize(target.constBits());
  }
}

template <int kZoomPercent, bool kBare>
void BM_ShadowedSkin(benchmark::State& state) {
  Scene scene;
  const bool fitted = kZoomPercent == 0;
  load_large_skin(scene, fitted, fitted ? 1.0 : kZoomPercent / 100.0, QSize(3840, 2160));
  scene.set_shadows(true);
  kBare ? paint_bare_with_shadows(state, scene) : paint_full_frame(state, scene);
}
BENCHMARK(BM_ShadowedSkin<100, false>)->Name("BM_ShadowsAt100Percent")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShadowedSkin<100, true>)->Name("BM_BareShadowsAt100Percent")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShadowedSkin<200, false>)->Name("BM_ShadowsAt200Percent")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShadowedSkin<200, true>)->Name("BM_BareShadowsAt200Percent")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShadowedSkin<0, false>)->Name("BM_ShadowsFullScreenFit4K")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShadowedSkin<0, true>)->Name("BM_BareShadowsFullScreenFit4K")->Unit(benchmark::kMillisecond);

// An ordinary tick at 200 %: only the changed rectangles are repainted
// (with shadows, theirs too).
template <bool kShadows>
void BM_TickFlushAt200Percent(benchmark::State& state) {
  Scene scene;
  load_large_skin(scene, false, 2.0, QSize(3840, 2160));
  scene.set_shadows(kShadows);
  QImage target(scene.client_size(), QImage::Format_ARGB32_Premultiplied);
  {
    QPainter warm(&target);
    scene.paint(warm, QRegion(QRect(QPoint(0, 0), scene.client_size())));
  }
  scene.update_shape(scene.take_dirty_region());
  bool on = false;
  std::int64_t pixels = 0;
  for (auto _ : state) {
    on = !on;
    const QRegion dirty = tick_changes(scene, on);
    for (const QRect& r : dirty) pixels += std::int64_t{r.width()} * r.height();
    benchmark::DoNotOptimize(scene.update_shape(dirty));
    QPainter p(&target);
    scene.paint(p, dirty);
  }
  // The share of the window a tick repaints: changed rectangles, not frames.
  state.counters["repainted_share"] =
      static_cast<double>(pixels) / static_cast<double>(state.iterations()) /
      (static_cast<double>(scene.client_size().width()) * scene.client_size().height());
}
BENCHMARK(BM_TickFlushAt200Percent<false>)->Name("BM_TickFlushAt200Percent")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TickFlushAt200Percent<true>)
    ->Name("BM_TickFlushWithShadowsAt200Percent")
    ->Unit(benchmark::kMicrosecond);

// The largest change a key makes: GAME B over the all-lit picture darkens
// nearly every segment. The window takes the changed region, brings the
// outline up to date and repaints it: the default skin at 100 %, every
// segment hidden and shown again in turn.
void BM_WholeScreenChangeFlush(benchmark::State& state) {
  Scene scene;
  load_large_skin(scene, false, 1.0, QSize(1920, 1080));
  QImage target(scene.client_size(), QImage::Format_RGB32);
  {
    QPainter warm(&target);
    scene.paint(warm, QRegion(QRect(QPoint(0, 0), scene.client_size())));
  }
  scene.update_shape(scene.take_dirty_region());
  bool lit = true;
  for (auto _ : state) {
    lit = !lit;
    for (int i = index_of(ElementId::im_panel_time_am); i <= index_of(ElementId::im_rogue_x3y4); ++i)
      scene.set_visible(static_cast<ElementId>(i), lit);
    const QRegion dirty = scene.take_paint_region();
    // As the window does: the outline is read from what is painted.
    QPainter p(&target);
    benchmark::DoNotOptimize(scene.paint_and_update_shape(p, dirty, dirty, &target));
  }
}
BENCHMARK(BM_WholeScreenChangeFlush)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace hero

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
