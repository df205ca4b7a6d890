// The reduced search's cuts: tests that a subtree holds no complete
// assignment, run after the forced moves of a chain step. Each cut only
// removes subtrees without solutions, so what is found and its order stay.
#include <algorithm>
#include <array>
#include <bit>

#include "solver/fast_search.h"
#include "solver/side_codes.h"

namespace zv {

void FastSearch::PrepareCuts() {
  const auto b = static_cast<std::size_t>(prep_.blockCount);
  // Regions join across edges too when an edge hinge may link cubes there.
  bool edgeHinges = false;
  for (int h = 0; h < prep_.hingeCount; ++h)
    edgeHinges = edgeHinges || prep_.hinges[h].lowerEdge != kNoHingeEdge;
  regions_.Build(prep_, edgeHinges, t_.pool);
  groupOf_.resize(b);
  groupSize_.resize(b);
  regionSizes_.resize(static_cast<std::size_t>(prep_.formCellCount));

  // A cube's face partners: the cubes of its block on its faces (the same
  // in every placement, since blocks turn as one) and the cubes of other
  // blocks it shares a face-axis hinge with, which turn about the shared
  // face and so stay on it. Edge hinges may fold a partner onto an edge
  // and are left out: a cube has at least as many face partners as counted.
  std::vector<int> partners(static_cast<std::size_t>(prep_.cubeCount), 0);
  for (int g = 0; g < prep_.blockCount; ++g) {
    const BlockInfo& info = prep_.blocks[g];
    if (info.firstPlacement == info.endPlacement) continue;
    const std::span<const std::uint8_t> cells = t_.CellsOf(info.firstPlacement);
    for (int i = 0; i < info.cubeCount; ++i)
      for (int j = 0; j < info.cubeCount; ++j)
        if (HasCell(regions_.Faces(cells[i]).words, cells[j])) ++partners[info.cubes[i]];
  }
  for (int h = 0; h < prep_.hingeCount; ++h) {
    const HingeLink& link = prep_.hinges[h];
    const int a = prep_.blockOfCube[link.lower], c = prep_.blockOfCube[link.higher];
    if (a == c) continue;
    blockLinks_.push_back({a, c});
    if (link.lowerEdge != kNoHingeEdge) continue;
    ++partners[link.lower];
    ++partners[link.higher];
  }
  // Each pair of linked blocks once, and whether these links make a cycle.
  for (auto& [x, y] : blockLinks_)
    if (x > y) std::swap(x, y);
  std::sort(blockLinks_.begin(), blockLinks_.end());
  blockLinks_.erase(std::unique(blockLinks_.begin(), blockLinks_.end()), blockLinks_.end());
  linkedStart_.assign(b + 1, 0);
  for (const auto& [x, y] : blockLinks_) {
    ++linkedStart_[x + 1];
    ++linkedStart_[y + 1];
  }
  for (std::size_t g = 0; g < b; ++g) linkedStart_[g + 1] += linkedStart_[g];
  linked_.resize(2 * blockLinks_.size());
  std::vector<std::int32_t> next(linkedStart_.begin(), linkedStart_.end() - 1);
  for (int g = 0; g < prep_.blockCount; ++g) groupOf_[g] = g;
  auto root = [&](int g) {
    while (groupOf_[g] != g) g = groupOf_[g] = groupOf_[groupOf_[g]];
    return g;
  };
  linksFormForest_ = true;
  for (const auto& [x, y] : blockLinks_) {
    linked_[next[x]++] = y;
    linked_[next[y]++] = x;
    if (root(x) == root(y)) linksFormForest_ = false;
    groupOf_[root(x)] = root(y);
  }
  // The parts of the figure: blocks that links join, directly or not.
  partOf_.resize(b);
  int parts = 0;
  for (int g = 0; g < prep_.blockCount; ++g)
    if (root(g) == g) groupSize_[g] = parts++;
  for (int g = 0; g < prep_.blockCount; ++g) partOf_[g] = groupSize_[root(g)];
  placedInPart_.assign(static_cast<std::size_t>(parts), 0);
  regionMasks_.resize(static_cast<std::size_t>(prep_.formCellCount));
  groupRegions_.resize(b);
  groupIndex_.resize(b);
  groupStack_.resize(b);
  visited_.assign(b, 0);

  fewPartners_.assign(2 * b, 0);
  for (int cube = 0; cube < prep_.cubeCount; ++cube) {
    const std::size_t g = prep_.blockOfCube[cube];
    if (partners[cube] == 0) ++fewPartners_[2 * g];
    if (partners[cube] <= 1) ++fewPartners_[2 * g + 1];
  }
}

bool FastSearch::Cut(int level, const CellMask& before, int blocksLeft, int surplus) {
  CellMask open, ends;
  for (int w = 0; w < t_.maskWords; ++w) open.words[w] = formCells_.words[w] & ~occupiedMask_.words[w];
  // After the scan, the constraints not yet settled are exactly the hinges
  // from a placed cube to an unplaced one.
  const LinkConstraint* list = Constraints(level);
  for (int i = 0; i < constraintCount_[level]; ++i)
    if (!list[i].done) ends.Set(list[i].fromCell);
  if (ThinCells(open, ends, surplus)) return true;
  // The empty cells formed one region before this step: they still do when
  // the empty cells next to those just filled all lie in one region, since
  // every other empty cell reached the filled ones through one of them.
  if (oneRegion_) {
    CellMask fresh;
    for (int w = 0; w < t_.maskWords; ++w) fresh.words[w] = occupiedMask_.words[w] & ~before.words[w];
    CellMask targets = regions_.Grow(fresh);
    for (int w = 0; w < t_.maskWords; ++w) targets.words[w] &= open.words[w];
    if (regions_.Joined(open, targets)) return false;
  }
  return SplitRegions(open, list, constraintCount_[level], blocksLeft, surplus, oneRegion_);
}

bool FastSearch::SplitRegions(const CellMask& open, const LinkConstraint* list, int count, int blocksLeft,
                              int surplus, bool& one) const {
  // The unplaced blocks fall into groups that links hold together; each
  // group lies within one region of empty cells, so the groups must pack
  // into the regions. When every part of the figure has a block placed,
  // each group hangs by a hinge from a placed cube, so it lies in a region
  // next to that cube.
  const int found = regions_.Sizes(open, regionSizes_.data(), regionMasks_.data());
  one = found <= 1;
  if (one) return false;
  int cubesLeft = -surplus;
  for (int w = 0; w < t_.maskWords; ++w) cubesLeft += std::popcount(open.words[w]);
  const int groups = freeParts_ == 0 && found <= 64
                         ? AnchoredGroups(list, count, blocksLeft, cubesLeft, found)
                         : LooseGroups();
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

int FastSearch::AnchoredGroups(const LinkConstraint* list, int count, int blocksLeft, int cubesLeft,
                               int found) const {
  // A group is found from each unsettled hinge into it; it may go only
  // into the regions next to the placed cube of every such hinge.
  ++groupStamp_;
  int groups = 0;
  // Without cycles, the group count follows from the links left; one group
  // holds every unplaced cube.
  const int total = linksFormForest_ ? blocksLeft - looseLinks_ : -1;
  const bool oneGroup = total == 1;
  // The last group of a known count is what the others leave.
  int last = -1, others = 0;
  for (int i = 0; i < count; ++i) {
    if (list[i].done) continue;
    const int start = list[i].neighbourBlock;
    int k = 0;
    if (oneGroup) {
      if (groups == 0) {
        groupSize_[0] = cubesLeft;
        groupRegions_[groups++] = ~std::uint64_t{0};
      }
    } else if (visited_[start] == groupStamp_) {
      k = groupIndex_[start];
    } else if (last >= 0) {
      k = last;
    } else {
      k = groups;
      if (groups == total - 1) {
        last = k;
        groupSize_[k] = cubesLeft - others;
      } else {
        groupSize_[k] = GroupSize(start, k);
        others += groupSize_[k];
      }
      groupRegions_[groups++] = ~std::uint64_t{0};
    }
    CellMask from;
    from.Set(list[i].fromCell);
    const CellMask near = regions_.Grow(from);
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

int FastSearch::GroupSize(int start, int group) const {
  // Depth first over the links between unplaced blocks.
  int size = 0, top = 0;
  groupStack_[top++] = start;
  visited_[start] = groupStamp_;
  while (top > 0) {
    const int g = groupStack_[--top];
    groupIndex_[g] = group;
    size += prep_.blocks[g].cubeCount;
    for (std::int32_t k = linkedStart_[g]; k < linkedStart_[g + 1]; ++k) {
      const int next = linked_[k];
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
  for (const auto& [a, b] : blockLinks_)
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

bool FastSearch::DeadOnArrival(int level, const LinkConstraint& branch, std::int32_t q) const {
  // The scan of the call would find the same: a constraint none of whose
  // candidates fits beside q (lattice slots aside, which only lets more
  // candidates pass), either one of q's own or one still open at this level.
  const std::uint64_t* own = t_.Mask(q);
  CellMask taken;
  for (int w = 0; w < t_.maskWords; ++w) taken.words[w] = occupiedMask_.words[w] | own[w];
  auto fits = [&](std::int32_t candidate) {
    const std::uint64_t* mask = t_.Mask(candidate);
    std::uint64_t meets = 0;
    for (int w = 0; w < t_.maskWords; ++w) meets |= mask[w] & taken.words[w];
    return meets == 0;
  };
  auto noneFits = [&](const LinkConstraint& c) {
    for (int k = 0; k < c.candidateCount; ++k)
      if (fits(c.candidates[k])) return false;
    return true;
  };
  const int block = branch.neighbourBlock;
  for (const LinkConstraint& c : t_.ConstraintsOf(block, q)) {
    if (c.neighbourBlock == block) continue;
    if (blockAvailable_[c.neighbourBlock]) {
      if (noneFits(c)) return true;
      continue;
    }
    bool partnerThere = false;
    for (int k = 0; k < c.candidateCount && !partnerThere; ++k)
      partnerThere = c.candidates[k] == chosen_[c.neighbourBlock];
    if (!partnerThere) return true;
  }
  const LinkConstraint* list = Constraints(level);
  for (int i = 0; i < constraintCount_[level]; ++i) {
    const LinkConstraint& c = list[i];
    if (c.done || &c == &branch) continue;
    if (c.neighbourBlock == block) {
      bool listed = false;
      for (int k = 0; k < c.candidateCount && !listed; ++k) listed = c.candidates[k] == q;
      if (!listed) return true;
    } else if (noneFits(c)) {
      return true;
    }
  }
  return false;
}

bool FastSearch::ThinCells(const CellMask& open, const CellMask& ends, int surplus) const {
  // The cube that will stand on an open cell needs a cell for each of its
  // face partners among the cell's face neighbours: an open one, or one
  // whose placed cube has a face-axis hinge to a cube still unplaced (edge
  // hinge ends count too, which only lets more cells pass). So at most as
  // many open cells as there are spare cells and unplaced cubes with no
  // partner may have no such neighbour, and likewise for one partner.
  CellMask seen;
  for (int w = 0; w < t_.maskWords; ++w) seen.words[w] = open.words[w] | ends.words[w];
  CellMask one, two;
  regions_.CountNeighbours(seen, open, one, two);
  // The limits are small, so the cells are counted only up to them.
  auto moreThan = [&](const CellMask& lacking, int limit) {
    for (int w = 0; w < t_.maskWords; ++w)
      for (std::uint64_t bits = open.words[w] & ~lacking.words[w]; bits != 0; bits &= bits - 1)
        if (--limit < 0) return true;
    return false;
  };
  return moreThan(one, fewLeft_[0] + surplus) || moreThan(two, fewLeft_[1] + surplus);
}

}  // namespace zv
