// zorvat-cli check TASK.zvt: the task's counters and validation's verdict,
// one "name: value" per line, then "ok" or "error: MESSAGE".
#include <iostream>

#include "cli/commands.h"
#include "model/validation.h"

namespace zv::cli {

int RunCheck(const Command& self, Arguments args) {
  TaskState task;
  if (!ExpectPaths(self, args, 1) || !LoadTask(args[0], task)) return kExitFailure;

  Validation v = ValidateTask(task);
  // Parts and cycles come from the link analysis, which does not run for
  // fewer than 2 or more than 254 cubes.
  auto linkCount = [&](int n) { return v.linksAnalysed ? std::to_string(n) : std::string("-"); };
  std::cout << "cubes: " << v.cubeCount << '\n'
            << "parts: " << linkCount(v.links.PartCount) << '\n'
            << "cycles: " << linkCount(v.links.CycleCount) << '\n'
            << "form cells: " << v.formCellCount << '\n'
            << "surplus: " << v.surplus << '\n';
  if (v.ok()) {
    std::cout << "ok\n";
    return kExitOk;
  }
  std::cout << "error: " << ValidationMessage(v, task.figure) << '\n';
  return kExitRefused;
}

}  // namespace zv::cli
