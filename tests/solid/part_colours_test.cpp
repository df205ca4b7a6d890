// The cube colours every picture, model and page of a solution takes, on the
// first solution of every quick example: the cubes of a block share one
// colour; two blocks of one part that are linked or touch face to face differ
// (whenever neither has as many such neighbours as there are shades); the
// first block of a part has the part's colour, or the cube colour given when
// the figure is one part; shades of a part keep to its colour's family
// (mixed only with white or black).
#include "solid/part_colours.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

#include "tests/solid/solved_examples.h"

namespace zv {
namespace {

using namespace zv::test;

// Whether `shade` is `rgb` mixed with white or black alone: one share of
// the way for every channel, to within rounding.
bool SameFamily(std::uint32_t rgb, std::uint32_t shade) {
  auto channel = [](std::uint32_t c, int i) { return double((c >> (8 * i)) & 0xFF); };
  for (double end : {255.0, 0.0}) {
    int widest = 0;
    for (int i = 1; i < 3; ++i)
      if (std::abs(end - channel(rgb, i)) > std::abs(end - channel(rgb, widest))) widest = i;
    const double span = end - channel(rgb, widest);
    const double share = span == 0 ? 0 : (channel(shade, widest) - channel(rgb, widest)) / span;
    bool all = share >= 0;
    for (int i = 0; i < 3; ++i)
      all = all && std::abs(channel(rgb, i) + (end - channel(rgb, i)) * share - channel(shade, i)) <= 1.01;
    if (all) return true;
  }
  return false;
}

TEST(PartColours, NeighbouringBlocksDifferAndPartsKeepTheirColours) {
  const std::uint32_t cubeRgb = 0xFFC800;
  for (const SolvedExample& e : SolveQuickExamples()) {
    SCOPED_TRACE(e.file);
    const SolidSolution s = e.Solid(0);
    const std::vector<std::uint32_t> colours = CubeColours(s, cubeRgb);
    ASSERT_EQ(static_cast<int>(colours.size()), s.cubeCount);
    // Neighbouring blocks: linked, or in form cells one step apart.
    std::set<std::pair<int, int>> pairs;
    for (const SolidLink& l : s.links) pairs.insert({l.a.value(), l.b.value()});
    for (int a = 0; a < s.cubeCount; ++a)
      for (int b = a + 1; b < s.cubeCount; ++b) {
        int distance = 0;
        for (int i = 0; i < 3; ++i) distance += std::abs(s.formCell[a][i] - s.formCell[b][i]);
        if (distance == 1) pairs.insert({a, b});
      }
    std::map<int, std::set<int>> neighbours;
    for (auto [a, b] : pairs)
      if (s.part[a] == s.part[b] && s.block[a] != s.block[b]) {
        neighbours[s.block[a]].insert(s.block[b]);
        neighbours[s.block[b]].insert(s.block[a]);
      }
    const int shades = s.partCount > 1 ? kBlockShadeCount : 1 + static_cast<int>(kPartColours.size());
    std::set<int> partsSeen;
    for (int a = 0; a < s.cubeCount; ++a) {
      const bool first = partsSeen.insert(s.part[a]).second;
      if (first) {
        EXPECT_EQ(colours[a], s.partCount > 1 ? PartColour(s.part[a]) : cubeRgb) << "cube " << a;
      }
      if (s.partCount > 1) {
        EXPECT_TRUE(SameFamily(PartColour(s.part[a]), colours[a])) << "cube " << a;
      }
      for (int b = 0; b < s.cubeCount; ++b) {
        if (s.block[a] == s.block[b]) {
          EXPECT_EQ(colours[a], colours[b]) << "cubes " << a << ", " << b;
        }
        const bool near = neighbours[s.block[a]].count(s.block[b]) > 0;
        if (near && static_cast<int>(neighbours[s.block[a]].size()) < shades &&
            static_cast<int>(neighbours[s.block[b]].size()) < shades) {
          EXPECT_NE(colours[a], colours[b]) << "neighbouring cubes " << a << ", " << b;
        }
      }
    }
  }
}

}  // namespace
}  // namespace zv
