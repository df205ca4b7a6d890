// The report of a run as `solve` and `merge` print it.
#include "cli/solve_report.h"

#include <algorithm>
#include <cctype>
#include <iostream>
#include <string>

#include "cli/exit_status.h"
#include "cli/failures.h"
#include "cli/fold_report.h"
#include "cli/no_solution_words.h"
#include "cli/stop_signals.h"
#include "solver/progress.h"
#include "solver/verdict.h"

namespace zv::cli {
namespace {

// How a run ended: its "stop_reason" for --json (nullptr when it finished)
// and its exit status.
struct StopEnd {
  const char* stopReason;
  int exitStatus;
};

int UserNumber(const TaskState& task, CubeIndex cube) { return UserNumberOfCube(task.figure, cube); }

// One stored solution as the form view shows it: layer by layer, one line
// per row, the user number of the cube in each cell, '.' outside the form,
// '_' for an empty form cell; a blank line between layers.
void PrintSolutionGrid(const TaskState& task, const Solver& solver, int i, int cubeCount) {
  const int width = static_cast<int>(std::to_string(cubeCount).size());
  const StoredSolution solution = solver.Solution(i);
  std::cout << "solution " << i + 1 << ":\n";
  for (int z = 0; z < task.form.FormHeight; ++z) {
    if (z > 0) std::cout << '\n';
    for (int y = 0; y < task.form.FormDepth; ++y) {
      for (int x = 0; x < task.form.FormWidth; ++x) {
        const CellNumber number = solver.FormCellNumber(FormCellIndex(x, y, z));
        const CubeIndex cube = number.valid() ? solution.CubeAt(number) : CubeIndex::None();
        std::string text = !number.valid() ? "."
                           : !cube.valid() ? "_"
                                           : std::to_string(UserNumber(task, cube));
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
  const StoredSolution solution = solver.Solution(i);
  std::string list = "[";
  for (CellNumber n(0); n.value() < solution.Size(); ++n) {
    const CubeIndex cube = solution.CubeAt(n);
    if (!cube.valid()) continue;
    const CellIndex cell = solution.CellAt(n);
    if (list.size() > 1) list += ',';
    list += JsonObject()
                .Add("x", FormCellX(cell))
                .Add("y", FormCellY(cell))
                .Add("z", FormCellZ(cell))
                .Add("cube", UserNumber(task, cube))
                .Add("rotation", static_cast<int>(solution.RotationAt(n)))
                .Text();
  }
  return list + ']';
}

}  // namespace

const char* VerdictName(Verdict verdict) {
  switch (verdict) {
    case Verdict::None:
      return "none";
    case Verdict::Unique:
      return "unique";
    case Verdict::Several:
      return "several";
    case Verdict::Stopped:
      break;
  }
  return "stopped";
}

bool ParseCount(const std::string& text, long long& value) {
  if (text.empty() || text.size() > 12 || !std::all_of(text.begin(), text.end(), ::isdigit)) return false;
  value = std::stoll(text);
  return true;
}

bool ParseShow(const std::string& value, ReportOptions& out) {
  long long count = 0;
  if (value == "all")
    out.show = INT32_MAX;
  else if (ParseCount(value, count))
    out.show = static_cast<int>(std::min<long long>(count, INT32_MAX));
  else
    return false;
  return true;
}

int PrintSolveReport(const TaskState& task, const Validation& v, const Solver& solver, const RunEnd& run,
                     const ReportOptions& options) {
  const SolveOutcome outcome = run.outcome;
  const bool outOfMemory = outcome == SolveOutcome::OutOfMemory;
  const bool stopped = outcome != SolveOutcome::Complete;
  const StopEnd end = !stopped                              ? StopEnd{nullptr, kExitOk}
                      : outOfMemory                         ? StopEnd{"memory", kExitOutOfMemory}
                      : run.reason == StopReason::TimeLimit ? StopEnd{"time_limit", kExitTimeLimit}
                      : run.reason == StopReason::StopAfter ? StopEnd{"stop_after", kExitStopAfter}
                                                            : StopEnd{"signal", kExitSignal};
  // A verdict that the run settled is its whole answer.
  const Verdict verdict = VerdictOf(outcome, solver.SolutionCount());
  const int exitStatus = options.verdict && verdict != Verdict::Stopped ? kExitOk : end.exitStatus;
  const Failure memoryFailure(FailureKind::OutOfMemory);
  const int shown = std::min(options.show.value_or(0), solver.SolutionCount());
  const std::vector<FoldCheckResult> folds =
      options.foldable ? CheckStoredFolding(v, solver, options.threads) : std::vector<FoldCheckResult>{};
  int tally[3] = {0, 0, 0};  // by FoldOutcome
  for (const FoldCheckResult& f : folds) ++tally[static_cast<int>(f.outcome)];
  // A finished search without solutions says why, when a cheap argument shows it.
  const bool none = outcome == SolveOutcome::Complete && solver.SolutionCount() == 0;
  if (options.json) {
    JsonObject object;
    object.Add("solutions", solver.SolutionCount())
        .Add("found", solver.Stats().found)
        .Add("foundAtLeast", solver.Stats().foundAtLeast)
        .Add("assignments", solver.Assignments())
        .Add("assignmentsAtLeast", solver.Stats().assignmentsAtLeast)
        .Add("deadEnds", solver.DeadEnds())
        .Add("searchCalls", solver.SearchCalls())
        .AddRaw("seconds", FormatSeconds3(run.elapsedMs))
        .Add("stopped", stopped)
        .Add("outOfMemory", outOfMemory)
        .Add("outcome", stopped ? "stopped" : "complete");
    if (options.verdict) object.Add("verdict", VerdictName(verdict));
    if (none) NoSolutionLine(task, v.links, solver.DeadEnds(), &object);
    if (end.stopReason != nullptr)
      object.Add("stop_reason", end.stopReason);
    else
      object.AddNull("stop_reason");
    if (end.exitStatus == kExitSignal) object.Add("signal", StopSignalName(run.signal));
    if (outOfMemory) AddFailure(object, memoryFailure);
    if (options.show) {
      std::string list = "[";
      for (int i = 0; i < shown; ++i) {
        if (i > 0) list += ',';
        list += SolutionJson(task, solver, i);
      }
      object.AddRaw("shown", list + ']');
    }
    if (options.foldable) {
      std::string list = "[";
      for (int i = 0; i < shown; ++i)
        list += (i > 0 ? ",\"" : "\"") + std::string(FoldOutcomeKey(folds[i].outcome)) + '"';
      object.AddRaw("fold", list + ']');
      object.AddRaw("foldTotals", "{\"foldable\":" + std::to_string(tally[0]) +
                                      ",\"not_found\":" + std::to_string(tally[1]) +
                                      ",\"not_checked\":" + std::to_string(tally[2]) + '}');
    }
    std::cout << object.Text() << '\n';
  } else if (options.verdict) {
    std::cout << VerdictName(verdict) << '\n';
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
              << "time: " << FormatSeconds3(run.elapsedMs) << " s\n";
    if (none) std::cout << "why: " << NoSolutionLine(task, v.links, solver.DeadEnds(), nullptr) << '\n';
    if (stopped)
      std::cout << "stopped" << (end.exitStatus == kExitStopAfter ? " after --stop-after" : "") << '\n';
    if (options.foldable)
      std::cout << "foldable: " << tally[0] << " of " << folds.size() << " (no motion found: " << tally[1]
                << ", not checked: " << tally[2] << ")\n";
    for (int i = 0; i < shown; ++i) {
      std::cout << '\n';
      if (options.foldable) std::cout << "fold: " << FoldResultText(folds[i]) << '\n';
      PrintSolutionGrid(task, solver, i, v.cubeCount);
    }
  }
  std::cout.flush();
  if (outOfMemory) {
    PrintFailureLines(memoryFailure);
  } else if (stopped && end.exitStatus != kExitStopAfter && exitStatus != kExitOk) {
    const std::string by =
        end.exitStatus == kExitTimeLimit ? std::string("the time limit") : StopSignalName(run.signal);
    std::cerr << "zorvat-cli: stopped by " << by << "; the counts are those reached until then\n";
  }
  return exitStatus;
}

}  // namespace zv::cli
