// The progress schedule and the number formats of the result figures.
#include "solver/progress.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace zv {

namespace {
constexpr std::uint32_t kPollMs = 100;
constexpr std::uint32_t kSecondMs = 1000;
}  // namespace

void ProgressClock::Start() {
  start_ = ticks_.Now();
  nextSecond_ = start_ + kSecondMs;
  nextPoll_ = start_ + kPollMs;
}

ProgressStep ProgressClock::Advance() {
  const Ticks now = ticks_.Now();
  ProgressStep step;
  if (TickDiff(now, nextPoll_) < 0) return step;
  if (TickDiff(now, nextSecond_) < 0) {
    nextPoll_ = now + kPollMs;
    step.action = ProgressAction::ProcessEvents;
    return step;
  }
  step.action = ProgressAction::SecondRefresh;
  step.first = nextSecond_ == start_ + kSecondMs;
  nextSecond_ += kSecondMs;
  const std::uint32_t elapsed = now - start_;
  step.elapsedMs = elapsed;
  step.seconds = static_cast<std::uint32_t>(std::floor(elapsed * 0.001 + 0.5));
  return step;
}

std::string CleanExponent(std::string text) {
  const std::size_t plus = text.find('+');
  if (plus == std::string::npos) return text;
  const std::size_t count = plus + 1 < text.size() && text[plus + 1] == '0' ? 2 : 1;
  text.erase(plus, count);
  return text;
}

std::string FormatDeadEnds(std::uint64_t deadEnds) {
  char text[32];
  std::snprintf(text, sizeof text, "%0.3g", static_cast<double>(deadEnds));
  return CleanExponent(text);
}

std::string FormatRemaining(std::uint32_t elapsedMs, double explored) {
  if (!(explored > 0)) return {};
  return FormatSecondsLeft(elapsedMs * 0.001 * (1.0 / explored - 1.0));
}

std::string FormatSecondsLeft(double seconds) {
  seconds = std::max(seconds, 1.0);
  char text[32];
  if (seconds >= 1e6)
    std::snprintf(text, sizeof text, "%0.3g", seconds);
  else
    std::snprintf(text, sizeof text, "%.0f", std::floor(seconds + 0.5));
  return text;
}

std::string FormatSeconds3(std::uint32_t ms) {
  char text[32];
  std::snprintf(text, sizeof text, "%0.3f", ms * 0.001);
  return text;
}

}  // namespace zv
