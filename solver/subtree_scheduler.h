// The one scheduler of runs over several subtrees: it cuts the tree
// (solver/subtree_cut.h), checks the unit results and places a job brings,
// lets workers take the units still to do in order (or searches them in the
// calling thread), merges finished units in unit order through the run's
// one solution store, and at the end of a whole run walks the top of the
// tree again with every unit's count (the reduced search counts there what
// it left out).
//
// Every unit is searched into a store of its own that keeps the first
// member of each class met in it, with its keys under every symmetry;
// merging feeds, unit by unit, the complete assignments the top found
// before the unit and then its first members (looked up by the keys the
// unit built, when it has them, rather than building them again), so
// the stored solutions, their order, the counters and the 10000 limit are
// those of the one-thread search, whatever the threads and the scheduling.
// Only the calling thread talks to the observer: it polls the stop request
// and refreshes about every 20 ms.
//
// A job kept in a file (a checkpoint, a part) keeps every unit's first
// members and the merge's record; a run held in memory (a Solve) drops
// what it merged and ends once the store holds the solutions it stops
// after.
#pragma once

#include <cstddef>

#include "solver/fast_engine.h"
#include "solver/subtree_cut.h"

namespace zv {

class SubtreeScheduler {
 public:
  // `memoryLimit` bounds the whole run: `runPool` (the store's and the
  // tables', when given) and the unit stores at work, which share what the
  // tables leave with the merged store (the pool's limit is lowered to its
  // share).
  SubtreeScheduler(const SearchSetup& setup, SolutionStore& store, SolveObserver& observer, UnitJob& job,
                   std::size_t memoryLimit, BlockPool* runPool, bool inMemory);
  ~SubtreeScheduler();
  SubtreeScheduler(const SubtreeScheduler&) = delete;
  SubtreeScheduler& operator=(const SubtreeScheduler&) = delete;

  UnitRunResult Run(int threads);

 private:
  bool Refuse(UnitCheck why);
  void ShareMemory(int threads);
  bool CheckDone();
  bool CheckBegun();
  const UnitPlace* PlaceOf(std::uint32_t unit) const;
  void Stand(UnitPlace&& place, std::uint32_t unit);
  void KeepMergeIfItFits();
  void Feed(std::vector<std::int32_t>& assignments, const std::vector<std::uint8_t>& imageKeys = {});
  void MergeReady();
  void Finished(UnitResult&& result, std::vector<std::uint8_t>&& firstKeys);
  SolveStats Stats(std::uint64_t calls, std::uint64_t deadEnds, double explored) const;
  void Resolve(SolveStats& stats) const;
  void SearchHere();
  void SearchOnWorkers(int threads);
  bool Ended() const { return stopped_ || outOfMemory_ || refused_; }

  const SearchSetup& setup_;
  SolutionStore& store_;
  SolveObserver& observer_;
  UnitJob& job_;
  std::size_t limit_;          // the whole run's
  BlockPool* runPool_;         // the tables' and the merged store's, or null
  bool inMemory_;              // drop merged first members; keep no merge record
  std::size_t unitLimit_ = 0;  // each unit store's share

  TopOfTree top_;
  std::vector<std::int64_t> slot_;   // per unit: its place in job_.done, -1 when not done
  std::vector<std::uint32_t> todo_;  // units of the part to search, ascending
  std::vector<UnitPlace> from_;      // the places the run began with
  std::uint32_t merged_ = 0;         // units fed to the store, in order
  std::size_t fed_ = 0;              // assignments fed to the store
  bool noting_ = true;               // job_.mergedNew follows the feed
  // Per unit finished and not merged yet: its first members' keys under
  // every symmetry, as its searcher's store built them (or none).
  std::vector<std::vector<std::uint8_t>> firstKeys_;
  bool trailingFed_ = false;
  bool foundAtLeast_ = false;  // some unit's class list was cut short
  double partWeight_ = 0, doneWeight_ = 0;
  bool stopped_ = false;
  bool outOfMemory_ = false;
  bool refused_ = false;  // job_.check says why
};

}  // namespace zv
