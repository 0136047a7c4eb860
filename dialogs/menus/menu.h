// The main window's context menu pm_0_menu, its six shortcut keys, and its
// full-screen twin, the in-game menu overlay drawn at the window's top-left
// corner. Every command runs the same way from the menu, from its shortcut
// and from the overlay's rows.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include <QFont>
#include <QLabel>
#include <QObject>
#include <QPoint>
#include <QSize>

#include "dialogs/menus/live_settings.h"
#include "engine/interfaces.h"

class QAction;
class QKeyEvent;
class QMenu;
class QWidget;

namespace hero {

// The thirteen items in menu order: name, caption (exactly as shown),
// shortcut key (virtual-key code, 0 for none), whether it carries a check
// mark. "-" is a separator.
struct MenuItemEntry {
  std::string_view name;
  std::string_view caption;
  int shortcut_key;
  bool checkable;
};

enum MenuItem : int {
  pm_1_about,
  pm_2_readme,
  pm_3_whatsnew,
  pm_4_manual,
  pm_5_n1,
  pm_6_config,
  pm_7_keys,
  pm_8_hiscore,
  pm_9_n2,
  pm_10_fullscreen,
  pm_11_splashscreen,
  pm_13_n3,
  pm_14_exit,
};
inline constexpr int kMenuItemCount = 13;

// clang-format off
inline constexpr std::array<MenuItemEntry, kMenuItemCount> kMenuItems = {{
    {"pm_1_about", QT_TRANSLATE_NOOP("hero::GameMenu", "About..."), 112, false},
    {"pm_2_readme", QT_TRANSLATE_NOOP("hero::GameMenu", "View 'Readme.txt'"), 113, false},
    {"pm_3_whatsnew", QT_TRANSLATE_NOOP("hero::GameMenu", "View 'Whatsnew.txt'"), 114, false},
    {"pm_4_manual", QT_TRANSLATE_NOOP("hero::GameMenu", "View manual"), 115, false},
    {"pm_5_n1", "-", 0, false},
    {"pm_6_config", QT_TRANSLATE_NOOP("hero::GameMenu", "Edit configuration file"), 0, false},
    {"pm_7_keys", QT_TRANSLATE_NOOP("hero::GameMenu", "Key settings"), 0, false},
    {"pm_8_hiscore", QT_TRANSLATE_NOOP("hero::GameMenu", "Reset Hiscores"), 0, false},
    {"pm_9_n2", "-", 0, false},
    {"pm_10_fullscreen", QT_TRANSLATE_NOOP("hero::GameMenu", "Display in fullscreen mode"), 123, true},
    {"pm_11_splashscreen", QT_TRANSLATE_NOOP("hero::GameMenu", "Display splash screen at startup"), 0, true},
    {"pm_13_n3", "-", 0, false},
    {"pm_14_exit", QT_TRANSLATE_NOOP("hero::GameMenu", "Exit"), 27, false},
}};
// clang-format on

// The in-game menu's geometry: rows of 32 pixels under a 32-pixel title
// strip, 305 pixels wide; the closed button is 36 x 32.
inline constexpr int kGameMenuWidth = 305;
inline constexpr int kGameMenuRowHeight = 32;
inline constexpr int kGameMenuCellHeight = 16;  // the rows' font, Consolas or its substitute
inline constexpr QSize kGameMenuClosedSize(36, 32);
// Rows below the thirteen items: the zoom step, the full-screen fit, the
// preferences, the beeps' mute and the two best games.
inline constexpr int kGameMenuExtraRows = 6;
inline constexpr int kGameMenuZoomRow = kMenuItemCount;             // "    Zoom: 100 %"
inline constexpr int kGameMenuFitRow = kMenuItemCount + 1;          // "[x] Display game fitted to screen"
inline constexpr int kGameMenuPreferencesRow = kMenuItemCount + 2;  // "    Preferences..."
inline constexpr int kGameMenuMuteRow = kMenuItemCount + 3;         // "[x] Mute"
inline constexpr int kGameMenuWatchARow = kMenuItemCount + 4;       // "    Watch best Game A (312)"
inline constexpr int kGameMenuWatchBRow = kMenuItemCount + 5;       // "    Watch best Game B"
inline constexpr QSize kGameMenuOpenSize(kGameMenuWidth,
                                         kGameMenuRowHeight*(kMenuItemCount + kGameMenuExtraRows + 1));

// What the commands reach in the rest of the program; the main window gives
// the real one, tests a recorder. The rows for Zoom, FullscreenFit and Mute
// reach their values through SettingsHost::live.
class MenuHost : public SettingsHost {
 public:
  // The splash screen's "Display this splash screen at startup" box: the
  // default when SplashScreen is not stored.
  virtual bool splash_checkbox_ticked() const = 0;
  virtual bool fullscreen_mode() const = 0;
  // The full-screen toggle's sequence: fullscreen_mode and FullscreenMode
  // take the new state, then the window goes out of sight, the skin loader
  // lays it out for the new mode, and it comes back centred.
  virtual void switch_fullscreen_mode(bool on) = 0;
  // "Reset Hiscores": both kept high scores become 0 and HiScore1 and
  // HiScore2 are stored as "0" (a running game keeps its score).
  virtual void reset_high_scores() = 0;
  virtual void show_about() = 0;
  virtual void show_manual() = 0;
  virtual void show_key_settings() = 0;
  // One zoom step of the windowed handheld in or out, stored.
  virtual void zoom_step(int direction) = 0;
  // Whether the key with this virtual-key code works one of the seven
  // controls: such a key goes to its control whatever the modifiers, so the
  // Ctrl shortcuts leave it alone.
  virtual bool key_bound(int virtual_key) const = 0;
  virtual void show_preferences() = 0;
  // The score of the best game of A or B the player's games folder keeps;
  // none when there is none (or games are not kept).
  virtual std::optional<int> best_game_score(char game) const = 0;
  // The best game of A or B played back in the handheld's place; Esc (or
  // its menu's Exit) ends the watching.
  virtual void watch_best_game(char game) = 0;
  // The player's games folder in the desktop's file manager.
  virtual void open_games_folder() = 0;
  // The offer of the game left unfinished when the program last ended
  // ("Continue the game left unfinished (Game A, score 34)"); none when
  // there is none to go on with now.
  virtual std::optional<QString> unfinished_game_offer() const { return std::nullopt; }
  // That game goes on, paused where it was left.
  virtual void continue_unfinished_game() {}
  // btn_game_menu_background's size: 36 x 32 closed, 305 x 576 open.
  virtual void set_game_menu_backdrop_size(QSize size) = 0;
  // The in-game menu's rows are shown or taken away.
  virtual void game_menu_shown(bool open) = 0;
  virtual void beep() = 0;
  virtual void request_termination() = 0;
};

class GameMenuRow;

class GameMenu : public QObject {
  Q_OBJECT
 public:
  explicit GameMenu(MenuHost& host, QObject* parent = nullptr);
  ~GameMenu() override;

  QMenu* pm_0_menu() const { return menu_; }
  // The "Zoom" submenu at the menu's end: the steps, fit to screen, zoom in
  // and out, and the full-screen fit.
  QMenu* zoom_menu() const { return zoom_menu_; }
  // Its items: the steps in kZoomSteps order, then fit to screen, zoom in,
  // zoom out and the full-screen fit (separators left out).
  const std::vector<QAction*>& zoom_items() const { return zoom_items_; }
  // "Preferences..." (Ctrl+P), after the Zoom submenu.
  QAction* preferences_item() const { return preferences_item_; }
  // The "Best games" submenu before the separator above Exit, and its
  // items: watch best Game A, watch best Game B, open the games folder.
  QMenu* best_games_menu() const { return best_games_menu_; }
  const std::vector<QAction*>& best_games_items() const { return best_games_items_; }
  // The offer of the game left unfinished, after "Best games"; shown only
  // while there is one.
  QAction* continue_item() const { return continue_item_; }
  // The caption of a best game's item or row: "Watch best Game A (312)", or
  // without the score when there is no such game.
  static QString watch_caption(char game, std::optional<int> score);
  // game_menu_items: item i of the menu, taken once, so row i mirrors it.
  QAction* item(int index) const { return items_[index]; }

  // The check mark of "Display in fullscreen mode", set from fullscreen_mode
  // at the main window's creation and at each toggle.
  void set_fullscreen_check(bool checked);
  // The check mark of "Display splash screen at startup" (set at Play).
  void set_splash_check(bool checked);

  // Right-click on the main window: the opening step, then the menu.
  void popup(QPoint global_position);
  // The opening step: the splash item's check mark from the store, and the
  // in-game menu closed in full screen.
  void pm_0_menuPopup();
  // A key pressed on the main window before its own key handling: true when
  // it was one of the six shortcuts (opening step, then the command).
  bool handle_shortcut(int virtual_key);
  // Runs one item's command, as from the menu; the overlay's extra rows
  // (kGameMenuZoomRow .. kGameMenuMuteRow) run theirs.
  void run_command(int index);
  // Ctrl+Plus (also typed Ctrl+Shift+=), Ctrl+Minus, Ctrl+0 on the main
  // window: true when taken.
  bool handle_zoom_key(const QKeyEvent& key);
  // Ctrl+P (the key where the layout has P): true when taken.
  bool handle_preferences_key(const QKeyEvent& key);

  // The in-game menu.
  bool game_menu_open() const { return game_menu_open_; }
  void btn_game_menu_topClick();
  void Vid_Display_Game_Menu();
  const std::vector<GameMenuRow*>& rows() const { return rows_; }

  // Takes the shortcut keys meant for the main window before its own key
  // handling (installed on the application).
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void close_game_menu();
  void pm_10_fullscreenClick();
  void pm_11_splashscreenClick();
  void pm_8_hiscoreClick();
  void build_zoom_menu();
  void build_best_games_menu();
  void show_best_games();
  void show_continue_offer();
  void show_zoom_marks();
  void fit_click();

  MenuHost& host_;
  QMenu* menu_ = nullptr;
  QMenu* zoom_menu_ = nullptr;
  std::array<QAction*, kMenuItemCount> items_{};
  std::vector<QAction*> zoom_items_;
  QAction* preferences_item_ = nullptr;
  QMenu* best_games_menu_ = nullptr;
  QAction* continue_item_ = nullptr;
  std::vector<QAction*> best_games_items_;
  bool game_menu_open_ = false;
  std::vector<GameMenuRow*> rows_;
};

// One row of the in-game menu: a transparent text line that turns into a
// solid black bar under the pointer; a left click runs its item's command, and
// any left release after a press on it closes the menu.
class GameMenuRow : public QLabel {
  Q_OBJECT
 public:
  // An active row answers the pointer; a dimmed one shows its text in grey
  // and does nothing (a separator's row shows nothing).
  GameMenuRow(const QString& text, bool active, QWidget* parent, bool dimmed = false);
  bool highlighted() const { return autoFillBackground(); }
  bool active() const { return active_; }

 signals:
  void clicked();
  void released();

 protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool active_;
  bool pressed_ = false;
};

// The rows' monospaced font, white on the dark backdrop.
QFont game_menu_font();

// The row text of an item: "[x] "/"[ ] " before the two "Display" items,
// four spaces before the others; empty for a separator.
QString game_menu_row_text(std::string_view caption, bool checked);
// Where row `row` (an item of the menu, or one of the overlay's own rows)
// stands, counted from the top: Exit is always the last.
int game_menu_position(int row);

}  // namespace hero
