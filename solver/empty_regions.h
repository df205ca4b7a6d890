// The regions of a set of form cells: the cells joined across faces (and
// across edges, for figures with edge hinges, whose hinged cubes may stand
// diagonally); and how many face neighbours each cell has in a set. A form
// that is a whole box is handled by shifting all 64 cells of a mask word at
// once; other forms cell by cell.
//
// Usage:
//   zv::EmptyRegions regions;
//   regions.Build(prep, acrossEdges, pool);   // pool: nullptr for the heap
//   int count = regions.Sizes(openCells, sizes);   // sizes[0 .. count)
//   regions.CountNeighbours(of, at, one, two);
#pragma once

#include <vector>

#include "solver/fast_tables.h"
#include "solver/pool_vector.h"
#include "solver/prepare.h"

namespace zv {

class EmptyRegions {
 public:
  void Build(const PreparedSearch& prep, bool acrossEdges, BlockPool* pool);
  // Writes the size and the cells of every region of `cells` and returns
  // how many there are (at most the form's cell count).
  int Sizes(CellMask cells, int* sizes, CellMask* masks) const;
  // Among the cells of `at`: those with at least one face neighbour in
  // `of` (into `one`) and those with at least two (into `two`).
  void CountNeighbours(const CellMask& of, const CellMask& at, CellMask& one, CellMask& two) const;
  // Whether every cell of `targets` (all within `cells`) lies in one region
  // of `cells`; the fill stops as soon as it has met them all.
  bool Joined(const CellMask& cells, const CellMask& targets) const;
  // The cells joined to some cell of `from`, and those of `from`.
  CellMask Grow(const CellMask& from) const;
  // The face neighbours of a form cell.
  const CellMask& Faces(int cell) const { return faces_[cell]; }

 private:
  // Grow for a whole box in one mask word.
  std::uint64_t GrowWord(std::uint64_t m) const {
    std::uint64_t out = m | (m & notLastX_.words[0]) << 1 | (m & notFirstX_.words[0]) >> 1 |
                        (m & notLastY_.words[0]) << strideY_ | (m & notFirstY_.words[0]) >> strideY_;
    // A one-layer box may fill the word: no shift by its whole width.
    if (strideZ_ < 64) out |= m << strideZ_ | m >> strideZ_;
    return out;
  }

  int words_ = 1;
  bool wholeBox_ = false;          // the form fills its box
  bool box_ = false;               // regions join across faces only, in a whole box
  int strideY_ = 0, strideZ_ = 0;  // cell number steps of y and z in the box
  CellMask notLastX_, notFirstX_;  // cells with a neighbour at x + 1, at x - 1
  CellMask notLastY_, notFirstY_;
  CellMask form_;                    // every form cell
  PoolVector<CellMask> faces_;       // per cell, its face neighbours
  PoolVector<CellMask> neighbours_;  // with edges too, when regions join across them
};

}  // namespace zv
