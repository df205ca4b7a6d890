// The window's layout: the first split by the layout rule, a divider that
// keeps its share as the window grows and stays where it is dragged, scroll
// boxes that fill their halves, pictures that only grow, the zoom with its
// hit zones and fit; side windows open beside the main window.
#include <QAbstractButton>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QSpinBox>
#include <QtTest>
#include <cmath>

#include "tests/support/task_builder.h"
#include "tests/ui/solve_helpers.h"
#include "tests/ui/window_helpers.h"
#include "ui/help_window.h"
#include "ui/numbers_window.h"
#include "ui/text_window.h"

namespace zv {

using namespace zv::test;

class WindowLayoutTest : public QObject {
  Q_OBJECT

  // The numbering, description, help and variants windows of `w`.
  static QList<QWidget*> SideWindows(TZvForm& w) {
    QList<QWidget*> sides{w.numsForm(), w.textForm(), w.helpForm()};
    for (QWidget* top : QApplication::topLevelWidgets())
      if (top->objectName() == QLatin1String("VariantsForm")) sides.append(top);
    return sides;
  }

 private slots:
  void wideFigureInTheDesignWindow() {
    WindowFixture fx;
    TZvForm& w = fx.Start();
    // The first start takes four fifths of the screen, its frame included.
    const QSize room = QGuiApplication::primaryScreen()->availableGeometry().size();
    QCOMPARE(w.size(), room * 4 / 5 - TZvForm::kFrameAllowance);
    w.resize(871, 602);
    // The first layout splits by the layout rule: the default figure needs
    // less than the figure half's 290 pixels.
    QCOMPARE(Control(w, "PanelA")->width(), 290);
    TaskState t = MakeTask({"#"}, {{"#####", "#####", "#####"}, {"#"}, {"#"}});
    t.figure.FigureWidth = 30;
    t.figure.FigureDepth = 30;
    LoadTask(fx, t);
    // A size change moves no divider: the figure scrolls in its half.
    QCOMPARE(Control(w, "PanelA")->width(), 290);
    auto* box = Control<QScrollArea>(w, "ImASB");
    QCOMPARE(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(box->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(Control(w, "ImAP")->size(), QSize(1540, 1540));
    QCOMPARE(box->height(), 602 - 109);

    // Back to a small figure: the panel shrinks, the picture's image keeps
    // its size, and the scroll box loses its bars.
    LoadTask(fx, MakeTask({"##"}, {{"##"}}), "small.zvt");
    QCOMPARE(Control(w, "ImAP")->size(), QSize(140, 90));
    QVERIFY(ImA(w)->image().width() >= 1540);
    QCOMPARE(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(Control(w, "PanelA")->width(), 290);
    w.CloseWithoutSaveAExecute();
  }

  // The first layout gives the figure half just its picture's width and 5
  // pixels: the picture shows whole, without a scroll bar for the margin
  // pixels its box leaves out.
  void theFirstSplitShowsTheFigureWithoutScrollBars() {
    WindowFixture fx;
    TaskState t = MakeTask({"#"}, {{"#"}});
    t.figure.FigureWidth = 14;
    t.figure.FigureDepth = 10;
    const QString path = fx.file("wide.zvt");
    QVERIFY(WriteTaskFile(QFile::encodeName(path).toStdString(), t) == WriteResult::Ok);
    TZvForm& w = fx.Start(path);
    Activate(w);
    QCOMPARE(Control(w, "PanelA")->width(), 14 * 50 + 40 + 5);
    const auto* box = Control<QScrollArea>(w, "ImASB");
    QCOMPARE(box->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    w.CloseWithoutSaveAExecute();
  }

  // Both halves grow with the window, the divider keeps its share and stays
  // where it is dragged, and the scroll boxes fill their halves.
  void halvesGrowAndTheDividerStays() {
    WindowFixture fx;
    TZvForm& w = fx.Start();
    Activate(w);
    QWidget* a = Control(w, "PanelA");
    QWidget* b = Control(w, "PanelB");
    const double share = a->width() / double(a->width() + b->width());
    w.resize(1500, 1000);
    QVERIFY(a->width() > 290 && b->width() > 579);
    QVERIFY(std::abs(a->width() / double(a->width() + b->width()) - share) < 0.01);
    QCOMPARE(Control(w, "ImBSB")->height(), 1000 - 109);
    QWidget* bevel = Control(w, "Bevel1");
    QTest::mousePress(bevel, Qt::LeftButton, {}, {1, 10});
    QMouseEvent move(QEvent::MouseMove, QPointF(1, 10), bevel->mapToGlobal(QPointF(1, 10)) + QPointF(200, 0),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(bevel, &move);
    QTest::mouseRelease(bevel, Qt::LeftButton, {}, {1, 10});
    const int dragged = a->width();
    QVERIFY(std::abs(dragged - (int(share * 1498) + 200)) <= 2);
    Control<QSpinBox>(w, "XASE")->setValue(12);
    Control<QSpinBox>(w, "XBSE")->setValue(20);
    QCOMPARE(a->width(), dragged);
    w.CloseWithoutSaveAExecute();
  }

  // The zoom scales the pictures and every hit zone with them; fit shows
  // the whole figure and form.
  void zoomScalesPicturesAndHitZones() {
    WindowFixture fx;
    TZvForm& w = fx.Start();
    Activate(w);
    LoadTask(fx, MakeTask({"....", "...."}, {{"....", "...."}, {"....", "...."}}));
    QWidget* panelA = Control(w, "ImAP");
    const QSize design = panelA->size();
    QTest::keyClick(&w, Qt::Key_Equal, Qt::ControlModifier);
    QTest::keyClick(&w, Qt::Key_Equal, Qt::ControlModifier);
    QCOMPARE(panelA->size(), design * 1.5);
    // A press at the middle of cell (2, 1) as drawn now adds that cube.
    const QPoint middle = FigurePoint(2, 1, 25, 25) * 1.5;
    QTest::mouseClick(ImA(w), Qt::LeftButton, {}, middle);
    QVERIFY(CellWord(w, 2, 1) & kCubeBit);
    QCOMPARE(w.validation().cubeCount, 1);
    // The picture is drawn at the zoom: the cube fills its enlarged cell.
    const QImage& image = ImA(w)->image();
    QCOMPARE(image.devicePixelRatio(), 1.5);
    QCOMPARE(image.pixelColor(middle), QColor(230, 230, 230));  // image pixels are window pixels here
    QTest::keyClick(&w, Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(panelA->size(), design * 1.25);
    // Fit: a 30 x 30 figure whole in its half, no scroll bars.
    TaskState big = MakeTask({"#"}, {{"#"}});
    big.figure.FigureWidth = big.figure.FigureDepth = 30;
    LoadTask(fx, big, "big.zvt");
    QTest::keyClick(&w, Qt::Key_0, Qt::ControlModifier);
    auto* box = Control<QScrollArea>(w, "ImASB");
    QCOMPARE(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(box->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QVERIFY(Control(w, "ImAP")->width() <= box->width());
    w.CloseWithoutSaveAExecute();
  }

  // In solution view the fold row stands beside the result labels where the
  // form half has room for it, and the strip keeps its 109 pixels; in a
  // narrower half it goes under the strip's rows and the strip grows by it,
  // as it does beside a stopped run's button. Back in edit mode the strip
  // is as designed again.
  void theFoldRowGoesUnderTheStripWhenTheHalfIsNarrow() {
    WindowFixture fx;
    TZvForm& w = fx.Start();
    Activate(w);
    LoadTask(fx, MakeTask({"##"}, {{"##"}}));
    Control<QAbstractButton>(w, "SolveBt")->click();
    QWidget* strip = Control(w, "Panel4");
    QWidget* fold = Control(w, "FoldP");
    const struct {
      int windowWidth;
      QPoint fold;
      bool taller;
    } rows[] = {{1500, {260, 62}, false}, {651, {2, 109}, true}};
    for (const auto& row : rows) {
      w.resize(row.windowWidth, 602);
      QCOMPARE(fold->pos(), row.fold);
      QCOMPARE(strip->height() > 109, row.taller);
      QCOMPARE(Control(w, "ImBSB")->height(), 602 - strip->height());
    }
    // Narrow: FoldL takes a line of its own under the button once the check
    // names its count, and the strip grows by that line.
    const int before = strip->height();
    QCOMPARE(fold->height(), 20);
    Control<QAbstractButton>(w, "FoldBt")->click();
    QTRY_VERIFY(!Control<QAbstractButton>(w, "FoldBt")->isChecked());
    QWidget* count = Control(w, "FoldL");
    QVERIFY(count->isVisible() && count->y() >= 20 && fold->rect().contains(count->geometry()));
    QCOMPARE(strip->height(), before + fold->height() - 20);
    QCOMPARE(Control(w, "ImBSB")->height(), 602 - strip->height());
    Control<QAbstractButton>(w, "SolveBt")->click();
    QCOMPARE(strip->height(), 109);
    QCOMPARE(Control(w, "ImBSB")->height(), 602 - 109);
    // A stopped run's "Продолжить" stands under the result labels: the fold
    // row makes way for it however wide the half.
    LoadTask(fx, LongTask(), "long.zvt");
    {
      StopLater stop(w, 3);
      Control<QAbstractButton>(w, "SolveBt")->click();
    }
    w.resize(1500, 602);
    QVERIFY(Control(w, "ContinueBt")->isVisible());
    QCOMPARE(fold->pos(), QPoint(2, 109));
    QVERIFY(!fold->geometry().intersects(Control(w, "ContinueBt")->geometry()));
    w.CloseWithoutSaveAExecute();
  }

  // On a first start each side window (the variants window too) opens on its first click where it
  // covers none of the main window's controls: beside it, or over the
  // lower part of its pictures when the screen has no room beside it.
  void sideWindowsOpenBesideOnTheFirstClick() {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (const int left : {0, (screen.width() - 871) / 2, screen.width() - 871}) {
      for (const bool wide : {false, true}) {
        if (wide && left != 0) continue;  // a wide window has no room to move
        WindowFixture fx;
        TZvForm& w = fx.Start();
        w.resize(wide ? screen.width() - 100 : 871, 602);
        w.move(left, 0);
        Activate(w);
        const QRect controls(w.frameGeometry().topLeft(), QSize(w.frameGeometry().width(), 109));
        Control<QAbstractButton>(w, "NumsBt")->click();
        Control<QAbstractButton>(w, "TextBt")->click();
        QTest::keyClick(&w, Qt::Key_F1);
        Control<QAbstractButton>(w, "VariantsBt")->click();
        QCOMPARE(SideWindows(w).size(), 4);
        for (QWidget* side : SideWindows(w)) {
          QVERIFY2(side->isVisible(), qPrintable(side->objectName()));
          QVERIFY2(!side->frameGeometry().intersects(controls),
                   qPrintable(QStringLiteral("%1 at %2,%3 with the window at %4")
                                  .arg(side->objectName())
                                  .arg(side->x())
                                  .arg(side->y())
                                  .arg(left)));
          QVERIFY2(screen.contains(side->frameGeometry()), qPrintable(side->objectName()));
        }
        w.CloseWithoutSaveAExecute();
      }
    }
  }
};

}  // namespace zv

QTEST_MAIN(zv::WindowLayoutTest)
#include "window_layout_test.moc"
