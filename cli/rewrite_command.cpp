// zorvat-cli rewrite IN.zvt OUT.zvt: reads a task file and writes it again
// with the program's own writer (OUT is replaced atomically).
#include <iostream>

#include "cli/commands.h"
#include "storage/task_file.h"

namespace zv::cli {

int RunRewrite(const Command& self, Arguments args) {
  TaskState task;
  if (!ExpectPaths(self, args, 2) || !LoadTask(args[0], task)) return kExitFailure;
  if (WriteTaskFile(args[1], task) != WriteResult::Ok) {
    std::cerr << kWriteFailedCaption << ": " << args[1] << '\n';
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace zv::cli
