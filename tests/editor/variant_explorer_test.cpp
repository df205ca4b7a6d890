// The variant explorer against full solves (tests/editor/variant_differential.h):
// every depth-1 variant of the examples of at most 30 cubes (of the two
// 27-cube snakes every twelfth here, all of them in
// variant_explorer_slow_test) and 100 small random tasks of the solver
// corpus (a quarter at depth 2, the rest at depth 1). Also: the list and
// results do not depend on the thread count, a stop leaves variants for a
// later run, and the kinds and depth shape the list.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "tests/editor/variant_differential.h"
#include "tests/support/random_task.h"

namespace zv {
namespace {

TEST(VariantExplorer, MatchesFullSolvesOnTheSmallExamples) {
  for (const test::SmallExample& e : test::SmallExamples()) {
    // Every twelfth variant of the long lists here; all of them in the slow test.
    const std::size_t step = test::LongVariantList(e) ? 12 : 1;
    test::ExpectExplorerMatchesFullSolves(e.task, 1, e.file, step, e.thirdStop);
  }
}

TEST(VariantExplorer, MatchesFullSolvesOnRandomTasks) {
  std::mt19937 rng(test::TestSeed());
  for (int i = 0; i < 100; ++i) {
    const TaskState task = test::RandomTask(rng, test::SmallSolverTaskOptions());
    test::ExpectExplorerMatchesFullSolves(task, i % 4 == 0 ? 2 : 1, "random task " + std::to_string(i));
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
