// The marks of a shown solution and the selection of a cell: the examples
// of two cubes side by side (edge hinges on either horizontal edge, a
// face-axis hinge, a rigid joint), vertical edges as dots and corner
// strokes, hinges to another layer as bars of the cell above or below, and
// in the window: clicks on the form and on the figure, the selection kept
// across solutions, and the pixels of the selected and linked cells.
#include "editor/solution_marks.h"
#include "model/validation.h"
#include "solver/rotations.h"
#include "tests/support/task_builder.h"
#include "tests/ui/solve_helpers.h"
#include "ui/view_colors.h"

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
    const std::int16_t cells[] = {FormCellIndex(0, 0, 0), FormCellIndex(1, 0, 0)};
    ShowSolutionMarks({cubes, rotations, cells}, v.links, view);
  }
};

TaskState Pair(int bit) {
  TaskState t = MakeTask({"##"}, {{"##"}});
  SetLink(t, 1, 0, bit);
  return t;
}

constexpr int kLeft = FormCellIndex(0, 0, 0), kRight = FormCellIndex(1, 0, 0);

// The set slots of one row of axis marks.
QList<int> SetSlots(const SolutionViewData& view, int row) {
  QList<int> marks;
  for (int i = 0; i < kAxisSlots; ++i)
    if (view.axisMarks[row][i]) marks << i;
  return marks;
}

}  // namespace

class SolutionMarksTest : public QObject {
  Q_OBJECT

 private slots:
  void edgeHingesOnTheLowerEdgeAreBarsOutsideTheSelectedCell() {
    SideBySide s(Pair(EdgeX1));
    SelectCellMarks(s.v.links, kLeft, s.view);
    QCOMPARE(SetSlots(s.view, 1), QList<int>{kAxisBar + 1});  // outside the right side
    QVERIFY(SetSlots(s.view, 0).isEmpty() && SetSlots(s.view, 2).isEmpty());
    QVERIFY(s.view.linkedNeighbour[kRight]);
    QVERIFY(!s.view.linkedNeighbour[kLeft]);
    SelectCellMarks(s.v.links, kRight, s.view);
    QCOMPARE(SetSlots(s.view, 1), QList<int>{kAxisBar + 3});  // outside the left side
    QVERIFY(s.view.linkedNeighbour[kLeft]);
    QVERIFY(!s.view.linkedNeighbour[kRight]);
  }

  void edgeHingesOnTheUpperEdgeAreBarsInsideTheSelectedCell() {
    SideBySide s(Pair(EdgeX2));
    SelectCellMarks(s.v.links, kLeft, s.view);
    QCOMPARE(SetSlots(s.view, 1), QList<int>{kAxisBar + 5});  // inside the right side
    SelectCellMarks(s.v.links, kRight, s.view);
    QCOMPARE(SetSlots(s.view, 1), QList<int>{kAxisBar + 7});  // inside the left side
  }

  void faceAxisHingeIsMarkedOnTheRightCubeOnly() {
    SideBySide s(Pair(AxisX));
    QCOMPARE(int(s.view.faceHingeMarks[kRight]), int(HingeToLeft));
    QCOMPARE(int(s.view.faceHingeMarks[kLeft]), 0);
    QCOMPARE(int(s.view.rigidMarks[kLeft] | s.view.rigidMarks[kRight]), 0);
    SelectCellMarks(s.v.links, kLeft, s.view);
    QVERIFY(s.view.linkedNeighbour[kRight]);  // a hinge, though without axis marks
    QVERIFY(SetSlots(s.view, 1).isEmpty());
  }

  void rigidJointIsMarkedOnTheLeftCubeAndLinksNothing() {
    SideBySide s(Pair(RigidX));
    QCOMPARE(int(s.view.rigidMarks[kLeft]), int(RigidToRight));
    QCOMPARE(int(s.view.rigidMarks[kRight]), 0);
    QCOMPARE(int(s.view.faceHingeMarks[kLeft] | s.view.faceHingeMarks[kRight]), 0);
    SelectCellMarks(s.v.links, kLeft, s.view);
    QCOMPARE(s.view.selectedCell, kLeft);
    QVERIFY(!s.view.linkedNeighbour[kRight]);
    for (int row = 0; row < 3; ++row) QVERIFY(SetSlots(s.view, row).isEmpty());
  }

  void verticalEdgesAreDotsOnTheSideFacingTheNeighbour() {
    // CornerXLower: the vertical edge at the top of the face between the two
    // cubes, the left cube's corner (+x, -y) and the right cube's (-x, -y).
    SideBySide s(Pair(CornerXLower));
    SelectCellMarks(s.v.links, kLeft, s.view);
    QCOMPARE(SetSlots(s.view, 1), QList<int>{kAxisDot + 1});  // right side, near the top
    SelectCellMarks(s.v.links, kRight, s.view);
    QCOMPARE(SetSlots(s.view, 1), QList<int>{kAxisDot + 7});  // left side, near the top
  }

  void diagonalNeighboursGetCornerStrokes() {
    TaskState t = MakeTask({"#.", ".#"}, {{"#.", ".#"}});
    SetLink(t, 1, 1, CornerDiag);
    const Validation v = ValidateTask(t);
    SolutionViewData view;
    const std::uint8_t cubes[] = {1, 2}, rotations[] = {0, 0};
    const std::int16_t cells[] = {FormCellIndex(0, 0, 0), FormCellIndex(1, 1, 0)};
    ShowSolutionMarks({cubes, rotations, cells}, v.links, view);
    SelectCellMarks(v.links, FormCellIndex(0, 0, 0), view);
    QCOMPARE(SetSlots(view, 1), QList<int>{kAxisCorner + 2});  // corner (+x, +y)
    SelectCellMarks(v.links, FormCellIndex(1, 1, 0), view);
    QCOMPARE(SetSlots(view, 1), QList<int>{kAxisCorner + 0});  // corner (-x, -y)
  }

  void aHingeToTheLayerAboveIsAnInnerBarOfThatCell() {
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
      const std::int16_t cells[] = {FormCellIndex(0, 0, 0), FormCellIndex(0, 0, 1)};
      ShowSolutionMarks({cubes, rotations, cells}, v.links, view);
      SelectCellMarks(v.links, FormCellIndex(0, 0, 0), view);
      // Inner bars 4..7: top, right, bottom, left.
      const int side = ev[0] == 1 ? 1 : ev[0] == -1 ? 3 : ev[1] == 1 ? 2 : 0;
      QCOMPARE(SetSlots(view, 2), QList<int>{kAxisBar + 4 + side});
      QVERIFY(SetSlots(view, 0).isEmpty() && SetSlots(view, 1).isEmpty());
      QVERIFY(view.linkedNeighbour[FormCellIndex(0, 0, 1)]);
    }
    QCOMPARE(tried, 8);  // each of the top face's four edges, by two rotations each
  }

  void anEmptyCellIsSelectedWithoutMarks() {
    TaskState t = Pair(EdgeX1);
    const Validation v = ValidateTask(t);
    SolutionViewData view;
    const std::uint8_t cubes[] = {1, 0, 2}, rotations[] = {0, 0, 0};
    const std::int16_t cells[] = {FormCellIndex(0, 0, 0), FormCellIndex(1, 0, 0), FormCellIndex(2, 0, 0)};
    ShowSolutionMarks({cubes, rotations, cells}, v.links, view);
    QCOMPARE(int(view.cubePosition[1]), FormCellIndex(2, 0, 0));
    SelectCellMarks(v.links, FormCellIndex(1, 0, 0), view);
    QCOMPARE(view.selectedCell, FormCellIndex(1, 0, 0));
    for (int row = 0; row < 3; ++row) QVERIFY(SetSlots(view, row).isEmpty());
    QVERIFY(std::none_of(view.linkedNeighbour.begin(), view.linkedNeighbour.end(), [](bool b) { return b; }));
  }
};

class SelectionWindowTest : public QObject {
  Q_OBJECT

 private:
  WindowFixture* fx_ = nullptr;
  TZvForm& W() { return *fx_->window; }

  // Loads the pair task and solves it; its one solution must put cube 0
  // at the left with rotation 0.
  void SolvePair(int bit) {
    LoadTask(*fx_, Pair(bit));
    ClickButton(W(), "SolveBt");
    QCOMPARE(LabelText(W(), "SolL"), QStringLiteral("1 из 1"));
    const SolutionViewData* s = W().shownSolution();
    QVERIFY(s != nullptr);
    QCOMPARE(int(s->cubeAt[kLeft]), 1);
    QCOMPARE(int(s->rotationAt[kLeft]), 0);
    QCOMPARE(int(s->rotationAt[kRight]), 0);
  }
  QColor Pixel(QPoint p) { return ImB(W())->image().pixelColor(p); }

 private slots:
  void init() {
    fx_ = new WindowFixture;
    QVERIFY(fx_->StartShown());
  }
  void cleanup() {
    fx_->CloseWithoutSaving();
    delete fx_;
  }

  void clicksOnTheFormSelectAndDeselect() {
    SolvePair(EdgeX1);
    ClickFormCell(W(), 0, 0, 0);
    const SolutionViewData* s = W().shownSolution();
    QCOMPARE(s->selectedCell, kLeft);
    QCOMPARE(SetSlots(*s, 1), QList<int>{kAxisBar + 1});
    QCOMPARE(FormCellFill(W(), 0, 0, 0), kLightBlue);
    QCOMPARE(FormCellFill(W(), 1, 0, 0), kLightGreen);
    QCOMPARE(Pixel(FormPoint(W(), 0, 0, 0, 56, 25)), kBlue);  // bar 1, just right of the cell
    ClickFormCell(W(), 1, 0, 0);
    QCOMPARE(s->selectedCell, kRight);
    QCOMPARE(SetSlots(*s, 1), QList<int>{kAxisBar + 3});
    QCOMPARE(Pixel(FormPoint(W(), 1, 0, 0, -6, 25)), kBlue);  // bar 3, just left of it
    ClickFormCell(W(), 1, 0, 0);
    QCOMPARE(s->selectedCell, 0);
    QCOMPARE(FormCellFill(W(), 0, 0, 0), W().cubeColor());
    QCOMPARE(FormCellFill(W(), 1, 0, 0), W().cubeColor());
  }

  void clicksOnTheFigureSelectTheCubesCell() {
    SolvePair(EdgeX2);
    ClickFigureCell(W(), 1, 0);  // cube 1 stands in the right cell
    const SolutionViewData* s = W().shownSolution();
    QCOMPARE(s->selectedCell, kRight);
    QCOMPARE(SetSlots(*s, 1), QList<int>{kAxisBar + 7});
    ClickFigureCell(W(), 0, 0);
    QCOMPARE(s->selectedCell, kLeft);
    QCOMPARE(SetSlots(*s, 1), QList<int>{kAxisBar + 5});
    ClickFigureCell(W(), 0, 0);  // the cube standing in the selected cell
    QCOMPARE(s->selectedCell, 0);
    const FigureState before = W().task().figure;
    ClickFigureCell(W(), 0, 0);
    QVERIFY(W().task().figure == before);  // a press selects; it never edits
  }

  void faceHingeIsDrawnAcrossTheSharedSide() {
    SolvePair(AxisX);
    QCOMPARE(int(W().shownSolution()->faceHingeMarks[kRight]), int(HingeToLeft));
    QCOMPARE(Pixel(FormPoint(W(), 1, 0, 0, 5, 25)), kGreen);
  }

  void rigidJointLeavesTheSharedSideOut() {
    // In edit mode the side between the two cells is a black line; in
    // solution view a rigid joint leaves it out.
    LoadTask(*fx_, Pair(RigidX));
    QCOMPARE(Pixel(FormPoint(W(), 0, 0, 0, 50, 25)), kBlack);
    ClickButton(W(), "SolveBt");
    QCOMPARE(int(W().shownSolution()->rigidMarks[kLeft]), int(RigidToRight));
    QCOMPARE(Pixel(FormPoint(W(), 0, 0, 0, 50, 25)), W().cubeColor());
  }

  void selectionIsKeptAcrossSolutions() {
    TaskState t = MakeTask({"##"}, {{"###"}});
    t.EmptyCells = true;
    LoadTask(*fx_, t);
    ClickButton(W(), "SolveBt");
    QCOMPARE(LabelText(W(), "SolL"), QStringLiteral("1 из 2"));
    const int middle = FormCellIndex(1, 0, 0);
    ClickFormCell(W(), 1, 0, 0);
    QCOMPARE(W().shownSolution()->selectedCell, middle);
    const int firstCube = W().shownSolution()->cubeAt[middle];
    ClickButton(W(), "NextSolBt");
    QCOMPARE(W().shownSolution()->selectedCell, middle);
    QVERIFY(W().shownSolution()->cubeAt[middle] != firstCube);  // one of them leaves it empty
    QCOMPARE(FormCellFill(W(), 1, 0, 0), kLightBlue);           // empty or not, shown selected
  }
};

}  // namespace zv

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  int status = 0;
  {
    zv::SolutionMarksTest t;
    status |= QTest::qExec(&t, argc, argv);
  }
  {
    zv::SelectionWindowTest t;
    status |= QTest::qExec(&t, argc, argv);
  }
  return status;
}

#include "solution_selection_test.moc"
