// The timing of a run's checkpoint writes (run/checkpoint_policy.h).
#include "run/checkpoint_policy.h"

#include <utility>

namespace zv {

CheckpointPolicy::CheckpointPolicy(std::function<bool()> write, std::function<std::uint64_t()> now,
                                   std::optional<std::uint64_t> everyMs)
    : write_(std::move(write)), now_(std::move(now)), everyMs_(everyMs), lastMs_(now_()) {}

void CheckpointPolicy::UnitFinished() {
  if (everyMs_ && now_() - lastMs_ >= *everyMs_) WriteNow();
}

bool CheckpointPolicy::WriteNow() {
  lastMs_ = now_();
  const bool written = write_();
  anyFailed_ = anyFailed_ || !written;
  return written;
}

}  // namespace zv
