// The Qt edge: Windows-1251 texts, the settings file read through QSettings
// (also when written by hand in the Windows profile format), and the choice
// of the data folder.
#include <QtTest>

#include "platform/qt/cp1251.h"
#include "platform/qt/program_folder.h"
#include "platform/qt/qt_profile.h"
#include "storage/placement.h"

namespace zv {

class PlatformQtTest : public QObject {
  Q_OBJECT

 private slots:
  void cp1251RoundTrip() {
    // "Зорват" in Windows-1251: З = C7, о = EE, р = F0, в = E2, а = E0, т = F2.
    const std::string bytes("\xC7\xEE\xF0\xE2\xE0\xF2 \xB8\xA8", 9);  // ... ё Ё
    QCOMPARE(FromCp1251(bytes), QStringLiteral("Зорват ёЁ"));
    QCOMPARE(ToCp1251(QStringLiteral("Зорват ёЁ")), bytes);
    QCOMPARE(ToCp1251(QStringLiteral("a✓b")), std::string("a?b"));  // not in the code page
    QCOMPARE(FromCp1251(std::string("\x80\x98\xFF", 3)), QStringLiteral("Ђ\u0098я"));
  }

  void profileReadsAHandWrittenWindowsIni() {
    QTemporaryDir dir;
    const QString path = dir.filePath("Zorvat.ini");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(
        "; written by hand\r\n[0]\r\nWinPosition=120,80,640,480,1\r\n"
        "[Opt]\r\nnumbers=1\r\nTaskFile=\"/home/u/tasks/a, b.zvt\"\r\nColor=255\r\n");
    file.close();
    QtProfile profile(path);
    QCOMPARE(profile.Read("0", "WinPosition", ""), std::string("120,80,640,480,1"));
    QCOMPARE(profile.Read("Opt", "Numbers", "0"), std::string("1"));  // key case ignored
    QCOMPARE(profile.Read("Opt", "TaskFile", ""), std::string("/home/u/tasks/a, b.zvt"));
    QCOMPARE(profile.Read("Opt", "Links", "dflt"), std::string("dflt"));
    QCOMPARE(profile.Read("Text", "WinPosition", "none"), std::string("none"));
    const std::optional<WindowPlacement> p =
        LoadPlacement(profile, kMainWindowSection, FrameMetrics{}, DesktopRect{0, 0, 1920, 1080});
    QVERIFY(p.has_value());
    QCOMPARE(p->top, 120);
    QCOMPARE(p->left, 80);
    QVERIFY(p->maximized);
  }

  void profileRoundTripKeepsCommasAndNonAsciiPaths() {
    QTemporaryDir dir;
    const QString path = dir.filePath("Zorvat.ini");
    {
      QtProfile profile(path);
      profile.Write("0", "WinPosition", "10,20,300,400,0");
      profile.Write("Opt", "TaskFile", "/home/u/Задачи/куб, 2.zvt");
      QVERIFY(profile.Flush());
    }
    QtProfile again(path);
    QCOMPARE(again.Read("0", "WinPosition", ""), std::string("10,20,300,400,0"));
    QCOMPARE(again.Read("Opt", "TaskFile", ""), std::string("/home/u/Задачи/куб, 2.zvt"));
  }

  void dataFolderFollowsZorvatHome() {
    QTemporaryDir dir;
    const QByteArray saved = qgetenv("ZORVAT_HOME");
    qputenv("ZORVAT_HOME", (dir.path() + "/sub").toUtf8());
    QCOMPARE(ProgramDataFolder("/usr/bin"), dir.path() + "/sub/");
    QVERIFY(QDir(dir.path() + "/sub").exists());
    qunsetenv("ZORVAT_HOME");
    QCOMPARE(ProgramDataFolder(dir.path()), dir.path() + '/');  // writable program folder
    // A writable bin/ of an installation is left alone: the files go to the config folder.
    QVERIFY(QDir().mkpath(dir.path() + "/usr/bin") && QDir().mkpath(dir.path() + "/usr/share/zorvat"));
    const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", (dir.path() + "/config").toUtf8());
    QCOMPARE(ProgramDataFolder(dir.path() + "/usr/bin"), dir.path() + "/config/zorvat/");
    qputenv("XDG_CONFIG_HOME", savedConfig);
    qputenv("ZORVAT_HOME", saved);
  }
};

}  // namespace zv

QTEST_APPLESS_MAIN(zv::PlatformQtTest)
#include "platform_qt_test.moc"
