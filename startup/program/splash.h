// The splash screen (TSplashForm): the program's credits and contact page,
// and the place where the player picks a skin and a sound output before the
// handheld is switched on. Play is the one point where sound starts, the
// chosen skin is laid out and the handheld lights up. When the player has
// switched the splash screen off and both earlier choices still fit, Play
// happens during start-up and the splash screen never appears.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <QWidget>

#include "engine/interfaces.h"

class QCheckBox;
class QComboBox;
class QLabel;

namespace hero {

class ClickLabel;

// What Play and the splash creation step reach in the rest of the program.
class SplashHost {
 public:
  virtual ~SplashHost() = default;
  virtual SettingsStore& settings() = 0;
  // The names of catalogue entries 1..skin_count, in catalogue order.
  virtual std::vector<std::string> skin_names() const = 0;
  // Their folders, in the same order.
  virtual std::vector<std::string> skin_folders() const = 0;
  virtual void set_selected_skin(int skin) = 0;
  // Play's sound step for the driver at this list position. False when the
  // first sample is missing: the message was shown, SoundMode and
  // SplashScreen were reset and termination was requested.
  virtual bool initialise_sound(int driver_position) = 0;
  // The context menu's "Display splash screen at startup" mark.
  virtual void set_splash_menu_check(bool checked) = 0;
  // The chosen skin laid out while the main window is off the screen, then
  // the window centred.
  virtual void load_selected_skin() = 0;
  // game_mode 1, every segment lit.
  virtual void switch_on() = 0;
  virtual void request_termination() = 0;
  // A failure during start-up's automatic Play (a skin picture that cannot
  // be read), shown as the general error handler shows a handler's failure.
  virtual void report_failure(const std::string& message) = 0;
  // The offer of a game left unfinished when the program last ended, and
  // that game going on (after switch_on); see MenuHost.
  virtual std::optional<QString> unfinished_game_offer() const { return std::nullopt; }
  virtual void continue_unfinished_game() {}
};

class TSplashForm : public QWidget {
  Q_OBJECT
 public:
  // Builds the window and runs its creation step, which may perform Play at
  // once (the automatic path) or leave the window shown at the centre of the
  // screen.
  explicit TSplashForm(SplashHost& host, QWidget* parent = nullptr);

  // The main window's first activation shows the splash screen, once; the
  // automatic path has already cleared the flag.
  void main_window_activated();
  bool splash_pending() const { return splash_pending_; }
  // True when the creation step took the automatic path.
  bool started_automatically() const { return automatic_; }

  // The Play rule: Play is enabled (and shown) exactly when both lists show
  // a text; otherwise its disabled picture shows in its place.
  void apply_play_rule();
  void btn_playClick();
  // The splash screen's key preview: Enter or 1 play when Play is enabled,
  // Esc ends the program. No key is consumed.
  void FormKeyDown(int virtual_key);

  QComboBox* cb_skin() const { return cb_skin_; }
  QComboBox* cb_sound() const { return cb_sound_; }
  QCheckBox* chb_splashscreen() const { return chb_splashscreen_; }
  // Shown only when a game was left unfinished: ticked, Play goes on with it.
  QCheckBox* chb_continue() const { return chb_continue_; }
  ClickLabel* btn_play() const { return btn_play_; }
  QLabel* btn_play_disabled() const { return btn_play_disabled_; }
  ClickLabel* la_website_2() const { return la_website_2_; }
  ClickLabel* la_email_2() const { return la_email_2_; }
  ClickLabel* btn_paypal() const { return btn_paypal_; }

 protected:
  void showEvent(QShowEvent* event) override;
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void build();
  void FormCreate();

  SplashHost& host_;
  bool splash_pending_ = true;
  bool automatic_ = false;
  bool played_ = false;
  bool in_play_ = false;
  bool closing_for_play_ = false;
  // The key press last seen on its way to a control; it reaches the window
  // again when the control leaves it alone. Only compared, never read.
  const QEvent* previewed_key_ = nullptr;
  QComboBox* cb_skin_ = nullptr;
  QComboBox* cb_sound_ = nullptr;
  QCheckBox* chb_splashscreen_ = nullptr;
  QCheckBox* chb_continue_ = nullptr;
  ClickLabel* btn_play_ = nullptr;
  QLabel* btn_play_disabled_ = nullptr;
  ClickLabel* la_website_2_ = nullptr;
  ClickLabel* la_email_2_ = nullptr;
  ClickLabel* btn_paypal_ = nullptr;
  QLabel* la_game_title_ = nullptr;
  QLabel* la_version_ = nullptr;
  QLabel* la_release_date_ = nullptr;
};

}  // namespace hero
