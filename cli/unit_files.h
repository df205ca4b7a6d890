// Work-unit files on the command line: reading a checkpoint or part file
// for a task (refused with English words when it is damaged or belongs to
// another task), writing one, and the words for a solver's
// refusal of the results it holds.
#pragma once

#include <optional>
#include <string>

#include "cli/failures.h"
#include "run/unit_file.h"

namespace zv::cli {

// Reads `path` and checks that it was made for `task`.
std::optional<Failure> LoadUnitFile(const std::string& path, const TaskState& task, UnitFile& out);

// Writes `file` atomically, or gives the failure to report (with the reason).
std::optional<Failure> SaveUnitFile(const std::string& path, const UnitFile& file);

// The failure for results the solver refused (`path`: where they came from).
Failure UnitCheckFailure(UnitCheck check, const std::string& path);

const char* EngineName(SolveEngine engine);  // "reduced", "fast", "reference"

}  // namespace zv::cli
