// The fold row of solution view (FoldP), under the result labels: FoldBt
// starts the background fold check of every stored solution and, pressed
// again, stops it; FoldOnlyCB makes the browse buttons step through the
// foldable solutions only; FoldL names the check's progress or count
// ("проверено 3 из 5", "3 из 5 складываются"), and the shown solution's
// mark (foldable, no motion found, not checked) goes beside the solution
// number in the solution browser.
#pragma once

#include <QWidget>

#include "ui/solution_browser.h"

class QCheckBox;
class QLabel;
class QToolButton;

namespace zv {

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

  FoldFilter* filter;
  QToolButton* FoldBt;
  QCheckBox* FoldOnlyCB;
  QLabel* FoldL;
};

}  // namespace zv
