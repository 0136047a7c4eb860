// The main window: placement, the two layouts, the outline, dragging, and the
// routing of keys and mouse presses to the handheld's controls.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <QTextDocumentFragment>
#include <QWheelEvent>

#include "display/window/application_title.h"
#include "display/window/unit1.h"
#include "engine/memory_settings_store.h"
#include "test_app.h"

namespace hero {
namespace {

using E = ElementId;

class SilentSound final : public SoundSink {
 public:
  void play(SoundId) override {}
  void stop_all() override {}
};

QImage filled(QSize size, QColor colour) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

const QColor kKey(255, 0, 255);

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test_app();
    screen_ = QGuiApplication::primaryScreen()->geometry().size();
    auto store = std::make_unique<MemorySettingsStore>();
    store_ = store.get();
    for (const auto& [name, value] : preset_) store_->write_text(name, value);
    const SteadyTime frozen = std::chrono::steady_clock::now();
    form_ = std::make_unique<TForm1>(std::move(store), sound_, [frozen] { return frozen; });
    form_->set_skin_loader([this](TForm1& w) { lay_out(w); });
  }

  // A small handheld: key-coloured margins round a grey body, the buttons
  // along its top edge.
  void lay_out(TForm1& w) {
    Scene& s = w.scene();
    const QSize game = game_size_;
    QPoint offset(0, 0);
    if (w.fullscreen_mode()) {
      s.set_client_size(game);
      offset = QPoint((screen_.width() - game.width()) / 2, (screen_.height() - game.height()) / 2);
      s.set_client_size(screen_);
      s.set_background_colour(QColor(0x33, 0x66, 0x99));
      s.set_colour_key(false, kKey);
    } else {
      s.set_client_size(game);
      s.set_background_colour(kKey);
      s.set_colour_key(true, kKey);
    }
    QImage body = filled(game, kKey);
    for (int y = 20; y < game.height() - 20; ++y)
      for (int x = 20; x < game.width() - 20; ++x) body.setPixelColor(x, y, QColor(128, 128, 128));
    s.set_picture(E::im_background, Picture{body, false});
    s.set_geometry(E::im_background, QRect(offset, game));
    const std::array<std::pair<E, E>, 6> buttons{{{E::btn_game_a_down, E::btn_game_a_top},
                                                  {E::btn_game_b_down, E::btn_game_b_top},
                                                  {E::btn_time_down, E::btn_time_top},
                                                  {E::btn_acl_down, E::btn_acl_top},
                                                  {E::btn_left_down, E::btn_left_top},
                                                  {E::btn_right_down, E::btn_right_top}}};
    int x = 30;
    for (const auto& [down, top] : buttons) {
      const QRect r(offset + QPoint(x, 30), QSize(30, 20));
      s.set_picture(down, Picture{filled(r.size(), Qt::red), false});
      s.set_geometry(down, r);
      s.set_geometry(top, r);
      x += 40;
    }
    s.set_geometry(E::btn_alarm_top, QRect(offset + QPoint(x, 30), QSize(30, 20)));
  }

  void key(QEvent::Type type, int qt_key, bool auto_repeat = false) {
    QKeyEvent event(type, qt_key, Qt::NoModifier, QString(), auto_repeat);
    QApplication::sendEvent(form_.get(), &event);
  }

  void start_windowed() {
    form_->set_fullscreen_mode(false);
    form_->engine().start();
    form_->flush();
  }

  void start_game_a() {
    start_windowed();
    key(QEvent::KeyPress, Qt::Key_1);
    key(QEvent::KeyRelease, Qt::Key_1);
    ASSERT_EQ(form_->engine().state().game_mode, mode_game_a);
  }

  void drag(QWidget* target, QPoint from, QPoint to) {
    QMouseEvent press(QEvent::MouseButtonPress, from, target->mapToGlobal(from), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QMouseEvent move(QEvent::MouseMove, to, target->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, to, target->mapToGlobal(to), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(target, &release);
  }

  std::vector<std::pair<std::string, std::string>> preset_;
  QSize screen_;
  QSize game_size_{400, 300};
  MemorySettingsStore* store_ = nullptr;
  SilentSound sound_;
  std::unique_ptr<TForm1> form_;
};

TEST_F(MainWindowTest, WaitsOffTheScreenUntilASkinIsLaidOut) {
  EXPECT_EQ(form_->pos(), QPoint(-screen_.width(), -screen_.height()));
  EXPECT_EQ(application_title(), "Hero (Vantro, Handclock Wide Screen) Simulator");
  EXPECT_EQ(form_->windowTitle(), "Hero (Vantro, Handclock Wide Screen) Simulator");
}

TEST_F(MainWindowTest, CreationStoresTheSevenKeysAndStartsFullScreenByDefault) {
  EXPECT_TRUE(form_->fullscreen_mode());
  EXPECT_EQ(store_->read_text("Key1"), "2");
  EXPECT_EQ(store_->read_text("Key7"), "44");
  EXPECT_FALSE(store_->read_text("FullscreenMode")) << "the default is not written at creation";
}

// A tooltip as the player reads it: its text, shown as written.
QString tooltip_text(const QWidget* widget) {
  return QTextDocumentFragment::fromHtml(widget->toolTip()).toPlainText();
}

TEST_F(MainWindowTest, HotAreasCarryTheHintsOfTheirKeys) {
  EXPECT_EQ(tooltip_text(form_->hot_area(E::btn_left_top)), "click or press 'left arrow' key");
  EXPECT_EQ(tooltip_text(form_->hot_area(E::btn_game_a_top)),
            "click or press '1' to start game A (hold to view highscore)");
  EXPECT_EQ(tooltip_text(form_->hot_area(E::btn_alarm_top)), "button disabled");
  EXPECT_EQ(form_->hot_area(E::btn_left_top)->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(form_->hot_area(E::btn_alarm_top)->cursor().shape(), Qt::WhatsThisCursor);
  form_->key_bindings().accept(form_->settings(), 5, 11);
  form_->rebuild_hints();
  EXPECT_EQ(tooltip_text(form_->hot_area(E::btn_left_top)), "click or press 'A'");
}

TEST_F(MainWindowTest, WindowedLayoutIsCentredAndCutToItsOutline) {
  form_->set_fullscreen_mode(false);
  EXPECT_EQ(store_->read_text("FullscreenMode"), "0");
  EXPECT_EQ(form_->size(), QSize(400, 300));
  EXPECT_EQ(form_->pos(), QPoint((screen_.width() - 400) / 2, (screen_.height() - 300) / 2));
  const QRegion outline = form_->mask();
  EXPECT_TRUE(outline.contains(QPoint(200, 150)));
  EXPECT_FALSE(outline.contains(QPoint(5, 5))) << "the key-coloured margin must let the desktop through";
  EXPECT_EQ(form_->hot_area(E::btn_game_a_top)->geometry(), QRect(30, 30, 30, 20));
}

TEST_F(MainWindowTest, FullScreenAndBackReturnsToTheCentreWithItsOutline) {
  form_->set_fullscreen_mode(false);
  const QPoint centred = form_->pos();
  form_->set_fullscreen_mode(true);
  EXPECT_EQ(store_->read_text("FullscreenMode"), "1");
  EXPECT_EQ(form_->pos(), QPoint(0, 0));
  EXPECT_EQ(form_->size(), screen_);
  EXPECT_TRUE(form_->mask().isEmpty()) << "full screen shows the whole window";
  form_->set_fullscreen_mode(false);
  EXPECT_EQ(form_->pos(), centred);
  EXPECT_FALSE(form_->mask().isEmpty());
  EXPECT_FALSE(form_->mask().contains(QPoint(5, 5)));
}

TEST_F(MainWindowTest, RefusedFullScreenSettingLeavesThePresentationAlone) {
  form_->set_fullscreen_mode(false);
  const QPoint placed = form_->pos();
  store_->set_failing(true);
  EXPECT_THROW(form_->set_fullscreen_mode(true), std::runtime_error);
  EXPECT_FALSE(form_->fullscreen_mode());
  EXPECT_EQ(form_->pos(), placed);
  EXPECT_EQ(form_->size(), QSize(400, 300));
}

TEST_F(MainWindowTest, WindowLargerThanTheScreenKeepsItsTopLeftCornerOnTheScreen) {
  // At 100 % by the player's choice; a first start would zoom out instead.
  form_->set_zoom_percent(100);
  game_size_ = QSize(screen_.width() + 300, 200);
  form_->set_fullscreen_mode(false);
  EXPECT_EQ(form_->pos(), QPoint(0, (screen_.height() - 200) / 2));
  game_size_ = QSize(screen_.width() + 301, screen_.height() + 51);
  form_->set_fullscreen_mode(false);
  form_->lay_out_skin();
  EXPECT_EQ(form_->pos(), QPoint(0, 0));
}

TEST_F(MainWindowTest, BoundKeyPressesAndReleasesWorkTheControls) {
  start_windowed();
  key(QEvent::KeyPress, Qt::Key_1);
  EXPECT_EQ(form_->engine().state().game_mode, mode_game_a_held);
  EXPECT_TRUE(form_->scene().is_visible(E::btn_game_a_down));
  key(QEvent::KeyRelease, Qt::Key_1);
  EXPECT_EQ(form_->engine().state().game_mode, mode_game_a);
  EXPECT_FALSE(form_->scene().is_visible(E::btn_game_a_down));
  key(QEvent::KeyPress, Qt::Key_Space);
  EXPECT_TRUE(form_->engine().state().paused);
  key(QEvent::KeyRelease, Qt::Key_Space);
  EXPECT_TRUE(form_->engine().state().paused) << "releasing the pause key does nothing";
}

TEST_F(MainWindowTest, UnboundKeysReachNoControlButAreOfferedToTheMenu) {
  start_windowed();
  std::vector<VirtualKey> offered;
  QObject::connect(form_.get(), &TForm1::unbound_key_pressed, [&](VirtualKey k) { offered.push_back(k); });
  key(QEvent::KeyPress, Qt::Key_4);
  key(QEvent::KeyPress, Qt::Key_Escape);
  EXPECT_EQ(form_->engine().state().game_mode, mode_all_lit);
  EXPECT_EQ(offered, (std::vector<VirtualKey>{'4', 27}));
}

class DuplicateKeyTest : public MainWindowTest {
 protected:
  DuplicateKeyTest() { preset_ = {{"Key2", "2"}}; }  // Game B also on the 1 key
};

TEST_F(DuplicateKeyTest, TheEarlierActionReceivesASharedKey) {
  start_windowed();
  key(QEvent::KeyPress, Qt::Key_1);
  EXPECT_EQ(form_->engine().state().game_mode, mode_game_a_held);
  EXPECT_FALSE(form_->scene().is_visible(E::btn_game_b_down));
}

TEST_F(MainWindowTest, HoldingLeftMovesTheHeroOnce) {
  start_game_a();
  // From the right-hand lane, so that a second move would still be possible.
  key(QEvent::KeyPress, Qt::Key_Right);
  key(QEvent::KeyRelease, Qt::Key_Right);
  ASSERT_EQ(form_->engine().state().hero_lane, 1);
  key(QEvent::KeyPress, Qt::Key_Left);
  for (int i = 0; i < 5; ++i) {
    key(QEvent::KeyRelease, Qt::Key_Left, true);
    key(QEvent::KeyPress, Qt::Key_Left, true);
  }
  EXPECT_EQ(form_->engine().state().hero_lane, 2);
  EXPECT_TRUE(form_->scene().is_visible(E::btn_left_down));
  key(QEvent::KeyRelease, Qt::Key_Left);
  EXPECT_FALSE(form_->scene().is_visible(E::btn_left_down));
}

TEST_F(MainWindowTest, LeftClickOnAHotAreaPressesAndReleasesItsButton) {
  start_windowed();
  QWidget* area = form_->hot_area(E::btn_game_b_top);
  QTest::mousePress(area, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(form_->engine().state().game_mode, mode_game_b_held);
  EXPECT_TRUE(form_->scene().is_visible(E::btn_game_b_down));
  QTest::mouseRelease(area, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(form_->engine().state().game_mode, mode_game_b);
  EXPECT_FALSE(form_->scene().is_visible(E::btn_game_b_down));
}

TEST_F(MainWindowTest, ReleasingOutsideTheHotAreaStillReleasesTheButton) {
  start_windowed();
  QWidget* area = form_->hot_area(E::btn_time_top);
  QTest::mousePress(area, Qt::LeftButton, {}, QPoint(3, 3));
  EXPECT_TRUE(form_->scene().is_visible(E::btn_time_down));
  QTest::mouseRelease(area, Qt::LeftButton, {}, QPoint(250, 200));
  EXPECT_FALSE(form_->scene().is_visible(E::btn_time_down));
  EXPECT_EQ(form_->engine().state().game_mode, mode_clock);
}

TEST_F(MainWindowTest, RightButtonOnAHotAreaOpensTheMenuInsteadOfPressing) {
  start_windowed();
  int menu_requests = 0;
  QObject::connect(form_.get(), &TForm1::context_menu_requested, [&](const QPoint&) { ++menu_requests; });
  QWidget* area = form_->hot_area(E::btn_game_a_top);
  QTest::mousePress(area, Qt::RightButton, {}, QPoint(5, 5));
  EXPECT_FALSE(form_->scene().is_visible(E::btn_game_a_down));
  QTest::mouseRelease(area, Qt::RightButton, {}, QPoint(5, 5));
  QTest::mousePress(area, Qt::MiddleButton, {}, QPoint(5, 5));
  QTest::mouseRelease(area, Qt::MiddleButton, {}, QPoint(5, 5));
  EXPECT_EQ(form_->engine().state().game_mode, mode_all_lit);
  EXPECT_EQ(menu_requests, 1);
  QTest::mousePress(form_.get(), Qt::RightButton, {}, QPoint(200, 200));
  EXPECT_EQ(menu_requests, 2) << "anywhere on the handheld";
}

TEST_F(MainWindowTest, DraggingTheHandheldMovesTheWindowOnlyWhenWindowed) {
  start_windowed();
  const QPoint start = form_->pos();
  drag(form_.get(), QPoint(200, 150), QPoint(230, 140));
  EXPECT_EQ(form_->pos(), start + QPoint(30, -10));
  drag(form_->hot_area(E::btn_alarm_top), QPoint(5, 5), QPoint(15, 5));
  EXPECT_EQ(form_->pos(), start + QPoint(40, -10)) << "the ALARM button is a drag handle";
  drag(form_->hot_area(E::btn_acl_top), QPoint(5, 5), QPoint(25, 5));
  EXPECT_EQ(form_->pos(), start + QPoint(40, -10)) << "a working button is not";
  form_->set_fullscreen_mode(true);
  drag(form_.get(), QPoint(400, 300), QPoint(430, 310));
  EXPECT_EQ(form_->pos(), QPoint(0, 0));
}

TEST_F(MainWindowTest, PaintShowsTheSegmentsTheEngineLit) {
  start_windowed();
  const QRect pressed = form_->scene().geometry(E::btn_acl_down);
  auto pixel = [&] { return form_->grab().toImage().pixelColor(pressed.center()); };
  EXPECT_NE(pixel(), QColor(Qt::red));
  key(QEvent::KeyPress, Qt::Key_5);
  EXPECT_EQ(pixel(), QColor(Qt::red));
  key(QEvent::KeyRelease, Qt::Key_5);
  EXPECT_NE(pixel(), QColor(Qt::red));
}

TEST_F(MainWindowTest, OutlineIsRebuiltOnlyWhenKeyColouredPixelsChange) {
  start_windowed();
  const int rebuilds = form_->mask_rebuilds();
  key(QEvent::KeyPress, Qt::Key_2);
  key(QEvent::KeyRelease, Qt::Key_5);
  key(QEvent::KeyPress, Qt::Key_5);
  QCoreApplication::processEvents();
  EXPECT_EQ(form_->mask_rebuilds(), rebuilds);
  // A pressed picture over the key-coloured margin changes the outline.
  form_->scene().set_geometry(E::btn_right_down, QRect(0, 0, 15, 15));
  key(QEvent::KeyPress, Qt::Key_Right);
  EXPECT_EQ(form_->mask_rebuilds(), rebuilds + 1);
  EXPECT_TRUE(form_->mask().contains(QPoint(5, 5)));
}

// On Wayland the window cannot be cut out by a shape nor move itself: the
// key colour becomes transparent pixels and the window system drags it.
class PlacedByWindowSystemTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    EXPECT_FALSE(form_->placed_by_window_system()) << "the test platform places its windows itself";
    form_->set_placed_by_window_system(true);
  }
  QColor pixel(QPoint at) { return form_->grab().toImage().pixelColor(at); }
};

TEST_F(PlacedByWindowSystemTest, TheKeyColourIsTransparentAndTheHandheldOpaque) {
  start_windowed();
  EXPECT_TRUE(form_->testAttribute(Qt::WA_TranslucentBackground));
  EXPECT_EQ(pixel(QPoint(5, 5)).alpha(), 0) << "the key-coloured margin must let the desktop through";
  EXPECT_EQ(pixel(QPoint(200, 150)), QColor(128, 128, 128));
  EXPECT_FALSE(form_->mask().contains(QPoint(5, 5))) << "the pointer passes through the margin as well";
  // A pressed picture over the margin joins the outline, and goes again.
  form_->scene().set_geometry(E::btn_right_down, QRect(0, 0, 15, 15));
  key(QEvent::KeyPress, Qt::Key_Right);
  EXPECT_EQ(pixel(QPoint(5, 5)), QColor(Qt::red));
  key(QEvent::KeyRelease, Qt::Key_Right);
  EXPECT_EQ(pixel(QPoint(5, 5)).alpha(), 0);
}

TEST_F(PlacedByWindowSystemTest, FullScreenIsOpaqueEverywhere) {
  start_windowed();
  form_->set_fullscreen_mode(true);
  form_->flush();
  EXPECT_EQ(pixel(QPoint(5, 5)), QColor(0x33, 0x66, 0x99));
}

TEST_F(PlacedByWindowSystemTest, WhereTheWindowSystemOffersNoMoveTheWindowMovesItself) {
  start_windowed();
  const QPoint start = form_->pos();
  drag(form_.get(), QPoint(200, 150), QPoint(230, 140));
  EXPECT_EQ(form_->pos(), start + QPoint(30, -10));
}

}  // namespace
}  // namespace hero

namespace hero {
namespace {

class ZoomedWindowTest : public MainWindowTest {
 protected:
  // Presses the left button at a point of the window, on whatever child the
  // window system would find there.
  void press_at(QPoint point) {
    QWidget* hit = form_->childAt(point);
    ASSERT_NE(hit, nullptr) << "nothing at " << point.x() << "," << point.y();
    const QPoint local = hit->mapFrom(form_.get(), point);
    QMouseEvent press(QEvent::MouseButtonPress, local, hit->mapToGlobal(local), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(hit, &press);
  }
};

TEST_F(ZoomedWindowTest, ZoomScalesWindowHotAreasAndPauseLabelAboutTheCentreAndIsStored) {
  start_windowed();
  ASSERT_EQ(form_->size(), QSize(400, 300));
  const QPoint centre = form_->geometry().center();
  form_->set_zoom_percent(150);
  EXPECT_EQ(store_->read_text("Zoom"), "150");
  EXPECT_EQ(form_->size(), QSize(600, 450));
  EXPECT_LE((form_->geometry().center() - centre).manhattanLength(), 2);
  EXPECT_EQ(form_->hot_area(E::btn_game_a_top)->geometry(), QRect(45, 45, 45, 30));
  EXPECT_EQ(form_->scene().geometry(E::la_pause).size(), QSize(150, 38));
  form_->set_zoom_percent(50);
  EXPECT_EQ(form_->size(), QSize(200, 150));
  EXPECT_EQ(form_->hot_area(E::btn_game_a_top)->geometry(), QRect(15, 15, 15, 10));
  // Out of the steps: 100 %.
  form_->set_zoom_percent(130);
  EXPECT_EQ(store_->read_text("Zoom"), "100");
  EXPECT_EQ(form_->size(), QSize(400, 300));
}

TEST_F(ZoomedWindowTest, PictureButtonsAreHitWhereTheyAreDrawnAt50And200Percent) {
  start_windowed();
  for (int zoom : {50, 200}) {
    form_->set_zoom_percent(zoom);
    // GAME A's hot area is 30, 30, 30 x 20 in skin pixels.
    press_at(QPoint(45 * zoom / 100, 40 * zoom / 100));
    EXPECT_EQ(form_->engine().state().game_mode, mode_game_a_held) << zoom;
    EXPECT_TRUE(form_->scene().is_visible(E::btn_game_a_down)) << zoom;
    form_->engine().Inp_game_a_up();
    form_->engine().Inp_acl_down();
    form_->engine().Inp_acl_up();
  }
}

TEST_F(ZoomedWindowTest, StoredZoomIsShownAndOutlineFollowsIt) {
  preset_ = {{"Zoom", "200"}};
  SetUp();
  start_windowed();
  EXPECT_EQ(form_->zoom_percent(), 200);
  EXPECT_EQ(form_->size(), QSize(800, 600));
  // The outline cuts the doubled key-coloured margin (20 skin pixels).
  EXPECT_FALSE(form_->mask().contains(QPoint(39, 300)));
  EXPECT_TRUE(form_->mask().contains(QPoint(41, 300)));
}

TEST_F(ZoomedWindowTest, UnreadableZoomMeans100Percent) {
  for (const char* bad : {"300", "abc", "75x", "-50", ""}) {
    preset_ = {{"Zoom", bad}};
    SetUp();
    start_windowed();
    EXPECT_EQ(form_->zoom_percent(), 100) << bad;
    EXPECT_EQ(form_->size(), QSize(400, 300)) << bad;
  }
}

TEST_F(ZoomedWindowTest, FirstStartWithAHandheldLargerThanTheScreenTakesAStepThatFits) {
  const QSize available = QGuiApplication::primaryScreen()->availableGeometry().size();
  game_size_ = available * 2 + QSize(10, 10);
  start_windowed();
  EXPECT_EQ(form_->zoom_percent(), 50);
  EXPECT_LE(form_->width(), available.width() + 5);
  // Nothing was chosen, so nothing is stored.
  EXPECT_FALSE(store_->read_text("Zoom"));
}

TEST_F(ZoomedWindowTest, ControlWheelStepsTheZoomAndAPlainWheelDoesNot) {
  start_windowed();
  auto wheel = [this](int delta, Qt::KeyboardModifiers modifiers) {
    QWheelEvent event(QPointF(100, 100), form_->mapToGlobal(QPointF(100, 100)), QPoint(), QPoint(0, delta),
                      Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(form_.get(), &event);
  };
  wheel(120, Qt::NoModifier);
  EXPECT_EQ(form_->zoom_percent(), 100);
  wheel(120, Qt::ControlModifier);
  EXPECT_EQ(form_->zoom_percent(), 125);
  wheel(60, Qt::ControlModifier);  // half a notch: not yet
  EXPECT_EQ(form_->zoom_percent(), 125);
  wheel(60, Qt::ControlModifier);
  EXPECT_EQ(form_->zoom_percent(), 150);
  wheel(-240, Qt::ControlModifier);
  EXPECT_EQ(form_->zoom_percent(), 100);
  EXPECT_EQ(store_->read_text("Zoom"), "100");
}

}  // namespace
}  // namespace hero
