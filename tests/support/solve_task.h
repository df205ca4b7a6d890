// Validates a task and runs the solver on it, for tests of the solver and of
// its callers.
//
//   zv::test::SolvedTask s = zv::test::SolveTask(task);   // fails the test if invalid
//   EXPECT_EQ(s.solver.SolutionCount(), 1);
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "model/validation.h"
#include "solver/solver.h"

namespace zv::test {

struct SolvedTask {
  std::unique_ptr<Solver> solver = std::make_unique<Solver>();
  SolveOutcome outcome = SolveOutcome::Refused;
  Validation validation;
};

inline SolvedTask SolveTask(const TaskState& task, SolveObserver& observer, const SolveOptions& options = {}) {
  SolvedTask s;
  s.validation = ValidateTask(task);
  EXPECT_TRUE(s.validation.ok()) << ValidationMessage(s.validation, task.figure);
  s.outcome = s.solver->Solve(task, s.validation.links, observer, options);
  return s;
}

inline SolvedTask SolveTask(const TaskState& task) {
  QuietObserver quiet;
  return SolveTask(task, quiet);
}

}  // namespace zv::test
