// The variant explorer against full solves: every variant it lists, written
// to a task image and read back, is validated and solved to the end by the
// solver alone, and the explorer's verdict (from its two-solution search,
// on two workers) must be what that full count says. On the examples of at
// most 30 cubes (those the suite does not solve, tagged bench, through a
// dozen of their variants spread over the list) and on 100 small random
// tasks of the solver corpus (a quarter at depth 2, the rest at depth 1).
// Also: each variant differs from its task in exactly its links, and the
// list and results do not depend on the thread count.
#include "editor/variant_explorer.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "editor/link_variants.h"
#include "model/validation.h"
#include "storage/task_file.h"
#include "tests/support/example_manifest.h"
#include "tests/support/random_task.h"

namespace zv {
namespace {

// Link bits set in one figure and not in the other.
int LinkBitsApart(const FigureState& a, const FigureState& b) {
  int apart = 0;
  for (int cell = 0; cell < kFigureGrid; ++cell)
    apart += __builtin_popcount(static_cast<unsigned>((a.Cells[cell] ^ b.Cells[cell]) & kLinkMask));
  return apart;
}

// How many bits a change flips: one per link removed or added.
int BitsOf(const LinkVariant& v) {
  int bits = 0;
  for (const LinkChange& c : v.changes) bits += (c.from != LinkChoice::None) + (c.to != LinkChoice::None);
  return bits;
}

// The verdict of a full solve of the variant written as a task image. With
// `thirdStop` the search stops at a third solution, which settles the
// verdict as the whole count would: for the examples whose variants have
// hundreds of solutions each.
Verdict FullVerdict(const TaskState& written, bool& invalid, bool thirdStop) {
  TaskState task;
  const std::vector<std::uint8_t> image = BuildTaskImage(written);
  EXPECT_EQ(ParseTaskImage(image, task), ReadResult::Ok);
  const Validation v = ValidateTask(task);
  invalid = !v.ok();
  if (invalid) return Verdict::None;
  Solver solver;
  QuietObserver quiet;
  SolveOptions options;
  if (thirdStop) options.stopAfter = 3;
  const SolveOutcome outcome = solver.Solve(task, v.links, quiet, options);
  EXPECT_TRUE(outcome == SolveOutcome::Complete || solver.StopAfterReached());
  return solver.SolutionCount() == 0   ? Verdict::None
         : solver.SolutionCount() == 1 ? Verdict::Unique
                                       : Verdict::Several;
}

// Explores every `step`-th variant of `task` at `depth` and checks each.
void ExpectExplorerMatchesFullSolves(const TaskState& task, int depth, const std::string& what,
                                     std::size_t step = 1, bool thirdStop = false) {
  std::vector<LinkVariant> variants;
  const std::vector<LinkVariant> all = ListLinkVariants(task.figure, {.depth = depth});
  for (std::size_t i = 0; i < all.size(); i += step) variants.push_back(all[i]);
  VariantExplorer explorer(task, variants);
  std::atomic<bool> stop{false};
  ASSERT_TRUE(explorer.Run(2, stop, SystemTicks()));
  for (std::size_t i = 0; i < explorer.Variants().size(); ++i) {
    const std::string at = what + ", variant " + std::to_string(i * step + 1);
    const TaskState variant = explorer.VariantTask(i);
    EXPECT_EQ(LinkBitsApart(task.figure, variant.figure), BitsOf(explorer.Variants()[i])) << at;
    const VariantResult& r = explorer.Results()[i];
    ASSERT_TRUE(r.done) << at;
    bool invalid = false;
    const Verdict full = FullVerdict(variant, invalid, thirdStop);
    EXPECT_EQ(r.forms[0].invalid, invalid) << at;
    if (!invalid) {
      EXPECT_EQ(r.forms[0].verdict, full) << at;
    }
  }
}

TEST(VariantExplorer, MatchesFullSolvesOnTheSmallExamples) {
  for (const test::ExampleEntry& e : test::ReadExampleManifest()) {
    TaskState task;
    ASSERT_EQ(ReadTaskFile(e.path, task), ReadResult::Ok) << e.path;
    if (CountCubes(task.figure) > 30) continue;
    // The 27-cube snakes: every third variant of the quick one, a dozen of
    // the other's, whose searches take longer; variants with hundreds of
    // solutions settle their verdict at a third solution.
    const std::size_t count = ListLinkVariants(task.figure, {}).size();
    const std::size_t step = !e.fast                        ? std::max<std::size_t>(1, count / 12)
                             : CountCubes(task.figure) > 20 ? 3
                                                            : 1;
    ExpectExplorerMatchesFullSolves(task, 1, e.file, step, !e.fast);
  }
}

TEST(VariantExplorer, MatchesFullSolvesOnRandomTasks) {
  std::mt19937 rng(test::TestSeed());
  for (int i = 0; i < 100; ++i) {
    const TaskState task = test::RandomTask(rng, test::SmallSolverTaskOptions());
    ExpectExplorerMatchesFullSolves(task, i % 4 == 0 ? 2 : 1, "random task " + std::to_string(i));
  }
}

TEST(VariantExplorer, ResultsDoNotDependOnTheThreadCount) {
  TaskState task;
  ASSERT_EQ(ReadTaskFile(test::ExamplesFolder() + "/corner_hinges.zvt", task), ReadResult::Ok);
  std::vector<std::vector<Verdict>> verdicts;
  for (const int threads : {1, 3}) {
    VariantExplorer explorer(
        task, ListLinkVariants(task.figure, {.depth = 2, .families = FamilyNone | FamilyRigid}));
    std::atomic<bool> stop{false};
    ASSERT_TRUE(explorer.Run(threads, stop, SystemTicks()));
    verdicts.emplace_back();
    for (const VariantResult& r : explorer.Results()) verdicts.back().push_back(r.forms[0].verdict);
  }
  EXPECT_GT(verdicts[0].size(), 20u);
  EXPECT_EQ(verdicts[0], verdicts[1]);
}

TEST(VariantExplorer, StopLeavesVariantsUndoneForALaterRun) {
  TaskState task;
  ASSERT_EQ(ReadTaskFile(test::ExamplesFolder() + "/hinge_ring.zvt", task), ReadResult::Ok);
  VariantExplorer explorer(task, ListLinkVariants(task.figure, {}));
  std::atomic<bool> stop{true};
  EXPECT_FALSE(explorer.Run(2, stop, SystemTicks()));
  EXPECT_EQ(explorer.DoneCount(), 0);
  stop = false;
  EXPECT_TRUE(explorer.Run(2, stop, SystemTicks()));
}

TEST(LinkVariants, KindsLimitTheChoicesAndDepthTwoPairsLinks) {
  TaskState task;
  ASSERT_EQ(ReadTaskFile(test::ExamplesFolder() + "/hinge_ring.zvt", task), ReadResult::Ok);
  const auto one = ListLinkVariants(task.figure, {});
  const auto rigid = ListLinkVariants(task.figure, {.families = FamilyRigid});
  for (const LinkVariant& v : rigid) EXPECT_EQ(v.changes[0].to, LinkChoice::Rigid);
  EXPECT_LT(rigid.size(), one.size());
  for (const LinkVariant& v : ListLinkVariants(task.figure, {.depth = 2})) {
    ASSERT_EQ(v.changes.size(), 2u);
    EXPECT_FALSE(v.changes[0].cubeA == v.changes[1].cubeA && v.changes[0].cubeB == v.changes[1].cubeB);
  }
}

}  // namespace
}  // namespace zv
