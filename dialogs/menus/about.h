// The about box (TAboutForm): the title picture, the credits, the version and
// release date, a link to the web page and a donation button. Created once at
// start-up, shown without blocking the handheld, hidden by every way out.
#pragma once

#include <QWidget>

#include "release.h"

class QLabel;

namespace hero {

class ClickLabel;

class TAboutForm : public QWidget {
  Q_OBJECT
 public:
  explicit TAboutForm(QWidget* parent = nullptr);

  // The menu's "About...": centred the first time, later where it was left.
  void show_dialog();

  QLabel* la_version() const { return la_version_; }
  QLabel* la_date() const { return la_date_; }
  ClickLabel* la_website() const { return la_website_; }
  ClickLabel* btn_paypal() const { return btn_paypal_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void la_websiteClick();
  void btn_paypalClick();

  QLabel* im_picture_ = nullptr;
  QLabel* la_version_ = nullptr;
  QLabel* la_date_ = nullptr;
  ClickLabel* la_website_ = nullptr;
  ClickLabel* btn_paypal_ = nullptr;
  bool placed_ = false;
};

}  // namespace hero
