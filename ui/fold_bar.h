// The fold row of solution view (FoldP), under the result labels: FoldBt
// starts the background fold check of every stored solution and, pressed
// again, stops it; FoldOnlyCB makes the browse buttons step through the
// foldable solutions only; FoldL names the shown solution's mark
// (foldable, no motion found, not checked) and the check's progress or
// count ("проверено 3 из 5", "3 из 5 складываются").
#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QToolButton;

namespace zv {

class FoldFilter;

class FoldBar : public QWidget {
  Q_OBJECT

 public:
  explicit FoldBar(QWidget* parent);

  // The mark of solution `shown` and the state of the check.
  void ShowState(int shown);
  // Whether the browse buttons step through the foldable solutions only.
  bool foldableOnly() const;

  FoldFilter* filter;
  QToolButton* FoldBt;
  QCheckBox* FoldOnlyCB;
  QLabel* FoldL;
};

}  // namespace zv
