// The INI reader's list of lines: numbers as an editor counts them, and
// which lines no read ever sees.
#include <gtest/gtest.h>

#include "display/files/ini_file.h"

namespace hero {
namespace {

using Kind = IniLine::Kind;

TEST(IniLines, NumbersCountCrLfAndLoneLineEndsOnce) {
  std::vector<IniLine> lines;
  IniFile::parse("[A]\r\nx=1\r\n\r\n; note\ry=2\n[B]\nz=3", &lines);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0].line, 1);
  EXPECT_EQ(lines[1].line, 2);
  EXPECT_EQ(lines[2].line, 5);  // after the empty line and the comment
  EXPECT_EQ(lines[3].line, 6);
  EXPECT_EQ(lines[4].line, 7);
  EXPECT_EQ(lines[4].section, "B");
  EXPECT_EQ(lines[4].key, "z");
}

TEST(IniLines, RepeatedSectionsKeysAndStrayLinesAreMarkedUnused) {
  std::vector<IniLine> lines;
  const IniFile ini = IniFile::parse("early=1\n[S]\nk=first\nK=second\njunk here\n[s]\nk=third\n", &lines);
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0].kind, Kind::entry);
  EXPECT_FALSE(lines[0].used);  // before any section
  EXPECT_TRUE(lines[1].used);
  EXPECT_TRUE(lines[2].used);
  EXPECT_FALSE(lines[3].used);
  EXPECT_EQ(lines[4].kind, Kind::junk);
  EXPECT_EQ(lines[4].value, "junk here");
  EXPECT_EQ(lines[5].kind, Kind::section);
  EXPECT_FALSE(lines[5].used);
  EXPECT_FALSE(lines[6].used);
  // What the reads return is as without the list.
  EXPECT_EQ(ini.read_string("S", "k", ""), "first");
  EXPECT_EQ(IniFile::parse("early=1\n[S]\nk=first\n").read_string("s", "K", ""), "first");
}

TEST(IniLines, ValuesAreListedAsReadsReturnThem) {
  std::vector<IniLine> lines;
  IniFile::parse("\xEF\xBB\xBF[A]\n  Key  =  \"quoted value\"  \n", &lines);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].section, "A");
  EXPECT_EQ(lines[1].key, "Key");
  EXPECT_EQ(lines[1].value, "quoted value");
}

}  // namespace
}  // namespace hero
