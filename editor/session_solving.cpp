// The session's solve and browse commands: the switch to solving, the run
// with the session's own stop request added to the window's observer, the
// switch to solution view with solution 0 shown, stepping through the
// stored solutions and the selection of a form cell (by the cell or by the
// figure cube that lands in it).
#include "editor/editor_session.h"
#include "editor/form_hit_test.h"
#include "editor/solution_marks.h"

namespace zv {

namespace {

// The caller's observer with the session's stop request added.
class StoppableObserver final : public SolveObserver {
 public:
  StoppableObserver(SolveObserver& inner, const bool& stop) : inner_(inner), stop_(stop) {}
  bool StopRequested() override { return stop_ || inner_.StopRequested(); }
  void Refresh(const SolveStats& stats) override { inner_.Refresh(stats); }

 private:
  SolveObserver& inner_;
  const bool& stop_;
};

}  // namespace

Changes EditorSession::BeginSolving() {
  if (workMode_ != WorkMode::Edit || !validation_.ok()) return {};
  Changes c = EndNumberingMode();
  workMode_ = WorkMode::Solving;
  c.mode = true;
  solution_->selectedCell = 0;
  solutionShown_ = false;
  *runLinks_ = validation_.links;
  stopRequested_ = false;
  return c;
}

SolveRun EditorSession::RunSolver(SolveObserver& observer, const SolveOptions& options) {
  if (workMode_ != WorkMode::Solving) return {};
  StoppableObserver stoppable(observer, stopRequested_);
  SolveRun run;
  run.outcome = solver_->Solve(task_, *runLinks_, stoppable, options);
  stopRequested_ = false;
  workMode_ = WorkMode::SolutionView;
  run.changes = ShowSolution(0);
  run.changes.mode = true;
  return run;
}

Changes EditorSession::ReturnToEditing() {
  if (workMode_ != WorkMode::SolutionView) return {};
  workMode_ = WorkMode::Edit;
  return {.mode = true};
}

Changes EditorSession::ShowSolution(int i) {
  currentSolution_ = i;
  if (solver_->SolutionCount() == 0) {
    solutionShown_ = false;
    return {.selection = true};
  }
  ShowSolutionMarks({solver_->SolutionCubes(i), solver_->SolutionRotations(i), solver_->FormCellList()},
                    *runLinks_, *solution_);
  solutionShown_ = true;
  return SelectCell(solution_->selectedCell);  // the same cell, now with this solution's cube
}

Changes EditorSession::Step(SolutionStep step) {
  if (workMode_ != WorkMode::SolutionView) return {};
  const int last = solver_->SolutionCount() - 1;
  const bool back = step == SolutionStep::First || step == SolutionStep::Previous;
  if (back ? currentSolution_ == 0 : currentSolution_ >= last) return {};
  switch (step) {
    case SolutionStep::First:
      return ShowSolution(0);
    case SolutionStep::Previous:
      return ShowSolution(currentSolution_ - 1);
    case SolutionStep::Next:
      return ShowSolution(currentSolution_ + 1);
    case SolutionStep::Last:
      break;
  }
  return ShowSolution(last);
}

Changes EditorSession::SelectCell(int cell) {
  SelectCellMarks(*runLinks_, cell, *solution_);
  return {.selection = true};
}

Changes EditorSession::SelectSolutionCell(int cell) {
  if (workMode_ != WorkMode::SolutionView || !solutionShown_) return {};
  if (cell <= 0 || cell >= kFormGrid || task_.form.Cells[cell] == 0) return {};
  return SelectCell(cell);
}

Changes EditorSession::SelectFigureCube(int x, int y) {
  if (!solutionShown_) return {};
  const FigureState& f = task_.figure;
  const std::optional<int> cell = FigureCellHit(x, y, f.FigureWidth, f.FigureDepth);
  if (!cell || !(f.Cells[*cell] & kCubeBit)) return {};
  const int q = solution_->cubePosition[runLinks_->cubeAtCell[*cell]];
  return SelectCell(q == solution_->selectedCell ? 0 : q);
}

Changes EditorSession::SelectFormCell(int x, int y) {
  if (!solutionShown_) return {};
  const FormState& b = task_.form;
  const std::optional<int> cell = FormCellHit(x, y, b.FormWidth, b.FormDepth, b.FormHeight);
  if (!cell || b.Cells[*cell] == 0) return {};
  return SelectCell(*cell == solution_->selectedCell ? 0 : *cell);
}

}  // namespace zv
