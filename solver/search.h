// The reference placement search: a depth-first search with forward checking
// over the prepared placements. Placing a block brings in its hinge
// constraints; a constraint left with one candidate is applied at once
// (a forced move); otherwise the search branches on the constraint with the
// fewest candidates, and when none is open it starts a new group of blocks by
// branching on the block with the fewest usable placements or on the form
// cell the fewest placements can cover (or, with empty cells to spare, on
// leaving that cell empty). Complete assignments go to the solution store.
//
// Usage:
//   zv::PlacementSearch search(prep, store, observer);
//   if (!search.Allocate(pool)) -> out of memory
//   search.Run();
//   search.DeadEnds(), search.Stopped(), search.OutOfMemory()
#pragma once

#include <cstdint>

#include "solver/block_pool.h"
#include "solver/prepare.h"
#include "solver/solution_store.h"
#include "solver/solver.h"

namespace zv {

// The working state of one recursion depth; a branch copies its level into
// the next one and the callee changes only that copy.
struct SearchLevel {
  std::uint8_t* blockAvailable;      // B: 1 while the block is not placed
  std::uint8_t* placementAvailable;  // P: 1 while the placement may still be used here
  std::uint8_t* cellOccupied;        // N: 1 for cells covered, or left empty on purpose
  std::uint8_t* slotUsed;            // S: 1 for lattice edge slots of folded hinges
  std::int32_t constraintCount;      // entries in `constraints`
  LinkConstraint* constraints;       // room for H
};

class PlacementSearch {
 public:
  PlacementSearch(const PreparedSearch& prep, SolutionStore& store, SolveObserver& observer);

  // Takes the levels and the shared arrays from the pool before the search.
  bool Allocate(BlockPool& pool);
  void Run();

  std::uint64_t DeadEnds() const { return deadEnds_; }
  std::uint64_t SearchCalls() const { return searchCalls_; }
  bool Stopped() const { return stopped_; }
  bool OutOfMemory() const { return outOfMemory_; }
  SolveStats Stats() const;

 private:
  // One call: place `block` with `placement` (block < 0: nothing to place),
  // then settle the constraints or branch. `surplus` is how many form cells
  // may still stay empty below this call.
  void Call(int level, int blocksLeft, int block, std::int32_t placement, int surplus);
  void Place(SearchLevel& L, int block, std::int32_t placement, int& blocksLeft, int& pending);
  // Settles constraints until none is open or each open one has two or more
  // candidates; returns the best open constraint, -1 when none is open, or
  // kDeadEnd when a constraint cannot be kept.
  int Scan(SearchLevel& L, int& blocksLeft, int& pending);
  // One pass from the first constraint; kRestart after a forced move.
  int ScanPass(SearchLevel& L, int& blocksLeft, int& pending);
  void BranchOnConstraint(int level, int blocksLeft, int best, int surplus);
  void StartNewGroup(int level, int blocksLeft, int surplus);
  void EnterChild(int level);  // copies the four flag arrays of `level` into level + 1
  bool Overlaps(const SearchLevel& L, std::int32_t placement) const;
  bool Halted();

  static constexpr int kDeadEnd = -2;
  static constexpr int kRestart = -3;

  const PreparedSearch& prep_;
  SolutionStore& store_;
  SolveObserver& observer_;

  SearchLevel* levels_ = nullptr;       // B + X + 1
  std::int32_t* chosen_ = nullptr;      // B: placement of each placed block on the path
  std::int32_t* cellCounts_ = nullptr;  // N: scratch of the new-group step
  int slotCount_ = 0;                   // S

  std::uint32_t callCounter_ = 0;  // calls since the last refresh
  std::uint64_t deadEnds_ = 0;
  std::uint64_t searchCalls_ = 0;
  bool stopped_ = false;
  bool outOfMemory_ = false;
};

}  // namespace zv
