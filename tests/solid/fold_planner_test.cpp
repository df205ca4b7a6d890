// The foldability check: every stored solution of the examples gets one of
// the three outcomes, the same one twice; a found motion sampled ten times
// finer than the planner checked it, through the fold's own poses, has no
// two cubes overlapping; a task whose only solution cannot be folded is not
// reported foldable; and parts go into the form in an order with a way in.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "solid/cube_overlap.h"
#include "solid/fold_verdict.h"
#include "solid/part_kinematics.h"
#include "tests/solid/solved_examples.h"
#include "tests/support/task_builder.h"

namespace zv {
namespace {

using namespace zv::test;

// A bound on the distance of any two points of a part in any pose: the
// longest shortest path over its links between two cube centres (a rigid
// joint or a face-axis hinge keeps two centres 1 apart, an edge hinge at
// most sqrt 2), and half a cube diagonal at either end.
double PartDiameter(const SolidSolution& s, int part) {
  const int n = s.cubeCount;
  std::vector<double> d(static_cast<std::size_t>(n) * n, 1e9);
  for (int k = 0; k < n; ++k) d[k * n + k] = 0;
  for (const SolidLink& l : s.links)
    d[l.a * n + l.b] = d[l.b * n + l.a] = l.kind == SolidLinkKind::EdgeHinge ? std::sqrt(2.0) : 1.0;
  for (int m = 0; m < n; ++m)
    for (int i = 0; i < n; ++i)
      for (int j = 0; j < n; ++j) d[i * n + j] = std::min(d[i * n + j], d[i * n + m] + d[m * n + j]);
  double longest = 0;
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j)
      if (s.part[i] == part && s.part[j] == part) longest = std::max(longest, d[i * n + j]);
  return longest + std::sqrt(3.0);
}

// The motion of one part, sampled uniformly so that no corner moves more
// than a tenth of the planner's step: every hinge line passes through the
// part, so no corner is farther from it than the part's diameter. Cubes on
// the line of a turning face-axis hinge may press into others by the play.
void ExpectNoOverlap(const Fold& fold, const PartPlan& plan, double cornerStep) {
  const SolidSolution& s = fold.Solid();
  const int part = s.part[s.links[fold.Hinges()[plan.hinges[0]].link].a];
  const PartKinematics kinematics(fold, part);
  const std::vector<int>& cubes = kinematics.Cubes();
  const double reach = PartDiameter(s, part);
  std::vector<double> angles(fold.Hinges().size(), 0.0);
  std::vector<Rigid> poses(s.cubeCount);
  std::vector<Point> centres(cubes.size());
  for (std::size_t w = 1; w < plan.waypoints.size(); ++w) {
    const std::vector<double>& a = plan.waypoints[w - 1];
    const std::vector<double>& b = plan.waypoints[w];
    double turn = 0;
    std::vector<double> turns(a.size());
    for (std::size_t i = 0; i < a.size(); ++i) turn += std::abs(turns[i] = b[i] - a[i]);
    const std::vector<bool> spinning = kinematics.Spinning(turns);
    const int samples = static_cast<int>(std::ceil(turn * reach / (cornerStep / 10))) + 1;
    for (int j = 0; j <= samples; ++j) {
      for (std::size_t i = 0; i < a.size(); ++i) angles[plan.hinges[i]] = a[i] + (b[i] - a[i]) * j / samples;
      fold.FoldedPoses(part, angles, poses);
      for (std::size_t x = 0; x < cubes.size(); ++x)
        centres[x] = poses[cubes[x]].Apply(s.FigureCentre(cubes[x]));
      for (std::size_t x = 0; x < cubes.size(); ++x)
        for (std::size_t y = x + 1; y < cubes.size(); ++y) {
          const int cx = cubes[x], cy = cubes[y];
          if (s.block[cx] == s.block[cy]) continue;
          const double play = spinning[x] || spinning[y] ? kinematics.Play() : kTouchTolerance;
          ASSERT_FALSE(CubesOverlap(centres[x], poses[cx].r, centres[y], poses[cy].r, play))
              << "cubes " << cx << " and " << cy << " at step " << w << ", sample " << j;
        }
    }
  }
}

// The expected outcome of every stored solution, by example. The snake
// cube folds with the play of its spinning cubes (part_kinematics.h); the
// King snake's motions are beyond the quarter-turn search and the planner,
// so it is checked with a small cap on poses (its orders of single turns
// spend it) and runs out of it.
struct Expected {
  const char* file;
  FoldOutcome outcome;
  FoldReason reason;
  int firstDifferent;  // from this solution on, the outcome of `later` (-1: none)
  FoldOutcome later;
  std::int64_t poses = FoldBudget{}.poses;
};

TEST(FoldPlanner, EverySolutionOfTheExamplesGetsAnOutcome) {
  // clang-format off
  const Expected expected[] = {
      {"snake_cube.zvt",    FoldOutcome::Foldable,   FoldReason::None,   -1, {}},
      {"king_snake.zvt",    FoldOutcome::NotFound,   FoldReason::Budget, -1, {}, 5000},
      {"hinge_zigzag.zvt",  FoldOutcome::Foldable,   FoldReason::None,   -1, {}},
      {"diagonal_star.zvt", FoldOutcome::Foldable,   FoldReason::None,   -1, {}},
      {"corner_hinges.zvt", FoldOutcome::Foldable,   FoldReason::None,   -1, {}},
      {"hinge_ring.zvt",    FoldOutcome::Foldable,   FoldReason::None,    1, FoldOutcome::NotChecked},
      {"hinged_pairs.zvt",  FoldOutcome::Foldable,   FoldReason::None,   -1, {}},
      {"pentominoes_2x3x10.zvt", FoldOutcome::Foldable, FoldReason::None, -1, {}},
      {"snake_turning_cubes.zvt", FoldOutcome::NotFound, FoldReason::Budget, -1, {}, 5000},
  };
  // clang-format on
  int motions = 0;
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
        EXPECT_LT(Distance(end[k], s.Placed(k)), 1e-9);
      }
      for (int step = 0; step < static_cast<int>(played.Steps().size()); ++step) {
        const FoldStep& st = played.Steps()[step];
        if (st.segment < 0) continue;
        const std::vector<Rigid> poses = played.Poses(played.StepStart(step) + 1e-12);
        const PartKinematics part(played, st.part);
        std::vector<Rigid> expected;
        part.Poses(v.plans[st.part].waypoints[st.segment], expected);
        for (std::size_t c = 0; c < expected.size(); ++c)
          EXPECT_LT(Distance(poses[part.Cubes()[c]],
                             poses[part.Cubes()[0]].After(expected[0].Inverse()).After(expected[c])),
                    1e-6);
      }
      const Fold fold(s);
      for (const PartPlan& plan : v.plans) {
        // Deterministic: the same motion again.
        EXPECT_EQ(PlanPartFold(fold, v.plans.size() == 1 ? 0 : static_cast<int>(&plan - v.plans.data()),
                               FoldBudget{})
                      .waypoints,
                  plan.waypoints);
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
  EXPECT_GT(motions, 10);
}

// A rigid U of five cubes around cube C, which is hinged to the U's corner
// B on B's upper edge; the form puts C on top of B (a half turn). Turning C
// downwards passes through B, upwards its far lower corner swings out of
// its cell into E, the U's cube it lies flush against: C cannot leave the
// flat pose at all, so no motion exists. No cube spins about its own axis
// (there is no face-axis hinge), so the play of spinning cubes does not
// apply, however large: every pair is checked exactly.
//   figure   B C E      form layer 0  C . .
//            # # #      form layer 1  B . E
//                                     # # #
TEST(FoldPlanner, ACubeHeldInARigidPocketIsNeverFoldable) {
  TaskState task = MakeTask({"###", "###"}, {{"#..", "..."}, {"#.#", "###"}});
  SetLink(task, 1, 0, EdgeX1);  // B (0,0) - C (1,0), upper edge
  SetLink(task, 0, 1, RigidY);
  SetLink(task, 1, 1, RigidX);
  SetLink(task, 2, 1, RigidX);
  SetLink(task, 2, 1, RigidY);
  const SolvedTask solved = SolveTask(task);
  ASSERT_GT(solved.solver->SolutionCount(), 0);
  for (int i = 0; i < solved.solver->SolutionCount(); ++i) {
    const SolidSolution s = MakeSolidSolution(solved.validation.links, solved.solver->Solution(i));
    for (double play : {kFoldPlay, 0.5}) {
      FoldBudget small;
      small.plannerSamples = 200;
      small.play = play;
      const FoldVerdict v = CheckFolding(s, small);
      EXPECT_EQ(v.outcome, FoldOutcome::NotFound) << "solution " << i << ", play " << play;
    }
  }
}

// Every part of the order comes in along its axis past none of the parts
// placed before it; a part enclosed on every side has no way in.
TEST(FoldPlanner, PartsGoInAlongAnAxisPastThosePlaced) {
  SolidSolution s;
  // A 2 x 2 x 2 box: two dominoes below, two single cubes and a domino above.
  s.cubeCount = 8;
  s.partCount = 5;
  s.formCell = {{0, 0, 1}, {1, 0, 1}, {0, 1, 1}, {1, 1, 1}, {0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}};
  s.part = {0, 0, 1, 1, 2, 3, 4, 4};
  s.boxMin = {0, 0, 0};
  s.boxMax = {1, 1, 1};
  int blocked = -1;
  std::vector<PlacingStep> order = FindPlacingOrder(s, &blocked);
  ASSERT_EQ(order.size(), 5u);
  std::vector<bool> placed(s.partCount, false);
  for (const PlacingStep& step : order) {
    for (int k = 0; k < s.cubeCount; ++k) {
      if (s.part[k] != step.part) continue;
      for (int distance = 1; distance <= 3; ++distance)
        for (int j = 0; j < s.cubeCount; ++j) {
          Vec3 before = s.formCell[k];
          for (int i = 0; i < 3; ++i) before[i] -= distance * step.direction[i];
          EXPECT_FALSE(placed[s.part[j]] && s.formCell[j] == before) << "part " << step.part;
        }
    }
    placed[step.part] = true;
  }
  // Enclose part 1 on every side along every axis: no order.
  s.cubeCount = 7;
  s.formCell = {{0, 1, 1}, {2, 1, 1}, {1, 1, 1}, {1, 0, 1}, {1, 2, 1}, {1, 1, 0}, {1, 1, 2}};
  s.part = {0, 0, 1, 0, 0, 0, 0};
  s.partCount = 2;
  s.boxMin = {0, 0, 0};
  s.boxMax = {2, 2, 2};
  order = FindPlacingOrder(s, &blocked);
  EXPECT_TRUE(order.empty());
  EXPECT_EQ(blocked, 0);
}

}  // namespace
}  // namespace zv
