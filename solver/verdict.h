// How many solutions a task has, as far as a designer asks: none, exactly
// one, or several. The verdict search stores two solutions at most
// (SolveOptions::stopAfter = kVerdictStopAfter): the second distinct one
// settles "several", and "unique" needs the search to have finished.
//
//   zv::SolveOptions options{.stopAfter = zv::kVerdictStopAfter};
//   solver.Solve(task, links, observer, options);
//   zv::Verdict verdict = zv::VerdictOf(solver);
#pragma once

#include "solver/solver.h"

namespace zv {

inline constexpr int kVerdictStopAfter = 2;

enum class Verdict {
  None,     // the search finished without a solution
  Unique,   // the search finished with exactly one
  Several,  // two distinct solutions are stored
  Stopped,  // the run ended (stop request, memory) before that was settled
};

inline Verdict VerdictOf(SolveOutcome outcome, int solutionCount) {
  if (solutionCount >= 2) return Verdict::Several;
  if (outcome != SolveOutcome::Complete) return Verdict::Stopped;
  return solutionCount == 0 ? Verdict::None : Verdict::Unique;
}

inline Verdict VerdictOf(const Solver& solver) {
  return VerdictOf(solver.LastOutcome(), solver.SolutionCount());
}

}  // namespace zv
