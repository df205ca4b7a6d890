// The fast engine's entry: runs the fast placement search over one run's
// prepared tables, in the calling thread or split over worker threads, and
// offers every complete assignment to the run's solution store in the order
// the one-thread search finds them.
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

// threads <= 1 searches in the calling thread; more splits the search tree
// into subtrees for that many workers. The observer is only ever called from
// the calling thread. With `reduceWith` (the task's link analysis) the
// reduced search runs, with `rules`. The tables and the searches take their room from
// `pool` (nullptr: the heap); when it refuses, the run ends out of memory.
FastRunResult RunFastEngine(const PreparedSearch& prep, SolutionStore& store, SolveObserver& observer,
                            int threads, const LinkAnalysis* reduceWith = nullptr, BlockPool* pool = nullptr,
                            const RuleSwitches& rules = {});

}  // namespace zv
