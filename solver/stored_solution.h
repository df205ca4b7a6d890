// One stored solution as the views, the solid geometry and the files read
// it: three spans by form cell number, borrowed from the solver (or from a
// result file) and valid while it keeps them.
//
// Usage:
//   zv::StoredSolution s = solver.Solution(i);
//   int cube = s.cubes[n] - 1;              // -1: form cell number n is empty
//   int cell = s.formCells[n];              // its form cell index
#pragma once

#include <cstdint>
#include <span>

namespace zv {

// One stored solution, by form cell number (the form cells in z, y, x order).
struct StoredSolution {
  std::span<const std::uint8_t> cubes;      // cube index + 1 there; 0 = empty
  std::span<const std::uint8_t> rotations;  // rotation 0..23 of that cube
  std::span<const std::int16_t> formCells;  // form cell index of each number
};

}  // namespace zv
