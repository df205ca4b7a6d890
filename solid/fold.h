// How the flat figure folds into a solution, as a function of the position
// T in [0, 1]: the parts one after another, each first folding about its
// hinges one at a time (its lowest block stays where the figure lies), then
// moving as one body into its place in the form. Every block moves as one
// body. The hinges a part turns are those of a spanning tree of its blocks
// (breadth first from its lowest block); a hinge that closes a cycle turns
// with the rest and is met when the last one ends.
//
// Usage:
//   zv::Fold fold(solid);                       // plain order, figure beside the form
//   zv::FoldCheck check = zv::FindFoldOrder(fold);   // an order without collisions, if any
//   std::vector<zv::Rigid> poses = fold.Poses(0.5);  // the pose of every cube half way
//
// Timeline: every step (one hinge turn, or one part's move into place) takes
// the same share of [0, 1]. At T = 0 every cube stands in its figure cell
// moved by FigureOffset(); at T = 1 every cube stands as the solution puts it.
#pragma once

#include <vector>

#include "solid/fold_motion.h"
#include "solid/solid_solution.h"

namespace zv {

struct FoldHinge {
  int link = 0;  // index in SolidSolution::links
  int parentBlock = 0, childBlock = 0;
  Point point{}, axis{};  // the line it turns about, figure frame
  double angle = 0;       // its whole turn in radians: 0, +-pi/2 or +-pi
};

struct FoldStep {
  int part = 0;
  int hinge = -1;    // index in Fold::Hinges(), or -1: a stretch of a found motion or the move into place
  int segment = -1;  // a found motion's stretch from its waypoint `segment` to the next; -1: none
};

class Fold {
 public:
  explicit Fold(const SolidSolution& solid);

  const SolidSolution& Solid() const { return *solid_; }
  const std::vector<FoldHinge>& Hinges() const { return hinges_; }
  const std::vector<FoldStep>& Steps() const { return steps_; }
  // Where the flat figure lies: figure cell + this offset, beside the form.
  const Point& FigureOffset() const { return offset_; }

  // The pose of every cube at position T (clamped to [0, 1]).
  std::vector<Rigid> Poses(double t) const;
  // The step under way at T, and the T at which step i starts.
  int StepAt(double t) const;
  double StepStart(int step) const;

  // Replaces the order of the hinge turns of `part` (indexes in Hinges()).
  void SetHingeOrder(int part, const std::vector<int>& order);
  // The part's hinge turns in their current order.
  std::vector<int> HingeOrder(int part) const;

  // Plays a found motion instead (fold_verdict.h): every part's stretches
  // from waypoint to waypoint, all its hinges turning together, the parts
  // in the placing order, each going in along its axis from outside the
  // form. `plans` by part; every plan found.
  void SetMotion(const std::vector<PartPlan>& plans, const std::vector<PlacingStep>& placing);

  // Poses in the figure frame of every cube of `part` with hinge h at
  // angles[h] (one entry per hinge of Hinges()).
  void FoldedPoses(int part, const std::vector<double>& angles, std::vector<Rigid>& poses) const;

 private:
  Rigid PlaceMotion(int part, double s) const;

  const SolidSolution* solid_;
  Point offset_{};
  std::vector<FoldHinge> hinges_;  // tree hinges, part by part, breadth-first order
  std::vector<FoldStep> steps_;
  std::vector<std::vector<int>> blockOrder_;  // by part: its blocks, root first, parents before children
  std::vector<int> hingeOfBlock_;             // by block: the tree hinge that turns it, -1 for a root
  std::vector<int> rootCube_;                 // by part: the lowest cube of its root block
  std::vector<std::vector<int>> cubesOfBlock_;
  std::vector<int> rank_;        // by part: its place in the order the parts go in
  std::vector<Vec3> entry_;      // by part: the axis step it goes in along, 0 0 0: lifted in
  std::vector<PartPlan> plans_;  // by part: the motions SetMotion was given, else empty
};

// The outcome of checking the sweep of a fold.
struct FoldCheck {
  bool found = false;      // every part has an order of hinge turns without collision
  int collidingStep = -1;  // else the first step of the plain order where cubes collide
  CubeIndex cubeA = CubeIndex::None(), cubeB = CubeIndex::None();  // two cubes that collide there
};

// Whether turning hinge `hinge` from 0 to its angle, the others of its part
// standing at `angles`, makes two cubes of the figure pass through each
// other (checked at sample angles no more than about a third of a cube edge
// of travel apart). The flat parts after this part take part; placed parts
// stand elsewhere.
bool SweepCollides(const Fold& fold, int hinge, const std::vector<double>& angles, CubeIndex* cubeA = nullptr,
                   CubeIndex* cubeB = nullptr);

// Searches, part by part, an order of the hinge turns in which no two cubes
// pass through each other, trying at most `budget` sweeps per part (by
// default 10 per hinge and 100 more); sets that order in `fold`. Turns far
// from the part's root block are tried first, as they swing fewer cubes.
// When a part has none within the budget, its plain order stays and the
// result names the first colliding step.
FoldCheck FindFoldOrder(Fold& fold, int budget = -1);

}  // namespace zv
