// The reference placement search, step by step: stop poll and progress,
// place, scan with forced moves, branch on a constraint, record a complete
// assignment, or start a new group. Dead ends are counted at exactly five
// places: a placed neighbour outside the candidate list, a placed neighbour
// whose fold slot is taken, an emptied candidate list, a block without usable
// placements, and more uncovered cells than may stay empty.
#include "solver/search.h"

#include <algorithm>
#include <cstring>

namespace zv {

namespace {

// The refresh runs when the call counter, before its increment, exceeds
// 1000: on the 1002nd call, then every 1002 calls.
constexpr std::uint32_t kCallsBetweenRefreshes = 1000;
constexpr int kNoCandidateYet = 10;  // more than any candidate count
constexpr std::int32_t kNoCountYet = 10000;

}  // namespace

PlacementSearch::PlacementSearch(const PreparedSearch& prep, SolutionStore& store, SolveObserver& observer)
    : prep_(prep), store_(store), observer_(observer) {}

bool PlacementSearch::Allocate(BlockPool& pool) {
  const std::size_t b = static_cast<std::size_t>(prep_.blockCount);
  const std::size_t p = static_cast<std::size_t>(std::max(prep_.placementCount, 1));
  const std::size_t n = static_cast<std::size_t>(prep_.formCellCount);
  slotCount_ = prep_.latticeEdgeCount;
  const std::size_t s = static_cast<std::size_t>(std::max(slotCount_, 1));
  const std::size_t h = static_cast<std::size_t>(std::max(prep_.hingeCount, 1));
  // Every call below level 0 places a block or leaves a cell empty on purpose.
  const std::size_t levelCount = b + static_cast<std::size_t>(prep_.surplus) + 1;
  levels_ = pool.AllocateArray<SearchLevel>(levelCount);
  chosen_ = pool.AllocateArray<std::int32_t>(b);
  cellCounts_ = pool.AllocateArray<std::int32_t>(n);
  if (levels_ == nullptr || chosen_ == nullptr || cellCounts_ == nullptr) return false;
  for (std::size_t d = 0; d < levelCount; ++d) {
    SearchLevel& L = levels_[d];
    L.blockAvailable = pool.AllocateArray<std::uint8_t>(b);
    L.placementAvailable = pool.AllocateArray<std::uint8_t>(p);
    L.cellOccupied = pool.AllocateArray<std::uint8_t>(n);
    L.slotUsed = pool.AllocateArray<std::uint8_t>(s);
    L.constraintCount = 0;
    L.constraints = pool.AllocateArray<LinkConstraint>(h);
    if (pool.Exhausted()) return false;
  }
  SearchLevel& top = levels_[0];
  std::fill(top.blockAvailable, top.blockAvailable + b, std::uint8_t{1});
  std::copy(prep_.placementAvailable, prep_.placementAvailable + prep_.placementCount,
            top.placementAvailable);
  std::fill(top.cellOccupied, top.cellOccupied + n, std::uint8_t{0});
  std::fill(top.slotUsed, top.slotUsed + s, std::uint8_t{0});
  return true;
}

void PlacementSearch::Run() { Call(0, prep_.blockCount, -1, -1, prep_.surplus); }

SolveStats PlacementSearch::Stats() const {
  SolveStats stats{deadEnds_, store_.Count(), store_.Assignments(), searchCalls_};
  stats.found = store_.Found();
  stats.foundAtLeast = store_.FoundAtLeast();
  return stats;
}

bool PlacementSearch::Halted() {
  if (stopped_ || outOfMemory_) return true;
  stopped_ = store_.Enough() || observer_.StopRequested();
  return stopped_;
}

bool PlacementSearch::Overlaps(const SearchLevel& L, std::int32_t placement) const {
  const Placement& p = prep_.placements[placement];
  const int size = prep_.blocks[p.block].cubeCount;
  for (int j = 0; j < size; ++j)
    if (L.cellOccupied[p.cells[j]]) return true;
  return false;
}

void PlacementSearch::Place(SearchLevel& L, int block, std::int32_t placement, int& blocksLeft,
                            int& pending) {
  const Placement& p = prep_.placements[placement];
  chosen_[block] = placement;
  L.blockAvailable[block] = 0;
  --blocksLeft;
  const int size = prep_.blocks[block].cubeCount;
  for (int j = 0; j < size; ++j) L.cellOccupied[p.cells[j]] = 1;
  for (int k = 0; k < p.constraintCount; ++k) {
    const LinkConstraint& c = p.constraints[k];
    if (!L.blockAvailable[c.neighbourBlock]) continue;
    L.constraints[L.constraintCount++] = c;
    ++pending;
  }
}

int PlacementSearch::Scan(SearchLevel& L, int& blocksLeft, int& pending) {
  for (;;) {
    const int result = ScanPass(L, blocksLeft, pending);
    if (result != kRestart) return result;
  }
}

int PlacementSearch::ScanPass(SearchLevel& L, int& blocksLeft, int& pending) {
  int best = -1;
  int bestCount = kNoCandidateYet;
  for (int i = 0; i < L.constraintCount; ++i) {
    LinkConstraint& c = L.constraints[i];
    if (c.done) continue;

    if (!L.blockAvailable[c.neighbourBlock]) {
      // The partner is placed: its placement must be one of the candidates.
      const std::int32_t placed = chosen_[c.neighbourBlock];
      int at = -1;
      for (int k = 0; k < c.candidateCount && at < 0; ++k)
        if (c.candidates[k] == placed) at = k;
      if (at < 0) return kDeadEnd;
      if (at == c.foldIndex) {
        if (L.slotUsed[c.slot]) return kDeadEnd;
        L.slotUsed[c.slot] = 1;
      }
      c.done = 1;
      --pending;
      continue;
    }

    int kept = 0;
    int fold = -1;
    for (int k = 0; k < c.candidateCount; ++k) {
      const std::int32_t candidate = c.candidates[k];
      if (!L.placementAvailable[candidate]) continue;
      if (Overlaps(L, candidate)) {
        L.placementAvailable[candidate] = 0;  // unusable in every branch below
        continue;
      }
      if (k == c.foldIndex) {
        if (L.slotUsed[c.slot]) continue;  // dropped here only; the flag stays
        fold = kept;
      }
      c.candidates[kept++] = candidate;
    }
    c.candidateCount = static_cast<std::int8_t>(kept);
    c.foldIndex = static_cast<std::int8_t>(fold);
    if (kept == 0) return kDeadEnd;
    if (kept == 1) {
      c.done = 1;
      --pending;
      if (fold == 0) L.slotUsed[c.slot] = 1;
      Place(L, c.neighbourBlock, c.candidates[0], blocksLeft, pending);
      return kRestart;
    }
    if (kept < bestCount) {
      bestCount = kept;
      best = i;
    }
  }
  return best;
}

void PlacementSearch::Call(int level, int blocksLeft, int block, std::int32_t placement, int surplus) {
  if (Halted()) return;
  ++searchCalls_;
  if (callCounter_++ > kCallsBetweenRefreshes) {
    callCounter_ = 0;
    observer_.Refresh(Stats());
  }
  SearchLevel& L = levels_[level];
  int pending = L.constraintCount;
  if (block >= 0) Place(L, block, placement, blocksLeft, pending);

  const int best = Scan(L, blocksLeft, pending);
  if (best == kDeadEnd) {
    ++deadEnds_;
    return;
  }
  if (pending > 0) {
    BranchOnConstraint(level, blocksLeft, best, surplus);
  } else if (blocksLeft == 0) {
    if (store_.Record(Assignment(chosen_)) == RecordResult::OutOfMemory) outOfMemory_ = true;
  } else {
    StartNewGroup(level, blocksLeft, surplus);
  }
}

void PlacementSearch::EnterChild(int level) {
  const SearchLevel& from = levels_[level];
  SearchLevel& to = levels_[level + 1];
  std::memcpy(to.blockAvailable, from.blockAvailable, static_cast<std::size_t>(prep_.blockCount));
  std::memcpy(to.placementAvailable, from.placementAvailable, static_cast<std::size_t>(prep_.placementCount));
  std::memcpy(to.cellOccupied, from.cellOccupied, static_cast<std::size_t>(prep_.formCellCount));
  std::memcpy(to.slotUsed, from.slotUsed, static_cast<std::size_t>(slotCount_));
  to.constraintCount = 0;
}

void PlacementSearch::BranchOnConstraint(int level, int blocksLeft, int best, int surplus) {
  SearchLevel& L = levels_[level];
  SearchLevel& next = levels_[level + 1];
  const LinkConstraint& branch = L.constraints[best];
  L.constraints[best].done = 1;
  for (int v = 0; v < branch.candidateCount; ++v) {
    EnterChild(level);
    if (v == branch.foldIndex) next.slotUsed[branch.slot] = 1;
    for (int i = 0; i < L.constraintCount; ++i)
      if (!L.constraints[i].done) next.constraints[next.constraintCount++] = L.constraints[i];
    Call(level + 1, blocksLeft, branch.neighbourBlock, branch.candidates[v], surplus);
  }
}

void PlacementSearch::StartNewGroup(int level, int blocksLeft, int surplus) {
  SearchLevel& L = levels_[level];
  const int n = prep_.formCellCount;
  std::fill(cellCounts_, cellCounts_ + n, 0);

  int bestBlock = -1;
  std::int32_t bestBlockCount = kNoCountYet;
  for (int g = 0; g < prep_.blockCount; ++g) {
    if (!L.blockAvailable[g]) continue;
    const BlockInfo& info = prep_.blocks[g];
    std::int32_t usable = 0;
    for (int p = info.firstPlacement; p < info.endPlacement; ++p) {
      if (!L.placementAvailable[p]) continue;
      if (Overlaps(L, p)) {
        L.placementAvailable[p] = 0;
        continue;
      }
      ++usable;
      for (int j = 0; j < info.cubeCount; ++j) ++cellCounts_[prep_.placements[p].cells[j]];
    }
    if (usable == 0) {
      ++deadEnds_;
      return;
    }
    if (usable < bestBlockCount) {
      bestBlockCount = usable;
      bestBlock = g;
    }
  }

  int uncovered = 0;
  int bestCell = -1;
  std::int32_t bestCellCount = kNoCountYet;
  for (int m = 0; m < n; ++m) {
    if (cellCounts_[m] == 0) {
      if (!L.cellOccupied[m]) ++uncovered;
    } else if (cellCounts_[m] < bestCellCount) {
      bestCellCount = cellCounts_[m];
      bestCell = m;
    }
  }
  const int slack = surplus - uncovered;
  if (slack < 0) {
    ++deadEnds_;
    return;
  }

  SearchLevel& next = levels_[level + 1];
  if (bestBlockCount <= slack * slack / 2 + bestCellCount) {
    const BlockInfo& info = prep_.blocks[bestBlock];
    for (int p = info.firstPlacement; p < info.endPlacement; ++p) {
      if (!L.placementAvailable[p]) continue;
      EnterChild(level);
      Call(level + 1, blocksLeft, bestBlock, p, surplus);
    }
    return;
  }

  for (int g = 0; g < prep_.blockCount; ++g) {
    if (!L.blockAvailable[g]) continue;
    const BlockInfo& info = prep_.blocks[g];
    for (int p = info.firstPlacement; p < info.endPlacement; ++p) {
      if (!L.placementAvailable[p]) continue;
      const std::uint8_t* cells = prep_.placements[p].cells;
      if (std::find(cells, cells + info.cubeCount, bestCell) == cells + info.cubeCount) continue;
      EnterChild(level);
      Call(level + 1, blocksLeft, g, p, surplus);
    }
  }
  // The chosen cell may also stay empty, as one of the cells to spare; the
  // placements above all cover it, so without this branch every solution
  // leaving it empty would be lost.
  if (surplus > 0) {
    EnterChild(level);
    next.cellOccupied[bestCell] = 1;
    Call(level + 1, blocksLeft, -1, -1, surplus - 1);
  }
}

}  // namespace zv
