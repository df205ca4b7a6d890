// The figure's undo ring: recording, undo, redo and restoring a snapshot.
#include "model/undo_history.h"

namespace zv {
namespace {

bool SameRecordedState(const FigureState& a, const FigureState& b) {
  return a.FigureWidth == b.FigureWidth && a.FigureDepth == b.FigureDepth && a.Cells == b.Cells &&
         a.NumberOfCube == b.NumberOfCube;
}

}  // namespace

UndoHistory::UndoHistory() : slots_(std::make_unique<FigureState[]>(kSlots)) {}

void UndoHistory::Reset() {
  oldest_ = current_ = newest_ = 0;
  started_ = false;
}

void UndoHistory::Record(const FigureState& figure) {
  if (started_ && SameRecordedState(slots_[current_], figure)) return;
  if (started_) {
    current_ = (current_ + 1) % kSlots;
    newest_ = current_;
    if (current_ == oldest_) oldest_ = (oldest_ + 1) % kSlots;  // the oldest snapshot is given up
  }
  slots_[current_] = figure;
  started_ = true;
}

const FigureState* UndoHistory::Undo() {
  if (!CanUndo()) return nullptr;
  current_ = (current_ + kSlots - 1) % kSlots;
  return &slots_[current_];
}

const FigureState* UndoHistory::Redo() {
  if (!CanRedo()) return nullptr;
  current_ = (current_ + 1) % kSlots;
  return &slots_[current_];
}

bool RestoreFigure(const FigureState& snapshot, FigureState& figure) {
  const bool resized =
      snapshot.FigureWidth != figure.FigureWidth || snapshot.FigureDepth != figure.FigureDepth;
  figure = snapshot;
  return resized;
}

}  // namespace zv
