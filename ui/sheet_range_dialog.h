// The question which stored solutions a sheet of solutions shows: "Решения
// с FromSE по ToSE", numbered from 1, at most kMaxSheetSolutions of them
// (ToSE follows FromSE to stay within that many), with OK and Cancel.
#pragma once

#include <QDialog>

class QSpinBox;

namespace zv {

inline constexpr int kMaxSheetSolutions = 100;

class SheetRangeDialog : public QDialog {
  Q_OBJECT

 public:
  // `count` stored solutions; the range starts at `current` (from 0) and
  // holds as many as fit on a sheet (all of them when they fit).
  SheetRangeDialog(QWidget* parent, int count, int current);

  // The chosen range, from 0.
  int first() const;
  int last() const;

  QSpinBox *FromSE, *ToSE;
};

}  // namespace zv
