// Builds the rules of a run once, each rule's tables by its own part.
#include "solver/prepared_rules.h"

#include "solver/side_codes.h"

namespace zv {

void PreparedRules::Build(const PreparedSearch& prep, const FastTables& tables,
                          const LinkAnalysis* reduceWith, const RuleSwitches& switches, BlockPool* pool) {
  UsePool(pool, blockLinks, linkedStart, linked, linkedSide, partOf, fewPartners, familyOf, familySize);
  on = switches;
  reduced = reduceWith != nullptr;
  if (!reduced) return;
  reductions.Build(prep, *reduceWith, pool);
  reductions.KeepOnly(on.equivalentPlacements, on.symmetricImages);
  // Regions join across edges too when an edge hinge may link cubes there.
  bool edgeHinges = false;
  for (int h = 0; h < prep.hingeCount; ++h)
    edgeHinges = edgeHinges || prep.hinges[h].lowerEdge != kNoHingeEdge;
  regions.Build(prep, edgeHinges, pool);
  // The counters of linked groups and few partners are kept by every
  // reduced search, so their tables are built whatever the switches.
  PrepareLinkGroups(prep);
  PrepareThinCells(prep, tables);
  PrepareTwinOrder(prep);
}

}  // namespace zv
