// Solution images back to placements (solver/solution_images.h).
#include "solver/solution_images.h"

#include <vector>

#include "solver/assignment_check.h"

namespace zv {

bool PlacementsOfImage(const PreparedSearch& prep, std::span<const std::uint8_t> image,
                       std::int32_t* chosen) {
  const int n = prep.formCellCount;
  if (image.size() != 2 * static_cast<std::size_t>(n)) return false;
  std::vector<int> cellOfCube(static_cast<std::size_t>(prep.cubeCount), -1);
  for (int m = 0; m < n; ++m) {
    const int cube = image[m] - 1;
    if (cube >= prep.cubeCount || (cube < 0 && image[n + m] != 0)) return false;
    if (cube >= 0) {
      if (cellOfCube[cube] >= 0) return false;
      cellOfCube[cube] = m;
    }
  }
  for (int b = 0; b < prep.blockCount; ++b) {
    const BlockInfo& block = prep.blocks[b];
    const int first = cellOfCube[block.cubes[0]];
    if (first < 0) return false;
    const int rotation = image[n + first];
    const std::int32_t p =
        prep.placementIndex[(static_cast<std::size_t>(b) * kRotationCount + rotation) * n + first];
    if (p < 0 || prep.placementAvailable[p] == 0) return false;
    const Placement& placement = prep.placements[p];
    for (int j = 0; j < block.cubeCount; ++j)
      if (cellOfCube[block.cubes[j]] != placement.cells[j] || image[n + placement.cells[j]] != rotation)
        return false;
    chosen[b] = p;
  }
  return IsCompleteAssignment(prep, Assignment(chosen));
}

}  // namespace zv
