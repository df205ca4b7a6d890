// zorvat-cli solve TASK.zvt [--show N|all] [--json] [--memory-limit MB]
// [--time-limit S] [--engine reduced|fast|reference] [--threads N]
// [--checkpoint FILE [--every MIN]] [--resume FILE] [--part K/N --out FILE]
// [--result FILE] [--stop-after N | --verdict]:
// reads and validates the task, runs the solver (the reduced engine, on as
// many threads as the machine has, unless told otherwise) and prints its
// counters, optionally the stored solutions as the form view shows them, as
// lines or as one JSON object (cli/solve_report.h). The time limit or a stop
// signal (SIGINT, SIGTERM, SIGHUP) stops the run and keeps what was found,
// as does the memory limit; each ends with an exit status of its own.
// --stop-after N ends the search once N solutions are stored (the run's
// first N); --verdict stops at the second and prints none, unique or
// several (solver/verdict.h).
//
// With a checkpoint, a resume or a part the run goes by work units
// (solver/work_units.h): the finished units are written to the checkpoint
// (--resume's file unless --checkpoint names another; a new part's --out)
// every MIN minutes, when the run stops and when it ends; --resume goes on
// from them; --part K/N searches part K of N alone and writes its units to
// --out for `merge`. The file resumed decides whether the run is a part:
// a part's report says what was written, and only `merge` makes its parts a
// result. --result writes the run's task, stored solutions and counters to a
// result file the window opens for browsing (cli/result_files.h). An output
// that is an input, or two outputs that are one file, are refused before
// anything runs; the counts of a run are printed even when a file cannot be
// written, and the failure after them.
#include "cli/solve_command.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <functional>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/result_files.h"
#include "cli/solve_report.h"
#include "cli/stop_signals.h"
#include "cli/unit_files.h"
#include "model/validation.h"
#include "platform/ticks.h"
#include "run/checkpoint_policy.h"
#include "solver/progress.h"
#include "solver/solver.h"

namespace zv::cli {
namespace {

struct SolveArguments {
  std::string path;
  ReportOptions report;
  std::size_t memoryLimit = 0;      // bytes, 0 = the solver's default
  std::optional<double> timeLimit;  // seconds
  SolveEngine engine = SolveEngine::Reduced;
  bool engineGiven = false;
  int threads = DefaultThreadCount();
  std::string checkpoint, resume, out, result;
  std::optional<double> everyMinutes;
  int part = 0, parts = 0;  // 0: not a part
  int stopAfter = 0;        // 0: the whole search

  bool ByUnits() const { return !checkpoint.empty() || !resume.empty() || parts != 0; }
};

// "K/N" with 1 <= K <= N <= kMaxParts.
bool ParsePart(const std::string& text, int& part, int& parts) {
  const std::size_t slash = text.find('/');
  long long k = 0, n = 0;
  if (slash == std::string::npos || !ParseCount(text.substr(0, slash), k) ||
      !ParseCount(text.substr(slash + 1), n) || k < 1 || k > n || n > kMaxParts)
    return false;
  part = static_cast<int>(k);
  parts = static_cast<int>(n);
  return true;
}

bool ParseSeconds(const std::string& text, double& value) {
  std::size_t used = 0;
  try {
    value = std::stod(text, &used);
  } catch (const std::exception&) {
    return false;
  }
  return used == text.size() && value >= 0 && value < 1e9;
}

// Fills `out` from the words after "solve"; a wrong or missing value, an
// unknown option or a wrong number of paths gives the failure to report.
std::optional<Failure> ParseArguments(const Command& self, Arguments args, SolveArguments& out) {
  const auto wrong = [&](std::string detail) { return ArgumentFailure(std::move(detail), UsageLine(self)); };
  bool havePath = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    const bool takesValue = word == "--show" || word == "--memory-limit" || word == "--time-limit" ||
                            word == "--engine" || word == "--threads" || word == "--checkpoint" ||
                            word == "--every" || word == "--resume" || word == "--part" || word == "--out" ||
                            word == "--result" || word == "--stop-after";
    if (takesValue && i + 1 == args.size()) return wrong(word + " needs a value");
    long long count = 0;
    if (word == "--json") {
      out.report.json = true;
    } else if (word == "--verdict") {
      out.report.verdict = true;
    } else if (word == "--stop-after") {
      const std::string& value = args[++i];
      if (!ParseCount(value, count) || count == 0 || count > kMaxStoredSolutions)
        return wrong("--stop-after expects a count from 1 to " + std::to_string(kMaxStoredSolutions) +
                     ", not '" + value + "'");
      out.stopAfter = static_cast<int>(count);
    } else if (word == "--foldable") {
      out.report.foldable = true;
    } else if (word == "--show") {
      const std::string& value = args[++i];
      if (!ParseShow(value, out.report)) return wrong("--show expects a count or 'all', not '" + value + "'");
    } else if (word == "--checkpoint" || word == "--resume" || word == "--out" || word == "--result") {
      (word == "--checkpoint" ? out.checkpoint
       : word == "--resume"   ? out.resume
       : word == "--out"      ? out.out
                              : out.result) = args[++i];
    } else if (word == "--every") {
      const std::string& value = args[++i];
      double seconds = 0;
      if (!ParseSeconds(value, seconds))
        return wrong("--every expects minutes (a number from 0), not '" + value + "'");
      out.everyMinutes = seconds;
    } else if (word == "--part") {
      const std::string& value = args[++i];
      if (!ParsePart(value, out.part, out.parts))
        return wrong("--part expects K/N with 1 <= K <= N <= " + std::to_string(kMaxParts) + ", not '" +
                     value + "'");
    } else if (word == "--memory-limit") {
      const std::string& value = args[++i];
      if (!ParseCount(value, count) || count == 0 || count > (1LL << 30))
        return wrong("--memory-limit expects megabytes (a whole number from 1), not '" + value + "'");
      out.memoryLimit = static_cast<std::size_t>(count) << 20;
    } else if (word == "--time-limit") {
      const std::string& value = args[++i];
      double seconds = 0;
      if (!ParseSeconds(value, seconds))
        return wrong("--time-limit expects seconds (a number from 0), not '" + value + "'");
      out.timeLimit = seconds;
    } else if (word == "--engine") {
      const std::string& value = args[++i];
      if (value != "reduced" && value != "fast" && value != "reference")
        return wrong("--engine expects 'reduced', 'fast' or 'reference', not '" + value + "'");
      out.engineGiven = true;
      out.engine = value == "reduced" ? SolveEngine::Reduced
                   : value == "fast"  ? SolveEngine::Fast
                                      : SolveEngine::Reference;
    } else if (word == "--threads") {
      const std::string& value = args[++i];
      if (!ParseCount(value, count) || count == 0 || count > kMaxThreads)
        return wrong("--threads expects a whole number from 1 to " + std::to_string(kMaxThreads) + ", not '" +
                     value + "'");
      out.threads = static_cast<int>(count);
    } else if (word.size() > 1 && word[0] == '-') {
      return wrong("unknown option '" + word + "'");
    } else if (havePath) {
      return wrong("'solve' takes one path, not also '" + word + "'");
    } else {
      out.path = word;
      havePath = true;
    }
  }
  if (!havePath) return wrong("'solve' needs the path of a task file");
  if (out.everyMinutes && out.checkpoint.empty() && out.resume.empty() && out.out.empty())
    return wrong("--every needs --checkpoint, --resume or --part with --out");
  if (!out.out.empty() && out.parts == 0) return wrong("--out goes with --part");
  if (!out.out.empty() && (!out.checkpoint.empty() || !out.resume.empty()))
    return wrong(
        "--out names the file of a new part, which is its checkpoint too; a part goes on with "
        "--resume PART (and --checkpoint FILE to write elsewhere)");
  if (out.parts != 0 && out.out.empty() && out.resume.empty())
    return wrong("--part needs --out, or --resume with the part's file");
  if (out.parts != 0 && !out.result.empty())
    return wrong("a part is no whole run: give --result to the merge of the parts");
  if (out.report.verdict && out.stopAfter != 0) return wrong("--verdict stops after 2; give no --stop-after");
  if (out.report.verdict) out.stopAfter = kVerdictStopAfter;
  if (out.stopAfter != 0 && out.ByUnits())
    return wrong("--stop-after and --verdict run in one piece, without checkpoints or parts");
  if (out.ByUnits() && out.engine == SolveEngine::Reference)
    return wrong("the reference engine runs in one piece; checkpoints and parts take 'reduced' or 'fast'");
  return std::nullopt;
}

// Stops on a stop signal or when the time limit has passed, noting which came
// first; the search itself (from the first stop poll, after the preparation
// and a checkpoint's restoring) always gets half the limit, so that a run
// resumed again and again with a short limit still gets on. At a refresh
// after SIGUSR1 writes the checkpoint (a refresh comes
// on the calling thread between search calls, where the finished units
// stand still); draws a progress line on stderr once a second when stderr
// is a terminal.
class CliObserver final : public SolveObserver {
 public:
  CliObserver(TickSource& ticks, StopSignals& signals, std::optional<double> timeLimit, bool showProgress)
      : clock_(ticks), signals_(signals), showProgress_(showProgress) {
    if (timeLimit) limitMs_ = static_cast<std::uint64_t>(*timeLimit * 1000.0);
    clock_.Start();
  }

  bool StopRequested() override {
    if (!searchStartMs_) searchStartMs_ = clock_.ElapsedMs();
    if (reason_ == StopReason::None) {
      if (signals_.Received() != 0)
        reason_ = StopReason::Signal;
      else if (timeUp_)
        reason_ = StopReason::TimeLimit;
    }
    return reason_ != StopReason::None;
  }

  void Refresh(const SolveStats& stats) override {
    const auto now = clock_.ElapsedMs();
    if (limitMs_ && now >= *limitMs_ && now - searchStartMs_.value_or(now) >= *limitMs_ / 2) timeUp_ = true;
    if (signals_.TakeCheckpointRequest()) {
      if (writeCheckpoint)
        writeCheckpoint();
      else
        std::cerr << "zorvat-cli: SIGUSR1 asks for a checkpoint, but the run has no --checkpoint file\n";
    }
    const ProgressStep step = clock_.Advance();
    if (!showProgress_ || step.action != ProgressAction::SecondRefresh) return;
    const std::string remaining = FormatRemaining(clock_.ElapsedMs(), stats.explored);
    std::fprintf(stderr, "\r%llu s, dead ends %s, solutions %d, remaining %s s   ",
                 static_cast<unsigned long long>(step.seconds), FormatDeadEnds(stats.deadEnds).c_str(),
                 stats.solutionCount, remaining.empty() ? "?" : remaining.c_str());
    std::fflush(stderr);
    lineShown_ = true;
  }

  // Ends the progress line so that what follows starts on a fresh line.
  void Finish() {
    if (lineShown_) std::fputc('\n', stderr);
  }

  ProgressClock& Clock() { return clock_; }
  StopReason Reason() const { return reason_; }

  std::function<void()> writeCheckpoint;  // empty: the run has no checkpoint

 private:
  ProgressClock clock_;
  StopSignals& signals_;
  bool showProgress_;
  StopReason reason_ = StopReason::None;
  std::optional<std::uint64_t> limitMs_;
  std::optional<std::uint64_t> searchStartMs_;  // at the first stop poll
  bool timeUp_ = false;
  bool lineShown_ = false;
};

// The run's units, checkpointed as run/checkpoint_policy.h times it (every
// so many minutes as units finish, and on SIGUSR1); a write that fails
// there is said once and the run goes on.
class CheckpointJob final : public UnitJob {
 public:
  CheckpointJob(std::function<std::optional<Failure>()> write, ProgressClock& clock,
                std::optional<double> everyMinutes)
      : write_(std::move(write)),
        policy_([this] { return Write(); }, [&clock] { return clock.ElapsedMs(); }, EveryMs(everyMinutes)) {}

  void UnitFinished() override { policy_.UnitFinished(); }
  void WriteNow() { policy_.WriteNow(); }

 private:
  static std::optional<std::uint64_t> EveryMs(std::optional<double> minutes) {
    if (!minutes) return std::nullopt;
    return static_cast<std::uint64_t>(*minutes * 60000.0);
  }
  bool Write() {
    const auto failure = write_();
    if (failure && !policy_.AnyFailed())
      std::cerr << "zorvat-cli: " << FailureMessage(*failure) << "; the run goes on\n";
    return !failure;
  }

  std::function<std::optional<Failure>()> write_;
  CheckpointPolicy policy_;
};

// A part's report: its units, their counters and, when they could be
// written, where; a failed write is said after the report, with status 2.
int PrintPartReport(const SolveArguments& options, const std::string& target, const UnitJob& job,
                    const Solver& solver, const RunEnd& run, const std::optional<Failure>& unsaved) {
  std::uint32_t units = 0;
  for (std::uint32_t u = 0; u < job.cut.unitCount; ++u) units += job.InPart(u) ? 1 : 0;
  const SolveStats stats = solver.Stats();
  const bool stopped = run.outcome != SolveOutcome::Complete;
  const int status = unsaved                                    ? kExitFailure
                     : !stopped                                 ? kExitOk
                     : run.outcome == SolveOutcome::OutOfMemory ? kExitOutOfMemory
                     : run.reason == StopReason::TimeLimit      ? kExitTimeLimit
                                                                : kExitSignal;
  if (options.report.json) {
    JsonObject object;
    object.Add("part", job.part)
        .Add("parts", job.parts)
        .Add("units", static_cast<std::uint64_t>(units))
        .Add("unitsDone", static_cast<std::uint64_t>(job.done.size()))
        .Add("assignments", stats.assignments)
        .Add("deadEnds", stats.deadEnds)
        .Add("searchCalls", stats.searchCalls)
        .AddRaw("seconds", FormatSeconds3(run.elapsedMs));
    if (!unsaved) object.Add("out", target);
    std::cout << object.Add("outcome", stopped ? "stopped" : "complete").Text() << '\n';
  } else {
    std::cout << "part: " << job.part << " of " << job.parts << '\n'
              << "units: " << job.done.size() << " of " << units << " done\n"
              << "assignments: " << stats.assignments << '\n'
              << "dead ends: " << stats.deadEnds << '\n'
              << "time: " << FormatSeconds3(run.elapsedMs) << " s\n";
    if (!unsaved) std::cout << "written: " << target << '\n';
    if (stopped) std::cout << "stopped\n";
  }
  std::cout.flush();
  if (unsaved) PrintFailureLines(*unsaved);
  return status;
}

}  // namespace

int RunSolve(const Command& self, Arguments args) {
  // Installed first, so that a stop signal arriving while the task loads
  // still ends the run cleanly, at its first search call.
  StopSignals signals;
  SolveArguments options;
  if (auto failure = ParseArguments(self, args, options)) return Report(*failure, WantsJson(args));
  options.report.threads = options.threads;
  const bool json = options.report.json;
  // The work units go to --checkpoint's file, else back to --resume's, else
  // to a new part's --out.
  const std::string target = !options.checkpoint.empty() ? options.checkpoint
                             : !options.resume.empty()   ? options.resume
                                                         : options.out;
  {
    const NamedPath task{"the task file", options.path};
    std::vector<NamedPath> outputs;
    if (options.ByUnits())
      outputs.push_back({!options.checkpoint.empty() ? "--checkpoint"
                         : !options.resume.empty()   ? "--resume"
                                                     : "--out",
                         target});
    if (!options.result.empty()) outputs.push_back({"--result", options.result});
    if (auto failure = OutputClash({&task, 1}, outputs)) return Report(*failure, json);
  }
  TaskState task;
  Validation v;
  if (auto failure = LoadSolvableTask(options.path, task, v)) return Report(*failure, json);

  CliObserver observer(SystemTicks(), signals, options.timeLimit, isatty(STDERR_FILENO) != 0);
  Solver solver;
  RunEnd run;
  if (!options.ByUnits()) {
    run.outcome =
        solver.Solve(task, v.links, observer,
                     SolveOptions{options.memoryLimit, options.engine, options.threads, options.stopAfter});
    run.elapsedMs = observer.Clock().ElapsedMs();
    run.reason = solver.StopAfterReached() ? StopReason::StopAfter : observer.Reason();
    run.signal = signals.Received();
    observer.Finish();
    return FinishRun(task, v, solver, options.engine, run, options.report, options.result);
  }

  // By work units: from a checkpoint, whose engine and part the run keeps,
  // and whose time so far the run's time goes on from.
  SolveEngine engine = options.engine;
  std::uint64_t priorMs = 0;
  const auto fileOfRun = [&](const UnitJob& units) {
    return MakeUnitFile(task, v.links.blockCount, engine, units, priorMs + observer.Clock().ElapsedMs());
  };
  CheckpointJob job([&] { return SaveUnitFile(target, fileOfRun(job)); }, observer.Clock(),
                    options.everyMinutes);
  // Before the cut there is nothing to write.
  observer.writeCheckpoint = [&] {
    if (job.cut.depth > 0) job.WriteNow();
  };
  if (options.parts != 0) {
    job.part = options.part;
    job.parts = options.parts;
  }
  if (!options.resume.empty()) {
    UnitFile file;
    if (auto failure = LoadUnitFile(options.resume, task, file)) return Report(*failure, json);
    const std::string held =
        options.resume + " holds part " + std::to_string(file.part) + "/" + std::to_string(file.parts);
    if (options.engineGiven && options.engine != file.engine)
      return Report(ArgumentFailure(options.resume + " was made by the " + EngineName(file.engine) +
                                    " engine, not the " + EngineName(options.engine) + " one"),
                    json);
    if (options.parts != 0 && (options.part != file.part || options.parts != file.parts))
      return Report(ArgumentFailure(held), json);
    // The file's own part decides: a part resumed is a part run, and only
    // the merge of every part makes a result.
    if (file.parts != 1 && !options.result.empty())
      return Report(
          ArgumentFailure(held + "; a part is no whole run: give --result to the merge of the parts"), json);
    engine = file.engine;
    priorMs = file.elapsedMs;
    ResumeJob(std::move(file), job);
  }
  // A part holds one unit at least.
  job.partsWithinUnits = true;
  run.outcome = solver.SolveUnits(task, v.links, observer,
                                  SolveOptions{options.memoryLimit, engine, options.threads}, job);
  run.elapsedMs = priorMs + observer.Clock().ElapsedMs();
  run.reason = observer.Reason();
  run.signal = signals.Received();
  observer.Finish();
  if (run.outcome == SolveOutcome::Refused && job.check == UnitCheck::TooManyParts)
    return Report(ArgumentFailure("part " + std::to_string(job.part) + "/" + std::to_string(job.parts) +
                                  ": the run has " + std::to_string(job.cut.unitCount) +
                                  " work units, so it makes at most " +
                                  std::to_string(std::max<std::uint32_t>(job.cut.unitCount, 1)) + " parts"),
                  json);
  if (run.outcome == SolveOutcome::Refused) return Report(UnitCheckFailure(job.check, options.resume), json);
  // A run that ended before its cut (out of memory while preparing) leaves
  // the file as it was.
  const std::optional<Failure> unsaved =
      job.cut.depth > 0 ? SaveUnitFile(target, fileOfRun(job)) : std::nullopt;
  if (options.parts != 0 || job.parts != 1)
    return PrintPartReport(options, target, job, solver, run, unsaved);
  return FinishRun(task, v, solver, engine, run, options.report, options.result, unsaved);
}

}  // namespace zv::cli
