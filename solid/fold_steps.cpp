// Cutting a found folding motion into instruction steps (solid/fold_steps.h).
#include "solid/fold_steps.h"

#include <algorithm>
#include <cmath>

namespace zv {
namespace {

// Consecutive stretches of one part's motion taken as one step: waypoint
// `first` to waypoint `last + 1`, the net turn of each hinge of the part and
// how far each turns on the way (positions in the plan's hinges).
struct Stretch {
  int first = 0, last = 0;
  std::vector<double> turn, travel;

  bool Turns(std::size_t h) const { return travel[h] > 1e-9; }
  bool Small() const { return *std::max_element(travel.begin(), travel.end()) < kSmallestStepTurn; }
  // Whether `next` goes on the way this one went: the same hinges turning
  // the same way, counting only turns of kSmallestStepTurn / 4 or more.
  bool GoesOn(const Stretch& next) const {
    const auto way = [](double t) { return std::abs(t) < kSmallestStepTurn / 4 ? 0 : t < 0 ? -1 : 1; };
    bool any = false;
    for (std::size_t h = 0; h < turn.size(); ++h) {
      if (way(turn[h]) != way(next.turn[h])) return false;
      any = any || way(turn[h]) != 0;
    }
    return any;
  }
  void Take(const Stretch& next) {
    first = std::min(first, next.first);
    last = std::max(last, next.last);
    for (std::size_t h = 0; h < turn.size(); ++h) {
      turn[h] += next.turn[h];
      travel[h] += next.travel[h];
    }
  }
};

std::vector<Stretch> PartStretches(const PartPlan& plan) {
  std::vector<Stretch> merged;
  if (plan.hinges.empty()) return merged;
  for (std::size_t w = 1; w < plan.waypoints.size(); ++w) {
    Stretch s{static_cast<int>(w) - 1, static_cast<int>(w) - 1, {}, {}};
    for (std::size_t h = 0; h < plan.hinges.size(); ++h) {
      s.turn.push_back(plan.waypoints[w][h] - plan.waypoints[w - 1][h]);
      s.travel.push_back(std::abs(s.turn.back()));
    }
    if (!merged.empty() && (merged.back().GoesOn(s) || s.Small()))
      merged.back().Take(s);
    else
      merged.push_back(s);
  }
  // Only the first can still be small: it joins the one after it.
  if (merged.size() > 1 && merged.front().Small()) {
    merged[1].Take(merged.front());
    merged.erase(merged.begin());
  }
  // A motion that turns nothing at all has no step.
  if (merged.size() == 1 && *std::max_element(merged[0].travel.begin(), merged[0].travel.end()) <= 1e-9)
    merged.clear();
  return merged;
}

// The index in `fold`'s timeline of the part's stretch `segment`, or of its
// move into place for segment -1.
int TimelineIndex(const Fold& fold, int part, int segment) {
  const std::vector<FoldStep>& steps = fold.Steps();
  for (std::size_t i = 0; i < steps.size(); ++i)
    if (steps[i].part == part && steps[i].segment == segment && (segment >= 0 || steps[i].hinge < 0))
      return static_cast<int>(i);
  return static_cast<int>(steps.size()) - 1;
}

}  // namespace

std::vector<FoldSheetStep> FoldSheetSteps(const SolidSolution& solid, const FoldVerdict& verdict) {
  std::vector<FoldSheetStep> steps;
  if (verdict.outcome != FoldOutcome::Foldable) return steps;
  Fold fold(solid);
  fold.SetMotion(verdict.plans, verdict.placing);
  const auto posesAfter = [&fold](int index) { return fold.Poses(fold.StepStart(index + 1)); };
  for (const PlacingStep& placing : verdict.placing) {
    const int part = placing.part;
    const PartPlan& plan = verdict.plans[part];
    for (const Stretch& s : PartStretches(plan)) {
      FoldSheetStep step;
      step.part = part;
      std::vector<std::pair<int, double>> turned;
      for (std::size_t h = 0; h < plan.hinges.size(); ++h)
        if (s.Turns(h))
          turned.emplace_back(fold.Hinges()[plan.hinges[h]].link, plan.waypoints[s.last + 1][h]);
      std::sort(turned.begin(), turned.end());
      for (const auto& [link, angle] : turned) {
        step.links.push_back(link);
        step.angles.push_back(angle);
      }
      step.poses = posesAfter(TimelineIndex(fold, part, s.last));
      steps.push_back(std::move(step));
    }
    if (solid.partCount > 1) steps.push_back({part, true, {}, {}, posesAfter(TimelineIndex(fold, part, -1))});
  }
  return steps;
}

}  // namespace zv
