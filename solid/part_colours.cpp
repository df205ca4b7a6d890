// Shades of the part colours per block, chosen so that neighbouring blocks
// differ.
#include "solid/part_colours.h"

#include <algorithm>
#include <map>
#include <set>

namespace zv {
namespace {

// Each channel moved `share` of the way from `rgb` to `to`.
std::uint32_t Mix(std::uint32_t rgb, std::uint32_t to, double share) {
  std::uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const double from = (rgb >> shift) & 0xFF, target = (to >> shift) & 0xFF;
    out |= static_cast<std::uint32_t>(from + (target - from) * share + 0.5) << shift;
  }
  return out;
}

// Towards white (positive) or black (negative), by the share of the way.
constexpr std::array<double, kBlockShadeCount> kShadeSteps{0, 0.4, -0.35, 0.65, -0.6, 0.2, -0.2};

// The blocks each block must differ from: linked to it, or face to face
// with it where the solution puts them, in the same part.
std::vector<std::set<int>> BlockNeighbours(const SolidSolution& s) {
  std::vector<std::set<int>> near(s.blockCount);
  auto meet = [&](int a, int b) {
    const int x = s.block[a], y = s.block[b];
    if (x == y || s.part[a] != s.part[b]) return;
    near[x].insert(y);
    near[y].insert(x);
  };
  for (const SolidLink& l : s.links) meet(l.a.value(), l.b.value());
  std::map<Vec3, int> cubeAt;
  for (int k = 0; k < s.cubeCount; ++k) cubeAt[s.formCell[k]] = k;
  for (int k = 0; k < s.cubeCount; ++k)
    for (const Vec3& d : kFaceVector) {
      const auto it =
          cubeAt.find({s.formCell[k][0] + d[0], s.formCell[k][1] + d[1], s.formCell[k][2] + d[2]});
      if (it != cubeAt.end()) meet(k, it->second);
    }
  return near;
}

}  // namespace

std::uint32_t BlockShade(std::uint32_t rgb, int shade) {
  const double step = kShadeSteps[static_cast<std::size_t>(shade % kBlockShadeCount)];
  return step >= 0 ? Mix(rgb, 0xFFFFFF, step) : Mix(rgb, 0x000000, -step);
}

std::vector<std::uint32_t> CubeColours(const SolidSolution& s, std::uint32_t singlePartRgb) {
  const bool onePart = s.partCount <= 1;
  const int choices = onePart ? 1 + static_cast<int>(kPartColours.size()) : kBlockShadeCount;
  // Blocks in the order of their first cube, each taking the choice its
  // neighbours chosen so far use least (the lowest of equals).
  const std::vector<std::set<int>> near = BlockNeighbours(s);
  std::vector<int> choice(s.blockCount, -1);
  for (int k = 0; k < s.cubeCount; ++k) {
    const int b = s.block[k];
    if (choice[b] >= 0) continue;
    std::vector<int> used(choices, 0);
    for (int n : near[b])
      if (choice[n] >= 0) ++used[choice[n]];
    choice[b] = static_cast<int>(std::min_element(used.begin(), used.end()) - used.begin());
  }
  std::vector<std::uint32_t> colours(s.cubeCount);
  for (int k = 0; k < s.cubeCount; ++k) {
    const int c = choice[s.block[k]];
    colours[k] = onePart ? (c == 0 ? singlePartRgb : Mix(singlePartRgb, PartColour(c - 1), 0.5))
                         : BlockShade(PartColour(s.part[k]), c);
  }
  return colours;
}

}  // namespace zv
