// zorvat-cli solve TASK.zvt [--show N|all] [--json] [--memory-limit MB]
// [--time-limit S] [--engine fast|reference] [--threads N]: reads and
// validates the task, runs the solver (the fast engine on as many threads as
// the machine has, unless told otherwise) and prints
// its counters, optionally the stored solutions as the form view shows them,
// as lines or as one JSON object. A time limit or Ctrl+C stops the run and
// keeps what was found; the memory limit ends it with exit status 3.
#include "cli/solve_command.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <thread>

#include "model/validation.h"
#include "platform/ticks.h"
#include "solver/progress.h"
#include "solver/solver.h"

namespace zv::cli {
namespace {

// A signal handler can reach nothing but static storage: this flag is the
// only bridge from Ctrl+C to the run, read by the run's observer.
volatile std::sig_atomic_t interrupted = 0;

extern "C" void OnInterrupt(int) { interrupted = 1; }

constexpr int kMaxThreads = 256;

int DefaultThreads() { return static_cast<int>(std::max(1u, std::thread::hardware_concurrency())); }

struct SolveArguments {
  std::string path;
  std::optional<int> show;  // solutions to print; INT32_MAX for all
  bool json = false;
  std::size_t memoryLimit = 0;      // bytes, 0 = the solver's default
  std::optional<double> timeLimit;  // seconds
  SolveEngine engine = SolveEngine::Fast;
  int threads = DefaultThreads();
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

// Fills `out` from the words after "solve"; prints why and returns false on a
// wrong or missing value, an unknown option or a wrong number of paths.
bool ParseArguments(const Command& self, Arguments args, SolveArguments& out) {
  auto usage = [&] {
    std::cerr << "usage: zorvat-cli " << self.name << ' ' << self.arguments << '\n';
    return false;
  };
  bool havePath = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    const bool takesValue = word == "--show" || word == "--memory-limit" || word == "--time-limit" ||
                            word == "--engine" || word == "--threads";
    if (takesValue && i + 1 == args.size()) {
      std::cerr << "zorvat-cli: " << word << " needs a value\n";
      return usage();
    }
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
        std::cerr << "zorvat-cli: --show expects a count or 'all', not '" << value << "'\n";
        return false;
      }
    } else if (word == "--memory-limit") {
      const std::string& value = args[++i];
      if (!ParseCount(value, count) || count == 0 || count > (1LL << 30)) {
        std::cerr << "zorvat-cli: --memory-limit expects megabytes (a whole number from 1), not '" << value
                  << "'\n";
        return false;
      }
      out.memoryLimit = static_cast<std::size_t>(count) << 20;
    } else if (word == "--time-limit") {
      const std::string& value = args[++i];
      double seconds = 0;
      if (!ParseSeconds(value, seconds)) {
        std::cerr << "zorvat-cli: --time-limit expects seconds (a number from 0), not '" << value << "'\n";
        return false;
      }
      out.timeLimit = seconds;
    } else if (word == "--engine") {
      const std::string& value = args[++i];
      if (value != "fast" && value != "reference") {
        std::cerr << "zorvat-cli: --engine expects 'fast' or 'reference', not '" << value << "'\n";
        return false;
      }
      out.engine = value == "fast" ? SolveEngine::Fast : SolveEngine::Reference;
    } else if (word == "--threads") {
      const std::string& value = args[++i];
      if (!ParseCount(value, count) || count == 0 || count > kMaxThreads) {
        std::cerr << "zorvat-cli: --threads expects a whole number from 1 to " << kMaxThreads << ", not '" << value
                  << "'\n";
        return false;
      }
      out.threads = static_cast<int>(count);
    } else if (word.size() > 1 && word[0] == '-') {
      std::cerr << "zorvat-cli: unknown option '" << word << "'\n";
      return usage();
    } else if (havePath) {
      return usage();
    } else {
      out.path = word;
      havePath = true;
    }
  }
  return havePath || usage();
}

// Stops on Ctrl+C or when the time limit has passed; draws a progress line
// on stderr once a second when stderr is a terminal.
class CliObserver final : public SolveObserver {
 public:
  CliObserver(TickSource& ticks, std::optional<double> timeLimit, bool showProgress)
      : clock_(ticks), showProgress_(showProgress) {
    if (timeLimit) limitMs_ = static_cast<std::uint32_t>(std::min(*timeLimit * 1000.0, 4.0e9));
    clock_.Start();
  }

  bool StopRequested() override { return interrupted != 0 || timeUp_; }

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

 private:
  ProgressClock clock_;
  bool showProgress_;
  std::optional<std::uint32_t> limitMs_;
  bool timeUp_ = false;
  bool lineShown_ = false;
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

void PrintSolutionJson(const TaskState& task, const Solver& solver, int i) {
  const auto cells = solver.FormCellList();
  const auto cubes = solver.SolutionCubes(i);
  const auto rotations = solver.SolutionRotations(i);
  std::cout << '[';
  bool first = true;
  for (std::size_t p = 0; p < cells.size(); ++p) {
    if (cubes[p] == 0) continue;
    std::cout << (first ? "" : ",") << "{\"x\":" << FormCellX(cells[p]) << ",\"y\":" << FormCellY(cells[p])
              << ",\"z\":" << FormCellZ(cells[p]) << ",\"cube\":" << UserNumber(task, cubes[p] - 1)
              << ",\"rotation\":" << static_cast<int>(rotations[p]) << '}';
    first = false;
  }
  std::cout << ']';
}

}  // namespace

int RunSolve(const Command& self, Arguments args) {
  SolveArguments options;
  if (!ParseArguments(self, args, options)) return kExitFailure;
  TaskState task;
  if (!LoadTask(options.path, task)) return kExitFailure;
  const Validation v = ValidateTask(task);
  if (!v.ok()) {
    std::cerr << "error: " << ValidationMessage(v, task.figure) << '\n';
    return kExitRefused;
  }

  interrupted = 0;
  auto previous = std::signal(SIGINT, OnInterrupt);
  CliObserver observer(SystemTicks(), options.timeLimit, isatty(STDERR_FILENO) != 0);
  Solver solver;
  const SolveOutcome outcome = solver.Solve(task, v.links, observer, SolveOptions{options.memoryLimit, options.engine, options.threads});
  const std::uint32_t elapsedMs = observer.Clock().ElapsedMs();
  std::signal(SIGINT, previous == SIG_ERR ? SIG_DFL : previous);
  observer.Finish();

  const bool outOfMemory = outcome == SolveOutcome::OutOfMemory;
  const bool stopped = outcome != SolveOutcome::Complete;
  const int shown = std::min(options.show.value_or(0), solver.SolutionCount());
  if (options.json) {
    std::cout << "{\"solutions\":" << solver.SolutionCount() << ",\"assignments\":" << solver.Assignments()
              << ",\"deadEnds\":" << solver.DeadEnds() << ",\"searchCalls\":" << solver.SearchCalls()
              << ",\"seconds\":" << FormatSeconds3(elapsedMs)
              << ",\"stopped\":" << (stopped ? "true" : "false")
              << ",\"outOfMemory\":" << (outOfMemory ? "true" : "false");
    if (options.show) {
      std::cout << ",\"shown\":[";
      for (int i = 0; i < shown; ++i) {
        if (i > 0) std::cout << ',';
        PrintSolutionJson(task, solver, i);
      }
      std::cout << ']';
    }
    std::cout << "}\n";
  } else {
    std::cout << "solutions: " << solver.SolutionCount() << '\n'
              << "assignments: " << solver.Assignments() << '\n'
              << "dead ends: " << solver.DeadEnds() << '\n'
              << "time: " << FormatSeconds3(elapsedMs) << " s\n";
    if (stopped) std::cout << "stopped\n";
    for (int i = 0; i < shown; ++i) {
      std::cout << '\n';
      PrintSolutionGrid(task, solver, i, v.cubeCount);
    }
  }
  if (outOfMemory) {
    std::cerr << "Not enough memory\n"
              << "zorvat-cli: the solver ran out of memory (see --memory-limit); the counts above are those "
                 "reached until then\n";
    return kExitOutOfMemory;
  }
  return kExitOk;
}

}  // namespace zv::cli
