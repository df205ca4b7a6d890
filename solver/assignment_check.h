// The check of solutions that come from outside a run (a checkpoint's or a
// part's first members, a result file's stored solutions) against the
// task's tables: the one place that decides whether placement numbers read
// from a file make a solution of the task.
#pragma once

#include "solver/assignment.h"
#include "solver/prepare.h"

namespace zv {

// Whether `chosen` (B placements, as read from outside) is a complete
// assignment of the tables: each block on one of its own available placements,
// no form cell taken twice, and every hinge between two blocks kept (the
// partner block on a placement the hinge allows).
bool IsCompleteAssignment(const PreparedSearch& prep, Assignment chosen);

}  // namespace zv
