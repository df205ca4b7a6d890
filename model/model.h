// The model's front: the task with its editing operations, the invariants
// every edited task keeps, validation with the counters and the link
// analysis, and the undo history of figure and form.
//
// Usage:
//   zv::TaskState task;                                   // figure 4x3, form 5x3x3, empty
//   zv::AddCube(task.figure, zv::FigureCellIndex(0, 0));
//   zv::AddCube(task.figure, zv::FigureCellIndex(1, 0));
//   zv::ToggleLink(task.figure, zv::FigureCellIndex(1, 0), zv::RigidX);
//   zv::FillForm(task.form);
//   zv::Validation v = zv::ValidateTask(task);            // FormTooBig: 45 cells, 2 cubes
//   zv::UndoHistory history;
//   history.Record(zv::EditState::Of(task));              // after every recorded change
//   assert(zv::CheckTaskInvariants(task).ok());
//
// States:
//   A task is sound (model/task_invariants.h) after every operation on a
//   sound task; task files may bring unsound ones, which validation refuses.
//   Validation: ok() exactly when error == ValidationError::None; its link
//   analysis is filled only for 2..254 cubes (linksAnalysed).
//   Undo history: empty -> started by the first Record -> undo/redo within
//   the latest 500 states; a Record after undos drops the redo states.
#pragma once

#include "model/grid_ranges.h"
#include "model/task.h"
#include "model/task_invariants.h"
#include "model/undo_history.h"
#include "model/validation.h"
