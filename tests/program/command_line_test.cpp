// The command line: --help and --version answer without starting anything.
#include <gtest/gtest.h>

#include "startup/HeroW.h"

namespace hero {
namespace {

int run(std::vector<std::string> arguments, std::string& output) {
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  testing::internal::CaptureStdout();
  const int result = hero_main(static_cast<int>(arguments.size()), argv.data());
  output = testing::internal::GetCapturedStdout();
  return result;
}

TEST(CommandLine, VersionNamesTheRelease) {
  std::string output;
  EXPECT_EQ(run({"hero50", "--version"}, output), 0);
  EXPECT_NE(output.find("Version S5/1.02  * Bugfix *"), std::string::npos);
  EXPECT_NE(output.find("21st November 2022"), std::string::npos);
}

TEST(CommandLine, HelpExplainsWhereTheInstallationIsRead) {
  std::string output;
  EXPECT_EQ(run({"hero50", "somefile", "--help"}, output), 0);
  EXPECT_NE(output.find("Usage: hero50"), std::string::npos);
  EXPECT_NE(output.find("Config.ini"), std::string::npos);
}

}  // namespace
}  // namespace hero
