// zorvat-cli solve TASK.zvt [--show N|all] [--json] [--memory-limit MB]
// [--time-limit S] [--engine reduced|fast|reference] [--threads N]: reads and
// validates the task, runs the solver (the reduced engine, on as many
// threads as the machine has, unless told otherwise) and prints
// its counters, optionally the stored solutions as the form view shows them,
// as lines or as one JSON object. The time limit or a stop signal (SIGINT,
// SIGTERM, SIGHUP) stops the run and keeps what was found, as does the
// memory limit; each ends with an exit status of its own.
#include "cli/solve_command.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>

#include "cli/stop_signals.h"
#include "model/validation.h"
#include "platform/ticks.h"
#include "solver/progress.h"
#include "solver/solver.h"

namespace zv::cli {
namespace {

struct SolveArguments {
  std::string path;
  std::optional<int> show;  // solutions to print; INT32_MAX for all
  bool json = false;
  std::size_t memoryLimit = 0;      // bytes, 0 = the solver's default
  std::optional<double> timeLimit;  // seconds
  SolveEngine engine = SolveEngine::Reduced;
  int threads = DefaultThreadCount();
};

bool ParseCount(const std::string& text, long long& value) {
  if (text.empty() || text.size() > 12 || !std::all_of(text.begin(), text.end(), ::isdigit)) return false;
  value = std::stoll(text);
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
                            word == "--engine" || word == "--threads";
    if (takesValue && i + 1 == args.size()) return wrong(word + " needs a value");
    long long count = 0;
    if (word == "--json") {
      out.json = true;
    } else if (word == "--show") {
      const std::string& value = args[++i];
      if (value == "all") {
        out.show = INT32_MAX;
      } else if (ParseCount(value, count)) {
        out.show = static_cast<int>(std::min<long long>(count, INT32_MAX));
      } else {
        return wrong("--show expects a count or 'all', not '" + value + "'");
      }
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
  return std::nullopt;
}

// Why a run that did not finish stopped.
enum class StopReason { None, TimeLimit, Signal };

// Stops on a stop signal or when the time limit has passed, noting which came
// first; draws a progress line on stderr once a second when stderr is a
// terminal.
class CliObserver final : public SolveObserver {
 public:
  CliObserver(TickSource& ticks, const StopSignals& signals, std::optional<double> timeLimit,
              bool showProgress)
      : clock_(ticks), signals_(signals), showProgress_(showProgress) {
    if (timeLimit) limitMs_ = static_cast<std::uint32_t>(std::min(*timeLimit * 1000.0, 4.0e9));
    clock_.Start();
  }

  bool StopRequested() override {
    if (reason_ == StopReason::None) {
      if (signals_.Received() != 0)
        reason_ = StopReason::Signal;
      else if (timeUp_)
        reason_ = StopReason::TimeLimit;
    }
    return reason_ != StopReason::None;
  }

  void Refresh(const SolveStats& stats) override {
    if (limitMs_ && clock_.ElapsedMs() >= *limitMs_) timeUp_ = true;
    const ProgressStep step = clock_.Advance();
    if (!showProgress_ || step.action != ProgressAction::SecondRefresh) return;
    const std::string remaining = FormatRemaining(clock_.ElapsedMs(), stats.explored);
    std::fprintf(stderr, "\r%u s, dead ends %s, solutions %d, remaining %s s   ", step.seconds,
                 FormatDeadEnds(stats.deadEnds).c_str(), stats.solutionCount,
                 remaining.empty() ? "?" : remaining.c_str());
    std::fflush(stderr);
    lineShown_ = true;
  }

  // Ends the progress line so that what follows starts on a fresh line.
  void Finish() {
    if (lineShown_) std::fputc('\n', stderr);
  }

  ProgressClock& Clock() { return clock_; }
  StopReason Reason() const { return reason_; }

 private:
  ProgressClock clock_;
  const StopSignals& signals_;
  bool showProgress_;
  StopReason reason_ = StopReason::None;
  std::optional<std::uint32_t> limitMs_;
  bool timeUp_ = false;
  bool lineShown_ = false;
};

// How a run ended: its "stop_reason" for --json (nullptr when it finished)
// and its exit status.
struct StopEnd {
  const char* stopReason;
  int exitStatus;
};

int UserNumber(const TaskState& task, int cubeIndex) { return UserNumberOfCube(task.figure, cubeIndex); }

// One stored solution as the form view shows it: layer by layer, one line
// per row, the user number of the cube in each cell, '.' outside the form,
// '_' for an empty form cell; a blank line between layers.
void PrintSolutionGrid(const TaskState& task, const Solver& solver, int i, int cubeCount) {
  const int width = static_cast<int>(std::to_string(cubeCount).size());
  const auto cubes = solver.SolutionCubes(i);
  std::cout << "solution " << i + 1 << ":\n";
  for (int z = 0; z < task.form.FormHeight; ++z) {
    if (z > 0) std::cout << '\n';
    for (int y = 0; y < task.form.FormDepth; ++y) {
      for (int x = 0; x < task.form.FormWidth; ++x) {
        const int number = solver.FormCellNumber(FormCellIndex(x, y, z));
        std::string text = number < 0           ? "."
                           : cubes[number] == 0 ? "_"
                                                : std::to_string(UserNumber(task, cubes[number] - 1));
        if (x > 0) std::cout << ' ';
        std::cout << std::string(static_cast<std::size_t>(width) - std::min<std::size_t>(text.size(), width),
                                 ' ')
                  << text;
      }
      std::cout << '\n';
    }
  }
}

// One stored solution as a JSON array of the filled cells with their cube's
// user number and rotation.
std::string SolutionJson(const TaskState& task, const Solver& solver, int i) {
  const auto cells = solver.FormCellList();
  const auto cubes = solver.SolutionCubes(i);
  const auto rotations = solver.SolutionRotations(i);
  std::string list = "[";
  for (std::size_t p = 0; p < cells.size(); ++p) {
    if (cubes[p] == 0) continue;
    if (list.size() > 1) list += ',';
    list += JsonObject()
                .Add("x", FormCellX(cells[p]))
                .Add("y", FormCellY(cells[p]))
                .Add("z", FormCellZ(cells[p]))
                .Add("cube", UserNumber(task, cubes[p] - 1))
                .Add("rotation", static_cast<int>(rotations[p]))
                .Text();
  }
  return list + ']';
}

}  // namespace

int RunSolve(const Command& self, Arguments args) {
  // Installed first, so that a stop signal arriving while the task loads
  // still ends the run cleanly, at its first search call.
  const StopSignals signals;
  SolveArguments options;
  if (auto failure = ParseArguments(self, args, options)) return Report(*failure, WantsJson(args));
  TaskState task;
  if (auto failure = LoadTask(options.path, task)) return Report(*failure, options.json);
  const Validation v = ValidateTask(task);
  if (!v.ok()) return Report(RefusalFailure(v, task.figure), options.json);

  CliObserver observer(SystemTicks(), signals, options.timeLimit, isatty(STDERR_FILENO) != 0);
  Solver solver;
  const SolveOutcome outcome = solver.Solve(
      task, v.links, observer, SolveOptions{options.memoryLimit, options.engine, options.threads});
  const std::uint32_t elapsedMs = observer.Clock().ElapsedMs();
  observer.Finish();

  const bool outOfMemory = outcome == SolveOutcome::OutOfMemory;
  const bool stopped = outcome != SolveOutcome::Complete;
  const StopEnd end = !stopped                                     ? StopEnd{nullptr, kExitOk}
                      : outOfMemory                                ? StopEnd{"memory", kExitOutOfMemory}
                      : observer.Reason() == StopReason::TimeLimit ? StopEnd{"time_limit", kExitTimeLimit}
                                                                   : StopEnd{"signal", kExitSignal};
  const Failure memoryFailure(FailureKind::OutOfMemory);
  const int shown = std::min(options.show.value_or(0), solver.SolutionCount());
  if (options.json) {
    JsonObject object;
    object.Add("solutions", solver.SolutionCount())
        .Add("found", solver.Stats().found)
        .Add("foundAtLeast", solver.Stats().foundAtLeast)
        .Add("assignments", solver.Assignments())
        .Add("assignmentsAtLeast", solver.Stats().assignmentsAtLeast)
        .Add("deadEnds", solver.DeadEnds())
        .Add("searchCalls", solver.SearchCalls())
        .AddRaw("seconds", FormatSeconds3(elapsedMs))
        .Add("stopped", stopped)
        .Add("outOfMemory", outOfMemory)
        .Add("outcome", stopped ? "stopped" : "complete");
    if (end.stopReason != nullptr)
      object.Add("stop_reason", end.stopReason);
    else
      object.AddNull("stop_reason");
    if (end.exitStatus == kExitSignal) object.Add("signal", StopSignalName(signals.Received()));
    if (outOfMemory) AddFailure(object, memoryFailure);
    if (options.show) {
      std::string list = "[";
      for (int i = 0; i < shown; ++i) {
        if (i > 0) list += ',';
        list += SolutionJson(task, solver, i);
      }
      object.AddRaw("shown", list + ']');
    }
    std::cout << object.Text() << '\n';
  } else {
    // Past the solutions kept, the line also gives how many were found.
    const SolveStats& stats = solver.Stats();
    std::cout << "solutions: " << solver.SolutionCount();
    if (stats.found > static_cast<std::uint64_t>(solver.SolutionCount()) || stats.foundAtLeast)
      std::cout << " kept of " << (stats.foundAtLeast ? "at least " : "") << stats.found << " found";
    std::cout << '\n'
              << "assignments: " << (solver.Stats().assignmentsAtLeast ? "at least " : "")
              << solver.Assignments() << '\n'
              << "dead ends: " << solver.DeadEnds() << '\n'
              << "time: " << FormatSeconds3(elapsedMs) << " s\n";
    if (stopped) std::cout << "stopped\n";
    for (int i = 0; i < shown; ++i) {
      std::cout << '\n';
      PrintSolutionGrid(task, solver, i, v.cubeCount);
    }
  }
  std::cout.flush();
  if (outOfMemory) {
    PrintFailureLines(memoryFailure);
  } else if (stopped) {
    const std::string by =
        end.exitStatus == kExitTimeLimit ? std::string("the time limit") : StopSignalName(signals.Received());
    std::cerr << "zorvat-cli: stopped by " << by << "; the counts are those reached until then\n";
  }
  return end.exitStatus;
}

}  // namespace zv::cli
