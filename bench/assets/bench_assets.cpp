// How the generated skins weigh on the program: a full windowed frame of each
// default skin with every segment lit (the all-lit picture), composed by the
// scene exactly as the window does; and how long the generator takes to make
// the large skin, which is what the build waits for.
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <string>

#include "assets/generator/image_io.h"
#include "assets/generator/skin_renderer.h"
#include "display/skins/gfxinit.h"
#include "display/skins/scene.h"

namespace hero {
namespace {

class IgnoreErrors : public InstallationErrors {
 public:
  void report(const std::string& message) override { last = message; }
  std::string last;
};

// The skin loaded and lit as mode_all_lit shows it: every segment but the
// glyph sources, the panel reading 12:00.
bool load_lit(Scene& scene, int skin) {
  IgnoreErrors errors;
  const SkinCatalogue catalogue = read_skin_catalogue(HERO_BENCH_INSTALL_DIR, errors);
  SkinLoadRequest request;
  request.catalogue = &catalogue;
  request.selected_skin = skin;
  request.screen_size = QSize(1920, 1080);
  request.program_folder = HERO_BENCH_INSTALL_DIR;
  request.current_folder = HERO_BENCH_INSTALL_DIR;
  load_skin(scene, request, errors);
  if (!errors.last.empty()) return false;
  for (int i = index_of(ElementId::im_panel_time_am); i <= index_of(ElementId::im_rogue_x3y4); ++i) {
    const auto id = static_cast<ElementId>(i);
    if (id >= ElementId::im_panel_number_0 && id <= ElementId::im_panel_number_9) continue;
    if (id == ElementId::im_panel_time_pm) continue;
    scene.set_visible(id, true);
  }
  scene.copy_picture(ElementId::im_panel_digit_1, ElementId::im_panel_number_1);
  scene.copy_picture(ElementId::im_panel_digit_2, ElementId::im_panel_number_2);
  scene.copy_picture(ElementId::im_panel_digit_3, ElementId::im_panel_number_0);
  scene.copy_picture(ElementId::im_panel_digit_4, ElementId::im_panel_number_0);
  scene.take_dirty_region();
  return true;
}

void BM_GeneratedSkinFullFrameAllLit(benchmark::State& state) {
  Scene scene;
  if (!load_lit(scene, static_cast<int>(state.range(0)))) {
    state.SkipWithError("the generated installation is missing; build hero_installation");
    return;
  }
  QImage target(scene.client_size(), QImage::Format_ARGB32_Premultiplied);
  const QRegion all(QRect(QPoint(0, 0), scene.client_size()));
  for (auto _ : state) {
    QPainter p(&target);
    scene.paint(p, all);
    p.end();
    benchmark::DoNotOptimize(target.constBits());
  }
  state.SetLabel(std::to_string(scene.client_size().width()) + " x " +
                 std::to_string(scene.client_size().height()));
}
BENCHMARK(BM_GeneratedSkinFullFrameAllLit)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_GenerateLargeSkin(benchmark::State& state) {
  for (auto _ : state) {
    QTemporaryDir out;
    assetgen::SkinOptions options;
    options.svg_path = QStringLiteral(HERO_BENCH_ASSETS_DIR "/skin/handheld.svg");
    options.backdrop_svg = QStringLiteral(HERO_BENCH_ASSETS_DIR "/skin/backdrop.svg");
    options.logo_svg = QStringLiteral(HERO_BENCH_ASSETS_DIR "/skin/logo.svg");
    options.out_dir = out.path();
    options.title = QStringLiteral("bench");
    assetgen::render_skin(options);
  }
}
BENCHMARK(BM_GenerateLargeSkin)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace hero

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  hero::assetgen::load_fixed_fonts();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
