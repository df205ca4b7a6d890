// The 3-D view in the main window: the toggle beside the form's picture
// (off, the picture is back as it was), the selection in step both ways,
// and the view's angle kept while stepping through solutions; the fold's
// collision named in the result line under the counts; and the figure's
// tooltip naming the face of an edge hinge.
#include <QToolTip>
#include <QtEndian>

#include "storage/json_document.h"
#include "tests/support/task_builder.h"
#include "tests/ui/solve_helpers.h"
#include "ui/form_half.h"
#include "ui/hinge_tips.h"
#include "ui/pictures/view_colors.h"
#include "ui/solid_view.h"

namespace zv {

using namespace zv::test;

class SolidWindowTest : public QObject {
  Q_OBJECT

 private:
  WindowFixture* fx_ = nullptr;
  TZvForm& W() { return *fx_->window; }
  SolidView& View() { return *W().formHalf().solidView; }
  CellIndex FormCellOf(int k) {
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
      QCOMPARE(int(W().shownSolution()->cubeAt[FormCellOf(k).value()]), k + 1);
      QCOMPARE(int(W().shownSolution()->rotationAt[FormCellOf(k).value()]),
               int(View().scene().solid->rotation[k]));
    }
    QVERIFY(View().camera().turn == turned);
  }

  // A model asks for its size (offering the last one), a picture or a page
  // does not; a cancelled size writes nothing.
  void theExportButtonWritesWhatTheDialogNames() {
    ClickButton(W(), "SolidBt");
    fx_->services.savePaths = {fx_->file("s.stl"),  fx_->file("s.png"), fx_->file("no/s.svg"),
                               fx_->file("s.html"), fx_->file("t.obj"), fx_->file("u.obj")};
    fx_->services.numbers = {2.5, std::nullopt, 4.0};
    for (int i = 0; i < 6; ++i) QTest::mouseClick(View().findChild<QToolButton*>("ExportBt"), Qt::LeftButton);
    const QByteArray stl = Bytes(fx_->file("s.stl"));
    QCOMPARE(stl.size(), 84 + 50 * 2 * 24);  // the flat ring: 24 outer faces
    float highest = 0;
    for (int at = 84; at < stl.size(); at += 50)
      for (int v = 3; v < 12; ++v)
        highest = std::max(highest, qFromLittleEndian<float>(stl.constData() + at + 4 * v));
    QCOMPARE(highest, 2.5f * 4);  // the ring is four cubes long
    QCOMPARE(fx_->services.numberDialogs.size(), 3u);
    QCOMPARE(fx_->services.numberDialogs[1].value, 2.5);
    QVERIFY(!QFile::exists(fx_->file("t.obj")));
    QVERIFY(Bytes(fx_->file("u.obj")).contains("\nv 16 "));  // a corner four cubes along, at 4 per edge
    QVERIFY(QImage(fx_->file("s.png")).size() == View().canvas()->size());
    QCOMPARE(fx_->services.messages.size(), 1u);  // the unwritable SVG
    // The web page of the shown solution: its six numbered cubes, three.js,
    // and the fold check's verdict in the words the view says it.
    const QByteArray page = Bytes(fx_->file("s.html"));
    QVERIFY(page.startsWith("<!DOCTYPE html>"));
    QCOMPARE(page.count("{\"number\":"), 6);
    QVERIFY(page.contains("OrbitControls"));
    View().StepForward();  // the fold is wanted: the view checks it too
    View().WaitForVerdict();
    QVERIFY(!View().resultLine().isEmpty());
    QVERIFY(page.contains(("\"verdictText\":" + JsonQuoted(View().resultLine().toStdString())).c_str()));
  }

  // Cubes 1 and 2 hinged on the vertical edge below their side, cube 3 a
  // part below cube 2. Each part folds on its own and cube 3 goes in along
  // an axis, so every solution is foldable, although the plain order of the
  // whole figure sweeps cube 2 through cube 3. The verdict's line stays
  // while that solution is shown, also with the view off, and goes with
  // solution view.
  void theResultLineNamesTheFoldsVerdict() {
    TaskState t = MakeTask({"##", ".#"}, {{"#.", "##"}});
    SetLink(t, 1, 1, CornerXUpper);
    LoadTask(*fx_, t);
    ClickButton(W(), "SolveBt");
    ClickButton(W(), "SolidBt");
    QLabel* line = Control<QLabel>(W(), "CollisionL");
    int plainCollisions = 0;
    for (int i = 0; i < W().session().solver().SolutionCount(); ++i) {
      ClickButton(W(), "ForwardBt");  // the fold is wanted: it is checked
      View().WaitForVerdict();
      QVERIFY(View().verdict().has_value());
      QCOMPARE(View().verdict()->outcome, FoldOutcome::Foldable);
      QVERIFY(line->isVisible());
      QVERIFY(line->text().startsWith(QString::fromUtf8("Складывается: ")));
      QCOMPARE(line->text(), View().resultLine());
      QCOMPARE(line->palette().color(QPalette::WindowText), kGreen);
      plainCollisions += View().foldCheck().found ? 0 : 1;
      ClickButton(W(), "NextSolBt");
    }
    QVERIFY(plainCollisions > 0);
    ClickButton(W(), "SolidBt");
    QVERIFY(line->isVisible());
    ClickButton(W(), "SolveBt");  // back to editing
    QVERIFY(!line->isVisible());
  }

  // The figure's tooltip over an edge hinge names the face it lies in.
  void theHingeTooltipNamesTheFace() {
    TaskState t = MakeTask({"##"}, {{"##"}});
    SetLink(t, 1, 0, EdgeX2);
    LoadTask(*fx_, t);
    Picture* a = ImA(W());
    for (const QPoint& at : {FigurePoint(0, 0, 45, 25), FigurePoint(1, 0, 5, 25)}) {
      QHelpEvent help(QEvent::ToolTip, at, a->mapToGlobal(at));
      QApplication::sendEvent(a, &help);
      QCOMPARE(QToolTip::text(), QString::fromUtf8(kLowerFaceHingeTip));
    }
    const QPoint middle = FigurePoint(0, 0, 25, 25);  // no hinge there: no tooltip
    QVERIFY(a->toolTipAt(middle.x(), middle.y()).isEmpty());
  }
};

}  // namespace zv

QTEST_MAIN(zv::SolidWindowTest)
#include "solid_window_test.moc"
