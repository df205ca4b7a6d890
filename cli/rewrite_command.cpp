// zorvat-cli rewrite IN.zvt OUT.zvt [--json]: reads a task file and writes it
// again with the program's own writer (OUT is replaced atomically; OUT the
// same file as IN is refused); with --json it prints {"outcome":"done"} or
// the failure.
#include <cerrno>
#include <iostream>
#include <vector>

#include "cli/commands.h"
#include "storage/task_file.h"

namespace zv::cli {

int RunRewrite(const Command& self, Arguments args) {
  PathArguments words;
  if (auto failure = ParsePaths(self, args, 2, words)) return Report(*failure, WantsJson(args));
  const std::string& out = words.paths[1];
  const NamedPath in{"the task file", words.paths[0]};
  if (auto failure = OutputClash({&in, 1}, std::vector<NamedPath>{{"the output", out}}))
    return Report(*failure, words.json);
  TaskState task;
  if (auto failure = LoadTask(words.paths[0], task)) return Report(*failure, words.json);
  if (WriteTaskFile(out, task) != WriteResult::Ok) return Report(WriteFailure(out, errno), words.json);
  if (words.json) std::cout << JsonObject().Add("outcome", "done").Text() << '\n';
  return kExitOk;
}

}  // namespace zv::cli
