// The placement search on small tasks whose counts follow by hand: complete
// assignments, stored solutions and dead ends, the 10000 limit, stopping
// after a number of calls and running out of memory in the middle of a run.
#include "solver/search.h"

#include <gtest/gtest.h>

#include <type_traits>
#include <vector>

#include "model/validation.h"
#include "solver/prepare.h"
#include "solver/solution_store.h"
#include "solver/solver.h"
#include "tests/support/solve_task.h"
#include "tests/support/task_builder.h"

namespace zv {
namespace {

// The solver's interfaces take each index of their own kind only.
template <class I>
constexpr bool kSolutionTakes = requires(const StoredSolution& s, I i) {
  s.CubeAt(i);
};
template <class I>
constexpr bool kSolverTakes = requires(const Solver& solver, I i) {
  solver.FormCellNumber(i);
};
static_assert(kSolutionTakes<CellNumber> && !kSolutionTakes<CellIndex> && !kSolutionTakes<int>);
static_assert(kSolverTakes<CellIndex> && !kSolverTakes<CellNumber> && !kSolverTakes<int>);
static_assert(std::is_same_v<decltype(Assignment(nullptr)[0]), PlacementId>);

using test::MakeTask;
using test::SetLink;
using test::SolveTask;

TEST(SearchCounts, AxisPairInTwoCellsGivesThirtyTwoAssignmentsAndOneSolution) {
  // Each cube has 4 rotations in each cell that keep the hinge face towards
  // the other cell; the search branches on the first cube's 8 placements and
  // each leaves 4 turns of the partner: 32 assignments, all one solution.
  TaskState task = MakeTask({"##"}, {{"##"}});
  SetLink(task, 1, 0, AxisX);
  QuietObserver quiet;
  auto s = SolveTask(task, quiet, SolveOptions{0, SolveEngine::Fast, 1});  // the full tree's calls
  EXPECT_EQ(s.outcome, SolveOutcome::Complete);
  EXPECT_EQ(s.solver->Assignments(), 32u);
  EXPECT_EQ(s.solver->SolutionCount(), 1);
  EXPECT_EQ(s.solver->DeadEnds(), 0u);
  EXPECT_EQ(s.solver->SearchCalls(), 1u + 8u + 32u);
}

// Two rigid dominoes; the form is a row with cells at the given columns.
TaskState TwoDominoes(std::string_view formRow, bool emptyCells) {
  TaskState task = MakeTask({"##", "..", "##"}, {{formRow}});
  SetLink(task, 1, 0, RigidX);
  SetLink(task, 1, 2, RigidX);
  task.EmptyCells = emptyCells;
  return task;
}

TEST(SearchCounts, CellNoPlacementCoversEndsAtTheFirstStepWithOneDeadEnd) {
  auto s = SolveTask(TwoDominoes("###.#", false));
  EXPECT_EQ(s.outcome, SolveOutcome::Complete);
  EXPECT_EQ(s.solver->SolutionCount(), 0);
  EXPECT_EQ(s.solver->Assignments(), 0u);
  EXPECT_EQ(s.solver->DeadEnds(), 1u);
  EXPECT_EQ(s.solver->SearchCalls(), 1u);
}

TEST(SearchCounts, UncoveredCellsUseTheSurplus) {
  // One unreachable cell and one cell to spare: the search goes on and finds
  // the dominoes side by side (two assignments: they may be exchanged).
  auto one = SolveTask(TwoDominoes("####.#", true));
  EXPECT_EQ(one.solver->SolutionCount(), 1);
  EXPECT_EQ(one.solver->Assignments(), 2u);
  // Two unreachable cells and one to spare: a dead end at once.
  auto two = SolveTask(TwoDominoes("###.#.#", true));
  EXPECT_EQ(two.solver->SolutionCount(), 0);
  EXPECT_EQ(two.solver->DeadEnds(), 1u);
  EXPECT_EQ(two.solver->SearchCalls(), 1u);
}

TEST(SearchCounts, BlockWithoutUsablePlacementIsADeadEnd) {
  // A straight rod of three cannot lie in a 2x2 square.
  TaskState task = MakeTask({"###", "#.."}, {{"##", "##"}});
  SetLink(task, 1, 0, RigidX);
  SetLink(task, 2, 0, RigidX);
  auto s = SolveTask(task);
  EXPECT_EQ(s.solver->SolutionCount(), 0);
  EXPECT_EQ(s.solver->DeadEnds(), 1u);
}

// Rods of lengths 1..7 fill a row of 28 cells in any order (7! = 5040), and
// two L-trominoes fill a separate 3x2 patch in 2 ways; no rod fits the patch
// with the Ls left over, and the form has no symmetry but the mirror across
// its single layer, which changes nothing. So 10080 distinct solutions, each
// found twice (the two Ls exchanged): 20160 assignments.
TaskState RodsAndTwoLs() {
  TaskState task =
      MakeTask({"#......", ".......", "##.....", ".......", "###....", ".......", "####...", ".......",
                "#####..", ".......", "######.", ".......", "#######", ".......", "##.##..", "#..#..."},
               {{"############################", "............................",
                 "###.........................", "###........................."}});
  for (int length = 2; length <= 7; ++length)
    for (int x = 1; x < length; ++x) SetLink(task, x, 2 * (length - 1), RigidX);
  SetLink(task, 1, 14, RigidX);
  SetLink(task, 0, 15, RigidY);
  SetLink(task, 4, 14, RigidX);
  SetLink(task, 3, 15, RigidY);
  return task;
}

// One full run of RodsAndTwoLs, shared by the tests that compare with it.
const Solver& FullRodsRun() {
  static const test::SolvedTask run = SolveTask(RodsAndTwoLs());
  return *run.solver;
}

TEST(SearchStore, KeepsTheFirstTenThousandAndCountsEveryAssignment) {
  const Solver& s = FullRodsRun();
  EXPECT_EQ(s.LastOutcome(), SolveOutcome::Complete);
  EXPECT_EQ(s.SolutionCount(), kMaxStoredSolutions);
  EXPECT_EQ(s.Assignments(), 20160u);
}

// Stops when the search has polled `limit` times.
class StopAfterPolls final : public SolveObserver {
 public:
  explicit StopAfterPolls(std::uint64_t limit) : limit_(limit) {}
  bool StopRequested() override { return ++polls_ >= limit_; }
  void Refresh(const SolveStats& stats) override { refreshes.push_back(stats); }
  std::vector<SolveStats> refreshes;

 private:
  std::uint64_t limit_;
  std::uint64_t polls_ = 0;
};

TEST(SearchStop, StopKeepsWhatWasFoundAndTheCountersAgree) {
  const TaskState task = RodsAndTwoLs();
  const Solver& full = FullRodsRun();
  StopAfterPolls observer(5000);
  auto part = SolveTask(task, observer);
  EXPECT_EQ(part.outcome, SolveOutcome::Stopped);
  // The stop is seen at the start of the 5000th call, which does nothing more.
  EXPECT_EQ(part.solver->SearchCalls(), 4999u);
  EXPECT_GT(part.solver->SolutionCount(), 0);
  EXPECT_LT(part.solver->SolutionCount(), full.SolutionCount());
  EXPECT_LE(static_cast<std::uint64_t>(part.solver->SolutionCount()), part.solver->Assignments());
  EXPECT_LE(part.solver->DeadEnds(), full.DeadEnds());
  // The same solutions in the same order as the first ones of a full run.
  for (int i = 0; i < part.solver->SolutionCount(); ++i) {
    const auto a = part.solver->SolutionCubes(i), b = full.SolutionCubes(i);
    ASSERT_TRUE(std::equal(a.begin(), a.end(), b.begin(), b.end())) << i;
  }
  // Refreshes came on calls 1002, 2004, 3006 and 4008.
  ASSERT_EQ(observer.refreshes.size(), 4u);
  EXPECT_EQ(observer.refreshes[0].searchCalls, 1002u);
  EXPECT_EQ(observer.refreshes[3].searchCalls, 4008u);
}

TEST(SearchStop, StopAtTheFirstPollLeavesNothing) {
  TaskState task = MakeTask({"##"}, {{"##"}});
  SetLink(task, 1, 0, AxisX);
  StopAfterPolls observer(1);
  auto s = SolveTask(task, observer);
  EXPECT_EQ(s.outcome, SolveOutcome::Stopped);
  EXPECT_EQ(s.solver->SearchCalls(), 0u);
  EXPECT_EQ(s.solver->SolutionCount(), 0);
  EXPECT_EQ(s.solver->FormCellList().size(), 2u);
}

// Lets the pool hand out no more memory once `keep` solutions are stored.
class StarvePoolAfter final : public SolveObserver {
 public:
  StarvePoolAfter(BlockPool& pool, const SolutionStore& store, int keep)
      : pool_(pool), store_(store), keep_(keep) {}
  bool StopRequested() override {
    if (!starved_ && store_.Count() == keep_) {
      pool_.SetLimit(pool_.BytesHeld());
      for (std::size_t size = BlockPool::kUsableBytes; size > 0; size /= 2)
        while (pool_.Allocate(size) != nullptr) {
        }
      starved_ = true;
    }
    return false;
  }
  void Refresh(const SolveStats&) override {}

 private:
  BlockPool& pool_;
  const SolutionStore& store_;
  int keep_;
  bool starved_ = false;
};

TEST(SearchMemory, RunningOutInTheStoreEndsTheRunKeepingWhatWasStored) {
  const TaskState task = RodsAndTwoLs();
  const Solver& full = FullRodsRun();
  const Validation v = ValidateTask(task);
  BlockPool pool;
  ByteKeySet keys;
  PreparedSearch prep;
  ASSERT_TRUE(PrepareSearch(task, v.links, pool, keys, prep));
  SolutionStore store;
  ASSERT_TRUE(store.Begin(prep, pool, keys));
  StarvePoolAfter observer(pool, store, 3);
  PlacementSearch search(prep, store, observer);
  ASSERT_TRUE(search.Allocate(pool));
  search.Run();
  EXPECT_TRUE(search.OutOfMemory());
  EXPECT_EQ(store.Count(), 3);
  for (int i = 0; i < 3; ++i) {
    const auto b = full.SolutionCubes(i);
    EXPECT_TRUE(std::equal(b.begin(), b.end(), store.Solution(i))) << i;
  }
  // The run ended right after the refused solution.
  EXPECT_LT(search.SearchCalls(), full.SearchCalls());
}

TEST(SearchMemory, LimitBelowOneBlockEndsTheRunInPreparation) {
  TaskState task = MakeTask({"##"}, {{"##"}});
  SetLink(task, 1, 0, AxisX);
  auto s = SolveTask(task, *std::make_unique<QuietObserver>(), SolveOptions{1 << 20});
  EXPECT_EQ(s.outcome, SolveOutcome::OutOfMemory);
  EXPECT_EQ(s.solver->SolutionCount(), 0);
  EXPECT_EQ(s.solver->SearchCalls(), 0u);
  EXPECT_TRUE(s.solver->FormCellList().empty());
  EXPECT_FALSE(s.solver->FormCellNumber(FormCellIndex(0, 0, 0)).valid());
}

TEST(SearchSolver, TaskOutsideValidationIsRefusedAndANewRunStartsClean) {
  TaskState task = MakeTask({"##"}, {{"###"}});  // one cell too many, EmptyCells off
  TaskState valid = MakeTask({"##"}, {{"##"}});
  SetLink(valid, 1, 0, AxisX);
  const Validation good = ValidateTask(valid);
  Solver solver;
  QuietObserver quiet;
  EXPECT_EQ(solver.Solve(valid, good.links, quiet), SolveOutcome::Complete);
  EXPECT_EQ(solver.SolutionCount(), 1);
  EXPECT_EQ(solver.Solve(task, good.links, quiet), SolveOutcome::Refused);
  EXPECT_EQ(solver.SolutionCount(), 0);
  EXPECT_EQ(solver.Assignments(), 0u);
  EXPECT_TRUE(solver.FormCellList().empty());
  // The same solver runs again from scratch.
  EXPECT_EQ(solver.Solve(valid, good.links, quiet), SolveOutcome::Complete);
  EXPECT_EQ(solver.Assignments(), 32u);
  EXPECT_EQ(solver.FormCellNumber(FormCellIndex(1, 0, 0)), CellNumber(1));
  EXPECT_FALSE(solver.FormCellNumber(FormCellIndex(2, 0, 0)).valid());
  EXPECT_FALSE(solver.FormCellNumber(CellIndex(-5)).valid());
}

}  // namespace
}  // namespace zv
