// Builds the fast search's flat tables from the prepared placements.
#include "solver/fast_tables.h"

#include <algorithm>
#include <bit>

namespace zv {

void FastTables::Build(const PreparedSearch& prep, BlockPool* from) {
  pool = from;
  UsePool(pool, blockOf, cellStart, cells, available, blockConstraints, maskBits, candidateMasks, coverStart,
          cover, ownStart, own);
  blockCount = prep.blockCount;
  formCellCount = prep.formCellCount;
  placementCount = prep.placementCount;
  const auto p = static_cast<std::size_t>(placementCount);

  blockOf.assign(p, 0);
  available.assign((p + 63) / 64, 0);
  for (std::size_t i = 0; i < p; ++i)
    if (prep.placementAvailable[i]) available[i >> 6] |= std::uint64_t{1} << (i & 63);
  constraints = prep.constraints;
  blockConstraints.resize(static_cast<std::size_t>(blockCount));
  std::size_t start = 0;
  for (int b = 0; b < blockCount; ++b) {
    const BlockInfo& info = prep.blocks[b];
    blockConstraints[b] = {start, info.firstPlacement, info.hingeEnds};
    start += static_cast<std::size_t>(info.endPlacement - info.firstPlacement) *
             static_cast<std::size_t>(info.hingeEnds);
  }
  maskWords = std::max(1, (formCellCount + 63) / 64);
  maskBits.assign(p * static_cast<std::size_t>(maskWords), 0);
  cellStart.assign(p + 1, 0);
  // Sized once: the pool never takes back the room a growing vector leaves.
  std::size_t cellTotal = 0;
  for (int b = 0; b < blockCount; ++b)
    cellTotal += static_cast<std::size_t>(prep.blocks[b].endPlacement - prep.blocks[b].firstPlacement) *
                 static_cast<std::size_t>(prep.blocks[b].cubeCount);
  cells.clear();
  cells.reserve(cellTotal);
  std::vector<std::int32_t> coverCount(static_cast<std::size_t>(formCellCount) + 1, 0);
  for (std::size_t i = 0; i < p; ++i) {
    const Placement& placement = prep.placements[i];
    blockOf[i] = placement.block;
    const int size = prep.blocks[placement.block].cubeCount;
    cells.insert(cells.end(), placement.cells, placement.cells + size);
    cellStart[i + 1] = static_cast<std::int32_t>(cells.size());
    std::uint64_t* mask = maskBits.data() + i * static_cast<std::size_t>(maskWords);
    for (int j = 0; j < size; ++j)
      mask[placement.cells[j] >> 6] |= std::uint64_t{1} << (placement.cells[j] & 63);
    if (Available(static_cast<std::int32_t>(i)))
      for (int j = 0; j < size; ++j) ++coverCount[placement.cells[j] + 1u];
  }

  candidateMasks.clear();
  if (maskWords == 1) {
    candidateMasks.assign(4 * start, 0);
    for (std::size_t i = 0; i < start; ++i)
      for (int k = 0; k < constraints[i].candidateCount; ++k) {
        const std::int32_t q = constraints[i].candidates[k];
        // Constraints of placements the filter dropped are never read; their
        // candidates need not name a placement.
        if (q >= 0 && q < placementCount) candidateMasks[4 * i + static_cast<std::size_t>(k)] = maskBits[q];
      }
  }

  coverStart.assign(static_cast<std::size_t>(formCellCount) + 1, 0);
  for (int m = 0; m < formCellCount; ++m) coverStart[m + 1u] = coverStart[m] + coverCount[m + 1u];
  std::int32_t mostCovering = 0;
  for (int m = 0; m < formCellCount; ++m) mostCovering = std::max(mostCovering, coverCount[m + 1u]);
  countPlanes = std::max(3, static_cast<int>(std::bit_width(static_cast<std::uint32_t>(mostCovering))));
  cover.assign(static_cast<std::size_t>(coverStart[formCellCount]), 0);
  std::vector<std::int32_t> fill(coverStart.begin(), coverStart.end() - 1);
  for (std::int32_t i = 0; i < placementCount; ++i)
    if (Available(i))
      for (std::uint8_t cell : CellsOf(i)) cover[fill[cell]++] = i;

  ownStart.assign(static_cast<std::size_t>(blockCount) + 1, 0);
  own.clear();
  own.reserve(p);
  for (int b = 0; b < blockCount; ++b) {
    for (int i = prep.blocks[b].firstPlacement; i < prep.blocks[b].endPlacement; ++i)
      if (Available(i)) own.push_back(i);
    ownStart[b + 1u] = static_cast<std::int32_t>(own.size());
  }
}

}  // namespace zv
