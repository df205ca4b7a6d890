// The window's side of a running solve: the progress schedule of one run.
// Every refresh of the search advances the progress clock; about every
// 100 ms the window's pending events are processed (so a second click on
// SolveBt reaches the window and sets the session's stop request), and once
// a second the given refresh shows the counters first.
#pragma once

#include <functional>

#include "platform/qt/services.h"
#include "solver/progress.h"
#include "solver/solver.h"

namespace zv {

class WindowSolveObserver final : public SolveObserver {
 public:
  using SecondRefresh = std::function<void(const ProgressStep&, const SolveStats&)>;

  // Starts the clock: start, start + 1000 and start + 100 as in ProgressClock.
  WindowSolveObserver(TickSource& ticks, Services& services, SecondRefresh secondRefresh);

  // The stop request is the editing session's (EditorSession::StopSolving).
  bool StopRequested() override { return false; }
  void Refresh(const SolveStats& stats) override;
  std::uint64_t ElapsedMs() { return clock_.ElapsedMs(); }

 private:
  ProgressClock clock_;
  Services& services_;
  SecondRefresh secondRefresh_;
};

}  // namespace zv
