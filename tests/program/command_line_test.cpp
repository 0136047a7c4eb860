// The command line: --help and --version answer without starting anything;
// a bad --record or --replay is refused with a message before anything starts.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "startup/program/HeroW.h"

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

int run_refused(std::vector<std::string> arguments, std::string& message) {
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  testing::internal::CaptureStderr();
  const int result = hero_main(static_cast<int>(arguments.size()), argv.data());
  message = testing::internal::GetCapturedStderr();
  return result;
}

std::filesystem::path scratch(const std::string& name, const std::string& text) {
  auto path = std::filesystem::temp_directory_path() / ("hero-cli-" + std::to_string(::getpid()) + name);
  std::ofstream(path) << text;
  return path;
}

TEST(CommandLine, BadRecordingArgumentsAreRefusedWithAMessage) {
  std::string message;
  EXPECT_EQ(run_refused({"hero50", "--record"}, message), 2);
  EXPECT_EQ(message, "hero50: --record needs the name of a file\n");
  EXPECT_EQ(run_refused({"hero50", "--record", "a.trace", "--replay", "b.trace"}, message), 2);
  EXPECT_NE(message.find("not both"), std::string::npos);
  EXPECT_EQ(run_refused({"hero50", "--replay", "/nonexistent/game.trace"}, message), 2);
  EXPECT_NE(message.find("cannot read the recording /nonexistent/game.trace"), std::string::npos);
  const auto bad = scratch("bad.trace", "start\nwait soon\n");
  EXPECT_EQ(run_refused({"hero50", "--replay", bad.string()}, message), 2);
  EXPECT_EQ(message, "hero50: " + bad.string() + ":2: wait must be a whole number, not \"soon\"\n");
  std::filesystem::remove(bad);
}

TEST(CommandLine, ARecordingIsNeverWrittenOverAnExistingGame) {
  const auto best = scratch("best.trace", "start\nshow\n");
  std::string message;
  EXPECT_EQ(run_refused({"hero50", "--record", best.string()}, message), 2);
  EXPECT_NE(message.find("already exists"), std::string::npos);
  std::ifstream in(best);
  EXPECT_EQ(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()),
            "start\nshow\n");
  std::filesystem::remove(best);
}

}  // namespace
}  // namespace hero
