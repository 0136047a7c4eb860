// TPreferencesForm, the player's preferences beyond the seven keys: how loud
// the beeps are, how the LCD looks and how large the handheld is, and which
// gamepad button works each control. Sliders show their effect at once;
// Accept stores, Esc or the window system's close box puts back what was
// there. The main window takes no input while it is open.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "dialogs/keys/key_bindings.h"
#include "dialogs/keys/modal_form.h"
#include "dialogs/menus/live_settings.h"
#include "display/gamepad/gamepad.h"
#include "engine/interfaces.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;

namespace hero {

// What the dialog reaches in the rest of the program; the program gives the
// real one, tests a recorder. Volume, Mute, GhostSegments, Zoom and
// FullscreenFit are reached through SettingsHost::live.
class PreferencesHost : public SettingsHost {
 public:
  // One beep at the loudness heard now; false when no sound output was
  // chosen at start, so nothing can sound.
  virtual bool test_beep() = 0;
  // The mappings the pads work by, and the pads (none when SDL's game
  // controller layer could not start).
  virtual PadBindings& pad_bindings() = 0;
  virtual Gamepad* pad_input() = 0;
};

// One control of the dialog bound to one stored value: filled from what is
// in use when the dialog opens, each change shown at once where the value is
// live, written by Accept, and what the store says put in use again when
// the dialog closes.
class BoundControl {
 public:
  virtual ~BoundControl() = default;
  virtual void fill() = 0;
  virtual void write(SettingsStore& store) = 0;
  virtual void reread() = 0;
};

class TPreferencesForm : public ModalForm {
  Q_OBJECT

 public:
  explicit TPreferencesForm(PreferencesHost& host, QWidget* parent = nullptr);
  ~TPreferencesForm() override;

  // Fills every control from what is in use now, centres the dialog on the
  // screen, shows it and takes the input away from the main window.
  void show_centred();
  // Stores every control's value (each that the player changed or had
  // stored before, and Pad1..Pad7), puts them in use, then closes.
  void accept();
  // Puts back what was in use, then closes; nothing is stored.
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
  QComboBox* zoom_box() const { return zoom_; }
  QComboBox* speed_box() const { return speed_; }
  QCheckBox* shadows_box() const { return shadows_; }
  // Shadows on, the response and the unlit shade of a real unit's glass.
  QPushButton* realistic_button() const { return realistic_; }
  static constexpr int kRealisticResponseMs = 120;
  static constexpr int kRealisticGhostPercent = 8;
  QSlider* response_slider() const { return response_; }
  QCheckBox* fit_box() const { return fit_; }
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
  // Esc first gives up waiting for a pad's button, then cancels; Enter
  // accepts, unless an open drop-down list takes it. A close by the window
  // system is as Esc.
  bool enter_pressed() override;
  bool escape_pressed() override;
  void put_back() override;

 private:
  void reread_all();
  void stop_capture();
  void show_pad_bindings();
  void show_pads();
  void pad_box_changed(KeyAction action);

  PreferencesHost& host_;
  std::vector<std::unique_ptr<BoundControl>> bound_;
  PadBindings pads_shown_;
  std::optional<KeyAction> capturing_;
  bool filling_ = false;  // pad boxes being set from the program, not the player

  QSlider* volume_ = nullptr;
  QLabel* volume_value_ = nullptr;
  QCheckBox* mute_ = nullptr;
  QPushButton* test_ = nullptr;
  QLabel* sound_note_ = nullptr;
  QSlider* ghost_ = nullptr;
  QLabel* ghost_value_ = nullptr;
  QComboBox* zoom_ = nullptr;
  QComboBox* speed_ = nullptr;
  QCheckBox* shadows_ = nullptr;
  QPushButton* realistic_ = nullptr;
  QSlider* response_ = nullptr;
  QLabel* response_value_ = nullptr;
  QCheckBox* fit_ = nullptr;
  QLabel* pads_ = nullptr;
  std::array<QComboBox*, kKeyActionCount> pad_boxes_{};
  std::array<QPushButton*, kKeyActionCount> press_buttons_{};
  QPushButton* defaults_ = nullptr;
  QPushButton* accept_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

}  // namespace hero
