// The window on a screen scaled by 2 (QT_SCALE_FACTOR=2 over a 1600 x 1200
// screen): the default size shrinks to the 800 x 600 pixels available, the
// pictures hold two device pixels per pixel, so a grid line is two device
// pixels wide, and text is drawn at the finer resolution rather than the
// 1x picture enlarged.
#include <QtTest>

#include "tests/support/task_builder.h"
#include "tests/ui/window_helpers.h"
#include "ui/figure_view.h"

namespace zv {

using namespace zv::test;

class HiDpiTest : public QObject {
  Q_OBJECT

 private slots:
  void picturesAreDrawnAtTheScreensRatio() {
    WindowFixture fx;
    TZvForm& w = fx.Start();
    // The first start fits the scaled screen (800 x 600) with room for a frame.
    QCOMPARE(w.size(), QSize(800, 600) - TZvForm::kFrameAllowance);
    LoadTask(fx, MakeTask({"##"}, {{"##"}}));
    Control<QAbstractButton>(w, "NumberCB")->click();
    const QImage& image = ImA(w)->image();
    QCOMPARE(image.devicePixelRatio(), 2.0);
    QCOMPARE(image.size(), ImA(w)->size() * 2);

    // Along a row through the top of both cubes: three vertical grid lines,
    // each two device pixels wide.
    const int y = 2 * (FigureCellTop(0) + 5);
    QList<int> lines;
    for (int x = 2 * (kFigureLeft - 5), run = 0; x < 2 * (FigureCellLeft(2) + 3); ++x) {
      const bool black = image.pixelColor(x, y) == Qt::black;
      if (black) ++run;
      if (!black && run > 0) lines.append(std::exchange(run, 0));
    }
    QCOMPARE(lines, QList<int>({2, 2, 2}));

    // The same figure drawn at 1x and enlarged differs where the numbers are.
    QImage one(image.size() / 2, QImage::Format_RGB32);
    FigureViewOptions o;
    o.numbers = true;
    o.cubeColor = w.cubeColor();
    o.textColor = w.palette().color(QPalette::WindowText);
    DrawFigure(one, one.width(), one.height(), w.task().figure, o);
    const QImage enlarged = one.scaled(image.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    const QRect number(2 * (FigureCellLeft(0) + 10), 2 * (FigureCellTop(0) + 10), 60, 60);
    int differing = 0;
    for (int py = number.top(); py <= number.bottom(); ++py)
      for (int px = number.left(); px <= number.right(); ++px)
        differing += image.pixel(px, py) != enlarged.pixel(px, py);
    QVERIFY2(differing > 20, qPrintable(QString::number(differing)));
    w.CloseWithoutSaveAExecute();
  }
};

}  // namespace zv

ZORVAT_TEST_MAIN_AT_SCALE_2(zv::HiDpiTest)

#include "hidpi_test.moc"
