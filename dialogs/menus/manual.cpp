#include "dialogs/menus/manual.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include "dialogs/keys/key_codes.h"
#include "dialogs/menus/art.h"
#include "dialogs/menus/placement.h"
#include "display/window/plain_text.h"

namespace hero {
namespace {

// The button pictures sit this far from the viewer's edges.
constexpr int kButtonWidth = 16;
constexpr int kButtonHeight = 14;
constexpr int kEdgeGap = 4;

struct ButtonArt {
  const char* up_name;
  const char* down_name;
  BuiltinPicture up;
  BuiltinPicture down;
};

constexpr std::array<ButtonArt, 3> kButtonArt = {{
    {"btn_close_up", "btn_close_down", BuiltinPicture::manual_close_up, BuiltinPicture::manual_close_down},
    {"btn_left_up", "btn_left_down", BuiltinPicture::manual_left_up, BuiltinPicture::manual_left_down},
    {"btn_right_up", "btn_right_down", BuiltinPicture::manual_right_up, BuiltinPicture::manual_right_down},
}};

// The frame around the page; it lets the viewer see the presses and moves
// that drag it.
class PageFrame : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, width() - 1, height() - 1);
  }
};

int key_code(const QKeyEvent& event) {
  switch (event.key()) {
    case Qt::Key_Escape:
      return vk_escape;
    case Qt::Key_Left:
      return vk_left;
    case Qt::Key_Right:
      return vk_right;
    default:
      return 0;
  }
}

}  // namespace

TManualForm::TManualForm(QWidget* parent)
    : TManualForm(load_manual_pages(QCoreApplication::applicationDirPath().toStdString(), {},
                                    qGuiApp->devicePixelRatio() > 1.0),
                  parent) {}

TManualForm::TManualForm(const ManualPages& manual, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  build(manual);
  take_pages(manual);
}

TManualForm::TManualForm(const ManualPages& layout, PageLoader load_pages, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      layout_(layout),
      load_pages_(std::move(load_pages)) {
  build(layout_);
}

void TManualForm::take_pages(const ManualPages& manual) {
  for (int n = 0; n < kManualPageCount; ++n) {
    const Picture& page = manual.pages[n];
    if (page.twin.isNull()) {
      pages_[n] = QPixmap::fromImage(page.image);
    } else {
      // Twice the pixels, shown at the page's size.
      pages_[n] = QPixmap::fromImage(page.twin);
      pages_[n].setDevicePixelRatio(2.0);
    }
  }
  // A damaged page must not keep the viewer from coming up: it shows the
  // marker, and the player learns which file it is.
  for (const std::string& message : manual.errors)
    show_plain_error_box(QString(), QString::fromStdString(message));
}

void TManualForm::build(const ManualPages& manual) {
  setObjectName("TManualForm");
  setWindowTitle(tr("Manual"));
  // A size that makes no window falls back to the default page size.
  const int width = manual.client_size.width() > 0 ? manual.client_size.width() : 540;
  const int height = manual.client_size.height() > 0 ? manual.client_size.height() : 360;
  setFixedSize(width, height);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
  setAutoFillBackground(true);

  im_page_top_ = new QLabel(this);
  im_page_top_->setObjectName("im_page_top");
  im_page_top_->setGeometry(0, 0, width, height);
  im_page_top_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  im_page_top_->setAttribute(Qt::WA_TransparentForMouseEvents);

  sh_page_top_ = new PageFrame(this);
  sh_page_top_->setObjectName("sh_page_top");
  sh_page_top_->setGeometry(0, 0, width, height);
  sh_page_top_->setAttribute(Qt::WA_TransparentForMouseEvents);

  const std::array<QPoint, 3> places = {QPoint(width - 20, kEdgeGap), QPoint(kEdgeGap, height - 18),
                                        QPoint(width - 20, height - 18)};
  for (int b = 0; b < 3; ++b) {
    // The pressed picture lies beneath; hiding the released one above it
    // shows the pressed look.
    down_[b] = new QLabel(this);
    down_[b]->setObjectName(kButtonArt[b].down_name);
    down_[b]->setPixmap(builtin_picture(kButtonArt[b].down));
    up_[b] = new QLabel(this);
    up_[b]->setObjectName(kButtonArt[b].up_name);
    up_[b]->setPixmap(builtin_picture(kButtonArt[b].up));
    for (QLabel* picture : {down_[b], up_[b]}) {
      picture->setGeometry(QRect(places[b], QSize(kButtonWidth, kButtonHeight)));
      picture->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
  }
  up_[left_button]->hide();
  down_[left_button]->hide();

  centre_on_screen(this);
}

void TManualForm::show_viewer() {
  Vid_Show_Page();
  show();
  raise();
  activateWindow();
}

void TManualForm::Vid_Show_Page() {
  if (load_pages_) {
    const PageLoader load = std::move(load_pages_);
    load_pages_ = nullptr;
    load(layout_);
    take_pages(layout_);
    layout_ = ManualPages{};  // the pictures live on as the viewer's pages
  }
  im_page_top_->setPixmap(pages_[manual_page_ - 1]);
  if (manual_page_ == 1) {
    up_[left_button]->hide();
    down_[left_button]->hide();
  } else if (manual_page_ == kManualPageCount) {
    up_[right_button]->hide();
    down_[right_button]->hide();
  } else {
    for (Button b : {left_button, right_button}) {
      up_[b]->show();
      down_[b]->show();
    }
  }
}

void TManualForm::Inp_left_down() { up_[left_button]->hide(); }

void TManualForm::Inp_left_up() {
  // A release that arrives after the first page was reached some other way
  // (a key turned the page while the mouse held the arrow) stays on page 1.
  if (manual_page_ > 1) --manual_page_;
  Vid_Show_Page();
}

void TManualForm::Inp_right_down() { up_[right_button]->hide(); }

void TManualForm::Inp_right_up() {
  if (manual_page_ < kManualPageCount) ++manual_page_;
  Vid_Show_Page();
}

void TManualForm::Inp_esc_down() { up_[close_button]->hide(); }

void TManualForm::Inp_esc_up() {
  up_[close_button]->show();
  close();
}

void TManualForm::keyPressEvent(QKeyEvent* event) {
  switch (key_code(*event)) {
    case vk_escape:
      Inp_esc_down();
      break;
    case vk_left:
      if (manual_page_ > 1) Inp_left_down();
      break;
    case vk_right:
      if (manual_page_ < kManualPageCount) Inp_right_down();
      break;
    default:
      QWidget::keyPressEvent(event);
      return;
  }
  event->accept();
}

void TManualForm::keyReleaseEvent(QKeyEvent* event) {
  // A held key repeats its press only; the page turns once, on the real
  // release.
  if (event->isAutoRepeat()) {
    event->accept();
    return;
  }
  switch (key_code(*event)) {
    case vk_escape:
      Inp_esc_up();
      break;
    case vk_left:
      if (manual_page_ > 1) Inp_left_up();
      break;
    case vk_right:
      if (manual_page_ < kManualPageCount) Inp_right_up();
      break;
    default:
      QWidget::keyReleaseEvent(event);
      return;
  }
  event->accept();
}

int TManualForm::button_at(QPoint point) const {
  for (int b = 0; b < 3; ++b)
    if (up_[b]->isVisible() && up_[b]->geometry().contains(point)) return b;
  return -1;
}

void TManualForm::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint point = event->position().toPoint();
  pressed_button_ = button_at(point);
  switch (pressed_button_) {
    case close_button:
      Inp_esc_down();
      return;
    case left_button:
      Inp_left_down();
      return;
    case right_button:
      Inp_right_down();
      return;
    default:
      break;
  }
  dragging_ = true;
  drag_start_x = point.x();
  drag_start_y = point.y();
}

void TManualForm::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_ || !(event->buttons() & Qt::LeftButton)) return;
  // The point first grabbed stays under the pointer. Working from the
  // pointer's screen position keeps the page steady even when the window
  // system reports the window's new place late.
  const QPoint global = event->globalPosition().toPoint();
  move(global.x() - drag_start_x, global.y() - drag_start_y);
}

void TManualForm::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  dragging_ = false;
  const int button = pressed_button_;
  pressed_button_ = -1;
  switch (button) {
    case close_button:
      Inp_esc_up();
      break;
    case left_button:
      Inp_left_up();
      break;
    case right_button:
      Inp_right_up();
      break;
    default:
      break;
  }
}

}  // namespace hero
