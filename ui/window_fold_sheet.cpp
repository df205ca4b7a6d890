// The shown solution's fold instructions from the window (ui/window_fold_sheet.h).
#include "ui/window_fold_sheet.h"

#include <QFile>
#include <QFileInfo>
#include <memory>

#include "solid/fold_verdict.h"
#include "ui/fold_sheet_check.h"
#include "ui/picture_texts.h"
#include "ui/pictures/fold_sheet.h"
#include "ui/pictures/solid_pictures.h"
#include "ui/solid_view.h"
#include "ui/tr.h"
#include "ui/window_texts.h"
#include "ui/zv_form.h"

namespace zv {

std::optional<ShownFoldSteps> ShownSolutionFoldSteps(TZvForm& window) {
  const EditorSession& session = window.session();
  const int shown = window.currentSolutionIndex();
  ShownFoldSteps result{
      MakeSolidSolution(session.validation().links, session.solver().Solution(shown)), {}, {}};
  // The check the 3-D view runs, with the same budget, so the sheet shows
  // the motion the view plays; the window's own when it has one.
  std::shared_ptr<const FoldVerdict> verdict = window.KnownFoldVerdict();
  if (!verdict) {
    std::optional<FoldVerdict> checked = CheckWithProgress(
        &window, result.solid, window.foldSheetCheck(),
        {Tr(kFoldSheetSaveTitle), Tr(kFoldSheetCheckingText).arg(shown + 1), Tr(kFoldSheetStopCheck)});
    if (!checked) return std::nullopt;
    verdict = std::make_shared<const FoldVerdict>(std::move(*checked));
    window.RememberFoldVerdict(verdict);  // asked again, the instructions need no second check
  }
  result.steps = FoldSheetSteps(result.solid, *verdict);
  if (!result.steps.empty()) return result;
  if (verdict->outcome == FoldOutcome::Foldable) {
    result.refusal = Tr(kFoldSheetNothingText).arg(shown + 1);
  } else {
    Fold plain(result.solid);
    const FoldCheck plainCheck = FindFoldOrder(plain);
    const SolidScene scene = RestingScene(result.solid, window.task().figure, window.cubeColor());
    result.refusal = Tr(kFoldSheetNoMotionText)
                         .arg(shown + 1)
                         .arg(SolidView::VerdictWords(*verdict, plainCheck,
                                                      static_cast<int>(plain.Steps().size()), scene.numbers));
  }
  return result;
}

SaveResult WriteShownFoldSheet(const TZvForm& window, const ShownFoldSteps& shown, const QString& path) {
  const QString extension = QFileInfo(path).suffix().toLower();
  if (extension != QLatin1String("pdf") && extension != QLatin1String("svg")) return SaveResult::UnknownType;
  if (shown.steps.empty()) return SaveResult::WriteFailed;
  const QString name = QFileInfo(window.currentTaskFile()).completeBaseName();
  const SolidScene scene = RestingScene(shown.solid, window.task().figure, window.cubeColor());
  const FoldSheetWords words{Tr(kFoldSheetHeading)
                                 .arg(name.isEmpty() ? Tr(kNewTaskTitle) : name)
                                 .arg(window.currentSolutionIndex() + 1),
                             Tr(kFoldSheetLegend),
                             Tr(kFoldSheetStart),
                             Tr(kFoldSheetStep),
                             Tr(kFoldSheetPlacing),
                             Tr(kFoldSheetPage)};
  const FoldSheet sheet{&shown.solid, shown.steps, scene.colours, scene.numbers, words};
  const FoldSheetFormat format =
      extension == QLatin1String("pdf") ? FoldSheetFormat::Pdf : FoldSheetFormat::Svg;
  return WriteFoldSheet(QFile::encodeName(path).toStdString(), format, sheet) ? SaveResult::Written
                                                                              : SaveResult::WriteFailed;
}

}  // namespace zv
