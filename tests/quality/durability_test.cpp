// A high score or setting is on disk when its write returns: the program is
// started from its installation folder with a store of its own, does one
// thing that writes, and is killed with SIGKILL at once; the next start finds
// every value. A damaged store reads as defaults and the next write mends it.
// A store that cannot be written costs one notice, never the game; a second
// running copy's high score is kept; a signal to end runs the close step.
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "startup/session/virtual_handheld.h"
#include "startup/settings/qsettings_store.h"
#include "tests/quality/store_line.h"
#include "tests/support/files.h"

namespace hero {
namespace {

namespace fs = std::filesystem;

struct ChildRun {
  std::vector<std::string> lines;  // everything it printed
  bool reached_written = false;    // said "written" and was then killed
  bool killed = false;
  int exit_code = -1;  // when it ended by itself
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
  std::vector<std::string> lines_starting(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const std::string& line : lines)
      if (line.rfind(prefix, 0) == 0) found.push_back(line);
    return found;
  }
};

// How a child is started and ended.
struct RunOptions {
  bool as_nobody = false;         // a user who owns none of the files (when the test runs as root)
  bool without_home = false;      // neither HOME nor XDG_CONFIG_HOME set
  std::string signal_after;       // send `signal` when the child prints this line ...
  int signal = 0;                 // ... and let it end by itself
  std::vector<std::string> argv;  // a program other than the durability child
  std::string working_folder;     // where it starts, when not the installation folder
  std::map<std::string, std::string> extra_env;
  std::string platform = "offscreen";  // QT_QPA_PLATFORM; empty: left unset
  // The child has started when this file holds this text (for programs that
  // print nothing); then `signal` is sent.
  std::string signal_when_file_holds;
  std::filesystem::path watched_file;
};

constexpr uid_t kNobody = 65534;
constexpr int kSkipped = 77;  // the X server harness found no Xvfb

class Durability : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* install = std::getenv("HERO_INSTALL_DIR");
    ASSERT_NE(install, nullptr);
    install_dir_ = install;
    ASSERT_TRUE(fs::exists(install_dir_ / "Config.ini")) << install_dir_;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    config_home_ = fs::temp_directory_path() /
                   ("hero_durability_" + std::string(info->name()) + "_" + std::to_string(getpid()));
    fs::remove_all(config_home_);
    fs::create_directories(config_home_);
    // A user of its own may enter it (the store tests run the program as one).
    chmod(config_home_.c_str(), 0755);
  }
  void TearDown() override {
    make_store_writable();
    fs::remove_all(config_home_);
  }

  fs::path store_file() const { return config_home_ / "Quillon" / "Hero50.conf"; }

  // Starts the program with `action`; kills it with SIGKILL as soon as it
  // says the write has returned, or lets it end by itself.
  ChildRun run(const std::string& action, const RunOptions& options = {}) {
    ChildRun result;
    int out[2], err[2];
    if (pipe(out) != 0 || pipe(err) != 0) {
      ADD_FAILURE() << "pipe";
      return result;
    }
    std::vector<std::string> args = options.argv;
    if (args.empty()) args = {HERO_DURABILITY_CHILD, install_dir_.string(), action};
    const pid_t pid = fork();
    if (pid == 0) {
      dup2(out[1], 1);
      dup2(err[1], 2);
      close(out[0]);
      close(err[0]);
      if (options.without_home) {
        unsetenv("HOME");
        unsetenv("XDG_CONFIG_HOME");
      } else {
        setenv("XDG_CONFIG_HOME", config_home_.c_str(), 1);
      }
      if (options.platform.empty()) {
        unsetenv("QT_QPA_PLATFORM");
      } else {
        setenv("QT_QPA_PLATFORM", options.platform.c_str(), 1);
      }
      setenv("SDL_AUDIODRIVER", "dummy", 1);
      for (const auto& [name, value] : options.extra_env) setenv(name.c_str(), value.c_str(), 1);
      if (!options.working_folder.empty() && chdir(options.working_folder.c_str()) != 0) _exit(126);
      if (options.as_nobody && geteuid() == 0) {
        setenv("XDG_RUNTIME_DIR", "/tmp", 1);
        if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0) _exit(125);
      }
      std::vector<char*> argv;
      for (std::string& a : args) argv.push_back(a.data());
      argv.push_back(nullptr);
      execv(argv[0], argv.data());
      _exit(127);
    }
    close(out[1]);
    close(err[1]);
    fcntl(err[0], F_SETFL, O_NONBLOCK);
    std::string pending;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(3);
    bool open = true;
    bool signalled = false;
    auto maybe_signal = [&](bool now) {
      if (!signalled && now && options.signal != 0) {
        kill(pid, options.signal);
        signalled = true;
      }
    };
    while (open && !result.reached_written && std::chrono::steady_clock::now() < deadline) {
      if (!options.signal_when_file_holds.empty())
        maybe_signal(test::read_file(options.watched_file).find(options.signal_when_file_holds) !=
                     std::string::npos);
      pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
      if (poll(fds, 2, signalled || options.signal_when_file_holds.empty() ? 1000 : 20) <= 0) continue;
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
          maybe_signal(!options.signal_after.empty() && result.lines.back() == options.signal_after);
        }
      }
    }
    // Either the write has returned or the program is stuck: no grace.
    if (result.reached_written || open) kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    char buffer[4096];
    for (ssize_t n; (n = read(err[0], buffer, sizeof buffer)) > 0;)
      result.stderr_text.append(buffer, static_cast<std::size_t>(n));
    close(out[0]);
    close(err[0]);
    result.killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    if (WIFEXITED(status)) result.exit_code = WEXITSTATUS(status);
    if (WIFSIGNALED(status))
      result.stderr_text += "\n(ended by signal " + std::to_string(WTERMSIG(status)) + ")";
    return result;
  }

  // Every value the store may hold, valid, written by a store of the test's own.
  void write_full_store() {
    QSettingsStore store(QString::fromStdString(store_file().string()));
    const std::vector<std::pair<std::string, std::string>> values = {
        {"FullscreenMode", "0"}, {"SplashScreen", "1"}, {"Skin", "1"},    {"SoundMode", "2"}, {"Key1", "2"},
        {"Key2", "3"},           {"Key3", "4"},         {"Key4", "6"},    {"Key5", "39"},     {"Key6", "40"},
        {"Key7", "44"},          {"HiScore1", "5"},     {"HiScore2", "3"}};
    for (const auto& [name, value] : values) store.write_text(name, value);
  }

  // The store file and its folders as a user who may not change them sees them.
  void make_store_read_only() {
    chmod(store_file().c_str(), 0444);
    chmod(store_file().parent_path().c_str(), 0555);
    chmod(config_home_.c_str(), 0555);
  }
  void make_store_writable() {
    chmod(config_home_.c_str(), 0755);
    chmod(store_file().parent_path().c_str(), 0755);
    chmod(store_file().c_str(), 0644);
  }

  // The write returned, the kill came, and the disk holds every value the
  // program had stored.
  void expect_on_disk_after_kill(const ChildRun& run, const std::string& action) {
    ASSERT_TRUE(run.reached_written) << action << ": " << run.stderr_text;
    ASSERT_TRUE(run.killed) << action;
    QSettingsStore disk(QString::fromStdString(store_file().string()));
    const auto stored = run.stored();
    EXPECT_GE(stored.size(), 7u) << action;  // at least the seven keys
    for (const auto& [name, value] : stored)
      EXPECT_EQ(escaped(disk.read_text(name).value_or("<absent>")), value) << action << " " << name;
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
      {"values of the wrong shape",
       "[General]\nFullscreenMode=@Variant(\\0\\0\\0\\x7f)\nKey1=@ByteArray(\\xff)\n"
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

// ---- A store that cannot be written -----------------------------------------------

// Only a user other than the files' owner meets a read-only folder: root
// writes anyway, so as root the program runs as nobody.
bool can_meet_read_only_files() { return geteuid() == 0 || access("/", W_OK) != 0; }

TEST_F(Durability, ReadOnlyStoreStartsAndPlaysOnFromMemorySayingSoOnce) {
  if (!can_meet_read_only_files()) GTEST_SKIP() << "this user may write anywhere";
  write_full_store();
  const std::string before = test::read_file(store_file());
  make_store_read_only();
  RunOptions nobody;
  nobody.as_nobody = true;

  // Every value is good: nothing needs writing, so nothing is said.
  const ChildRun start = run("report", nobody);
  ASSERT_EQ(start.exit_code, 0) << start.stderr_text;
  EXPECT_TRUE(start.lines_starting("notice:").empty()) << start.lines_starting("notice:")[0];
  EXPECT_EQ(start.line_starting("read "),
            "read fullscreen=0 splash_box=1 automatic=0 hi_a=5 keys=2,3,4,6,39,40,44");

  // Play stores its choices and a game ends with a high score: the first
  // refusal is said once, where and why; the game goes on from memory.
  const ChildRun game = run("hiscore", nobody);
  ASSERT_TRUE(game.reached_written) << game.stderr_text;
  const auto notices = game.lines_starting("notice:");
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_NE(notices[0].find(store_file().string()), std::string::npos) << notices[0];
  EXPECT_NE(notices[0].find("read-only"), std::string::npos) << notices[0];
  EXPECT_NE(notices[0].find("will not be kept"), std::string::npos) << notices[0];
  EXPECT_GE(std::atoi(game.stored()["HiScore1"].c_str()), 900) << "the new high score lives on in memory";
  EXPECT_EQ(game.stored()["SplashScreen"], "0");
  // Nothing already stored is lost or changed.
  EXPECT_EQ(test::read_file(store_file()), before);
}

TEST_F(Durability, FolderInThePlaceOfTheStoreCostsOneNoticeAndNothingInIt) {
  fs::create_directories(store_file());
  std::ofstream(store_file() / "keep.txt") << "mine";
  const ChildRun start = run("report");
  ASSERT_EQ(start.exit_code, 0) << start.stderr_text;
  const auto notices = start.lines_starting("notice:");
  ASSERT_EQ(notices.size(), 1u) << "seven key values refused, one notice";
  EXPECT_NE(notices[0].find(store_file().string()), std::string::npos) << notices[0];
  EXPECT_NE(notices[0].find("folder of that name"), std::string::npos) << notices[0];
  EXPECT_EQ(start.line_starting("read "),
            "read fullscreen=1 splash_box=1 automatic=0 hi_a=0 keys=2,3,4,6,39,40,44");
  EXPECT_TRUE(fs::is_directory(store_file()));
  EXPECT_EQ(test::read_file(store_file() / "keep.txt"), "mine");
}

TEST_F(Durability, NoHomeFolderStillStartsAndSaysWhy) {
  if (!can_meet_read_only_files()) GTEST_SKIP() << "this user may write anywhere";
  if (fs::exists("/.config")) GTEST_SKIP() << "/.config exists on this machine";
  RunOptions homeless;
  homeless.as_nobody = true;
  homeless.without_home = true;
  const ChildRun start = run("report", homeless);
  ASSERT_EQ(start.exit_code, 0) << start.stderr_text;
  const auto notices = start.lines_starting("notice:");
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_NE(notices[0].find("HOME is not set"), std::string::npos) << notices[0];
  EXPECT_NE(notices[0].find("cannot be written to"), std::string::npos) << notices[0];
  EXPECT_EQ(start.line_starting("read "),
            "read fullscreen=1 splash_box=1 automatic=0 hi_a=0 keys=2,3,4,6,39,40,44");
  EXPECT_FALSE(fs::exists("/.config"));
}

TEST_F(Durability, FullDiskKeepsWhatIsStoredAndCostsOneNotice) {
  // A tiny file system of the test's own, filled to the last block.
  if (mount("tmpfs", config_home_.c_str(), "tmpfs", 0, "size=64k,mode=0755") != 0)
    GTEST_SKIP() << "no file system of our own can be mounted here";
  struct Unmount {
    const fs::path& at;
    ~Unmount() { umount2(at.c_str(), MNT_DETACH); }
  } unmount{config_home_};
  write_full_store();
  const std::string before = test::read_file(store_file());
  {
    std::ofstream fill(config_home_ / "fill", std::ios::binary);
    const std::string block(4096, '\0');
    for (int i = 0; i < 64 && fill.write(block.data(), block.size()); ++i) fill.flush();
  }
  const ChildRun game = run("hiscore");
  ASSERT_TRUE(game.reached_written) << game.stderr_text;
  const auto notices = game.lines_starting("notice:");
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_NE(notices[0].find("the disk is full"), std::string::npos) << notices[0];
  EXPECT_EQ(test::read_file(store_file()), before);
}

// ---- Two copies of the handheld ----------------------------------------------------

TEST_F(Durability, HighScoreOfASecondRunningCopyIsNotOverwritten) {
  // Copy one: the handheld's logic on the player's store, started first, so
  // it reads no high score.
  fs::create_directories(store_file().parent_path());
  QSettingsStore store(QString::fromStdString(store_file().string()));
  VirtualTime time;
  VirtualSurface surface;
  ScriptedRandom random(3);
  FixedClock clock;
  RecordingSoundSink sound;
  Engine engine(EngineServices{surface, time.timer_pointers(), sound, store, random, clock});
  engine.start();
  ASSERT_EQ(engine.state().hi_score_a, 0);
  engine.Inp_game_a_down();
  engine.Inp_game_a_up();
  ASSERT_EQ(engine.state().game_mode, mode_game_a);

  // Copy two, the whole program, ends a Game A with a high score meanwhile.
  const ChildRun other = run("hiscore");
  expect_on_disk_after_kill(other, "hiscore");
  const std::string best = stored_on_disk("HiScore1");
  ASSERT_GE(std::atoi(best.c_str()), 900);

  // Copy one's game ends with a few points: the better score stays, and is
  // the one copy one now shows.
  engine.state_for_tests().score = 7;
  const auto fire = [&engine](TimerId id) { engine.on_timer(id); };
  for (int i = 0; i < 100'000 && engine.state().game_mode != mode_game_over; ++i) time.step(3'600'000, fire);
  ASSERT_EQ(engine.state().game_mode, mode_game_over);
  EXPECT_LT(engine.state().score, 900);
  EXPECT_EQ(stored_on_disk("HiScore1"), best);
  EXPECT_EQ(engine.state().hi_score_a, std::atoi(best.c_str()));
}

// ---- Ended from outside ----------------------------------------------------------

TEST_F(Durability, EndingSignalsRunTheCloseStep) {
  for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
    SCOPED_TRACE(signal);
    RunOptions options;
    options.signal_after = "running";
    options.signal = signal;
    const ChildRun closed = run("signal", options);
    ASSERT_EQ(closed.exit_code, 0) << closed.stderr_text;
    EXPECT_EQ(closed.line_starting("signal "), "signal " + std::to_string(signal));
    // The close step: the five samples freed, then the library closed.
    const auto calls = closed.lines_starting("sound ");
    ASSERT_EQ(calls.size(), 6u);
    for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(calls[i].rfind("sound free #", 0), 0u) << calls[i];
    EXPECT_EQ(calls[5], "sound close");
  }
}

TEST_F(Durability, InstalledProgramEndsNormallyOnEachEndingSignal) {
  for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
    SCOPED_TRACE(signal);
    // Splash screen off with a skin and a driver: the program plays at once.
    // The key values it writes at creation say it is running.
    make_store_writable();
    fs::remove_all(store_file());
    {
      fs::create_directories(store_file().parent_path());
      QSettingsStore store(QString::fromStdString(store_file().string()));
      store.write_text("SplashScreen", "0");
      store.write_text("Skin", "1");
      store.write_text("SoundMode", "0");
    }
    RunOptions options;
    options.argv = {(install_dir_ / "hero50").string()};
    options.working_folder = install_dir_.string();
    options.signal = signal;
    options.watched_file = store_file();
    options.signal_when_file_holds = "Key7=44";
    const ChildRun closed = run("", options);
    EXPECT_EQ(closed.exit_code, 0) << closed.stderr_text;
    EXPECT_FALSE(closed.killed);
  }
}

// ---- Leaks at the end of a run on an X display -----------------------------------

TEST_F(Durability, RunOnAnXDisplayEndsWithoutALeakReport) {
  if (!HERO_SANITIZED_BUILD) GTEST_SKIP() << "only the sanitizer build looks for leaks";
  // Splash screen off with a skin and a driver: the program plays at once on
  // the X display (the window system's platform, with Qt's D-Bus thread).
  fs::create_directories(store_file().parent_path());
  {
    QSettingsStore store(QString::fromStdString(store_file().string()));
    store.write_text("SplashScreen", "0");
    store.write_text("Skin", "1");
    store.write_text("SoundMode", "2");
    store.write_text("FullscreenMode", "0");
  }
  // The program runs under the tests' one X server harness, which passes the
  // ending signal on and says what the server said if anything goes wrong.
  RunOptions options;
  options.argv = {HERO_PYTHON, HERO_XSERVER_SCRIPT, "--", (install_dir_ / "hero50").string()};
  options.working_folder = install_dir_.string();
  options.platform = "";
  options.extra_env = {{"ASAN_OPTIONS", "detect_leaks=1"},
                       {"LSAN_OPTIONS", std::string("suppressions=") + HERO_LSAN_SUPPRESSIONS}};
  options.signal = SIGTERM;
  options.watched_file = store_file();
  options.signal_when_file_holds = "Key7=44";
  const ChildRun run_on_x = run("", options);
  if (run_on_x.exit_code == kSkipped) GTEST_SKIP() << run_on_x.stderr_text;
  EXPECT_EQ(run_on_x.stderr_text.find("LeakSanitizer"), std::string::npos) << run_on_x.stderr_text;
  EXPECT_EQ(run_on_x.exit_code, 0) << run_on_x.stderr_text;
}

}  // namespace
}  // namespace hero
