// TPreferencesForm, the player's preferences beyond the seven keys: how loud
// the beeps are, how the LCD looks and how large the handheld is, and which
// gamepad button works each control. Sliders show their effect at once;
// Accept stores, Esc or the window system's close box puts back what was
// there. The main window takes no input while it is open.
#pragma once

#include <QPointer>
#include <QWidget>

#include <array>
#include <optional>

#include "dialogs/keys/key_bindings.h"
#include "display/gamepad/gamepad.h"
#include "engine/interfaces.h"
#include "startup/sound/sound_output.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;

namespace hero {

// What the dialog reaches in the rest of the program; the program gives the
// real one, tests a recorder.
class PreferencesHost {
 public:
  virtual ~PreferencesHost() = default;
  virtual QWidget* main_window() = 0;
  virtual SettingsStore& settings() = 0;
  // The loudness heard now, and a new one heard at once (not stored).
  virtual SoundLevel sound_level() const = 0;
  virtual void hear_sound_level(const SoundLevel& level) = 0;
  // One beep at the loudness heard now; false when no sound output was
  // chosen at start, so nothing can sound.
  virtual bool test_beep() = 0;
  // Unlit segments: the shade shown now, one shown at once (not stored), and
  // back to what the store and the skin say.
  virtual int ghost_percent() const = 0;
  virtual void show_ghost_percent(int percent) = 0;
  virtual void show_stored_ghost_percent() = 0;
  // Zoom and the full-screen fit; each stores itself as it changes.
  virtual int zoom_percent() const = 0;
  virtual void set_zoom_percent(int percent) = 0;
  virtual bool fullscreen_fit() const = 0;
  virtual void set_fullscreen_fit(bool on) = 0;
  // The mappings the pads work by, and the pads (none when SDL's game
  // controller layer could not start).
  virtual PadBindings& pad_bindings() = 0;
  virtual Gamepad* pad_input() = 0;
};

class TPreferencesForm : public QWidget {
  Q_OBJECT

 public:
  explicit TPreferencesForm(PreferencesHost& host, QWidget* parent = nullptr);
  ~TPreferencesForm() override;

  // Fills every control from what is in use now, centres the dialog on the
  // screen, shows it and takes the input away from the main window.
  void show_centred();
  // Stores everything (Volume, Mute, GhostSegments, Pad1..Pad7, and the zoom
  // and fit where they changed), then closes.
  void accept();
  // Puts back the loudness and the shade that were in use, then closes;
  // nothing is stored.
  void cancel();
  // "Restore defaults" of the gamepad section: the seven default buttons
  // (stored only by Accept).
  void restore_pad_defaults();
  // The "Press" beside a control: the next button pressed on any pad goes
  // to that control; Esc, or closing the dialog, gives up waiting.
  void capture_pad_button(KeyAction action);
  bool capturing() const { return capturing_.has_value(); }

  QSlider* volume_slider() const { return volume_; }
  QCheckBox* mute_box() const { return mute_; }
  QPushButton* test_button() const { return test_; }
  QSlider* ghost_slider() const { return ghost_; }
  QLabel* pads_label() const { return pads_; }
  QComboBox* pad_box(KeyAction action) const { return pad_boxes_[static_cast<std::size_t>(action)]; }
  QPushButton* press_button(KeyAction action) const {
    return press_buttons_[static_cast<std::size_t>(action)];
  }
  QPushButton* defaults_button() const { return defaults_; }
  QPushButton* accept_button() const { return accept_; }
  QPushButton* cancel_button() const { return cancel_; }
  // The mappings as the dialog shows them (not yet stored).
  const PadBindings& shown_pad_bindings() const { return pads_shown_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  // Closed by the window system (Alt+F4, a close box): as Esc.
  void closeEvent(QCloseEvent* event) override;

 private:
  bool handle_key(QKeyEvent* event);
  void close_dialog();
  void stop_capture();
  void show_sound_level();
  void show_pad_bindings();
  void show_pads();
  void pad_box_changed(KeyAction action);

  PreferencesHost& host_;
  QPointer<QWidget> main_window_;
  // What was in use when the dialog opened, put back by Esc.
  SoundLevel opened_level_;
  int opened_ghost_ = 0;
  PadBindings pads_shown_;
  std::optional<KeyAction> capturing_;
  bool filling_ = false;  // controls being set from the program, not the player

  QSlider* volume_ = nullptr;
  QLabel* volume_value_ = nullptr;
  QCheckBox* mute_ = nullptr;
  QPushButton* test_ = nullptr;
  QLabel* sound_note_ = nullptr;
  QSlider* ghost_ = nullptr;
  QLabel* ghost_value_ = nullptr;
  QComboBox* zoom_ = nullptr;
  QCheckBox* fit_ = nullptr;
  QLabel* pads_ = nullptr;
  std::array<QComboBox*, kKeyActionCount> pad_boxes_{};
  std::array<QPushButton*, kKeyActionCount> press_buttons_{};
  QPushButton* defaults_ = nullptr;
  QPushButton* accept_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

}  // namespace hero
