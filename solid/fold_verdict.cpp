// The foldability check of one solution: every part's folding motion, then
// the order the parts go into the form.
#include "solid/fold_verdict.h"

#include <algorithm>
#include <set>

namespace zv {
namespace {

constexpr Vec3 kAxisSteps[6] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};

// Whether `part` can leave the form along `d` past the cells in `taken`
// (its own cells are not in it): on a straight move along an axis a cube
// passes exactly the cells on its line, and the form's cells lie inside
// its occupied box.
bool WayOut(const SolidSolution& s, int part, const Vec3& d, const std::set<Vec3>& taken) {
  for (int k = 0; k < s.cubeCount; ++k) {
    if (s.part[k] != part) continue;
    for (Vec3 c = s.formCell[k];;) {
      for (int i = 0; i < 3; ++i) c[i] += d[i];
      bool inside = true;
      for (int i = 0; i < 3; ++i) inside = inside && c[i] >= s.boxMin[i] && c[i] <= s.boxMax[i];
      if (!inside) break;
      if (taken.count(c)) return false;
    }
  }
  return true;
}

}  // namespace

std::vector<PlacingStep> FindPlacingOrder(const SolidSolution& s, int* blocked) {
  std::vector<PlacingStep> order;
  if (s.partCount == 1) return {{0, {0, 0, 0}}};
  std::vector<bool> left(s.partCount, false);
  std::set<Vec3> taken(s.formCell.begin(), s.formCell.end());
  // Taking a part out never blocks another, so taking any part that can
  // leave finds an order whenever one exists.
  for (int round = 0; round < s.partCount; ++round) {
    bool moved = false;
    for (int part = 0; part < s.partCount && !moved; ++part) {
      if (left[part]) continue;
      for (int k = 0; k < s.cubeCount; ++k)
        if (s.part[k] == part) taken.erase(s.formCell[k]);
      for (const Vec3& d : kAxisSteps)
        if (WayOut(s, part, d, taken)) {
          order.push_back({part, d});
          left[part] = moved = true;
          break;
        }
      if (!moved)
        for (int k = 0; k < s.cubeCount; ++k)
          if (s.part[k] == part) taken.insert(s.formCell[k]);
    }
    if (!moved) {
      if (blocked) *blocked = static_cast<int>(std::find(left.begin(), left.end(), false) - left.begin());
      return {};
    }
  }
  std::reverse(order.begin(), order.end());
  // A part goes in the way it would come out, backwards: from outside along -d.
  for (PlacingStep& step : order)
    for (int& c : step.direction) c = -c;
  return order;
}

FoldVerdict CheckFolding(const SolidSolution& solid, const FoldBudget& budget) {
  FoldVerdict verdict;
  const Fold fold(solid);
  bool notFound = false;
  for (int part = 0; part < solid.partCount; ++part) {
    verdict.plans.push_back(PlanPartFold(fold, part, budget));
    const PartPlanResult result = verdict.plans.back().result;
    if (result == PartPlanResult::Found) continue;
    if (result == PartPlanResult::Stopped || result == PartPlanResult::ClosedCycle) {
      verdict.outcome = FoldOutcome::NotChecked;
      verdict.reason = result == PartPlanResult::Stopped ? FoldReason::Stopped : FoldReason::ClosedCycle;
      verdict.part = part;
      return verdict;
    }
    if (!notFound) {
      notFound = true;
      verdict.reason = result == PartPlanResult::Locked ? FoldReason::Locked : FoldReason::Budget;
      verdict.part = part;
    }
  }
  if (notFound) {
    verdict.outcome = FoldOutcome::NotFound;
    return verdict;
  }
  int blocked = -1;
  verdict.placing = FindPlacingOrder(solid, &blocked);
  if (verdict.placing.empty()) {
    verdict.outcome = FoldOutcome::NotFound;
    verdict.reason = FoldReason::NoWayIn;
    verdict.part = blocked;
    return verdict;
  }
  verdict.outcome = FoldOutcome::Foldable;
  return verdict;
}

const char* FoldOutcomeKey(FoldOutcome outcome) {
  switch (outcome) {
    case FoldOutcome::Foldable:
      return "foldable";
    case FoldOutcome::NotFound:
      return "not_found";
    case FoldOutcome::NotChecked:
      break;
  }
  return "not_checked";
}

}  // namespace zv
