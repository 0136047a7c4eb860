// Start-up to the first picture, and resident memory. The player has switched
// the splash screen off and chosen the default skin and sound output, so a
// start goes straight to the handheld, all lit.
//
//   bench_startup [runs=10]
// For each run a fresh process is started (the same main as the program's,
// with a stopwatch on the main window's first finished paint): the time from
// just before exec to that paint, and the resident memory then and after
// three seconds of the clock running. Finally the installed program itself is
// started with the same store and its resident memory read from /proc after
// three seconds. Run it under Xvfb for the X11 numbers; it reports numbers
// and never passes or fails on time.
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "display/window/unit1.h"
#include "startup/program/HeroW.h"
#include "startup/settings/qsettings_store.h"
#include "startup/sound/sdl_sound_library.h"

namespace {

namespace fs = std::filesystem;

double monotonic_ms() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Resident memory of a process in megabytes, from /proc.
double rss_mb(const std::string& pid = "self") {
  std::ifstream status("/proc/" + pid + "/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;
  return -1;
}

class PrintErrors final : public hero::InstallationErrors {
 public:
  void report(const std::string& message) override {
    std::fprintf(stderr, "bench_startup: %s\n", message.c_str());
    std::exit(3);
  }
};

class PaintWatch final : public QObject {
 public:
  explicit PaintWatch(const char* started_ms) : started_ms_(std::atof(started_ms)) {}

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::Paint || seen_) return false;
    seen_ = true;
    QTimer::singleShot(0, [started = started_ms_] {
      std::printf("first_picture_ms %.2f rss_first_mb %.1f\n", monotonic_ms() - started, rss_mb());
      std::fflush(stdout);
      QTimer::singleShot(3000, [] {
        std::printf("rss_running_mb %.1f\n", rss_mb());
        std::fflush(stdout);
        std::quick_exit(0);
      });
    });
    return false;
  }

 private:
  double started_ms_;
  bool seen_ = false;
};

// The baseline child: an empty Qt window started the same way, reporting its
// first picture; what the handheld costs beyond Qt itself is the difference.
// Both children start their application the same way.
struct ChildApplication {
  ChildApplication() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
      qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("DISPLAY") ? "offscreen" : "xcb");
  }
  int argc = 1;
  char name[7] = "hero50";
  char* argv[2] = {name, nullptr};
};

int run_empty_once(const char* started_ms) {
  static ChildApplication child;
  QApplication app(child.argc, child.argv);
  QWidget window;
  window.resize(658, 391);
  PaintWatch watch(started_ms);
  window.installEventFilter(&watch);
  window.show();
  return app.exec();
}

// The child: the program's own start, reporting its first picture.
int run_program_once(const char* started_ms) {
  static ChildApplication child;
  QApplication app(child.argc, child.argv);
  app.setQuitOnLastWindowClosed(false);
  PrintErrors errors;
  hero::SdlSoundLibrary sound_library;
  hero::ProgramServices services;
  services.program_folder = fs::current_path();
  services.settings = std::make_unique<hero::QSettingsStore>();
  services.sound_library = &sound_library;
  services.errors = &errors;
  services.request_termination = [] { QCoreApplication::exit(0); };
  services.show_failure = [](const std::string& message) {
    std::fprintf(stderr, "failure: %s\n", message.c_str());
  };
  services.beep = [] {};
  hero::HeroProgram program(std::move(services));
  if (!program.splash().started_automatically()) {
    std::fprintf(stderr, "bench_startup: the splash screen came up; the store did not switch it off\n");
    return 4;
  }
  // The first paint event of the main window; the picture is finished when
  // the event loop comes round after it (the paint handler has returned).
  PaintWatch watch(started_ms);
  program.form().installEventFilter(&watch);
  QTimer::singleShot(20000, [] {
    std::printf("no picture within 20 s\n");
    std::fflush(stdout);
    std::quick_exit(5);
  });
  program.show_main_window();
  return app.exec();
}

double percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[static_cast<std::size_t>(std::lround(p * static_cast<double>(v.size() - 1)))];
}

// Reads "key value" pairs from a child's output.
double value_of(const std::string& output, const std::string& key) {
  const auto at = output.find(key + " ");
  return at == std::string::npos ? -1 : std::atof(output.c_str() + at + key.size() + 1);
}

std::string run_and_capture(const std::vector<std::string>& args, double* started_ms) {
  int out[2];
  if (pipe(out) != 0) return {};
  *started_ms = monotonic_ms();
  const std::string started = std::to_string(*started_ms);
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(out[1], 1);
    close(out[0]);
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    std::string stamp = started;
    argv.push_back(stamp.data());
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(out[1]);
  std::string output;
  char buffer[1024];
  for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
    output.append(buffer, static_cast<std::size_t>(n));
  close(out[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  return output;
}

void write_store(const fs::path& config_home) {
  fs::create_directories(config_home / "Quillon");
  std::ofstream(config_home / "Quillon" / "Hero50.conf")
      << "[General]\nSplashScreen=0\nSkin=1\nSoundMode=0\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--child") == 0) return run_program_once(argv[2]);
  if (argc == 3 && std::strcmp(argv[1], "--empty") == 0) return run_empty_once(argv[2]);

  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  const fs::path install = HERO_INSTALL_DIR;
  const fs::path config_home = fs::temp_directory_path() / ("hero_bench_startup_" + std::to_string(getpid()));
  write_store(config_home);
  setenv("XDG_CONFIG_HOME", config_home.c_str(), 1);
  if (!getenv("SDL_AUDIODRIVER")) setenv("SDL_AUDIODRIVER", "dummy", 1);
  if (chdir(install.c_str()) != 0) {
    std::perror(install.c_str());
    return 2;
  }
  const std::string self = fs::canonical("/proc/self/exe").string();

  std::vector<double> first_ms, rss_first, rss_running, empty_ms, empty_rss;
  for (int i = 0; i < runs; ++i) {
    double started = 0;
    const std::string out = run_and_capture({self, "--empty"}, &started);
    const double ms = value_of(out, "first_picture_ms");
    if (ms < 0) continue;
    empty_ms.push_back(ms);
    empty_rss.push_back(value_of(out, "rss_running_mb"));
  }
  for (int i = 0; i < runs; ++i) {
    write_store(config_home);
    double started = 0;
    const std::string out = run_and_capture({self, "--child"}, &started);
    const double ms = value_of(out, "first_picture_ms");
    if (ms < 0) {
      std::fprintf(stderr, "bench_startup: run %d showed no picture: %s\n", i + 1, out.c_str());
      continue;
    }
    first_ms.push_back(ms);
    rss_first.push_back(value_of(out, "rss_first_mb"));
    rss_running.push_back(value_of(out, "rss_running_mb"));
  }

  // The installed program itself: resident memory three seconds after start.
  double program_rss = -1;
  for (const char* name : {"hero50"}) {
    const fs::path program = install / name;
    if (!fs::exists(program)) continue;
    write_store(config_home);
    const pid_t pid = fork();
    if (pid == 0) {
      execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    usleep(3'000'000);
    program_rss = rss_mb(std::to_string(pid));
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    std::printf("program %s: resident memory after 3 s %.1f MB\n", name, program_rss);
    break;
  }
  fs::remove_all(config_home);

  std::printf("platform %s, %d runs\n", getenv("DISPLAY") ? "xcb" : "offscreen",
              static_cast<int>(first_ms.size()));
  std::printf("start-up to first picture: median %.1f ms, max %.1f ms\n", percentile(first_ms, 0.5),
              percentile(first_ms, 1.0));
  std::printf("resident memory at first picture: median %.1f MB; after 3 s: median %.1f MB, max %.1f MB\n",
              percentile(rss_first, 0.5), percentile(rss_running, 0.5), percentile(rss_running, 1.0));
  std::printf("empty Qt window started the same way: first picture median %.1f ms, resident memory %.1f MB\n",
              percentile(empty_ms, 0.5), percentile(empty_rss, 0.5));
  std::printf("RESULT startup_first_picture_ms %.1f\n", percentile(first_ms, 0.5));
  std::printf("RESULT startup_empty_qt_ms %.1f\n", percentile(empty_ms, 0.5));
  std::printf("RESULT resident_memory_empty_qt_mb %.1f\n", percentile(empty_rss, 0.5));
  std::printf("RESULT resident_memory_mb %.1f\n", std::max(percentile(rss_running, 1.0), program_rss));
  return first_ms.empty() ? 1 : 0;
}
