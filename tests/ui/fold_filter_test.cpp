// The fold check of every solution from the solution browser, driven as a
// user drives it: FoldBt checks in the background, FoldL names the count,
// FoldMarkL the shown solution's mark right after its number, FoldOnlyCB
// steps through the foldable solutions only, a stopped check says so
// and keeps what it found, and the 3-D view plays the row's check.
#include "ui/fold_filter.h"

#include <QCheckBox>
#include <QLabel>
#include <atomic>
#include <thread>

#include "tests/ui/solve_helpers.h"
#include "ui/form_half.h"
#include "ui/solid_view.h"

namespace zv {

using namespace zv::test;

class FoldFilterTest : public QObject {
  Q_OBJECT

  // The mark's glyph and words, and that it stands right of the centred
  // number, on its line, inside the browser.
  static void ExpectMark(TZvForm& w, const char* glyph, const char* words) {
    const auto* mark = Control<QLabel>(w, "FoldMarkL");
    const auto* number = Control<QLabel>(w, "SolL");
    QVERIFY(!mark->isHidden());
    QCOMPARE(mark->text(), QString::fromUtf8(glyph));
    QCOMPARE(mark->toolTip(), QString::fromUtf8(words));
    const int textRight =
        number->x() + (number->width() + number->fontMetrics().horizontalAdvance(number->text())) / 2;
    QVERIFY(mark->x() >= textRight && mark->x() <= textRight + 8);
    QCOMPARE(mark->y(), number->y());
    QVERIFY(mark->x() + mark->width() <= mark->parentWidget()->width());
  }

  static TZvForm& Solved(WindowFixture& fx, const char* example) {
    TZvForm& w = fx.Start();
    LoadTask(fx, ReadExample(example));
    ClickButton(w, "SolveBt");
    return w;
  }

 private slots:
  void theSwitchStepsThroughTheFoldableOnly() {
    // The ring of hinges: solution 1 folds, the other four must move a closed
    // cycle of hinges and are not checked.
    WindowFixture fx;
    TZvForm& w = Solved(fx, "hinge_ring.zvt");
    QCOMPARE(LabelText(w, "SolL"), QStringLiteral("1 из 5"));
    auto* only = Control<QCheckBox>(w, "FoldOnlyCB");
    QVERIFY(!only->isEnabled());
    QVERIFY(Control<QLabel>(w, "FoldMarkL")->isHidden());  // no mark before the check
    ClickButton(w, "FoldBt");
    QTRY_COMPARE(LabelText(w, "FoldL"), QStringLiteral("1 из 5 складываются"));
    ExpectMark(w, "✓", "складывается");
    QVERIFY(!Button(w, "FoldBt")->isChecked());
    ClickButton(w, "NextSolBt");
    ClickButton(w, "NextSolBt");
    QCOMPARE(LabelText(w, "SolL"), QStringLiteral("3 из 5"));
    QCOMPARE(LabelText(w, "FoldL"), QStringLiteral("1 из 5 складываются"));
    ExpectMark(w, "?", "не проверено");
    only->click();  // the shown one does not fold: back to the one that does
    QCOMPARE(LabelText(w, "SolL"), QStringLiteral("1 из 5"));
    QVERIFY(!Button(w, "NextSolBt")->isEnabled() && !Button(w, "LastSolBt")->isEnabled());
    only->click();
    ClickButton(w, "NextSolBt");
    QCOMPARE(LabelText(w, "SolL"), QStringLiteral("2 из 5"));
    ClickButton(w, "SolveBt");  // back to editing: the outcomes are of solutions gone
    QCOMPARE(w.findChild<FoldFilter*>()->total(), 0);
    QVERIFY(Control<QLabel>(w, "FoldMarkL")->isHidden());
  }

  void aStoppedCheckSaysSoAndKeepsWhatItFound() {
    // Nine foldable solutions; the check is held just after the first one's
    // outcome, on its own thread, until the stop has been pressed.
    WindowFixture fx;
    TZvForm& w = Solved(fx, "diagonal_star.zvt");
    std::atomic<bool> held{false}, released{false};
    auto* filter = w.findChild<FoldFilter*>();
    connect(
        filter, &FoldFilter::solutionChecked, filter,
        [&](int) {
          held = true;
          while (!released) std::this_thread::yield();
        },
        Qt::DirectConnection);
    ClickButton(w, "FoldBt");
    QTRY_VERIFY(held);
    ClickButton(w, "FoldBt");
    released = true;
    QTRY_VERIFY(!filter->running());
    QCOMPARE(LabelText(w, "FoldL"), QStringLiteral("проверка остановлена: проверено 1 из 9, складываются 1"));
    ExpectMark(w, "✓", "складывается");
    ClickButton(w, "NextSolBt");
    ExpectMark(w, "?", "не проверено");
  }

  void theThreeDViewTakesTheRowsCheck() {
    // With the row's check done, the view has its verdict the moment the fold
    // is wanted; without it, the view's own check answers later, through the
    // event loop.
    for (const bool rowChecked : {true, false}) {
      WindowFixture fx;
      TZvForm& w = Solved(fx, "hinge_ring.zvt");
      if (rowChecked) {
        ClickButton(w, "FoldBt");
        QTRY_COMPARE(LabelText(w, "FoldL"), QStringLiteral("1 из 5 складываются"));
      }
      ClickButton(w, "SolidBt");
      SolidView& view = *w.formHalf().solidView;
      view.SetFold(0.5);
      QCOMPARE(view.verdict().has_value(), rowChecked);
      QTRY_VERIFY(view.verdict().has_value());
      QCOMPARE(view.verdict()->outcome, FoldOutcome::Foldable);
      ClickButton(w, "NextSolBt");  // a closed cycle of hinges must move
      QCOMPARE(view.verdict().has_value(), rowChecked);
      QTRY_VERIFY(view.verdict().has_value());
      QCOMPARE(view.verdict()->outcome, FoldOutcome::NotChecked);
    }
  }
};

}  // namespace zv

QTEST_MAIN(zv::FoldFilterTest)
#include "fold_filter_test.moc"
