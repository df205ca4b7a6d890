// The command line: the program's own options and the task parameter.
#include "ui/command_line.h"

#include <QtTest>

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

  void solveAndSelectGoWithAScreenshot() {
    const CommandLine cl =
        ParseCommandLine({"--screenshot", "o.png", "--solve", "--select", "1,0,2", "t.zvt"});
    QVERIFY(cl.action == CommandLine::Action::Run);
    QVERIFY(cl.solve);
    QVERIFY(cl.select == (std::array<int, 3>{1, 0, 2}));
    QCOMPARE(*cl.startParameter, std::string("t.zvt"));
    QVERIFY(ParseCommandLine({"--solve"}).action == CommandLine::Action::Error);
    QVERIFY(ParseCommandLine({"--screenshot", "o.png", "--select", "1,0,2"}).action ==
            CommandLine::Action::Error);
    for (const char* cell : {"1,0", "1,0,2,3", "a,b,c", "1,-1,0", "1,0,2x"})
      QVERIFY2(ParseCommandLine({"--screenshot", "o.png", "--solve", "--select", cell}).action ==
                   CommandLine::Action::Error,
               cell);
    QVERIFY(ParseCommandLine({"--screenshot", "o.png", "--solve", "--select"}).action ==
            CommandLine::Action::Error);
  }

  void theViewAndFoldGoWithASolve() {
    const CommandLine cl =
        ParseCommandLine({"--screenshot", "o.png", "--solve", "--view", "3d", "--fold", "0.5"});
    QVERIFY(cl.action == CommandLine::Action::Run);
    QVERIFY(cl.view3d && cl.fold == 0.5);
    for (std::vector<std::string> wrong : std::vector<std::vector<std::string>>{
             {"--screenshot", "o.png", "--view", "3d"},
             {"--screenshot", "o.png", "--solve", "--view", "2d"},
             {"--screenshot", "o.png", "--solve", "--fold", "0.5"},
             {"--screenshot", "o.png", "--solve", "--view", "3d", "--fold", "1.5"},
             {"--screenshot", "o.png", "--solve", "--view", "3d", "--fold", "x"},
             {"--solve", "--view", "3d"}})
      QVERIFY(ParseCommandLine(wrong).action == CommandLine::Action::Error);
  }
};

}  // namespace zv

QTEST_APPLESS_MAIN(zv::CommandLineTest)
#include "command_line_test.moc"
