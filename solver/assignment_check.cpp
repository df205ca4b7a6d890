// The check of outside solutions against the task's tables (solver/assignment_check.h).
#include "solver/assignment_check.h"

#include <algorithm>
#include <vector>

namespace zv {

bool IsCompleteAssignment(const PreparedSearch& prep, Assignment chosen) {
  std::vector<std::uint8_t> used(static_cast<std::size_t>(prep.formCellCount));
  for (int b = 0; b < prep.blockCount; ++b) {
    const std::int32_t p = chosen[b].value();
    const BlockInfo& block = prep.blocks[b];
    if (p < block.firstPlacement || p >= block.endPlacement || prep.placementAvailable[p] == 0) return false;
    for (int j = 0; j < block.cubeCount; ++j) {
      std::uint8_t& cell = used[prep.placements[p].cells[j]];
      if (cell != 0) return false;
      cell = 1;
    }
  }
  for (int b = 0; b < prep.blockCount; ++b) {
    const Placement& placement = prep.placements[chosen[b].value()];
    for (int k = 0; k < placement.constraintCount; ++k) {
      const LinkConstraint& c = placement.constraints[k];
      const auto end = c.candidates.begin() + c.candidateCount;
      if (std::find(c.candidates.begin(), end, chosen[c.neighbourBlock].value()) == end) return false;
    }
  }
  return true;
}

}  // namespace zv
