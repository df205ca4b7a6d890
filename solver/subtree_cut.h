// The fixed cut of a run's search tree into ordered subtrees (work units),
// and the one place that makes a fast search over a run's prepared tables.
//
// The cut searches the top of the tree down to a split depth; every call
// that would enter that depth becomes a unit, numbered in the order the
// one-thread search enters it, with the complete assignments the top finds
// just before it (they come first in that order). The depth depends only on
// the task and the engine, never on threads or the machine, so every part,
// resume and merge of a run makes the same cut; only a run held in memory
// asks for as many units as its threads need.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "solver/fast_search.h"
#include "solver/work_units.h"

namespace zv {

// What every search of one run shares, read-only: the prepared tables and,
// for the reduced search, its rules' prepared tables (null: the full tree).
struct SearchSetup {
  const PreparedSearch& prep;
  const FastTables& tables;
  const PreparedRules* reductions = nullptr;

  std::unique_ptr<FastSearch> NewSearch(FastSearchHooks& hooks) const;
};

struct CutUnit {
  std::vector<std::int32_t> path;    // the branch number taken at each level above
  double weight = 0;                 // its share of the whole tree
  std::vector<std::int32_t> before;  // complete assignments the top finds just before it, B each
};

struct TopOfTree {
  UnitCut cut;
  std::vector<CutUnit> units;
  std::vector<std::int32_t> trailing;  // complete assignments after the last unit
  std::uint64_t searchCalls = 0, deadEnds = 0;
  double explored = 0;
};

// The cut's split depth is the shallowest that gives `unitsWanted` units or,
// in small trees, the first whose top takes 4096 calls, or the deepest
// level. A job kept in a file wants kJobUnits, enough for 64 parts of
// several units each and for balancing the threads of one machine, whatever
// the run's threads; a run held in memory, which nothing resumes, wants
// kUnitsPerThread for each of its threads, since every unit costs the walk
// down its path again. Not stoppable, since every part and every resume
// must make the same cut.
constexpr std::size_t kJobUnits = 512;
constexpr std::size_t kUnitsPerThread = 64;
TopOfTree CutTree(const SearchSetup& setup, std::size_t unitsWanted = kJobUnits);

// Hooks for searches that only walk: no stop, no progress, records dropped.
class SilentHooks final : public FastSearchHooks {
 public:
  bool StopRequested() override { return false; }
  void Refresh() override {}
  bool Record(const std::int32_t*) override { return true; }
  void Subtree(std::span<const std::int32_t>, double) override {}
};

}  // namespace zv
