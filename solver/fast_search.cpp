// The fast placement search's core, step by step as the reference engine: stop poll
// and progress, place, scan with forced moves, branch on a constraint, record
// a complete assignment, or start a new group. Every change to the shared
// state (blocks placed, cells occupied, slots used) is undone before a call
// returns, so a branch sees exactly what the reference engine's level copy
// would hold.
#include "solver/fast_search.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>

#include "solver/side_codes.h"

namespace zv {

namespace {

// The refresh runs when the call counter, before its increment, exceeds
// 1000: on the 1002nd call, then every 1002 calls.
constexpr std::uint32_t kCallsBetweenRefreshes = 1000;
constexpr int kNoCandidateYet = 10;  // more than any candidate count

}  // namespace

FastSearch::FastSearch(const PreparedSearch& prep, const FastTables& tables, FastSearchHooks& hooks,
                       const PreparedRules* rules)
    : prep_(prep),
      t_(tables),
      hooks_(hooks),
      hingeRoom_(static_cast<std::size_t>(std::max(prep.hingeCount, 1))),
      rules_(rules),
      red_(rules != nullptr ? rules->Reductions() : nullptr) {
  UsePool(tables.pool, blockAvailable_, lists_, listBounds_, slotUsed_, chosen_, constraints_, reach_,
          constraintCount_, placedStack_, slotStack_, path_, stamp_, classCount_, partSeen_, regionMasks_,
          groupRegions_, groupIndex_, groupStack_, visited_, groupOf_, groupSize_, regionSizes_, twinsLeft_,
          twinBound_, replayRoom_, onPath_);
  const auto b = static_cast<std::size_t>(prep.blockCount);
  // Every call below level 0 places a block or leaves a cell empty on purpose.
  const std::size_t levels = b + static_cast<std::size_t>(prep.surplus) + 1;
  blockAvailable_.resize(b);
  slotUsed_.resize(static_cast<std::size_t>(std::max(prep.latticeEdgeCount, 1)));
  chosen_.resize(b);
  constraints_.resize(levels * hingeRoom_);
  constraintCount_.resize(levels);
  placedStack_.resize(b);
  slotStack_.resize(slotUsed_.size());
  path_.resize(levels);
  replayRoom_.resize(levels);
  onPath_.resize(levels + 1);
  // Room for the top list and a few nested ones; deeper nesting grows the
  // stack, which then keeps its size for the rest of the run.
  lists_.resize(tables.own.size() * std::min<std::size_t>(levels, 4));
  // Each new-group step on a path places a block before the next one, so
  // lists nest at most one deep per level.
  listBounds_.resize((levels + 1) * (b + 1));
  for (int m = 0; m < prep.formCellCount; ++m) formCells_.Set(m);
  oneWord_ = tables.maskWords == 1;
  if (oneWord_) reach_.resize(levels * hingeRoom_);
  if (red_ != nullptr) {
    stamp_.assign(static_cast<std::size_t>(prep.placementCount), 0);
    classCount_.assign(static_cast<std::size_t>(prep.placementCount), 0);
    thinCells_ = rules_->on.thinCells;
    splitRegions_ = rules_->on.splitRegions;
    deadOnArrival_ = rules_->on.deadOnArrival;
    twinExchange_ = rules_->on.twinExchange;
    wordBox_ = rules_->regions.WordBox();
    PrepareRuleState();
  }
  Reset();
}

void FastSearch::Reset() {
  std::fill(blockAvailable_.begin(), blockAvailable_.end(), std::uint8_t{1});
  occupiedMask_ = CellMask{};
  std::fill(slotUsed_.begin(), slotUsed_.end(), std::uint8_t{0});
  std::fill(constraintCount_.begin(), constraintCount_.end(), 0);
  placedTop_ = 0;
  slotTop_ = 0;
  std::copy(t_.own.begin(), t_.own.end(), lists_.begin());
  std::copy(t_.ownStart.begin(), t_.ownStart.end(), listBounds_.begin());
  listDepth_ = 0;
  listTop_ = t_.own.size();
  symmetries_ = red_ != nullptr ? red_->allSymmetries : 1;
  fewLeft_[0] = fewLeft_[1] = 0;
  std::fill(twinBound_.begin(), twinBound_.end(), -1);
  if (red_ != nullptr) {
    for (std::size_t k = 0; k < rules_->fewPartners.size(); ++k) fewLeft_[k % 2] += rules_->fewPartners[k];
    std::copy(rules_->familySize.begin(), rules_->familySize.end(), twinsLeft_.begin());
    int regions = 0;
    if (splitRegions_ && prep_.formCellCount > 0)
      regions = rules_->regions.Sizes(formCells_, regionSizes_.data(), regionMasks_.data());
    oneRegion_ = splitRegions_ && regions <= 1;
  }
}

bool FastSearch::Halted() {
  if (stopped_ || outOfMemory_) return true;
  stopped_ = hooks_.StopRequested();
  return stopped_;
}

bool FastSearch::Usable(std::int32_t placement) const {
  const std::uint64_t* mask = t_.Mask(placement);
  std::uint64_t meets = 0;
  for (int w = 0; w < t_.maskWords; ++w) meets |= mask[w] & occupiedMask_.words[w];
  return meets == 0;
}

void FastSearch::MarkSlot(int slot) {
  // A slot is marked once on a path: the scan refuses a used one first.
  assert(slot >= 0 && static_cast<std::size_t>(slot) < slotUsed_.size() && slotUsed_[slot] == 0);
  assert(slotTop_ < static_cast<int>(slotStack_.size()));
  slotUsed_[slot] = 1;
  slotStack_[slotTop_++] = static_cast<std::int16_t>(slot);
}

void FastSearch::Place(int level, int block, std::int32_t placement, int& blocksLeft, int& pending) {
  chosen_[block] = placement;
  blockAvailable_[block] = 0;
  --blocksLeft;
  const std::uint64_t* mask = t_.Mask(placement);
  for (int w = 0; w < t_.maskWords; ++w) occupiedMask_.words[w] |= mask[w];
  LinkConstraint* list = Constraints(level);
  // One-word forms: the candidates' masks stand beside the constraints.
  const std::uint64_t* beside = oneWord_ ? t_.CandidateMasksOf(block, placement) : nullptr;
  for (const LinkConstraint& c : t_.ConstraintsOf(block, placement)) {
    const std::uint64_t* masks = beside;
    if (beside != nullptr) beside += 4;
    if (!blockAvailable_[c.neighbourBlock]) continue;
    // The next scan tests these candidates' masks; asking for them now lets
    // the cache misses of a long hinge chain overlap instead of queueing.
    for (int k = 0; k < c.candidateCount; ++k) __builtin_prefetch(t_.Mask(c.candidates[k]));
    assert(static_cast<std::size_t>(constraintCount_[level]) < hingeRoom_);
    if (masks != nullptr) Reach(level)[constraintCount_[level]] = masks[0] | masks[1] | masks[2] | masks[3];
    list[constraintCount_[level]++] = c;
    ++pending;
  }
  assert(placedTop_ < static_cast<int>(placedStack_.size()));
  placedStack_[placedTop_++] = block;
  if (red_ != nullptr) CountPartners(block, +1);
  if (symmetries_ > 1) NarrowSymmetries(placement);
}

void FastSearch::AddAssignments(std::uint64_t count) {
  if (__builtin_add_overflow(assignments_, count, &assignments_)) {
    assignments_ = ~std::uint64_t{0};
    assignmentsOverflow_ = true;
  }
}

std::uint64_t FastSearch::Times(std::uint64_t count, std::uint64_t factor) {
  std::uint64_t product = 0;
  if (__builtin_mul_overflow(count, factor, &product)) {
    assignmentsOverflow_ = true;
    return ~std::uint64_t{0};
  }
  return product;
}

void FastSearch::Handled(std::int32_t cls, std::uint32_t stamp, std::uint64_t count) {
  stamp_[cls] = stamp;
  classCount_[cls] = count;
}

void FastSearch::Undo(int placedMark, int slotMark, const CellMask& occupied) {
  // Marks are taken before a call changes anything, so the stacks only ever unwind to them.
  assert(placedMark >= 0 && placedMark <= placedTop_ && slotMark >= 0 && slotMark <= slotTop_);
  occupiedMask_ = occupied;
  // The counts of cubes with few partners come back from the call's copy;
  // only the twin families are counted back block by block.
  while (placedTop_ > placedMark) {
    const int block = placedStack_[--placedTop_];
    blockAvailable_[block] = 1;
    if (red_ != nullptr && rules_->familyOf[block] >= 0) ++twinsLeft_[rules_->familyOf[block]];
  }
  while (slotTop_ > slotMark) slotUsed_[slotStack_[--slotTop_]] = 0;
}

int FastSearch::Scan(int level, int& blocksLeft, int& pending) {
  for (;;) {
    const int result = ScanPass(level, blocksLeft, pending);
    if (result != kRestart) return result;
  }
}

int FastSearch::ScanPass(int level, int& blocksLeft, int& pending) {
  int best = -1;
  int bestCount = kNoCandidateYet;
  LinkConstraint* list = Constraints(level);
  for (int i = 0; i < constraintCount_[level]; ++i) {
    LinkConstraint& c = list[i];
    if (c.done) continue;

    if (!blockAvailable_[c.neighbourBlock]) {
      // The partner is placed: its placement must be one of the candidates.
      const std::int32_t placed = chosen_[c.neighbourBlock];
      int at = -1;
      for (int k = 0; k < c.candidateCount && at < 0; ++k)
        if (c.candidates[k] == placed) at = k;
      if (at < 0) return kDeadEnd;
      if (at == c.foldIndex) {
        if (slotUsed_[c.slot]) return kDeadEnd;
        MarkSlot(c.slot);
      }
      c.done = 1;
      --pending;
      continue;
    }

    // The constraint's fields and the neighbour's table entry are read once
    // into locals: the kept candidates are written back over the entry, and
    // those stores could otherwise alias every later read.
    const int count = c.candidateCount;
    const int foldAt = c.foldIndex;
    const std::uint64_t occupied0 = occupiedMask_.words[0];
    int kept = count;
    int fold = foldAt;
    // Nothing filled since the constraint was last looked at meets a
    // candidate, and the fold's slot is still free: every candidate stays.
    const bool unchanged =
        oneWord_ && (Reach(level)[i] & occupied0) == 0 && (foldAt < 0 || !slotUsed_[c.slot]);
    if (!unchanged) {
      const std::array<std::int32_t, 4> from = c.candidates;
      const FastTables::BlockConstraints nb = t_.blockConstraints[c.neighbourBlock];
      const auto perPlacement = static_cast<std::size_t>(nb.count);
      const std::uint64_t* masks = t_.maskBits.data();
      std::uint64_t reach = 0;
      kept = 0;
      fold = -1;
      for (int k = 0; k < count; ++k) {
        const std::int32_t candidate = from[k];
        if (oneWord_ ? (masks[candidate] & occupied0) != 0 : !Usable(candidate)) continue;
        if (k == foldAt) {
          if (slotUsed_[c.slot]) continue;
          fold = kept;
        }
        c.candidates[kept++] = candidate;
        if (oneWord_) reach |= masks[candidate];
        // A kept candidate is placed soon, by a forced move or a branch: its
        // constraints (and, for one-word forms, their candidates' masks) are
        // asked for now.
        const std::size_t at =
            nb.start + static_cast<std::size_t>(candidate - nb.firstPlacement) * perPlacement;
        __builtin_prefetch(t_.constraints + at);
        if (oneWord_) __builtin_prefetch(t_.candidateMasks.data() + 4 * at);
      }
      c.candidateCount = static_cast<std::int8_t>(kept);
      c.foldIndex = static_cast<std::int8_t>(fold);
      if (oneWord_) Reach(level)[i] = reach;
    }
    if (kept == 0) return kDeadEnd;
    if (kept == 1) {
      c.done = 1;
      --pending;
      if (fold == 0) MarkSlot(c.slot);
      Place(level, c.neighbourBlock, c.candidates[0], blocksLeft, pending);
      return kRestart;
    }
    if (kept < bestCount) {
      bestCount = kept;
      best = i;
    }
  }
  return best;
}

void FastSearch::Call(int level, int blocksLeft, int block, std::int32_t placement, int surplus,
                      double weight) {
  // A call on the walk down to a subtree or a place was searched before:
  // it is neither polled nor counted again.
  const bool onPath = onPath_[level] != 0;
  const bool walked = onPath && level < static_cast<int>(replay_.size());
  if (walked ? stopped_ || outOfMemory_ : Halted()) {
    // A stop past the place (or inside a subtree begun afresh) leaves a
    // new place, taken as the branchings on the path unwind.
    if (keepPlaces_ && !onPath && stopped_ && !outOfMemory_ && !capturing_ && rootLevel_ >= 0) {
      capturing_ = true;
      captured_.steps.clear();
      captured_.sofar.assignments = assignments_;
      captured_.sofar.assignmentsOverflow = assignmentsOverflow_;
    }
    return;
  }
  if (onPath && level == static_cast<int>(replay_.size())) {
    reached_ = true;
    if (probing_) {
      stopped_ = true;
      return;
    }
  }
  if (!walked) {
    ++searchCalls_;
    if (callCounter_++ > kCallsBetweenRefreshes) {
      callCounter_ = 0;
      hooks_.Refresh();
    }
  }
  // A worker's count is the subtree's alone, whatever the walk down to it
  // added; from a place it goes on from the count the place kept.
  const bool subtreeRoot = onPath && rootLevel_ >= 0 && level == rootLevel_;
  if (subtreeRoot) {
    assignments_ = from_ != nullptr ? from_->sofar.assignments : 0;
    assignmentsOverflow_ = from_ != nullptr && from_->sofar.assignmentsOverflow;
    explored_ = subtreesExplored_;
  }
  const int placedMark = placedTop_;
  const CellMask occupied = occupiedMask_;
  const int slotMark = slotTop_;
  const std::uint64_t symmetries = symmetries_;
  const bool oneRegion = oneRegion_;
  const int fewLeft[2] = {fewLeft_[0], fewLeft_[1]};
  int pending = constraintCount_[level];
  if (block >= 0) Place(level, block, placement, blocksLeft, pending);

  int best = Scan(level, blocksLeft, pending);
  // A new-group step counts the cells no placement reaches anyway; a chain
  // of forced moves and constraint branches would not see them otherwise,
  // so the reduced search runs its cuts there. Wherever they do not run,
  // what they knew of the empty regions is stale.
  if (best != kDeadEnd && (thinCells_ || splitRegions_) && blocksLeft > 0 && pending > 0) {
    if (wordBox_ ? CutWord(level, occupied.words[0], surplus) : Cut(level, occupied, surplus))
      best = kDeadEnd;
  } else {
    oneRegion_ = false;
  }
  if (best == kDeadEnd) {
    ++deadEnds_;
    explored_ += weight;
  } else if (pending > 0) {
    BranchOnConstraint(level, blocksLeft, best, surplus, weight);
  } else if (blocksLeft == 0) {
    if (!hooks_.Record(chosen_.data())) outOfMemory_ = true;
    AddAssignments(1);
    explored_ += weight;
  } else {
    StartNewGroup(level, blocksLeft, surplus, weight);
  }
  Undo(placedMark, slotMark, occupied);
  fewLeft_[0] = fewLeft[0];
  fewLeft_[1] = fewLeft[1];
  symmetries_ = symmetries;
  oneRegion_ = oneRegion;
  if (subtreeRoot) {
    subtreeAssignments_ = assignments_;
    subtreeOverflow_ = assignmentsOverflow_;
    subtreesExplored_ = explored_;
  }
}

FastSearch::Branch FastSearch::HandOver(int level, double weight) {
  if (resolving_) {
    // The subtree's own count stands in for its search.
    if (resolvedNext_ < resolved_.size()) AddAssignments(resolved_[resolvedNext_++]);
    explored_ += weight;
  } else if (!stopped_ && !outOfMemory_) {
    hooks_.Subtree({path_.data(), static_cast<std::size_t>(level) + 1}, weight);
  }
  return Branch::Handed;
}

}  // namespace zv
