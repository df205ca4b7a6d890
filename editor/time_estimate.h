// The time a run still needs, from the share of the search tree it has
// explored. The share is a weight: every branch of a node counts equally,
// so a branch cut short early counts as much as one that takes hours, and
// the share grows fast at first and ever slower after. Projecting the
// whole run from the share alone (elapsed x (1/share - 1)) is then far too
// low, often by 10x and more; and the pace itself changes, most of all
// near the end, where branches of great weight may finish at once. So the
// estimate projects the pace of the stretch so far, of its last half and of
// its last quarter, and is only shown while the three agree within a factor
// of kSteady; it shows the lowest of them. Until then, and whenever they
// part, nothing is shown. On the examples and the long chains the time
// shown was within 2.5x of the truth, most often within 2x (measured with
// bench/estimate_profile; a looser factor showed it more often, up to 5x off).
//
// Usage (once a second during a run):
//   zv::RemainingEstimate estimate;                       // one per stretch of a run
//   std::optional<double> s = estimate.Update(ms, stats.explored);
//   label = s ? FormatSecondsLeft(*s) : "—";
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace zv {

class RemainingEstimate {
 public:
  // Seconds still to go after `elapsedMs` of this stretch with `explored`
  // (0..1) of the tree finished; nothing when no estimate is trusted yet.
  // Calls come with growing `elapsedMs`.
  std::optional<double> Update(std::uint64_t elapsedMs, double explored);

  static constexpr double kSteady = 1.3;           // how far the three paces may differ
  static constexpr std::uint64_t kFirstMs = 3000;  // nothing is shown before
  static constexpr std::size_t kMaxSamples = 4096;

 private:
  struct Sample {
    std::uint64_t ms;
    double explored;
  };
  std::vector<Sample> samples_;  // every update's; the paces are measured from the first
};

}  // namespace zv
