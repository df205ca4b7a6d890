// The figure's undo history: a ring of 500 FigureState snapshots with the
// oldest, current and newest slot positions. The window offers every figure
// it draws with recording; undo and redo hand back the snapshot to restore,
// and the window restores it (layout first when the dimensions differ) and
// redraws without recording.
//
// Usage:
//   zv::UndoHistory history;                // empty: nothing to undo or redo
//   history.Record(task.figure);            // after every recorded redraw
//   if (const zv::FigureState* s = history.Undo())
//     if (zv::RestoreFigure(*s, task.figure)) relayout();
//   undoButton.enabled = history.CanUndo();
//
// States: empty (after construction or Reset) -> started by the first Record,
// which cannot be undone. The ring keeps the latest 500 states, so at most 499
// steps can be undone in a row; a Record after undos drops the redo states.
#pragma once

#include <memory>

#include "model/task.h"

namespace zv {

class UndoHistory {
 public:
  static constexpr int kSlots = 500;

  UndoHistory();

  // Empties the history (a task was opened).
  void Reset();
  // Stores `figure` as the new current state, unless it matches the current
  // snapshot in FigureWidth, FigureDepth, Cells and NumberOfCube
  // (NumberAtCell and CubeOfNumber follow from those).
  void Record(const FigureState& figure);
  // The snapshot one step back (forward), now current; nullptr when there is
  // none. Valid until the next Record or Reset.
  const FigureState* Undo();
  const FigureState* Redo();

  bool CanUndo() const { return current_ != oldest_; }
  bool CanRedo() const { return current_ != newest_; }

 private:
  std::unique_ptr<FigureState[]> slots_;  // kSlots snapshots, allocated once (about 1.8 MB)
  int oldest_ = 0;
  int current_ = 0;
  int newest_ = 0;
  bool started_ = false;  // slot current holds a snapshot
};

// Copies a snapshot into the figure; true when FigureWidth or FigureDepth
// changed, so the window must lay itself out again.
bool RestoreFigure(const FigureState& snapshot, FigureState& figure);

}  // namespace zv
