// Writes the seed corpus of the result file fuzzer into the folder named by
// the only argument: finished and stopped runs of the work-unit fuzzer's
// task with each engine.
#include <cstdio>
#include <string>

#include "model/validation.h"
#include "platform/files.h"
#include "run/result_file.h"
#include "solver/solver.h"
#include "tests/support/run_snapshot.h"
#include "tests/support/stop_observers.h"
#include "tests/support/unit_fuzz_task.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: result_file_seeds FOLDER\n");
    return 2;
  }
  const zv::TaskState task = zv::test::UnitFuzzTask();
  const zv::Validation v = zv::ValidateTask(task);
  bool ok = v.ok();
  int n = 0;
  for (zv::SolveEngine engine : {zv::SolveEngine::Reduced, zv::SolveEngine::Fast, zv::SolveEngine::Reference})
    for (int polls : {1000000, 40}) {
      zv::test::StopAfterPolls<> stop(polls);
      zv::Solver solver;
      solver.Solve(task, v.links, stop, zv::SolveOptions{0, engine, 1});
      ok = zv::WriteResultFile(std::string(argv[1]) + "/seed" + std::to_string(n++) + ".zvr",
                               zv::test::ResultOf(task, engine, solver)) &&
           ok;
    }
  return ok ? 0 : 1;
}
