// The command line: the program's own options and the task parameter.
#include <QtTest>

#include "ui/command_line.h"

namespace zv {

class CommandLineTest : public QObject {
  Q_OBJECT

 private slots:
  void theFirstPlainParameterNamesTheTask() {
    CommandLine cl = ParseCommandLine({"--screenshot", "out.png", "task.zvt", "other.zvt"});
    QVERIFY(cl.action == CommandLine::Action::Run);
    QCOMPARE(cl.screenshotPath, std::string("out.png"));
    QCOMPARE(cl.startParameter, std::optional<std::string>("task.zvt"));
    cl = ParseCommandLine({"-"});
    QCOMPARE(cl.startParameter, std::optional<std::string>("-"));
    cl = ParseCommandLine({});
    QVERIFY(!cl.startParameter.has_value());
    QVERIFY(cl.screenshotPath.empty());
  }

  void optionsAndMistakes() {
    QVERIFY(ParseCommandLine({"task.zvt", "--help"}).action == CommandLine::Action::Help);
    QVERIFY(ParseCommandLine({"--version"}).action == CommandLine::Action::Version);
    QVERIFY(ParseCommandLine({"--screenshot"}).action == CommandLine::Action::Error);
    const CommandLine bad = ParseCommandLine({"--colour", "red"});
    QVERIFY(bad.action == CommandLine::Action::Error);
    QCOMPARE(bad.error, std::string("unknown option --colour"));
  }
};

}  // namespace zv

QTEST_APPLESS_MAIN(zv::CommandLineTest)
#include "command_line_test.moc"
