// SolveOptions::stopAfter on every engine and thread count: a run told to
// stop after N stores exactly the first N solutions of the uninterrupted
// run (ends Stopped, the stop-after reached, when it holds N, also when the
// N-th was the last there is; Complete when there were fewer), and the
// verdict follows from it.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "model/validation.h"
#include "solver/solver.h"
#include "solver/verdict.h"
#include "storage/task_file.h"
#include "tests/support/example_manifest.h"
#include "tests/support/random_task.h"

namespace zv {
namespace {

using Images = std::vector<std::vector<std::uint8_t>>;

struct Run {
  SolveOutcome outcome;
  bool stopAfterReached;
  Verdict verdict;
  Images solutions;
};

Run SolveWith(const TaskState& task, const LinkAnalysis& links, SolveEngine engine, int threads,
              int stopAfter) {
  Solver solver;
  QuietObserver quiet;
  Run run{solver.Solve(task, links, quiet, SolveOptions{0, engine, threads, stopAfter}), false, {}, {}};
  run.stopAfterReached = solver.StopAfterReached();
  run.verdict = VerdictOf(solver);
  for (int i = 0; i < solver.SolutionCount(); ++i) {
    Images::value_type image(solver.SolutionCubes(i).begin(), solver.SolutionCubes(i).end());
    image.insert(image.end(), solver.SolutionRotations(i).begin(), solver.SolutionRotations(i).end());
    run.solutions.push_back(std::move(image));
  }
  return run;
}

void ExpectPrefixesEverywhere(const TaskState& task, const std::string& what) {
  const Validation v = ValidateTask(task);
  if (!v.ok()) return;
  const Run whole = SolveWith(task, v.links, SolveEngine::Reference, 1, 0);
  ASSERT_EQ(whole.outcome, SolveOutcome::Complete) << what;
  const int count = static_cast<int>(whole.solutions.size());
  const Verdict expected = count == 0 ? Verdict::None : count == 1 ? Verdict::Unique : Verdict::Several;
  struct Engine {
    SolveEngine engine;
    int threads;
  };
  for (const Engine e :
       {Engine{SolveEngine::Reference, 1}, Engine{SolveEngine::Fast, 1}, Engine{SolveEngine::Fast, 3},
        Engine{SolveEngine::Reduced, 1}, Engine{SolveEngine::Reduced, 2}, Engine{SolveEngine::Reduced, 3}}) {
    for (const int n : {1, 2, count / 2 + 1, count, count + 1}) {
      if (n < 1) continue;
      const std::string at = what + ", engine " + std::to_string(static_cast<int>(e.engine)) + " on " +
                             std::to_string(e.threads) + ", stop after " + std::to_string(n);
      const Run part = SolveWith(task, v.links, e.engine, e.threads, n);
      const int kept = std::min(n, count);
      ASSERT_EQ(static_cast<int>(part.solutions.size()), kept) << at;
      EXPECT_TRUE(std::equal(part.solutions.begin(), part.solutions.end(), whole.solutions.begin())) << at;
      if (n <= count) {
        EXPECT_EQ(part.outcome, SolveOutcome::Stopped) << at;
        EXPECT_TRUE(part.stopAfterReached) << at;
      }
      if (n > count) {
        EXPECT_EQ(part.outcome, SolveOutcome::Complete) << at;
      }
      if (n == kVerdictStopAfter) {
        EXPECT_EQ(part.verdict, expected) << at;
      }
    }
  }
}

TEST(StopAfter, StoresThePrefixOfTheWholeRunOnTheExamples) {
  for (const test::ExampleEntry& e : test::ReadExampleManifest()) {
    if (!e.fast) continue;
    TaskState task;
    ASSERT_EQ(ReadTaskFile(e.path, task), ReadResult::Ok) << e.path;
    ExpectPrefixesEverywhere(task, e.file);
  }
}

TEST(StopAfter, StoresThePrefixOfTheWholeRunOnRandomTasks) {
  std::mt19937 rng(test::TestSeed());
  for (int i = 0; i < 150; ++i)
    ExpectPrefixesEverywhere(test::RandomTask(rng, test::SmallSolverTaskOptions()),
                             "random task " + std::to_string(i));
}

TEST(StopAfter, VerdictNeedsAFinishedSearchForUnique) {
  EXPECT_EQ(VerdictOf(SolveOutcome::Stopped, 1), Verdict::Stopped);
  EXPECT_EQ(VerdictOf(SolveOutcome::Stopped, 0), Verdict::Stopped);
  EXPECT_EQ(VerdictOf(SolveOutcome::OutOfMemory, 2), Verdict::Several);
  EXPECT_EQ(VerdictOf(SolveOutcome::Complete, 1), Verdict::Unique);
}

}  // namespace
}  // namespace zv
