// Task validation: the checks in order with the numbers their texts name and
// the counters, the link analysis (lists, blocks, parts, cycles) and damaged figures.
#include "model/validation.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "tests/support/task_builder.h"

namespace zv {
namespace {

using test::MakeTask;
using test::SetLink;

constexpr int Cell(int x, int y) { return FigureCellIndex(x, y); }

// A verdict as its text names it (texts/core_texts.h): the check that
// failed and its numbers, the user numbers of the pair for MustBeRigid and
// CannotBeHinged, the count for FormTooSmall and FormTooBig, else none.
struct Named {
  ValidationError error = ValidationError::None;
  int first = 0, second = 0;
  bool operator==(const Named&) const = default;
};

void PrintTo(const Named& n, std::ostream* out) {
  *out << "{error " << static_cast<int>(n.error) << ", " << n.first << ", " << n.second << "}";
}

Named Refusal(const Validation& v, const FigureState& figure) {
  switch (v.error) {
    case ValidationError::MustBeRigid:
    case ValidationError::CannotBeHinged:
      return {v.error, UserNumberOfCube(figure, v.cubeA), UserNumberOfCube(figure, v.cubeB)};
    case ValidationError::FormTooSmall:
    case ValidationError::FormTooBig:
      return {v.error, v.count};
    default:
      return {v.error};
  }
}

Named Refusal(const TaskState& t) { return Refusal(ValidateTask(t), t.figure); }

// A figure of `rows` with a form of exactly as many cells in one row.
TaskState WithMatchingForm(std::initializer_list<std::string_view> rows) {
  TaskState t = MakeTask(rows, {{"#"}});
  const int cubes = CountCubes(t.figure);
  t.form.FormWidth = std::max(cubes, 1);
  for (int x = 0; x < cubes; ++x) t.form.At(FormCellIndex(x, 0, 0)) = 1;
  return t;
}

// --- checks in order -------------------------------------------------------

TEST(ValidateTask, TooFewCubes) {
  for (auto rows : {std::initializer_list<std::string_view>{"..."}, {".#."}}) {
    const TaskState t = MakeTask(rows, {{"#"}});
    const Validation v = ValidateTask(t);
    EXPECT_EQ(v.error, ValidationError::TooFewCubes);
    EXPECT_FALSE(v.linksAnalysed);
    EXPECT_EQ(Refusal(v, t.figure), (Named{ValidationError::TooFewCubes}));
  }
}

TEST(ValidateTask, FormWithMoreCellsNeedsEmptyCells) {
  TaskState t = MakeTask({"##"}, {{"###"}});
  Validation v = ValidateTask(t);
  EXPECT_EQ(v.error, ValidationError::FormTooBig);
  EXPECT_EQ(v.surplus, 1);
  EXPECT_EQ(Refusal(v, t.figure), (Named{ValidationError::FormTooBig, 1}));
  t.EmptyCells = true;
  v = ValidateTask(t);
  EXPECT_TRUE(v.ok());
  EXPECT_EQ(v.surplus, 1);
  EXPECT_EQ(Refusal(v, t.figure), (Named{ValidationError::None}));
}

TEST(ValidateTask, FormWithFewerCellsFailsWhateverEmptyCellsSays) {
  TaskState t = MakeTask({"###"}, {{"#"}});
  for (bool empty : {false, true}) {
    t.EmptyCells = empty;
    const Validation v = ValidateTask(t);
    EXPECT_EQ(v.error, ValidationError::FormTooSmall);
    EXPECT_EQ(v.surplus, -2);
    EXPECT_EQ(Refusal(v, t.figure), (Named{ValidationError::FormTooSmall, 2}));
  }
}

TEST(ValidateTask, FigureChecksComeBeforeTheFormChecks) {
  // 255 cubes (15x17) and a form of 255 cells.
  TaskState t;
  t.figure.FigureWidth = 15;
  t.figure.FigureDepth = 17;
  for (int y = 0; y < 17; ++y)
    for (int x = 0; x < 15; ++x) t.figure.Cells[Cell(x, y)] = kCubeBit;
  ResetNumbering(t.figure);
  t.form.FormWidth = 15;
  t.form.FormDepth = 17;
  t.form.FormHeight = 1;
  FillForm(t.form);
  const Validation v = ValidateTask(t);
  EXPECT_EQ(v.error, ValidationError::TooManyCubes);
  EXPECT_EQ(v.cubeCount, 255);
  EXPECT_EQ(v.formCellCount, 255);
  EXPECT_FALSE(v.linksAnalysed);
  EXPECT_EQ(Refusal(v, t.figure), (Named{ValidationError::TooManyCubes}));
}

TEST(ValidateTask, FormOver254CellsBeforeTheSurplus) {
  TaskState t = MakeTask({"##"}, {{"#"}});
  t.form.FormWidth = 30;
  t.form.FormDepth = 30;
  FillForm(t.form);
  t.EmptyCells = true;
  const Validation v = ValidateTask(t);
  EXPECT_EQ(v.error, ValidationError::FormTooLarge);
  EXPECT_EQ(v.formCellCount, 900);
  EXPECT_EQ(Refusal(v, t.figure), (Named{ValidationError::FormTooLarge}));
}

TEST(ValidateTask, LinkConflictComesBeforeTheFormChecks) {
  TaskState t = MakeTask({"##", "##"}, {{"#"}});  // form far too small
  ToggleLink(t.figure, Cell(1, 0), RigidX);
  ToggleLink(t.figure, Cell(0, 1), RigidY);
  ToggleLink(t.figure, Cell(1, 1), RigidY);
  EXPECT_EQ(ValidateTask(t).error, ValidationError::MustBeRigid);
}

TEST(ValidateTask, CountersAndOccupiedBoxes) {
  TaskState t =
      MakeTask({".....", "..#..", ".....", "....#"}, {{"...", "..."}, {"...", ".#."}, {"#..", "..."}});
  t.form.At(FormCellIndex(3, 0, 0)) = 1;  // past FormWidth: not counted
  const Validation v = ValidateTask(t);
  EXPECT_EQ(v.cubeCount, 2);
  EXPECT_EQ(v.figureBox.minX, 2);
  EXPECT_EQ(v.figureBox.minY, 1);
  EXPECT_EQ(v.figureBox.w, 3);
  EXPECT_EQ(v.figureBox.d, 3);
  EXPECT_EQ(v.formCellCount, 2);
  EXPECT_EQ(v.formBox.minX, 0);
  EXPECT_EQ(v.formBox.minY, 0);
  EXPECT_EQ(v.formBox.minZ, 1);
  EXPECT_EQ(v.formBox.w, 2);
  EXPECT_EQ(v.formBox.d, 2);
  EXPECT_EQ(v.formBox.h, 2);
  EXPECT_TRUE(v.ok());
}

TEST(ValidateTask, EmptyBoxesReadMinima100AndExtentsMinus99) {
  const TaskState t = MakeTask({"..."}, {{"..."}});
  const Validation v = ValidateTask(t);
  EXPECT_EQ(v.figureBox.minX, 100);
  EXPECT_EQ(v.figureBox.minY, 100);
  EXPECT_EQ(v.figureBox.w, -99);
  EXPECT_EQ(v.figureBox.d, -99);
  EXPECT_TRUE(v.figureBox.empty());
  EXPECT_EQ(v.formBox.minZ, 100);
  EXPECT_EQ(v.formBox.h, -99);
  EXPECT_TRUE(v.formBox.empty());
}

// --- blocks, parts, cycles -------------------------------------------------

TEST(AnalyseLinks, ListsBlocksAndCountersOfASmallFigure) {
  // Cubes 0 (0,0), 1 (1,0), 2 (0,1), 3 (1,1). Links met row by row, bits
  // ascending: RigidX at (1,0) joins 1 (first, side 24) and 0 (side 25);
  // AxisY at (0,1) joins 2 (22) and 0 (23); at (1,1) EdgeY2 joins 1 (3) and 3
  // (13), then CornerDiag joins 0 (8) and 3 (18).
  TaskState t = WithMatchingForm({"##", "##"});
  ToggleLink(t.figure, Cell(1, 0), RigidX);
  ToggleLink(t.figure, Cell(0, 1), AxisY);
  ToggleLink(t.figure, Cell(1, 1), EdgeY2);
  ToggleLink(t.figure, Cell(1, 1), CornerDiag);
  const Validation v = ValidateTask(t);
  ASSERT_TRUE(v.ok()) << ValidationMessage(v, t.figure);
  const LinkAnalysis& a = v.links;

  struct E {
    int partner, side, rigid;
  };
  const std::vector<std::vector<E>> expected = {
      {{1, 25, 1}, {2, 23, 0}, {3, 8, 0}},
      {{0, 24, 1}, {3, 3, 0}},
      {{0, 22, 0}},
      {{1, 13, 0}, {0, 18, 0}},
  };
  for (int k = 0; k < 4; ++k) {
    ASSERT_EQ(a.linkCount[k], expected[k].size()) << "cube " << k;
    for (std::size_t e = 0; e < expected[k].size(); ++e) {
      EXPECT_EQ(a.cubeLinks[k][e].partner, expected[k][e].partner) << k << "/" << e;
      EXPECT_EQ(a.cubeLinks[k][e].side, expected[k][e].side) << k << "/" << e;
      EXPECT_EQ(a.cubeLinks[k][e].rigid, expected[k][e].rigid) << k << "/" << e;
    }
  }
  EXPECT_EQ(a.hingeCount[0], 2);
  EXPECT_EQ(a.hingeCount[1], 1);
  EXPECT_EQ(a.hingeCount[2], 1);
  EXPECT_EQ(a.hingeCount[3], 2);
  EXPECT_EQ(a.rigidSlots[0][SlotRight], 2);
  EXPECT_EQ(a.rigidSlots[1][SlotLeft], 1);
  EXPECT_EQ(a.rigidSlots[0][SlotBelow], 0);
  EXPECT_EQ(a.cubeAtCell[Cell(1, 1)], 3);
  EXPECT_EQ(a.cellOfCube[2], Cell(0, 1));
  EXPECT_EQ(a.cubeCount, 4);
  EXPECT_EQ(a.blockCount, 3);
  EXPECT_EQ(a.blockLabel[0], 1);
  EXPECT_EQ(a.blockLabel[1], 1);
  EXPECT_EQ(a.blockLabel[2], 2);
  EXPECT_EQ(a.blockLabel[3], 3);
  EXPECT_EQ(a.partCount, 1);
  // Three hinges between three blocks: 3 - (3 - 1) = 1 cycle.
  EXPECT_EQ(a.cycleCount, 1);
}

TEST(AnalyseLinks, RigidSlotsOfAVerticalJoint) {
  TaskState t = WithMatchingForm({"#", "#"});
  ToggleLink(t.figure, Cell(0, 1), RigidY);
  const Validation v = ValidateTask(t);
  EXPECT_EQ(v.links.rigidSlots[1][SlotAbove], 1);  // cube 1 is the lower one
  EXPECT_EQ(v.links.rigidSlots[0][SlotBelow], 2);
  EXPECT_EQ(v.links.blockCount, 1);
  EXPECT_EQ(v.links.cubeLinks[1][0].side, 26);
  EXPECT_EQ(v.links.cubeLinks[0][0].side, 27);
}

TEST(AnalyseLinks, RingOfFourHingedCubesIsOneCycle) {
  TaskState t = WithMatchingForm({"##", "##"});
  ToggleLink(t.figure, Cell(1, 0), EdgeX1);
  ToggleLink(t.figure, Cell(0, 1), AxisY);
  ToggleLink(t.figure, Cell(1, 1), EdgeY1);
  ToggleLink(t.figure, Cell(1, 1), EdgeX2);
  const Validation v = ValidateTask(t);
  ASSERT_TRUE(v.ok());
  EXPECT_EQ(v.links.blockCount, 4);
  EXPECT_EQ(v.links.partCount, 1);
  EXPECT_EQ(v.links.cycleCount, 1);
}

TEST(AnalyseLinks, SeparatePairsAndLooseCubesAreParts) {
  TaskState t = WithMatchingForm({"##.##.#", "......#"});
  ToggleLink(t.figure, Cell(1, 0), EdgeX1);
  ToggleLink(t.figure, Cell(4, 0), AxisX);
  Validation v = ValidateTask(t);
  EXPECT_EQ(v.links.partCount, 4);  // two hinged pairs, two loose cubes
  EXPECT_EQ(v.links.cycleCount, 0);
  EXPECT_EQ(v.links.partLabel[0], 1);
  EXPECT_EQ(v.links.partLabel[1], 1);
  EXPECT_EQ(v.links.partLabel[2], 2);
  EXPECT_EQ(v.links.partLabel[3], 2);
  EXPECT_EQ(v.links.partLabel[4], 3);
  EXPECT_EQ(v.links.partLabel[5], 4);
}

TEST(AnalyseLinks, RigidDominoesJoinedByTwoHingesCloseACycle) {
  TaskState t = WithMatchingForm({"##", "##"});
  ToggleLink(t.figure, Cell(1, 0), RigidX);
  ToggleLink(t.figure, Cell(1, 1), RigidX);
  ToggleLink(t.figure, Cell(0, 1), EdgeY1);
  Validation v = ValidateTask(t);
  ASSERT_TRUE(v.ok());
  EXPECT_EQ(v.links.blockCount, 2);
  EXPECT_EQ(v.links.cycleCount, 0);
  ToggleLink(t.figure, Cell(1, 1), EdgeY2);
  v = ValidateTask(t);
  ASSERT_TRUE(v.ok());
  EXPECT_EQ(v.links.partCount, 1);
  EXPECT_EQ(v.links.cycleCount, 1);
}

TEST(AnalyseLinks, BlockMissingOneRigidJointNamesThatPair) {
  // The only face-adjacent pair of the block without its rigid joint.
  TaskState t = WithMatchingForm({"##", "##"});
  ToggleLink(t.figure, Cell(1, 0), RigidX);
  ToggleLink(t.figure, Cell(0, 1), RigidY);
  ToggleLink(t.figure, Cell(1, 1), RigidY);
  Validation v = ValidateTask(t);
  EXPECT_EQ(v.error, ValidationError::MustBeRigid);
  EXPECT_EQ(v.cubeA, CubeIndex(2));
  EXPECT_EQ(v.cubeB, CubeIndex(3));
  EXPECT_EQ(Refusal(v, t.figure), (Named{ValidationError::MustBeRigid, 3, 4}));

  TaskState u = WithMatchingForm({"##", "##"});  // the top pair unjoined this time
  ToggleLink(u.figure, Cell(0, 1), RigidY);
  ToggleLink(u.figure, Cell(1, 1), RigidY);
  ToggleLink(u.figure, Cell(1, 1), RigidX);
  v = ValidateTask(u);
  EXPECT_EQ(v.error, ValidationError::MustBeRigid);
  EXPECT_EQ(v.cubeA, CubeIndex(0));  // lower cube index first
  EXPECT_EQ(v.cubeB, CubeIndex(1));
  EXPECT_EQ(Refusal(v, u.figure), (Named{ValidationError::MustBeRigid, 1, 2}));
}

TEST(AnalyseLinks, HingeInsideABlockCannotBe) {
  // An L of rigid joints; the diagonal hinge between its two ends is one the
  // editor allows, but both cubes move as one body.
  TaskState t = WithMatchingForm({"##", "#."});
  ToggleLink(t.figure, Cell(1, 0), RigidX);
  ToggleLink(t.figure, Cell(0, 1), RigidY);
  ToggleLink(t.figure, Cell(1, 1), CornerAntiDiag);
  const Validation v = ValidateTask(t);
  EXPECT_EQ(v.error, ValidationError::CannotBeHinged);
  EXPECT_EQ(Refusal(v, t.figure), (Named{ValidationError::CannotBeHinged, 2, 3}));
}

TEST(AnalyseLinks, MustBeRigidWinsOverAHingeInsideABlock) {
  // Found in the file only: a hinge beside a rigid joint of the same pair.
  TaskState t = WithMatchingForm({"##", "##"});
  SetLink(t, 1, 0, RigidX);
  SetLink(t, 1, 0, EdgeX1);
  EXPECT_EQ(Refusal(t), (Named{ValidationError::CannotBeHinged, 1, 2}));
  SetLink(t, 0, 1, RigidY);
  SetLink(t, 1, 1, RigidY);  // block of four without the bottom joint
  const Validation v = ValidateTask(t);
  EXPECT_EQ(v.error, ValidationError::MustBeRigid);
  EXPECT_EQ(Refusal(v, t.figure), (Named{ValidationError::MustBeRigid, 3, 4}));
}

TEST(AnalyseLinks, MessagesNameCubesByUserNumberInCubeIndexOrder) {
  TaskState t = WithMatchingForm({"##", "##"});
  ToggleLink(t.figure, Cell(1, 0), RigidX);
  ToggleLink(t.figure, Cell(0, 1), RigidY);
  ToggleLink(t.figure, Cell(1, 1), RigidY);
  AssignNumber(t.figure, Cell(1, 1), 0);  // cube 3 becomes 1, cube 0 becomes 4
  EXPECT_EQ(Refusal(t), (Named{ValidationError::MustBeRigid, 3, 1}));
}

// --- damaged figures (task files only) -------------------------------------

TEST(AnalyseLinks, LinksWithAMissingCubeAreSkipped) {
  // Cube index 0 is (1,0). A RigidX stored there names the empty cell (0,0);
  // a CornerYLeft at (2,0) names the border row above; a RigidX at (2,1)
  // names a cube bit past FigureWidth. None may turn into a link of cube 0.
  TaskState t = WithMatchingForm({".#", "##"});
  SetLink(t, 1, 0, RigidX);
  SetLink(t, 2, 0, CornerYLeft);
  t.figure.Cells[Cell(2, 1)] |= kCubeBit;
  SetLink(t, 2, 1, RigidX);
  SetLink(t, 1, 1, RigidY);  // a real joint: cubes 0 and 2
  const Validation v = ValidateTask(t);
  ASSERT_TRUE(v.ok()) << ValidationMessage(v, t.figure);
  EXPECT_EQ(v.cubeCount, 3);
  EXPECT_EQ(v.links.linkCount[0], 1);
  EXPECT_EQ(v.links.cubeLinks[0][0].partner, 2);
  EXPECT_EQ(v.links.linkCount[1], 0);
  EXPECT_EQ(v.links.linkCount[2], 1);
  EXPECT_EQ(v.links.rigidSlots[0][SlotLeft], 0);
  EXPECT_EQ(v.links.blockCount, 2);
  EXPECT_EQ(v.links.partCount, 2);
}

TEST(AnalyseLinks, TwoHingesBetweenOnePairLoad) {
  TaskState t = WithMatchingForm({"##"});
  SetLink(t, 1, 0, EdgeX1);
  SetLink(t, 1, 0, AxisX);
  const Validation v = ValidateTask(t);
  ASSERT_TRUE(v.ok());
  EXPECT_EQ(v.links.linkCount[0], 2);
  EXPECT_EQ(v.links.linkCount[1], 2);
  EXPECT_EQ(v.links.hingeCount[0], 2);
  EXPECT_EQ(v.links.partCount, 1);
  // From cube 0 the second hinge leads into a block already in the part
  // (tally 1); from cube 1 both lead back to its parent and are skipped.
  EXPECT_EQ(v.links.cycleCount, 0);
}

TEST(AnalyseLinks, MoreThanEightLinkEndsNeverOverrunAList) {
  // The middle cube (1,1) of a 3x3 figure with every hinge of its left pair
  // (1, 2, 8, 11 here and 7 in the cell below) and four of its right pair:
  // nine hinge ends, one more than a list holds.
  TaskState t = WithMatchingForm({"###", "###", "###"});
  for (int bit : {EdgeX1, EdgeX2, CornerXLower, AxisX}) {
    SetLink(t, 1, 1, bit);
    SetLink(t, 2, 1, bit);
  }
  SetLink(t, 1, 2, CornerXUpper);
  const Validation v = ValidateTask(t);
  EXPECT_EQ(v.links.linkCount[4], 8);
  EXPECT_EQ(v.links.linkCount[3], 4);  // the end that did not fit is not listed on either side
  EXPECT_EQ(v.error, ValidationError::CannotBeHinged);
  EXPECT_EQ(v.cubeA, CubeIndex(3));
  EXPECT_EQ(v.cubeB, CubeIndex(4));
  EXPECT_EQ(Refusal(v, t.figure), (Named{ValidationError::CannotBeHinged, 4, 5}));
}

TEST(AnalyseLinks, EveryBitEverywhereStaysInBounds) {
  // All fourteen link bits in every cell of a full 16x16 figure (254 would
  // be refused first, so 15x16 = 240 cubes) and the row and column past it.
  TaskState t;
  t.figure.FigureWidth = 15;
  t.figure.FigureDepth = 16;
  ASSERT_TRUE(FillFigure(t.figure));
  for (int y = 0; y <= 16; ++y)
    for (int x = 0; x <= 15; ++x) t.figure.Cells[Cell(x, y)] |= kLinkMask;
  const Validation v = ValidateTask(t);
  ASSERT_TRUE(v.linksAnalysed);
  for (int k = 0; k < 240; ++k) EXPECT_LE(v.links.linkCount[k], kMaxLinksPerCube);
  EXPECT_NE(v.error, ValidationError::None);
}

TEST(ValidateTask, FullThirtyByThirtyFigureFromAFile) {
  TaskState t;
  t.figure.FigureWidth = 30;
  t.figure.FigureDepth = 30;
  for (int y = 0; y <= 30; ++y)
    for (int x = 0; x <= 30; ++x) t.figure.Cells[Cell(x, y)] = kLinkMask | (x < 30 && y < 30 ? kCubeBit : 0);
  ResetNumbering(t.figure);
  EXPECT_TRUE(IsDefaultNumbering(t.figure));
  EXPECT_EQ(CountCubes(t.figure), 900);
  const Validation v = ValidateTask(t);
  EXPECT_EQ(v.error, ValidationError::TooManyCubes);
  EXPECT_EQ(v.cubeCount, 900);
  EXPECT_EQ(v.figureBox.w, 30);

  LinkAnalysis links;
  CubeIndex a, b;
  EXPECT_EQ(AnalyseLinks(t.figure, links, a, b), ValidationError::TooManyCubes);

  const int last = Cell(29, 29);
  AssignNumber(t.figure, last, 0);  // cube 899 carries no number slot: ignored
  EXPECT_TRUE(IsDefaultNumbering(t.figure));
  RemoveCube(t.figure, last);
  EXPECT_EQ(CountCubes(t.figure), 899);
  EXPECT_EQ(UserNumberOfCube(t.figure, CubeIndex(898)), 899);
}

}  // namespace
}  // namespace zv
