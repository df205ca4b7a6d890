// The selection of a cell in the window: clicks on the form and on the
// figure, the selection kept across solutions, and the pixels of the
// selected and linked cells (the marks themselves are checked in
// tests/editor/solution_marks_test.cpp).
#include "editor/solution_marks.h"
#include "model/validation.h"
#include "solver/rotations.h"
#include "tests/support/task_builder.h"
#include "tests/ui/solve_helpers.h"
#include "ui/pictures/view_colors.h"

namespace zv {

using namespace zv::test;

namespace {

TaskState Pair(int bit) {
  TaskState t = MakeTask({"##"}, {{"##"}});
  SetLink(t, 1, 0, bit);
  return t;
}

constexpr CellIndex kLeft = FormCellIndex(0, 0, 0), kRight = FormCellIndex(1, 0, 0);

// The set slots of one row of axis marks.
QList<int> SetSlots(const SolutionViewData& view, int row) {
  QList<int> marks;
  for (int i = 0; i < kAxisSlots; ++i)
    if (view.axisMarks[row][i]) marks << i;
  return marks;
}

}  // namespace

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
    QCOMPARE(int(s->cubeAt[kLeft.value()]), 1);
    QCOMPARE(int(s->rotationAt[kLeft.value()]), 0);
    QCOMPARE(int(s->rotationAt[kRight.value()]), 0);
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
    QCOMPARE(s->selectedCell, kNoSelectedCell);
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
    QCOMPARE(s->selectedCell, kNoSelectedCell);
    const FigureState before = W().task().figure;
    ClickFigureCell(W(), 0, 0);
    QVERIFY(W().task().figure == before);  // a press selects; it never edits
  }

  void faceHingeIsDrawnAcrossTheSharedSide() {
    SolvePair(AxisX);
    QCOMPARE(int(W().shownSolution()->faceHingeMarks[kRight.value()]), int(HingeToLeft));
    QCOMPARE(Pixel(FormPoint(W(), 1, 0, 0, 5, 25)), kGreen);
  }

  void rigidJointLeavesTheSharedSideOut() {
    // In edit mode the side between the two cells is a black line; in
    // solution view a rigid joint leaves it out.
    LoadTask(*fx_, Pair(RigidX));
    QCOMPARE(Pixel(FormPoint(W(), 0, 0, 0, 50, 25)), kBlack);
    ClickButton(W(), "SolveBt");
    QCOMPARE(int(W().shownSolution()->rigidMarks[kLeft.value()]), int(RigidToRight));
    QCOMPARE(Pixel(FormPoint(W(), 0, 0, 0, 50, 25)), W().cubeColor());
  }

  void selectionIsKeptAcrossSolutions() {
    TaskState t = MakeTask({"##"}, {{"###"}});
    t.EmptyCells = true;
    LoadTask(*fx_, t);
    ClickButton(W(), "SolveBt");
    QCOMPARE(LabelText(W(), "SolL"), QStringLiteral("1 из 2"));
    const CellIndex middle = FormCellIndex(1, 0, 0);
    ClickFormCell(W(), 1, 0, 0);
    QCOMPARE(W().shownSolution()->selectedCell, middle);
    const int firstCube = W().shownSolution()->cubeAt[middle.value()];
    ClickButton(W(), "NextSolBt");
    QCOMPARE(W().shownSolution()->selectedCell, middle);
    QVERIFY(W().shownSolution()->cubeAt[middle.value()] != firstCube);  // one of them leaves it empty
    QCOMPARE(FormCellFill(W(), 1, 0, 0), kLightBlue);                   // empty or not, shown selected
  }
};

}  // namespace zv

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  int status = 0;
  {
    zv::SelectionWindowTest t;
    status |= QTest::qExec(&t, argc, argv);
  }
  return status;
}

#include "solution_selection_test.moc"
