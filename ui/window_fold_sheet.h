// The fold instructions of the window's shown solution (ui/pictures/fold_sheet.h):
// the found motion's steps, or the words saying why there are none, and the
// PDF or SVG file (by the file name's extension). The motion comes from a
// check the window already has of the shown solution (its 3-D view's or
// the fold row's, TZvForm::KnownFoldVerdict); only without one is the
// check run, off the window's thread behind a progress dialog whose stop
// writes nothing (ui/fold_sheet_check.h).
//
// Usage:
//   if (std::optional<zv::ShownFoldSteps> shown = zv::ShownSolutionFoldSteps(window)) {
//     if (shown->steps.empty()) ... shown->refusal
//     else zv::WriteShownFoldSheet(window, *shown, "fold.pdf");
//   }  // else the check was stopped
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "solid/fold_steps.h"
#include "ui/file_boxes.h"

namespace zv {

class TZvForm;

struct ShownFoldSteps {
  SolidSolution solid;
  std::vector<FoldSheetStep> steps;  // empty: no instructions
  QString refusal;                   // then why, for a message box
};

// The shown solution's steps, from the known check or one run now; nothing
// when that check was stopped.
std::optional<ShownFoldSteps> ShownSolutionFoldSteps(TZvForm& window);

// Writes `shown`'s instructions (steps not empty) to `path`, a .pdf or
// .svg file.
SaveResult WriteShownFoldSheet(const TZvForm& window, const ShownFoldSteps& shown, const QString& path);

}  // namespace zv
