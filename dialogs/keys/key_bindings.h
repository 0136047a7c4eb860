// The seven keys that work the handheld: which of the 44 selectable keys
// each control is bound to, their virtual-key codes, the names the button
// hints use, and the hints themselves. Plain C++: the main window routes
// keys through it and the key settings dialog edits it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/interfaces.h"

namespace hero {

// The seven bindable controls, in binding order; the first binding that
// matches a key wins.
// A key binding's control: the engine's own.
using KeyAction = Control;
inline constexpr int kKeyActionCount = kControlCount;
inline constexpr int kKeyChoiceCount = 44;

// One selectable key: its caption in the dialog's boxes, its virtual-key
// code and its name inside hint sentences (for choices 37..44).
struct KeyChoice {
  std::string_view caption;
  std::uint16_t key_code;
  std::string_view hint_name;
};

// Choice n (1..44) as listed in the dialog; none outside that range.
std::optional<KeyChoice> key_choice(int choice);

struct KeyBinding {
  std::int32_t choice = 0;     // 1..44 once loaded
  std::uint16_t key_code = 0;  // 0 until first assigned
};

class KeyBindings {
 public:
  KeyBindings();

  // `key_names`: entry n (1..44) is the name hints use for choice n.
  const std::array<std::string, kKeyChoiceCount + 1>& key_names() const { return key_names_; }

  // Reads Key1..Key7 with their defaults and derives each key code. A stored
  // choice outside 1..44 falls back to the default, so no binding ever lacks
  // a key; a value that was missing or so mended is written back, a good one
  // is left alone.
  void load(SettingsStore& store);
  // Sets the key code of binding n (1..7) from its choice; a choice outside
  // 1..44 leaves the code as it is.
  void AssignWord(int n);
  // Stores `choice` for binding n (1..7) in Key<n> and derives its code.
  void accept(SettingsStore& store, int n, std::int32_t choice);

  const KeyBinding& binding(int n) const { return bindings_.at(static_cast<std::size_t>(n - 1)); }
  static std::int32_t default_choice(int n);
  static std::string value_name(int n);  // "Key1" .. "Key7"

  // The first action whose key is `code`; releases only reach the first six
  // (pause acts on the press alone).
  std::optional<KeyAction> action_for_press(std::uint16_t code) const;
  std::optional<KeyAction> action_for_release(std::uint16_t code) const;

  // The hint of a hot area, by element name ("btn_game_a_top" ...
  // "btn_alarm_top"); empty for any other name.
  std::string hint(std::string_view hot_area) const;

 private:
  std::string name_of(int n) const;

  std::array<std::string, kKeyChoiceCount + 1> key_names_;
  std::array<KeyBinding, kKeyActionCount> bindings_{};
};

}  // namespace hero
