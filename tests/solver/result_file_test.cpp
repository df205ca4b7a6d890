// Result files against the runs they keep: a run written, read back and
// restored into a solver browses exactly what it stored and counted
// (finished, stopped, and past the 10000 kept); damaged, cut, foreign and
// later files are refused with the file left as it was, and solutions that
// do not fit the task are not restored.
#include "run/result_file.h"

#include <gtest/gtest.h>

#include "model/validation.h"
#include "run/unit_file.h"
#include "storage/task_file.h"
#include "tests/support/example_manifest.h"
#include "tests/support/run_snapshot.h"
#include "tests/support/stop_observers.h"
#include "tests/support/task_builder.h"
#include "tests/support/temp_folder.h"

namespace zv {
namespace {

Solver::RestoreResult Restore(const ResultFile& file, Solver& into) {
  return into.Restore(file.task, ValidateTask(file.task).links, file.outcome, file.stats, file.solutions);
}

TaskState Example(const std::string& name) {
  TaskState task;
  EXPECT_EQ(ReadTaskFile(test::ExamplesFolder() + "/" + name, task), ReadResult::Ok) << name;
  return task;
}

TEST(ResultFile, RestoredRunsEqualTheRunsWritten) {
  std::vector<TaskState> tasks{test::DominoStrip()};
  for (const test::ExampleEntry& e : test::ReadExampleManifest())
    if (e.fast) tasks.push_back(Example(e.file));
  int n = 0;
  for (const TaskState& task : tasks) {
    const SolveEngine engine = ++n % 2 == 0 ? SolveEngine::Fast : SolveEngine::Reduced;
    test::StopAfterPolls<> stop(n % 3 == 0 ? 3000 : 1L << 40);  // every third run is a stopped one
    Solver solver;
    solver.Solve(task, ValidateTask(task).links, stop, SolveOptions{0, engine, 1});
    ResultFile back;
    ASSERT_EQ(ParseResultImage(BuildResultImage(test::ResultOf(task, engine, solver)), back),
              ResultFileStatus::Ok)
        << n;
    EXPECT_EQ(BuildTaskImage(back.task), BuildTaskImage(task)) << n;
    EXPECT_EQ(back.engine, engine);
    Solver restored;
    ASSERT_EQ(Restore(back, restored), Solver::RestoreResult::Ok) << n;
    EXPECT_EQ(test::Take(restored), test::Take(solver)) << "task " << n;
    EXPECT_TRUE(n != 1 || restored.Stats().found == 14445u);  // past the kept 10000
  }
}

// A run on many threads that runs out of memory, wherever that happens
// (the workers' search states fill the pool), keeps the counts it reached:
// they agree with what it stored, and its result file reads back and
// restores as the window opens it.
TEST(ResultFile, RunsOutOfMemoryOnManyThreadsKeepTheCountsReached) {
  const TaskState task = Example("hinged_pairs.zvt");
  const Validation v = ValidateTask(task);
  int outOfMemory = 0;
  for (const std::size_t megabytes : {17, 20}) {
    Solver solver;
    QuietObserver quiet;
    const SolveOptions options{megabytes << 20, SolveEngine::Reduced, kMaxThreads};
    if (solver.Solve(task, v.links, quiet, options) != SolveOutcome::OutOfMemory) continue;
    ++outOfMemory;
    const SolveStats s = solver.Stats();
    EXPECT_GT(s.searchCalls, 0u) << megabytes;
    EXPECT_GT(s.deadEnds, 0u) << megabytes;
    EXPECT_GE(s.assignments, s.found) << megabytes;
    ResultFile back;
    ASSERT_EQ(ParseResultImage(BuildResultImage(test::ResultOf(task, SolveEngine::Reduced, solver)), back),
              ResultFileStatus::Ok)
        << megabytes;
    Solver restored;
    ASSERT_EQ(Restore(back, restored), Solver::RestoreResult::Ok) << megabytes;
    EXPECT_EQ(test::Take(restored), test::Take(solver)) << megabytes;
  }
  EXPECT_GT(outOfMemory, 0);
}

TEST(ResultFile, DamagedForeignAndUnfittingFilesAreRefused) {
  const TaskState star = Example("diagonal_star.zvt");
  Solver solver;
  QuietObserver quiet;
  solver.Solve(star, ValidateTask(star).links, quiet);
  ASSERT_GT(solver.SolutionCount(), 2);
  const ResultFile good = test::ResultOf(star, SolveEngine::Reduced, solver);
  const std::vector<std::uint8_t> image = BuildResultImage(good);

  ResultFile read;
  read.stats.deadEnds = 77;  // a marker a refused read must leave
  for (std::size_t at = 0; at < image.size(); at += 5) {
    std::vector<std::uint8_t> damaged = image;
    damaged[at] ^= 0x24;
    EXPECT_NE(ParseResultImage(damaged, read), ResultFileStatus::Ok) << "byte " << at;
    EXPECT_NE(ParseResultImage(std::span(image).first(at), read), ResultFileStatus::Ok) << "cut at " << at;
  }
  std::vector<std::uint8_t> newer = image;
  newer[8] = 2;
  EXPECT_EQ(ParseResultImage(newer, read), ResultFileStatus::NewerFormat);
  EXPECT_EQ(ParseResultImage(BuildTaskImage(star), read), ResultFileStatus::NotResultFile);
  EXPECT_EQ(ParseResultImage(BuildUnitImage(UnitFile{}), read), ResultFileStatus::NotResultFile);
  EXPECT_EQ(ReadResultFile("/nonexistent/run.zvr", read), ResultFileStatus::Missing);
  test::TempFolder folder;  // a file past the largest result file: told apart by its first bytes
  test::WriteBytes(folder.File("large"), std::vector<std::uint8_t>(6 << 20, 'x'));
  EXPECT_EQ(ReadResultFile(folder.File("large"), read), ResultFileStatus::NotResultFile);
  EXPECT_EQ(read.stats.deadEnds, 77u);
  EXPECT_FALSE(WriteResultFile("/nonexistent/run.zvr", good));

  // Well-formed files whose contents disagree: counters, or solutions that
  // are no solutions of the task.
  const auto bytes = good.solutions.size() / static_cast<std::size_t>(good.stats.solutionCount);
  const struct {
    const char* what;
    void (*spoil)(ResultFile&, std::size_t);
    bool parses;
  } rows[] = {
      {"fewer found than kept", [](ResultFile& f, std::size_t) { f.stats.found = 1; }, false},
      {"a rotation past 23", [](ResultFile& f, std::size_t b) { f.solutions[b - 1] = 24; }, false},
      {"a solution twice",
       [](ResultFile& f, std::size_t b) { std::copy_n(f.solutions.begin(), b, f.solutions.begin() + b); },
       true},
      {"two cubes exchanged", [](ResultFile& f, std::size_t) { std::swap(f.solutions[0], f.solutions[1]); },
       true},
  };
  for (const auto& row : rows) {
    ResultFile spoilt = good;
    row.spoil(spoilt, bytes);
    ResultFile back;
    const ResultFileStatus status = ParseResultImage(BuildResultImage(spoilt), back);
    EXPECT_EQ(status == ResultFileStatus::Ok, row.parses) << row.what;
    Solver restored;
    if (status == ResultFileStatus::Ok) {
      EXPECT_EQ(Restore(back, restored), Solver::RestoreResult::DoesNotFit) << row.what;
      EXPECT_EQ(restored.SolutionCount(), 0) << row.what;
    }
  }
}

}  // namespace
}  // namespace zv
