// The checks of the fold tests shared by the quick and the slow test files:
// the expected outcome of every stored solution of an example, and the
// independent re-check of a found motion sampled ten times finer than the
// planner checked it, through the fold's own poses.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

#include "solid/cube_overlap.h"
#include "solid/fold_verdict.h"
#include "solid/part_kinematics.h"
#include "tests/solid/solved_examples.h"

namespace zv::test {

// The line of hinge `position` (of the part's tree) at these poses of the
// fold: the block it turns carries it.
inline void HingeLine(const Fold& fold, const PartKinematics& part, int position,
                      const std::vector<Rigid>& poses, Point& point, Point& axis) {
  const FoldHinge& h = fold.Hinges()[part.Hinges()[position]];
  int carrier = 0;
  while (fold.Solid().block[part.Cubes()[carrier].value()] != h.childBlock) ++carrier;
  const Rigid& frame = poses[part.Cubes()[carrier].value()];
  point = frame.Apply(h.point);
  axis = zv::Apply(frame.r, h.axis);
}

// How far a corner of the cube at position c lies from a line.
inline double FromLine(const Fold& fold, const PartKinematics& part, int c, const std::vector<Rigid>& poses,
                       const Point& point, const Point& axis) {
  const CubeIndex k = part.Cubes()[c];
  const Point v = poses[k.value()].Apply(fold.Solid().FigureCentre(k)) - point;
  return Length(v - Dot(v, axis) * axis) + std::sqrt(3.0) / 2;
}

// The farthest a corner lies from the line of hinge `position`, on the side
// of the hinge whose corners lie nearer it. A turn of that hinge alone keeps
// every distance from its line and turns the two sides against each other
// about it, so no corner moves against the other side by more than this
// times the turn.
inline double NearerSide(const Fold& fold, const PartKinematics& part, int position,
                         const std::vector<Rigid>& poses) {
  Point point, axis;
  HingeLine(fold, part, position, poses, point, axis);
  double side[2] = {0, 0};
  for (int c = 0; c < static_cast<int>(part.Cubes().size()); ++c) {
    const std::vector<int>& up = part.HangsOn(c);
    const bool below = std::find(up.begin(), up.end(), position) != up.end();
    side[below] = std::max(side[below], FromLine(fold, part, c, poses, point, axis));
  }
  return std::min(side[0], side[1]);
}

// The farthest a corner lies from the line of a turning hinge it hangs on.
// When the hinges turn by a sum Θ from these poses, no corner moves by more
// than this times (e^Θ - 1), as each distance grows no faster than it.
inline double Farthest(const Fold& fold, const PartKinematics& part, const std::vector<double>& turns,
                       const std::vector<Rigid>& poses) {
  double farthest = 0;
  for (int i = 0; i < static_cast<int>(turns.size()); ++i) {
    if (turns[i] == 0) continue;
    Point point, axis;
    HingeLine(fold, part, i, poses, point, axis);
    for (int c = 0; c < static_cast<int>(part.Cubes().size()); ++c) {
      const std::vector<int>& up = part.HangsOn(c);
      if (std::find(up.begin(), up.end(), i) != up.end())
        farthest = std::max(farthest, FromLine(fold, part, c, poses, point, axis));
    }
  }
  return farthest;
}

// The motion of one part from the fold's own poses, sampled so that no
// corner moves more than a tenth of the planner's step between samples: a
// stretch turning one hinge by its nearer side (NearerSide), a stretch
// turning several by the farthest corner (Farthest) at each sample. Cubes on
// the line of a turning face-axis hinge may press into others by the play.
inline void ExpectNoOverlap(const Fold& fold, const PartPlan& plan, double cornerStep) {
  const SolidSolution& s = fold.Solid();
  const int part = s.part[s.links[fold.Hinges()[plan.hinges[0]].link].a.value()];
  const PartKinematics kinematics(fold, part);
  const std::vector<CubeIndex>& cubes = kinematics.Cubes();
  const double fine = cornerStep / 10;
  std::vector<double> angles(fold.Hinges().size(), 0.0);
  std::vector<Rigid> poses(s.cubeCount);
  std::vector<Point> centres(cubes.size());
  for (std::size_t w = 1; w < plan.waypoints.size(); ++w) {
    const std::vector<double>& a = plan.waypoints[w - 1];
    const std::vector<double>& b = plan.waypoints[w];
    double turn = 0;
    int turning = 0, hinge = -1;
    std::vector<double> turns(a.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
      turn += std::abs(turns[i] = b[i] - a[i]);
      if (turns[i] != 0) ++turning, hinge = static_cast<int>(i);
    }
    const std::vector<bool> spinning = kinematics.Spinning(turns);
    // The pairs of cubes that move against each other on the stretch: cubes
    // of one block, or below the same turning hinges, keep their poses
    // against each other, and both ends of the stretch are checked.
    std::vector<std::vector<int>> below(cubes.size());
    for (std::size_t x = 0; x < cubes.size(); ++x)
      for (int i : kinematics.HangsOn(static_cast<int>(x)))
        if (turns[i] != 0) below[x].push_back(i);
    std::vector<std::pair<std::size_t, std::size_t>> pairs;
    for (std::size_t x = 0; x < cubes.size(); ++x)
      for (std::size_t y = x + 1; y < cubes.size(); ++y)
        if (s.block[cubes[x].value()] != s.block[cubes[y].value()] && below[x] != below[y])
          pairs.emplace_back(x, y);
    for (std::size_t i = 0; i < a.size(); ++i) angles[plan.hinges[i]] = a[i];
    fold.FoldedPoses(part, angles, poses);
    // One hinge turning: its two sides turn against each other about its
    // line, so the side of fewer cubes is turned about the line from the
    // stretch's first pose (the other way round when it is the upper side).
    const std::vector<Rigid> first = poses;
    double nearer = 0, way = 0;
    Point point, axis;
    std::vector<std::size_t> turned;  // positions
    for (std::size_t x = 0; x < cubes.size(); ++x)
      centres[x] = poses[cubes[x].value()].Apply(s.FigureCentre(cubes[x]));
    if (turning == 1) {
      nearer = NearerSide(fold, kinematics, hinge, poses);
      HingeLine(fold, kinematics, hinge, poses, point, axis);
      std::vector<std::size_t> side[2];
      for (std::size_t x = 0; x < cubes.size(); ++x) side[!below[x].empty()].push_back(x);
      way = side[1].size() <= side[0].size() ? turns[hinge] : -turns[hinge];
      turned = side[1].size() <= side[0].size() ? side[1] : side[0];
      // A turned centre moves along an arc of its distance from the line
      // times the turn: pairs farther apart than that and two half
      // diagonals never meet on the stretch.
      std::vector<bool> moves(cubes.size(), false);
      for (std::size_t x : turned) moves[x] = true;
      std::erase_if(pairs, [&](const std::pair<std::size_t, std::size_t>& p) {
        const std::size_t x = moves[p.first] ? p.first : p.second;
        const double arc =
            std::abs(way) *
            (FromLine(fold, kinematics, static_cast<int>(x), poses, point, axis) - std::sqrt(3.0) / 2);
        return Length(centres[p.first] - centres[p.second]) >= std::sqrt(3.0) + arc + 1e-9;
      });
    }
    for (double t = 0;;) {
      if (turning == 1) {
        const Rigid turn = Rigid::Turn(point, axis, way * t);
        for (std::size_t x : turned) {
          poses[cubes[x].value()] = turn.After(first[cubes[x].value()]);
          centres[x] = poses[cubes[x].value()].Apply(s.FigureCentre(cubes[x]));
        }
      } else {
        for (std::size_t i = 0; i < a.size(); ++i)
          angles[plan.hinges[i]] = t < 1 ? a[i] + (b[i] - a[i]) * t : b[i];
        fold.FoldedPoses(part, angles, poses);
        for (std::size_t x = 0; x < cubes.size(); ++x)
          centres[x] = poses[cubes[x].value()].Apply(s.FigureCentre(cubes[x]));
      }
      for (const auto& [x, y] : pairs) {
        const int cx = cubes[x].value(), cy = cubes[y].value();
        const double play = spinning[x] || spinning[y] ? kinematics.Play() : kTouchTolerance;
        if (CubesOverlap(centres[x], poses[cx].r, centres[y], poses[cy].r, play)) {
          ADD_FAILURE() << "cubes " << cx << " and " << cy << " at step " << w << ", at " << t;
          return;
        }
      }
      if (t >= 1) break;
      const double step =
          turning == 1 ? fine / nearer : std::log1p(fine / Farthest(fold, kinematics, turns, poses));
      t = std::min(1.0, t + step / turn);
    }
  }
}

// The expected outcome of every stored solution, by example. The snakes
// fold with the play of their spinning cubes (part_kinematics.h), the King
// snake's four solutions by the order of their hinges (fold_hinge_order.h).
struct Expected {
  const char* file;
  FoldOutcome outcome;
  FoldReason reason;
  int firstDifferent;  // from this solution on, the outcome of `later` (-1: none)
  FoldOutcome later;
  std::int64_t poses = FoldBudget{}.poses;
  bool again = true;  // plan again and expect the same motion
};

// Checks every stored solution of the examples against their expected
// outcomes; counts in `motions` the part motions found and re-checked.
inline void ExpectOutcomes(std::span<const Expected> expected, int& motions) {
  for (const Expected& e : expected) {
    SCOPED_TRACE(e.file);
    TaskState task;
    ASSERT_EQ(ReadTaskFile(ExamplesFolder() + "/" + e.file, task), ReadResult::Ok);
    const SolvedExample example{e.file, SolveTask(task)};
    ASSERT_GT(example.solver().SolutionCount(), 0);
    for (int i = 0; i < example.solver().SolutionCount(); ++i) {
      SCOPED_TRACE(i);
      const SolidSolution s = example.Solid(i);
      FoldBudget budget;
      budget.poses = e.poses;
      const FoldVerdict v = CheckFolding(s, budget);
      const bool later = e.firstDifferent >= 0 && i >= e.firstDifferent;
      EXPECT_EQ(v.outcome, later ? e.later : e.outcome);
      if (later) {
        EXPECT_EQ(v.reason, FoldReason::ClosedCycle);
        continue;
      }
      EXPECT_EQ(v.reason, e.reason);
      if (v.outcome == FoldOutcome::NotFound) {
        EXPECT_GE(v.plans[v.part].plainHinge, 0) << "no plain collision";
      }
      if (v.outcome != FoldOutcome::Foldable) continue;
      ASSERT_EQ(v.placing.size(), static_cast<std::size_t>(s.partCount));
      // Played: flat at the start, the solution at the end, and the part
      // in the pose of every waypoint at the start of the stretch after it.
      Fold played(s);
      played.SetMotion(v.plans, v.placing);
      const std::vector<Rigid> start = played.Poses(0), end = played.Poses(1);
      for (int k = 0; k < s.cubeCount; ++k) {
        EXPECT_LT(Distance(start[k], Rigid::Move(played.FigureOffset())), 1e-9);
        EXPECT_LT(Distance(end[k], s.Placed(CubeIndex(k))), 1e-9);
      }
      for (int step = 0; step < static_cast<int>(played.Steps().size()); ++step) {
        const FoldStep& st = played.Steps()[step];
        if (st.segment < 0) continue;
        const std::vector<Rigid> poses = played.Poses(played.StepStart(step) + 1e-12);
        const PartKinematics part(played, st.part);
        std::vector<Rigid> expected;
        part.Poses(v.plans[st.part].waypoints[st.segment], expected);
        for (std::size_t c = 0; c < expected.size(); ++c)
          EXPECT_LT(Distance(poses[part.Cubes()[c].value()],
                             poses[part.Cubes()[0].value()].After(expected[0].Inverse()).After(expected[c])),
                    1e-6);
      }
      const Fold fold(s);
      for (const PartPlan& plan : v.plans) {
        // Deterministic: the same motion again.
        if (e.again) {
          EXPECT_EQ(PlanPartFold(fold, v.plans.size() == 1 ? 0 : static_cast<int>(&plan - v.plans.data()),
                                 FoldBudget{})
                        .waypoints,
                    plan.waypoints);
        }
        if (plan.hinges.empty()) continue;
        // From the flat figure to the solution's angles.
        const PartKinematics part(fold, static_cast<int>(&plan - v.plans.data()));
        EXPECT_EQ(plan.waypoints.front(), part.Flat());
        std::vector<Rigid> end, goal;
        part.Poses(plan.waypoints.back(), end);
        part.Poses(part.Goal(), goal);
        for (std::size_t c = 0; c < end.size(); ++c) EXPECT_LT(Distance(end[c], goal[c]), 1e-9);
        ExpectNoOverlap(fold, plan, FoldBudget{}.cornerStep);
        ++motions;
      }
    }
  }
}

}  // namespace zv::test
