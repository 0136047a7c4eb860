// What the key settings and the Preferences dialogs share: a window of its
// own, centred on the screen's free area, that takes the input away from the
// main window while it is shown. Enter and Esc reach the form before any
// focused control; every way the form closes (its own buttons, Esc, the
// window system's close box or Alt+F4, the program's end) gives the main
// window its input back, and each but Accept puts back what was in use when
// it opened.
#pragma once

#include <QPointer>
#include <QWidget>

namespace hero {

class ModalForm : public QWidget {
  Q_OBJECT

 public:
  // `main_window` is disabled while the form is shown.
  ModalForm(QWidget* main_window, QWidget* parent, Qt::WindowFlags flags);

 protected:
  // Centres the form, shows and raises it, gives `first` the focus and takes
  // the input away from the main window.
  void open_centred(QWidget* first);
  // Hides the form and gives the main window its input back.
  void close_form();
  // Makes Enter and Esc reach the form first from every control it holds
  // now (called once the controls are made).
  void watch_keys();

  // Enter and Esc: true when the form took the key.
  virtual bool enter_pressed() = 0;
  virtual bool escape_pressed() = 0;
  // The form closes by a way other than its buttons while shown: put back
  // what was in use when it opened (the store is left alone).
  virtual void put_back() {}

  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  bool handle_key(QKeyEvent* event);

  QPointer<QWidget> main_window_;
};

}  // namespace hero
