#include "dialogs/keys/key_codes.h"

#include <QChar>
#include <QGuiApplication>
#include <QKeyEvent>
#include <array>

namespace hero {

namespace {

struct KeyRow {
  int qt_key;
  VirtualKey code;
};

// Keys other than digits and letters, by their Qt name: these are the same
// keys on every layout.
constexpr std::array kSpecialKeys{
    KeyRow{Qt::Key_Backspace, 8}, KeyRow{Qt::Key_Tab, 9},       KeyRow{Qt::Key_Backtab, 9},
    KeyRow{Qt::Key_Return, 13},   KeyRow{Qt::Key_Enter, 13},    KeyRow{Qt::Key_Shift, 16},
    KeyRow{Qt::Key_Control, 17},  KeyRow{Qt::Key_Alt, 18},      KeyRow{Qt::Key_Pause, 19},
    KeyRow{Qt::Key_CapsLock, 20}, KeyRow{Qt::Key_Escape, 27},   KeyRow{Qt::Key_Space, 32},
    KeyRow{Qt::Key_PageUp, 33},   KeyRow{Qt::Key_PageDown, 34}, KeyRow{Qt::Key_End, 35},
    KeyRow{Qt::Key_Home, 36},     KeyRow{Qt::Key_Left, 37},     KeyRow{Qt::Key_Up, 38},
    KeyRow{Qt::Key_Right, 39},    KeyRow{Qt::Key_Down, 40},     KeyRow{Qt::Key_Insert, 45},
    KeyRow{Qt::Key_Delete, 46},   KeyRow{Qt::Key_F1, 112},      KeyRow{Qt::Key_F2, 113},
    KeyRow{Qt::Key_F3, 114},      KeyRow{Qt::Key_F4, 115},      KeyRow{Qt::Key_F5, 116},
    KeyRow{Qt::Key_F6, 117},      KeyRow{Qt::Key_F7, 118},      KeyRow{Qt::Key_F8, 119},
    KeyRow{Qt::Key_F9, 120},      KeyRow{Qt::Key_F10, 121},     KeyRow{Qt::Key_F11, 122},
    KeyRow{Qt::Key_F12, 123},
};

// The digit row's key codes: 1 to 9, then 0, whatever the layout prints on
// them (& é " ' on a French keyboard, + ě š on a Czech one).
constexpr std::uint32_t kXkbDigit1 = 10;
constexpr std::uint32_t kXkbDigit0 = 19;

// The letter keys by their place on the keyboard, for layouts whose letters
// are not Latin (Cyrillic, Greek, ...): Windows names them by the Latin
// letter a US keyboard has there.
// clang-format off
constexpr std::array<KeyRow, 26> kXkbLetterPlaces{{
    {24, 'Q'}, {25, 'W'}, {26, 'E'}, {27, 'R'}, {28, 'T'}, {29, 'Y'}, {30, 'U'}, {31, 'I'}, {32, 'O'},
    {33, 'P'}, {38, 'A'}, {39, 'S'}, {40, 'D'}, {41, 'F'}, {42, 'G'}, {43, 'H'}, {44, 'J'}, {45, 'K'},
    {46, 'L'}, {52, 'Z'}, {53, 'X'}, {54, 'C'}, {55, 'V'}, {56, 'B'}, {57, 'N'}, {58, 'M'},
}};
// clang-format on

// The number pad's digits are keys of their own, as on Windows.
constexpr VirtualKey kNumpad0 = 96;

// Whether the window system's key codes are the X keyboard's (X11 and
// Wayland both deliver them as the native scan code).
bool platform_has_xkb_keycodes() {
  const QString platform = QGuiApplication::platformName();
  return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
}

}  // namespace

std::optional<VirtualKey> virtual_key_of(const KeyFacts& key) {
  const std::uint32_t keycode = key.keypad ? 0 : key.xkb_keycode;
  if (keycode >= kXkbDigit1 && keycode <= kXkbDigit0)
    return static_cast<VirtualKey>(keycode == kXkbDigit0 ? '0' : '1' + (keycode - kXkbDigit1));
  const int qt_key = key.qt_key;
  if (qt_key >= Qt::Key_0 && qt_key <= Qt::Key_9) {
    const int digit = qt_key - Qt::Key_0;
    return static_cast<VirtualKey>(key.keypad ? kNumpad0 + digit : '0' + digit);
  }
  if (qt_key >= Qt::Key_A && qt_key <= Qt::Key_Z) return static_cast<VirtualKey>('A' + (qt_key - Qt::Key_A));
  for (const KeyRow& row : kSpecialKeys) {
    if (row.qt_key == qt_key) return row.code;
  }
  // A letter of another script: the key's place names it. Punctuation that a
  // layout puts on a letter key (the French ',' on the US 'm') stays unnamed,
  // as on Windows.
  if (keycode != 0 && qt_key > 0xff && qt_key <= 0xffff && QChar(static_cast<char16_t>(qt_key)).isLetter()) {
    for (const KeyRow& row : kXkbLetterPlaces) {
      if (static_cast<std::uint32_t>(row.qt_key) == keycode) return row.code;
    }
  }
  return std::nullopt;
}

std::optional<VirtualKey> virtual_key_of(int qt_key, bool keypad) {
  return virtual_key_of(KeyFacts{qt_key, keypad, 0});
}

std::optional<VirtualKey> virtual_key_of(const QKeyEvent& event) {
  KeyFacts key{event.key(), event.modifiers().testFlag(Qt::KeypadModifier), 0};
#if defined(Q_OS_WIN)
  // Windows gives the code itself.
  const quint32 native = event.nativeVirtualKey();
  if (native > 0 && native < 0xff && !key.keypad) {
    if ((native >= '0' && native <= '9') || (native >= 'A' && native <= 'Z'))
      return static_cast<VirtualKey>(native);
  }
#else
  static const bool xkb = platform_has_xkb_keycodes();
  if (xkb) key.xkb_keycode = event.nativeScanCode();
#endif
  return virtual_key_of(key);
}

KeyDelivery key_delivery(bool is_press, bool is_auto_repeat) {
  if (is_press) return KeyDelivery::press;
  return is_auto_repeat ? KeyDelivery::drop : KeyDelivery::release;
}

}  // namespace hero
