// A watcher loaded into the handheld by Qt's generic-plugin mechanism
// (QT_PLUGIN_PATH naming the folder above generic/, QT_QPA_GENERIC_PLUGINS=
// hero50probe). It waits for the handheld to come on the screen after Play,
// saves the window's picture to HERO_PROBE_PICTURE (when set), and then
// presses Esc as a player would, so that the program ends through its own
// termination request. The program itself is the installed one, unchanged.
//
// Exit statuses of its own when something is wrong: 3 the handheld did not
// come on the screen in time, 4 an error box came up, 5 the picture could
// not be written, 6 Esc did not end the program.
#include <QApplication>
#include <QBitmap>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGenericPlugin>
#include <QImage>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kPollInterval_ms = 50;
// After the window first shows on the screen: time for the first paints.
constexpr int kSettle_ms = 300;

int environment_ms(const char* name, int fallback) {
  bool ok = false;
  const int value = qEnvironmentVariableIntValue(name, &ok);
  return ok && value > 0 ? value : fallback;
}

[[noreturn]] void give_up(int status, const QString& message) {
  std::fprintf(stderr, "hero50-probe: %s\n", qPrintable(message));
  std::fflush(stderr);
  std::_Exit(status);
}

QWidget* handheld_window() {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (qstrcmp(widget->metaObject()->className(), "hero::TForm1") == 0) return widget;
  return nullptr;
}

// Before Play the handheld waits off the screen; Play centres it, keeping its
// top-left corner on the screen.
bool on_screen(const QWidget* window) {
  const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  return window->isVisible() && screen && screen->geometry().contains(window->geometry().topLeft());
}

// The window's picture; where the window is shaped, what lies outside the
// outline is see-through, as on the desktop.
QImage window_picture(QWidget* window) {
  QImage picture = window->grab().toImage().convertToFormat(QImage::Format_ARGB32);
  const QRegion outline = window->mask();
  if (outline.isEmpty()) return picture;
  QImage cut(picture.size(), QImage::Format_ARGB32);
  cut.fill(Qt::transparent);
  QPainter painter(&cut);
  painter.setClipRegion(outline);
  painter.drawImage(0, 0, picture);
  return cut;
}

void press_escape(QWidget* window) {
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QCoreApplication::sendEvent(window, &press);
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier);
  QCoreApplication::sendEvent(window, &release);
}

class Probe final : public QObject {
 public:
  Probe() {
    timeout_ms_ = environment_ms("HERO_PROBE_TIMEOUT_MS", 20000);
    poll_.setInterval(kPollInterval_ms);
    connect(&poll_, &QTimer::timeout, this, &Probe::look);
    poll_.start();
    clock_.start();
  }

 private:
  void look() {
    for (QWidget* widget : QApplication::topLevelWidgets())
      if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible())
        give_up(4, QStringLiteral("the program shows an error: ") + box->text());
    QWidget* window = handheld_window();
    if (window && on_screen(window)) {
      if (seen_at_ms_ < 0) seen_at_ms_ = clock_.elapsed();
      if (clock_.elapsed() - seen_at_ms_ >= kSettle_ms) finish(window);
    } else if (clock_.elapsed() > timeout_ms_) {
      give_up(3, QStringLiteral("the handheld did not come on the screen within %1 ms").arg(timeout_ms_));
    }
  }

  void finish(QWidget* window) {
    poll_.stop();
    const QString picture_file = qEnvironmentVariable("HERO_PROBE_PICTURE");
    const QImage picture = window_picture(window);
    if (!picture_file.isEmpty() && !picture.save(picture_file, "PNG"))
      give_up(5, QStringLiteral("cannot write the picture to ") + picture_file);
    std::fprintf(stderr, "hero50-probe: handheld on the screen, %dx%d at %d,%d; pressing Esc\n",
                 window->width(), window->height(), window->x(), window->y());
    std::fflush(stderr);
    press_escape(window);
    // The termination request ends the event loop; should it not, say so.
    QTimer::singleShot(timeout_ms_, [] { give_up(6, QStringLiteral("Esc did not end the program")); });
  }

  QTimer poll_;
  QElapsedTimer clock_;
  qint64 seen_at_ms_ = -1;
  int timeout_ms_ = 20000;
};

}  // namespace

class Hero50ProbePlugin final : public QGenericPlugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "hero50_probe.json")

 public:
  QObject* create(const QString& key, const QString&) override {
    return key.compare(QLatin1String("hero50probe"), Qt::CaseInsensitive) == 0 ? new Probe : nullptr;
  }
};

#include "hero50_probe.moc"
