// Comparing and restoring undo snapshots (model/undo_history.h).
#include "model/undo_history.h"

namespace zv {

bool SameRecordedState(const FigureState& a, const FigureState& b) {
  return a.FigureWidth == b.FigureWidth && a.FigureDepth == b.FigureDepth && a.Cells == b.Cells &&
         a.NumberOfCube == b.NumberOfCube;
}

bool SameRecordedState(const EditState& a, const EditState& b) {
  return SameRecordedState(a.figure, b.figure) && a.form == b.form && a.EmptyCells == b.EmptyCells;
}

bool RestoreFigure(const FigureState& snapshot, FigureState& figure) {
  const bool resized =
      snapshot.FigureWidth != figure.FigureWidth || snapshot.FigureDepth != figure.FigureDepth;
  figure = snapshot;
  return resized;
}

RestoredParts RestoreEditState(const EditState& snapshot, TaskState& task) {
  RestoredParts parts;
  parts.figure = !(snapshot.figure == task.figure);
  parts.form = !(snapshot.form == task.form) || snapshot.EmptyCells != task.EmptyCells;
  const FormState& a = snapshot.form;
  const FormState& b = task.form;
  parts.resized = RestoreFigure(snapshot.figure, task.figure) || a.FormWidth != b.FormWidth ||
                  a.FormDepth != b.FormDepth || a.FormHeight != b.FormHeight;
  task.form = snapshot.form;
  task.EmptyCells = snapshot.EmptyCells;
  return parts;
}

}  // namespace zv
