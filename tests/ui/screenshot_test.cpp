// The built program run as a user would: --screenshot writes a PNG of the
// main window's size and leaves no settings or autosave behind; wrong
// options are refused with a message.
#include <QImage>
#include <QProcess>
#include <QtTest>

namespace zv {

class ScreenshotTest : public QObject {
  Q_OBJECT

 private:
  static int Run(const QStringList& args, const QString& home, QByteArray* err = nullptr) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("ZORVAT_HOME", home);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(ZORVAT_BINARY), args);
    if (!p.waitForFinished(60000)) return -1;
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
