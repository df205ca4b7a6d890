// Solving the link variants of a task on worker threads.
#include "editor/variant_explorer.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "model/validation.h"
#include "solver/solver.h"

namespace zv {
namespace {

// Stops a variant's search when the explorer is stopped.
class StopFlagObserver final : public SolveObserver {
 public:
  explicit StopFlagObserver(const std::atomic<bool>& stop) : stop_(stop) {}
  bool StopRequested() override { return stop_.load(std::memory_order_relaxed); }
  void Refresh(const SolveStats&) override {}

 private:
  const std::atomic<bool>& stop_;
};

}  // namespace

bool VariantResult::FoldsIntoAll() const {
  return !forms.empty() && std::all_of(forms.begin(), forms.end(),
                                       [](const FormOutcome& f) { return !f.invalid && f.solutions > 0; });
}

VariantExplorer::VariantExplorer(const TaskState& task, std::vector<LinkVariant> variants,
                                 std::vector<ExploreForm> extraForms)
    : task_(task), variants_(std::move(variants)), results_(variants_.size()) {
  forms_.push_back({task.form, task.EmptyCells});
  forms_.insert(forms_.end(), extraForms.begin(), extraForms.end());
}

TaskState VariantExplorer::VariantTask(std::size_t i, std::size_t form) const {
  TaskState variant = task_;
  ApplyLinkVariant(variant.figure, variants_[i]);
  variant.form = forms_[form].form;
  variant.EmptyCells = forms_[form].emptyCells;
  return variant;
}

void VariantExplorer::Solve(std::size_t i, const std::atomic<bool>& stop, TickSource& ticks) {
  VariantResult result;
  const Ticks start = ticks.Now();
  Solver solver;
  StopFlagObserver observer(stop);
  for (std::size_t k = 0; k < forms_.size(); ++k) {
    const TaskState variant = VariantTask(i, k);
    const Validation v = ValidateTask(variant);
    FormOutcome outcome;
    if (!v.ok()) {
      outcome.invalid = true;
    } else {
      SolveOptions options;
      options.stopAfter = kVerdictStopAfter;
      solver.Solve(variant, v.links, observer, options);
      if (stop.load()) return;  // the variant stays not done
      outcome.verdict = VerdictOf(solver);
      outcome.solutions = solver.SolutionCount();
      result.calls += solver.SearchCalls();
    }
    result.forms.push_back(outcome);
  }
  result.ms = ticks.Now() - start;
  result.done = true;
  results_[i] = std::move(result);
  done_.fetch_add(1, std::memory_order_relaxed);
}

bool VariantExplorer::Run(int threads, const std::atomic<bool>& stop, TickSource& ticks,
                          const std::function<void(int done)>& progress) {
  std::vector<std::size_t> todo;
  for (std::size_t i = 0; i < results_.size(); ++i)
    if (!results_[i].done) todo.push_back(i);
  done_ = static_cast<int>(results_.size() - todo.size());
  std::atomic<std::size_t> next{0};
  std::mutex mutex;  // only for the workers' ends, which the calling thread waits for
  std::condition_variable ended;
  int running = std::clamp(threads, 1, static_cast<int>(std::max<std::size_t>(todo.size(), 1)));
  auto work = [&] {
    for (std::size_t t; !stop.load() && (t = next.fetch_add(1)) < todo.size();) Solve(todo[t], stop, ticks);
    std::lock_guard lock(mutex);
    --running;
    ended.notify_one();
  };
  std::vector<std::thread> workers;
  for (int w = running; w > 0; --w) workers.emplace_back(work);
  {
    std::unique_lock lock(mutex);
    while (running > 0) {
      if (progress) {
        lock.unlock();
        progress(DoneCount());
        lock.lock();
      }
      ended.wait_for(lock, std::chrono::milliseconds(100));
    }
  }
  for (std::thread& worker : workers) worker.join();
  if (progress) progress(DoneCount());
  return DoneCount() == static_cast<int>(results_.size());
}

}  // namespace zv
