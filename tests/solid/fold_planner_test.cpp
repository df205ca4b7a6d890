// The foldability check: every stored solution of the examples gets one of
// the three outcomes, the same one twice; a found motion sampled ten times
// finer than the planner checked it, through the fold's own poses, has no
// two cubes overlapping; a task whose only solution cannot be folded is not
// reported foldable; and parts go into the form in an order with a way in.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>

#include "solid/cube_overlap.h"
#include "solid/fold_verdict.h"
#include "solid/part_kinematics.h"
#include "tests/solid/fold_outcomes.h"
#include "tests/support/task_builder.h"

namespace zv {
namespace {

using namespace zv::test;

TEST(FoldPlanner, EverySolutionOfTheExamplesGetsAnOutcome) {
  // clang-format off
  const Expected expected[] = {
      {"snake_cube.zvt",    FoldOutcome::Foldable,   FoldReason::None,   -1, {}},
      {"hinge_zigzag.zvt",  FoldOutcome::Foldable,   FoldReason::None,   -1, {}},
      {"diagonal_star.zvt", FoldOutcome::Foldable,   FoldReason::None,   -1, {}},
      {"corner_hinges.zvt", FoldOutcome::Foldable,   FoldReason::None,   -1, {}},
      {"hinge_ring.zvt",    FoldOutcome::Foldable,   FoldReason::None,    1, FoldOutcome::NotChecked},
      {"hinged_pairs.zvt",  FoldOutcome::Foldable,   FoldReason::None,   -1, {}},
      {"pentominoes_2x3x10.zvt", FoldOutcome::Foldable, FoldReason::None, -1, {}},
      {"snake_turning_cubes.zvt", FoldOutcome::Foldable, FoldReason::None, -1, {}},
  };
  // clang-format on
  int motions = 0;
  ExpectOutcomes(expected, motions);
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
