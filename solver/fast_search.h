// The fast placement search: the same depth-first search as the reference
// engine, call for call and branch for branch, so it finds the same complete
// assignments in the same order and counts the same dead ends and calls, but
// it keeps one search state and undoes its changes on return instead of
// copying flag arrays into every level.
//
// A placement is usable exactly when the consistency filter left it available
// and none of its cells is occupied; the engine tests that with cell bit masks.
// A new-group step needs the usable placements of the unplaced blocks; it
// takes them from the list the nearest new-group step above it made (or from
// all available placements at the top) and keeps those still usable in a new
// list on a stack, block by block, so a block's usable count is the length of
// its range. The union of the kept masks shows the cells no placement can
// cover; per-cell counts are made only when the step is no dead end and a
// cell could win over the best block. Lists shrink with depth, so each step
// looks only at what its parent kept.
//
// Usage:
//   zv::FastTables tables; tables.Build(prep);
//   MyHooks hooks;                                   // stop, refresh, record
//   zv::FastSearch search(prep, tables, hooks);
//   search.Run();                                    // or RunSplit / RunSubtree
//   search.DeadEnds(), search.SearchCalls(), search.Explored()
//
// Splitting for parallel runs: RunSplit(d) searches the levels above d and
// hands every call that would enter level d to Hooks::Subtree with the path
// of branch numbers leading there; RunSubtree(path) walks that path silently
// (nothing counted) and searches the subtree below it.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "solver/fast_tables.h"
#include "solver/prepare.h"

namespace zv {

// What a fast search asks of the code driving it.
class FastSearchHooks {
 public:
  virtual ~FastSearchHooks() = default;
  virtual bool StopRequested() = 0;  // polled at the start of every call
  virtual void Refresh() = 0;        // on every 1002nd counted call
  // A complete assignment: chosen[b] is the placement of block b. Returns
  // false when it could not be kept for lack of memory; the search then ends.
  virtual bool Record(const std::int32_t* chosen) = 0;
  // Only for RunSplit: a call entering the split level, reached through
  // `path` (the branch number taken at each level above), carrying `weight`,
  // its share of the whole search tree.
  virtual void Subtree(std::span<const std::int32_t> path, double weight) = 0;
};

class FastSearch {
 public:
  FastSearch(const PreparedSearch& prep, const FastTables& tables, FastSearchHooks& hooks);

  void Run();
  void RunSplit(int depth);
  void RunSubtree(std::span<const std::int32_t> path);

  std::uint32_t DeadEnds() const { return deadEnds_; }
  std::uint64_t SearchCalls() const { return searchCalls_; }
  // Share of the search tree finished: the sum over finished calls without
  // children of the product of 1 / (number of branches) along their path.
  double Explored() const { return explored_; }
  bool Stopped() const { return stopped_; }
  bool OutOfMemory() const { return outOfMemory_; }
  const std::int32_t* Chosen() const { return chosen_.data(); }

 private:
  void Reset();
  void Call(int level, int blocksLeft, int block, std::int32_t placement, int surplus, double weight);
  void Place(int level, int block, std::int32_t placement, int& blocksLeft, int& pending);
  void MarkSlot(int slot);
  // Lifts the blocks placed and frees the slots marked since the marks, and
  // gives back the occupied cells as they were.
  void Undo(int placedMark, int slotMark, const CellMask& occupied);
  // Whether none of the cells of a placement taken from the tables (so an
  // available one) is occupied.
  bool Usable(std::int32_t placement) const;
  int Scan(int level, int& blocksLeft, int& pending);
  int ScanPass(int level, int& blocksLeft, int& pending);
  void BranchOnConstraint(int level, int blocksLeft, int best, int surplus, double weight);
  void StartNewGroup(int level, int blocksLeft, int surplus, double weight);
  // Whether a branch is to be searched now: false when a replay follows
  // another branch, or when the branch is handed over as a subtree.
  bool Enter(int level, int index, double weight);
  bool Halted();
  static constexpr std::int32_t kNoCountYet = 10000;  // more than a step's list is compared against
  // What a new-group step's filter found: the cells the kept placements
  // reach, whether an unplaced block kept none, and the first unplaced
  // block with the fewest kept (-1 and kNoCountYet when every unplaced block
  // keeps that many or more).
  struct Filtered {
    CellMask reach;
    bool emptyBlock = false;
    int bestBlock = -1;
    std::int32_t bestBlockCount = kNoCountYet;
  };
  // Keeps the still usable placements of unplaced blocks from the current
  // list in a new one on the stack, one level deeper.
  Filtered Filter();
  template <int kWords>
  Filtered FilterWith();
  // Copies the placements of the current list that cover `cell` above the
  // stack's top, in list order, and moves the top past them, so the
  // children's lists go above; returns where the copies start. The step's
  // end gives the room back with its list.
  std::size_t GatherCovering(int cell);
  // The form cell the fewest placements of the current list cover, among
  // those some placement covers (the first in form order on a tie), and
  // that number; {-1, kNoCountYet} for an empty list.
  struct CellChoice {
    int cell;
    std::int32_t count;
  };
  CellChoice LeastCoveredCell() const;
  template <int kWords>
  CellChoice LeastCoveredCellWith() const;
  LinkConstraint* Constraints(int level) { return constraints_.data() + static_cast<std::size_t>(level) * hingeRoom_; }

  static constexpr int kDeadEnd = -2;
  static constexpr int kRestart = -3;

  const PreparedSearch& prep_;
  const FastTables& t_;
  FastSearchHooks& hooks_;
  std::size_t hingeRoom_;

  std::vector<std::uint8_t> blockAvailable_;  // B
  CellMask occupiedMask_;                     // cells covered, or left empty on purpose
  CellMask formCells_;                        // every form cell
  // A stack of placement lists, one per new-group step on the current path
  // (the top one holds every available placement), each ascending. List d
  // keeps the placements of block g at lists_[bounds[g], bounds[g + 1]),
  // bounds = listBounds_ + d * (B + 1); a placed block's range is empty in
  // the lists made after it was placed, so a range's length is the block's
  // usable count at the step that made the list.
  std::vector<std::int32_t> lists_;
  std::vector<std::uint32_t> listBounds_;     // (levels + 1) x (B + 1)
  std::size_t listDepth_ = 0;                 // the current list's number
  std::size_t listTop_ = 0;                   // end of the stack's used part
  const std::uint32_t* ListBounds() const {
    return listBounds_.data() + listDepth_ * (static_cast<std::size_t>(prep_.blockCount) + 1);
  }
  std::vector<std::uint8_t> slotUsed_;        // S
  std::vector<std::int32_t> chosen_;          // B
  std::vector<LinkConstraint> constraints_;   // levels x H
  std::vector<std::int32_t> constraintCount_; // levels
  std::vector<std::int32_t> placedStack_;     // blocks placed on the current path, in order
  int placedTop_ = 0;
  std::vector<std::int16_t> slotStack_;       // slots marked on the current path, in order
  int slotTop_ = 0;
  std::vector<std::int32_t> path_;            // branch number taken at each level

  int splitDepth_ = -1;                       // RunSplit's level, -1 when not splitting
  std::span<const std::int32_t> replay_;      // RunSubtree's path

  std::uint32_t callCounter_ = 0;
  std::uint32_t deadEnds_ = 0;
  std::uint64_t searchCalls_ = 0;
  double explored_ = 0;
  bool stopped_ = false;
  bool outOfMemory_ = false;
};

}  // namespace zv
