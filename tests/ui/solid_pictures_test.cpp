// Picture files of solutions read back: the PNG of the 3-D view and of a
// sheet of solutions has both part colours, the SVG renders through
// QSvgRenderer with them too, and an unwritable path writes nothing.
#include "ui/pictures/solid_pictures.h"

#include <QSvgRenderer>
#include <QtTest>

#include "solid/part_colours.h"
#include "solver/solver.h"
#include "tests/support/task_builder.h"

namespace zv {

using namespace zv::test;

namespace {

// The pixels that are a shade (a fraction 0.4..1 of each channel) of `colour`.
int ShadePixels(const QImage& image, const QColor& colour) {
  int count = 0;
  const double cr = colour.red(), cg = colour.green(), cb = colour.blue();
  for (int y = 0; y < image.height(); y += 2)
    for (int x = 0; x < image.width(); x += 2) {
      const QColor p = image.pixelColor(x, y);
      const double light = (p.red() * cr + p.green() * cg + p.blue() * cb) / (cr * cr + cg * cg + cb * cb);
      count += light >= 0.4 && light <= 1.01 && std::abs(p.red() - light * cr) < 6 &&
               std::abs(p.green() - light * cg) < 6 && std::abs(p.blue() - light * cb) < 6;
    }
  return count;
}

}  // namespace

class SolidPicturesTest : public QObject {
  Q_OBJECT

 private slots:
  void picturesHaveThePartColours() {
    TaskState task = MakeTask({"##", "##"}, {{"##"}, {"##"}});
    SetLink(task, 1, 0, RigidX);
    SetLink(task, 1, 1, RigidX);
    const Validation v = ValidateTask(task);
    Solver solver;
    QuietObserver quiet;
    solver.Solve(task, v.links, quiet);
    QVERIFY(solver.SolutionCount() >= 1);
    const SolidSolution solid = MakeSolidSolution(
        v.links, {solver.SolutionCubes(0), solver.SolutionRotations(0), solver.FormCellList()});
    const SolidScene scene = RestingScene(solid, task.figure, Qt::gray);
    const PicturePainter view = [&](QPainter& p, const QRect& r) { PaintSolid(p, r, scene, SolidCamera{}); };
    const PicturePainter sheet = [&](QPainter& p, const QRect& r) {
      PaintSheet(p, r, {scene, scene}, 1, {});
    };

    QTemporaryDir folder;
    for (const auto& paint : {view, sheet}) {
      const std::string png = folder.filePath("a.png").toStdString(),
                        svg = folder.filePath("a.svg").toStdString();
      QVERIFY(WritePicture(png, PictureFormat::Png, {300, 300}, paint));
      QVERIFY(WritePicture(svg, PictureFormat::Svg, {300, 300}, paint));
      QImage fromSvg(300, 300, QImage::Format_RGB32);
      fromSvg.fill(Qt::white);
      QSvgRenderer renderer(QString::fromStdString(svg));
      QVERIFY(renderer.isValid());
      QPainter painter(&fromSvg);
      renderer.render(&painter);
      painter.end();
      for (const QImage& image : {QImage(QString::fromStdString(png)), fromSvg})
        for (int part = 0; part < 2; ++part)
          QVERIFY(ShadePixels(image, QColor::fromRgb(PartColour(part))) > 100);
    }
    QVERIFY(!WritePicture(folder.filePath("no/a.png").toStdString(), PictureFormat::Png, {50, 50}, view));
    QVERIFY(!QFile::exists(folder.filePath("no/a.png")));
  }
};

}  // namespace zv

QTEST_MAIN(zv::SolidPicturesTest)
#include "solid_pictures_test.moc"
