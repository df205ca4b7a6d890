// The steps of a fold instruction against the motion they are cut from: on
// the foldable solutions of the quick examples every step turns hinges of
// its part, the last angle a step gives each hinge is the solution's, a
// part's last fold leaves it in the solution's shape, and each part of a
// figure of several goes in once, in the placing order. A motion cut at
// extra waypoints along the way, or with a small jitter added, gives the
// same steps.
#include "solid/fold_steps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>

#include "tests/solid/solved_examples.h"
#include "tests/support/task_builder.h"

namespace zv {
namespace {

// The check's verdict on the first few solutions of each quick example that fold.
struct FoldableSolution {
  std::string what;
  SolidSolution solid;
  FoldVerdict verdict;
};

void AddFoldable(std::vector<FoldableSolution>& found, const std::string& what, SolidSolution solid) {
  FoldVerdict verdict = CheckFolding(solid, FoldBudget{});
  if (verdict.outcome == FoldOutcome::Foldable) found.push_back({what, std::move(solid), std::move(verdict)});
}

std::vector<FoldableSolution> FoldableSolutions() {
  std::vector<FoldableSolution> found;
  for (const test::SolvedExample& e : test::SolveQuickExamples())
    for (int i = 0; i < std::min(3, e.solver().SolutionCount()); ++i)
      AddFoldable(found, e.file + " solution " + std::to_string(i + 1), e.Solid(i));
  // Two rigid dominoes into a 2 x 2 square: a figure of two parts.
  TaskState pair = test::MakeTask({"#.#", "#.#"}, {{"##", "##"}});
  test::SetLink(pair, 0, 1, RigidY);
  test::SetLink(pair, 2, 1, RigidY);
  const test::SolvedTask solved = test::SolveTask(pair);
  EXPECT_GE(solved.solver->SolutionCount(), 1);
  if (solved.solver->SolutionCount() > 0)
    AddFoldable(found, "two dominoes",
                MakeSolidSolution(solved.validation.links, solved.solver->Solution(0)));
  return found;
}

// Whether the cubes of `part` stand in `poses` as the solution puts them, up
// to one motion of the whole part.
bool InSolutionShape(const SolidSolution& s, int part, const std::vector<Rigid>& poses) {
  int root = -1;
  for (int k = 0; k < s.cubeCount; ++k) {
    if (s.part[k] != part) continue;
    if (root < 0) root = k;
    const Rigid rootMotion = s.Placed(CubeIndex(root)).After(poses[root].Inverse());
    if (Distance(s.Placed(CubeIndex(k)).After(poses[k].Inverse()), rootMotion) > 1e-6) return false;
  }
  return true;
}

TEST(FoldSheetSteps, StepsEndInTheSolutionAndEachPartGoesInOnce) {
  const std::vector<FoldableSolution> solutions = FoldableSolutions();
  ASSERT_GE(solutions.size(), 4u);
  EXPECT_EQ(solutions.back().what, "two dominoes");
  for (const FoldableSolution& f : solutions) {
    const SolidSolution& s = f.solid;
    const Fold fold(s);
    const std::vector<FoldSheetStep> steps = FoldSheetSteps(s, f.verdict);
    std::map<int, double> lastAngle;  // by link
    std::vector<int> placed;
    for (std::size_t i = 0; i < steps.size(); ++i) {
      const FoldSheetStep& step = steps[i];
      const std::string at = f.what + ", step " + std::to_string(i + 1);
      ASSERT_EQ(step.poses.size(), static_cast<std::size_t>(s.cubeCount)) << at;
      if (step.placing) {
        EXPECT_TRUE(step.links.empty()) << at;
        placed.push_back(step.part);
        continue;
      }
      ASSERT_FALSE(step.links.empty()) << at;
      ASSERT_EQ(step.links.size(), step.angles.size()) << at;
      for (std::size_t j = 0; j < step.links.size(); ++j) {
        EXPECT_EQ(s.part[s.links[step.links[j]].a.value()], step.part) << at;
        lastAngle[step.links[j]] = step.angles[j];
      }
      if (i + 1 == steps.size() || steps[i + 1].part != step.part || steps[i + 1].placing) {
        EXPECT_TRUE(InSolutionShape(s, step.part, step.poses)) << at;
      }
    }
    for (const FoldHinge& h : fold.Hinges()) {
      if (std::abs(h.angle) < 1e-9) continue;
      ASSERT_TRUE(lastAngle.count(h.link)) << f.what << ": a turned hinge is in no step";
      // A half turn either way ends in the same pose.
      EXPECT_NEAR(std::remainder(lastAngle[h.link] - h.angle, 2 * std::numbers::pi), 0, 1e-9) << f.what;
    }
    std::vector<int> order;
    if (s.partCount > 1)
      for (const PlacingStep& p : f.verdict.placing) order.push_back(p.part);
    EXPECT_EQ(placed, order) << f.what;
  }
}

TEST(FoldSheetSteps, ExtraWaypointsAndJitterGiveTheSameSteps) {
  TaskState task;
  ASSERT_EQ(ReadTaskFile(test::ExamplesFolder() + "/snake_cube.zvt", task), ReadResult::Ok);
  const test::SolvedTask solved = test::SolveTask(task);
  const SolidSolution solid = MakeSolidSolution(solved.validation.links, solved.solver->Solution(0));
  const FoldableSolution snakeSolution{"snake", solid, CheckFolding(solid, FoldBudget{})};
  const FoldableSolution* snake = &snakeSolution;
  ASSERT_EQ(snake->verdict.outcome, FoldOutcome::Foldable);
  const std::vector<FoldSheetStep> plain = FoldSheetSteps(snake->solid, snake->verdict);
  ASSERT_GE(plain.size(), 5u);
  // Each stretch cut at its middle; each stretch followed by a 2-degree turn
  // of the part's first hinge and its way back.
  for (const bool jitter : {false, true}) {
    FoldVerdict changed = snake->verdict;
    for (PartPlan& plan : changed.plans) {
      std::vector<std::vector<double>> waypoints{plan.waypoints.front()};
      for (std::size_t w = 1; w < plan.waypoints.size(); ++w) {
        std::vector<double> extra = plan.waypoints[w - 1];
        for (std::size_t h = 0; h < extra.size(); ++h)
          extra[h] = jitter ? plan.waypoints[w][h] : (extra[h] + plan.waypoints[w][h]) / 2;
        if (jitter && !extra.empty()) extra[0] += 0.035;
        waypoints.push_back(extra);
        waypoints.push_back(plan.waypoints[w]);
      }
      plan.waypoints = waypoints;
    }
    const std::vector<FoldSheetStep> steps = FoldSheetSteps(snake->solid, changed);
    ASSERT_EQ(steps.size(), plain.size()) << (jitter ? "jitter" : "cut");
    for (std::size_t i = 0; i < steps.size(); ++i) {
      if (!jitter) {
        EXPECT_EQ(steps[i].links, plain[i].links) << i;
      }
      for (int k = 0; k < snake->solid.cubeCount; ++k)
        EXPECT_LT(Distance(steps[i].poses[k], plain[i].poses[k]), 1e-9) << i;
    }
  }
}

}  // namespace
}  // namespace zv
