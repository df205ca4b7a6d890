// Tasks with empty cells: the search also leaves the chosen cell empty, and
// solutions are compared up to a symmetry followed by a move, so every
// distinct solution is kept wherever its cells lie.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <vector>

#include "solver/rotations.h"
#include "tests/support/brute_force.h"
#include "tests/support/random_task.h"
#include "tests/support/solve_task.h"
#include "tests/support/task_builder.h"

namespace zv {
namespace {

using test::MakeTask;
using test::SetLink;

std::vector<Vec3> Occupied(const Solver& solver, int i) {
  std::vector<Vec3> cells;
  const StoredSolution s = solver.Solution(i);
  for (CellNumber n(0); n.value() < s.Size(); ++n) {
    const CellIndex cell = s.CellAt(n);
    if (s.CubeAt(n).valid()) cells.push_back({FormCellX(cell), FormCellY(cell), FormCellZ(cell)});
  }
  std::sort(cells.begin(), cells.end());
  return cells;
}

// The smallest image of a set of cells under the 48 symmetries of space,
// moved to the origin: equal for congruent sets.
std::vector<Vec3> ShapeClass(const std::vector<Vec3>& cells) {
  std::vector<Vec3> best;
  for (int code = 0; code < kSymmetryCount; ++code) {
    std::vector<Vec3> image;
    for (const Vec3& c : cells) image.push_back(ApplySymmetryToVector(static_cast<SymmetryCode>(code), c));
    Vec3 lo = image[0];
    for (const Vec3& c : image)
      for (int a = 0; a < 3; ++a) lo[a] = std::min(lo[a], c[a]);
    for (Vec3& c : image)
      for (int a = 0; a < 3; ++a) c[a] -= lo[a];
    std::sort(image.begin(), image.end());
    if (best.empty() || image < best) best = image;
  }
  return best;
}

TEST(EmptyCells, ChosenCellMayStayEmpty) {
  // Two unlinked cubes in a row of three: side by side, or with a gap. A
  // search that only covers the chosen cell never leaves the gap.
  TaskState task = MakeTask({"##"}, {{"###"}});
  task.EmptyCells = true;
  auto s = test::SolveTask(task);
  ASSERT_EQ(s.solver->SolutionCount(), 2);
  EXPECT_EQ(test::BruteForceSolve(task).distinct, 2);
  std::set<std::vector<Vec3>> shapes{Occupied(*s.solver, 0), Occupied(*s.solver, 1)};
  EXPECT_TRUE(shapes.count({{0, 0, 0}, {2, 0, 0}}) == 1);
  // Every ordered pair of distinct cells is one assignment.
  EXPECT_EQ(s.solver->Assignments(), 6u);
}

TEST(EmptyCells, OneCellToSpareInALongerRow) {
  // A rigid domino and two single cubes in a row of five: the gap may fall
  // in any of the places between or beside the pieces.
  TaskState task = MakeTask({"##..", "....", "#.#."}, {{"#####"}});
  SetLink(task, 1, 0, RigidX);
  task.EmptyCells = true;
  auto s = test::SolveTask(task);
  const test::BruteForceResult expected = test::BruteForceSolve(task);
  EXPECT_EQ(s.solver->SolutionCount(), expected.distinct);
  EXPECT_EQ(s.solver->Assignments(), expected.accepted);
}

TEST(EmptyCells, DistinctSolutionsAreKeptOnCongruentCellsElsewhere) {
  // Two cubes hinged on a vertical edge and two loose cubes in a form of six
  // cells over two layers. Solutions count as the same up to a symmetry and
  // a move; the first solution of each class is kept wherever it lies, so
  // some kept solutions cover different but congruent cells.
  TaskState task = MakeTask({".##", "#.#"}, {{"..", "##", "#."}, {"##", "#.", ".."}});
  SetLink(task, 3, 1, CornerYLeft);
  task.EmptyCells = true;
  auto s = test::SolveTask(task);
  const test::BruteForceResult expected = test::BruteForceSolve(task);
  EXPECT_EQ(s.solver->SolutionCount(), expected.distinct);
  EXPECT_EQ(s.solver->Assignments(), expected.accepted);
  bool congruentElsewhere = false;
  for (int i = 0; i < s.solver->SolutionCount(); ++i)
    for (int j = i + 1; j < s.solver->SolutionCount(); ++j) {
      const auto a = Occupied(*s.solver, i), b = Occupied(*s.solver, j);
      congruentElsewhere = congruentElsewhere || (a != b && ShapeClass(a) == ShapeClass(b));
    }
  EXPECT_TRUE(congruentElsewhere);
}

TEST(EmptyCells, RandomTasksWithCellsToSpare) {
  std::mt19937 rng(test::TestSeed(20240612u));
  int compared = 0;
  for (int attempt = 0; attempt < 600 && compared < 30; ++attempt) {
    TaskState task = test::RandomTask(rng, {.maxFigureSide = 3,
                                            .maxCubes = 4,
                                            .cubeChance = 0.6,
                                            .linkTries = 12,
                                            .maxFormSide = 3,
                                            .maxFormHeight = 2,
                                            .matchCubesChance = 0.0});
    task.EmptyCells = true;
    const Validation v = ValidateTask(task);
    if (!v.ok() || v.formCellCount > 7 || v.surplus == 0) continue;
    ++compared;
    SCOPED_TRACE("random task " + std::to_string(attempt));
    const test::BruteForceResult expected = test::BruteForceSolve(task);
    auto s = test::SolveTask(task);
    EXPECT_EQ(s.solver->SolutionCount(), expected.distinct);
    EXPECT_EQ(s.solver->Assignments(), expected.accepted);
  }
  EXPECT_GE(compared, 20);
}

}  // namespace
}  // namespace zv
