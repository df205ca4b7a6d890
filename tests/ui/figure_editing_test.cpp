// Drawing the figure with the mouse in the window: the zones of each mode,
// drags that only add or only erase, the right button, the 254-cube limit
// and undo of drawn cubes.
#include <QtTest>

#include "tests/support/task_builder.h"
#include "tests/ui/window_helpers.h"

namespace zv {

using namespace zv::test;

class FigureEditingTest : public QObject {
  Q_OBJECT

 private:
  WindowFixture* fx_ = nullptr;
  TZvForm& W() { return *fx_->window; }

  void Press(QPoint p, Qt::MouseButton b = Qt::LeftButton) { QTest::mousePress(ImA(W()), b, {}, p); }
  void Move(QPoint p) { QTest::mouseMove(ImA(W()), p); }
  void Release(QPoint p, Qt::MouseButton b = Qt::LeftButton) { QTest::mouseRelease(ImA(W()), b, {}, p); }
  void Click(QPoint p, Qt::MouseButton b = Qt::LeftButton) {
    Press(p, b);
    Release(p, b);
  }
  void Mode(const char* button) { Control<QAbstractButton>(W(), button)->click(); }

 private slots:
  void init() {
    fx_ = new WindowFixture;
    QVERIFY(fx_->StartShown());
    LoadTask(*fx_, MakeTask({"#####", "#####", "#####", "#####"}, {{"#"}}));
  }
  void cleanup() {
    fx_->CloseWithoutSaving();
    delete fx_;
  }

  void rigidModePressesToggleTheNearestSide() {
    Mode("MergeBt");
    Click(FigurePoint(2, 1, 5, 25));
    QVERIFY(HasBit(W(), 2, 1, RigidX));
    Click(FigurePoint(2, 1, 45, 25));
    QVERIFY(HasBit(W(), 3, 1, RigidX));
    const FigureState before = W().task().figure;
    Click(FigurePoint(2, 1, 25, 25));
    QVERIFY(W().task().figure == before);
    Click(FigurePoint(2, 1, 5, 25));  // a second press clears the joint
    QVERIFY(!HasBit(W(), 2, 1, RigidX));
  }

  void edgeModePressesPickSidesAndRefuseTheBorder() {
    Mode("EdgeBt");
    Click(FigurePoint(1, 1, 45, 25));
    QVERIFY(HasBit(W(), 2, 1, EdgeX1));
    Click(FigurePoint(1, 1, 5, 25));
    QVERIFY(HasBit(W(), 1, 1, EdgeX2));
    const FigureState before = W().task().figure;
    Click(FigurePoint(0, 1, 5, 25));
    QVERIFY(W().task().figure == before);
  }

  void edgeModeCornersOfACell() {
    Mode("EdgeBt");
    Click(FigurePoint(2, 2, 10, 2));
    QVERIFY(HasBit(W(), 2, 2, CornerYRight));
    Click(FigurePoint(2, 2, 2, 10));
    QVERIFY(HasBit(W(), 2, 2, CornerXLower));
    Click(FigurePoint(2, 2, 5, 5));
    QCOMPARE(CellWord(W(), 2, 2) & 0x07E0, BitMask(CornerDiag));  // alone at its grid point
  }

  void rigidDragDrawsAndAnotherDragErasesAlongItsPath() {
    Mode("MergeBt");
    Press(FigurePoint(1, 1, 5, 25));
    for (int x = 2; x <= 4; ++x) Move(FigurePoint(x, 1, 5, 25));
    Release(FigurePoint(4, 1, 5, 25));
    for (int x = 1; x <= 4; ++x) QVERIFY(HasBit(W(), x, 1, RigidX));

    // Starting on a set joint the drag erases; passing a clear joint
    // (RigidY of (3, 1)) leaves it clear.
    Press(FigurePoint(1, 1, 5, 25));
    Move(FigurePoint(2, 1, 5, 25));
    Move(FigurePoint(3, 1, 25, 5));
    Move(FigurePoint(3, 1, 5, 25));
    Release(FigurePoint(3, 1, 5, 25));
    QVERIFY(!HasBit(W(), 1, 1, RigidX));
    QVERIFY(!HasBit(W(), 2, 1, RigidX));
    QVERIFY(!HasBit(W(), 3, 1, RigidX));
    QVERIFY(!HasBit(W(), 3, 1, RigidY));
    QVERIFY(HasBit(W(), 4, 1, RigidX));  // not passed
  }

  void cubeDragErasesARowAndDraggingBackDoesNotRedraw() {
    Press(FigurePoint(0, 2, 25, 25));
    for (int x = 1; x <= 4; ++x) Move(FigurePoint(x, 2, 25, 25));
    for (int x = 3; x >= 0; --x) Move(FigurePoint(x, 2, 25, 25));
    Release(FigurePoint(0, 2, 25, 25));
    for (int x = 0; x < 5; ++x) QVERIFY(!(CellWord(W(), x, 2) & kCubeBit));
    QCOMPARE(W().validation().cubeCount, 15);
  }

  void rightButtonDrawsCubesInLinkModes() {
    Mode("FaceBt");
    Click(FigurePoint(2, 1, 25, 25), Qt::RightButton);  // erases the cube there
    QVERIFY(!(CellWord(W(), 2, 1) & kCubeBit));
    Click(FigurePoint(2, 1, 5, 25), Qt::RightButton);  // adds it back, no link
    QVERIFY(CellWord(W(), 2, 1) == kCubeBit);
    Click(FigurePoint(2, 1, 5, 25));  // the left button still draws axes
    QVERIFY(HasBit(W(), 2, 1, AxisX));
  }

  void undoAfterADragRemovesTheLastCubeOnly() {
    Mode("DrawABt");
    ClearAndDrawThree();
    QVERIFY(Control<QAbstractButton>(W(), "UndoBt")->isEnabled());
    Control<QAbstractButton>(W(), "UndoBt")->click();
    QCOMPARE(W().validation().cubeCount, 2);
    QVERIFY(!(CellWord(W(), 2, 0) & kCubeBit));
    Control<QAbstractButton>(W(), "RedoBt")->click();
    QCOMPARE(W().validation().cubeCount, 3);
  }

  void at254CubesAPressRefusesOnceAndTheDragDoesNothing() {
    TaskState big;
    std::string rows[30];
    for (int y = 0; y < 30; ++y) rows[y] = std::string(30, '.');
    for (int k = 0; k < 254; ++k) rows[k / 30][k % 30] = '#';
    SetFigure(big, {rows[0],  rows[1],  rows[2],  rows[3],  rows[4],  rows[5],  rows[6],  rows[7],
                    rows[8],  rows[9],  rows[10], rows[11], rows[12], rows[13], rows[14], rows[15],
                    rows[16], rows[17], rows[18], rows[19], rows[20], rows[21], rows[22], rows[23],
                    rows[24], rows[25], rows[26], rows[27], rows[28], rows[29]});
    LoadTask(*fx_, big, "big.zvt");
    QCOMPARE(W().validation().cubeCount, 254);
    const FigureState before = W().task().figure;
    Press(FigurePoint(20, 10, 25, 25));
    Move(FigurePoint(21, 10, 25, 25));
    Move(FigurePoint(22, 10, 25, 25));
    Release(FigurePoint(22, 10, 25, 25));
    QCOMPARE(fx_->services.messages.size(), std::size_t(1));
    const MessageRequest& box = fx_->services.messages[0];
    QCOMPARE(box.text, QStringLiteral("Количество кубиков не должно быть больше 254"));
    QCOMPARE(box.caption, QStringLiteral("Добавление кубиков невозможно"));
    QVERIFY(box.icon == MessageIcon::Exclamation);
    QVERIFY(box.buttons == MessageButtons::Ok);
    QVERIFY(W().task().figure == before);
  }

  void fillingTooLargeARectangleIsRefused() {
    TaskState wide;
    SetFigure(wide, {"................"});
    wide.figure.FigureDepth = 16;  // 16 x 16 = 256 cells
    LoadTask(*fx_, wide, "wide.zvt");
    Control<QAbstractButton>(W(), "FillABt")->click();
    QCOMPARE(fx_->services.messages.size(), std::size_t(1));
    QCOMPARE(fx_->services.messages[0].caption, QStringLiteral("Операция невозможна"));
    QCOMPARE(W().validation().cubeCount, 0);
  }

 private:
  void ClearAndDrawThree() {
    Control<QAbstractButton>(W(), "ClearABt")->click();
    QCOMPARE(W().validation().cubeCount, 0);
    Press(FigurePoint(0, 0, 25, 25));
    Move(FigurePoint(1, 0, 25, 25));
    Move(FigurePoint(2, 0, 25, 25));
    Release(FigurePoint(2, 0, 25, 25));
    QCOMPARE(W().validation().cubeCount, 3);
  }
};

}  // namespace zv

QTEST_MAIN(zv::FigureEditingTest)
#include "figure_editing_test.moc"
