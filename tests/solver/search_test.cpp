// The placement search on small tasks whose counts follow by hand.
#include <gtest/gtest.h>

#include "solver/solver.h"
#include "tests/support/solve_task.h"
#include "tests/support/task_builder.h"

namespace zv {
namespace {

using test::MakeTask;
using test::SetLink;
using test::SolveTask;

TEST(SearchTest, AxisPairInTwoCellsGivesThirtyTwoAssignmentsAndOneSolution) {
  TaskState task = MakeTask({"##"}, {{"##"}});
  SetLink(task, 1, 0, AxisX);
  auto s = SolveTask(task);
  EXPECT_EQ(s.outcome, SolveOutcome::Complete);
  EXPECT_EQ(s.solver->Assignments(), 32u);
  EXPECT_EQ(s.solver->SolutionCount(), 1);
  EXPECT_EQ(s.solver->DeadEnds(), 0u);
}

}  // namespace
}  // namespace zv
