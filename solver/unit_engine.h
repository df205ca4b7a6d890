// The engine of runs over work units (solver/work_units.h): cuts the tree,
// checks the results a job brings, searches the units of its part still to
// do (in the calling thread or over workers) and merges in unit order.
#pragma once

#include "solver/fast_engine.h"
#include "solver/work_units.h"

namespace zv {

struct UnitRunResult {
  FastRunResult run;
  bool refused = false;  // job.done did not fit the cut or the task: job.check says why
};

// `reduceWith` (the task's link analysis) chooses the reduced search, null
// the full tree; `rules` are the reduced search's rules. `memoryLimit` bounds the whole run: `pool` (the
// store's and the tables', when given) and the unit searches' own solution stores, which share what the
// tables leave with the merged store (the pool's limit is lowered to its share).
UnitRunResult RunUnitEngine(const PreparedSearch& prep, SolutionStore& store, SolveObserver& observer,
                            int threads, std::size_t memoryLimit, UnitJob& job,
                            const LinkAnalysis* reduceWith, BlockPool* pool, const RuleSwitches& rules = {});

}  // namespace zv
