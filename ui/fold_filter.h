// The fold check of every stored solution in the background, for the
// solution browser: one worker thread takes the solutions in order and
// stores each outcome; the window's thread reads them, hears of each one
// through changed(), and steps through the foldable solutions only. The
// verdicts themselves (the motions found) are kept too, up to about
// kKeptVerdictValues hinge angles in all, so that the fold instructions of
// a checked solution need no second check.
#pragma once

#include <QObject>
#include <atomic>
#include <cstddef>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "editor/editor_session.h"
#include "solid/fold_verdict.h"
#include "solid/solid_solution.h"

namespace zv {

// The most hinge angles of the motions the kept verdicts hold (32 MB).
inline constexpr std::size_t kKeptVerdictValues = std::size_t{4} << 20;

class FoldFilter : public QObject {
  Q_OBJECT

 public:
  explicit FoldFilter(QObject* parent);
  ~FoldFilter() override;

  // Checks `solids` (one per stored solution, in their order) afresh.
  void Start(std::vector<SolidSolution> solids);
  // Asks the check to end; the outcomes found so far stay.
  void Stop();
  // Stops and forgets every outcome: the solutions are no longer those checked.
  void Clear();

  bool running() const { return running_; }
  bool stopped() const;  // the last check ended on a stop before its end
  int total() const;
  int checked() const;
  int foldableCount() const;
  // The outcome of solution `i`, or nothing while it is not checked.
  std::optional<FoldOutcome> outcome(int i) const;
  // The verdict of solution `i`, or null while it is not checked or was
  // checked after the kept verdicts had reached their bound.
  std::shared_ptr<const FoldVerdict> verdict(int i) const;
  // The foldable solution that `step` from solution `current` reaches
  // (First and Last: the first and last foldable), or -1 when there is none.
  int Step(int current, SolutionStep step) const;

  FoldBudget budget;  // each solution's; its stop is the check's own

 signals:
  // Sent from the worker thread just after solution `index`'s outcome is stored.
  void solutionChecked(int index);
  // On the window's thread: an outcome came, or the check ended.
  void changed();

 private:
  void Work(std::vector<SolidSolution> solids);
  void Join();

  mutable std::mutex mutex_;
  std::vector<std::optional<FoldOutcome>> outcomes_;          // by solution, under mutex_
  std::vector<std::shared_ptr<const FoldVerdict>> verdicts_;  // by solution, under mutex_
  std::size_t keptValues_ = 0;                                // hinge angles in verdicts_, under mutex_
  int checked_ = 0, foldable_ = 0;                            // under mutex_
  std::atomic<bool> running_{false}, stop_{false};
  std::thread worker_;
};

}  // namespace zv
