// Keys as the handheld's key bindings know them: 16-bit Windows virtual-key
// codes (digits 48-57, letters 65-90, arrows 37-40, ...). A code names the
// physical key as Windows names it on the player's keyboard layout: the
// digit row is 48-57 on every layout, letters follow the layout's letter,
// and the modifier state plays no part.
#pragma once

#include <cstdint>
#include <optional>

class QKeyEvent;

namespace hero {

using VirtualKey = std::uint16_t;

inline constexpr VirtualKey vk_return = 13;
inline constexpr VirtualKey vk_escape = 27;
inline constexpr VirtualKey vk_left = 37;
inline constexpr VirtualKey vk_right = 39;
inline constexpr VirtualKey vk_1 = 49;

// What is known of one key event: the key as the layout gives it, whether
// it came from the number pad, and the keyboard's own number of the key
// (X11 and Wayland key codes, evdev + 8), 0 where the window system gives
// none.
struct KeyFacts {
  int qt_key = 0;
  bool keypad = false;
  std::uint32_t xkb_keycode = 0;
};

// The virtual-key code of a key, or none for keys the handheld cannot use.
std::optional<VirtualKey> virtual_key_of(const KeyFacts& key);
std::optional<VirtualKey> virtual_key_of(int qt_key, bool keypad);
std::optional<VirtualKey> virtual_key_of(const QKeyEvent& event);

// What a key event means to the handheld: presses (first ones and those of
// a held key) go through; the releases that auto-repeat puts between the
// repeated presses are dropped, so a held key looks as one long press.
enum class KeyDelivery { press, release, drop };
KeyDelivery key_delivery(bool is_press, bool is_auto_repeat);

}  // namespace hero
