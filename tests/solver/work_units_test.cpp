// Runs cut into work units against the one-run search: uninterrupted, on
// worker threads, stopped and resumed again and again through checkpoint
// images (also with a budget too small to finish any unit, which must still
// end, as stops keep their place inside units), and split into N parts and
// merged, they must store the same solutions in the same order and count
// the same, on the fast examples and on random tasks, with both engines.
// Results and places that do not fit are refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "model/validation.h"
#include "run/unit_file.h"
#include "solver/block_pool.h"
#include "solver/prepare.h"
#include "solver/solver.h"
#include "storage/byte_image.h"
#include "storage/task_file.h"
#include "tests/support/example_manifest.h"
#include "tests/support/random_task.h"
#include "tests/support/run_snapshot.h"
#include "tests/support/solution_checker.h"
#include "tests/support/stop_observers.h"
#include "tests/support/task_builder.h"

namespace zv {
namespace {

using StopAfterPolls = test::StopAfterPolls<>;
using StopAfterRefreshes = test::StopAfterRefreshes<>;

using test::Snapshot;
using test::Take;

struct Case {
  TaskState task;
  Validation v;
  std::string name;
};

// The job's results written to a file image and read back, as a checkpoint
// or a part's output passes between runs.
UnitFile RoundTrip(const Case& c, SolveEngine engine, const UnitJob& job) {
  const UnitFile file = MakeUnitFile(c.task, c.v.links.blockCount, engine, job);
  UnitFile back;
  EXPECT_EQ(ParseUnitImage(BuildUnitImage(file), back), UnitFileStatus::Ok);
  return back;
}

UnitJob JobFrom(const UnitFile& file) {
  UnitJob job;
  job.part = file.part;
  job.parts = file.parts;
  job.expectedCut = file.cut;
  job.haveExpectedCut = true;
  job.done = file.results;
  job.begun = file.begun;
  job.mergedUnits = file.mergedUnits;
  job.mergedNew = file.mergedNew;
  return job;
}

// Stops after `budget` and resumes from the checkpoint until the run
// completes, the budget growing `growth` times each time; gives up after
// `most` resumes.
template <class Observer>
Snapshot ResumeUntilDone(const Case& c, const SolveOptions& options, long first, long growth, int& resumes,
                         int most = 1000000) {
  UnitJob job;
  Solver solver;
  for (long budget = first; resumes <= most; budget *= growth) {
    Observer stop(static_cast<int>(budget));
    const SolveOutcome outcome = solver.SolveUnits(c.task, c.v.links, stop, options, job);
    if (outcome != SolveOutcome::Stopped) return Take(solver);
    job = JobFrom(RoundTrip(c, options.engine, job));
    ++resumes;
  }
  return Take(solver);
}

Snapshot MergeOfParts(const Case& c, const SolveOptions& options, int parts) {
  UnitJob merge;
  merge.mergeOnly = true;
  Solver solver;
  for (int part = 1; part <= parts; ++part) {
    UnitJob job;
    job.part = part;
    job.parts = parts;
    QuietObserver quiet;
    EXPECT_EQ(solver.SolveUnits(c.task, c.v.links, quiet, options, job), SolveOutcome::Complete) << part;
    const UnitFile file = RoundTrip(c, options.engine, job);
    merge.done.insert(merge.done.end(), file.results.begin(), file.results.end());
    merge.expectedCut = file.cut;
    merge.haveExpectedCut = true;
  }
  QuietObserver quiet;
  solver.SolveUnits(c.task, c.v.links, quiet, options, merge);
  return Take(solver);
}

// Full: several stop schedules, worker threads, `partCounts` parts;
// light: one stop schedule and 7 parts.
void CheckCase(const Case& c, SolveEngine engine, bool full, std::vector<int> partCounts = {7},
               bool fixedBudget = true) {
  const std::string what = c.name + (engine == SolveEngine::Fast ? ", fast" : ", reduced");
  const SolveOptions options{0, engine, 1};
  Solver one;
  QuietObserver quiet;
  one.Solve(c.task, c.v.links, quiet, options);
  const Snapshot whole = Take(one);
  ASSERT_EQ(whole.outcome, SolveOutcome::Complete) << what;

  UnitJob job;
  Solver units;
  units.SolveUnits(c.task, c.v.links, quiet, full ? SolveOptions{0, engine, 3} : options, job);
  EXPECT_EQ(Take(units), whole) << what << ", in units";
  for (long first : full ? std::vector<long>{1, 100} : std::vector<long>{10}) {
    int resumes = 0;
    EXPECT_EQ(ResumeUntilDone<StopAfterPolls>(c, options, first, 3, resumes), whole)
        << what << ", resumed from stops after " << first << " polls, " << resumes << " resumes";
  }
  for (int k : full ? std::vector<int>{1, 2, 3, 5} : std::vector<int>{}) {
    int resumes = 0;
    EXPECT_EQ(ResumeUntilDone<StopAfterRefreshes>(c, options, k, 3, resumes), whole)
        << what << ", resumed from stops after " << k << " refreshes, " << resumes << " resumes";
  }
  // A fixed budget: each resume polls once before each unit and once per
  // call it searches, the last poll stopping it, so it gets `budget` - 2
  // calls or units further; about 30 resumes for the whole run.
  const long budget = std::max<long>(4, static_cast<long>(whole.searchCalls / 30));
  const int most = static_cast<int>((whole.searchCalls + job.cut.unitCount) / (budget - 2)) + 1;
  int resumes = 0;
  if (fixedBudget) {
    EXPECT_EQ(ResumeUntilDone<StopAfterPolls>(c, options, budget, 1, resumes, most), whole)
        << what << ", resumed from stops after every " << budget << " polls, " << resumes << " resumes";
  }
  if (full) {
    resumes = 0;
    EXPECT_EQ(ResumeUntilDone<StopAfterPolls>(c, SolveOptions{0, engine, 3}, 1, 2, resumes), whole)
        << what << ", on 3 threads, resumed " << resumes << " times";
  }
  for (int parts : partCounts)
    EXPECT_EQ(MergeOfParts(c, options, parts), whole) << what << ", merged from " << parts << " parts";
}

TEST(WorkUnits, ExamplesResumedAndMergedEqualOneRun) {
  int count = 0;
  for (const test::ExampleEntry& e : test::ReadExampleManifest()) {
    if (!e.fast) continue;
    Case c;
    ASSERT_EQ(ReadTaskFile(e.path, c.task), ReadResult::Ok) << e.path;
    c.v = ValidateTask(c.task);
    c.name = e.file;
    // Engines take turns; the larger trees are also split 64 ways.
    const bool large = e.file == "snake_cube.zvt" || e.file == "diagonal_star.zvt";
    CheckCase(c, ++count % 2 == 0 ? SolveEngine::Fast : SolveEngine::Reduced, true,
              large ? std::vector<int>{1, 2, 7, 64} : std::vector<int>{2, 7});
  }
}

TEST(WorkUnits, RandomTasksResumedAndMergedEqualOneRun) {
  std::mt19937 rng(test::TestSeed());
  const test::RandomTaskOptions options = test::SmallSolverTaskOptions();
  int checked = 0, split = 0;
  for (int tries = 0; checked < 200 && tries < 100000 && !HasFailure(); ++tries) {
    Case c;
    c.task = test::RandomTask(rng, options);
    c.task.EmptyCells = c.task.EmptyCells || test::RandomChance(rng, 0.5);
    c.v = ValidateTask(c.task);
    if (!c.v.ok() || c.v.formCellCount > 10) continue;
    c.name = "random task " + std::to_string(checked);
    const SolveEngine engine = checked % 2 == 0 ? SolveEngine::Reduced : SolveEngine::Fast;
    CheckCase(c, engine, checked < 4,
              checked < 4        ? std::vector<int>{1, 2, 7, 64}
              : checked % 4 == 0 ? std::vector<int>{7}
                                 : std::vector<int>{},
              checked % 3 == 0);
    UnitJob job;
    Solver solver;
    QuietObserver quiet;
    solver.SolveUnits(c.task, c.v.links, quiet, SolveOptions{0, engine, 1}, job);
    split += job.cut.unitCount > 1;
    ++checked;
  }
  EXPECT_EQ(checked, 200);
  EXPECT_GT(split, 50);  // most tasks are really cut
}

// Past the 10000 kept: the merge goes on telling classes apart by keys.
TEST(WorkUnits, MergedPastTheKeptSolutions) {
  Case c{test::DominoStrip(), {}, "domino strip"};
  c.v = ValidateTask(c.task);
  const SolveOptions options{0, SolveEngine::Reduced, 1};
  Solver one;
  QuietObserver quiet;
  one.Solve(c.task, c.v.links, quiet, options);
  const Snapshot whole = Take(one);
  EXPECT_EQ(whole.found, 14445u);
  EXPECT_EQ(MergeOfParts(c, options, 2), whole);

  // The memory limit holds the whole run: the unit stores share what the
  // tables leave (one 16 MB block here) with the merged store. Two blocks
  // suffice on one thread and on three alike; a block and 1 MB leave each
  // unit store less than its first 1 MB block, and every run ends out of
  // memory at its first unit, after the cut, with nothing stored.
  constexpr std::size_t kBlock = BlockPool::kBlockBytes + 20;
  for (int threads : {1, 3}) {
    for (const std::size_t limit : {2 * kBlock, kBlock + (std::size_t{1} << 20)}) {
      UnitJob job;
      Solver units;
      const SolveOutcome outcome =
          units.SolveUnits(c.task, c.v.links, quiet, SolveOptions{limit, SolveEngine::Reduced, threads}, job);
      const std::string what = std::to_string(threads) + " threads, limit " + std::to_string(limit);
      if (limit == 2 * kBlock) {
        EXPECT_EQ(Take(units), whole) << what;
      } else {
        EXPECT_EQ(outcome, SolveOutcome::OutOfMemory) << what;
        EXPECT_GT(job.cut.depth, 0) << what;
        EXPECT_TRUE(job.done.empty() && units.SolutionCount() == 0) << what;
      }
    }
  }
}

TEST(WorkUnits, ResultsThatDoNotFitAreRefused) {
  Case c;
  ASSERT_EQ(ReadTaskFile(test::ExamplesFolder() + "/diagonal_star.zvt", c.task), ReadResult::Ok);
  c.v = ValidateTask(c.task);
  const SolveOptions options{0, SolveEngine::Reduced, 1};
  QuietObserver quiet;
  Solver solver;
  UnitJob full;
  ASSERT_EQ(solver.SolveUnits(c.task, c.v.links, quiet, options, full), SolveOutcome::Complete);
  ASSERT_GT(full.cut.unitCount, 2u);
  const UnitFile good = RoundTrip(c, options.engine, full);

  struct Row {
    const char* what;
    void (*spoil)(UnitJob&);
    UnitCheck check;
  };
  const Row rows[] = {
      {"another cut", [](UnitJob& j) { j.expectedCut.pathHash ^= 1; }, UnitCheck::OtherCut},
      {"a unit past the cut", [](UnitJob& j) { j.done[0].unit = j.expectedCut.unitCount; },
       UnitCheck::OutsidePart},
      {"a unit of another part",
       [](UnitJob& j) {
         j.parts = 2;
         j.part = 2;
       },
       UnitCheck::OutsidePart},
      {"a unit twice", [](UnitJob& j) { j.done.push_back(j.done[0]); }, UnitCheck::DuplicateUnit},
      {"a placement of another block",
       [](UnitJob& j) {
         for (UnitResult& r : j.done)
           if (r.firsts.size() >= 2) std::swap(r.firsts[0], r.firsts[1]);
       },
       UnitCheck::BadResult},
      {"a missing unit in a merge",
       [](UnitJob& j) {
         j.done.pop_back();
         j.mergeOnly = true;
       },
       UnitCheck::MissingUnit},
  };
  for (const Row& row : rows) {
    UnitJob job = JobFrom(good);
    row.spoil(job);
    EXPECT_EQ(solver.SolveUnits(c.task, c.v.links, quiet, options, job), SolveOutcome::Refused) << row.what;
    EXPECT_EQ(job.check, row.check) << row.what;
  }

  // Places, on a task with larger units: a stop that lands inside one
  // keeps its place.
  Case pentominoes;
  ASSERT_EQ(ReadTaskFile(test::ExamplesFolder() + "/pentominoes_2x3x10.zvt", pentominoes.task),
            ReadResult::Ok);
  pentominoes.v = ValidateTask(pentominoes.task);
  UnitJob stopped;
  StopAfterPolls stop(5000);
  ASSERT_EQ(solver.SolveUnits(pentominoes.task, pentominoes.v.links, stop, options, stopped),
            SolveOutcome::Stopped);
  ASSERT_EQ(stopped.begun.size(), 1u);
  const UnitFile placed = RoundTrip(pentominoes, options.engine, stopped);
  ASSERT_EQ(placed.begun, stopped.begun);
  const Row placeRows[] = {
      {"a place of a finished unit", [](UnitJob& j) { j.done.push_back(j.begun[0].sofar); },
       UnitCheck::DuplicateUnit},
      {"a place past the cut", [](UnitJob& j) { j.begun[0].sofar.unit = j.expectedCut.unitCount; },
       UnitCheck::OutsidePart},
      {"a branch the unit does not have", [](UnitJob& j) { j.begun[0].steps.back().branch += 100; },
       UnitCheck::BadResult},
      {"steps past the tree's depth",
       [](UnitJob& j) { j.begun[0].steps.resize(300, j.begun[0].steps.back()); }, UnitCheck::BadResult},
      {"a noted class of no placement",
       [](UnitJob& j) {
         j.begun[0].steps[0].handled.push_back(1 << 30);
         j.begun[0].steps[0].counts.push_back(1);
       },
       UnitCheck::BadResult},
  };
  for (const Row& row : placeRows) {
    UnitJob job = JobFrom(placed);
    row.spoil(job);
    EXPECT_EQ(solver.SolveUnits(pentominoes.task, pentominoes.v.links, quiet, options, job),
              SolveOutcome::Refused)
        << row.what;
    EXPECT_EQ(job.check, row.check) << row.what;
  }
  // A merge noted for other results is not taken up: the store is refilled
  // by comparing, and the run ends as an uninterrupted one.
  Solver one;
  one.Solve(pentominoes.task, pentominoes.v.links, quiet, options);
  UnitJob job = JobFrom(placed);
  job.mergedNew.push_back(1);
  ASSERT_EQ(solver.SolveUnits(pentominoes.task, pentominoes.v.links, quiet, options, job),
            SolveOutcome::Complete);
  EXPECT_EQ(Take(solver), Take(one));

  // The task travels with the file; a file without it (format 1) still
  // reads, and so does format 2 (the task, no places and no merge).
  TaskState back;
  ASSERT_TRUE(TaskOfUnitFile(good, back));
  EXPECT_TRUE(back == c.task);
  UnitFile bare = good, read;
  bare.taskImage.clear();
  const std::vector<std::uint8_t> bareImage = BuildUnitImage(bare);
  ASSERT_EQ(ParseUnitImage(bareImage, read), UnitFileStatus::Ok);
  EXPECT_EQ(bareImage[8], 1);
  EXPECT_FALSE(TaskOfUnitFile(read, back));
  EXPECT_EQ(BuildUnitImage(read), bareImage);
  UnitFile plain = good;  // no places and no merge: 12 bytes of counts that format 2 lacks
  plain.mergedUnits = 0;
  plain.mergedNew.clear();
  std::vector<std::uint8_t> two = BuildUnitImage(plain);
  const std::size_t task = good.taskImage.size() + 4 + 8;  // the task and the checksum after it
  ASSERT_EQ(two[8], 3);
  two[8] = 2;
  two.erase(two.end() - static_cast<std::ptrdiff_t>(task) - 12,
            two.end() - static_cast<std::ptrdiff_t>(task));
  two.resize(two.size() - 8);
  const std::uint64_t sum = Fnv1a64(two);
  for (int k = 0; k < 8; ++k) two.push_back(static_cast<std::uint8_t>(sum >> (8 * k)));
  ASSERT_EQ(ParseUnitImage(two, read), UnitFileStatus::Ok);
  EXPECT_EQ(read.results, good.results);
  EXPECT_TRUE(read.begun.empty() && read.mergedNew.empty() && TaskOfUnitFile(read, back));

  // The file itself: another task's fingerprint, damage anywhere, a later format.
  Case other;
  ASSERT_EQ(ReadTaskFile(test::ExamplesFolder() + "/hinge_ring.zvt", other.task), ReadResult::Ok);
  EXPECT_NE(TaskFingerprint(other.task), good.taskFingerprint);
  const std::vector<std::uint8_t> image = BuildUnitImage(good);
  for (std::size_t at = 0; at < image.size(); at += 3) {
    std::vector<std::uint8_t> damaged = image;
    damaged[at] ^= 0x10;
    const UnitFileStatus status = ParseUnitImage(damaged, read);
    EXPECT_TRUE(status == UnitFileStatus::Damaged || status == UnitFileStatus::NotUnitFile ||
                status == UnitFileStatus::NewerFormat)
        << "byte " << at;
    EXPECT_NE(ParseUnitImage(std::span(image).first(at), read), UnitFileStatus::Ok) << "cut at " << at;
  }
  std::vector<std::uint8_t> newer = image;
  newer[8] = kUnitFileFormat + 1;
  EXPECT_EQ(ParseUnitImage(newer, read), UnitFileStatus::NewerFormat);
  newer[0] = 'X';
  EXPECT_EQ(ParseUnitImage(newer, read), UnitFileStatus::NotUnitFile);
}

// A first member forged in a file, one block moved to another of its
// placements that overlaps nothing but breaks a hinge (the checker below
// trusts only the task), is refused wherever the run file is used.
TEST(WorkUnits, AForgedPlacementThatBreaksAHingeIsRefused) {
  Case c;
  ASSERT_EQ(ReadTaskFile(test::ExamplesFolder() + "/diagonal_star.zvt", c.task), ReadResult::Ok);
  c.v = ValidateTask(c.task);
  const SolveOptions options{0, SolveEngine::Reduced, 1};
  QuietObserver quiet;
  Solver solver;
  UnitJob full;
  ASSERT_EQ(solver.SolveUnits(c.task, c.v.links, quiet, options, full), SolveOutcome::Complete);
  BlockPool pool;
  ByteKeySet keys;
  PreparedSearch prep;
  ASSERT_TRUE(PrepareSearch(c.task, c.v.links, pool, keys, prep));

  const auto at = std::find_if(full.done.begin(), full.done.end(), [](auto& r) { return !r.firsts.empty(); });
  ASSERT_NE(at, full.done.end());
  const std::vector<std::int32_t> first(at->firsts.begin(), at->firsts.begin() + prep.blockCount);
  const auto n = static_cast<std::size_t>(prep.formCellCount);
  int forged = 0;
  for (int b = 0; b < prep.blockCount && forged < 10; ++b)
    for (int p = prep.blocks[b].firstPlacement; p < prep.blocks[b].endPlacement && forged < 10; ++p) {
      std::vector<std::int32_t> chosen = first;
      chosen[b] = p;
      // The image of the forged member; a cell taken twice is no forgery of this kind.
      std::vector<std::uint8_t> cubes(n), rotations(n);
      bool overlaps = prep.placementAvailable[p] == 0;
      for (int k = 0; k < prep.blockCount; ++k)
        for (int j = 0; j < prep.blocks[k].cubeCount; ++j) {
          const std::uint8_t cell = prep.placements[chosen[k]].cells[j];
          overlaps = overlaps || cubes[cell] != 0;
          cubes[cell] = static_cast<std::uint8_t>(prep.blocks[k].cubes[j] + 1);
          rotations[cell] = prep.placements[chosen[k]].rotation;
        }
      if (overlaps || test::CheckSolution(c.task, cubes, rotations, nullptr)) continue;
      ++forged;
      UnitJob job;
      job.done = full.done;
      job.expectedCut = full.cut;
      job.haveExpectedCut = true;
      std::copy(chosen.begin(), chosen.end(), job.done[at - full.done.begin()].firsts.begin());
      EXPECT_EQ(solver.SolveUnits(c.task, c.v.links, quiet, options, job), SolveOutcome::Refused)
          << "block " << b << " on placement " << p;
      EXPECT_EQ(job.check, UnitCheck::BadResult);
    }
  EXPECT_GT(forged, 0);
}

}  // namespace
}  // namespace zv
