// The background fold check of the stored solutions (ui/fold_filter.h).
#include "ui/fold_filter.h"

namespace zv {

namespace {

std::size_t HingeAngles(const FoldVerdict& verdict) {
  std::size_t values = 0;
  for (const PartPlan& plan : verdict.plans)
    for (const std::vector<double>& waypoint : plan.waypoints) values += waypoint.size();
  return values;
}

}  // namespace

FoldFilter::FoldFilter(QObject* parent) : QObject(parent) { setObjectName(QStringLiteral("FoldFilter")); }

FoldFilter::~FoldFilter() { Join(); }

void FoldFilter::Join() {
  stop_ = true;
  if (worker_.joinable()) worker_.join();
}

void FoldFilter::Start(std::vector<SolidSolution> solids) {
  Clear();
  {
    const std::lock_guard lock(mutex_);
    outcomes_.assign(solids.size(), std::nullopt);
    verdicts_.assign(solids.size(), nullptr);
  }
  stop_ = false;
  running_ = true;
  worker_ = std::thread([this, s = std::move(solids)]() mutable { Work(std::move(s)); });
  emit changed();
}

void FoldFilter::Stop() { stop_ = true; }

void FoldFilter::Clear() {
  Join();
  running_ = false;
  const std::lock_guard lock(mutex_);
  outcomes_.clear();
  verdicts_.clear();
  keptValues_ = 0;
  checked_ = foldable_ = 0;
}

void FoldFilter::Work(std::vector<SolidSolution> solids) {
  FoldBudget b = budget;
  b.stopped = [this] { return stop_.load(); };
  for (int i = 0; i < static_cast<int>(solids.size()) && !stop_; ++i) {
    FoldVerdict verdict = CheckFolding(solids[i], b);
    if (verdict.reason == FoldReason::Stopped) break;  // cut short: no outcome of its own
    {
      const std::lock_guard lock(mutex_);
      outcomes_[i] = verdict.outcome;
      ++checked_;
      if (verdict.outcome == FoldOutcome::Foldable) ++foldable_;
      const std::size_t values = HingeAngles(verdict);
      if (keptValues_ + values <= kKeptVerdictValues) {
        keptValues_ += values;
        verdicts_[i] = std::make_shared<const FoldVerdict>(std::move(verdict));
      }
    }
    emit solutionChecked(i);
    QMetaObject::invokeMethod(this, &FoldFilter::changed, Qt::QueuedConnection);
  }
  running_ = false;
  QMetaObject::invokeMethod(this, &FoldFilter::changed, Qt::QueuedConnection);
}

bool FoldFilter::stopped() const { return !running_ && checked() < total(); }

int FoldFilter::total() const {
  const std::lock_guard lock(mutex_);
  return static_cast<int>(outcomes_.size());
}

int FoldFilter::checked() const {
  const std::lock_guard lock(mutex_);
  return checked_;
}

int FoldFilter::foldableCount() const {
  const std::lock_guard lock(mutex_);
  return foldable_;
}

std::optional<FoldOutcome> FoldFilter::outcome(int i) const {
  const std::lock_guard lock(mutex_);
  return i >= 0 && i < static_cast<int>(outcomes_.size()) ? outcomes_[i] : std::nullopt;
}

std::shared_ptr<const FoldVerdict> FoldFilter::verdict(int i) const {
  const std::lock_guard lock(mutex_);
  return i >= 0 && i < static_cast<int>(verdicts_.size()) ? verdicts_[i] : nullptr;
}

int FoldFilter::Step(int current, SolutionStep step) const {
  const std::lock_guard lock(mutex_);
  const int n = static_cast<int>(outcomes_.size());
  const bool forward = step == SolutionStep::Next || step == SolutionStep::First;
  int i = step == SolutionStep::First ? 0 : step == SolutionStep::Last ? n - 1 : current + (forward ? 1 : -1);
  for (; i >= 0 && i < n; i += forward ? 1 : -1)
    if (outcomes_[i] == FoldOutcome::Foldable) return i;
  return -1;
}

}  // namespace zv
