// zorvat-cli rewrite IN.zvt OUT.zvt [--json]: reads a task file and writes it
// again with the program's own writer (OUT is replaced atomically); with
// --json it prints {"outcome":"done"} or the failure.
#include <iostream>

#include "cli/commands.h"
#include "storage/task_file.h"
#include "ui/texts/core_texts.h"

namespace zv::cli {

int RunRewrite(const Command& self, Arguments args) {
  PathArguments words;
  if (auto failure = ParsePaths(self, args, 2, words)) return Report(*failure, WantsJson(args));
  TaskState task;
  if (auto failure = LoadTask(words.paths[0], task)) return Report(*failure, words.json);
  const std::string& out = words.paths[1];
  if (WriteTaskFile(out, task) != WriteResult::Ok)
    return Report(Failure(FailureKind::WriteFailed, out, kWriteFailedCaption, out), words.json);
  if (words.json) std::cout << JsonObject().Add("outcome", "done").Text() << '\n';
  return kExitOk;
}

}  // namespace zv::cli
