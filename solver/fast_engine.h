// The fast engine's entries: they build one run's prepared search tables
// once (shared read-only by every search of the run), run the fast or the
// reduced search, and end a run the memory limit refuses as out of memory
// with what it reached.
//
// A run held in memory (RunFastEngine, Solve) on one thread searches the
// whole tree in the calling thread, recording into the store as it goes;
// on more threads, and every run over work units (RunUnits), goes through
// the one subtree scheduler (solver/subtree_scheduler.h), which offers
// complete assignments to the run's store in the order the one-thread
// search finds them.
//
// Usage (after PrepareSearch and SolutionStore::Begin):
//   zv::FastRunResult r = zv::RunFastEngine(prep, store, observer, threads);
//   r.stats.deadEnds, r.stats.explored, r.stopped, r.outOfMemory
#pragma once

#include "solver/prepare.h"
#include "solver/solution_store.h"
#include "solver/solver.h"

namespace zv {

struct FastRunResult {
  SolveStats stats;
  bool stopped = false;
  bool outOfMemory = false;
};

// The observer is only ever called from the calling thread. With
// `reduceWith` (the task's link analysis) the reduced search runs, with
// `rules`. The tables and the searches take their room from `pool`
// (nullptr: the heap); when it refuses, the run ends out of memory.
FastRunResult RunFastEngine(const PreparedSearch& prep, SolutionStore& store, SolveObserver& observer,
                            int threads, const LinkAnalysis* reduceWith = nullptr, BlockPool* pool = nullptr,
                            const RuleSwitches& rules = {});

struct UnitRunResult {
  FastRunResult run;
  bool refused = false;  // job.done did not fit the cut or the task: job.check says why
};

// A run over work units (solver/work_units.h): checks the results the job
// brings, searches the units of its part still to do and merges in unit
// order. `memoryLimit` bounds the whole run, `pool` and the unit stores.
UnitRunResult RunUnits(const PreparedSearch& prep, SolutionStore& store, SolveObserver& observer, int threads,
                       std::size_t memoryLimit, UnitJob& job, const LinkAnalysis* reduceWith, BlockPool* pool,
                       const RuleSwitches& rules = {});

}  // namespace zv
