// Splitting the search tree into ordered subtrees, the workers that search
// them, and the merge of their results in subtree order.
#include "solver/parallel_search.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

#include "solver/fast_search.h"

namespace zv {

namespace {

// Complete assignments a worker collects before handing them over, and the
// most (in placement numbers) a subtree may hold back while an earlier one
// is still being merged; past that its worker waits, so memory stays bounded
// even when a subtree finds millions of assignments.
constexpr std::size_t kBatchAssignments = 256;
constexpr std::size_t kMaxHeldBack = std::size_t{1} << 20;
constexpr auto kRefreshPeriod = std::chrono::milliseconds(20);

// One subtree, with the complete assignments the top search found just
// before entering it (they come first in the one-thread order).
struct SubtreeWork {
  std::vector<std::int32_t> path;
  std::vector<std::int32_t> before;  // B placement numbers per assignment

  // Filled by the worker, under the shared mutex.
  std::vector<std::int32_t> found;  // not yet merged, B per assignment
  std::uint64_t countedOnly = 0;    // assignments found after the store filled up
  std::uint64_t deadEnds = 0;
  std::uint64_t searchCalls = 0;
  std::uint64_t assignments = 0;  // of the full tree below the subtree's root
  bool overflow = false;          // that count passed 2^64 - 1
  bool finished = false;
};

// What a worker has done in the subtree it is searching, for live progress.
struct WorkerProgress {
  std::atomic<double> explored{0};
  std::atomic<std::uint64_t> deadEnds{0}, searchCalls{0}, assignments{0};
};

// The top of the tree: complete assignments and subtrees in one-thread order.
class SplitHooks final : public FastSearchHooks {
 public:
  SplitHooks(SolveObserver& observer, int blockCount) : observer_(observer), blockCount_(blockCount) {}

  void Attach(const FastSearch& search) { search_ = &search; }

  bool StopRequested() override { return observer_.StopRequested(); }
  void Refresh() override {
    observer_.Refresh(
        SolveStats{search_->DeadEnds(), 0, pendingAssignments_, search_->SearchCalls(), search_->Explored()});
  }
  bool Record(const std::int32_t* chosen) override {
    before_.insert(before_.end(), chosen, chosen + blockCount_);
    ++pendingAssignments_;
    return true;
  }
  void Subtree(std::span<const std::int32_t> path, double) override {
    SubtreeWork work;
    work.path.assign(path.begin(), path.end());
    work.before = std::move(before_);
    subtrees.push_back(std::move(work));
    before_.clear();
  }

  std::vector<SubtreeWork> subtrees;
  std::vector<std::int32_t>& Trailing() { return before_; }
  std::uint64_t Records() const { return pendingAssignments_; }

 private:
  SolveObserver& observer_;
  int blockCount_;
  const FastSearch* search_ = nullptr;
  std::vector<std::int32_t> before_;
  std::uint64_t pendingAssignments_ = 0;
};

struct Shared {
  Shared(std::vector<SubtreeWork>& all, int blocks) : subtrees(all), blockCount(blocks) {}

  std::vector<SubtreeWork>& subtrees;
  int blockCount;
  std::mutex mutex;
  std::condition_variable workerNews;  // a subtree finished or handed over assignments
  std::condition_variable headMoved;   // the merge moved on to a later subtree
  std::size_t nextSubtree = 0;
  std::size_t head = 0;  // first subtree not fully merged
  std::atomic<bool> stop{false};
  std::atomic<bool> storeFull{false};
  std::atomic<bool> failed{false};  // a worker's own memory was refused
  // The counters of the subtrees searched to the end (or to a stop).
  std::atomic<std::uint64_t> deadEnds{0}, searchCalls{0}, assignments{0};
};

class WorkerHooks final : public FastSearchHooks {
 public:
  WorkerHooks(Shared& shared, WorkerProgress& progress) : shared_(shared), progress_(progress) {}

  void Attach(const FastSearch& search) { search_ = &search; }
  void Begin(std::size_t subtree) {
    subtree_ = subtree;
    deadEnds_ = search_->DeadEnds();
    searchCalls_ = search_->SearchCalls();
  }

  bool StopRequested() override { return shared_.stop.load(std::memory_order_relaxed); }
  void Refresh() override {
    progress_.explored.store(search_->Explored(), std::memory_order_relaxed);
    progress_.deadEnds.store(search_->DeadEnds() - deadEnds_, std::memory_order_relaxed);
    progress_.searchCalls.store(search_->SearchCalls() - searchCalls_, std::memory_order_relaxed);
    progress_.assignments.store(search_->Assignments(), std::memory_order_relaxed);
  }
  bool Record(const std::int32_t* chosen) override {
    if (shared_.storeFull.load(std::memory_order_relaxed)) {
      ++countedOnly_;
      return true;
    }
    batch_.insert(batch_.end(), chosen, chosen + shared_.blockCount);
    if (batch_.size() >= kBatchAssignments * static_cast<std::size_t>(shared_.blockCount)) HandOver(false);
    return true;
  }
  void Subtree(std::span<const std::int32_t>, double) override {}

  // Moves the collected assignments to the subtree; `last` also publishes
  // its counters. Waits while too much is held back behind an earlier subtree.
  void HandOver(bool last) {
    std::unique_lock lock(shared_.mutex);
    SubtreeWork& s = shared_.subtrees[subtree_];
    s.found.insert(s.found.end(), batch_.begin(), batch_.end());
    batch_.clear();
    if (last) {
      s.countedOnly = countedOnly_;
      s.deadEnds = search_->DeadEnds() - deadEnds_;
      s.searchCalls = search_->SearchCalls() - searchCalls_;
      s.assignments = search_->SubtreeAssignments();
      s.overflow = search_->SubtreeOverflowed();
      s.finished = true;
      countedOnly_ = 0;
      progress_.deadEnds.store(0, std::memory_order_relaxed);
      progress_.searchCalls.store(0, std::memory_order_relaxed);
      progress_.assignments.store(0, std::memory_order_relaxed);
      shared_.deadEnds += s.deadEnds;
      shared_.searchCalls += s.searchCalls;
      shared_.assignments += s.assignments;
    }
    shared_.workerNews.notify_one();
    shared_.headMoved.wait(lock, [&] {
      return last || shared_.head == subtree_ || s.found.size() < kMaxHeldBack ||
             shared_.stop.load(std::memory_order_relaxed);
    });
  }

 private:
  Shared& shared_;
  WorkerProgress& progress_;
  const FastSearch* search_ = nullptr;
  std::size_t subtree_ = 0;
  std::uint64_t deadEnds_ = 0, searchCalls_ = 0;  // the search's counters when the subtree began
  std::vector<std::int32_t> batch_;
  std::uint64_t countedOnly_ = 0;
};

void Search(const PreparedSearch& prep, const FastTables& tables, const PreparedRules* reductions,
            Shared& shared, WorkerProgress& progress) {
  WorkerHooks hooks(shared, progress);
  FastSearch search(prep, tables, hooks, reductions);
  hooks.Attach(search);
  for (;;) {
    std::size_t i = 0;
    {
      std::lock_guard lock(shared.mutex);
      if (shared.stop.load() || shared.nextSubtree == shared.subtrees.size()) return;
      i = shared.nextSubtree++;
    }
    hooks.Begin(i);
    search.RunSubtree(shared.subtrees[i].path);
    progress.explored.store(search.Explored(), std::memory_order_relaxed);
    hooks.HandOver(true);
  }
}

// A worker thread; running out of memory ends the run as it would in one
// thread, with what was merged so far.
void Work(const PreparedSearch& prep, const FastTables& tables, const PreparedRules* reductions,
          Shared& shared, WorkerProgress& progress) {
  try {
    Search(prep, tables, reductions, shared, progress);
  } catch (const std::bad_alloc&) {
    shared.failed = true;
    shared.stop = true;
    std::lock_guard lock(shared.mutex);
    shared.workerNews.notify_one();
  }
}

// The top search to the shallowest split level that gives enough subtrees;
// when the whole tree ends above it, the top search was the whole search.
int SplitDepth(const PreparedSearch& prep, const FastTables& tables, const PreparedRules* reductions,
               SolveObserver& observer, int threads, std::unique_ptr<SplitHooks>& hooks,
               std::unique_ptr<FastSearch>& top) {
  const std::size_t wanted = kSubtreesPerWorker * static_cast<std::size_t>(threads);
  const int deepest = prep.blockCount + prep.surplus;
  for (int depth = 1;; ++depth) {
    hooks = std::make_unique<SplitHooks>(observer, prep.blockCount);
    top = std::make_unique<FastSearch>(prep, tables, *hooks, reductions);
    hooks->Attach(*top);
    top->RunSplit(depth);
    if (top->Stopped() || hooks->subtrees.empty() || hooks->subtrees.size() >= wanted || depth >= deepest)
      return depth;
  }
}

// The levels above the split walked again, with every subtree's count.
class ResolveHooks final : public FastSearchHooks {
 public:
  bool StopRequested() override { return false; }
  void Refresh() override {}
  bool Record(const std::int32_t*) override { return true; }
  void Subtree(std::span<const std::int32_t>, double) override {}
};

}  // namespace

FastRunResult RunParallelSearch(const PreparedSearch& prep, const FastTables& tables, SolutionStore& store,
                                SolveObserver& observer, int threads, const PreparedRules* reductions) {
  std::unique_ptr<SplitHooks> split;
  std::unique_ptr<FastSearch> top;
  const int depth = SplitDepth(prep, tables, reductions, observer, threads, split, top);

  FastRunResult result;
  result.stopped = top->Stopped();
  std::uint64_t countedOnly = 0;
  std::vector<WorkerProgress> progress(static_cast<std::size_t>(threads));
  Shared shared{split->subtrees, prep.blockCount};
  // Live counters: those of the finished subtrees and of the workers' current ones.
  auto stats = [&] {
    double share = top->Explored();
    std::uint64_t deadEnds = top->DeadEnds() + shared.deadEnds.load();
    std::uint64_t calls = top->SearchCalls() + shared.searchCalls.load();
    std::uint64_t assignments = split->Records() + shared.assignments.load();
    for (const WorkerProgress& worker : progress) {
      share += worker.explored.load(std::memory_order_relaxed);
      deadEnds += worker.deadEnds.load(std::memory_order_relaxed);
      calls += worker.searchCalls.load(std::memory_order_relaxed);
      assignments += worker.assignments.load(std::memory_order_relaxed);
    }
    SolveStats live{deadEnds, store.Count(), assignments, calls, share};
    live.found = store.Found();
    live.foundAtLeast = store.FoundAtLeast();
    return live;
  };
  const auto b = static_cast<std::size_t>(prep.blockCount);
  // Offers assignments in order; false when the store ran out of memory.
  auto nextRefresh = std::chrono::steady_clock::now() + kRefreshPeriod;
  // The observer's turn, every 20 ms, also while a long batch is merged
  // (each record compares keys under every symmetry); called without the lock.
  auto poll = [&] {
    if (std::chrono::steady_clock::now() < nextRefresh) return;
    nextRefresh = std::chrono::steady_clock::now() + kRefreshPeriod;
    if (observer.StopRequested())
      result.stopped = true;
    else
      observer.Refresh(stats());
  };
  constexpr std::size_t kRecordsBetweenPolls = 64;
  // Offers assignments in order, until a stop; false when the store ran out of memory.
  auto merge = [&](const std::vector<std::int32_t>& assignments) {
    std::size_t sincePoll = 0;
    for (std::size_t at = 0; at + b <= assignments.size() && !result.stopped; at += b) {
      const RecordResult r = store.Record(assignments.data() + at);
      if (r == RecordResult::OutOfMemory) return false;
      // The in-order prefix holds what the run stops after: what the
      // workers found past it is dropped.
      if (store.Enough()) result.stopped = true;
      // Once the store can tell new solutions no longer, the workers only count.
      if (store.FoundAtLeast()) shared.storeFull = true;
      if (++sincePoll == kRecordsBetweenPolls) {
        sincePoll = 0;
        poll();
      }
    }
    return true;
  };

  std::vector<std::thread> workers;
  try {
    if (!result.stopped && !shared.subtrees.empty())
      for (int w = 0; w < threads; ++w)
        workers.emplace_back(Work, std::cref(prep), std::cref(tables), reductions, std::ref(shared),
                             std::ref(progress[w]));
  } catch (const std::system_error&) {
    // The system gives no more threads: those started do the work.
    if (workers.empty()) shared.failed = true;
  }

  std::unique_lock lock(shared.mutex);
  while (!result.stopped && !result.outOfMemory && !shared.failed && shared.head < shared.subtrees.size()) {
    SubtreeWork& s = shared.subtrees[shared.head];
    std::vector<std::int32_t> batch = std::move(s.before);
    s.before.clear();
    if (batch.empty()) batch.swap(s.found);
    const bool done = s.finished && s.found.empty();
    if (!batch.empty()) {
      lock.unlock();
      result.outOfMemory = !merge(batch);
      lock.lock();
    } else if (done) {
      countedOnly += s.countedOnly;
      ++shared.head;
      shared.headMoved.notify_all();
    } else {
      shared.workerNews.wait_until(lock, nextRefresh);
    }
    if (std::chrono::steady_clock::now() >= nextRefresh) {
      lock.unlock();
      poll();
      lock.lock();
    }
  }
  shared.stop = true;
  shared.headMoved.notify_all();
  lock.unlock();
  for (std::thread& worker : workers) worker.join();

  if (shared.failed) result.outOfMemory = true;
  if (!result.stopped && !result.outOfMemory) result.outOfMemory = !merge(split->Trailing());
  result.stats = stats();
  if (reductions == nullptr) {
    result.stats.assignments = store.Assignments() + countedOnly;
    return result;
  }
  // Every assignment the store was offered is one the run reached; a run
  // out of memory keeps the counts it reached, as walking the top again
  // needs room it no longer has.
  result.stats.assignments = std::max(result.stats.assignments, store.Assignments());
  if (result.outOfMemory) return result;
  // The reduced search counted the branches it left out above the split
  // from subtrees it had not searched yet: count them again, now known.
  std::vector<std::uint64_t> counts;
  bool overflow = false;
  for (const SubtreeWork& s : shared.subtrees) {
    counts.push_back(s.assignments);
    overflow = overflow || s.overflow;
  }
  try {
    ResolveHooks quiet;
    FastSearch resolve(prep, tables, quiet, reductions);
    resolve.RunResolved(depth, counts);
    result.stats.assignments = resolve.Assignments();
    result.stats.assignmentsAtLeast =
        overflow || resolve.AssignmentsOverflowed() || top->AssignmentsOverflowed();
  } catch (const std::bad_alloc&) {
    result.outOfMemory = true;
  }
  return result;
}

}  // namespace zv
