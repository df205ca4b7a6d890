// The place a stopped run keeps to go on from: the last run's units (the
// finished ones, the places a stop left inside others, the merge so far),
// its engine and the task it solved, whether a place is kept, and a number
// that changes with every place kept (so that whoever writes it to a file
// knows when to write again). The editing session holds one; the window
// keeps it in its kept-run file.
//
// Usage:
//   place.BeginFresh(task, engine);          // or BeginFromPlace() to go on
//   solver.SolveUnits(task, links, observer, options, place.Job());
//   place.Ended(outcome);                    // kept() after a stop
#pragma once

#include <functional>
#include <memory>

#include "model/task.h"
#include "solver/solver.h"
#include "solver/work_units.h"

namespace zv {

class KeptPlace {
 public:
  KeptPlace();
  ~KeptPlace();
  KeptPlace(const KeptPlace&) = delete;
  KeptPlace& operator=(const KeptPlace&) = delete;

  bool kept() const { return kept_; }
  // The last run's units (those of the run going on, while one goes).
  const UnitJob& Job() const { return *job_; }
  UnitJob& Job() { return *job_; }
  SolveEngine engine() const { return engine_; }
  // Counts the places kept so far: a new one has another number.
  unsigned number() const { return number_; }
  void Drop() { kept_ = false; }
  // Drops the place once `task` makes another search than the one it was
  // made on.
  void DropIfStale(const TaskState& task);
  // Called during a run each time a unit has joined Job(): the moment to
  // write a checkpoint of the run going on.
  void SetUnitFinished(std::function<void()> unitFinished) { unitFinished_ = std::move(unitFinished); }

  // A run begins afresh on `task` with `engine` (its units start empty), or
  // goes on from the place (its units must be on the cut the place was
  // made on); no place is kept while it goes.
  void BeginFresh(const TaskState& task, SolveEngine engine);
  void BeginFromPlace();
  // The run ended: a stop, or running out of memory, once the tree was cut,
  // keeps a place (its finished units are as good as a stop's).
  void Ended(SolveOutcome outcome);

  // A job for units read from a file, to be checked by a solver before
  // Adopt takes it with the task and engine they were made on.
  std::unique_ptr<UnitJob> NewJob() const;
  void Adopt(std::unique_ptr<UnitJob> job, const TaskState& task, SolveEngine engine, bool kept);

 private:
  std::function<void()> unitFinished_;
  std::unique_ptr<UnitJob> job_;
  SolveEngine engine_ = SolveEngine::Reduced;
  TaskState task_;  // the task the last run solved
  bool kept_ = false;
  unsigned number_ = 0;
};

}  // namespace zv
