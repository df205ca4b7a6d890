// The marks of a shown solution and the selection of a cell, without a
// window: the examples of two cubes side by side (edge hinges on either
// horizontal edge, a face-axis hinge, a rigid joint), vertical edges as dots
// and corner strokes, hinges to another layer as bars of the cell above or
// below, and an empty cell selected without marks.
#include "editor/solution_marks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "model/validation.h"
#include "solver/rotations.h"
#include "tests/support/task_builder.h"

namespace zv {

using namespace zv::test;

namespace {

// Two cubes placed side by side in one layer with rotation 0: cube 0 in
// (0, 0, 0) and cube 1 in (1, 0, 0); the links are those of `figure`.
struct SideBySide {
  Validation v;
  SolutionViewData view;
  explicit SideBySide(const TaskState& task) : v(ValidateTask(task)) {
    const std::uint8_t cubes[] = {1, 2}, rotations[] = {0, 0};
    const std::int16_t cells[] = {FormCellIndex(0, 0, 0).value(), FormCellIndex(1, 0, 0).value()};
    ShowSolutionMarks({cubes, rotations, cells}, v.links, view);
  }
};

TaskState Pair(int bit) {
  TaskState t = MakeTask({"##"}, {{"##"}});
  SetLink(t, 1, 0, bit);
  return t;
}

constexpr CellIndex kLeft = FormCellIndex(0, 0, 0), kRight = FormCellIndex(1, 0, 0);

// The set slots of one row of axis marks.
std::vector<int> SetSlots(const SolutionViewData& view, int row) {
  std::vector<int> marks;
  for (int i = 0; i < kAxisSlots; ++i)
    if (view.axisMarks[row][i]) marks.push_back(i);
  return marks;
}

}  // namespace

// EdgeX1 lies in the layer's upper face (towards layer z-1), EdgeX2 in its
// lower face (towards z+1): the help's words for where their bars stand.
TEST(SolutionMarks, EdgeHingesOnTheUpperEdgeAreBarsOutsideTheSelectedCell) {
  SideBySide s(Pair(EdgeX1));
  SelectCellMarks(s.v.links, kLeft, s.view);
  EXPECT_EQ(SetSlots(s.view, 1), std::vector<int>{kAxisBar + 1});  // outside the right side
  EXPECT_TRUE(SetSlots(s.view, 0).empty() && SetSlots(s.view, 2).empty());
  EXPECT_TRUE(s.view.linkedNeighbour[kRight.value()]);
  EXPECT_TRUE(!s.view.linkedNeighbour[kLeft.value()]);
  SelectCellMarks(s.v.links, kRight, s.view);
  EXPECT_EQ(SetSlots(s.view, 1), std::vector<int>{kAxisBar + 3});  // outside the left side
  EXPECT_TRUE(s.view.linkedNeighbour[kLeft.value()]);
  EXPECT_TRUE(!s.view.linkedNeighbour[kRight.value()]);
}

TEST(SolutionMarks, EdgeHingesOnTheLowerEdgeAreBarsInsideTheSelectedCell) {
  SideBySide s(Pair(EdgeX2));
  SelectCellMarks(s.v.links, kLeft, s.view);
  EXPECT_EQ(SetSlots(s.view, 1), std::vector<int>{kAxisBar + 5});  // inside the right side
  SelectCellMarks(s.v.links, kRight, s.view);
  EXPECT_EQ(SetSlots(s.view, 1), std::vector<int>{kAxisBar + 7});  // inside the left side
}

TEST(SolutionMarks, FaceAxisHingeIsMarkedOnTheRightCubeOnly) {
  SideBySide s(Pair(AxisX));
  EXPECT_EQ(int(s.view.faceHingeMarks[kRight.value()]), int(HingeToLeft));
  EXPECT_EQ(int(s.view.faceHingeMarks[kLeft.value()]), 0);
  EXPECT_EQ(int(s.view.rigidMarks[kLeft.value()] | s.view.rigidMarks[kRight.value()]), 0);
  SelectCellMarks(s.v.links, kLeft, s.view);
  EXPECT_TRUE(s.view.linkedNeighbour[kRight.value()]);  // a hinge, though without axis marks
  EXPECT_TRUE(SetSlots(s.view, 1).empty());
}

TEST(SolutionMarks, RigidJointIsMarkedOnTheLeftCubeAndLinksNothing) {
  SideBySide s(Pair(RigidX));
  EXPECT_EQ(int(s.view.rigidMarks[kLeft.value()]), int(RigidToRight));
  EXPECT_EQ(int(s.view.rigidMarks[kRight.value()]), 0);
  EXPECT_EQ(int(s.view.faceHingeMarks[kLeft.value()] | s.view.faceHingeMarks[kRight.value()]), 0);
  SelectCellMarks(s.v.links, kLeft, s.view);
  EXPECT_EQ(s.view.selectedCell, kLeft);
  EXPECT_TRUE(!s.view.linkedNeighbour[kRight.value()]);
  for (int row = 0; row < 3; ++row) EXPECT_TRUE(SetSlots(s.view, row).empty());
}

TEST(SolutionMarks, VerticalEdgesAreDotsOnTheSideFacingTheNeighbour) {
  // CornerXLower: the vertical edge at the top of the face between the two
  // cubes, the left cube's corner (+x, -y) and the right cube's (-x, -y).
  SideBySide s(Pair(CornerXLower));
  SelectCellMarks(s.v.links, kLeft, s.view);
  EXPECT_EQ(SetSlots(s.view, 1), std::vector<int>{kAxisDot + 1});  // right side, near the top
  SelectCellMarks(s.v.links, kRight, s.view);
  EXPECT_EQ(SetSlots(s.view, 1), std::vector<int>{kAxisDot + 7});  // left side, near the top
}

TEST(SolutionMarks, DiagonalNeighboursGetCornerStrokes) {
  TaskState t = MakeTask({"#.", ".#"}, {{"#.", ".#"}});
  SetLink(t, 1, 1, CornerDiag);
  const Validation v = ValidateTask(t);
  SolutionViewData view;
  const std::uint8_t cubes[] = {1, 2}, rotations[] = {0, 0};
  const std::int16_t cells[] = {FormCellIndex(0, 0, 0).value(), FormCellIndex(1, 1, 0).value()};
  ShowSolutionMarks({cubes, rotations, cells}, v.links, view);
  SelectCellMarks(v.links, FormCellIndex(0, 0, 0), view);
  EXPECT_EQ(SetSlots(view, 1), std::vector<int>{kAxisCorner + 2});  // corner (+x, +y)
  SelectCellMarks(v.links, FormCellIndex(1, 1, 0), view);
  EXPECT_EQ(SetSlots(view, 1), std::vector<int>{kAxisCorner + 0});  // corner (-x, -y)
}

TEST(SolutionMarks, AHingeToTheLayerAboveIsAnInnerBarOfThatCell) {
  // Cube 0 turned so that its hinge edge lies on its top face (toward
  // z + 1), with cube 1 straight above it: an inner bar of the cell above,
  // on the side where the edge runs. Every rotation that lifts the edge is
  // tried; the side follows from the edge's direction alone.
  TaskState t = Pair(EdgeX1);
  const Validation v = ValidateTask(t);
  int tried = 0;
  for (int r = 0; r < kRotationCount; ++r) {
    const int e = RotateEdge(static_cast<Rotation>(r), 5);  // edge of side code 0
    const Vec3& ev = kEdgeVector[e];
    if (ev[2] != 1) continue;
    ++tried;
    SolutionViewData view;
    const std::uint8_t cubes[] = {1, 2}, rotations[] = {static_cast<std::uint8_t>(r), 0};
    const std::int16_t cells[] = {FormCellIndex(0, 0, 0).value(), FormCellIndex(0, 0, 1).value()};
    ShowSolutionMarks({cubes, rotations, cells}, v.links, view);
    SelectCellMarks(v.links, FormCellIndex(0, 0, 0), view);
    // Inner bars 4..7: top, right, bottom, left.
    const int side = ev[0] == 1 ? 1 : ev[0] == -1 ? 3 : ev[1] == 1 ? 2 : 0;
    EXPECT_EQ(SetSlots(view, 2), std::vector<int>{kAxisBar + 4 + side});
    EXPECT_TRUE(SetSlots(view, 0).empty() && SetSlots(view, 1).empty());
    EXPECT_TRUE(view.linkedNeighbour[FormCellIndex(0, 0, 1).value()]);
  }
  EXPECT_EQ(tried, 8);  // each of the top face's four edges, by two rotations each
}

TEST(SolutionMarks, AnEmptyCellIsSelectedWithoutMarks) {
  TaskState t = Pair(EdgeX1);
  const Validation v = ValidateTask(t);
  SolutionViewData view;
  const std::uint8_t cubes[] = {1, 0, 2}, rotations[] = {0, 0, 0};
  const std::int16_t cells[] = {FormCellIndex(0, 0, 0).value(), FormCellIndex(1, 0, 0).value(),
                                FormCellIndex(2, 0, 0).value()};
  ShowSolutionMarks({cubes, rotations, cells}, v.links, view);
  EXPECT_EQ(CellIndex(view.cubePosition[1]), FormCellIndex(2, 0, 0));
  SelectCellMarks(v.links, FormCellIndex(1, 0, 0), view);
  EXPECT_EQ(view.selectedCell, FormCellIndex(1, 0, 0));
  for (int row = 0; row < 3; ++row) EXPECT_TRUE(SetSlots(view, row).empty());
  EXPECT_TRUE(
      std::none_of(view.linkedNeighbour.begin(), view.linkedNeighbour.end(), [](bool b) { return b; }));
}

}  // namespace zv
