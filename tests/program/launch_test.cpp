// The built program started the ways a player starts it: from another folder
// or through a symlink (it must still find its samples), with no display
// (a plain word and status 1, not Qt's abort), and on a Wayland compositor
// with no X server (it must run there natively).
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include <QImage>
#include <QString>

#include "tests/program/child_process.h"
#include "tests/support/files.h"

namespace hero::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// A start in a sanitizer build takes seconds; a hang is what these limits catch.
constexpr auto kStartLimit = 60s;

// Whether the process has a handler of its own for SIGTERM (its caught
// signals in /proc).
bool catches_sigterm(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("SigCgt:", 0) == 0) return (std::stoull(line.substr(7), nullptr, 16) >> (SIGTERM - 1)) & 1;
  return false;
}

bool has_line(const std::string& text, const std::string& line) {
  std::istringstream lines(text);
  for (std::string l; std::getline(lines, l);)
    if (l == line) return true;
  return false;
}

class LaunchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* install = std::getenv("HERO_INSTALL_DIR");
    ASSERT_NE(install, nullptr);
    install_dir = fs::canonical(install);
    program = install_dir / "hero50";
    ASSERT_TRUE(fs::exists(program)) << program;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    home = fs::temp_directory_path() /
           ("hero_launch_" + std::string(info->name()) + "_" + std::to_string(getpid()));
    fs::remove_all(home);
    fs::create_directories(home / "config" / "Quillon");
    fs::create_directories(home / "runtime");
    fs::permissions(home / "runtime", fs::perms::owner_all, fs::perm_options::replace);
  }
  void TearDown() override { fs::remove_all(home); }

  fs::path store_file() const { return home / "config" / "Quillon" / "Hero50.conf"; }

  // A store with which the start plays at once: first skin, the default
  // sound output, splash screen off. "00" reads as off; Play writes it back
  // as "0" only once the samples have loaded, so the rewrite in the file is
  // the sign that Play got past its sound step.
  void store_automatic_play(bool windowed = false) {
    std::ofstream(store_file()) << "[General]\nSplashScreen=00\nSkin=1\nSoundMode=0\n"
                                << (windowed ? "FullscreenMode=0\n" : "");
  }

  ChildSetup setup(const fs::path& folder) const {
    ChildSetup s;
    s.program = program;
    s.working_folder = folder;
    s.error_output = home / "stderr.txt";
    s.environment = {{"XDG_CONFIG_HOME", (home / "config").string()},
                     {"XDG_RUNTIME_DIR", (home / "runtime").string()},
                     {"SDL_AUDIODRIVER", "dummy"},
                     {"QT_QPA_PLATFORM", "offscreen"},
                     {"DISPLAY", std::nullopt},
                     {"WAYLAND_DISPLAY", std::nullopt},
                     {"XDG_SESSION_TYPE", std::nullopt}};
    return s;
  }

  // Waits for Play to pass its sound step, then checks what it stored and
  // where the program works.
  void expect_play_with_sound(ChildProcess& child) {
    ASSERT_TRUE(child.started());
    const bool played = eventually(
        kStartLimit, [&] { return has_line(read_file(store_file()), "SplashScreen=0") || !child.running(); });
    const std::string store = read_file(store_file());
    ASSERT_TRUE(played && child.running()) << "Play did not get past its sound step; store:\n"
                                           << store << "\nstderr:\n"
                                           << child.error_text();
    EXPECT_TRUE(has_line(store, "SplashScreen=0")) << store;
    EXPECT_TRUE(has_line(store, "SoundMode=0")) << store;
    EXPECT_FALSE(has_line(store, "SoundMode=-1")) << store;
    std::error_code ec;
    EXPECT_EQ(fs::read_symlink("/proc/" + std::to_string(child.pid()) + "/cwd", ec), install_dir);
  }

  fs::path install_dir;
  fs::path program;
  fs::path home;
};

// ---- started from anywhere ----------------------------------------------------

TEST_F(LaunchTest, StartedFromTheRootFolderPlaysWithSound) {
  store_automatic_play();
  ChildProcess child(setup("/"));
  expect_play_with_sound(child);
}

TEST_F(LaunchTest, StartedThroughASymlinkElsewherePlaysWithSound) {
  store_automatic_play();
  fs::create_directories(home / "bin");
  fs::create_symlink(program, home / "bin" / "hero50");
  ChildSetup s = setup(home);
  s.program = home / "bin" / "hero50";
  ChildProcess child(s);
  expect_play_with_sound(child);
}

// ---- text from a stranger's file -----------------------------------------------

// A recording's noted line is shown in the difference box as written: a tag
// in it is never obeyed. Rich text would load the image it names, here a
// pipe that nobody writes, and the program would hang opening it.
TEST_F(LaunchTest, MarkupInARecordingIsShownAsWrittenNeverObeyed) {
  store_automatic_play(true);
  const fs::path pipe = home / "picture";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  const fs::path recording = home / "shared.trace";
  std::ofstream(recording) << "start\nshow # t=0 <img src=\"" << pipe.string() << "\"> sounds=-\n";
  ChildSetup s = setup(install_dir);
  s.arguments = {"--replay", recording.string()};
  ChildProcess child(s);
  ASSERT_TRUE(child.started());
  ASSERT_TRUE(eventually(kStartLimit, [&] { return catches_sigterm(child.pid()) || !child.running(); }))
      << child.error_text();
  // Whoever opens the pipe to read it lets a writer in without waiting.
  const bool read_the_pipe = eventually(5s, [&] {
    const int fd = open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
    if (fd >= 0) close(fd);
    return fd >= 0 || !child.running();
  });
  EXPECT_TRUE(child.running()) << child.error_text();
  EXPECT_FALSE(read_the_pipe && child.running())
      << "the program opened the file a tag in the recording named";
  // It is still the program's own: an ending signal closes it, with the
  // status of a replay that differed.
  kill(child.pid(), SIGTERM);
  EXPECT_TRUE(child.wait_for_exit(kStartLimit)) << "the ending signal was not heard";
  EXPECT_EQ(child.exit_status(), 1) << child.error_text();
}

// An installation without its catalogue shows an error box that waits for
// OK; an ending signal does not wait for it.
TEST_F(LaunchTest, AnEndingSignalDoesNotWaitForAStartUpErrorBox) {
  const fs::path broken = home / "broken";
  fs::create_directories(broken);
  fs::copy_file(program, broken / "hero50");
  ChildSetup s = setup(home);
  s.program = broken / "hero50";
  ChildProcess child(s);
  ASSERT_TRUE(child.started());
  // The signal is sent once the program catches it (its close step is in
  // place), before or while the box is up.
  ASSERT_TRUE(eventually(kStartLimit, [&] { return catches_sigterm(child.pid()) || !child.running(); }))
      << child.error_text();
  ASSERT_TRUE(child.running()) << child.error_text();
  kill(child.pid(), SIGTERM);
  EXPECT_TRUE(child.wait_for_exit(kStartLimit)) << "the program waited for its error box";
  EXPECT_TRUE(child.exit_status().has_value()) << child.error_text();
}

// ---- no display ------------------------------------------------------------------

class NoDisplayTest : public LaunchTest {
 protected:
  // Starts the program in `s` and expects the plain message and status 1.
  std::string expect_plain_refusal(const ChildSetup& s) {
    ChildProcess child(s);
    EXPECT_TRUE(child.started());
    EXPECT_TRUE(child.wait_for_exit(kStartLimit)) << "still running";
    std::string errors = child.error_text();
    EXPECT_EQ(child.end_signal(), std::nullopt) << "ended by a signal; stderr:\n" << errors;
    EXPECT_EQ(child.exit_status(), 1) << errors;
    EXPECT_EQ(errors.rfind("hero50: cannot open a display: ", 0), 0u) << errors;
    EXPECT_EQ(errors.find("This application failed to start"), std::string::npos) << errors;
    // Nothing was played, so nothing was stored.
    EXPECT_FALSE(fs::exists(store_file()));
    return errors;
  }
};

TEST_F(NoDisplayTest, WithoutAnyDisplayItSaysWhatIsMissing) {
  ChildSetup s = setup("/");
  s.environment["QT_QPA_PLATFORM"] = std::nullopt;
  const std::string errors = expect_plain_refusal(s);
  EXPECT_NE(errors.find("DISPLAY is not set"), std::string::npos) << errors;
  EXPECT_NE(errors.find("WAYLAND_DISPLAY"), std::string::npos) << errors;
}

TEST_F(NoDisplayTest, AnXServerThatDoesNotAnswerIsNamed) {
  // A display number no X server of this machine uses.
  const std::string display = ":" + std::to_string(3000 + getpid() % 1000);
  ASSERT_FALSE(fs::exists("/tmp/.X11-unix/X" + display.substr(1)));
  ChildSetup s = setup("/");
  s.environment["QT_QPA_PLATFORM"] = std::nullopt;
  s.environment["DISPLAY"] = display;
  const std::string errors = expect_plain_refusal(s);
  EXPECT_NE(errors.find(display), std::string::npos) << errors;
}

// ---- a Wayland session without X ------------------------------------------------

// Weston with its headless back end: a real compositor with no screen and no
// input devices (so a drag cannot be tried), drawing with its CPU renderer so
// that its screenshooter can show what the player would see. The handheld
// must start on it natively, play, and show its outline: on Wayland the
// window is not cut by a shape, so any key-coloured (magenta) pixel left
// opaque would show on the desktop.
class WaylandTest : public LaunchTest {
 protected:
  // The compositor's picture of its whole screen; null when none came.
  QImage screenshot() {
    const fs::path folder = home / ("shot" + std::to_string(++shots_));
    fs::create_directories(folder);
    ChildSetup shooter = setup(folder);
    shooter.program = screenshooter_;
    shooter.environment["WAYLAND_DISPLAY"] = socket_;
    shooter.error_output = folder / "stderr.txt";
    ChildProcess run(shooter);
    if (!run.wait_for_exit(20s)) return {};
    for (const auto& entry : fs::directory_iterator(folder))
      if (entry.path().extension() == ".png") return QImage(QString::fromStdString(entry.path().string()));
    return {};
  }

  static int differing_pixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return a.width() * a.height();
    const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int row = 0; row < x.height(); ++row)
      for (int col = 0; col < x.width(); ++col)
        if (x.pixel(col, row) != y.pixel(col, row)) ++count;
    return count;
  }

  static int key_coloured_pixels(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int row = 0; row < rgb.height(); ++row)
      for (int col = 0; col < rgb.width(); ++col) {
        const QRgb p = rgb.pixel(col, row);
        if (qRed(p) > 245 && qGreen(p) < 10 && qBlue(p) > 245) ++count;
      }
    return count;
  }

  std::string socket_ = "hero-test-" + std::to_string(getpid());
  fs::path screenshooter_ = "/usr/bin/weston-screenshooter";
  int shots_ = 0;
};

TEST_F(WaylandTest, OnACompositorWithoutXItPlaysAndItsOutlineIsTransparent) {
  const fs::path weston = "/usr/bin/weston";
  if (!fs::exists(weston) || !fs::exists(screenshooter_)) GTEST_SKIP() << "weston is not installed";
  ChildSetup compositor = setup("/");
  compositor.program = weston;
  compositor.arguments = {"--backend=headless-backend.so",
                          "--use-pixman",
                          "--debug",
                          "--socket=" + socket_,
                          "--width=1920",
                          "--height=1080",
                          "--idle-time=0",
                          "--no-config"};
  compositor.error_output = home / "weston.txt";
  ChildProcess weston_run(compositor);
  ASSERT_TRUE(
      eventually(20s, [&] { return fs::exists(home / "runtime" / socket_) || !weston_run.running(); }));
  // A machine where the compositor itself cannot run says nothing about the handheld.
  if (!weston_run.running()) GTEST_SKIP() << "weston did not start:\n" << weston_run.error_text();
  // The empty desktop once its shell has drawn it: two shots in a row alike
  // (but for the panel's clock).
  QImage desktop = screenshot();
  ASSERT_TRUE(eventually(30s, [&] {
    const QImage next = screenshot();
    const bool settled = !next.isNull() && !desktop.isNull() && differing_pixels(desktop, next) < 5'000;
    desktop = next;
    return settled;
  })) << "no steady screenshot of the empty desktop";

  store_automatic_play(true);
  ChildSetup s = setup("/");
  s.environment["QT_QPA_PLATFORM"] = std::nullopt;
  s.environment["WAYLAND_DISPLAY"] = socket_;
  ChildProcess child(s);
  expect_play_with_sound(child);

  // The handheld (1475 x 870 in the large skin) appears on the desktop.
  QImage shown;
  EXPECT_TRUE(eventually(30s, [&] {
    shown = screenshot();
    return !shown.isNull() && differing_pixels(desktop, shown) > 500'000;
  })) << "the handheld never appeared";
  EXPECT_EQ(key_coloured_pixels(shown), 0) << "the key colour round the handheld shows on the desktop";
  EXPECT_TRUE(child.running()) << child.error_text();
  EXPECT_EQ(child.error_text().find("cannot open a display"), std::string::npos) << child.error_text();
}

}  // namespace
}  // namespace hero::test
