// The quick examples of examples/ solved, with the solid geometry of any of
// their stored solutions, for the tests of solid/.
//
//   for (const SolvedExample& e : SolveQuickExamples()) ... e.Solid(0)
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "solid/solid_solution.h"
#include "storage/task_file.h"
#include "tests/support/example_manifest.h"
#include "tests/support/solve_task.h"

namespace zv::test {

struct SolvedExample {
  std::string file;
  SolvedTask solved;

  const Solver& solver() const { return *solved.solver; }
  SolidSolution Solid(int i) const {
    return MakeSolidSolution(solved.validation.links, solver().Solution(i));
  }
};

inline std::vector<SolvedExample> SolveQuickExamples() {
  std::vector<SolvedExample> examples;
  for (const ExampleEntry& e : ReadExampleManifest()) {
    if (!e.fast) continue;
    TaskState task;
    EXPECT_EQ(ReadTaskFile(e.path, task), ReadResult::Ok) << e.file;
    examples.push_back({e.file, SolveTask(task)});
  }
  return examples;
}

}  // namespace zv::test
