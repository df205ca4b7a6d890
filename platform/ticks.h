// The millisecond tick clock: unsigned 32-bit milliseconds that wrap after
// about 49.7 days. Compare ticks by their signed 32-bit difference; times
// that may run longer are counted in 64 bits from the differences of
// successive readings (ProgressClock, solver/progress.h).
#pragma once

#include <cstdint>

namespace zv {

using Ticks = std::uint32_t;

// Milliseconds of a monotonic clock, truncated to 32 bits.
Ticks TickCount();

// Source of ticks that tests replace; the default reads TickCount().
class TickSource {
 public:
  virtual ~TickSource() = default;
  virtual Ticks Now() = 0;
};

TickSource& SystemTicks();

// a - b as a signed 32-bit difference, right across the wrap past 2^32.
constexpr std::int32_t TickDiff(Ticks a, Ticks b) { return static_cast<std::int32_t>(a - b); }

}  // namespace zv
