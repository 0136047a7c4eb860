// The program's main routine: the five windows created in their fixed order
// (main window, about box, key settings, manual viewer, splash screen), the
// event loop, and the main window's close step.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include <QObject>

#include "dialogs/menus/menu.h"
#include "dialogs/menus/preferences.h"
#include "display/gamepad/gamepad.h"
#include "display/skins/gfxinit.h"
#include "engine/installation_errors.h"
#include "startup/program/replay_player.h"
#include "startup/program/splash.h"
#include "startup/session/continued_game.h"
#include "startup/session/kept_games.h"
#include "startup/session/session_recorder.h"
#include "startup/session/session_replay.h"
#include "startup/sound/sound_library.h"
#include "startup/sound/sound_output.h"

class QProcess;

namespace hero {

class TAboutForm;
class TForm1;
class TKeysForm;
class TManualForm;

// What the program runs on. hero_main gives the real ones; tests give an
// installation in a temporary folder, a store in memory and a recording
// sound library.
struct ProgramServices {
  std::filesystem::path program_folder;
  std::unique_ptr<SettingsStore> settings;
  SoundLibrary* sound_library = nullptr;
  InstallationErrors* errors = nullptr;
  // Ends the program when the event loop next runs (at once if it runs).
  std::function<void()> request_termination;
  // Shows a failure the way the general error handler does.
  std::function<void(const std::string&)> show_failure;
  // The platform's default notification sound.
  std::function<void()> beep;
  // --record: the session is written here as it is played, to the file at
  // record_path.
  std::ostream* record_to = nullptr;
  std::filesystem::path record_path;
  // The player's games folder, where every game is kept as it ends (none
  // kept when empty, nor during a replay).
  std::filesystem::path games_folder;
  // The program started to watch a best game ("PROGRAM --replay FILE");
  // this program's own file.
  std::filesystem::path program_file;
  // The player's own skins, listed after the installation's (none when empty).
  std::filesystem::path player_skins;
  // --replay: this recording is played back in place of the player.
  std::optional<Recording> replay;
  // What a replay tells the player (its start, its end, a difference).
  ReplayNewsSink replay_news;
  // The language of the catalogues installed ("de"), empty for English.
  std::string language;
};

class HeroProgram : public QObject, private MenuHost, private SplashHost, private PreferencesHost {
  Q_OBJECT
 public:
  // Creates the five windows, each finishing its creation step before the
  // next is made. A termination request during creation does not stop it.
  explicit HeroProgram(ProgramServices services);
  ~HeroProgram() override;

  // What the event loop does first: the main window's first activation,
  // which brings up the splash screen; the window itself appears at Play.
  void show_main_window();
  // The main window's close step: the samples freed and the sound library
  // closed, then the program ends (the store closes with the window).
  void FormClose();

  TForm1& form() { return *form_; }
  TAboutForm& about() { return *about_; }
  TKeysForm& keys() { return *keys_; }
  TManualForm& manual() { return *manual_; }
  TSplashForm& splash() { return *splash_; }
  // The Preferences dialog, made when first asked for.
  TPreferencesForm& preferences();
  GameMenu& menu() { return *menu_; }
  Gamepad& gamepad() { return *gamepad_; }
  PadBindings& pad_bindings() override { return pad_bindings_; }
  SoundOutput& sound() { return sound_; }
  const SkinCatalogue& catalogue() const { return catalogue_; }
  int selected_skin() const { return selected_skin_; }
  // The session's recorder or replay, when the command line asked for one.
  SessionRecorder* recorder() { return recorder_.get(); }
  KeptGames* kept_games() { return kept_games_.get(); }
  // The program's end: a game under way is kept unfinished, and the
  // session's own file goes.
  void end_session();
  SessionReplay* replay() { return replay_.get(); }
  ReplayPlayer* replay_player() { return replay_player_.get(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Maps the laid-out handheld and gives it the keyboard.
  void reveal_main_window();
  // SettingsHost, for the menus and the Preferences dialog
  QWidget* main_window() override;
  SettingsStore& settings() override;
  LiveValue<std::int32_t> live(const settings::Integer& value) override;
  LiveValue<bool> live(const settings::Flag& value) override;
  // MenuHost
  bool splash_checkbox_ticked() const override;
  bool fullscreen_mode() const override;
  void switch_fullscreen_mode(bool on) override;
  void reset_high_scores() override;
  void show_about() override;
  void show_manual() override;
  void show_key_settings() override;
  void show_preferences() override;
  std::optional<int> best_game_score(char game) const override;
  void watch_best_game(char game) override;
  void open_games_folder() override;
  // MenuHost and SplashHost
  std::optional<QString> unfinished_game_offer() const override;
  void continue_unfinished_game() override;
  void zoom_step(int direction) override;
  bool key_bound(int virtual_key) const override;
  void set_game_menu_backdrop_size(QSize size) override;
  void game_menu_shown(bool open) override;
  void beep() override;
  void request_termination() override;
  // PreferencesHost
  bool test_beep() override;
  Gamepad* pad_input() override { return gamepad_.get(); }
  // SplashHost
  std::vector<std::string> skin_names() const override;
  std::vector<std::string> skin_folders() const override;
  void set_selected_skin(int skin) override;
  bool initialise_sound(int driver_position) override;
  void set_splash_menu_check(bool checked) override;
  void load_selected_skin() override;
  void switch_on() override;
  void report_failure(const std::string& message) override;

  void create_main_window();
  // Every game kept in the games folder from now on.
  void keep_games();
  // This run's own session file, its recorder and the tap that keeps its
  // games; false (and nothing changed) when the file cannot be made.
  bool open_own_session(std::string& error);
  // A game under way and running is paused with the handheld's own PAUSE.
  void pause_game_under_way();
  // The clock a recording measures the handheld's time on.
  SessionRecorder::Clock handheld_now();
  // A pad's press reaches the handheld only while it takes input (shown, no
  // dialog open); a release only follows a press that reached it.
  void pad_control(KeyAction action, bool down);

  ProgramServices services_;
  // The engine's tap outlives the window that calls it.
  std::unique_ptr<SessionRecorder> recorder_;
  std::unique_ptr<SessionReplay> replay_;
  // The player's kept games: the session written to its own file (unless
  // --record gives one), and the tap that keeps each game as it ends.
  std::unique_ptr<KeptGames> kept_games_;
  std::unique_ptr<std::ostream> session_out_;
  std::filesystem::path session_file_;
  std::unique_ptr<KeepingTap> keeping_;
  // A game left unfinished that goes on in this run: the tap over keeping_
  // that played it again.
  std::unique_ptr<ContinuedTap> continued_;
  // A best game being watched: the program playing it back in the
  // handheld's place.
  QProcess* watching_ = nullptr;
  SoundOutput sound_;
  SkinCatalogue catalogue_;
  int selected_skin_ = 0;
  bool switched_on_ = false;
  bool closed_ = false;
  // The main routine has asked for the main window; it is mapped only once
  // Play has laid it out, so it is never seen (nor takes the keyboard)
  // before.
  bool main_window_wanted_ = false;
  std::unique_ptr<TForm1> form_;
  std::unique_ptr<ReplayPlayer> replay_player_;
  std::unique_ptr<GameMenu> menu_;
  std::unique_ptr<TAboutForm> about_;
  std::unique_ptr<TKeysForm> keys_;
  std::unique_ptr<TManualForm> manual_;
  std::unique_ptr<TSplashForm> splash_;
  PadBindings pad_bindings_;
  std::array<bool, kKeyActionCount> pad_held_{};
  std::unique_ptr<Gamepad> gamepad_;
  // Before the gamepad goes: it may be waiting for a pad's button.
  std::unique_ptr<TPreferencesForm> preferences_;
};

// The whole program. The command line is read for --help, --version,
// --record FILE and --replay FILE.
int hero_main(int argc, char** argv);

}  // namespace hero
