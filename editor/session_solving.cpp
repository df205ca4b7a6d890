// The session's solve and browse commands: the switch to solving, the run
// by work units (afresh or from the kept place) with the session's own stop
// request added to the window's observer, the switch to solution view with
// solution 0 shown, a place read from a file, a run read from a result
// file, stepping through the stored
// solutions and the selection of a form cell (by the cell or by the figure
// cube that lands in it).
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

// Stops at once: the units handed in are merged, nothing is searched.
class StopAtOnce final : public SolveObserver {
 public:
  bool StopRequested() override { return true; }
  void Refresh(const SolveStats&) override {}
};

PlaceRestore Refused(PlaceRefusal why, UnitCheck check = UnitCheck::Ok) {
  PlaceRestore out;
  out.refusal = why;
  out.check = check;
  return out;
}

}  // namespace

Changes EditorSession::BeginSolving(bool fromPlace) {
  if (!validation_.ok() ||
      (fromPlace ? !place_.kept() || workMode_ == WorkMode::Solving : workMode_ != WorkMode::Edit))
    return {};
  Changes c = EndNumberingMode();
  workMode_ = WorkMode::Solving;
  c.mode = true;
  solution_->selectedCell = kNoSelectedCell;
  solutionShown_ = false;
  *runLinks_ = validation_.links;
  stopRequested_ = false;
  fromPlace_ = fromPlace;
  place_.Drop();
  return c;
}

SolveRun EditorSession::RunSolver(SolveObserver& observer, SolveOptions options) {
  if (workMode_ != WorkMode::Solving) return {};
  StoppableObserver stoppable(observer, stopRequested_);
  if (fromPlace_) {
    options.engine = place_.engine();
    place_.BeginFromPlace();
  } else {
    place_.BeginFresh(task_, options.engine);
  }
  SolveRun run;
  run.outcome = solver_->SolveUnits(task_, *runLinks_, stoppable, options, place_.Job());
  place_.Ended(run.outcome);
  stopRequested_ = false;
  workMode_ = WorkMode::SolutionView;
  run.changes = ShowSolution(0);
  run.changes.mode = true;
  return run;
}

PlaceRestore EditorSession::RestorePlace(TaskState task, SolveEngine engine, const UnitCut& cut,
                                         std::vector<UnitResult> done, const SolveOptions& options,
                                         std::vector<UnitPlace> begun) {
  if (workMode_ == WorkMode::Solving) return Refused(PlaceRefusal::Solving);
  const Validation v = ValidateTask(task);
  if (!v.ok()) return Refused(PlaceRefusal::InvalidTask);
  // Checked on a solver of its own, so that a refusal leaves the last run's solutions.
  auto solver = std::make_unique<Solver>();
  std::unique_ptr<UnitJob> job = place_.NewJob();
  job->expectedCut = cut;
  job->haveExpectedCut = true;
  job->done = std::move(done);
  job->begun = std::move(begun);
  StopAtOnce stop;
  SolveOptions merge = options;
  merge.engine = engine;
  merge.threads = 1;  // so that no worker takes a unit before the stop is seen
  const SolveOutcome outcome = solver->SolveUnits(task, v.links, stop, merge, *job);
  if (outcome == SolveOutcome::Refused) return Refused(PlaceRefusal::Units, job->check);
  if (outcome == SolveOutcome::OutOfMemory) return Refused(PlaceRefusal::OutOfMemory);

  PlaceRestore out;
  out.changes = ReplaceTask(std::move(task), TaskOrigin::Autosave);
  solver_ = std::move(solver);
  place_.Adopt(std::move(job), task_, engine, outcome == SolveOutcome::Stopped);
  *runLinks_ = validation_.links;
  workMode_ = WorkMode::SolutionView;
  solution_->selectedCell = kNoSelectedCell;
  out.changes |= ShowSolution(0);
  out.changes.mode = true;
  return out;
}

EditorSession::StoredRun EditorSession::OpenStoredRun(ResultFile file, const SolveOptions& options) {
  if (workMode_ == WorkMode::Solving) return {};
  const Validation v = ValidateTask(file.task);
  if (!v.ok()) return {};
  // Restored aside, so that a file that does not fit leaves the last run.
  auto restored = std::make_unique<Solver>();
  StoredRun run;
  run.result = restored->Restore(file.task, v.links, file.outcome, file.stats, file.solutions, options);
  if (run.result != Solver::RestoreResult::Ok) return run;
  run.changes = ReplaceTask(std::move(file.task));
  solver_ = std::move(restored);
  *runLinks_ = validation_.links;
  solution_->selectedCell = kNoSelectedCell;
  workMode_ = WorkMode::SolutionView;
  run.changes |= ShowSolution(0);
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
  ShowSolutionMarks(solver_->Solution(i), *runLinks_, *solution_);
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

Changes EditorSession::GoToSolution(int i) {
  if (workMode_ != WorkMode::SolutionView || i < 0 || i >= solver_->SolutionCount()) return {};
  return ShowSolution(i);
}

Changes EditorSession::SelectCell(CellIndex cell) {
  SelectCellMarks(*runLinks_, cell, *solution_);
  return {.selection = true};
}

Changes EditorSession::SelectSolutionCell(CellIndex cell) {
  if (workMode_ != WorkMode::SolutionView || !solutionShown_) return {};
  if (cell.value() <= 0 || cell.value() >= kFormGrid || task_.form.At(cell) == 0) return {};
  return SelectCell(cell);
}

Changes EditorSession::SelectFigureCube(int x, int y) {
  if (!solutionShown_) return {};
  const FigureState& f = task_.figure;
  const std::optional<int> cell = FigureCellHit(x, y, f.FigureWidth, f.FigureDepth);
  if (!cell || !(f.Cells[*cell] & kCubeBit)) return {};
  const CellIndex q(solution_->cubePosition[runLinks_->cubeAtCell[*cell]]);
  return SelectCell(q == solution_->selectedCell ? kNoSelectedCell : q);
}

Changes EditorSession::SelectFormCell(int x, int y) {
  if (!solutionShown_) return {};
  const FormState& b = task_.form;
  const std::optional<CellIndex> cell = FormCellHit(x, y, b.FormWidth, b.FormDepth, b.FormHeight);
  if (!cell || b.At(*cell) == 0) return {};
  return SelectCell(*cell == solution_->selectedCell ? kNoSelectedCell : *cell);
}

}  // namespace zv
