// Qt keys become the virtual-key codes the bindings compare.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include "dialogs/keys/key_codes.h"
#include "tests/support/qt_app.h"

namespace hero {
namespace {

TEST(KeyCodes, DigitsLettersAndArrowsTakeTheirVirtualKeyCodes) {
  EXPECT_EQ(virtual_key_of(Qt::Key_0, false), 48);
  EXPECT_EQ(virtual_key_of(Qt::Key_9, false), 57);
  EXPECT_EQ(virtual_key_of(Qt::Key_A, false), 65);
  EXPECT_EQ(virtual_key_of(Qt::Key_Z, false), 90);
  EXPECT_EQ(virtual_key_of(Qt::Key_Left, false), 37);
  EXPECT_EQ(virtual_key_of(Qt::Key_Up, false), 38);
  EXPECT_EQ(virtual_key_of(Qt::Key_Right, false), 39);
  EXPECT_EQ(virtual_key_of(Qt::Key_Down, false), 40);
}

TEST(KeyCodes, ModifiersSpaceEnterEscapeAndFunctionKeys) {
  EXPECT_EQ(virtual_key_of(Qt::Key_Shift, false), 16);
  EXPECT_EQ(virtual_key_of(Qt::Key_Control, false), 17);
  EXPECT_EQ(virtual_key_of(Qt::Key_Alt, false), 18);
  EXPECT_EQ(virtual_key_of(Qt::Key_Space, false), 32);
  EXPECT_EQ(virtual_key_of(Qt::Key_Return, false), 13);
  EXPECT_EQ(virtual_key_of(Qt::Key_Enter, true), 13);
  EXPECT_EQ(virtual_key_of(Qt::Key_Escape, false), 27);
  EXPECT_EQ(virtual_key_of(Qt::Key_F1, false), 112);
  EXPECT_EQ(virtual_key_of(Qt::Key_F12, false), 123);
}

// Key events as X11 and Wayland deliver them: the layout's key and the
// keyboard's own number of the key.
TEST(KeyCodes, DigitRowIsItsDigitOnEveryLayoutAndWithShift) {
  EXPECT_EQ(virtual_key_of(KeyFacts{Qt::Key_Exclam, false, 10}), '1');     // US, Shift held
  EXPECT_EQ(virtual_key_of(KeyFacts{Qt::Key_Ampersand, false, 10}), '1');  // French
  EXPECT_EQ(virtual_key_of(KeyFacts{Qt::Key_Eacute, false, 11}), '2');
  EXPECT_EQ(virtual_key_of(KeyFacts{Qt::Key_QuoteDbl, false, 12}), '3');
  EXPECT_EQ(virtual_key_of(KeyFacts{Qt::Key_ParenLeft, false, 14}), '5');
  EXPECT_EQ(virtual_key_of(KeyFacts{Qt::Key_1, false, 10}), '1');  // French, Shift held
  EXPECT_EQ(virtual_key_of(KeyFacts{Qt::Key_Agrave, false, 19}), '0');
  EXPECT_EQ(virtual_key_of(KeyFacts{Qt::Key_Ampersand, false, 16}), '7');  // US, Shift held
  // Without the key's number a symbol is only a symbol: '&' is not a 7.
  EXPECT_FALSE(virtual_key_of(Qt::Key_Ampersand, false));
  EXPECT_FALSE(virtual_key_of(Qt::Key_Exclam, false));
}

TEST(KeyCodes, LettersFollowTheLayoutAndNonLatinLettersTheirPlace) {
  EXPECT_EQ(virtual_key_of(KeyFacts{Qt::Key_A, false, 24}), 'A');  // French: A where US has Q
  EXPECT_EQ(virtual_key_of(KeyFacts{Qt::Key_Z, false, 29}), 'Z');  // German: Z where US has Y
  EXPECT_EQ(virtual_key_of(KeyFacts{Qt::Key_Y, false, 52}), 'Y');
  EXPECT_EQ(virtual_key_of(KeyFacts{0x0424, false, 38}), 'A');  // Russian: Ф on the A key
  EXPECT_EQ(virtual_key_of(KeyFacts{0x0419, false, 24}), 'Q');  // Й on the Q key
  EXPECT_EQ(virtual_key_of(KeyFacts{0x042C, false, 58}), 'M');  // Ь on the M key
  // Punctuation on a letter key is no letter (French ',' where US has M).
  EXPECT_FALSE(virtual_key_of(KeyFacts{Qt::Key_Comma, false, 58}));
  // The German ß and ö are letters of the Latin script, not letter keys.
  EXPECT_FALSE(virtual_key_of(KeyFacts{Qt::Key_Odiaeresis, false, 47}));
  // Arrows and the space bar are the same keys everywhere.
  EXPECT_EQ(virtual_key_of(KeyFacts{Qt::Key_Left, false, 113}), 37);
  EXPECT_EQ(virtual_key_of(KeyFacts{Qt::Key_Space, false, 65}), 32);
}

TEST(KeyCodes, NumberPadDigitsAreNotTheDigitRow) {
  test::qt_app();
  QKeyEvent pad(QEvent::KeyPress, Qt::Key_1, Qt::KeypadModifier);
  EXPECT_EQ(virtual_key_of(pad), 97);
  EXPECT_EQ(virtual_key_of(KeyFacts{Qt::Key_1, true, 87}), 97);
}

TEST(KeyCodes, KeysTheHandheldCannotUseHaveNoCode) {
  EXPECT_FALSE(virtual_key_of(Qt::Key_Eacute, false));
  EXPECT_FALSE(virtual_key_of(Qt::Key_unknown, false));
  EXPECT_FALSE(virtual_key_of(0, false));
}

TEST(KeyDeliveryRules, HeldKeyRepeatsPressesWithoutReleasesInBetween) {
  EXPECT_EQ(key_delivery(true, false), KeyDelivery::press);
  EXPECT_EQ(key_delivery(true, true), KeyDelivery::press);
  EXPECT_EQ(key_delivery(false, true), KeyDelivery::drop);
  EXPECT_EQ(key_delivery(false, false), KeyDelivery::release);
}

}  // namespace
}  // namespace hero
