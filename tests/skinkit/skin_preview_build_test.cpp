// hero-skin preview against the main window's own frame, and hero-skin build
// from the handheld drawing: the shipped skin again, byte for byte.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "display/lcd/element_ids.h"
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
using test::install_dir;
using test::qt_app;
using test::read_file;

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
  qt_app();
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
  qt_app();
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
  qt_app();
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
    EXPECT_EQ(read_file(fs::path(a.path().toStdString()) / name), read_file(entry.path())) << name;
    EXPECT_EQ(read_file(fs::path(b.path().toStdString()) / name), read_file(entry.path())) << name;
    ++files;
  }
  EXPECT_GT(files, 140);  // 68 pictures, their twins, Config.ini, backdrop, logo
  EXPECT_TRUE(check_skin(a.path().toStdString()).empty());
}

TEST(SkinBuild, MissingAndUnknownIdsAtTheirLines) {
  qt_app();
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

// A small drawing with every skin element, each a rectangle; `extra` is
// put in before the end.
std::string small_drawing(const std::string& extra = "") {
  std::string svg =
      "<?xml version=\"1.0\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" width=\"120\" "
      "height=\"60\">\n"
      "<rect id=\"im_background\" width=\"120\" height=\"60\" fill=\"#345\"/>\n";
  for (int n = 2; n <= kSkinImageCount; ++n)
    svg += "<rect id=\"" + std::string(element_name(skin_image(n))) + "\" x=\"" + std::to_string(n % 100) +
           "\" y=\"" + std::to_string(n % 50) + "\" width=\"4\" height=\"4\"/>\n";
  return svg + extra + "</svg>\n";
}

QString write(const QTemporaryDir& dir, const char* name, const std::string& text) {
  const QString path = dir.path() + "/" + name;
  std::ofstream(path.toStdString()) << text;
  return path;
}

// A drawing is a stranger's file: it may not reach outside itself, and a
// build either replaces the target whole or leaves it as it was.
TEST(SkinBuild, ADrawingStaysInsideItselfAndAFailedBuildLeavesTheTargetAsItWas) {
  qt_app();
  QTemporaryDir dir;
  const QString good = write(dir, "good.svg", small_drawing());
  const QString target = dir.path() + "/Skin";
  ASSERT_TRUE(build_skin({good, target, 1.0, {}, {}, "first\nFilename=../../etc/passwd"}).empty());
  const std::string config = read_file((target + "/Config.ini").toStdString());
  EXPECT_EQ(config.rfind("; first Filename=../../etc/passwd\n", 0), 0u) << "a title is one comment line";
  for (const Finding& f : check_skin(target.toStdString()))
    EXPECT_NE(f.level, Level::error) << format_finding(f);

  // Pictures, styles and parts of other files: refused at their lines.
  const QString reaching =
      write(dir, "reaching.svg",
            small_drawing("<image href=\"file:///etc/hostname\" width=\"9\" height=\"9\"/>\n"
                          "<use xlink:href=\"other.svg#part\"/>\n"
                          "<use xlink:href=\"#im_lady_1\"/>\n"));
  std::vector<Finding> findings = check_drawing(reaching);
  ASSERT_EQ(findings.size(), 2u);
  EXPECT_EQ(findings[0].line, 84);
  EXPECT_NE(findings[0].message.find("<image> refers to \"file:///etc/hostname\" outside"),
            std::string::npos);
  EXPECT_EQ(findings[1].line, 85);
  // Entities, a second element of one id.
  std::string entities = small_drawing();
  entities.insert(entities.find("<svg"), "<!DOCTYPE svg [<!ENTITY a \"aaaaaaaa\">]>\n");
  EXPECT_NE(check_drawing(write(dir, "entities.svg", entities))[0].message.find("entities"),
            std::string::npos);
  findings = check_drawing(
      write(dir, "twice.svg", small_drawing("<rect id=\"im_lady_1\" width=\"2\" height=\"2\"/>\n")));
  ASSERT_EQ(findings.size(), 1u);
  EXPECT_NE(findings[0].message.find("a second element with id \"im_lady_1\""), std::string::npos);
  // A pipe is never opened (it would wait for a writer for ever).
  const QString pipe = dir.path() + "/pipe.svg";
  ASSERT_EQ(mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
  EXPECT_NE(check_drawing(pipe)[0].message.find("not a regular file"), std::string::npos);
  EXPECT_FALSE(build_skin({good, target, 1.0, {}, pipe, {}}).empty());
  // A game area the handheld would refuse is refused before any rendering.
  findings = build_skin({good, target, 100.0, {}, {}, {}});
  ASSERT_EQ(findings.size(), 1u);
  EXPECT_NE(findings[0].message.find("from 1 to 8192"), std::string::npos) << findings[0].message;
  EXPECT_NE(build_skin({good, target, 60.0, {}, {}, {}}).at(0).message.find("too large"), std::string::npos);
  for (const std::vector<Finding>& refused :
       {build_skin({reaching, target, 1.0, {}, {}, {}}), build_skin({good, target, 1.0, {}, reaching, {}})})
    EXPECT_FALSE(refused.empty());

  // A logo that is XML but no SVG fails the build after every picture was
  // drawn: the target keeps the first build's files, and nothing else.
  const QString not_svg = write(dir, "not.svg", "<?xml version=\"1.0\"?>\n<nothing/>\n");
  EXPECT_THROW(build_skin({good, target, 2.0, {}, not_svg, "second"}), std::runtime_error);
  EXPECT_EQ(read_file((target + "/Config.ini").toStdString()), config);
  EXPECT_EQ(QDir(dir.path())
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
                .size(),
            7)
      << QDir(dir.path())
             .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
             .join(' ')
             .toStdString();

  // A target that is a link is replaced, never written through.
  QTemporaryDir elsewhere;
  const QString link = dir.path() + "/Linked";
  ASSERT_TRUE(QFile::link(elsewhere.path(), link));
  EXPECT_TRUE(build_skin({good, link, 1.0, {}, {}, {}}).empty());
  EXPECT_FALSE(QFileInfo(link).isSymLink());
  EXPECT_TRUE(QDir(elsewhere.path()).isEmpty());
}

}  // namespace
}  // namespace hero::skinkit
