// The cube numbering window: the column layout of the number list, handing
// out numbers with wrap-around, refilling after the cube count changed, the
// NormBt and close signals, and its placement in section "Numbers".
#include "ui/numbers_window.h"

#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <random>

#include "platform/qt/qt_profile.h"

namespace zv {

class NumbersWindowTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QString IniPath() const { return dir_.filePath(QStringLiteral("Zorvat.ini")); }

  static QListWidget* List(TNumsForm& w) { return w.findChild<QListWidget*>(QStringLiteral("LB")); }

  // Columns are a fifth of the visible width, rows 24 pixels high; a column
  // holds as many rows as fit, then the next column starts to its right.
  static void CheckColumns(QListWidget& lb) {
    QCoreApplication::processEvents();  // the list lays itself out later
    lb.horizontalScrollBar()->setValue(0);
    const int column = lb.viewport()->width() / 5;
    const int rows = lb.viewport()->height() / 24;
    QVERIFY(rows >= 3);
    for (int i = 0; i < lb.count(); ++i) {
      const QRect r = lb.visualRect(lb.model()->index(i, 0));
      QCOMPARE(r, QRect(i / rows * column, i % rows * 24, column, 24));
    }
  }

 private slots:
  void numbersFillFiveColumnsTopToBottom() {
    QtProfile profile(IniPath());
    TNumsForm w(profile);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.size(), QSize(177, 186));
    w.Fill(30);
    QListWidget* lb = List(w);
    QCOMPARE(lb->count(), 30);
    for (int i = 0; i < 30; ++i) QCOMPARE(lb->item(i)->text(), QString::number(i + 1));

    CheckColumns(*lb);
    const int rows = lb->viewport()->height() / 24;
    // 30 numbers need more than five columns of at most five rows: the list
    // scrolls sideways to reach them.
    QVERIFY(rows * 5 < 30);
    QVERIFY(lb->horizontalScrollBar()->maximum() > 0);

    // Clicking an entry in the third column selects it.
    const int target = 2 * rows + 1;
    QTest::mouseClick(lb->viewport(), Qt::LeftButton, {},
                      lb->visualRect(lb->model()->index(target, 0)).center());
    QCOMPARE(w.SelectedIndex(), target);

    // A wider window has wider columns, still five of them.
    w.resize(300, 260);
    QTRY_COMPARE(lb->gridSize().width(), lb->viewport()->width() / 5);
    CheckColumns(*lb);
  }

  void fillSelectsTheFirstAndTakingWrapsAround() {
    QtProfile profile(IniPath());
    TNumsForm w(profile);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.Fill(5);
    QCOMPARE(w.SelectedIndex(), 0);
    // Five cubes, number 3 selected: the press hands out zero-based 2 and
    // the selection moves on to number 4.
    QTest::mouseClick(List(w)->viewport(), Qt::LeftButton, {},
                      List(w)->visualRect(List(w)->model()->index(2, 0)).center());
    QCOMPARE(w.SelectedIndex(), 2);
    QCOMPARE(w.TakeNumber(), std::optional<int>(2));
    QCOMPARE(w.SelectedIndex(), 3);
    QCOMPARE(w.TakeNumber(), std::optional<int>(3));
    QCOMPARE(w.TakeNumber(), std::optional<int>(4));
    QCOMPARE(w.SelectedIndex(), 0);  // after number C back to number 1
    QCOMPARE(w.TakeNumber(), std::optional<int>(0));

    // One cube: every take gives number 1.
    w.Fill(1);
    QCOMPARE(w.TakeNumber(), std::optional<int>(0));
    QCOMPARE(w.TakeNumber(), std::optional<int>(0));

    // No cubes: nothing to hand out.
    w.Fill(0);
    QCOMPARE(w.SelectedIndex(), -1);
    QCOMPARE(w.TakeNumber(), std::nullopt);
  }

  void theUserCannotLeaveTheListWithoutASelection() {
    QtProfile profile(IniPath());
    TNumsForm w(profile);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.Fill(4);
    QListWidget* lb = List(w);
    const QPoint first = lb->visualRect(lb->model()->index(0, 0)).center();
    QTest::mouseClick(lb->viewport(), Qt::LeftButton, Qt::ControlModifier, first);
    QCOMPARE(w.SelectedIndex(), 0);
    // A click below the last entry of a column hits no entry.
    QTest::mouseClick(lb->viewport(), Qt::LeftButton, {},
                      QPoint(lb->viewport()->width() - 2, lb->viewport()->height() - 2));
    QCOMPARE(w.SelectedIndex(), 0);
    QCOMPARE(w.TakeNumber(), std::optional<int>(0));
  }

  void refillKeepsAValidSelectionAndNeverHandsOutANumberAtOrAboveTheCount() {
    QtProfile profile(IniPath());
    TNumsForm w(profile);
    w.Fill(6);
    for (int i = 0; i < 4; ++i) w.TakeNumber();
    QCOMPARE(w.SelectedIndex(), 4);
    w.Refill(8);  // more cubes after a redo: the selection stays on number 5
    QCOMPARE(w.Count(), 8);
    QCOMPARE(w.SelectedIndex(), 4);
    w.Refill(3);  // fewer cubes after an undo: number 5 is gone, number 1 selected
    QCOMPARE(w.Count(), 3);
    QCOMPARE(w.SelectedIndex(), 0);
    w.Refill(0);
    QCOMPARE(w.TakeNumber(), std::nullopt);
    w.Refill(2);
    QCOMPARE(w.SelectedIndex(), 0);

    // Any run of takes and count changes hands out only numbers below the
    // count last filled in.
    const unsigned seed = qEnvironmentVariableIsSet("ZORVAT_SEED")
                              ? static_cast<unsigned>(qEnvironmentVariableIntValue("ZORVAT_SEED"))
                              : 20240611u;
    qInfo("seed %u", seed);
    std::mt19937 random(seed);
    int count = 2;
    for (int step = 0; step < 400; ++step) {
      if (random() % 4 == 0) {
        count = static_cast<int>(random() % 12);
        w.Refill(count);
      }
      const std::optional<int> n = w.TakeNumber();
      QCOMPARE(n.has_value(), count > 0);
      if (n) QVERIFY2(*n >= 0 && *n < count, qPrintable(QStringLiteral("%1 of %2").arg(*n).arg(count)));
    }
  }

  void normBtSelectsTheFirstNumberAndAsksForTheDefaultNumbering() {
    QtProfile profile(IniPath());
    TNumsForm w(profile);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.Fill(5);
    w.TakeNumber();
    w.TakeNumber();
    QSignalSpy norm(&w, &TNumsForm::normBtClicked);
    auto* button = w.findChild<QPushButton*>(QStringLiteral("NormBt"));
    QVERIFY(button != nullptr);
    QCOMPARE(button->text(), QStringLiteral("Занумеровать подряд"));
    QCOMPARE(button->size(), QSize(127, 22));
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(norm.count(), 1);
    QCOMPARE(w.SelectedIndex(), 0);
  }

  void closingHidesTheWindowAndAnnouncesIt() {
    QtProfile profile(IniPath());
    TNumsForm w(profile);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QSignalSpy closed(&w, &TNumsForm::closed);
    QVERIFY(w.close());
    QCOMPARE(closed.count(), 1);
    QVERIFY(!w.isVisible());
    QVERIFY(!w.testAttribute(Qt::WA_QuitOnClose));  // the main window alone ends the program
  }

  void placementRoundTripInSectionNumbers() {
    QtProfile profile(IniPath());
    {
      TNumsForm w(profile);
      w.setGeometry(100, 120, 300, 250);
    }
    // "top,left,width,height,maximized"
    QCOMPARE(profile.Read("Numbers", "WinPosition", ""), std::string("120,100,300,250,0"));
    QCOMPARE(profile.Read("Text", "WinPosition", "none"), std::string("none"));
    TNumsForm again(profile);
    QCOMPARE(again.geometry(), QRect(100, 120, 300, 250));
  }

  void aMaximizedWindowStoresItsRestoredRectangle() {
    QtProfile profile(IniPath());
    {
      TNumsForm w(profile);
      w.setGeometry(100, 120, 300, 250);
      w.show();
      QVERIFY(QTest::qWaitForWindowExposed(&w));
      w.showMaximized();
      QTRY_VERIFY(w.isMaximized());
    }
    QCOMPARE(profile.Read("Numbers", "WinPosition", ""), std::string("120,100,300,250,1"));
    TNumsForm again(profile);
    QVERIFY(again.windowState().testFlag(Qt::WindowMaximized));
    again.show();
    QVERIFY(QTest::qWaitForWindowExposed(&again));
    again.showNormal();
    QTRY_COMPARE(again.geometry(), QRect(100, 120, 300, 250));
  }

  void brokenOrOffDesktopPlacementsAreIgnored() {
    QtProfile profile(IniPath());
    profile.Write("Numbers", "WinPosition", "120,100");
    {
      TNumsForm w(profile);
      QCOMPARE(w.size(), QSize(177, 186));
      QVERIFY(w.pos() != QPoint(100, 120));
    }
    profile.Write("Numbers", "WinPosition", "100,5000,300,250,0");
    TNumsForm w(profile);
    QVERIFY(w.pos().x() < 5000);
    QCOMPARE(w.size(), QSize(177, 186));
  }
};

}  // namespace zv

QTEST_MAIN(zv::NumbersWindowTest)
#include "numbers_window_test.moc"
