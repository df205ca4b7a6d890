// Folding a part by the order in which its hinges reach their final angles,
// as a hand folds a strung chain: each hinge is set while the cubes that
// would close round its joint are still elsewhere, the hinges not yet set
// keep the loose parts out of the way.
//
// Usage:
//   zv::PartPlan plan;
//   if (zv::FoldByHingeOrder(kinematics, budget, free, plan)) ... plan.waypoints
//
// The order comes from the solution's pose, worked backwards: turning hinge
// h a quarter turn either way or a half turn out of the solution sweeps some
// cubes through others; such a pair is harmless once a hinge on the path
// between its two cubes whose turn moves one against the other has left its
// final angle. A hinge may leave when every pair of one of its sweeps is
// harmless; when none may, two hinges at most three apart down the tree may
// leave together, turning at once. Letting more hinges leave only makes more
// pairs harmless, so taking them out greedily (the one farthest from the
// root first) orders them whenever this rule can. The fold sets the groups
// in the reverse order, each by a best-first search over quarter-turn poses:
// the group's hinges turn a quarter at a time to where they left the
// solution's pose, then all together to their final angles, and a move that
// brings two cubes together turns (a quarter either way) the hinges not yet
// set on the path between them. Every move is checked as
// PartKinematics::MoveFree says.
#pragma once

#include <vector>

#include "solid/fold_motion.h"
#include "solid/fold_planner.h"
#include "solid/part_kinematics.h"

namespace zv {

// `free`: by hinge position, whether it may turn (false: held flat by a
// cycle). On success sets plan.waypoints (flat first, the solution's angles
// up to whole turns last) and plan.statesTried.
bool FoldByHingeOrder(const PartKinematics& part, const FoldBudget& budget, const std::vector<bool>& free,
                      PartPlan& plan);

}  // namespace zv
