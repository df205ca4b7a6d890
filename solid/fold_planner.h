// The search for a folding motion of one part: from the flat figure to the
// solution's hinge angles with no two cubes overlapping anywhere on the way.
//
// Usage:
//   zv::Fold fold(solid);
//   zv::PartPlan plan = zv::PlanPartFold(fold, 0, zv::FoldBudget{});
//   if (plan.result == zv::PartPlanResult::Found) ... plan.waypoints
//
// Tried in turn, each within the budget: the orders of single turns (each
// hinge straight from flat to its angle, the others flat or final, turns
// far from the root first); then, unless the solution's pose is locked (no
// hinge, alone or with all the others in one of 64 random directions, can
// turn out of it by 0.01 rad; a motion into it would have to arrive along a
// direction none of these samples, and the searches below, whose last
// moves are of this kind, would only spend their budget), one straight move of
// all hinges at once, the hinges set one or two at a time in an order worked
// out backwards from the solution's pose (fold_hinge_order.h), best-first
// searches over quarter-turn poses that fold the part from its root and from
// its far end, and RRT-Connect over the hinge angles (a tree grown from the
// flat figure and one from the solution, each reaching out to random angles
// and the other tree; a fixed seed, so the same task gives the same motion),
// whose path is then shortened. Every move is checked as
// PartKinematics::MoveFree says.
//
// A hinge that closes a cycle of hinges holds the cycle's blocks together:
// when every tree hinge of the cycle stays flat in the solution the cycle
// stays flat all the way, as one body; otherwise the part is not checked.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "solid/fold.h"
#include "solid/fold_motion.h"
#include "solid/part_kinematics.h"

namespace zv {

struct FoldBudget {
  int orderSweeps = -1;            // single-turn moves tried; -1: 10 per hinge and 100 more
  std::int64_t orderPoses = 4000;  // poses checked before the orders of single turns give up
  int quarterStates = 20000;       // poses the quarter-turn search takes up
  int plannerSamples = 3000;       // random angle sets RRT-Connect reaches out to
  int shortcutTries = 200;         // attempts to shorten the found path
  std::int64_t poses = 200000;     // poses checked for overlaps in all, the searches' common cap
  double cornerStep = kCornerStep;
  double play = kFoldPlay;        // a spinning cube's play, part_kinematics.h
  std::function<bool()> stopped;  // polled between samples; true ends the search (may be empty)
};

PartPlan PlanPartFold(const Fold& fold, int part, const FoldBudget& budget);

}  // namespace zv
