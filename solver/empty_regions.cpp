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

void EmptyRegions::Build(const PreparedSearch& prep, bool acrossEdges, BlockPool* pool) {
  UsePool(pool, faces_, neighbours_);
  const int n = prep.formCellCount;
  words_ = (n + 63) / 64;
  const Vec3& e = prep.boxExtent;
  wholeBox_ = n == e[0] * e[1] * e[2];
  box_ = !acrossEdges && wholeBox_;
  faces_.assign(static_cast<std::size_t>(n), CellMask{});
  for (int m = 0; m < n; ++m) {
    form_.Set(m);
    for (int k = 0; k < kFaceCount; ++k) {
      const int next = prep.cellNumberGrid[prep.formCells[m] + kFaceOffset[k]];
      if (next > 0) faces_[m].Set(next - 1);
    }
  }
  if (wholeBox_) {
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
  }
  if (!acrossEdges) {
    neighbours_ = faces_;
    return;
  }
  neighbours_.assign(static_cast<std::size_t>(n), CellMask{});
  for (int m = 0; m < n; ++m)
    for (int k = 0; k < (acrossEdges ? kNeighbourCount : kFaceCount); ++k) {
      const int next = prep.cellNumberGrid[prep.formCells[m] + NeighbourOffset(k)];
      if (next > 0) neighbours_[m].Set(next - 1);
    }
}

CellMask EmptyRegions::GrowCells(const CellMask& from) const {
  CellMask out = from;
  auto add = [&](const CellMask& m) {
    for (int w = 0; w < words_; ++w) out.words[w] |= m.words[w];
  };
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

int EmptyRegions::Sizes(CellMask cells, int* sizes, CellMask* masks, int most, const CellMask* known) const {
  int count = 0;
  if (known != nullptr && most > 0) {
    masks[count] = *known;
    sizes[count] = 0;
    for (int w = 0; w < words_; ++w) {
      sizes[count] += std::popcount(known->words[w]);
      cells.words[w] &= ~known->words[w];
    }
    ++count;
  }
  if (box_ && words_ == 1) {
    for (std::uint64_t rest = cells.words[0]; rest != 0;) {
      if (count == most) return most + 1;
      std::uint64_t region = rest & (0 - rest);
      for (std::uint64_t grown; (grown = GrowWord(region) & rest) != region;) region = grown;
      masks[count] = CellMask{};
      masks[count].words[0] = region;
      sizes[count++] = std::popcount(region);
      rest &= ~region;
    }
    return count;
  }
  for (int w = 0; w < words_; ++w)
    while (cells.words[w] != 0) {
      if (count == most) return most + 1;
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
      masks[count] = region;
      sizes[count++] = size;
    }
  return count;
}

bool EmptyRegions::JoinedCells(const CellMask& cells, const CellMask& targets) const {
  CellMask region;
  int first = -1;
  for (int w = 0; w < words_ && first < 0; ++w)
    if (targets.words[w] != 0) first = w * 64 + std::countr_zero(targets.words[w]);
  if (first < 0) return true;
  region.Set(first);
  for (;;) {
    const CellMask grown = Grow(region);
    bool more = false, all = true;
    for (int w = 0; w < words_; ++w) {
      const std::uint64_t next = grown.words[w] & cells.words[w];
      more = more || next != region.words[w];
      region.words[w] = next;
      all = all && (targets.words[w] & ~next) == 0;
    }
    if (all) return true;
    if (!more) return false;
  }
}

void EmptyRegions::CountNeighboursCells(const CellMask& of, const CellMask& at, CellMask& one,
                                        CellMask& two) const {
  one = CellMask{};
  two = CellMask{};
  auto add = [&](const CellMask& m) {
    for (int w = 0; w < words_; ++w) {
      two.words[w] |= one.words[w] & m.words[w];
      one.words[w] |= m.words[w];
    }
  };
  if (wholeBox_) {
    CellMask part;
    for (int w = 0; w < words_; ++w) part.words[w] = of.words[w];
    CellMask d = Shifted(part, -1, words_);
    for (int w = 0; w < words_; ++w) d.words[w] &= notLastX_.words[w];
    add(d);
    d = Shifted(part, 1, words_);
    for (int w = 0; w < words_; ++w) d.words[w] &= notFirstX_.words[w];
    add(d);
    d = Shifted(part, -strideY_, words_);
    for (int w = 0; w < words_; ++w) d.words[w] &= notLastY_.words[w];
    add(d);
    d = Shifted(part, strideY_, words_);
    for (int w = 0; w < words_; ++w) d.words[w] &= notFirstY_.words[w];
    add(d);
    add(Shifted(part, -strideZ_, words_));
    d = Shifted(part, strideZ_, words_);
    for (int w = 0; w < words_; ++w) d.words[w] &= form_.words[w];
    add(d);
    for (int w = 0; w < words_; ++w) {
      one.words[w] &= at.words[w];
      two.words[w] &= at.words[w];
    }
    return;
  }
  for (int w = 0; w < words_; ++w)
    for (std::uint64_t bits = at.words[w]; bits != 0; bits &= bits - 1) {
      const int cell = w * 64 + std::countr_zero(bits);
      int count = 0;
      for (int v = 0; v < words_ && count < 2; ++v)
        count += std::popcount(faces_[cell].words[v] & of.words[v]);
      if (count >= 1) one.Set(cell);
      if (count >= 2) two.Set(cell);
    }
}

}  // namespace zv
