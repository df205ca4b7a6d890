// The window on a small screen: 800 x 600 pixels (QT_SCALE_FACTOR=2 over
// the tests' 1600 x 1200 screen), at its first size and at the smallest
// size it allows. In solution view, with the fold check run and the 3-D
// view's verdict line shown, every visible control of the form half's strip
// lies inside the window and inside its own panel, no two of the strip's
// panels overlap, texts are not cut (a shortened FoldL says its whole text
// in its tooltip), and the picture's area starts below the strip, where
// the 3-D view is shown whole; so too with a stopped run's button there, in
// solution view and in edit mode. The side windows open whole on the
// screen, their buttons' captions and the help's contents whole.
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include "tests/ui/solve_helpers.h"
#include "ui/eliding_label.h"
#include "ui/help_window.h"
#include "ui/numbers_window.h"
#include "ui/solid_view.h"
#include "ui/text_window.h"

namespace zv {

using namespace zv::test;

class SmallScreenTest : public QObject {
  Q_OBJECT

  // `control`'s rectangle in the window's coordinates.
  static QRect InWindow(const QWidget* control, const TZvForm& w) {
    return {control->mapTo(&w, QPoint(0, 0)), control->size()};
  }

  static void ExpectInside(TZvForm& w, const char* what) {
    QWidget* strip = Control(w, "Panel4");
    const QRect window = w.rect();
    QList<QWidget*> shown;
    for (QWidget* c : strip->findChildren<QWidget*>())
      if (c->isVisibleTo(&w) && !c->inherits("QMenu")) shown.append(c);
    QVERIFY(!shown.isEmpty());
    for (const QWidget* c : shown) {
      const QString name = QStringLiteral("%1 %2").arg(QString::fromUtf8(what), c->objectName());
      QVERIFY2(window.contains(InWindow(c, w)), qPrintable(name));
      QVERIFY2(c->parentWidget()->rect().contains(c->geometry()), qPrintable(name));
      if (const auto* label = qobject_cast<const QLabel*>(c); label != nullptr && !label->wordWrap()) {
        const bool fits =
            label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width();
        const auto* eliding = qobject_cast<const ElidingLabel*>(c);
        QVERIFY2(fits || (eliding != nullptr && eliding->elided()), qPrintable(name + ": " + label->text()));
      }
      if (const auto* box = qobject_cast<const QCheckBox*>(c))
        QVERIFY2(box->sizeHint().width() <= box->width(), qPrintable(name));
    }
    // The strip's own panels and controls stand side by side, not on one another.
    for (const QWidget* a : shown)
      for (const QWidget* b : shown)
        if (a < b && a->parentWidget() == strip && b->parentWidget() == strip)
          QVERIFY2(!a->geometry().intersects(b->geometry()),
                   qPrintable(QStringLiteral("%1: %2 and %3")
                                  .arg(QString::fromUtf8(what), a->objectName(), b->objectName())));
    QVERIFY(Control(w, "Panel6")->y() >= strip->height());
    // The 3-D view under the strip is shown whole, its result line included.
    const auto* view = w.findChild<SolidView*>();
    QVERIFY2(view->parentWidget()->rect().contains(view->geometry()), what);
    QVERIFY2(view->height() >= view->minimumSizeHint().height(), what);
  }

 private slots:
  void theStripFitsTheWindow() {
    WindowFixture fx;
    TZvForm& w = fx.Start();
    Activate(w);
    QVERIFY(w.minimumWidth() >= 290 + 2 + 359);
    QVERIFY(w.minimumSize().width() <= w.width() && w.minimumSize().height() <= w.height());
    LoadTask(fx, ReadExample("hinge_ring.zvt"));
    ClickButton(w, "SolveBt");
    ClickButton(w, "FoldBt");
    QTRY_VERIFY(!Button(w, "FoldBt")->isChecked());
    ClickButton(w, "SolidBt");
    auto* view = w.findChild<SolidView*>();
    view->StepBack();  // the fold is wanted: the view checks it and says its verdict
    view->WaitForVerdict();
    QVERIFY(Control(w, "CollisionL")->isVisible());
    const struct {
      const char* what;
      QSize size;
    } sizes[] = {{"first size", w.size()}, {"smallest size", w.minimumSize()}};
    for (const auto& row : sizes) {
      w.resize(row.size);
      QCOMPARE(w.size(), row.size);
      ExpectInside(w, row.what);
    }
    w.CloseWithoutSaveAExecute();
  }

  // A stopped run's "Продолжить" under the result labels: the fold row
  // makes way for it in solution view, and in edit mode it stays clear of
  // the layer tools.
  void theContinueButtonStaysClear() {
    WindowFixture fx;
    TZvForm& w = fx.Start();
    Activate(w);
    LoadTask(fx, LongTask());
    {
      StopLater stop(w, 3);
      ClickButton(w, "SolveBt");
    }
    QVERIFY(Button(w, "ContinueBt")->isVisible());
    for (const bool editing : {false, true}) {
      if (editing) ClickButton(w, "SolveBt");  // "Редакт.": the place stays
      QVERIFY(Button(w, "ContinueBt")->isVisible());
      for (const QSize size : {w.size(), w.minimumSize()}) {
        w.resize(size);
        ExpectInside(w, editing ? "edit mode" : "solution view");
      }
    }
    w.CloseWithoutSaveAExecute();
  }

  // The side windows open whole on the small screen, the variants window
  // (640 x 480) too, though none has room beside the main window.
  void sideWindowsLieOnTheScreen() {
    WindowFixture fx;
    TZvForm& w = fx.Start();
    const QRect screen = w.screen()->availableGeometry();
    // Low on the screen: under its strips no side window has room.
    w.setGeometry(screen.left(), screen.top() + 100, screen.width(), screen.height() - 120);
    Activate(w);
    Control<QAbstractButton>(w, "NumsBt")->click();
    Control<QAbstractButton>(w, "TextBt")->click();
    QTest::keyClick(&w, Qt::Key_F1);
    ClickButton(w, "VariantsBt");
    QList<QWidget*> sides{w.numsForm(), w.textForm(), w.helpForm()};
    for (QWidget* top : QApplication::topLevelWidgets())
      if (top->objectName() == QLatin1String("VariantsForm")) sides.append(top);
    QCOMPARE(sides.size(), 4);
    // The help's contents show their titles whole.
    const auto* contents = w.helpForm()->findChild<QListWidget*>(QStringLiteral("ContentsL"));
    QVERIFY(contents->sizeHintForColumn(0) <= contents->viewport()->width());
    for (const QWidget* side : sides) {
      QVERIFY2(side->isVisible(), qPrintable(side->objectName()));
      QVERIFY2(screen.contains(side->frameGeometry()), qPrintable(side->objectName()));
      // Their buttons' captions are not cut.
      for (const QPushButton* button : side->findChildren<QPushButton*>())
        QVERIFY2(!button->isVisible() ||
                     button->fontMetrics().horizontalAdvance(button->text()) + 6 <= button->width(),
                 qPrintable(button->objectName()));
    }
    w.CloseWithoutSaveAExecute();
  }
};

}  // namespace zv

ZORVAT_TEST_MAIN_AT_SCALE_2(zv::SmallScreenTest)

#include "small_screen_test.moc"
