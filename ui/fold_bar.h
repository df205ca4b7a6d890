// The fold row of solution view (FoldP), under the result labels: FoldBt
// starts the background fold check of every stored solution and, pressed
// again, stops it; FoldOnlyCB makes the browse buttons step through the
// foldable solutions only; FoldL names the check's progress or count
// ("проверено 3 из 5", "3 из 5 складываются"), and the shown solution's
// mark (foldable, no motion found, not checked) goes beside the solution
// number in the solution browser. In a half too narrow for one line, FoldL,
// once it has a text, goes on a line of its own under the button and the
// switch; a state text
// longer than its room is drawn shortened, whole in its tooltip.
#pragma once

#include <QWidget>

#include "ui/solution_browser.h"

class QCheckBox;
class QToolButton;

namespace zv {

class ElidingLabel;
class FoldFilter;

class FoldBar : public QWidget {
  Q_OBJECT

 public:
  explicit FoldBar(QWidget* parent);

  // The state of the check; returns the mark of solution `shown` for the
  // solution browser (none before the check has run).
  FoldMark ShowState(int shown);
  // Whether the browse buttons step through the foldable solutions only.
  bool foldableOnly() const;
  // Places the row's controls in `width` pixels: one line when the button,
  // the switch and the room of a progress text fit, else FoldL on a second
  // line. Returns the row's height.
  int Arrange(int width);
  // The width that holds the row on one line; the row's height in `width`
  // pixels now (FoldL takes a second line only once it has a text), and
  // the most it may take there.
  int oneLineWidth() const;
  int heightFor(int width) const;
  int tallestFor(int width) const;

  FoldFilter* filter;
  QToolButton* FoldBt;
  QCheckBox* FoldOnlyCB;
  ElidingLabel* FoldL;

 signals:
  // FoldL has got a text or lost it: the row's height may have changed.
  void textShownChanged();
};

}  // namespace zv
