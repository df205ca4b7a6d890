// The solution browser of the form half (SolP), shown in solution view:
// the first, previous, next and last buttons over SolL, which names the
// shown solution and the count ("3 из 12"), or, past the solutions kept,
// also the count found; below them the toggle SolidBt of the 3-D view.
#pragma once

#include <QWidget>

class QLabel;
class QToolButton;

namespace zv {

struct SolveStats;

class SolutionBrowser : public QWidget {
  Q_OBJECT

 public:
  explicit SolutionBrowser(QWidget* parent);

  // Solution `index` of `count` kept, with the run's counts of those found.
  void ShowBrowseState(int index, int count, const SolveStats& stats);

  QToolButton *FirstSolBt, *PrevSolBt, *NextSolBt, *LastSolBt;
  QToolButton* SolidBt;  // checked: the 3-D view stands in for the form's picture
  QLabel* SolL;
};

}  // namespace zv
