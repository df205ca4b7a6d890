// Distinct integer types for the small numbers of a task that are easy to
// mix up: a form cell index (into the bordered 12288-entry form grid), a
// form cell number (0..N-1, the form's cells in z, y, x order), a cube
// index (0..C-1, the figure's cubes in reading order) and a placement id
// (into the solver's placement table). Each is an int in a wrapper of its
// own: it is made only explicitly (`CellNumber(n)`), gives its value only
// by `value()`, and compares only with its own kind, so passing a cell
// index where a cell number belongs does not compile. The wrapper costs
// nothing: it is trivially copyable and of its int's size.
//
// Usage:
//   zv::CellNumber n = solver.FormCellNumber(zv::FormCellIndex(x, y, z));
//   if (n.valid()) solution.CubeAt(n) ...
#pragma once

#include <compare>
#include <cstdint>

namespace zv {

template <class Tag, class Rep = int>
class StrongIndex {
 public:
  using Value = Rep;
  constexpr StrongIndex() = default;
  constexpr explicit StrongIndex(Rep value) : value_(value) {}

  constexpr Rep value() const { return value_; }
  // The numbers are 0 and up; -1 says "none".
  constexpr bool valid() const { return value_ >= 0; }
  static constexpr StrongIndex None() { return StrongIndex(-1); }

  friend constexpr auto operator<=>(StrongIndex, StrongIndex) = default;
  constexpr StrongIndex& operator++() {
    ++value_;
    return *this;
  }

 private:
  Rep value_ = 0;
};

using CellIndex = StrongIndex<struct CellIndexTag>;                    // form cell index
using CellNumber = StrongIndex<struct CellNumberTag>;                  // form cell number
using CubeIndex = StrongIndex<struct CubeIndexTag>;                    // cube index
using PlacementId = StrongIndex<struct PlacementIdTag, std::int32_t>;  // placement table entry

}  // namespace zv
