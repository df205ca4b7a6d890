// Runs to compare: everything a run stores and counts, taken from a Solver
// (the outcome, the counters and every stored solution's bytes in order),
// and the result file that keeps it.
#pragma once

#include <cstdint>
#include <vector>

#include "run/result_file.h"
#include "solver/solver.h"

namespace zv::test {

struct Snapshot {
  SolveOutcome outcome;
  std::uint64_t deadEnds, assignments, searchCalls, found;
  bool assignmentsAtLeast, foundAtLeast;
  std::vector<std::vector<std::uint8_t>> solutions;
  bool operator==(const Snapshot&) const = default;
};

inline Snapshot Take(const Solver& solver) {
  const SolveStats s = solver.Stats();
  Snapshot out{solver.LastOutcome(), s.deadEnds, s.assignments, s.searchCalls, s.found, s.assignmentsAtLeast,
               s.foundAtLeast,       {}};
  for (int i = 0; i < solver.SolutionCount(); ++i) {
    const auto cubes = solver.SolutionCubes(i), rotations = solver.SolutionRotations(i);
    out.solutions.emplace_back(cubes.begin(), cubes.end());
    out.solutions.back().insert(out.solutions.back().end(), rotations.begin(), rotations.end());
  }
  return out;
}

// The result file of the solver's last run of `task`.
inline ResultFile ResultOf(const TaskState& task, SolveEngine engine, const Solver& solver) {
  ResultFile file{task, engine, solver.LastOutcome(), solver.Stats(), {}};
  for (const auto& s : Take(solver).solutions)
    file.solutions.insert(file.solutions.end(), s.begin(), s.end());
  return file;
}

}  // namespace zv::test
