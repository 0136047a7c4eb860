// The manual viewer (TManualForm): a borderless, always-on-top window that
// shows the handheld's eight manual pages one at a time, with a close button,
// page arrows, the Esc/Left/Right keys and dragging by the page. Created once
// at start-up; closing only hides it, and it reopens at the page and place
// where it was left.
#pragma once

#include <array>
#include <functional>

#include <QPixmap>
#include <QPoint>
#include <QSize>
#include <QWidget>

#include "display/skins/gfxinit.h"

class QLabel;

namespace hero {

class TManualForm : public QWidget {
  Q_OBJECT
 public:
  // The viewer of the catalogue beside the program file. A page that exists
  // but cannot be read is named in an error box and shows the marker.
  explicit TManualForm(QWidget* parent = nullptr);
  explicit TManualForm(const ManualPages& manual, QWidget* parent = nullptr);
  // The viewer laid out from the catalogue's Manual section (`layout`), its
  // pages decoded by `load_pages` when it first shows one: the handheld
  // starts without waiting for eight bitmaps it may never show.
  using PageLoader = std::function<void(ManualPages&)>;
  TManualForm(const ManualPages& layout, PageLoader load_pages, QWidget* parent = nullptr);

  // The menu's "View manual": shows the current page, then the viewer.
  void show_viewer();

  int manual_page() const { return manual_page_; }
  void Vid_Show_Page();

  // The six button pictures, for the look of each state.
  enum Button { close_button, left_button, right_button };
  QLabel* up_picture(Button button) const { return up_[button]; }
  QLabel* down_picture(Button button) const { return down_[button]; }
  QLabel* im_page_top() const { return im_page_top_; }

  void Inp_left_down();
  void Inp_left_up();
  void Inp_right_down();
  void Inp_right_up();
  void Inp_esc_down();
  void Inp_esc_up();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void build(const ManualPages& manual);
  int button_at(QPoint point) const;
  // Takes decoded pages; a page that exists but cannot be read is named in an
  // error box and shows the marker.
  void take_pages(const ManualPages& manual);

  std::array<QPixmap, kManualPageCount> pages_;
  ManualPages layout_;
  PageLoader load_pages_;  // until the pages are decoded
  int manual_page_ = 1;
  QLabel* im_page_top_ = nullptr;
  QWidget* sh_page_top_ = nullptr;
  std::array<QLabel*, 3> up_{};
  std::array<QLabel*, 3> down_{};
  int pressed_button_ = -1;  // the button whose press waits for its release
  bool dragging_ = false;
  int drag_start_x = 0;
  int drag_start_y = 0;
};

}  // namespace hero
