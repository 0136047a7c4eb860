#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QTest>

#include "dialogs/menus/manual.h"
#include "tests/support/qt_app.h"

namespace hero {
namespace {

using Button = TManualForm::Button;

ManualPages numbered_pages(QSize size) {
  ManualPages manual;
  manual.folder = "Graphics\\Manual\\";
  manual.client_size = size;
  for (int n = 0; n < kManualPageCount; ++n) {
    QImage page(size, QImage::Format_RGB32);
    page.fill(QColor(10 * n, 0, 0));
    manual.pages[n].image = page;
  }
  return manual;
}

// The page shown, told by the red level each page was painted with.
int shown_page(const TManualForm& viewer) {
  return viewer.im_page_top()->pixmap().toImage().pixelColor(5, 5).red() / 10 + 1;
}

bool arrow_visible(const TManualForm& viewer, Button button) {
  return !viewer.up_picture(button)->isHidden() && !viewer.down_picture(button)->isHidden();
}

class ManualViewer : public ::testing::Test {
 protected:
  void SetUp() override {
    test::qt_app();
    viewer = std::make_unique<TManualForm>(numbered_pages(QSize(540, 360)));
    viewer->show_viewer();
  }

  void click_at(QPoint point) { QTest::mouseClick(viewer.get(), Qt::LeftButton, {}, point); }
  void key(Qt::Key k) { QTest::keyClick(viewer.get(), k); }

  std::unique_ptr<TManualForm> viewer;
};

const QPoint kRightArrow(528, 349);
const QPoint kCloseBox(528, 11);

TEST_F(ManualViewer, FirstOpeningShowsPageOneWithOnlyTheRightArrow) {
  EXPECT_EQ(viewer->manual_page(), 1);
  EXPECT_EQ(shown_page(*viewer), 1);
  EXPECT_FALSE(arrow_visible(*viewer, TManualForm::left_button));
  EXPECT_TRUE(arrow_visible(*viewer, TManualForm::right_button));
}

TEST_F(ManualViewer, SevenRightClicksReachTheLastPageAndHideTheRightArrow) {
  for (int i = 0; i < 7; ++i) click_at(kRightArrow);
  EXPECT_EQ(viewer->manual_page(), 8);
  EXPECT_EQ(shown_page(*viewer), 8);
  EXPECT_FALSE(arrow_visible(*viewer, TManualForm::right_button));
  EXPECT_TRUE(arrow_visible(*viewer, TManualForm::left_button));
  // The arrow is gone, so neither a click there nor the Right key moves on.
  click_at(kRightArrow);
  key(Qt::Key_Right);
  EXPECT_EQ(viewer->manual_page(), 8);
}

TEST_F(ManualViewer, LeftKeyOnTheFirstPageDoesNothing) {
  key(Qt::Key_Left);
  EXPECT_EQ(viewer->manual_page(), 1);
  key(Qt::Key_Right);
  key(Qt::Key_Right);
  key(Qt::Key_Left);
  EXPECT_EQ(viewer->manual_page(), 2);
  EXPECT_EQ(shown_page(*viewer), 2);
  EXPECT_TRUE(arrow_visible(*viewer, TManualForm::left_button));
}

TEST_F(ManualViewer, PageTurnsOnTheReleaseAndShowsThePressedArrowMeanwhile) {
  QTest::keyPress(viewer.get(), Qt::Key_Right);
  EXPECT_EQ(viewer->manual_page(), 1);
  EXPECT_TRUE(viewer->up_picture(TManualForm::right_button)->isHidden());
  EXPECT_FALSE(viewer->down_picture(TManualForm::right_button)->isHidden());
  // A held key repeats its press, which changes nothing.
  QKeyEvent repeated_release(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier, QString(), true);
  QKeyEvent repeated_press(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QString(), true);
  QApplication::sendEvent(viewer.get(), &repeated_release);
  QApplication::sendEvent(viewer.get(), &repeated_press);
  EXPECT_EQ(viewer->manual_page(), 1);
  QTest::keyRelease(viewer.get(), Qt::Key_Right);
  EXPECT_EQ(viewer->manual_page(), 2);
  EXPECT_TRUE(arrow_visible(*viewer, TManualForm::right_button));
}

TEST_F(ManualViewer, ArrowPressedWithTheMouseTurnsOnReleaseWhereverThePointerIs) {
  QTest::mousePress(viewer.get(), Qt::LeftButton, {}, kRightArrow);
  EXPECT_EQ(viewer->manual_page(), 1);
  QTest::mouseRelease(viewer.get(), Qt::LeftButton, {}, QPoint(200, 200));
  EXPECT_EQ(viewer->manual_page(), 2);
}

TEST_F(ManualViewer, LateMouseReleaseNeverGoesPastTheLastPage) {
  for (int i = 0; i < 6; ++i) key(Qt::Key_Right);
  ASSERT_EQ(viewer->manual_page(), 7);
  QTest::mousePress(viewer.get(), Qt::LeftButton, {}, kRightArrow);
  key(Qt::Key_Right);  // the key reaches page 8 while the mouse holds the arrow
  QTest::mouseRelease(viewer.get(), Qt::LeftButton, {}, kRightArrow);
  EXPECT_EQ(viewer->manual_page(), 8);
  EXPECT_EQ(shown_page(*viewer), 8);
}

TEST_F(ManualViewer, OtherMouseButtonsDoNothing) {
  QTest::mouseClick(viewer.get(), Qt::RightButton, {}, kRightArrow);
  QTest::mouseClick(viewer.get(), Qt::MiddleButton, {}, kCloseBox);
  EXPECT_EQ(viewer->manual_page(), 1);
  EXPECT_TRUE(viewer->isVisible());
}

TEST_F(ManualViewer, EscClosesOnReleaseAndShowsThePressedCloseBoxMeanwhile) {
  QTest::keyPress(viewer.get(), Qt::Key_Escape);
  EXPECT_TRUE(viewer->isVisible());
  EXPECT_TRUE(viewer->up_picture(TManualForm::close_button)->isHidden());
  QTest::keyRelease(viewer.get(), Qt::Key_Escape);
  EXPECT_FALSE(viewer->isVisible());
  EXPECT_FALSE(viewer->up_picture(TManualForm::close_button)->isHidden());
}

TEST_F(ManualViewer, ReopensAtThePageAndPlaceItWasClosedAt) {
  for (int i = 0; i < 4; ++i) click_at(kRightArrow);
  viewer->move(33, 44);
  click_at(kCloseBox);
  ASSERT_FALSE(viewer->isVisible());
  viewer->show_viewer();
  EXPECT_EQ(viewer->manual_page(), 5);
  EXPECT_EQ(shown_page(*viewer), 5);
  EXPECT_EQ(viewer->pos(), QPoint(33, 44));
}

TEST_F(ManualViewer, DraggingThePageKeepsTheGrabbedPointUnderThePointer) {
  viewer->move(100, 100);
  QTest::mousePress(viewer.get(), Qt::LeftButton, {}, QPoint(50, 60));
  QTest::mouseMove(viewer.get(), QPoint(70, 65));
  EXPECT_EQ(viewer->pos(), QPoint(120, 105));
  QTest::mouseRelease(viewer.get(), Qt::LeftButton, {}, QPoint(50, 60));
  // Without the button held, moves no longer drag.
  QTest::mouseMove(viewer.get(), QPoint(10, 10));
  EXPECT_EQ(viewer->pos(), QPoint(120, 105));
}

TEST(ManualViewerLayout, ButtonsKeepTheirDistanceToTheEdges) {
  test::qt_app();
  TManualForm viewer(numbered_pages(QSize(800, 600)));
  EXPECT_EQ(viewer.size(), QSize(800, 600));
  EXPECT_EQ(viewer.up_picture(TManualForm::close_button)->geometry(), QRect(780, 4, 16, 14));
  EXPECT_EQ(viewer.up_picture(TManualForm::left_button)->geometry(), QRect(4, 582, 16, 14));
  EXPECT_EQ(viewer.down_picture(TManualForm::right_button)->geometry(), QRect(780, 582, 16, 14));
}

TEST(ManualViewerLayout, MissingPageShowsTheMarkerInTheTopLeftCorner) {
  test::qt_app();
  ManualPages manual = numbered_pages(QSize(540, 360));
  manual.pages[0] = missing_picture_marker();
  TManualForm viewer(manual);
  viewer.show_viewer();
  EXPECT_EQ(viewer.im_page_top()->size(), QSize(540, 360));
  EXPECT_EQ(viewer.im_page_top()->pixmap().size(), QSize(10, 10));
  EXPECT_EQ(viewer.im_page_top()->alignment(), Qt::AlignLeft | Qt::AlignTop);
}

TEST(ManualViewerLayout, EmptySizeFallsBackToTheDefault) {
  test::qt_app();
  TManualForm viewer(numbered_pages(QSize(0, 0)));
  EXPECT_EQ(viewer.size(), QSize(540, 360));
}

}  // namespace
}  // namespace hero
