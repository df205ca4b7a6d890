// A printable fold instruction: a solution's found folding motion as
// numbered step pictures (solid/fold_steps.h) after a picture of the flat
// figure, each showing the pose after the step, the cubes that moved in
// their colours and the others paler, the hinges it turns marked and listed
// with their angles, seen as the 3-D view first shows a solution or, when
// that hides moving cubes behind others, from the quarter turn about the
// vertical that hides fewest, in a grid under a title. A PDF (Qt's PDF writer) has A4
// pages of kFoldSheetColumns x kFoldSheetRows pictures, as many as the
// steps need; an SVG is one sheet holding every picture in the same columns.
//
// Usage:
//   zv::FoldSheet sheet{&solid, zv::FoldSheetSteps(solid, verdict), colours, numbers, words};
//   bool ok = zv::WriteFoldSheet("fold.pdf", zv::FoldSheetFormat::Pdf, sheet);
#pragma once

#include <QColor>
#include <QRect>
#include <QString>
#include <string>
#include <vector>

#include "solid/fold_steps.h"

class QPainter;

namespace zv {

inline constexpr int kFoldSheetColumns = 3;
inline constexpr int kFoldSheetRows = 4;

// The sheet's words, in the caller's language.
struct FoldSheetWords {
  QString title;    // the task's name and the solution's number
  QString legend;   // one line under the title: what the marks and angles mean
  QString start;    // the flat figure's caption
  QString step;     // a step's caption, %1: its number
  QString placing;  // a part's move into the form, %1: the part's number
  QString page;     // the page line of a PDF, %1: page, %2: pages
};

struct FoldSheet {
  const SolidSolution* solid = nullptr;
  std::vector<FoldSheetStep> steps;
  std::vector<QColor> colours;  // of every cube
  std::vector<int> numbers;     // user number of every cube
  FoldSheetWords words;
};

enum class FoldSheetFormat { Svg, Pdf };

// The pages a PDF of `steps` steps (and the flat figure) has.
int FoldSheetPageCount(int steps);

// Paints pictures first .. first + count - 1 (0 the flat figure, i the pose
// after step i) under the title into `rect`, in kFoldSheetColumns columns
// of cells `cell` big; `pageLine` (may be empty) goes at the foot.
void PaintFoldSheet(QPainter& painter, const QRect& rect, const FoldSheet& sheet, int first, int count,
                    const QSize& cell, const QString& pageLine);

// Writes the sheet; false when the file could not be written (the old
// file then stays).
bool WriteFoldSheet(const std::string& path, FoldSheetFormat format, const FoldSheet& sheet);

}  // namespace zv
