// ThinCells, a cut of the reduced search: the cube that will stand on an
// open cell needs a cell for each of its face partners among the cell's
// face neighbours, so a subtree with more open cells lacking that room than
// spare cells and unplaced cubes with few partners can account for holds
// no solution.
#include <vector>

#include "solver/fast_search.h"
#include "solver/side_codes.h"

namespace zv {

void PreparedRules::PrepareThinCells(const PreparedSearch& prep, const FastTables& tables) {
  // A cube's face partners: the cubes of its block on its faces (the same
  // in every placement, since blocks turn as one) and the cubes of other
  // blocks it shares a face-axis hinge with, which turn about the shared
  // face and so stay on it. Edge hinges may fold a partner onto an edge
  // and are left out: a cube has at least as many face partners as counted.
  std::vector<int> partners(static_cast<std::size_t>(prep.cubeCount), 0);
  for (int g = 0; g < prep.blockCount; ++g) {
    const BlockInfo& info = prep.blocks[g];
    if (info.firstPlacement == info.endPlacement) continue;
    const std::span<const std::uint8_t> cells = tables.CellsOf(info.firstPlacement);
    for (int i = 0; i < info.cubeCount; ++i)
      for (int j = 0; j < info.cubeCount; ++j)
        if (HasCell(regions.Faces(cells[i]).words, cells[j])) ++partners[info.cubes[i]];
  }
  for (int h = 0; h < prep.hingeCount; ++h) {
    const HingeLink& link = prep.hinges[h];
    if (prep.blockOfCube[link.lower] == prep.blockOfCube[link.higher] || link.lowerEdge != kNoHingeEdge)
      continue;
    ++partners[link.lower];
    ++partners[link.higher];
  }
  fewPartners.assign(2 * static_cast<std::size_t>(prep.blockCount), 0);
  for (int cube = 0; cube < prep.cubeCount; ++cube) {
    const std::size_t g = prep.blockOfCube[cube];
    if (partners[cube] == 0) ++fewPartners[2 * g];
    if (partners[cube] <= 1) ++fewPartners[2 * g + 1];
  }
}

namespace {

// Whether `bits` holds more cells than `limit` allows, counting only up to
// it (the limits are small); `limit` keeps what is left, so the words of a
// mask go through one after the other.
bool PastLimit(std::uint64_t bits, int& limit) {
  for (; bits != 0; bits &= bits - 1)
    if (--limit < 0) return true;
  return false;
}

}  // namespace

bool FastSearch::ThinCellsWord(std::uint64_t open, std::uint64_t ends, int surplus) const {
  // As below, on one word.
  std::uint64_t one = 0, two = 0;
  rules_->regions.CountNeighboursWord(open | ends, open, one, two);
  int none = fewLeft_[0] + surplus, single = fewLeft_[1] + surplus;
  return PastLimit(open & ~one, none) || PastLimit(open & ~two, single);
}

bool FastSearch::ThinCells(const CellMask& open, const CellMask& ends, int surplus) const {
  // The cube that will stand on an open cell needs a cell for each of its
  // face partners among the cell's face neighbours: an open one, or one
  // whose placed cube has a face-axis hinge to a cube still unplaced (edge
  // hinge ends count too, which only lets more cells pass). So at most as
  // many open cells as there are spare cells and unplaced cubes with no
  // partner may have no such neighbour, and likewise for one partner.
  CellMask seen;
  for (int w = 0; w < t_.maskWords; ++w) seen.words[w] = open.words[w] | ends.words[w];
  CellMask one, two;
  rules_->regions.CountNeighbours(seen, open, one, two);
  auto moreThan = [&](const CellMask& lacking, int limit) {
    for (int w = 0; w < t_.maskWords; ++w)
      if (PastLimit(open.words[w] & ~lacking.words[w], limit)) return true;
    return false;
  };
  return moreThan(one, fewLeft_[0] + surplus) || moreThan(two, fewLeft_[1] + surplus);
}

}  // namespace zv
