// SplitRegions, a cut of the reduced search: the unplaced blocks fall into
// groups that links hold together, each group lies within one region of
// empty cells, so the groups must pack into the regions; a subtree whose
// regions waste more cells than it may leave empty holds no solution.
#include <algorithm>
#include <array>
#include <bit>
#include <vector>

#include "solver/fast_search.h"

namespace zv {

void PreparedRules::PrepareLinkGroups(const PreparedSearch& prep) {
  const auto b = static_cast<std::size_t>(prep.blockCount);
  for (int h = 0; h < prep.hingeCount; ++h) {
    const HingeLink& link = prep.hinges[h];
    const int a = prep.blockOfCube[link.lower], c = prep.blockOfCube[link.higher];
    if (a != c) blockLinks.push_back({a, c});
  }
  // Each pair of linked blocks once, and whether these links make a cycle.
  for (auto& [x, y] : blockLinks)
    if (x > y) std::swap(x, y);
  std::sort(blockLinks.begin(), blockLinks.end());
  blockLinks.erase(std::unique(blockLinks.begin(), blockLinks.end()), blockLinks.end());
  linkedStart.assign(b + 1, 0);
  for (const auto& [x, y] : blockLinks) {
    ++linkedStart[x + 1];
    ++linkedStart[y + 1];
  }
  for (std::size_t g = 0; g < b; ++g) linkedStart[g + 1] += linkedStart[g];
  linked.resize(2 * blockLinks.size());
  std::vector<std::int32_t> next(linkedStart.begin(), linkedStart.end() - 1);
  std::vector<int> groupOf(b);
  for (int g = 0; g < prep.blockCount; ++g) groupOf[g] = g;
  auto root = [&](int g) {
    while (groupOf[g] != g) g = groupOf[g] = groupOf[groupOf[g]];
    return g;
  };
  linksFormForest = true;
  for (const auto& [x, y] : blockLinks) {
    linked[next[x]++] = y;
    linked[next[y]++] = x;
    if (root(x) == root(y)) linksFormForest = false;
    groupOf[root(x)] = root(y);
  }
  if (linksFormForest) {
    // Each side of each link, by a walk from the block that does not cross it.
    linkedSide.assign(linked.size(), 0);
    std::vector<int> stack, from(b, -1);
    for (int g = 0; g < prep.blockCount; ++g)
      for (std::int32_t k = linkedStart[g]; k < linkedStart[g + 1]; ++k) {
        int cubes = 0;
        stack.assign(1, g);
        from[g] = linked[k];
        while (!stack.empty()) {
          const int x = stack.back();
          stack.pop_back();
          cubes += prep.blocks[x].cubeCount;
          for (std::int32_t j = linkedStart[x]; j < linkedStart[x + 1]; ++j)
            if (linked[j] != from[x]) {
              from[linked[j]] = x;
              stack.push_back(linked[j]);
            }
        }
        linkedSide[k] = cubes;
      }
  }
  // The parts of the figure: blocks that links join, directly or not.
  std::vector<int> partOfRoot(b, 0);
  partOf.resize(b);
  partCount = 0;
  for (int g = 0; g < prep.blockCount; ++g)
    if (root(g) == g) partOfRoot[g] = partCount++;
  for (int g = 0; g < prep.blockCount; ++g) partOf[g] = partOfRoot[root(g)];
}

bool FastSearch::SplitRegions(const CellMask& open, const LinkConstraint* list, int count, int surplus,
                              bool& one, const CellMask* known) const {
  // Without spare cells every region must be filled, so each takes a group
  // of its own; when every part of the figure has a block placed, each
  // group hangs from an open constraint, so there are at most as many
  // groups as open constraints. More regions than that cannot all be
  // filled, whatever the groups' sizes (the full test below finds the
  // same), so the regions are only looked for up to one more.
  int freePart = -1;  // FreePartLeft(), once asked
  int most = kMaxCubes;
  if (surplus == 0) {
    int hinges = 0;
    for (int i = 0; i < count; ++i) hinges += list[i].done == 0;
    freePart = FreePartLeft() ? 1 : 0;
    if (freePart == 0 && hinges >= 1 && hinges < 64) most = hinges;
  }
  // The regions' order does not matter below (with at most 64 of them).
  const int found = rules_->regions.Sizes(open, regionSizes_.data(), regionMasks_.data(), most, known);
  one = found <= 1;
  if (one) return false;
  if (found > most) return true;
  // When every part of the figure has a block placed, each group hangs by
  // a hinge from a placed cube, so it lies in a region next to that cube.
  if (freePart < 0) freePart = FreePartLeft() ? 1 : 0;
  const int groups = found <= 64 && freePart == 0 ? AnchoredGroups(list, count, found) : LooseGroups();
  if (groups < 0) return true;

  // Regions no group may go into stay empty; so does a region smaller than
  // every group that may go there (tested below, one way at a time, when
  // there are few), and all but as many regions as there are groups.
  std::uint64_t wanted = 0;
  for (int g = 0; g < groups; ++g) wanted |= groupRegions_[g];
  int regions = 0, waste = 0;
  std::array<int, 64> renumber{};
  for (int r = 0; r < found; ++r) {
    if (r < 64 && (wanted >> r & 1) == 0) {
      waste += regionSizes_[r];
      continue;
    }
    if (r < 64) renumber[r] = regions;
    regionSizes_[regions++] = regionSizes_[r];
  }
  if (waste > surplus) return true;
  // A few groups in a few regions: try every way to put the groups into
  // regions they may go to and fit (the spare cells are those left over,
  // whatever the way).
  constexpr int kMostTried = 4;
  if (groups <= kMostTried && regions <= kMostTried) {
    std::array<std::uint64_t, kMostTried> may{};
    for (int g = 0; g < groups; ++g)
      for (int r = 0; r < found && r < 64; ++r)
        if (groupRegions_[g] >> r & 1) may[g] |= std::uint64_t{1} << renumber[r];
    int ways = 1;
    for (int g = 0; g < groups; ++g) ways *= regions;
    for (int way = 0; way < ways; ++way) {
      std::array<int, kMostTried> load{};
      bool fits = true;
      for (int g = 0, code = way; g < groups && fits; ++g, code /= regions) {
        const int r = code % regions;
        load[r] += groupSize_[g];
        fits = (may[g] >> r & 1) != 0 && load[r] <= regionSizes_[r];
      }
      if (fits) return false;
    }
    return true;
  }
  int smallest = kMaxCubes + 1;
  for (int g = 0; g < groups; ++g) smallest = std::min(smallest, groupSize_[g]);
  const int kept = regions;
  regions = 0;
  for (int r = 0; r < kept; ++r) {
    if (regionSizes_[r] < smallest)
      waste += regionSizes_[r];
    else
      regionSizes_[regions++] = regionSizes_[r];
  }
  if (regions > groups) {
    std::sort(regionSizes_.begin(), regionSizes_.begin() + regions);
    for (int r = 0; r < regions - groups; ++r) waste += regionSizes_[r];
  }
  return waste > surplus;
}

int FastSearch::AnchoredGroups(const LinkConstraint* list, int count, int found) const {
  // A group is found from each unsettled hinge into it; it may go only
  // into the regions next to the placed cube of every such hinge.
  NextGroupStamp();
  int groups = 0;
  // Without cycles the placed blocks of each part hang together, so the
  // block behind an unsettled hinge touches one placed block, and its
  // group is its side of that link, of a size known beforehand; with
  // cycles, the group is traced.
  const bool forest = rules_->linksFormForest;
  for (int i = 0; i < count; ++i) {
    if (list[i].done) continue;
    const int start = list[i].neighbourBlock;
    int k = 0;
    if (visited_[start] == groupStamp_) {
      k = groupIndex_[start];
    } else {
      k = groups;
      if (forest) {
        visited_[start] = groupStamp_;
        groupIndex_[start] = k;
        std::int32_t j = rules_->linkedStart[start];
        while (blockAvailable_[rules_->linked[j]]) ++j;
        groupSize_[k] = rules_->linkedSide[j];
      } else {
        groupSize_[k] = GroupSize(start, k);
      }
      groupRegions_[groups++] = ~std::uint64_t{0};
    }
    CellMask from;
    from.Set(list[i].fromCell);
    const CellMask near = rules_->regions.Grow(from);
    std::uint64_t may = 0;
    for (int r = 0; r < found; ++r) {
      std::uint64_t meets = 0;
      for (int w = 0; w < t_.maskWords; ++w) meets |= near.words[w] & regionMasks_[r].words[w];
      may |= std::uint64_t{meets != 0} << r;
    }
    std::uint64_t& allowed = groupRegions_[k];
    allowed &= may;
    if (allowed == 0) return -1;
  }
  return groups;
}

void FastSearch::NextGroupStamp() const {
  // After 2^32 stamps an old mark could pass for the new stamp: start over.
  if (++groupStamp_ == 0) {
    std::fill(visited_.begin(), visited_.end(), 0);
    std::fill(partSeen_.begin(), partSeen_.end(), 0);
    groupStamp_ = 1;
  }
}

bool FastSearch::FreePartLeft() const {
  // The parts holding a placed block, each counted once.
  NextGroupStamp();
  int seen = 0;
  for (int i = 0; i < placedTop_; ++i) {
    std::uint32_t& mark = partSeen_[rules_->partOf[placedStack_[i]]];
    seen += mark != groupStamp_;
    mark = groupStamp_;
    if (seen == rules_->partCount) return false;
  }
  return seen < rules_->partCount;
}

int FastSearch::GroupSize(int start, int group) const {
  // Depth first over the links between unplaced blocks.
  int size = 0, top = 0;
  groupStack_[top++] = start;
  visited_[start] = groupStamp_;
  while (top > 0) {
    const int g = groupStack_[--top];
    groupIndex_[g] = group;
    size += prep_.blocks[g].cubeCount;
    for (std::int32_t k = rules_->linkedStart[g]; k < rules_->linkedStart[g + 1]; ++k) {
      const int next = rules_->linked[k];
      if (blockAvailable_[next] && visited_[next] != groupStamp_) {
        visited_[next] = groupStamp_;
        groupStack_[top++] = next;
      }
    }
  }
  return size;
}

int FastSearch::LooseGroups() const {
  for (int g = 0; g < prep_.blockCount; ++g) groupOf_[g] = blockAvailable_[g] ? g : -1;
  auto root = [&](int g) {
    while (groupOf_[g] != g) g = groupOf_[g] = groupOf_[groupOf_[g]];
    return g;
  };
  for (const auto& [a, b] : rules_->blockLinks)
    if (blockAvailable_[a] && blockAvailable_[b]) groupOf_[root(a)] = root(b);
  std::fill(groupSize_.begin(), groupSize_.end(), 0);
  for (int g = 0; g < prep_.blockCount; ++g)
    if (blockAvailable_[g]) groupSize_[root(g)] += prep_.blocks[g].cubeCount;
  int groups = 0;
  for (int g = 0; g < prep_.blockCount; ++g)
    if (groupSize_[g] > 0) {
      groupSize_[groups] = groupSize_[g];
      groupRegions_[groups++] = ~std::uint64_t{0};
    }
  return groups;
}

}  // namespace zv
