// The variant explorer: solves every link variant of a task's figure
// (editor/link_variants.h) with the verdict search (solver/verdict.h),
// against the task's form and optionally other forms, one variant per
// worker thread.
//
// Usage:
//   zv::VariantExplorer explorer(task, zv::ListLinkVariants(task.figure, {}), extraForms);
//   std::atomic<bool> stop{false};
//   explorer.Run(threads, stop, zv::SystemTicks(), [](int done) { show(done); });
//   for (const zv::VariantResult& r : explorer.Results()) ... r.done, r.forms[0].verdict
//
// Each worker takes the next variant not yet done, makes it on its own copy
// of the task, validates and solves it on its own Solver, and writes only
// that variant's result slot, so results need no lock and their order is
// the list's whatever the thread count. A stop request ends the variants
// being solved without a result (they stay not done, for a later run).
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

#include "editor/link_variants.h"
#include "model/task.h"
#include "platform/ticks.h"
#include "solver/verdict.h"

namespace zv {

// A form to fold a figure into besides the task's own (from another task file).
struct ExploreForm {
  FormState form;
  bool emptyCells = false;
};

// A variant against one form.
struct FormOutcome {
  bool invalid = false;  // validation refuses the variant with this form
  Verdict verdict = Verdict::None;
  int solutions = 0;  // stored by the verdict search: exact when it finished (0 or 1), else 2
};

struct VariantResult {
  bool done = false;
  std::vector<FormOutcome> forms;  // the task's form first, then the extra ones in order
  std::uint64_t calls = 0;         // search calls over every form
  std::uint32_t ms = 0;            // milliseconds over every form

  // Has solutions in every form.
  bool FoldsIntoAll() const;
};

class VariantExplorer {
 public:
  VariantExplorer(const TaskState& task, std::vector<LinkVariant> variants,
                  std::vector<ExploreForm> extraForms = {});

  const std::vector<LinkVariant>& Variants() const { return variants_; }
  // Slot i belongs to variant i; a resumed run fills the done ones first.
  std::vector<VariantResult>& Results() { return results_; }
  const std::vector<VariantResult>& Results() const { return results_; }

  // Variant i against form k (0 = the task's form), as a task of its own.
  TaskState VariantTask(std::size_t i, std::size_t form = 0) const;

  // Solves the variants not done on `threads` workers until all are done or
  // `stop` is set; calls `progress` (when given) on the calling thread about
  // every 100 ms with the number done. True when every variant is done.
  bool Run(int threads, const std::atomic<bool>& stop, TickSource& ticks,
           const std::function<void(int done)>& progress = {});

  int DoneCount() const { return done_.load(std::memory_order_relaxed); }

 private:
  void Solve(std::size_t i, const std::atomic<bool>& stop, TickSource& ticks);

  TaskState task_;
  std::vector<LinkVariant> variants_;
  std::vector<ExploreForm> forms_;  // the task's own first
  std::vector<VariantResult> results_;
  std::atomic<int> done_{0};
};

}  // namespace zv
