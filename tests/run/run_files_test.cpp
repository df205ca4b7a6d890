// Run files against the task they go with: the elapsed time a checkpoint
// keeps (written only when known, so a file without it stays readable by
// earlier versions), what kind of file a path holds, the one check of a
// run file against a task, and when a run writes its checkpoint.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/validation.h"
#include "run/checkpoint_policy.h"
#include "run/run_file_check.h"
#include "run/unit_file.h"
#include "storage/task_file.h"
#include "tests/support/example_manifest.h"
#include "tests/support/run_snapshot.h"
#include "tests/support/stop_observers.h"
#include "tests/support/temp_folder.h"

namespace zv {
namespace {

struct Stopped {
  TaskState task;
  UnitFile file;
};

// The 2 x 3 x 10 box stopped after a few stop polls: a place to keep.
Stopped StoppedRun() {
  Stopped s;
  EXPECT_EQ(ReadTaskFile(test::ExamplesFolder() + "/pentominoes_2x3x10.zvt", s.task), ReadResult::Ok);
  const Validation v = ValidateTask(s.task);
  Solver solver;
  UnitJob job;
  test::StopAfterPolls<> stop(2000);
  EXPECT_EQ(solver.SolveUnits(s.task, v.links, stop, SolveOptions{}, job), SolveOutcome::Stopped);
  s.file = MakeUnitFile(s.task, v.links.blockCount, SolveEngine::Reduced, job);
  return s;
}

TEST(RunFiles, TheElapsedTimeTravelsWithTheFileWhenKnown) {
  const Stopped run = StoppedRun();
  struct Row {
    std::uint64_t elapsedMs;
    std::uint8_t format;  // the oldest that holds it
  };
  for (const Row row : {Row{0, 3}, Row{1, 4}, Row{50ull * 24 * 3600 * 1000, 4}}) {
    UnitFile file = run.file, read;
    file.elapsedMs = row.elapsedMs;
    const std::vector<std::uint8_t> image = BuildUnitImage(file);
    EXPECT_EQ(image[8], row.format) << row.elapsedMs;
    ASSERT_EQ(ParseUnitImage(image, read), UnitFileStatus::Ok) << row.elapsedMs;
    EXPECT_EQ(read.elapsedMs, row.elapsedMs);
    EXPECT_EQ(read.begun, run.file.begun);
    EXPECT_FALSE(read.begun.empty());
    EXPECT_EQ(BuildUnitImage(read), image);
    // The time is covered by the checksum and the declared size.
    for (std::size_t cut : {std::size_t{8}, std::size_t{9}, std::size_t{16}})
      EXPECT_NE(ParseUnitImage(std::span(image).first(image.size() - cut), read), UnitFileStatus::Ok);
  }
}

// A job resumed from a file gives back that file once its run has made the cut.
TEST(RunFiles, AJobResumedFromAFileHoldsWhatTheFileHolds) {
  UnitFile file = StoppedRun().file;
  file.part = 2;
  file.parts = 3;
  ASSERT_FALSE(file.begun.empty());
  ASSERT_FALSE(file.mergedNew.empty());
  UnitJob job;
  ResumeJob(UnitFile(file), job);
  EXPECT_TRUE(job.haveExpectedCut);
  job.cut = job.expectedCut;
  TaskState task;
  ASSERT_TRUE(TaskOfUnitFile(file, task));
  EXPECT_EQ(BuildUnitImage(MakeUnitFile(task, file.blockCount, file.engine, job, file.elapsedMs)),
            BuildUnitImage(file));
}

TEST(RunFiles, ARunFileIsOpenedAgainstItsTaskAsAsked) {
  const Stopped run = StoppedRun();
  test::TempFolder folder;
  const std::string withTask = folder.File("c.zvu"), bare = folder.File("bare.zvu"),
                    damaged = folder.File("damaged.zvu"), taskFile = folder.File("t.zvt"),
                    result = folder.File("r.zvr");
  ASSERT_TRUE(WriteUnitFile(withTask, run.file));
  UnitFile noTask = run.file;
  noTask.taskImage.clear();
  ASSERT_TRUE(WriteUnitFile(bare, noTask));
  std::vector<std::uint8_t> bytes = BuildUnitImage(run.file);
  bytes[bytes.size() / 2] ^= 1;
  test::WriteBytes(damaged, bytes);
  ASSERT_EQ(WriteTaskFile(taskFile, run.task), WriteResult::Ok);
  Solver solver;
  QuietObserver quiet;
  solver.Solve(run.task, ValidateTask(run.task).links, quiet, SolveOptions{0, SolveEngine::Reduced, 1, 1});
  ASSERT_TRUE(WriteResultFile(result, test::ResultOf(run.task, SolveEngine::Reduced, solver)));

  for (const auto& [path, kind] : {std::pair{withTask, RunFileKind::UnitFile},
                                   {bare, RunFileKind::UnitFile},
                                   {result, RunFileKind::ResultFile},
                                   {taskFile, RunFileKind::Other},
                                   {folder.File("none"), RunFileKind::Other}})
    EXPECT_EQ(KindOfFile(path), kind) << path;

  TaskState described = run.task, other;
  described.Text += "a description changes no search";
  ASSERT_EQ(ReadTaskFile(test::ExamplesFolder() + "/hinge_ring.zvt", other), ReadResult::Ok);
  struct Row {
    std::string path;
    TaskMatch match;
    const TaskState& task;
    RunFileCheck check;
  };
  const Row rows[] = {
      {withTask, TaskMatch::Given, run.task, RunFileCheck::Ok},
      {withTask, TaskMatch::Given, described, RunFileCheck::OtherTask},
      {withTask, TaskMatch::Given, other, RunFileCheck::OtherTask},
      {withTask, TaskMatch::OwnFirst, other, RunFileCheck::Ok},  // the file's own task comes
      {withTask, TaskMatch::Alike, described, RunFileCheck::Ok},
      {withTask, TaskMatch::Alike, other, RunFileCheck::OtherTask},
      {bare, TaskMatch::OwnFirst, run.task, RunFileCheck::Ok},
      {bare, TaskMatch::OwnFirst, other, RunFileCheck::OtherTask},
      {bare, TaskMatch::Alike, run.task, RunFileCheck::Damaged},  // nothing to compare with
      {damaged, TaskMatch::Given, run.task, RunFileCheck::Damaged},
      {taskFile, TaskMatch::Given, run.task, RunFileCheck::NotUnitFile},
      {folder.File("none"), TaskMatch::Given, run.task, RunFileCheck::Missing},
  };
  for (const Row& row : rows) {
    TaskState task = row.task;
    UnitFile file;
    file.part = 77;  // a marker a refusal must leave
    const RunFileCheck check = OpenRunFile(row.path, row.match, task, file);
    EXPECT_EQ(check, row.check) << row.path << " " << static_cast<int>(row.match);
    EXPECT_TRUE(check == RunFileCheck::Ok ? file.cut == run.file.cut && file.results == run.file.results
                                          : file.part == 77)
        << row.path;
    const bool takesOwn =
        check == RunFileCheck::Ok && row.match == TaskMatch::OwnFirst && row.path == withTask;
    EXPECT_TRUE(task == (takesOwn ? run.task : row.task)) << row.path;
  }
}

// Periodic writes at a unit's end once the period passed since the last
// write, whatever wrote it; writes when asked; a failure remembered.
TEST(CheckpointPolicy, WritesAsUnitsFinishOnceThePeriodPassedAndWhenAsked) {
  std::uint64_t now = 3;
  int writes = 0;
  bool failing = false;
  const auto write = [&] {
    ++writes;
    return !failing;
  };
  struct Step {
    std::uint64_t at;
    bool unit;   // a unit finished; else a write was asked for
    int writes;  // written so far
  };
  CheckpointPolicy every10(
      write, [&] { return now; }, 10);
  for (const Step step :
       {Step{12, true, 0}, {13, true, 1}, {20, true, 1}, {21, false, 2}, {30, true, 2}, {31, true, 3}}) {
    now = step.at;
    if (step.unit)
      every10.UnitFinished();
    else
      every10.WriteNow();
    EXPECT_EQ(writes, step.writes) << step.at;
  }
  EXPECT_FALSE(every10.AnyFailed());
  failing = true;
  EXPECT_FALSE(every10.WriteNow());
  failing = false;
  EXPECT_TRUE(every10.WriteNow());
  EXPECT_TRUE(every10.AnyFailed());
  // Without a period only when asked; a period of 0 at every unit's end.
  writes = 0;
  CheckpointPolicy never(write, [&] { return now; }), always(
                                                          write, [&] { return now; }, 0);
  never.UnitFinished();
  EXPECT_EQ(writes, 0);
  always.UnitFinished();
  always.UnitFinished();
  EXPECT_EQ(writes, 2);
}

}  // namespace
}  // namespace zv
