// Progress of a running solve as the window and the command-line tool show
// it: when to process pending events (about every 100 ms) and when to redraw
// the figures (once a second on the grid start + 1 s, start + 2 s, ...), plus
// the number formats of those figures. The 32-bit ticks are turned into a
// 64-bit count of milliseconds since the start, so the schedule and the
// elapsed time survive the wrap of the ticks past 2^32 (49.7 days) however
// long a run goes.
//
// Usage (inside SolveObserver::Refresh):
//   zv::ProgressStep step = clock.Advance();
//   if (step.action == zv::ProgressAction::SecondRefresh)
//     show(step.seconds, zv::FormatDeadEnds(stats.deadEnds), stats.solutionCount);
//   if (step.action != zv::ProgressAction::None) processEvents();
#pragma once

#include <cstdint>
#include <string>

#include "platform/ticks.h"

namespace zv {

enum class ProgressAction {
  None,           // less than 100 ms since the last event processing
  ProcessEvents,  // process pending events only
  SecondRefresh,  // redraw the elapsed seconds, dead ends and solutions, then process events
};

struct ProgressStep {
  ProgressAction action = ProgressAction::None;
  bool first = false;           // the run's first one-second refresh (the Stop button turns red)
  std::uint64_t seconds = 0;    // whole elapsed seconds, halves rounded up
  std::uint64_t elapsedMs = 0;  // elapsed milliseconds at this refresh
};

class ProgressClock {
 public:
  explicit ProgressClock(TickSource& ticks) : ticks_(ticks) {}

  // Sets the start time, next-second time = start + 1000, next-poll = start + 100.
  void Start();
  // One progress refresh: what the caller should do now.
  ProgressStep Advance();

  Ticks StartTime() const { return start_; }
  // Milliseconds since Start. Each reading adds the ticks' unsigned 32-bit
  // difference since the reading before, so the count goes on past the
  // ticks' wrap as long as readings come less than 49.7 days apart (a run
  // reads them at every refresh).
  std::uint64_t ElapsedMs();

 private:
  TickSource& ticks_;
  Ticks start_ = 0;
  Ticks last_ = 0;                // the ticks at the last reading
  std::uint64_t elapsed_ = 0;     // milliseconds since Start at the last reading
  std::uint64_t nextSecond_ = 0;  // milliseconds since Start of the next one-second refresh
  std::uint64_t nextPoll_ = 0;    // ... and of the next event processing
};

// "%0.3g" of the count with the exponent cleaned: 1234567 -> "1.23e6", 12 -> "12".
std::string FormatDeadEnds(std::uint64_t deadEnds);
// Seconds still to go when `explored` (0..1) of the search tree took
// `elapsedMs`: r = elapsed x (1/explored - 1), at least 1, as "%0.3g" from
// 1,000,000 on (1.5e+06), else the rounded whole number; empty while nothing
// is explored yet.
std::string FormatRemaining(std::uint64_t elapsedMs, double explored);
// Seconds still to go as FormatRemaining shows them: at least 1, "%0.3g"
// from 1,000,000 on, else the rounded whole number.
std::string FormatSecondsLeft(double seconds);
// Removes the first '+' and a '0' right after it: "4.5e+12" -> "4.5e12".
std::string CleanExponent(std::string text);
// Milliseconds as seconds with three decimals ("%0.3f"): 16 -> "0.016".
std::string FormatSeconds3(std::uint64_t ms);

}  // namespace zv
