// The pictures compiled into the program, read back through the resources.
#include <gtest/gtest.h>

#include <QImage>

#include "assets/builtin_art.h"
#include "tests/assets/asset_test_support.h"

namespace hero {
namespace {

class BuiltinArtTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::ensure_gui();
    init_builtin_art();
  }
  static QImage load(const char* path) { return QImage(QString::fromLatin1(path)); }
};

TEST_F(BuiltinArtTest, EveryPictureIsThereAtItsWindowsSize) {
  const struct {
    const char* path;
    QSize size;
  } expected[] = {
      {art::kSplashBackground, {460, 450}},
      {art::kBoxPicture, {160, 86}},
      {art::kPlay, {107, 30}},
      {art::kPlayDisabled, {107, 30}},
      {art::kDonate, {107, 30}},
      {art::kAbout, {512, 448}},
      {art::kManualCloseUp, {16, 14}},
      {art::kManualCloseDown, {16, 14}},
      {art::kManualLeftUp, {16, 14}},
      {art::kManualLeftDown, {16, 14}},
      {art::kManualRightUp, {16, 14}},
      {art::kManualRightDown, {16, 14}},
      {art::kGameMenu, {512, 640}},
      {art::kIcon, {64, 64}},
  };
  for (const auto& e : expected) {
    const QImage image = load(e.path);
    ASSERT_FALSE(image.isNull()) << e.path;
    EXPECT_EQ(image.size(), e.size) << e.path;
  }
}

TEST_F(BuiltinArtTest, InitialisingTwiceIsHarmless) {
  init_builtin_art();
  EXPECT_FALSE(load(art::kIcon).isNull());
}

TEST_F(BuiltinArtTest, PressedManualKeysDifferFromReleasedOnes) {
  const std::pair<const char*, const char*> pairs[] = {{art::kManualCloseUp, art::kManualCloseDown},
                                                       {art::kManualLeftUp, art::kManualLeftDown},
                                                       {art::kManualRightUp, art::kManualRightDown}};
  for (const auto& [up, down] : pairs) EXPECT_NE(load(up), load(down)) << up;
  EXPECT_NE(load(art::kManualLeftUp), load(art::kManualRightUp));
  EXPECT_NE(load(art::kPlay), load(art::kPlayDisabled));
}

TEST_F(BuiltinArtTest, GameMenuStripIsOpaqueBlackWithAWhiteIconAndTitle) {
  const QImage menu = load(art::kGameMenu).convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(menu.size(), QSize(512, 640));
  int icon_white = 0, title_white = 0;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 512; ++x) {
      const QRgb p = menu.pixel(x, y);
      ASSERT_EQ(qAlpha(p), 255) << x << "," << y;
      const bool white = p == qRgba(255, 255, 255, 255);
      const bool black = p == qRgba(0, 0, 0, 255);
      ASSERT_TRUE(white || black) << x << "," << y;
      const bool in_icon = x >= 8 && x <= 27;
      const bool in_title = x >= 36 && x <= 124;
      if (white) {
        ASSERT_TRUE(in_icon || in_title) << "white outside the icon and title at " << x << "," << y;
        (in_icon ? icon_white : title_white)++;
      }
    }
  }
  EXPECT_GT(icon_white, 60);    // three bars
  EXPECT_GT(title_white, 100);  // "Game menu"
}

TEST_F(BuiltinArtTest, GameMenuBelowTheStripIsEightyPercentBlack) {
  const QImage menu = load(art::kGameMenu).convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(menu.size(), QSize(512, 640));
  for (int y = 32; y < 640; ++y)
    for (int x = 0; x < 512; ++x) ASSERT_EQ(menu.pixel(x, y), qRgba(0, 0, 0, 204)) << x << "," << y;
}

}  // namespace
}  // namespace hero
