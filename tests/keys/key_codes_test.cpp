// Qt keys become the virtual-key codes the bindings compare.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include "display/key_codes.h"

namespace hero {
namespace {

// Key events belong to the application's keyboard device: make sure there is
// an application before building one.
void ensure_app() {
  static int argc = 1;
  static char name[] = "key_codes_test";
  static char* argv[] = {name, nullptr};
  if (!QApplication::instance()) new QApplication(argc, argv);
}

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

TEST(KeyCodes, ShiftedDigitStillPressesItsDigit) {
  ensure_app();
  QKeyEvent shifted(QEvent::KeyPress, Qt::Key_Exclam, Qt::ShiftModifier, QStringLiteral("!"));
  EXPECT_EQ(virtual_key_of(shifted), '1');
  EXPECT_EQ(virtual_key_of(Qt::Key_ParenRight, false), '0');
}

TEST(KeyCodes, NumberPadDigitsAreNotTheDigitRow) {
  ensure_app();
  QKeyEvent pad(QEvent::KeyPress, Qt::Key_1, Qt::KeypadModifier);
  EXPECT_EQ(virtual_key_of(pad), 97);
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
