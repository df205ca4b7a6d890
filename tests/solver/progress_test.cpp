// The progress schedule over a hand-driven tick source, and the number
// formats of the result figures.
#include "solver/progress.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

class FakeTicks final : public TickSource {
 public:
  Ticks Now() override { return now; }
  Ticks now = 0;
};

TEST(ProgressClock, PollsAHundredMillisecondsAfterTheLastProcessing) {
  FakeTicks ticks;
  ticks.now = 5000;
  ProgressClock clock(ticks);
  clock.Start();
  ticks.now = 5099;
  EXPECT_EQ(clock.Advance().action, ProgressAction::None);
  ticks.now = 5100;
  EXPECT_EQ(clock.Advance().action, ProgressAction::ProcessEvents);
  // The next poll is due 100 ms after that processing, not on a fixed grid.
  ticks.now = 5150;
  EXPECT_EQ(clock.Advance().action, ProgressAction::None);
  ticks.now = 5199;
  EXPECT_EQ(clock.Advance().action, ProgressAction::None);
  ticks.now = 5200;
  EXPECT_EQ(clock.Advance().action, ProgressAction::ProcessEvents);
}

TEST(ProgressClock, SecondRefreshWaitsForThePollAndFollowsTheGrid) {
  FakeTicks ticks;
  ProgressClock clock(ticks);
  clock.Start();
  ticks.now = 999;
  EXPECT_EQ(clock.Advance().action, ProgressAction::ProcessEvents);  // next poll at 1099
  ticks.now = 1000;
  EXPECT_EQ(clock.Advance().action, ProgressAction::None);
  ticks.now = 1099;
  const ProgressStep first = clock.Advance();
  EXPECT_EQ(first.action, ProgressAction::SecondRefresh);
  EXPECT_TRUE(first.first);
  EXPECT_EQ(first.seconds, 1u);
  // A refresh does not move the poll time: the next call processes events.
  ticks.now = 1100;
  EXPECT_EQ(clock.Advance().action, ProgressAction::ProcessEvents);
  // After a stall the refreshes catch up one per call on the grid 2 s, 3 s, 4 s.
  ticks.now = 3700;
  const ProgressStep late = clock.Advance();
  EXPECT_EQ(late.action, ProgressAction::SecondRefresh);
  EXPECT_FALSE(late.first);
  EXPECT_EQ(late.seconds, 4u);
  ticks.now = 3701;
  EXPECT_EQ(clock.Advance().action, ProgressAction::SecondRefresh);  // the 3 s slot
  ticks.now = 3702;
  EXPECT_EQ(clock.Advance().action, ProgressAction::ProcessEvents);  // 4 s is still ahead
}

TEST(ProgressClock, WholeSecondsRoundHalvesUp) {
  for (const auto& [at, seconds] : {std::pair{2499u, 2u}, std::pair{2500u, 3u}}) {
    FakeTicks ticks;
    ProgressClock clock(ticks);
    clock.Start();
    ticks.now = at;
    const ProgressStep step = clock.Advance();
    EXPECT_EQ(step.action, ProgressAction::SecondRefresh) << at;
    EXPECT_EQ(step.seconds, seconds) << at;
    EXPECT_EQ(step.elapsedMs, at) << at;
    EXPECT_TRUE(step.first) << at;
  }
}

TEST(ProgressClock, KeepsTheScheduleAcrossTheWrapOfTheTickCount) {
  FakeTicks ticks;
  ticks.now = 0xFFFFFF00u;  // 256 ms before the wrap
  ProgressClock clock(ticks);
  clock.Start();
  ticks.now = 0xFFFFFF00u + 99;
  EXPECT_EQ(clock.Advance().action, ProgressAction::None);
  ticks.now = 0xFFFFFF00u + 100;
  EXPECT_EQ(clock.Advance().action, ProgressAction::ProcessEvents);
  ticks.now = 0xFFFFFF00u + 999;  // past the wrap: a small number
  EXPECT_LT(ticks.now, 1000u);
  EXPECT_EQ(clock.Advance().action, ProgressAction::ProcessEvents);
  ticks.now = 0xFFFFFF00u + 1000;
  EXPECT_EQ(clock.Advance().action, ProgressAction::None);
  ticks.now = 0xFFFFFF00u + 1099;
  const ProgressStep step = clock.Advance();
  EXPECT_EQ(step.action, ProgressAction::SecondRefresh);
  EXPECT_TRUE(step.first);
  EXPECT_EQ(step.seconds, 1u);
  EXPECT_EQ(clock.ElapsedMs(), 1099u);
}

// A run of 60 days, its ticks read once a day: the elapsed time goes on
// past 2^32 ms (49.7 days) and past the ticks' wrap.
TEST(ProgressClock, ElapsedTimeRunsPastFortyNineDays) {
  FakeTicks ticks;
  ticks.now = 0xFFFFFF00u;
  ProgressClock clock(ticks);
  clock.Start();
  constexpr std::uint64_t kDay = 86400000;
  ProgressStep step;
  for (int day = 1; day <= 60; ++day) {
    ticks.now += static_cast<Ticks>(kDay);
    step = clock.Advance();
  }
  EXPECT_EQ(clock.ElapsedMs(), 60 * kDay);
  EXPECT_EQ(step.action, ProgressAction::SecondRefresh);
  EXPECT_EQ(step.elapsedMs, 60 * kDay);
  EXPECT_EQ(step.seconds, 60 * 86400u);
  EXPECT_EQ(FormatSeconds3(60 * kDay + 7), "5184000.007");
}

TEST(ProgressFormat, DeadEndsAndSeconds) {
  EXPECT_EQ(FormatDeadEnds(1234567), "1.23e6");
  EXPECT_EQ(FormatDeadEnds(12), "12");
  EXPECT_EQ(FormatDeadEnds(0), "0");
  EXPECT_EQ(FormatDeadEnds(345000), "3.45e5");
  EXPECT_EQ(FormatDeadEnds(4294967295u), "4.29e9");
  EXPECT_EQ(CleanExponent("4.5e+12"), "4.5e12");
  EXPECT_EQ(CleanExponent("1e+100"), "1e100");  // one '0' only
  EXPECT_EQ(CleanExponent("1.5e-07"), "1.5e-07");
  EXPECT_EQ(FormatSeconds3(16), "0.016");
  EXPECT_EQ(FormatSeconds3(61234), "61.234");
}

}  // namespace
}  // namespace zv
