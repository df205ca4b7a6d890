// Flat read-only tables the fast placement search derives from the prepared
// placements: per placement its block and its cells in one contiguous array,
// per form cell the placements that cover it, per block its placements.
// Only placements the consistency filter left available enter the lists; the
// others can never be used and stay out of every loop.
//
// Usage:
//   zv::FastTables tables;
//   tables.Build(prep);                 // before the search, once per run
//   for (std::int32_t p : tables.Covering(cell)) ...
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "solver/pool_vector.h"
#include "solver/prepare.h"

namespace zv {

// A set of form cells as bits: bit m of word m / 64 for form cell number m
// (a form has at most 254 cells, so four words hold any set). Placement
// masks keep only the words the form uses, see FastTables::Mask.
struct CellMask {
  std::uint64_t words[4] = {};

  void Set(int cell) { words[cell >> 6] |= std::uint64_t{1} << (cell & 63); }
  void Clear(int cell) { words[cell >> 6] &= ~(std::uint64_t{1} << (cell & 63)); }
};

inline bool HasCell(const std::uint64_t* mask, int cell) { return (mask[cell >> 6] >> (cell & 63) & 1) != 0; }

struct FastTables {
  int blockCount = 0;      // B
  int formCellCount = 0;   // N
  int placementCount = 0;  // P
  int maskWords = 1;       // N / 64 rounded up: words of a placement's cell mask
  // Bits of the most placements covering one cell (at least 3): a per-cell
  // count of any list of available placements fits in that many bits.
  static constexpr int kMaxCountPlanes = 32;
  int countPlanes = 3;

  PoolVector<std::uint8_t> blockOf;     // P: block index of each placement
  PoolVector<std::int32_t> cellStart;   // P + 1: the cells of p are cells[cellStart[p] ..)
  PoolVector<std::uint8_t> cells;       // form cell numbers, in block cube order
  PoolVector<std::uint64_t> available;  // P bits: the consistency filter's flags, bit p % 64 of word p / 64
  // The link constraints of every placement side by side in placement
  // order: the prepared array, read in place. Every placement of a block
  // has one per hinge end of the block, so a placement's constraints are
  // found from its block's entry, which stays in the cache, rather than
  // from a table per placement. The search only takes those of available
  // placements, whose candidates are all available.
  struct BlockConstraints {
    std::size_t start;            // where the constraints of the block's first placement start
    std::int32_t firstPlacement;  // the block's first placement
    std::int32_t count;           // constraints per placement
  };
  PoolVector<BlockConstraints> blockConstraints;  // B
  const LinkConstraint* constraints = nullptr;
  // P x maskWords: the cells of each placement. Only the words the form
  // uses are kept, so for forms up to 64 cells the masks take 8 bytes a
  // placement and the forced moves of long hinge chains stay in the cache.
  PoolVector<std::uint64_t> maskBits;
  // Forms of at most 64 cells: beside each link constraint, in the same
  // order, the masks of its candidates (four a constraint, 0 past its
  // count), so the arrival test of a placement reads its constraints'
  // candidate masks from one place the scan asked for ahead, instead of
  // one scattered mask per candidate. Empty otherwise.
  PoolVector<std::uint64_t> candidateMasks;
  PoolVector<std::int32_t> coverStart;  // N + 1
  PoolVector<std::int32_t> cover;       // available placements covering each cell, ascending
  PoolVector<std::int32_t> ownStart;    // B + 1
  PoolVector<std::int32_t> own;         // available placements of each block, ascending

  // Builds the tables, taking their room from `pool` (nullptr: the heap).
  // Throws std::bad_alloc when the pool refuses.
  void Build(const PreparedSearch& prep, BlockPool* pool = nullptr);
  BlockPool* pool = nullptr;  // where the tables and the searches over them take room

  std::span<const std::uint8_t> CellsOf(std::int32_t p) const {
    return {cells.data() + cellStart[p], static_cast<std::size_t>(cellStart[p + 1] - cellStart[p])};
  }
  bool Available(std::int32_t p) const {
    return (available[static_cast<std::size_t>(p) >> 6] >> (p & 63) & 1) != 0;
  }
  const std::uint64_t* Mask(std::int32_t p) const {
    return maskBits.data() + static_cast<std::size_t>(p) * maskWords;
  }
  // The constraints of placement p of `block`.
  std::span<const LinkConstraint> ConstraintsOf(int block, std::int32_t p) const {
    const BlockConstraints& b = blockConstraints[block];
    const auto count = static_cast<std::size_t>(b.count);
    return {constraints + b.start + static_cast<std::size_t>(p - b.firstPlacement) * count, count};
  }
  // The candidate masks of the constraints of placement p of `block`
  // (ConstraintsOf(block, p)), four a constraint; one-word forms only.
  const std::uint64_t* CandidateMasksOf(int block, std::int32_t p) const {
    const BlockConstraints& b = blockConstraints[block];
    return candidateMasks.data() +
           4 * (b.start + static_cast<std::size_t>(p - b.firstPlacement) * static_cast<std::size_t>(b.count));
  }
  std::span<const std::int32_t> Covering(int cell) const {
    return {cover.data() + coverStart[cell],
            static_cast<std::size_t>(coverStart[cell + 1] - coverStart[cell])};
  }
  std::span<const std::int32_t> PlacementsOf(int block) const {
    return {own.data() + ownStart[block], static_cast<std::size_t>(ownStart[block + 1] - ownStart[block])};
  }
};

}  // namespace zv
