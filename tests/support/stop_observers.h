// Observers that stop a run after a fixed amount of work, so that a test
// bounds a run, or stops it at a chosen point, without depending on the
// machine's speed:
//   StopAfterPolls  asks to stop at the `polls`-th stop poll (a call limit);
//   StopAfterRefreshes asks to stop once `refreshes` progress refreshes ran.
// Base lets a test add its own hooks to the observer interface.
#pragma once

#include "solver/solver.h"

namespace zv::test {

template <class Base = SolveObserver>
class StopAfterPolls final : public Base {
 public:
  explicit StopAfterPolls(long polls) : left_(polls) {}
  bool StopRequested() override { return --left_ < 0; }
  void Refresh(const SolveStats&) override {}

 private:
  long left_;
};

template <class Base = SolveObserver>
class StopAfterRefreshes final : public Base {
 public:
  explicit StopAfterRefreshes(int refreshes) : left_(refreshes) {}
  bool StopRequested() override { return left_ <= 0; }
  void Refresh(const SolveStats&) override { --left_; }

 private:
  int left_;
};

}  // namespace zv::test
