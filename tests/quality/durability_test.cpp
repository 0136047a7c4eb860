// A high score or setting is on disk when its write returns: the program is
// started from its installation folder with a store of its own, does one
// thing that writes, and is killed with SIGKILL at once; the next start finds
// every value. A damaged store reads as defaults and the next write mends it.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "startup/qsettings_store.h"
#include "tests/quality/store_line.h"

namespace hero {
namespace {

namespace fs = std::filesystem;


struct ChildRun {
  std::vector<std::string> lines;  // everything it printed
  bool reached_written = false;    // said "written" and was then killed
  bool killed = false;
  int exit_code = -1;              // when it ended by itself
  std::string stderr_text;

  // The "stored NAME=VALUE" lines, as a map.
  std::map<std::string, std::string> stored() const {
    std::map<std::string, std::string> values;
    for (const std::string& line : lines) {
      if (line.rfind("stored ", 0) != 0) continue;
      const auto eq = line.find('=');
      values[line.substr(7, eq - 7)] = line.substr(eq + 1);
    }
    return values;
  }
  std::string line_starting(const std::string& prefix) const {
    for (const std::string& line : lines)
      if (line.rfind(prefix, 0) == 0) return line;
    return {};
  }
};

class Durability : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* install = std::getenv("HERO_INSTALL_DIR");
    ASSERT_NE(install, nullptr);
    install_dir_ = install;
    ASSERT_TRUE(fs::exists(install_dir_ / "Config.ini")) << install_dir_;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    config_home_ = fs::temp_directory_path() / ("hero_durability_" + std::string(info->name()) + "_" +
                                                std::to_string(getpid()));
    fs::remove_all(config_home_);
    fs::create_directories(config_home_);
  }
  void TearDown() override { fs::remove_all(config_home_); }

  fs::path store_file() const { return config_home_ / "Quillon" / "Hero50.conf"; }

  // Starts the program with `action`; kills it with SIGKILL as soon as it
  // says the write has returned, or lets it end by itself.
  ChildRun run(const std::string& action) {
    ChildRun result;
    int out[2], err[2];
    if (pipe(out) != 0 || pipe(err) != 0) {
      ADD_FAILURE() << "pipe";
      return result;
    }
    const pid_t pid = fork();
    if (pid == 0) {
      dup2(out[1], 1);
      dup2(err[1], 2);
      close(out[0]);
      close(err[0]);
      setenv("XDG_CONFIG_HOME", config_home_.c_str(), 1);
      setenv("QT_QPA_PLATFORM", "offscreen", 1);
      setenv("SDL_AUDIODRIVER", "dummy", 1);
      execl(HERO_DURABILITY_CHILD, HERO_DURABILITY_CHILD, install_dir_.c_str(), action.c_str(),
            static_cast<char*>(nullptr));
      _exit(127);
    }
    close(out[1]);
    close(err[1]);
    fcntl(err[0], F_SETFL, O_NONBLOCK);
    std::string pending;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(3);
    bool open = true;
    while (open && !result.reached_written && std::chrono::steady_clock::now() < deadline) {
      pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
      if (poll(fds, 2, 1000) <= 0) continue;
      char buffer[4096];
      if (fds[1].revents & POLLIN) {
        const ssize_t n = read(err[0], buffer, sizeof buffer);
        if (n > 0) result.stderr_text.append(buffer, static_cast<std::size_t>(n));
      }
      if (fds[0].revents & (POLLIN | POLLHUP)) {
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n <= 0) {
          open = false;
          break;
        }
        pending.append(buffer, static_cast<std::size_t>(n));
        for (std::size_t nl; (nl = pending.find('\n')) != std::string::npos;) {
          result.lines.push_back(pending.substr(0, nl));
          pending.erase(0, nl + 1);
          if (result.lines.back() == "written") result.reached_written = true;
        }
      }
    }
    // Either the write has returned or the program is stuck: no grace.
    if (result.reached_written || open) kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    char buffer[4096];
    for (ssize_t n; (n = read(err[0], buffer, sizeof buffer)) > 0;) result.stderr_text.append(buffer, static_cast<std::size_t>(n));
    close(out[0]);
    close(err[0]);
    result.killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    if (WIFEXITED(status)) result.exit_code = WEXITSTATUS(status);
    return result;
  }

  // The write returned, the kill came, and the disk holds every value the
  // program had stored.
  void expect_on_disk_after_kill(const ChildRun& run, const std::string& action) {
    ASSERT_TRUE(run.reached_written) << action << ": " << run.stderr_text;
    ASSERT_TRUE(run.killed) << action;
    QSettingsStore disk(QString::fromStdString(store_file().string()));
    const auto stored = run.stored();
    EXPECT_GE(stored.size(), 7u) << action;  // at least the seven keys
    for (const auto& [name, value] : stored) EXPECT_EQ(escaped(disk.read_text(name).value_or("<absent>")), value) << action << " " << name;
  }

  std::string stored_on_disk(const std::string& name) {
    QSettingsStore disk(QString::fromStdString(store_file().string()));
    return disk.read_text(name).value_or("<absent>");
  }

  void damage_store(const std::string& bytes) {
    fs::create_directories(store_file().parent_path());
    std::ofstream(store_file(), std::ios::binary | std::ios::trunc) << bytes;
  }

  fs::path install_dir_;
  fs::path config_home_;
};

TEST_F(Durability, EveryKindOfValueSurvivesAKillRightAfterItsWrite) {
  const ChildRun play = run("play");
  expect_on_disk_after_kill(play, "play");
  EXPECT_EQ(stored_on_disk("Skin"), "1");
  EXPECT_EQ(stored_on_disk("SoundMode"), "2");
  EXPECT_EQ(stored_on_disk("SplashScreen"), "0");
  EXPECT_EQ(stored_on_disk("Key1"), "2");

  const ChildRun full = run("fullscreen");
  expect_on_disk_after_kill(full, "fullscreen");
  EXPECT_EQ(stored_on_disk("FullscreenMode"), "0");

  const ChildRun keys = run("keys");
  expect_on_disk_after_kill(keys, "keys");
  for (int n = 1; n <= 7; ++n) EXPECT_EQ(stored_on_disk("Key" + std::to_string(n)), std::to_string(11 + n));

  const ChildRun hiscore = run("hiscore");
  expect_on_disk_after_kill(hiscore, "hiscore");
  const std::string hi = stored_on_disk("HiScore1");
  EXPECT_GE(std::atoi(hi.c_str()), 900) << hi;

  const ChildRun splash = run("splash");
  expect_on_disk_after_kill(splash, "splash");
  EXPECT_EQ(stored_on_disk("SplashScreen"), "1");

  // The next start reads back everything the killed runs wrote.
  const ChildRun report = run("report");
  ASSERT_EQ(report.exit_code, 0) << report.stderr_text;
  EXPECT_EQ(report.line_starting("read "),
            "read fullscreen=0 splash_box=1 automatic=0 hi_a=" + hi + " keys=12,13,14,15,16,17,18");
}

TEST_F(Durability, DamagedStoreReadsAsDefaultsAndTheNextWriteMendsIt) {
  std::string garbage;
  std::mt19937 random(5);
  for (int i = 0; i < 65536; ++i) garbage.push_back(static_cast<char>(random() & 0xff));
  const std::vector<std::pair<std::string, std::string>> damages = {
      {"empty", ""},
      {"cut in the group header", "[Gen"},
      {"cut after a name", "[General]\nFullscreenMode"},
      {"random bytes", garbage},
      {"one endless line", std::string(2'000'000, 'K')},
      {"values of the wrong shape", "[General]\nFullscreenMode=@Variant(\\0\\0\\0\\x7f)\nKey1=@ByteArray(\\xff)\n"
                                    "Key2=a, b, c\nHiScore1=\"\nKey3=\\\n"},
  };
  for (const auto& [kind, bytes] : damages) {
    SCOPED_TRACE(kind);
    damage_store(bytes);
    const ChildRun first = run("report");
    ASSERT_EQ(first.exit_code, 0) << first.stderr_text;
    EXPECT_EQ(first.line_starting("read "),
              "read fullscreen=1 splash_box=1 automatic=0 hi_a=0 keys=2,3,4,6,39,40,44");

    const ChildRun write = run("fullscreen");
    expect_on_disk_after_kill(write, "fullscreen");
    EXPECT_EQ(stored_on_disk("FullscreenMode"), "0");
    EXPECT_EQ(stored_on_disk("Key7"), "44");

    const ChildRun again = run("report");
    ASSERT_EQ(again.exit_code, 0) << again.stderr_text;
    EXPECT_EQ(again.line_starting("read "),
              "read fullscreen=0 splash_box=0 automatic=1 hi_a=0 keys=2,3,4,6,39,40,44");
  }
}

}  // namespace
}  // namespace hero
