// split_profile: how evenly the subtree scheduler's cut of the search tree
// shares the work, counted in search calls, so the figure does not depend
// on the machine's load. For each split level it searches the top of the
// tree and then every subtree alone, and prints the subtree count, the
// calls above the cut, the largest subtree's share of all calls and the
// speed-up that N workers taking the subtrees in order would reach if a
// call took the same time everywhere (the top of the tree and the reduced
// search's second walk over it count as time no worker shares), and the
// same with each subtree's processor time instead of its calls. The level
// the scheduler's fixed cut picks is marked with "*".
//
// usage: split_profile TASK.zvt [--fast] [--workers N] [--from L] [--deepest D]
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <queue>
#include <string>
#include <vector>

#include "model/validation.h"
#include "solver/fast_search.h"
#include "solver/fast_tables.h"
#include "solver/prepare.h"
#include "solver/reduction_tables.h"
#include "solver/subtree_cut.h"
#include "storage/task_file.h"

namespace {

using zv::FastSearch;

class Hooks final : public zv::FastSearchHooks {
 public:
  bool StopRequested() override { return false; }
  void Refresh() override {}
  bool Record(const std::int32_t*) override { return true; }
  void Subtree(std::span<const std::int32_t> path, double) override {
    paths.emplace_back(path.begin(), path.end());
  }
  std::vector<std::vector<std::int32_t>> paths;
};

double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

// Finishing time of the last of `workers` workers taking the jobs in order.
template <typename T>
T Makespan(const std::vector<T>& jobs, int workers) {
  std::priority_queue<T, std::vector<T>, std::greater<>> freeAt;
  for (int w = 0; w < workers; ++w) freeAt.push(0);
  T end = 0;
  for (const T job : jobs) {
    const T start = freeAt.top();
    freeAt.pop();
    freeAt.push(start + job);
    end = std::max(end, start + job);
  }
  return end;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: split_profile TASK.zvt [--fast] [--workers N] [--from L] [--deepest D]\n");
    return 2;
  }
  bool reduce = true;
  int workers = 2;
  int deepest = 8;
  int from = 1;
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--fast") == 0) reduce = false;
    if (std::strcmp(argv[i], "--workers") == 0 && i + 1 < argc) workers = std::atoi(argv[++i]);
    if (std::strcmp(argv[i], "--deepest") == 0 && i + 1 < argc) deepest = std::atoi(argv[++i]);
    if (std::strcmp(argv[i], "--from") == 0 && i + 1 < argc) from = std::atoi(argv[++i]);
  }
  zv::TaskState task;
  if (zv::ReadTaskFile(argv[1], task) != zv::ReadResult::Ok) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 2;
  }
  const zv::Validation v = zv::ValidateTask(task);
  zv::BlockPool pool;
  zv::ByteKeySet keys;
  zv::PreparedSearch prep;
  if (!v.ok() || !zv::PrepareSearch(task, v.links, pool, keys, prep)) {
    std::fprintf(stderr, "the task cannot be solved\n");
    return 2;
  }
  zv::FastTables tables;
  tables.Build(prep);
  zv::PreparedRules rules;
  rules.Build(prep, tables, reduce ? &v.links : nullptr, {});
  const zv::PreparedRules* red = reduce ? &rules : nullptr;

  std::printf("%7s %9s %12s %12s %9s %9s %9s %9s\n", "level", "subtrees", "top calls", "all calls", "largest",
              "median", "by calls", "by time");
  const int cutDepth = zv::CutTree(zv::SearchSetup{prep, tables, red}).cut.depth;
  for (int depth = 1; depth <= deepest; ++depth) {
    Hooks hooks;
    const double topStart = ThreadSeconds();
    FastSearch top(prep, tables, hooks, red);
    top.RunSplit(depth);
    const double topSeconds = ThreadSeconds() - topStart;
    if (hooks.paths.empty()) break;
    const bool mark = depth == cutDepth;
    if (depth < from) continue;
    Hooks quiet;
    FastSearch worker(prep, tables, quiet, red);
    std::vector<std::uint64_t> calls;
    std::vector<double> seconds;
    double allSeconds = topSeconds;
    for (const auto& path : hooks.paths) {
      const std::uint64_t before = worker.SearchCalls();
      const double start = ThreadSeconds();
      worker.RunSubtree(path);
      seconds.push_back(ThreadSeconds() - start);
      allSeconds += seconds.back();
      calls.push_back(worker.SearchCalls() - before);
    }
    std::uint64_t all = top.SearchCalls();
    for (const std::uint64_t c : calls) all += c;
    std::vector<std::uint64_t> sorted = calls;
    std::sort(sorted.begin(), sorted.end());
    const std::uint64_t serial = top.SearchCalls() * (reduce ? 2 : 1);
    const double speedUp = static_cast<double>(all) / static_cast<double>(serial + Makespan(calls, workers));
    const double timeSpeedUp = allSeconds / ((reduce ? 2 : 1) * topSeconds + Makespan(seconds, workers));
    std::printf("%6d%s %9zu %12llu %12llu %8.2f%% %8.3f%% %9.3f %9.3f\n", depth, mark ? "*" : " ",
                calls.size(), static_cast<unsigned long long>(top.SearchCalls()),
                static_cast<unsigned long long>(all),
                100.0 * static_cast<double>(sorted.back()) / static_cast<double>(all),
                100.0 * static_cast<double>(sorted[sorted.size() / 2]) / static_cast<double>(all), speedUp,
                timeSpeedUp);
  }
  return 0;
}
