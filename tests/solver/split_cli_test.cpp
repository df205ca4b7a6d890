// zorvat-cli by work units, run as a program: a run split into parts and
// merged, and a run stopped and resumed from its checkpoint again and again,
// print what the one-machine run prints; missing, doubled, foreign and
// damaged part files are named and nothing is merged.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <regex>

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

}  // namespace
}  // namespace zv
