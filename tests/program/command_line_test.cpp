// The command line: --help and --version answer without starting anything;
// a bad --record or --replay is refused with a message before anything starts.
#include <sys/stat.h>
#include <unistd.h>

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

// A mistyped option is not an ordinary session: it is named, with the usage.
TEST(CommandLine, AnUnknownOptionIsNamedWithTheUsage) {
  std::string message;
  for (const char* option : {"--replya", "--bogus", "--record=game.trace", "--"}) {
    EXPECT_EQ(run_refused({"hero50", option, "game.trace"}, message), 2) << option;
    EXPECT_EQ(message.rfind(std::string("hero50: unknown option ") + option + "\n", 0), 0u) << message;
    EXPECT_NE(message.find("Usage: hero50"), std::string::npos);
  }
}

TEST(CommandLine, BadRecordingArgumentsAreRefusedWithAMessage) {
  std::string message;
  EXPECT_EQ(run_refused({"hero50", "--record"}, message), 2);
  EXPECT_EQ(message, "hero50: --record needs the name of a file\n");
  EXPECT_EQ(run_refused({"hero50", "--record", "a.trace", "--replay", "b.trace"}, message), 2);
  EXPECT_NE(message.find("not both"), std::string::npos);
  // A bad file is not a bad command line: status 1.
  EXPECT_EQ(run_refused({"hero50", "--replay", "/nonexistent/game.trace"}, message), 1);
  EXPECT_NE(message.find("cannot read /nonexistent/game.trace"), std::string::npos) << message;
  const auto bad = scratch("bad.trace", "start\nwait soon\n");
  EXPECT_EQ(run_refused({"hero50", "--replay", bad.string()}, message), 1);
  EXPECT_EQ(message, "hero50: " + bad.string() + ":2: wait must be a whole number, not \"soon\"\n");
  std::filesystem::remove(bad);
}

// A recording comes from a stranger: only a regular file is read, in
// bounded lines, and what is echoed of it cannot reach the terminal raw.
TEST(CommandLine, ARecordingIsReadOnlyFromARegularFileOfBoundedLines) {
  namespace fs = std::filesystem;
  std::string message;
  const fs::path folder = scratch("folder.trace", "");
  fs::remove(folder);
  fs::create_directory(folder);
  EXPECT_EQ(run_refused({"hero50", "--replay", folder.string()}, message), 1);
  EXPECT_NE(message.find("is a folder"), std::string::npos) << message;
  fs::remove(folder);

  // Opening a pipe would wait for a writer for ever.
  const fs::path pipe = scratch("pipe.trace", "");
  fs::remove(pipe);
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_EQ(run_refused({"hero50", "--replay", pipe.string()}, message), 1);
  EXPECT_NE(message.find("not a regular file"), std::string::npos) << message;
  fs::remove(pipe);
  EXPECT_EQ(run_refused({"hero50", "--replay", "/dev/zero"}, message), 1);
  EXPECT_NE(message.find("not a regular file"), std::string::npos) << message;

  const auto no_line = scratch("noline.trace", "start");
  EXPECT_EQ(run_refused({"hero50", "--replay", no_line.string()}, message), 1);
  EXPECT_NE(message.find("holds no complete line"), std::string::npos) << message;
  const auto long_line = scratch("long.trace", "start\n# " + std::string(5000, 'x') + "\nshow\n");
  EXPECT_EQ(run_refused({"hero50", "--replay", long_line.string()}, message), 1);
  EXPECT_NE(message.find(":2: the line is longer than 4096 characters"), std::string::npos) << message;
  // A token with an escape sequence and a long one: shown escaped and cut.
  const auto hostile =
      scratch("hostile.trace", "start\npress \x1b]0;owned\x07" + std::string(300, 'y') + "\n");
  EXPECT_EQ(run_refused({"hero50", "--replay", hostile.string()}, message), 1);
  EXPECT_EQ(message.find('\x1b'), std::string::npos) << message;
  EXPECT_NE(message.find("\\x1b]0;owned\\x07yyy"), std::string::npos) << message;
  EXPECT_LT(message.size(), 400u) << message;
  // A week of the handheld's time is the longest span a recording covers.
  const auto endless = scratch("endless.trace", "start\nwait 400000000\nwait 400000000\nshow\n");
  EXPECT_EQ(run_refused({"hero50", "--replay", endless.string()}, message), 1);
  EXPECT_NE(message.find(":3: the waits add up to more than 604800000 ms"), std::string::npos) << message;
  for (const auto& file : {no_line, long_line, hostile, endless}) fs::remove(file);
}

// A recording is only ever written into a file made for it at that moment.
TEST(CommandLine, ARecordingIsNeverWrittenOverAnythingThatExists) {
  namespace fs = std::filesystem;
  const auto best = scratch("best.trace", "start\nshow\n");
  std::string message;
  EXPECT_EQ(run_refused({"hero50", "--record", best.string()}, message), 1);
  EXPECT_NE(message.find("already exists"), std::string::npos);
  std::ifstream in(best);
  EXPECT_EQ(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()),
            "start\nshow\n");
  // An empty file may be another recording's, just made.
  const auto empty = scratch("empty.trace", "");
  EXPECT_EQ(run_refused({"hero50", "--record", empty.string()}, message), 1);
  EXPECT_NE(message.find("already exists"), std::string::npos);
  // A link is never followed, even to a name that does not exist yet.
  const fs::path target = scratch("target.trace", "");
  fs::remove(target);
  const fs::path link = scratch("link.trace", "");
  fs::remove(link);
  fs::create_symlink(target, link);
  EXPECT_EQ(run_refused({"hero50", "--record", link.string()}, message), 1);
  EXPECT_NE(message.find("symbolic link"), std::string::npos) << message;
  EXPECT_FALSE(fs::exists(target));
  const fs::path pipe = scratch("pipe2.trace", "");
  fs::remove(pipe);
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_EQ(run_refused({"hero50", "--record", pipe.string()}, message), 1);
  EXPECT_NE(message.find("device, pipe or socket"), std::string::npos) << message;
  EXPECT_EQ(run_refused({"hero50", "--record", fs::temp_directory_path().string()}, message), 1);
  EXPECT_NE(message.find("is a folder"), std::string::npos) << message;
  for (const auto& file : {best, empty, link, pipe}) fs::remove(file);
}

}  // namespace
}  // namespace hero
