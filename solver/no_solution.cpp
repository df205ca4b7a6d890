// The cheap arguments that a task has no solution.
#include "solver/no_solution.h"

#include <algorithm>
#include <bitset>
#include <new>

#include "solver/block_pool.h"
#include "solver/byte_key_set.h"
#include "solver/prepare.h"

namespace zv {
namespace {

constexpr std::size_t kReasonMemory = std::size_t{256} << 20;

bool Dark(CellIndex formCell) {
  return (FormCellX(formCell) + FormCellY(formCell) + FormCellZ(formCell)) % 2 == 0;
}

std::vector<CubeIndex> CubesWhere(const LinkAnalysis& links, const std::uint8_t* labels, int label) {
  std::vector<CubeIndex> cubes;
  for (int k = 0; k < links.cubeCount; ++k)
    if (labels[k] == label) cubes.emplace_back(k);
  return cubes;
}

NoSolutionReason Analyse(const LinkAnalysis& links, const PreparedSearch& prep) {
  NoSolutionReason why;
  const int n = prep.formCellCount;
  // Blocks: without placements, or without usable ones.
  for (int b = 0; b < prep.blockCount; ++b) {
    const BlockInfo& block = prep.blocks[b];
    if (block.firstPlacement == block.endPlacement) {
      why.kind = NoSolutionKind::BlockFitsNowhere;
      for (int j = 0; j < block.cubeCount; ++j) why.cubes.emplace_back(block.cubes[j]);
      return why;
    }
  }
  for (int b = 0; b < prep.blockCount; ++b) {
    const BlockInfo& block = prep.blocks[b];
    if (std::none_of(prep.placementAvailable + block.firstPlacement,
                     prep.placementAvailable + block.endPlacement, [](std::uint8_t a) { return a != 0; })) {
      why.kind = NoSolutionKind::PartFitsNowhere;
      why.cubes = CubesWhere(links, links.partLabel.data(), links.partLabel[block.cubes[0]]);
      return why;
    }
  }
  // Cells that no usable placement covers.
  std::vector<bool> covered(static_cast<std::size_t>(n), false);
  for (int p = 0; p < prep.placementCount; ++p) {
    if (!prep.placementAvailable[p]) continue;
    const Placement& placement = prep.placements[p];
    for (int i = 0; i < prep.blocks[placement.block].cubeCount; ++i) covered[placement.cells[i]] = true;
  }
  const int uncovered = static_cast<int>(std::count(covered.begin(), covered.end(), false));
  if (uncovered > prep.surplus) {
    if (prep.surplus == 0) {
      const CellIndex first(
          prep.formCells[std::find(covered.begin(), covered.end(), false) - covered.begin()]);
      why.kind = NoSolutionKind::CellUncovered;
      why.cellX = FormCellX(first);
      why.cellY = FormCellY(first);
      why.cellZ = FormCellZ(first);
    } else {
      why.kind = NoSolutionKind::TooManyUncovered;
      why.uncovered = uncovered;
      why.spare = prep.surplus;
    }
    return why;
  }
  // Colouring: the dark counts each block can cover, added up block by block.
  int formDark = 0;
  for (int m = 0; m < n; ++m) formDark += Dark(CellIndex(prep.formCells[m])) ? 1 : 0;
  const int formLight = n - formDark;
  std::bitset<kMaxFormCells + 1> sums;
  sums[0] = true;
  for (int b = 0; b < prep.blockCount; ++b) {
    const BlockInfo& block = prep.blocks[b];
    std::bitset<kMaxFormCells + 1> darkCounts, next;
    for (int p = block.firstPlacement; p < block.endPlacement; ++p) {
      if (!prep.placementAvailable[p]) continue;
      int dark = 0;
      for (int i = 0; i < block.cubeCount; ++i)
        dark += Dark(CellIndex(prep.formCells[prep.placements[p].cells[i]])) ? 1 : 0;
      darkCounts[dark] = true;
    }
    for (int d = 0; d <= kMaxFormCells; ++d)
      if (darkCounts[d]) next |= sums << d;
    sums = next;
  }
  // The empty cells take e dark and surplus - e light ones.
  for (int e = std::max(0, prep.surplus - formLight); e <= std::min(prep.surplus, formDark); ++e)
    if (sums[formDark - e]) return why;
  why.kind = NoSolutionKind::Colouring;
  why.formDark = formDark;
  why.formLight = formLight;
  why.spare = prep.surplus;
  return why;
}

}  // namespace

NoSolutionReason FindNoSolutionReason(const TaskState& task, const LinkAnalysis& links) {
  if (!SolvableShape(task, links)) return {};
  BlockPool pool;
  pool.SetLimit(kReasonMemory);
  ByteKeySet shapes;
  PreparedSearch prep;
  try {
    if (!PrepareSearch(task, links, pool, shapes, prep)) return {};
    return Analyse(links, prep);
  } catch (const std::bad_alloc&) {
    return {};
  }
}

}  // namespace zv
