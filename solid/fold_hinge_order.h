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
// h a quarter (or half) turn out of the solution sweeps some cubes through
// others; such a pair is harmless once a hinge on the path between its two
// cubes has left its final angle (the two cubes no longer stand where the
// solution puts them against each other). A hinge may leave its final angle
// when every pair of one of its sweeps is harmless, and letting more hinges
// leave only makes more pairs harmless, so taking the hinges out greedily
// (the one farthest from the root first) orders all of them whenever any
// order does. The fold sets them in the reverse order. Each hinge is brought
// to its angle by a best-first search over quarter-turn poses: it turns a
// quarter at a time towards its angle, and a turn that meets a cube moves
// (a quarter turn at a time) the hinges not yet set on the path between the
// two cubes that met. Every move is checked as PartKinematics::MoveFree says.
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
