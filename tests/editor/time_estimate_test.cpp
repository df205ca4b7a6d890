// The time-left estimate: nothing before it can be trusted, close to the
// truth on a steady pace, and nothing (rather than a time far too short)
// while the explored share runs ahead of the time, as it does early in a
// search.
#include "editor/time_estimate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace zv {
namespace {

// Feeds `share(t)` (t in seconds) once a second for a run of `total`
// seconds, and returns what the estimate shows at second `at`.
std::optional<double> ShownAt(const std::function<double(double)>& share, double total, int at) {
  RemainingEstimate estimate;
  std::optional<double> shown;
  for (int s = 1; s <= at && s < total; ++s)
    shown = estimate.Update(static_cast<std::uint64_t>(s) * 1000, share(s));
  return shown;
}

TEST(RemainingEstimate, NothingBeforeThreeSecondsOrWithoutProgress) {
  const auto steady = [](double t) { return t / 100; };
  EXPECT_FALSE(ShownAt(steady, 100, 2));
  EXPECT_TRUE(ShownAt(steady, 100, 3));
  EXPECT_FALSE(ShownAt([](double) { return 0.0; }, 100, 50));
  EXPECT_FALSE(ShownAt([](double) { return 0.3; }, 100, 50));  // the share stands still
}

TEST(RemainingEstimate, ASteadyPaceIsEstimatedClosely) {
  // A continued run starts at the share it had: the pace counts from there.
  for (const double from : {0.0, 0.6}) {
    const auto share = [from](double t) { return from + (1 - from) * t / 200; };
    for (const int at : {10, 100, 190}) {
      const std::optional<double> shown = ShownAt(share, 200, at);
      ASSERT_TRUE(shown) << at;
      EXPECT_NEAR(*shown, 200 - at, 0.05 * (200 - at)) << at;
    }
  }
}

TEST(RemainingEstimate, AShareRunningAheadShowsNothingUntilThePaceHolds) {
  // Most of the share comes at once, the rest at a slowing pace: the share
  // alone would promise the end at once for the whole run.
  const double total = 1000;
  const auto share = [total](double t) { return 0.9 + 0.1 * std::sqrt(t / total); };
  for (const int at : {10, 100, 500, 900}) {
    const double naive = at * (1 / share(at) - 1);
    ASSERT_LT(naive * 4, total - at) << at;
    const std::optional<double> shown = ShownAt(share, total, at);
    if (shown) {
      EXPECT_GT(*shown * 2, total - at) << at;
      EXPECT_LT(*shown, 2 * (total - at)) << at;
    }
  }
  EXPECT_FALSE(ShownAt(share, total, 10));
}

TEST(RemainingEstimate, ALongRunKeepsFewSamplesAndStaysRight) {
  RemainingEstimate estimate;
  const int total = 3 * RemainingEstimate::kMaxSamples;
  std::optional<double> shown;
  for (int s = 1; s <= total / 2; ++s)
    shown = estimate.Update(static_cast<std::uint64_t>(s) * 1000, s * 1.0 / total);
  ASSERT_TRUE(shown);
  EXPECT_NEAR(*shown, total / 2.0, total * 0.01);
}

}  // namespace
}  // namespace zv
