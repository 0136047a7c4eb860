#include "startup/application/close_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>

namespace hero {

namespace {

constexpr int kCloseSignals[] = {SIGTERM, SIGHUP, SIGINT};

// The pipe's two ends; one program has one set of handlers.
int g_pipe[2] = {-1, -1};

// Only async-signal-safe calls: write() and sigaction().
extern "C" void on_close_signal(int signal_number) {
  const int saved_errno = errno;
  const unsigned char byte = static_cast<unsigned char>(signal_number);
  [[maybe_unused]] const ssize_t written = write(g_pipe[1], &byte, 1);
  // The next one of these is not waited for: the program ends at once.
  struct sigaction fallback {};
  fallback.sa_handler = SIG_DFL;
  sigemptyset(&fallback.sa_mask);
  sigaction(signal_number, &fallback, nullptr);
  errno = saved_errno;
}

}  // namespace

CloseOnSignals::CloseOnSignals(std::function<void()> close_step, QObject* parent)
    : QObject(parent), close_step_(std::move(close_step)) {
  if (g_pipe[0] < 0 && pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  notifier_ = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] { on_readable(); });
  struct sigaction action {};
  action.sa_handler = on_close_signal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int s : kCloseSignals) sigaction(s, &action, nullptr);
}

CloseOnSignals::~CloseOnSignals() {
  struct sigaction fallback {};
  fallback.sa_handler = SIG_DFL;
  sigemptyset(&fallback.sa_mask);
  for (int s : kCloseSignals) sigaction(s, &fallback, nullptr);
}

void CloseOnSignals::on_readable() {
  unsigned char byte = 0;
  bool any = false;
  while (read(g_pipe[0], &byte, 1) == 1) {
    received_ = byte;
    any = true;
  }
  if (!any || !close_step_) return;
  auto step = std::move(close_step_);
  close_step_ = nullptr;
  step();
}

}  // namespace hero
