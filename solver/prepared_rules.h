// The reduced search's rules as one run prepares them: which rules are on,
// the reduction tables (classes, symmetries, twins) and the tables of the
// cuts, built once and then read, never written, by every search of the run
// (the workers, the split depths tried, the unit searchers).
//
// Where a rule lives: its switch in solver/rule_switches.h, its tables here
// (built by its Prepare function in its own solver/rule_*.cpp file), its
// test on the search state as FastSearch members in that same file, and
// its call in the search core (fast_search*.cpp) behind the switch.
//
// Usage:
//   zv::PreparedRules rules;
//   rules.Build(prep, tables, &links, options.rules, pool);   // nullptr links: no rules
//   zv::FastSearch search(prep, tables, hooks, &rules);
#pragma once

#include <compare>
#include <cstdint>

#include "model/validation.h"
#include "solver/empty_regions.h"
#include "solver/fast_tables.h"
#include "solver/pool_vector.h"
#include "solver/prepare.h"
#include "solver/reduction_tables.h"
#include "solver/rule_switches.h"

namespace zv {

struct PreparedRules {
  bool reduced = false;  // false: the full tree, no rule applies
  RuleSwitches on;       // what was asked; a rule applies when reduced too
  ReductionTables reductions;

  // Linked groups (SplitRegions): the regions of empty cells, the blocks
  // joined by a hinge (each pair once), the blocks each block is linked to,
  // whether these links make no cycle, and the part of the figure each
  // block belongs to.
  EmptyRegions regions;
  struct BlockLink {
    int a, b;
    auto operator<=>(const BlockLink&) const = default;
  };
  PoolVector<BlockLink> blockLinks;
  PoolVector<std::int32_t> linkedStart;  // B + 1
  PoolVector<std::int32_t> linked;
  bool linksFormForest = false;
  // Without cycles: for entry k of block g's links (to block linked[k]),
  // the cubes on g's side of that link, the blocks still joined to g when
  // it is cut. An unplaced block hanging by a link from a placed one heads
  // a group of exactly that many cubes.
  PoolVector<std::int32_t> linkedSide;
  PoolVector<int> partOf;  // B
  int partCount = 0;

  // ThinCells: per block, its cubes with no face partner and those with at
  // most one (B x 2).
  PoolVector<std::uint8_t> fewPartners;

  // Twin order: familyOf is a family's lowest block, or -1 for a block
  // outside the order; by that block, the family's members.
  PoolVector<std::int32_t> familyOf, familySize;  // B

  // Builds what the switched-on rules need; with no link analysis the
  // search walks the full tree. Throws std::bad_alloc when the pool refuses.
  void Build(const PreparedSearch& prep, const FastTables& tables, const LinkAnalysis* reduceWith,
             const RuleSwitches& switches, BlockPool* pool = nullptr);
  const ReductionTables* Reductions() const { return reduced ? &reductions : nullptr; }

 private:
  void PrepareLinkGroups(const PreparedSearch& prep);                           // rule_split_regions.cpp
  void PrepareThinCells(const PreparedSearch& prep, const FastTables& tables);  // rule_thin_cells.cpp
  void PrepareTwinOrder(const PreparedSearch& prep);                            // rule_twin_order.cpp
};

}  // namespace zv
