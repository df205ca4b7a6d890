// The web page file of zorvat-cli export --format html: the fold checked
// (solid/fold_verdict.h), the motion found (or the single turns) to play,
// the verdict in the words solve --foldable prints, then the page
// (solid/fold_page.h).
#include <cerrno>

#include "cli/commands.h"
#include "cli/fold_report.h"
#include "solid/fold_page.h"
#include "solid/part_colours.h"
#include "storage/cp1251_text.h"
#include "texts/core_texts.h"

namespace zv::cli {

std::optional<Failure> WriteFoldPageFile(const std::string& path, const TaskState& task,
                                         const SolidSolution& solid) {
  const FoldVerdict verdict = CheckFolding(solid, FoldBudget{});
  Fold fold(solid);
  PrepareFoldToPlay(fold, verdict);
  std::vector<int> numbers;
  for (int k = 0; k < solid.cubeCount; ++k) numbers.push_back(UserNumberOfCube(task.figure, CubeIndex(k)));
  const std::string words = FoldResultText({verdict.outcome, verdict.reason, verdict.part});
  const std::vector<std::uint32_t> colours = CubeColours(solid, kDefaultCubeRgb);
  const std::string description = Cp1251ToUtf8(std::string_view(task.Text.c_str()));
  switch (WriteFoldPage(path, {solid, fold, verdict.outcome, words, colours, numbers, description})) {
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
