// A complete assignment as it passes between the search, the solution
// store, the unit results and the checks of outside solutions: the
// placement of every block, block by block (B entries). The search keeps
// writing plain placement numbers into its own array; this view of that
// array hands each one out as a PlacementId, so a block number or a form
// cell number is never taken for one. Copying it copies a pointer.
//
// Usage:
//   store.Record(zv::Assignment(chosen));   // chosen: B placement numbers
//   zv::PlacementId p = assignment[b];      // block b's placement
#pragma once

#include <cstdint>

#include "model/strong_index.h"

namespace zv {

class Assignment {
 public:
  explicit Assignment(const std::int32_t* chosen) : chosen_(chosen) {}

  PlacementId operator[](int block) const { return PlacementId(chosen_[block]); }
  // The B placement numbers, for copying them into a unit's result.
  const std::int32_t* data() const { return chosen_; }

 private:
  const std::int32_t* chosen_;
};

}  // namespace zv
