// PrepareSearch: runs the preparation steps in their fixed order over one
// context and publishes the tables.
#include "solver/prepare.h"

#include "solver/prepare_steps.h"

namespace zv {

bool PrepareSearch(const TaskState& task, const LinkAnalysis& links, BlockPool& pool, ByteKeySet& shapes,
                   PreparedSearch& out) {
  out = PreparedSearch{};
  out.cubeCount = links.cubeCount;
  out.blockCount = links.blockCount;
  prepare::Context ctx{task, links, pool, out};
  if (!prepare::BuildFormCells(ctx)) return false;
  out.surplus = out.formCellCount - out.cubeCount;
  if (!prepare::BuildLatticeSlots(ctx) || !prepare::BuildSymmetries(ctx) || !prepare::BuildBlocks(ctx) ||
      !prepare::BuildPlacements(ctx, shapes) || !prepare::BuildConstraints(ctx))
    return false;
  prepare::FilterPlacements(ctx);
  return prepare::BuildHingeList(ctx);
}

bool SolvableShape(const TaskState& task, const LinkAnalysis& links) {
  const int c = links.cubeCount;
  int n = 0;
  for (int z = 0; z < task.form.FormHeight; ++z)
    for (int y = 0; y < task.form.FormDepth; ++y)
      for (int x = 0; x < task.form.FormWidth; ++x) n += task.form.At(FormCellIndex(x, y, z)) != 0 ? 1 : 0;
  if (c < 2 || c > kMaxCubes || n > kMaxFormCells || n < c || (n > c && !task.EmptyCells)) return false;
  if (links.blockCount < 1 || links.blockCount > c || CountCubes(task.figure) != c) return false;
  for (int k = 0; k < c; ++k) {
    if (links.blockLabel[k] < 1 || links.blockLabel[k] > links.blockCount) return false;
    if (links.linkCount[k] > kMaxLinksPerCube) return false;
    for (int l = 0; l < links.linkCount[k]; ++l)
      if (links.cubeLinks[k][l].partner >= c || links.cubeLinks[k][l].side > 27) return false;
  }
  return true;
}

}  // namespace zv
