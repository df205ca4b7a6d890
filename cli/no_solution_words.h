// The English words of why a task has no solution (solver/no_solution.h),
// as `solve` prints them and puts them in the JSON's "reason".
#pragma once

#include <cstdint>
#include <string>

#include "cli/json.h"
#include "model/validation.h"

namespace zv::cli {

// Finds the reason for a task with no solution and gives its English line.
// With `json`, adds "reason": {"code", "message", "message_ru"} to it.
std::string NoSolutionLine(const TaskState& task, const LinkAnalysis& links, std::uint64_t deadEnds,
                           JsonObject* json);

}  // namespace zv::cli
