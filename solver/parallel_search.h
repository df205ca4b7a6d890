// The fast search over several worker threads, with the one-thread results.
//
// The calling thread first searches the top of the tree down to a split level
// chosen so that there are a few hundred subtrees per worker; every call that
// would enter the split level becomes a subtree, numbered in the order the
// one-thread search would enter it. Workers take the subtrees in that order
// as they free up, search each one with their own state, and keep its
// complete assignments and counters aside. The calling thread merges them in
// subtree order through the one solution store, so the stored solutions,
// their order, the counters and the 10000 limit are those of the one-thread
// run, whatever the number of threads and the scheduling. It alone talks to
// the observer: it polls the stop request and refreshes about every 20 ms,
// with counters that include the work of subtrees still being searched.
// The reduced search (with reduction tables) counts complete assignments
// per subtree and, at the end, walks the top of the tree once more with
// those counts to count what it left out there.
#pragma once

#include "solver/fast_engine.h"
#include "solver/fast_tables.h"
#include "solver/prepared_rules.h"

namespace zv {

// The top search goes down level by level until it hands over at least this
// many subtrees per worker: many small subtrees, taken in order, leave
// little to wait for when the last ones end.
inline constexpr std::size_t kSubtreesPerWorker = 256;

FastRunResult RunParallelSearch(const PreparedSearch& prep, const FastTables& tables, SolutionStore& store,
                                SolveObserver& observer, int threads,
                                const PreparedRules* reductions = nullptr);

}  // namespace zv
