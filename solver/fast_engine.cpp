// One-thread driver of the fast search: the observer polls and refreshes,
// the store records.
#include "solver/fast_engine.h"

#include <new>
#include <optional>

#include "solver/fast_search.h"
#include "solver/fast_tables.h"
#include "solver/parallel_search.h"

namespace zv {

namespace {

class DirectHooks final : public FastSearchHooks {
 public:
  DirectHooks(SolutionStore& store, SolveObserver& observer) : store_(store), observer_(observer) {}

  void Attach(const FastSearch& search) { search_ = &search; }

  bool StopRequested() override { return store_.Enough() || observer_.StopRequested(); }
  void Refresh() override { observer_.Refresh(Stats()); }
  bool Record(const std::int32_t* chosen) override {
    return store_.Record(chosen) != RecordResult::OutOfMemory;
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

}  // namespace

FastRunResult RunFastEngine(const PreparedSearch& prep, SolutionStore& store, SolveObserver& observer,
                            int threads, const LinkAnalysis* reduceWith, BlockPool* pool,
                            const RuleSwitches& rules) {
  FastTables tables;
  PreparedRules prepared;
  std::optional<DirectHooks> hooks;
  std::optional<FastSearch> search;
  try {
    tables.Build(prep, pool);
    prepared.Build(prep, tables, reduceWith, rules, pool);
    const PreparedRules* reduce = reduceWith != nullptr ? &prepared : nullptr;
    if (threads > 1) return RunParallelSearch(prep, tables, store, observer, threads, reduce);
    hooks.emplace(store, observer);
    search.emplace(prep, tables, *hooks, reduce);
    hooks->Attach(*search);
    search->Run();
    return FastRunResult{hooks->Stats(), search->Stopped(), search->OutOfMemory()};
  } catch (const std::bad_alloc&) {
    // The pool refused room for the tables or the search's lists: the run
    // ends with what it stored, as when a solution finds no room.
    FastRunResult result;
    if (search) result.stats = hooks->Stats();
    result.stats.solutionCount = store.Count();
    result.stats.found = store.Found();
    result.stats.foundAtLeast = store.FoundAtLeast();
    result.outOfMemory = true;
    return result;
  }
}

}  // namespace zv
