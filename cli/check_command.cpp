// zorvat-cli check TASK.zvt [--json]: the task's counters and validation's
// verdict, one "name: value" per line, then "ok" or "error: MESSAGE" with the
// Russian message on an "error_ru" line; with --json one object holding the
// counters and "outcome" ("solvable", or "refused" with the failure).
#include <iostream>

#include "cli/commands.h"
#include "model/validation.h"

namespace zv::cli {

int RunCheck(const Command& self, Arguments args) {
  PathArguments words;
  if (auto failure = ParsePaths(self, args, 1, words)) return Report(*failure, WantsJson(args));
  TaskState task;
  if (auto failure = LoadTask(words.paths[0], task)) return Report(*failure, words.json);

  const Validation v = ValidateTask(task);
  const std::optional<Failure> refusal =
      v.ok() ? std::nullopt : std::optional<Failure>(RefusalFailure(v, task.figure));
  // Parts and cycles come from the link analysis, which does not run for
  // fewer than 2 or more than 254 cubes.
  if (words.json) {
    JsonObject object;
    object.Add("cubes", v.cubeCount);
    if (v.linksAnalysed)
      object.Add("parts", v.links.partCount).Add("cycles", v.links.cycleCount);
    else
      object.AddNull("parts").AddNull("cycles");
    object.Add("formCells", v.formCellCount).Add("surplus", v.surplus);
    if (refusal)
      AddFailure(object.Add("outcome", "refused"), *refusal);
    else
      object.Add("outcome", "solvable");
    std::cout << object.Text() << '\n';
  } else {
    auto linkCount = [&](int n) { return v.linksAnalysed ? std::to_string(n) : std::string("-"); };
    std::cout << "cubes: " << v.cubeCount << '\n'
              << "parts: " << linkCount(v.links.partCount) << '\n'
              << "cycles: " << linkCount(v.links.cycleCount) << '\n'
              << "form cells: " << v.formCellCount << '\n'
              << "surplus: " << v.surplus << '\n';
    if (refusal)
      std::cout << "error: " << refusal->detail << "\nerror_ru: " << refusal->russian << '\n';
    else
      std::cout << "ok\n";
  }
  return refusal ? FailureExitStatus(refusal->kind) : kExitOk;
}

}  // namespace zv::cli
