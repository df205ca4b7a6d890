// The twin order, a reduction of the reduced search: identical unlinked
// blocks ("twins") are kept in placement order at block branchings, and
// what the order leaves out is counted by the number of ways to exchange
// them; its cutoff ends a block branching where no later branch can leave
// the other twins room beyond it.
#include <bit>

#include "solver/fast_search.h"

namespace zv {

void PreparedRules::PrepareTwinOrder(const PreparedSearch& prep) {
  const auto b = static_cast<std::size_t>(prep.blockCount);
  familyOf.assign(b, -1);
  familySize.assign(b, 0);
  if (!on.twinOrder) return;
  for (int g = 0; g < prep.blockCount; ++g) {
    const int lower = reductions.twinOf[g];
    familyOf[g] = lower >= 0 ? familyOf[lower] : g;
    ++familySize[familyOf[g]];
  }
  // The order compares placements by their place in the block's list, so
  // it applies only where every placement is a class of its own.
  for (int g = 0; g < prep.blockCount; ++g) {
    const BlockInfo& info = prep.blocks[g];
    bool single = familySize[familyOf[g]] > 1;
    for (std::int32_t p = info.firstPlacement; p < info.endPlacement && single; ++p)
      single = reductions.classSize[p] <= 1;
    if (!single) familySize[familyOf[g]] = 0;
  }
  for (int g = 0; g < prep.blockCount; ++g)
    if (familySize[familyOf[g]] < 2) familyOf[g] = -1;
}

bool FastSearch::TwinOutOfOrder(std::int32_t p) const {
  const int g = t_.blockOf[p];
  const int family = rules_->familyOf[g];
  return family >= 0 && p - prep_.blocks[g].firstPlacement <= twinBound_[family];
}

int FastSearch::TwinCutoff(int block, int slack) const {
  const std::uint32_t* bounds = ListBounds();
  const int family = rules_->familyOf[block];
  const int words = t_.maskWords;
  const auto mask = [&](std::uint32_t i) {
    return t_.maskBits.data() + static_cast<std::size_t>(lists_[i]) * static_cast<std::size_t>(words);
  };
  // The cells that only the family's blocks can still cover.
  CellMask need;
  for (int w = 0; w < words; ++w) need.words[w] = formCells_.words[w] & ~occupiedMask_.words[w];
  for (int h = 0; h < prep_.blockCount; ++h) {
    if (!blockAvailable_[h] || rules_->familyOf[h] == family) continue;
    for (std::uint32_t i = bounds[h]; i < bounds[h + 1]; ++i)
      for (int w = 0; w < words; ++w) need.words[w] &= ~mask(i)[w];
  }
  // Placements at or below the family's bound are out of order already.
  const std::int32_t first = prep_.blocks[block].firstPlacement;
  std::uint32_t start = bounds[block];
  while (start < bounds[block + 1] && lists_[start] - first <= twinBound_[family]) ++start;
  CellMask reach;
  for (std::uint32_t i = start; i < bounds[block + 1]; ++i)
    for (int w = 0; w < words; ++w) reach.words[w] |= mask(i)[w];
  int needed = 0;
  for (int w = 0; w < words; ++w) needed += std::popcount(need.words[w] & reach.words[w]);
  const int target = needed - slack;
  if (target <= 0) return static_cast<int>(bounds[block + 1] - bounds[block]);
  // With the block on entry i, the other twins lie beyond it, so a needed
  // cell whose last covering entry comes before i stays empty. Walking
  // back, the first entry from which `target` needed cells are still
  // covered is the last one that can complete.
  CellMask seen;
  int covered = 0;
  for (std::uint32_t i = bounds[block + 1]; i-- > start;) {
    for (int w = 0; w < words; ++w) {
      const std::uint64_t fresh = mask(i)[w] & need.words[w] & ~seen.words[w];
      covered += std::popcount(fresh);
      seen.words[w] |= fresh;
    }
    if (covered >= target) return static_cast<int>(i - bounds[block]);
  }
  return -1;
}

}  // namespace zv
