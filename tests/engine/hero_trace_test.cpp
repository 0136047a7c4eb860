// hero-trace: the script language, the state line and the error exit.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <streambuf>
#include <string>
#include <utility>

#include "startup/session/trace_script.h"
#include "tests/support/files.h"

namespace hero {
namespace {

struct TraceRun {
  int exit_code = -1;
  std::string out;
  std::string err;
};

// Runs the real binary on a script written to a temporary file.
TraceRun run_binary(const std::string& script, const std::string& args = "") {
  char dir_template[] = "/tmp/hero-trace-test-XXXXXX";
  const std::string dir = mkdtemp(dir_template);
  const std::string script_path = dir + "/script.trace";
  std::ofstream(script_path) << script;
  const std::string command = std::string(HERO_TRACE_PATH) + " " + args + " " + script_path + " >" + dir +
                              "/out.txt 2>" + dir + "/err.txt";
  const int status = std::system(command.c_str());
  TraceRun run;
  run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = test::read_file(dir + "/out.txt");
  run.err = test::read_file(dir + "/err.txt");
  std::remove((dir + "/out.txt").c_str());
  std::remove((dir + "/err.txt").c_str());
  std::remove(script_path.c_str());
  rmdir(dir.c_str());
  return run;
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TraceResult run_script(const std::string& script, std::string& out) {
  std::istringstream in(script);
  std::ostringstream os;
  TraceResult r = run_trace(in, os);
  out = os.str();
  return r;
}

TEST(HeroTraceTest, WorkedGameStartPrintsTheHandheldTickByTick) {
  const TraceRun run = run_binary(
      "start\npress game_a\ndraw 0   # start offset\nrelease game_a\nshow\n"
      "wait 196\nshow\nwait 195\nshow\nwait 194\nshow\nwait 193\nshow\n");
  ASSERT_EQ(run.exit_code, 0) << run.err;
  const auto lines = lines_of(run.out);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(
      lines[0],
      "t=0 mode=5 score=0 hi_a=0 hi_b=0 misses=0 half=0 hero=2 rogue=3/0 paused=0 moves=1 panel=\"   0\" "
      "timers=Game:196 lit=im_hero_x2,im_lady_0,im_lady_2,im_lady_4,im_panel_game_a,im_rogue_x3y1,"
      "im_rogue_x3y2 sounds=-");
  EXPECT_EQ(
      lines[1],
      "t=196 mode=5 score=0 hi_a=0 hi_b=0 misses=0 half=0 hero=2 rogue=3/0 paused=0 moves=1 panel=\"   0\" "
      "timers=Game:195 lit=im_enemy_x2y2,im_hero_x2,im_lady_0,im_lady_2,im_lady_4,im_panel_game_a,"
      "im_rogue_x3y1,im_rogue_x3y2 sounds=tick");
  EXPECT_NE(lines[2].find("t=391 "), std::string::npos);
  EXPECT_NE(lines[2].find(" timers=Game:194 "), std::string::npos);
  EXPECT_NE(lines[2].find(" sounds=-"), std::string::npos);
  EXPECT_NE(lines[4].find("t=778 "), std::string::npos);
  EXPECT_NE(lines[4].find("im_enemy_x2y3,"), std::string::npos);
  EXPECT_NE(lines[4].find(" sounds=tick"), std::string::npos);
}

TEST(HeroTraceTest, MalformedLineStopsWithItsNumberAndNonZeroExit) {
  const TraceRun run = run_binary("start\nshow\njump 5\nshow\n");
  EXPECT_NE(run.exit_code, 0);
  EXPECT_NE(run.err.find(":3:"), std::string::npos) << run.err;
  EXPECT_EQ(lines_of(run.out).size(), 1u);  // the line before it ran, the one after did not
}

TEST(HeroTraceTest, EveryKindOfBadLineIsRejected) {
  for (const char* bad : {"wait", "wait -1", "wait 1.5", "wait 12x", "clock 24:00", "clock 7:60",
                          "clock 0700", "press", "press jump", "release game_c", "show now", "start again",
                          "draw", "draw one", "store HiScore1", "dump-store all", "Show"}) {
    std::string out;
    const TraceResult r = run_script(std::string("# comment\n\n") + bad + "\n", out);
    EXPECT_FALSE(r.ok) << bad;
    EXPECT_EQ(r.line, 3) << bad;
    EXPECT_FALSE(r.message.empty()) << bad;
  }
}

TEST(HeroTraceTest, DrawOutsideItsRangeStopsTheRun) {
  std::string out;
  const TraceResult r = run_script("start\npress game_a\ndraw 3\nrelease game_a\nshow\n", out);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.line, 4);
  EXPECT_NE(r.message.find("0..2"), std::string::npos) << r.message;
}

TEST(HeroTraceTest, DumpStoreListsValuesSortedByName) {
  std::string out;
  const TraceResult r =
      run_script("store Key1 2\nstore HiScore2 7\nstore Skin   two words  \nstart\ndump-store\n", out);
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_EQ(out, "HiScore2=7\nKey1=2\nSkin=two words\n");
}

TEST(HeroTraceTest, StoredHighScoresShowWhileTheGameButtonIsHeld) {
  std::string out;
  const TraceResult r = run_script("store HiScore1 305\nstart\npress game_a\nshow\n", out);
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_NE(out.find("hi_a=305 "), std::string::npos);
  EXPECT_NE(out.find("panel=\" 305\""), std::string::npos);
}

TEST(HeroTraceTest, ClockCommandSetsTheTimeShown) {
  std::string out;
  const TraceResult r = run_script("clock 13:07\nstart\npress time\nrelease time\nwait 1\nshow\n", out);
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_NE(out.find("panel=\" 107\""), std::string::npos) << out;
  EXPECT_NE(out.find("im_panel_time_pm"), std::string::npos);
  EXPECT_NE(out.find("timers=Clock:1000 "), std::string::npos);
}

TEST(HeroTraceTest, SoundsAreReportedOncePerShow) {
  std::string out;
  const TraceResult r = run_script("start\npress acl\nshow\nshow\n", out);
  ASSERT_TRUE(r.ok);
  const auto lines = lines_of(out);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_NE(lines[0].find("sounds=silence"), std::string::npos);
  EXPECT_NE(lines[1].find("sounds=-"), std::string::npos);
}

TEST(HeroTraceTest, SeedMakesLongGamesRepeatable) {
  std::string script = "start\npress game_b\nrelease game_b\n";
  for (int i = 0; i < 200; ++i)
    script +=
        i % 3 ? "press left\nwait 700\nrelease left\nshow\n" : "press right\nwait 700\nrelease right\nshow\n";
  const TraceRun a = run_binary(script, "--seed 5");
  const TraceRun b = run_binary(script, "--seed 5");
  const TraceRun c = run_binary(script, "--seed=6");
  ASSERT_EQ(a.exit_code, 0) << a.err;
  EXPECT_EQ(a.out, b.out);
  EXPECT_NE(a.out, c.out);
}

TEST(HeroTraceTest, BadArgumentsAndMissingScriptFail) {
  EXPECT_NE(run_binary("show\n", "--seed abc").exit_code, 0);
  const int status =
      std::system((std::string(HERO_TRACE_PATH) + " /nonexistent/x.trace 2>/dev/null").c_str());
  EXPECT_NE(WEXITSTATUS(status), 0);
}

// What a script may cost is bounded: its size, its lines and the span of
// the handheld's time its waits cover; only a regular file is read by name.
TEST(HeroTraceTest, ScriptsAreBoundedInSizeLinesAndTime) {
  std::string out;
  // Each of these waits once cost millions of ticks; a week in all is the most.
  TraceResult r = run_script("start\nwait 302400000\nwait 302400000\nwait 1\nshow\n", out);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.line, 4);
  EXPECT_NE(r.message.find("more than 604800000 ms"), std::string::npos) << r.message;
  r = run_script("start\nwait 604800001\n", out);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.line, 2);
  r = run_script("show\n# " + std::string(kMaxScriptLineChars, 'x') + "\n", out);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.line, 2);
  EXPECT_NE(r.message.find("longer than 4096"), std::string::npos) << r.message;
  r = run_script("show", out);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.message.find("no complete line"), std::string::npos) << r.message;

  // An endless stream of short lines stops at the largest script.
  struct Endless final : std::streambuf {
    Endless() { line.back() = '\n'; }
    int underflow() override {
      setg(line.data(), line.data(), line.data() + line.size());
      return '#';
    }
    std::string line = std::string(64, '#');
  } endless;
  std::istream stream(&endless);
  std::ostringstream sink;
  r = run_trace(stream, sink);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.message.find("larger than 64 MiB"), std::string::npos) << r.message;

  // A folder and a pipe are refused by name, with status 1, at once.
  char dir_template[] = "/tmp/hero-trace-bounds-XXXXXX";
  const std::string dir = mkdtemp(dir_template);
  const std::string pipe = dir + "/pipe.trace";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  for (const auto& [path, said] :
       {std::pair<std::string, std::string>{dir, "is a folder"}, {pipe, "not a regular file"}}) {
    const std::string err = dir + "/err.txt";
    const int status = std::system((std::string(HERO_TRACE_PATH) + " " + path + " 2>" + err).c_str());
    EXPECT_EQ(WEXITSTATUS(status), 1) << path;
    EXPECT_NE(test::read_file(err).find(said), std::string::npos) << test::read_file(err);
    std::remove(err.c_str());
  }
  std::remove(pipe.c_str());
  rmdir(dir.c_str());
}

TEST(HeroTraceTest, DemoScriptRunsToTheEnd) {
  const TraceRun run = run_binary(test::read_file(std::string(HERO_SOURCE_PATH) + "/tools/demo.trace"));
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_GT(lines_of(run.out).size(), 10u);
}

}  // namespace
}  // namespace hero
