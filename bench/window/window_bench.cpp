// Figures of the running handheld, measured in the real main window on the
// real event loop (run it under Xvfb for the X11 numbers):
//   1. game-tick fidelity: over a scripted game (a simple player moves the
//      hero under the lowest object and starts a new game after each game
//      over), the error of every gap between consecutive game ticks against
//      the interval the engine set, median and 99th percentile, and the drift
//      of the sum of 1000 gaps against the sum of their intervals;
//   2. key event to finished repaint of the changed segments, median;
//   3. CPU share of the process in the clock mode and during the game;
//   4. the clock mode again with the gamepad subsystem running, no pad;
//   5. a running game's CPU share without and with every game kept (the
//      session written down and each game kept as it ends), side by side.
// Usage: bench_window [game_seconds=120] [clock_seconds=60] [key_presses=400]
// Reports numbers; it never passes or fails on time.
#include <sys/resource.h>

#include <cmath>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "display/gamepad/gamepad.h"
#include "display/skins/gfxinit.h"
#include "display/window/unit1.h"
#include "engine/memory_settings_store.h"
#include "startup/application/application.h"
#include "startup/session/kept_games.h"
#include "startup/session/session_recorder.h"

namespace {

using Clock = std::chrono::steady_clock;
using hero::ElementId;
using hero::TimerId;

class QuietSound final : public hero::SoundSink {
 public:
  void play(hero::SoundId) override {}
  void stop_all() override {}
};

class NoErrors final : public hero::InstallationErrors {
 public:
  void report(const std::string& message) override {
    std::fprintf(stderr, "bench_window: %s\n", message.c_str());
    std::exit(2);
  }
};

// The main window with a stopwatch on its repaint.
class TimedForm : public hero::TForm1 {
 public:
  using TForm1::TForm1;
  int paints = 0;
  std::vector<double> paint_us;

 protected:
  void paintEvent(QPaintEvent* event) override {
    const auto start = std::chrono::steady_clock::now();
    TForm1::paintEvent(event);
    paint_us.push_back(
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    ++paints;
  }
};

double cpu_seconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double percentile(std::vector<double> values, double p) {
  if (values.empty()) return 0.0;
  std::sort(values.begin(), values.end());
  const auto index = static_cast<std::size_t>(std::lround(p * static_cast<double>(values.size() - 1)));
  return values[std::min(index, values.size() - 1)];
}

void run_loop_for(std::chrono::milliseconds duration) {
  QTimer::singleShot(duration, qApp, [] { QCoreApplication::exit(0); });
  QCoreApplication::exec();
}

void tap(hero::TForm1& form, hero::VirtualKey key) {
  form.FormKeyDown(key);
  form.FormKeyUp(key);
}

// One move towards the lane of the lowest falling object.
void play_one_move(hero::TForm1& form) {
  const hero::EngineState& s = form.engine().state();
  if (s.game_mode == hero::mode_game_over) {
    tap(form, '5');  // ACL
    tap(form, '1');  // Game A
    return;
  }
  if (s.game_mode != hero::mode_game_a || !s.moves_enabled || s.paused) return;
  int target = 0;
  int lowest = 0;
  for (int lane = 1; lane <= 3; ++lane)
    for (int row = lane; row <= 7; ++row)
      if (s.object_cells[lane][row] == hero::cell_object && row > lowest) {
        lowest = row;
        target = lane;
      }
  if (target == 0 || target == s.hero_lane) return;
  tap(form, target > s.hero_lane ? 37 : 39);  // left raises the lane number
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("DISPLAY") ? "offscreen" : "xcb");
  const int game_seconds = argc > 1 ? std::atoi(argv[1]) : 120;
  const int clock_seconds = argc > 2 ? std::atoi(argv[2]) : 60;
  const int key_presses = argc > 3 ? std::atoi(argv[3]) : 400;

  hero::HeroApplication app(argc, argv);
  const std::filesystem::path install = HERO_INSTALL_DIR;
  std::filesystem::current_path(install);
  NoErrors errors;
  QuietSound sound;
  auto store = std::make_unique<hero::MemorySettingsStore>();
  store->write_text("FullscreenMode", "0");
  TimedForm form(std::move(store), sound);
  const hero::SkinCatalogue catalogue = hero::read_skin_catalogue(install, errors);
  // Skin 1 of the installation, windowed, on every window of the bench.
  const auto load_skin_1 = [&](hero::TForm1& w) {
    hero::SkinLoadRequest request;
    request.catalogue = &catalogue;
    request.selected_skin = 1;
    request.fullscreen_mode = w.fullscreen_mode();
    request.screen_size = QGuiApplication::primaryScreen()->size();
    request.program_folder = install;
    hero::load_skin(w.scene(), request, errors);
  };
  form.set_skin_loader(load_skin_1);
  form.lay_out_skin();
  form.engine().start();
  form.show();
  run_loop_for(std::chrono::milliseconds(500));
  std::printf("platform %s, screen %dx%d, windowed skin 1 (%dx%d)\n",
              qPrintable(QGuiApplication::platformName()), QGuiApplication::primaryScreen()->size().width(),
              QGuiApplication::primaryScreen()->size().height(), form.width(), form.height());

  // 1. Game-tick fidelity.
  struct Tick {
    Clock::time_point at;
    int interval_ms;  // the interval in force for the gap that ends here
    bool follows_tick;
  };
  std::vector<Tick> ticks;
  std::vector<double> lateness_ms;
  bool last_was_game_tick = false;
  int tick_count = 0;
  form.set_timer_observer([&](TimerId id) {
    const auto now = Clock::now();
    if (id == TimerId::Game) {
      hero::QtEngineTimer& game = form.timer(TimerId::Game);
      ticks.push_back({now, game.interval_ms(), last_was_game_tick});
      if (const auto next = game.deadline())
        lateness_ms.push_back(std::chrono::duration<double, std::milli>(
                                  now - (*next - std::chrono::milliseconds(game.interval_ms())))
                                  .count());
      ++tick_count;
      QTimer::singleShot(0, &form, [&] { play_one_move(form); });
    }
    last_was_game_tick = id == TimerId::Game;
  });
  QTimer game_over_watch;
  QObject::connect(&game_over_watch, &QTimer::timeout, [&] {
    if (form.engine().state().game_mode == hero::mode_game_over) {
      last_was_game_tick = false;
      play_one_move(form);
    }
  });
  game_over_watch.start(250);
  tap(form, '1');
  const double game_cpu_start = cpu_seconds();
  QElapsedTimer wall;
  wall.start();
  const int masks_before = form.mask_rebuilds();
  run_loop_for(std::chrono::seconds(game_seconds));
  const double game_cpu = (cpu_seconds() - game_cpu_start) / (static_cast<double>(wall.nsecsElapsed()) / 1e9);
  game_over_watch.stop();
  form.set_timer_observer(nullptr);

  std::vector<double> errors_ms;
  double gap_sum = 0.0, interval_sum = 0.0;
  int drift_gaps = 0;
  for (std::size_t i = 1; i < ticks.size(); ++i) {
    if (!ticks[i].follows_tick) continue;
    const double gap = std::chrono::duration<double, std::milli>(ticks[i].at - ticks[i - 1].at).count();
    errors_ms.push_back(std::abs(gap - ticks[i].interval_ms));
    if (std::getenv("HERO_BENCH_VERBOSE") && errors_ms.back() > 5.0)
      std::printf("  gap %zu: %.3f ms against %d ms (previous interval %d ms)\n", i, gap,
                  ticks[i].interval_ms, ticks[i - 1].interval_ms);
    if (drift_gaps < 1000) {
      gap_sum += gap;
      interval_sum += ticks[i].interval_ms;
      ++drift_gaps;
    }
  }
  std::printf("game ticks: %d over %d s, %zu gaps between consecutive ticks\n", tick_count, game_seconds,
              errors_ms.size());
  std::printf("tick gap error: median %.3f ms, 99th percentile %.3f ms, max %.3f ms\n",
              percentile(errors_ms, 0.5), percentile(errors_ms, 0.99), percentile(errors_ms, 1.0));
  std::printf("drift over %d gaps: sum of gaps - sum of intervals = %+.3f ms (%.1f ms of ticks)\n",
              drift_gaps, gap_sum - interval_sum, interval_sum);
  std::printf(
      "tick delivery after its due moment: 10th %.3f, 25th %.3f, median %.3f, 75th %.3f, 99th percentile "
      "%.3f ms\n",
      percentile(lateness_ms, 0.1), percentile(lateness_ms, 0.25), percentile(lateness_ms, 0.5),
      percentile(lateness_ms, 0.75), percentile(lateness_ms, 0.99));
  std::printf("paint of the changed rectangles during the game: median %.0f us, 99th percentile %.0f us\n",
              percentile(form.paint_us, 0.5), percentile(form.paint_us, 0.99));
  std::printf("outline rebuilds during the game: %d\n", form.mask_rebuilds() - masks_before);
  std::printf("CPU share during the game: %.2f %% of one core\n", game_cpu * 100.0);

  // 2. Key event to finished repaint. (a) The everyday case: the hero
  // stepping left and right in a running game, press and release each
  // repainting the few segments they change. (b) The largest change a key
  // makes: GAME B pressed in the all-lit picture, which darkens nearly every
  // segment.
  auto time_key = [&](QEvent::Type type, int qt_key) {
    const int paints = form.paints;
    const auto start = Clock::now();
    QKeyEvent event(type, qt_key, Qt::NoModifier);
    QApplication::sendEvent(&form, &event);
    while (form.paints == paints) QCoreApplication::processEvents(QEventLoop::AllEvents);
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
  };
  tap(form, '5');
  tap(form, '1');
  run_loop_for(std::chrono::milliseconds(300));
  std::vector<double> move_us;
  for (int i = 0; i < key_presses && form.engine().state().game_mode == hero::mode_game_a; ++i) {
    const int key = i % 4 < 2 ? Qt::Key_Left : Qt::Key_Right;
    move_us.push_back(time_key(QEvent::KeyPress, key));
    move_us.push_back(time_key(QEvent::KeyRelease, key));
    run_loop_for(std::chrono::milliseconds(20));
  }
  std::printf(
      "key event to finished repaint: median %.1f us, 99th percentile %.1f us (hero moves in a game, %zu "
      "events)\n",
      percentile(move_us, 0.5), percentile(move_us, 0.99), move_us.size());
  std::vector<double> big_us;
  for (int i = 0; i < key_presses / 4; ++i) {
    tap(form, '5');  // ACL: all lit again
    run_loop_for(std::chrono::milliseconds(5));
    big_us.push_back(time_key(QEvent::KeyPress, Qt::Key_2));
    tap(form, '2');
  }
  std::printf(
      "largest key-driven change to finished repaint: median %.1f us, 99th percentile %.1f us (GAME B over "
      "the all-lit picture, %zu events)\n",
      percentile(big_us, 0.5), percentile(big_us, 0.99), big_us.size());

  // 3. The clock mode's idle cost.
  tap(form, '5');
  tap(form, '3');  // TIME: alarm view, then the clock on release
  run_loop_for(std::chrono::seconds(1));
  const double clock_cpu_start = cpu_seconds();
  wall.restart();
  run_loop_for(std::chrono::seconds(clock_seconds));
  const double clock_cpu =
      (cpu_seconds() - clock_cpu_start) / (static_cast<double>(wall.nsecsElapsed()) / 1e9);
  std::printf("CPU share in the clock mode (mode %d) over %d s: %.3f %% of one core\n",
              form.engine().state().game_mode, clock_seconds, clock_cpu * 100.0);

  // 4. The same with the gamepad subsystem running and no pad plugged in: it
  // only looks for a new pad twice a second.
  {
    hero::PadBindings pad_bindings;
    hero::Gamepad gamepad(pad_bindings,
                          [&form](hero::KeyAction action, bool down) { form.control(action, down); });
    run_loop_for(std::chrono::seconds(1));
    const double pad_cpu_start = cpu_seconds();
    wall.restart();
    run_loop_for(std::chrono::seconds(clock_seconds));
    const double pad_cpu = (cpu_seconds() - pad_cpu_start) / (static_cast<double>(wall.nsecsElapsed()) / 1e9);
    std::printf(
        "CPU share in the clock mode with the gamepad subsystem %s, %d pads, over %d s: %.3f %% of one core "
        "(without it: %.3f %%)\n",
        gamepad.available() ? "running" : "unavailable", gamepad.pad_count(), clock_seconds, pad_cpu * 100.0,
        clock_cpu * 100.0);
  }

  // 5. Every game kept: the same simple player on a window whose session is
  // written down and whose games are kept as they end, against the plain
  // window again, in turns of equal length; the other window rests with
  // every segment lit (no timer runs there).
  {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("hero_bench_kept_" + std::to_string(::getpid()));
    hero::KeptGames kept(folder);
    std::filesystem::path session_file;
    std::string error;
    std::unique_ptr<std::ostream> session = kept.open_session(session_file, error);
    if (!session) {
      std::fprintf(stderr, "bench_window: %s\n", error.c_str());
      return 2;
    }
    hero::SessionRecorder recorder(*session);
    recorder.note_games_only(true);
    hero::KeepingTap keeping(recorder, kept, session_file);
    auto kept_store = std::make_unique<hero::MemorySettingsStore>();
    kept_store->write_text("FullscreenMode", "0");
    TimedForm kept_form(std::move(kept_store), sound, nullptr, nullptr, &keeping);
    kept_form.set_skin_loader(load_skin_1);
    kept_form.lay_out_skin();
    keeping.start(kept_form.engine());
    kept_form.show();
    const int turn_seconds = std::max(1, std::min(game_seconds, 120) / 4);
    auto game_share = [&](hero::TForm1& playing, hero::TForm1& resting) {
      tap(resting, '5');  // ACL: every segment lit, no timer
      playing.set_timer_observer([&playing](TimerId id) {
        if (id == TimerId::Game) QTimer::singleShot(0, &playing, [&playing] { play_one_move(playing); });
      });
      QTimer watch;
      QObject::connect(&watch, &QTimer::timeout, [&playing] {
        if (playing.engine().state().game_mode == hero::mode_game_over) play_one_move(playing);
      });
      watch.start(250);
      tap(playing, '5');
      tap(playing, '1');
      run_loop_for(std::chrono::milliseconds(500));
      const double cpu_start = cpu_seconds();
      QElapsedTimer turn;
      turn.start();
      run_loop_for(std::chrono::seconds(turn_seconds));
      const double share = (cpu_seconds() - cpu_start) / (static_cast<double>(turn.nsecsElapsed()) / 1e9);
      playing.set_timer_observer(nullptr);
      return share;
    };
    double plain = 0.0, keeping_share = 0.0;
    for (int turn = 0; turn < 2; ++turn) {
      plain += game_share(form, kept_form) / 2.0;
      keeping_share += game_share(kept_form, form) / 2.0;
    }
    // 6. The realistic LCD: segment shadows and a 120 ms response, frames
    // drawn while segments fade, in the plain window.
    const auto realistic_share = [&](bool shadows, int response_ms) {
      form.show_shadows(shadows);
      form.show_response_ms(response_ms);
      const double share = game_share(form, kept_form);
      form.show_shadows(false);
      form.show_response_ms(0);
      return share * 100.0;
    };
    const double shadows_only = realistic_share(true, 0);
    const double response_only = realistic_share(false, 120);
    const double realistic = realistic_share(true, 120);
    std::printf(
        "CPU share during the game with segment shadows and a 120 ms response: %.3f %% of one core "
        "(shadows alone %.3f %%, the response alone %.3f %%; %d s each)\n",
        realistic, shadows_only, response_only, turn_seconds);
    const auto games_kept = kept.past_games().size();
    std::printf(
        "CPU share during the game, every game kept: %.3f %% of one core; without: %.3f %%; difference "
        "%+.3f %% (%d s each, %zu games kept)\n",
        keeping_share * 100.0, plain * 100.0, (keeping_share - plain) * 100.0, 2 * turn_seconds, games_kept);
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }
  return 0;
}
