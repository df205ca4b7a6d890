// The split of the window's width and the scroll bar rules.
#include "ui/layout_rule.h"

#include <QtTest>

namespace zv {

namespace {

// The design window: client 871 x 602, tool strips 109 high, a 2-pixel
// bevel, scroll bars 16 pixels.
LayoutInput Design(int fw, int fd, int bw, int bd, int bh) {
  return {fw, fd, bw, bd, bh, 869, 493, 493, 0, 3, 16, 16};
}

}  // namespace

class LayoutRuleTest : public QObject {
  Q_OBJECT

 private slots:
  void wideFigureLeavesTheFormHalfExactly359() {
    const LayoutResult r = ComputeLayout(Design(30, 30, 5, 3, 3));
    QCOMPARE(r.figure.panelWidth, 1540);
    QCOMPARE(r.figure.panelHeight, 1540);
    QCOMPARE(869 - r.figureHalfWidth, 359);
    QVERIFY(r.figure.vScroll);
    QVERIFY(r.figure.hScroll);
    QCOMPARE(r.figure.width, 510 - 8);
    QCOMPARE(r.figure.height, 493);
  }

  void smallTaskFits() {
    // Figure 240 x 190, form 280 x 490: the form needs 490 + 16 > 493 rows,
    // so its vertical bar shows; the figure half takes exactly what it needs
    // but no less than 290.
    const LayoutResult r = ComputeLayout(Design(4, 3, 5, 3, 3));
    QVERIFY(!r.figure.vScroll && !r.figure.hScroll);
    QVERIFY(r.form.vScroll && !r.form.hScroll);
    QCOMPARE(r.figureHalfWidth, 290);
    QCOMPARE(r.figure.height, 190 + 16);
    QCOMPARE(r.form.width, 280 + 16);
  }

  void equalPicturesShareTheShortfall() {
    // Pictures of a figure and a form of the same width in cells differ by
    // only 10 pixels (540 and 530), less than the shortfall.
    LayoutInput in = Design(10, 8, 10, 8, 1);
    in.halvesWidth = 1000;
    const LayoutResult r = ComputeLayout(in);
    QCOMPARE(r.figure.panelWidth, 540);
    QCOMPARE(r.form.panelWidth, 530);
    // needA = 545, needB = 3 + 530 + 4 = 537: D = 82, the figure is 10 wider
    // (< D), so the figure half loses floor(-82 / 2) = 41.
    QCOMPARE(r.figureHalfWidth, 545 - 41);
  }

  void oddShortfallCostsTheFigureTheLargerHalf() {
    LayoutInput in = Design(10, 8, 10, 8, 1);
    in.halvesWidth = 1001;  // D = 81: the figure gives up 41, the form 40
    QCOMPARE(ComputeLayout(in).figureHalfWidth, 545 - 41);
    in.halvesWidth = 1002;  // D = 80: 40 each
    QCOMPARE(ComputeLayout(in).figureHalfWidth, 545 - 40);
  }

  void muchWiderFormTakesTheWholeShortfallFromItself() {
    LayoutInput in = Design(2, 2, 30, 3, 1);  // figure 140 wide, form 1530 wide
    in.halvesWidth = 1000;
    const LayoutResult r = ComputeLayout(in);
    QCOMPARE(r.figureHalfWidth, 290);  // needA = 145, raised to the 290 minimum
    QVERIFY(r.form.hScroll);
    QCOMPARE(r.form.width, 1000 - 290 - 7);
  }

  void narrowWindowKeeps290ForTheFigure() {
    LayoutInput in = Design(4, 3, 5, 3, 1);
    in.halvesWidth = 560;  // less than 290 + 359
    const LayoutResult r = ComputeLayout(in);
    QCOMPARE(r.figureHalfWidth, 290);
    QVERIFY(r.form.hScroll);  // needs 3 + 280 + 4 = 287 > 270
  }
};

}  // namespace zv

QTEST_APPLESS_MAIN(zv::LayoutRuleTest)
#include "layout_rule_test.moc"
