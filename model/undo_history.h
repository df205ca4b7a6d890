// The task's undo history: a ring of 500 snapshots with the oldest, current
// and newest slot positions. The session offers the task's figure, form and
// empty-cells switch after every edit of any of them, so form and figure
// edits undo and redo in one order; undo and redo hand back the snapshot to
// restore, and the window redraws (and lays out when a size differs)
// without recording. The description is not part of it.
//
// Usage:
//   zv::UndoHistory history;                // empty: nothing to undo or redo
//   history.Record(zv::EditState::Of(task)); // after every recorded change
//   if (const zv::EditState* s = history.Undo())
//     if (zv::RestoreEditState(*s, task).resized) relayout();
//   undoButton.enabled = history.CanUndo();
//
// States: empty (after construction or Reset) -> started by the first Record,
// which cannot be undone. The ring keeps the latest 500 states, so at most 499
// steps can be undone in a row; a Record after undos drops the redo states.
// UndoRing<FigureState> keeps the figure alone.
#pragma once

#include <memory>

#include "model/task.h"

namespace zv {

// What an edit can change and undo restores.
struct EditState {
  FigureState figure;
  FormState form;
  bool EmptyCells = false;
  static EditState Of(const TaskState& task) { return {task.figure, task.form, task.EmptyCells}; }
};

// Whether a snapshot already holds `b`: for the figure, FigureWidth,
// FigureDepth, Cells and NumberOfCube (NumberAtCell and CubeOfNumber follow
// from those).
bool SameRecordedState(const FigureState& a, const FigureState& b);
bool SameRecordedState(const EditState& a, const EditState& b);

template <typename State>
class UndoRing {
 public:
  static constexpr int kSlots = 500;

  UndoRing() : slots_(std::make_unique<State[]>(kSlots)) {}

  // Empties the history (a task was opened).
  void Reset() {
    oldest_ = current_ = newest_ = 0;
    started_ = false;
  }
  // Stores `state` as the new current one, unless the current snapshot
  // holds it already.
  void Record(const State& state) {
    if (started_ && SameRecordedState(slots_[current_], state)) return;
    if (started_) {
      current_ = (current_ + 1) % kSlots;
      newest_ = current_;
      if (current_ == oldest_) oldest_ = (oldest_ + 1) % kSlots;  // the oldest snapshot is given up
    }
    slots_[current_] = state;
    started_ = true;
  }
  // The snapshot one step back (forward), now current; nullptr when there is
  // none. Valid until the next Record or Reset.
  const State* Undo() {
    if (!CanUndo()) return nullptr;
    current_ = (current_ + kSlots - 1) % kSlots;
    return &slots_[current_];
  }
  const State* Redo() {
    if (!CanRedo()) return nullptr;
    current_ = (current_ + 1) % kSlots;
    return &slots_[current_];
  }

  bool CanUndo() const { return current_ != oldest_; }
  bool CanRedo() const { return current_ != newest_; }

 private:
  std::unique_ptr<State[]> slots_;  // kSlots snapshots, allocated once (about 8 MB of EditState)
  int oldest_ = 0;
  int current_ = 0;
  int newest_ = 0;
  bool started_ = false;  // slot current holds a snapshot
};

using UndoHistory = UndoRing<EditState>;

// Copies a snapshot into the figure; true when FigureWidth or FigureDepth
// changed, so the window must lay itself out again.
bool RestoreFigure(const FigureState& snapshot, FigureState& figure);

// What restoring an EditState changed.
struct RestoredParts {
  bool figure = false;
  bool form = false;
  bool resized = false;  // a dimension of the figure or the form differs
};
RestoredParts RestoreEditState(const EditState& snapshot, TaskState& task);

}  // namespace zv
