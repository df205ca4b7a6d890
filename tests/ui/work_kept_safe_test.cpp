// The window never loses a task to a file it cannot read or write: an
// autosave that cannot be read is moved aside before the exit writes over
// it, a failed write at exit offers to save elsewhere or to go on, and
// SIGTERM or SIGHUP close the window and save without asking.
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <csignal>

#include "platform/qt/qt_translations.h"
#include "platform/qt/shutdown_signals.h"
#include "tests/support/task_builder.h"
#include "tests/ui/window_helpers.h"

namespace zv {

using namespace zv::test;

namespace {

QByteArray TaskBytes(const TaskState& t) {
  const std::vector<std::uint8_t> image = BuildTaskImage(t);
  return QByteArray(reinterpret_cast<const char*>(image.data()), static_cast<int>(image.size()));
}

}  // namespace

class WorkKeptSafeTest : public QObject {
  Q_OBJECT

 private slots:
  void anUnreadAutosaveIsMovedAsideAndTheBoxSaysWhere() {
    QByteArray task = TaskBytes(MakeTask({"###", "###"}, {{"###", "###"}}));
    QByteArray newer = task;
    newer[4] = 2;  // version 2
    struct Case {
      QByteArray bytes;
      const char* caption;
      const char* kept;  // the part of the name that tells why it was kept
    };
    const Case cases[] = {{task.left(task.size() - 3), "Ошибка в файле задачи", "Current.damaged-"},
                          {newer, "Версия файла задачи более новая, чем у программы", "Current.newer-"}};
    for (const Case& c : cases) {
      WindowFixture fx;
      WriteBytes(fx.file("Current.zvt"), c.bytes);
      TZvForm& w = fx.Start(std::nullopt);
      QCOMPARE(fx.services.messages.size(), std::size_t(1));
      const QStringList kept = QDir(fx.folder()).entryList({QString::fromUtf8(c.kept) + "*.zvt"});
      QCOMPARE(kept.size(), 1);
      QCOMPARE(Bytes(fx.file(kept[0].toUtf8().constData())), c.bytes);
      const QStringList lines = fx.services.messages[0].text.split('\n');
      QCOMPARE(lines.size(), 3);
      QCOMPARE(lines[0], fx.file("Current.zvt"));
      QCOMPARE(lines[1], QString::fromUtf8(c.caption));
      QVERIFY2(lines[2].contains(fx.file(kept[0].toUtf8().constData())), qPrintable(lines[2]));
      QCOMPARE(w.validation().cubeCount, 0);
      w.close();  // the exit writes the empty task; the kept file stays
      QVERIFY(!w.isVisible());
      QCOMPARE(Bytes(fx.file(kept[0].toUtf8().constData())), c.bytes);
      TaskState written;
      QVERIFY(ReadTaskFile(QFile::encodeName(fx.file("Current.zvt")).toStdString(), written) ==
              ReadResult::Ok);
    }
  }

  void aFailedWriteAtExitOffersSavingElsewhereOrGoingOn() {
    WindowFixture fx;
    TZvForm& w = fx.Start(QStringLiteral("-"));
    const TaskState task = MakeTask({"##"}, {{"##"}});
    LoadTask(fx, task);
    // Neither the autosave nor the settings can be written any more.
    QVERIFY(QDir(fx.folder()).mkdir("Current.zvt"));
    QVERIFY(QDir(fx.folder()).mkdir("Zorvat.ini"));

    fx.services.answers = {MessageAnswer::Cancel};
    w.show();
    w.close();
    QVERIFY(w.isVisible());  // going on working
    QCOMPARE(fx.services.messages.size(), std::size_t(1));
    const MessageRequest box = fx.services.messages[0];
    QVERIFY(box.buttons == MessageButtons::SaveDiscardCancel);
    QCOMPARE(box.caption, QStringLiteral("Невозможно записать файл"));
    QVERIFY(box.text.contains(fx.file("Current.zvt") + '\n'));
    QVERIFY(box.text.contains(fx.file("Zorvat.ini") + '\n'));  // the settings failure too

    // Save, with the dialog cancelled: asked again; then saved elsewhere.
    const QString elsewhere = fx.file("elsewhere.zvt");
    fx.services.answers = {MessageAnswer::Save, MessageAnswer::Save};
    fx.services.savePaths = {std::nullopt, elsewhere};
    w.close();
    QVERIFY(!w.isVisible());
    QCOMPARE(fx.services.messages.size(), std::size_t(3));
    TaskState saved;
    QVERIFY(ReadTaskFile(QFile::encodeName(elsewhere).toStdString(), saved) == ReadResult::Ok);
    QVERIFY(saved == w.task());
    QCOMPARE(w.currentTaskFile(), elsewhere);
  }

  void closingAnywayIsTheUsersChoice() {
    WindowFixture fx;
    TZvForm& w = fx.Start(QStringLiteral("-"));
    QVERIFY(QDir(fx.folder()).mkdir("Current.zvt"));
    fx.services.answers = {MessageAnswer::Discard};
    w.show();
    w.close();
    QVERIFY(!w.isVisible());
    QCOMPARE(fx.services.messages.size(), std::size_t(1));
    QVERIFY(!fx.services.messages[0].text.contains("Zorvat.ini"));  // the settings were written
    QVERIFY(QFileInfo(fx.file("Current.zvt")).isDir());
  }

  // What a logout or a shutdown sends closes the window as its close box
  // would, but asks nothing, also when a write fails.
  void termAndHangUpCloseWithoutQuestionsAndSave() {
    for (const bool writable : {true, false}) {
      for (const int number : ShutdownSignals::kSignals) {
        WindowFixture fx;
        TZvForm& w = fx.Start(QStringLiteral("-"));
        const ShutdownSignals stop([&w] { w.CloseWithoutQuestions(); });
        w.show();
        QTest::mouseClick(ImA(w), Qt::LeftButton, {}, FigurePoint(1, 1, 25, 25));
        if (!writable) QVERIFY(QDir(fx.folder()).mkdir("Current.zvt"));
        QVERIFY(raise(number) == 0);
        QTRY_VERIFY(!w.isVisible());
        QVERIFY(fx.services.messages.empty());
        QVERIFY(QFile::exists(fx.file("Zorvat.ini")));
        TaskState saved;
        const ReadResult read = ReadTaskFile(QFile::encodeName(fx.file("Current.zvt")).toStdString(), saved);
        QCOMPARE(read == ReadResult::Ok && saved == w.task(), writable);
      }
    }
  }

  void qtsOwnButtonsAndDialogsSpeakRussian() {
    QVERIFY(InstallTranslations(*QCoreApplication::instance(), Language::Russian, {}));
    QMessageBox box(QMessageBox::Warning, "t", "t", QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QCOMPARE(box.button(QMessageBox::Yes)->text().remove('&'), QStringLiteral("Да"));
    QCOMPARE(box.button(QMessageBox::No)->text().remove('&'), QStringLiteral("Нет"));
    QCOMPARE(box.button(QMessageBox::Cancel)->text().remove('&'), QStringLiteral("Отмена"));
    QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Перейти к:"));
    QVERIFY(QCoreApplication::translate("QColorDialog", "Select Color") != QStringLiteral("Select Color"));
  }
};

}  // namespace zv

QTEST_MAIN(zv::WorkKeptSafeTest)
#include "work_kept_safe_test.moc"
