#include "display/key_codes.h"

#include <QKeyEvent>
#include <array>

namespace hero {

namespace {

struct KeyRow {
  int qt_key;
  VirtualKey code;
};

// Keys other than digits and letters, by their Qt name.
constexpr std::array kSpecialKeys{
    KeyRow{Qt::Key_Backspace, 8},   KeyRow{Qt::Key_Tab, 9},        KeyRow{Qt::Key_Backtab, 9},
    KeyRow{Qt::Key_Return, 13},     KeyRow{Qt::Key_Enter, 13},     KeyRow{Qt::Key_Shift, 16},
    KeyRow{Qt::Key_Control, 17},    KeyRow{Qt::Key_Alt, 18},       KeyRow{Qt::Key_Pause, 19},
    KeyRow{Qt::Key_CapsLock, 20},   KeyRow{Qt::Key_Escape, 27},    KeyRow{Qt::Key_Space, 32},
    KeyRow{Qt::Key_PageUp, 33},     KeyRow{Qt::Key_PageDown, 34},  KeyRow{Qt::Key_End, 35},
    KeyRow{Qt::Key_Home, 36},       KeyRow{Qt::Key_Left, 37},      KeyRow{Qt::Key_Up, 38},
    KeyRow{Qt::Key_Right, 39},      KeyRow{Qt::Key_Down, 40},      KeyRow{Qt::Key_Insert, 45},
    KeyRow{Qt::Key_Delete, 46},     KeyRow{Qt::Key_F1, 112},       KeyRow{Qt::Key_F2, 113},
    KeyRow{Qt::Key_F3, 114},        KeyRow{Qt::Key_F4, 115},       KeyRow{Qt::Key_F5, 116},
    KeyRow{Qt::Key_F6, 117},        KeyRow{Qt::Key_F7, 118},       KeyRow{Qt::Key_F8, 119},
    KeyRow{Qt::Key_F9, 120},        KeyRow{Qt::Key_F10, 121},      KeyRow{Qt::Key_F11, 122},
    KeyRow{Qt::Key_F12, 123},
};

// The digit row with Shift held, on a US layout: the key is still its digit.
constexpr std::array kShiftedDigits{
    KeyRow{Qt::Key_ParenRight, '0'}, KeyRow{Qt::Key_Exclam, '1'},     KeyRow{Qt::Key_At, '2'},
    KeyRow{Qt::Key_NumberSign, '3'}, KeyRow{Qt::Key_Dollar, '4'},     KeyRow{Qt::Key_Percent, '5'},
    KeyRow{Qt::Key_AsciiCircum, '6'}, KeyRow{Qt::Key_Ampersand, '7'}, KeyRow{Qt::Key_Asterisk, '8'},
    KeyRow{Qt::Key_ParenLeft, '9'},
};

// The number pad's digits are keys of their own, as on the original platform.
constexpr VirtualKey kNumpad0 = 96;

}  // namespace

std::optional<VirtualKey> virtual_key_of(int qt_key, bool keypad) {
  if (qt_key >= Qt::Key_0 && qt_key <= Qt::Key_9) {
    const int digit = qt_key - Qt::Key_0;
    return static_cast<VirtualKey>(keypad ? kNumpad0 + digit : '0' + digit);
  }
  if (qt_key >= Qt::Key_A && qt_key <= Qt::Key_Z) return static_cast<VirtualKey>('A' + (qt_key - Qt::Key_A));
  for (const KeyRow& row : kSpecialKeys) {
    if (row.qt_key == qt_key) return row.code;
  }
  if (!keypad) {
    for (const KeyRow& row : kShiftedDigits) {
      if (row.qt_key == qt_key) return row.code;
    }
  }
  return std::nullopt;
}

std::optional<VirtualKey> virtual_key_of(const QKeyEvent& event) {
  return virtual_key_of(event.key(), event.modifiers().testFlag(Qt::KeypadModifier));
}

KeyDelivery key_delivery(bool is_press, bool is_auto_repeat) {
  if (is_press) return KeyDelivery::press;
  return is_auto_repeat ? KeyDelivery::drop : KeyDelivery::release;
}

}  // namespace hero
