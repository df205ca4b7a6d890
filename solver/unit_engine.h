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
// the full tree; `memoryLimit` bounds each unit's own solution store.
UnitRunResult RunUnitEngine(const PreparedSearch& prep, SolutionStore& store, SolveObserver& observer,
                            int threads, std::size_t memoryLimit, UnitJob& job,
                            const LinkAnalysis* reduceWith, BlockPool* pool);

}  // namespace zv
