// The fast engine's entries: the tables built once per run, the one-thread
// search of a run held in memory, and the hand-over to the subtree
// scheduler.
#include "solver/fast_engine.h"

#include <memory>
#include <new>

#include "platform/memory_blocks.h"
#include "solver/fast_search.h"
#include "solver/fast_tables.h"
#include "solver/prepared_rules.h"
#include "solver/subtree_scheduler.h"

namespace zv {

namespace {

// The whole tree in the calling thread: the observer polls and refreshes at
// the search's own calls, the store records as assignments are found.
class DirectHooks final : public FastSearchHooks {
 public:
  DirectHooks(SolutionStore& store, SolveObserver& observer) : store_(store), observer_(observer) {}

  void Attach(const FastSearch& search) { search_ = &search; }

  bool StopRequested() override { return store_.Enough() || observer_.StopRequested(); }
  void Refresh() override { observer_.Refresh(Stats()); }
  bool Record(const std::int32_t* chosen) override {
    return store_.Record(Assignment(chosen)) != RecordResult::OutOfMemory;
  }
  void Subtree(std::span<const std::int32_t>, double) override {}

  SolveStats Stats() const {
    SolveStats stats{search_->DeadEnds(), store_.Count(), search_->Assignments(), search_->SearchCalls(),
                     search_->Explored()};
    stats.assignmentsAtLeast = search_->AssignmentsOverflowed();
    stats.found = store_.Found();
    stats.foundAtLeast = store_.FoundAtLeast();
    return stats;
  }

 private:
  SolutionStore& store_;
  SolveObserver& observer_;
  const FastSearch* search_ = nullptr;
};

FastRunResult SearchWholeTree(const SearchSetup& setup, SolutionStore& store, SolveObserver& observer) {
  DirectHooks hooks(store, observer);
  const std::unique_ptr<FastSearch> search = setup.NewSearch(hooks);
  hooks.Attach(*search);
  try {
    search->Run();
  } catch (const std::bad_alloc&) {
    return FastRunResult{hooks.Stats(), false, true};  // the counts reached stay
  }
  return FastRunResult{hooks.Stats(), search->Stopped(), search->OutOfMemory()};
}

// Every run: the tables from `pool`, then the search; `job` null is a run
// held in memory. The pool refusing room for the tables or the searches'
// lists ends the run with what it stored, as when a solution finds no room.
UnitRunResult RunEngine(const PreparedSearch& prep, SolutionStore& store, SolveObserver& observer,
                        int threads, std::size_t memoryLimit, UnitJob* job, const LinkAnalysis* reduceWith,
                        BlockPool* pool, const RuleSwitches& rules) {
  FastTables tables;
  PreparedRules prepared;
  try {
    tables.Build(prep, pool);
    prepared.Build(prep, tables, reduceWith, rules, pool);
    const SearchSetup setup{prep, tables, reduceWith != nullptr ? &prepared : nullptr};
    if (job == nullptr && threads <= 1) return UnitRunResult{SearchWholeTree(setup, store, observer)};
    UnitJob inMemory;
    SubtreeScheduler scheduler(setup, store, observer, job != nullptr ? *job : inMemory, memoryLimit, pool,
                               job == nullptr);
    return scheduler.Run(threads);
  } catch (const std::bad_alloc&) {
    UnitRunResult result;
    result.run.outOfMemory = true;
    result.run.stats.solutionCount = store.Count();
    result.run.stats.found = store.Found();
    result.run.stats.foundAtLeast = store.FoundAtLeast();
    return result;
  }
}

}  // namespace

FastRunResult RunFastEngine(const PreparedSearch& prep, SolutionStore& store, SolveObserver& observer,
                            int threads, const LinkAnalysis* reduceWith, BlockPool* pool,
                            const RuleSwitches& rules) {
  const std::size_t limit = pool != nullptr ? pool->Limit() : DefaultMemoryLimit();
  return RunEngine(prep, store, observer, threads, limit, nullptr, reduceWith, pool, rules).run;
}

UnitRunResult RunUnits(const PreparedSearch& prep, SolutionStore& store, SolveObserver& observer, int threads,
                       std::size_t memoryLimit, UnitJob& job, const LinkAnalysis* reduceWith, BlockPool* pool,
                       const RuleSwitches& rules) {
  return RunEngine(prep, store, observer, threads, memoryLimit, &job, reduceWith, pool, rules);
}

}  // namespace zv
