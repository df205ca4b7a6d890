// zorvat-cli by work units, run as a program: a run split into parts and
// merged, and a run stopped and resumed from its checkpoint again and again,
// print what the one-machine run prints; missing, doubled, foreign and
// damaged part files are named and nothing is merged. Solve and merge write
// the same result file; SIGUSR1 writes the checkpoint of a run that goes on.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <thread>

#include "run/result_file.h"
#include "run/unit_file.h"
#include "storage/task_file.h"
#include "tests/support/task_builder.h"
#include "tests/support/temp_folder.h"

namespace zv {
namespace {

using test::TempFolder;

struct CliRun {
  int status = -1;
  std::string out, err;
};

CliRun Cli(const TempFolder& folder, const std::string& args, const std::string& prefix = "") {
  const std::string out = folder.File("stdout.txt"), err = folder.File("stderr.txt");
  const std::string command = prefix + std::string(ZORVAT_CLI_PATH) + " " + args + " >" + out + " 2>" + err;
  const int raw = std::system(command.c_str());
  const auto text = [](const std::string& path) {
    const std::vector<std::uint8_t> bytes = test::ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
  };
  return CliRun{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, text(out), text(err)};
}

std::string Example(const std::string& file) {
  return std::string(ZORVAT_SOURCE_DIR_DEFAULT) + "/examples/" + file;
}

// The report without its time, which differs from run to run.
std::string Timeless(const std::string& report) {
  return std::regex_replace(report, std::regex("time: [0-9.]+ s\n|\"seconds\":[0-9.]+,"), "");
}

TEST(SplitCli, MergedPartsPrintWhatSolvePrints) {
  TempFolder folder;
  const std::string box10 = Example("pentominoes_2x3x10.zvt");
  const CliRun whole = Cli(folder, "solve " + box10 + " --threads 1 --show 2");
  ASSERT_EQ(whole.status, 0) << whole.err;
  const CliRun wholeJson = Cli(folder, "solve " + box10 + " --show 1 --json");
  for (int parts : {1, 2, 7}) {
    std::string files;
    for (int k = 1; k <= parts; ++k) {
      const std::string part = folder.File("p" + std::to_string(k) + "of" + std::to_string(parts));
      const CliRun run = Cli(folder, "solve " + box10 + " --threads 2 --part " + std::to_string(k) + "/" +
                                         std::to_string(parts) + " --out " + part);
      ASSERT_EQ(run.status, 0) << run.err;
      files += " " + part;
    }
    const CliRun merged = Cli(folder, "merge " + box10 + files + " --show 2");
    EXPECT_EQ(merged.status, 0) << merged.err;
    EXPECT_EQ(Timeless(merged.out), Timeless(whole.out)) << parts << " parts";
    const CliRun json = Cli(folder, "merge " + box10 + files + " --show 1 --json");
    EXPECT_EQ(Timeless(json.out), Timeless(wholeJson.out)) << parts << " parts";
  }

  const std::string p1 = folder.File("p1of7"), p2 = folder.File("p2of7"), rest = [&] {
    std::string files;
    for (int k = 3; k <= 7; ++k) files += " " + folder.File("p" + std::to_string(k) + "of7");
    return files;
  }();
  const std::string pair = folder.File("pair.zvt");
  TaskState other = test::MakeTask({"##"}, {{"##"}});
  test::SetLink(other, 1, 0, AxisX);
  test::WriteBytes(pair, BuildTaskImage(other));
  const std::string cut = folder.File("cut");
  std::vector<std::uint8_t> bytes = test::ReadBytes(p2);
  bytes.resize(bytes.size() / 2);
  test::WriteBytes(cut, bytes);
  const struct {
    std::string args;
    std::string says;
  } refusals[] = {
      {"merge " + box10 + " " + p2 + rest, "missing part 1/7"},
      {"merge " + box10 + " " + p1 + " " + p2 + " " + p2 + rest,
       "part 2/7 is given twice: " + p2 + " and " + p2},
      {"merge " + box10 + " " + p1 + " " + cut + rest, cut + ": the file is damaged"},
      {"merge " + pair + " " + p1 + " " + p2 + rest, p1 + ": it belongs to another task"},
      {"merge " + box10 + " " + p1 + " " + p2 + rest + " " + folder.File("p1of2"),
       "of a run with the reduced"},
      {"solve " + pair + " --resume " + p1, "it belongs to another task"},
      {"merge " + box10 + " " + p1, "missing part 2/7, part 3/7, part 4/7, part 5/7, part 6/7 and 1 more"},
  };
  for (const auto& refusal : refusals) {
    const CliRun run = Cli(folder, refusal.args);
    EXPECT_EQ(run.status, 2) << refusal.args;
    EXPECT_EQ(run.out, "") << refusal.args;
    EXPECT_NE(run.err.find(refusal.says), std::string::npos) << refusal.args << "\n" << run.err;
  }
}

TEST(SplitCli, ResumedRunsEndWithTheUninterruptedResult) {
  TempFolder folder;
  const std::string box10 = Example("pentominoes_2x3x10.zvt"), checkpoint = folder.File("run.zvu");
  const CliRun whole = Cli(folder, "solve " + box10 + " --show 3");
  // Each stop comes at the first refresh, a thousand calls in; a few stops
  // in a row, then the run to its end.
  CliRun run = Cli(folder, "solve " + box10 + " --threads 1 --time-limit 0 --checkpoint " + checkpoint);
  EXPECT_EQ(run.status, 4) << run.err;
  for (int stop = 0; stop < 3; ++stop) {
    run = Cli(folder, "solve " + box10 + " --threads 1 --time-limit 0 --resume " + checkpoint);
    EXPECT_EQ(run.status, 4) << run.err;
  }
  // A resume the memory limit ends before it starts keeps the checkpoint.
  run = Cli(folder, "solve " + box10 + " --memory-limit 1 --resume " + checkpoint);
  EXPECT_EQ(run.status, 3) << run.err;
  run = Cli(folder, "solve " + box10 + " --every 0 --resume " + checkpoint + " --show 3");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Timeless(run.out), Timeless(whole.out));

  // A stop signal writes the checkpoint too, and the run goes on from it.
  const std::string box = Example("pentominoes_3x4x5.zvt");
  const std::string boxCheckpoint = folder.File("box.zvu");
  run =
      Cli(folder, "solve " + box + " --checkpoint " + boxCheckpoint, "timeout --preserve-status -s TERM 1 ");
  EXPECT_EQ(run.status, 5) << run.err;
  run = Cli(folder, "solve " + box + " --time-limit 0.2 --resume " + boxCheckpoint);
  EXPECT_EQ(run.status, 4) << run.err;
  run = Cli(folder, "solve " + box + " --engine fast --resume " + boxCheckpoint);
  EXPECT_EQ(run.status, 2) << run.err;
}

// A part file resumed is a part run, whatever the arguments say: its report
// is a part's, and it makes no result file; only the merge of its parts does.
TEST(SplitCli, APartFileResumesAsAPart) {
  TempFolder folder;
  const std::string star = Example("diagonal_star.zvt"), part = folder.File("p2.zvu"),
                    result = folder.File("r.zvr");
  ASSERT_EQ(Cli(folder, "solve " + star + " --part 2/3 --out " + part).status, 0);
  const CliRun resumed = Cli(folder, "solve " + star + " --resume " + part);
  EXPECT_EQ(resumed.status, 0) << resumed.err;
  EXPECT_EQ(resumed.out.find("part: 2 of 3\n"), 0u) << resumed.out;
  EXPECT_NE(resumed.out.find("written: " + part + "\n"), std::string::npos) << resumed.out;
  const CliRun withResult = Cli(folder, "solve " + star + " --resume " + part + " --result " + result);
  EXPECT_EQ(withResult.status, 2);
  EXPECT_NE(withResult.err.find("holds part 2/3; a part is no whole run"), std::string::npos)
      << withResult.err;
  EXPECT_FALSE(std::filesystem::exists(result));
}

// Outputs that would destroy an input or each other, a part file beside a
// checkpoint, and more parts than the run has units are refused before
// anything is written; the files named stay as they were.
TEST(SplitCli, ClashingOutputsAndTooManyPartsAreRefused) {
  TempFolder folder;
  const std::string task = folder.File("t.zvt"), link = folder.File("link.zvt"), p1 = folder.File("p1"),
                    p2 = folder.File("p2"), huge = folder.File("huge");
  std::filesystem::copy_file(Example("diagonal_star.zvt"), task);
  std::filesystem::create_symlink("t.zvt", link);
  for (const char* k : {"1", "2"})
    ASSERT_EQ(Cli(folder, "solve " + task + " --part " + k + "/2 --out " + folder.File(std::string("p") + k))
                  .status,
              0);
  // A part file of a split into more parts than units, as an older program wrote them.
  UnitFile many;
  ASSERT_EQ(ReadUnitFile(p1, many), UnitFileStatus::Ok);
  many.parts = 1000000;
  many.results.resize(1);
  ASSERT_TRUE(WriteUnitFile(huge, many));
  const std::string units = std::to_string(many.cut.unitCount), c = folder.File("c"),
                    sameC = (folder.Path() / "." / "c").string(), part = folder.File("P"),
                    checkpoint = folder.File("C");
  const struct {
    std::string args;
    std::string says;
  } refusals[] = {
      {"solve " + task + " --result " + task, "--result " + task + " is the task file " + task + " itself"},
      {"solve " + task + " --checkpoint " + link, "--checkpoint " + link + " is the task file"},
      {"solve " + task + " --checkpoint " + c + " --result " + sameC,
       "--checkpoint " + c + " and --result " + sameC + " are one file"},
      {"solve " + task + " --resume " + p1 + " --result " + p1, "are one file"},
      {"merge " + task + " " + p1 + " " + p2 + " --result " + p2, "--result " + p2 + " is the part file"},
      {"export " + task + " --solution 1 --format stl " + link, "the output " + link + " is the task file"},
      {"rewrite " + task + " " + link, "the output " + link + " is the task file"},
      {"convert " + task + " " + link, "the output " + link + " is the task file"},
      {"solve " + task + " --part 1/3 --out " + part + " --checkpoint " + checkpoint,
       "--out names the file of a new part"},
      {"solve " + task + " --part 1/" + std::to_string(many.cut.unitCount + 1) + " --out " + part,
       "the run has " + units + " work units"},
      {"merge " + task + " " + huge,
       "of a run of " + units + " work units, which makes at most " + units + " parts"},
  };
  const std::vector<std::uint8_t> taskBytes = test::ReadBytes(task), p1Bytes = test::ReadBytes(p1),
                                  p2Bytes = test::ReadBytes(p2);
  for (const auto& refusal : refusals) {
    const CliRun run = Cli(folder, refusal.args);
    EXPECT_EQ(run.status, 2) << refusal.args;
    EXPECT_NE(run.err.find(refusal.says), std::string::npos) << refusal.args << "\n" << run.err;
    EXPECT_LT(run.err.size(), 1000u) << refusal.args;
  }
  EXPECT_EQ(test::ReadBytes(task), taskBytes);
  EXPECT_EQ(test::ReadBytes(p1), p1Bytes);
  EXPECT_EQ(test::ReadBytes(p2), p2Bytes);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  for (const std::string& made : {c, part, checkpoint}) EXPECT_FALSE(std::filesystem::exists(made)) << made;
}

// A checkpoint or part that cannot be written at the end throws nothing
// away: the counts are printed, then the failure with its reason, status 2,
// and no "written:" line.
TEST(SplitCli, CountsArePrintedWhenTheLastCheckpointCannotBeWritten) {
  TempFolder folder;
  const std::string star = Example("diagonal_star.zvt"), box = Example("pentominoes_3x4x5.zvt"),
                    checkpoint = folder.File("ck.zvu"), nowhere = folder.File("none/ck.zvu");
  ASSERT_EQ(Cli(folder, "solve " + star + " --checkpoint " + checkpoint).status, 0);
  const struct {
    std::string args;
    std::string counts;
  } rows[] = {
      {"solve " + star + " --checkpoint " + nowhere + " --every 0", "solutions: 9\n"},
      {"solve " + star + " --resume " + checkpoint + " --checkpoint " + nowhere, "solutions: 9\n"},
      {"solve " + star + " --part 1/2 --out " + nowhere, "part: 1 of 2\n"},
      {"solve " + box + " --threads 1 --time-limit 0 --checkpoint " + nowhere, "stopped\n"},
  };
  for (const auto& row : rows) {
    const CliRun run = Cli(folder, row.args);
    EXPECT_EQ(run.status, 2) << row.args;
    EXPECT_NE(run.out.find(row.counts), std::string::npos) << row.args << "\n" << run.out;
    EXPECT_EQ(run.out.find("written"), std::string::npos) << row.args << "\n" << run.out;
    EXPECT_NE(run.err.find("cannot write the file: " + nowhere + ": no such folder\n"), std::string::npos)
        << row.args << "\n"
        << run.err;
  }
}

TEST(SplitCli, SolveAndMergeWriteTheSameResultFile) {
  TempFolder folder;
  const std::string box10 = Example("pentominoes_2x3x10.zvt"), solved = folder.File("solved.zvr"),
                    merged = folder.File("merged.zvr");
  const CliRun whole = Cli(folder, "solve " + box10 + " --result " + solved);
  ASSERT_EQ(whole.status, 0) << whole.err;
  for (const char* k : {"1", "2"})
    ASSERT_EQ(Cli(folder, "solve " + box10 + " --part " + k + "/2 --out " + folder.File(k)).status, 0);
  EXPECT_EQ(
      Cli(folder, "merge " + box10 + " " + folder.File("1") + " " + folder.File("2") + " --result " + merged)
          .status,
      0);
  EXPECT_EQ(test::ReadBytes(merged), test::ReadBytes(solved));
  ResultFile file;
  ASSERT_EQ(ReadResultFile(solved, file), ResultFileStatus::Ok);
  EXPECT_EQ(file.stats.solutionCount, 12);

  // A result file that cannot be written: the report all the same, then
  // the failure, and status 2; a part takes no result file.
  const CliRun unwritable = Cli(folder, "solve " + box10 + " --result " + folder.Path().string());
  EXPECT_EQ(unwritable.status, 2);
  EXPECT_EQ(unwritable.out, whole.out.substr(0, whole.out.find("time:")) +
                                unwritable.out.substr(unwritable.out.find("time:")));
  EXPECT_NE(unwritable.err.find("cannot write the file: " + folder.Path().string()), std::string::npos);
  EXPECT_EQ(Cli(folder, "solve " + box10 + " --part 1/2 --out p --result r").status, 2);
}

// The twelve pentominoes in their 3 x 4 x 5 box grown by a layer of spare
// cells: a search of hours on any machine.
TaskState LongTask() {
  TaskState task;
  EXPECT_EQ(ReadTaskFile(Example("pentominoes_3x4x5.zvt"), task), ReadResult::Ok);
  const int top = task.form.FormHeight++;
  for (int y = 0; y < task.form.FormDepth; ++y)
    for (int x = 0; x < task.form.FormWidth; ++x) task.form.At(FormCellIndex(x, y, top)) = 1;
  task.EmptyCells = true;
  return task;
}

// Whether process `pid` has a handler for `signal` (Linux's /proc).
bool Catches(pid_t pid, int signal) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("SigCgt:", 0) == 0) return (std::stoull(line.substr(7), nullptr, 16) >> (signal - 1)) & 1;
  return false;
}

template <class Condition>
bool WaitFor(Condition condition) {
  for (int i = 0; i < 6000 && !condition(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(20));
  return condition();
}

TEST(SplitCli, Sigusr1WritesTheCheckpointAndTheRunGoesOn) {
  TempFolder folder;
  const std::string task = folder.File("long.zvt"), checkpoint = folder.File("run.zvu");
  test::WriteBytes(task, BuildTaskImage(LongTask()));
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  std::vector<std::string> words{ZORVAT_CLI_PATH, "solve",   task, "--threads", "1",
                                 "--checkpoint",  checkpoint};
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  ASSERT_EQ(posix_spawn(&pid, ZORVAT_CLI_PATH, &actions, nullptr, argv.data(), environ), 0);
  posix_spawn_file_actions_destroy(&actions);

  // Asked once the run can take it, the checkpoint appears while the run goes on.
  EXPECT_TRUE(WaitFor([&] { return Catches(pid, SIGUSR1); }));
  kill(pid, SIGUSR1);
  EXPECT_TRUE(WaitFor([&] { return std::filesystem::exists(checkpoint); }));
  EXPECT_EQ(waitpid(pid, nullptr, WNOHANG), 0) << "the run ended";
  UnitFile file;
  EXPECT_EQ(ReadUnitFile(checkpoint, file), UnitFileStatus::Ok);
  kill(pid, SIGTERM);
  int raw = 0;
  ASSERT_EQ(waitpid(pid, &raw, 0), pid);
  EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 5) << raw;
}

// A resumed run's time counts every stretch: the time its checkpoint holds
// (set by hand to two hours, far past what the run takes) comes first, in
// the report and in the checkpoint written back.
TEST(SplitCli, AResumedRunCountsTheTimeItsCheckpointHolds) {
  TempFolder folder;
  const std::string task = Example("diagonal_star.zvt"), checkpoint = folder.File("c.zvu");
  ASSERT_EQ(Cli(folder, "solve " + task + " --checkpoint " + checkpoint).status, 0);
  UnitFile file;
  ASSERT_EQ(ReadUnitFile(checkpoint, file), UnitFileStatus::Ok);
  constexpr std::uint64_t kTwoHoursMs = 2 * 3600 * 1000;
  file.elapsedMs = kTwoHoursMs;
  ASSERT_TRUE(WriteUnitFile(checkpoint, file));
  const CliRun resumed = Cli(folder, "solve " + task + " --resume " + checkpoint + " --json");
  ASSERT_EQ(resumed.status, 0) << resumed.err;
  std::smatch seconds;
  ASSERT_TRUE(std::regex_search(resumed.out, seconds, std::regex("\"seconds\":([0-9.]+)"))) << resumed.out;
  EXPECT_GE(std::stod(seconds[1]), 7200.0);
  EXPECT_LT(std::stod(seconds[1]), 7200.0 + 600);
  ASSERT_EQ(ReadUnitFile(checkpoint, file), UnitFileStatus::Ok);
  EXPECT_GE(file.elapsedMs, kTwoHoursMs);
}

}  // namespace
}  // namespace zv
