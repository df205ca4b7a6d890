// Each pruning rule of the reduced search, on a task made for it: with the
// rule on the search makes fewer calls (so the rule fires), and turning it
// off changes nothing but the calls and dead ends: the same solutions in
// the same order, the same assignment and found counts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "storage/task_file.h"
#include "tests/support/solve_task.h"
#include "tests/support/task_builder.h"

namespace zv {
namespace {

TaskState Example(const char* name) {
  const char* root = std::getenv("ZORVAT_SOURCE_DIR");
  TaskState task;
  EXPECT_EQ(ReadTaskFile(std::string(root != nullptr ? root : ".") + "/examples/" + name, task),
            ReadResult::Ok);
  return task;
}

// Loose single cubes (twins, none linked) in a flat form that may keep cells empty.
TaskState LooseCubes(std::initializer_list<std::string_view> figure,
                     std::initializer_list<std::string_view> form) {
  TaskState task = test::MakeTask(figure, {form});
  task.EmptyCells = true;
  return task;
}

std::vector<std::uint8_t> Image(const Solver& solver, int i) {
  std::vector<std::uint8_t> image(solver.SolutionCubes(i).begin(), solver.SolutionCubes(i).end());
  image.insert(image.end(), solver.SolutionRotations(i).begin(), solver.SolutionRotations(i).end());
  return image;
}

TEST(SearchRules, EachRuleFiresAndChangesOnlyCallsAndDeadEnds) {
  struct Case {
    const char* rule;
    bool RuleSwitches::*on;
    TaskState task;
  };
  const std::vector<Case> cases = {
      {"equivalentPlacements", &RuleSwitches::equivalentPlacements, Example("hinge_ring.zvt")},
      {"symmetricImages", &RuleSwitches::symmetricImages, Example("corner_hinges.zvt")},
      {"twinExchange", &RuleSwitches::twinExchange, LooseCubes({"#.#.#", ".#.#."}, {"###", "###"})},
      {"twinOrder", &RuleSwitches::twinOrder, LooseCubes({"###", "###"}, {"###", "###"})},
      {"deadOnArrival", &RuleSwitches::deadOnArrival, Example("snake_cube.zvt")},
      {"thinCells", &RuleSwitches::thinCells, Example("king_snake.zvt")},
      {"splitRegions", &RuleSwitches::splitRegions, Example("snake_cube.zvt")},
  };
  for (const Case& c : cases) {
    SolveOptions off;
    off.rules.*c.on = false;
    QuietObserver quiet;
    const auto with = test::SolveTask(c.task, quiet);
    const auto without = test::SolveTask(c.task, quiet, off);
    ASSERT_EQ(with.outcome, SolveOutcome::Complete) << c.rule;
    ASSERT_EQ(without.outcome, SolveOutcome::Complete) << c.rule;
    EXPECT_LT(with.solver->SearchCalls(), without.solver->SearchCalls()) << c.rule << " never fired";
    EXPECT_EQ(with.solver->Assignments(), without.solver->Assignments()) << c.rule;
    EXPECT_EQ(with.solver->Stats().found, without.solver->Stats().found) << c.rule;
    ASSERT_EQ(with.solver->SolutionCount(), without.solver->SolutionCount()) << c.rule;
    for (int i = 0; i < with.solver->SolutionCount(); ++i)
      EXPECT_EQ(Image(*with.solver, i), Image(*without.solver, i)) << c.rule << ", solution " << i;
  }
}

}  // namespace
}  // namespace zv
