// hero-skin preview against the main window's own frame, and hero-skin build
// from the handheld drawing: the shipped skin again, byte for byte.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "display/skins/gfxinit.h"
#include "display/window/unit1.h"
#include "engine/memory_settings_store.h"
#include "tests/skinkit/skinkit_support.h"
#include "tests/support/recording_errors.h"
#include "tools/skin/skin_build.h"
#include "tools/skin/skin_check.h"
#include "tools/skin/skin_preview.h"

namespace hero::skinkit {
namespace {

namespace fs = std::filesystem;
using test::ensure_app;
using test::install_dir;
using test::read_all;

// A drawing of the default skins' sources.
QString source(const char* name) {
  const char* env = std::getenv("HERO_SOURCE_DIR");
  return QString::fromStdString((env ? fs::path(env) : fs::path(HERO_TEST_SOURCE_DIR)).string()) +
         "/assets/skin/" + name;
}

class Silent final : public SoundSink {
 public:
  void play(SoundId) override {}
  void stop_all() override {}
};

TEST(SkinPreview, AllLitMatchesTheMainWindowPixelForPixel) {
  ensure_app();
  auto store = std::make_unique<MemorySettingsStore>();
  store->write_text("FullscreenMode", "0");
  store->write_text("Zoom", "100");
  Silent sound;
  TForm1 form(std::move(store), sound);
  test::RecordingErrors errors;
  const SkinCatalogue catalogue = read_skin_catalogue(install_dir(), errors);
  form.set_skin_loader([&](TForm1& w) {
    SkinLoadRequest request;
    request.catalogue = &catalogue;
    request.selected_skin = 1;
    request.program_folder = install_dir();
    request.current_folder = install_dir();
    request.screen_size = QSize(1920, 1080);
    load_skin(w.scene(), request, errors);
  });
  form.lay_out_skin();
  form.engine().start();
  form.flush();
  ASSERT_TRUE(errors.messages.empty());
  const QImage window = form.grab().toImage().convertToFormat(QImage::Format_RGB32);

  PreviewRequest request;
  request.skin_dir = install_dir() / "Graphics" / "Skin1";
  const QImage preview = render_preview(request);
  ASSERT_EQ(preview.size(), window.size());
  int differing = 0;
  for (int y = 0; y < preview.height(); ++y)
    for (int x = 0; x < preview.width(); ++x) differing += preview.pixel(x, y) != window.pixel(x, y);
  EXPECT_EQ(differing, 0);
}

TEST(SkinPreview, ModesLayoutsZoomAndSheet) {
  ensure_app();
  PreviewRequest request;
  request.skin_dir = install_dir() / "Graphics" / "Skin2";
  const QImage lit = render_preview(request);
  request.mode = PreviewMode::clock;
  const QImage clock = render_preview(request);
  EXPECT_EQ(clock.size(), lit.size());
  EXPECT_NE(clock, lit);
  request.mode = PreviewMode::game_a;
  EXPECT_NE(render_preview(request), clock);
  request.zoom = 2.0;
  EXPECT_EQ(render_preview(request).size(), lit.size() * 2);
  request.fullscreen = true;
  request.screen_size = QSize(1280, 720);
  EXPECT_EQ(render_preview(request).size(), QSize(1280, 720));
  EXPECT_FALSE(render_sheet(request.skin_dir).isNull());
  request.skin_dir = "/nonexistent/skin";
  EXPECT_THROW(render_preview(request), std::runtime_error);
}

TEST(SkinBuild, DefaultDrawingGivesTheShippedSkinByteForByteTwice) {
  ensure_app();
  QTemporaryDir a, b;
  BuildRequest request{source("handheld.svg"), a.path(),           0.6,
                       source("backdrop.svg"), source("logo.svg"), "Skin \"Default (small)\""};
  EXPECT_TRUE(build_skin(request).empty());
  request.out_dir = b.path();
  EXPECT_TRUE(build_skin(request).empty());
  const fs::path shipped = install_dir() / "Graphics" / "Skin2";
  int files = 0;
  for (const auto& entry : fs::directory_iterator(shipped)) {
    const fs::path name = entry.path().filename();
    EXPECT_EQ(read_all(fs::path(a.path().toStdString()) / name), read_all(entry.path())) << name;
    EXPECT_EQ(read_all(fs::path(b.path().toStdString()) / name), read_all(entry.path())) << name;
    ++files;
  }
  EXPECT_GT(files, 140);  // 68 pictures, their twins, Config.ini, backdrop, logo
  EXPECT_TRUE(check_skin(a.path().toStdString()).empty());
}

TEST(SkinBuild, MissingAndUnknownIdsAtTheirLines) {
  ensure_app();
  QTemporaryDir dir;
  const QString svg = dir.path() + "/partial.svg";
  {
    std::ofstream out(svg.toStdString());
    out << "<?xml version=\"1.0\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"100\" height=\"50\">\n"
           "<defs><g id=\"shared\"/></defs>\n"
           "<g id=\"im_background\"><rect id=\"inner\" width=\"100\" height=\"50\"/></g>\n"
           "<rect id=\"im_lady_9\" width=\"5\" height=\"5\"/>\n"
           "</svg>\n";
  }
  const auto findings = check_drawing(svg);
  int missing = 0, unknown = 0;
  for (const Finding& f : findings) {
    if (f.level == Level::error) {
      EXPECT_EQ(f.line, 2) << f.message;
      ++missing;
    } else {
      EXPECT_EQ(f.line, 5);
      EXPECT_NE(f.message.find("im_lady_9"), std::string::npos);
      ++unknown;
    }
  }
  EXPECT_EQ(missing, 80);
  EXPECT_EQ(unknown, 1);
  EXPECT_FALSE(build_skin({svg, dir.path() + "/out", 1.0, {}, {}, {}}).empty());
  EXPECT_FALSE(fs::exists((dir.path() + "/out/Config.ini").toStdString()));
}

}  // namespace
}  // namespace hero::skinkit
