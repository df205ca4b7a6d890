// Runs over work units: the fixed cut, the check of results handed in, the
// unit searches (each with its own solution store that keeps the first
// member of every class met in the unit) and the merge in unit order.
#include "solver/unit_engine.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <new>
#include <span>
#include <system_error>
#include <thread>
#include <vector>

#include "solver/assignment_check.h"
#include "solver/fast_search.h"
#include "solver/fast_tables.h"
#include "solver/prepared_rules.h"

namespace zv {

bool UnitJob::PartComplete() const {
  std::uint32_t inPart = 0;
  for (std::uint32_t u = 0; u < cut.unitCount; ++u) inPart += InPart(u) ? 1 : 0;
  return done.size() == inPart;
}

namespace {

// The cut's split depth is the shallowest that gives this many units,
// enough for 64 parts of several units each and for balancing the threads
// of one machine; or, in small trees, the first whose top takes this many
// calls (the top is searched again by every part, resume and merge), or the
// deepest level.
constexpr std::size_t kUnitsWanted = 512;
constexpr std::uint64_t kTopCalls = 4096;
constexpr auto kRefreshPeriod = std::chrono::milliseconds(20);
// A unit store's pool takes blocks of 1 MB rather than 16 MB, so that its
// share of the run's memory limit can be small.
constexpr std::size_t kUnitBlockBytes = std::size_t{1} << 20;

struct CutUnit {
  std::vector<std::int32_t> path;
  double weight = 0;                 // its share of the whole tree
  std::vector<std::int32_t> before;  // complete assignments the top finds just before it, B each
};

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

struct TopOfTree {
  UnitCut cut;
  std::vector<CutUnit> units;
  std::vector<std::int32_t> trailing;
  std::uint64_t searchCalls = 0, deadEnds = 0, records = 0;
  double explored = 0;
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
TopOfTree SearchTop(const PreparedSearch& prep, const FastTables& tables, const PreparedRules* reductions,
                    int depth) {
  CutHooks hooks(prep.blockCount);
  FastSearch top(prep, tables, hooks, reductions);
  top.RunSplit(depth);
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
  out.searchCalls = top.SearchCalls();
  out.deadEnds = top.DeadEnds();
  out.explored = top.Explored();
  return out;
}

// The cut: not stoppable, since every part and every resume must make the
// same one. A tree that ends above a depth has no units there; then the
// depth before serves, or none (a tree so small that its top is all of it).
TopOfTree CutTree(const PreparedSearch& prep, const FastTables& tables, const PreparedRules* reductions) {
  const int deepest = prep.blockCount + prep.surplus;
  TopOfTree last = SearchTop(prep, tables, reductions, 1);
  for (int depth = 2; last.cut.unitCount > 0 && last.cut.unitCount < kUnitsWanted &&
                      last.searchCalls < kTopCalls && depth <= deepest;
       ++depth) {
    TopOfTree next = SearchTop(prep, tables, reductions, depth);
    if (next.cut.unitCount == 0) break;
    last = std::move(next);
  }
  return last;
}

// Whether every first member is a complete assignment of the task's tables
// (solver/assignment_check.h): results read from a file are never trusted
// further than that.
bool ValidFirsts(const PreparedSearch& prep, const UnitResult& result) {
  const auto b = static_cast<std::size_t>(prep.blockCount);
  if (b == 0 || result.firsts.size() % b != 0) return false;
  if (!result.assignmentsOverflow && result.firsts.size() / b > result.assignments) return false;
  for (std::size_t at = 0; at < result.firsts.size(); at += b)
    if (!IsCompleteAssignment(prep, std::span(result.firsts).subspan(at, b))) return false;
  return true;
}

// Whether a place handed in can be gone on from: its first members are
// assignments of the task's blocks, its steps' noted counts pair up, and
// the walk down its steps reaches the call it names.
bool ValidPlace(const PreparedSearch& prep, FastSearch& probe, const CutUnit& unit, const UnitPlace& place) {
  if (place.steps.empty() || !ValidFirsts(prep, place.sofar)) return false;
  for (const PlaceStep& step : place.steps)
    if (step.branch < 0 || step.handled.size() != step.counts.size()) return false;
  return probe.Reaches(unit.path, place);
}

// How the search of one unit ended.
enum class UnitEnd { Finished, Stopped, OutOfMemory, Misfit };

// Searches single units with its own fast search and solution store.
class UnitSearcher final : public FastSearchHooks {
 public:
  UnitSearcher(const PreparedSearch& prep, const FastTables& tables, const PreparedRules* reductions,
               std::size_t memoryLimit)
      : prep_(prep), pool_(memoryLimit, kUnitBlockBytes), search_(prep, tables, *this, reductions) {
    search_.KeepPlaces(true);
  }

  std::function<bool()> stop;
  std::function<void()> refresh;

  // Searches `unit` into `out`, from `from` when a stop landed in it before.
  // A stop leaves in `left` where the unit stands: a new place, the one it
  // came from when it got no further, or none (no steps) when it had not
  // begun.
  UnitEnd Search(const CutUnit& unit, std::uint32_t number, const UnitPlace* from, UnitResult& out,
                 UnitPlace& left) {
    pool_.ReleaseAll();
    out = from != nullptr ? from->sofar : UnitResult{};
    out.unit = number;
    result_ = &out;
    left = UnitPlace{};
    if (!store_.Begin(prep_, pool_, keys_)) return UnitEnd::OutOfMemory;
    // The classes the unit met before its place are known to be new in it:
    // their keys go back without their images being compared.
    const auto b = static_cast<std::size_t>(prep_.blockCount);
    for (std::size_t at = 0; from != nullptr && at + b <= from->sofar.firsts.size(); at += b) {
      const RecordResult kept = store_.Keep(from->sofar.firsts.data() + at);
      if (kept == RecordResult::OutOfMemory) return UnitEnd::OutOfMemory;
      if (kept == RecordResult::Duplicate) return UnitEnd::Misfit;
    }
    calls_ = search_.SearchCalls();
    deadEnds_ = search_.DeadEnds();
    search_.RunSubtree(unit.path, from);
    if (search_.Misfit()) return UnitEnd::Misfit;
    outOfMemory = search_.OutOfMemory();
    if (outOfMemory) return UnitEnd::OutOfMemory;
    out.searchCalls += Calls();
    out.deadEnds += DeadEnds();
    out.foundAtLeast = out.foundAtLeast || store_.FoundAtLeast();
    if (search_.Stopped()) {
      if (search_.PlaceKept()) {
        left.sofar = out;
        search_.TakePlace(left);
      } else if (from != nullptr) {
        left = *from;
      }
      return UnitEnd::Stopped;
    }
    out.assignments = search_.SubtreeAssignments();
    out.assignmentsOverflow = search_.SubtreeOverflowed();
    return UnitEnd::Finished;
  }

  // Of the unit being searched, since it was taken up.
  std::uint64_t Calls() const { return search_.SearchCalls() - calls_; }
  std::uint64_t DeadEnds() const { return search_.DeadEnds() - deadEnds_; }
  double Explored() const { return search_.Explored(); }  // of every unit it searched

  bool StopRequested() override { return stop(); }
  void Refresh() override {
    if (refresh) refresh();
  }
  bool Record(const std::int32_t* chosen) override {
    const std::uint64_t before = store_.Found();
    if (store_.Record(chosen) == RecordResult::OutOfMemory) return false;
    if (store_.Found() != before)
      result_->firsts.insert(result_->firsts.end(), chosen, chosen + prep_.blockCount);
    return true;
  }
  void Subtree(std::span<const std::int32_t>, double) override {}

  bool outOfMemory = false;

 private:
  const PreparedSearch& prep_;
  BlockPool pool_;
  ByteKeySet keys_;
  SolutionStore store_;
  FastSearch search_;
  UnitResult* result_ = nullptr;
  std::uint64_t calls_ = 0, deadEnds_ = 0;
};

// What the worker threads share with the calling thread.
struct WorkerShared {
  std::mutex mutex;
  std::condition_variable news;
  std::size_t next = 0;  // in the list of units to do
  std::vector<UnitResult> finished;
  std::vector<UnitPlace> begun;  // where units stood at a stop
  std::atomic<bool> stop{false};
  std::atomic<bool> failed{false};
  std::atomic<bool> misfit{false};
  int running = 0;
};

struct WorkerProgress {
  std::atomic<std::uint64_t> calls{0}, deadEnds{0};
  std::atomic<double> explored{0};
};

class UnitDriver {
 public:
  UnitDriver(const PreparedSearch& prep, const FastTables& tables, const PreparedRules* reductions,
             SolutionStore& store, SolveObserver& observer, UnitJob& job, std::size_t memoryLimit,
             BlockPool* runPool)
      : prep_(prep),
        tables_(tables),
        red_(reductions),
        store_(store),
        observer_(observer),
        job_(job),
        limit_(memoryLimit),
        runPool_(runPool) {}

  UnitRunResult Run(int threads) {
    top_ = CutTree(prep_, tables_, red_);
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
      if (!stopped_ && !outOfMemory_ && !refused_) MergeReady();
    } catch (const std::bad_alloc&) {
      // What the run reached stays: its units, places and counters.
      outOfMemory_ = true;
    }
    out.refused = refused_;
    out.run.stopped = stopped_;
    out.run.outOfMemory = outOfMemory_;
    out.run.stats = Stats(0, 0, 0);
    if (!stopped_ && !outOfMemory_ && !refused_ && job_.parts == 1) Resolve(out.run.stats);
    return out;
  }

 private:
  bool Refuse(UnitCheck why) {
    job_.check = why;
    refused_ = true;
    return false;
  }

  // The run's memory limit covers its own pool (the tables, the merged
  // store) and every unit store at work: what the tables leave is shared
  // equally by the unit stores searched at once and the merged store, whose
  // pool takes its share as its limit. Results then depend on the thread
  // count only where memory runs short: the run ends out of memory, or a
  // unit's classes past the 10000 kept become a lower bound.
  void ShareMemory(int threads) {
    const std::size_t stores = todo_.empty() ? 0
                               : threads <= 1 || todo_.size() <= 1
                                   ? 1
                                   : std::min<std::size_t>(threads, todo_.size());
    const std::size_t held = runPool_ != nullptr ? runPool_->BytesHeld() : 0;
    const std::size_t left = limit_ > held ? limit_ - held : 0;
    unitLimit_ = left / (stores + 1);
    if (runPool_ != nullptr) runPool_->SetLimit(limit_ - stores * unitLimit_);
  }

  bool CheckDone() {
    if (job_.haveExpectedCut && !(job_.expectedCut == top_.cut)) return Refuse(UnitCheck::OtherCut);
    if (job_.partsWithinUnits && job_.parts > 1 &&
        static_cast<std::uint32_t>(job_.parts) > top_.cut.unitCount)
      return Refuse(UnitCheck::TooManyParts);
    slot_.assign(top_.cut.unitCount, -1);
    for (std::size_t i = 0; i < job_.done.size(); ++i) {
      const UnitResult& r = job_.done[i];
      if (r.unit >= top_.cut.unitCount || !job_.InPart(r.unit)) return Refuse(UnitCheck::OutsidePart);
      if (slot_[r.unit] >= 0) return Refuse(UnitCheck::DuplicateUnit);
      if (!ValidFirsts(prep_, r)) return Refuse(UnitCheck::BadResult);
      slot_[r.unit] = static_cast<std::int64_t>(i);
      doneWeight_ += top_.units[r.unit].weight;
    }
    return true;
  }

  // Places of units not done, each once, that lie in their unit's tree.
  bool CheckBegun() {
    if (job_.begun.empty()) return true;
    std::vector<std::uint8_t> seen(top_.cut.unitCount);
    CutHooks quiet(prep_.blockCount);
    FastSearch probe(prep_, tables_, quiet, red_);
    for (const UnitPlace& place : job_.begun) {
      const std::uint32_t u = place.sofar.unit;
      if (u >= top_.cut.unitCount || !job_.InPart(u)) return Refuse(UnitCheck::OutsidePart);
      if (slot_[u] >= 0 || seen[u] != 0) return Refuse(UnitCheck::DuplicateUnit);
      seen[u] = 1;
      if (!ValidPlace(prep_, probe, top_.units[u], place)) return Refuse(UnitCheck::BadResult);
    }
    from_ = job_.begun;  // the workers read these while job_.begun follows the run
    return true;
  }

  const UnitPlace* PlaceOf(std::uint32_t unit) const {
    for (const UnitPlace& place : from_)
      if (place.sofar.unit == unit) return &place;
    return nullptr;
  }

  // A stop's place of a unit replaces the one it had; none drops it.
  void Stand(UnitPlace&& place, std::uint32_t unit) {
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
  void KeepMergeIfItFits() {
    const auto b = static_cast<std::size_t>(prep_.blockCount);
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

  // Feeds complete assignments to the store, B placement numbers each: as
  // far as the last run's merge reaches, by what it noted (a new class is
  // kept by its key alone, a repeat only counted), then compared, noting
  // each outcome for the next resume.
  void Feed(const std::vector<std::int32_t>& assignments) {
    const auto b = static_cast<std::size_t>(prep_.blockCount);
    for (std::size_t at = 0; at + b <= assignments.size() && !outOfMemory_ && !refused_; at += b) {
      const std::int32_t* chosen = assignments.data() + at;
      RecordResult r = RecordResult::Duplicate;
      if (fed_ < job_.mergedNew.size()) {
        if (job_.mergedNew[fed_] == 0)
          store_.Repeat();
        else if ((r = store_.Keep(chosen)) == RecordResult::Duplicate)
          Refuse(UnitCheck::BadResult);  // the noted merge contradicts itself
      } else {
        const std::uint64_t before = store_.Found();
        r = store_.Record(chosen);
        if (noting_) job_.mergedNew.push_back(store_.Found() != before ? 1 : 0);
      }
      ++fed_;
      if (r == RecordResult::OutOfMemory) outOfMemory_ = true;
    }
  }

  // Feeds the units finished in order after those fed already and, once
  // every unit is in, what the top found after the last one. Only a whole
  // run merges: a part holds only every N-th unit.
  void MergeReady() {
    if (job_.parts != 1) return;
    while (merged_ < top_.cut.unitCount && slot_[merged_] >= 0 && !outOfMemory_ && !refused_) {
      const UnitResult& r = job_.done[static_cast<std::size_t>(slot_[merged_])];
      Feed(top_.units[merged_].before);
      Feed(r.firsts);
      foundAtLeast_ = foundAtLeast_ || r.foundAtLeast;
      ++merged_;
    }
    if (merged_ == top_.cut.unitCount && !trailingFed_) {
      Feed(top_.trailing);
      trailingFed_ = true;
    }
    // Once the store no longer tells classes apart (its key memory ran
    // out), what it noted would mislead a resume with more memory.
    if (store_.FoundAtLeast() || outOfMemory_) noting_ = false;
    if (!noting_) job_.mergedNew.clear();
    job_.mergedUnits = noting_ ? merged_ : 0;
  }

  void Finished(UnitResult&& result) {
    doneWeight_ += top_.units[result.unit].weight;
    Stand(UnitPlace{}, result.unit);
    slot_[result.unit] = static_cast<std::int64_t>(job_.done.size());
    job_.done.push_back(std::move(result));
    MergeReady();
    job_.UnitFinished();
  }

  // The counters so far; `calls`, `deadEnds` and `explored` of units being
  // searched, beyond what their places hold.
  SolveStats Stats(std::uint64_t calls, std::uint64_t deadEnds, double explored) const {
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

  // The whole tree's assignment count: the top walked again with every
  // unit's count, which also counts what the reduced top left out.
  void Resolve(SolveStats& stats) const {
    std::vector<std::uint64_t> counts(top_.cut.unitCount);
    bool overflow = false;
    for (const UnitResult& r : job_.done) {
      counts[r.unit] = r.assignments;
      overflow = overflow || r.assignmentsOverflow;
    }
    CutHooks quiet(prep_.blockCount);
    FastSearch resolve(prep_, tables_, quiet, red_);
    resolve.RunResolved(top_.cut.depth, counts);
    stats.assignments = resolve.Assignments();
    stats.assignmentsAtLeast = overflow || resolve.AssignmentsOverflowed();
  }

  void SearchHere() {
    UnitSearcher searcher(prep_, tables_, red_, unitLimit_);
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
          Finished(std::move(result));
          if (outOfMemory_ || refused_) return;
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

  void Work(WorkerShared& shared, WorkerProgress& progress) {
    try {
      UnitSearcher searcher(prep_, tables_, red_, unitLimit_);
      searcher.stop = [&] { return shared.stop.load(std::memory_order_relaxed); };
      double explored = 0;  // of the units this worker finished
      searcher.refresh = [&] {
        progress.calls.store(searcher.Calls(), std::memory_order_relaxed);
        progress.deadEnds.store(searcher.DeadEnds(), std::memory_order_relaxed);
        progress.explored.store(searcher.Explored() - explored, std::memory_order_relaxed);
      };
      for (;;) {
        std::uint32_t u = 0;
        {
          std::lock_guard lock(shared.mutex);
          if (shared.stop || shared.next == todo_.size()) break;
          u = todo_[shared.next++];
        }
        UnitResult result;
        UnitPlace left;
        const UnitEnd end = searcher.Search(top_.units[u], u, PlaceOf(u), result, left);
        explored = searcher.Explored();
        progress.calls = 0;
        progress.deadEnds = 0;
        progress.explored = 0;
        std::lock_guard lock(shared.mutex);
        if (end == UnitEnd::Stopped) {
          left.sofar.unit = u;
          shared.begun.push_back(std::move(left));
          break;
        }
        if (end != UnitEnd::Finished) {
          (end == UnitEnd::Misfit ? shared.misfit : shared.failed) = true;
          break;
        }
        shared.finished.push_back(std::move(result));
        shared.news.notify_one();
      }
    } catch (const std::bad_alloc&) {
      shared.failed = true;
    }
    std::lock_guard lock(shared.mutex);
    --shared.running;
    shared.news.notify_one();
  }

  void SearchOnWorkers(int threads) {
    WorkerShared shared;
    const auto count = std::min<std::size_t>(static_cast<std::size_t>(threads), todo_.size());
    std::vector<WorkerProgress> progress(count);
    std::vector<std::thread> workers;
    shared.running = static_cast<int>(count);
    auto live = [&] {
      std::uint64_t calls = 0, deadEnds = 0;
      double explored = 0;
      for (const WorkerProgress& p : progress) {
        calls += p.calls.load(std::memory_order_relaxed);
        deadEnds += p.deadEnds.load(std::memory_order_relaxed);
        explored += p.explored.load(std::memory_order_relaxed);
      }
      return Stats(calls, deadEnds, explored);
    };
    std::unique_lock lock(shared.mutex);
    try {
      for (std::size_t w = 0; w < count; ++w) workers.emplace_back([&, w] { Work(shared, progress[w]); });
    } catch (const std::system_error&) {
      // No more threads to be had: those started do the work.
      shared.running -= static_cast<int>(count - workers.size());
      if (workers.empty()) shared.failed = true;
    }
    for (;;) {
      shared.news.wait_for(lock, kRefreshPeriod);
      std::vector<UnitResult> arrived = std::move(shared.finished);
      std::vector<UnitPlace> stood = std::move(shared.begun);
      shared.finished.clear();
      shared.begun.clear();
      const bool ended = shared.running == 0;
      lock.unlock();
      for (UnitResult& r : arrived) Finished(std::move(r));
      for (UnitPlace& p : stood) Stand(std::move(p), p.sofar.unit);
      if (shared.misfit) {
        Refuse(UnitCheck::BadResult);
        shared.stop = true;
      } else if (shared.failed || outOfMemory_) {
        outOfMemory_ = true;
        shared.stop = true;
      } else if (!stopped_ && observer_.StopRequested()) {
        stopped_ = true;
        shared.stop = true;
      } else if (!ended) {
        observer_.Refresh(live());
      }
      lock.lock();
      if (ended && shared.finished.empty() && shared.begun.empty()) break;
    }
    lock.unlock();
    for (std::thread& worker : workers) worker.join();
    // Workers that stopped for a stop request leave their unit at its place.
    if (!outOfMemory_ && !refused_ && !job_.PartComplete()) stopped_ = true;
  }

  const PreparedSearch& prep_;
  const FastTables& tables_;
  const PreparedRules* red_;
  SolutionStore& store_;
  SolveObserver& observer_;
  UnitJob& job_;
  std::size_t limit_;          // the whole run's
  BlockPool* runPool_;         // the tables' and the merged store's, or null
  std::size_t unitLimit_ = 0;  // each unit store's share

  TopOfTree top_;
  std::vector<std::int64_t> slot_;   // per unit: its place in job_.done, -1 when not done
  std::vector<std::uint32_t> todo_;  // units of the part to search, ascending
  std::vector<UnitPlace> from_;      // the places the run began with
  std::uint32_t merged_ = 0;         // units fed to the store, in order
  std::size_t fed_ = 0;              // assignments fed to the store
  bool noting_ = true;               // job_.mergedNew follows the feed
  bool trailingFed_ = false;
  bool foundAtLeast_ = false;  // some unit's class list was cut short
  double partWeight_ = 0, doneWeight_ = 0;
  bool stopped_ = false;
  bool outOfMemory_ = false;
  bool refused_ = false;  // job_.check says why
};

}  // namespace

UnitRunResult RunUnitEngine(const PreparedSearch& prep, SolutionStore& store, SolveObserver& observer,
                            int threads, std::size_t memoryLimit, UnitJob& job,
                            const LinkAnalysis* reduceWith, BlockPool* pool, const RuleSwitches& rules) {
  FastTables tables;
  PreparedRules prepared;
  try {
    tables.Build(prep, pool);
    prepared.Build(prep, tables, reduceWith, rules, pool);
    UnitDriver driver(prep, tables, reduceWith != nullptr ? &prepared : nullptr, store, observer, job,
                      memoryLimit, pool);
    return driver.Run(threads);
  } catch (const std::bad_alloc&) {
    UnitRunResult result;
    result.run.outOfMemory = true;
    result.run.stats.solutionCount = store.Count();
    result.run.stats.found = store.Found();
    result.run.stats.foundAtLeast = store.FoundAtLeast();
    return result;
  }
}

}  // namespace zv
