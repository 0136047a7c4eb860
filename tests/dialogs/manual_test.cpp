#include <filesystem>
#include <fstream>

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "dialogs/manual.h"
#include "tests/dialogs/qt_app.h"

namespace hero {
namespace {

using Button = TManualForm::Button;

std::array<QPixmap, kManualPageCount> numbered_pages(QSize size) {
  std::array<QPixmap, kManualPageCount> pages;
  for (int n = 0; n < kManualPageCount; ++n) {
    QImage page(size, QImage::Format_RGB32);
    page.fill(QColor(10 * n, 0, 0));
    pages[n] = QPixmap::fromImage(page);
  }
  return pages;
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
    viewer = std::make_unique<TManualForm>(ManualSettings{}, numbered_pages(QSize(540, 360)));
    viewer->show_viewer();
  }

  void click_at(QPoint point) { QTest::mouseClick(viewer.get(), Qt::LeftButton, {}, point); }
  void key(Qt::Key k) { QTest::keyClick(viewer.get(), k); }

  std::unique_ptr<TManualForm> viewer;
};

const QPoint kRightArrow(528, 349);
const QPoint kLeftArrow(12, 349);
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
  ManualSettings settings;
  settings.width = 800;
  settings.height = 600;
  TManualForm viewer(settings, numbered_pages(QSize(800, 600)));
  EXPECT_EQ(viewer.size(), QSize(800, 600));
  EXPECT_EQ(viewer.up_picture(TManualForm::close_button)->geometry(), QRect(780, 4, 16, 14));
  EXPECT_EQ(viewer.up_picture(TManualForm::left_button)->geometry(), QRect(4, 582, 16, 14));
  EXPECT_EQ(viewer.down_picture(TManualForm::right_button)->geometry(), QRect(780, 582, 16, 14));
}

TEST(ManualViewerLayout, SizeThatMakesNoWindowFallsBackToTheDefault) {
  test::qt_app();
  ManualSettings settings;
  settings.width = -5;
  settings.height = 2000000;
  TManualForm viewer(settings, numbered_pages(QSize(10, 10)));
  EXPECT_EQ(viewer.size(), QSize(540, 360));
}

class ManualCatalogue : public ::testing::Test {
 protected:
  void SetUp() override {
    test::qt_app();
    ASSERT_TRUE(dir.isValid());
    previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
  }
  void TearDown() override { QDir::setCurrent(previous); }

  std::filesystem::path write_catalogue(const std::string& text) {
    const std::filesystem::path file = std::filesystem::path(dir.path().toStdString()) / "Config.ini";
    std::ofstream(file) << text;
    return file;
  }

  QTemporaryDir dir;
  QString previous;
};

TEST_F(ManualCatalogue, MissingCatalogueGivesTheDefaults) {
  const ManualSettings settings = read_manual_settings(std::filesystem::path(dir.path().toStdString()) / "none.ini");
  EXPECT_EQ(settings.manual_dir, "Graphics\\Manual\\");
  EXPECT_EQ(settings.width, 540);
  EXPECT_EQ(settings.height, 360);
}

TEST_F(ManualCatalogue, FolderWithoutTrailingSeparatorGetsOne) {
  const ManualSettings settings =
      read_manual_settings(write_catalogue("[Manual]\nManualDir=Pages\\Big\nManualWidth=800\nManualHeight=abc\n"));
  EXPECT_EQ(settings.manual_dir, "Pages\\Big\\");
  EXPECT_EQ(manual_page_file(settings, 3), "Pages\\Big\\3.bmp");
  EXPECT_EQ(settings.width, 800);
  EXPECT_EQ(settings.height, 360);
}

TEST_F(ManualCatalogue, AbsentPageBecomesTheRedMarker) {
  QDir().mkpath("Graphics/Manual");
  QImage page(540, 360, QImage::Format_RGB32);
  page.fill(Qt::green);
  ASSERT_TRUE(page.save("Graphics/Manual/1.bmp", "BMP"));
  const auto pages = load_manual_pages(ManualSettings{});
  EXPECT_EQ(pages[0].size(), QSize(540, 360));
  EXPECT_EQ(pages[1].size(), QSize(10, 10));
  const QImage marker = pages[1].toImage();
  EXPECT_EQ(marker.pixelColor(5, 5), QColor(255, 0, 0));
  EXPECT_EQ(marker.pixelColor(0, 0), QColor(0, 0, 0));
}

TEST_F(ManualCatalogue, PageNamesMatchWithoutRegardToCase) {
  QDir().mkpath("graphics/MANUAL");
  QImage page(20, 20, QImage::Format_RGB32);
  page.fill(Qt::blue);
  ASSERT_TRUE(page.save("graphics/MANUAL/4.BMP", "BMP"));
  const auto pages = load_manual_pages(ManualSettings{});
  EXPECT_EQ(pages[3].size(), QSize(20, 20));
}

TEST_F(ManualCatalogue, DamagedPageIsReportedByName) {
  QDir().mkpath("Graphics/Manual");
  std::ofstream("Graphics/Manual/2.bmp") << "BM this is no bitmap";
  try {
    load_manual_pages(ManualSettings{});
    FAIL() << "a damaged page must be reported";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("2.bmp"), std::string::npos);
  }
}

}  // namespace
}  // namespace hero
