// Progress refresh of a solve run inside the window.
#include "ui/solve_observer.h"

namespace zv {

WindowSolveObserver::WindowSolveObserver(TickSource& ticks, Services& services, SecondRefresh secondRefresh)
    : clock_(ticks), services_(services), secondRefresh_(std::move(secondRefresh)) {
  clock_.Start();
}

void WindowSolveObserver::Refresh(const SolveStats& stats) {
  const ProgressStep step = clock_.Advance();
  if (step.action == ProgressAction::None) return;
  if (step.action == ProgressAction::SecondRefresh) secondRefresh_(step, stats);
  services_.ProcessPendingEvents();
}

}  // namespace zv
