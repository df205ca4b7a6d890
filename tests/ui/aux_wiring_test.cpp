// The main window with its description, help and numbering windows:
// numbering mode from NumsBt (presses, drags, the wrap after the last
// number, NormBt, what ends it, and undo changing the cube count under an
// open list), TextBt and the description mark, F1 and Esc for help.
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "tests/support/task_builder.h"
#include "tests/ui/solve_helpers.h"
#include "ui/help_window.h"
#include "ui/numbers_window.h"
#include "ui/text_window.h"

namespace zv {

using namespace zv::test;

class AuxWiringTest : public QObject {
  Q_OBJECT

 private:
  WindowFixture* fx_ = nullptr;
  TZvForm& W() { return *fx_->window; }
  QListWidget* List() { return W().numsForm()->findChild<QListWidget*>(QStringLiteral("LB")); }
  // User number (from 1) of the cube in figure cell (x, 0).
  int NumberAt(int x) { return W().task().figure.NumberAtCell[FigureCellIndex(x, 0)] + 1; }
  void StartNumbering() {
    ClickButton(W(), "NumsBt");
    QVERIFY(W().numberingMode());
    QVERIFY(W().numsForm()->isVisible());
  }
  void ExpectNumberingEnded() {
    QVERIFY(!W().numberingMode());
    QVERIFY(!W().numsForm()->isVisible());
    QVERIFY(!Button(W(), "NumsBt")->isChecked());
  }

 private slots:
  void init() {
    fx_ = new WindowFixture;
    QVERIFY(fx_->StartShown());
    LoadTask(*fx_, MakeTask({"#####"}, {{"#####"}}));
  }
  void cleanup() {
    fx_->CloseWithoutSaving();
    delete fx_;
  }

  void aPressGivesTheSelectedNumberAndSwaps() {
    StartNumbering();
    QCOMPARE(W().numsForm()->Count(), 5);
    QCOMPARE(W().numsForm()->SelectedIndex(), 0);
    List()->setCurrentRow(2);  // the number 3
    ClickFigureCell(W(), 0, 0);
    QCOMPARE(NumberAt(0), 3);
    QCOMPARE(NumberAt(2), 1);
    QCOMPARE(W().numsForm()->SelectedIndex(), 3);
    ClickButton(W(), "UndoBt");  // each step is recorded
    QCOMPARE(NumberAt(0), 1);
  }

  void aDragNumbersInTheOrderEnteredAndStopsAfterTheLast() {
    StartNumbering();
    QTest::mousePress(ImA(W()), Qt::LeftButton, {}, FigurePoint(4, 0, 25, 25));
    for (int x = 3; x >= 0; --x) QTest::mouseMove(ImA(W()), FigurePoint(x, 0, 25, 25));
    for (int x = 0; x < 5; ++x) QCOMPARE(NumberAt(x), 5 - x);
    QCOMPARE(W().numsForm()->SelectedIndex(), 0);  // wrapped
    QTest::mouseMove(ImA(W()), FigurePoint(1, 0, 25, 25));
    QTest::mouseMove(ImA(W()), FigurePoint(4, 0, 25, 25));
    QTest::mouseRelease(ImA(W()), Qt::LeftButton, {}, FigurePoint(4, 0, 25, 25));
    for (int x = 0; x < 5; ++x) QCOMPARE(NumberAt(x), 5 - x);
  }

  void aDragBackOntoACubeNumbersItAgain() {
    StartNumbering();
    QTest::mousePress(ImA(W()), Qt::LeftButton, {}, FigurePoint(0, 0, 25, 25));  // 1
    QTest::mouseMove(ImA(W()), FigurePoint(1, 0, 25, 25));                       // 2
    QTest::mouseMove(ImA(W()), FigurePoint(0, 0, 25, 25));                       // 3, swapping
    QTest::mouseRelease(ImA(W()), Qt::LeftButton, {}, FigurePoint(0, 0, 25, 25));
    QCOMPARE(NumberAt(0), 3);
    QCOMPARE(NumberAt(1), 2);
    QCOMPARE(NumberAt(2), 1);
  }

  void normBtRestoresTheDefaultNumbersAndCanBeUndone() {
    StartNumbering();
    List()->setCurrentRow(4);
    ClickFigureCell(W(), 0, 0);
    QCOMPARE(NumberAt(0), 5);
    QTest::mouseClick(W().numsForm()->findChild<QPushButton*>(QStringLiteral("NormBt")), Qt::LeftButton);
    for (int x = 0; x < 5; ++x) QCOMPARE(NumberAt(x), x + 1);
    QCOMPARE(W().numsForm()->SelectedIndex(), 0);
    ClickButton(W(), "UndoBt");
    QCOMPARE(NumberAt(0), 5);
  }

  void numberingModeEndsWithModesFillClearSolveAndOpening() {
    for (const char* button : {"EdgeBt", "DrawABt", "FillABt", "ClearABt"}) {
      LoadTask(*fx_, MakeTask({"#####"}, {{"#####"}}));
      StartNumbering();
      ClickButton(W(), button);
      ExpectNumberingEnded();
    }
    LoadTask(*fx_, MakeTask({"#####"}, {{"#####"}}));
    StartNumbering();
    ClickButton(W(), "SolveBt");
    ExpectNumberingEnded();
    ClickButton(W(), "SolveBt");
    StartNumbering();
    LoadTask(*fx_, MakeTask({"##"}, {{"##"}}));
    ExpectNumberingEnded();
    StartNumbering();
    W().numsForm()->close();  // the window's close box
    ExpectNumberingEnded();
  }

  void undoChangingTheCubeCountRefillsTheList() {
    LoadTask(*fx_, MakeTask({"###.."}, {{"###"}}));
    ClickFigureCell(W(), 3, 0);
    ClickFigureCell(W(), 4, 0);  // five cubes
    StartNumbering();
    List()->setCurrentRow(4);  // the number 5
    ClickButton(W(), "UndoBt");
    ClickButton(W(), "UndoBt");  // three cubes again
    QCOMPARE(W().numsForm()->Count(), 3);
    QVERIFY(W().numsForm()->SelectedIndex() < 3);
    ClickFigureCell(W(), 2, 0);
    // The numbers stay a permutation of 1..3.
    const FigureState& f = W().task().figure;
    std::array<bool, 3> seen{};
    for (int k = 0; k < 3; ++k) {
      QVERIFY(f.NumberOfCube[k] < 3);
      seen[f.NumberOfCube[k]] = true;
      QCOMPARE(int(f.CubeOfNumber[f.NumberOfCube[k]]), k);
    }
    QVERIFY(seen[0] && seen[1] && seen[2]);
    QVERIFY(W().validation().ok());
  }

  void textBtShowsHidesAndReloadsTheDescription() {
    TTextForm* text = W().textForm();
    QVERIFY(!text->isVisible());
    ClickButton(W(), "TextBt");
    QVERIFY(text->isVisible());
    text->findChild<QPlainTextEdit*>(QStringLiteral("E"))->setPlainText(QStringLiteral("ab"));
    QCOMPARE(W().task().Text, std::string("ab"));
    QCOMPARE(Button(W(), "TextBt")->palette().color(QPalette::ButtonText), QColor(0, 0, 255));
    ClickButton(W(), "TextBt");
    QVERIFY(!text->isVisible());
    // A task read while the window is hidden: the mark follows at once, the
    // box when TextBt shows it.
    TaskState t = MakeTask({"##"}, {{"##"}});
    t.Text = "x";
    LoadTask(*fx_, t);
    QCOMPARE(Button(W(), "TextBt")->palette().color(QPalette::ButtonText), QColor(0, 0, 255));
    ClickButton(W(), "TextBt");
    QCOMPARE(text->Text(), std::string("x"));
    // Read while shown: the box follows at once.
    LoadTask(*fx_, MakeTask({"##"}, {{"##"}}));
    QCOMPARE(text->Text(), std::string());
    QCOMPARE(Button(W(), "TextBt")->palette().color(QPalette::ButtonText), QColor(0, 0, 0));
    text->close();
    QVERIFY(!Button(W(), "TextBt")->isChecked());
  }

  void f1ShowsHelpAndEscHidesIt() {
    Activate(W());
    QTest::keyClick(&W(), Qt::Key_F1);
    QVERIFY(W().helpForm()->isVisible());
    QTest::keyClick(&W(), Qt::Key_Escape);
    QVERIFY(!W().helpForm()->isVisible());
    ClickButton(W(), "HelpBt");
    QVERIFY(W().helpForm()->isVisible());
  }
};

}  // namespace zv

QTEST_MAIN(zv::AuxWiringTest)
#include "aux_wiring_test.moc"
