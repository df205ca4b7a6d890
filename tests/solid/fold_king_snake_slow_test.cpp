// The King snake's 64 cubes fold into each of its four solutions, every
// motion re-checked ten times finer (a file of its own, labelled slow: the
// re-check of its long motions takes most of a minute in the test build).
#include <gtest/gtest.h>

#include "tests/solid/fold_outcomes.h"

namespace zv {
namespace {

using namespace zv::test;

TEST(FoldPlanner, EveryKingSnakeSolutionFolds) {
  // Planned once: the search is the snake cube's, which the quick fold
  // test plans twice.
  const Expected king[] = {
      {"king_snake.zvt", FoldOutcome::Foldable, FoldReason::None, -1, {}, FoldBudget{}.poses, false}};
  int motions = 0;
  ExpectOutcomes(king, motions);
  EXPECT_EQ(motions, 4);
}

}  // namespace
}  // namespace zv
