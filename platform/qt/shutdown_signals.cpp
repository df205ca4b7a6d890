// The self-pipe behind ShutdownSignals (platform/qt/shutdown_signals.h).
#include "platform/qt/shutdown_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>

namespace zv {

namespace {

// The pipe's two ends: the handler writes into [1], the notifier reads [0].
// A handler can reach nothing but globals; these are set before the
// handlers are installed and cleared after they are removed.
int g_pipe[2] = {-1, -1};

extern "C" void OnShutdownSignal(int number) {
  const int saved = errno;
  const auto byte = static_cast<char>(number);
  // A full pipe already holds a request: the byte may be dropped.
  [[maybe_unused]] const ssize_t written = write(g_pipe[1], &byte, 1);
  errno = saved;
}

}  // namespace

ShutdownSignals::ShutdownSignals(std::function<void()> requested) : requested_(std::move(requested)) {
  if (pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
    g_pipe[0] = g_pipe[1] = -1;
    return;  // the signals keep their default action, which ends the program
  }
  notifier_ = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read);
  QObject::connect(notifier_, &QSocketNotifier::activated, [this] {
    char bytes[16];
    while (read(g_pipe[0], bytes, sizeof bytes) > 0) {
    }
    requested_();
  });
  struct sigaction action {};
  action.sa_handler = OnShutdownSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (std::size_t i = 0; i < kSignals.size(); ++i) sigaction(kSignals[i], &action, &previous_[i]);
}

ShutdownSignals::~ShutdownSignals() {
  if (notifier_ == nullptr) return;
  for (std::size_t i = 0; i < kSignals.size(); ++i) sigaction(kSignals[i], &previous_[i], nullptr);
  delete notifier_;
  close(g_pipe[0]);
  close(g_pipe[1]);
  g_pipe[0] = g_pipe[1] = -1;
}

}  // namespace zv
