// The progress schedule and the number formats of the result figures.
#include "solver/progress.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace zv {

namespace {
constexpr std::uint64_t kPollMs = 100;
constexpr std::uint64_t kSecondMs = 1000;
}  // namespace

void ProgressClock::Start() {
  start_ = last_ = ticks_.Now();
  elapsed_ = 0;
  nextSecond_ = kSecondMs;
  nextPoll_ = kPollMs;
}

std::uint64_t ProgressClock::ElapsedMs() {
  const Ticks now = ticks_.Now();
  elapsed_ += static_cast<Ticks>(now - last_);
  last_ = now;
  return elapsed_;
}

ProgressStep ProgressClock::Advance() {
  const std::uint64_t now = ElapsedMs();
  ProgressStep step;
  if (now < nextPoll_) return step;
  if (now < nextSecond_) {
    nextPoll_ = now + kPollMs;
    step.action = ProgressAction::ProcessEvents;
    return step;
  }
  step.action = ProgressAction::SecondRefresh;
  step.first = nextSecond_ == kSecondMs;
  nextSecond_ += kSecondMs;
  step.elapsedMs = now;
  step.seconds = (now + kSecondMs / 2) / kSecondMs;
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

std::string FormatRemaining(std::uint64_t elapsedMs, double explored) {
  if (!(explored > 0)) return {};
  return FormatSecondsLeft(static_cast<double>(elapsedMs) * 0.001 * (1.0 / explored - 1.0));
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

std::string FormatSeconds3(std::uint64_t ms) {
  char text[32];
  std::snprintf(text, sizeof text, "%llu.%03u", static_cast<unsigned long long>(ms / 1000),
                static_cast<unsigned>(ms % 1000));
  return text;
}

}  // namespace zv
