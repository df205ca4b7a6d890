// The reduced engine on copies: a task whose full tree holds millions of
// copies of one solution, which the full-tree engines cannot follow, and
// identical loose cubes, which they can. Copies are counted, never searched;
// the stored solutions are those the full search stores first.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "storage/task_file.h"
#include "tests/support/solve_task.h"
#include "tests/support/stop_observers.h"
#include "tests/support/task_builder.h"

namespace zv {
namespace {

using CallLimit = test::StopAfterPolls<>;

std::string ExamplesFolder() {
  const char* root = std::getenv("ZORVAT_SOURCE_DIR");
  return std::string(root != nullptr ? root : ".") + "/examples/";
}

// `count` loose single cubes, none linked, in rows of `width`, and a flat
// form of the same drawing: every cube can go to every cell.
TaskState LooseCubes(int count, int width) {
  TaskState task = test::MakeTask({"#"}, {{"#"}});
  task.figure.Cells.fill(0);
  task.form.Cells.fill(0);
  task.figure.FigureWidth = task.form.FormWidth = width;
  task.figure.FigureDepth = task.form.FormDepth = (count + width - 1) / width;
  for (int k = 0; k < count; ++k) {
    task.figure.Cells[FigureCellIndex(k % width, k / width)] = kCubeBit;
    task.form.At(FormCellIndex(k % width, k / width, 0)) = 1;
  }
  ResetNumbering(task.figure);
  return task;
}

TEST(ReducedEngine, SpinningCubesAreCountedNotSearched) {
  // Nine cubes of the snake turn about their hinge axes: 4^9 copies of each
  // of the 48 images of the one solution.
  TaskState task;
  ASSERT_EQ(ReadTaskFile(ExamplesFolder() + "snake_turning_cubes.zvt", task), ReadResult::Ok);
  const auto s = test::SolveTask(task);
  EXPECT_EQ(s.outcome, SolveOutcome::Complete);
  EXPECT_EQ(s.solver->SolutionCount(), 1);
  EXPECT_EQ(s.solver->Assignments(), 48u * 262144u);
  EXPECT_FALSE(s.solver->Stats().assignmentsAtLeast);
  EXPECT_LT(s.solver->SearchCalls(), 1000u);
}

TEST(ReducedEngine, ManyLooseCubesExchangeAtBlockBranchings) {
  // 254 loose cubes in 254 cells: one solution and 254! assignments, which
  // the full tree cannot enumerate; exchanging the cubes leaves one branch
  // per step.
  const TaskState task = LooseCubes(254, 16);
  CallLimit limit(1000);
  const auto s = test::SolveTask(task, limit);
  EXPECT_EQ(s.outcome, SolveOutcome::Complete);
  EXPECT_EQ(s.solver->SolutionCount(), 1);
  EXPECT_TRUE(s.solver->Stats().assignmentsAtLeast);
  EXPECT_EQ(s.solver->Assignments(), ~std::uint64_t{0});
}

TEST(ReducedEngine, IdenticalLooseCubesCountAsTheReferenceDoes) {
  // Six loose cubes in six cells: 6! assignments, all one solution. Then
  // twins beside other blocks and spare cells, where the twin order meets
  // block branchings, cell branchings, symmetric forms and split runs.
  TaskState twinDominoes = test::MakeTask({"##.##", "#.#.."}, {{"##", "##"}, {"##", "##"}});
  test::SetLink(twinDominoes, 1, 0, RigidX);
  test::SetLink(twinDominoes, 4, 0, RigidX);
  TaskState cubesAndDomino = test::MakeTask({"###", "##."}, {{"###", "###"}});
  test::SetLink(cubesAndDomino, 1, 1, RigidX);
  std::vector<TaskState> tasks = {LooseCubes(6, 3),
                                  test::MakeTask({"####"}, {{"###", "###"}}),
                                  cubesAndDomino,
                                  twinDominoes,
                                  test::MakeTask({"#####"}, {{"##", "##"}, {"##", "##"}}),
                                  LooseCubes(7, 4)};
  for (TaskState& task : tasks) task.EmptyCells = true;
  for (std::size_t t = 0; t < tasks.size(); ++t) {
    QuietObserver quiet;
    const auto reference = test::SolveTask(tasks[t], quiet, SolveOptions{0, SolveEngine::Reference, 1});
    if (t == 0) {
      EXPECT_EQ(reference.solver->Assignments(), 720u);
    }
    for (const int threads : {1, 2}) {
      const auto reduced = test::SolveTask(tasks[t], quiet, SolveOptions{0, SolveEngine::Reduced, threads});
      EXPECT_EQ(reduced.solver->Assignments(), reference.solver->Assignments()) << t << " on " << threads;
      ASSERT_EQ(reduced.solver->SolutionCount(), reference.solver->SolutionCount()) << t;
      for (int i = 0; i < reduced.solver->SolutionCount(); ++i) {
        EXPECT_EQ(
            std::vector(reduced.solver->SolutionCubes(i).begin(), reduced.solver->SolutionCubes(i).end()),
            std::vector(reference.solver->SolutionCubes(i).begin(), reference.solver->SolutionCubes(i).end()))
            << t << ", solution " << i;
        EXPECT_EQ(std::vector(reduced.solver->SolutionRotations(i).begin(),
                              reduced.solver->SolutionRotations(i).end()),
                  std::vector(reference.solver->SolutionRotations(i).begin(),
                              reference.solver->SolutionRotations(i).end()))
            << t << ", solution " << i;
      }
      EXPECT_LT(reduced.solver->SearchCalls(), reference.solver->SearchCalls()) << t;
    }
  }
}

// The classes of domino tilings of a 2 x n strip under its flips: a tiling
// is a sequence of upright dominoes (1) and stacked lying pairs (2), and
// only the flip along the strip changes it, reversing the sequence.
std::uint64_t StripTilingClasses(int n, std::vector<int>& sequence, int left) {
  if (left == 0) {
    const std::vector<int> reversed(sequence.rbegin(), sequence.rend());
    return sequence <= reversed ? 1 : 0;
  }
  std::uint64_t classes = 0;
  for (int step = 1; step <= std::min(2, left); ++step) {
    sequence.push_back(step);
    classes += StripTilingClasses(n, sequence, left - step);
    sequence.pop_back();
  }
  return classes;
}

TEST(ReducedEngine, SolutionsPastTheKeptOnesAreCounted) {
  // More classes than the store keeps, and 22! labelled copies of each
  // tiling, past 2^64.
  const TaskState task = test::DominoStrip();
  std::vector<int> sequence;
  const std::uint64_t classes = StripTilingClasses(22, sequence, 22);
  ASSERT_GT(classes, 10000u);
  for (const int threads : {1, 2}) {
    QuietObserver quiet;
    const auto s = test::SolveTask(task, quiet, SolveOptions{0, SolveEngine::Reduced, threads});
    EXPECT_EQ(s.outcome, SolveOutcome::Complete);
    EXPECT_EQ(s.solver->SolutionCount(), 10000);
    EXPECT_EQ(s.solver->Stats().found, classes) << threads;
    EXPECT_FALSE(s.solver->Stats().foundAtLeast);
    EXPECT_TRUE(s.solver->Stats().assignmentsAtLeast);
  }
}

}  // namespace
}  // namespace zv
