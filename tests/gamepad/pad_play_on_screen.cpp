// The whole program on a real X display, in real time, played from a
// virtual gamepad: GAME A from the pad's A, then the d-pad walks the hero
// through the three lanes and back to the middle. After each step the X server's picture of the
// window is saved, and the hero must be seen standing in the lane where the
// handheld put him: his lane's place darker than the two empty ones.
//
//   pad_play_on_screen INSTALL_DIR OUT_DIR
//
// Exit status 0 when every picture shows the hero where he is, 1 otherwise.
// Run under an X server (tests/desktop/gamepad.py starts one).
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "display/window/unit1.h"
#include "engine/engine.h"
#include "engine/memory_settings_store.h"
#include "startup/application/application.h"
#include "startup/program/HeroW.h"
#include "tests/gamepad/virtual_pad.h"
#include "tests/support/recording_sound_library.h"

namespace hero {
namespace {

class PrintedErrors : public InstallationErrors {
 public:
  void report(const std::string& message) override {
    std::fprintf(stderr, "pad-play: installation error: %s\n", message.c_str());
  }
};

constexpr std::array<ElementId, 3> kHeroes = {ElementId::im_hero_x1, ElementId::im_hero_x2,
                                              ElementId::im_hero_x3};

// The mean brightness (0..255) of a rectangle of the picture.
double brightness(const QImage& picture, QRect area) {
  area &= picture.rect();
  if (area.isEmpty()) return 255.0;
  double sum = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) sum += qGray(picture.pixel(x, y));
  return sum / (static_cast<double>(area.width()) * area.height());
}

class PadPlay {
 public:
  PadPlay(HeroProgram& program, QString out_dir) : program_(program), out_dir_(std::move(out_dir)) {}

  // Waits for the window, plugs the pad in, starts Game A, then walks the hero.
  void begin() {
    wait_for([this] { return program_.form().isVisible(); }, 10'000, "the handheld never showed",
             [this] {
               pad_ = std::make_unique<test::VirtualPad>("Virtual test pad");
               if (!pad_->plugged()) return fail("SDL gave no virtual pad");
               // The program finds the pad on its own, within its idle look (half a second).
               wait_for([this] { return program_.gamepad().pad_count() == 1; }, 3'000,
                        "the program never found the pad",
                        [this] {
                          tap(SDL_CONTROLLER_BUTTON_A, [this] {
                            wait_for([this] { return engine().state().game_mode == mode_game_a; }, 3'000,
                                     "A did not start GAME A", [this] { step(); });
                          });
                        });
             });
  }

  int status() const { return status_; }

 private:
  Engine& engine() { return program_.form().engine(); }

  // One step left, two right, one left again: from the middle through
  // both outer lanes and back. The first picture is of the start.
  void step() {
    if (next_ > plan_.size()) return finish();
    if (next_ == 0) {
      ++next_;
      return photograph([this] { step(); });
    }
    const int from = engine().state().hero_lane;
    tap(plan_[next_ - 1], [this, from] {
      // Moves are refused while a miss is shown; try again after it.
      wait_for([this, from] { return engine().state().hero_lane != from; }, 1'500, nullptr,
               [this, from] {
                 if (engine().state().hero_lane != from) {
                   ++next_;
                   return photograph([this] { step(); });
                 }
                 if (++tries_ > 40) return fail("the hero would not move");
                 QTimer::singleShot(150, [this] { step(); });
               });
    });
  }

  // The window as the X server shows it, saved, and where the hero is.
  void photograph(const std::function<void()>& then) {
    QTimer::singleShot(250, [this, then] {
      TForm1& form = program_.form();
      const QImage picture =
          form.screen()->grabWindow(form.winId()).toImage().convertToFormat(QImage::Format_RGB32);
      int shown_lane = 0;
      for (int lane = 1; lane <= 3; ++lane)
        if (form.scene().is_visible(kHeroes[lane - 1])) shown_lane = lane;
      const QString name = QStringLiteral("%1/pad-%2-lane%3.png").arg(out_dir_).arg(shots_++).arg(shown_lane);
      picture.save(name);
      std::array<double, 3> shade{};
      for (int lane = 1; lane <= 3; ++lane) {
        // The scene's places are window pixels; the picture may have more.
        const double ratio = picture.width() / static_cast<double>(form.width());
        const QRect at = form.scene().geometry(kHeroes[lane - 1]);
        shade[lane - 1] = brightness(picture, QRect(at.topLeft() * ratio, at.size() * ratio));
      }
      std::printf("pad-play: %s: hero in lane %d; brightness of the lanes' places %.1f %.1f %.1f\n",
                  name.toUtf8().constData(), shown_lane, shade[0], shade[1], shade[2]);
      if (shown_lane == 0) {
        // A miss is being shown; the hero comes back after it.
        if (++tries_ > 40) return fail("no hero on the LCD in " + name.toStdString());
        return photograph(then);
      }
      for (int lane = 1; lane <= 3; ++lane) {
        if (lane != shown_lane && shade[shown_lane - 1] > shade[lane - 1] - 8.0)
          return fail("the hero's lane " + std::to_string(shown_lane) + " is no darker than lane " +
                      std::to_string(lane) + " in " + name.toStdString());
      }
      lanes_seen_.insert(shown_lane);
      then();
    });
  }

  void tap(SDL_GameControllerButton button, const std::function<void()>& then) {
    pad_->button(button, true);
    QTimer::singleShot(80, [this, button, then] {
      pad_->button(button, false);
      QTimer::singleShot(60, then);
    });
  }

  // Runs `then` once `condition` holds, looking every 20 ms; after
  // `timeout_ms` fails with `why`, or without one runs `then` anyway.
  void wait_for(const std::function<bool()>& condition, int timeout_ms, const char* why,
                const std::function<void()>& then) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    auto* timer = new QTimer(&timers_);
    QObject::connect(timer, &QTimer::timeout, [this, timer, condition, end, why, then] {
      const bool met = condition();
      if (!met && std::chrono::steady_clock::now() <= end) return;
      timer->stop();
      timer->deleteLater();
      if (!met && why) return fail(why);
      then();
    });
    timer->start(20);
  }

  void finish() {
    if (lanes_seen_.size() != 3) return fail("the hero was not seen in all three lanes");
    std::printf("pad-play: passed: %d pictures, the hero seen in lanes 1, 2 and 3\n", shots_);
    status_ = 0;
    QCoreApplication::exit(0);
  }

  void fail(const std::string& why) {
    std::fprintf(stderr, "pad-play: FAILED: %s\n", why.c_str());
    status_ = 1;
    QCoreApplication::exit(1);
  }

  HeroProgram& program_;
  QString out_dir_;
  QObject timers_;  // the waits' timers, gone with the walk
  std::unique_ptr<test::VirtualPad> pad_;
  const std::vector<SDL_GameControllerButton> plan_ = {
      SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, SDL_CONTROLLER_BUTTON_DPAD_RIGHT,
      SDL_CONTROLLER_BUTTON_DPAD_LEFT};
  std::size_t next_ = 0;
  int tries_ = 0;
  int shots_ = 0;
  std::set<int> lanes_seen_;
  int status_ = 1;
};

}  // namespace
}  // namespace hero

int main(int argc, char** argv) {
  using namespace hero;
  if (argc != 3) {
    std::fprintf(stderr, "usage: pad_play_on_screen INSTALL_DIR OUT_DIR\n");
    return 2;
  }
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  HeroApplication app(argc, argv);
  const QString install = QString::fromLocal8Bit(argv[1]);
  const QString out_dir = QString::fromLocal8Bit(argv[2]);
  QDir().mkpath(out_dir);
  QDir::setCurrent(install);
  RecordingSoundLibrary library;
  PrintedErrors errors;
  auto store = std::make_unique<MemorySettingsStore>();
  for (const auto& [name, value] : {std::pair{"SplashScreen", "0"},
                                    {"Skin", "1"},
                                    {"SoundMode", "2"},
                                    {"FullscreenMode", "0"},
                                    {"Zoom", "100"}})
    store->write_text(name, value);
  ProgramServices services;
  services.program_folder = install.toStdString();
  services.settings = std::move(store);
  services.sound_library = &library;
  services.errors = &errors;
  services.request_termination = [] { QCoreApplication::exit(1); };
  services.show_failure = [](const std::string& message) {
    std::fprintf(stderr, "pad-play: failure: %s\n", message.c_str());
  };
  services.beep = [] {};
  HeroProgram program(std::move(services));
  PadPlay play(program, out_dir);
  QTimer::singleShot(0, [&] { program.show_main_window(); });
  QTimer::singleShot(50, [&] { play.begin(); });
  // Nothing may hang a test run: two minutes is far more than a walk needs.
  QTimer::singleShot(120'000, [] {
    std::fprintf(stderr, "pad-play: FAILED: still running after two minutes\n");
    QCoreApplication::exit(1);
  });
  const int loop = app.exec();
  return loop != 0 ? loop : play.status();
}
