// The search of single work units into their own solution stores, and the
// checks of results handed in.
#include "solver/unit_searcher.h"

#include <span>

#include "solver/assignment_check.h"

namespace zv {

namespace {

// A unit store's pool takes blocks of 1 MB rather than 16 MB, so that its
// share of the run's memory limit can be small.
constexpr std::size_t kUnitBlockBytes = std::size_t{1} << 20;

}  // namespace

UnitSearcher::UnitSearcher(const SearchSetup& setup, std::size_t memoryLimit)
    : prep_(setup.prep), pool_(memoryLimit, kUnitBlockBytes), search_(setup.NewSearch(*this)) {
  search_->KeepPlaces(true);
}

UnitEnd UnitSearcher::Search(const CutUnit& unit, std::uint32_t number, const UnitPlace* from,
                             UnitResult& out, UnitPlace& left) {
  pool_.ReleaseAll();
  out = from != nullptr ? from->sofar : UnitResult{};
  out.unit = number;
  result_ = &out;
  left = UnitPlace{};
  firstKeys_.clear();
  keying_ = out.firsts.empty();
  if (!store_.Begin(prep_, pool_, keys_)) return UnitEnd::OutOfMemory;
  // The classes the unit met before its place are known to be new in it:
  // their keys go back without their images being compared.
  const auto b = static_cast<std::size_t>(prep_.blockCount);
  for (std::size_t at = 0; from != nullptr && at + b <= from->sofar.firsts.size(); at += b) {
    const RecordResult kept = store_.Keep(Assignment(from->sofar.firsts.data() + at));
    if (kept == RecordResult::OutOfMemory) return UnitEnd::OutOfMemory;
    if (kept == RecordResult::Duplicate) return UnitEnd::Misfit;
  }
  calls_ = search_->SearchCalls();
  deadEnds_ = search_->DeadEnds();
  search_->RunSubtree(unit.path, from);
  if (search_->Misfit()) return UnitEnd::Misfit;
  if (search_->OutOfMemory()) return UnitEnd::OutOfMemory;
  out.searchCalls += Calls();
  out.deadEnds += DeadEnds();
  out.foundAtLeast = out.foundAtLeast || store_.FoundAtLeast();
  if (search_->Stopped()) {
    if (search_->PlaceKept()) {
      left.sofar = out;
      search_->TakePlace(left);
    } else if (from != nullptr) {
      left = *from;
    }
    return UnitEnd::Stopped;
  }
  out.assignments = search_->SubtreeAssignments();
  out.assignmentsOverflow = search_->SubtreeOverflowed();
  return UnitEnd::Finished;
}

bool UnitSearcher::Record(const std::int32_t* chosen) {
  const std::uint64_t before = store_.Found();
  if (store_.Record(Assignment(chosen)) == RecordResult::OutOfMemory) return false;
  if (store_.Found() != before) {
    result_->firsts.insert(result_->firsts.end(), chosen, chosen + prep_.blockCount);
    if (keying_)
      firstKeys_.insert(firstKeys_.end(), store_.ImageKeys(), store_.ImageKeys() + store_.ImageKeysLength());
  }
  return true;
}

bool ValidFirsts(const PreparedSearch& prep, const UnitResult& result) {
  const auto b = static_cast<std::size_t>(prep.blockCount);
  if (b == 0 || result.firsts.size() % b != 0) return false;
  if (!result.assignmentsOverflow && result.firsts.size() / b > result.assignments) return false;
  for (std::size_t at = 0; at < result.firsts.size(); at += b)
    if (!IsCompleteAssignment(prep, Assignment(result.firsts.data() + at))) return false;
  return true;
}

bool ValidPlace(const PreparedSearch& prep, FastSearch& probe, const CutUnit& unit, const UnitPlace& place) {
  if (place.steps.empty() || !ValidFirsts(prep, place.sofar)) return false;
  for (const PlaceStep& step : place.steps)
    if (step.branch < 0 || step.handled.size() != step.counts.size()) return false;
  return probe.Reaches(unit.path, place);
}

}  // namespace zv
