// zorvat-cli solve run as a program: its lines, the solution grids, the JSON
// object, stopping by time limit and by SIGINT, SIGTERM and SIGHUP, and the
// exit statuses 1 to 6; --stop-after and --verdict; explore with its
// written variants, parts, checkpoints and stop.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <regex>
#include <set>
#include <sstream>

#include "storage/json_document.h"
#include "storage/task_file.h"
#include "tests/support/json_check.h"
#include "tests/support/task_builder.h"
#include "tests/support/temp_folder.h"

namespace zv {
namespace {

using test::MakeTask;
using test::SetLink;
using test::TempFolder;

struct CliRun {
  int status = -1;
  std::string out, err;
};

std::string Slurp(const std::string& path) {
  const std::vector<std::uint8_t> bytes = test::ReadBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

// Runs `prefix zorvat-cli solve args` with both streams captured in files.
CliRun Solve(const TempFolder& folder, const std::string& args, const std::string& prefix = "") {
  const std::string out = folder.File("stdout.txt"), err = folder.File("stderr.txt");
  const std::string command =
      prefix + std::string(ZORVAT_CLI_PATH) + " solve " + args + " >" + out + " 2>" + err;
  const int raw = std::system(command.c_str());
  return CliRun{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Slurp(out), Slurp(err)};
}

std::string Save(const TempFolder& folder, const std::string& name, const TaskState& task) {
  const std::string path = folder.File(name);
  test::WriteBytes(path, BuildTaskImage(task));
  return path;
}

TaskState AxisPair() {
  TaskState task = MakeTask({"##"}, {{"##"}});
  SetLink(task, 1, 0, AxisX);
  return task;
}

std::string Example(const std::string& file) {
  return std::string(ZORVAT_SOURCE_DIR_DEFAULT) + "/examples/" + file;
}

TEST(SolveCli, PrintsTheCountersOneALine) {
  TempFolder folder;
  const CliRun run = Solve(folder, Save(folder, "pair.zvt", AxisPair()));
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(std::regex_match(
      run.out, std::regex("solutions: 1\nassignments: 32\ndead ends: 0\ntime: [0-9]+\\.[0-9]{3} s\n")))
      << run.out;
  EXPECT_EQ(run.err, "");
}

TEST(SolveCli, ShowsSolutionsLayerByLayerRightAligned) {
  // A rigid rod of ten cubes in a form of eleven cells over two layers.
  TaskState task = MakeTask({"##########"}, {{"##########"}, {"#........."}});
  for (int x = 1; x < 10; ++x) SetLink(task, x, 0, RigidX);
  task.EmptyCells = true;
  TempFolder folder;
  const CliRun run = Solve(folder, Save(folder, "rod.zvt", task) + " --show all");
  EXPECT_EQ(run.status, 0);
  const std::string up = " 1  2  3  4  5  6  7  8  9 10", down = "10  9  8  7  6  5  4  3  2  1";
  const std::string tail = "\n\n _  .  .  .  .  .  .  .  .  .\n";
  const std::size_t at = run.out.find("\nsolution 1:\n");
  ASSERT_NE(at, std::string::npos) << run.out;
  const std::string shown = run.out.substr(at + 13);
  EXPECT_TRUE(shown == up + tail || shown == down + tail) << shown;
  EXPECT_NE(run.out.find("solutions: 1\n"), std::string::npos);
}

TEST(SolveCli, ShowCountLimitsTheGrids) {
  TaskState gap = MakeTask({"##"}, {{"###"}});
  gap.EmptyCells = true;
  TempFolder folder;
  const std::string path = Save(folder, "gap.zvt", gap);
  EXPECT_EQ(Solve(folder, path + " --show 1").out.find("solution 2:"), std::string::npos);
  EXPECT_NE(Solve(folder, path + " --show 5").out.find("solution 2:"), std::string::npos);
  EXPECT_EQ(Solve(folder, path).out.find("solution 1:"), std::string::npos);
}

TEST(SolveCli, JsonIsOneObjectWithTheShownCubes) {
  TempFolder folder;
  const CliRun run = Solve(folder, "--json --engine fast --show all " + Save(folder, "pair.zvt", AxisPair()));
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(std::regex_match(
      run.out, std::regex("\\{\"solutions\":1,\"found\":1,\"foundAtLeast\":false,\"assignments\":32,"
                          "\"assignmentsAtLeast\":false,\"deadEnds\":0,"
                          "\"searchCalls\":41,"
                          "\"seconds\":[0-9]+\\.[0-9]{3},\"stopped\":false,\"outOfMemory\":false,"
                          "\"outcome\":\"complete\",\"stop_reason\":null,"
                          "\"shown\":\\[\\[\\{\"x\":0,\"y\":0,\"z\":0,\"cube\":[12],\"rotation\":[0-9]+\\},"
                          "\\{\"x\":1,\"y\":0,\"z\":0,\"cube\":[12],\"rotation\":[0-9]+\\}\\]\\]\\}\n")))
      << run.out;
}

// The 3x4x5 box takes far longer than any of these stops, so every run is
// cut short. A signal comes from `timeout`, which keeps the program's status.
TEST(SolveCli, TimeLimitAndStopSignalsStopKeepingTheCounts) {
  TempFolder folder;
  const std::string box = Example("pentominoes_3x4x5.zvt");
  // clang-format off
  const struct {
    const char* prefix;
    const char* options;
    int status;
    const char* reason;  // "stop_reason"
    const char* signal;  // "signal", "" when absent
    const char* note;    // what stderr says stopped the run
  } stops[] = {
      {"",                                           " --time-limit 0.3", 4, "time_limit", "",        "the time limit"},
      {"timeout --preserve-status -s INT 0.5 ",  "",                  5, "signal",     "SIGINT",  "SIGINT"},
      {"timeout --preserve-status -s TERM 0.5 ", "",                  5, "signal",     "SIGTERM", "SIGTERM"},
      {"timeout --preserve-status -s HUP 0.5 ",  "",                  5, "signal",     "SIGHUP",  "SIGHUP"},
  };
  // clang-format on
  for (const auto& stop : stops) {
    const std::string note = std::string("zorvat-cli: stopped by ") + stop.note + ";";
    const CliRun lines = Solve(folder, box + stop.options, stop.prefix);
    EXPECT_EQ(lines.status, stop.status) << stop.note;
    EXPECT_TRUE(std::regex_search(lines.out, std::regex("^solutions: [0-9]+\n(.*\n){3}stopped\n$")))
        << stop.note << "\n"
        << lines.out;
    EXPECT_NE(lines.err.find(note), std::string::npos) << stop.note << "\n" << lines.err;

    const CliRun json = Solve(folder, box + stop.options + " --json", stop.prefix);
    EXPECT_EQ(json.status, stop.status) << stop.note;
    const auto members = test::ParseJsonObject(json.out);
    ASSERT_TRUE(members) << stop.note << "\n" << json.out;
    const auto member = [&](const char* key) {
      const auto found = members->find(key);
      return found == members->end() ? std::string() : found->second;  // no JSON value is ""
    };
    EXPECT_EQ(member("stopped"), "true") << stop.note;
    EXPECT_EQ(member("outOfMemory"), "false") << stop.note;
    EXPECT_EQ(member("outcome"), "\"stopped\"") << stop.note;
    EXPECT_EQ(member("stop_reason"), '"' + std::string(stop.reason) + '"') << stop.note;
    EXPECT_EQ(member("signal"), *stop.signal ? '"' + std::string(stop.signal) + '"' : std::string())
        << stop.note;
  }
}

TEST(SolveCli, ExitStatusesForRefusedUnreadableWrongAndOutOfMemory) {
  TempFolder folder;
  const CliRun refused = Solve(folder, Save(folder, "one.zvt", MakeTask({"#"}, {{"#"}})));
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.out, "");
  EXPECT_EQ(refused.err,
            "zorvat-cli: the task cannot be solved as drawn: the figure has fewer than 2 cubes\n"
            "В исходной фигуре меньше 2 кубиков\n");

  const CliRun missing = Solve(folder, folder.File("none.zvt"));
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.err.find(folder.File("none.zvt")), std::string::npos);

  const std::string pair = Save(folder, "pair.zvt", AxisPair());
  for (const char* wrong : {" --show", " --show -1", " --show many", " --memory-limit 0", " --memory-limit x",
                            " --time-limit -2", " --time-limit soon", " --colour", " second.zvt"}) {
    const CliRun run = Solve(folder, pair + wrong);
    EXPECT_EQ(run.status, 2) << wrong;
    EXPECT_EQ(run.out, "") << wrong;
    EXPECT_NE(run.err, "") << wrong;
  }
  EXPECT_EQ(Solve(folder, "").status, 2);

  // One megabyte is less than one block of the solver's pool.
  const CliRun starved = Solve(folder, pair + " --memory-limit 1");
  EXPECT_EQ(starved.status, 3);
  EXPECT_NE(starved.err.find("zorvat-cli: not enough memory: "), std::string::npos) << starved.err;
  EXPECT_NE(starved.out.find("solutions: 0\n"), std::string::npos);
  EXPECT_NE(starved.out.find("stopped\n"), std::string::npos);
}

}  // namespace
}  // namespace zv

namespace zv {
namespace {

// --stop-after ends with its own status and stop reason; --verdict prints
// the word and exits 0 once the verdict is settled.
TEST(SolveCli, StopAfterAndVerdict) {
  TempFolder folder;
  const std::string star = Example("diagonal_star.zvt");  // 9 solutions
  CliRun run = Solve(folder, star + " --stop-after 3 --json");
  EXPECT_EQ(run.status, 6);
  EXPECT_NE(run.out.find("\"solutions\":3,"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\"stop_reason\":\"stop_after\""), std::string::npos) << run.out;
  EXPECT_EQ(Solve(folder, star + " --stop-after 20").status, 0);
  struct Case {
    std::string file, verdict;
  };
  TaskState corner = MakeTask({"##", "#."}, {{"###"}});  // a rigid L in a straight row
  SetLink(corner, 1, 0, RigidX);
  SetLink(corner, 0, 1, RigidY);
  for (const Case& c : {Case{star, "several\n"}, Case{Example("snake_cube.zvt"), "unique\n"},
                        Case{Save(folder, "none.zvt", corner), "none\n"}}) {
    run = Solve(folder, c.file + " --verdict --threads 2");
    EXPECT_EQ(run.status, 0) << c.file;
    EXPECT_EQ(run.out, c.verdict) << c.file;
  }
  // Without --verdict a task with none says why.
  run = Solve(folder, folder.File("none.zvt") + " --json");
  EXPECT_NE(run.out.find("\"reason\":{\"code\":\"block_fits_nowhere\""), std::string::npos) << run.out;
  EXPECT_NE(Solve(folder, folder.File("none.zvt")).out.find("why: the block of cubes 1-3 fits nowhere"),
            std::string::npos);
  EXPECT_EQ(Solve(folder, star + " --verdict --stop-after 2").status, 2);
  EXPECT_EQ(Solve(folder, star + " --stop-after 0").status, 2);
}

}  // namespace
}  // namespace zv

namespace zv {
namespace {

// `zorvat-cli ARGS` with stdout and stderr captured.
CliRun RunCli(const TempFolder& folder, const std::string& args, const std::string& prefix = "") {
  const std::string out = folder.File("stdout.txt"), err = folder.File("stderr.txt");
  const std::string command = prefix + std::string(ZORVAT_CLI_PATH) + " " + args + " >" + out + " 2>" + err;
  const int raw = std::system(command.c_str());
  return CliRun{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Slurp(out), Slurp(err)};
}

// The report without its times, which differ from run to run.
std::string WithoutTimes(const std::string& report) {
  return std::regex_replace(report, std::regex("[0-9]+\\.[0-9]{3} s"), "T");
}

// explore: each written variant's full solve gives the line's verdict; the
// parts of a split list merge into the one-machine report, and a resumed
// checkpoint ends in it too; a stop signal stops with status 5 and keeps
// the variants done.
TEST(ExploreCli, WrittenVariantsPartsResumeAndStop) {
  TempFolder folder;
  const std::string ring = Example("hinge_ring.zvt");
  const CliRun whole = RunCli(folder, "explore " + ring + " --threads 2 --write " + folder.File("v"));
  ASSERT_EQ(whole.status, 0) << whole.err;
  std::istringstream lines(whole.out);
  int checked = 0;
  for (std::string line; std::getline(lines, line) && !line.empty(); ++checked) {
    std::smatch m;
    ASSERT_TRUE(
        std::regex_match(line, m, std::regex(R"(\d+\. .*: (\w+), solutions \d, calls \d+, .* s, (.*\.zvt))")))
        << line;
    EXPECT_EQ(RunCli(folder, "solve " + m[2].str() + " --verdict").out, m[1].str() + "\n") << line;
  }
  EXPECT_EQ(checked, 36);

  const std::string plain = WithoutTimes(RunCli(folder, "explore " + ring).out);
  std::string parts;
  for (int k = 1; k <= 3; ++k) {
    const std::string out = folder.File("part" + std::to_string(k) + ".zve");
    EXPECT_EQ(RunCli(folder, "explore " + ring + " --part " + std::to_string(k) + "/3 --out " + out).status,
              0);
    parts += " " + out;
  }
  EXPECT_EQ(WithoutTimes(RunCli(folder, "explore " + ring + " --merge" + parts).out), plain);
  EXPECT_EQ(RunCli(folder, "explore " + ring + " --merge" + parts.substr(0, parts.rfind(' '))).status, 2);

  // A checkpoint with every other result taken out, resumed.
  const std::string checkpoint = folder.File("ring.zve");
  ASSERT_EQ(RunCli(folder, "explore " + ring + " --checkpoint " + checkpoint).status, 0);
  std::istringstream saved(Slurp(checkpoint));
  std::string kept;
  int n = 0;
  for (std::string line; std::getline(saved, line);)
    if (line.rfind("v ", 0) != 0 || n++ % 2 == 0) kept += line + "\n";
  test::WriteBytes(checkpoint, std::vector<std::uint8_t>(kept.begin(), kept.end()));
  EXPECT_EQ(WithoutTimes(RunCli(folder, "explore " + ring + " --resume " + checkpoint).out), plain);
  EXPECT_EQ(RunCli(folder, "explore " + Example("corner_hinges.zvt") + " --resume " + checkpoint).status, 2);

  // The King snake's list takes minutes: a SIGTERM after a second stops it.
  const std::string snake = folder.File("snake.zve");
  const CliRun stopped = RunCli(folder, "explore " + Example("king_snake.zvt") + " --checkpoint " + snake,
                                "timeout --preserve-status -s TERM 1 ");
  EXPECT_EQ(stopped.status, 5) << stopped.err;
  EXPECT_NE(stopped.out.find("\nstopped\n"), std::string::npos);
  EXPECT_EQ(Slurp(snake).rfind("ZVEXPLORE 1\n", 0), 0u);
}

// explore --forms: each variant's verdict in the other form is what a solve
// of the written variant with that form says, and "folds into all" marks and
// counts the variants with solutions in both forms.
TEST(ExploreCli, OtherFormsAreSolvedAndFoldsIntoAllCountsThem) {
  TempFolder folder;
  const TaskState flat = MakeTask({"#"}, {{"###", "###"}});  // a flat 3 x 2 form for the ring's six cubes
  const std::string other = Save(folder, "flat.zvt", flat);
  const CliRun run = RunCli(folder, "explore " + Example("hinge_ring.zvt") + " --forms " + other +
                                        " --json --threads 2 --write " + folder.File("v"));
  ASSERT_EQ(run.status, 0) << run.err;
  const JsonParse json = ParseJson(run.out);
  ASSERT_TRUE(json.ok());
  const JsonValue* variants = json.root.Member("variants");
  ASSERT_NE(variants, nullptr);
  long long intoAll = 0;
  std::set<std::string> otherVerdicts;
  for (const JsonValue& v : variants->items) {
    ASSERT_NE(v.Member("file"), nullptr);  // every variant is valid, so written
    TaskState task;
    ASSERT_EQ(ReadTaskFile(v.Member("file")->text, task), ReadResult::Ok);
    task.form = flat.form;
    task.EmptyCells = flat.EmptyCells;
    const std::string verdict = v.Member("forms")->items.at(0).text;
    EXPECT_EQ(Solve(folder, Save(folder, "other.zvt", task) + " --verdict").out, verdict + "\n");
    const bool both = verdict != "none" && v.Member("verdict")->text != "none";
    EXPECT_EQ(v.Member("foldsIntoAll")->boolean, both) << v.Member("words")->text;
    intoAll += both;
    otherVerdicts.insert(verdict);
  }
  EXPECT_EQ(json.root.Member("foldsIntoAllCount")->integer, intoAll);
  EXPECT_GT(otherVerdicts.size(), 1u);  // the other form tells the variants apart
}

}  // namespace
}  // namespace zv
