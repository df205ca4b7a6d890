// The variant explorer against full solves on every depth-1 variant of the
// examples with long variant lists (the 27-cube snakes, 156 variants each):
// about half a minute on two cores, so apart from the quick test and
// labelled slow.
#include <gtest/gtest.h>

#include "tests/editor/variant_differential.h"

namespace zv {
namespace {

TEST(VariantExplorerSlow, MatchesFullSolvesOnEveryVariantOfTheLongLists) {
  int checked = 0;
  for (const test::SmallExample& e : test::SmallExamples())
    if (test::LongVariantList(e)) {
      test::ExpectExplorerMatchesFullSolves(e.task, 1, e.file, 1, e.thirdStop);
      ++checked;
    }
  EXPECT_GE(checked, 2);
}

}  // namespace
}  // namespace zv
