// The scheduler's checks of what a job brings, its in-order merge, counters
// and count resolution, and the search of units in the calling thread.
#include "solver/subtree_scheduler.h"

#include <algorithm>
#include <new>

#include "solver/unit_searcher.h"

namespace zv {

bool UnitJob::PartComplete() const {
  std::uint32_t inPart = 0;
  for (std::uint32_t u = 0; u < cut.unitCount; ++u) inPart += InPart(u) ? 1 : 0;
  return done.size() == inPart;
}

SubtreeScheduler::SubtreeScheduler(const SearchSetup& setup, SolutionStore& store, SolveObserver& observer,
                                   UnitJob& job, std::size_t memoryLimit, BlockPool* runPool, bool inMemory)
    : setup_(setup),
      store_(store),
      observer_(observer),
      job_(job),
      limit_(memoryLimit),
      runPool_(runPool),
      inMemory_(inMemory),
      noting_(!inMemory) {}

SubtreeScheduler::~SubtreeScheduler() = default;

UnitRunResult SubtreeScheduler::Run(int threads) {
  const std::size_t forThreads = kUnitsPerThread * static_cast<std::size_t>(std::max(threads, 1));
  top_ = CutTree(setup_, inMemory_ ? std::min(kJobUnits, forThreads) : kJobUnits);
  job_.cut = top_.cut;
  UnitRunResult out;
  if (!CheckDone() || !CheckBegun()) {
    out.refused = true;
    return out;
  }
  for (std::uint32_t u = 0; u < top_.cut.unitCount; ++u) {
    if (!job_.InPart(u)) continue;
    partWeight_ += top_.units[u].weight;
    if (slot_[u] < 0) todo_.push_back(u);
  }
  if (job_.mergeOnly && !todo_.empty()) {
    Refuse(UnitCheck::MissingUnit);
    out.refused = true;
    return out;
  }
  if (job_.parts == 1) partWeight_ += top_.explored;
  ShareMemory(threads);
  try {
    KeepMergeIfItFits();
    MergeReady();
    if (refused_) {
      out.refused = true;
      return out;
    }
    if (threads <= 1 || todo_.size() <= 1)
      SearchHere();
    else
      SearchOnWorkers(threads);
    if (!Ended()) MergeReady();
  } catch (const std::bad_alloc&) {
    // What the run reached stays: its units, places and counters.
    outOfMemory_ = true;
  }
  out.refused = refused_;
  out.run.stopped = stopped_;
  out.run.outOfMemory = outOfMemory_;
  out.run.stats = Stats(0, 0, 0);
  if (!Ended() && job_.parts == 1) {
    try {
      Resolve(out.run.stats);
    } catch (const std::bad_alloc&) {
      out.run.outOfMemory = true;  // the counts reached stay
    }
  }
  return out;
}

bool SubtreeScheduler::Refuse(UnitCheck why) {
  job_.check = why;
  refused_ = true;
  return false;
}

// What the tables leave of the run's memory limit is shared equally by the
// unit stores searched at once and the merged store, whose pool takes its
// share as its limit. Results then depend on the thread count only where
// memory runs short: the run ends out of memory, or a unit's classes past
// the 10000 kept become a lower bound.
void SubtreeScheduler::ShareMemory(int threads) {
  const std::size_t stores = todo_.empty() ? 0
                             : threads <= 1 || todo_.size() <= 1
                                 ? 1
                                 : std::min<std::size_t>(threads, todo_.size());
  const std::size_t held = runPool_ != nullptr ? runPool_->BytesHeld() : 0;
  const std::size_t left = limit_ > held ? limit_ - held : 0;
  unitLimit_ = left / (stores + 1);
  if (runPool_ != nullptr) runPool_->SetLimit(limit_ - stores * unitLimit_);
}

bool SubtreeScheduler::CheckDone() {
  if (job_.haveExpectedCut && !(job_.expectedCut == top_.cut)) return Refuse(UnitCheck::OtherCut);
  if (job_.partsWithinUnits && job_.parts > 1 && static_cast<std::uint32_t>(job_.parts) > top_.cut.unitCount)
    return Refuse(UnitCheck::TooManyParts);
  slot_.assign(top_.cut.unitCount, -1);
  firstKeys_.assign(top_.cut.unitCount, {});
  for (std::size_t i = 0; i < job_.done.size(); ++i) {
    const UnitResult& r = job_.done[i];
    if (r.unit >= top_.cut.unitCount || !job_.InPart(r.unit)) return Refuse(UnitCheck::OutsidePart);
    if (slot_[r.unit] >= 0) return Refuse(UnitCheck::DuplicateUnit);
    if (!ValidFirsts(setup_.prep, r)) return Refuse(UnitCheck::BadResult);
    slot_[r.unit] = static_cast<std::int64_t>(i);
    doneWeight_ += top_.units[r.unit].weight;
  }
  return true;
}

// Places of units not done, each once, that lie in their unit's tree.
bool SubtreeScheduler::CheckBegun() {
  if (job_.begun.empty()) return true;
  std::vector<std::uint8_t> seen(top_.cut.unitCount);
  SilentHooks quiet;
  const std::unique_ptr<FastSearch> probe = setup_.NewSearch(quiet);
  for (const UnitPlace& place : job_.begun) {
    const std::uint32_t u = place.sofar.unit;
    if (u >= top_.cut.unitCount || !job_.InPart(u)) return Refuse(UnitCheck::OutsidePart);
    if (slot_[u] >= 0 || seen[u] != 0) return Refuse(UnitCheck::DuplicateUnit);
    seen[u] = 1;
    if (!ValidPlace(setup_.prep, *probe, top_.units[u], place)) return Refuse(UnitCheck::BadResult);
  }
  from_ = job_.begun;  // the workers read these while job_.begun follows the run
  return true;
}

const UnitPlace* SubtreeScheduler::PlaceOf(std::uint32_t unit) const {
  for (const UnitPlace& place : from_)
    if (place.sofar.unit == unit) return &place;
  return nullptr;
}

// A stop's place of a unit replaces the one it had; none drops it.
void SubtreeScheduler::Stand(UnitPlace&& place, std::uint32_t unit) {
  auto at = std::find_if(job_.begun.begin(), job_.begun.end(),
                         [&](const UnitPlace& p) { return p.sofar.unit == unit; });
  if (place.steps.empty()) {
    if (at != job_.begun.end()) job_.begun.erase(at);
  } else if (at != job_.begun.end()) {
    *at = std::move(place);
  } else {
    job_.begun.push_back(std::move(place));
  }
}

// The merge the last run noted is taken up only when it is that of the
// units in `done` now; otherwise the store is refilled by comparing.
void SubtreeScheduler::KeepMergeIfItFits() {
  const auto b = static_cast<std::size_t>(setup_.prep.blockCount);
  bool fits = job_.parts == 1 && job_.mergedUnits <= top_.cut.unitCount;
  std::size_t length = 0;
  for (std::uint32_t u = 0; fits && u < job_.mergedUnits; ++u) {
    fits = slot_[u] >= 0;
    if (fits)
      length +=
          (top_.units[u].before.size() + job_.done[static_cast<std::size_t>(slot_[u])].firsts.size()) / b;
  }
  if (fits && job_.mergedUnits == top_.cut.unitCount) length += top_.trailing.size() / b;
  if (!fits || length != job_.mergedNew.size()) {
    job_.mergedUnits = 0;
    job_.mergedNew.clear();
  }
}

// Feeds complete assignments to the store, B placement numbers each: as far
// as the last run's merge reaches, by what it noted (a new class is kept by
// its key alone, a repeat only counted), then compared, noting each outcome
// for the next resume. A run held in memory then lets them go. Compared
// assignments are looked up by `imageKeys` when it holds the keys of every
// one of them.
void SubtreeScheduler::Feed(std::vector<std::int32_t>& assignments,
                            const std::vector<std::uint8_t>& imageKeys) {
  const auto b = static_cast<std::size_t>(setup_.prep.blockCount);
  const std::size_t keysEach = store_.ImageKeysLength();
  const bool keyed = !imageKeys.empty() && imageKeys.size() == assignments.size() / b * keysEach;
  for (std::size_t at = 0; at + b <= assignments.size() && !outOfMemory_ && !refused_ && !store_.Enough();
       at += b) {
    const Assignment chosen(assignments.data() + at);
    RecordResult r = RecordResult::Duplicate;
    if (fed_ < job_.mergedNew.size()) {
      if (job_.mergedNew[fed_] == 0)
        store_.Repeat();
      else if ((r = store_.Keep(chosen)) == RecordResult::Duplicate)
        Refuse(UnitCheck::BadResult);  // the noted merge contradicts itself
    } else {
      const std::uint64_t before = store_.Found();
      r = keyed ? store_.Record(chosen, imageKeys.data() + at / b * keysEach) : store_.Record(chosen);
      if (noting_) job_.mergedNew.push_back(store_.Found() != before ? 1 : 0);
    }
    ++fed_;
    if (r == RecordResult::OutOfMemory) outOfMemory_ = true;
  }
  // The in-order prefix holds what the run stops after: what comes past
  // it is dropped.
  if (store_.Enough()) stopped_ = true;
  if (inMemory_) std::vector<std::int32_t>().swap(assignments);
}

// Feeds the units finished in order after those fed already and, once every
// unit is in, what the top found after the last one. Only a whole run
// merges: a part holds only every N-th unit.
void SubtreeScheduler::MergeReady() {
  if (job_.parts != 1) return;
  while (merged_ < top_.cut.unitCount && slot_[merged_] >= 0 && !Ended()) {
    UnitResult& r = job_.done[static_cast<std::size_t>(slot_[merged_])];
    Feed(top_.units[merged_].before);
    Feed(r.firsts, firstKeys_[merged_]);
    std::vector<std::uint8_t>().swap(firstKeys_[merged_]);
    foundAtLeast_ = foundAtLeast_ || r.foundAtLeast;
    ++merged_;
  }
  if (merged_ == top_.cut.unitCount && !trailingFed_ && !Ended()) {
    Feed(top_.trailing);
    trailingFed_ = true;
  }
  // Once the store no longer tells classes apart (its key memory ran out),
  // what it noted would mislead a resume with more memory.
  if (store_.FoundAtLeast() || outOfMemory_) noting_ = false;
  if (!noting_) job_.mergedNew.clear();
  job_.mergedUnits = noting_ ? merged_ : 0;
}

void SubtreeScheduler::Finished(UnitResult&& result, std::vector<std::uint8_t>&& firstKeys) {
  doneWeight_ += top_.units[result.unit].weight;
  if (job_.parts == 1) firstKeys_[result.unit] = std::move(firstKeys);  // a part merges nothing
  Stand(UnitPlace{}, result.unit);
  slot_[result.unit] = static_cast<std::int64_t>(job_.done.size());
  job_.done.push_back(std::move(result));
  MergeReady();
  job_.UnitFinished();
}

// The counters so far; `calls`, `deadEnds` and `explored` of units being
// searched, beyond what their places hold.
SolveStats SubtreeScheduler::Stats(std::uint64_t calls, std::uint64_t deadEnds, double explored) const {
  SolveStats s;
  const bool whole = job_.parts == 1;
  s.searchCalls = (whole ? top_.searchCalls : 0) + calls;
  s.deadEnds = (whole ? top_.deadEnds : 0) + deadEnds;
  auto add = [&](const UnitResult& r) {
    s.searchCalls += r.searchCalls;
    s.deadEnds += r.deadEnds;
    if (__builtin_add_overflow(s.assignments, r.assignments, &s.assignments)) {
      s.assignments = ~std::uint64_t{0};
      s.assignmentsAtLeast = true;
    }
    s.assignmentsAtLeast = s.assignmentsAtLeast || r.assignmentsOverflow;
  };
  for (const UnitResult& r : job_.done) add(r);
  for (const UnitPlace& p : job_.begun) add(p.sofar);
  const double own = doneWeight_ + explored + (whole ? top_.explored : 0);
  s.explored = partWeight_ > 0 ? std::min(1.0, own / partWeight_) : 1.0;
  s.solutionCount = store_.Count();
  s.found = store_.Found();
  s.foundAtLeast = store_.FoundAtLeast() || foundAtLeast_;
  // Every assignment the store was offered is one reached.
  if (!s.assignmentsAtLeast) s.assignments = std::max(s.assignments, store_.Assignments());
  return s;
}

// The whole tree's assignment count: the top walked again with every unit's
// count, which also counts what the reduced top left out.
void SubtreeScheduler::Resolve(SolveStats& stats) const {
  std::vector<std::uint64_t> counts(top_.cut.unitCount);
  bool overflow = false;
  for (const UnitResult& r : job_.done) {
    counts[r.unit] = r.assignments;
    overflow = overflow || r.assignmentsOverflow;
  }
  SilentHooks quiet;
  const std::unique_ptr<FastSearch> resolve = setup_.NewSearch(quiet);
  resolve->RunResolved(top_.cut.depth, counts);
  stats.assignments = resolve->Assignments();
  stats.assignmentsAtLeast = overflow || resolve->AssignmentsOverflowed();
}

void SubtreeScheduler::SearchHere() {
  UnitSearcher searcher(setup_, unitLimit_);
  const double before = doneWeight_;
  searcher.stop = [&] { return observer_.StopRequested(); };
  searcher.refresh = [&] {
    observer_.Refresh(
        Stats(searcher.Calls(), searcher.DeadEnds(), searcher.Explored() - (doneWeight_ - before)));
  };
  for (const std::uint32_t u : todo_) {
    if (observer_.StopRequested()) {
      stopped_ = true;
      return;
    }
    UnitResult result;
    UnitPlace left;
    switch (searcher.Search(top_.units[u], u, PlaceOf(u), result, left)) {
      case UnitEnd::Finished:
        Finished(std::move(result), searcher.TakeFirstKeys());
        if (Ended()) return;
        break;
      case UnitEnd::Stopped:
        Stand(std::move(left), u);
        stopped_ = true;
        return;
      case UnitEnd::OutOfMemory:
        outOfMemory_ = true;
        return;
      case UnitEnd::Misfit:
        Refuse(UnitCheck::BadResult);
        return;
    }
  }
}

}  // namespace zv
