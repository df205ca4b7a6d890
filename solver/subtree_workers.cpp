// The scheduler's worker threads: each takes the next unit to do in order,
// searches it with its own search and store, and hands the result (or the
// place a stop left) to the calling thread, which merges, polls the
// observer and refreshes it about every 20 ms.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>
#include <utility>

#include "solver/subtree_scheduler.h"
#include "solver/unit_searcher.h"

namespace zv {

namespace {

constexpr auto kRefreshPeriod = std::chrono::milliseconds(20);

// What the worker threads share with the calling thread.
struct WorkerShared {
  std::mutex mutex;
  std::condition_variable news;
  std::size_t next = 0;  // in the list of units to do
  // Finished units, each with its first members' keys.
  std::vector<std::pair<UnitResult, std::vector<std::uint8_t>>> finished;
  std::vector<UnitPlace> begun;  // where units stood at a stop
  std::atomic<bool> stop{false};
  std::atomic<bool> failed{false};
  std::atomic<bool> misfit{false};
  int running = 0;
};

// What a worker has done in the unit it is searching, for live progress.
struct WorkerProgress {
  std::atomic<std::uint64_t> calls{0}, deadEnds{0};
  std::atomic<double> explored{0};
};

}  // namespace

void SubtreeScheduler::SearchOnWorkers(int threads) {
  // A run held in memory polls before anything is merged, as the one-thread
  // search polls before its first call: a stop then ends it with nothing.
  if (inMemory_ && observer_.StopRequested()) {
    stopped_ = true;
    return;
  }
  WorkerShared shared;
  const auto count = std::min<std::size_t>(static_cast<std::size_t>(threads), todo_.size());
  std::vector<WorkerProgress> progress(count);
  auto work = [&](WorkerProgress& mine) {
    try {
      UnitSearcher searcher(setup_, unitLimit_);
      searcher.stop = [&] { return shared.stop.load(std::memory_order_relaxed); };
      double explored = 0;  // of the units this worker finished
      searcher.refresh = [&] {
        mine.calls.store(searcher.Calls(), std::memory_order_relaxed);
        mine.deadEnds.store(searcher.DeadEnds(), std::memory_order_relaxed);
        mine.explored.store(searcher.Explored() - explored, std::memory_order_relaxed);
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
        mine.calls = 0;
        mine.deadEnds = 0;
        mine.explored = 0;
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
        shared.finished.emplace_back(std::move(result), searcher.TakeFirstKeys());
        shared.news.notify_one();
      }
    } catch (const std::bad_alloc&) {
      shared.failed = true;
    }
    std::lock_guard lock(shared.mutex);
    --shared.running;
    shared.news.notify_one();
  };
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

  std::vector<std::thread> workers;
  shared.running = static_cast<int>(count);
  std::unique_lock lock(shared.mutex);
  try {
    for (std::size_t w = 0; w < count; ++w) workers.emplace_back([&, w] { work(progress[w]); });
  } catch (const std::system_error&) {
    // No more threads to be had: those started do the work.
    shared.running -= static_cast<int>(count - workers.size());
    if (workers.empty()) shared.failed = true;
  }
  for (;;) {
    shared.news.wait_for(lock, kRefreshPeriod);
    auto arrived = std::move(shared.finished);
    std::vector<UnitPlace> stood = std::move(shared.begun);
    shared.finished.clear();
    shared.begun.clear();
    const bool ended = shared.running == 0;
    lock.unlock();
    for (auto& [result, keys] : arrived) Finished(std::move(result), std::move(keys));
    for (UnitPlace& p : stood) Stand(std::move(p), p.sofar.unit);
    if (shared.misfit) {
      Refuse(UnitCheck::BadResult);
      shared.stop = true;
    } else if (shared.failed || outOfMemory_) {
      outOfMemory_ = true;
      shared.stop = true;
    } else if (stopped_ || observer_.StopRequested()) {
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

}  // namespace zv
