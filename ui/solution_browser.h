// The solution browser of the form half (SolP), shown in solution view:
// the first, previous, next and last buttons over SolL, which names the
// shown solution and the count ("3 из 12"), or, past the solutions kept,
// also the count found, with FoldMarkL right after it once the fold check
// has run (the shown solution's mark: ✓ foldable, ✗ no motion found,
// ? not checked); below them the toggle SolidBt of the 3-D view and
// PicturesBt, whose menu saves a picture of the figure, of the form layers
// or a sheet of solutions.
#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

#include "ui/window_pictures.h"

class QLabel;
class QToolButton;

namespace zv {

class ElidingLabel;
struct SolveStats;

// The fold mark beside the solution number: a glyph, its words as the
// tooltip and its colour; no glyph, no mark.
struct FoldMark {
  QString glyph, hint;
  QColor colour;
};

class SolutionBrowser : public QWidget {
  Q_OBJECT

 public:
  explicit SolutionBrowser(QWidget* parent);

  // Solution `index` of `count` kept, with the run's counts of those found.
  // `stopped`: the run ended before its end (a stop or too little memory),
  // so its count is no verdict.
  void ShowBrowseState(int index, int count, const SolveStats& stats, bool stopped);
  // The shown solution's fold mark, right after the text of SolL.
  void ShowFoldMark(const FoldMark& mark);

  QToolButton *FirstSolBt, *PrevSolBt, *NextSolBt, *LastSolBt;
  QToolButton* SolidBt;  // checked: the 3-D view stands in for the form's picture
  QToolButton* PicturesBt;
  ElidingLabel* SolL;  // a text too wide for it is drawn shortened, whole in its tooltip
  QLabel* FoldMarkL;

 signals:
  void pictureRequested(WindowPicture what);
};

}  // namespace zv
