// What `solve` prints about a run, shared with `merge`, which prints the
// same for the run its parts make up: the counters as lines or as one JSON
// object, optionally the stored solutions, and on a stop why it stopped.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/validation.h"
#include "solver/solver.h"
#include "solver/verdict.h"

namespace zv::cli {

// Why a run that did not finish stopped.
enum class StopReason { None, TimeLimit, Signal, StopAfter };

struct ReportOptions {
  std::optional<int> show;  // solutions to print; INT32_MAX for all
  bool json = false;
  bool verdict = false;   // print the verdict (solver/verdict.h) instead of the counters
  bool foldable = false;  // check every stored solution's fold (cli/fold_report.h)
  int threads = 1;        // for that check
};

// How the run ended, for the report.
struct RunEnd {
  SolveOutcome outcome = SolveOutcome::Complete;
  StopReason reason = StopReason::None;
  int signal = 0;  // the stop signal received, 0 = none
  std::uint64_t elapsedMs = 0;
};

// "none", "unique", "several" or "stopped", as --verdict prints it.
const char* VerdictName(Verdict verdict);

// Takes the value of --show (a count or "all"); false when it is neither.
bool ParseShow(const std::string& value, ReportOptions& out);

// Whole numbers of up to 12 digits.
bool ParseCount(const std::string& text, long long& value);

// Prints the report and returns the exit status of the run's end.
int PrintSolveReport(const TaskState& task, const Validation& v, const Solver& solver, const RunEnd& end,
                     const ReportOptions& options);

}  // namespace zv::cli
