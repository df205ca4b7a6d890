// Writing the result file of a solve or a merge, then its report.
#include "cli/result_files.h"

#include <cerrno>
#include <iostream>

#include "cli/exit_status.h"
#include "cli/failures.h"
#include "run/result_file.h"

namespace zv::cli {

int FinishRun(const TaskState& task, const Validation& v, const Solver& solver, SolveEngine engine,
              const RunEnd& end, const ReportOptions& report, const std::string& resultPath,
              const std::optional<Failure>& unsaved) {
  std::optional<Failure> resultUnsaved;
  if (!resultPath.empty()) {
    ResultFile file{task, engine, end.outcome, solver.Stats(), {}};
    for (int i = 0; i < solver.SolutionCount(); ++i) {
      const auto cubes = solver.SolutionCubes(i), rotations = solver.SolutionRotations(i);
      file.solutions.insert(file.solutions.end(), cubes.begin(), cubes.end());
      file.solutions.insert(file.solutions.end(), rotations.begin(), rotations.end());
    }
    if (!WriteResultFile(resultPath, file)) resultUnsaved = WriteFailure(resultPath, errno);
  }
  const int status = PrintSolveReport(task, v, solver, end, report);
  std::cout.flush();
  if (unsaved) PrintFailureLines(*unsaved);
  if (resultUnsaved) PrintFailureLines(*resultUnsaved);
  return unsaved || resultUnsaved ? kExitFailure : status;
}

}  // namespace zv::cli
