// The arguments that a task has no solution: each fires on a task built for
// it (and the search agrees there is none), and none ever fires on a task
// with solutions: the examples (their counts are known) and the random
// corpus tasks that the solver finds solutions for.
#include "solver/no_solution.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "model/validation.h"
#include "solver/solver.h"
#include "storage/task_file.h"
#include "tests/support/example_manifest.h"
#include "tests/support/random_task.h"
#include "tests/support/task_builder.h"
#include "texts/no_solution_texts.h"

namespace zv {
namespace {

using test::MakeTask;
using test::SetLink;

NoSolutionReason ReasonOf(const TaskState& task) {
  const Validation v = ValidateTask(task);
  EXPECT_TRUE(v.ok()) << ValidationMessage(v, task.figure);
  return FindNoSolutionReason(task, v.links);
}

int Solutions(const TaskState& task) {
  const Validation v = ValidateTask(task);
  Solver solver;
  QuietObserver quiet;
  EXPECT_EQ(solver.Solve(task, v.links, quiet), SolveOutcome::Complete);
  return solver.SolutionCount();
}

// Two loose rigid dominoes.
TaskState Dominoes(std::initializer_list<std::initializer_list<std::string_view>> form,
                   bool emptyCells = false) {
  TaskState task = MakeTask({"##", "##"}, form);
  SetLink(task, 1, 0, RigidX);
  SetLink(task, 1, 1, RigidX);
  task.EmptyCells = emptyCells;
  return task;
}

TEST(NoSolution, EachArgumentFiresOnATaskBuiltForIt) {
  TaskState straight = MakeTask({"###", "#.."}, {{"##", "##"}});  // a rigid row of three in a 2 x 2 square
  SetLink(straight, 1, 0, RigidX);
  SetLink(straight, 2, 0, RigidX);
  TaskState apart = MakeTask({"##"}, {{"#.#"}});  // a face-axis hinge, two cells apart
  SetLink(apart, 1, 0, AxisX);
  struct Case {
    const char* name;
    TaskState task;
    NoSolutionKind kind;
  };
  const Case cases[] = {
      {"block", straight, NoSolutionKind::BlockFitsNowhere},
      {"part", apart, NoSolutionKind::PartFitsNowhere},
      {"cell", Dominoes({{"###.#"}}), NoSolutionKind::CellUncovered},
      {"count", Dominoes({{"##.#.#.#"}}, true), NoSolutionKind::TooManyUncovered},
      {"colouring", Dominoes({{"###", ".#."}}), NoSolutionKind::Colouring},
      {"spare colouring", Dominoes({{"###", ".#.", "..."}, {"...", "...", ".#."}}, true),
       NoSolutionKind::Colouring},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Solutions(c.task), 0) << c.name;
    const NoSolutionReason why = ReasonOf(c.task);
    EXPECT_EQ(why.kind, c.kind) << c.name;
    if (c.kind == NoSolutionKind::BlockFitsNowhere) {
      EXPECT_EQ(CubeListText(why.cubes, c.task.figure), "1-3");
    }
    if (c.kind == NoSolutionKind::CellUncovered) {
      EXPECT_EQ(why.cellX, 4);
    }
  }
}

TEST(NoSolution, NeverFiresOnTheExamples) {
  for (const test::ExampleEntry& e : test::ReadExampleManifest()) {
    TaskState task;
    ASSERT_EQ(ReadTaskFile(e.path, task), ReadResult::Ok) << e.path;
    ASSERT_GT(e.solutions, 0) << e.file;
    EXPECT_EQ(ReasonOf(task).kind, NoSolutionKind::Unknown) << e.file;
  }
}

TEST(NoSolution, NeverFiresOnRandomTasksWithSolutions) {
  std::mt19937 rng(test::TestSeed());
  int solvable = 0, proved = 0;
  for (int i = 0; i < 400; ++i) {
    const TaskState task = test::RandomTask(rng, test::SmallSolverTaskOptions());
    const Validation v = ValidateTask(task);
    if (!v.ok()) continue;
    const NoSolutionKind kind = FindNoSolutionReason(task, v.links).kind;
    if (Solutions(task) > 0) {
      ++solvable;
      EXPECT_EQ(kind, NoSolutionKind::Unknown) << "random task " << i;
    } else {
      proved += kind != NoSolutionKind::Unknown;
    }
  }
  EXPECT_GT(solvable, 30);
  EXPECT_GT(proved, 0);  // the arguments do find some of the unsolvable ones
}

}  // namespace
}  // namespace zv
