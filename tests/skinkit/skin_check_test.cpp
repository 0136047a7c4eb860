// hero-skin check: a clean default skin, one planted mistake of each kind
// found at its own line, and no crash on garbage.
#include <sys/resource.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#include "tests/skinkit/skinkit_support.h"
#include "tools/skin/skin_check.h"

namespace hero::skinkit {
namespace {

namespace fs = std::filesystem;
using test::install_dir;
using test::qt_app;
using test::read_file;

void write_all(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }

// The 1-based line of the first line of `text` that equals `line` after `after`.
int line_of(const std::string& text, const std::string& line, const std::string& after = {}) {
  std::istringstream in(text);
  std::string l;
  int n = 0;
  bool armed = after.empty();
  while (std::getline(in, l)) {
    ++n;
    if (!armed && l == after) armed = true;
    else if (armed && l == line) return n;
  }
  return -1;
}

void replace_once(std::string& text, const std::string& from, const std::string& to) {
  const auto at = text.find(from);
  ASSERT_NE(at, std::string::npos) << from;
  text.replace(at, from.size(), to);
}

struct Expected {
  int line;
  Level level;
  std::string words;  // a part of the message
};

class SkinCheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qt_app();
    dir_ = fs::temp_directory_path() / ("hero-skin-check-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::copy(install_dir() / "Graphics" / "Skin1", dir_, fs::copy_options::recursive);
    config_ = read_file(dir_ / "Config.ini");
  }
  void TearDown() override { fs::remove_all(dir_); }
  void save() { write_all(dir_ / "Config.ini", config_); }

  fs::path dir_;
  std::string config_;
};

TEST(SkinCheck, DefaultSkinsAndTheInstallationCheckClean) {
  qt_app();
  for (const fs::path& dir :
       {install_dir(), install_dir() / "Graphics" / "Skin1", install_dir() / "Graphics" / "Skin2"}) {
    std::string all;
    for (const Finding& f : check_folder(dir)) all += format_finding(f) + "\n";
    EXPECT_EQ(all, "") << dir;
  }
}

TEST(SkinCheck, FormatIsGccStyle) {
  EXPECT_EQ(format_finding({"a/Config.ini", 12, Level::error, "bad"}), "a/Config.ini:12: error: bad");
  EXPECT_EQ(format_finding({"a/Config.ini", 0, Level::warning, "w"}), "a/Config.ini: warning: w");
}

TEST_F(SkinCheckTest, TenPlantedMistakesGiveTenLines) {
  replace_once(config_, "BgColor=$00301810", "BgColor=navy");
  replace_once(config_, "GameHeight=870", "GameHeight=870\nGameDepth=3");
  replace_once(config_, "[Image20]", "[Imgae20]");
  replace_once(config_, "LogoPosition=3", "LogoPosition=7");
  replace_once(config_, "Filename=nil\nLeft=1258\nTop=124\nWidth=162",
               "Filename=nil\nLeft=1258\nTop=124\nWidth=162px");
  replace_once(config_, "Filename=im_lady_0.png", "Filename=im_lady_O.png");
  replace_once(config_, "; im_rogue_x1y4\nFilename=im_rogue_x1y4.png\nLeft=",
               "; im_rogue_x1y4\nFilename=im_rogue_x1y4.png\nLeft=1450\n;was ");
  save();
  write_all(dir_ / "im_lady_5.png", "\x89PNG\r\n\x1a\n this is no picture");
  // A picture with neither a twin nor a drawing beside it.
  fs::remove(dir_ / "im_hero_x1@2x.png");
  fs::remove(dir_ / "im_hero_x1.svg");
  fs::remove(dir_ / "im_lady_6.svg");
  {  // a picture of another size than its element
    QImage small(5, 5, QImage::Format_ARGB32);
    small.fill(Qt::transparent);
    ASSERT_TRUE(small.save(QString::fromStdString((dir_ / "im_lady_6.png").string())));
    fs::remove(dir_ / "im_lady_6@2x.png");
    fs::copy_file(dir_ / "im_lady_6.png", dir_ / "im_lady_6@2x.png");
  }
  const std::vector<Expected> expected = {
      {line_of(config_, "GameDepth=3"), Level::warning, "unknown key 'GameDepth'"},
      {line_of(config_, "BgColor=navy"), Level::error, "'navy' is not a valid integer value"},
      {line_of(config_, "LogoPosition=7"), Level::warning, "LogoPosition 7"},
      {line_of(config_, "Width=162px"), Level::warning, "'162px' is not a whole number"},
      {line_of(config_, "[Imgae20]"), Level::warning, "unknown section [Imgae20]"},
      {line_of(config_, "Filename=im_lady_O.png"), Level::warning, "'im_lady_O.png' not found"},
      {line_of(config_, "Filename=im_lady_5.png"), Level::error, "im_lady_5.png"},
      {line_of(config_, "Filename=im_lady_6.png"), Level::warning, "is 5 x 5 pixels but the element is"},
      {line_of(config_, "Filename=im_hero_x1.png"), Level::warning, "no @2x twin"},
      {line_of(config_, "Left=1450"), Level::warning,
       "im_rogue_x1y4 lies (partly) outside the 1475 x 870 window"},
  };
  const std::vector<Finding> found = check_skin(dir_);
  std::string all;
  for (const Finding& f : found) all += format_finding(f) + "\n";
  ASSERT_EQ(found.size(), expected.size()) << all;
  for (const Expected& e : expected) {
    bool seen = false;
    for (const Finding& f : found)
      seen |= f.line == e.line && f.level == e.level && f.message.find(e.words) != std::string::npos &&
              f.file == (dir_ / "Config.ini").string();
    EXPECT_TRUE(seen) << "line " << e.line << ": " << e.words << "\n" << all;
  }
}

TEST_F(SkinCheckTest, SurroundingsAndTransparencyMistakes) {
  // A handheld picture drawn edge to edge leaves no pixel for the colour key.
  {
    QImage body(1475, 870, QImage::Format_ARGB32);
    body.fill(QColor(40, 40, 40, 255));
    ASSERT_TRUE(body.save(QString::fromStdString((dir_ / "background.png").string())));
    QImage twin(2950, 1740, QImage::Format_ARGB32);
    twin.fill(QColor(40, 40, 40, 255));
    ASSERT_TRUE(twin.save(QString::fromStdString((dir_ / "background@2x.png").string())));
  }
  // A fully drawn square over the first pot: the pot can never be seen.
  replace_once(config_, "Filename=im_rogue_x3y4.png", "Filename=block.png");
  replace_once(config_, "Filename=im_lady_2.png", "Filename=lady2.jpg");
  replace_once(config_, "GameHeight=870", "GameHeight=870\nGhostSegments=12\nghostsegments=99");
  replace_once(config_, "Filename=im_lady_1.png\n", "Filename=im_lady_1.png\nFilename=other.png\n");
  save();
  // Place the block over im_enemy_x1y1 by rewriting its geometry.
  {
    std::string text = config_;
    const auto s = text.find("; im_enemy_x1y1\n");
    const auto l = text.find("Left=", s), t = text.find("Top=", s);
    const int left = std::stoi(text.substr(l + 5)), top = std::stoi(text.substr(t + 4));
    const auto r = text.find("; im_rogue_x3y4\n");
    const auto rl = text.find("Left=", r);
    const auto end = text.find("\n[", r);
    text.replace(rl, (end == std::string::npos ? text.size() : end) - rl,
                 "Left=" + std::to_string(left - 2) + "\nTop=" + std::to_string(top - 2) +
                     "\nWidth=200\nHeight=200\n");
    config_ = text;
    save();
    QImage block(200, 200, QImage::Format_RGB32);
    block.fill(Qt::darkGray);
    block.setPixelColor(0, 199, Qt::black);  // the keyed colour, outside the pot
    ASSERT_TRUE(block.save(QString::fromStdString((dir_ / "block.png").string())));
    ASSERT_TRUE(block.save(QString::fromStdString((dir_ / "block@2x.png").string())));
    QImage lady(QString::fromStdString((dir_ / "im_lady_2.png").string()));
    QImage flat(lady.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    ASSERT_TRUE(flat.save(QString::fromStdString((dir_ / "lady2.jpg").string()), "JPEG"));
    ASSERT_TRUE(flat.save(QString::fromStdString((dir_ / "lady2@2x.jpg").string()), "JPEG"));
  }
  std::string all;
  for (const Finding& f : check_skin(dir_)) all += format_finding(f) + "\n";
  const std::string file = (dir_ / "Config.ini").string();
  EXPECT_NE(all.find(file + ":" + std::to_string(line_of(config_, "TranspColor=$00ff00ff")) +
                     ": warning: no pixel of the handheld shows TranspColor $00ff00ff"),
            std::string::npos)
      << all;
  EXPECT_NE(all.find("im_enemy_x1y1 is fully hidden by im_rogue_x3y4"), std::string::npos) << all;
  EXPECT_NE(all.find(file + ":" + std::to_string(line_of(config_, "Filename=lady2.jpg")) +
                     ": warning: JPEG picture"),
            std::string::npos)
      << all;
  EXPECT_NE(all.find(file + ":" + std::to_string(line_of(config_, "Filename=other.png")) +
                     ": warning: key 'Filename' appears again"),
            std::string::npos)
      << all;
  EXPECT_NE(all.find(file + ":" + std::to_string(line_of(config_, "ghostsegments=99")) +
                     ": warning: key 'ghostsegments' appears again"),
            std::string::npos)
      << all;
  EXPECT_EQ(all.find("GhostSegments 12"), std::string::npos) << all;  // a shade the handheld takes
  EXPECT_EQ(all.find("error"), std::string::npos) << all;
}

// SVG pictures, and drawings beside PNG pictures: a sound one checks clean
// and needs no @2x twin; a hostile one is an error naming the file and its
// line.
TEST_F(SkinCheckTest, SvgPicturesAreReadAsTheHandheldReadsThem) {
  write_all(
      dir_ / "lady1.svg",
      "<svg xmlns='http://www.w3.org/2000/svg' width='56' height='74'><circle cx='28' cy='37' r='9'/></svg>");
  write_all(
      dir_ / "lady2.svg",
      "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink'\n"
      "     width='40' height='40'>\n<image xlink:href='file:///etc/hostname' width='4' height='4'/></svg>");
  // The drawing beside a picture is read as well.
  write_all(dir_ / "im_lady_3.svg", "<?xml version='1.0'?>\n<!DOCTYPE svg [<!ENTITY x 'x'>]>\n<svg/>");
  replace_once(config_, "Filename=im_lady_1.png", "Filename=lady1.svg");
  replace_once(config_, "Filename=im_lady_2.png", "Filename=lady2.svg");
  save();
  std::string all;
  for (const Finding& f : check_skin(dir_)) all += format_finding(f) + "\n";
  const std::string file = (dir_ / "Config.ini").string();
  EXPECT_NE(all.find(file + ":" + std::to_string(line_of(config_, "Filename=lady2.svg")) +
                     ": error: Picture file 'lady2.svg' line 3 cannot be loaded: <image> refers to"),
            std::string::npos)
      << all;
  EXPECT_NE(all.find(file + ":" + std::to_string(line_of(config_, "Filename=im_lady_3.png")) +
                     ": error: Picture file 'im_lady_3.svg' line 2 cannot be loaded: it declares entities"),
            std::string::npos)
      << all;
  EXPECT_EQ(all.find("lady1.svg"), std::string::npos) << all;
}

// A player's skins folder holds skins, not a skin: each is checked, and a
// mistake names the file of the skin it is in.
TEST_F(SkinCheckTest, APlayersSkinsFolderChecksEverySkinInIt) {
  const fs::path skins = dir_.string() + "-skins";
  fs::remove_all(skins);
  fs::create_directories(skins);
  fs::copy(dir_, skins / "Good", fs::copy_options::recursive);
  replace_once(config_, "BgColor=", "BgColor=navy\n; ");
  save();
  fs::copy(dir_, skins / "Bad", fs::copy_options::recursive);
  std::string all;
  for (const Finding& f : check_folder(skins)) all += format_finding(f) + "\n";
  fs::remove_all(skins);
  EXPECT_NE(all.find("Bad/Config.ini:"), std::string::npos) << all;
  EXPECT_NE(all.find("'navy' is not a valid integer value"), std::string::npos) << all;
  EXPECT_EQ(all.find("Good/"), std::string::npos) << all;
}

TEST_F(SkinCheckTest, BottomLeftPixelThatIsNotTheBackground) {
  QImage pot(40, 30, QImage::Format_RGB32);
  pot.fill(Qt::white);
  pot.setPixelColor(0, 29, Qt::black);
  ASSERT_TRUE(pot.save(QString::fromStdString((dir_ / "flat.png").string())));
  ASSERT_TRUE(pot.save(QString::fromStdString((dir_ / "flat@2x.png").string())));
  replace_once(config_, "Filename=im_lady_8.png", "Filename=flat.png");
  save();
  std::string all;
  for (const Finding& f : check_skin(dir_)) all += format_finding(f) + "\n";
  EXPECT_NE(
      all.find(":" + std::to_string(line_of(config_, "Filename=flat.png")) +
               ": warning: bottom-left pixel of 'flat.png' is $00000000 but its background is $00ffffff"),
      std::string::npos)
      << all;
}

// The checker loads through the handheld's own loader: one picture named by
// every section is decoded once (it was decoded once per section, gigabytes
// for a large one), and a picture from outside the skin folder is named.
TEST_F(SkinCheckTest, APictureSharedByEverySectionIsDecodedOnceAndOutsidersAreNamed) {
  QImage shared(2000, 2000, QImage::Format_RGB32);
  shared.fill(Qt::darkGreen);
  ASSERT_TRUE(shared.save(QString::fromStdString((dir_ / "shared.png").string())));
  ASSERT_TRUE(shared.save(QString::fromStdString((dir_.parent_path() / "hero-outside.png").string())));
  std::string config;
  std::istringstream in(config_);
  int named = 0;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("Filename=", 0) == 0 && line != "Filename=nil" && line != "Filename=nil\r") {
      line = ++named == 1 ? "Filename=../hero-outside.png" : "Filename=shared.png";
    }
    config += line + "\n";
  }
  ASSERT_GT(named, 60);
  config_ = config;
  save();
  const auto findings = check_folder(dir_);
  int outside = 0;
  for (const Finding& f : findings) {
    EXPECT_NE(f.level, Level::error) << f.message;
    if (f.message.find("lies outside the skin folder") != std::string::npos) ++outside;
  }
  EXPECT_EQ(outside, 1);
  // The whole check, as a skin author runs it, in a process of its own.
  const std::string command =
      (install_dir() / "hero-skin").string() + " check " + dir_.string() + " >/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  rusage used{};
  ASSERT_EQ(getrusage(RUSAGE_CHILDREN, &used), 0);
  EXPECT_LT(used.ru_maxrss, 600L * 1024) << "kilobytes at the most; 16 MB a decoding";
  fs::remove(dir_.parent_path() / "hero-outside.png");
}

TEST(SkinKit, EverySubcommandAnswersHelp) {
  const fs::path out = fs::temp_directory_path() / ("hero-skin-help-" + std::to_string(::getpid()));
  for (const char* sub : {"check", "preview", "build"}) {
    const std::string command =
        (install_dir() / "hero-skin").string() + " " + sub + " --help >" + out.string() + " 2>/dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0) << sub;
    EXPECT_EQ(read_file(out).rfind("usage: hero-skin", 0), 0u) << sub << ": " << read_file(out);
  }
  fs::remove(out);
}

TEST(SkinCheck, MissingConfigIsAnErrorAndGarbageNeverCrashes) {
  qt_app();
  const fs::path dir = fs::temp_directory_path() / ("hero-skin-garbage-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  const auto none = check_folder(dir);
  ASSERT_EQ(none.size(), 1u);
  EXPECT_EQ(none[0].level, Level::error);
  std::mt19937 random(7);
  auto noise = [&](std::size_t n) {
    std::string s(n, '\0');
    for (char& c : s) c = static_cast<char>(random() & 0xff);
    return s;
  };
  const char* fragments[] = {"[Image",
                             "]\n",
                             "Filename=a.png\n",
                             "Filename=b.jpg\n",
                             "Width=",
                             "Left=-",
                             "Height=99999999\n",
                             "[Common]\nGameWidth=",
                             "[Shaped]\nTranspColor=",
                             "$",
                             "0x",
                             "\r\n",
                             "=",
                             "9",
                             "nil"};
  for (int round = 0; round < 60; ++round) {
    std::string text;
    for (int i = 0; i < 80; ++i) {
      text +=
          (random() % 4 == 0) ? noise(random() % 8) : std::string(fragments[random() % std::size(fragments)]);
      if (random() % 3 == 0) text += std::to_string(static_cast<int>(random() % 90));
    }
    write_all(dir / "Config.ini", text);
    write_all(dir / "a.png", "\x89PNG\r\n\x1a\n" + noise(random() % 200));
    write_all(dir / "b.jpg", "\xff\xd8\xff" + noise(random() % 200));
    const auto findings = check_folder(dir);
    for (const Finding& f : findings) EXPECT_FALSE(f.message.empty());
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace hero::skinkit
