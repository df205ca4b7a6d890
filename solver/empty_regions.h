// The regions of a set of form cells: the cells joined across faces (and
// across edges, for figures with edge hinges, whose hinged cubes may stand
// diagonally). A form that is a whole box is grown by shifting all 64 cells
// of a mask word at once; other forms cell by cell.
//
// Usage:
//   zv::EmptyRegions regions;
//   regions.Build(prep, acrossEdges);
//   int count = regions.Sizes(openCells, sizes);   // sizes[0 .. count)
#pragma once

#include <vector>

#include "solver/fast_tables.h"
#include "solver/prepare.h"

namespace zv {

class EmptyRegions {
 public:
  void Build(const PreparedSearch& prep, bool acrossEdges);
  // Writes the size of every region of `cells` and returns how many there
  // are (at most the form's cell count).
  int Sizes(CellMask cells, int* sizes) const;

 private:
  CellMask Grow(const CellMask& from) const;

  int words_ = 1;
  bool box_ = false;               // face neighbours only, in a whole box
  int strideY_ = 0, strideZ_ = 0;  // cell number steps of y and z in the box
  CellMask notLastX_, notFirstX_;  // cells with a neighbour at x + 1, at x - 1
  CellMask notLastY_, notFirstY_;
  std::vector<CellMask> neighbours_;  // otherwise: per cell, the joined cells
};

}  // namespace zv
