// A found folding motion as plain data, for the fold's playback, the
// fold instructions and the web page: by part, the hinges it turns and the
// angle sets it passes (each hinge turning linearly from one to the next),
// and the order the parts go into the form with the axis each comes along.
//
//   for (const zv::PartPlan& p : verdict.plans)       // fold_verdict.h
//     for (const std::vector<double>& angles : p.waypoints) ... p.hinges[i] at angles[i]
#pragma once

#include <cstdint>
#include <vector>

#include "model/strong_index.h"
#include "solver/rotations.h"

namespace zv {

enum class PartPlanResult {
  Found,
  NotFound,     // nothing within the budget
  Locked,       // no small turn leaves the solution's pose (see below)
  ClosedCycle,  // a cycle of hinges would have to move: not checked
  Stopped,
};
enum class PlanMethod { None, SingleTurns, StraightMove, QuarterTurns, Planner, HingeOrder };

struct PartPlan {
  PartPlanResult result = PartPlanResult::NotFound;
  PlanMethod method = PlanMethod::None;
  std::vector<int> hinges;                     // the part's tree hinges (indexes in Fold::Hinges())
  std::vector<std::vector<double>> waypoints;  // angles of `hinges`: flat first, the solution last
  int sweepsTried = 0;                         // single-turn moves checked
  int statesTried = 0;                         // quarter-turn poses taken up (both searches)
  int samplesTried = 0;                        // planner samples used
  std::int64_t posesChecked = 0;               // poses tested for overlaps in all
  int plainHinge = -1;                         // the plain order's first colliding turn, if any
  CubeIndex cubeA = CubeIndex::None(), cubeB = CubeIndex::None();  // the two cubes colliding there
};

// One part's move into the form: from outside along `direction` (a unit
// step along an axis, 0 0 0 when the figure is one part and there is
// nothing in its way) into its place.
struct PlacingStep {
  int part = 0;
  Vec3 direction{};
};

}  // namespace zv
