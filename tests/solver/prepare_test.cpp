// Search preparation: lattice edge slots, form symmetries, block rotations
// and placement order, link constraint candidates with their fold, the
// consistency filter and the hinge link list.
#include "solver/prepare.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "model/validation.h"
#include "tests/support/task_builder.h"

namespace zv {
namespace {

using test::MakeTask;
using test::SetLink;

// Prepares a validated task in a pool of its own.
struct Prepared {
  explicit Prepared(const TaskState& t) : task(t), validation(ValidateTask(task)) {
    EXPECT_TRUE(validation.ok()) << ValidationMessage(validation, task.figure);
    ok = PrepareSearch(task, validation.links, pool, keys, prep);
  }
  std::set<int> RotationsOfBlock(int b) const {
    std::set<int> rotations;
    for (int p = prep.blocks[b].firstPlacement; p < prep.blocks[b].endPlacement; ++p)
      rotations.insert(prep.placements[p].rotation);
    return rotations;
  }
  // The placement of block b with rotation r whose first cube is on cell number m.
  int PlacementOf(int b, int r, int m) const {
    for (int p = prep.blocks[b].firstPlacement; p < prep.blocks[b].endPlacement; ++p)
      if (prep.placements[p].rotation == r && prep.placements[p].cells[0] == m) return p;
    return -1;
  }
  int Slot(int cellNumber, int edge) const { return prep.latticeSlots[cellNumber * kEdgeCount + edge]; }

  TaskState task;
  Validation validation;
  BlockPool pool;
  ByteKeySet keys;
  PreparedSearch prep;
  bool ok = false;
};

TEST(PrepareForm, CellsAreNumberedByLayerRowColumn) {
  TaskState t = MakeTask({"###"}, {{"#.", ".#"}, {"#."}});
  t.EmptyCells = false;
  Prepared p(t);
  ASSERT_TRUE(p.ok);
  ASSERT_EQ(p.prep.formCellCount, 3);
  EXPECT_EQ(CellIndex(p.prep.formCells[0]), FormCellIndex(0, 0, 0));
  EXPECT_EQ(CellIndex(p.prep.formCells[1]), FormCellIndex(1, 1, 0));
  EXPECT_EQ(CellIndex(p.prep.formCells[2]), FormCellIndex(0, 0, 1));
  EXPECT_EQ(p.prep.cellNumberGrid[FormCellIndex(1, 1, 0).value()], 2);
  EXPECT_EQ(p.prep.cellNumberGrid[FormCellIndex(1, 0, 0).value()], 0);
  EXPECT_EQ(p.prep.boxExtent, (Vec3{2, 2, 2}));
}

TEST(PrepareForm, SquareHasOneLatticeSlotSharedByItsFourCells) {
  // Four cubes, one edge hinge between the first two, in a 2x2x1 square.
  TaskState t = MakeTask({"##", "##"}, {{"##", "##"}});
  SetLink(t, 1, 0, EdgeX1);
  Prepared p(t);
  ASSERT_TRUE(p.ok);
  EXPECT_EQ(p.prep.latticeEdgeCount, 1);
  // The vertical line through the centre: edge 2 of (0,0), 3 of (1,0), 1 of (0,1), 0 of (1,1).
  EXPECT_EQ(p.Slot(0, 2), 0);
  EXPECT_EQ(p.Slot(1, 3), 0);
  EXPECT_EQ(p.Slot(2, 1), 0);
  EXPECT_EQ(p.Slot(3, 0), 0);
  EXPECT_EQ(std::count(p.prep.latticeSlots, p.prep.latticeSlots + 4 * kEdgeCount, kNoSlot),
            4 * kEdgeCount - 4);
}

TEST(PrepareForm, RowHasNoLatticeSlotAndNoEdgeHingeDropsTheSlots) {
  TaskState row = MakeTask({"###"}, {{"###"}});
  SetLink(row, 1, 0, EdgeX1);
  Prepared r(row);
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.prep.latticeEdgeCount, 0);
  EXPECT_EQ(std::count(r.prep.latticeSlots, r.prep.latticeSlots + 3 * kEdgeCount, kNoSlot), 3 * kEdgeCount);

  // The same square without any edge hinge: the slot is numbered but unused.
  TaskState square = MakeTask({"##", "##"}, {{"##", "##"}});
  SetLink(square, 1, 0, AxisX);
  Prepared s(square);
  ASSERT_TRUE(s.ok);
  EXPECT_EQ(s.Slot(0, 2), 0);
  EXPECT_EQ(s.prep.latticeEdgeCount, 0);
}

std::vector<int> Codes(const PreparedSearch& prep) {
  std::vector<int> codes;
  for (int i = 0; i < prep.symmetryCount; ++i) codes.push_back(prep.symmetries[i].code);
  return codes;
}

TEST(PrepareForm, SymmetriesOfTheFormDecideDuplicates) {
  // 5x3x3 box, 45 unlinked cubes: y and z (both 3 long) may be exchanged,
  // x (5 long) stays: permutations (0,1,2) and (0,2,1) with any mirror bits.
  Prepared box(
      MakeTask({"#########", "#########", "#########", "#########", "#########"},
               {{"#####", "#####", "#####"}, {"#####", "#####", "#####"}, {"#####", "#####", "#####"}}));
  ASSERT_TRUE(box.ok);
  std::vector<int> first16(16);
  for (int c = 0; c < 16; ++c) first16[c] = c;
  EXPECT_EQ(Codes(box.prep), first16);

  Prepared cube(MakeTask({"#########", "#########", "#########"},
                         {{"###", "###", "###"}, {"###", "###", "###"}, {"###", "###", "###"}}));
  ASSERT_TRUE(cube.ok);
  EXPECT_EQ(cube.prep.symmetryCount, 48);

  // An L of three cells maps onto itself by exchanging x and y (code 16)
  // and by the mirror across its one layer (4), and by both (20).
  Prepared l(MakeTask({"###"}, {{"##", "#."}}));
  ASSERT_TRUE(l.ok);
  EXPECT_EQ(Codes(l.prep), (std::vector<int>{0, 4, 16, 20}));
  // With a cell to spare all 48 are tried.
  TaskState two = MakeTask({"##"}, {{"##", "#."}});
  two.EmptyCells = true;
  Prepared spare(two);
  ASSERT_TRUE(spare.ok);
  EXPECT_EQ(spare.prep.symmetryCount, 48);
  EXPECT_EQ(spare.prep.symmetries[0].code, 0);
}

TEST(PrepareBlocks, HingeFreeBlockKeepsOneRotationPerOrientation) {
  TaskState t = MakeTask({"##"}, {{"##", "##"}, {"##", "##"}});
  SetLink(t, 1, 0, RigidX);
  t.EmptyCells = true;
  Prepared p(t);
  ASSERT_TRUE(p.ok);
  ASSERT_EQ(p.prep.blockCount, 1);
  // Rotation 0 keeps the domino along x, 2 turns x onto z, 13 turns x onto y.
  EXPECT_EQ(p.RotationsOfBlock(0), (std::set<int>{0, 2, 13}));
  // Four positions along each axis in a 2x2x2 box.
  EXPECT_EQ(p.prep.blocks[0].endPlacement - p.prep.blocks[0].firstPlacement, 12);
}

TEST(PrepareBlocks, BlockWithHingeEndsKeepsAllRotationsInOrder) {
  TaskState t = MakeTask({"###"}, {{"###", "###", "###"}, {"###", "###", "###"}, {"###", "###", "###"}});
  SetLink(t, 1, 0, RigidX);
  SetLink(t, 2, 0, AxisX);
  t.EmptyCells = true;
  Prepared p(t);
  ASSERT_TRUE(p.ok);
  ASSERT_EQ(p.prep.blockCount, 2);
  EXPECT_EQ(p.RotationsOfBlock(0).size(), 24u);
  EXPECT_EQ(p.prep.blocks[0].hingeEnds, 1);
  EXPECT_EQ(p.prep.blocks[1].cubeCount, 1);
  // Placements run block by block, then by rotation, then by first cell.
  for (int q = 1; q < p.prep.placementCount; ++q) {
    const Placement& a = p.prep.placements[q - 1];
    const Placement& b = p.prep.placements[q];
    EXPECT_TRUE(std::tie(a.block, a.rotation, a.cells[0]) < std::tie(b.block, b.rotation, b.cells[0])) << q;
  }
  // Lying along +x (cube 1 right of cube 0) the domino fits 2 * 3 * 3 = 18
  // places in the 3x3x3 box, once for each of the four rotations about x.
  int alongX = 0;
  for (int q = p.prep.blocks[0].firstPlacement; q < p.prep.blocks[0].endPlacement; ++q)
    alongX += p.prep.placements[q].cells[1] == p.prep.placements[q].cells[0] + 1 ? 1 : 0;
  EXPECT_EQ(alongX, 4 * 18);
}

TEST(PrepareConstraints, EdgeHingeCandidatesFlatHalfTurnThenFold) {
  // Cubes joined by EdgeX1 (side codes 0 and 10, edges 5 and 4) in a 2x1x2
  // form: cells 0 (0,0,0), 1 (1,0,0), 2 (0,0,1), 3 (1,0,1).
  TaskState t = MakeTask({"##"}, {{"##"}, {"##"}});
  SetLink(t, 1, 0, EdgeX1);
  t.EmptyCells = true;
  Prepared p(t);
  ASSERT_TRUE(p.ok);
  EXPECT_EQ(p.prep.latticeEdgeCount, 1);
  const int first = p.PlacementOf(0, 0, 2);
  ASSERT_GE(first, 0);
  const Placement& placed = p.prep.placements[first];
  ASSERT_EQ(placed.constraintCount, 1);
  const LinkConstraint& c = placed.constraints[0];
  EXPECT_EQ(c.neighbourBlock, 1);
  ASSERT_EQ(c.candidateCount, 3);
  // Partner at +x flat (rotation 0), at -z after a half turn about y (5),
  // across edge 5 after a quarter turn about y (6): the fold.
  EXPECT_EQ(c.candidates[0], p.PlacementOf(1, 0, 3));
  EXPECT_EQ(c.candidates[1], p.PlacementOf(1, 5, 0));
  EXPECT_EQ(c.candidates[2], p.PlacementOf(1, 6, 1));
  EXPECT_EQ(c.foldIndex, 2);
  EXPECT_EQ(c.slot, p.Slot(2, 5));
  EXPECT_EQ(c.slot, 0);
}

TEST(PrepareConstraints, FaceAxisHingeCandidatesTurnAboutTheAxis) {
  TaskState t = MakeTask({"##"}, {{"##"}});
  SetLink(t, 1, 0, AxisX);
  Prepared p(t);
  ASSERT_TRUE(p.ok);
  // Cube 0 is the left cube (side code 21, partner at +x): with rotation 0 on
  // cell 0 the partner sits on cell 1 turned by 0, 90, 180, 270 degrees about x.
  const Placement& placed = p.prep.placements[p.PlacementOf(0, 0, 0)];
  const LinkConstraint& c = placed.constraints[0];
  ASSERT_EQ(c.candidateCount, 4);
  const int turns[4] = {0, 1, 3, 4};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(c.candidates[i], p.PlacementOf(1, turns[i], 1)) << i;
  EXPECT_EQ(c.foldIndex, -1);

  // The filter leaves each cube the 4 rotations in each cell that keep the
  // partner's face towards the other cell: 8 of its 48 placements.
  for (int b = 0; b < 2; ++b) {
    int usable = 0;
    for (int q = p.prep.blocks[b].firstPlacement; q < p.prep.blocks[b].endPlacement; ++q)
      usable += p.prep.placementAvailable[q];
    EXPECT_EQ(p.prep.blocks[b].endPlacement - p.prep.blocks[b].firstPlacement, 48);
    EXPECT_EQ(usable, 8) << b;
  }
}

TEST(PrepareConstraints, FilterRunsUntilNothingChanges) {
  // A chain 0-1-2 of face-axis hinges in a row of three cells: the middle
  // cube can only stand in the middle, which the filter finds in two passes
  // (ends first lose the placements whose partner leaves the row, then the
  // middle loses those whose partners were removed).
  TaskState t = MakeTask({"###"}, {{"###"}});
  SetLink(t, 1, 0, AxisX);
  SetLink(t, 2, 0, AxisX);
  Prepared p(t);
  ASSERT_TRUE(p.ok);
  for (int q = p.prep.blocks[1].firstPlacement; q < p.prep.blocks[1].endPlacement; ++q) {
    if (p.prep.placementAvailable[q]) {
      EXPECT_EQ(p.prep.placements[q].cells[0], 1) << q;
    }
  }
  for (int q = p.prep.blocks[0].firstPlacement; q < p.prep.blocks[0].endPlacement; ++q) {
    if (!p.prep.placementAvailable[q]) continue;
    EXPECT_NE(p.prep.placements[q].cells[0], 1) << q;
    // Every remaining candidate is itself available.
    const LinkConstraint& c = p.prep.placements[q].constraints[0];
    for (int i = 0; i < c.candidateCount; ++i) EXPECT_EQ(p.prep.placementAvailable[c.candidates[i]], 1);
  }
}

TEST(PrepareConstraints, HingeListHasEveryHingeOnceWithBothEdges) {
  TaskState t = MakeTask({"###", "#.."}, {{"###", "#.."}});
  SetLink(t, 1, 0, AxisX);   // cubes 0-1, face-axis
  SetLink(t, 2, 0, EdgeX2);  // cubes 1-2: side codes 1 (edge 6) and 11 (edge 7)
  SetLink(t, 0, 1, RigidY);  // cubes 0-3: rigid, not a hinge
  Prepared p(t);
  ASSERT_TRUE(p.ok);
  ASSERT_EQ(p.prep.hingeCount, 2);
  const HingeLink& a = p.prep.hinges[0];
  const HingeLink& b = p.prep.hinges[1];
  EXPECT_EQ(std::tie(a.lower, a.higher, a.lowerEdge, a.higherEdge), std::make_tuple(0, 1, 12, 12));
  EXPECT_EQ(std::tie(b.lower, b.higher, b.lowerEdge, b.higherEdge), std::make_tuple(1, 2, 6, 7));
  EXPECT_EQ(p.prep.blockCount, 3);
  EXPECT_EQ(p.prep.blocks[0].cubeCount, 2);  // cubes 0 and 3
  EXPECT_EQ(p.prep.blocks[0].cubes[1], 3);
}

TEST(PrepareMemory, RefusedPoolEndsPreparation) {
  const TaskState t = MakeTask({"##"}, {{"##"}});
  const Validation v = ValidateTask(t);
  BlockPool pool(1);  // not even one block
  ByteKeySet keys;
  PreparedSearch prep;
  EXPECT_FALSE(PrepareSearch(t, v.links, pool, keys, prep));
  EXPECT_TRUE(pool.Exhausted());
}

}  // namespace
}  // namespace zv
