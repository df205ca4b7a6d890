// The solve command and the browsing of its solutions: SolveBt as Solve,
// Stop and back to editing, the run itself with the window kept alive, the
// result labels and the browse buttons. The session holds the work modes
// and the shown solution.
#include <QLabel>
#include <QToolButton>
#include <algorithm>

#include "ui/solve_observer.h"
#include "ui/solve_texts.h"
#include "ui/zv_form.h"

namespace zv {

namespace {

QString FromStd(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

// The once-a-second refresh of a running solve.
void TZvForm::ShowProgress(const ProgressStep& step, const SolveStats& stats) {
  if (step.first) SetSolveCaption(kStopCaption, kStopColor);
  TimePastL->setText(QString::number(step.seconds));
  TimeRestL->setText(FromStd(FormatRemaining(step.elapsedMs, stats.explored)));
  DeadL->setText(FromStd(FormatDeadEnds(stats.deadEnds)));
  SolNumL->setText(QString::number(stats.solutionCount));
}

void TZvForm::SolveBtClick() {
  if (session_.workMode() == WorkMode::Solving) return session_.StopSolving();
  if (session_.workMode() == WorkMode::SolutionView) return Apply(session_.ReturnToEditing());
  const Changes begin = session_.BeginSolving();
  if (!begin.mode) return;  // SolveBt is enabled only for a valid task
  Apply(begin);
  TimePastL->clear();
  SolNumL->clear();
  DeadL->clear();
  WindowSolveObserver observer(
      services_.SolveClock(), services_,
      [this](const ProgressStep& step, const SolveStats& stats) { ShowProgress(step, stats); });
  SolveOptions options;
  options.memoryLimit = solverMemoryLimit_;
  options.threads = opt_.Threads > 0 ? std::min(opt_.Threads, kMaxThreads) : DefaultThreadCount();
  const SolveRun run = session_.RunSolver(observer, options);

  Apply(run.changes);
  TimePastL->setText(FromStd(FormatSeconds3(observer.ElapsedMs())));
  TimeRestL->clear();
  DeadL->setText(FromStd(FormatDeadEnds(session_.solver().DeadEnds())));
  SolNumL->clear();
  if (closeAfterRun_) {
    closeAfterRun_ = false;  // a close that fails to save keeps the window open
    close();
    return;
  }
  // A run that ran out of memory ends as after a stop, its solutions browsed.
  if (run.outcome == SolveOutcome::OutOfMemory)
    services_.ShowMessage(
        {QString::fromUtf8(kNotEnoughMemory), QString(), MessageIcon::Error, MessageButtons::Ok});
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
