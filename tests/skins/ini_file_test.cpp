// How skin and catalogue files are read: names without regard to case, the
// first match winning, trimming, quotes, comments and the value length limit.
#include "display/files/ini_file.h"
#include "display/files/printable.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

namespace hero {
namespace {

TEST(IniFile, SectionAndKeyNamesMatchWithoutRegardToCase) {
  const IniFile ini = IniFile::parse("[Fullscreen]\nBgColor=$00112233\n");
  EXPECT_EQ(ini.find("FULLSCREEN", "bgcolor"), "$00112233");
  EXPECT_TRUE(ini.has_section("fullSCREEN"));
}

TEST(IniFile, FirstSectionAndFirstKeyWin) {
  const IniFile ini = IniFile::parse("[Common]\nSkins=3\nskins=4\n[common]\nSkins=5\nExtra=1\n");
  EXPECT_EQ(ini.read_integer("Common", "Skins", 0), 3);
  // Keys of a repeated section are never consulted.
  EXPECT_FALSE(ini.find("Common", "Extra").has_value());
}

TEST(IniFile, NamesAndValuesAreTrimmedAndOnePairOfQuotesRemoved) {
  const IniFile ini = IniFile::parse(
      "  [ Skin1 ]  \n  Name  =  \"  Retro  \"  \n Path = 'a\\b' \n Odd = \"x' \n Twice = \"\"y\"\"\n");
  EXPECT_EQ(ini.find("Skin1", "Name"), "  Retro  ");
  EXPECT_EQ(ini.find("skin1", "path"), "a\\b");
  EXPECT_EQ(ini.find("skin1", "odd"), "\"x'");
  EXPECT_EQ(ini.find("skin1", "twice"), "\"y\"");
}

TEST(IniFile, CommentLinesAndKeysOutsideSectionsAreIgnored) {
  const IniFile ini = IniFile::parse("Skins=9\n[Common]\n;Skins=7\n  ; Name=x\nSkins=2\r\nName=a;b\n");
  EXPECT_EQ(ini.read_integer("Common", "Skins", 0), 2);
  EXPECT_EQ(ini.find("Common", "Name"), "a;b");
  EXPECT_FALSE(ini.find("", "Skins").has_value());
}

TEST(IniFile, BackslashesAreLiteral) {
  const IniFile ini = IniFile::parse("[Skin1]\nPath=Graphics\\n\\t\\\n");
  EXPECT_EQ(ini.find("Skin1", "Path"), "Graphics\\n\\t\\");
}

TEST(IniFile, ValuesAreCutAt2047Characters) {
  const std::string long_value(5000, 'x');
  const IniFile ini = IniFile::parse("[A]\nK=" + long_value + "\n");
  EXPECT_EQ(ini.find("A", "K")->size(), 2047u);
}

TEST(IniFile, CarriageReturnsAndByteOrderMarkDoNotLeakIntoNames) {
  const IniFile ini = IniFile::parse("\xEF\xBB\xBF[Common]\r\nSkins=4\r\n");
  EXPECT_EQ(ini.read_integer("Common", "Skins", 0), 4);
}

TEST(IniFile, IntegerKeysAcceptDecimalSignAndHexOtherwiseDefault) {
  const IniFile ini =
      IniFile::parse("[I]\na=-20\nb=+7\nc=$1F\nd=0x10\ne=Center\nf=12abc\ng=\nh=99999999999\ni=$FFFFFFFF\n");
  EXPECT_EQ(ini.read_integer("I", "a", 1), -20);
  EXPECT_EQ(ini.read_integer("I", "b", 1), 7);
  EXPECT_EQ(ini.read_integer("I", "c", 1), 31);
  EXPECT_EQ(ini.read_integer("I", "d", 1), 16);
  EXPECT_EQ(ini.read_integer("I", "e", 1), 1);
  EXPECT_EQ(ini.read_integer("I", "f", 1), 1);
  EXPECT_EQ(ini.read_integer("I", "g", 1), 1);
  EXPECT_EQ(ini.read_integer("I", "h", 1), 1);
  EXPECT_EQ(ini.read_integer("I", "i", 1), -1);
  EXPECT_EQ(ini.read_integer("I", "missing", 870), 870);
}

TEST(IniFile, ColourKeysConvertStrictlyAndNameTheBadText) {
  const IniFile ini = IniFile::parse("[Fullscreen]\nBgColor=red\nOther=$00ff00ff\n");
  EXPECT_EQ(ini.read_colour("Fullscreen", "Other", "0"), 0x00ff00ff);
  EXPECT_EQ(ini.read_colour("Fullscreen", "Missing", "$006666cc"), 0x006666cc);
  try {
    ini.read_colour("Fullscreen", "BgColor", "$006666cc");
    FAIL() << "red converted";
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "'red' is not a valid integer value");
  }
}

TEST(IniFile, MissingFileReadsEmpty) {
  const IniFile ini = IniFile::load("/nonexistent/folder/Config.ini");
  EXPECT_FALSE(ini.has_section("Common"));
  EXPECT_EQ(ini.read_integer("Common", "Skins", 2), 2);
}

TEST(IniFile, LoadsFromDiskAndAFolderReadsEmpty) {
  const auto dir = std::filesystem::temp_directory_path() / "hero_ini_load_test";
  std::filesystem::create_directories(dir / "Config.ini.d");
  { std::ofstream(dir / "Config.ini") << "[Common]\nSkins=5"; }
  EXPECT_EQ(IniFile::load(dir / "Config.ini").read_integer("Common", "Skins", 0), 5);
  EXPECT_FALSE(IniFile::load(dir / "Config.ini.d").has_section("Common"));
  std::filesystem::remove_all(dir);
}

TEST(IniFile, ManySectionsAndBinaryBytesParseWithoutBlowUp) {
  std::string text;
  for (int i = 0; i < 100000; ++i) text += "[Image" + std::to_string(i) + "]\nFilename=a\n";
  text += std::string("\0\xff[\n=\n[]]\n=x\n", 13);
  const IniFile ini = IniFile::parse(text);
  EXPECT_EQ(ini.find("image99999", "filename"), "a");
  EXPECT_EQ(ini.find("", ""), std::nullopt);
}

// What a message echoes of a file's text: letters of any language as they
// are, control bytes, terminal escapes and broken UTF-8 escaped, long cut.
TEST(Printable, EscapesWhatATerminalWouldObeyKeepsLettersAndCutsLongWords) {
  EXPECT_EQ(printable("Graphics\\Skin1\\back.png"), "Graphics\\Skin1\\back.png");
  EXPECT_EQ(printable("caf\xc3\xa9 \xd0\xb4\xd0\xb0"), "caf\xc3\xa9 \xd0\xb4\xd0\xb0");
  EXPECT_EQ(printable("\x1b[2J\x07\x7f\tx\n"), "\\x1b[2J\\x07\\x7f\\tx\\n");
  // C1 controls, a lone continuation byte, an overlong form, a cut sequence.
  EXPECT_EQ(printable("\xc2\x9b"
                      "1m \x80 \xc0\xaf \xe2\x82"),
            "\\xc2\\x9b1m \\x80 \\xc0\\xaf \\xe2\\x82");
  EXPECT_EQ(printable(std::string(100, 'y'), 5), "yyyyy...");
  EXPECT_EQ(printable(std::string(64, 'y')), std::string(64, 'y'));
}

}  // namespace
}  // namespace hero
