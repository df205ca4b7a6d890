// The tick clock over std::chrono::steady_clock.
#include "platform/ticks.h"

#include <chrono>

namespace zv {

Ticks TickCount() {
  const auto since = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<Ticks>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

namespace {

class SteadyTicks final : public TickSource {
 public:
  Ticks Now() override { return TickCount(); }
};

}  // namespace

TickSource& SystemTicks() {
  static SteadyTicks source;
  return source;
}

}  // namespace zv
