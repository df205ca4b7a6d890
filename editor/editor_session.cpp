// The session's state and the steps every command ends with: recording the
// figure into the undo history and validating; replacing the task; undo and
// redo; numbering mode.
#include "editor/editor_session.h"

#include <utility>

namespace zv {

EditorSession::EditorSession()
    : solver_(std::make_unique<Solver>()),
      runLinks_(std::make_unique<LinkAnalysis>()),
      solution_(std::make_unique<SolutionViewData>()) {
  history_.Record(EditState::Of(task_));  // the first edit can be undone
  validation_ = ValidateTask(task_);
}

EditorSession::~EditorSession() = default;

Changes EditorSession::FigureChanged() {
  history_.Record(EditState::Of(task_));
  validation_ = ValidateTask(task_);
  place_.DropIfStale(task_);
  return {.figure = true, .counters = true, .history = true};
}

Changes EditorSession::FormChanged() {
  history_.Record(EditState::Of(task_));
  validation_ = ValidateTask(task_);
  place_.DropIfStale(task_);
  return {.form = true, .counters = true, .history = true};
}

Changes EditorSession::Start() {
  Changes c = FigureChanged();
  c.form = c.size = true;
  return c;
}

Changes EditorSession::ReplaceTask(TaskState task, TaskOrigin origin) {
  if (workMode_ == WorkMode::Solving) return {};  // the search works on the task in place
  Changes c = EndNumberingMode();
  task_ = std::move(task);
  savedTask_ = origin == TaskOrigin::File ? task_ : TaskState{};
  history_.Reset();
  place_.Drop();
  c |= Start();
  c |= ReturnToEditing();
  return c;
}

Changes EditorSession::NewTask() { return ReplaceTask(TaskState{}); }

Changes EditorSession::Restore(const EditState* snapshot) {
  if (snapshot == nullptr) return {};
  const RestoredParts parts = RestoreEditState(*snapshot, task_);
  validation_ = ValidateTask(task_);
  place_.DropIfStale(task_);
  // Undo and redo stay usable in numbering mode and may change the number of
  // cubes, so the numbering list is filled again.
  return {.figure = parts.figure,
          .form = parts.form,
          .size = parts.resized,
          .counters = true,
          .history = true,
          .numberList = numberingMode_ && parts.figure};
}

Changes EditorSession::Undo() { return workMode_ == WorkMode::Edit ? Restore(history_.Undo()) : Changes{}; }

Changes EditorSession::Redo() { return workMode_ == WorkMode::Edit ? Restore(history_.Redo()) : Changes{}; }

Changes EditorSession::SetNumberingMode(bool on) {
  if (on == numberingMode_) return {};
  numberingMode_ = on;
  return {.numbering = true};
}

Changes EditorSession::ResetNumbering() {
  if (workMode_ != WorkMode::Edit) return {};
  zv::ResetNumbering(task_.figure);
  return FigureChanged();
}

Changes EditorSession::NumberingPress(int x, int y) {
  const FigureState& f = task_.figure;
  const std::optional<int> cell = FigureCellHit(x, y, f.FigureWidth, f.FigureDepth);
  if (!cell || !(f.Cells[*cell] & kCubeBit)) return {};
  figureDrag_ = kDragAdds;
  lastNumberedCell_ = *cell;
  return NumberCube(*cell);
}

Changes EditorSession::NumberingDrag(int x, int y) {
  const FigureState& f = task_.figure;
  const std::optional<int> cell = FigureCellHit(x, y, f.FigureWidth, f.FigureDepth);
  if (!cell || !(f.Cells[*cell] & kCubeBit) || *cell == lastNumberedCell_) return {};
  if (numbers_ == nullptr || numbers_->AtFirstNumber()) return {};  // wrapped past the last number
  lastNumberedCell_ = *cell;
  return NumberCube(*cell);
}

// Gives the cube in `cell` the number selected in the list, which moves on.
// The list may have been filled for another cube count (undo and redo change
// it), so a number outside 0..C-1 is never assigned.
Changes EditorSession::NumberCube(int cell) {
  if (numbers_ == nullptr) return {};
  const std::optional<int> n = numbers_->TakeNumber();
  const int count = validation_.cubeCount;
  if (!n || *n >= count || count > kMaxCubes) return {};
  AssignNumber(task_.figure, cell, *n);
  return FigureChanged();
}

}  // namespace zv
