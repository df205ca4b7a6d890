// Shifting, resizing, fill and clear, and the undo ring of figure and form,
// all driven through the window's buttons, spin edits and keys.
#include <QCheckBox>
#include <QSpinBox>
#include <functional>
#include <vector>

#include "tests/support/task_builder.h"
#include "tests/ui/solve_helpers.h"

namespace zv {

using namespace zv::test;

class ShiftResizeUndoTest : public QObject {
  Q_OBJECT

 private:
  WindowFixture* fx_ = nullptr;
  TZvForm& W() { return *fx_->window; }
  QSpinBox* Spin(const char* name) { return Control<QSpinBox>(W(), name); }
  bool Cube(int x, int y) { return (CellWord(W(), x, y) & kCubeBit) != 0; }
  bool FormCell(int x, int y, int z) { return W().task().form.At(FormCellIndex(x, y, z)) != 0; }
  // Same cubes, links and numbers (the numbers at empty cells do not matter).
  bool SameFigure(const FigureState& a, const FigureState& b) {
    return a.FigureWidth == b.FigureWidth && a.FigureDepth == b.FigureDepth && a.Cells == b.Cells &&
           a.NumberOfCube == b.NumberOfCube;
  }

 private slots:
  void init() {
    fx_ = new WindowFixture;
    QVERIFY(fx_->StartShown());
  }
  void cleanup() {
    fx_->CloseWithoutSaving();
    delete fx_;
  }

  void figureShiftsStopAtTheBorderAndCarryLinksAndNumbers() {
    TaskState t = MakeTask({"##..", "#...", "...."}, {{"###"}});
    SetLink(t, 1, 0, EdgeX1);
    AssignNumber(t.figure, FigureCellIndex(0, 1), 0);  // the lower cube is number 1
    LoadTask(*fx_, t);
    const FigureState before = W().task().figure;
    ClickButton(W(), "MoveX0Bt");
    ClickButton(W(), "MoveY0Bt");
    QVERIFY(W().task().figure == before);
    QVERIFY(!Button(W(), "UndoBt")->isEnabled());  // nothing was recorded
    ClickButton(W(), "MoveX1Bt");
    ClickButton(W(), "MoveY2Bt");
    QVERIFY(Cube(1, 1) && Cube(2, 1) && Cube(1, 2) && !Cube(0, 0));
    QVERIFY(HasBit(W(), 2, 1, EdgeX1));
    QCOMPARE(W().task().figure.NumberAtCell[FigureCellIndex(1, 2)], std::uint8_t{0});
    ClickButton(W(), "MoveX1Bt");
    ClickButton(W(), "MoveX1Bt");  // the box touches the right border now
    QVERIFY(Cube(3, 1) && Cube(2, 2));
    ClickButton(W(), "MoveY2Bt");  // and the bottom border
    QVERIFY(Cube(3, 1) && Cube(2, 2));
    // To the corner in one step, undone in one step.
    ClickButton(W(), "Move0Bt");
    QVERIFY(SameFigure(W().task().figure, before));
    ClickButton(W(), "UndoBt");
    QVERIFY(Cube(3, 1) && Cube(2, 2));
  }

  void formShiftsInAllThreeDirections() {
    LoadTask(*fx_, MakeTask({"##"}, {{"##.", "...", "..."}, {"...", "...", "..."}}));
    ClickButton(W(), "MoveX0BBt");  // at the border: nothing
    ClickButton(W(), "MoveZ1BBt");
    ClickButton(W(), "MoveY1BBt");
    ClickButton(W(), "MoveX1BBt");
    QVERIFY(FormCell(1, 1, 1) && FormCell(2, 1, 1) && !FormCell(0, 0, 0));
    ClickButton(W(), "MoveZ1BBt");  // the last layer: nothing
    QVERIFY(FormCell(1, 1, 1));
    ClickButton(W(), "Move0BBt");
    QVERIFY(FormCell(0, 0, 0) && FormCell(1, 0, 0));
    QCOMPARE(CountFormCells(W().task().form), 2);
  }

  void widthBelowTheCubesIsTheirExtentAndPushesThemInside() {
    LoadTask(*fx_, MakeTask({"...####."}, {{"##"}}));
    Spin("XASE")->setValue(2);
    QCOMPARE(W().task().figure.FigureWidth, 4);
    QCOMPARE(Spin("XASE")->value(), 4);
    QVERIFY(Cube(0, 0) && Cube(3, 0) && !Cube(4, 0));
    QCOMPARE(CountCubes(W().task().figure), 4);
    Spin("XASE")->setValue(40);
    QCOMPARE(W().task().figure.FigureWidth, 30);
    QCOMPARE(Spin("XASE")->value(), 30);
  }

  void typedDimensionsApplyWhenEditingEndsAndSnapToTheirLimits() {
    QSpinBox* x = Spin("XASE");
    x->selectAll();
    QTest::keyClicks(x, QStringLiteral("40"));
    QCOMPARE(W().task().figure.FigureWidth, 4);  // nothing yet: the number may still grow
    QTest::keyClick(x, Qt::Key_Return);
    QCOMPARE(W().task().figure.FigureWidth, 30);
    QCOMPARE(x->value(), 30);
    QSpinBox* z = Spin("ZBSE");
    z->selectAll();
    QTest::keyClicks(z, QStringLiteral("12"));
    QTest::keyClick(z, Qt::Key_Return);
    QCOMPARE(W().task().form.FormHeight, 10);

    // Cubes at columns 6..8 of a 30-wide figure stay put while "12" is
    // typed: its "1" alone would clamp the width to 3 and push them left.
    TaskState t = MakeTask({std::string(6, '.') + "###" + std::string(21, '.')}, {{"###"}});
    LoadTask(*fx_, t);
    QCOMPARE(W().task().figure.FigureWidth, 30);
    Activate(W());
    x->setFocus();
    x->selectAll();
    QTest::keyClicks(x, QStringLiteral("12"));
    QTest::keyClick(x, Qt::Key_Tab);
    QCOMPARE(W().task().figure.FigureWidth, 12);
    QVERIFY(Cube(6, 0) && Cube(8, 0) && !Cube(0, 0));
    QTest::keyClick(x, Qt::Key_Up);  // the arrows act at once
    QCOMPARE(W().task().figure.FigureWidth, 13);
  }

  void heightZeroOnAnEmptyFormIsOneAndTheSpinShowsIt() {
    ClickButton(W(), "ClearBBt");
    Spin("ZBSE")->setValue(0);
    QCOMPARE(W().task().form.FormHeight, 1);
    QCOMPARE(Spin("ZBSE")->value(), 1);
    Spin("ZBSE")->setValue(0);  // already 1: the spin edit is set back
    QCOMPARE(Spin("ZBSE")->value(), 1);
  }

  void formDimensionsPushTheCellsInside() {
    LoadTask(*fx_, MakeTask({"##"}, {{"...##"}, {"....."}, {"....."}}));
    Spin("XBSE")->setValue(1);
    QCOMPARE(W().task().form.FormWidth, 2);
    QVERIFY(FormCell(0, 0, 0) && FormCell(1, 0, 0));
    Spin("ZBSE")->setValue(1);
    QCOMPARE(W().task().form.FormHeight, 1);
    QCOMPARE(CountFormCells(W().task().form), 2);
  }

  void fillClearAndTheTwoStagesOfClearLinks() {
    TaskState t = MakeTask({"###"}, {{"###"}});
    SetLink(t, 1, 0, AxisX);
    SetLink(t, 2, 0, RigidX);
    LoadTask(*fx_, t);
    ClickButton(W(), "ClearLinksBt");
    QVERIFY(!HasBit(W(), 1, 0, AxisX) && HasBit(W(), 2, 0, RigidX));
    ClickButton(W(), "ClearLinksBt");
    QVERIFY(!HasBit(W(), 2, 0, RigidX));
    ClickButton(W(), "ClearABt");
    QCOMPARE(CountCubes(W().task().figure), 0);
    ClickButton(W(), "FillABt");
    QCOMPARE(CountCubes(W().task().figure), 3);
    ClickButton(W(), "ClearBBt");
    QCOMPARE(CountFormCells(W().task().form), 0);
    ClickButton(W(), "FillBBt");
    QCOMPARE(CountFormCells(W().task().form), 3);
    Spin("XASE")->setValue(30);
    Spin("YASE")->setValue(9);  // 270 cells: refused with a box
    const int cubes = CountCubes(W().task().figure);
    ClickButton(W(), "FillABt");
    QCOMPARE(CountCubes(W().task().figure), cubes);
    QCOMPARE(fx_->services.messages.size(), std::size_t{1});
    QCOMPARE(fx_->services.messages[0].text, QStringLiteral("Количество кубиков не должно быть больше 254"));
    QCOMPARE(fx_->services.messages[0].caption, QStringLiteral("Операция невозможна"));
  }

  void theRingKeepsTheLast500States() {
    LoadTask(*fx_, MakeTask({".....", ".....", ".....", "....."}, {{"#"}}));
    // Change k (1..600) toggles the cube in cell (k mod 20); the figure
    // after k changes is simulated beside the window.
    std::vector<std::array<bool, 20>> states(1);
    states[0].fill(false);
    for (int k = 1; k <= 600; ++k) {
      const int i = k % 20;
      ClickFigureCell(W(), i % 5, i / 5);
      states.push_back(states.back());
      states.back()[i] = !states.back()[i];
    }
    auto matches = [&](int k) {
      for (int i = 0; i < 20; ++i)
        if (Cube(i % 5, i / 5) != states[k][i]) return false;
      return true;
    };
    QVERIFY(matches(600));
    QVERIFY(!Button(W(), "RedoBt")->isEnabled());
    for (int n = 1; n <= 499; ++n) {
      QVERIFY(Button(W(), "UndoBt")->isEnabled());
      ClickButton(W(), "UndoBt");
    }
    QVERIFY(matches(101));
    QVERIFY(!Button(W(), "UndoBt")->isEnabled());
    QVERIFY(Button(W(), "RedoBt")->isEnabled());
    ClickButton(W(), "RedoBt");
    ClickButton(W(), "RedoBt");
    QVERIFY(matches(103));
    // A new edit drops the redo states.
    ClickFigureCell(W(), 0, 3);
    QVERIFY(!Button(W(), "RedoBt")->isEnabled());
    QVERIFY(Button(W(), "UndoBt")->isEnabled());
    ClickButton(W(), "UndoBt");
    QVERIFY(matches(103));
  }

  void undoAcrossAWidthChangeRestoresSpinAndPicture() {
    LoadTask(*fx_, MakeTask({"##.."}, {{"##"}}));
    QWidget* panel = Control(W(), "ImAP");
    const int widthBefore = panel->width();
    Spin("XASE")->setValue(7);
    QCOMPARE(W().task().figure.FigureWidth, 7);
    QVERIFY(panel->width() > widthBefore);
    ClickButton(W(), "UndoBt");
    QCOMPARE(W().task().figure.FigureWidth, 4);
    QCOMPARE(Spin("XASE")->value(), 4);
    QCOMPARE(panel->width(), widthBefore);
    ClickButton(W(), "RedoBt");
    QCOMPARE(Spin("XASE")->value(), 7);
  }

  // Form edits share the figure's history: each is undone and redone in
  // the order made, with the spin edits and the empty-cells switch.
  void formAndFigureEditsUndoInOneOrder() {
    LoadTask(*fx_, MakeTask({"...."}, {{"...", "..."}}));
    Activate(W());
    std::vector<TaskState> states{W().task()};
    const std::vector<std::function<void()>> edits = {
        [&] { ClickFigureCell(W(), 0, 0); },
        [&] { ClickFormCell(W(), 0, 0, 0); },
        [&] { ClickButton(W(), "FillBBt"); },
        [&] { ClickFigureCell(W(), 1, 0); },
        [&] { Spin("ZBSE")->setValue(2); },
        [&] { ClickButton(W(), "ClearBBt"); },
        [&] { ClickFormCell(W(), 1, 1, 0); },
        [&] { ClickButton(W(), "MoveX0BBt"); },
        [&] { Control<QCheckBox>(W(), "EmptyCellsCB")->click(); },
    };
    for (const auto& edit : edits) {
      edit();
      QVERIFY2(!(W().task() == states.back()), qPrintable(QString::number(states.size())));
      states.push_back(W().task());
    }
    for (std::size_t i = states.size() - 1; i > 0; --i) {
      QTest::keyClick(&W(), Qt::Key_Z, Qt::ControlModifier);
      QVERIFY2(W().task() == states[i - 1], qPrintable(QString::number(i)));
      QCOMPARE(Spin("ZBSE")->value(), W().task().form.FormHeight);
      QCOMPARE(Control<QCheckBox>(W(), "EmptyCellsCB")->isChecked(), W().task().EmptyCells);
    }
    QVERIFY(!Button(W(), "UndoBt")->isEnabled());
    for (std::size_t i = 1; i < states.size(); ++i) {
      ClickButton(W(), "RedoBt");
      QVERIFY(W().task() == states[i]);
    }
    QVERIFY(!Button(W(), "RedoBt")->isEnabled());
  }

  void undoKeysActOnlyWhenTheButtonsAreEnabled() {
    LoadTask(*fx_, MakeTask({"...."}, {{"#"}}));
    Activate(W());
    QTest::keyClick(&W(), Qt::Key_Z, Qt::ControlModifier);  // nothing to undo
    QCOMPARE(CountCubes(W().task().figure), 0);
    ClickFigureCell(W(), 0, 0);
    ClickFigureCell(W(), 1, 0);
    QTest::keyClick(&W(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(CountCubes(W().task().figure), 1);
    QTest::keyClick(&W(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(CountCubes(W().task().figure), 2);
    QTest::keyClick(&W(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&W(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(CountCubes(W().task().figure), 2);
    // In solution view the buttons are disabled, and so are the keys.
    LoadTask(*fx_, [] {
      TaskState t = MakeTask({"##"}, {{"##"}});
      SetLink(t, 1, 0, RigidX);
      return t;
    }());
    ClickFigureCell(W(), 0, 0);
    ClickFigureCell(W(), 0, 0);  // two recorded changes, back where it was
    ClickButton(W(), "SolveBt");
    QCOMPARE(W().workMode(), WorkMode::SolutionView);
    const FigureState before = W().task().figure;
    QTest::keyClick(&W(), Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(W().task().figure == before);
  }
};

}  // namespace zv

QTEST_MAIN(zv::ShiftResizeUndoTest)
#include "shift_resize_undo_test.moc"
