// Keys as the handheld's key bindings know them: 16-bit virtual-key codes of
// the original platform (digits 48-57, letters 65-90, arrows 37-40, ...).
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

// The virtual-key code of a Qt key, or none for keys the handheld cannot
// use. Shifted digits of a US layout still give their digit, since the
// modifier state plays no part in the bindings.
std::optional<VirtualKey> virtual_key_of(int qt_key, bool keypad);
std::optional<VirtualKey> virtual_key_of(const QKeyEvent& event);

// What a key event means to the handheld: presses (first ones and those of
// a held key) go through; the releases that auto-repeat puts between the
// repeated presses are dropped, so a held key looks as one long press.
enum class KeyDelivery { press, release, drop };
KeyDelivery key_delivery(bool is_press, bool is_auto_repeat);

}  // namespace hero
