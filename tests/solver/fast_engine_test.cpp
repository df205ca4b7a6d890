// The engine choice through the solver's entry, the explored share it
// reports, the remaining-time text made from that share, and how link
// constraints are trimmed to available candidates.
#include <gtest/gtest.h>

#include <array>
#include <utility>

#include "solver/fast_tables.h"
#include "solver/progress.h"
#include "solver/solver.h"
#include "storage/task_file.h"
#include "tests/support/example_manifest.h"
#include "tests/support/solve_task.h"
#include "tests/support/task_builder.h"

namespace zv {
namespace {

TEST(FormatRemaining, EmptyUntilSomethingIsExplored) {
  EXPECT_EQ(FormatRemaining(5000, 0.0), "");
  EXPECT_EQ(FormatRemaining(0, 0.0), "");
}

TEST(FormatRemaining, ElapsedTimesTheShareStillToGo) {
  EXPECT_EQ(FormatRemaining(10000, 0.5), "10");  // 10 s x (2 - 1)
  EXPECT_EQ(FormatRemaining(3000, 0.25), "9");   // 3 s x (4 - 1)
  EXPECT_EQ(FormatRemaining(2500, 0.5), "3");    // 2.5 rounds up
  EXPECT_EQ(FormatRemaining(2400, 0.5), "2");
  EXPECT_EQ(FormatRemaining(999999, 0.5), "1000");
}

TEST(FormatRemaining, AtLeastOneSecond) {
  EXPECT_EQ(FormatRemaining(1000, 1.0), "1");
  EXPECT_EQ(FormatRemaining(100, 0.9), "1");
}

TEST(FormatRemaining, ThreeDigitsFromAMillionSeconds) {
  EXPECT_EQ(FormatRemaining(1000, 1.0 / 2000001.0), "2e+06");     // 2,000,000 s
  EXPECT_EQ(FormatRemaining(2000, 1.0 / 1234568.0), "2.47e+06");  // 2 x 1,234,567 s
  EXPECT_EQ(FormatRemaining(1000, 1.0 / 1000000.0), "999999");    // just below
}

// Two cubes on a face-axis hinge in two cells: 32 assignments, one solution.
TaskState AxisPair() {
  TaskState task = test::MakeTask({"##"}, {{"##"}});
  test::SetLink(task, 1, 0, AxisX);
  return task;
}

TEST(SolverEngines, EveryEngineAndThreadCountGivesTheSameRun) {
  const TaskState task = AxisPair();
  QuietObserver quiet;
  auto reference = test::SolveTask(task, quiet, SolveOptions{0, SolveEngine::Reference, 1});
  EXPECT_EQ(reference.solver->Assignments(), 32u);
  EXPECT_EQ(reference.solver->Stats().explored, 0.0);  // the reference engine keeps no share
  for (int threads : {1, 2, 4}) {
    auto fast = test::SolveTask(task, quiet, SolveOptions{0, SolveEngine::Fast, threads});
    EXPECT_EQ(fast.outcome, SolveOutcome::Complete) << threads;
    EXPECT_EQ(fast.solver->Assignments(), 32u) << threads;
    EXPECT_EQ(fast.solver->SolutionCount(), 1) << threads;
    EXPECT_EQ(fast.solver->SearchCalls(), reference.solver->SearchCalls()) << threads;
    // 8 branches of the first cube, each with 4 of the second: 32 leaves of 1/32.
    EXPECT_DOUBLE_EQ(fast.solver->Stats().explored, 1.0) << threads;
  }
}

// Records what the refreshes saw.
class ShareWatcher final : public SolveObserver {
 public:
  bool StopRequested() override { return false; }
  void Refresh(const SolveStats& stats) override {
    EXPECT_GE(stats.explored, last);
    EXPECT_LE(stats.explored, 1.0);
    last = stats.explored;
    ++refreshes;
  }
  double last = 0;
  int refreshes = 0;
};

TEST(SolverEngines, TheExploredShareGrowsDuringARun) {
  // Seven loose cubes in a row of eight cells: 8!/1! orders of which the
  // full search tries many, well over one refresh's 1002 calls (the
  // reduced search keeps identical cubes in order and needs few); the
  // pentominoes of 2 x 3 x 10 take the reduced search far past that.
  TaskState cubes = test::MakeTask({"#.#.#.#", ".......", "#.#.#.."}, {{"########"}});
  cubes.EmptyCells = true;
  TaskState pentominoes;
  ASSERT_EQ(ReadTaskFile(test::ExamplesFolder() + "/pentominoes_2x3x10.zvt", pentominoes), ReadResult::Ok);
  const std::pair<const TaskState*, SolveEngine> runs[] = {{&cubes, SolveEngine::Fast},
                                                           {&pentominoes, SolveEngine::Reduced}};
  for (const auto& [task, engine] : runs) {
    ShareWatcher watcher;
    auto s = test::SolveTask(*task, watcher, SolveOptions{0, engine, 1});
    EXPECT_EQ(s.outcome, SolveOutcome::Complete);
    EXPECT_GT(watcher.refreshes, 0);
    EXPECT_GT(watcher.last, 0.0);
    EXPECT_LT(watcher.last, 1.0);
    EXPECT_NEAR(s.solver->Stats().explored, 1.0, 1e-9);
  }
}

// Placements 0 to 7, of which 1, 4 and 6 are unavailable.
constexpr std::array<std::uint8_t, 8> kAvailable{1, 0, 1, 1, 0, 1, 0, 1};

LinkConstraint Constraint(std::int8_t count, std::int8_t fold, std::array<std::int32_t, 4> candidates) {
  return LinkConstraint{0, 3, count, fold, 17, 0, candidates};
}

TEST(AvailableOnly, DropsUnavailableCandidatesAndMovesTheFoldAlong) {
  // Fold on 5, behind the dropped 4: it moves from position 2 to 1.
  const LinkConstraint kept = AvailableOnly(Constraint(4, 2, {3, 4, 5, 7}), kAvailable.data());
  EXPECT_EQ(kept.candidateCount, 3);
  EXPECT_EQ(kept.foldIndex, 1);
  EXPECT_EQ(kept.candidates[0], 3);
  EXPECT_EQ(kept.candidates[1], 5);
  EXPECT_EQ(kept.candidates[2], 7);
  EXPECT_EQ(kept.neighbourBlock, 3);
  EXPECT_EQ(kept.slot, 17);
}

TEST(AvailableOnly, AFoldOnAnUnavailableCandidateIsGone) {
  const LinkConstraint kept = AvailableOnly(Constraint(3, 1, {0, 6, 2, 0}), kAvailable.data());
  EXPECT_EQ(kept.candidateCount, 2);
  EXPECT_EQ(kept.foldIndex, -1);
  EXPECT_EQ(kept.candidates[0], 0);
  EXPECT_EQ(kept.candidates[1], 2);
}

TEST(AvailableOnly, NoAvailableCandidateLeavesAnEmptyConstraint) {
  const LinkConstraint kept = AvailableOnly(Constraint(2, 0, {1, 4, 0, 0}), kAvailable.data());
  EXPECT_EQ(kept.candidateCount, 0);
  EXPECT_EQ(kept.foldIndex, -1);
}

}  // namespace
}  // namespace zv
