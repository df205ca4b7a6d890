// The commands of zorvat-cli: their entry points and the helpers they share
// for arguments and task files. Exit statuses are in cli/exit_status.h.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "cli/exit_status.h"
#include "cli/failures.h"
#include "model/task.h"
#include "model/validation.h"
#include "solid/solid_solution.h"

namespace zv::cli {

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
int RunMerge(const Command& self, Arguments args);
int RunExport(const Command& self, Arguments args);
int RunConvert(const Command& self, Arguments args);
int RunThumbnail(const Command& self, Arguments args);

// Writes the web page of `solid` (solid/fold_page.h) to `path`, after
// checking the fold for an order without collisions; the failure to
// report when three.js is not installed or the page cannot be written.
std::optional<Failure> WriteFoldPageFile(const std::string& path, const TaskState& task,
                                         const SolidSolution& solid);

// Writes the fold instructions of `solid`, stored solution `solution` (from
// 1) of the task read from `taskPath`, as a PDF or an SVG (cli/fold_sheet_file.cpp);
// the failure to report when the fold check found no motion or the file
// cannot be written.
std::optional<Failure> WriteFoldSheetFile(const std::string& path, bool pdf, const TaskState& task,
                                          const std::string& taskPath, int solution,
                                          const SolidSolution& solid);

// "usage: zorvat-cli NAME ARGUMENTS".
std::string UsageLine(const Command& self);

// True when "--json" is among `words`: then every outcome, failures
// included, is printed as one JSON object on stdout.
bool WantsJson(Arguments words);

// The words of a command that takes `count` paths and the option --json.
struct PathArguments {
  std::vector<std::string> paths;
  bool json = false;
};

// Fills `out` from `args`; an unknown option or a wrong number of paths
// gives the failure to report.
std::optional<Failure> ParsePaths(const Command& self, Arguments args, std::size_t count, PathArguments& out);

// Reads a task file into `task`; on failure leaves `task` as it was and
// gives the failure to report.
std::optional<Failure> LoadTask(const std::string& path, TaskState& task);
// Reads a task file and validates it, for the commands that solve.
std::optional<Failure> LoadSolvableTask(const std::string& path, TaskState& task, Validation& v);

}  // namespace zv::cli
