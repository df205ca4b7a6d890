// Equivalent placements, a reduction of the reduced search: placements of
// one block that are alike in every respect form a class, searched once
// through its lowest member with its count multiplied by the class size;
// and a branch that is an earlier one's image (rule_symmetric_images.cpp)
// is counted from it rather than searched.
#include "solver/fast_search.h"

namespace zv {

bool FastSearch::SkipPlacement(std::int32_t p, std::uint32_t stamp, std::uint64_t mask, double share) {
  // A later member of a class is searched with its first, which comes
  // first in every list of a new-group step.
  if (red_->classOf[p] != p) return true;
  std::uint64_t count = 0;
  if (!ImageOfEarlier(p, stamp, mask, count)) return false;
  Handled(p, stamp, count);
  AddAssignments(count);
  explored_ += share * red_->classSize[p];
  return true;
}

void FastSearch::CountCopies(std::int32_t p, std::uint32_t stamp, std::uint64_t before, double share) {
  const std::uint64_t copies = red_->classSize[p];
  const std::uint64_t found = assignments_ - before;
  AddAssignments(Times(found, copies - 1));
  explored_ += share * static_cast<double>(copies - 1);
  Handled(p, stamp, Times(found, copies));
}

}  // namespace zv
