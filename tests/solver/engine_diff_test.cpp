// The fast and the reduced engine against the reference engine as oracle: on
// the example puzzles, on random small tasks and on the regression tasks, one
// thread and several, they must store the same solutions in the same order
// and count the same complete assignments; the fast engine also the same dead
// ends and search calls, the reduced engine never more. Stopped and starved
// runs end alike, and a stopped reduced run holds a prefix of the full result.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "model/validation.h"
#include "solver/fast_engine.h"
#include "solver/prepare.h"
#include "solver/search.h"
#include "solver/solution_store.h"
#include "solver/solver.h"
#include "storage/task_file.h"
#include "tests/support/random_task.h"
#include "tests/support/solution_checker.h"
#include "tests/support/stop_observers.h"
#include "tests/support/task_builder.h"

namespace zv {
namespace {

enum class Engine { Reference, Fast, Reduced };

// What a run leaves behind, everything the two engines must agree on.
struct EngineRun {
  SolveOutcome outcome = SolveOutcome::Complete;
  SolveStats stats;
  double explored = 0;
  std::vector<std::vector<std::uint8_t>> solutions;  // 2N bytes each, in stored order
};

// Makes the observer's decisions from the run it watches.
class WatchingObserver : public SolveObserver {
 public:
  virtual void Watch(BlockPool&, const SolutionStore&) {}
};

class Quiet final : public WatchingObserver {
 public:
  bool StopRequested() override { return false; }
  void Refresh(const SolveStats&) override {}
};

using StopAfterRefreshes = test::StopAfterRefreshes<WatchingObserver>;

// Lets the pool hand out no more memory once `keep` solutions are stored.
class StarveAfter final : public WatchingObserver {
 public:
  explicit StarveAfter(int keep) : keep_(keep) {}
  void Watch(BlockPool& pool, const SolutionStore& store) override {
    pool_ = &pool;
    store_ = &store;
  }
  bool StopRequested() override {
    if (pool_ != nullptr && store_->Count() >= keep_) {
      pool_->SetLimit(pool_->BytesHeld());
      for (std::size_t size = BlockPool::kUsableBytes; size > 0; size /= 2)
        while (pool_->Allocate(size) != nullptr) {
        }
      pool_ = nullptr;
    }
    return false;
  }
  void Refresh(const SolveStats&) override {}

 private:
  BlockPool* pool_ = nullptr;
  const SolutionStore* store_ = nullptr;
  int keep_;
};

// One run as the solver runs it: pool, preparation, store, the reference
// engine's levels (the fast engine takes the same pool memory), search.
EngineRun RunEngine(const TaskState& task, Engine engine, int threads, WatchingObserver& observer) {
  const Validation v = ValidateTask(task);
  EXPECT_TRUE(v.ok());
  BlockPool pool;
  ByteKeySet keys;
  PreparedSearch prep;
  SolutionStore store;
  EngineRun run;
  if (!PrepareSearch(task, v.links, pool, keys, prep) || !store.Begin(prep, pool, keys)) {
    run.outcome = SolveOutcome::OutOfMemory;
    return run;
  }
  PlacementSearch reference(prep, store, observer);
  if (!reference.Allocate(pool)) {
    run.outcome = SolveOutcome::OutOfMemory;
    return run;
  }
  observer.Watch(pool, store);
  bool stopped = false, outOfMemory = false;
  if (engine == Engine::Reference) {
    reference.Run();
    run.stats = reference.Stats();
    stopped = reference.Stopped();
    outOfMemory = reference.OutOfMemory();
  } else {
    const FastRunResult r =
        RunFastEngine(prep, store, observer, threads, engine == Engine::Reduced ? &v.links : nullptr);
    run.stats = r.stats;
    run.explored = r.stats.explored;
    stopped = r.stopped;
    outOfMemory = r.outOfMemory;
  }
  run.outcome = outOfMemory ? SolveOutcome::OutOfMemory
                : stopped   ? SolveOutcome::Stopped
                            : SolveOutcome::Complete;
  const auto n = static_cast<std::size_t>(prep.formCellCount);
  for (int i = 0; i < store.Count(); ++i)
    run.solutions.emplace_back(store.Solution(i), store.Solution(i) + 2 * n);
  return run;
}

EngineRun RunEngine(const TaskState& task, Engine engine, int threads = 1) {
  Quiet quiet;
  return RunEngine(task, engine, threads, quiet);
}

// The reduced engine: the full result, from a search no larger.
void ExpectSameResult(const EngineRun& expected, const EngineRun& actual, const std::string& what) {
  EXPECT_EQ(actual.outcome, expected.outcome) << what;
  EXPECT_EQ(actual.stats.solutionCount, expected.stats.solutionCount) << what;
  EXPECT_EQ(actual.stats.assignments, expected.stats.assignments) << what;
  EXPECT_LE(actual.stats.deadEnds, expected.stats.deadEnds) << what;
  EXPECT_LE(actual.stats.searchCalls, expected.stats.searchCalls) << what;
  ASSERT_EQ(actual.solutions.size(), expected.solutions.size()) << what;
  for (std::size_t i = 0; i < expected.solutions.size(); ++i)
    EXPECT_EQ(actual.solutions[i], expected.solutions[i]) << what << ", solution " << i;
}

// The fast engine: the same result from the very same tree.
void ExpectSameRun(const EngineRun& expected, const EngineRun& actual, const std::string& what) {
  ExpectSameResult(expected, actual, what);
  EXPECT_EQ(actual.stats.deadEnds, expected.stats.deadEnds) << what;
  EXPECT_EQ(actual.stats.searchCalls, expected.stats.searchCalls) << what;
}

void ExpectPrefix(const EngineRun& whole, const EngineRun& part, const std::string& what) {
  ASSERT_LE(part.solutions.size(), whole.solutions.size()) << what;
  for (std::size_t i = 0; i < part.solutions.size(); ++i)
    EXPECT_EQ(part.solutions[i], whole.solutions[i]) << what << ", solution " << i;
}

// A complete run explores the whole tree.
void ExpectWholeTreeExplored(const EngineRun& run, const std::string& what) {
  if (run.outcome == SolveOutcome::Complete) {
    EXPECT_NEAR(run.explored, 1.0, 1e-9) << what;
  }
}

void CompareAllEngines(const TaskState& task, const std::string& what) {
  const EngineRun reference = RunEngine(task, Engine::Reference);
  const EngineRun fast = RunEngine(task, Engine::Fast);
  ExpectSameRun(reference, fast, what + ", fast");
  ExpectWholeTreeExplored(fast, what + ", fast");
  const EngineRun parallel = RunEngine(task, Engine::Fast, 3);
  ExpectSameRun(reference, parallel, what + ", 3 threads");
  ExpectWholeTreeExplored(parallel, what + ", 3 threads");
  const EngineRun reduced = RunEngine(task, Engine::Reduced);
  ExpectSameResult(reference, reduced, what + ", reduced");
  ExpectWholeTreeExplored(reduced, what + ", reduced");
  // Split over threads, the reduced search walks the same reduced tree.
  for (int threads : {2, 3}) {
    const EngineRun parallelReduced = RunEngine(task, Engine::Reduced, threads);
    ExpectSameRun(reduced, parallelReduced, what + ", reduced on " + std::to_string(threads));
    ExpectWholeTreeExplored(parallelReduced, what + ", reduced on " + std::to_string(threads));
  }
}

std::filesystem::path SourceDir() {
  if (const char* dir = std::getenv("ZORVAT_SOURCE_DIR"); dir != nullptr && *dir != '\0') return dir;
  return std::filesystem::path(__FILE__).parent_path().parent_path().parent_path();
}

TaskState ReadTask(const std::filesystem::path& path) {
  TaskState task;
  EXPECT_EQ(ReadTaskFile(path.string(), task), ReadResult::Ok) << path;
  return task;
}

std::vector<std::string> ExamplesTagged(const std::string& wanted) {
  std::vector<std::string> files;
  std::ifstream manifest(SourceDir() / "examples" / "manifest.txt");
  std::string line;
  while (std::getline(manifest, line)) {
    std::istringstream fields(line);
    std::string file, tag;
    int count = 0;
    if (line.empty() || line[0] == '#' || !(fields >> file >> count >> tag)) continue;
    if (tag == wanted) files.push_back(file);
  }
  return files;
}

TEST(EngineDiff, FastExamples) {
  const auto files = ExamplesTagged("fast");
  ASSERT_FALSE(files.empty());
  for (const std::string& file : files) CompareAllEngines(ReadTask(SourceDir() / "examples" / file), file);
}

// Task files kept for the comparison: hand-made edge cases, and every task on
// which the engines ever differed, each named after what it exercises.
TEST(EngineDiff, RegressionTasks) {
  const auto folder = SourceDir() / "tests" / "solver" / "regressions";
  int compared = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.path().extension() == ".zvt") {
      CompareAllEngines(ReadTask(entry.path()), entry.path().filename());
      ++compared;
    }
  EXPECT_GT(compared, 0);
}

// A flat figure of rigid rectangular plates, `rows` deep, side by side with
// one free column between them, and a flat form of `formWidth` x `rows`
// cells.
TaskState Plates(std::initializer_list<int> widths, int rows, int formWidth, bool emptyCells) {
  TaskState task = test::MakeTask({"#"}, {{"#"}});
  FigureState& figure = task.figure;
  figure.Cells.fill(0);
  int x0 = 0;
  for (int width : widths) {
    for (int y = 0; y < rows; ++y)
      for (int x = x0; x < x0 + width; ++x) {
        figure.Cells[FigureCellIndex(x, y)] |= kCubeBit;
        if (x > x0) test::SetLink(task, x, y, RigidX);
        if (y > 0) test::SetLink(task, x, y, RigidY);
      }
    x0 += width + 1;
  }
  figure.FigureWidth = x0 - 1;
  figure.FigureDepth = rows;
  ResetNumbering(figure);
  FormState& form = task.form;
  form.Cells.fill(0);
  form.FormWidth = formWidth;
  form.FormDepth = rows;
  form.FormHeight = 1;
  for (int y = 0; y < rows; ++y)
    for (int x = 0; x < formWidth; ++x) form.At(FormCellIndex(x, y, 0)) = 1;
  task.EmptyCells = emptyCells;
  return task;
}

// Forms past 64 cells: overlaps and unreachable cells must be seen in every
// word of a cell mask, not only the first. Plates leave strips no plate fits
// into, so the unreachable-cell dead end comes up in the later words too.
TEST(EngineDiff, FormsOfTwoToFourMaskWords) {
  struct Case {
    const char* what;
    TaskState task;
  };
  const Case cases[] = {
      {"70 cells", Plates({4, 6}, 7, 10, false)},
      {"130 cells", Plates({7, 6}, 10, 13, false)},
      {"140 cells with 10 to spare", Plates({7, 6}, 10, 14, true)},
      {"200 cells", Plates({9, 11}, 10, 20, false)},
      {"250 cells with 50 to spare", Plates({10, 10}, 10, 25, true)},
  };
  for (const Case& c : cases) {
    const Validation v = ValidateTask(c.task);
    ASSERT_TRUE(v.ok()) << c.what;
    const EngineRun reference = RunEngine(c.task, Engine::Reference);
    EXPECT_GT(reference.stats.solutionCount, 0) << c.what;
    EXPECT_GT(reference.stats.deadEnds, 0u) << c.what;
    CompareAllEngines(c.task, c.what);
  }
}

constexpr std::uint64_t kMaxRandomCalls = 5000;
constexpr std::uint64_t kMaxRandomAssignments = 300;

TEST(EngineDiff, StopAfterRefreshesKeepsTheSameSolutionsAndCounters) {
  // The snake makes 9961 calls, the pentominoes half a million; a refresh
  // runs every 1002 calls.
  const std::pair<const char*, std::vector<int>> cases[] = {{"snake_cube.zvt", {1, 5}},
                                                            {"pentominoes_2x3x10.zvt", {1, 40}}};
  for (const auto& [file, counts] : cases) {
    const TaskState task = ReadTask(SourceDir() / "examples" / file);
    const EngineRun whole = RunEngine(task, Engine::Reference);
    for (int refreshes : counts) {
      StopAfterRefreshes forReference(refreshes), forFast(refreshes);
      const EngineRun reference = RunEngine(task, Engine::Reference, 1, forReference);
      const EngineRun fast = RunEngine(task, Engine::Fast, 1, forFast);
      const std::string what = std::string(file) + " after " + std::to_string(refreshes) + " refreshes";
      EXPECT_EQ(reference.outcome, SolveOutcome::Stopped) << what;
      ExpectSameRun(reference, fast, what);
      EXPECT_GT(fast.explored, 0.0) << what;
      EXPECT_LT(fast.explored, 1.0) << what;
      StopAfterRefreshes forReduced(refreshes);
      const EngineRun reduced = RunEngine(task, Engine::Reduced, 1, forReduced);
      ExpectPrefix(whole, reduced, what + ", reduced");
    }
  }
}

// Several threads: a stop ends the run with a prefix of the one-thread
// run's solutions, in order. The two-thread run refreshes every 20 ms, so
// three refreshes come long before the 100,000 calls of the one-thread run.
TEST(EngineDiff, ParallelStopKeepsAPrefix) {
  const TaskState task = ReadTask(SourceDir() / "examples" / "pentominoes_2x3x10.zvt");
  for (const Engine engine : {Engine::Fast, Engine::Reduced}) {
    StopAfterRefreshes longer(100), shorter(3);
    const EngineRun oneThread = RunEngine(task, engine, 1, longer);
    const EngineRun stopped = RunEngine(task, engine, 2, shorter);
    EXPECT_EQ(stopped.outcome, SolveOutcome::Stopped);
    ExpectPrefix(oneThread, stopped, "two threads stopped");
  }
}

TEST(EngineDiff, RunningOutOfMemoryStopsAtTheSameSolution) {
  const TaskState task = ReadTask(SourceDir() / "examples" / "diagonal_star.zvt");
  for (int keep : {0, 1, 4, 8}) {
    StarveAfter forReference(keep), forFast(keep);
    const EngineRun reference = RunEngine(task, Engine::Reference, 1, forReference);
    const std::string what = "starved after " + std::to_string(keep);
    EXPECT_EQ(reference.outcome, SolveOutcome::OutOfMemory) << what;
    EXPECT_EQ(reference.stats.solutionCount, keep) << what;
    ExpectSameRun(reference, RunEngine(task, Engine::Fast, 1, forFast), what);
    StarveAfter forReduced(keep);
    const EngineRun reduced = RunEngine(task, Engine::Reduced, 1, forReduced);
    EXPECT_EQ(reduced.outcome, SolveOutcome::OutOfMemory) << what;
    EXPECT_EQ(reduced.solutions, reference.solutions) << what;
  }
  // With threads the pool starves before the first solution is merged.
  StarveAfter observer(0);
  const EngineRun parallel = RunEngine(task, Engine::Fast, 2, observer);
  EXPECT_EQ(parallel.outcome, SolveOutcome::OutOfMemory);
  EXPECT_TRUE(parallel.solutions.empty());
}

// The fast and reduced engines' tables come from the run's pool: with the
// pool full before the search, the run ends out of memory before its first
// call, on one thread and on two.
TEST(EngineDiff, TablesComeFromThePool) {
  const TaskState task = ReadTask(SourceDir() / "examples" / "king_snake.zvt");
  const Validation v = ValidateTask(task);
  ASSERT_TRUE(v.ok());
  for (const int threads : {1, 2})
    for (const LinkAnalysis* reduce : {static_cast<const LinkAnalysis*>(nullptr), &v.links}) {
      BlockPool pool;
      ByteKeySet keys;
      PreparedSearch prep;
      SolutionStore store;
      ASSERT_TRUE(PrepareSearch(task, v.links, pool, keys, prep) && store.Begin(prep, pool, keys));
      pool.SetLimit(pool.BytesHeld());
      for (std::size_t size = BlockPool::kUsableBytes; size > 0; size /= 2)
        while (pool.Allocate(size) != nullptr) {
        }
      Quiet quiet;
      const FastRunResult r = RunFastEngine(prep, store, quiet, threads, reduce, &pool);
      EXPECT_TRUE(r.outOfMemory) << threads << (reduce != nullptr ? " reduced" : " fast");
      EXPECT_EQ(r.stats.searchCalls, 0u);  // refused before the search began
      EXPECT_EQ(store.Count(), 0);
    }
}

// Small random tasks that validation accepts: every kind of link, cycles
// included, forms with and without cells to spare.
TEST(EngineDiff, RandomTasks) {
  std::mt19937 rng(test::TestSeed());
  const test::RandomTaskOptions options = test::SmallSolverTaskOptions();
  int compared = 0, withHinges = 0, withSpare = 0, withSolutions = 0, searchedLess = 0;
  for (int tries = 0; compared < 500 && tries < 200000; ++tries) {
    TaskState task = test::RandomTask(rng, options);
    task.EmptyCells = task.EmptyCells || test::RandomChance(rng, 0.5);
    const Validation v = ValidateTask(task);
    if (!v.ok() || v.formCellCount > 10) continue;
    const EngineRun reference = RunEngine(task, Engine::Reference);
    // Loose cubes in a roomy form can make hundreds of thousands of calls and
    // assignments (each tried under 48 symmetries); they add time, not cases.
    if (reference.stats.searchCalls > kMaxRandomCalls || reference.stats.assignments > kMaxRandomAssignments)
      continue;
    withHinges += std::any_of(v.links.hingeCount.begin(), v.links.hingeCount.begin() + v.cubeCount,
                              [](std::uint8_t count) { return count > 0; });
    withSpare += v.formCellCount > v.cubeCount;
    withSolutions += reference.stats.solutionCount > 0;
    const std::string what = "random task " + std::to_string(compared);
    ExpectSameRun(reference, RunEngine(task, Engine::Fast), what + ", fast");
    ExpectSameRun(reference, RunEngine(task, Engine::Fast, 2), what + ", 2 threads");
    const EngineRun reduced = RunEngine(task, Engine::Reduced);
    ExpectSameResult(reference, reduced, what + ", reduced");
    ExpectSameRun(reduced, RunEngine(task, Engine::Reduced, 2), what + ", reduced on 2 threads");
    searchedLess += reduced.stats.searchCalls < reference.stats.searchCalls;
    ++compared;
    if (HasFailure()) {
      ADD_FAILURE() << "first difference at " << what << "; replay with the seed above";
      break;
    }
  }
  EXPECT_EQ(compared, 500);
  // The mix the comparison is meant to cover.
  EXPECT_GT(withHinges, 100);
  EXPECT_GT(withSpare, 50);
  EXPECT_GT(withSolutions, 50);
  EXPECT_GT(searchedLess, 100);  // the reductions were at work, not only compared
}

}  // namespace
}  // namespace zv
