// The reduced search's cuts as the core runs them: tests that a subtree
// holds no complete assignment, after the forced moves of a chain step, each
// a rule of its own (rule_thin_cells.cpp, rule_split_regions.cpp) behind its
// switch. Each cut only removes subtrees without solutions, so what is found
// and its order stay.
#include "solver/fast_search.h"

namespace zv {

void FastSearch::PrepareRuleState() {
  const auto b = static_cast<std::size_t>(prep_.blockCount);
  const auto n = static_cast<std::size_t>(prep_.formCellCount);
  partSeen_.assign(static_cast<std::size_t>(rules_->partCount), 0);
  regionMasks_.resize(n);
  regionSizes_.resize(n);
  groupOf_.resize(b);
  groupSize_.resize(b);
  groupRegions_.resize(b);
  groupIndex_.resize(b);
  groupStack_.resize(b);
  visited_.assign(b, 0);
  twinsLeft_.assign(b, 0);
  twinBound_.assign(b, -1);
}

bool FastSearch::Cut(int level, const CellMask& before, int surplus) {
  CellMask open, ends;
  for (int w = 0; w < t_.maskWords; ++w) open.words[w] = formCells_.words[w] & ~occupiedMask_.words[w];
  // After the scan, the constraints not yet settled are exactly the hinges
  // from a placed cube to an unplaced one.
  const LinkConstraint* list = Constraints(level);
  if (thinCells_) {
    for (int i = 0; i < constraintCount_[level]; ++i)
      if (!list[i].done) ends.Set(list[i].fromCell);
    if (ThinCells(open, ends, surplus)) return true;
  }
  if (!splitRegions_) return false;
  // The empty cells formed one region before this step: they still do when
  // the empty cells next to those just filled all lie in one region, since
  // every other empty cell reached the filled ones through one of them.
  if (oneRegion_) {
    CellMask fresh;
    for (int w = 0; w < t_.maskWords; ++w) fresh.words[w] = occupiedMask_.words[w] & ~before.words[w];
    CellMask targets = rules_->regions.Grow(fresh);
    for (int w = 0; w < t_.maskWords; ++w) targets.words[w] &= open.words[w];
    if (rules_->regions.Joined(open, targets)) return false;
  }
  return SplitRegions(open, list, constraintCount_[level], surplus, oneRegion_);
}

bool FastSearch::CutWord(int level, std::uint64_t before, int surplus) {
  // Cut on a whole box in one mask word, the same tests on plain words.
  const EmptyRegions& regions = rules_->regions;
  const std::uint64_t occupied = occupiedMask_.words[0];
  const std::uint64_t open = formCells_.words[0] & ~occupied;
  const LinkConstraint* list = Constraints(level);
  const int count = constraintCount_[level];
  if (thinCells_) {
    std::uint64_t ends = 0;
    for (int i = 0; i < count; ++i)
      if (!list[i].done) ends |= std::uint64_t{1} << list[i].fromCell;
    if (ThinCellsWord(open, ends, surplus)) return true;
  }
  if (!splitRegions_) return false;
  // When the cells next to those just filled are not joined, the fill
  // that found so has one region already, which the split test takes.
  CellMask cells, known;
  cells.words[0] = open;
  if (oneRegion_ && regions.JoinedWord(open, regions.GrowWord(occupied & ~before) & open, known.words[0]))
    return false;
  return SplitRegions(cells, list, count, surplus, oneRegion_, oneRegion_ ? &known : nullptr);
}

}  // namespace zv
