// The time-left estimate (editor/time_estimate.h).
#include "editor/time_estimate.h"

#include <algorithm>

namespace zv {

namespace {

// Seconds to explore what is left at the pace from `a` to `b`; nothing
// when the share did not grow.
std::optional<double> AtPace(std::uint64_t aMs, double a, std::uint64_t bMs, double b, double left) {
  if (!(b > a) || bMs <= aMs) return std::nullopt;
  return static_cast<double>(bMs - aMs) * 0.001 * left / (b - a);
}

}  // namespace

std::optional<double> RemainingEstimate::Update(std::uint64_t elapsedMs, double explored) {
  samples_.push_back({elapsedMs, explored});  // the first one stands for the stretch's start
  if (samples_.size() > kMaxSamples) {
    // Every other one goes, the first and the last stay: a run of days
    // keeps a few thousand samples, evenly spread.
    std::size_t kept = 1;
    for (std::size_t i = 2; i < samples_.size(); i += 2) samples_[kept++] = samples_[i];
    if (samples_[kept - 1].ms != elapsedMs) samples_[kept++] = samples_.back();
    samples_.resize(kept);
  }
  if (elapsedMs < kFirstMs || !(explored > 0)) return std::nullopt;
  const double left = std::max(0.0, 1.0 - explored);
  // The pace since the start, since half and since three quarters of the stretch.
  double low = 0, high = 0;
  for (const std::uint64_t since : {std::uint64_t{0}, elapsedMs / 2, elapsedMs * 3 / 4}) {
    const auto from = std::upper_bound(samples_.begin() + 1, samples_.end(), since,
                                       [](std::uint64_t ms, const Sample& s) { return ms < s.ms; }) -
                      1;
    const std::optional<double> seconds = AtPace(from->ms, from->explored, elapsedMs, explored, left);
    if (!seconds) return std::nullopt;
    low = low == 0 ? *seconds : std::min(low, *seconds);
    high = std::max(high, *seconds);
  }
  if (high > low * kSteady) return std::nullopt;
  return low;
}

}  // namespace zv
