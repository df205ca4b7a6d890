// A found folding motion cut into the steps of a printed fold instruction:
// each step turns some hinges of one part (or brings a part into the form)
// and ends in a pose a person can copy.
//
// Usage:
//   const zv::FoldVerdict verdict = zv::CheckFolding(solid, zv::FoldBudget{});
//   std::vector<zv::FoldSheetStep> steps = zv::FoldSheetSteps(solid, verdict);  // empty: no motion
//   for (const zv::FoldSheetStep& s : steps) ... s.links turn, s.poses after it
//
// A part's motion passes its waypoints, every hinge turning linearly from
// one to the next. Consecutive stretches that go on the same way (the same
// hinges turning in the same sense, counting turns of a quarter of
// kSmallestStepTurn or more) are one step; a step whose largest turn is below kSmallestStepTurn is merged
// into the step before it (into the next for a part's first), its hinges
// joining that step's, so the jitter of a planned path gives no steps of
// its own. When the figure has several parts, each part's move into the
// form is a step too; a figure of one part ends with its last fold.
#pragma once

#include <vector>

#include "solid/fold.h"
#include "solid/fold_verdict.h"

namespace zv {

// A step turning no hinge by more than this (radians, 10 degrees) is no
// step of its own.
inline constexpr double kSmallestStepTurn = 0.175;

struct FoldSheetStep {
  int part = 0;
  bool placing = false;        // the part goes into the form; no hinge turns
  std::vector<int> links;      // the hinges turned (indexes in SolidSolution::links), figure order
  std::vector<double> angles;  // each one's angle after the step, radians (0: flat)
  std::vector<Rigid> poses;    // every cube's pose after the step (as Fold::Poses gives them)
};

// The steps of `verdict`'s motion; empty unless the solution is foldable.
std::vector<FoldSheetStep> FoldSheetSteps(const SolidSolution& solid, const FoldVerdict& verdict);

}  // namespace zv
