// Start-up with its command-line cases, task files from the window (open,
// save with the overwrite question, drops, failures with their boxes), the
// settings round trip and close without saving.
#include <QFile>
#include <QSettings>
#include <QtTest>
#include <functional>
#include <utility>

#include "tests/support/task_builder.h"
#include "tests/ui/window_helpers.h"

namespace zv {

using namespace zv::test;

namespace {

void WriteTask(const QString& path, const TaskState& t) {
  QVERIFY(WriteTaskFile(QFile::encodeName(path).toStdString(), t) == WriteResult::Ok);
}

TaskState Dominoes() {
  TaskState t = MakeTask({"##", "##"}, {{"##", "##"}});
  SetLink(t, 1, 0, RigidX);
  SetLink(t, 1, 1, RigidX);
  SetLink(t, 0, 1, AxisY);
  return t;
}

}  // namespace

class WindowFilesTest : public QObject {
  Q_OBJECT

 private slots:
  void freshStartHasTheDefaults() {
    WindowFixture fx;
    TZvForm& w = fx.Start(std::nullopt);
    QVERIFY(Control<QAbstractButton>(w, "LinksCB")->isChecked());
    QVERIFY(!Control<QAbstractButton>(w, "NumberCB")->isChecked());
    QVERIFY(!Control<QAbstractButton>(w, "PrevLayerBt")->isChecked());
    QVERIFY(!Control<QAbstractButton>(w, "NextLayerBt")->isChecked());
    QVERIFY(!Control<QAbstractButton>(w, "TextBt")->isChecked());
    QCOMPARE(w.cubeColor(), QColor(230, 230, 230));
    QCOMPARE(w.currentTaskFile(), fx.file("Current.zvt"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Зорват"));
    QCOMPARE(w.task().figure.FigureWidth, 4);
    QVERIFY(fx.services.messages.empty());
    w.CloseWithoutSaveAExecute();
  }

  void settingsRoundTripThroughTheIniFile() {
    WindowFixture fx;
    {
      TZvForm& w = fx.Start();
      Control<QAbstractButton>(w, "NumberCB")->click();
      Control<QAbstractButton>(w, "PrevLayerBt")->click();
      Control<QAbstractButton>(w, "LinksCB")->click();
      fx.services.color = 0x0000FF;  // red
      Control<QAbstractButton>(w, "ChooseColBt")->click();
      w.close();
    }
    QSettings ini(fx.file("Zorvat.ini"), QSettings::IniFormat);
    QCOMPARE(ini.value("Opt/Numbers").toString(), QStringLiteral("1"));
    QCOMPARE(ini.value("Opt/Links").toString(), QStringLiteral("0"));
    QCOMPARE(ini.value("Opt/Color").toString(), QStringLiteral("255"));
    QVERIFY(QFile::exists(fx.file("Current.zvt")));
    TZvForm& again = fx.Start(std::nullopt);
    QVERIFY(Control<QAbstractButton>(again, "NumberCB")->isChecked());
    QVERIFY(Control<QAbstractButton>(again, "PrevLayerBt")->isChecked());
    QVERIFY(!Control<QAbstractButton>(again, "LinksCB")->isChecked());
    QCOMPARE(again.cubeColor(), QColor(255, 0, 0));
    again.CloseWithoutSaveAExecute();
  }

  void theDefaultColourIsStoredAsZero() {
    WindowFixture fx;
    TZvForm& w = fx.Start();
    fx.services.color = 0xE6E6E6;
    Control<QAbstractButton>(w, "ChooseColBt")->click();
    w.close();
    QSettings ini(fx.file("Zorvat.ini"), QSettings::IniFormat);
    QCOMPARE(ini.value("Opt/Color").toString(), QStringLiteral("0"));
  }

  void placementRoundTripAndRejectedPlacements() {
    WindowFixture fx;
    TZvForm& w = fx.Start();
    w.setGeometry(60, 50, 700, 500);
    w.close();
    QSettings(fx.file("Zorvat.ini"), QSettings::IniFormat).sync();
    TZvForm& again = fx.Start();
    QCOMPARE(again.geometry(), QRect(60, 50, 700, 500));
    again.CloseWithoutSaveAExecute();

    const QRect design = WindowFixture().Start().geometry();
    for (const char* value : {"[0]\nWinPosition=50,5000,700,500,0\n", "[0]\nWinPosition=50,60\n"}) {
      WindowFixture other;
      WriteBytes(other.file("Zorvat.ini"), value);
      TZvForm& kept = other.Start();
      QCOMPARE(kept.geometry(), design);
      kept.CloseWithoutSaveAExecute();
    }
  }

  void closeWithoutSavingLeavesSettingsAndAutosave() {
    WindowFixture fx;
    WriteBytes(fx.file("Zorvat.ini"), "[Opt]\nNumbers=0\n[0]\nWinPosition=50,60,700,500,0\n");
    WriteTask(fx.file("Current.zvt"), Dominoes());
    const QByteArray autosave = Bytes(fx.file("Current.zvt"));
    TZvForm& w = fx.Start(std::nullopt);
    QCOMPARE(w.validation().cubeCount, 4);
    Control<QAbstractButton>(w, "NumberCB")->click();
    Control<QAbstractButton>(w, "ClearABt")->click();
    w.setGeometry(10, 10, 900, 640);
    Activate(w);
    QTest::keyClick(&w, Qt::Key_F11, Qt::ShiftModifier);
    QVERIFY(!w.isVisible());
    QCOMPARE(Bytes(fx.file("Current.zvt")), autosave);
    // Only the numbering and description windows have stored their
    // placements; the main window's values read back as they were.
    QSettings written(fx.file("Zorvat.ini"), QSettings::IniFormat);
    QVERIFY(written.contains(QStringLiteral("Numbers/WinPosition")));
    QVERIFY(written.contains(QStringLiteral("Text/WinPosition")));
    QStringList groups = written.childGroups();
    groups.sort();
    QCOMPARE(groups, (QStringList{"0", "Numbers", "Opt", "Text"}));
    QCOMPARE(written.allKeys().size(), 4);
    fx.window.reset();
    TZvForm& again = fx.Start(std::nullopt);
    QCOMPARE(again.geometry(), QRect(60, 50, 700, 500));  // stored as top, left, width, height
    QVERIFY(!Control<QAbstractButton>(again, "NumberCB")->isChecked());
    QCOMPARE(again.validation().cubeCount, 4);
    again.CloseWithoutSaveAExecute();
  }

  void dashStartsEmptyAndExitOverwritesTheAutosave() {
    WindowFixture fx;
    WriteTask(fx.file("Current.zvt"), Dominoes());
    TZvForm& w = fx.Start(QStringLiteral("-"));
    QCOMPARE(w.validation().cubeCount, 0);
    QCOMPARE(w.windowTitle(), QStringLiteral("Зорват"));
    w.close();
    TaskState saved;
    QVERIFY(ReadTaskFile(QFile::encodeName(fx.file("Current.zvt")).toStdString(), saved) == ReadResult::Ok);
    QCOMPARE(CountCubes(saved.figure), 0);
  }

  void noParameterReadsTheAutosaveAndNamesTheLastFile() {
    WindowFixture fx;
    WriteTask(fx.file("Current.zvt"), Dominoes());
    WriteBytes(fx.file("Zorvat.ini"), "[Opt]\nTaskFile=/somewhere/puzzle.v2.zvt\n");
    TZvForm& w = fx.Start(std::nullopt);
    QVERIFY(w.task() == Dominoes());
    QCOMPARE(w.currentTaskFile(), QStringLiteral("/somewhere/puzzle.v2.zvt"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Зорват (puzzle.v2)"));
    w.CloseWithoutSaveAExecute();
  }

  void missingFileStillBecomesTheCurrentTaskFile() {
    WindowFixture fx;
    const QString missing = fx.file("missing.zvt");
    TZvForm& w = fx.Start(missing);
    QVERIFY(fx.services.messages.empty());
    QCOMPARE(w.currentTaskFile(), missing);
    QCOMPARE(w.windowTitle(), QStringLiteral("Зорват"));
    QCOMPARE(w.validation().cubeCount, 0);
    w.CloseWithoutSaveAExecute();
  }

  void damagedFilesShowTheirBoxThenTheEmptyTask() {
    struct Case {
      QByteArray bytes;
      const char* caption;
    };
    QByteArray wrongMagic(41, '\0');
    QByteArray newer(41, '\0');
    const char header[] = {6, 9, 0x47, 0x73, 2, 0, 0, 0};
    newer.replace(0, 8, QByteArray(header, 8));
    const Case cases[] = {{QByteArray(22, '\0'), "Ошибка в файле задачи"},
                          {wrongMagic, "Неправильный заголовок файла задачи"},
                          {newer, "Версия файла задачи более новая, чем у программы"}};
    for (const Case& c : cases) {
      WindowFixture fx;
      const QString path = fx.file("bad.zvt");
      WriteBytes(path, c.bytes);
      TZvForm& w = fx.Start(path);
      QCOMPARE(fx.services.messages.size(), std::size_t(1));
      // The reason also stands under the path: a narrow box may cut its caption.
      QCOMPARE(fx.services.messages[0].text, path + '\n' + QString::fromUtf8(c.caption));
      QCOMPARE(fx.services.messages[0].caption, QString::fromUtf8(c.caption));
      QVERIFY(fx.services.messages[0].icon == MessageIcon::Error);
      QCOMPARE(w.validation().cubeCount, 0);
      QCOMPARE(w.currentTaskFile(), path);
      w.CloseWithoutSaveAExecute();
    }
  }

  void openThroughTheDialog() {
    WindowFixture fx;
    TZvForm& w = fx.Start(fx.file("start.zvt"));
    const QString path = fx.file("dominoes.zvt");
    WriteTask(path, Dominoes());
    fx.services.openPaths.push_back(path);
    Activate(w);
    QTest::keyClick(&w, Qt::Key_F3);  // the Open action
    QCOMPARE(fx.services.dialogs.size(), std::size_t(1));
    const FileDialogRequest& d = fx.services.dialogs[0];
    QCOMPARE(d.title, QStringLiteral("Открыть задачу"));
    QCOMPARE(d.filter, QStringLiteral("*.zvt *.json *.zvu *.zvr"));  // tasks, stopped searches, results
    QCOMPARE(d.defaultExtension, QStringLiteral("zvt"));
    QCOMPARE(d.initialFolder + '/', fx.folder());
    QCOMPARE(d.initialName, QStringLiteral("start"));
    QVERIFY(w.task() == Dominoes());
    QCOMPARE(w.windowTitle(), QStringLiteral("Зорват (dominoes)"));
    QCOMPARE(w.currentTaskFile(), path);
    QVERIFY(!Control<QAbstractButton>(w, "UndoBt")->isEnabled());  // nothing to undo after opening
    w.CloseWithoutSaveAExecute();
  }

  void textFormOpensAndItsMistakeIsShownAtItsPlace() {
    WindowFixture fx;
    TZvForm& w = fx.Start(fx.file("start.zvt"));
    const QString good = fx.file("dominoes.json"), bad = fx.file("bad.json");
    QFile goodFile(good), badFile(bad);
    QVERIFY(goodFile.open(QIODevice::WriteOnly) && badFile.open(QIODevice::WriteOnly));
    goodFile.write(BuildTaskJson(Dominoes())->c_str());
    badFile.write("{\"format\": \"zorvat-task\",\n  \"version\": 1,\n  \"emptyCells\": 0}");
    goodFile.close();
    badFile.close();
    fx.services.openPaths = {good, bad};
    Activate(w);
    QTest::keyClick(&w, Qt::Key_F3);
    QVERIFY(w.task() == Dominoes());
    QTest::keyClick(&w, Qt::Key_F3);
    QVERIFY(w.task() == Dominoes());
    QCOMPARE(w.currentTaskFile(), good);
    QCOMPARE(fx.services.messages.size(), std::size_t(1));
    QCOMPARE(fx.services.messages[0].text,
             bad + QStringLiteral("\nОшибка в файле задачи\nСтрока 3, столбец 17"));
    w.CloseWithoutSaveAExecute();
  }

  void saveAsksBeforeOverwritingAndOnlyYesWrites() {
    WindowFixture fx;
    TZvForm& w = fx.Start();
    LoadTask(fx, Dominoes(), "dominoes.zvt");
    const QString target = fx.file("existing.zvt");
    WriteBytes(target, "old contents");
    fx.services.savePaths.push_back(target);
    fx.services.answers.push_back(MessageAnswer::No);
    Control<QAbstractButton>(w, "SaveBt")->click();
    QCOMPARE(fx.services.messages.size(), std::size_t(1));
    QCOMPARE(fx.services.messages[0].text, QStringLiteral("Сохранять?"));
    QCOMPARE(fx.services.messages[0].caption, QStringLiteral("Файл уже существует"));
    QVERIFY(fx.services.messages[0].buttons == MessageButtons::YesNo);
    QVERIFY(fx.services.messages[0].icon == MessageIcon::None);  // a plain question, no warning sign
    QCOMPARE(Bytes(target), QByteArray("old contents"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Зорват (dominoes)"));

    fx.services.savePaths.push_back(target);
    fx.services.answers.push_back(MessageAnswer::Yes);
    Activate(w);
    QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);  // the Save action
    TaskState saved;
    QVERIFY(ReadTaskFile(QFile::encodeName(target).toStdString(), saved) == ReadResult::Ok);
    QVERIFY(saved == Dominoes());
    QCOMPARE(w.windowTitle(), QStringLiteral("Зорват (existing)"));
    w.CloseWithoutSaveAExecute();
  }

  void failedWriteShowsItsBoxAndKeepsTheName() {
    WindowFixture fx;
    TZvForm& w = fx.Start(fx.file("start.zvt"));
    const QString target = fx.file("no-such-folder/task.zvt");
    fx.services.savePaths.push_back(target);
    Control<QAbstractButton>(w, "SaveBt")->click();
    QCOMPARE(fx.services.messages.size(), std::size_t(1));
    QCOMPARE(fx.services.messages[0].text, target + QStringLiteral("\nНевозможно записать файл"));
    QCOMPARE(fx.services.messages[0].caption, QStringLiteral("Невозможно записать файл"));
    QVERIFY(fx.services.messages[0].icon == MessageIcon::Exclamation);
    QCOMPARE(w.currentTaskFile(), fx.file("start.zvt"));
    w.CloseWithoutSaveAExecute();
  }

  void aDropOfThreeFilesOpensTheFirst() {
    WindowFixture fx;
    TZvForm& w = fx.Start();
    TaskState other = MakeTask({"###"}, {{"###"}});
    WriteTask(fx.file("first.zvt"), Dominoes());
    WriteTask(fx.file("second.zvt"), other);
    WriteTask(fx.file("third.zvt"), other);
    w.OpenDroppedFiles({fx.file("first.zvt"), fx.file("second.zvt"), fx.file("third.zvt")});
    QVERIFY(w.task() == Dominoes());
    QCOMPARE(w.currentTaskFile(), fx.file("first.zvt"));
    w.CloseWithoutSaveAExecute();
  }

  // Open, a drop and a file named on the command line ask about changes no
  // file holds, as a new task does: Cancel keeps the task, Discard lets it
  // go, Save writes it first.
  void replacingAChangedTaskAsksFirst() {
    using Opening = std::function<void(WindowFixture&, const QString&)>;
    const std::pair<const char*, Opening> openings[] = {
        {"open",
         [](WindowFixture& fx, const QString& path) {
           fx.services.openPaths.push_back(path);
           fx.window->OpenBtClick();
         }},
        {"drop", [](WindowFixture& fx, const QString& path) { fx.window->OpenDroppedFiles({path}); }}};
    for (const auto& [name, open] : openings) {
      for (const MessageAnswer answer :
           {MessageAnswer::Cancel, MessageAnswer::Discard, MessageAnswer::Save}) {
        WindowFixture fx;
        TZvForm& w = fx.Start();
        WriteTask(fx.file("dominoes.zvt"), Dominoes());
        QTest::mouseClick(ImA(w), Qt::LeftButton, {}, FigurePoint(0, 0, 25, 25));  // one cube drawn
        const TaskState drawn = w.task();
        fx.services.answers = {answer};
        fx.services.savePaths = {fx.file("drawn.zvt")};
        open(fx, fx.file("dominoes.zvt"));
        QVERIFY2(fx.services.messages.size() == 1, name);
        QCOMPARE(fx.services.messages[0].text, QStringLiteral("Сохранить изменения в задаче?"));
        QVERIFY(fx.services.messages[0].buttons == MessageButtons::SaveDiscardCancel);
        QVERIFY2((w.task() == drawn) == (answer == MessageAnswer::Cancel), name);
        TaskState saved;
        const bool written =
            ReadTaskFile(QFile::encodeName(fx.file("drawn.zvt")).toStdString(), saved) == ReadResult::Ok;
        QCOMPARE(written, answer == MessageAnswer::Save);
        if (written) QVERIFY(saved == drawn);
        // The opened task holds no change: opening again asks nothing.
        if (answer != MessageAnswer::Cancel) {
          open(fx, fx.file("dominoes.zvt"));
          QCOMPARE(fx.services.messages.size(), std::size_t(1));
        }
        w.CloseWithoutSaveAExecute();
      }
    }

    // The command line: the autosave is written over at exit, so its task
    // is asked about, unless the file last used holds the same task.
    const TaskState autosaved = MakeTask({"###"}, {{"###"}});
    struct Case {
      bool inLastFile;
      MessageAnswer answer;
      bool asked;
      bool opened;
    };
    const Case cases[] = {{false, MessageAnswer::Cancel, true, false},
                          {false, MessageAnswer::Discard, true, true},
                          {true, MessageAnswer::Cancel, false, true}};
    for (const Case& c : cases) {
      WindowFixture fx;
      WriteTask(fx.file("Current.zvt"), autosaved);
      WriteTask(fx.file("last.zvt"), c.inLastFile ? autosaved : Dominoes());
      WriteBytes(fx.file("Zorvat.ini"), "[Opt]\nTaskFile=" + fx.file("last.zvt").toUtf8() + "\n");
      WriteTask(fx.file("dominoes.zvt"), Dominoes());
      fx.services.answers = {c.answer};
      TZvForm& w = fx.Start(fx.file("dominoes.zvt"));
      QCOMPARE(fx.services.messages.size(), std::size_t(c.asked ? 1 : 0));
      QVERIFY(w.task() == (c.opened ? Dominoes() : autosaved));
      w.CloseWithoutSaveAExecute();
    }
  }
};

}  // namespace zv

QTEST_MAIN(zv::WindowFilesTest)
#include "window_files_test.moc"
