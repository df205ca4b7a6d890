// The fold instructions of zorvat-cli export --format fold-svg|fold-pdf: the
// fold checked (solid/fold_verdict.h), the found motion cut into steps
// (solid/fold_steps.h), then the sheet drawn by zorvat-cli-pictures
// (cli/picture_files.h). A solution without a found motion, or one whose
// figure goes in without a hinge turning, gets no file.
#include <cerrno>
#include <filesystem>

#include "cli/commands.h"
#include "cli/fold_report.h"
#include "cli/picture_files.h"
#include "solid/fold_steps.h"

namespace zv::cli {

std::optional<Failure> WriteFoldSheetFile(const std::string& path, bool pdf, const TaskState& task,
                                          const std::string& taskPath, int solution,
                                          const SolidSolution& solid) {
  const FoldVerdict verdict = CheckFolding(solid, FoldBudget{});
  const std::vector<FoldSheetStep> steps = FoldSheetSteps(solid, verdict);
  if (steps.empty())
    return Failure(FailureKind::NotFoldable,
                   verdict.outcome == FoldOutcome::Foldable
                       ? std::string("nothing to fold, the figure goes in as it lies")
                       : "solution " + std::to_string(solution) + ": " +
                             FoldResultText({verdict.outcome, verdict.reason, verdict.part}));
  const std::string title =
      std::filesystem::path(taskPath).stem().string() + " — solution " + std::to_string(solution);
  switch (WriteFoldInstructions(path, pdf, solid, task.figure, steps, title)) {
    case PictureResult::Written:
      return std::nullopt;
    case PictureResult::NotBuilt:
      return ArgumentFailure("this zorvat-cli was built without the window program and draws no pictures");
    case PictureResult::WriteFailed:
      break;
  }
  return WriteFailure(path, errno);
}

}  // namespace zv::cli
