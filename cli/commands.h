// The commands of zorvat-cli: their entry points, exit statuses and the
// helpers they share for arguments and task files.
#pragma once

#include <span>
#include <string>

#include "model/task.h"

namespace zv::cli {

// clang-format off
inline constexpr int kExitOk      = 0;  // done; for check: the task can be solved
inline constexpr int kExitRefused = 1;  // check: validation refuses the task
inline constexpr int kExitFailure = 2;  // wrong arguments, or a file could not be read or written
// clang-format on

using Arguments = std::span<const std::string>;  // the words after the command name

// One row of the dispatch table in main.cpp.
struct Command {
  const char* name;
  const char* arguments;  // shown after the name in usage lines
  const char* summary;    // one line of --help
  int (*run)(const Command& self, Arguments args);
};

int RunCheck(const Command& self, Arguments args);
int RunRewrite(const Command& self, Arguments args);

// True when `args` are exactly `count` paths. Otherwise prints why (an
// unknown option, or the usage line) to stderr and returns false.
bool ExpectPaths(const Command& self, Arguments args, std::size_t count);

// Reads a task file into `task`. On failure prints "CAPTION: PATH" to
// stderr (the reader's caption, or "Файл не найден" for a missing file)
// and leaves `task` as it was.
bool LoadTask(const std::string& path, TaskState& task);

}  // namespace zv::cli
