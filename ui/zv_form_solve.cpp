// The solve command and the browsing of its solutions: SolveBt as Solve,
// Stop and back to editing, the run itself with the window kept alive, the
// result labels and the browse buttons. The session holds the work modes
// and the shown solution.
#include <algorithm>

#include "ui/form_half.h"
#include "ui/result_panel.h"
#include "ui/solve_button.h"
#include "ui/solve_observer.h"
#include "ui/solve_texts.h"
#include "ui/tr.h"
#include "ui/zv_form.h"

namespace zv {

void TZvForm::SolveBtClick() {
  if (workMode() == WorkMode::Solving) return session_.StopSolving();
  if (workMode() == WorkMode::SolutionView) return Apply(session_.ReturnToEditing());
  const Changes begin = session_.BeginSolving();
  if (!begin.mode) return;  // SolveBt is enabled only for a valid task
  Apply(begin);
  ResultPanel& results = *formHalf_->ResP;
  results.ClearCounts();
  // The once-a-second refresh of the run.
  WindowSolveObserver observer(services_.SolveClock(), services_,
                               [this, &results](const ProgressStep& step, const SolveStats& stats) {
                                 if (step.first) formHalf_->SolveBt->ShowStop();
                                 results.ShowProgress(step, stats);
                               });
  SolveOptions options;
  options.memoryLimit = solverMemoryLimit_;
  options.threads = opt_.Threads > 0 ? std::min(opt_.Threads, kMaxThreads) : DefaultThreadCount();
  const SolveRun run = session_.RunSolver(observer, options);

  Apply(run.changes);
  results.ShowRunEnd(observer.ElapsedMs(), session_.solver().DeadEnds());
  if (closeAfterRun_) {
    closeAfterRun_ = false;  // a close that fails to save keeps the window open
    close();
    return;
  }
  // A run that ran out of memory ends as after a stop, its solutions browsed.
  if (run.outcome == SolveOutcome::OutOfMemory)
    services_.ShowMessage({Tr(kNotEnoughMemory), QString(), MessageIcon::Error, MessageButtons::Ok});
}

bool TZvForm::SelectSolutionCell(int cell) {
  const Changes c = session_.SelectSolutionCell(cell);
  Apply(c);
  return c.selection;
}

void TZvForm::FirstSolBtClick() { Apply(session_.Step(SolutionStep::First)); }
void TZvForm::PrevSolBtClick() { Apply(session_.Step(SolutionStep::Previous)); }
void TZvForm::NextSolBtClick() { Apply(session_.Step(SolutionStep::Next)); }
void TZvForm::LastSolBtClick() { Apply(session_.Step(SolutionStep::Last)); }

}  // namespace zv
