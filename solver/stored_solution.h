// One stored solution as the views, the solid geometry and the files read
// it: three spans by form cell number, borrowed from the solver (or from a
// result file) and valid while it keeps them.
//
// Usage:
//   zv::StoredSolution s = solver.Solution(i);
//   for (zv::CellNumber n(0); n.value() < s.Size(); ++n)
//     s.CubeAt(n)       // the cube there; none: form cell number n is empty
//     s.CellAt(n)       // its form cell index
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>

#include "model/strong_index.h"

namespace zv {

// One stored solution, by form cell number (the form cells in z, y, x order).
struct StoredSolution {
  std::span<const std::uint8_t> cubes;      // cube index + 1 there; 0 = empty
  std::span<const std::uint8_t> rotations;  // rotation 0..23 of that cube
  std::span<const std::int16_t> formCells;  // form cell index of each number

  // Form cell numbers held by all three spans.
  int Size() const { return static_cast<int>(std::min({cubes.size(), rotations.size(), formCells.size()})); }
  CubeIndex CubeAt(CellNumber n) const { return CubeIndex(cubes[Entry(n)] - 1); }
  CellIndex CellAt(CellNumber n) const { return CellIndex(formCells[Entry(n)]); }
  std::uint8_t RotationAt(CellNumber n) const { return rotations[Entry(n)]; }

 private:
  static std::size_t Entry(CellNumber n) { return static_cast<std::size_t>(n.value()); }
};

}  // namespace zv
