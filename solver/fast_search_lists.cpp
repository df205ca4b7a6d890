// The fast search's placement lists at new-group steps: the filter that
// keeps the still usable placements of the unplaced blocks, the least
// covered cell by bit-plane counts, and the placements covering one cell.
#include <bit>
#include <cassert>

#include "solver/fast_search.h"

namespace zv {

FastSearch::Filtered FastSearch::Filter() {
  switch (t_.maskWords) {
    case 1:
      return FilterWith<1>();
    case 2:
      return FilterWith<2>();
    case 3:
      return FilterWith<3>();
    default:
      return FilterWith<4>();
  }
}

template <int kWords>
FastSearch::Filtered FastSearch::FilterWith() {
  const std::size_t stride = static_cast<std::size_t>(prep_.blockCount) + 1;
  const std::uint32_t* from = listBounds_.data() + listDepth_ * stride;
  std::uint32_t* to = listBounds_.data() + (listDepth_ + 1) * stride;
  // The new list holds at most what its parent holds. Growing the stack
  // happens only when a path nests deeper than any before it.
  const std::size_t most = listTop_ + (from[prep_.blockCount] - from[0]);
  if (lists_.size() < most) lists_.resize(2 * most);
  // Placed blocks drop out whole. Within a block there are no branches on
  // the outcome, which is close to random: every entry is written at the
  // top, and the top moves on only for those kept.
  std::int32_t* list = lists_.data();
  const std::uint64_t* masks = t_.maskBits.data();
  std::uint64_t occupied[kWords];
  for (int w = 0; w < kWords; ++w) occupied[w] = occupiedMask_.words[w];
  // A full-width top lets the kept flag feed the top, the index and the
  // reach mask without narrowing copies.
  std::size_t out = listTop_;
  Filtered result;
  CellMask& reach = result.reach;
  for (int g = 0; g < prep_.blockCount; ++g) {
    to[g] = static_cast<std::uint32_t>(out);
    if (!blockAvailable_[g]) continue;
    const std::size_t start = out;
    const std::uint32_t end = from[g + 1];
    for (std::uint32_t i = from[g]; i < end; ++i) {
      const std::int32_t q = list[i];
      const std::uint64_t* mask = masks + static_cast<std::size_t>(q) * kWords;
      std::uint64_t meets = 0;
      for (int w = 0; w < kWords; ++w) meets |= mask[w] & occupied[w];
      const std::uint64_t keep = meets == 0;
      list[out] = q;
      out += keep;
      for (int w = 0; w < kWords; ++w) reach.words[w] |= mask[w] & (0 - keep);
    }
    const auto usable = static_cast<std::int32_t>(out - start);
    result.emptyBlock |= usable == 0;
    if (usable < result.bestBlockCount) {
      result.bestBlockCount = usable;
      result.bestBlock = g;
    }
  }
  to[prep_.blockCount] = static_cast<std::uint32_t>(out);
  ++listDepth_;
  listTop_ = out;
  // One bounds row per list on the stack, and the kept entries within the stack's room.
  assert((listDepth_ + 1) * stride <= listBounds_.size() && out <= lists_.size());
  return result;
}

FastSearch::CellChoice FastSearch::LeastCoveredCell() const {
  switch (t_.maskWords) {
    case 1:
      return LeastCoveredCellWith<1>();
    case 2:
      return LeastCoveredCellWith<2>();
    case 3:
      return LeastCoveredCellWith<3>();
    default:
      return LeastCoveredCellWith<4>();
  }
}

// The placements of the current list are counted per cell in bit planes:
// bit m of plane k is bit k of cell m's count, so one word operation adds a
// placement to 64 cells at once. Eight masks at a time go through a tree of
// carry-save adders into planes 0 to 2 (weights 1, 2 and 4), and the carry
// of weight 8 ripples on from plane 3; the rest are added one by one. A
// cell's count never exceeds the placements covering it, below
// 2^countPlanes, so no carry runs past the last plane.
template <int kWords>
FastSearch::CellChoice FastSearch::LeastCoveredCellWith() const {
  const int planes = t_.countPlanes;
  std::uint64_t plane[FastTables::kMaxCountPlanes][kWords];
  for (int k = 0; k < planes; ++k)
    for (int w = 0; w < kWords; ++w) plane[k][w] = 0;
  const std::uint32_t* bounds = ListBounds();
  const std::int32_t* list = lists_.data();
  const std::uint64_t* masks = t_.maskBits.data();
  auto maskWord = [&](std::uint32_t i, int w) {
    return masks[static_cast<std::size_t>(list[i]) * kWords + w];
  };
  // A full adder on whole words: sum bits into low, carries into high.
  auto add = [](std::uint64_t& high, std::uint64_t& low, std::uint64_t a, std::uint64_t b, std::uint64_t c) {
    const std::uint64_t u = a ^ b;
    high = (a & b) | (u & c);
    low = u ^ c;
  };
  auto ripple = [&](int from, int w, std::uint64_t carry) {
    for (int k = from; carry != 0; ++k) {
      const std::uint64_t next = plane[k][w] & carry;
      plane[k][w] ^= carry;
      carry = next;
    }
  };
  std::uint32_t i = bounds[0];
  const std::uint32_t end = bounds[prep_.blockCount];
  for (; i + 8 <= end; i += 8) {
    for (int w = 0; w < kWords; ++w) {
      std::uint64_t& ones = plane[0][w];
      std::uint64_t& twos = plane[1][w];
      std::uint64_t& fours = plane[2][w];
      std::uint64_t twosA, twosB, foursA, foursB, eights;
      add(twosA, ones, ones, maskWord(i, w), maskWord(i + 1, w));
      add(twosB, ones, ones, maskWord(i + 2, w), maskWord(i + 3, w));
      add(foursA, twos, twos, twosA, twosB);
      add(twosA, ones, ones, maskWord(i + 4, w), maskWord(i + 5, w));
      add(twosB, ones, ones, maskWord(i + 6, w), maskWord(i + 7, w));
      add(foursB, twos, twos, twosA, twosB);
      add(eights, fours, fours, foursA, foursB);
      ripple(3, w, eights);
    }
  }
  for (; i < end; ++i)
    for (int w = 0; w < kWords; ++w) ripple(0, w, maskWord(i, w));

  // Among the covered cells keep, from the highest plane down, those with a
  // 0 bit whenever there are any: what stays are the cells of the least
  // count, and the lowest of them is the first such cell in form order.
  std::uint64_t least[kWords];
  for (int w = 0; w < kWords; ++w) {
    least[w] = 0;
    for (int k = 0; k < planes; ++k) least[w] |= plane[k][w];
  }
  for (int k = planes - 1; k >= 0; --k) {
    std::uint64_t lower[kWords];
    std::uint64_t any = 0;
    for (int w = 0; w < kWords; ++w) {
      lower[w] = least[w] & ~plane[k][w];
      any |= lower[w];
    }
    if (any != 0)
      for (int w = 0; w < kWords; ++w) least[w] = lower[w];
  }
  for (int w = 0; w < kWords; ++w) {
    if (least[w] == 0) continue;
    const int bit = std::countr_zero(least[w]);
    std::int32_t count = 0;
    for (int k = 0; k < planes; ++k) count |= static_cast<std::int32_t>(plane[k][w] >> bit & 1) << k;
    return {w * 64 + bit, count};
  }
  return {-1, kNoCountYet};
}

std::size_t FastSearch::GatherCovering(int cell) {
  const std::uint32_t* bounds = ListBounds();
  const std::size_t first = listTop_;
  const std::size_t most = first + (bounds[prep_.blockCount] - bounds[0]);
  if (lists_.size() < most) lists_.resize(2 * most);
  std::int32_t* const list = lists_.data();
  const std::uint64_t* masks = t_.maskBits.data() + (cell >> 6);
  const auto words = static_cast<std::size_t>(t_.maskWords);
  const int bit = cell & 63;
  // Whether an entry covers the cell is close to random, so every entry is
  // written at the top and the top moves on only for those that do.
  std::int32_t* out = list + first;
  for (const std::int32_t* in = list + bounds[0], *end = list + bounds[prep_.blockCount]; in != end; ++in) {
    const std::int32_t q = *in;
    *out = q;
    out += masks[static_cast<std::size_t>(q) * words] >> bit & 1;
  }
  const auto top = static_cast<std::size_t>(out - list);
  assert(top <= lists_.size());
  listTop_ = top;
  return first;
}

}  // namespace zv
