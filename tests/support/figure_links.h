// Lists the link bits of a figure with the two cube cells each one joins,
// worked out from the link bit table alone, for checks that must not trust
// the editing code they test.
//
//   for (const zv::test::StoredLink& l : zv::test::StoredLinks(task.figure)) ...
#pragma once

#include <algorithm>
#include <utility>
#include <vector>

#include "model/task.h"

namespace zv::test {

struct StoredLink {
  int cell;    // storing cell
  int bit;     // 1..14
  int first;   // figure cell index of the first cube
  int second;  // figure cell index of the second cube
  // The pair of cube cells, lower index first: links of one pair compare equal.
  std::pair<int, int> Pair() const { return {std::min(first, second), std::max(first, second)}; }
  bool operator==(const StoredLink&) const = default;
};

// Every link bit set in cells x 0..FigureWidth, y 0..FigureDepth, row-major,
// bits ascending.
inline std::vector<StoredLink> StoredLinks(const FigureState& f) {
  std::vector<StoredLink> links;
  for (int y = 0; y <= f.FigureDepth; ++y)
    for (int x = 0; x <= f.FigureWidth; ++x) {
      const int cell = FigureCellIndex(x, y);
      for (int bit = 1; bit <= 14; ++bit)
        if (f.Cells[cell] & BitMask(bit))
          links.push_back(
              {cell, bit, cell + kLinkBits[bit].FirstOffset(), cell + kLinkBits[bit].SecondOffset()});
    }
  return links;
}

// Hinges on one vertical edge (bits 5..10 of one storing cell) that may stand
// together: a subset of {5, 6}, of {7, 8}, bit 9 alone or bit 10 alone.
inline bool CornerBitsCompatible(int a, int b) {
  if (a > b) std::swap(a, b);
  return (a == 5 && b == 6) || (a == 7 && b == 8);
}

inline bool IsCornerBit(int bit) { return bit >= CornerYLeft && bit <= CornerAntiDiag; }

}  // namespace zv::test
