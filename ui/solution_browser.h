// The solution browser of the form half (SolP), shown in solution view:
// the first, previous, next and last buttons over SolL, which names the
// shown solution and the count ("3 из 12"), or, past the solutions kept,
// also the count found; below them the toggle SolidBt of the 3-D view and
// PicturesBt, whose menu saves a picture of the figure, of the form layers
// or a sheet of solutions.
#pragma once

#include <QWidget>

#include "ui/window_pictures.h"

class QLabel;
class QToolButton;

namespace zv {

struct SolveStats;

class SolutionBrowser : public QWidget {
  Q_OBJECT

 public:
  explicit SolutionBrowser(QWidget* parent);

  // Solution `index` of `count` kept, with the run's counts of those found.
  // `stopped`: the run ended before its end (a stop or too little memory),
  // so its count is no verdict.
  void ShowBrowseState(int index, int count, const SolveStats& stats, bool stopped);

  QToolButton *FirstSolBt, *PrevSolBt, *NextSolBt, *LastSolBt;
  QToolButton* SolidBt;  // checked: the 3-D view stands in for the form's picture
  QToolButton* PicturesBt;
  QLabel* SolL;

 signals:
  void pictureRequested(WindowPicture what);
};

}  // namespace zv
