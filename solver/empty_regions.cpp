// Regions of form cells: the whole-box case by word shifts, the general
// case by the neighbour masks of each cell.
#include "solver/empty_regions.h"

#include <bit>

#include "solver/rotations.h"

namespace zv {
namespace {

// The mask moved by `by` cell numbers up (by > 0) or down, over the words in use.
CellMask Shifted(const CellMask& m, int by, int words) {
  CellMask out;
  if (by > 0) {
    const int whole = by / 64, part = by % 64;
    for (int w = words - 1; w >= whole; --w) {
      std::uint64_t v = m.words[w - whole] << part;
      if (part != 0 && w - whole - 1 >= 0) v |= m.words[w - whole - 1] >> (64 - part);
      out.words[w] = v;
    }
  } else {
    const int whole = -by / 64, part = -by % 64;
    for (int w = 0; w + whole < words; ++w) {
      std::uint64_t v = m.words[w + whole] >> part;
      if (part != 0 && w + whole + 1 < words) v |= m.words[w + whole + 1] << (64 - part);
      out.words[w] = v;
    }
  }
  return out;
}

}  // namespace

void EmptyRegions::Build(const PreparedSearch& prep, bool acrossEdges) {
  const int n = prep.formCellCount;
  words_ = (n + 63) / 64;
  const Vec3& e = prep.boxExtent;
  box_ = !acrossEdges && n == e[0] * e[1] * e[2];
  if (box_) {
    // Form cells are numbered by z, then y, then x: in a whole box cell
    // (x, y, z) is number x + e0 * (y + e1 * z).
    strideY_ = e[0];
    strideZ_ = e[0] * e[1];
    for (int m = 0; m < n; ++m) {
      const int x = m % e[0], y = m / e[0] % e[1];
      if (x + 1 < e[0]) notLastX_.Set(m);
      if (x > 0) notFirstX_.Set(m);
      if (y + 1 < e[1]) notLastY_.Set(m);
      if (y > 0) notFirstY_.Set(m);
    }
    return;
  }
  neighbours_.assign(static_cast<std::size_t>(n), CellMask{});
  for (int m = 0; m < n; ++m)
    for (int k = 0; k < (acrossEdges ? kNeighbourCount : kFaceCount); ++k) {
      const int next = prep.cellNumberGrid[prep.formCells[m] + NeighbourOffset(k)];
      if (next > 0) neighbours_[m].Set(next - 1);
    }
}

CellMask EmptyRegions::Grow(const CellMask& from) const {
  CellMask out = from;
  auto add = [&](const CellMask& m) {
    for (int w = 0; w < words_; ++w) out.words[w] |= m.words[w];
  };
  if (box_ && words_ == 1) {
    const std::uint64_t m = from.words[0];
    out.words[0] = m | (m & notLastX_.words[0]) << 1 | (m & notFirstX_.words[0]) >> 1 |
                   (m & notLastY_.words[0]) << strideY_ | (m & notFirstY_.words[0]) >> strideY_;
    // A one-layer box may fill the word: no shift by its whole width.
    if (strideZ_ < 64) out.words[0] |= m << strideZ_ | m >> strideZ_;
    return out;
  }
  if (box_) {
    CellMask part;
    for (int w = 0; w < words_; ++w) part.words[w] = from.words[w] & notLastX_.words[w];
    add(Shifted(part, 1, words_));
    for (int w = 0; w < words_; ++w) part.words[w] = from.words[w] & notFirstX_.words[w];
    add(Shifted(part, -1, words_));
    for (int w = 0; w < words_; ++w) part.words[w] = from.words[w] & notLastY_.words[w];
    add(Shifted(part, strideY_, words_));
    for (int w = 0; w < words_; ++w) part.words[w] = from.words[w] & notFirstY_.words[w];
    add(Shifted(part, -strideY_, words_));
    add(Shifted(from, strideZ_, words_));
    add(Shifted(from, -strideZ_, words_));
    return out;
  }
  for (int w = 0; w < words_; ++w)
    for (std::uint64_t bits = from.words[w]; bits != 0; bits &= bits - 1)
      add(neighbours_[w * 64 + std::countr_zero(bits)]);
  return out;
}

int EmptyRegions::Sizes(CellMask cells, int* sizes) const {
  int count = 0;
  for (int w = 0; w < words_; ++w)
    while (cells.words[w] != 0) {
      CellMask region;
      region.Set(w * 64 + std::countr_zero(cells.words[w]));
      // In the box, growing the whole region each round costs a few word
      // operations; elsewhere only the newest cells are grown from.
      CellMask frontier = region;
      for (;;) {
        const CellMask grown = Grow(box_ ? region : frontier);
        bool more = false;
        for (int v = 0; v < words_; ++v) {
          frontier.words[v] = grown.words[v] & cells.words[v] & ~region.words[v];
          region.words[v] |= frontier.words[v];
          more = more || frontier.words[v] != 0;
        }
        if (!more) break;
      }
      int size = 0;
      for (int v = 0; v < words_; ++v) {
        size += std::popcount(region.words[v]);
        cells.words[v] &= ~region.words[v];
      }
      sizes[count++] = size;
    }
  return count;
}

}  // namespace zv
