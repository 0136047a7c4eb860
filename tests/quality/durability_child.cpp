// The whole program, started as the player starts it (its own installation
// folder, the real settings store under $XDG_CONFIG_HOME, the real sound
// library), that performs one thing the player does and then reports what it
// stored. After the report it waits to be killed: the durability test kills
// it with SIGKILL the moment the write has returned.
//
// Usage: hero_durability_child INSTALL_DIR ACTION
//   play        Play from the splash screen: first skin, "(no sound)", splash off
//   fullscreen  the context menu's "Display in fullscreen mode"
//   splash      the context menu's "Display splash screen at startup"
//   keys        the key settings dialog: Key1..Key7 = 12..18 (B..H), Accept
//   hiscore     Game A played out without a player until game over
//   report      prints what the program read at start-up and exits normally
//   signal      Play with sound, says "running" and runs the event loop until
//               a signal closes it; then lists the sound library's calls
// A store that refuses a write is reported on a line "notice: MESSAGE".
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "dialogs/keys/keys.h"
#include "dialogs/menus/menu.h"
#include "display/window/unit1.h"
#include "startup/application/close_signals.h"
#include "startup/program/HeroW.h"
#include "startup/settings/qsettings_store.h"
#include "startup/sound/sdl_sound_library.h"
#include "tests/quality/store_line.h"
#include "tests/support/recording_sound_library.h"

namespace {

using hero::escaped;

class ExitOnInstallationError final : public hero::InstallationErrors {
 public:
  void report(const std::string& message) override {
    std::fprintf(stderr, "installation error: %s\n", message.c_str());
    std::exit(3);
  }
};

// Every value the store may hold.
constexpr const char* kValueNames[] = {"FullscreenMode", "SplashScreen", "Skin",    "SoundMode", "Key1",
                                       "Key2",           "Key3",         "Key4",    "Key5",      "Key6",
                                       "Key7",           "HiScore1",     "HiScore2"};

void say(const std::string& line) {
  std::fputs((line + "\n").c_str(), stdout);
  std::fflush(stdout);
}

// Play as the splash screen does it, unless the start already played.
void play_if_needed(hero::HeroProgram& program, int driver = 2) {
  if (program.splash().started_automatically()) return;
  program.splash().cb_skin()->setCurrentIndex(0);
  program.splash().cb_sound()->setCurrentIndex(driver);
  program.splash().chb_splashscreen()->setChecked(false);
  program.splash().btn_playClick();
}

// Game A with nobody at the buttons: objects drop and the rogue strikes until
// the third miss. The timers are driven directly, one due handler at a time,
// so the game runs as fast as the machine allows.
int play_game_a_out(hero::HeroProgram& program, int head_start) {
  hero::TForm1& form = program.form();
  hero::Engine& engine = form.engine();
  engine.Inp_game_a_down();
  engine.Inp_game_a_up();
  if (engine.state().game_mode != hero::mode_game_a) return -1;
  // A score above any earlier run's, so the high score must be written.
  engine.state_for_tests().score = head_start;
  for (int step = 0; step < 1'000'000 && engine.state().game_mode != hero::mode_game_over; ++step) {
    bool fired = false;
    for (hero::TimerId id : {hero::TimerId::Chance_Time, hero::TimerId::Game, hero::TimerId::Miss}) {
      if (form.timer(id).enabled()) {
        engine.on_timer(id);
        fired = true;
        break;
      }
    }
    if (!fired) return -2;
  }
  return engine.state().game_mode == hero::mode_game_over ? engine.state().hi_score_a : -3;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: hero_durability_child INSTALL_DIR ACTION\n");
    return 2;
  }
  const std::string action = argv[2];
  if (chdir(argv[1]) != 0) {
    std::perror(argv[1]);
    return 2;
  }
  int qt_argc = 1;
  QApplication app(qt_argc, argv);
  app.setQuitOnLastWindowClosed(false);

  ExitOnInstallationError errors;
  hero::SdlSoundLibrary sdl_library;
  hero::RecordingSoundLibrary sound_library(&sdl_library);
  hero::ProgramServices services;
  services.program_folder = QDir::currentPath().toStdString();
  auto store = std::make_unique<hero::QSettingsStore>();
  hero::QSettingsStore* settings = store.get();
  store->set_refusal_reporter([](const std::string& message) { say("notice: " + message); });
  services.settings = std::move(store);
  services.sound_library = &sound_library;
  services.errors = &errors;
  services.request_termination = [&app] { app.quit(); };
  services.show_failure = [](const std::string& message) {
    std::fprintf(stderr, "failure: %s\n", message.c_str());
    std::exit(4);
  };
  services.beep = [] {};

  hero::HeroProgram* running = nullptr;
  hero::CloseOnSignals close_on_signals([&running] {
    if (running) running->FormClose();
  });
  hero::HeroProgram program(std::move(services));
  running = &program;
  program.show_main_window();
  say("store " + settings->file_name().toStdString());

  if (action == "signal") {
    play_if_needed(program, 0);
    sound_library.clear();
    say("running");
    const int status = app.exec();
    say("signal " + std::to_string(close_on_signals.received()));
    for (const std::string& call : sound_library.calls()) say("sound " + call);
    return status;
  }

  if (action == "report") {
    const hero::KeyBindings& keys = program.form().key_bindings();
    std::string line = "read fullscreen=" + std::to_string(program.form().fullscreen_mode() ? 1 : 0);
    line += " splash_box=" + std::to_string(program.splash().chb_splashscreen()->isChecked() ? 1 : 0);
    line += " automatic=" + std::to_string(program.splash().started_automatically() ? 1 : 0);
    line += " hi_a=" + std::to_string(program.form().engine().state().hi_score_a);
    line += " keys=";
    for (int n = 1; n <= 7; ++n) line += std::to_string(keys.binding(n).choice) + (n < 7 ? "," : "");
    say(line);
    return 0;
  }

  if (action == "play") {
    play_if_needed(program);
  } else if (action == "fullscreen") {
    play_if_needed(program);
    program.menu().run_command(hero::pm_10_fullscreen);
  } else if (action == "splash") {
    play_if_needed(program);
    program.menu().run_command(hero::pm_11_splashscreen);
  } else if (action == "keys") {
    play_if_needed(program);
    for (int n = 1; n <= 7; ++n) program.keys().box(n)->setCurrentIndex(10 + n);  // choices 12..18
    if (program.keys().CheckKeys()) return 5;
    program.keys().btn_acceptClick();
  } else if (action == "hiscore") {
    play_if_needed(program);
    const int hi = play_game_a_out(program, 900);
    if (hi < 0) {
      std::fprintf(stderr, "game did not end (%d)\n", hi);
      return 6;
    }
  } else {
    std::fprintf(stderr, "unknown action %s\n", action.c_str());
    return 2;
  }

  // The write has returned: say what the store holds now, then wait for the
  // kill. Nothing after this point may write.
  for (const char* name : kValueNames) {
    if (auto value = settings->read_text(name)) say(std::string("stored ") + name + "=" + escaped(*value));
  }
  say("written");
  for (;;) pause();
}
