// The regions of form cells against a plain reference on cell coordinates:
// whole boxes in one mask word (answered by word shifts, one layer or
// several), a box over two words, and a box with a corner cut off (cell by
// cell), joined across faces and across edges. Random cell sets are split
// into regions, grown, counted for neighbours and tested for being joined.
#include "solver/empty_regions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <vector>

namespace zv {
namespace {

struct Form {
  std::vector<Vec3> at;  // coordinates by form cell number: by z, then y, then x
  std::vector<std::int16_t> cells;
  std::vector<std::uint8_t> grid = std::vector<std::uint8_t>(kFormGrid, 0);
  PreparedSearch prep;

  Form(Vec3 extent, bool cutCorner) {
    for (int z = 0; z < extent[2]; ++z)
      for (int y = 0; y < extent[1]; ++y)
        for (int x = 0; x < extent[0]; ++x) {
          if (cutCorner && x == 0 && y == 0 && z == 0) continue;
          at.push_back({x, y, z});
          cells.push_back(static_cast<std::int16_t>(FormCellIndex(x, y, z).value()));
          grid[FormCellIndex(x, y, z).value()] = static_cast<std::uint8_t>(cells.size());
        }
    prep.formCellCount = static_cast<int>(cells.size());
    prep.formCells = cells.data();
    prep.cellNumberGrid = grid.data();
    prep.boxExtent = extent;
  }
  // Face neighbours differ by one in one coordinate; edge neighbours in two.
  bool Joined(int a, int b, bool acrossEdges) const {
    int ones = 0, far = 0;
    for (int k = 0; k < 3; ++k) {
      const int d = std::abs(at[a][k] - at[b][k]);
      ones += d == 1;
      far += d > 1;
    }
    return far == 0 && (ones == 1 || (acrossEdges && ones == 2));
  }
};

bool Has(const CellMask& m, int cell) { return HasCell(m.words, cell); }

TEST(EmptyRegions, AgreeWithCellByCellReference) {
  const std::array<std::pair<Vec3, bool>, 5> forms = {
      {{{4, 4, 4}, false}, {{8, 8, 1}, false}, {{3, 3, 2}, false}, {{5, 5, 3}, false}, {{4, 4, 4}, true}}};
  std::mt19937 random(25);
  for (const auto& [extent, cut] : forms)
    for (const bool edges : {false, true}) {
      const Form form(extent, cut);
      const int n = form.prep.formCellCount;
      EmptyRegions regions;
      regions.Build(form.prep, edges, nullptr);
      for (int round = 0; round < 200; ++round) {
        SCOPED_TRACE(testing::Message()
                     << "form " << extent[0] << "x" << extent[1] << "x" << extent[2] << (cut ? " cut" : "")
                     << (edges ? " edges" : "") << " round " << round);
        CellMask cells, from;
        for (int m = 0; m < n; ++m) {
          if (random() % 3 != 0) cells.Set(m);
          if (random() % 9 == 0) from.Set(m);
        }
        // Reference regions: a label per cell of `cells`.
        std::vector<int> label(static_cast<std::size_t>(n), -1);
        int labels = 0;
        for (int m = 0; m < n; ++m) {
          if (!Has(cells, m) || label[m] >= 0) continue;
          std::vector<int> stack{m};
          label[m] = labels;
          while (!stack.empty()) {
            const int c = stack.back();
            stack.pop_back();
            for (int d = 0; d < n; ++d)
              if (Has(cells, d) && label[d] < 0 && form.Joined(c, d, edges)) {
                label[d] = labels;
                stack.push_back(d);
              }
          }
          ++labels;
        }
        std::vector<int> sizes(static_cast<std::size_t>(n));
        std::vector<CellMask> masks(static_cast<std::size_t>(n));
        ASSERT_EQ(regions.Sizes(cells, sizes.data(), masks.data()), labels);
        // Each region is exactly the cells of one reference label.
        for (int r = 0; r < labels; ++r) {
          int first = 0;
          while (first < n && !Has(masks[r], first)) ++first;
          ASSERT_LT(first, n);
          int size = 0;
          for (int m = 0; m < n; ++m) {
            EXPECT_EQ(Has(masks[r], m), label[m] == label[first]) << m;
            size += Has(masks[r], m);
          }
          EXPECT_EQ(size, sizes[r]);
        }
        // Asked for at most `most` regions: the same first ones, or most + 1
        // at once when there are more.
        const int most = static_cast<int>(random() % 4);
        std::vector<int> firstSizes(sizes.size());
        std::vector<CellMask> firstMasks(masks.size());
        ASSERT_EQ(regions.Sizes(cells, firstSizes.data(), firstMasks.data(), most),
                  std::min(labels, most + 1));
        for (int r = 0; r < std::min(labels, most); ++r) {
          EXPECT_EQ(firstSizes[r], sizes[r]);
          for (int w = 0; w < 4; ++w) EXPECT_EQ(firstMasks[r].words[w], masks[r].words[w]);
        }
        // Given one region found already: it comes first, then the others
        // in their order.
        if (labels > 0) {
          const int k = static_cast<int>(random() % labels);
          std::vector<int> knownSizes(sizes.size());
          std::vector<CellMask> knownMasks(masks.size());
          ASSERT_EQ(regions.Sizes(cells, knownSizes.data(), knownMasks.data(), kMaxCubes, &masks[k]), labels);
          for (int r = 0; r < labels; ++r) {
            const int was = r == 0 ? k : r <= k ? r - 1 : r;
            EXPECT_EQ(knownSizes[r], sizes[was]);
            for (int w = 0; w < 4; ++w) EXPECT_EQ(knownMasks[r].words[w], masks[was].words[w]);
          }
        }
        CellMask one, two;
        regions.CountNeighbours(cells, from, one, two);
        const CellMask grown = regions.Grow(from);
        CellMask targets;
        for (int m = 0; m < n; ++m) {
          int faces = 0;
          bool near = Has(from, m);
          for (int d = 0; d < n; ++d) {
            faces += Has(cells, d) && form.Joined(m, d, false);
            near = near || (Has(from, d) && form.Joined(m, d, edges));
          }
          EXPECT_EQ(Has(one, m), Has(from, m) && faces >= 1) << m;
          EXPECT_EQ(Has(two, m), Has(from, m) && faces >= 2) << m;
          EXPECT_EQ(Has(grown, m), near) << m;
          if (Has(cells, m) && Has(from, m)) targets.Set(m);
        }
        bool oneLabel = true;
        int firstLabel = -1;
        for (int m = 0; m < n; ++m)
          if (Has(targets, m)) {
            if (firstLabel < 0) firstLabel = label[m];
            oneLabel = oneLabel && label[m] == firstLabel;
          }
        EXPECT_EQ(regions.Joined(cells, targets), oneLabel);
        // On one word, targets not joined leave the region of the lowest one.
        std::uint64_t region = 0;
        if (regions.WordBox() && !regions.JoinedWord(cells.words[0], targets.words[0], region)) {
          for (int m = 0; m < n; ++m) EXPECT_EQ(region >> m & 1, std::uint64_t{label[m] == firstLabel}) << m;
        }
      }
    }
}

}  // namespace
}  // namespace zv
