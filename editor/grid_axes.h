// The five dimensions of a task (figure width and depth, form width, depth
// and height) and the two rules that move things along them: a step or a
// move to the origin never pushes the occupied box out of its grid, and a
// new size never cuts off cubes or form cells: it stays within 1..limit and
// not below the occupied extent, and when the new border would cross the
// occupied box the box is pushed inside.
#pragma once

#include "model/task.h"
#include "model/validation.h"

namespace zv {

enum class GridAxis { FigureX, FigureY, FormX, FormY, FormZ };

// The size a request for `axis` gives, from the occupied boxes of `v`.
int ClampedSize(const TaskState& task, const Validation& v, GridAxis axis, int requested);

// Sets `axis` to the clamped size of `requested` and pushes the occupied box
// inside; false (nothing changed) when that is the present size.
bool ResizeAxis(TaskState& task, const Validation& v, GridAxis axis, int requested);

// Moves the figure (form) one step of (dx, dy[, dz]) in {-1, 0, 1}; false,
// nothing moved, when the box is empty or would leave the grid.
bool StepFigure(TaskState& task, const Validation& v, int dx, int dy);
bool StepForm(TaskState& task, const Validation& v, int dx, int dy, int dz);

// Moves the occupied box to the origin; false when empty or already there.
bool FigureToOrigin(TaskState& task, const Validation& v);
bool FormToOrigin(TaskState& task, const Validation& v);

}  // namespace zv
