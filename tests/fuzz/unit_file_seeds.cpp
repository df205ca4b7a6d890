// Writes the seed corpus of the work-unit file fuzzer into the folder named
// by the only argument: whole runs and parts of the fuzzer's task with both
// engines, finished and stopped.
#include <cstdio>
#include <string>

#include "model/validation.h"
#include "platform/files.h"
#include "run/unit_file.h"
#include "solver/solver.h"
#include "tests/support/stop_observers.h"
#include "tests/support/unit_fuzz_task.h"

namespace {

using StopAfter = zv::test::StopAfterPolls<>;

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: unit_file_seeds FOLDER\n");
    return 2;
  }
  const zv::TaskState task = zv::test::UnitFuzzTask();
  const zv::Validation v = zv::ValidateTask(task);
  bool ok = v.ok();
  int n = 0;
  for (zv::SolveEngine engine : {zv::SolveEngine::Reduced, zv::SolveEngine::Fast})
    for (int parts : {1, 3})
      for (int polls : {1000000, 40}) {
        zv::UnitJob job;
        job.parts = parts;
        job.part = parts;
        StopAfter stop(polls);
        zv::Solver solver;
        solver.SolveUnits(task, v.links, stop, zv::SolveOptions{0, engine, 1}, job);
        const zv::UnitFile file = zv::MakeUnitFile(task, v.links.blockCount, engine, job);
        ok = zv::WriteWholeFileAtomic(std::string(argv[1]) + "/seed" + std::to_string(n++) + ".zvu",
                                      zv::BuildUnitImage(file)) &&
             ok;
      }
  return ok ? 0 : 1;
}
