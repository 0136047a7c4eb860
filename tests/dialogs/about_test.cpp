#include <gtest/gtest.h>
#include <QLabel>
#include <QTest>
#include <QUrl>
#include <algorithm>

#include "dialogs/menus/about.h"
#include "dialogs/menus/click_label.h"
#include "dialogs/menus/links.h"
#include "dialogs/menus/placement.h"
#include "dialogs/menus/shell.h"
#include "tests/support/qt_app.h"

namespace hero {
namespace {

class AboutBox : public ::testing::Test {
 protected:
  void SetUp() override {
    test::qt_app();
    set_shell_opener([this](const QUrl& url) { opened.push_back(url); });
    about = std::make_unique<TAboutForm>();
  }
  void TearDown() override { set_shell_opener({}); }

  std::vector<QUrl> opened;
  std::unique_ptr<TAboutForm> about;
};

TEST_F(AboutBox, ShowsTheReleaseInPlaceOfThePlaceholders) {
  EXPECT_EQ(about->la_version()->text(), QString("Version S5/1.02  * Bugfix *"));
  EXPECT_EQ(about->la_date()->text(), QString("21st November 2022"));
  EXPECT_EQ(about->windowTitle(), QString("About"));
  EXPECT_EQ(about->size(), QSize(512, 448));
}

TEST_F(AboutBox, CarriesTheHistoryLinesAsWritten) {
  const auto* first = about->findChild<QLabel*>("la_history_1");
  const auto* third = about->findChild<QLabel*>("la_history_3");
  const auto* middle = about->findChild<QLabel*>("la_written_by_2");
  ASSERT_TRUE(first && third && middle);
  EXPECT_EQ(first->text(), QString("Based on Vantro"));
  EXPECT_EQ(third->text(), QString("Originaly published in 1981"));
  EXPECT_EQ(middle->text(), QString("based on source code provided"));
  // Centred on the portrait's axis.
  EXPECT_EQ(first->geometry().center().x(), 352);
}

TEST_F(AboutBox, WebsiteClickOpensThePageAndCloses) {
  about->show_dialog();
  ASSERT_TRUE(about->isVisible());
  QTest::mouseClick(about->la_website(), Qt::LeftButton);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], QUrl(links::kWebsiteUrl));
  EXPECT_FALSE(about->isVisible());
}

TEST_F(AboutBox, DonationClickOpensTheDonationPageAndCloses) {
  about->show_dialog();
  QTest::mouseClick(about->btn_paypal(), Qt::LeftButton);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], QUrl(links::kDonationUrl));
  EXPECT_FALSE(about->isVisible());
}

// With the keyboard alone: Tab walks the two links, the one with the
// keyboard shows a frame, and Space opens it.
TEST_F(AboutBox, TabReachesTheLinksWhichShowTheFocusAndSpaceOpensThem) {
  about->show_dialog();
  QApplication::setActiveWindow(about.get());
  const QImage unfocused = about->btn_paypal()->grab().toImage();
  std::vector<QWidget*> reached{QApplication::focusWidget()};
  for (int i = 0; i < 4 && QApplication::focusWidget() != about->btn_paypal(); ++i) {
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : about.get(), Qt::Key_Tab);
    reached.push_back(QApplication::focusWidget());
  }
  ASSERT_EQ(QApplication::focusWidget(), about->btn_paypal());
  EXPECT_NE(std::find(reached.begin(), reached.end(), about->la_website()), reached.end());
  EXPECT_NE(about->btn_paypal()->grab().toImage(), unfocused) << "no frame shows the focus";
  QTest::keyClick(about->btn_paypal(), Qt::Key_Space);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], QUrl(links::kDonationUrl));
}

TEST_F(AboutBox, RightClickOnTheLinkOpensNothing) {
  about->show_dialog();
  QTest::mouseClick(about->la_website(), Qt::RightButton);
  EXPECT_TRUE(opened.empty());
  EXPECT_TRUE(about->isVisible());
}

TEST_F(AboutBox, EscHidesTheBoxWithoutDestroyingIt) {
  about->show_dialog();
  QTest::keyClick(about.get(), Qt::Key_Escape);
  EXPECT_FALSE(about->isVisible());
  about->show_dialog();
  EXPECT_TRUE(about->isVisible());
  EXPECT_EQ(about->la_version()->text(), QString("Version S5/1.02  * Bugfix *"));
}

TEST_F(AboutBox, ReopensWhereItWasLeft) {
  about->show_dialog();
  const QSize screen = screen_size();
  EXPECT_EQ(about->pos(), QPoint((screen.width() - 512) / 2, (screen.height() - 448) / 2));
  about->move(40, 50);
  about->close();
  about->show_dialog();
  EXPECT_EQ(about->pos(), QPoint(40, 50));
}

}  // namespace
}  // namespace hero
