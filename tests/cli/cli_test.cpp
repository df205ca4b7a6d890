// zorvat-cli run as a program: what check prints and returns for solvable,
// refused, damaged and missing tasks, rewrite, wrong arguments, and the one
// JSON object --json prints for every outcome.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "solid/fold_steps.h"
#include "storage/task_file.h"
#include "tests/support/json_check.h"
#include "tests/support/solve_task.h"
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
// `program` may begin with environment settings ("LD_DEBUG=files /x/zorvat-cli").
CliRun RunProgram(const TempFolder& folder, const std::string& program, const std::string& args) {
  const std::string out = folder.File("stdout.txt"), err = folder.File("stderr.txt");
  const std::string command = program + " " + args + " >" + out + " 2>" + err;
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

CliRun RunCli(const TempFolder& folder, const std::string& args) {
  return RunProgram(folder, ZORVAT_CLI_PATH, args);
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
            "error: the form has 1 cell more than the figure has cubes\n"
            "error_ru: В форме на 1 больше кубиков, чем в условии\n");

  // One cube: the link analysis never runs, so parts and cycles are unknown.
  run = RunCli(folder, "check " + SaveTask(folder, "one.zvt", test::MakeTask({"#"}, {{"#"}})));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "cubes: 1\nparts: -\ncycles: -\nform cells: 1\nsurplus: 0\n"
            "error: the figure has fewer than 2 cubes\n"
            "error_ru: В исходной фигуре меньше 2 кубиков\n");
}

TEST(CliCheck, UnreadableFilesGiveEnglishAndRussianLinesWithThePath) {
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

  // clang-format off
  const struct {
    const char* name;
    const char* english;
    const char* caption;
  } cases[] = {
      {"damaged.zvt", "the task file is damaged",                             "Ошибка в файле задачи"},
      {"magic.zvt",   "the file is not a task file (wrong header)",           "Неправильный заголовок файла задачи"},
      {"newer.zvt",   "the task file is from a newer version of the program", "Версия файла задачи более новая, чем у программы"},
      {"none.zvt",    "no such task file",                                    "Файл не найден"},
  };
  // clang-format on
  for (auto [name, english, caption] : cases) {
    const std::string path = folder.File(name);
    CliRun run = RunCli(folder, "check " + path);
    EXPECT_EQ(run.status, 2) << name;
    EXPECT_EQ(run.out, "") << name;
    EXPECT_EQ(run.err,
              "zorvat-cli: " + std::string(english) + ": " + path + "\n" + caption + ": " + path + "\n")
        << name;
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
  EXPECT_EQ(run.err, "zorvat-cli: the task file is damaged: " + folder.File("bad.zvt") +
                         "\nОшибка в файле задачи: " + folder.File("bad.zvt") + "\n");
  EXPECT_EQ(ReadBytes(folder.File("out.zvt")), (std::vector<std::uint8_t>{9, 9}));

  // Outputs that cannot be written say why; a link to no file stays a link.
  std::filesystem::create_symlink("nowhere/out.zvt", folder.File("dangling"));
  std::filesystem::create_symlink("loop-b", folder.File("loop-a"));
  std::filesystem::create_symlink("loop-a", folder.File("loop-b"));
  const struct {
    std::string out;
    const char* why;
  } unwritable[] = {
      {folder.File("missing/out.zvt"), "no such folder"},
      {folder.File("dangling"), "a symbolic link to no file"},
      {folder.File("loop-a"), "a loop of symbolic links"},
      {folder.File(std::string(252, 'n') + ".zvt"), "the name is too long"},
      {folder.Path().string(), "it is a folder"},
  };
  for (const auto& row : unwritable) {
    run = RunCli(folder, "rewrite " + folder.File("in.zvt") + " " + row.out);
    EXPECT_EQ(run.status, 2) << row.out;
    EXPECT_EQ(run.err, "zorvat-cli: cannot write the file: " + row.out + ": " + row.why +
                           "\nНевозможно записать файл: " + row.out + "\n");
  }
  EXPECT_TRUE(std::filesystem::is_symlink(folder.File("dangling")));
  // The longest name a file may have is written.
  const std::string longest = folder.File(std::string(251, 'n') + ".zvt");
  EXPECT_EQ(RunCli(folder, "rewrite " + folder.File("in.zvt") + " " + longest).status, 0);
  EXPECT_EQ(ReadBytes(longest), ReadBytes(folder.File("in.zvt")));
}

TEST(CliArguments, HelpVersionAndMistakes) {
  TempFolder folder;
  CliRun run = RunCli(folder, "--version");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "zorvat-cli " ZORVAT_VERSION "\n");  // the version of the top CMakeLists.txt

  run = RunCli(folder, "--help");
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("check TASK.zvt"), std::string::npos);
  EXPECT_NE(run.out.find("rewrite IN.zvt OUT.zvt"), std::string::npos);

  WriteBytes(folder.File("a.zvt"), BuildTaskImage(test::MakeTask({"##"}, {{"##"}})));
  const std::string a = folder.File("a.zvt");
  for (const std::string& args :
       std::vector<std::string>{"", "solvee " + a, "--frob", "check", "check " + a + " " + a,
                                "check --all " + a, "rewrite " + a, "rewrite " + a + " " + a + " " + a}) {
    run = RunCli(folder, args);
    EXPECT_EQ(run.status, 2) << args;
    EXPECT_EQ(run.out, "") << args;
    EXPECT_NE(run.err, "") << args;
  }
  // None of the refused rewrites touched the file.
  EXPECT_EQ(ReadBytes(a), BuildTaskImage(test::MakeTask({"##"}, {{"##"}})));
}

TEST(CliJson, EveryOutcomeIsOneObjectWithItsCodeAndExitStatus) {
  TempFolder folder;
  const std::vector<std::uint8_t> good = BuildTaskImage(test::MakeTask({"##"}, {{"##"}}));
  std::vector<std::uint8_t> damaged = good, badMagic = good, newer = good;
  damaged.push_back(0);
  badMagic[0] = 0;
  newer[4] = 2;
  WriteBytes(folder.File("good.zvt"), good);
  WriteBytes(folder.File("damaged.zvt"), damaged);
  WriteBytes(folder.File("short.zvt"), {1, 2, 3});
  WriteBytes(folder.File("magic.zvt"), badMagic);
  WriteBytes(folder.File("newer.zvt"), newer);
  WriteBytes(folder.File("one.zvt"), BuildTaskImage(test::MakeTask({"#"}, {{"#"}})));
  const auto at = [&](const char* name) { return " " + folder.File(name); };

  // clang-format off
  const struct {
    std::string args;
    int status;
    const char* outcome;
    const char* error;     // "" when the outcome is no failure
    const char* russian;   // expected "message_ru", "" when there is none
  } cases[] = {
      {"check --json" + at("good.zvt"),               0, "solvable", "",                ""},
      {"rewrite --json" + at("good.zvt") + at("copy.zvt"), 0, "done", "",               ""},
      {"check --json" + at("none.zvt"),               2, "error",   "missing_file",    "Файл не найден"},
      {"solve --json" + at("none.zvt"),               2, "error",   "missing_file",    "Файл не найден"},
      {"solve --json " + folder.Path().string(),      2, "error",   "unreadable_file", "Невозможно считать файл"},
      {"solve --json" + at("damaged.zvt"),            2, "error",   "damaged_file",    "Ошибка в файле задачи"},
      {"solve --json" + at("short.zvt"),              2, "error",   "damaged_file",    "Ошибка в файле задачи"},
      {"solve --json" + at("magic.zvt"),              2, "error",   "bad_header",      "Неправильный заголовок файла задачи"},
      {"solve --json" + at("newer.zvt"),              2, "error",   "newer_version",   "Версия файла задачи более новая, чем у программы"},
      {"solve --json" + at("one.zvt"),                1, "error",   "refused_task",    "В исходной фигуре меньше 2 кубиков"},
      {"check --json" + at("one.zvt"),                1, "refused", "refused_task",    "В исходной фигуре меньше 2 кубиков"},
      {"solve --json --show",                         2, "error",   "bad_arguments",   ""},
      {"solve --json --time-limit soon" + at("good.zvt"), 2, "error", "bad_arguments", ""},
      {"solve --json --colour" + at("good.zvt"),      2, "error",   "bad_arguments",   ""},
      {"solve --json" + at("good.zvt") + at("good.zvt"), 2, "error", "bad_arguments",  ""},
      {"solve --json",                                2, "error",   "bad_arguments",   ""},
      {"check --json --all" + at("good.zvt"),         2, "error",   "bad_arguments",   ""},
      {"solvee --json",                               2, "error",   "bad_arguments",   ""},
      {"solve --json --memory-limit 1" + at("good.zvt"), 3, "stopped", "out_of_memory", ""},
      {"rewrite --json" + at("good.zvt") + at("missing/out.zvt"), 2, "error", "write_failed", "Невозможно записать файл"},
  };
  // clang-format on
  for (const auto& c : cases) {
    const CliRun run = RunCli(folder, c.args);
    EXPECT_EQ(run.status, c.status) << c.args;
    const auto members = test::ParseJsonObject(run.out);
    ASSERT_TRUE(members) << c.args << "\n" << run.out;
    const auto member = [&](const char* key) {
      const auto found = members->find(key);
      return found == members->end() ? std::string() : found->second;  // no JSON value is ""
    };
    const auto quoted = [](const char* text) {
      return *text ? '"' + std::string(text) + '"' : std::string();
    };
    EXPECT_EQ(member("outcome"), quoted(c.outcome)) << c.args;
    EXPECT_EQ(member("error"), quoted(c.error)) << c.args;
    EXPECT_EQ(member("message_ru"), quoted(c.russian)) << c.args;
    // Every failure, and only a failure, says what happened in English.
    EXPECT_EQ(member("message").size() > 2, *c.error != '\0') << c.args;
  }
  EXPECT_EQ(ReadBytes(folder.File("copy.zvt")), good);
}

}  // namespace
}  // namespace zv

namespace zv {
namespace {

// export: a model of the chosen solution, and the failures that write nothing.
TEST(CliExport, WritesTheModelOrFailsWithStatusTwo) {
  TempFolder folder;
  TaskState t = test::MakeTask({"##"}, {{"#", "#"}});
  test::SetLink(t, 1, 0, AxisX);
  const std::string task = SaveTask(folder, "pair.zvt", t);
  // Two cubes in a column: 10 outer faces, 20 triangles of 50 bytes.
  CliRun run =
      RunCli(folder, "export " + task + " --solution 1 --format stl " + folder.File("a.stl") + " --scale 3");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadBytes(folder.File("a.stl")).size(), 84u + 20 * 50);
  run = RunCli(folder, "export " + task + " --format obj --solution 1 " + folder.File("a.obj"));
  EXPECT_EQ(run.status, 0) << run.err;
  // The two blocks of the one part in two colours: the window's default cube colour and a tint.
  const std::vector<std::uint8_t> mtl = ReadBytes(folder.File("a.mtl"));
  const std::string mtlText(mtl.begin(), mtl.end());
  EXPECT_NE(mtlText.find("Kd 0.901961 0.901961 0.901961\n"), std::string::npos) << mtlText;
  EXPECT_EQ(std::count(mtl.begin(), mtl.end(), '\n'), 4) << mtlText;  // two materials
  // Pictures, where this build draws them.
  run = RunCli(folder, "export " + task + " --solution 1 --format png " + folder.File("a.png"));
  if (ZORVAT_CLI_DRAWS_PICTURES) {
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::uint8_t> png = ReadBytes(folder.File("a.png"));
    EXPECT_EQ(std::string(png.begin() + 1, png.begin() + 4), "PNG");
    run = RunCli(folder, "export " + task + " --solution 1 --format svg " + folder.File("a.svg"));
    const std::vector<std::uint8_t> svg = ReadBytes(folder.File("a.svg"));
    EXPECT_NE(std::string(svg.begin(), svg.end()).find("<svg"), std::string::npos);
  } else {
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("draws no pictures"), std::string::npos);
  }

  WriteBytes(folder.File("kept.stl"), {7});
  for (const std::string& wrong : {"--solution 2 --format stl " + folder.File("kept.stl"),
                                   "--solution 1 --format dxf " + folder.File("kept.stl"),
                                   "--solution 0 --format stl " + folder.File("kept.stl"),
                                   "--solution 1 --format stl " + folder.File("no/x.stl")}) {
    run = RunCli(folder, "export " + task + " " + wrong);
    EXPECT_EQ(run.status, 2) << wrong;
    EXPECT_FALSE(run.err.empty()) << wrong;
  }
  EXPECT_EQ(ReadBytes(folder.File("kept.stl")), std::vector<std::uint8_t>{7});
}

// export --format fold-svg|fold-pdf: the snake cube's instructions hold the
// flat figure and one picture per step the found motion is cut into, 12
// pictures to an A4 page; a solution without a found motion (the ring's
// second moves a closed cycle of hinges, its first turns no hinge) gets
// status 7 and leaves OUT alone.
TEST(CliExport, FoldInstructionsOfTheSnakeAndNoneWithoutAMotion) {
  if (!ZORVAT_CLI_DRAWS_PICTURES) GTEST_SKIP() << "this build draws no pictures";
  TempFolder folder;
  const std::string examples = std::string(ZORVAT_SOURCE_ROOT) + "/examples/";
  TaskState task;
  ASSERT_EQ(ReadTaskFile(examples + "snake_cube.zvt", task), ReadResult::Ok);
  const test::SolvedTask solved = test::SolveTask(task);
  const SolidSolution solid = MakeSolidSolution(solved.validation.links, solved.solver->Solution(0));
  const std::size_t steps = FoldSheetSteps(solid, CheckFolding(solid, FoldBudget{})).size();
  ASSERT_GE(steps, 5u);

  const std::string snake = "export " + examples + "snake_cube.zvt --solution 1 --format ";
  CliRun run = RunCli(folder, snake + "fold-svg " + folder.File("fold.svg"));
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<std::uint8_t> svgBytes = ReadBytes(folder.File("fold.svg"));
  const std::string svg(svgBytes.begin(), svgBytes.end());
  EXPECT_NE(svg.find("</svg>"), std::string::npos);
  EXPECT_NE(svg.find("snake_cube — solution 1"), std::string::npos);
  EXPECT_NE(svg.find(">Flat figure<"), std::string::npos);
  EXPECT_NE(svg.find(">Step " + std::to_string(steps) + "<"), std::string::npos);
  EXPECT_EQ(svg.find(">Step " + std::to_string(steps + 1) + "<"), std::string::npos);

  run = RunCli(folder, snake + "fold-pdf " + folder.File("fold.pdf"));
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<std::uint8_t> pdfBytes = ReadBytes(folder.File("fold.pdf"));
  const std::string pdf(pdfBytes.begin(), pdfBytes.end());
  EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u);
  EXPECT_NE(pdf.find("%%EOF", pdf.size() - 16), std::string::npos);
  std::size_t pages = 0;
  for (std::size_t at = pdf.find("/Type /Page"); at != std::string::npos;
       at = pdf.find("/Type /Page", at + 1))
    pages += pdf.compare(at, 12, "/Type /Pages") != 0;
  EXPECT_EQ(pages, (steps + 12) / 12);

  WriteBytes(folder.File("kept.pdf"), {7});
  for (const char* solution : {"2", "1"}) {
    run = RunCli(folder, "export " + examples + "hinge_ring.zvt --solution " + solution +
                             " --format fold-pdf " + folder.File("kept.pdf") + " --json");
    EXPECT_EQ(run.status, 7) << solution;
    EXPECT_NE(run.out.find(R"("error":"not_foldable")"), std::string::npos) << run.out;
  }
  EXPECT_NE(run.out.find("nothing to fold"), std::string::npos) << run.out;
  run = RunCli(
      folder, "export " + examples + "hinge_ring.zvt --solution 2 --format fold-svg " + folder.File("n.svg"));
  EXPECT_EQ(run.status, 7);
  EXPECT_NE(run.err.find("no fold instructions: solution 2: not checked (closed cycle of hinges)"),
            std::string::npos)
      << run.err;
  EXPECT_FALSE(std::filesystem::exists(folder.File("n.svg")));
  EXPECT_EQ(ReadBytes(folder.File("kept.pdf")), std::vector<std::uint8_t>{7});
}

// zorvat-cli loads no Qt library; its picture commands run
// zorvat-cli-pictures, which does. A zorvat-cli without that program beside
// it (or in the installation's program folder) refuses them and writes nothing.
TEST(CliPictures, OnlyThePictureProgramLoadsQtAndItsAbsenceIsReported) {
  if (!ZORVAT_CLI_DRAWS_PICTURES) GTEST_SKIP() << "this build draws no pictures";
  TempFolder folder;
  const std::string task = SaveTask(folder, "pair.zvt", test::MakeTask({"##"}, {{"##"}}));
  const std::string traced = std::string("LD_DEBUG=files ") + ZORVAT_CLI_PATH;
  const struct {
    std::string args;
    bool loadsQt;
  } rows[] = {{"--version", false},
              {"check " + task, false},
              {"export " + task + " --solution 1 --format stl " + folder.File("a.stl"), false},
              {"export " + task + " --solution 1 --format svg " + folder.File("a.svg"), true},
              {"thumbnail " + task + " " + folder.File("a.png"), true}};
  for (const auto& row : rows) {
    const CliRun run = RunProgram(folder, traced, row.args);
    EXPECT_EQ(run.status, 0) << row.args << run.err;
    EXPECT_EQ(run.err.find("libQt6Gui") != std::string::npos, row.loadsQt) << row.args;
  }

  const std::string lone = folder.File("zorvat-cli");
  std::filesystem::copy_file(ZORVAT_CLI_PATH, lone);
  for (const std::string& args :
       {"thumbnail " + task + " " + folder.File("b.png") + " --json",
        "export " + task + " --solution 1 --format png " + folder.File("b.png") + " --json"}) {
    const CliRun run = RunProgram(folder, lone, args);
    EXPECT_EQ(run.status, 2) << args;
    EXPECT_NE(run.out.find("\"error\":\"missing_program\""), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("zorvat-cli-pictures"), std::string::npos) << run.out;
    EXPECT_FALSE(std::filesystem::exists(folder.File("b.png"))) << args;
  }
}

TEST(CliConvert, EveryExampleAndCorpusTaskComesBackAsRewriteWritesIt) {
  TempFolder folder;
  const std::filesystem::path root = ZORVAT_SOURCE_ROOT;
  int files = 0;
  for (const char* under : {"examples", "tests"})
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root / under)) {
      if (entry.path().extension() != ".zvt") continue;
      const std::string in = entry.path().string();
      ASSERT_EQ(RunCli(folder, "rewrite " + in + " " + folder.File("re.zvt")).status, 0) << in;
      ASSERT_EQ(RunCli(folder, "convert " + in + " " + folder.File("t.json")).status, 0) << in;
      CliRun run = RunCli(folder, "convert " + folder.File("t.json") + " " + folder.File("back.zvt"));
      ASSERT_EQ(run.status, 0) << in << run.err;
      EXPECT_EQ(ReadBytes(folder.File("back.zvt")), ReadBytes(folder.File("re.zvt"))) << in;
      ++files;
    }
  EXPECT_GE(files, 15);
  // check and solve take the text form as they take the task file.
  EXPECT_EQ(RunCli(folder, "check " + folder.File("t.json")).out,
            RunCli(folder, "check " + folder.File("back.zvt")).out);
}

TEST(CliConvert, MalformedTextFormIsReportedAtItsLineAndColumn) {
  TempFolder folder;
  const std::string bad = "{\"format\": \"zorvat-task\",\n \"version\": 1,\n \"figure\": {\"width\": 0}}";
  WriteBytes(folder.File("bad.json"), std::vector<std::uint8_t>(bad.begin(), bad.end()));
  WriteBytes(folder.File("out.zvt"), {9, 9});
  CliRun run = RunCli(folder, "convert " + folder.File("bad.json") + " " + folder.File("out.zvt"));
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err,
            "zorvat-cli: the task file is damaged: " + folder.File("bad.json") +
                ":3:22: \"width\" is out of range\nОшибка в файле задачи: " + folder.File("bad.json") + "\n");
  EXPECT_EQ(ReadBytes(folder.File("out.zvt")), (std::vector<std::uint8_t>{9, 9}));
  run = RunCli(folder, "convert " + folder.File("bad.json") + " " + folder.File("out.txt"));
  EXPECT_NE(run.err.find("OUT must end in .zvt or .json"), std::string::npos);
}

// solve --foldable on the ring example (one solution flat, four moving the
// closed ring): the totals, one "fold" entry per shown solution, and the
// marks before the shown solutions in the text report.
TEST(CliSolve, FoldableChecksEveryStoredSolution) {
  TempFolder folder;
  const std::string ring = std::string(ZORVAT_SOURCE_ROOT) + "/examples/hinge_ring.zvt";
  CliRun run = RunCli(folder, "solve " + ring + " --foldable --show 2 --threads 2 --json");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find(R"("fold":["foldable","not_checked"])"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find(R"("foldTotals":{"foldable":1,"not_found":0,"not_checked":4})"), std::string::npos);
  run = RunCli(folder, "solve " + ring + " --foldable --show 2");
  EXPECT_NE(run.out.find("foldable: 1 of 5 (no motion found: 0, not checked: 4)"), std::string::npos);
  EXPECT_NE(run.out.find("fold: not checked (closed cycle of hinges)"), std::string::npos) << run.out;
}

}  // namespace
}  // namespace zv
