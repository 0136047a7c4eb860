// The generator's parts on their own: tone descriptions, manual pages and
// rendering a skin from a drawing.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <stdexcept>

#include "assets/generator/manual_pages.h"
#include "assets/generator/skin_renderer.h"
#include "assets/generator/tone_synth.h"
#include "tests/assets/asset_test_support.h"

namespace hero {
namespace {

using assetgen::synthesise_tone;

std::string error_of(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::runtime_error& e) {
    return e.what();
  }
  return {};
}

TEST(ToneTest, NoteLastsItsDurationAtTheSampleRate) {
  EXPECT_EQ(synthesise_tone("note 1000 100\n").size(), 2205u);
  EXPECT_EQ(synthesise_tone("note 1000 100\nrest 50\nslide 800 400 20\n").size(), 2205u + 1103u + 441u);
}

TEST(ToneTest, VolumeBoundsTheAmplitudeAndRestIsSilent) {
  const auto samples = synthesise_tone("volume 0.25\nnote 500 20\nrest 10\n");
  const auto loudest = std::max_element(samples.begin(), samples.end(),
                                        [](auto a, auto b) { return std::abs(a) < std::abs(b); });
  EXPECT_NEAR(std::abs(*loudest), 0.25 * 32767, 2);
  EXPECT_TRUE(std::all_of(samples.end() - 220, samples.end(), [](auto v) { return v == 0; }));
}

TEST(ToneTest, NotesFadeInSoTheBuzzerDoesNotClick) {
  const auto samples = synthesise_tone("volume 1\nfade 5\nnote 440 100\n");
  EXPECT_LT(std::abs(samples.front()), 500);
  EXPECT_LT(std::abs(samples.back()), 500);
}

TEST(ToneTest, SquareWaveFollowsTheFrequency) {
  const auto samples = synthesise_tone("fade 0\nnote 1000 100\n");
  int changes = 0;
  for (std::size_t i = 1; i < samples.size(); ++i)
    if ((samples[i - 1] < 0) != (samples[i] < 0)) ++changes;
  EXPECT_NEAR(changes, 200, 3);  // two edges a period, 100 periods
}

TEST(ToneTest, CommentsAndBlankLinesAreIgnored) {
  EXPECT_EQ(synthesise_tone("# a click\n\n   note 2000 10   # short\n").size(), 221u);
}

TEST(ToneTest, MalformedLinesAreRejectedWithTheirLineNumber) {
  EXPECT_NE(error_of([] { synthesise_tone("note 1000 10\n\nnote loud 10\n"); }).find("line 3"),
            std::string::npos);
  EXPECT_NE(error_of([] { synthesise_tone("beep 1000 10\n"); }).find("unknown command"), std::string::npos);
  EXPECT_NE(error_of([] { synthesise_tone("note 1000\n"); }).find("line 1"), std::string::npos);
  EXPECT_NE(error_of([] { synthesise_tone("duty 1.5\nnote 1000 10\n"); }).find("out of range"),
            std::string::npos);
  EXPECT_NE(error_of([] { synthesise_tone("note 1e9 10\n"); }).find("out of range"), std::string::npos);
  EXPECT_NE(error_of([] { synthesise_tone("note 1000 nan\n"); }).find("line 1"), std::string::npos);
  EXPECT_NE(error_of([] { synthesise_tone("note 1000 10x\n"); }).find("not a number"), std::string::npos);
}

TEST(ToneTest, DescriptionWithoutANoteIsRejected) {
  EXPECT_FALSE(error_of([] { synthesise_tone("# nothing\nvolume 0.5\n"); }).empty());
}

TEST(ToneTest, WavWriterReportsAnUnwritablePath) {
  EXPECT_FALSE(error_of([] { assetgen::write_wav("/nonexistent-folder/x.wav", {1, 2, 3}); }).empty());
}

class ManualPageTest : public ::testing::Test {
 protected:
  void SetUp() override { test::ensure_gui(); }
};

TEST_F(ManualPageTest, PageIsDrawnAtTheViewersSize) {
  const QImage page =
      assetgen::draw_manual_page("title: Test\nSome words.\n* a bullet\nkey: 1 | GAME A\n", 3);
  EXPECT_EQ(page.size(), QSize(540, 360));
  EXPECT_FALSE(page.hasAlphaChannel());
}

TEST_F(ManualPageTest, PageWithoutTitleIsRejected) {
  EXPECT_NE(error_of([] { assetgen::draw_manual_page("Some words.\n", 2); }).find("manual page 2"),
            std::string::npos);
}

TEST_F(ManualPageTest, TextThatDoesNotFitIsRejectedRatherThanCut) {
  QString text = "title: Too long\n";
  for (int i = 0; i < 40; ++i) text += "* a bullet that takes one line\n";
  EXPECT_NE(error_of([&] { assetgen::draw_manual_page(text, 5); }).find("does not fit"), std::string::npos);
}

TEST_F(ManualPageTest, KeyRowWithoutItsBarIsRejected) {
  EXPECT_FALSE(error_of([] { assetgen::draw_manual_page("title: Keys\nkey: 1 GAME A\n", 7); }).empty());
}

class SkinRenderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::ensure_gui();
    ASSERT_TRUE(dir_.isValid());
  }
  assetgen::SkinOptions options(const QString& svg, const QString& out) const {
    const QString skin = QString::fromStdString((test::source_dir() / "assets/skin").string());
    assetgen::SkinOptions o;
    o.svg_path = svg.isEmpty() ? skin + "/handheld.svg" : svg;
    o.backdrop_svg = skin + "/backdrop.svg";
    o.logo_svg = skin + "/logo.svg";
    o.out_dir = dir_.path() + "/" + out;
    o.scale = 0.25;
    o.title = "test";
    return o;
  }
  QTemporaryDir dir_;
};

TEST_F(SkinRenderTest, DrawingWithoutAnElementIsRejectedByName) {
  const QString svg = dir_.path() + "/partial.svg";
  QFile file(svg);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"100\" height=\"50\">"
      "<g id=\"im_background\"><rect x=\"0\" y=\"0\" width=\"100\" height=\"50\" fill=\"#888\"/></g>"
      "<g id=\"im_background_screen_top\"><rect x=\"10\" y=\"10\" width=\"20\" height=\"20\"/></g></svg>");
  file.close();
  EXPECT_NE(error_of([&] { assetgen::render_skin(options(svg, "partial")); }).find("btn_game_a_down"),
            std::string::npos);
}

TEST_F(SkinRenderTest, UnreadableDrawingIsRejected) {
  EXPECT_FALSE(error_of([&] { assetgen::render_skin(options(dir_.path() + "/none.svg", "none")); }).empty());
}

TEST_F(SkinRenderTest, TwoRendersGiveIdenticalFiles) {
  assetgen::render_skin(options({}, "one"));
  assetgen::render_skin(options({}, "two"));
  QDirIterator it(dir_.path() + "/one", QDir::Files);
  int files = 0;
  while (it.hasNext()) {
    const QString path = it.next();
    QFile a(path), b(dir_.path() + "/two/" + it.fileName());
    ASSERT_TRUE(a.open(QIODevice::ReadOnly));
    ASSERT_TRUE(b.open(QIODevice::ReadOnly)) << it.fileName().toStdString();
    EXPECT_EQ(a.readAll(), b.readAll()) << it.fileName().toStdString();
    ++files;
  }
  EXPECT_GT(files, 60);
}

}  // namespace
}  // namespace hero
