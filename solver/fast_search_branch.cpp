// The fast search's two branchings: on the candidates of a link
// constraint, and at a new-group step on a block's usable placements or on
// the placements covering the least covered cell (or leaving it empty).
// The reductions that leave out branches are asked here, each behind its
// rule (rule_*.cpp).
#include <algorithm>
#include <array>
#include <bit>
#include <cassert>

#include "solver/fast_search.h"

namespace zv {

void FastSearch::BranchOnConstraint(int level, int blocksLeft, int best, int surplus, double weight) {
  LinkConstraint* list = Constraints(level);
  LinkConstraint* next = Constraints(level + 1);
  [[maybe_unused]] const int placedAtBranch = placedTop_;
  const LinkConstraint& branch = list[best];
  list[best].done = 1;
  const double share = weight / branch.candidateCount;
  // The reduced search keeps, per candidate, its class and the full count
  // found for it; most constraints of a chain have no equivalent candidates
  // and, below the first few levels, no symmetry left, and skip all that.
  const int candidates = branch.candidateCount;
  bool reduce = red_ != nullptr && symmetries_ > 1;
  std::array<std::int32_t, 4> cls{};
  std::array<std::uint64_t, 4> found{};
  if (red_ != nullptr) {
    for (int v = 0; v < candidates && !reduce; ++v) reduce = red_->classSize[branch.candidates[v]] > 1;
    if (reduce)
      for (int v = 0; v < candidates; ++v) cls[v] = red_->classOf[branch.candidates[v]];
  }
  // From a place: the candidates before its branch are done, and their
  // counts are what it kept.
  const PlaceStep* step = Resuming(level);
  if (step != nullptr)
    for (std::size_t k = 0; k < step->handled.size(); ++k) {
      const std::int32_t u = step->handled[k];
      if (u < 0 || u >= candidates || k >= step->counts.size()) return Lost();
      found[static_cast<std::size_t>(u)] = step->counts[k];
    }
  for (int v = step != nullptr ? std::max(step->branch, 0) : 0; v < candidates; ++v) {
    if (step != nullptr && v > step->branch && !reached_) return Lost();
    std::uint64_t copies = 1;  // this candidate and the equivalent ones after it
    if (reduce) {
      bool counted = false;  // with the first of its class, or as an image of an earlier one
      for (int u = 0; u < v && !counted; ++u) counted = cls[u] == cls[v];
      if (counted) continue;
      copies = 0;
      for (int u = v; u < candidates; ++u) copies += cls[u] == cls[v];
      for (std::uint64_t rest = symmetries_ & ~std::uint64_t{1}; rest != 0 && !counted; rest &= rest - 1) {
        const std::int32_t image = red_->Image(std::countr_zero(rest), cls[v]);
        for (int u = 0; u < v && !counted; ++u)
          if (image == cls[u] && image != cls[v]) {
            counted = true;
            found[v] = found[u];
          }
      }
      if (counted) {
        AddAssignments(found[v]);
        explored_ += share * static_cast<double>(copies);
        continue;
      }
    }
    const std::uint64_t before = step != nullptr && v == step->branch ? step->before : assignments_;
    const Branch entered = Enter(level, v, share);
    if (entered == Branch::Skip) continue;
    if (entered == Branch::Search && deadOnArrival_ && DeadOnArrival(level, branch, branch.candidates[v])) {
      explored_ += share * static_cast<double>(copies);
      continue;
    }
    if (entered == Branch::Search) {
      const int slotMark = slotTop_;
      if (v == branch.foldIndex) MarkSlot(branch.slot);
      int count = 0;
      for (int i = 0; i < constraintCount_[level]; ++i) {
        if (list[i].done) continue;
        if (oneWord_) Reach(level + 1)[count] = Reach(level)[i];
        next[count++] = list[i];
      }
      constraintCount_[level + 1] = count;
      Call(level + 1, blocksLeft, branch.neighbourBlock, branch.candidates[v], surplus, share);
      assert(placedTop_ == placedAtBranch);  // the child lifted every block it placed
      while (slotTop_ > slotMark) slotUsed_[slotStack_[--slotTop_]] = 0;
      if (capturing_) {
        if (level >= rootLevel_) {
          PlaceStep& left = LeaveStep(v, before, 0);
          for (int u = 0; u < v; ++u) {
            left.handled.push_back(u);
            left.counts.push_back(found[static_cast<std::size_t>(u)]);
          }
        }
        return;
      }
    }
    if (reduce) {
      const std::uint64_t below = assignments_ - before;
      AddAssignments(Times(below, copies - 1));
      explored_ += share * static_cast<double>(copies - 1);
      found[v] = Times(below, copies);
    }
  }
  if (step != nullptr && !reached_) Lost();
}

void FastSearch::StartNewGroup(int level, int blocksLeft, int surplus, double weight) {
  const std::size_t outerTop = listTop_;
  [[maybe_unused]] const int placedAtBranch = placedTop_;
  const Filtered kept = Filter();
  const CellMask& reach = kept.reach;
  const std::uint32_t* bounds = ListBounds();
  auto restore = [&] {
    // Children gave their lists back: the step's own list is on top again.
    assert(listDepth_ > 0 && listTop_ >= outerTop);
    listTop_ = outerTop;
    --listDepth_;
  };
  if (kept.emptyBlock) {
    ++deadEnds_;
    explored_ += weight;
    return restore();
  }
  const int bestBlock = kept.bestBlock;
  const std::int32_t bestBlockCount = kept.bestBlockCount;

  // Cells no usable placement reaches and not occupied must stay empty; the
  // reach of the kept placements tells them apart without counting per
  // cell, which only a step that is no dead end needs.
  int uncovered = 0;
  for (int w = 0; w < t_.maskWords; ++w)
    uncovered += std::popcount(formCells_.words[w] & ~occupiedMask_.words[w] & ~reach.words[w]);
  const int slack = surplus - uncovered;
  if (slack < 0) {
    ++deadEnds_;
    explored_ += weight;
    return restore();
  }

  // The least nonzero cell count is at least 1, so a block with at most
  // slack^2 / 2 + 1 usable placements wins over any cell without counting.
  int bestCell = -1;
  std::int32_t bestCellCount = kNoCountYet;
  if (bestBlockCount > slack * slack / 2 + 1) {
    const CellChoice least = LeastCoveredCell();
    bestCell = least.cell;
    bestCellCount = least.count;
  }

  // The list runs in placement order, which is block order, so the branches
  // come in the reference order: by block, then by placement. Children grow
  // the list stack beyond the top and cut it back, so entries are read by
  // index.
  if (bestBlockCount <= slack * slack / 2 + bestCellCount) {
    const double share = weight / bestBlockCount;
    const std::uint32_t stamp = red_ != nullptr ? ++stampCounter_ : 0;
    // Twin order: with other twins of the block unplaced, each branch keeps
    // them beyond the block's placement, symmetric images are not compared
    // (an image of that order is another order), and the count is taken
    // once for each twin that could stand first.
    const int family = red_ != nullptr ? rules_->familyOf[bestBlock] : -1;
    const int twins = family >= 0 ? twinsLeft_[family] : 0;
    const int last = twins > 1 ? TwinCutoff(bestBlock, slack) : bestBlockCount;
    const std::uint64_t outer = symmetries_;
    // From a place: the placements before its branch are done, and the
    // classes they handled carry the counts it kept.
    const PlaceStep* step = Resuming(level);
    if (step != nullptr) TakeHandled(*step, stamp);
    const std::uint64_t start = step != nullptr ? step->start : assignments_;
    if (twins > 1) symmetries_ = 1;
    int index = step != nullptr ? std::max(step->branch, 0) : 0;
    for (std::uint32_t i = bounds[bestBlock] + static_cast<std::uint32_t>(index); i < bounds[bestBlock + 1];
         ++i) {
      if (step != nullptr && index > step->branch && !reached_) break;
      const std::int32_t p = lists_[i];
      if (index > last) {
        // No branch from here on completes: each leaves a cell that only
        // twins placed below the block could cover.
        explored_ += share * static_cast<double>(bounds[bestBlock + 1] - i);
        break;
      }
      if (red_ != nullptr && TwinOutOfOrder(p)) {
        explored_ += share;
        ++index;
        continue;
      }
      if (red_ != nullptr && SkipPlacement(p, stamp, symmetries_, share)) {
        ++index;
        continue;
      }
      const std::uint64_t before = step != nullptr && index == step->branch ? step->before : assignments_;
      const Branch entered = Enter(level, index++, share);
      if (entered == Branch::Skip) continue;
      if (entered == Branch::Search) {
        constraintCount_[level + 1] = 0;
        const std::int32_t bound = twins > 1 ? twinBound_[family] : 0;
        if (twins > 1) twinBound_[family] = p - prep_.blocks[bestBlock].firstPlacement;
        Call(level + 1, blocksLeft, bestBlock, p, surplus, share);
        assert(placedTop_ == placedAtBranch && listTop_ >= outerTop);
        if (twins > 1) twinBound_[family] = bound;
        if (capturing_) {
          if (level >= rootLevel_)
            KeepHandled(LeaveStep(index - 1, before, start), bounds[bestBlock], i, stamp);
          break;
        }
      }
      if (red_ != nullptr) CountCopies(p, stamp, before, share);
    }
    symmetries_ = outer;
    if (step != nullptr && !reached_) Lost();
    if (twins > 1 && !capturing_)
      AddAssignments(Times(assignments_ - start, static_cast<std::uint64_t>(twins - 1)));
    return restore();
  }

  const double share = weight / (bestCellCount + (surplus > 0 ? 1 : 0));
  const std::size_t first = GatherCovering(bestCell);
  const std::uint32_t stamp = red_ != nullptr ? ++stampCounter_ : 0;
  const std::uint64_t cellSymmetries = red_ != nullptr ? symmetries_ & red_->cellStabiliser[bestCell] : 1;
  const PlaceStep* step = Resuming(level);
  if (step != nullptr) TakeHandled(*step, stamp);
  int index = step != nullptr ? std::max(step->branch, 0) : 0;
  for (std::size_t i = first + static_cast<std::size_t>(index); i < listTop_; ++i) {
    if (step != nullptr && index > step->branch && !reached_) {
      Lost();
      return restore();
    }
    const std::int32_t p = lists_[i];
    if (red_ != nullptr && TwinOutOfOrder(p)) {
      explored_ += share;
      ++index;
      continue;
    }
    if (red_ != nullptr &&
        ((twinExchange_ && SkipTwin(p, stamp, share)) || SkipPlacement(p, stamp, cellSymmetries, share))) {
      ++index;
      continue;
    }
    const std::uint64_t before = step != nullptr && index == step->branch ? step->before : assignments_;
    const Branch entered = Enter(level, index++, share);
    if (entered == Branch::Skip) continue;
    if (entered == Branch::Search) {
      constraintCount_[level + 1] = 0;
      Call(level + 1, blocksLeft, t_.blockOf[p], p, surplus, share);
      assert(placedTop_ == placedAtBranch && listTop_ >= outerTop);
      if (capturing_) {
        if (level >= rootLevel_) KeepHandled(LeaveStep(index - 1, before, 0), first, i, stamp);
        return restore();
      }
    }
    if (red_ != nullptr) CountCopies(p, stamp, before, share);
  }
  if (step != nullptr && index > step->branch && !reached_) {
    Lost();
    return restore();
  }
  // The chosen cell may also stay empty, as one of the cells to spare; the
  // placements above all cover it, so without this branch every solution
  // leaving it empty would be lost.
  if (surplus > 0 && Enter(level, index, share) == Branch::Search) {
    occupiedMask_.Set(bestCell);
    const std::uint64_t kept = symmetries_;
    symmetries_ = cellSymmetries;
    constraintCount_[level + 1] = 0;
    Call(level + 1, blocksLeft, -1, -1, surplus - 1, share);
    symmetries_ = kept;
    occupiedMask_.Clear(bestCell);
    if (capturing_ && level >= rootLevel_) KeepHandled(LeaveStep(index, 0, 0), first, listTop_, stamp);
  }
  if (step != nullptr && !reached_) Lost();
  restore();
}

}  // namespace zv
