// The undo ring (kept here with figure snapshots): what is recorded, how far undo reaches, and how a
// new change drops the redo states.
#include "model/undo_history.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

// A distinct figure for every i: the counter written into two cell words.
FigureState Numbered(int i) {
  FigureState f;
  f.Cells[FigureCellIndex(0, 0)] = static_cast<FigureCell>(i & 0x7FFF);
  f.Cells[FigureCellIndex(1, 0)] = static_cast<FigureCell>(i >> 15);
  return f;
}

int CounterOf(const FigureState& f) {
  return f.Cells[FigureCellIndex(0, 0)] | (f.Cells[FigureCellIndex(1, 0)] << 15);
}

TEST(UndoHistory, EmptyHistoryHasNothingToUndoOrRedo) {
  UndoRing<FigureState> h;
  EXPECT_FALSE(h.CanUndo());
  EXPECT_FALSE(h.CanRedo());
  EXPECT_EQ(h.Undo(), nullptr);
  EXPECT_EQ(h.Redo(), nullptr);
}

TEST(UndoHistory, FirstRecordCannotBeUndone) {
  UndoRing<FigureState> h;
  h.Record(Numbered(1));
  EXPECT_FALSE(h.CanUndo());
  h.Record(Numbered(2));
  EXPECT_TRUE(h.CanUndo());
  EXPECT_FALSE(h.CanRedo());

  h.Reset();
  EXPECT_FALSE(h.CanUndo());
  h.Record(Numbered(3));  // the opened task's figure
  EXPECT_FALSE(h.CanUndo());
  EXPECT_EQ(h.Undo(), nullptr);
}

TEST(UndoHistory, UndoAndRedoStepThroughTheStates) {
  UndoRing<FigureState> h;
  for (int i = 1; i <= 3; ++i) h.Record(Numbered(i));
  const FigureState* s = h.Undo();
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(CounterOf(*s), 2);
  EXPECT_TRUE(h.CanRedo());
  s = h.Undo();
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(CounterOf(*s), 1);
  EXPECT_FALSE(h.CanUndo());
  EXPECT_EQ(h.Undo(), nullptr);
  s = h.Redo();
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(CounterOf(*s), 2);
  s = h.Redo();
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(CounterOf(*s), 3);
  EXPECT_FALSE(h.CanRedo());
  EXPECT_EQ(h.Redo(), nullptr);
}

TEST(UndoHistory, NewChangeAfterUndoDropsTheRedoStates) {
  UndoRing<FigureState> h;
  for (int i = 1; i <= 3; ++i) h.Record(Numbered(i));
  h.Undo();
  h.Undo();               // at 1
  h.Record(Numbered(4));  // 1, 4
  EXPECT_FALSE(h.CanRedo());
  EXPECT_EQ(h.Redo(), nullptr);
  const FigureState* s = h.Undo();
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(CounterOf(*s), 1);
  EXPECT_FALSE(h.CanUndo());
  s = h.Redo();
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(CounterOf(*s), 4);
}

TEST(UndoHistory, RedrawOfTheRestoredStateRecordsNothing) {
  // The window redraws a restored state without recording, but a later
  // recorded redraw of the same figure must not count as a change either.
  UndoRing<FigureState> h;
  h.Record(Numbered(1));
  h.Record(Numbered(2));
  const FigureState restored = *h.Undo();
  h.Record(restored);
  EXPECT_TRUE(h.CanRedo());
  EXPECT_FALSE(h.CanUndo());
}

TEST(UndoHistory, ComparesDimensionsCellsAndNumbersOnly) {
  UndoRing<FigureState> h;
  FigureState f = Numbered(1);
  h.Record(f);
  f.NumberAtCell[40] = 7;  // derived arrays are not compared
  f.CubeOfNumber[3] = 9;
  h.Record(f);
  EXPECT_FALSE(h.CanUndo());

  for (int change = 0; change < 4; ++change) {
    UndoRing<FigureState> g;
    FigureState a = Numbered(1);
    g.Record(a);
    switch (change) {
      case 0:
        a.FigureWidth = 5;
        break;
      case 1:
        a.FigureDepth = 7;
        break;
      case 2:
        a.Cells[FigureCellIndex(29, 29)] = kCubeBit;
        break;
      case 3:
        a.NumberOfCube[255] = 1;
        break;
    }
    g.Record(a);
    EXPECT_TRUE(g.CanUndo()) << "change " << change;
  }
}

TEST(UndoHistory, KeepsTheLatest500States) {
  UndoRing<FigureState> h;
  for (int i = 0; i < 600; ++i) h.Record(Numbered(i));
  const FigureState* s = nullptr;
  int undos = 0;
  while (h.CanUndo()) {
    s = h.Undo();
    ASSERT_NE(s, nullptr);
    ++undos;
  }
  EXPECT_EQ(undos, 499);
  EXPECT_EQ(CounterOf(*s), 100);  // states 100..599 are kept
  EXPECT_EQ(h.Undo(), nullptr);
  int redos = 0;
  while (h.CanRedo()) {
    s = h.Redo();
    ++redos;
  }
  EXPECT_EQ(redos, 499);
  EXPECT_EQ(CounterOf(*s), 599);
}

TEST(UndoHistory, RecordAfterUndoAcrossTheRingBoundary) {
  // With the ring full, a record after undos must not give up the oldest
  // state: it lands on a slot freed by the dropped redo states.
  UndoRing<FigureState> h;
  for (int i = 0; i < 700; ++i) h.Record(Numbered(i));
  for (int i = 0; i < 3; ++i) h.Undo();  // at 696
  h.Record(Numbered(1000));
  int undos = 0;
  const FigureState* s = nullptr;
  while (h.CanUndo()) {
    s = h.Undo();
    ++undos;
  }
  EXPECT_EQ(undos, 497);  // 200..696, then 1000
  EXPECT_EQ(CounterOf(*s), 200);
}

TEST(RestoreFigure, CopiesEverythingAndTellsWhenTheSizeChanged) {
  FigureState snapshot = Numbered(5);
  snapshot.NumberAtCell[33] = 4;
  snapshot.CubeOfNumber[4] = 0;
  snapshot.NumberOfCube[0] = 4;
  FigureState figure;
  EXPECT_FALSE(RestoreFigure(snapshot, figure));
  EXPECT_EQ(figure, snapshot);
  snapshot.FigureWidth = 9;
  EXPECT_TRUE(RestoreFigure(snapshot, figure));
  EXPECT_EQ(figure.FigureWidth, 9);
  snapshot.FigureDepth = 1;
  EXPECT_TRUE(RestoreFigure(snapshot, figure));
}

}  // namespace
}  // namespace zv
