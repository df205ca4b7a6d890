// Validates a task and runs the solver on it, re-checking every stored
// solution with the independent checker, for tests of the solver and of its
// callers.
//
//   zv::test::SolvedTask s = zv::test::SolveTask(task);   // fails the test if invalid
//   EXPECT_EQ(s.solver->SolutionCount(), 1);
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "model/validation.h"
#include "solver/solver.h"
#include "tests/support/solution_checker.h"
#include "texts/core_texts.h"

namespace zv::test {

struct SolvedTask {
  std::unique_ptr<Solver> solver = std::make_unique<Solver>();
  SolveOutcome outcome = SolveOutcome::Refused;
  Validation validation;
};

// Every stored solution passes the checker.
inline void ExpectStoredSolutionsValid(const TaskState& task, const Solver& solver) {
  for (int i = 0; i < solver.SolutionCount(); ++i) {
    std::string why;
    EXPECT_TRUE(CheckSolution(task, solver.SolutionCubes(i), solver.SolutionRotations(i), &why))
        << "solution " << i << ": " << why;
  }
}

inline SolvedTask SolveTask(const TaskState& task, SolveObserver& observer,
                            const SolveOptions& options = {}) {
  SolvedTask s;
  s.validation = ValidateTask(task);
  EXPECT_TRUE(s.validation.ok()) << ValidationMessage(s.validation, task.figure);
  s.outcome = s.solver->Solve(task, s.validation.links, observer, options);
  ExpectStoredSolutionsValid(task, *s.solver);
  return s;
}

inline SolvedTask SolveTask(const TaskState& task) {
  QuietObserver quiet;
  return SolveTask(task, quiet);
}

}  // namespace zv::test
