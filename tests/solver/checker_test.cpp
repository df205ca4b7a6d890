// The test-side solution checker and brute-force solver, on small tasks
// whose solutions and counts are worked out by hand.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/brute_force.h"
#include "tests/support/solution_checker.h"
#include "tests/support/task_builder.h"

namespace zv::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

bool Accepts(const TaskState& task, const Bytes& cubes, const Bytes& rotations, std::string* why = nullptr) {
  return CheckSolution(task, cubes, rotations, why);
}

// Every change of a single byte of a valid solution must be refused.
void ExpectEveryCorruptionRefused(const TaskState& task, const Bytes& cubes, const Bytes& rotations) {
  std::string why;
  ASSERT_TRUE(Accepts(task, cubes, rotations, &why)) << why;
  for (std::size_t i = 0; i < 2 * cubes.size(); ++i)
    for (int value = 0; value < 256; ++value) {
      Bytes c = cubes, r = rotations;
      std::uint8_t& byte = i < cubes.size() ? c[i] : r[i - cubes.size()];
      if (byte == value) continue;
      byte = static_cast<std::uint8_t>(value);
      EXPECT_FALSE(Accepts(task, c, r)) << "byte " << i << " set to " << value;
    }
}

// Cube 0 at (0, 0) and cube 1 at (1, 0) joined by EdgeX1: the hinge is cube
// 0's edge 5 (+x side, towards z-1) and cube 1's edge 4.
TaskState EdgeHingedPair(std::initializer_list<std::initializer_list<std::string_view>> form,
                         bool emptyCells) {
  TaskState task = MakeTask({"##"}, form);
  SetLink(task, 1, 0, EdgeX1);
  task.EmptyCells = emptyCells;
  return task;
}

// Form 2 wide, 1 deep, 2 layers: form cell numbers 0 = (0,0,0), 1 = (1,0,0),
// 2 = (0,0,1), 3 = (1,0,1). Cube 0 stays at (0,0,1) in rotation 0 unless
// said otherwise.
TEST(SolutionChecker, EdgeHingeLiesFlatTurnsUnderOrFoldsAcrossItsEdge) {
  const TaskState task = EdgeHingedPair({{"##"}, {"##"}}, true);
  std::string why;
  EXPECT_TRUE(Accepts(task, {0, 0, 1, 2}, {0, 0, 0, 0}, &why)) << why;  // flat
  // Half turn about y (rotation 5): cube 1 right under cube 0.
  EXPECT_TRUE(Accepts(task, {2, 0, 1, 0}, {5, 0, 0, 0}, &why)) << why;
  // Quarter turn about y (rotation 6) across the edge: cube 1 at +x and -z.
  EXPECT_TRUE(Accepts(task, {0, 2, 1, 0}, {0, 6, 0, 0}, &why)) << why;
  // The same cells with turns that do not carry cube 1 there.
  EXPECT_FALSE(Accepts(task, {0, 2, 1, 0}, {0, 0, 0, 0}));
  EXPECT_FALSE(Accepts(task, {0, 2, 1, 0}, {0, 2, 0, 0}));  // the quarter turn the other way
  EXPECT_FALSE(Accepts(task, {2, 0, 1, 0}, {0, 0, 0, 0}));
  // Flat but the hinge edge at the top (cube 1 turned half about x) is another edge.
  EXPECT_FALSE(Accepts(task, {0, 0, 1, 2}, {0, 0, 0, 3}));
}

TEST(SolutionChecker, EdgeHingeFollowsTheFirstCubesTurn) {
  const TaskState task = EdgeHingedPair({{"##"}, {"##"}}, true);
  std::string why;
  // Cube 0 upside down (rotation 3, half turn about x) in the lower layer:
  // its hinge edge is now at its top, so the half-turned partner lies above,
  // turned by rotation 3 and then 5 together: -x -y +z, rotation 22.
  EXPECT_TRUE(Accepts(task, {1, 0, 2, 0}, {3, 0, 22, 0}, &why)) << why;
  EXPECT_FALSE(Accepts(task, {1, 0, 2, 0}, {3, 0, 5, 0}));
  EXPECT_FALSE(Accepts(task, {2, 0, 1, 0}, {22, 0, 3, 0}));  // partner below instead
}

TEST(SolutionChecker, EveryCorruptionOfAFoldedHingeIsRefused) {
  ExpectEveryCorruptionRefused(EdgeHingedPair({{"##"}, {"##"}}, true), {0, 2, 1, 0}, {0, 6, 0, 0});
}

// Cubes 0 (left) and 1 (right) joined by AxisX, stored in the right cube's cell.
TaskState AxisPair() {
  TaskState task = MakeTask({"##"}, {{"##"}});
  SetLink(task, 1, 0, AxisX);
  return task;
}

TEST(SolutionChecker, FaceAxisHingeTurnsOnlyAboutItsAxis) {
  const TaskState task = AxisPair();
  std::string why;
  // Rotations 0, 1, 3, 4 turn about x.
  for (std::uint8_t r : {0, 1, 3, 4}) EXPECT_TRUE(Accepts(task, {1, 2}, {0, r}, &why)) << int{r} << why;
  EXPECT_TRUE(Accepts(task, {1, 2}, {1, 1}, &why)) << why;
  EXPECT_FALSE(Accepts(task, {1, 2}, {0, 2}));
  EXPECT_FALSE(Accepts(task, {1, 2}, {1, 5}));
  EXPECT_FALSE(Accepts(task, {2, 1}, {0, 0}));  // the cubes on the wrong sides
  // Both turned half about y (rotation 5: +x to -x): the pair changes sides.
  EXPECT_TRUE(Accepts(task, {2, 1}, {5, 5}, &why)) << why;
}

// An L of three cubes joined rigidly (RigidX between cubes 0 and 1, RigidY
// between 0 and 2) in a 2 x 2 form with one cell left empty.
TaskState RigidTromino() {
  TaskState task = MakeTask({"##", "#."}, {{"##", "##"}});
  SetLink(task, 1, 0, RigidX);
  SetLink(task, 0, 1, RigidY);
  task.EmptyCells = true;
  return task;
}

TEST(SolutionChecker, RigidBlockMovesAsOneBody) {
  const TaskState task = RigidTromino();
  std::string why;
  EXPECT_TRUE(Accepts(task, {1, 2, 3, 0}, {0, 0, 0, 0}, &why)) << why;
  // Quarter turn about z, +x to +y (rotation 23): cube 1 below cube 0, cube 2 left of it.
  EXPECT_TRUE(Accepts(task, {3, 1, 0, 2}, {23, 23, 0, 23}, &why)) << why;
  EXPECT_FALSE(Accepts(task, {3, 1, 0, 2}, {23, 23, 0, 0}));  // one cube left unturned
  EXPECT_FALSE(Accepts(task, {3, 1, 0, 2}, {0, 0, 0, 0}));
  ExpectEveryCorruptionRefused(task, {1, 2, 3, 0}, {0, 0, 0, 0});
}

TEST(SolutionChecker, CoverageAndSizesAreChecked) {
  TaskState task = RigidTromino();
  task.EmptyCells = false;
  std::string why;
  EXPECT_FALSE(Accepts(task, {1, 2, 3, 0}, {0, 0, 0, 0}, &why));
  EXPECT_NE(why.find("empty"), std::string::npos) << why;
  task.EmptyCells = true;
  EXPECT_FALSE(Accepts(task, {1, 2, 3}, {0, 0, 0}, &why));
  EXPECT_FALSE(Accepts(task, {1, 2, 2, 0}, {0, 0, 0, 0}, &why));
  EXPECT_FALSE(Accepts(task, {1, 2, 0, 0}, {0, 0, 0, 0}, &why));
}

TEST(BruteForce, FaceAxisPairInTwoCellsIsOneSolutionOf32Assignments) {
  // The first cube takes either cell and one of the 4 rotations that point
  // its hinge at the other cell; the partner then turns 4 ways about the axis.
  const BruteForceResult r = BruteForceSolve(AxisPair());
  EXPECT_EQ(r.accepted, 32u);
  EXPECT_EQ(r.rejected, 0);
  EXPECT_EQ(r.distinct, 1);
  ASSERT_EQ(r.representatives.size(), 1u);
  EXPECT_TRUE(Accepts(AxisPair(), {r.representatives[0][0], r.representatives[0][1]},
                      {r.representatives[0][2], r.representatives[0][3]}));
}

TEST(BruteForce, EdgeHingedPairInTwoCells) {
  // Per cell of cube 0: 4 rotations leave the pair flat, 4 put the half-turned
  // partner under the hinge; 16 in all. Every edge of the shared face is
  // carried onto every other by the symmetries of a 2 x 1 x 1 form: one class.
  const BruteForceResult r = BruteForceSolve(EdgeHingedPair({{"##"}}, false));
  EXPECT_EQ(r.accepted, 16u);
  EXPECT_EQ(r.rejected, 0);
  EXPECT_EQ(r.distinct, 1);
}

TEST(BruteForce, MirrorImagesAndExchangedBlocksCountOnce) {
  // Two rigid dominoes fill a 2 x 2 square: both along x (2 ways) or both
  // along y (2 ways); the square's quarter turn and the free exchange of
  // the two blocks make them one solution.
  TaskState task = MakeTask({"##", "##"}, {{"##", "##"}});
  SetLink(task, 1, 0, RigidX);
  SetLink(task, 1, 1, RigidX);
  const BruteForceResult r = BruteForceSolve(task);
  EXPECT_EQ(r.accepted, 4u);
  EXPECT_EQ(r.distinct, 1);
}

TEST(BruteForce, WithEmptyCellsATranslationFollowsTheSymmetry) {
  // A domino in a row of 4 cells: 3 places. The mirror alone pairs only the
  // two end places; a mirror followed by a shift makes all three one.
  TaskState task = MakeTask({"##"}, {{"####"}});
  SetLink(task, 1, 0, RigidX);
  task.EmptyCells = true;
  const BruteForceResult r = BruteForceSolve(task);
  EXPECT_EQ(r.accepted, 3u);
  EXPECT_EQ(r.distinct, 1);
}

TEST(BruteForce, HingesThatDifferKeepSolutionsApart) {
  // A hinged pair in a 2 x 1 x 2 form with two cells left empty: side by
  // side (flat or standing, the hinge on any of the four edges of the shared
  // face, all congruent once every symmetry and shift counts), or folded
  // round the edge into two diagonal cells. Two classes.
  const BruteForceResult r = BruteForceSolve(EdgeHingedPair({{"##"}, {"##"}}, true));
  EXPECT_EQ(r.rejected, 0);
  EXPECT_EQ(r.distinct, 2);
}

}  // namespace
}  // namespace zv::test
