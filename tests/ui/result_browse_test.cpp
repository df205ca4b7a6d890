// Result files in the window: opened through the dialog (which offers them
// beside task files) or from the command line, a stopped run comes up in
// solution view with exactly its own solutions and counts, without a
// search; back in editing the task edits as after any solve. A damaged
// result file shows its box and changes nothing.
#include <QFile>

#include "model/validation.h"
#include "run/result_file.h"
#include "solver/progress.h"
#include "tests/support/run_snapshot.h"
#include "tests/support/stop_observers.h"
#include "tests/ui/solve_helpers.h"

namespace zv {

using namespace zv::test;

namespace {

// A run of the 2 x 3 x 10 box stopped part way: fewer than its 12
// solutions, so a window that solved again would show more.
ResultFile StoppedRun() {
  const TaskState task = ReadExample("pentominoes_2x3x10.zvt");
  Solver solver;
  StopAfterPolls<> stop(30000);
  solver.Solve(task, ValidateTask(task).links, stop);
  ResultFile file{task, SolveEngine::Reduced, solver.LastOutcome(), solver.Stats(), {}};
  for (const auto& s : Take(solver).solutions)
    file.solutions.insert(file.solutions.end(), s.begin(), s.end());
  return file;
}

}  // namespace

class ResultBrowseTest : public QObject {
  Q_OBJECT

 private slots:
  void aStoppedRunIsBrowsedAsItWasStored() {
    const ResultFile run = StoppedRun();
    QVERIFY(run.outcome == SolveOutcome::Stopped && run.stats.solutionCount > 1 &&
            run.stats.solutionCount < 12);
    WindowFixture fx;
    const QString path = fx.file("run.zvr");
    QVERIFY(WriteResultFile(QFile::encodeName(path).toStdString(), run));
    for (bool fromDialog : {true, false}) {
      TZvForm& w = fx.Start(fromDialog ? QStringLiteral("-") : path);
      if (fromDialog) {
        fx.services.openPaths.push_back(path);
        Button(w, "OpenBt")->click();
        QCOMPARE(fx.services.dialogs.back().filter, QStringLiteral("*.zvt *.json *.zvu *.zvr"));
      }
      QVERIFY(fx.services.messages.empty());
      QCOMPARE(w.workMode(), WorkMode::SolutionView);
      QVERIFY(w.task() == run.task);
      QCOMPARE(w.windowTitle(), QStringLiteral("Зорват (run)"));
      QCOMPARE(LabelText(w, "SolL"), QStringLiteral("1 из %1").arg(run.stats.solutionCount));
      QCOMPARE(LabelText(w, "DeadL").toStdString(), FormatDeadEnds(run.stats.deadEnds));
      QVERIFY(w.shownSolution() != nullptr);
      Button(w, "LastSolBt")->click();
      QCOMPARE(w.currentSolutionIndex(), run.stats.solutionCount - 1);

      // Editing afterwards: back in edit mode the form changes as usual.
      Button(w, "SolveBt")->click();
      QCOMPARE(w.workMode(), WorkMode::Edit);
      Button(w, "ClearBBt")->click();
      QCOMPARE(w.validation().formCellCount, 0);
      w.CloseWithoutSaveAExecute();
    }

    // A damaged result file: its box, and the task and mode stay.
    QByteArray bytes = Bytes(path);
    bytes[bytes.size() / 2] = static_cast<char>(bytes[bytes.size() / 2] ^ 0x10);
    WriteBytes(path, bytes);
    TZvForm& w = fx.Start(QStringLiteral("-"));
    fx.services.messages.clear();
    fx.services.openPaths.push_back(path);
    Button(w, "OpenBt")->click();
    QCOMPARE(fx.services.messages.size(), std::size_t(1));
    QCOMPARE(fx.services.messages[0].text, path + QStringLiteral("\nОшибка в файле решений"));
    QCOMPARE(w.workMode(), WorkMode::Edit);
    QCOMPARE(w.validation().cubeCount, 0);
    w.CloseWithoutSaveAExecute();
  }
};

}  // namespace zv

QTEST_MAIN(zv::ResultBrowseTest)
#include "result_browse_test.moc"
