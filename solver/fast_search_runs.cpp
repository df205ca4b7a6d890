// The fast search's run modes: the whole tree, the levels above a split
// depth (handing each subtree over), a subtree walked down to silently,
// the levels above a split again with the subtrees' counts, and a subtree
// from a place a stop left; and the places themselves, as a stop leaves
// them and a run goes on from them.
#include <algorithm>

#include "solver/fast_search.h"

namespace zv {

void FastSearch::Run() {
  splitDepth_ = -1;
  replay_ = {};
  onPath_[0] = 1;
  constraintCount_[0] = 0;
  Call(0, prep_.blockCount, -1, -1, prep_.surplus, 1.0);
}

void FastSearch::RunSplit(int depth) {
  splitDepth_ = depth;
  replay_ = {};
  onPath_[0] = 1;
  constraintCount_[0] = 0;
  Call(0, prep_.blockCount, -1, -1, prep_.surplus, 1.0);
  splitDepth_ = -1;
}

void FastSearch::RunResolved(int depth, std::span<const std::uint64_t> counts) {
  splitDepth_ = depth;
  replay_ = {};
  resolving_ = true;
  resolved_ = counts;
  resolvedNext_ = 0;
  onPath_[0] = 1;
  constraintCount_[0] = 0;
  Call(0, prep_.blockCount, -1, -1, prep_.surplus, 1.0);
  resolving_ = false;
  splitDepth_ = -1;
}

void FastSearch::RunSubtree(std::span<const std::int32_t> path, const UnitPlace* from) {
  splitDepth_ = -1;
  subtreeAssignments_ = 0;
  subtreeOverflow_ = false;
  capturing_ = false;
  captured_ = UnitPlace{};
  const std::size_t length = path.size() + (from != nullptr ? from->steps.size() : 0);
  if (length > replayRoom_.size()) {
    misfit_ = stopped_ = true;
    return;
  }
  std::copy(path.begin(), path.end(), replayRoom_.begin());
  if (from != nullptr)
    for (std::size_t k = 0; k < from->steps.size(); ++k) replayRoom_[path.size() + k] = from->steps[k].branch;
  replay_ = {replayRoom_.data(), length};
  rootLevel_ = static_cast<int>(path.size());
  from_ = from;
  reached_ = false;
  onPath_[0] = 1;
  constraintCount_[0] = 0;
  Call(0, prep_.blockCount, -1, -1, prep_.surplus, 1.0);
  explored_ = subtreesExplored_;
  replay_ = {};
  rootLevel_ = -1;
  from_ = nullptr;
  std::reverse(captured_.steps.begin(), captured_.steps.end());
}

bool FastSearch::Reaches(std::span<const std::int32_t> path, const UnitPlace& place) {
  probing_ = true;
  stopped_ = misfit_ = false;
  RunSubtree(path, &place);
  probing_ = false;
  const bool reached = reached_ && !misfit_;
  stopped_ = misfit_ = false;
  return reached;
}

void FastSearch::TakePlace(UnitPlace& out) {
  out.steps = std::move(captured_.steps);
  out.sofar.assignments = captured_.sofar.assignments;
  out.sofar.assignmentsOverflow = captured_.sofar.assignmentsOverflow;
  captured_ = UnitPlace{};
}

const PlaceStep* FastSearch::Resuming(int level) const {
  if (from_ == nullptr || onPath_[level] == 0 || level < rootLevel_ ||
      level >= static_cast<int>(replay_.size()))
    return nullptr;
  return &from_->steps[static_cast<std::size_t>(level - rootLevel_)];
}

void FastSearch::Lost() {
  // A stop on the walk down leaves the place unreached, and no misfit.
  if (!stopped_ && !outOfMemory_) misfit_ = true;
  stopped_ = true;
}

PlaceStep& FastSearch::LeaveStep(int branch, std::uint64_t before, std::uint64_t start) {
  captured_.steps.push_back(PlaceStep{branch, before, start, {}, {}});
  return captured_.steps.back();
}

void FastSearch::KeepHandled(PlaceStep& step, std::size_t handledFrom, std::size_t handledTo,
                             std::uint32_t stamp) {
  if (red_ == nullptr) return;
  for (std::size_t j = handledFrom; j < handledTo; ++j) {
    const std::int32_t p = lists_[j];
    if (stamp_[p] != stamp) continue;
    step.handled.push_back(p);
    step.counts.push_back(classCount_[p]);
  }
}

void FastSearch::TakeHandled(const PlaceStep& step, std::uint32_t stamp) {
  if (red_ == nullptr) return;
  for (std::size_t k = 0; k < step.handled.size(); ++k) {
    const std::int32_t p = step.handled[k];
    if (p < 0 || p >= prep_.placementCount || k >= step.counts.size()) return Lost();
    Handled(p, stamp, step.counts[k]);
  }
}

}  // namespace zv
