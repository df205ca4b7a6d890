// The 3-D view in the main window: the toggle beside the form's picture
// (off, the picture is back as it was), the selection in step both ways,
// and the view's angle kept while stepping through solutions.
#include "tests/ui/solve_helpers.h"
#include "ui/form_half.h"
#include "ui/solid_view.h"

namespace zv {

using namespace zv::test;

class SolidWindowTest : public QObject {
  Q_OBJECT

 private:
  WindowFixture* fx_ = nullptr;
  TZvForm& W() { return *fx_->window; }
  SolidView& View() { return *W().formHalf().solidView; }
  int FormCellOf(int k) {
    const Vec3& c = View().scene().solid->formCell[k];
    return FormCellIndex(c[0], c[1], c[2]);
  }

 private slots:
  void init() {
    fx_ = new WindowFixture;
    QVERIFY(fx_->StartShown());
    LoadTask(*fx_, ReadExample("hinge_ring.zvt"));
    ClickButton(W(), "SolveBt");
    QCOMPARE(LabelText(W(), "SolL"), QStringLiteral("1 из 5"));
  }
  void cleanup() {
    W().CloseWithoutSaveAExecute();
    delete fx_;
  }

  void theToggleSwapsThePictureForTheView() {
    QWidget* panel = W().findChild<QWidget*>("PanelBI");
    const QImage before = ImB(W())->image();
    QVERIFY(panel->isVisible() && !View().isVisible());
    ClickButton(W(), "SolidBt");
    QVERIFY(!panel->isVisible() && View().isVisible());
    QCOMPARE(View().scene().solid->cubeCount, 6);
    ClickButton(W(), "SolidBt");
    QVERIFY(panel->isVisible() && !View().isVisible());
    QCOMPARE(ImB(W())->image(), before);
    // Back in edit mode the toggle is off.
    ClickButton(W(), "SolidBt");
    ClickButton(W(), "SolveBt");
    QVERIFY(!View().isVisible() && !Button(W(), "SolidBt")->isChecked());
  }

  void theSelectionIsInStepBothWays() {
    ClickButton(W(), "SolidBt");
    QVERIFY(W().SelectSolutionCell(FormCellOf(0)));
    QCOMPARE(View().scene().selectedCube, 0);
    const int cube = View().scene().numbers.size() > 3 ? 3 : 1;
    QTest::mouseClick(View().canvas(), Qt::LeftButton, {}, View().ProjectedCentre(cube).toPoint());
    QCOMPARE(W().shownSolution()->selectedCell, FormCellOf(cube));
    QCOMPARE(View().scene().selectedCube, cube);
  }

  void steppingThroughSolutionsKeepsTheAngle() {
    ClickButton(W(), "SolidBt");
    QWidget* c = View().canvas();
    QTest::mousePress(c, Qt::LeftButton, {}, {100, 100});
    QMouseEvent move(QEvent::MouseMove, QPointF(160, 130), c->mapToGlobal(QPointF(160, 130)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(c, &move);
    QTest::mouseRelease(c, Qt::LeftButton, {}, {160, 130});
    const Matrix turned = View().camera().turn;
    QVERIFY(turned != SolidCamera::DefaultTurn());
    ClickButton(W(), "NextSolBt");
    QCOMPARE(LabelText(W(), "SolL"), QStringLiteral("2 из 5"));
    for (int k = 0; k < 6; ++k) {  // the view shows the second solution
      QCOMPARE(int(W().shownSolution()->cubeAt[FormCellOf(k)]), k + 1);
      QCOMPARE(int(W().shownSolution()->rotationAt[FormCellOf(k)]), int(View().scene().solid->rotation[k]));
    }
    QVERIFY(View().camera().turn == turned);
  }
};

}  // namespace zv

QTEST_MAIN(zv::SolidWindowTest)
#include "solid_window_test.moc"
