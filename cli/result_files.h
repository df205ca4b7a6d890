// Result files on the command line: `solve --result FILE` and `merge
// --result FILE` keep the run's task, stored solutions and counters for
// browsing in the window (run/result_file.h).
#pragma once

#include <optional>
#include <string>

#include "cli/failures.h"
#include "cli/solve_report.h"
#include "model/validation.h"
#include "solver/solver.h"

namespace zv::cli {

// Prints the run's report, after writing its result file to `resultPath`
// unless that is empty. A file that could not be written (`unsaved`: the
// run's checkpoint, or the result file) is said on stderr after the report,
// which is printed all the same, and the exit status is 2.
int FinishRun(const TaskState& task, const Validation& v, const Solver& solver, SolveEngine engine,
              const RunEnd& end, const ReportOptions& report, const std::string& resultPath,
              const std::optional<Failure>& unsaved = std::nullopt);

}  // namespace zv::cli
