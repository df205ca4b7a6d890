// Whether a solution can be folded: a folding motion for every part (see
// fold_planner.h), then the parts brought into the form one after another
// along straight moves, and the verdict with what was tried.
//
// Usage:
//   zv::FoldVerdict v = zv::CheckFolding(solid, zv::FoldBudget{});
//   if (v.outcome == zv::FoldOutcome::Foldable) ... v.plans, v.placing
//
// Outcomes: foldable (a motion was found and checked), not found (nothing
// within the budget; `reason` and the plans say what was tried and where
// the plain order first collides), not checked (`reason` says why).
#pragma once

#include <vector>

#include "solid/fold_motion.h"
#include "solid/fold_planner.h"

namespace zv {

enum class FoldOutcome { Foldable, NotFound, NotChecked };

// The outcome's key in the report and page data: "foldable", "not_found" or
// "not_checked".
const char* FoldOutcomeKey(FoldOutcome outcome);

enum class FoldReason {
  None,
  Budget,       // not found: the searches ran out of their budget
  Locked,       // not found: no turn leaves the solution's pose of `part`
  NoWayIn,      // not found: `part` has no straight way into the form past the parts placed
  ClosedCycle,  // not checked: `part` would have to move a closed cycle of hinges
  Stopped,      // not checked: the check was stopped
};

struct FoldVerdict {
  FoldOutcome outcome = FoldOutcome::NotChecked;
  FoldReason reason = FoldReason::None;
  int part = -1;                     // the part the reason concerns
  std::vector<PartPlan> plans;       // by part, as far as they were searched
  std::vector<PlacingStep> placing;  // the order the parts go in, when found
};

// The order of the parts into the form: a part may go in along an axis when
// no cell on its way out, from any of its cubes, holds a part placed before
// it. Built backwards (a part that can leave the full form last); empty with
// `blocked` set to a part that cannot leave when no order exists.
std::vector<PlacingStep> FindPlacingOrder(const SolidSolution& solid, int* blocked = nullptr);

FoldVerdict CheckFolding(const SolidSolution& solid, const FoldBudget& budget);

}  // namespace zv
