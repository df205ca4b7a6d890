// SIGTERM and SIGHUP (what a logout, a system shutdown or a closed terminal
// send) turned into a call on the event loop: the signal handler only writes
// a byte into a pipe, whose read end a QSocketNotifier watches, so the
// window's close runs as an ordinary event, never inside the handler.
#pragma once

#include <array>
#include <csignal>
#include <functional>

class QSocketNotifier;

namespace zv {

class ShutdownSignals {
 public:
  // Installs the handlers; `requested` runs on the event loop once per
  // signal delivered. One instance at a time.
  explicit ShutdownSignals(std::function<void()> requested);
  // Puts the previous handlers back.
  ~ShutdownSignals();
  ShutdownSignals(const ShutdownSignals&) = delete;
  ShutdownSignals& operator=(const ShutdownSignals&) = delete;

  static constexpr std::array<int, 2> kSignals{SIGTERM, SIGHUP};

 private:
  std::function<void()> requested_;
  std::array<struct sigaction, kSignals.size()> previous_{};
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace zv
