// Playing from a gamepad: which controller button works each of the seven
// controls (Pad1..Pad7, SDL's button names), and the pads themselves through
// SDL's game controller layer. Runs on the user-interface thread: one Qt
// timer pumps SDL's input often while a pad is connected and only looks for
// a newly plugged pad, twice a second, while none is.
#pragma once

#include <QObject>
#include <QTimer>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/keys/key_bindings.h"
#include "engine/interfaces.h"

namespace hero {

// A controller button as SDL numbers it (SDL_GameControllerButton).
using PadButton = int;
inline constexpr PadButton kNoPadButton = -1;

class PadBindings {
 public:
  // The defaults: A GAME A, B GAME B, Y TIME, Back ACL, the d-pad LEFT and
  // RIGHT, Start PAUSE.
  PadBindings();

  // Reads Pad1..Pad7 in order; a name that is no controller button reads as
  // the default, and one that names a button already bound swaps the two
  // (as the dialog does). Nothing is written.
  void load(const SettingsStore& store);
  // Writes Pad1..Pad7 in order; each is on disk when its write returns.
  void store(SettingsStore& store) const;
  void restore_defaults();

  PadButton button(KeyAction action) const { return buttons_[static_cast<std::size_t>(action)]; }
  // Another control on the same button gets this control's old button, so no
  // control is ever left without one.
  void set_button(KeyAction action, PadButton button);
  // The first control (in binding order) worked by the button.
  std::optional<KeyAction> action_for(PadButton button) const;

  static PadButton default_button(KeyAction action);
  static std::string value_name(int n);  // "Pad1" .. "Pad7"
  // SDL's own names ("a", "dpleft", "start"); empty for no button.
  static std::string button_name(PadButton button);
  static std::optional<PadButton> button_by_name(std::string_view name);
  // What a player reads on the pad: "A", "Start", "D-pad left"; SDL's own
  // name for a button this list does not know.
  static std::string button_caption(PadButton button);
  static int button_count();

  friend bool operator==(const PadBindings&, const PadBindings&) = default;

 private:
  std::array<PadButton, kKeyActionCount> buttons_{};
};

class Gamepad : public QObject {
  Q_OBJECT

 public:
  // How often SDL's input is pumped: while a pad is connected (a press is
  // seen within this), and while none is (a newly plugged pad is found).
  static constexpr int kActivePollMs = 4;
  static constexpr int kIdlePollMs = 500;
  // The left stick works LEFT and RIGHT past half way, and lets go again
  // back under a quarter, so a stick resting near the edge does not chatter.
  static constexpr int kStickPressAt = 16384;
  static constexpr int kStickReleaseUnder = 8192;

  // A control pressed (true) or released on some pad.
  using ControlSink = std::function<void(KeyAction action, bool down)>;

  // Starts SDL's game controller subsystem alone (sound starts its own part
  // of SDL separately; each is shut down by its own owner).
  Gamepad(const PadBindings& bindings, ControlSink sink, QObject* parent = nullptr);
  ~Gamepad() override;
  Gamepad(const Gamepad&) = delete;
  Gamepad& operator=(const Gamepad&) = delete;

  // False when SDL's game controller subsystem could not start; the
  // handheld then simply has no gamepad.
  bool available() const { return available_; }

  // One look at SDL's input: pads plugged in or out, buttons and the stick.
  // The timer calls it; tests call it directly.
  void poll();
  bool polling() const { return timer_.isActive(); }
  int poll_interval_ms() const { return timer_.interval(); }

  int pad_count() const;
  std::vector<std::string> pad_names() const;

  // The next button pressed on any pad goes to `capture` instead of working
  // a control (the Preferences dialog's "press a button").
  void capture_next_button(std::function<void(PadButton)> capture);
  void cancel_capture() { capture_ = nullptr; }
  bool capturing() const { return static_cast<bool>(capture_); }

 signals:
  void pads_changed();

 private:
  struct Pad;
  void open_pad(int device_index);
  void close_pad(int instance_id);
  Pad* pad(int instance_id);
  void button_event(Pad& pad, PadButton button, bool down);
  void stick_event(Pad& pad, int value);
  void hold(Pad& pad, KeyAction action, bool down);
  void update_timer();

  const PadBindings& bindings_;
  ControlSink sink_;
  std::function<void(PadButton)> capture_;
  bool available_ = false;
  QTimer timer_;
  std::vector<Pad> pads_;
};

}  // namespace hero
