#include "startup/program/HeroW.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <optional>

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QTimer>

#include "dialogs/keys/keys.h"
#include "dialogs/menus/about.h"
#include "dialogs/menus/art.h"
#include "dialogs/menus/manual.h"
#include "dialogs/menus/shell.h"
#include "display/files/printable.h"
#include "display/window/plain_text.h"
#include "display/window/unit1.h"
#include "engine/engine.h"
#include "engine/memory_settings_store.h"
#include "engine/settings_values.h"
#include "startup/application/application.h"
#include "startup/application/close_signals.h"
#include "startup/application/display_platform.h"
#include "startup/application/translations.h"
#include "startup/session/recording_file.h"
#include "startup/settings/qsettings_store.h"
#include "startup/sound/sdl_sound_library.h"

namespace hero {

HeroProgram::HeroProgram(ProgramServices services)
    : services_(std::move(services)), sound_(*services_.sound_library) {
  if (services_.record_to) {
    recorder_ = std::make_unique<SessionRecorder>(
        *services_.record_to, handheld_now(), [this](const std::string& message) {
          // Told after the event that found it, never from inside an engine handler.
          QTimer::singleShot(0, this, [this, message] { report_failure(message); });
        });
    recorder_->comment(std::string(kProgramTitle) + ", " + kVersionText);
    recorder_->comment("A recorded game: play it back with \"hero50 --replay FILE\" or \"hero-trace FILE\".");
  } else if (services_.replay) {
    replay_ = std::make_unique<SessionReplay>(std::move(*services_.replay));
  }
  if (!replay_ && !services_.games_folder.empty()) keep_games();
  create_main_window();
  about_ = std::make_unique<TAboutForm>();
  // The key settings dialog starts with the bindings the main window has
  // just read from the store.
  keys_ = std::make_unique<TKeysForm>(form_->key_bindings(), form_->settings(), form_.get());
  connect(keys_.get(), &TKeysForm::bindings_accepted, form_.get(), [this] { form_->rebuild_hints(); });
  // The manual's pages are decoded when the viewer first shows one, with
  // their @2x twins on a screen of more than one device pixel per pixel.
  ManualPages manual = read_manual_section(services_.program_folder);
  choose_manual_language(manual, services_.language);
  manual_ = std::make_unique<TManualForm>(manual, [](ManualPages& manual) {
    load_manual_page_pictures(manual, {}, qGuiApp->devicePixelRatio() > 1.0);
  });
  // The gamepad's mappings as stored; pads already plugged in are found now.
  pad_bindings_.load(form_->settings());
  gamepad_ = std::make_unique<Gamepad>(pad_bindings_,
                                       [this](KeyAction action, bool down) { pad_control(action, down); });
  // A replay plays at once with the skin and sound output last chosen (its
  // store is a copy in memory, never written back): the splash screen comes
  // only while none is chosen yet.
  if (replay_) settings::write(form_->settings(), settings::kSplashScreen, false);
  // Last: its creation step may perform Play, which needs all of the above.
  splash_ = std::make_unique<TSplashForm>(static_cast<SplashHost&>(*this));
}

SessionRecorder::Clock HeroProgram::handheld_now() {
  // The window is made after its recorder; the recorder reads the clock only
  // once the handheld runs. Times are the handheld's own, at any speed.
  // A game left unfinished being played again runs on its recording's time.
  return [this] {
    if (continued_)
      if (const std::optional<SteadyTime> moment = continued_->replay_moment()) return *moment;
    return form_ ? form_->handheld_now() : std::chrono::steady_clock::now();
  };
}

void HeroProgram::keep_games() {
  kept_games_ = std::make_unique<KeptGames>(services_.games_folder);
  kept_games_->gather_left_sessions();
  if (recorder_) {
    keeping_ = std::make_unique<KeepingTap>(*recorder_, *kept_games_, services_.record_path,
                                            [this] { return form_ && form_->assisted_game(); });
    return;
  }
  // Every session is written down, so that any game can be kept.
  std::string error;
  if (!open_own_session(error)) {
    std::fprintf(stderr, "hero50: games are not kept: %s\n", error.c_str());
    kept_games_.reset();
  }
}

bool HeroProgram::open_own_session(std::string& error) {
  std::filesystem::path file;
  std::unique_ptr<std::ostream> out = kept_games_->open_session(file, error);
  if (!out) return false;
  session_out_ = std::move(out);
  session_file_ = file;
  recorder_ =
      std::make_unique<SessionRecorder>(*session_out_, handheld_now(), [](const std::string& message) {
        std::fprintf(stderr, "hero50: games are not kept any further: %s\n", message.c_str());
      });
  recorder_->note_games_only(true);
  recorder_->comment(std::string(kProgramTitle) + ", " + kVersionText);
  recorder_->comment(
      "A game kept by the handheld: watch it with \"hero50 --replay FILE\", check it with "
      "\"hero-trace --check FILE\".");
  keeping_ = std::make_unique<KeepingTap>(*recorder_, *kept_games_, session_file_,
                                          [this] { return form_ && form_->assisted_game(); });
  return true;
}

void HeroProgram::pause_game_under_way() {
  if (!form_) return;
  const EngineState& state = form_->engine().state();
  if ((state.game_mode == mode_game_a || state.game_mode == mode_game_b) && !state.paused) {
    form_->control(Control::pause, true);
    form_->control(Control::pause, false);
  }
}

void HeroProgram::end_session() {
  // The recorder and the tap stay: the window's engine runs on them to its
  // end. Both have stopped. A game under way is left as if PAUSE had been
  // pressed as the program ended, to go on from there.
  if (keeping_ && switched_on_) pause_game_under_way();
  if (keeping_) keeping_->end();
  if (!session_file_.empty()) {
    if (recorder_) recorder_->stop("the program ended");
    std::error_code ec;
    std::filesystem::remove(session_file_, ec);
    session_file_.clear();
  }
}

void HeroProgram::pad_control(KeyAction action, bool down) {
  bool& held = pad_held_[static_cast<std::size_t>(action)];
  if (down) {
    if (!form_->isVisible() || !form_->isEnabled()) return;
    held = true;
    form_->control(action, true);
  } else if (held) {
    held = false;
    form_->control(action, false);
  }
}

HeroProgram::~HeroProgram() {
  end_session();
  if (qApp && menu_) qApp->removeEventFilter(menu_.get());
  if (qApp && replay_player_) qApp->removeEventFilter(replay_player_.get());
}

void HeroProgram::create_main_window() {
  // The window's own creation: the title, off the screen, the store,
  // FullscreenMode, the key bindings and hints, painting, the high scores,
  // no pause, the random generator.
  EngineTap* tap = keeping_    ? static_cast<EngineTap*>(keeping_.get())
                   : recorder_ ? static_cast<EngineTap*>(recorder_.get())
                               : replay_.get();
  form_ = std::make_unique<TForm1>(std::move(services_.settings), sound_, nullptr, nullptr, tap);
  // The skin catalogue beside the program file.
  catalogue_ = read_skin_catalogue(services_.program_folder, *services_.errors, services_.player_skins);
  form_->set_skin_loader([this](TForm1& window) {
    // Until Play has chosen a skin there is nothing to lay out.
    if (selected_skin_ < 1) return;
    SkinLoadRequest request;
    request.catalogue = &catalogue_;
    request.selected_skin = selected_skin_;
    request.fullscreen_mode = window.fullscreen_mode();
    request.zoom = window.zoom_scale();
    request.fullscreen_fit = window.fullscreen_fit();
    request.fit_when_too_large = !window.fullscreen_fit_chosen();
    request.device_pixel_ratio = window.devicePixelRatioF();
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    request.screen_size = screen ? screen->size() : QSize(1024, 768);
    request.program_folder = services_.program_folder;
    load_skin(window.scene(), request, *services_.errors);
  });
  // The context menu: the full-screen check mark, the in-game menu closed,
  // and the thirteen items the in-game menu mirrors.
  menu_ = std::make_unique<GameMenu>(static_cast<MenuHost&>(*this));
  // The in-game menu button's picture: icon and title strip over the dark
  // backdrop, shown from its top-left corner as far as the element reaches.
  Picture game_menu_picture;
  game_menu_picture.image =
      builtin_image(BuiltinPicture::game_menu).convertToFormat(QImage::Format_ARGB32_Premultiplied);
  game_menu_picture.has_alpha = true;
  form_->scene().set_picture(ElementId::btn_game_menu_background, game_menu_picture);
  if (QWidget* button = form_->hot_area(ElementId::btn_game_menu_top))
    button->setCursor(Qt::PointingHandCursor);
  connect(form_.get(), &TForm1::context_menu_requested, menu_.get(), &GameMenu::popup);
  connect(form_.get(), &TForm1::game_menu_clicked, menu_.get(), &GameMenu::btn_game_menu_topClick);
  if (qApp) qApp->installEventFilter(menu_.get());
  form_->installEventFilter(this);
  if (replay_) {
    replay_player_ = std::make_unique<ReplayPlayer>(*replay_, *form_, services_.replay_news);
    // Installed after the menu's, so it sees the keys first: a replay takes
    // Esc and PAUSE only.
    if (qApp) qApp->installEventFilter(replay_player_.get());
  }
}

void HeroProgram::show_main_window() {
  main_window_wanted_ = true;
  // Before Play the handheld waits unseen: a window manager may pull an
  // off-screen window onto the screen, and a mapped window would take the
  // keyboard from the splash screen. Its first activation, which opens the
  // splash screen, runs once from here.
  if (switched_on_) reveal_main_window();
  QTimer::singleShot(0, this, [this] {
    if (splash_) splash_->main_window_activated();
  });
}

void HeroProgram::reveal_main_window() {
  form_->show();
  form_->raise();
  form_->activateWindow();
}

bool HeroProgram::eventFilter(QObject* watched, QEvent* event) {
  if (watched == form_.get()) {
    if (event->type() == QEvent::WindowActivate && splash_) splash_->main_window_activated();
    if (event->type() == QEvent::Close) FormClose();
  }
  return QObject::eventFilter(watched, event);
}

void HeroProgram::FormClose() {
  if (closed_) return;
  closed_ = true;
  end_session();
  sound_.release();
  services_.request_termination();
}

// ---- What the menu reaches ---------------------------------------------------

QWidget* HeroProgram::main_window() { return form_.get(); }

SettingsStore& HeroProgram::settings() { return form_->settings(); }

bool HeroProgram::splash_checkbox_ticked() const {
  return splash_ ? splash_->chb_splashscreen()->isChecked() : true;
}

bool HeroProgram::fullscreen_mode() const { return form_->fullscreen_mode(); }

void HeroProgram::switch_fullscreen_mode(bool on) {
  form_->set_fullscreen_mode(on);
  // Before Play the handheld stays out of sight; the new mode shows at Play.
  if (!switched_on_) form_->move_off_screen();
}

void HeroProgram::reset_high_scores() {
  // A replay's high scores are the recording's.
  if (replay_) return;
  if (recorder_ && recorder_->recording()) {
    recorder_->stop(
        "the high scores were reset from the menu, which a replay cannot repeat; the recording ends here");
  }
  // The best games claim scores the store no longer holds: they become
  // past games.
  if (kept_games_) kept_games_->retire_best();
  form_->engine().reset_hi_scores();
}

void HeroProgram::show_about() { about_->show_dialog(); }

void HeroProgram::show_manual() { manual_->show_viewer(); }

void HeroProgram::show_key_settings() { keys_->show_centred(); }

TPreferencesForm& HeroProgram::preferences() {
  if (!preferences_) preferences_ = std::make_unique<TPreferencesForm>(static_cast<PreferencesHost&>(*this));
  return *preferences_;
}

void HeroProgram::show_preferences() { preferences().show_centred(); }

std::optional<int> HeroProgram::best_game_score(char game) const {
  if (!kept_games_) return std::nullopt;
  const std::optional<KeptGame> best = kept_games_->best(game);
  return best ? std::optional<int>(best->score) : std::nullopt;
}

void HeroProgram::watch_best_game(char game) {
  if (!kept_games_ || watching_ || services_.program_file.empty()) return;
  const std::optional<KeptGame> best = kept_games_->best(game);
  if (!best) return;
  // A game under way waits, paused by the handheld's own PAUSE.
  pause_game_under_way();
  // The recording plays in a program of its own, in the handheld's place:
  // its store is a copy in memory, so nothing is stored meanwhile.
  watching_ = new QProcess(this);
  watching_->setProcessChannelMode(QProcess::ForwardedChannels);
  connect(watching_, &QProcess::finished, this, [this] {
    watching_->deleteLater();
    watching_ = nullptr;
    if (!closed_) reveal_main_window();
  });
  connect(watching_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
    if (error != QProcess::FailedToStart || !watching_) return;
    const QString why = watching_->errorString();
    watching_->deleteLater();
    watching_ = nullptr;
    reveal_main_window();
    report_failure(tr("The best game could not be played back: %1").arg(why).toStdString());
  });
  form_->hide();
  watching_->start(QString::fromStdString(services_.program_file.string()),
                   {QStringLiteral("--replay"), QString::fromStdString(best->file.string())});
}

std::optional<QString> HeroProgram::unfinished_game_offer() const {
  // Only this run's own session can take the game in; a game under way here
  // is not given up for it.
  if (!kept_games_ || !session_out_ || watching_ || !form_) return std::nullopt;
  const int mode = form_->engine().state().game_mode;
  if (mode == mode_game_a || mode == mode_game_b) return std::nullopt;
  const std::optional<KeptGame> left = kept_games_->unfinished();
  if (!left) return std::nullopt;
  return tr("Continue the game left unfinished (Game %1, score %2)").arg(QChar(left->game)).arg(left->score);
}

void HeroProgram::continue_unfinished_game() {
  if (!unfinished_game_offer() || !switched_on_) return;
  const std::optional<KeptGame> left = kept_games_->unfinished();
  // The recording is checked whole before the handheld is touched.
  std::string error;
  std::optional<Recording> recording;
  if (std::ifstream in(left->file, std::ios::binary); in) {
    recording = read_recording(in, left->file.filename().string(), error);
  } else {
    error = tr("it cannot be read").toStdString();
  }
  if (recording) {
    const RecordingCheck check = check_recording(*recording);
    if (!check.difference.empty()) error = check.difference;
    else if (check.game == 0 || check.game_over)
      error = tr("it holds no game under way at its end").toStdString();
  }
  if (!error.empty()) {
    // It stays among the past games.
    kept_games_->drop_unfinished();
    report_failure(tr("The game left unfinished cannot be continued: %1")
                       .arg(QString::fromStdString(error))
                       .toStdString());
    return;
  }
  // The session so far holds no game under way: it ends here, and the game
  // goes on in a session of its own, which plays it again from its start.
  std::unique_ptr<SessionRecorder> old_recorder = std::move(recorder_);
  std::unique_ptr<KeepingTap> old_keeping = std::move(keeping_);
  std::unique_ptr<ContinuedTap> old_continued = std::move(continued_);
  std::unique_ptr<std::ostream> old_out = std::move(session_out_);
  const std::filesystem::path old_file = std::exchange(session_file_, {});
  if (!open_own_session(error)) {
    recorder_ = std::move(old_recorder);
    keeping_ = std::move(old_keeping);
    continued_ = std::move(old_continued);
    session_out_ = std::move(old_out);
    session_file_ = old_file;
    report_failure(tr("The game left unfinished cannot be continued: %1")
                       .arg(QString::fromStdString(error))
                       .toStdString());
    return;
  }
  old_recorder->stop("the player went on with the game left unfinished, in a session of its own");
  std::error_code ec;
  std::filesystem::remove(old_file, ec);
  continued_ = std::make_unique<ContinuedTap>(*keeping_, *recorder_);
  // The old handheld goes before the taps it ran on.
  form_->rebuild_engine(continued_.get());
  old_continued.reset();
  old_keeping.reset();
  old_recorder.reset();
  old_out.reset();
  if (!continued_->continue_game(
          form_->engine(), *recording, [this](Engine& engine) { keeping_->start(engine); }, error)) {
    // Checked above, so only a fault of the program: the handheld starts
    // afresh, and games are not kept any further in this run.
    form_->rebuild_engine(nullptr);
    continued_.reset();
    keeping_.reset();
    recorder_.reset();
    session_out_.reset();
    std::filesystem::remove(std::exchange(session_file_, {}), ec);
    form_->engine().set_snd_enabled(sound_.enabled());
    form_->engine().start();
    form_->flush();
    report_failure(tr("The game left unfinished could not be continued: %1")
                       .arg(QString::fromStdString(error))
                       .toStdString());
    return;
  }
  // Now in this session, which is kept unfinished again if the program ends.
  kept_games_->drop_unfinished();
  form_->game_continued(left->assisted);
}

void HeroProgram::open_games_folder() {
  if (!kept_games_) return;
  std::error_code ec;
  std::filesystem::create_directories(kept_games_->folder(), ec);
  shell_open_file(QString::fromStdString(kept_games_->folder().string()));
}

bool HeroProgram::test_beep() {
  // Straight to the output: the engine, and so a recording, never hears it.
  if (!sound_.enabled()) return false;
  sound_.play(SoundId::got);
  return true;
}

void HeroProgram::zoom_step(int direction) { form_->zoom_step(direction); }

bool HeroProgram::key_bound(int virtual_key) const {
  return virtual_key > 0 && virtual_key <= 0xFFFF &&
         form_->key_bindings().action_for_press(static_cast<std::uint16_t>(virtual_key)).has_value();
}

LiveValue<std::int32_t> HeroProgram::live(const settings::Integer& value) {
  // Volume and Mute are one loudness.
  const auto sound_from_store = [this] { sound_.set_level(read_sound_level(form_->settings())); };
  if (&value == &settings::kVolume) {
    return {[this] { return sound_.level().volume_percent; },
            [this](std::int32_t percent) {
              SoundLevel level = sound_.level();
              level.volume_percent = percent;
              sound_.set_level(level);
            },
            sound_from_store};
  }
  if (&value == &settings::kGhostSegments) {
    return {[this] { return form_->scene().ghost_percent(); },
            [this](std::int32_t percent) {
              form_->scene().set_ghost_override(percent);
              form_->flush();
            },
            [this] { form_->apply_ghost_setting(); }};
  }
  if (&value == &settings::kLcdResponse) {
    return {[this] { return form_->scene().response_ms(); },
            [this](std::int32_t ms) { form_->show_response_ms(ms); },
            [this] { form_->apply_response_setting(); }};
  }
  if (&value == &settings::kGameSpeed) {
    return {[this] { return form_->game_speed(); },
            [this](std::int32_t percent) { form_->set_game_speed(percent); },
            [this] { form_->apply_game_speed_setting(); }};
  }
  if (&value == &settings::kZoom) {
    return {[this] { return form_->zoom_percent(); },
            [this](std::int32_t percent) { form_->show_zoom_percent(percent); },
            [this] { form_->apply_zoom_setting(); }};
  }
  return {};
}

LiveValue<bool> HeroProgram::live(const settings::Flag& value) {
  if (&value == &settings::kMute) {
    return {[this] { return sound_.level().muted; },
            [this](bool on) {
              SoundLevel level = sound_.level();
              level.muted = on;
              sound_.set_level(level);
            },
            live(settings::kVolume).reread};
  }
  if (&value == &settings::kSegmentShadows) {
    return {[this] { return form_->scene().shadows(); }, [this](bool on) { form_->show_shadows(on); },
            [this] {
              form_->apply_shadow_setting();
              form_->flush();
            }};
  }
  if (&value == &settings::kFullscreenFit) {
    return {[this] { return form_->fullscreen_fit(); }, nullptr,
            [this] {
              form_->apply_fit_setting();
              // Before Play the handheld stays out of sight.
              if (!switched_on_) form_->move_off_screen();
            }};
  }
  return {};
}

void HeroProgram::set_game_menu_backdrop_size(QSize size) {
  form_->scene().set_geometry(ElementId::btn_game_menu_background, QRect(QPoint(0, 0), size));
  form_->flush();
}

void HeroProgram::game_menu_shown(bool open) { form_->set_game_menu_open(open); }

void HeroProgram::beep() { services_.beep ? services_.beep() : QApplication::beep(); }

void HeroProgram::request_termination() { services_.request_termination(); }

// ---- What Play reaches ---------------------------------------------------------

std::vector<std::string> HeroProgram::skin_folders() const {
  std::vector<std::string> folders;
  for (int k = 1; k <= catalogue_.listed_count(); ++k) folders.push_back(catalogue_.entry(k).path);
  return folders;
}

std::vector<std::string> HeroProgram::skin_names() const {
  std::vector<std::string> names;
  for (int k = 1; k <= catalogue_.listed_count(); ++k) names.push_back(catalogue_.entry(k).name);
  return names;
}

void HeroProgram::set_selected_skin(int skin) { selected_skin_ = skin; }

bool HeroProgram::initialise_sound(int driver_position) {
  Engine& engine = form_->engine();
  // A recorded or replayed session notes every beep, played or not (the
  // sound output stays silent without a driver).
  const bool session = recorder_ || replay_;
  // The player's loudness from the last run, before the output opens.
  sound_.set_level(read_sound_level(form_->settings()));
  return sound_.initialise(driver_position, form_->settings(), *services_.errors,
                           [&engine, session](bool on) { engine.set_snd_enabled(on || session); });
}

void HeroProgram::set_splash_menu_check(bool checked) { menu_->set_splash_check(checked); }

void HeroProgram::load_selected_skin() { form_->lay_out_skin(); }

void HeroProgram::switch_on() {
  switched_on_ = true;
  Engine& engine = form_->engine();
  if (keeping_) {
    keeping_->start(engine);
  } else if (recorder_) {
    // The engine's whole start, as the recording's "start" line runs it.
    recorder_->start(engine);
  } else if (replay_player_) {
    replay_player_->begin();
  } else {
    engine.enter_mode(mode_all_lit);
  }
  form_->flush();
  if (main_window_wanted_) reveal_main_window();
}

void HeroProgram::report_failure(const std::string& message) {
  if (services_.show_failure) services_.show_failure(message);
}

// ---- The main routine ------------------------------------------------------------

namespace {

constexpr char kUsage[] =
    QT_TRANSLATE_NOOP("hero::HeroProgram",
                      "Usage: hero50 [--help] [--version] [--record FILE | --replay FILE]\n"
                      "\n"
                      "Starts the handheld. It works in its own folder, wherever it is started\n"
                      "from: Config.ini, the skins, the manual pages, the samples and the documents\n"
                      "are read from the folder the program file is in.\n"
                      "\n"
                      "  --record FILE   plays as usual and writes the game to FILE (a new file),\n"
                      "                  line by line, as a script that hero-trace plays too\n"
                      "  --replay FILE   plays a recorded game back at real speed; the keys are\n"
                      "                  ignored but PAUSE (holds the playback) and Esc; no high\n"
                      "                  score or setting is stored\n"
                      "\n"
                      "Keys on the handheld: the bound keys (see Key settings), F1 about, F2 Readme,\n"
                      "F3 what is new, F4 manual, F12 full screen on or off, Esc quits.\n");

// The help in the player's language, read before the application exists
// from the catalogue beside the program file.
std::string usage_text() {
  const QString program = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
  return translated_early(QFileInfo(program).absolutePath(), "hero::HeroProgram", kUsage).toStdString();
}

// The pictures, samples, pages and documents are named relative to the
// program folder (a stated absolute name stays absolute), so the program
// works from there whether it was started from a launcher, a symlink or
// another folder.
void enter_program_folder(const QString& folder) {
  if (QDir::setCurrent(folder)) return;
  const std::string line = "hero50: cannot work in the program folder " + folder.toStdString() +
                           "; its files are looked up from " + QDir::currentPath().toStdString() + "\n";
  std::fputs(line.c_str(), stderr);
}

// Shown without stopping the handheld: a replay's end or difference. It
// belongs to the handheld, so the window system keeps it above it, and it
// comes once the handheld is up: a difference at the very first line is
// found before the handheld's window is shown. A replay that differed has
// nothing more to show: closing its box ends the program (with status 1).
void show_replay_box(ReplayNews news, const std::string& message, const std::function<void()>& end_program) {
  QTimer::singleShot(0, [news, text = QString::fromStdString(message), end_program] {
    QWidget* handheld = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets())
      if (qobject_cast<TForm1*>(window)) handheld = window;
    auto* box =
        make_plain_message_box(news == ReplayNews::differs ? QMessageBox::Warning : QMessageBox::Information,
                               QString::fromLatin1(kProgramTitle), text, handheld);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    if (news == ReplayNews::differs) QObject::connect(box, &QMessageBox::finished, end_program);
    box->show();
  });
}

}  // namespace

int hero_main(int argc, char** argv) {
  // Besides these, nothing on the command line is read: the installation
  // says it all.
  std::string record_path;
  std::string replay_path;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(usage_text().c_str(), stdout);
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("%s\n%s, %s\n", kProgramTitle, kVersionText, kReleaseDateText);
      return 0;
    }
    const bool record = std::strcmp(argv[i], "--record") == 0;
    if (record || std::strcmp(argv[i], "--replay") == 0) {
      if (i + 1 >= argc || argv[i + 1][0] == '\0') {
        std::fprintf(stderr, "hero50: %s needs the name of a file\n", argv[i]);
        return 2;
      }
      (record ? record_path : replay_path) = argv[++i];
    } else if (std::strncmp(argv[i], "--", 2) == 0) {
      // A mistyped option must not start an ordinary session in its place.
      // (Qt's own options, such as -platform, have one dash.)
      std::fprintf(stderr, "hero50: unknown option %s\n\n%s", printable(argv[i]).c_str(),
                   usage_text().c_str());
      return 2;
    }
  }
  if (!record_path.empty() && !replay_path.empty()) {
    std::fputs("hero50: a game is either recorded or replayed: give --record or --replay, not both\n",
               stderr);
    return 2;
  }
  std::string error;
  std::optional<Recording> replay;
  if (!replay_path.empty()) {
    replay = open_recording(replay_path, error);
    if (!replay) {
      std::fprintf(stderr, "hero50: %s\n", error.c_str());
      return 1;
    }
  }
  std::unique_ptr<std::ostream> record_to;
  if (!record_path.empty()) {
    record_to = create_recording(record_path, error);
    if (!record_to) {
      std::fprintf(stderr, "hero50: %s\n", error.c_str());
      return 1;
    }
  }

  const PlatformChoice platform = choose_platform();
  if (!platform.missing.empty()) {
    std::fprintf(stderr, "%s\n", no_display_message(platform.missing).c_str());
    return 1;
  }
  if (!platform.platform.empty()) qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(platform.platform));
  std::optional<PlatformStartGuard> platform_start(std::in_place);
  HeroApplication app(argc, argv);
  platform_start.reset();
  enter_program_folder(QCoreApplication::applicationDirPath());
  const std::unique_ptr<InstalledLanguage> language =
      install_translations(QCoreApplication::applicationDirPath());
  // No display name: Qt would add it to every window's caption. The
  // task-bar title is the main window's own, set at its creation.
  QGuiApplication::setApplicationDisplayName(QString());
  // The main window's close ends the program; hiding the splash screen or
  // closing a dialog never does.
  app.setQuitOnLastWindowClosed(false);
  app.setWindowIcon(QIcon(builtin_picture(BuiltinPicture::icon)));

  MessageBoxInstallationErrors errors;
  SdlSoundLibrary sound_library;
  ProgramServices services;
  services.program_folder = QCoreApplication::applicationDirPath().toStdString();
  if (language) services.language = language->language().toStdString();
  if (replay) {
    // A replay reads the player's settings but never writes them: it plays
    // on a copy in memory.
    auto copy = std::make_unique<MemorySettingsStore>();
    for (const auto& [name, value] : QSettingsStore().all()) copy->write_text(name, value);
    services.settings = std::move(copy);
  } else {
    auto store = std::make_unique<QSettingsStore>();
    // A store that cannot be written is said once, after the step that
    // found out has finished; the handheld goes on from what it holds in
    // memory.
    store->set_refusal_reporter([&app](const std::string& message) {
      QTimer::singleShot(0, &app, [&app, text = QString::fromStdString(message)] { app.show_error(text); });
    });
    services.settings = std::move(store);
  }
  services.player_skins = player_skins_folder();
  services.sound_library = &sound_library;
  services.errors = &errors;
  services.request_termination = [&app] { app.request_termination(); };
  services.show_failure = [&app](const std::string& message) {
    app.show_error(QString::fromStdString(message));
  };
  services.beep = [] { QApplication::beep(); };
  services.record_to = record_to.get();
  services.record_path = record_path;
  services.games_folder = player_data_folder();
  services.program_file = QCoreApplication::applicationFilePath().toStdString();
  services.replay = std::move(replay);
  services.replay_news = [&app](ReplayNews news, const std::string& message) {
    std::FILE* stream = news == ReplayNews::differs ? stderr : stdout;
    std::fprintf(stream, "hero50: %s\n", message.c_str());
    std::fflush(stream);
    if (news != ReplayNews::started) show_replay_box(news, message, [&app] { app.request_termination(); });
  };

  try {
    // Handlers first: a signal during the creation steps closes the program
    // as soon as its event loop runs.
    HeroProgram* running = nullptr;
    bool signalled_early = false;
    CloseOnSignals close_on_signals([&app, &running, &signalled_early] {
      app.end_by_signal();
      if (running) {
        running->FormClose();
      } else {
        signalled_early = true;
      }
    });
    HeroProgram program(std::move(services));
    running = &program;
    if (signalled_early) program.FormClose();
    program.show_main_window();
    const int status = app.run();
    // A replay that stopped at a difference says so to the shell as well.
    const SessionReplay* replayed = program.replay();
    if (replayed && replayed->state() == SessionReplay::State::differs) return 1;
    return status;
  } catch (const std::exception& failure) {
    show_error_box(QString::fromStdString(failure.what()));
    return 1;
  }
}

}  // namespace hero
