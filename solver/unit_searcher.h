// One worker's search of single work units, each into its own solution
// store that keeps the first member of every class met in the unit; and the
// checks of unit results and places read from a file, which are never
// trusted further than that their assignments are the task's.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "solver/block_pool.h"
#include "solver/byte_key_set.h"
#include "solver/solution_store.h"
#include "solver/subtree_cut.h"

namespace zv {

// How the search of one unit ended.
enum class UnitEnd { Finished, Stopped, OutOfMemory, Misfit };

class UnitSearcher final : public FastSearchHooks {
 public:
  // The unit store takes its room from a pool of its own, bounded by
  // `memoryLimit`.
  UnitSearcher(const SearchSetup& setup, std::size_t memoryLimit);

  std::function<bool()> stop;
  std::function<void()> refresh;

  // Searches `unit` into `out`, from `from` when a stop landed in it before.
  // A stop leaves in `left` where the unit stands: a new place, the one it
  // came from when it got no further, or none (no steps) when it had not
  // begun.
  UnitEnd Search(const CutUnit& unit, std::uint32_t number, const UnitPlace* from, UnitResult& out,
                 UnitPlace& left);
  // The keys under every symmetry of the first members the last Search
  // met, in their order, as SolutionStore::ImageKeys() gives them, so that
  // the merge need not build them again; empty when the unit went on from a
  // place whose first members came without them.
  std::vector<std::uint8_t> TakeFirstKeys() { return std::move(firstKeys_); }

  // Of the unit being searched, since it was taken up.
  std::uint64_t Calls() const { return search_->SearchCalls() - calls_; }
  std::uint64_t DeadEnds() const { return search_->DeadEnds() - deadEnds_; }
  double Explored() const { return search_->Explored(); }  // of every unit it searched

  bool StopRequested() override { return stop(); }
  void Refresh() override {
    if (refresh) refresh();
  }
  bool Record(const std::int32_t* chosen) override;
  void Subtree(std::span<const std::int32_t>, double) override {}

 private:
  const PreparedSearch& prep_;
  BlockPool pool_;
  ByteKeySet keys_;
  SolutionStore store_;
  std::unique_ptr<FastSearch> search_;
  UnitResult* result_ = nullptr;
  std::vector<std::uint8_t> firstKeys_;
  bool keying_ = false;  // firstKeys_ follows result_->firsts
  std::uint64_t calls_ = 0, deadEnds_ = 0;
};

// Whether every first member of `result` is a complete assignment of the
// task's tables, and no more of them than the unit counted.
bool ValidFirsts(const PreparedSearch& prep, const UnitResult& result);

// Whether a place handed in can be gone on from: its first members are
// assignments of the task's blocks, its steps' noted counts pair up, and
// the walk of `probe` down its steps reaches the call it names.
bool ValidPlace(const PreparedSearch& prep, FastSearch& probe, const CutUnit& unit, const UnitPlace& place);

}  // namespace zv
