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
// Reduced search (with ReductionTables): the same decisions at every step,
// since every count still runs over all usable placements, but at a
// branching a candidate is not searched when its subtree can only hold
// copies or images of what an earlier candidate of the same branching found:
// a placement equivalent to an earlier one (its class is searched once and
// its count multiplied), the image of an earlier candidate under a symmetry
// that carries the state before the branching onto itself, or a placement of
// an unlinked block whose identical twin stands earlier in the branching. At
// a block branching on one of several unplaced twins, each branch keeps the
// other twins beyond the block's placement, and the branching's count is
// multiplied by the number of twins that could have stood there. The
// skipped candidates' complete assignments are counted from the candidate they
// copy, so Assignments() is the full tree's count; after every step a cheap
// test cuts subtrees in which some cell next to the blocks just placed can no
// longer be covered and the spare cells cannot take it. Stored solutions and
// their order stay those of the full search; calls and dead ends are its own.
//
// Splitting for parallel runs: RunSplit(d) searches the levels above d and
// hands every call that would enter level d to Hooks::Subtree with the path
// of branch numbers leading there; RunSubtree(path) walks that path silently
// (nothing counted) and searches the subtree below it, whose complete
// assignments of the full tree SubtreeAssignments() then gives. A reduced
// search counts the branches it leaves out from those it searched, so the
// levels above d know their count only once every subtree's is known:
// RunResolved(d, counts) walks them again with those counts (in subtree
// order), and Assignments() is then the whole tree's.
//
// Places inside a subtree (solver/work_units.h): with KeepPlaces(true) a
// stop that lands inside the subtree being searched leaves its place
// (TakePlace): the branch numbers from the subtree's root down to the call
// the stop came before, what each branching on that path had counted, and
// the subtree's assignment count then. RunSubtree(path, place) goes on from
// such a place: it walks down silently, takes each branching's counts back,
// leaves out every branch before the place's, and searches on from the
// call the stop came before; counters and records then continue exactly as
// the uninterrupted search would have. A place that does not lie in the
// tree ends the search at once (Misfit()); Reaches(path, place) only walks
// down to tell.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "solver/fast_tables.h"
#include "solver/prepare.h"
#include "solver/prepared_rules.h"
#include "solver/work_units.h"

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
  // Without rules (or with rules prepared without a link analysis) the
  // search walks the full tree. `rules` is read, never written, and may be
  // shared by any number of searches at once.
  FastSearch(const PreparedSearch& prep, const FastTables& tables, FastSearchHooks& hooks,
             const PreparedRules* rules = nullptr);

  void Run();
  void RunSplit(int depth);
  void RunSubtree(std::span<const std::int32_t> path, const UnitPlace* from = nullptr);
  bool Reaches(std::span<const std::int32_t> path, const UnitPlace& place);
  void KeepPlaces(bool keep) { keepPlaces_ = keep; }
  // After a stop inside the last subtree: whether it left a place, and the
  // place's steps and assignment count (the rest of `out` is the caller's).
  bool PlaceKept() const { return capturing_; }
  void TakePlace(UnitPlace& out);
  bool Misfit() const { return misfit_; }
  void RunResolved(int depth, std::span<const std::uint64_t> counts);
  std::uint64_t SubtreeAssignments() const { return subtreeAssignments_; }
  bool SubtreeOverflowed() const { return subtreeOverflow_; }

  std::uint64_t DeadEnds() const { return deadEnds_; }
  std::uint64_t SearchCalls() const { return searchCalls_; }
  // Share of the search tree finished: the sum over finished calls without
  // children of the product of 1 / (number of branches) along their path.
  double Explored() const { return explored_; }
  // Complete assignments of the full tree found so far, and whether the
  // count passed 2^64 - 1 and is only a lower bound.
  std::uint64_t Assignments() const { return assignments_; }
  bool AssignmentsOverflowed() const { return assignmentsOverflow_; }
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
  // What becomes of a branch: skipped when a replay follows another one,
  // handed over as a subtree (or counted from its subtree's known count
  // when resolving), or searched now.
  enum class Branch { Skip, Handed, Search };
  // Entered for every branch, so the common case (no walk, no split at the
  // next level) stays inline; HandOver deals with the split level.
  Branch Enter(int level, int index, double weight) {
    if (level < rootLevel_ && replay_[level] != index) return Branch::Skip;
    path_[level] = index;
    onPath_[level + 1] =
        onPath_[level] != 0 && level < static_cast<int>(replay_.size()) && replay_[level] == index;
    if (level + 1 != splitDepth_) return Branch::Search;
    return HandOver(level, weight);
  }
  Branch HandOver(int level, double weight);
  bool Halted();
  // Places: the step a branching at `level` goes on from, or null when it
  // starts afresh; the walk that missed its place; the step a branching
  // leaves when a stop unwinds through it (`handledFrom` to `handledTo`: the
  // list entries before its branch, whose noted classes it keeps).
  const PlaceStep* Resuming(int level) const;
  void Lost();
  PlaceStep& LeaveStep(int branch, std::uint64_t before, std::uint64_t start);
  void KeepHandled(PlaceStep& step, std::size_t handledFrom, std::size_t handledTo, std::uint32_t stamp);
  void TakeHandled(const PlaceStep& step, std::uint32_t stamp);
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
  // Reduced search: counting, symmetric copies, the dead-cell test.
  void AddAssignments(std::uint64_t count);
  std::uint64_t Times(std::uint64_t count, std::uint64_t factor);
  void NarrowSymmetries(std::int32_t placement);
  // Whether class `cls` is the image, under a symmetry of `mask`, of a
  // candidate already handled in the branching stamped `stamp`; then `count`
  // is that candidate's full count.
  bool ImageOfEarlier(std::int32_t cls, std::uint32_t stamp, std::uint64_t mask, std::uint64_t& count) const;
  // Marks a handled class of the branching with its full count.
  void Handled(std::int32_t cls, std::uint32_t stamp, std::uint64_t count);
  // New-group branchings: whether placement p is left out (a later class
  // member, or an image under `mask` of a handled one, or a twin's copy),
  // counting what it stands for; and, after p was searched, its class's
  // copies.
  bool SkipPlacement(std::int32_t p, std::uint32_t stamp, std::uint64_t mask, double share);
  bool SkipTwin(std::int32_t p, std::uint32_t stamp, double share);
  void CountCopies(std::int32_t p, std::uint32_t stamp, std::uint64_t before, double share);
  // Sizes the per-search state of the rules.
  void PrepareRuleState();
  // Whether placement p puts a twin at or below its family's bound.
  bool TwinOutOfOrder(std::int32_t p) const;
  // At a block branching on the lowest unplaced member of a family with
  // others unplaced: the last entry of its range in the current list whose
  // branch can still complete with the other members beyond it, -1 when
  // none can; `slack` is how many more cells may stay empty.
  int TwinCutoff(int block, int slack) const;
  // Whether the regions of empty cells waste more cells than `surplus`
  // spare cells: too small, or more of them than groups of linked blocks.
  // `one` tells whether the empty cells form one region.
  // `known`, when given, is one region of `open` found already.
  bool SplitRegions(const CellMask& open, const LinkConstraint* list, int count, int surplus, bool& one,
                    const CellMask* known = nullptr) const;
  // The groups of unplaced blocks, their sizes and the regions each may go
  // into, into groupSize_ and groupRegions_; returns how many, or -1 when a
  // group may go nowhere. Anchored: found from the unsettled hinges of
  // `list`, when every group hangs from one; loose: every group, anywhere.
  int AnchoredGroups(const LinkConstraint* list, int count, int found) const;
  int LooseGroups() const;
  int GroupSize(int start, int group) const;  // the cubes of start's group, marking its blocks
  // The cuts after a chain step's forced moves, `before` being the cells
  // occupied when the step began; keeps oneRegion_ up to date.
  bool Cut(int level, const CellMask& before, int surplus);
  bool CutWord(int level, std::uint64_t before, int surplus);  // the same, for a whole box in one word
  // Whether placing candidate `q` of the branching constraint `branch` at
  // `level` would leave a link constraint without a usable candidate, so
  // that the call would end at once.
  bool DeadOnArrival(int level, const LinkConstraint& branch, std::int32_t q) const;
  // Whether more open cells lack room for their cube's face partners than
  // spare cells and unplaced cubes with that few partners can account for.
  bool ThinCells(const CellMask& open, const CellMask& ends, int surplus) const;
  bool ThinCellsWord(std::uint64_t open, std::uint64_t ends, int surplus) const;  // a whole box in one word
  LinkConstraint* Constraints(int level) {
    return constraints_.data() + static_cast<std::size_t>(level) * hingeRoom_;
  }
  const LinkConstraint* Constraints(int level) const {
    return constraints_.data() + static_cast<std::size_t>(level) * hingeRoom_;
  }
  std::uint64_t* Reach(int level) { return reach_.data() + static_cast<std::size_t>(level) * hingeRoom_; }
  const std::uint64_t* Reach(int level) const {
    return reach_.data() + static_cast<std::size_t>(level) * hingeRoom_;
  }

  static constexpr int kDeadEnd = -2;
  static constexpr int kRestart = -3;

  const PreparedSearch& prep_;
  const FastTables& t_;
  FastSearchHooks& hooks_;
  std::size_t hingeRoom_;

  PoolVector<std::uint8_t> blockAvailable_;  // B
  CellMask occupiedMask_;                    // cells covered, or left empty on purpose
  CellMask formCells_;                       // every form cell
  bool oneWord_ = false;                     // the form has at most 64 cells: masks are one word
  bool wordBox_ = false;                     // a whole box in one word, with the cuts on: CutWord
  // A stack of placement lists, one per new-group step on the current path
  // (the top one holds every available placement), each ascending. List d
  // keeps the placements of block g at lists_[bounds[g], bounds[g + 1]),
  // bounds = listBounds_ + d * (B + 1); a placed block's range is empty in
  // the lists made after it was placed, so a range's length is the block's
  // usable count at the step that made the list.
  PoolVector<std::int32_t> lists_;
  PoolVector<std::uint32_t> listBounds_;  // (levels + 1) x (B + 1)
  std::size_t listDepth_ = 0;             // the current list's number
  std::size_t listTop_ = 0;               // end of the stack's used part
  const std::uint32_t* ListBounds() const {
    return listBounds_.data() + listDepth_ * (static_cast<std::size_t>(prep_.blockCount) + 1);
  }
  PoolVector<std::uint8_t> slotUsed_;       // S
  PoolVector<std::int32_t> chosen_;         // B
  PoolVector<LinkConstraint> constraints_;  // levels x H
  // Forms of at most 64 cells: beside each constraint of constraints_, a
  // word holding the cells of all its candidates (from the tables' masks
  // when it is added, then from those the scan keeps). The scan passes over
  // a constraint whose candidates' cells were not filled since it last
  // looked, and the arrival test over one whose candidates the placement
  // tested misses.
  PoolVector<std::uint64_t> reach_;           // levels x H, one-word forms only
  PoolVector<std::int32_t> constraintCount_;  // levels
  PoolVector<std::int32_t> placedStack_;      // blocks placed on the current path, in order
  int placedTop_ = 0;
  PoolVector<std::int16_t> slotStack_;  // slots marked on the current path, in order
  int slotTop_ = 0;
  PoolVector<std::int32_t> path_;  // branch number taken at each level

  int splitDepth_ = -1;                   // RunSplit's level, -1 when not splitting
  std::span<const std::int32_t> replay_;  // RunSubtree's path, then the place's branches
  PoolVector<std::int32_t> replayRoom_;   // levels: room for that path
  int rootLevel_ = -1;                    // the level of the subtree's root; -1 outside one
  PoolVector<std::uint8_t> onPath_;       // levels + 1: the call at a level follows replay_
  const UnitPlace* from_ = nullptr;       // the place RunSubtree goes on from
  bool reached_ = false;                  // the walk came to the place's call
  bool probing_ = false;                  // Reaches: stop there
  bool misfit_ = false;                   // the place does not lie in the tree
  bool keepPlaces_ = false;
  bool capturing_ = false;  // a stop inside the subtree unwinds, leaving its place
  UnitPlace captured_;
  bool resolving_ = false;  // RunResolved: subtrees are counted, not handed over
  std::span<const std::uint64_t> resolved_;
  std::size_t resolvedNext_ = 0;
  std::uint64_t subtreeAssignments_ = 0;
  bool subtreeOverflow_ = false;
  // The share the subtrees searched so far explored; the walk down to a
  // subtree counts the shares of branches it passes, which are not its own.
  double subtreesExplored_ = 0;

  const PreparedRules* rules_ = nullptr;
  const ReductionTables* red_ = nullptr;  // null: the full tree
  // The rules that apply: switched on, in a reduced search.
  bool thinCells_ = false, splitRegions_ = false, deadOnArrival_ = false, twinExchange_ = false;
  std::uint64_t symmetries_ = 1;          // branch symmetries that keep the current state
  PoolVector<std::uint32_t> stamp_;       // P: the branching that last handled a class
  PoolVector<std::uint64_t> classCount_;  // P: full count of a handled class in that branching
  std::uint32_t stampCounter_ = 0;
  // The cubes with no face partner, with at most one, of the unplaced blocks.
  int fewLeft_[2] = {0, 0};
  // SplitRegions' count, made only when it runs, which is rare next to the
  // placements: whether some part of the figure has no block placed.
  bool FreePartLeft() const;
  mutable PoolVector<std::uint32_t> partSeen_;  // per part: groupStamp_ when a placed block was seen
  // Scratch of SplitRegions.
  mutable PoolVector<CellMask> regionMasks_;         // N: the cells of each region
  mutable PoolVector<std::uint64_t> groupRegions_;   // B: regions a group may go into, bit per region
  mutable PoolVector<int> groupIndex_, groupStack_;  // B
  mutable PoolVector<std::uint32_t> visited_;        // B: groupStamp_ when seen
  mutable std::uint32_t groupStamp_ = 0;
  void NextGroupStamp() const;  // a fresh stamp for visited_ and partSeen_
  // Whether the empty cells formed one region when the cuts last ran on
  // the current path; false when unknown.
  bool oneRegion_ = false;
  // Counts the cubes with few face partners of a block being placed (+1)
  // or lifted (-1).
  void CountPartners(int block, int by) {
    const PreparedRules& r = *rules_;
    fewLeft_[0] -= by * r.fewPartners[2 * block];
    fewLeft_[1] -= by * r.fewPartners[2 * block + 1];
    if (r.familyOf[block] >= 0) twinsLeft_[r.familyOf[block]] -= by;
  }
  // Twin families (PreparedRules::familyOf), by their lowest block: the
  // members unplaced, and the placement offset every unplaced member must
  // lie beyond (-1: none).
  PoolVector<std::int32_t> twinsLeft_, twinBound_;  // B
  mutable PoolVector<int> groupOf_, groupSize_;     // B: scratch of SplitRegions
  mutable PoolVector<int> regionSizes_;             // N: scratch of SplitRegions
  std::uint64_t assignments_ = 0;
  bool assignmentsOverflow_ = false;

  std::uint32_t callCounter_ = 0;
  std::uint64_t deadEnds_ = 0;
  std::uint64_t searchCalls_ = 0;
  double explored_ = 0;
  bool stopped_ = false;
  bool outOfMemory_ = false;
};

}  // namespace zv
