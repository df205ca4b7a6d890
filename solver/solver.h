// The solver's front: one call finds every way to fold and pack the blocks of
// a validated task into its form, removes symmetric duplicates and keeps at
// most 10000 solutions for browsing.
//
// Usage:
//   zv::Validation v = zv::ValidateTask(task);          // must be ok()
//   MyObserver observer;                                 // stop flag + progress
//   zv::Solver solver;
//   zv::SolveOutcome outcome = solver.Solve(task, v.links, observer);
//   for (int i = 0; i < solver.SolutionCount(); ++i) {
//     zv::StoredSolution s = solver.Solution(i);    // by form cell number:
//     s.cubes[0], s.rotations[0], s.formCells[0];   // cube index + 1, rotation 0..23, form cell index
//   }
//
// States of one run:
//
//   prepared --> searching --+--> finished          (SolveOutcome::Complete)
//                            +--> stopped           (SolveOutcome::Stopped: observer asked,
//                                                  or options.stopAfter solutions stored)
//                            +--> out of memory     (SolveOutcome::OutOfMemory)
//
// Preparation can also end the run as out of memory. In every end state the
// solutions stored so far, the counters and the form cell list stay readable
// until the next Solve on the same Solver.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "model/strong_index.h"
#include "model/task.h"
#include "model/validation.h"
#include "solver/rule_switches.h"
#include "solver/stored_solution.h"
#include "solver/work_units.h"

namespace zv {

inline constexpr int kMaxStoredSolutions = 10000;

// Every engine stores the same solutions in the same order and counts the
// same complete assignments. The reference engine copies its flag arrays
// into every level and serves as the oracle of the others; the fast engine
// walks the same tree (same calls and dead ends) keeping one state with
// undo; the reduced engine makes the fast engine's decisions but leaves out
// the subtrees that can only repeat what an earlier branch found (copies
// under equivalent placements, symmetric images, exchanged twin blocks) or
// that provably hold no solution, so its calls and dead ends are its own.
enum class SolveEngine { Reduced, Fast, Reference };

// The most worker threads a run takes, and one per processor.
inline constexpr int kMaxThreads = 256;
int DefaultThreadCount();

struct SolveOptions {
  // The rules' switches come last and are not listed here, so options are
  // written as {memory limit, engine, threads, stop after} in that order.
  // Callers write {limit}, {limit, engine} and so on, braces included.
  SolveOptions() = default;
  SolveOptions(std::size_t memoryLimit, SolveEngine engine = SolveEngine::Reduced,  // NOLINT(*-explicit-*)
               int threads = 1, int stopAfter = 0)
      : memoryLimit(memoryLimit), engine(engine), threads(threads), stopAfter(stopAfter) {}

  std::size_t memoryLimit = 0;  // bytes of solver memory; 0 = DefaultMemoryLimit()
  SolveEngine engine = SolveEngine::Reduced;
  int threads = 1;     // worker threads of the fast and the reduced engine, 1 = the calling thread
  int stopAfter = 0;   // Solve ends Stopped once this many solutions are stored (the first
                       // ones of the whole run, whatever the engine and threads); 0 = no end
  RuleSwitches rules;  // the reduced engine's pruning rules (solver/rule_switches.h), all on
};

// The counters of a run, as the progress display and the final report show them.
struct SolveStats {
  std::uint64_t deadEnds = 0;       // search branches that ended without a solution
  int solutionCount = 0;            // stored solutions, 0..10000
  std::uint64_t assignments = 0;    // complete assignments of the full search tree,
                                    // duplicates and those past 10000 included
  std::uint64_t searchCalls = 0;    // calls of the placement search
  double explored = 0;              // share of the search tree finished, 0..1 (the fast
                                    // engine keeps it; the reference engine leaves 0)
  bool assignmentsAtLeast = false;  // the assignment count passed 2^64 - 1: a lower bound
  std::uint64_t found = 0;          // solutions found, the stored ones and those past 10000
  bool foundAtLeast = false;        // memory for the keys ran out: `found` is a lower bound
};

// What the search asks of its caller while it runs. StopRequested is polled at
// the start of every search call; Refresh runs on every 1002nd call.
class SolveObserver {
 public:
  virtual ~SolveObserver() = default;
  virtual bool StopRequested() = 0;
  virtual void Refresh(const SolveStats& stats) = 0;
};

// An observer that never stops and ignores progress.
class QuietObserver final : public SolveObserver {
 public:
  bool StopRequested() override { return false; }
  void Refresh(const SolveStats&) override {}
};

enum class SolveOutcome {
  Complete,     // the search ran to its end
  Stopped,      // the observer asked to stop; what was stored stays
  OutOfMemory,  // the memory limit or the system refused; what was stored stays
  Refused,      // the task is outside what validation accepts, or work units handed
                // in do not fit it; nothing was done
};

struct SolverRun;  // everything of one run: pool, prepared tables, store, counters

class Solver {
 public:
  Solver();
  ~Solver();
  Solver(const Solver&) = delete;
  Solver& operator=(const Solver&) = delete;

  // Releases the previous run, prepares and searches. `links` must be the
  // link analysis of a successful ValidateTask(task).
  SolveOutcome Solve(const TaskState& task, const LinkAnalysis& links, SolveObserver& observer,
                     const SolveOptions& options = {});

  // The same search cut into work units (solver/work_units.h): searches the
  // units of job's part not yet in job.done, adding each to it as it
  // finishes. A run that has every unit merges them, and then stores and
  // counts exactly what Solve does. Results in job.done that do not fit the
  // cut or the task make the run Refused (job.check says why). The
  // reference engine runs as the fast one, whose tree it walks; a unit run
  // takes no options.stopAfter.
  SolveOutcome SolveUnits(const TaskState& task, const LinkAnalysis& links, SolveObserver& observer,
                          const SolveOptions& options, UnitJob& job);

  // Instead of a search, the stored solutions and counters of an earlier
  // run of the same task and engine (as a result file keeps them:
  // stats.solutionCount images of 2N bytes, each SolutionCubes(i) followed
  // by SolutionRotations(i)), to browse as that run's with `outcome` as its
  // outcome. Every image is checked against the task's tables and stored
  // again in order: one that is no complete assignment, or that repeats an
  // earlier one up to symmetry, makes it DoesNotFit and nothing is kept.
  enum class RestoreResult { Ok, DoesNotFit, OutOfMemory };
  RestoreResult Restore(const TaskState& task, const LinkAnalysis& links, SolveOutcome outcome,
                        const SolveStats& stats, std::span<const std::uint8_t> solutions,
                        const SolveOptions& options = {});

  SolveOutcome LastOutcome() const;
  // The last run stopped because its store held options.stopAfter solutions.
  bool StopAfterReached() const;
  SolveStats Stats() const;
  int SolutionCount() const;
  std::uint64_t DeadEnds() const;
  std::uint64_t Assignments() const;
  std::uint64_t SearchCalls() const;

  // Solution i (0 <= i < SolutionCount()), both spans indexed by form cell
  // number: cube index + 1 of the cube there (0 = empty), and its rotation.
  std::span<const std::uint8_t> SolutionCubes(int i) const;
  std::span<const std::uint8_t> SolutionRotations(int i) const;
  // Solution i's two spans with the form cell list.
  StoredSolution Solution(int i) const;

  // Form cell index of every form cell, by form cell number (z, y, x order).
  std::span<const std::int16_t> FormCellList() const;
  // Form cell number of a form cell index, or none when it is no form cell.
  CellNumber FormCellNumber(CellIndex cell) const;

 private:
  // Releases the previous run and prepares this one's tables and store;
  // an outcome when the run ends there.
  std::optional<SolveOutcome> Prepare(const TaskState& task, const LinkAnalysis& links,
                                      const SolveOptions& options);

  std::unique_ptr<SolverRun> run_;
};

}  // namespace zv
