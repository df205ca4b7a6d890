// The recent task files of the window: tasks opened or saved join the open
// button's menu newest first, Ctrl+1 opens the newest, a file that is gone
// is dropped with a message, and the list comes back after a restart.
#include "storage/recent_files.h"

#include <QMenu>
#include <QtTest>

#include "tests/support/task_builder.h"
#include "tests/ui/window_helpers.h"
#include "ui/recent_files.h"

namespace zv {

using namespace zv::test;

class RecentFilesTest : public QObject {
  Q_OBJECT

 private slots:
  void openedAndSavedTasksAreListedAndReopened() {
    WindowFixture fx;
    const QString a = fx.file("a.zvt"), b = fx.file("b.zvt"), gone = fx.file("gone.zvt");
    const TaskState one = MakeTask({"#"}, {{"#"}}), two = MakeTask({"##"}, {{"##"}});
    for (const auto& [path, task] : {std::pair{a, one}, std::pair{gone, one}})
      QVERIFY(WriteTaskFile(QFile::encodeName(path).toStdString(), task) == WriteResult::Ok);
    {
      TZvForm& w = fx.Start();
      Activate(w);
      fx.services.openPaths = {a, gone};
      QTest::keyClick(&w, Qt::Key_F3);
      QTest::keyClick(&w, Qt::Key_F3);
      LoadTask(fx, two, "b.zvt");  // opened through the window too
      QVERIFY(QFile::remove(b));
      fx.services.savePaths = {b};
      QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);  // saved: first again
      QCOMPARE(w.recentFiles().files().size(), std::size_t(3));
      QCOMPARE(QFile::decodeName(w.recentFiles().files()[0].c_str()), b);
      QCOMPARE(QFile::decodeName(w.recentFiles().files()[2].c_str()), a);
      QMenu* menu = Control<QToolButton>(w, "OpenBt")->menu();
      emit menu->aboutToShow();
      QCOMPARE(menu->actions().size(), 3);
      QVERIFY(menu->actions()[1]->text().endsWith(gone));

      // The second (gone.zvt) is gone: dropped with a message, the task stays.
      QVERIFY(QFile::remove(gone));
      QTest::keyClick(&w, Qt::Key_2, Qt::ControlModifier);
      QCOMPARE(fx.services.messages.size(), std::size_t(1));
      QCOMPARE(fx.services.messages[0].text, gone + QStringLiteral("\nФайл не найден"));
      QVERIFY(w.task() == two);
      QCOMPARE(w.recentFiles().files().size(), std::size_t(2));
      // Ctrl+2 is now a.zvt.
      QTest::keyClick(&w, Qt::Key_2, Qt::ControlModifier);
      QVERIFY(w.task().figure == one.figure);
      QCOMPARE(QFile::decodeName(w.recentFiles().files()[0].c_str()), a);
      w.close();
    }
    TZvForm& again = fx.Start();
    QCOMPARE(again.recentFiles().files().size(), std::size_t(2));
    QCOMPARE(QFile::decodeName(again.recentFiles().files()[1].c_str()), b);
    again.CloseWithoutSaveAExecute();
  }
};

}  // namespace zv

QTEST_MAIN(zv::RecentFilesTest)
#include "recent_files_test.moc"
