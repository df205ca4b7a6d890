// Twin exchange, a reduction of the reduced search: at a cell branching, a
// placement of a twin block whose unplaced earlier twin took the same
// placement in this branching leads to the same solutions with the two
// exchanged, so its count is taken from that branch.
#include "solver/fast_search.h"

namespace zv {

bool FastSearch::SkipTwin(std::int32_t p, std::uint32_t stamp, double share) {
  const int g = t_.blockOf[p];
  for (int h = red_->twinOf[g]; h >= 0; h = red_->twinOf[h]) {
    if (!blockAvailable_[h]) continue;
    // An unplaced twin earlier in block order: its same placement stands
    // earlier in this list and leads to the same solutions with the two
    // blocks exchanged.
    const std::int32_t same = p - prep_.blocks[g].firstPlacement + prep_.blocks[h].firstPlacement;
    if (stamp_[same] != stamp) return false;
    Handled(p, stamp, classCount_[same]);
    AddAssignments(classCount_[same]);
    explored_ += share;
    return true;
  }
  return false;
}

}  // namespace zv
