// zorvat-cli run as a program: what check prints and returns for solvable,
// refused, damaged and missing tasks, rewrite, and wrong arguments.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "storage/task_file.h"
#include "tests/support/task_builder.h"
#include "tests/support/temp_folder.h"

namespace zv {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

struct CliRun {
  int status = -1;
  std::string out, err;
};

// Runs zorvat-cli with `args` (no quoting needed: the tests' paths hold no
// spaces or quotes), capturing both streams in files of `folder`.
CliRun RunCli(const TempFolder& folder, const std::string& args) {
  const std::string out = folder.File("stdout.txt"), err = folder.File("stderr.txt");
  const std::string command = std::string(ZORVAT_CLI_PATH) + " " + args + " >" + out + " 2>" + err;
  CliRun run;
  int raw = std::system(command.c_str());
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  auto text = [](const std::string& path) {
    std::vector<std::uint8_t> bytes = ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
  };
  run.out = text(out);
  run.err = text(err);
  return run;
}

std::string SaveTask(const TempFolder& folder, const std::string& name, const TaskState& task) {
  std::string path = folder.File(name);
  WriteBytes(path, BuildTaskImage(task));
  return path;
}

TEST(CliCheck, SolvableTaskPrintsCountersAndOk) {
  TempFolder folder;
  TaskState t = test::MakeTask({"##"}, {{"##"}});
  test::SetLink(t, 1, 0, RigidX);
  CliRun run = RunCli(folder, "check " + SaveTask(folder, "domino.zvt", t));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "cubes: 2\nparts: 1\ncycles: 0\nform cells: 2\nsurplus: 0\nok\n");
  EXPECT_EQ(run.err, "");

  // A ring of four cubes joined by four face-axis hinges: one part, one cycle;
  // two form cells spare, allowed by EmptyCells.
  TaskState ring = test::MakeTask({"##", "##"}, {{"###", "###"}});
  test::SetLink(ring, 1, 0, AxisX);
  test::SetLink(ring, 1, 1, AxisX);
  test::SetLink(ring, 0, 1, AxisY);
  test::SetLink(ring, 1, 1, AxisY);
  ring.EmptyCells = true;
  run = RunCli(folder, "check " + SaveTask(folder, "ring.zvt", ring));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "cubes: 4\nparts: 1\ncycles: 1\nform cells: 6\nsurplus: 2\nok\n");
}

TEST(CliCheck, RefusedTaskPrintsTheValidationMessage) {
  TempFolder folder;
  // Two loose cubes and three form cells without EmptyCells.
  CliRun run = RunCli(folder, "check " + SaveTask(folder, "more.zvt", test::MakeTask({"##"}, {{"###"}})));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "cubes: 2\nparts: 2\ncycles: 0\nform cells: 3\nsurplus: 1\n"
            "error: В форме на 1 больше кубиков, чем в условии\n");

  // One cube: the link analysis never runs, so parts and cycles are unknown.
  run = RunCli(folder, "check " + SaveTask(folder, "one.zvt", test::MakeTask({"#"}, {{"#"}})));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "cubes: 1\nparts: -\ncycles: -\nform cells: 1\nsurplus: 0\n"
            "error: В исходной фигуре меньше 2 кубиков\n");
}

TEST(CliCheck, UnreadableFilesGiveCaptionAndPath) {
  TempFolder folder;
  const std::vector<std::uint8_t> good = BuildTaskImage(test::MakeTask({"##"}, {{"##"}}));

  std::vector<std::uint8_t> damaged = good;
  damaged.push_back(0);
  WriteBytes(folder.File("damaged.zvt"), damaged);
  std::vector<std::uint8_t> badMagic = good;
  badMagic[0] = 0;
  WriteBytes(folder.File("magic.zvt"), badMagic);
  std::vector<std::uint8_t> newer = good;
  newer[4] = 2;
  WriteBytes(folder.File("newer.zvt"), newer);

  const std::pair<const char*, const char*> cases[] = {
      {"damaged.zvt", "Ошибка в файле задачи"},
      {"magic.zvt", "Неправильный заголовок файла задачи"},
      {"newer.zvt", "Версия файла задачи более новая, чем у программы"},
      {"none.zvt", "Файл не найден"},
  };
  for (auto [name, caption] : cases) {
    const std::string path = folder.File(name);
    CliRun run = RunCli(folder, "check " + path);
    EXPECT_EQ(run.status, 2) << name;
    EXPECT_EQ(run.out, "") << name;
    EXPECT_EQ(run.err, std::string(caption) + ": " + path + "\n") << name;
  }
}

TEST(CliRewrite, WritesTheProgramsOwnBytes) {
  TempFolder folder;
  TaskState t = test::MakeTask({"##", "#."}, {{"###"}});
  t.Text = "\xCF\xF0\xE8\xEC\xE5\xF0";
  std::vector<std::uint8_t> old = BuildTaskImage(t);
  old[4] = 0;  // an older version, rewritten as the current one
  WriteBytes(folder.File("in.zvt"), old);

  CliRun run = RunCli(folder, "rewrite " + folder.File("in.zvt") + " " + folder.File("out.zvt"));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(ReadBytes(folder.File("out.zvt")), BuildTaskImage(t));
}

TEST(CliRewrite, FailuresWriteNothing) {
  TempFolder folder;
  WriteBytes(folder.File("in.zvt"), BuildTaskImage(test::MakeTask({"#"}, {{"#"}})));
  WriteBytes(folder.File("bad.zvt"), {1, 2, 3});
  WriteBytes(folder.File("out.zvt"), {9, 9});

  CliRun run = RunCli(folder, "rewrite " + folder.File("bad.zvt") + " " + folder.File("out.zvt"));
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "Ошибка в файле задачи: " + folder.File("bad.zvt") + "\n");
  EXPECT_EQ(ReadBytes(folder.File("out.zvt")), (std::vector<std::uint8_t>{9, 9}));

  const std::string unwritable = folder.File("missing/out.zvt");
  run = RunCli(folder, "rewrite " + folder.File("in.zvt") + " " + unwritable);
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "Невозможно записать файл: " + unwritable + "\n");
}

TEST(CliArguments, HelpVersionAndMistakes) {
  TempFolder folder;
  CliRun run = RunCli(folder, "--version");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "zorvat-cli 2.0.0\n");

  run = RunCli(folder, "--help");
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("check TASK.zvt"), std::string::npos);
  EXPECT_NE(run.out.find("rewrite IN.zvt OUT.zvt"), std::string::npos);

  WriteBytes(folder.File("a.zvt"), BuildTaskImage(test::MakeTask({"##"}, {{"##"}})));
  const std::string a = folder.File("a.zvt");
  for (const std::string& args : std::vector<std::string>{"", "solvee " + a, "--frob", "check", "check " + a + " " + a,
                                   "check --all " + a, "rewrite " + a, "rewrite " + a + " " + a + " " + a}) {
    run = RunCli(folder, args);
    EXPECT_EQ(run.status, 2) << args;
    EXPECT_EQ(run.out, "") << args;
    EXPECT_NE(run.err, "") << args;
  }
  // None of the refused rewrites touched the file.
  EXPECT_EQ(ReadBytes(a), BuildTaskImage(test::MakeTask({"##"}, {{"##"}})));
}

}  // namespace
}  // namespace zv
