// zorvat-cli merge TASK.zvt PART... [--show N|all] [--json] [--memory-limit MB]
// [--result FILE]:
// reads the part files that `solve --part K/N --out PART` wrote, checks that
// they belong to the task, share one engine, cut and N, and hold every part
// once and whole (naming a missing, doubled or unfinished part, or the first
// few missing and how many more, and merging nothing then), merges them in unit order and prints exactly what
// `solve` prints for the same run on one machine, and with --result writes the merged run's result file as
// `solve --result` does.
#include <algorithm>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/result_files.h"
#include "cli/solve_report.h"
#include "cli/unit_files.h"
#include "model/validation.h"
#include "platform/ticks.h"
#include "solver/progress.h"
#include "solver/solver.h"

namespace zv::cli {
namespace {

struct MergeArguments {
  std::string task;
  std::vector<std::string> parts;
  ReportOptions report;
  std::size_t memoryLimit = 0;
  std::string result;
};

std::optional<Failure> ParseMerge(const Command& self, Arguments args, MergeArguments& out) {
  const auto wrong = [&](std::string detail) { return ArgumentFailure(std::move(detail), UsageLine(self)); };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    if ((word == "--show" || word == "--memory-limit" || word == "--result") && i + 1 == args.size())
      return wrong(word + " needs a value");
    long long count = 0;
    if (word == "--json") {
      out.report.json = true;
    } else if (word == "--show") {
      if (!ParseShow(args[++i], out.report))
        return wrong("--show expects a count or 'all', not '" + args[i] + "'");
    } else if (word == "--result") {
      out.result = args[++i];
    } else if (word == "--memory-limit") {
      if (!ParseCount(args[++i], count) || count == 0 || count > (1LL << 30))
        return wrong("--memory-limit expects megabytes (a whole number from 1), not '" + args[i] + "'");
      out.memoryLimit = static_cast<std::size_t>(count) << 20;
    } else if (word.size() > 1 && word[0] == '-') {
      return wrong("unknown option '" + word + "'");
    } else if (out.task.empty()) {
      out.task = word;
    } else {
      out.parts.push_back(word);
    }
  }
  if (out.parts.empty()) return wrong("'merge' takes the task file and its part files");
  return std::nullopt;
}

Failure Incomplete(std::string why) { return Failure(FailureKind::IncompleteParts, std::move(why)); }

std::string PartName(int part, int parts) {
  return "part " + std::to_string(part) + "/" + std::to_string(parts);
}

// Reads every part file into `job` (a merge of all units), after checking
// that together they make one whole run.
std::optional<Failure> CollectParts(const MergeArguments& words, const TaskState& task, UnitJob& job,
                                    SolveEngine& engine) {
  std::map<int, std::string> seen;  // part number -> its file
  int parts = 0;
  for (const std::string& path : words.parts) {
    UnitFile file;
    if (auto failure = LoadUnitFile(path, task, file)) return failure;
    if (seen.empty()) {
      parts = file.parts;
      engine = file.engine;
      job.expectedCut = file.cut;
      job.haveExpectedCut = true;
    } else if (file.parts != parts || file.engine != engine || !(file.cut == job.expectedCut)) {
      return Incomplete(path + " is " + PartName(file.part, file.parts) + " of a run with the " +
                        EngineName(file.engine) + " engine, not of the run of " + seen.begin()->second);
    }
    if (file.parts > 1 && static_cast<std::uint32_t>(file.parts) > file.cut.unitCount)
      return Incomplete(path + " is " + PartName(file.part, file.parts) + " of a run of " +
                        std::to_string(file.cut.unitCount) + " work units, which makes at most " +
                        std::to_string(std::max<std::uint32_t>(file.cut.unitCount, 1)) + " parts");
    if (auto [at, fresh] = seen.emplace(file.part, path); !fresh)
      return Incomplete(PartName(file.part, parts) + " is given twice: " + at->second + " and " + path);
    std::uint32_t units = 0;
    UnitJob scope;
    scope.part = file.part;
    scope.parts = file.parts;
    for (std::uint32_t u = 0; u < file.cut.unitCount; ++u) units += scope.InPart(u) ? 1 : 0;
    if (file.results.size() != units)
      return Incomplete(path + " (" + PartName(file.part, parts) +
                        ") is unfinished: " + std::to_string(file.results.size()) + " of " +
                        std::to_string(units) + " units done; resume it with solve --resume");
    job.done.insert(job.done.end(), file.results.begin(), file.results.end());
  }
  // A few missing parts by name, the rest counted.
  constexpr int kNamed = 5;
  std::string missing;
  int count = 0;
  for (int k = 1; k <= parts; ++k)
    if (!seen.contains(k) && count++ < kNamed) missing += (missing.empty() ? "" : ", ") + PartName(k, parts);
  if (count > kNamed) missing += " and " + std::to_string(count - kNamed) + " more";
  if (count > 0) return Incomplete("missing " + missing);
  return std::nullopt;
}

}  // namespace

int RunMerge(const Command& self, Arguments args) {
  MergeArguments words;
  if (auto failure = ParseMerge(self, args, words)) return Report(*failure, WantsJson(args));
  const bool json = words.report.json;
  std::vector<NamedPath> inputs{{"the task file", words.task}};
  for (const std::string& part : words.parts) inputs.push_back({"the part file", part});
  if (!words.result.empty())
    if (auto failure = OutputClash(inputs, std::vector<NamedPath>{{"--result", words.result}}))
      return Report(*failure, json);
  TaskState task;
  Validation v;
  if (auto failure = LoadSolvableTask(words.task, task, v)) return Report(*failure, json);

  ProgressClock clock(SystemTicks());
  clock.Start();
  UnitJob job;
  job.mergeOnly = true;
  SolveEngine engine = SolveEngine::Reduced;
  if (auto failure = CollectParts(words, task, job, engine)) return Report(*failure, json);
  Solver solver;
  QuietObserver quiet;
  RunEnd run;
  run.outcome = solver.SolveUnits(task, v.links, quiet, SolveOptions{words.memoryLimit, engine, 1}, job);
  run.elapsedMs = clock.ElapsedMs();
  if (run.outcome == SolveOutcome::Refused) return Report(UnitCheckFailure(job.check, words.parts[0]), json);
  return FinishRun(task, v, solver, engine, run, words.report, words.result);
}

}  // namespace zv::cli
