// The installation folder as the build leaves it: catalogue, both skins,
// manual pages, samples and documents.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <sndfile.h>
#include <cmath>
#include <fstream>
#include <map>
#include <set>
#include <vector>

#include "tests/assets/asset_test_support.h"

namespace hero {
namespace {

using test::kSkinsUnderTest;
using test::SkinUnderTest;

std::string name_of(ElementId id) { return std::string(element_name(id)); }
bool is_hot_area(ElementId id) {
  const std::string n = name_of(id);
  return n.rfind("btn_", 0) == 0 && n.size() > 4 && n.substr(n.size() - 4) == "_top";
}
bool is_glyph_source(ElementId id) {
  return id >= ElementId::im_panel_number_0 && id <= ElementId::im_panel_number_9;
}
bool is_digit_position(ElementId id) {
  return id == ElementId::im_panel_digit_1 || id == ElementId::im_panel_digit_2 ||
         id == ElementId::im_panel_digit_3 || id == ElementId::im_panel_digit_4;
}

class InstallationTest : public ::testing::TestWithParam<SkinUnderTest> {
 protected:
  void SetUp() override { test::ensure_gui(); }
};

TEST(CatalogueTest, ListsBothSkinsAndTheManual) {
  const IniFile ini = IniFile::load(test::install_dir() / "Config.ini");
  EXPECT_EQ(ini.read_integer("Common", "Skins", -1), 2);
  EXPECT_EQ(ini.read_string("Skin1", "Path", ""), "Graphics\\Skin1\\");
  EXPECT_EQ(ini.read_string("Skin2", "Path", ""), "Graphics\\Skin2\\");
  const std::string large = ini.read_string("Skin1", "Name", "");
  const std::string small = ini.read_string("Skin2", "Name", "");
  EXPECT_FALSE(large.empty());
  EXPECT_FALSE(small.empty());
  EXPECT_NE(large, small);
  EXPECT_EQ(ini.read_string("Manual", "ManualDir", ""), "Graphics\\Manual\\");
  EXPECT_EQ(ini.read_integer("Manual", "ManualWidth", 0), 540);
  EXPECT_EQ(ini.read_integer("Manual", "ManualHeight", 0), 360);
}

TEST_P(InstallationTest, HasAll81ImageSectionsWithASize) {
  const IniFile ini = test::skin_ini(GetParam());
  for (int n = 1; n <= kSkinImageCount; ++n) {
    const std::string section = "Image" + std::to_string(n);
    ASSERT_TRUE(ini.has_section(section)) << section;
    EXPECT_GT(ini.read_integer(section, "Width", 0), 0) << section;
    EXPECT_GT(ini.read_integer(section, "Height", 0), 0) << section;
    EXPECT_TRUE(ini.find(section, "Filename").has_value()) << section;
  }
  EXPECT_FALSE(ini.has_section("Image82"));
}

TEST_P(InstallationTest, EveryNamedPictureExistsDecodesAndHasItsSectionsSize) {
  const IniFile ini = test::skin_ini(GetParam());
  for (int n = 1; n <= kSkinImageCount; ++n) {
    const ElementId id = skin_image(n);
    const std::string file = ini.read_string(test::section_of(id), "Filename", "");
    if (file.empty() || file == "nil") continue;
    ASSERT_TRUE(std::filesystem::exists(test::install_dir() / GetParam().folder / file)) << file;
    const QImage picture = test::picture_of(GetParam(), ini, id);
    ASSERT_FALSE(picture.isNull()) << file;
    EXPECT_EQ(picture.size(), test::geometry_of(ini, id).size()) << file;
    EXPECT_GT(test::solid_pixels(picture), 0) << file << " shows nothing";
  }
  for (const char* key : {"BackdropFile", "LogoFile"}) {
    const std::string file = ini.read_string("Fullscreen", key, "");
    ASSERT_FALSE(file.empty()) << key;
    EXPECT_FALSE(
        QImage(QString::fromStdString((test::install_dir() / GetParam().folder / file).string())).isNull())
        << file;
  }
}

TEST_P(InstallationTest, ColoursConvertAndTheKeyIsMagenta) {
  const IniFile ini = test::skin_ini(GetParam());
  EXPECT_EQ(ini.read_colour("Shaped", "TranspColor", "x"), 0x00ff00ff);
  EXPECT_NO_THROW(ini.read_colour("Fullscreen", "BgColor", "x"));
  EXPECT_EQ(ini.read_string("Fullscreen", "GameOffsetX", ""), "Center");
  EXPECT_EQ(ini.read_string("Fullscreen", "GameOffsetY", ""), "Center");
}

TEST_P(InstallationTest, HandheldPictureFillsTheGameAreaWithTheKeyColourAround) {
  const IniFile ini = test::skin_ini(GetParam());
  const QSize game(ini.read_integer("Common", "GameWidth", 0), ini.read_integer("Common", "GameHeight", 0));
  EXPECT_EQ(test::geometry_of(ini, ElementId::im_background), QRect(QPoint(0, 0), game));
  const QImage background = test::picture_of(GetParam(), ini, ElementId::im_background);
  ASSERT_FALSE(background.isNull());
  const QRgb key = qRgb(255, 0, 255);
  // Outside the handheld's rounded corners the windowed mode must see through.
  EXPECT_EQ(background.pixel(0, 0) & 0xffffff, key & 0xffffff);
  EXPECT_EQ(background.pixel(0, game.height() - 1) & 0xffffff, key & 0xffffff);
  EXPECT_EQ(background.pixel(game.width() - 1, game.height() - 1) & 0xffffff, key & 0xffffff);
  // No key-coloured hole inside the handheld, and no half-magenta fringe at its edge.
  const QImage rgb = background.convertToFormat(QImage::Format_RGB32);
  const int mid_y = game.height() / 2;
  for (int x = 0; x < game.width(); ++x) {
    const QRgb p = rgb.pixel(x, mid_y);
    const bool is_key = (p & 0xffffff) == (key & 0xffffff);
    const bool pinkish = qRed(p) > 200 && qBlue(p) > 200 && qGreen(p) < 100;
    EXPECT_TRUE(is_key || !pinkish) << "fringe at x " << x;
  }
  const QRect lcd = test::lcd_rect(GetParam().scale);
  for (int y = lcd.top(); y <= lcd.bottom(); y += 7)
    for (int x = lcd.left(); x <= lcd.right(); x += 7)
      ASSERT_NE(rgb.pixel(x, y) & 0xffffff, key & 0xffffff) << x << "," << y;
}

TEST_P(InstallationTest, SegmentsAreVisibleAndLieInsideTheLcd) {
  const IniFile ini = test::skin_ini(GetParam());
  const QRect lcd = test::lcd_rect(GetParam().scale);
  for (int i = index_of(ElementId::im_panel_time_am); i <= index_of(ElementId::im_rogue_x3y4); ++i) {
    const auto id = static_cast<ElementId>(i);
    ASSERT_TRUE(is_segment(id));
    EXPECT_TRUE(lcd.contains(test::geometry_of(ini, id))) << name_of(id);
    if (is_digit_position(id)) continue;
    const QImage picture = test::picture_of(GetParam(), ini, id);
    ASSERT_FALSE(picture.isNull()) << name_of(id);
    EXPECT_TRUE(picture.hasAlphaChannel()) << name_of(id) << " must let the LCD show through";
    EXPECT_GT(test::solid_pixels(picture), 8) << name_of(id);
  }
}

TEST_P(InstallationTest, GlyphSourcesMatchTheDigitPositions) {
  const IniFile ini = test::skin_ini(GetParam());
  const QSize digit = test::geometry_of(ini, ElementId::im_panel_digit_1).size();
  for (ElementId id : {ElementId::im_panel_digit_1, ElementId::im_panel_digit_2, ElementId::im_panel_digit_3,
                       ElementId::im_panel_digit_4}) {
    EXPECT_EQ(test::geometry_of(ini, id).size(), digit) << name_of(id);
    EXPECT_TRUE(test::picture_of(GetParam(), ini, id).isNull()) << name_of(id) << " starts without a picture";
  }
  std::set<QByteArray> distinct;
  for (int d = 0; d <= 9; ++d) {
    const auto id = static_cast<ElementId>(index_of(ElementId::im_panel_number_0) + d);
    const QImage glyph = test::picture_of(GetParam(), ini, id).convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(glyph.size(), digit) << name_of(id);
    distinct.insert(QByteArray(reinterpret_cast<const char*>(glyph.constBits()), glyph.sizeInBytes()));
  }
  EXPECT_EQ(distinct.size(), 10u) << "two digits share a picture";
  // Digit 8 lights all seven segments, digit 1 only two.
  const QImage eight = test::picture_of(GetParam(), ini, ElementId::im_panel_number_8);
  const QImage one = test::picture_of(GetParam(), ini, ElementId::im_panel_number_1);
  EXPECT_GT(test::solid_pixels(eight), 2 * test::solid_pixels(one));
}

TEST_P(InstallationTest, HotAreasNameNoFileAndCoverTheirButtons) {
  const IniFile ini = test::skin_ini(GetParam());
  const QRect game(0, 0, ini.read_integer("Common", "GameWidth", 0),
                   ini.read_integer("Common", "GameHeight", 0));
  const std::map<ElementId, ElementId> pressed = {{ElementId::btn_game_a_top, ElementId::btn_game_a_down},
                                                  {ElementId::btn_game_b_top, ElementId::btn_game_b_down},
                                                  {ElementId::btn_time_top, ElementId::btn_time_down},
                                                  {ElementId::btn_acl_top, ElementId::btn_acl_down},
                                                  {ElementId::btn_left_top, ElementId::btn_left_down},
                                                  {ElementId::btn_right_top, ElementId::btn_right_down}};
  std::vector<QRect> areas;
  for (int n = 1; n <= kSkinImageCount; ++n) {
    const ElementId id = skin_image(n);
    if (!is_hot_area(id)) continue;
    EXPECT_TRUE(test::picture_of(GetParam(), ini, id).isNull()) << name_of(id);
    const QRect area = test::geometry_of(ini, id);
    EXPECT_TRUE(game.contains(area)) << name_of(id);
    EXPECT_FALSE(area.intersects(test::lcd_rect(GetParam().scale))) << name_of(id) << " covers the LCD";
    for (const QRect& other : areas)
      EXPECT_FALSE(area.intersects(other)) << name_of(id) << " overlaps another button";
    areas.push_back(area);
    const auto down = pressed.find(id);
    if (down != pressed.end()) {
      const QRect picture = test::geometry_of(ini, down->second);
      EXPECT_TRUE(area.contains(picture.center())) << name_of(id);
      EXPECT_GE(area.intersected(picture).width() * area.intersected(picture).height(),
                picture.width() * picture.height() * 8 / 10)
          << name_of(id) << " does not cover its pressed picture";
    }
  }
  EXPECT_EQ(areas.size(), 7u);
}

// On an LCD two segments never share a pixel; a layout slip in the drawing
// (a pot drawn into the hero's hands) would light both at once.
TEST_P(InstallationTest, FiguresOfDifferentMeaningDoNotOverlap) {
  const IniFile ini = test::skin_ini(GetParam());
  struct Solid {
    ElementId id;
    QRect place;
    QImage picture;
  };
  std::vector<Solid> figures;
  for (int i = index_of(ElementId::im_panel_time_am); i <= index_of(ElementId::im_rogue_x3y4); ++i) {
    const auto id = static_cast<ElementId>(i);
    if (is_glyph_source(id) || is_digit_position(id)) continue;
    figures.push_back({id, test::geometry_of(ini, id),
                       test::picture_of(GetParam(), ini, id).convertToFormat(QImage::Format_ARGB32)});
  }
  // Parts of one figure may touch: the lady and her arms, the rogue and his club.
  const auto family = [](ElementId id) {
    std::string n = name_of(id);
    if (n.rfind("im_lady_", 0) == 0) return std::string("lady");
    if (n.rfind("im_rogue_x1", 0) == 0) return std::string("rogue1");
    if (n.rfind("im_rogue_x3", 0) == 0) return std::string("rogue3");
    return n;
  };
  for (std::size_t a = 0; a < figures.size(); ++a) {
    for (std::size_t b = a + 1; b < figures.size(); ++b) {
      if (family(figures[a].id) == family(figures[b].id)) continue;
      const QRect both = figures[a].place.intersected(figures[b].place);
      if (both.isEmpty()) continue;
      int shared = 0;
      for (int y = both.top(); y <= both.bottom(); ++y)
        for (int x = both.left(); x <= both.right(); ++x)
          if (qAlpha(figures[a].picture.pixel(x - figures[a].place.x(), y - figures[a].place.y())) > 128 &&
              qAlpha(figures[b].picture.pixel(x - figures[b].place.x(), y - figures[b].place.y())) > 128)
            ++shared;
      EXPECT_EQ(shared, 0) << name_of(figures[a].id) << " and " << name_of(figures[b].id);
    }
  }
}

// Lane 1 is on the right, lane 3 on the left; rows run from the lady down to
// the hero, and the rogue's side 1 is on the right.
TEST_P(InstallationTest, LanesRowsAndSidesAreWhereThePlayerLooks) {
  const IniFile ini = test::skin_ini(GetParam());
  const auto centre = [&](ElementId id) { return test::geometry_of(ini, id).center(); };
  EXPECT_GT(centre(ElementId::im_hero_x1).x(), centre(ElementId::im_hero_x2).x());
  EXPECT_GT(centre(ElementId::im_hero_x2).x(), centre(ElementId::im_hero_x3).x());
  EXPECT_GT(centre(ElementId::im_rogue_x1y1).x(), centre(ElementId::im_hero_x1).x());
  EXPECT_LT(centre(ElementId::im_rogue_x3y1).x(), centre(ElementId::im_hero_x3).x());
  EXPECT_GT(centre(ElementId::im_enemy_x1y7).x(), centre(ElementId::im_enemy_x3y7).x());
  for (int row = 1; row < 7; ++row) {
    const auto upper = static_cast<ElementId>(index_of(ElementId::im_enemy_x1y1) + row - 1);
    const auto lower = static_cast<ElementId>(index_of(ElementId::im_enemy_x1y1) + row);
    EXPECT_LT(centre(upper).y(), centre(lower).y()) << row;
    // Perspective: the nearer an object, the bigger it is drawn.
    EXPECT_LE(test::geometry_of(ini, upper).height(), test::geometry_of(ini, lower).height()) << row;
  }
  EXPECT_LT(centre(ElementId::im_lady_0).y(), centre(ElementId::im_enemy_x1y1).y());
  EXPECT_LT(test::geometry_of(ini, ElementId::im_enemy_x2y7).bottom(),
            test::geometry_of(ini, ElementId::im_hero_x2).top() +
                test::geometry_of(ini, ElementId::im_hero_x2).height() / 2);
}

TEST(SkinSizesTest, SmallSkinFitsScreensUnder1600PixelsWide) {
  const IniFile large = test::skin_ini(kSkinsUnderTest[0]);
  const IniFile small = test::skin_ini(kSkinsUnderTest[1]);
  EXPECT_EQ(large.read_integer("Common", "GameWidth", 0), 1475);
  EXPECT_EQ(large.read_integer("Common", "GameHeight", 0), 870);
  EXPECT_LE(small.read_integer("Common", "GameWidth", 0), 1280 - 100);
  EXPECT_LE(small.read_integer("Common", "GameHeight", 0), 720 - 100);
}

INSTANTIATE_TEST_SUITE_P(Skins, InstallationTest, ::testing::ValuesIn(kSkinsUnderTest),
                         [](const auto& info) { return info.index == 0 ? "Large" : "Small"; });

// ---- samples ---------------------------------------------------------------

struct Sample {
  SF_INFO info{};
  std::vector<short> frames;
};

Sample read_sample(const std::string& name) {
  Sample s;
  const std::string path = (test::install_dir() / "Sound" / (name + ".wav")).string();
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &s.info);
  if (!file) {
    ADD_FAILURE() << "cannot open " << path << ": " << sf_strerror(nullptr);
    return s;
  }
  s.frames.resize(static_cast<std::size_t>(s.info.frames * s.info.channels));
  s.frames.resize(static_cast<std::size_t>(
      sf_read_short(file, s.frames.data(), static_cast<sf_count_t>(s.frames.size()))));
  sf_close(file);
  return s;
}

double duration_ms(const Sample& s) {
  return 1000.0 * static_cast<double>(s.frames.size()) / s.info.samplerate;
}

// Sign changes per millisecond over a stretch: the pitch of a square wave.
double crossings_per_ms(const Sample& s, std::size_t from, std::size_t to) {
  int changes = 0;
  for (std::size_t i = from + 1; i < to; ++i)
    if ((s.frames[i - 1] < 0) != (s.frames[i] < 0)) ++changes;
  return changes * (s.info.samplerate / 1000.0) / std::max<double>(1, static_cast<double>(to - from));
}

TEST(SampleTest, EverySampleIsA22050HzMono16BitBeep) {
  for (const char* name : {"Chance", "Got", "Miss1", "Miss2", "Tick"}) {
    const Sample s = read_sample(name);
    EXPECT_EQ(s.info.samplerate, 22050) << name;
    EXPECT_EQ(s.info.channels, 1) << name;
    EXPECT_EQ(s.info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16) << name;
    ASSERT_FALSE(s.frames.empty()) << name;
    int peak = 0;
    for (short v : s.frames) peak = std::max(peak, std::abs(static_cast<int>(v)));
    EXPECT_GT(peak, 8000) << name << " is too quiet";
    EXPECT_LT(duration_ms(s), 1000.0) << name << " would overlap the next beat";
  }
}

TEST(SampleTest, TickIsAClickAndTheMissesAreLowerAndLonger) {
  const Sample tick = read_sample("Tick");
  const Sample miss1 = read_sample("Miss1");
  const Sample got = read_sample("Got");
  ASSERT_FALSE(tick.frames.empty());
  ASSERT_FALSE(miss1.frames.empty());
  EXPECT_LT(duration_ms(tick), 40.0);
  EXPECT_GT(duration_ms(miss1), duration_ms(tick));
  EXPECT_LT(crossings_per_ms(miss1, 0, miss1.frames.size()), crossings_per_ms(got, 0, got.frames.size()) / 4);
}

TEST(SampleTest, KnockDownToneFalls) {
  const Sample s = read_sample("Miss2");
  ASSERT_GT(s.frames.size(), 400u);
  const std::size_t quarter = s.frames.size() / 4;
  EXPECT_GT(crossings_per_ms(s, 0, quarter), 2 * crossings_per_ms(s, 3 * quarter, s.frames.size()));
}

// ---- manual pages and documents ---------------------------------------------

TEST(ManualTest, EightPagesOf540By360In24Bit) {
  for (int page = 1; page <= 8; ++page) {
    const auto path = test::install_dir() / "Graphics" / "Manual" / (std::to_string(page) + ".bmp");
    std::ifstream file(path, std::ios::binary);
    ASSERT_TRUE(file) << path;
    unsigned char header[30] = {};
    file.read(reinterpret_cast<char*>(header), sizeof header);
    EXPECT_EQ(header[0], 'B');
    EXPECT_EQ(header[1], 'M');
    EXPECT_EQ(header[28] | (header[29] << 8), 24) << path;
    const QImage image(QString::fromStdString(path.string()));
    EXPECT_EQ(image.size(), QSize(540, 360)) << path;
  }
  EXPECT_FALSE(std::filesystem::exists(test::install_dir() / "Graphics" / "Manual" / "9.bmp"));
}

TEST(ManualTest, PagesDifferFromEachOther) {
  std::set<QByteArray> seen;
  for (int page = 1; page <= 8; ++page) {
    QFile file(QString::fromStdString(
        (test::install_dir() / "Graphics" / "Manual" / (std::to_string(page) + ".bmp")).string()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    seen.insert(file.readAll());
  }
  EXPECT_EQ(seen.size(), 8u);
}

// The desktop's icons are one drawing at every size: the SVG drawn at 64
// and at 256 pixels gives the two pictures (the 256 once was another picture).
TEST(DesktopIconsTest, OneDrawingAtEverySize) {
  test::ensure_gui();
  const std::filesystem::path icons = test::install_dir() / "share" / "icons" / "hicolor";
  QSvgRenderer svg(QString::fromStdString((icons / "scalable" / "apps" / "hero50.svg").string()));
  ASSERT_TRUE(svg.isValid());
  for (const int side : {64, 256}) {
    const std::string size = std::to_string(side) + "x" + std::to_string(side);
    const QImage png(QString::fromStdString((icons / size / "apps" / "hero50.png").string()));
    ASSERT_EQ(png.size(), QSize(side, side)) << size;
    QImage drawn(side, side, QImage::Format_ARGB32);
    drawn.fill(Qt::transparent);
    QPainter p(&drawn);
    p.setRenderHint(QPainter::Antialiasing);
    svg.render(&p);
    p.end();
    const QImage expected = png.convertToFormat(QImage::Format_ARGB32);
    int far = 0;
    for (int y = 0; y < side; ++y)
      for (int x = 0; x < side; ++x) {
        const QColor a = drawn.pixelColor(x, y), b = expected.pixelColor(x, y);
        if (std::abs(a.alpha() - b.alpha()) > 64 || std::abs(a.red() - b.red()) > 64) ++far;
      }
    EXPECT_LT(far, side * side / 100) << size << ": " << far << " pixels differ from the SVG";
  }
}

TEST(DocumentsTest, WhatsnewNamesThisRelease) {
  QFile whatsnew(QString::fromStdString((test::install_dir() / "Whatsnew.txt").string()));
  ASSERT_TRUE(whatsnew.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(whatsnew.readAll());
  EXPECT_TRUE(text.contains("S5/1.02"));
  EXPECT_TRUE(text.contains("21st November 2022"));
  EXPECT_TRUE(text.contains("Bugfix"));
  QFile readme(QString::fromStdString((test::install_dir() / "Readme.txt").string()));
  ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
  EXPECT_TRUE(QString::fromUtf8(readme.readAll()).contains("Hero (Vantro, Handclock Wide Screen) Simulator"));
}

}  // namespace
}  // namespace hero
