// The fold of the figure into a solution: for every stored solution of the
// quick examples the end state is the solver's placement (cell and rotation
// matrix from the printed table), the start is the flat figure, blocks stay
// rigid and tree hinges stay joined all the way; and a figure whose hinge
// must sweep through a neighbouring cube is reported as colliding.
#include "solid/fold.h"

#include <gtest/gtest.h>

#include <cmath>
#include <type_traits>
#include <utility>

#include "solid/part_kinematics.h"
#include "tests/solid/solved_examples.h"
#include "tests/support/rotation_table.h"
#include "tests/support/solve_task.h"
#include "tests/support/task_builder.h"

namespace zv {
namespace {

using namespace zv::test;

// The solid geometry's per-cube accessors take cube indexes only, and the
// cubes it names are cube indexes.
template <class I>
constexpr bool kSolidTakes = requires(const SolidSolution& s, const PartKinematics& part, I i) {
  s.Placed(i);
  s.FigureCentre(i);
  part.HingesBetween(i, i);
  part.PoseFree({}, &i, &i);
};
static_assert(kSolidTakes<CubeIndex> && !kSolidTakes<CellNumber> && !kSolidTakes<int>);
template <class... T>
constexpr bool kCubeIndexes = (std::is_same_v<T, CubeIndex> && ...);
static_assert(kCubeIndexes<decltype(SolidLink::a), decltype(FoldCheck::cubeA), decltype(PartPlan::cubeA),
                           std::decay_t<decltype(std::declval<PartKinematics>().Cubes())>::value_type>);

void ExpectNear(const Point& a, const Point& b, const char* what) {
  for (int i = 0; i < 3; ++i) ASSERT_NEAR(a[i], b[i], 1e-9) << what;
}

// Checks one stored solution's fold.
void CheckFold(const SolidSolution& s, const Solver& solver, int index) {
  Fold fold(s);
  FindFoldOrder(fold, 400);
  // T = 1: every cube on the solver's cell, turned by the solver's rotation.
  const std::vector<Rigid> end = fold.Poses(1.0);
  const auto cubes = solver.SolutionCubes(index);
  const auto rotations = solver.SolutionRotations(index);
  for (std::size_t n = 0; n < cubes.size(); ++n) {
    if (cubes[n] == 0) continue;
    const int k = cubes[n] - 1;
    const int cell = solver.FormCellList()[n];
    const Point expected{double(cell % 32 - 1), double(cell / 32 % 32 - 1), double(cell / 1024 - 1)};
    ExpectNear(end[k].Apply(s.FigureCentre(CubeIndex(k))), expected, "end cell");
    const Matrix3 m = test::RotationMatrix(rotations[n]);
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 3; ++c) ASSERT_NEAR(end[k].r[r][c], m[r][c], 1e-9) << "end rotation";
  }
  // T = 0: the flat figure, moved beside the form.
  const std::vector<Rigid> start = fold.Poses(0.0);
  for (int k = 0; k < s.cubeCount; ++k) {
    ExpectNear(start[k].Apply(s.FigureCentre(CubeIndex(k))),
               s.FigureCentre(CubeIndex(k)) + fold.FigureOffset(), "start cell");
    ASSERT_LT(Distance(start[k], Rigid::Move(fold.FigureOffset())), 1e-9);
  }
  // On the way: blocks move as one body, and every tree hinge's line is the
  // same line seen from both of its cubes.
  for (double t : {0.13, 0.5, 0.77}) {
    const std::vector<Rigid> poses = fold.Poses(t);
    for (int k = 0; k < s.cubeCount; ++k)
      for (int j = 0; j < k; ++j)
        if (s.block[j] == s.block[k]) {
          ASSERT_LT(Distance(poses[j], poses[k]), 1e-9);
        }
    for (const FoldHinge& h : fold.Hinges()) {
      const SolidLink& l = s.links[h.link];
      const Rigid &pa = poses[l.a.value()], &pb = poses[l.b.value()];
      ExpectNear(pa.Apply(l.point), pb.Apply(l.point), "hinge point");
      ExpectNear(Apply(pa.r, l.axis), Apply(pb.r, l.axis), "hinge axis");
    }
  }
}

TEST(Fold, EndsInEveryStoredSolutionOfTheQuickExamples) {
  int checked = 0;
  for (const SolvedExample& e : SolveQuickExamples()) {
    SCOPED_TRACE(e.file);
    for (int i = 0; i < e.solver().SolutionCount(); ++i) {
      SCOPED_TRACE(i);
      CheckFold(e.Solid(i), e.solver(), i);
      ++checked;
    }
  }
  EXPECT_GT(checked, 10);
}

// Cubes 0 and 1 are hinged on the vertical edge below their shared side;
// cube 2, a part of its own, stands below cube 1. A quarter or half turn of
// the hinge sweeps cube 1 through cube 2; only the flat hinge folds freely.
TEST(Fold, ASweepThroughAFlatNeighbourIsACollision) {
  TaskState task = MakeTask({"##", ".#"}, {{"#.", "##"}});
  SetLink(task, 1, 1, CornerXUpper);
  SolvedTask solved = SolveTask(task);
  ASSERT_GT(solved.solver->SolutionCount(), 1);
  bool collided = false;
  for (int i = 0; i < solved.solver->SolutionCount(); ++i) {
    const SolidSolution s = MakeSolidSolution(solved.validation.links, solved.solver->Solution(i));
    Fold fold(s);
    ASSERT_EQ(fold.Hinges().size(), 1u);
    const bool turns = std::abs(fold.Hinges()[0].angle) > 1e-9;
    const FoldCheck check = FindFoldOrder(fold);
    EXPECT_EQ(check.found, !turns) << "solution " << i;
    if (turns) {
      EXPECT_EQ(check.collidingStep, 0);
      EXPECT_EQ(check.cubeA, CubeIndex(1));
      EXPECT_EQ(check.cubeB, CubeIndex(2));
      collided = true;
    }
  }
  EXPECT_TRUE(collided);
}

}  // namespace
}  // namespace zv
