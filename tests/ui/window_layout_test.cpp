// The window applies the layout rule: with a 30 x 30 figure and a 5 x 3 x 3
// form in the design window the form half keeps exactly 359 pixels and the
// figure's scroll box shows both scroll bars; pictures only grow.
#include <QScrollArea>
#include <QtTest>

#include "tests/support/task_builder.h"
#include "tests/ui/window_helpers.h"

namespace zv {

using namespace zv::test;

class WindowLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void wideFigureInTheDesignWindow() {
    WindowFixture fx;
    TZvForm& w = fx.Start();
    QCOMPARE(w.size(), QSize(871, 602));
    TaskState t = MakeTask({"#"}, {{"#####", "#####", "#####"}, {"#"}, {"#"}});
    t.figure.FigureWidth = 30;
    t.figure.FigureDepth = 30;
    LoadTask(fx, t);
    QCOMPARE(Control(w, "PanelB")->width(), 359);
    QCOMPARE(Control(w, "PanelA")->width() + 2 + 359, 871);
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
};

}  // namespace zv

QTEST_MAIN(zv::WindowLayoutTest)
#include "window_layout_test.moc"
