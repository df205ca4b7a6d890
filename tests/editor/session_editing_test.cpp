// The session's editing rules without a window: what a figure press decides
// for its drag, the 254-cube limit, the form drag, the commands refused
// outside edit mode, resizing with the occupied box pushed inside, steps
// that would leave the grid, undo and redo, and numbering mode.
#include <gtest/gtest.h>

#include "editor/editor_session.h"
#include "model/task_invariants.h"
#include "tests/editor/session_helpers.h"
#include "tests/support/task_builder.h"

namespace zv {
namespace {

using test::FigurePx;
using test::FigurePy;

bool CubeAt(const EditorSession& s, int x, int y) {
  return (s.task().figure.Cells[FigureCellIndex(x, y)] & kCubeBit) != 0;
}

bool LinkAt(const EditorSession& s, int x, int y, int bit) {
  return (s.task().figure.Cells[FigureCellIndex(x, y)] & BitMask(bit)) != 0;
}

EditorSession& Load(EditorSession& s, const TaskState& task) {
  s.ReplaceTask(task);
  return s;
}

TEST(FigureDrag, PressDecidesWhetherTheDragAddsOrErases) {
  EditorSession s;
  Load(s, test::MakeTask({"#...."}, {{"#"}}));
  // A press on an empty cell adds, and the drag then only adds.
  EXPECT_TRUE(s.FigurePress(FigurePx(1), FigurePy(0), false).figure);
  EXPECT_TRUE(s.FigureDrag(FigurePx(2), FigurePy(0), false).figure);
  EXPECT_FALSE(s.FigureDrag(FigurePx(0), FigurePy(0), false).figure);  // a cube stays
  s.FigureRelease();
  EXPECT_FALSE(s.FigureDrag(FigurePx(3), FigurePy(0), false).figure);  // released: no drag
  // A press on a cube erases, and the drag only erases.
  s.FigurePress(FigurePx(0), FigurePy(0), false);
  s.FigureDrag(FigurePx(1), FigurePy(0), false);
  EXPECT_FALSE(s.FigureDrag(FigurePx(1), FigurePy(1), false).figure);  // an empty cell stays empty
  s.FigureRelease();
  EXPECT_FALSE(CubeAt(s, 0, 0));
  EXPECT_FALSE(CubeAt(s, 1, 0));
  EXPECT_TRUE(CubeAt(s, 2, 0));
  EXPECT_FALSE(CubeAt(s, 1, 1));
}

TEST(FigureDrag, LinkModesDrawChainsAndTheRightButtonDrawsCubes) {
  EditorSession s;
  Load(s, test::MakeTask({"####", "####"}, {{"#"}}));
  s.SetDrawMode(DrawMode::Rigid);
  // Left part of cell (1, 0): RigidX stored in (1, 0); then the same for (2, 0) and (3, 0).
  s.FigurePress(FigurePx(1, 5), FigurePy(0), false);
  s.FigureDrag(FigurePx(2, 5), FigurePy(0), false);
  s.FigureDrag(FigurePx(3, 5), FigurePy(0), false);
  s.FigureRelease();
  for (int x = 1; x <= 3; ++x) EXPECT_TRUE(LinkAt(s, x, 0, RigidX)) << x;
  // A drag that starts on a set joint erases and leaves clear ones clear.
  s.FigurePress(FigurePx(3, 5), FigurePy(0), false);
  s.FigureDrag(FigurePx(1, 5), FigurePy(1), false);  // clear: stays clear
  s.FigureDrag(FigurePx(2, 5), FigurePy(0), false);
  s.FigureRelease();
  EXPECT_FALSE(LinkAt(s, 3, 0, RigidX));
  EXPECT_FALSE(LinkAt(s, 2, 0, RigidX));
  EXPECT_FALSE(LinkAt(s, 1, 1, RigidX));
  EXPECT_TRUE(LinkAt(s, 1, 0, RigidX));
  // The central square hits nothing and starts no drag.
  EXPECT_EQ(s.FigurePress(FigurePx(2), FigurePy(0), false), Changes{});
  EXPECT_EQ(s.FigureDrag(FigurePx(2, 5), FigurePy(1), false), Changes{});
  // The right button erases and adds cubes in a link mode.
  s.FigurePress(FigurePx(0), FigurePy(1), true);
  EXPECT_FALSE(CubeAt(s, 0, 1));
  // Edge hinges: one press each, a drag draws nothing.
  s.FigureRelease();
  s.SetDrawMode(DrawMode::EdgeHinges);
  s.FigurePress(FigurePx(2, 45), FigurePy(0), false);  // EdgeX1 stored in (3, 0)
  EXPECT_TRUE(LinkAt(s, 3, 0, EdgeX1));
  EXPECT_EQ(s.FigureDrag(FigurePx(1, 45), FigurePy(0), false), Changes{});
}

// A quick drag reaches every cell between two pointer events, in the
// figure (cubes and numbers) and in the form, across the layers too.
TEST(FigureDrag, AQuickMoveFillsEveryCellOnItsWay) {
  EditorSession s;
  Load(s, test::MakeTask({"......", "......"}, {{".....", "....."}, {".....", "....."}}));
  s.FigurePress(FigurePx(0), FigurePy(0), false);
  s.FigureDrag(FigurePx(5), FigurePy(1), false);  // one event, five cells and a row away
  s.FigureRelease();
  EXPECT_EQ(s.validation().cubeCount, 6);
  for (int x = 0; x < 3; ++x) EXPECT_TRUE(CubeAt(s, x, 0)) << x;
  for (int x = 3; x < 6; ++x) EXPECT_TRUE(CubeAt(s, x, 1)) << x;

  const int depth = s.task().form.FormDepth;
  s.FormPress(FormCellLeft(0) + 25, FormCellTop(0, 0, depth) + 25);
  s.FormDrag(FormCellLeft(4) + 25, FormCellTop(0, 0, depth) + 25);
  s.FormDrag(FormCellLeft(4) + 25, FormCellTop(1, 1, depth) + 25);  // down through the gap between layers
  s.FormRelease();
  for (int x = 0; x < 5; ++x) EXPECT_EQ(s.task().form.At(FormCellIndex(x, 0, 0)), 1) << x;
  EXPECT_EQ(s.task().form.At(FormCellIndex(4, 1, 0)), 1);
  EXPECT_EQ(s.task().form.At(FormCellIndex(4, 0, 1)), 1);
  EXPECT_EQ(s.task().form.At(FormCellIndex(4, 1, 1)), 1);
  EXPECT_EQ(s.validation().formCellCount, 8);
}

TEST(FigureDrag, TheCubeLimitRefusesAndEndsTheDrag) {
  EditorSession s;
  TaskState t;
  t.figure.FigureWidth = t.figure.FigureDepth = 16;
  for (int i = 0; i < kMaxCubes; ++i) t.figure.Cells[FigureCellIndex(i % 16, i / 16)] = kCubeBit;
  ResetNumbering(t.figure);
  Load(s, t);
  const Changes refused = s.FigurePress(FigurePx(14), FigurePy(15), false);
  EXPECT_EQ(refused.refusal, Refusal::TooManyCubes);
  EXPECT_FALSE(refused.figure);
  EXPECT_EQ(s.FigureDrag(FigurePx(15), FigurePy(15), false), Changes{});  // no box again: no drag
  EXPECT_EQ(s.validation().cubeCount, kMaxCubes);
  // Erasing still works, and filling a 16 x 16 figure is refused.
  EXPECT_TRUE(s.FigurePress(FigurePx(0), FigurePy(0), false).figure);
  EXPECT_EQ(s.FillFigure().refusal, Refusal::TooManyCubesToFill);
}

TEST(FormDrag, PressSetsOrClearsAndTheDragFollows) {
  EditorSession s;
  Load(s, test::MakeTask({"##"}, {{"#..", "..."}, {"...", "..."}}));
  const int d = 2;
  EXPECT_TRUE(s.FormPress(test::FormPx(1), test::FormPy(0, 0, d)).form);
  s.FormDrag(test::FormPx(1), test::FormPy(1, 0, d));
  EXPECT_FALSE(s.FormDrag(test::FormPx(1), test::FormPy(0, 0, d)).form);  // set already
  s.FormRelease();
  const FormState& b = s.task().form;
  EXPECT_EQ(b.At(FormCellIndex(1, 0, 0)), 1);
  EXPECT_EQ(b.At(FormCellIndex(1, 1, 0)), 1);
  EXPECT_EQ(s.validation().formCellCount, 3);
  s.FormPress(test::FormPx(0), test::FormPy(0, 0, d));  // a set cell: the drag clears
  s.FormDrag(test::FormPx(1), test::FormPy(0, 0, d));
  EXPECT_EQ(CountFormCells(b), 1);
}

// Resizing: within 1..limit, never below the occupied extent, and the box is
// pushed inside when the new border crosses it.
TEST(Resize, ClampsAndPushesTheOccupiedBoxInside) {
  struct Case {
    GridAxis axis;
    int requested;
    int expectedSize;
    int shiftX, shiftY, shiftZ;  // how far the occupied cells moved
  };
  // Figure: cubes at x 3..4, y 1 of a 6 x 3 figure; form: cells at x 2..3,
  // y 0, z 1..2 of a 5 x 2 x 4 form.
  const Case cases[] = {
      {GridAxis::FigureX, 4, 4, -1, 0, 0},
      {GridAxis::FigureX, 1, 2, -3, 0, 0},
      {GridAxis::FigureX, 99, kMaxFigureSide, 0, 0, 0},
      {GridAxis::FigureY, 0, 1, 0, -1, 0},
      {GridAxis::FormX, 3, 3, -1, 0, 0},
      {GridAxis::FormZ, 2, 2, 0, 0, -1},
      {GridAxis::FormZ, 20, kMaxFormHeight, 0, 0, 0},
      {GridAxis::FormY, 1, 1, 0, 0, 0},
  };
  for (const Case& c : cases) {
    EditorSession s;
    TaskState t =
        test::MakeTask({"......", "...##.", "......"},
                       {{".....", "....."}, {"..##.", "....."}, {"..##.", "....."}, {".....", "....."}});
    Load(s, t);
    const bool figure = c.axis == GridAxis::FigureX || c.axis == GridAxis::FigureY;
    const Changes ch = s.Resize(c.axis, c.requested);
    EXPECT_TRUE(ch.size);
    const TaskState& now = s.task();
    const int size[] = {now.figure.FigureWidth, now.figure.FigureDepth, now.form.FormWidth,
                        now.form.FormDepth, now.form.FormHeight};
    EXPECT_EQ(size[static_cast<int>(c.axis)], c.expectedSize) << c.requested;
    if (figure) {
      EXPECT_TRUE(CubeAt(s, 3 + c.shiftX, 1 + c.shiftY)) << c.requested;
      EXPECT_TRUE(CubeAt(s, 4 + c.shiftX, 1 + c.shiftY)) << c.requested;
      EXPECT_EQ(s.validation().cubeCount, 2);
    } else {
      EXPECT_EQ(now.form.At(FormCellIndex(2 + c.shiftX, c.shiftY, 1 + c.shiftZ)), 1) << c.requested;
      EXPECT_EQ(now.form.At(FormCellIndex(3 + c.shiftX, c.shiftY, 2 + c.shiftZ)), 1) << c.requested;
      EXPECT_EQ(s.validation().formCellCount, 4);
    }
    EXPECT_TRUE(CheckTaskInvariants(now).ok());
  }
}

TEST(Resize, ThePresentSizeIsKeptAndShownAgain) {
  EditorSession s;
  Load(s, test::MakeTask({"##.."}, {{"#"}}));
  EXPECT_EQ(s.Resize(GridAxis::FigureX, 4), Changes{.sizeKept = true});
  EXPECT_EQ(s.Resize(GridAxis::FigureX, 1).sizeKept, false);  // clamps to 2, the extent
  EXPECT_EQ(s.task().figure.FigureWidth, 2);
  EXPECT_EQ(s.Resize(GridAxis::FigureX, 0), Changes{.sizeKept = true});  // clamps to 2 again
}

TEST(Shift, StepsStopAtTheGridAndTheOriginMoveIsOnce) {
  EditorSession s;
  Load(s, test::MakeTask({"...", ".#.", "..."}, {{"#.", ".."}}));
  EXPECT_TRUE(s.ShiftFigureBy(1, 1).figure);
  EXPECT_TRUE(CubeAt(s, 2, 2));
  // A shift without room changes nothing and says why.
  const Changes atBorder{.shiftRefusal = ShiftRefusal::AtBorder};
  EXPECT_EQ(s.ShiftFigureBy(1, 0), atBorder);  // the right border
  EXPECT_EQ(s.ShiftFigureBy(0, 1), atBorder);  // the bottom border
  EXPECT_TRUE(s.MoveFigureToOrigin().figure);
  EXPECT_TRUE(CubeAt(s, 0, 0));
  EXPECT_EQ(s.MoveFigureToOrigin(), atBorder);  // already there
  EXPECT_EQ(s.ShiftFormBy(0, 0, 1), atBorder);  // one layer only
  EXPECT_TRUE(s.ShiftFormBy(1, 1, 0).form);
  EXPECT_EQ(s.task().form.At(FormCellIndex(1, 1, 0)), 1);
  EXPECT_TRUE(s.MoveFormToOrigin().form);
  EXPECT_EQ(s.task().form.At(FormCellIndex(0, 0, 0)), 1);
  s.ClearForm();
  EXPECT_EQ(s.ShiftFormBy(-1, 0, 0), Changes{.shiftRefusal = ShiftRefusal::Empty});  // nothing to move
}

TEST(UndoRedo, RestoreRecordedFiguresAndTheirSizes) {
  EditorSession s;
  Load(s, test::MakeTask({"#.."}, {{"#"}}));
  EXPECT_FALSE(s.canUndo());
  s.FigurePress(FigurePx(1), FigurePy(0), false);
  s.FigureRelease();
  s.Resize(GridAxis::FigureX, 5);
  const Changes undone = s.Undo();
  EXPECT_TRUE(undone.size);
  EXPECT_EQ(s.task().figure.FigureWidth, 3);
  EXPECT_TRUE(CubeAt(s, 1, 0));
  s.Undo();
  EXPECT_FALSE(CubeAt(s, 1, 0));
  EXPECT_EQ(s.validation().cubeCount, 1);
  EXPECT_FALSE(s.canUndo());
  EXPECT_EQ(s.Undo(), Changes{});
  s.Redo();
  s.Redo();
  EXPECT_EQ(s.task().figure.FigureWidth, 5);
  EXPECT_FALSE(s.canRedo());
  // A new session starts its history with its empty figure.
  EditorSession fresh;
  fresh.FigurePress(FigurePx(0), FigurePy(0), false);
  EXPECT_TRUE(fresh.Undo().figure);
  EXPECT_EQ(fresh.validation().cubeCount, 0);
}

TEST(Numbering, PressesAndDragsHandOutTheListsNumbers) {
  EditorSession s;
  test::NumberList numbers;
  s.SetNumberSource(&numbers);
  Load(s, test::MakeTask({"###"}, {{"###"}}));
  numbers.Fill(3);
  EXPECT_TRUE(s.SetNumberingMode(true).numbering);
  s.FigurePress(FigurePx(2), FigurePy(0), false);  // number 0 to the third cube
  s.FigureDrag(FigurePx(1), FigurePy(0), false);   // number 1
  s.FigureDrag(FigurePx(1), FigurePy(0), false);   // the same cell: nothing
  s.FigureDrag(FigurePx(0), FigurePy(0), false);   // number 2, the list wraps
  s.FigureDrag(FigurePx(2), FigurePy(0), false);   // wrapped: the drag hands out no more
  s.FigureRelease();
  const FigureState& f = s.task().figure;
  EXPECT_EQ(f.NumberAtCell[FigureCellIndex(2, 0)], 0);
  EXPECT_EQ(f.NumberAtCell[FigureCellIndex(1, 0)], 1);
  EXPECT_EQ(f.NumberAtCell[FigureCellIndex(0, 0)], 2);
  EXPECT_TRUE(CheckTaskInvariants(s.task()).ok());
  // A number beyond the cube count (the list was filled for more) is never given.
  numbers.Fill(5);
  for (int i = 0; i < 3; ++i) numbers.TakeNumber();
  EXPECT_EQ(s.FigurePress(FigurePx(0), FigurePy(0), false), Changes{});
  // Choosing a drawing mode ends numbering mode; the norm resets the numbers.
  EXPECT_TRUE(s.SetDrawMode(DrawMode::Cubes).numbering);
  EXPECT_FALSE(s.numberingMode());
  s.ResetNumbering();
  EXPECT_TRUE(IsDefaultNumbering(s.task().figure));
}

TEST(Numbering, UndoInNumberingModeFillsTheListAgain) {
  EditorSession s;
  Load(s, test::MakeTask({"#.."}, {{"#"}}));
  s.FigurePress(FigurePx(1), FigurePy(0), false);
  s.FigureRelease();
  EXPECT_EQ(s.NumberListSize(), 2);
  EXPECT_FALSE(s.Undo().numberList);  // outside numbering mode there is no list
  s.Redo();
  s.SetNumberingMode(true);
  EXPECT_TRUE(s.Undo().numberList);
  EXPECT_EQ(s.NumberListSize(), 1);
  EXPECT_TRUE(s.Redo().numberList);
  EXPECT_EQ(s.NumberListSize(), 2);
  // A task file may hold more cubes than the list can number.
  TaskState big = test::MakeTask({"###############"}, {{"#"}});
  big.figure.FigureDepth = 17;
  for (int y = 1; y < 17; ++y)
    for (int x = 0; x < 15; ++x) big.figure.Cells[FigureCellIndex(x, y)] = kCubeBit;
  ResetNumbering(big.figure);
  Load(s, big);
  EXPECT_EQ(s.validation().cubeCount, 255);
  EXPECT_EQ(s.NumberListSize(), 254);
}

TEST(WorkMode, NoEditOutsideEditModeAndTheTableOfControls) {
  EditorSession s;
  Load(s, test::MakeTask({"##"}, {{"##"}}));
  EXPECT_TRUE(s.BeginSolving().mode);
  const TaskState before = s.task();
  EXPECT_EQ(s.FigurePress(FigurePx(0), FigurePy(0), false), Changes{});
  EXPECT_EQ(s.FormPress(test::FormPx(0), test::FormPy(0, 0, 1)), Changes{});
  EXPECT_EQ(s.ClearFigure(), Changes{});
  EXPECT_EQ(s.FillForm(), Changes{});
  EXPECT_EQ(s.Resize(GridAxis::FormX, 9), Changes{});
  EXPECT_EQ(s.ShiftFigureBy(1, 0), Changes{});
  EXPECT_EQ(s.Undo(), Changes{});
  EXPECT_EQ(s.ReplaceTask(TaskState{}), Changes{});  // no task is loaded under a run
  EXPECT_EQ(s.task(), before);

  const struct {
    WorkMode mode;
    ModeControls controls;
  } table[] = {
      {WorkMode::Edit, {false, false, true, true, true, true}},
      {WorkMode::SolutionView, {true, true, true, false, false, true}},
      {WorkMode::Solving, {false, true, false, false, false, false}},
  };
  for (const auto& row : table) {
    const ModeControls c = ControlsOf(row.mode);
    EXPECT_EQ(c.solPVisible, row.controls.solPVisible);
    EXPECT_EQ(c.resPVisible, row.controls.resPVisible);
    EXPECT_EQ(c.linksPEnabled, row.controls.linksPEnabled);
    EXPECT_EQ(c.edit1PVisible, row.controls.edit1PVisible);
    EXPECT_EQ(c.editingEnabled, row.controls.editingEnabled);
    EXPECT_EQ(c.openEnabled, row.controls.openEnabled);
  }
}

}  // namespace
}  // namespace zv
