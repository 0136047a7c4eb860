// TForm1, the main window: the simulated handheld. One widget paints the
// scene of picture elements; invisible child widgets over the pictured
// buttons take the mouse; the window routes keys through the key bindings to
// the engine's controls and owns the engine, its five timers, the settings
// store and the other services the engine runs on.
#pragma once

#include <QPoint>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "dialogs/keys/key_bindings.h"
#include "dialogs/keys/key_codes.h"
#include "display/skins/scene.h"
#include "display/window/qt_timer.h"
#include "display/window/system_services.h"
#include "engine/engine.h"
#include "engine/engine_tap.h"
#include "engine/interfaces.h"

class QLabel;
class QTimer;

namespace hero {

class HotArea;

class TForm1 : public QWidget {
  Q_OBJECT

 public:
  // The settings store lives as long as the window. `sound` receives the
  // engine's beep requests; `steady_now` drives the timers (the system's
  // steady clock when empty). A `tap` (a recording or a replay, kept alive
  // longer than the window) wires the engine's services and hears of every
  // timer expiry and control.
  TForm1(std::unique_ptr<SettingsStore> settings, SoundSink& sound, const SteadyNow& steady_now = nullptr,
         QWidget* parent = nullptr, EngineTap* tap = nullptr);
  ~TForm1() override;

  Engine& engine() { return *engine_; }
  // A new handheld, built on `tap` (a game left unfinished goes on in a
  // session of its own): the old one's timers are stopped first.
  void rebuild_engine(EngineTap* tap);
  // The rebuilt handheld holds a game under way, played below full speed
  // when `assisted`.
  void game_continued(bool assisted);
  Scene& scene() { return scene_; }
  SettingsStore& settings() { return *settings_; }
  KeyBindings& key_bindings() { return key_bindings_; }
  QtEngineTimer& timer(TimerId id) { return *timers_[static_cast<std::size_t>(id)]; }

  // `fullscreen_mode`, read from FullscreenMode at creation (default on).
  bool fullscreen_mode() const { return fullscreen_mode_; }

  // Zoom of the windowed handheld in percent (kZoomSteps), or 0 for "Fit to
  // screen"; read from Zoom at creation. Everything scales together:
  // pictures, outline, hot areas, hints, dragging, the pause label.
  int zoom_percent() const { return zoom_percent_; }
  // The scale the windowed handheld is shown at now.
  double zoom_scale() const;
  // Stores Zoom, then shows the handheld at that zoom about its centre.
  void set_zoom_percent(int percent);
  // Shows the handheld at another zoom about its centre without storing it
  // (a preview), and at what Zoom says again (or, with none stored, at the
  // first start's choice).
  void show_zoom_percent(int percent);
  void apply_zoom_setting();
  // Ctrl+Plus, Ctrl+Minus, Ctrl with the mouse wheel: one step in or out.
  void zoom_step(int direction);
  // Full screen: the game area scaled to fill the screen (FullscreenFit).
  bool fullscreen_fit() const { return fullscreen_fit_; }
  // Whether the player has stored a choice of the fit (else a game area too
  // large for the screen is fitted, and nothing is stored).
  bool fullscreen_fit_chosen() const { return fullscreen_fit_chosen_; }
  // The in-game menu overlay is open or closed: with PauseInMenus a running
  // game waits while it is open, as while any menu or dialog has the input.
  void set_game_menu_open(bool open);
  // What FullscreenFit says, shown (laid out again in full screen).
  void apply_fit_setting();
  // Flips the presentation: stores the new FullscreenMode at once, then
  // lays the window out again off the screen and centres it.
  void set_fullscreen_mode(bool on);

  // The skin loader: lays the scene out for the current `fullscreen_mode`.
  // The window's owner provides it (it needs the skin catalogue and the
  // chosen skin); the window only calls it while it is off the screen.
  using SkinLoader = std::function<void(TForm1&)>;
  void set_skin_loader(SkinLoader loader) { skin_loader_ = std::move(loader); }
  // Off the screen, the skin loader, then centred: the layout is never seen
  // half made.
  void lay_out_skin();

  // Placement: off the screen (minus its size), or centred on it with the
  // top-left corner kept on the screen.
  void move_off_screen();
  void centre_on_screen();
  // Takes the scene's client size and cut-out, and places the hot areas.
  void apply_layout();
  // The area a window may take on the window's screen (task bars left out).
  QRect available_area() const;
  // The skin loader, remembering what zoom it was asked for.
  void run_skin_loader();
  // The windowed handheld at the zoom chosen now.
  void show_zoom();

  // The player's GhostSegments (0..30 %) over the skin's default; any other
  // stored value, or none, leaves the skin's.
  static std::optional<int> read_ghost_setting(const SettingsStore& store);
  void apply_ghost_setting();
  // The player's LcdResponse (0..250 ms) over the skin's default, as the
  // ghost setting; while a segment fades the window draws frames at the
  // screen's refresh rate, and none once every segment has settled.
  void apply_response_setting();
  void show_response_ms(int ms);
  // SegmentShadows, and the player's own look of them over the skin's.
  void apply_shadow_setting();
  void show_shadows(bool on);
  bool drawing_fades() const;

  // Key routing through the bindings: the first binding with the key wins.
  void FormKeyDown(VirtualKey key);
  void FormKeyUp(VirtualKey key);
  // One of the seven controls pressed or released, from a key or a pictured
  // button: the engine's Inp_ operation (PAUSE has none for its release).
  void control(KeyAction action, bool down);

  // The hints of the seven hot areas, from the key bindings.
  void rebuild_hints();

  // The hot area over a pictured button (btn_*_top), for tests and tools.
  QWidget* hot_area(ElementId id) const;

  // Brings the screen up to date with the scene: repaints the changed
  // rectangles and, when key-coloured pixels changed, the window's outline.
  void flush();

  // Whether the window system, not the window, decides where the window is
  // (Wayland): the handheld is then dragged by the window system's own move,
  // and its outline comes from transparent pixels where the key colour is,
  // since a Wayland window is not cut out by a shape. Chosen at creation
  // from the platform; setting it before the window is first shown changes
  // it (tests).
  bool placed_by_window_system() const { return placed_by_window_system_; }
  void set_placed_by_window_system(bool on);

  // How often the outline was rebuilt (benchmarks watch this stay flat).
  int mask_rebuilds() const { return mask_rebuilds_; }

  // The handheld's speed in percent (GameSpeed): below 100 its time runs
  // slower than the real clock, for a player who needs more time. The
  // engine and its intervals are untouched; its timers wait longer.
  int game_speed() const { return handheld_clock_.speed_percent(); }
  void set_game_speed(int percent);
  void apply_game_speed_setting();
  // The handheld's present moment on its own clock (a recording measures
  // the handheld's time on it).
  SteadyTime handheld_now() const { return handheld_clock_.now(); }
  // Whether the game under way, or the last one, was played at any moment
  // below full speed: such a game stores no high score.
  bool assisted_game() const { return assisted_game_; }

  // Called as each engine timer expires, before the engine's handler runs
  // (benchmarks time the game tick with it).
  using TimerObserver = std::function<void(TimerId id)>;
  void set_timer_observer(TimerObserver observer) { timer_observer_ = std::move(observer); }

 signals:
  // A right-button press anywhere on the handheld: the context menu's place.
  void context_menu_requested(const QPoint& global_position);
  // A left click on the in-game menu button (full screen only).
  void game_menu_clicked();
  // A key the bindings do not use (the menu's shortcuts F1-F4, F12, Esc
  // among them), after routing found nothing for it.
  void unbound_key_pressed(VirtualKey key);
  // Changed rectangles were repainted (tests, benchmarks).
  void repainted();
  // The window became the active window (the first activation shows the
  // splash screen).
  void activated();
  // The window system asked the window to close: the close step (sound and
  // settings released) belongs here; the program ends when the window goes.
  void closing();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  void changeEvent(QEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Every control a key holds down is let go, as a release of its key
  // would: a window that takes the keyboard (a dialog, the context menu)
  // would otherwise receive the release, and the handheld would keep the
  // button pressed for ever.
  void release_held_keys();
  // PauseInMenus: once the event that moved the input has been handled,
  // a running game is paused with PAUSE while a menu, a dialog or the
  // overlay has the input, and PAUSE goes on with it when the input comes
  // back. A game the player paused is left as the player left it.
  void follow_menus();
  void hold_for_menu(bool held);
  // After every event: whether a game began, and whether it is assisted;
  // the ASSIST mark beside the pause label's place.
  void follow_assist();
  bool assist_mark_wanted() const;
  void place_assist_mark();
  friend class HotArea;
  void run_timer(TimerId id);
  void press_button(ElementId hot_area);
  void release_button(ElementId hot_area);
  // Drag handles: the handheld picture, its overlay, the ALARM hot area and
  // the pause label. Positions are in the window's client coordinates.
  bool start_drag(const QPoint& client_position);
  void drag_to(const QPoint& client_position);
  bool is_drag_handle_at(const QPoint& client_position) const;

  std::unique_ptr<SettingsStore> settings_;
  // The store as the engine sees it: an assisted game's high score is not
  // stored.
  std::unique_ptr<SettingsStore> engine_store_;
  Scene scene_;
  HandheldClock handheld_clock_;
  std::array<std::unique_ptr<QtEngineTimer>, kTimerCount> timers_;
  ClockSeededRandom random_;
  SystemLocalClock clock_;
  std::unique_ptr<Engine> engine_;
  SoundSink& sound_;
  KeyBindings key_bindings_;
  bool fullscreen_mode_ = true;
  int zoom_percent_ = 100;
  std::array<bool, kControlCount> keys_held_{};
  bool zoom_stored_ = false;  // Zoom was read from the store, or chosen since
  bool fullscreen_fit_ = false;
  bool fullscreen_fit_chosen_ = false;
  bool game_menu_open_ = false;
  bool held_for_menu_ = false;        // this window paused the game for a menu
  double loaded_device_scale_ = 1.0;  // zoom x device pixels at the last load
  int wheel_eighths_ = 0;             // wheel turns not yet a whole notch
  SkinLoader skin_loader_;
  std::vector<HotArea*> hot_areas_;
  bool placed_by_window_system_ = false;
  // Where the handheld is drawn (Wayland only): the outline as a region.
  QRegion drawn_region_;
  bool dragging_ = false;
  QPoint drag_origin_;
  bool flush_pending_ = false;
  // After a repaint, waits once the event loop is idle until the window
  // system has read its pixels, so the next repaint need not (`drawn` is
  // one of them).
  void wait_for_window_system_later(QPoint drawn);
  bool window_system_wait_pending_ = false;
  // The change the flush under way leaves its repaint to take the outline
  // of, from what it draws (on a plain screen).
  QRegion outline_from_paint_;
  // Takes the scene's outline as the window's shape, after it changed.
  void take_outline();
  int mask_rebuilds_ = 0;
  TimerObserver timer_observer_;
  EngineTap* tap_ = nullptr;
  QTimer* fade_frames_ = nullptr;
  bool in_game_ = false;
  bool assisted_game_ = false;
  QLabel* assist_mark_ = nullptr;
  // What the spoken description was last built from.
  struct SpokenFacts {
    int mode = -1, score = 0, misses = 0, hi_a = 0, hi_b = 0;
    bool paused = false;
    bool operator==(const SpokenFacts&) const = default;
  };
  SpokenFacts spoken_facts_;
};

}  // namespace hero
