// The web page file of zorvat-cli export --format html: the fold checked
// for an order without collisions, then the page (solid/fold_page.h).
#include <cerrno>

#include "cli/commands.h"
#include "solid/fold_page.h"
#include "ui/texts/core_texts.h"

namespace zv::cli {

std::optional<Failure> WriteFoldPageFile(const std::string& path, const TaskState& task,
                                         const SolidSolution& solid) {
  Fold fold(solid);
  const FoldCheck check = FindFoldOrder(fold);
  std::vector<int> numbers;
  for (int k = 0; k < solid.cubeCount; ++k) numbers.push_back(UserNumberOfCube(task.figure, k));
  switch (WriteFoldPage(path, solid, fold, check.found, numbers, task.Text)) {
    case FoldPageResult::Written:
      return std::nullopt;
    case FoldPageResult::NoThreeJs:
      return Failure(
          FailureKind::UnreadableFile,
          std::string(kThreeJsPath) + " (the web page is built on three.js: install the package libjs-three)",
          "", kThreeJsPath);
    case FoldPageResult::WriteFailed:
      break;
  }
  return WriteFailure(path, errno);
}

}  // namespace zv::cli
