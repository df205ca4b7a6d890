// Rendered pixels of the figure and form pictures, read back from the
// pictures' images after the window drew them.
#include <QtTest>

#include "tests/support/task_builder.h"
#include "tests/ui/window_helpers.h"

namespace zv {

using namespace zv::test;

namespace {

const QRgb kCube = qRgb(230, 230, 230);
const QRgb kWhitePx = qRgb(255, 255, 255);
const QRgb kBlackPx = qRgb(0, 0, 0);
const QRgb kRedPx = qRgb(255, 0, 0);
const QRgb kBluePx = qRgb(0, 0, 255);
const QRgb kGreenPx = qRgb(0, 160, 0);
const QRgb kGreyPx = qRgb(128, 128, 128);

bool Dark(QRgb c) { return qGray(c) < 100; }

}  // namespace

class ViewsTest : public QObject {
  Q_OBJECT

 private:
  WindowFixture* fx_ = nullptr;
  TZvForm& W() { return *fx_->window; }
  QRgb A(int x, int y) { return ImA(W())->image().pixel(x, y); }
  QRgb B(int x, int y) { return ImB(W())->image().pixel(x, y); }

 private slots:
  void init() {
    fx_ = new WindowFixture;
    fx_->Start();
  }
  void cleanup() {
    fx_->window->CloseWithoutSaveAExecute();
    delete fx_;
  }

  void cubesGridAndSlabEdge() {
    TaskState t = MakeTask({"##.", "..."}, {{"#"}});
    SetLink(t, 1, 0, RigidX);
    LoadTask(*fx_, t);
    QCOMPARE(A(30, 20), kCube);       // cube (0, 0)
    QCOMPARE(A(130, 20), kWhitePx);   // empty cell (2, 0)
    QCOMPARE(A(10, 20), kBlackPx);    // left side of cell (0, 0)
    QCOMPARE(A(110, 20), kBlackPx);   // between the cube (1, 0) and the empty cell
    QCOMPARE(A(60, 20), kCube);       // no grid line between rigidly joined cubes
    QCOMPARE(A(60, 35), kRedPx);      // the link segment through the centres
    QCOMPARE(A(160, 110), kBlackPx);  // outline corner (R, B) = (160, 110)
    QCOMPARE(A(170, 120), kBlackPx);  // slab edge from (R, B) to (R + 20, B + 20)
    QCOMPARE(A(100, 130), kBlackPx);  // bottom slab line at B + 20
    QCOMPARE(A(5, 5), kWhitePx);
  }

  void rigidTwoByTwoBlockIsHatchedRed() {
    TaskState t = MakeTask({"##", "##"}, {{"#"}});
    SetLink(t, 1, 0, RigidX);
    SetLink(t, 1, 1, RigidX);
    SetLink(t, 0, 1, RigidY);
    SetLink(t, 1, 1, RigidY);
    LoadTask(*fx_, t);
    // The hatch fills (35, 35)-(85, 85) with red lines rising left to right
    // and leaves gaps of the cube colour.
    int red = 0, gaps = 0;
    for (int y = 40; y < 80; ++y)
      for (int x = 40; x < 80; ++x) {
        if (x == 60 || y == 60) continue;  // keep off the grid and link lines
        const QRgb c = A(x, y);
        if (c == kRedPx) {
          ++red;
          if (x + 1 < 80 && y - 1 >= 40 && x + 1 != 60 && y - 1 != 60) QCOMPARE(A(x + 1, y - 1), kRedPx);
        } else {
          QCOMPARE(c, kCube);
          ++gaps;
        }
      }
    QVERIFY(red > 100);
    QVERIFY(gaps > red);
    QCOMPARE(A(60, 20), kCube);  // no grid line inside the block
    QCOMPARE(A(20, 60), kCube);
    QCOMPARE(A(30, 30), kCube);  // outside the hatched square

    // With links off: neither hatch nor segments.
    Control<QAbstractButton>(W(), "LinksCB")->click();
    for (int y = 36; y < 85; ++y)
      for (int x = 36; x < 85; ++x) QVERIFY(A(x, y) != kRedPx);
  }

  void hingeGlyphsInTheirColoursAndPlaces() {
    TaskState t = MakeTask({"###", "###"}, {{"#"}});
    SetLink(t, 1, 0, EdgeX1);      // P = (60, 10): bar (51..56, 26..44)
    SetLink(t, 2, 0, EdgeX2);      // P = (110, 10): bar (114..119, 26..44)
    SetLink(t, 1, 1, AxisY);       // P = (60, 60): bar (82..87, 51..69)
    SetLink(t, 2, 1, CornerDiag);  // P = (110, 60): thick stroke through P
    LoadTask(*fx_, t);
    Control<QAbstractButton>(W(), "LinksCB")->click();  // glyphs stay without links
    QCOMPARE(A(53, 35), kBluePx);
    QCOMPARE(A(57, 35), kCube);  // right of the bar, inside the left cube
    QCOMPARE(A(116, 35), kBluePx);
    QCOMPARE(A(112, 35), kCube);
    QCOMPARE(A(85, 55), kGreenPx);
    QCOMPARE(A(85, 65), kGreenPx);
    QCOMPARE(A(110, 60), kBluePx);
    QCOMPARE(A(105, 55), kBluePx);
    QCOMPARE(A(115, 65), kBluePx);
    QCOMPARE(A(115, 55), kCube);  // off the diagonal stroke
  }

  void numbersOnlyWhenSwitchedOn() {
    LoadTask(*fx_, MakeTask({"##"}, {{"##"}}));
    auto darkInCell = [&] {
      int n = 0;
      for (int y = 15; y < 55; ++y)
        for (int x = 15; x < 55; ++x) n += Dark(A(x, y)) ? 1 : 0;
      return n;
    };
    QCOMPARE(darkInCell(), 0);
    Control<QAbstractButton>(W(), "NumberCB")->click();
    QVERIFY(darkInCell() > 10);
  }

  void formLayersOutlinesAndLayerNumbers() {
    LoadTask(*fx_, MakeTask({"##"}, {{"#."}}));  // one layer: no layer number
    for (int y = 10; y < 60; ++y)
      for (int x = 0; x < 19; ++x) QVERIFY(!Dark(B(x, y)));
    QCOMPARE(B(45, 35), kCube);
    QCOMPARE(B(20, 35), kBlackPx);  // form cell outline
    QCOMPARE(B(95, 35), kWhitePx);  // cell (1, 0) is not in the form
    QCOMPARE(B(120, 35), kGreyPx);  // grid line right of it

    LoadTask(*fx_, MakeTask({"##"}, {{"#."}, {".#"}}), "two.zvt");
    int dark = 0;
    for (int y = 70; y < 120; ++y)  // layer 1 spans y = 70..119
      for (int x = 0; x < 19; ++x) dark += Dark(B(x, y)) ? 1 : 0;
    QVERIFY(dark > 0);
  }

  void previousLayerHatchAndNextLayerDots() {
    LoadTask(*fx_, MakeTask({"##"}, {{"#."}, {".#"}}));
    Control<QAbstractButton>(W(), "PrevLayerBt")->click();
    Control<QAbstractButton>(W(), "NextLayerBt")->click();
    // Layer 1 (top 70): cell (0, 0) is not in the form, layer 0 has it:
    // black hatch on the white, no outline.
    int black = 0;
    for (int y = 72; y < 118; ++y)
      for (int x = 22; x < 68; ++x) {
        const QRgb c = B(x, y);
        QVERIFY(c == kBlackPx || c == kWhitePx);
        black += c == kBlackPx;
      }
    QVERIFY(black > 50);
    // Layer 0, cell (1, 0) has a form cell below it in layer 1: a dot at
    // (x0 + 24 .. x0 + 27); layer 0 itself is never hatched.
    QCOMPARE(B(70 + 25, 10 + 25), kBlackPx);
    QCOMPARE(B(70 + 10, 10 + 40), kWhitePx);
    // The last layer has no dots.
    QCOMPARE(B(70 + 25, 70 + 25), kCube);
  }

  void formPressesDrawCellsAndTheLayerGapHitsNothing() {
    LoadTask(*fx_, MakeTask({"##"}, {{".."}, {".."}}));
    Picture* im = ImB(W());
    QTest::mouseClick(im, Qt::LeftButton, {}, QPoint(45, 35));
    QCOMPARE(int(W().task().form.At(FormCellIndex(0, 0, 0))), 1);
    const FormState before = W().task().form;
    QTest::mouseClick(im, Qt::LeftButton, {}, QPoint(45, 65));  // gap between layers 0 and 1
    QTest::mouseClick(im, Qt::LeftButton, {}, QPoint(10, 35));  // layer-number margin
    QVERIFY(W().task().form == before);
    // A drag that starts on a form cell clears the cells it passes.
    QTest::mousePress(im, Qt::LeftButton, {}, QPoint(45, 35));
    QTest::mouseMove(im, QPoint(95, 35));
    QTest::mouseRelease(im, Qt::LeftButton, {}, QPoint(95, 35));
    QCOMPARE(int(W().task().form.At(FormCellIndex(0, 0, 0))), 0);
    QCOMPARE(int(W().task().form.At(FormCellIndex(1, 0, 0))), 0);
    QCOMPARE(W().validation().formCellCount, 0);
  }
};

}  // namespace zv

QTEST_MAIN(zv::ViewsTest)
#include "views_test.moc"
