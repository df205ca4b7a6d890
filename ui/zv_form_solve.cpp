// The solve command and the browsing of its solutions: SolveBt (solve,
// stop, back to editing) and the runs go through SolveRuns
// (ui/solve_runs.h); the browse buttons and cell selection through the
// session, which holds the work modes and the shown solution.
#include "ui/solve_runs.h"
#include "ui/zv_form.h"

namespace zv {

void TZvForm::SolveBtClick() { runs_->SolveClick(); }

bool TZvForm::SelectSolutionCell(CellIndex cell) {
  const Changes c = session_.SelectSolutionCell(cell);
  Apply(c);
  return c.selection;
}

void TZvForm::FirstSolBtClick() { StepSolution(SolutionStep::First); }
void TZvForm::PrevSolBtClick() { StepSolution(SolutionStep::Previous); }
void TZvForm::NextSolBtClick() { StepSolution(SolutionStep::Next); }
void TZvForm::LastSolBtClick() { StepSolution(SolutionStep::Last); }

}  // namespace zv
