// Solving from the window and browsing the result: the work modes and what
// they leave usable, SolveBt's three looks, the result labels, the browse
// buttons, stopping a long run with a second click and continuing it,
// closing the window during a run (keeping the run for the next start, also
// on SIGTERM; a kept run that does not fit the next start is moved aside),
// files of stopped searches that do not fit, and a run that runs out of
// memory.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTimer>
#include <csignal>
#include <span>

#include "platform/qt/shutdown_signals.h"
#include "run/unit_file.h"
#include "storage/task_file.h"
#include "tests/support/task_builder.h"
#include "tests/ui/solve_helpers.h"
#include "ui/solve_texts.h"

namespace zv {

using namespace zv::test;

namespace {

// Every caption SolveBt shows while events are processed during a run.
struct CaptionSampler {
  QTimer timer;
  QStringList seen;
  QColor stopColor;
  explicit CaptionSampler(TZvForm& w) {
    timer.setInterval(0);
    QObject::connect(&timer, &QTimer::timeout, [this, &w] {
      QToolButton* b = Button(w, "SolveBt");
      if (!seen.contains(b->text())) seen << b->text();
      if (b->text() == QString::fromUtf8(kStopCaption)) stopColor = b->palette().color(QPalette::ButtonText);
    });
    timer.start();
  }
};

bool Matches(const QString& text, const char* pattern) {
  return QRegularExpression(QString::fromUtf8(pattern)).match(text).hasMatch();
}

}  // namespace

class SolveBrowseTest : public QObject {
  Q_OBJECT

 private:
  WindowFixture* fx_ = nullptr;
  TZvForm& W() { return *fx_->window; }

  void ExpectBrowseButtons(bool first, bool prev, bool next, bool last) {
    QCOMPARE(Button(W(), "FirstSolBt")->isEnabled(), first);
    QCOMPARE(Button(W(), "PrevSolBt")->isEnabled(), prev);
    QCOMPARE(Button(W(), "NextSolBt")->isEnabled(), next);
    QCOMPARE(Button(W(), "LastSolBt")->isEnabled(), last);
  }

  void ExpectEditLook() {
    QCOMPARE(W().workMode(), WorkMode::Edit);
    QCOMPARE(Button(W(), "SolveBt")->text(), QStringLiteral("Решить"));
    QVERIFY(Button(W(), "SolveBt")->toolTip().isEmpty());
    QVERIFY(!Control(W(), "SolP")->isVisible());
    QVERIFY(!Control(W(), "ResP")->isVisible());
    QVERIFY(Control(W(), "Edit1P")->isVisible());
    for (const char* panel : {"Panel3", "Panel2", "MoveBP", "LinksP"})
      QVERIFY(Control(W(), panel)->isEnabled());
  }

  void ExpectSolutionViewLook() {
    QCOMPARE(W().workMode(), WorkMode::SolutionView);
    QCOMPARE(Button(W(), "SolveBt")->text(), QStringLiteral("Редакт."));
    QCOMPARE(Button(W(), "SolveBt")->toolTip(), QStringLiteral("Перейти в режим редактирования"));
    QVERIFY(Control(W(), "SolP")->isVisible());
    QVERIFY(Control(W(), "ResP")->isVisible());
    QVERIFY(!Control(W(), "Edit1P")->isVisible());
    for (const char* panel : {"Panel3", "Panel2", "MoveBP"}) QVERIFY(!Control(W(), panel)->isEnabled());
    QVERIFY(Control(W(), "LinksP")->isEnabled());
    QVERIFY(Button(W(), "OpenBt")->isEnabled());
  }

  // What the browser shows of a run: the solution label, the dead ends,
  // then every stored solution's cubes and rotations, stepping through them.
  QStringList Browsed() {
    QStringList out{LabelText(W(), "SolL"), LabelText(W(), "DeadL")};
    for (const SolutionViewData* s = W().shownSolution(); s != nullptr;) {
      out << QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(s->cubeAt.data()), kFormGrid)
                                     .append(reinterpret_cast<const char*>(s->rotationAt.data()), kFormGrid)
                                     .toHex());
      if (!Button(W(), "NextSolBt")->isEnabled()) break;
      ClickButton(W(), "NextSolBt");
    }
    return out;
  }
  bool ContinueShown() { return !Button(W(), "ContinueBt")->isHidden(); }

  // The labels after a run: seconds with three decimals, the dead ends as
  // "%0.3g" without '+', the two others empty.
  void ExpectFinalLabels() {
    QVERIFY2(Matches(LabelText(W(), "TimePastL"), "^[0-9]+\\.[0-9]{3}$"),
             qPrintable(LabelText(W(), "TimePastL")));
    QVERIFY2(Matches(LabelText(W(), "DeadL"), "^[0-9]+(\\.[0-9]+)?(e[1-9][0-9]*)?$"),
             qPrintable(LabelText(W(), "DeadL")));
    QVERIFY(LabelText(W(), "SolNumL").isEmpty());
    QVERIFY(LabelText(W(), "TimeRestL").isEmpty());
  }

 private slots:
  void init() {
    fx_ = new WindowFixture;
    QVERIFY(fx_->StartShown());
  }
  void cleanup() {
    fx_->CloseWithoutSaving();
    delete fx_;
  }

  void startsInEditModeWithTheResultLabelsAtZero() {
    ExpectEditLook();
    for (const char* label : {"TimePastL", "TimeRestL", "DeadL", "SolNumL"})
      QCOMPARE(LabelText(W(), label), QStringLiteral("0"));
  }

  void oneSolutionDisablesEveryBrowseButtonAndEditReturns() {
    TaskState t = MakeTask({"##"}, {{"##"}});
    SetLink(t, 1, 0, RigidX);
    LoadTask(*fx_, t);
    QVERIFY(Button(W(), "SolveBt")->isEnabled());
    ClickButton(W(), "SolveBt");
    ExpectSolutionViewLook();
    QCOMPARE(LabelText(W(), "SolL"), QStringLiteral("1 из 1"));
    ExpectBrowseButtons(false, false, false, false);
    ExpectFinalLabels();
    QVERIFY(W().shownSolution() != nullptr);

    ClickButton(W(), "SolveBt");  // "Редакт."
    ExpectEditLook();
    QVERIFY(W().task() == t);
  }

  void twoSolutionsBrowseWithTheButtons() {
    TaskState t = MakeTask({"##"}, {{"###"}});  // side by side, or with the gap between
    t.EmptyCells = true;
    LoadTask(*fx_, t);
    ClickButton(W(), "SolveBt");
    QCOMPARE(LabelText(W(), "SolL"), QStringLiteral("1 из 2"));
    ExpectBrowseButtons(false, false, true, true);
    const auto first = W().shownSolution()->cubeAt;
    ClickButton(W(), "LastSolBt");
    QCOMPARE(LabelText(W(), "SolL"), QStringLiteral("2 из 2"));
    ExpectBrowseButtons(true, true, false, false);
    QVERIFY(W().shownSolution()->cubeAt != first);
    ClickButton(W(), "NextSolBt");  // disabled: nothing happens
    QCOMPARE(W().currentSolutionIndex(), 1);
    ClickButton(W(), "PrevSolBt");
    QCOMPARE(LabelText(W(), "SolL"), QStringLiteral("1 из 2"));
    QVERIFY(W().shownSolution()->cubeAt == first);
    ClickButton(W(), "NextSolBt");
    ClickButton(W(), "FirstSolBt");
    QCOMPARE(W().currentSolutionIndex(), 0);
    // Exactly one of the two leaves the middle cell empty.
    int gaps = 0;
    for (int i = 0; i < 2; ++i) {
      if (W().shownSolution()->cubeAt[FormCellIndex(1, 0, 0).value()] == 0) ++gaps;
      ClickButton(W(), "NextSolBt");
    }
    QCOMPARE(gaps, 1);
  }

  void noSolutionsShowsTheBareForm() {
    // A straight rigid tromino cannot fill an L of three cells.
    TaskState t = MakeTask({"###"}, {{"##", "#."}});
    SetLink(t, 1, 0, RigidX);
    SetLink(t, 2, 0, RigidX);
    LoadTask(*fx_, t);
    ClickButton(W(), "SolveBt");
    QCOMPARE(LabelText(W(), "SolL"), QStringLiteral("Решений нет"));
    ExpectBrowseButtons(false, false, false, false);
    QVERIFY(W().shownSolution() == nullptr);
    ClickFormCell(W(), 0, 0, 0);  // nothing to select
    QVERIFY(W().shownSolution() == nullptr);
    QCOMPARE(FormCellFill(W(), 0, 0, 0), W().cubeColor());
    ExpectFinalLabels();
  }

  void solutionsPastTheKeptOnesAreCountedInTheLabel() {
    LoadTask(*fx_, DominoStrip());
    ClickButton(W(), "SolveBt");
    QCOMPARE(LabelText(W(), "SolL"), QStringLiteral("1 из 10000 (14445)"));
    QVERIFY(Control<QLabel>(W(), "SolL")->toolTip().contains(QStringLiteral("14445")));
    ClickButton(W(), "LastSolBt");
    QCOMPARE(LabelText(W(), "SolL"), QStringLiteral("10000 из 10000 (14445)"));
  }

  void aShortRunNeverShowsStop() {
    // On a clock that stands still, every run is shorter than a second.
    LoadTask(*fx_, ReadExample("snake_cube.zvt"));
    fx_->services.ticks.emplace();
    CaptionSampler sampler(W());
    ClickButton(W(), "SolveBt");
    fx_->services.ticks.reset();
    QVERIFY(!sampler.seen.contains(QStringLiteral("Стоп")));
    QCOMPARE(Button(W(), "SolveBt")->text(), QStringLiteral("Редакт."));
    QCOMPARE(LabelText(W(), "SolL"), QStringLiteral("1 из 1"));
  }

  void aSecondClickStopsALongRunAndItsResultIsBrowsed() {
    const TaskState task = LongTask();
    LoadTask(*fx_, task);
    const QString other = fx_->file("other.zvt");
    QVERIFY(WriteTaskFile(QFile::encodeName(other).toStdString(), MakeTask({"##"}, {{"##"}})) ==
            WriteResult::Ok);
    fx_->services.openPaths.push_back(other);

    CaptionSampler sampler(W());
    bool solving = false, editingOff = false, openOff = false, taskKept = false;
    QString remaining;
    QTimer::singleShot(1300, &W(), [&] {
      solving = W().workMode() == WorkMode::Solving;
      remaining = LabelText(W(), "TimeRestL");
      editingOff = !Control(W(), "Panel3")->isEnabled() && !Control(W(), "Panel2")->isEnabled() &&
                   !Control(W(), "MoveBP")->isEnabled() && !Control(W(), "LinksP")->isEnabled();
      openOff = !Button(W(), "OpenBt")->isEnabled();
      W().OpenBtClick();              // F3 reaches the handler even so
      W().OpenDroppedFiles({other});  // and so does a dropped file
      ClickFormCell(W(), 0, 0, 0);    // a press on the form changes nothing
      taskKept = W().task() == task;
      ClickButton(W(), "SolveBt");  // "Стоп"
    });
    ClickButton(W(), "SolveBt");
    QVERIFY(solving);
    // The once-a-second refresh shows no estimate in the first seconds
    // ("—"), then whole seconds, at least 1, or three digits and a power of
    // ten past a million seconds.
    QVERIFY2(Matches(remaining, "^(—|[1-9][0-9]*|[1-9](\\.[0-9]+)?e\\+?[0-9]+)$"), qPrintable(remaining));
    QVERIFY(editingOff);
    QVERIFY(openOff);
    QVERIFY(taskKept);
    QVERIFY(W().task() == task);
    QVERIFY(fx_->services.dialogs.empty());  // no open dialog was shown
    QVERIFY(sampler.seen.contains(QStringLiteral("Стоп")));
    QCOMPARE(sampler.stopColor, QColor(255, 0, 0));
    ExpectSolutionViewLook();
    ExpectFinalLabels();
    // The stop came 1.3 s after the timer was set, a moment before the run began.
    QVERIFY(LabelText(W(), "TimePastL").toDouble() >= 1.2);
    QVERIFY(LabelText(W(), "TimePastL").toDouble() < 20);  // far from the whole search
    // A stopped run says so: its count is no verdict.
    const QString sol = LabelText(W(), "SolL");
    QVERIFY2(sol == QStringLiteral("Остановлено, найдено 0") || Matches(sol, "^1 из [0-9]+, остановлено$"),
             qPrintable(sol));
    // Pressing "Решить" again starts a fresh run with nothing selected.
    if (W().shownSolution() != nullptr) {
      ClickFormCell(W(), 0, 0, 0);
      QVERIFY(W().shownSolution()->selectedCell != kNoSelectedCell);
    }
    ClickButton(W(), "SolveBt");
    QTimer::singleShot(200, &W(), [&] { ClickButton(W(), "SolveBt"); });
    ClickButton(W(), "SolveBt");
    QCOMPARE(W().workMode(), WorkMode::SolutionView);
    if (W().shownSolution() != nullptr) QCOMPARE(W().shownSolution()->selectedCell, kNoSelectedCell);
  }

  void aStoppedRunContinuedEndsAsAnUninterruptedOne() {
    // One thread, and a clock that moves ten seconds at every reading, so that
    // the window processes events at every refresh of the search (the stop
    // comes after a fixed count of them) and the run's units go to the
    // kept-run file every ten minutes.
    fx_->CloseWithoutSaving();
    QFile ini(fx_->file("Zorvat.ini"));
    QVERIFY(ini.open(QIODevice::Append) && ini.write("[Opt]\nThreads=1\n") > 0);
    ini.close();
    fx_->Start();
    W().show();
    LoadTask(*fx_, ReadExample("pentominoes_2x3x10.zvt"));
    fx_->services.ticks.emplace().step = 10000;
    ClickButton(W(), "SolveBt");
    const QStringList whole = Browsed();
    QVERIFY(!ContinueShown());

    ClickButton(W(), "SolveBt");  // "Редакт."
    {
      StopLater stop(W(), 30, fx_->file("Current.zvu"));
      ClickButton(W(), "SolveBt");
      QVERIFY(stop.filePresent);  // written while the run went on
    }
    QVERIFY(ContinueShown());
    QVERIFY(QFile::exists(fx_->file("Current.zvu")));
    QVERIFY(Browsed() != whole);
    ClickButton(W(), "ContinueBt");
    QVERIFY(!ContinueShown());
    QCOMPARE(Browsed(), whole);
    QVERIFY(!QFile::exists(fx_->file("Current.zvu")));  // the finished run keeps no place

    // The place survives a return to editing, not an edit.
    ClickButton(W(), "SolveBt");
    {
      StopLater stop(W(), 30);
      ClickButton(W(), "SolveBt");
    }
    ClickButton(W(), "SolveBt");
    QVERIFY(ContinueShown());
    Control<QCheckBox>(W(), "EmptyCellsCB")->click();
    QVERIFY(!ContinueShown());
    QVERIFY(!QFile::exists(fx_->file("Current.zvu")));
  }

  void closingDuringARunStopsItAndSavesAsUsual() {
    const TaskState task = LongTask();
    LoadTask(*fx_, task);
    bool solving = false;
    fx_->services.answers = {MessageAnswer::Cancel, MessageAnswer::Save};
    QTimer::singleShot(300, &W(), [&] {
      W().close();  // "Отмена": the run goes on
      solving = W().workMode() == WorkMode::Solving && W().isVisible();
      W().close();                           // keep the run
      solving = solving && W().isVisible();  // the window waits for the run
    });
    ClickButton(W(), "SolveBt");
    QVERIFY(solving);
    QVERIFY(!W().isVisible());
    QCOMPARE(fx_->services.messages.size(), std::size_t{2});
    QCOMPARE(fx_->services.messages[0].caption, QStringLiteral("Поиск ещё идёт"));
    TaskState saved;
    QCOMPARE(ReadTaskFile(QFile::encodeName(fx_->file("Current.zvt")).toStdString(), saved), ReadResult::Ok);
    QVERIFY(saved == task);
    QVERIFY(QFile::exists(fx_->file("Zorvat.ini")));

    // The next start shows the run as it stopped, ready to go on.
    QFile kept(fx_->file("Current.zvu"));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    const QByteArray image = kept.readAll();
    fx_->Start(std::nullopt);
    W().show();
    QVERIFY(W().task() == task);
    QCOMPARE(W().workMode(), WorkMode::SolutionView);
    QVERIFY(ContinueShown());

    // Files that do not fit are refused and change nothing: the same place
    // without its task while another task is open, and a damaged one.
    UnitFile bare;
    QCOMPARE(
        ParseUnitImage(std::span(reinterpret_cast<const std::uint8_t*>(image.data()), image.size()), bare),
        UnitFileStatus::Ok);
    bare.taskImage.clear();
    QVERIFY(WriteUnitFile(QFile::encodeName(fx_->file("bare.zvu")).toStdString(), bare));
    QByteArray damaged = image;
    damaged[damaged.size() / 2] = static_cast<char>(damaged[damaged.size() / 2] ^ 0x10);
    QFile out(fx_->file("damaged.zvu"));
    QVERIFY(out.open(QIODevice::WriteOnly) && out.write(damaged) == damaged.size());
    out.close();
    const TaskState other = MakeTask({"##"}, {{"##"}});
    LoadTask(*fx_, other);
    const std::pair<const char*, const char*> refusals[] = {
        {"bare.zvu", "Ход поиска относится к другой задаче; сначала откройте её файл"},
        {"damaged.zvu", "Ошибка в файле хода поиска"}};
    for (const auto& [name, caption] : refusals) {
      fx_->services.messages.clear();
      QVERIFY(!W().ReadTask(fx_->file(name), true));
      QCOMPARE(fx_->services.messages.size(), std::size_t{1});
      QCOMPARE(fx_->services.messages[0].caption, QString::fromUtf8(caption));
      QVERIFY(W().task() == other && W().workMode() == WorkMode::Edit && !ContinueShown());
    }
  }

  void aTermSignalDuringARunKeepsItsPlaceWithoutAsking() {
    const TaskState task = LongTask();
    LoadTask(*fx_, task);
    const ShutdownSignals stop([this] { W().CloseWithoutQuestions(); });
    QTimer::singleShot(300, &W(), [] { raise(SIGTERM); });
    ClickButton(W(), "SolveBt");
    QVERIFY(!W().isVisible());
    QVERIFY(fx_->services.messages.empty());
    TaskState saved;
    QCOMPARE(ReadTaskFile(QFile::encodeName(fx_->file("Current.zvt")).toStdString(), saved), ReadResult::Ok);
    QVERIFY(saved == task);
    fx_->Start(std::nullopt);
    QCOMPARE(W().workMode(), WorkMode::SolutionView);  // the run, ready to go on
    QVERIFY(ContinueShown());
  }

  // A run continued after a restart counts the time of every stretch: the
  // kept-run file holds the time so far (a clock that moves ten seconds at
  // every reading makes each stretch last).
  void aRunContinuedAfterARestartCountsEveryStretch() {
    LoadTask(*fx_, LongTask());
    fx_->services.ticks.emplace().step = 10000;
    {
      StopLater stop(W(), 3);
      ClickButton(W(), "SolveBt");
    }
    QVERIFY(ContinueShown());
    const QString first = LabelText(W(), "TimePastL");
    QVERIFY(first.toDouble() >= 10);
    W().CloseWithoutQuestions();
    fx_->Start(std::nullopt);
    W().show();
    QVERIFY(ContinueShown());
    QCOMPARE(LabelText(W(), "TimePastL"), first);
    {
      StopLater stop(W(), 3);
      ClickButton(W(), "ContinueBt");
    }
    QVERIFY(LabelText(W(), "TimePastL").toDouble() >= first.toDouble() + 10);
  }

  // Two instances sharing a folder each keep a run at exit, and the task
  // autosaved last is B's: A's run is moved aside, never written over or
  // dropped, and the next start says where it went. A damaged kept-run
  // file is moved aside too.
  void keptRunsThatDoNotFitAreMovedAsideAndNamed() {
    const TaskState taskA = LongTask();
    TaskState taskB = taskA;
    taskB.form.At(FormCellIndex(0, 0, taskB.form.FormHeight - 1)) = 0;
    StartOptions options;
    options.dataFolder = fx_->folder();
    options.startParameter = QStringLiteral("-");
    TZvForm windowB(fx_->services, options);
    windowB.show();
    LoadTask(*fx_, taskB, "b.zvt");
    QVERIFY(windowB.ReadTask(fx_->file("b.zvt"), true));
    LoadTask(*fx_, taskA, "a.zvt");
    fx_->services.answers = {MessageAnswer::Save, MessageAnswer::Save};
    for (TZvForm* w : {&W(), &windowB}) {
      QTimer::singleShot(300, w, [w] { w->close(); });
      w->SolveBtClick();
      QVERIFY(!w->isVisible());
    }
    QCOMPARE(fx_->services.messages.size(), std::size_t{2});
    const QStringList aside = QDir(fx_->folder()).entryList({"Current.other-*.zvu"});
    QCOMPARE(aside.size(), 1);

    fx_->Start(std::nullopt);
    QVERIFY(W().task() == taskB);
    QVERIFY(ContinueShown());
    QCOMPARE(fx_->services.messages.size(), std::size_t{2});  // nothing to say
    QVERIFY(W().ReadTask(fx_->file(aside[0].toUtf8().constData()), true));
    QVERIFY(W().task() == taskA);
    QVERIFY(ContinueShown());
    W().CloseWithoutSaveAExecute();

    // Current.zvt is B's task: Current.zvu made on A's, or damaged.
    const QByteArray image = Bytes(fx_->file(aside[0].toUtf8().constData()));
    QByteArray damaged = image;
    damaged[damaged.size() / 2] = static_cast<char>(damaged[damaged.size() / 2] ^ 0x10);
    const std::pair<QByteArray, const char*> cases[] = {{image, "Current.other-"},
                                                        {damaged, "Current.damaged-"}};
    for (const auto& [bytes, kept] : cases) {
      for (const QString& old : QDir(fx_->folder()).entryList({"Current.*-*.zvu"}))
        QVERIFY(QFile::remove(fx_->file(old.toUtf8().constData())));
      WriteBytes(fx_->file("Current.zvu"), bytes);
      fx_->services.messages.clear();
      fx_->Start(std::nullopt);
      QVERIFY(W().task() == taskB);
      QVERIFY(!ContinueShown());
      QCOMPARE(fx_->services.messages.size(), std::size_t{1});
      const QStringList moved = QDir(fx_->folder()).entryList({QString::fromUtf8(kept) + "*.zvu"});
      QCOMPARE(moved.size(), 1);
      QCOMPARE(Bytes(fx_->file(moved[0].toUtf8().constData())), bytes);
      QVERIFY(!QFile::exists(fx_->file("Current.zvu")));
      const QStringList lines = fx_->services.messages[0].text.split('\n');
      QCOMPARE(lines[0], fx_->file("Current.zvu"));
      QVERIFY(lines.last().contains(fx_->file(moved[0].toUtf8().constData())));
      W().CloseWithoutSaveAExecute();
    }
  }

  void closeWithoutSavingDuringARunKeepsTheAutosaveButStoresPlacements() {
    const TaskState task = LongTask();
    LoadTask(*fx_, task);
    QTimer::singleShot(300, &W(), [&] { W().CloseWithoutSaveAExecute(); });
    ClickButton(W(), "SolveBt");
    QVERIFY(!W().isVisible());
    QVERIFY(!QFile::exists(fx_->file("Current.zvt")));
    QFile ini(fx_->file("Zorvat.ini"));
    QVERIFY(ini.open(QIODevice::ReadOnly));
    const QByteArray text = ini.readAll();
    QVERIFY(text.contains("[Numbers]"));
    QVERIFY(text.contains("[Text]"));
    QVERIFY(!text.contains("TaskFile"));
  }
};

// A run whose solver memory runs out ends like a stopped run, with one box.
class SolveOutOfMemoryTest : public QObject {
  Q_OBJECT

 private slots:
  void theBoxIsShownOnceAndTheResultBrowsed() {
    WindowFixture fx;
    fx.Start(QStringLiteral("-"), 16 * 1024);
    TZvForm& w = *fx.window;
    w.show();
    const TaskState task = ReadExample("pentominoes_3x4x5.zvt");
    LoadTask(fx, task);
    ClickButton(w, "SolveBt");
    QCOMPARE(fx.services.messages.size(), std::size_t{1});
    QCOMPARE(fx.services.messages[0].text, QStringLiteral("Not enough memory"));
    QVERIFY(fx.services.messages[0].caption.isEmpty());
    QCOMPARE(fx.services.messages[0].icon, MessageIcon::Error);
    QCOMPARE(w.workMode(), WorkMode::SolutionView);
    QVERIFY(w.task() == task);
    const QString sol = LabelText(w, "SolL");
    QVERIFY2(sol == QStringLiteral("Решений нет") || Matches(sol, "^1 из [0-9]+$"), qPrintable(sol));
    ClickButton(w, "SolveBt");
    QCOMPARE(w.workMode(), WorkMode::Edit);
    w.CloseWithoutSaveAExecute();
  }
};

}  // namespace zv

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  int status = 0;
  {
    zv::SolveBrowseTest t;
    status |= QTest::qExec(&t, argc, argv);
  }
  {
    zv::SolveOutOfMemoryTest t;
    status |= QTest::qExec(&t, argc, argv);
  }
  return status;
}

#include "solve_browse_test.moc"
