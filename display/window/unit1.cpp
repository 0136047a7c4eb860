#include "display/window/unit1.h"

#include "display/window/application_title.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QBackingStore>
#include <QBitmap>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTime>
#include <QTimer>
#include <QWheelEvent>
#include <QWindow>
#include <algorithm>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <chrono>
#include <utility>

#include "display/skins/zoom.h"
#include "display/window/plain_text.h"
#include "engine/settings_values.h"
#include "release.h"

namespace hero {

namespace {

struct HotAreaRow {
  ElementId id;
  std::optional<KeyAction> action;
  Qt::CursorShape cursor;
  bool has_hint;
  const char* name;  // as the handheld prints it: a screen reader's name
};

// The hot areas, bottom to top; the ALARM button has no function and serves
// as a drag handle, the in-game menu button is the menu's.
// clang-format off
const std::array<HotAreaRow, 8> kHotAreas{{
    {ElementId::btn_left_top, KeyAction::left, Qt::PointingHandCursor, true, "LEFT"},
    {ElementId::btn_right_top, KeyAction::right, Qt::PointingHandCursor, true, "RIGHT"},
    {ElementId::btn_alarm_top, std::nullopt, Qt::WhatsThisCursor, true, "ALARM"},
    {ElementId::btn_game_a_top, KeyAction::game_a, Qt::PointingHandCursor, true, "GAME A"},
    {ElementId::btn_game_b_top, KeyAction::game_b, Qt::PointingHandCursor, true, "GAME B"},
    {ElementId::btn_time_top, KeyAction::time, Qt::PointingHandCursor, true, "TIME"},
    {ElementId::btn_acl_top, KeyAction::acl, Qt::PointingHandCursor, true, "ACL"},
    {ElementId::btn_game_menu_top, std::nullopt, Qt::ArrowCursor, false, QT_TRANSLATE_NOOP("hero::TForm1", "Game menu")},
}};
// clang-format on

const HotAreaRow* hot_area_row(ElementId id) {
  for (const HotAreaRow& row : kHotAreas)
    if (row.id == id) return &row;
  return nullptr;
}

// Returns memory freed in a burst (the pictures' decoding) to the system.
void release_free_memory() {
#if defined(__GLIBC__)
  malloc_trim(0);
#endif
}

// A Wayland window can neither place nor move itself, and its outline is
// the picture's transparency.
bool platform_places_windows_itself() {
  return QGuiApplication::platformName().startsWith(QStringLiteral("wayland"));
}

QRect screen_rect() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

}  // namespace

// An invisible control over a pictured button: it shows the cursor and the
// hint, and keeps the pointer from a left press to its release, so that the
// button is released wherever the pointer ends up.
class HotArea final : public QWidget {
 public:
  HotArea(TForm1& form, ElementId id) : QWidget(&form), form_(form), id_(id) {
    setObjectName(
        QString::fromLatin1(element_name(id).data(), static_cast<qsizetype>(element_name(id).size())));
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(false);
    setCursor(hot_area_row(id)->cursor);
    setAccessibleName(TForm1::tr(hot_area_row(id)->name));
  }
  ElementId id() const { return id_; }
  // Whether a press does anything: the ALARM button has no function.
  bool presses() const {
    return hot_area_row(id_)->action.has_value() || id_ == ElementId::btn_game_menu_top;
  }
  // A press and its release, as a screen reader's press action makes them.
  void press_and_release() {
    if (id_ == ElementId::btn_game_menu_top) {
      emit form_.game_menu_clicked();
      return;
    }
    form_.press_button(id_);
    form_.release_button(id_);
  }

 protected:
  void paintEvent(QPaintEvent*) override {}
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::RightButton) {
      emit form_.context_menu_requested(event->globalPosition().toPoint());
      return;
    }
    if (event->button() != Qt::LeftButton) return;
    if (id_ == ElementId::btn_alarm_top) {
      form_.start_drag(mapTo(&form_, event->position().toPoint()));
      return;
    }
    if (id_ == ElementId::btn_game_menu_top) return;
    holding_ = true;
    form_.press_button(id_);
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    if (id_ == ElementId::btn_alarm_top && (event->buttons() & Qt::LeftButton))
      form_.drag_to(mapTo(&form_, event->position().toPoint()));
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton) return;
    if (id_ == ElementId::btn_game_menu_top) {
      if (rect().contains(event->position().toPoint())) emit form_.game_menu_clicked();
      return;
    }
    if (!holding_) return;
    holding_ = false;
    form_.release_button(id_);
  }

 private:
  TForm1& form_;
  ElementId id_;
  bool holding_ = false;
};

namespace {

// A pictured button to a screen reader: a push button named as the handheld
// prints it, its key in the description (the hint), pressed and let go by
// the reader's press action.
class HotAreaAccessible final : public QAccessibleWidget {
 public:
  explicit HotAreaAccessible(HotArea* area) : QAccessibleWidget(area, QAccessible::Button), area_(area) {}
  QStringList actionNames() const override {
    return area_->presses() ? QStringList{pressAction()} : QStringList{};
  }
  void doAction(const QString& action) override {
    if (action == pressAction() && area_->presses()) area_->press_and_release();
  }

 private:
  HotArea* area_;
};

QAccessibleInterface* hot_area_accessible(const QString&, QObject* object) {
  if (auto* area = dynamic_cast<HotArea*>(object)) return new HotAreaAccessible(area);
  return nullptr;
}

// What the handheld shows, in words: its mode, and in a game the score and
// the misses. A screen reader reads it as the handheld's description.
QString spoken_state(const EngineState& s) {
  const auto game = [&](const QString& name) {
    return (s.misses == 1 ? TForm1::tr("%1, score %2, %3 miss") : TForm1::tr("%1, score %2, %3 misses"))
        .arg(name)
        .arg(s.score)
        .arg(s.misses);
  };
  QString text;
  switch (s.game_mode) {
    case mode_acl_held:
      text = TForm1::tr("ACL held");
      break;
    case mode_all_lit:
      text = TForm1::tr("Every segment lit");
      break;
    case mode_alarm_view:
      text = TForm1::tr("Alarm time");
      break;
    case mode_clock:
      text = TForm1::tr("Clock");
      break;
    case mode_game_a_held:
      text = TForm1::tr("Game A, best score %1").arg(s.hi_score_a);
      break;
    case mode_game_b_held:
      text = TForm1::tr("Game B, best score %1").arg(s.hi_score_b);
      break;
    case mode_game_a:
      text = game(TForm1::tr("Game A"));
      break;
    case mode_game_b:
      text = game(TForm1::tr("Game B"));
      break;
    case mode_game_over:
      text = TForm1::tr("Game over, score %1").arg(s.score);
      break;
    default:
      break;
  }
  if (s.paused) text += TForm1::tr(", paused");
  return text;
}

}  // namespace

namespace {

// The store as the engine of an assisted game sees it. The handheld writes
// a high score only at a game over, and only one above the stored score; a
// reset writes 0. So while the game is assisted, every high score above 0
// stays unwritten, and a reset still goes through.
class AssistedStore final : public SettingsStore {
 public:
  AssistedStore(SettingsStore& store, const bool& assisted) : store_(store), assisted_(assisted) {}
  std::optional<std::string> read_text(std::string_view name) const override {
    return store_.read_text(name);
  }
  void write_text(std::string_view name, std::string_view value) override {
    const bool high_score = name == settings::kHiScore1.name || name == settings::kHiScore2.name;
    if (assisted_ && high_score && value != "0") return;
    store_.write_text(name, value);
  }
  std::vector<std::pair<std::string, std::string>> all() const override { return store_.all(); }
  void refresh() override { store_.refresh(); }

 private:
  SettingsStore& store_;
  const bool& assisted_;
};

}  // namespace

TForm1::TForm1(std::unique_ptr<SettingsStore> settings, SoundSink& sound, const SteadyNow& steady_now,
               QWidget* parent, EngineTap* tap)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      settings_(std::move(settings)),
      engine_store_(std::make_unique<AssistedStore>(*settings_, assisted_game_)),
      handheld_clock_(steady_now),
      sound_(sound),
      tap_(tap) {
  // Creation step 1 and 2: the title, and off the screen until a skin is
  // laid out.
  set_application_title(QString::fromLatin1(kProgramTitle));
  setWindowTitle(QString::fromLatin1(kProgramTitle));
  move_off_screen();

  for (int i = 0; i < kTimerCount; ++i) {
    const auto id = static_cast<TimerId>(i);
    timers_[static_cast<std::size_t>(i)] = std::make_unique<QtEngineTimer>(
        [this, id] {
          if (timer_observer_) timer_observer_(id);
          run_timer(id);
          flush();
        },
        nullptr, this, &handheld_clock_);
  }
  rebuild_engine(tap_);

  // Steps 6 to 9: the presentation, the key bindings and their hints.
  fullscreen_mode_ = settings::read(*settings_, settings::kFullscreenMode);
  // Zoom: absent or unreadable means 100 %, or at the first start a step the
  // handheld fits at (chosen when its size is known).
  if (const auto zoom = zoom_from_setting(settings::read_stored(*settings_, settings::kZoom))) {
    zoom_percent_ = *zoom;
    zoom_stored_ = true;
  }
  fullscreen_fit_ = settings::read(*settings_, settings::kFullscreenFit);
  fullscreen_fit_chosen_ = settings::read_stored(*settings_, settings::kFullscreenFit).has_value();
  key_bindings_.load(*settings_);
  scene_.set_ghost_override(read_ghost_setting(*settings_));
  static const bool accessible = [] {
    QAccessible::installFactory(hot_area_accessible);
    return true;
  }();
  (void)accessible;
  for (const HotAreaRow& row : kHotAreas) hot_areas_.push_back(new HotArea(*this, row.id));
  rebuild_hints();

  // Steps 11 to 13: painting, high scores, no pause shown. The window paints
  // every pixel itself from the scene; Qt's backing store double-buffers it.
  setAttribute(Qt::WA_OpaquePaintEvent);
  set_placed_by_window_system(platform_places_windows_itself());
  setFocusPolicy(Qt::StrongFocus);
  engine_->load_high_scores();
  engine_->clear_pause();
  scene_.set_visible(ElementId::la_pause, false);
  assist_mark_ = new QLabel(QStringLiteral("ASSIST"), this);
  assist_mark_->setObjectName(QStringLiteral("la_assist"));
  assist_mark_->setAttribute(Qt::WA_TransparentForMouseEvents);
  assist_mark_->setStyleSheet(QStringLiteral("QLabel { color: #303030; background: transparent; }"));
  assist_mark_->hide();
  handheld_clock_.set_speed_percent(settings::read(*settings_, settings::kGameSpeed));
  fade_frames_ = new QTimer(this);
  fade_frames_->setTimerType(Qt::PreciseTimer);
  connect(fade_frames_, &QTimer::timeout, this, [this] {
    if (!scene_.advance_fades()) fade_frames_->stop();
    flush();
  });
  scene_.set_response_override(settings::read_stored(*settings_, settings::kLcdResponse));
  apply_shadow_setting();

  scene_.set_on_change([this] {
    if (flush_pending_) return;
    flush_pending_ = true;
    QTimer::singleShot(0, this, [this] { flush(); });
  });
  apply_layout();
}

TForm1::~TForm1() {
  // The timers call into the engine: stop them before either goes.
  for (auto& t : timers_) t->set_enabled(false);
}

void TForm1::rebuild_hints() {
  for (HotArea* area : hot_areas_) {
    const auto name = element_name(area->id());
    const QString hint = QString::fromStdString(key_bindings_.hint(name));
    area->setToolTip(plain_tooltip(hint));
    area->setAccessibleDescription(hint);
  }
}

QWidget* TForm1::hot_area(ElementId id) const {
  for (HotArea* area : hot_areas_)
    if (area->id() == id) return area;
  return nullptr;
}

void TForm1::move_off_screen() {
  const QRect screen = screen_rect();
  move(-screen.width(), -screen.height());
}

void TForm1::centre_on_screen() {
  const QRect screen = screen_rect();
  // Truncating division, then kept on the screen: a window larger than the
  // screen shows its top-left corner.
  const int left = std::max(0, (screen.width() - width()) / 2);
  const int top = std::max(0, (screen.height() - height()) / 2);
  move(screen.x() + left, screen.y() + top);
}

void TForm1::apply_layout() {
  setFixedSize(scene_.client_size());
  for (HotArea* area : hot_areas_) {
    area->setGeometry(scene_.geometry(area->id()));
    area->setVisible(scene_.is_visible(area->id()));
  }
  // Hot areas lie above every picture, in their own stacking order.
  for (HotArea* area : hot_areas_) area->raise();
  place_assist_mark();
  flush();
}

void TForm1::rebuild_engine(EngineTap* tap) {
  for (auto& timer : timers_) timer->set_enabled(false);
  std::array<EngineTimer*, kTimerCount> timers{};
  for (int i = 0; i < kTimerCount; ++i)
    timers[static_cast<std::size_t>(i)] = timers_[static_cast<std::size_t>(i)].get();
  const EngineServices services{scene_, timers, sound_, *engine_store_, random_, clock_};
  tap_ = tap;
  engine_ = std::make_unique<Engine>(tap_ ? tap_->wire(services) : services);
}

void TForm1::game_continued(bool assisted) {
  in_game_ = true;
  assisted_game_ = assisted;
  follow_assist();
  flush();
}

void TForm1::set_game_speed(int percent) {
  handheld_clock_.set_speed_percent(percent);
  for (auto& timer : timers_) timer->speed_changed();
  follow_assist();
}

void TForm1::apply_game_speed_setting() { set_game_speed(settings::read(*settings_, settings::kGameSpeed)); }

void TForm1::follow_assist() {
  const int mode = engine_->state().game_mode;
  const bool slow = handheld_clock_.speed_percent() < HandheldClock::kFullSpeed;
  if (mode == mode_game_a || mode == mode_game_b) {
    // A new game starts unassisted at full speed; any moment below it
    // marks the game.
    if (!in_game_) assisted_game_ = false;
    in_game_ = true;
    assisted_game_ = assisted_game_ || slow;
  } else {
    in_game_ = false;
  }
  // The mark is placed with the layout and the speed; here it only comes
  // and goes with the game.
  if (assist_mark_ && assist_mark_->isHidden() == assist_mark_wanted()) place_assist_mark();
  // The handheld's state in words, told to a screen reader when it changes
  // (not on every tick: most ticks change neither mode, score nor misses).
  const EngineState& s = engine_->state();
  const SpokenFacts facts{s.game_mode, s.score, s.misses, s.hi_score_a, s.hi_score_b, s.paused};
  if (facts == spoken_facts_) return;
  spoken_facts_ = facts;
  const QString state = spoken_state(s);
  if (state != accessibleDescription()) {
    setAccessibleDescription(state);
    QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
  }
}

bool TForm1::assist_mark_wanted() const {
  return handheld_clock_.speed_percent() < HandheldClock::kFullSpeed || assisted_game_;
}

void TForm1::place_assist_mark() {
  if (!assist_mark_) return;
  if (!assist_mark_wanted()) {
    assist_mark_->hide();
    return;
  }
  // Beside the pause label's place, on the side with room for it.
  const QRect pause = scene_.geometry(ElementId::la_pause);
  QFont font = assist_mark_->font();
  font.setBold(true);
  font.setPixelSize(std::clamp(pause.height() * 2 / 3, 8, 24));
  assist_mark_->setFont(font);
  assist_mark_->adjustSize();
  const QSize size = assist_mark_->size();
  int x = pause.right() + 1 + size.height() / 3;
  if (x + size.width() > width()) x = std::max(0, pause.left() - size.width() - size.height() / 3);
  assist_mark_->move(x, pause.top() + (pause.height() - size.height()) / 2);
  assist_mark_->show();
  assist_mark_->raise();
}

QRect TForm1::available_area() const {
  const QScreen* on = screen() ? screen() : QGuiApplication::primaryScreen();
  return on ? on->availableGeometry() : QRect(0, 0, 1024, 768);
}

double TForm1::zoom_scale() const {
  if (fullscreen_mode_) return 1.0;
  return hero::zoom_scale(zoom_percent_, scene_.layout_size(), available_area().size());
}

void TForm1::run_skin_loader() {
  // What the loader is asked for decides whether the pictures' twins came.
  loaded_device_scale_ = zoom_scale() * devicePixelRatioF();
  if (skin_loader_) skin_loader_(*this);
}

void TForm1::show_zoom() {
  const double scale = zoom_scale();
  if (scale * devicePixelRatioF() > 1.0 && loaded_device_scale_ <= 1.0)
    run_skin_loader();  // the twins, now wanted
  Scene::View view;
  view.scale = scale;
  scene_.set_view(view);
}

void TForm1::lay_out_skin() {
  move_off_screen();
  run_skin_loader();
  // Decoding left a burst of freed buffers behind (one picture in two
  // formats, the loader's shared copies): hand that memory back.
  release_free_memory();
  if (!fullscreen_mode_) {
    // The skin's size is known now: a first start on a small screen begins at
    // a step the handheld fits at; "Fit to screen" follows the new size.
    if (!zoom_stored_) zoom_percent_ = first_start_zoom(scene_.layout_size(), available_area().size());
    show_zoom();
  }
  apply_layout();
  centre_on_screen();
}

void TForm1::set_zoom_percent(int percent) {
  percent = zoom_from_setting(percent).value_or(kZoomDefault);
  // Stored first: if the store refuses, the handheld stays as it is.
  settings::write(*settings_, settings::kZoom, percent);
  zoom_stored_ = true;
  show_zoom_percent(percent);
}

void TForm1::apply_zoom_setting() {
  if (const auto zoom = zoom_from_setting(settings::read_stored(*settings_, settings::kZoom))) {
    zoom_stored_ = true;
    show_zoom_percent(*zoom);
  } else {
    zoom_stored_ = false;
    show_zoom_percent(first_start_zoom(scene_.layout_size(), available_area().size()));
  }
}

void TForm1::show_zoom_percent(int percent) {
  zoom_percent_ = zoom_from_setting(percent).value_or(kZoomDefault);
  if (fullscreen_mode_) return;  // shown when the window is next windowed
  const QRect before = geometry();
  show_zoom();
  apply_layout();
  // About the handheld's centre, unless it is still waiting off the screen.
  if (before.right() >= 0 && before.bottom() >= 0) move(keep_centre(before, size(), available_area()));
}

void TForm1::zoom_step(int direction) { set_zoom_percent(next_zoom_step(zoom_scale(), direction)); }

void TForm1::apply_fit_setting() {
  const bool on = settings::read(*settings_, settings::kFullscreenFit);
  const bool chosen = settings::read_stored(*settings_, settings::kFullscreenFit).has_value();
  if (on == fullscreen_fit_ && chosen == fullscreen_fit_chosen_) return;
  fullscreen_fit_ = on;
  fullscreen_fit_chosen_ = chosen;
  if (fullscreen_mode_) lay_out_skin();
}

void TForm1::set_fullscreen_mode(bool on) {
  // Stored first: if the store refuses, the presentation stays as it is.
  settings::write(*settings_, settings::kFullscreenMode, on);
  fullscreen_mode_ = on;
  lay_out_skin();
}

void TForm1::set_placed_by_window_system(bool on) {
  placed_by_window_system_ = on;
  // Only a window with an alpha channel can let the desktop through where
  // the key colour is drawn; it no longer paints every pixel opaque.
  setAttribute(Qt::WA_OpaquePaintEvent, !on);
  setAttribute(Qt::WA_TranslucentBackground, on);
  const QImage mask = scene_.shape_mask();
  drawn_region_ = on && !mask.isNull() ? QRegion(QBitmap::fromImage(mask)) : QRegion();
  update();
}

void TForm1::flush() {
  flush_pending_ = false;
  const QRegion dirty = scene_.take_paint_region();
  // On a plain screen the repaint takes the outline from what it draws,
  // before its pixels reach the screen: the change is composed once.
  const bool plain = !placed_by_window_system_ && devicePixelRatioF() == 1.0;
  if (plain && isVisible() && !dirty.isEmpty()) {
    outline_from_paint_ = dirty;
    repaint(dirty);
    // Not painted after all (covered, or not yet on the screen).
    if (!outline_from_paint_.isEmpty() && scene_.update_shape(std::exchange(outline_from_paint_, QRegion())))
      take_outline();
  } else {
    if (scene_.update_shape(dirty)) take_outline();
    if (!dirty.isEmpty()) {
      // Paint at once: a pressed key or a game tick is on the screen when its
      // handler returns, instead of waiting for the window system's next
      // update slot.
      if (isVisible()) {
        repaint(dirty);
      } else {
        update(dirty);
      }
    }
  }
  if (scene_.fading() && !fade_frames_->isActive()) {
    // Frames at the screen's refresh rate while a segment darkens or clears.
    const QScreen* on = screen() ? screen() : QGuiApplication::primaryScreen();
    const double hertz = on && on->refreshRate() > 1.0 ? on->refreshRate() : 60.0;
    fade_frames_->start(std::max(1, static_cast<int>(1000.0 / hertz)));
  }
  if (!dirty.isEmpty()) emit repainted();
}

void TForm1::wait_for_window_system_later(QPoint drawn) {
  if (window_system_wait_pending_) return;
  window_system_wait_pending_ = true;
  // The window system reads a repaint's pixels from memory it shares with
  // the window, after the repaint returns; the next repaint over them first
  // waits until it has (a round trip to it). Waited for here, once the
  // event loop is idle, instead of when the next key is pressed: an empty
  // paint over one pixel of the last repaint asks it.
  QTimer::singleShot(0, this, [this, drawn] {
    window_system_wait_pending_ = false;
    // Only over a picture the window still has, on the screen.
    QBackingStore* store = backingStore();
    if (store == nullptr || store->paintDevice() == nullptr || !isVisible() || windowHandle() == nullptr ||
        !windowHandle()->isExposed() || placed_by_window_system_)
      return;
    store->beginPaint(QRegion(QRect(drawn, QSize(1, 1))));
    store->endPaint();
  });
}

void TForm1::take_outline() {
  const QImage mask = scene_.shape_mask();
  if (mask.isNull()) {
    clearMask();
    drawn_region_ = QRegion();
  } else {
    const QBitmap outline = QBitmap::fromImage(mask);
    // On Wayland the mask only decides where the pointer reaches the
    // window; the pixels outside it are painted transparent.
    setMask(outline);
    if (placed_by_window_system_) {
      drawn_region_ = QRegion(outline);
      update();
    }
  }
  ++mask_rebuilds_;
}

void TForm1::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  if (placed_by_window_system_ && scene_.colour_key_enabled()) {
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const QRect& r : event->region()) painter.fillRect(r, Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    scene_.paint(painter, event->region() & drawn_region_);
    return;
  }
  if (outline_from_paint_.isEmpty()) {
    scene_.paint(painter, event->region());
    return;
  }
  // The window's own pixels (a window's picture starts at its top-left):
  // the outline is read from them as they are drawn.
  QBackingStore* store = backingStore();
  QPaintDevice* device = store != nullptr ? store->paintDevice() : nullptr;
  QImage* frame =
      device != nullptr && device->devType() == QInternal::Image ? static_cast<QImage*>(device) : nullptr;
  const bool shape_changed = scene_.paint_and_update_shape(
      painter, event->region(), std::exchange(outline_from_paint_, QRegion()), frame);
  painter.end();
  if (frame != nullptr && !event->region().isEmpty())
    wait_for_window_system_later(event->region().begin()->topLeft());
  // The new outline goes to the window system ahead of the pixels it cuts.
  if (shape_changed) take_outline();
}

void TForm1::FormKeyDown(VirtualKey key) {
  const auto action = key_bindings_.action_for_press(key);
  if (!action) {
    emit unbound_key_pressed(key);
    return;
  }
  keys_held_[static_cast<std::size_t>(*action)] = true;
  control(*action, true);
}

void TForm1::FormKeyUp(VirtualKey key) {
  const auto action = key_bindings_.action_for_release(key);
  if (!action) return;
  keys_held_[static_cast<std::size_t>(*action)] = false;
  control(*action, false);
}

void TForm1::control(KeyAction action, bool down) {
  if (!down && !has_release(action)) return;
  struct Followed {
    TForm1& form;
    ~Followed() { form.follow_assist(); }
  } followed{*this};
  const auto operate = [&] { down ? engine_->press(action) : engine_->release(action); };
  if (tap_) {
    if (!tap_->control_arriving(action, down)) return;
    // The tap hears of the end of the control also when it threw.
    struct Done {
      EngineTap& tap;
      KeyAction action;
      bool down;
      ~Done() { tap.control_done(action, down); }
    } done{*tap_, action, down};
    operate();
  } else {
    operate();
  }
  flush();
}

void TForm1::run_timer(TimerId id) {
  struct Followed {
    TForm1& form;
    ~Followed() { form.follow_assist(); }
  } followed{*this};
  if (!tap_) {
    engine_->on_timer(id);
    return;
  }
  tap_->timer_expiring(id, QtEngineTimer::running_handler_due().value_or(handheld_clock_.now()));
  struct Done {
    EngineTap& tap;
    TimerId id;
    ~Done() { tap.timer_expired(id); }
  } done{*tap_, id};
  engine_->on_timer(id);
}

std::optional<int> TForm1::read_ghost_setting(const SettingsStore& store) {
  return settings::read_stored(store, settings::kGhostSegments);
}

void TForm1::apply_response_setting() {
  scene_.set_response_override(settings::read_stored(*settings_, settings::kLcdResponse));
}

void TForm1::show_response_ms(int ms) { scene_.set_response_override(ms); }

void TForm1::apply_shadow_setting() {
  scene_.set_shadows(settings::read(*settings_, settings::kSegmentShadows));
  scene_.set_shadow_look_override({settings::read_stored(*settings_, settings::kShadowOffsetX),
                                   settings::read_stored(*settings_, settings::kShadowOffsetY),
                                   settings::read_stored(*settings_, settings::kShadowBlur),
                                   settings::read_stored(*settings_, settings::kShadowOpacity)});
}

void TForm1::show_shadows(bool on) {
  scene_.set_shadows(on);
  flush();
}

bool TForm1::drawing_fades() const { return fade_frames_->isActive(); }

void TForm1::apply_ghost_setting() {
  scene_.set_ghost_override(read_ghost_setting(*settings_));
  flush();
}

void TForm1::keyPressEvent(QKeyEvent* event) {
  const auto key = virtual_key_of(*event);
  if (!key) return;
  FormKeyDown(*key);
}

void TForm1::keyReleaseEvent(QKeyEvent* event) {
  if (key_delivery(false, event->isAutoRepeat()) == KeyDelivery::drop) return;
  const auto key = virtual_key_of(*event);
  if (!key) return;
  FormKeyUp(*key);
}

bool TForm1::focusNextPrevChild(bool) {
  // Tab is a key like any other here; no control of the window takes focus.
  return false;
}

void TForm1::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) emit activated();
  if ((event->type() == QEvent::ActivationChange && !isActiveWindow()) ||
      (event->type() == QEvent::EnabledChange && !isEnabled()))
    release_held_keys();
  if (event->type() == QEvent::ActivationChange || event->type() == QEvent::EnabledChange) follow_menus();
  QWidget::changeEvent(event);
}

void TForm1::focusOutEvent(QFocusEvent* event) {
  release_held_keys();
  follow_menus();
  QWidget::focusOutEvent(event);
}

void TForm1::focusInEvent(QFocusEvent* event) {
  follow_menus();
  QWidget::focusInEvent(event);
}

void TForm1::set_game_menu_open(bool open) {
  game_menu_open_ = open;
  follow_menus();
}

void TForm1::follow_menus() {
  if (!held_for_menu_ && !settings::read(*settings_, settings::kPauseInMenus)) return;
  // Asked once the input has settled: a popup menu or a dialog is only
  // known to have the input after the event that moves it.
  QTimer::singleShot(0, this, [this] {
    const bool menu_up = game_menu_open_ || QApplication::activePopupWidget() != nullptr || !isEnabled() ||
                         (!isActiveWindow() && QApplication::activeWindow() != nullptr);
    hold_for_menu(menu_up);
  });
}

void TForm1::hold_for_menu(bool held) {
  if (held == held_for_menu_) return;
  const EngineState& state = engine_->state();
  if (held) {
    const bool running = (state.game_mode == mode_game_a || state.game_mode == mode_game_b) && !state.paused;
    if (!running || !settings::read(*settings_, settings::kPauseInMenus)) return;
    control(Control::pause, true);
    held_for_menu_ = engine_->state().paused;
  } else {
    held_for_menu_ = false;
    if (state.paused) control(Control::pause, true);
  }
}

void TForm1::release_held_keys() {
  for (int i = 0; i < kControlCount; ++i) {
    if (!keys_held_[static_cast<std::size_t>(i)]) continue;
    keys_held_[static_cast<std::size_t>(i)] = false;
    control(static_cast<Control>(i), false);
  }
}

void TForm1::closeEvent(QCloseEvent* event) {
  emit closing();
  QWidget::closeEvent(event);
}

void TForm1::press_button(ElementId hot_area) {
  const HotAreaRow* row = hot_area_row(hot_area);
  if (row && row->action) control(*row->action, true);
}

void TForm1::release_button(ElementId hot_area) {
  const HotAreaRow* row = hot_area_row(hot_area);
  if (row && row->action) control(*row->action, false);
}

bool TForm1::is_drag_handle_at(const QPoint& client_position) const {
  const auto top = scene_.topmost_at(client_position);
  return top == ElementId::im_background || top == ElementId::im_background_screen_top ||
         top == ElementId::la_pause;
}

bool TForm1::start_drag(const QPoint& client_position) {
  dragging_ = !fullscreen_mode_;
  if (!dragging_) return false;
  // The window system follows the pointer itself until the button goes up.
  if (placed_by_window_system_ && windowHandle() && windowHandle()->startSystemMove()) {
    dragging_ = false;
    return true;
  }
  drag_origin_ = client_position;
  return true;
}

void TForm1::drag_to(const QPoint& client_position) {
  if (!dragging_ || fullscreen_mode_) return;
  // The point first pressed stays under the pointer.
  move(pos() + (client_position - drag_origin_));
}

void TForm1::mousePressEvent(QMouseEvent* event) {
  dragging_ = false;
  if (event->button() == Qt::RightButton) {
    emit context_menu_requested(event->globalPosition().toPoint());
    return;
  }
  if (event->button() == Qt::LeftButton && is_drag_handle_at(event->position().toPoint()))
    start_drag(event->position().toPoint());
}

void TForm1::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons() & Qt::LeftButton) drag_to(event->position().toPoint());
}

void TForm1::wheelEvent(QWheelEvent* event) {
  // Ctrl with the wheel zooms; a wheel notch is 120 eighths of a degree.
  if (!(event->modifiers() & Qt::ControlModifier) || fullscreen_mode_ || !isEnabled()) {
    event->ignore();
    return;
  }
  wheel_eighths_ += event->angleDelta().y();
  event->accept();
  while (wheel_eighths_ >= 120) {
    wheel_eighths_ -= 120;
    zoom_step(+1);
  }
  while (wheel_eighths_ <= -120) {
    wheel_eighths_ += 120;
    zoom_step(-1);
  }
}

}  // namespace hero
