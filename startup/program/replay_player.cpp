#include "startup/program/replay_player.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>
#include <algorithm>

#include "dialogs/keys/key_codes.h"
#include "display/window/unit1.h"

namespace hero {

ReplayPlayer::ReplayPlayer(SessionReplay& replay, TForm1& form, ReplayNewsSink news, SteadyNow now)
    : replay_(replay),
      form_(form),
      news_(std::move(news)),
      now_(now ? std::move(now) : [] { return std::chrono::steady_clock::now(); }) {
  wake_.setSingleShot(true);
  wake_.setTimerType(Qt::PreciseTimer);
  connect(&wake_, &QTimer::timeout, this, [this] { catch_up(); });
}

void ReplayPlayer::begin() {
  origin_ = now_();
  if (news_)
    news_(ReplayNews::started, QCoreApplication::translate("hero::ReplayPlayer", "Replaying %1.")
                                   .arg(QString::fromStdString(replay_.recording().name))
                                   .toStdString());
  replay_.begin(form_.engine());
  form_.flush();
  schedule();
}

std::int64_t ReplayPlayer::elapsed_ms() const {
  const SteadyTime at = pause_started_ ? *pause_started_ : now_();
  return std::chrono::floor<std::chrono::milliseconds>(at - origin_).count();
}

void ReplayPlayer::catch_up() {
  if (paused()) return;
  replay_.play_until(elapsed_ms());
  form_.flush();
  schedule();
}

void ReplayPlayer::schedule() {
  report_if_over();
  const auto next = replay_.next_moment_ms();
  if (!next || paused()) {
    wake_.stop();
    return;
  }
  // Whole milliseconds of the handheld's time: wake when the next one is
  // reached (the wake-up plays everything due up to then).
  const auto due = origin_ + std::chrono::milliseconds(*next);
  const auto wait = std::chrono::ceil<std::chrono::milliseconds>(due - now_());
  // Qt's timer counts in an int: a long wait wakes early, now and then,
  // and finds nothing due yet.
  wake_.start(
      std::clamp<std::chrono::milliseconds>(wait, std::chrono::milliseconds(0), std::chrono::hours(1)));
}

void ReplayPlayer::report_if_over() {
  if (reported_ || !news_) return;
  if (replay_.state() == SessionReplay::State::ended) {
    reported_ = true;
    news_(ReplayNews::ended, replay_.message());
  } else if (replay_.state() == SessionReplay::State::differs) {
    reported_ = true;
    news_(ReplayNews::differs, replay_.message());
  }
}

void ReplayPlayer::toggle_pause() {
  if (replay_.state() != SessionReplay::State::playing) return;
  Scene& scene = form_.scene();
  if (!pause_started_) {
    pause_started_ = now_();
    wake_.stop();
    pause_label_was_shown_ = scene.is_visible(ElementId::la_pause);
    scene.set_visible(ElementId::la_pause, true);
  } else {
    origin_ += now_() - *pause_started_;
    pause_started_.reset();
    // The label is the recorded handheld's again before it plays on.
    scene.set_visible(ElementId::la_pause, pause_label_was_shown_);
    catch_up();
  }
  form_.flush();
}

bool ReplayPlayer::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != &form_) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  const std::optional<VirtualKey> code = virtual_key_of(*key);
  // Esc goes on to the menu's shortcut, which ends the program.
  if (code && *code == vk_escape) return false;
  if (code && event->type() == QEvent::KeyPress && !key->isAutoRepeat() &&
      form_.key_bindings().action_for_press(*code) == KeyAction::pause)
    toggle_pause();
  return true;
}

}  // namespace hero
