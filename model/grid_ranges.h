// Scan ranges over the bordered figure and form grids. Dimensions are clamped
// to the grid sizes (figure 30x30, form 30x30x10), so even dimensions brought
// by a damaged task file never index past the 1024- or 12288-entry arrays:
// a cube scan covers x < width, y < depth (cells up to index 31*32 - 2), a
// link scan x <= width, y <= depth (up to index 1023, the last border cell).
#pragma once

#include <algorithm>

#include "model/task.h"

namespace zv {

inline int CubeColumns(const FigureState& f) { return std::clamp(f.FigureWidth, 0, kMaxFigureSide); }
inline int CubeRows(const FigureState& f) { return std::clamp(f.FigureDepth, 0, kMaxFigureSide); }
inline int FormColumns(const FormState& f) { return std::clamp(f.FormWidth, 0, kMaxFormSide); }
inline int FormRows(const FormState& f) { return std::clamp(f.FormDepth, 0, kMaxFormSide); }
inline int FormLayers(const FormState& f) { return std::clamp(f.FormHeight, 0, kMaxFormHeight); }

// True when figure cell index `cell` lies inside the bordered grid.
constexpr bool InFigureGrid(int cell) { return cell >= 0 && cell < kFigureGrid; }

// True when a cube stands at `cell` inside the figure (x < width, y < depth).
// Cube bits outside the figure (possible only in a task file) do not count.
inline bool CubeInFigure(const FigureState& f, int cell) {
  if (!InFigureGrid(cell) || (f.Cells[cell] & kCubeBit) == 0) return false;
  int x = FigureCellX(cell), y = FigureCellY(cell);
  return x >= 0 && y >= 0 && x < CubeColumns(f) && y < CubeRows(f);
}

}  // namespace zv
