// The place a stopped run keeps (run/kept_place.h).
#include "run/kept_place.h"

#include "run/run_file_check.h"

namespace zv {

namespace {

// A run's units; its UnitFinished calls the place's hook.
class PlaceJob final : public UnitJob {
 public:
  explicit PlaceJob(const std::function<void()>& finished) : finished_(finished) {}
  void UnitFinished() override {
    if (finished_) finished_();
  }

 private:
  const std::function<void()>& finished_;
};

}  // namespace

KeptPlace::KeptPlace() : job_(NewJob()) {}
KeptPlace::~KeptPlace() = default;

void KeptPlace::DropIfStale(const TaskState& task) {
  if (kept_ && !SearchesAlike(task, task_)) kept_ = false;
}

void KeptPlace::BeginFresh(const TaskState& task, SolveEngine engine) {
  job_ = NewJob();
  engine_ = engine;
  task_ = task;
  kept_ = false;
}

void KeptPlace::BeginFromPlace() {
  job_->expectedCut = job_->cut;
  job_->haveExpectedCut = true;
  kept_ = false;
}

void KeptPlace::Ended(SolveOutcome outcome) {
  kept_ = (outcome == SolveOutcome::Stopped || outcome == SolveOutcome::OutOfMemory) && job_->cut.depth > 0;
  number_ += kept_ ? 1 : 0;
}

std::unique_ptr<UnitJob> KeptPlace::NewJob() const { return std::make_unique<PlaceJob>(unitFinished_); }

void KeptPlace::Adopt(std::unique_ptr<UnitJob> job, const TaskState& task, SolveEngine engine, bool kept) {
  job_ = std::move(job);
  task_ = task;
  engine_ = engine;
  kept_ = kept;
  number_ += kept_ ? 1 : 0;
}

}  // namespace zv
