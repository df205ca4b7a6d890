// The fast placement search, step by step as the reference engine: stop poll
// and progress, place, scan with forced moves, branch on a constraint, record
// a complete assignment, or start a new group. Every change to the shared
// state (blocks placed, cells occupied, slots used) is undone before a call
// returns, so a branch sees exactly what the reference engine's level copy
// would hold.
#include "solver/fast_search.h"

#include <algorithm>
#include <array>
#include <bit>

#include "solver/side_codes.h"

namespace zv {

namespace {

// The refresh runs when the call counter, before its increment, exceeds
// 1000: on the 1002nd call, then every 1002 calls.
constexpr std::uint32_t kCallsBetweenRefreshes = 1000;
constexpr int kNoCandidateYet = 10;  // more than any candidate count

}  // namespace

FastSearch::FastSearch(const PreparedSearch& prep, const FastTables& tables, FastSearchHooks& hooks,
                       const ReductionTables* reductions)
    : prep_(prep),
      t_(tables),
      hooks_(hooks),
      hingeRoom_(static_cast<std::size_t>(std::max(prep.hingeCount, 1))),
      red_(reductions) {
  UsePool(tables.pool, blockAvailable_, lists_, listBounds_, slotUsed_, chosen_, constraints_,
          constraintCount_, placedStack_, slotStack_, path_, stamp_, classCount_, blockLinks_, fewPartners_,
          linkedStart_, linked_, partOf_, placedInPart_, regionMasks_, groupRegions_, groupIndex_,
          groupStack_, visited_, groupOf_, groupSize_, regionSizes_, familyOf_, familySize_, twinsLeft_,
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
  if (red_ != nullptr) {
    stamp_.assign(static_cast<std::size_t>(prep.placementCount), 0);
    classCount_.assign(static_cast<std::size_t>(prep.placementCount), 0);
    PrepareCuts();
    PrepareTwins();
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
  looseLinks_ = static_cast<int>(blockLinks_.size());
  std::fill(placedInPart_.begin(), placedInPart_.end(), 0);
  freeParts_ = static_cast<int>(placedInPart_.size());
  for (std::size_t k = 0; k < fewPartners_.size(); ++k) fewLeft_[k % 2] += fewPartners_[k];
  std::copy(familySize_.begin(), familySize_.end(), twinsLeft_.begin());
  std::fill(twinBound_.begin(), twinBound_.end(), -1);
  if (red_ != nullptr) {
    int regions = 0;
    if (prep_.formCellCount > 0)
      regions = regions_.Sizes(formCells_, regionSizes_.data(), regionMasks_.data());
    oneRegion_ = regions <= 1;
  }
}

void FastSearch::Run() {
  splitDepth_ = -1;
  replay_ = {};
  onPath_[0] = 1;
  constraintCount_[0] = 0;
  Call(0, prep_.blockCount, -1, -1, prep_.surplus, 1.0);
}

void FastSearch::RunSplit(int depth) {
  splitDepth_ = depth;
  replay_ = {};
  onPath_[0] = 1;
  constraintCount_[0] = 0;
  Call(0, prep_.blockCount, -1, -1, prep_.surplus, 1.0);
  splitDepth_ = -1;
}

void FastSearch::RunResolved(int depth, std::span<const std::uint64_t> counts) {
  splitDepth_ = depth;
  replay_ = {};
  resolving_ = true;
  resolved_ = counts;
  resolvedNext_ = 0;
  onPath_[0] = 1;
  constraintCount_[0] = 0;
  Call(0, prep_.blockCount, -1, -1, prep_.surplus, 1.0);
  resolving_ = false;
  splitDepth_ = -1;
}

void FastSearch::RunSubtree(std::span<const std::int32_t> path, const UnitPlace* from) {
  splitDepth_ = -1;
  subtreeAssignments_ = 0;
  subtreeOverflow_ = false;
  capturing_ = false;
  captured_ = UnitPlace{};
  const std::size_t length = path.size() + (from != nullptr ? from->steps.size() : 0);
  if (length > replayRoom_.size()) {
    misfit_ = stopped_ = true;
    return;
  }
  std::copy(path.begin(), path.end(), replayRoom_.begin());
  if (from != nullptr)
    for (std::size_t k = 0; k < from->steps.size(); ++k) replayRoom_[path.size() + k] = from->steps[k].branch;
  replay_ = {replayRoom_.data(), length};
  rootLevel_ = static_cast<int>(path.size());
  from_ = from;
  reached_ = false;
  onPath_[0] = 1;
  constraintCount_[0] = 0;
  Call(0, prep_.blockCount, -1, -1, prep_.surplus, 1.0);
  explored_ = subtreesExplored_;
  replay_ = {};
  rootLevel_ = -1;
  from_ = nullptr;
  std::reverse(captured_.steps.begin(), captured_.steps.end());
}

bool FastSearch::Reaches(std::span<const std::int32_t> path, const UnitPlace& place) {
  probing_ = true;
  stopped_ = misfit_ = false;
  RunSubtree(path, &place);
  probing_ = false;
  const bool reached = reached_ && !misfit_;
  stopped_ = misfit_ = false;
  return reached;
}

void FastSearch::TakePlace(UnitPlace& out) {
  out.steps = std::move(captured_.steps);
  out.sofar.assignments = captured_.sofar.assignments;
  out.sofar.assignmentsOverflow = captured_.sofar.assignmentsOverflow;
  captured_ = UnitPlace{};
}

bool FastSearch::Halted() {
  if (stopped_ || outOfMemory_) return true;
  stopped_ = hooks_.StopRequested();
  return stopped_;
}

const PlaceStep* FastSearch::Resuming(int level) const {
  if (from_ == nullptr || onPath_[level] == 0 || level < rootLevel_ ||
      level >= static_cast<int>(replay_.size()))
    return nullptr;
  return &from_->steps[static_cast<std::size_t>(level - rootLevel_)];
}

void FastSearch::Lost() {
  // A stop on the walk down leaves the place unreached, and no misfit.
  if (!stopped_ && !outOfMemory_) misfit_ = true;
  stopped_ = true;
}

PlaceStep& FastSearch::LeaveStep(int branch, std::uint64_t before, std::uint64_t start) {
  captured_.steps.push_back(PlaceStep{branch, before, start, {}, {}});
  return captured_.steps.back();
}

void FastSearch::KeepHandled(PlaceStep& step, std::size_t handledFrom, std::size_t handledTo,
                             std::uint32_t stamp) {
  if (red_ == nullptr) return;
  for (std::size_t j = handledFrom; j < handledTo; ++j) {
    const std::int32_t p = lists_[j];
    if (stamp_[p] != stamp) continue;
    step.handled.push_back(p);
    step.counts.push_back(classCount_[p]);
  }
}

void FastSearch::TakeHandled(const PlaceStep& step, std::uint32_t stamp) {
  if (red_ == nullptr) return;
  for (std::size_t k = 0; k < step.handled.size(); ++k) {
    const std::int32_t p = step.handled[k];
    if (p < 0 || p >= prep_.placementCount || k >= step.counts.size()) return Lost();
    Handled(p, stamp, step.counts[k]);
  }
}

bool FastSearch::Usable(std::int32_t placement) const {
  const std::uint64_t* mask = t_.Mask(placement);
  std::uint64_t meets = 0;
  for (int w = 0; w < t_.maskWords; ++w) meets |= mask[w] & occupiedMask_.words[w];
  return meets == 0;
}

void FastSearch::MarkSlot(int slot) {
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
  for (const LinkConstraint& c : t_.ConstraintsOf(block, placement)) {
    if (!blockAvailable_[c.neighbourBlock]) continue;
    // The next scan tests these candidates' masks; asking for them now lets
    // the cache misses of a long hinge chain overlap instead of queueing.
    for (int k = 0; k < c.candidateCount; ++k) __builtin_prefetch(t_.Mask(c.candidates[k]));
    list[constraintCount_[level]++] = c;
    ++pending;
  }
  placedStack_[placedTop_++] = block;
  if (red_ != nullptr) CountPartners(block, +1);
  if (symmetries_ > 1) NarrowSymmetries(placement);
}

void FastSearch::NarrowSymmetries(std::int32_t placement) {
  const std::int32_t cls = red_->classOf[placement];
  for (std::uint64_t rest = symmetries_ & ~std::uint64_t{1}; rest != 0; rest &= rest - 1) {
    const int s = std::countr_zero(rest);
    if (red_->Image(s, placement) != cls) symmetries_ &= ~(std::uint64_t{1} << s);
  }
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

bool FastSearch::ImageOfEarlier(std::int32_t cls, std::uint32_t stamp, std::uint64_t mask,
                                std::uint64_t& count) const {
  for (std::uint64_t rest = mask & ~std::uint64_t{1}; rest != 0; rest &= rest - 1) {
    const std::int32_t image = red_->Image(std::countr_zero(rest), cls);
    if (image >= 0 && image != cls && stamp_[image] == stamp) {
      count = classCount_[image];
      return true;
    }
  }
  return false;
}

void FastSearch::Handled(std::int32_t cls, std::uint32_t stamp, std::uint64_t count) {
  stamp_[cls] = stamp;
  classCount_[cls] = count;
}

void FastSearch::Undo(int placedMark, int slotMark, const CellMask& occupied) {
  occupiedMask_ = occupied;
  while (placedTop_ > placedMark) {
    const int block = placedStack_[--placedTop_];
    blockAvailable_[block] = 1;
    if (red_ != nullptr) CountPartners(block, -1);
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

    int kept = 0;
    int fold = -1;
    for (int k = 0; k < c.candidateCount; ++k) {
      const std::int32_t candidate = c.candidates[k];
      if (!Usable(candidate)) continue;
      if (k == c.foldIndex) {
        if (slotUsed_[c.slot]) continue;
        fold = kept;
      }
      c.candidates[kept++] = candidate;
      // A kept candidate is placed soon, by a forced move or a branch.
      __builtin_prefetch(t_.ConstraintsOf(c.neighbourBlock, candidate).data());
    }
    c.candidateCount = static_cast<std::int8_t>(kept);
    c.foldIndex = static_cast<std::int8_t>(fold);
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
  int pending = constraintCount_[level];
  if (block >= 0) Place(level, block, placement, blocksLeft, pending);

  int best = Scan(level, blocksLeft, pending);
  // A new-group step counts the cells no placement reaches anyway; a chain
  // of forced moves and constraint branches would not see them otherwise,
  // so the reduced search runs its cuts there. Wherever they do not run,
  // what they knew of the empty regions is stale.
  if (best != kDeadEnd && red_ != nullptr && blocksLeft > 0 && pending > 0) {
    if (Cut(level, occupied, blocksLeft, surplus)) best = kDeadEnd;
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
  symmetries_ = symmetries;
  oneRegion_ = oneRegion;
  if (subtreeRoot) {
    subtreeAssignments_ = assignments_;
    subtreeOverflow_ = assignmentsOverflow_;
    subtreesExplored_ = explored_;
  }
}

FastSearch::Branch FastSearch::Enter(int level, int index, double weight) {
  if (level < rootLevel_ && replay_[level] != index) return Branch::Skip;
  path_[level] = index;
  onPath_[level + 1] =
      onPath_[level] != 0 && level < static_cast<int>(replay_.size()) && replay_[level] == index;
  if (level + 1 != splitDepth_) return Branch::Search;
  if (resolving_) {
    // The subtree's own count stands in for its search.
    if (resolvedNext_ < resolved_.size()) AddAssignments(resolved_[resolvedNext_++]);
    explored_ += weight;
  } else if (!stopped_ && !outOfMemory_) {
    hooks_.Subtree({path_.data(), static_cast<std::size_t>(level) + 1}, weight);
  }
  return Branch::Handed;
}

void FastSearch::BranchOnConstraint(int level, int blocksLeft, int best, int surplus, double weight) {
  LinkConstraint* list = Constraints(level);
  LinkConstraint* next = Constraints(level + 1);
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
  if (red_ != nullptr)
    for (int v = 0; v < candidates; ++v) {
      cls[v] = red_->classOf[branch.candidates[v]];
      reduce = reduce || red_->classSize[branch.candidates[v]] > 1;
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
    if (entered == Branch::Search && red_ != nullptr && DeadOnArrival(level, branch, branch.candidates[v])) {
      explored_ += share * static_cast<double>(copies);
      continue;
    }
    if (entered == Branch::Search) {
      const int slotMark = slotTop_;
      if (v == branch.foldIndex) MarkSlot(branch.slot);
      int count = 0;
      for (int i = 0; i < constraintCount_[level]; ++i)
        if (!list[i].done) next[count++] = list[i];
      constraintCount_[level + 1] = count;
      Call(level + 1, blocksLeft, branch.neighbourBlock, branch.candidates[v], surplus, share);
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

FastSearch::Filtered FastSearch::Filter() {
  switch (t_.maskWords) {
    case 1:
      return FilterWith<1>();
    case 2:
      return FilterWith<2>();
    case 3:
      return FilterWith<3>();
    default:
      return FilterWith<4>();
  }
}

template <int kWords>
FastSearch::Filtered FastSearch::FilterWith() {
  const std::size_t stride = static_cast<std::size_t>(prep_.blockCount) + 1;
  const std::uint32_t* from = listBounds_.data() + listDepth_ * stride;
  std::uint32_t* to = listBounds_.data() + (listDepth_ + 1) * stride;
  // The new list holds at most what its parent holds. Growing the stack
  // happens only when a path nests deeper than any before it.
  const std::size_t most = listTop_ + (from[prep_.blockCount] - from[0]);
  if (lists_.size() < most) lists_.resize(2 * most);
  // Placed blocks drop out whole. Within a block there are no branches on
  // the outcome, which is close to random: every entry is written at the
  // top, and the top moves on only for those kept.
  std::int32_t* list = lists_.data();
  const std::uint64_t* masks = t_.maskBits.data();
  std::uint64_t occupied[kWords];
  for (int w = 0; w < kWords; ++w) occupied[w] = occupiedMask_.words[w];
  // A full-width top lets the kept flag feed the top, the index and the
  // reach mask without narrowing copies.
  std::size_t out = listTop_;
  Filtered result;
  CellMask& reach = result.reach;
  for (int g = 0; g < prep_.blockCount; ++g) {
    to[g] = static_cast<std::uint32_t>(out);
    if (!blockAvailable_[g]) continue;
    const std::size_t start = out;
    const std::uint32_t end = from[g + 1];
    for (std::uint32_t i = from[g]; i < end; ++i) {
      const std::int32_t q = list[i];
      const std::uint64_t* mask = masks + static_cast<std::size_t>(q) * kWords;
      std::uint64_t meets = 0;
      for (int w = 0; w < kWords; ++w) meets |= mask[w] & occupied[w];
      const std::uint64_t keep = meets == 0;
      list[out] = q;
      out += keep;
      for (int w = 0; w < kWords; ++w) reach.words[w] |= mask[w] & (0 - keep);
    }
    const auto usable = static_cast<std::int32_t>(out - start);
    result.emptyBlock |= usable == 0;
    if (usable < result.bestBlockCount) {
      result.bestBlockCount = usable;
      result.bestBlock = g;
    }
  }
  to[prep_.blockCount] = static_cast<std::uint32_t>(out);
  ++listDepth_;
  listTop_ = out;
  return result;
}

FastSearch::CellChoice FastSearch::LeastCoveredCell() const {
  switch (t_.maskWords) {
    case 1:
      return LeastCoveredCellWith<1>();
    case 2:
      return LeastCoveredCellWith<2>();
    case 3:
      return LeastCoveredCellWith<3>();
    default:
      return LeastCoveredCellWith<4>();
  }
}

// The placements of the current list are counted per cell in bit planes:
// bit m of plane k is bit k of cell m's count, so one word operation adds a
// placement to 64 cells at once. Eight masks at a time go through a tree of
// carry-save adders into planes 0 to 2 (weights 1, 2 and 4), and the carry
// of weight 8 ripples on from plane 3; the rest are added one by one. A
// cell's count never exceeds the placements covering it, below
// 2^countPlanes, so no carry runs past the last plane.
template <int kWords>
FastSearch::CellChoice FastSearch::LeastCoveredCellWith() const {
  const int planes = t_.countPlanes;
  std::uint64_t plane[FastTables::kMaxCountPlanes][kWords];
  for (int k = 0; k < planes; ++k)
    for (int w = 0; w < kWords; ++w) plane[k][w] = 0;
  const std::uint32_t* bounds = ListBounds();
  const std::int32_t* list = lists_.data();
  const std::uint64_t* masks = t_.maskBits.data();
  auto maskWord = [&](std::uint32_t i, int w) {
    return masks[static_cast<std::size_t>(list[i]) * kWords + w];
  };
  // A full adder on whole words: sum bits into low, carries into high.
  auto add = [](std::uint64_t& high, std::uint64_t& low, std::uint64_t a, std::uint64_t b, std::uint64_t c) {
    const std::uint64_t u = a ^ b;
    high = (a & b) | (u & c);
    low = u ^ c;
  };
  auto ripple = [&](int from, int w, std::uint64_t carry) {
    for (int k = from; carry != 0; ++k) {
      const std::uint64_t next = plane[k][w] & carry;
      plane[k][w] ^= carry;
      carry = next;
    }
  };
  std::uint32_t i = bounds[0];
  const std::uint32_t end = bounds[prep_.blockCount];
  for (; i + 8 <= end; i += 8) {
    for (int w = 0; w < kWords; ++w) {
      std::uint64_t& ones = plane[0][w];
      std::uint64_t& twos = plane[1][w];
      std::uint64_t& fours = plane[2][w];
      std::uint64_t twosA, twosB, foursA, foursB, eights;
      add(twosA, ones, ones, maskWord(i, w), maskWord(i + 1, w));
      add(twosB, ones, ones, maskWord(i + 2, w), maskWord(i + 3, w));
      add(foursA, twos, twos, twosA, twosB);
      add(twosA, ones, ones, maskWord(i + 4, w), maskWord(i + 5, w));
      add(twosB, ones, ones, maskWord(i + 6, w), maskWord(i + 7, w));
      add(foursB, twos, twos, twosA, twosB);
      add(eights, fours, fours, foursA, foursB);
      ripple(3, w, eights);
    }
  }
  for (; i < end; ++i)
    for (int w = 0; w < kWords; ++w) ripple(0, w, maskWord(i, w));

  // Among the covered cells keep, from the highest plane down, those with a
  // 0 bit whenever there are any: what stays are the cells of the least
  // count, and the lowest of them is the first such cell in form order.
  std::uint64_t least[kWords];
  for (int w = 0; w < kWords; ++w) {
    least[w] = 0;
    for (int k = 0; k < planes; ++k) least[w] |= plane[k][w];
  }
  for (int k = planes - 1; k >= 0; --k) {
    std::uint64_t lower[kWords];
    std::uint64_t any = 0;
    for (int w = 0; w < kWords; ++w) {
      lower[w] = least[w] & ~plane[k][w];
      any |= lower[w];
    }
    if (any != 0)
      for (int w = 0; w < kWords; ++w) least[w] = lower[w];
  }
  for (int w = 0; w < kWords; ++w) {
    if (least[w] == 0) continue;
    const int bit = std::countr_zero(least[w]);
    std::int32_t count = 0;
    for (int k = 0; k < planes; ++k) count |= static_cast<std::int32_t>(plane[k][w] >> bit & 1) << k;
    return {w * 64 + bit, count};
  }
  return {-1, kNoCountYet};
}

std::size_t FastSearch::GatherCovering(int cell) {
  const std::uint32_t* bounds = ListBounds();
  const std::size_t first = listTop_;
  const std::size_t most = first + (bounds[prep_.blockCount] - bounds[0]);
  if (lists_.size() < most) lists_.resize(2 * most);
  std::int32_t* list = lists_.data();
  const std::uint64_t* masks = t_.maskBits.data() + (cell >> 6);
  const auto words = static_cast<std::size_t>(t_.maskWords);
  // Whether an entry covers the cell is close to random, so every entry is
  // written at the top and the top moves on only for those that do.
  std::size_t top = first;
  for (std::uint32_t i = bounds[0]; i < bounds[prep_.blockCount]; ++i) {
    const std::int32_t q = list[i];
    list[top] = q;
    top += masks[static_cast<std::size_t>(q) * words] >> (cell & 63) & 1;
  }
  listTop_ = top;
  return first;
}

void FastSearch::StartNewGroup(int level, int blocksLeft, int surplus, double weight) {
  const std::size_t outerTop = listTop_;
  const Filtered kept = Filter();
  const CellMask& reach = kept.reach;
  const std::uint32_t* bounds = ListBounds();
  auto restore = [&] {
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
    const int family = red_ != nullptr ? familyOf_[bestBlock] : -1;
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
    if (red_ != nullptr && (SkipTwin(p, stamp, share) || SkipPlacement(p, stamp, cellSymmetries, share))) {
      ++index;
      continue;
    }
    const std::uint64_t before = step != nullptr && index == step->branch ? step->before : assignments_;
    const Branch entered = Enter(level, index++, share);
    if (entered == Branch::Skip) continue;
    if (entered == Branch::Search) {
      constraintCount_[level + 1] = 0;
      Call(level + 1, blocksLeft, t_.blockOf[p], p, surplus, share);
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

bool FastSearch::SkipPlacement(std::int32_t p, std::uint32_t stamp, std::uint64_t mask, double share) {
  // A later member of a class is searched with its first, which comes
  // first in every list of a new-group step.
  if (red_->classOf[p] != p) return true;
  std::uint64_t count = 0;
  if (!ImageOfEarlier(p, stamp, mask, count)) return false;
  Handled(p, stamp, count);
  AddAssignments(count);
  explored_ += share * red_->classSize[p];
  return true;
}

bool FastSearch::SkipTwin(std::int32_t p, std::uint32_t stamp, double share) {
  const int g = t_.blockOf[p];
  for (int h = red_->twinOf[g]; h >= 0; h = red_->twinOf[h]) {
    if (!blockAvailable_[h]) continue;
    // An unplaced twin earlier in block order: its same placement stands
    // earlier in this list and leads to the same solutions with the two
    // blocks exchanged.
    const std::int32_t same = p - prep_.blocks[g].firstPlacement + prep_.blocks[h].firstPlacement;
    if (stamp_[same] != stamp) return false;
    Handled(p, stamp, classCount_[same]);
    AddAssignments(classCount_[same]);
    explored_ += share;
    return true;
  }
  return false;
}

void FastSearch::CountCopies(std::int32_t p, std::uint32_t stamp, std::uint64_t before, double share) {
  const std::uint64_t copies = red_->classSize[p];
  const std::uint64_t found = assignments_ - before;
  AddAssignments(Times(found, copies - 1));
  explored_ += share * static_cast<double>(copies - 1);
  Handled(p, stamp, Times(found, copies));
}

}  // namespace zv
