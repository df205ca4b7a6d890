// The 3-D view's pixels and mouse: part colours at the projected centres of
// the cubes in front, the selected cell's highlight, turning by a real drag,
// a click selecting the form cell of the cube under it, the layer cut-away,
// and the fold's steps.
#include "ui/solid_view.h"

#include <QSignalSpy>
#include <QtTest>
#include <set>

#include "solid/part_colours.h"
#include "solver/solver.h"
#include "tests/support/task_builder.h"
#include "ui/pictures/view_colors.h"

namespace zv {

using namespace zv::test;

namespace {

// Whether some pixel within `reach` pixels of `at` is a shade of `colour`.
bool ShadeNear(const QImage& image, QPointF at, const QColor& colour, int reach = 7) {
  const double cr = colour.red(), cg = colour.green(), cb = colour.blue();
  for (int dy = -reach; dy <= reach; ++dy)
    for (int dx = -reach; dx <= reach; ++dx) {
      const QColor p = image.pixelColor(static_cast<int>(at.x()) + dx, static_cast<int>(at.y()) + dy);
      const double light = (p.red() * cr + p.green() * cg + p.blue() * cb) / (cr * cr + cg * cg + cb * cb);
      if (light < 0.4 || light > 1.01) continue;
      if (std::abs(p.red() - light * cr) < 6 && std::abs(p.green() - light * cg) < 6 &&
          std::abs(p.blue() - light * cb) < 6)
        return true;
    }
  return false;
}

void SendMouse(QWidget* w, QEvent::Type type, QPointF at, Qt::MouseButtons buttons) {
  QMouseEvent e(type, at, w->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

}  // namespace

class SolidViewTest : public QObject {
  Q_OBJECT

 private:
  // Two dominoes (two parts) stacked in a 2 x 1 x 2 form.
  TaskState task_ = [] {
    TaskState t = MakeTask({"##", "##"}, {{"##"}, {"##"}});
    SetLink(t, 1, 0, RigidX);
    SetLink(t, 1, 1, RigidX);
    return t;
  }();
  Validation v_;
  Solver solver_;
  SolidView* view_ = nullptr;

  QImage Shot() { return view_->canvas()->grab().toImage(); }
  // The cubes whose centre shows their own face.
  std::vector<int> CubesInFront() {
    std::vector<int> cubes;
    for (int k = 0; k < 4; ++k)
      if (CubeAt(view_->scene(), view_->camera(), view_->canvas()->rect(), view_->ProjectedCentre(k)) == k)
        cubes.push_back(k);
    return cubes;
  }
  CellIndex FormCellOf(int k) {
    const Vec3& c = view_->scene().solid->formCell[k];
    return FormCellIndex(c[0], c[1], c[2]);
  }

 private slots:
  void initTestCase() {
    v_ = ValidateTask(task_);
    QVERIFY(v_.ok());
    QuietObserver quiet;
    solver_.Solve(task_, v_.links, quiet);
    QVERIFY(solver_.SolutionCount() >= 1);
  }
  void init() {
    view_ = new SolidView;
    view_->resize(400, 400);
    view_->ShowSolution(task_.figure, v_.links, solver_.Solution(0), QColor(230, 230, 230));
    view_->show();
  }
  void cleanup() { delete view_; }

  void partColoursAtTheProjectedCentres() {
    const QImage image = Shot();
    const std::vector<int> cubes = CubesInFront();
    QVERIFY(cubes.size() >= 2);
    for (int k : cubes) {
      const QColor own = QColor::fromRgb(PartColour(v_.links.partLabel[k] - 1));
      const QColor other = QColor::fromRgb(PartColour(2 - v_.links.partLabel[k]));
      QVERIFY2(ShadeNear(image, view_->ProjectedCentre(k), own), qPrintable(QString::number(k)));
      QVERIFY(!ShadeNear(image, view_->ProjectedCentre(k), other, 1));
    }
  }

  void theSelectedCellIsHighlighted() {
    const int k = CubesInFront().front();
    QVERIFY(!ShadeNear(Shot(), view_->ProjectedCentre(k), kLightBlue));
    view_->SelectCell(FormCellOf(k));
    QVERIFY(ShadeNear(Shot(), view_->ProjectedCentre(k), kLightBlue));
    view_->SelectCell(kNoSelectedCell);
    QVERIFY(!ShadeNear(Shot(), view_->ProjectedCentre(k), kLightBlue));
  }

  void aDragTurnsTheViewAndSelectsNothing() {
    QSignalSpy clicks(view_, &SolidView::cellClicked);
    const Matrix before = view_->camera().turn;
    const QImage shot = Shot();
    QWidget* c = view_->canvas();
    SendMouse(c, QEvent::MouseButtonPress, {200, 200}, Qt::LeftButton);
    for (int x = 205; x <= 260; x += 5) SendMouse(c, QEvent::MouseMove, {double(x), 210}, Qt::LeftButton);
    SendMouse(c, QEvent::MouseButtonRelease, {260, 210}, Qt::NoButton);
    QVERIFY(view_->camera().turn != before);
    QVERIFY(Shot() != shot);
    QCOMPARE(clicks.count(), 0);
    view_->ResetView();
    QVERIFY(view_->camera().turn == before);
  }

  void aClickSelectsTheCubesFormCell() {
    QSignalSpy clicks(view_, &SolidView::cellClicked);
    for (int k : CubesInFront()) {
      QTest::mouseClick(view_->canvas(), Qt::LeftButton, {}, view_->ProjectedCentre(k).toPoint());
      QCOMPARE(clicks.takeFirst().at(0).value<CellIndex>(), FormCellOf(k));
    }
  }

  void theCutAwayHidesTheLowerLayers() {
    auto layersHit = [&] {
      std::set<int> layers;
      for (int y = 0; y < 400; y += 4)
        for (int x = 0; x < 400; x += 4) {
          const int k = CubeAt(view_->scene(), view_->camera(), view_->canvas()->rect(), QPointF(x, y));
          if (k >= 0) layers.insert(view_->scene().solid->formCell[k][2]);
        }
      return layers;
    };
    view_->canvas()->resize(400, 400);
    const QImage whole = Shot();
    QVERIFY(layersHit() == (std::set<int>{0, 1}));
    view_->SetLastLayer(0);
    QVERIFY(layersHit() == std::set<int>{0});
    QVERIFY(Shot() != whole);
  }

  // Seen from many angles, a number is written only on a face turned at
  // least kNumberFacing towards the viewer, and its ink lies inside that
  // face, so it never runs onto the face beside it (a "1" over an "8").
  void numbersOnlyOnFacesTurnedToTheViewerAndInsideThem() {
    const SolidScene& scene = view_->scene();
    const QRect rect = view_->canvas()->rect();
    int written = 0, turnedAway = 0;
    SolidCamera camera;
    for (int turn = 0; turn < 24; ++turn) {
      camera.Drag(17.0 + turn % 5, 9.0 - 2 * (turn % 7));
      for (const FaceNumber& n : FaceNumbers(scene, camera, rect)) {
        const Rigid& pose = scene.poses[n.cube];
        const Point normal = ToPoint(kFaceVector[n.face]);
        QVERIFY(-Apply(camera.turn, Apply(pose.r, normal))[2] >= kNumberFacing);
        // The face's corners: its centre plus or minus half an edge along the other two axes.
        const int a = n.face / 2, b = (a + 1) % 3, c = (a + 2) % 3;
        QPolygonF face;
        for (auto [u, v] : {std::pair{-1, -1}, {1, -1}, {1, 1}, {-1, 1}}) {
          Point corner = scene.solid->FigureCentre(CubeIndex(n.cube)) + 0.5 * normal;
          corner[b] += 0.5 * u;
          corner[c] += 0.5 * v;
          face << Project(scene, camera, rect, pose.Apply(corner));
        }
        for (const QPointF& p : {n.box.topLeft(), n.box.topRight(), n.box.bottomLeft(), n.box.bottomRight()})
          QVERIFY(face.containsPoint(p, Qt::OddEvenFill));
        ++written;
      }
      for (int k = 0; k < 4; ++k)
        for (int f = 0; f < kFaceCount; ++f) {
          const double facing = -Apply(camera.turn, Apply(scene.poses[k].r, ToPoint(kFaceVector[f])))[2];
          turnedAway += facing > 0 && facing < kNumberFacing;
        }
    }
    QVERIFY(written > 24);     // numbers were written
    QVERIFY(turnedAway > 10);  // and faces turned only a little towards the viewer were met
  }

  void theFoldStepsFromTheFlatFigure() {
    view_->SetFold(0);
    const int steps = static_cast<int>(2 * 1);  // each part: no hinge, one move into place
    view_->StepForward();
    QCOMPARE(view_->fold(), 1.0 / steps);
    view_->StepBack();
    QCOMPARE(view_->fold(), 0.0);
    QVERIFY(view_->foldCheck().found);
    // Another solution shown keeps the position, with its own fold.
    view_->ShowSolution(task_.figure, v_.links, solver_.Solution(0), QColor(230, 230, 230));
    QCOMPARE(view_->fold(), 0.0);
    for (int k = 0; k < 4; ++k)
      QVERIFY(view_->scene().poses[k].t[0] < 0);  // the flat figure lies left of the form
    view_->Play();
    QTRY_VERIFY(view_->fold() > 0.2);
    view_->Pause();
  }
};

}  // namespace zv

QTEST_MAIN(zv::SolidViewTest)
#include "solid_view_test.moc"
