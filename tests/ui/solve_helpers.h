// Helpers for solving in the window from tests: clicking its buttons, the
// example puzzles and a task whose run lasts for hours, stopping a run
// from inside it, and pixels of the form picture.
#pragma once

#include <QLabel>
#include <QTimer>
#include <QToolButton>

#include "editor/cell_geometry.h"
#include "tests/ui/window_helpers.h"

namespace zv::test {

inline QToolButton* Button(TZvForm& w, const char* name) { return Control<QToolButton>(w, name); }
inline QString LabelText(TZvForm& w, const char* name) { return Control<QLabel>(w, name)->text(); }

// A left click at the middle of a real button, as the user makes it.
inline void ClickButton(TZvForm& w, const char* name) {
  QToolButton* b = Button(w, name);
  QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
}

// An example puzzle from the source tree's examples folder.
inline TaskState ReadExample(const char* name) {
  TaskState task;
  const QString path = QStringLiteral(ZORVAT_EXAMPLES "/") + QString::fromLatin1(name);
  if (ReadTaskFile(QFile::encodeName(path).toStdString(), task) != ReadResult::Ok)
    qFatal("cannot read the example %s", name);
  return task;
}

// A run that lasts for hours on any machine: the twelve pentominoes in
// their 3 x 4 x 5 box grown by one layer, whose cells are to spare.
inline TaskState LongTask() {
  TaskState task = ReadExample("pentominoes_3x4x5.zvt");
  const int top = task.form.FormHeight++;
  for (int y = 0; y < task.form.FormDepth; ++y)
    for (int x = 0; x < task.form.FormWidth; ++x) task.form.At(FormCellIndex(x, y, top)) = 1;
  task.EmptyCells = true;
  return task;
}

// Clicks "Стоп" the `left`-th time a run lets the window process events,
// noting whether `file` is there at that moment.
struct StopLater {
  QTimer timer;
  int left;
  bool filePresent = false;
  StopLater(TZvForm& w, int events, const QString& file = {}) : left(events) {
    timer.setInterval(0);
    QObject::connect(&timer, &QTimer::timeout, [this, &w, file] {
      if (--left != 0) return;
      filePresent = !file.isEmpty() && QFile::exists(file);
      ClickButton(w, "SolveBt");
    });
    timer.start();
  }
};

// Picture point at offset (t, u) inside form cell (x, y, z).
inline QPoint FormPoint(const TZvForm& w, int x, int y, int z, int t, int u) {
  return {FormCellLeft(x) + t, FormCellTop(y, z, w.task().form.FormDepth) + u};
}

inline void ClickFigureCell(TZvForm& w, int x, int y) {
  QTest::mouseClick(ImA(w), Qt::LeftButton, {}, FigurePoint(x, y, 25, 25));
}

inline void ClickFormCell(TZvForm& w, int x, int y, int z) {
  QTest::mouseClick(ImB(w), Qt::LeftButton, {}, FormPoint(w, x, y, z, 25, 25));
}

// The fill colour of a form cell, read where no number, mark or frame is drawn.
inline QColor FormCellFill(TZvForm& w, int x, int y, int z) {
  return ImB(w)->image().pixelColor(FormPoint(w, x, y, z, 3, 15));
}

}  // namespace zv::test
