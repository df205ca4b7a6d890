// The fixed cut of the search tree into work units and its path hash.
#include "solver/subtree_cut.h"

#include <span>

namespace zv {

std::unique_ptr<FastSearch> SearchSetup::NewSearch(FastSearchHooks& hooks) const {
  return std::make_unique<FastSearch>(prep, tables, hooks, reductions);
}

namespace {

// A small tree's top takes at most about this many calls (the top is
// searched again by every part, resume and merge).
constexpr std::uint64_t kTopCalls = 4096;

// The top of the tree: the units and the complete assignments between them.
class CutHooks final : public FastSearchHooks {
 public:
  explicit CutHooks(int blockCount) : blockCount_(blockCount) {}
  bool StopRequested() override { return false; }
  void Refresh() override {}
  bool Record(const std::int32_t* chosen) override {
    trailing.insert(trailing.end(), chosen, chosen + blockCount_);
    return true;
  }
  void Subtree(std::span<const std::int32_t> path, double weight) override {
    units.push_back(CutUnit{{path.begin(), path.end()}, weight, std::move(trailing)});
    trailing.clear();
  }

  std::vector<CutUnit> units;
  std::vector<std::int32_t> trailing;  // after the last unit

 private:
  int blockCount_;
};

std::uint64_t HashWords(std::uint64_t hash, std::span<const std::int32_t> words) {
  for (const std::int32_t w : words)
    for (int byte = 0; byte < 4; ++byte) {
      hash ^= static_cast<std::uint8_t>(static_cast<std::uint32_t>(w) >> (8 * byte));
      hash *= 0x100000001b3ull;  // FNV-1a
    }
  return hash;
}

// The top search to `depth`, silent.
TopOfTree SearchTop(const SearchSetup& setup, int depth) {
  CutHooks hooks(setup.prep.blockCount);
  const std::unique_ptr<FastSearch> top = setup.NewSearch(hooks);
  top->RunSplit(depth);
  TopOfTree out;
  out.cut.depth = depth;
  out.cut.unitCount = static_cast<std::uint32_t>(hooks.units.size());
  std::uint64_t hash = 0xcbf29ce484222325ull;
  for (const CutUnit& unit : hooks.units) {
    const std::int32_t length = static_cast<std::int32_t>(unit.path.size());
    hash = HashWords(HashWords(hash, {&length, 1}), unit.path);
  }
  out.cut.pathHash = hash;
  out.units = std::move(hooks.units);
  out.trailing = std::move(hooks.trailing);
  out.searchCalls = top->SearchCalls();
  out.deadEnds = top->DeadEnds();
  out.explored = top->Explored();
  return out;
}

}  // namespace

// A tree that ends above a depth has no units there; then the depth before
// serves, or none (a tree so small that its top is all of it).
TopOfTree CutTree(const SearchSetup& setup, std::size_t unitsWanted) {
  const int deepest = setup.prep.blockCount + setup.prep.surplus;
  TopOfTree last = SearchTop(setup, 1);
  for (int depth = 2; last.cut.unitCount > 0 && last.cut.unitCount < unitsWanted &&
                      last.searchCalls < kTopCalls && depth <= deepest;
       ++depth) {
    TopOfTree next = SearchTop(setup, depth);
    if (next.cut.unitCount == 0) break;
    last = std::move(next);
  }
  return last;
}

}  // namespace zv
