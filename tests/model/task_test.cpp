// Editing operations of the model: cubes, links and their conflicts, the
// numbering, whole-figure commands and shifts.
#include "model/task.h"

#include <gtest/gtest.h>

#include "tests/support/task_builder.h"

namespace zv {
namespace {

using test::MakeTask;
using test::SetFigure;

constexpr int Cell(int x, int y) { return FigureCellIndex(x, y); }

bool Has(const FigureState& f, int x, int y, int bit) { return (f.Cells[Cell(x, y)] & BitMask(bit)) != 0; }

FigureState Figure(std::initializer_list<std::string_view> rows) {
  TaskState t;
  SetFigure(t, rows);
  return t.figure;
}

// --- links ---------------------------------------------------------------

TEST(ToggleLink, RigidJointReplacesTheEdgeHingeOfItsPair) {
  FigureState f = Figure({"##"});
  ASSERT_TRUE(ToggleLink(f, Cell(1, 0), EdgeX2));
  ASSERT_TRUE(ToggleLink(f, Cell(1, 0), RigidX));
  EXPECT_EQ(f.Cells[Cell(1, 0)], kCubeBit | BitMask(RigidX));
  ASSERT_TRUE(ToggleLink(f, Cell(1, 0), RigidX));
  EXPECT_EQ(f.Cells[Cell(1, 0)], kCubeBit);  // toggled off: no link left, the hinge does not come back
}

TEST(ToggleLink, PairLinkedFromTheCellBelowIsOneLinkOnly) {
  // Bit 7 of cell (1,1) joins the x-pair (0,0)-(1,0) on their shared lower
  // vertical edge; it is stored one row past a one-row figure.
  FigureState f = Figure({"##"});
  ASSERT_TRUE(ToggleLink(f, Cell(1, 1), CornerXUpper));
  ASSERT_TRUE(ToggleLink(f, Cell(1, 0), AxisX));
  EXPECT_FALSE(Has(f, 1, 1, CornerXUpper));
  ASSERT_TRUE(ToggleLink(f, Cell(1, 1), CornerXUpper));
  EXPECT_FALSE(Has(f, 1, 0, AxisX));
  EXPECT_TRUE(Has(f, 1, 1, CornerXUpper));
}

TEST(ToggleLink, VerticalPairLinkedFromTheCellToTheRight) {
  // Bit 5 of cell (1,1) joins (0,0)-(0,1) on their right vertical edge.
  FigureState f = Figure({"#.", "#."});
  ASSERT_TRUE(ToggleLink(f, Cell(0, 1), RigidY));
  ASSERT_TRUE(ToggleLink(f, Cell(1, 1), CornerYLeft));
  EXPECT_FALSE(Has(f, 0, 1, RigidY));
  ASSERT_TRUE(ToggleLink(f, Cell(0, 1), EdgeY1));
  EXPECT_FALSE(Has(f, 1, 1, CornerYLeft));
  ASSERT_TRUE(ToggleLink(f, Cell(0, 1), CornerYRight));  // the left vertical edge: same pair
  EXPECT_EQ(f.Cells[Cell(0, 1)], kCubeBit | BitMask(CornerYRight));
}

TEST(ToggleLink, HingesAtOneGridPointStayCompatible) {
  // The grid point in the middle of a 2x2 square is the top-left corner of
  // cell (1,1), which stores all six hinges on that vertical edge.
  FigureState f = Figure({"##", "##"});
  const int mid = Cell(1, 1);
  auto corner = [&] { return f.Cells[mid] & 0x07E0; };
  ToggleLink(f, mid, CornerYLeft);
  ToggleLink(f, mid, CornerYRight);
  EXPECT_EQ(corner(), BitMask(5) | BitMask(6));
  ToggleLink(f, mid, CornerXUpper);
  EXPECT_EQ(corner(), BitMask(7));
  ToggleLink(f, mid, CornerXLower);
  EXPECT_EQ(corner(), BitMask(7) | BitMask(8));
  ToggleLink(f, mid, CornerDiag);
  EXPECT_EQ(corner(), BitMask(9));
  ToggleLink(f, mid, CornerAntiDiag);
  EXPECT_EQ(corner(), BitMask(10));
  ToggleLink(f, mid, CornerYRight);
  EXPECT_EQ(corner(), BitMask(6));
}

TEST(ToggleLink, NeedsBothCubes) {
  FigureState f = Figure({"#.", ".#"});
  const FigureState before = f;
  EXPECT_FALSE(ToggleLink(f, Cell(1, 0), RigidX));
  EXPECT_FALSE(ToggleLink(f, Cell(1, 1), CornerAntiDiag));
  EXPECT_FALSE(ToggleLink(f, Cell(1, 1), AxisY));
  EXPECT_EQ(f, before);
  EXPECT_TRUE(ToggleLink(f, Cell(1, 1), CornerDiag));  // the diagonal pair is there
}

TEST(ToggleLink, CubesOutsideTheFigureDoNotCount) {
  // A cube bit past FigureWidth can only come from a task file.
  FigureState f = Figure({"#"});
  f.Cells[Cell(1, 0)] = kCubeBit;
  EXPECT_FALSE(LinkCubesPresent(f, Cell(1, 0), RigidX));
  EXPECT_FALSE(ToggleLink(f, Cell(1, 0), RigidX));
  EXPECT_FALSE(ToggleLink(f, Cell(1, 0), 0));
  EXPECT_FALSE(ToggleLink(f, Cell(1, 0), 15));
}

TEST(ToggleLink, CornerHingeOfTheRightmostColumnIsStoredPastTheFigure) {
  FigureState f = Figure({".#", ".#"});
  ASSERT_TRUE(ToggleLink(f, Cell(2, 1), CornerYLeft));
  EXPECT_EQ(f.Cells[Cell(2, 1)], BitMask(CornerYLeft));
}

// --- removing cubes --------------------------------------------------------

FigureCell Word(bool cube, std::initializer_list<int> bits) {
  FigureCell w = cube ? kCubeBit : 0;
  for (int bit : bits) w |= BitMask(bit);
  return w;
}

TEST(RemoveCube, ClearsEveryLinkOfTheCubeWhereverStored) {
  // Every link bit set (raw, as a file may hold them) around the middle cube
  // M = (1,1) of a full 3x3 figure; afterwards only links not naming M stay.
  FigureState f = Figure({"###", "###", "###"});
  for (int y = 1; y <= 2; ++y)
    for (int x = 1; x <= 2; ++x) f.Cells[Cell(x, y)] |= kLinkMask;
  RemoveCube(f, Cell(1, 1));
  // Own cell: only the hinges at its top-left grid point between the cubes
  // above and to the left (5: (0,0)-(0,1), 7: (0,0)-(1,0), 10: (1,0)-(0,1)).
  EXPECT_EQ(f.Cells[Cell(1, 1)], Word(false, {5, 7, 10}));
  // Right of M, M is at (-1,0): it goes with the x-pair bits 1, 2, 8, 11, 13
  // and with 5 and 10, whose second cube is (-1,0).
  EXPECT_EQ(f.Cells[Cell(2, 1)], Word(true, {3, 4, 6, 7, 9, 12, 14}));
  // Below M, M is at (0,-1): the y-pair bits 3, 4, 6, 12, 14, and 7, 10.
  EXPECT_EQ(f.Cells[Cell(1, 2)], Word(true, {1, 2, 5, 8, 9, 11, 13}));
  // Below-right, M is at (-1,-1): bits 5, 7 and 9.
  EXPECT_EQ(f.Cells[Cell(2, 2)], Word(true, {1, 2, 3, 4, 6, 8, 10, 11, 12, 13, 14}));
}

TEST(RemoveCube, KeepsOwnCellCornerHingesOfOtherCubes) {
  // Bits 5, 7, 10 in a cell join cubes above and to the left of it.
  FigureState f = Figure({"##", "#."});
  f.Cells[Cell(1, 1)] = kCubeBit;                                       // make (1,1) a cube for a moment
  ToggleLink(f, Cell(1, 1), CornerAntiDiag);                            // (1,0)-(0,1)
  f.Cells[Cell(1, 1)] |= BitMask(CornerYLeft) | BitMask(CornerXUpper);  // raw: a file may hold all three
  RemoveCube(f, Cell(1, 1));
  EXPECT_EQ(f.Cells[Cell(1, 1)], BitMask(5) | BitMask(7) | BitMask(10));
}

TEST(RemoveCube, RemovesCornerHingeStoredInAnEmptyCellToTheRight) {
  FigureState f = Figure({"#.", "#."});
  ToggleLink(f, Cell(1, 1), CornerYLeft);
  RemoveCube(f, Cell(0, 0));
  EXPECT_EQ(f.Cells[Cell(1, 1)], 0);
  EXPECT_EQ(f.Cells[Cell(0, 1)], kCubeBit);
}

TEST(RemoveCube, ResetsTheNumbering) {
  FigureState f = Figure({"###"});
  AssignNumber(f, Cell(2, 0), 0);
  RemoveCube(f, Cell(0, 0));
  EXPECT_TRUE(IsDefaultNumbering(f));
  EXPECT_EQ(f.NumberAtCell[Cell(2, 0)], 1);
  EXPECT_EQ(UserNumberOfCube(f, CubeIndex(1)), 2);
}

// --- numbering -------------------------------------------------------------

TEST(Numbering, AssignSwapsWithTheCubeHoldingTheNumber) {
  FigureState f = Figure({"#.#", ".#."});
  ASSERT_TRUE(IsDefaultNumbering(f));
  AssignNumber(f, Cell(1, 1), 0);  // the third cube gets user number 1
  EXPECT_EQ(UserNumberOfCube(f, CubeIndex(0)), 3);
  EXPECT_EQ(UserNumberOfCube(f, CubeIndex(1)), 2);
  EXPECT_EQ(UserNumberOfCube(f, CubeIndex(2)), 1);
  EXPECT_EQ(f.CubeOfNumber[0], 2);
  EXPECT_EQ(f.CubeOfNumber[2], 0);
  EXPECT_EQ(f.NumberAtCell[Cell(0, 0)], 2);
  EXPECT_EQ(f.NumberAtCell[Cell(1, 1)], 0);
  EXPECT_FALSE(IsDefaultNumbering(f));

  AssignNumber(f, Cell(1, 1), 0);  // its own number: nothing changes
  EXPECT_EQ(UserNumberOfCube(f, CubeIndex(2)), 1);
  AssignNumber(f, Cell(0, 0), 0);  // back
  EXPECT_TRUE(IsDefaultNumbering(f));
}

TEST(Numbering, AssignIgnoresNumbersOutOfRangeAndEmptyCells) {
  FigureState f = Figure({"##."});
  const FigureState before = f;
  AssignNumber(f, Cell(0, 0), 2);
  AssignNumber(f, Cell(0, 0), -1);
  AssignNumber(f, Cell(2, 0), 0);
  EXPECT_EQ(f, before);
}

TEST(Numbering, AddCubeResetsToDefaultOrder) {
  FigureState f = Figure({"#.#"});
  AssignNumber(f, Cell(2, 0), 0);
  AddCube(f, Cell(1, 0));
  EXPECT_TRUE(IsDefaultNumbering(f));
  EXPECT_EQ(f.NumberAtCell[Cell(1, 0)], 1);
  EXPECT_EQ(f.NumberAtCell[Cell(2, 0)], 2);
}

TEST(Numbering, IsDefaultReadsThePerCellCopy) {
  FigureState f = Figure({"##"});
  f.NumberAtCell[Cell(1, 0)] = 0;
  EXPECT_FALSE(IsDefaultNumbering(f));
}

// --- whole figure ----------------------------------------------------------

TEST(FillFigure, RefusedFrom255Cells) {
  FigureState f;
  f.FigureWidth = 16;
  f.FigureDepth = 16;
  const FigureState before = f;
  EXPECT_FALSE(FillFigure(f));
  EXPECT_EQ(f, before);
  f.FigureWidth = 17;
  f.FigureDepth = 15;  // 255
  EXPECT_FALSE(FillFigure(f));
  EXPECT_EQ(CountCubes(f), 0);
}

TEST(FillFigure, Fills240CellsNumberedRowByRowAndKeepsLinks) {
  FigureState f = Figure({"##"});
  ToggleLink(f, Cell(1, 0), RigidX);
  f.FigureWidth = 15;
  f.FigureDepth = 16;
  ASSERT_TRUE(FillFigure(f));
  EXPECT_EQ(CountCubes(f), 240);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 15; ++x) EXPECT_EQ(f.NumberAtCell[Cell(x, y)] + 1, y * 15 + x + 1);
  EXPECT_EQ(UserNumberOfCube(f, CubeIndex(239)), 240);
  EXPECT_TRUE(Has(f, 1, 0, RigidX));
  EXPECT_EQ(f.Cells[Cell(15, 0)], 0);  // nothing past the figure
}

TEST(ClearLinks, HingesFirstThenRigidJoints) {
  FigureState f = Figure({"##", "##", "##"});
  ToggleLink(f, Cell(1, 0), RigidX);        // (0,0)-(1,0)
  ToggleLink(f, Cell(0, 2), RigidY);        // (0,1)-(0,2)
  ToggleLink(f, Cell(0, 1), AxisY);         // (0,0)-(0,1)
  ToggleLink(f, Cell(2, 1), CornerYLeft);   // (1,0)-(1,1), stored past the right column
  ToggleLink(f, Cell(1, 3), CornerXUpper);  // (0,2)-(1,2), stored past the bottom row
  ASSERT_TRUE(Has(f, 2, 1, CornerYLeft));
  ASSERT_TRUE(Has(f, 1, 3, CornerXUpper));
  ClearLinks(f);
  for (int y = 0; y <= 3; ++y)
    for (int x = 0; x <= 2; ++x) EXPECT_EQ(f.Cells[Cell(x, y)] & kHingeMask, 0) << x << "," << y;
  EXPECT_TRUE(Has(f, 1, 0, RigidX));
  EXPECT_TRUE(Has(f, 0, 2, RigidY));
  ClearLinks(f);
  EXPECT_EQ(CountCubes(f), 6);
  for (int y = 0; y <= 3; ++y)
    for (int x = 0; x <= 2; ++x) EXPECT_EQ(f.Cells[Cell(x, y)] & kLinkMask, 0) << x << "," << y;
}

TEST(ClearLinks, OnlyRigidJointsGoAtOnce) {
  FigureState f = Figure({"##"});
  ToggleLink(f, Cell(1, 0), RigidX);
  ClearLinks(f);
  EXPECT_EQ(f.Cells[Cell(1, 0)], kCubeBit);
}

TEST(ClearFigure, ClearsCellsButNotNumbers) {
  FigureState f = Figure({"###"});
  AssignNumber(f, Cell(2, 0), 0);
  const auto numbers = f.NumberOfCube;
  ClearFigure(f);
  EXPECT_EQ(CountCubes(f), 0);
  EXPECT_EQ(f.NumberOfCube, numbers);
}

TEST(ClearTask, EmptiesFigureAndFormOnly) {
  TaskState t = MakeTask({"##"}, {{"##"}});
  t.Text = "x";
  t.EmptyCells = true;
  ClearTask(t);
  EXPECT_EQ(CountCubes(t.figure), 0);
  EXPECT_EQ(CountFormCells(t.form), 0);
  EXPECT_EQ(t.figure.FigureWidth, 2);
  EXPECT_EQ(t.Text, "x");
  EXPECT_TRUE(t.EmptyCells);
}

TEST(Form, FillCountClear) {
  FormState f;
  f.FormWidth = 3;
  f.FormDepth = 2;
  f.FormHeight = 4;
  FillForm(f);
  EXPECT_EQ(CountFormCells(f), 24);
  EXPECT_EQ(f.At(FormCellIndex(3, 0, 0)), 0);
  EXPECT_EQ(f.At(FormCellIndex(0, 0, 4)), 0);
  f.FormHeight = 2;  // cells beyond the dimensions are not counted
  EXPECT_EQ(CountFormCells(f), 12);
  ClearForm(f);
  f.FormHeight = 4;
  EXPECT_EQ(CountFormCells(f), 0);
}

TEST(CubeList, RowMajorWithinTheFigureAndLimited) {
  FigureState f = Figure({".#", "##"});
  f.Cells[Cell(2, 0)] = kCubeBit;  // past FigureWidth: not a cube of the figure
  int cells[3] = {-1, -1, -1};
  EXPECT_EQ(ListCubeCells(f, cells, 3), 3);
  EXPECT_EQ(cells[0], Cell(1, 0));
  EXPECT_EQ(cells[1], Cell(0, 1));
  EXPECT_EQ(cells[2], Cell(1, 1));
  EXPECT_EQ(ListCubeCells(f, cells, 2), 2);
  EXPECT_EQ(CountCubes(f), 3);
}

// --- shifts ----------------------------------------------------------------

TEST(ShiftFigure, MovesWordsAndNumbersAsOneFlatArray) {
  FigureState f = Figure({"##.", "#..", "..."});
  ToggleLink(f, Cell(1, 0), RigidX);
  ToggleLink(f, Cell(0, 1), EdgeY2);
  AssignNumber(f, Cell(0, 1), 0);
  const FigureState before = f;
  ShiftFigure(f, 1, 1);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) {
      EXPECT_EQ(f.Cells[Cell(x + 1, y + 1)], before.Cells[Cell(x, y)]);
      EXPECT_EQ(f.NumberAtCell[Cell(x + 1, y + 1)], before.NumberAtCell[Cell(x, y)]);
    }
  EXPECT_EQ(f.NumberOfCube, before.NumberOfCube);
  EXPECT_EQ(f.CubeOfNumber, before.CubeOfNumber);
  EXPECT_EQ(f.Cells[Cell(0, 0)], 0);
  for (int i = 0; i < 33; ++i) EXPECT_EQ(f.Cells[i], 0) << i;  // vacated at the start
  ShiftFigure(f, -1, -1);
  EXPECT_EQ(f.Cells, before.Cells);
  for (int i = kFigureGrid - 33; i < kFigureGrid; ++i) EXPECT_EQ(f.Cells[i], 0) << i;  // vacated at the end
}

TEST(ShiftFigure, ShiftsBeyondTheGridEmptyIt) {
  FigureState f = Figure({"##"});
  ShiftFigure(f, 0, 32);
  EXPECT_EQ(f.Cells, FigureState{}.Cells);
  f = Figure({"##"});
  ShiftFigure(f, -40, -40);
  EXPECT_EQ(f.Cells, FigureState{}.Cells);
}

TEST(ShiftForm, MovesAlongAllThreeAxes) {
  FormState f;
  f.At(FormCellIndex(0, 0, 0)) = 1;
  f.At(FormCellIndex(2, 1, 0)) = 1;
  ShiftForm(f, 1, 0, 2);
  EXPECT_EQ(f.At(FormCellIndex(1, 0, 2)), 1);
  EXPECT_EQ(f.At(FormCellIndex(3, 1, 2)), 1);
  EXPECT_EQ(CountFormCells(f), 2);
  EXPECT_EQ(f.At(FormCellIndex(0, 0, 0)), 0);
  ShiftForm(f, 0, 0, 12);
  EXPECT_EQ(f.Cells, FormState{}.Cells);
}

TEST(UserNumber, CubesPastTheNumberSlotsShowTheirIndex) {
  FigureState f;
  EXPECT_EQ(UserNumberOfCube(f, CubeIndex(256)), 257);
  EXPECT_EQ(UserNumberOfCube(f, CubeIndex(899)), 900);
}

}  // namespace
}  // namespace zv
