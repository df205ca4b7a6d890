// Additions a designer expects of the window: the new task command (Ctrl+N
// and NewBt) with its question about a changed task, a disabled SolveBt
// that looks disabled, and the captions beside the result numbers, which
// shorten as the form half narrows.
#include <QLabel>
#include <QtTest>

#include "tests/support/task_builder.h"
#include "tests/ui/solve_helpers.h"
#include "tests/ui/window_helpers.h"
#include "ui/solve_texts.h"
#include "ui/window_texts.h"

namespace zv {

using namespace zv::test;

class ConveniencesTest : public QObject {
  Q_OBJECT

 private slots:
  void newTaskOffersToSaveAChangedTask() {
    WindowFixture fx;
    TZvForm& w = fx.Start();
    Activate(w);
    const TaskState loaded = MakeTask({"#."}, {{"##"}});
    LoadTask(fx, loaded);
    // Unchanged: Ctrl+N clears at once, and Save then proposes no file name.
    QTest::keyClick(&w, Qt::Key_N, Qt::ControlModifier);
    QVERIFY(fx.services.messages.empty());
    QVERIFY(w.task() == TaskState{});
    QCOMPARE(w.windowTitle(), QString::fromUtf8(kProgramCaption));
    Control<QAbstractButton>(w, "SaveBt")->click();
    QCOMPARE(fx.services.dialogs.back().initialName, QString());
    QCOMPARE(fx.services.dialogs.back().initialFolder, QString());

    // Changed: NewBt asks; Cancel keeps the task, Save writes it first.
    auto* newBt = Control<QAbstractButton>(w, "NewBt");
    LoadTask(fx, loaded);
    QTest::mouseClick(ImA(w), Qt::LeftButton, {}, FigurePoint(1, 0, 25, 25));
    const TaskState changed = w.task();
    fx.services.answers = {MessageAnswer::Cancel};
    newBt->click();
    QCOMPARE(fx.services.messages.back().caption, QString::fromUtf8(kNewTaskTitle));
    QCOMPARE(fx.services.messages.back().text, QString::fromUtf8(kSaveChangesQuestion));
    QVERIFY(w.task() == changed);
    fx.services.answers = {MessageAnswer::Save};
    fx.services.savePaths = {fx.file("saved.zvt")};
    newBt->click();
    QVERIFY(w.task() == TaskState{});
    TaskState saved;
    QVERIFY(ReadTaskFile(QFile::encodeName(fx.file("saved.zvt")).toStdString(), saved) == ReadResult::Ok);
    QVERIFY(saved == changed);
    QCOMPARE(fx.services.messages.size(), std::size_t(2));  // nothing asked for the saved task
    w.CloseWithoutSaveAExecute();
  }

  void disabledSolveButtonLooksDisabled() {
    WindowFixture fx;
    TZvForm& w = fx.Start();
    Activate(w);
    auto* solve = Control<QAbstractButton>(w, "SolveBt");
    const auto greenPixels = [solve] {
      const QImage image = solve->grab().toImage();
      int n = 0;
      for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) == kSolveColor;
      return n;
    };
    LoadTask(fx, MakeTask({"#."}, {{"##"}}));  // one cube short
    QVERIFY(!solve->isEnabled());
    QCOMPARE(greenPixels(), 0);  // neither the caption nor the tick
    LoadTask(fx, MakeTask({"##"}, {{"##"}}), "valid.zvt");
    QVERIFY(solve->isEnabled());
    QVERIFY(greenPixels() > 20);
    w.CloseWithoutSaveAExecute();
  }

  void resultCaptionsShortenWhenTheHalfNarrows() {
    WindowFixture fx;
    TZvForm& w = fx.Start();
    Activate(w);
    LoadTask(fx, MakeTask({"##"}, {{"##"}}));
    w.SolveBtClick();
    auto* past = Control<QLabel>(w, "TimePastL");
    const auto captionOf = [&] {
      QWidget* res = Control(w, "ResP");
      for (QLabel* label : res->findChildren<QLabel*>())
        if (label->objectName().isEmpty() && label->geometry().right() < past->x() && label->y() == past->y())
          return label->text();
      return QString();
    };
    const struct {
      int windowWidth;
      const char* caption;
    } widths[] = {
        {871, kResultCaptions[0].full}, {292 + 359 + 40, kResultCaptions[0].brief}, {292 + 359, ""}};
    for (const auto& row : widths) {
      w.resize(row.windowWidth, w.height());
      QTRY_COMPARE(captionOf(), QString::fromUtf8(row.caption));
    }
    QCOMPARE(past->geometry(), QRect(0, 0, 49, 13));  // the narrowest: numbers where they always were
    // After the run the time still expected and the count are empty, and so
    // their captions are gone; the time spent and the dead ends keep theirs.
    w.resize(871, w.height());
    QWidget* res = Control(w, "ResP");
    for (const char* name : {"TimePastL", "TimeRestL", "DeadL", "SolNumL"}) {
      const auto* number = Control<QLabel>(w, name);
      int shownCaptions = 0;
      for (const QLabel* label : res->findChildren<QLabel*>())
        shownCaptions += label->objectName().isEmpty() && label->isVisible() && label->y() == number->y() &&
                         label->geometry().right() == number->x() - 1;
      QCOMPARE(shownCaptions, number->text().isEmpty() ? 0 : 1);
    }
    w.CloseWithoutSaveAExecute();
  }
};

}  // namespace zv

QTEST_MAIN(zv::ConveniencesTest)
#include "conveniences_test.moc"
