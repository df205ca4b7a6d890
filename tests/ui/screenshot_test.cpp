// The built program run as a user would: --screenshot writes a PNG of the
// main window's size and leaves no settings or autosave behind; wrong
// options are refused with a message; a task file that cannot be read never
// leaves the run waiting on a box nobody can close; the picture is written
// atomically, and never into a pipe.
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QtTest>

namespace zv {

class ScreenshotTest : public QObject {
  Q_OBJECT

 private:
  static int Run(const QStringList& args, const QString& home, QByteArray* err = nullptr,
                 int waitMs = 60000) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("ZORVAT_HOME", home);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(ZORVAT_BINARY), args);
    if (!p.waitForFinished(waitMs)) {
      p.kill();
      p.waitForFinished();
      return -1;
    }
    if (err) *err = p.readAllStandardError();
    return p.exitCode();
  }

 private slots:
  void screenshotOfTheWholeWindow() {
    QTemporaryDir dir;
    const QString out = dir.filePath("out.png");
    QCOMPARE(Run({"--screenshot", out, "-"}, dir.path()), 0);
    QImage image(out);
    QCOMPARE(image.size(), QSize(871, 602));
    QVERIFY(!QFile::exists(dir.filePath("Zorvat.ini")));
    QVERIFY(!QFile::exists(dir.filePath("Current.zvt")));
  }

  void unreadableTasksEndTheRunWithTheBoxOnStderr() {
    QTemporaryDir dir;
    QFile truncated(dir.filePath("short.zvt"));
    QVERIFY(truncated.open(QIODevice::WriteOnly));
    truncated.write(QByteArray(30, 'x'));
    truncated.close();
    QFile newer(dir.filePath("newer.zvt"));
    QVERIFY(newer.open(QIODevice::WriteOnly));
    newer.write(QByteArray("\x06\x09\x47\x73\x02\x00\x00\x00", 8) + QByteArray(33, '\0'));
    newer.close();
    QVERIFY(QDir(dir.path()).mkdir("folder.zvt"));
    const QString fifo = dir.filePath("pipe.zvt");
    QCOMPARE(QProcess::execute("mkfifo", {fifo}), 0);
    struct Case {
      QString file;
      const char* caption;
    };
    const Case cases[] = {{dir.filePath("short.zvt"), "Неправильный заголовок файла задачи"},
                          {dir.filePath("newer.zvt"), "Версия файла задачи более новая, чем у программы"},
                          {dir.filePath("folder.zvt"), "Невозможно считать файл"},
                          {fifo, "Невозможно считать файл"},
                          {QStringLiteral("/dev/zero"), "Невозможно считать файл"}};
    for (const Case& c : cases) {
      const QString out = dir.filePath("out.png");
      QByteArray err;
      QCOMPARE(Run({"--screenshot", out, c.file}, dir.path(), &err, 20000), 2);
      QVERIFY2(QString::fromLocal8Bit(err).contains(QString::fromUtf8(c.caption)), err.constData());
      QVERIFY(QString::fromLocal8Bit(err).contains(c.file));
      QVERIFY(!QFile::exists(out));
    }
  }

  // The picture is written as every file is: a pipe as the output is
  // refused at once (it would block), an existing picture is replaced whole.
  void theOutputIsWrittenWholeAndOnlyToAFile() {
    QTemporaryDir dir;
    const QString fifo = dir.filePath("pipe.png");
    QCOMPARE(QProcess::execute("mkfifo", {fifo}), 0);
    QByteArray err;
    QCOMPARE(Run({"--screenshot", fifo, "-"}, dir.path(), &err, 20000), 1);
    QVERIFY2(err.contains("not a regular file"), err.constData());
    const QString out = dir.filePath("out.png");
    QFile old(out);
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write(QByteArray(100000, 'x')) == 100000);
    old.close();
    QCOMPARE(Run({"--screenshot", out, "-"}, dir.path()), 0);
    QCOMPARE(QImage(out).size(), QSize(871, 602));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(),
             2);  // no temporary
  }

  void wrongOptionsAreRefused() {
    QTemporaryDir dir;
    QByteArray err;
    QCOMPARE(Run({"--bogus"}, dir.path(), &err), 2);
    QVERIFY(err.contains("unknown option --bogus"));
    QCOMPARE(Run({"--screenshot"}, dir.path(), &err), 2);
    QVERIFY(err.contains("--screenshot needs"));
  }
};

}  // namespace zv

QTEST_GUILESS_MAIN(zv::ScreenshotTest)
#include "screenshot_test.moc"
