// The session's solve and browse rules without a window: the switch to
// solving and to solution view, the run matching a direct solver run, the
// browse steps at both ends, the selection by form cell and by figure cube,
// a stop requested from inside the run, and the place a stopped run keeps:
// continued, dropped by an edit, and handed in again through a file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "editor/editor_session.h"
#include "editor/solution_marks.h"
#include "run/unit_file.h"
#include "storage/task_file.h"
#include "tests/editor/session_helpers.h"
#include "tests/support/stop_observers.h"
#include "tests/support/task_builder.h"

namespace zv {
namespace {

using StopAfterCalls = test::StopAfterPolls<>;

TaskState Example(const char* name) {
  const char* source = std::getenv("ZORVAT_SOURCE_DIR");
  TaskState task;
  EXPECT_NE(source, nullptr);
  if (source == nullptr) return task;
  EXPECT_EQ(ReadTaskFile(std::string(source) + "/examples/" + name, task), ReadResult::Ok) << name;
  return task;
}

// A small task with several solutions.
TaskState RowTask() { return Example("diagonal_star.zvt"); }

// The first form cell and the first cube's figure cell, in index order.
CellIndex FirstFormCell(const TaskState& t) {
  for (CellIndex cell(0); cell.value() < kFormGrid; ++cell)
    if (t.form.At(cell)) return cell;
  return kNoSelectedCell;
}
int FirstCubeCell(const TaskState& t) {
  int cell = 0;
  ListCubeCells(t.figure, &cell, 1);
  return cell;
}

SolveRun Solve(EditorSession& s, SolveObserver& observer) {
  EXPECT_TRUE(s.BeginSolving().mode);
  EXPECT_EQ(s.workMode(), WorkMode::Solving);
  return s.RunSolver(observer, {});
}

TEST(Solving, RunsTheTaskAndShowsSolutionZero) {
  EditorSession s;
  s.ReplaceTask(RowTask());
  QuietObserver quiet;
  const SolveRun run = Solve(s, quiet);
  EXPECT_EQ(run.outcome, SolveOutcome::Complete);
  EXPECT_TRUE(run.changes.mode && run.changes.selection);
  EXPECT_EQ(s.workMode(), WorkMode::SolutionView);

  Solver direct;
  const TaskState task = RowTask();
  direct.Solve(task, ValidateTask(task).links, quiet);
  ASSERT_GE(direct.SolutionCount(), 2);
  EXPECT_EQ(s.solver().SolutionCount(), direct.SolutionCount());
  SolutionViewData expected;
  ShowSolutionMarks(direct.Solution(0), ValidateTask(task).links, expected);
  ASSERT_NE(s.shownSolution(), nullptr);
  EXPECT_EQ(s.shownSolution()->cubeAt, expected.cubeAt);
  EXPECT_EQ(s.currentSolution(), 0);
}

TEST(Solving, BrowseStepsStopAtBothEnds) {
  EditorSession s;
  s.ReplaceTask(RowTask());
  QuietObserver quiet;
  Solve(s, quiet);
  const int last = s.solver().SolutionCount() - 1;
  EXPECT_EQ(s.Step(SolutionStep::Previous), Changes{});
  EXPECT_EQ(s.Step(SolutionStep::First), Changes{});
  EXPECT_TRUE(s.Step(SolutionStep::Next).selection);
  EXPECT_EQ(s.currentSolution(), 1);
  s.Step(SolutionStep::Last);
  EXPECT_EQ(s.currentSolution(), last);
  EXPECT_EQ(s.Step(SolutionStep::Next), Changes{});
  s.Step(SolutionStep::Previous);
  EXPECT_EQ(s.currentSolution(), last - 1);
  s.Step(SolutionStep::First);
  EXPECT_EQ(s.currentSolution(), 0);
}

TEST(Solving, CellsAreSelectedByFormCellAndByFigureCube) {
  EditorSession s;
  s.ReplaceTask(RowTask());
  QuietObserver quiet;
  Solve(s, quiet);
  const TaskState& t = s.task();
  EXPECT_EQ(s.SelectSolutionCell(CellIndex(0)), Changes{});  // no form cell
  const CellIndex formCell = FirstFormCell(t);
  EXPECT_TRUE(s.SelectSolutionCell(formCell).selection);
  EXPECT_EQ(s.shownSolution()->selectedCell, formCell);
  // A press on a selected form cell clears the selection, a second one selects it.
  const int px = test::FormPx(FormCellX(formCell)),
            py = test::FormPy(FormCellY(formCell), FormCellZ(formCell), t.form.FormDepth);
  s.FormPress(px, py);
  EXPECT_EQ(s.shownSolution()->selectedCell, kNoSelectedCell);
  s.FormPress(px, py);
  EXPECT_EQ(s.shownSolution()->selectedCell, formCell);
  // A press on cube 0 selects the cell it lands in; the selection stays when stepping.
  const int cube = FirstCubeCell(t);
  s.FigurePress(test::FigurePx(FigureCellX(cube)), test::FigurePy(FigureCellY(cube)), false);
  const CellIndex cell(s.shownSolution()->cubePosition[0]);
  EXPECT_EQ(s.shownSolution()->selectedCell, cell);
  s.Step(SolutionStep::Next);
  EXPECT_EQ(s.shownSolution()->selectedCell, cell);
  // The task stays frozen, and editing starts again from the solution view.
  EXPECT_EQ(s.FillFigure(), Changes{});
  EXPECT_TRUE(s.ReturnToEditing().mode);
  EXPECT_TRUE(
      s.FigurePress(test::FigurePx(FigureCellX(cube)), test::FigurePy(FigureCellY(cube)), false).figure);
}

TEST(Solving, AStopFromInsideTheRunEndsItWithTheSolutionsSoFar) {
  EditorSession s;
  // A box of twelve pentominoes: far more than one refresh of search calls.
  s.ReplaceTask(Example("pentominoes_3x4x5.zvt"));
  test::StopAtFirstRefresh stopper(s);
  const SolveRun run = Solve(s, stopper);
  EXPECT_EQ(run.outcome, SolveOutcome::Stopped);
  EXPECT_EQ(stopper.refreshes, 1);
  EXPECT_EQ(s.workMode(), WorkMode::SolutionView);
  // The next run starts without the old stop request.
  EXPECT_TRUE(s.ReturnToEditing().mode);
  s.ReplaceTask(RowTask());
  QuietObserver quiet;
  EXPECT_EQ(Solve(s, quiet).outcome, SolveOutcome::Complete);
}

// The stored solutions and counters a finished run must reproduce.
std::vector<std::vector<std::uint8_t>> Results(const Solver& solver) {
  const SolveStats stats = solver.Stats();
  std::vector<std::vector<std::uint8_t>> out{{static_cast<std::uint8_t>(solver.LastOutcome())}};
  for (const std::uint64_t n : {stats.deadEnds, stats.assignments, stats.searchCalls, stats.found})
    for (int byte = 0; byte < 8; ++byte) out[0].push_back(static_cast<std::uint8_t>(n >> (8 * byte)));
  for (int i = 0; i < solver.SolutionCount(); ++i) {
    const auto cubes = solver.SolutionCubes(i), rotations = solver.SolutionRotations(i);
    out.emplace_back(cubes.begin(), cubes.end());
    out.back().insert(out.back().end(), rotations.begin(), rotations.end());
  }
  return out;
}

TEST(Solving, AStoppedRunKeepsItsPlaceAndContinuedEndsAsOneRun) {
  const TaskState task = RowTask();
  Solver direct;
  QuietObserver quiet;
  direct.Solve(task, ValidateTask(task).links, quiet);
  EditorSession s;
  s.ReplaceTask(task);
  EXPECT_TRUE(s.BeginSolving().mode);
  // Each unit is polled before it and once per call searched, the walk
  // down to it aside: ten polls stop the run among the units.
  StopAfterCalls first(10);
  ASSERT_EQ(s.RunSolver(first, {}).outcome, SolveOutcome::Stopped);
  ASSERT_TRUE(s.placeKept());

  // The place goes to a file image and comes back in another session;
  // a place of another task is refused there and changes nothing.
  UnitFile file, read;
  file = MakeUnitFile(s.task(), s.validation().links.blockCount, s.keptPlace().engine(), s.keptPlace().Job());
  ASSERT_EQ(ParseUnitImage(BuildUnitImage(file), read), UnitFileStatus::Ok);
  TaskState held;
  ASSERT_TRUE(TaskOfUnitFile(read, held));
  const TaskState snake = Example("snake_cube.zvt");
  EditorSession other;
  other.ReplaceTask(snake);
  const PlaceRestore refused = other.RestorePlace(snake, read.engine, read.cut, read.results, {});
  EXPECT_EQ(refused.refusal, PlaceRefusal::Units);
  EXPECT_TRUE(other.task() == snake && !other.placeKept() && other.workMode() == WorkMode::Edit);
  // On two threads too: the restore searches no unit.
  const PlaceRestore restored = other.RestorePlace(held, read.engine, read.cut, read.results,
                                                   SolveOptions{0, SolveEngine::Reduced, 2}, read.begun);
  EXPECT_EQ(restored.refusal, PlaceRefusal::None);
  EXPECT_TRUE(other.task() == task && other.placeKept() && other.workMode() == WorkMode::SolutionView);
  EXPECT_EQ(Results(other.solver()), Results(s.solver()));

  // Continued, stopped and continued again until the end, from either session.
  for (EditorSession* session : {&s, &other}) {
    SolveOutcome outcome = SolveOutcome::Stopped;
    int runs = 0;
    for (long budget = 10; outcome == SolveOutcome::Stopped; budget *= 2, ++runs) {
      ASSERT_TRUE(session->placeKept());
      EXPECT_TRUE(session->BeginSolving(true).mode);
      StopAfterCalls stop(budget);
      outcome = session->RunSolver(stop, {}).outcome;
    }
    EXPECT_GE(runs, 2);
    EXPECT_FALSE(session->placeKept());
    EXPECT_EQ(Results(session->solver()), Results(direct));
  }

  // An edit drops the place for good, even when undone.
  s.ReturnToEditing();
  s.BeginSolving();
  s.RunSolver(first = StopAfterCalls(10), {});
  ASSERT_TRUE(s.placeKept());
  s.ReturnToEditing();
  s.SetEmptyCells(true);
  s.SetEmptyCells(false);
  EXPECT_FALSE(s.placeKept());
  EXPECT_EQ(s.BeginSolving(true), Changes{});
}

TEST(Solving, ARunWithoutSolutionsShowsNone) {
  EditorSession s;
  s.ReplaceTask(RowTask());
  test::StopAtOnce stop;
  const SolveRun run = Solve(s, stop);
  EXPECT_EQ(run.outcome, SolveOutcome::Stopped);
  EXPECT_EQ(s.solver().SolutionCount(), 0);
  EXPECT_EQ(s.shownSolution(), nullptr);
  EXPECT_EQ(s.Step(SolutionStep::Next), Changes{});
  const int cube = FirstCubeCell(s.task());
  EXPECT_EQ(s.FigurePress(test::FigurePx(FigureCellX(cube)), test::FigurePy(FigureCellY(cube)), false),
            Changes{});
}

TEST(Solving, AnInvalidTaskIsNotSolved) {
  EditorSession s;
  s.ReplaceTask(test::MakeTask({"###"}, {{"##"}}));  // fewer form cells than cubes
  EXPECT_EQ(s.BeginSolving(), Changes{});
  QuietObserver quiet;
  EXPECT_EQ(s.RunSolver(quiet, {}).outcome, SolveOutcome::Refused);
  EXPECT_EQ(s.workMode(), WorkMode::Edit);
}

}  // namespace
}  // namespace zv
