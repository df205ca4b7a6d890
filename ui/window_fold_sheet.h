// The fold instructions of the window's shown solution (ui/pictures/fold_sheet.h):
// the fold check run on it, the found motion's steps, or the words saying
// why there are none, and the PDF or SVG file (by the file name's extension).
//
// Usage:
//   const zv::ShownFoldSteps shown = zv::ShownSolutionFoldSteps(window);
//   if (shown.steps.empty()) ... shown.refusal
//   else zv::WriteShownFoldSheet(window, shown, "fold.pdf");
#pragma once

#include <QString>
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

ShownFoldSteps ShownSolutionFoldSteps(const TZvForm& window);

// Writes `shown`'s instructions (steps not empty) to `path`, a .pdf or
// .svg file.
SaveResult WriteShownFoldSheet(const TZvForm& window, const ShownFoldSteps& shown, const QString& path);

}  // namespace zv
