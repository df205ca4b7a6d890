// The folding motion of one part: single-turn orders, one straight move,
// the hinge-order search, quarter-turn searches, then RRT-Connect over the
// hinge angles with a shortened path.
#include "solid/fold_planner.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <queue>
#include <set>
#include <string>
#include <tuple>

#include "solid/fold_hinge_order.h"
#include "solid/part_kinematics.h"

namespace zv {
namespace {

using Angles = std::vector<double>;

// A small deterministic generator (splitmix64), the same on every platform.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  double Unit() { return double(Next() >> 11) * 0x1.0p-53; }  // [0, 1)
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }

 private:
  std::uint64_t state_;
};

struct Search {
  const PartKinematics& part;
  const FoldBudget& budget;
  std::vector<bool> free;  // by hinge position: may turn (not held flat by a cycle)
  PartPlan& plan;

  bool Stopped() const { return budget.stopped && budget.stopped(); }
  // Stopped, or the poses of the budget checked.
  bool Spent() const { return Stopped() || part.PosesChecked() >= budget.poses; }
  bool Move(const Angles& a, const Angles& b) const { return part.MoveFree(a, b, budget.cornerStep); }

  // Depth-first search of an order of single turns from `now`; `turned`
  // marks the hinges at their angle. Sets of turned hinges that lead
  // nowhere are remembered.
  bool Orders(Angles& now, std::vector<bool>& turned, const Angles& goal, int& sweeps,
              std::set<std::string>& deadEnds) {
    if (now == goal) return true;
    const std::string key(turned.begin(), turned.end());
    if (deadEnds.count(key)) return false;
    for (int i = static_cast<int>(now.size()) - 1; i >= 0; --i) {  // far from the root first
      if (turned[i] || now[i] == goal[i]) continue;
      if (sweeps-- <= 0 || Spent() || part.PosesChecked() >= budget.orderPoses) return false;
      ++plan.sweepsTried;
      Angles next = now;
      next[i] = goal[i];
      if (!Move(now, next)) continue;
      plan.waypoints.push_back(next);
      std::swap(now, next);
      turned[i] = true;
      if (Orders(now, turned, goal, sweeps, deadEnds)) return true;
      turned[i] = false;
      std::swap(now, next);
      plan.waypoints.pop_back();
      if (sweeps <= 0) return false;
    }
    deadEnds.insert(key);
    return false;
  }

  bool SingleTurns(const Angles& flat, const Angles& goal) {
    const int sweeps0 =
        budget.orderSweeps >= 0 ? budget.orderSweeps : 10 * static_cast<int>(goal.size()) + 100;
    int sweeps = sweeps0;
    Angles now = flat;
    std::vector<bool> turned(goal.size(), false);
    std::set<std::string> deadEnds;
    plan.waypoints = {flat};
    if (Orders(now, turned, goal, sweeps, deadEnds)) return true;
    plan.waypoints.clear();
    return false;
  }

  // The plain order (root side first, one hinge at a time): its first
  // colliding turn, for the report.
  void PlainCollision(const Angles& flat, const Angles& goal) {
    Angles now = flat;
    for (std::size_t i = 0; i < goal.size(); ++i) {
      if (now[i] == goal[i]) continue;
      Angles next = now;
      next[i] = goal[i];
      if (!part.MoveFree(now, next, budget.cornerStep, &plan.cubeA, &plan.cubeB)) {
        plan.plainHinge = part.Hinges()[i];
        return;
      }
      now = next;
    }
  }

  struct Node {
    Angles q;
    int parent;
  };
  using Tree = std::vector<Node>;

  double Distance2(const Angles& a, const Angles& b) const {
    double d = 0;
    for (std::size_t i = 0; i < a.size(); ++i) d += (a[i] - b[i]) * (a[i] - b[i]);
    return d;
  }

  int Nearest(const Tree& tree, const Angles& q) const {
    int best = 0;
    double bestD = Distance2(tree[0].q, q);
    for (int i = 1; i < static_cast<int>(tree.size()); ++i) {
      const double d = Distance2(tree[i].q, q);
      if (d < bestD) bestD = d, best = i;
    }
    return best;
  }

  enum class Grow { Trapped, Advanced, Reached };

  // One step of at most `kStep` radians from the nearest node towards q.
  Grow Extend(Tree& tree, const Angles& q) const {
    constexpr double kStep = 0.35;
    const int near = Nearest(tree, q);
    const Angles& from = tree[near].q;
    const double d = std::sqrt(Distance2(from, q));
    Angles to = q;
    if (d > kStep)
      for (std::size_t i = 0; i < q.size(); ++i) to[i] = from[i] + (q[i] - from[i]) * kStep / d;
    if (!Move(from, to)) return Grow::Trapped;
    tree.push_back({to, near});
    return d > kStep ? Grow::Advanced : Grow::Reached;
  }

  Grow Connect(Tree& tree, const Angles& q) const {
    for (;;) {
      const Grow g = Extend(tree, q);
      if (g != Grow::Advanced || Spent()) return g;
    }
  }

  static std::vector<Angles> PathTo(const Tree& tree, int node) {
    std::vector<Angles> path;
    for (int at = node; at >= 0; at = tree[at].parent) path.push_back(tree[at].q);
    return path;  // node first, root last
  }

  // Best-first search over the poses where every hinge stands at a multiple
  // of a quarter turn, a step turning one hinge a quarter turn either way:
  // the pose reached is checked cell by cell when it is met, the turn that
  // reaches it (a move, checked as every move is) only when it is taken.
  // The part is folded from its far end: first the poses with most hinges
  // at their angle counted from the far end (they stay), then fewest
  // quarter turns made and left for the next of them.
  bool QuarterTurns(const Angles& flat, const Angles& goal, bool fromRoot) {
    constexpr double kQuarter = std::numbers::pi / 2;
    const int n = static_cast<int>(goal.size());
    std::vector<bool> spins(n);  // a face-axis hinge turns all the way round
    std::vector<int> target(n);
    for (int i = 0; i < n; ++i) {
      spins[i] = part.Fold().Solid().links[part.Fold().Hinges()[part.Hinges()[i]].link].kind ==
                 SolidLinkKind::FaceAxisHinge;
      target[i] = static_cast<int>(std::lround(goal[i] / kQuarter));
    }
    const auto off = [&](const std::vector<int>& v, int i) {
      int d = std::abs(v[i] - target[i]);
      if (spins[i]) d %= 4, d = std::min(d, 4 - d);
      return free[i] ? d : 0;
    };
    // The j-th hinge in the order they are set: from the root or from the far end.
    const auto nth = [&](int j) { return fromRoot ? j : n - 1 - j; };
    // The hinges in that order that stand at their angle.
    const auto done = [&](const std::vector<int>& v) {
      int i = 0;
      while (i < n && off(v, nth(i)) == 0) ++i;
      return i;
    };
    const auto key = [&](const std::vector<int>& v) {
      std::string k(n, 0);
      for (int i = 0; i < n; ++i) k[i] = static_cast<char>(spins[i] ? ((v[i] % 4) + 4) % 4 : v[i] + 8);
      return k;
    };
    struct State {
      std::vector<int> quarters;  // by hinge: its angle in quarter turns, unwrapped
      int parent;
      int depth;  // quarter turns from the flat figure
    };
    std::vector<int> start(n);
    for (int i = 0; i < n; ++i) start[i] = static_cast<int>(std::lround(flat[i] / kQuarter));
    std::vector<State> states{{start, -1, 0}};
    std::set<std::string> seen{key(states[0].quarters)};
    // Hinges at their angle from the root on (negated: most first), quarter
    // turns the next one still has to make, quarter turns made, the state.
    using Entry = std::tuple<int, int, int, int>;
    const auto entry = [&](int at) {
      const State& st = states[at];
      const int d = done(st.quarters);
      return Entry{-d, st.depth + (d < n ? off(st.quarters, nth(d)) : 0), -st.depth, at};
    };
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> open;
    open.push(entry(0));
    std::vector<Rigid> poses;
    std::vector<std::int64_t> cells;
    const auto angles = [&](const std::vector<int>& v) {
      Angles q(n);
      for (int i = 0; i < n; ++i) q[i] = v[i] * kQuarter;
      return q;
    };
    int popped = 0;
    while (!open.empty() && popped < budget.quarterStates && !Spent()) {
      const int at = std::get<3>(open.top());
      open.pop();
      ++popped;
      const State& state = states[at];
      if (state.parent >= 0 && !Move(angles(states[state.parent].quarters), angles(state.quarters))) continue;
      const int fixed = done(state.quarters);
      if (fixed == n) {
        std::vector<Angles> path;
        for (int s = at; s >= 0; s = states[s].parent) path.push_back(angles(states[s].quarters));
        std::reverse(path.begin(), path.end());
        path.front() = flat;
        // The solution's angles, each moved by the whole turns a face-axis
        // hinge made on the way: the last stretch is the quarter turn that
        // was checked, not the same pose reached the other way round.
        for (int i = 0; i < n; ++i)
          path.back()[i] = goal[i] + 2 * std::numbers::pi *
                                         std::round((path.back()[i] - goal[i]) / (2 * std::numbers::pi));
        plan.waypoints = path;
        plan.statesTried = popped;
        return true;
      }
      // The hinges at their angle from the far end on stay there: the hinges
      // nearer the root move the rest out of the way of the next one's turn.
      for (int i = 0; i < n; ++i) {
        if (!free[i] || nth(i) < fixed) continue;  // nth is its own inverse
        for (int way : {1, -1}) {
          std::vector<int> next = states[at].quarters;
          next[i] += way;
          if (!spins[i] && std::abs(next[i]) > 2) continue;
          std::string k = key(next);
          if (seen.count(k) || !part.CellsFree(angles(next), poses, cells)) continue;
          seen.insert(std::move(k));
          states.push_back({std::move(next), at, states[at].depth + 1});
          open.push(entry(static_cast<int>(states.size()) - 1));
        }
      }
    }
    plan.statesTried = popped;
    return false;
  }

  // Whether some turn leaves the solution's pose: each hinge a little
  // either way, then small turns of all hinges at once in random
  // directions. When none does, every hinge is held by cubes that touch
  // the cubes it turns, and no search that ends there can succeed along
  // any of these directions.
  bool GoalLocked(const Angles& goal) const {
    constexpr double kNudge = 0.01;  // radians
    constexpr int kDirections = 64;
    const double step = budget.cornerStep / 10;
    for (std::size_t i = 0; i < goal.size(); ++i)
      for (double way : {kNudge, -kNudge}) {
        if (!free[i]) continue;
        Angles q = goal;
        q[i] += way;
        if (part.MoveFree(goal, q, step)) return false;
      }
    Random random(0x10C4EDULL);
    for (int d = 0; d < kDirections; ++d) {
      Angles q = goal, direction(goal.size(), 0.0);
      double norm = 0;
      for (std::size_t i = 0; i < q.size(); ++i)
        if (free[i]) direction[i] = 2 * random.Unit() - 1, norm += direction[i] * direction[i];
      if (norm == 0) return false;
      for (std::size_t i = 0; i < q.size(); ++i) q[i] += kNudge * direction[i] / std::sqrt(norm);
      if (part.MoveFree(goal, q, step)) return false;
    }
    return true;
  }

  bool Planner(const Angles& flat, const Angles& goal) {
    Random random(0x5A17C0DE2026ULL);
    Tree start{{flat, -1}}, end{{goal, -1}};
    Tree* a = &start;
    Tree* b = &end;
    while (plan.samplesTried < budget.plannerSamples && !Spent()) {
      ++plan.samplesTried;
      Angles q(flat.size(), 0.0);
      for (std::size_t i = 0; i < q.size(); ++i)
        if (free[i]) q[i] = (2 * random.Unit() - 1) * std::numbers::pi;
      if (Extend(*a, q) != Grow::Trapped && Connect(*b, a->back().q) == Grow::Reached) {
        std::vector<Angles> fromStart = PathTo(start, static_cast<int>(start.size()) - 1);
        std::vector<Angles> toEnd = PathTo(end, static_cast<int>(end.size()) - 1);
        std::reverse(fromStart.begin(), fromStart.end());
        fromStart.insert(fromStart.end(), toEnd.begin() + 1, toEnd.end());
        plan.waypoints = fromStart;
        Shorten(random);
        return true;
      }
      std::swap(a, b);
    }
    return false;
  }

  // Replaces stretches of the path by straight moves where they are free.
  void Shorten(Random& random) {
    std::vector<Angles>& path = plan.waypoints;
    for (int i = 0; i < budget.shortcutTries && path.size() > 2 && !Spent(); ++i) {
      int from = random.Below(static_cast<int>(path.size()));
      int to = random.Below(static_cast<int>(path.size()));
      if (from > to) std::swap(from, to);
      if (to - from < 2 || !Move(path[from], path[to])) continue;
      path.erase(path.begin() + from + 1, path.begin() + to);
    }
  }
};

}  // namespace

PartPlan PlanPartFold(const Fold& fold, int part, const FoldBudget& budget) {
  PartPlan plan;
  const PartKinematics kinematics(fold, part, budget.play);
  plan.hinges = kinematics.Hinges();
  const Angles flat = kinematics.Flat(), goal = kinematics.Goal();
  Search search{kinematics, budget, std::vector<bool>(goal.size(), true), plan};

  // Hinges that close cycles: the tree hinges between their blocks stay flat.
  const SolidSolution& s = fold.Solid();
  std::vector<bool> tree(s.links.size(), false);
  for (int h : plan.hinges) tree[fold.Hinges()[h].link] = true;
  for (std::size_t l = 0; l < s.links.size(); ++l) {
    const SolidLink& link = s.links[l];
    if (link.kind == SolidLinkKind::Rigid || tree[l] || s.part[link.a.value()] != part) continue;
    for (int i : kinematics.HingesBetween(link.a, link.b)) {
      if (goal[i] != 0) {
        plan.result = PartPlanResult::ClosedCycle;
        return plan;
      }
      search.free[i] = false;
    }
  }

  const auto finish = [&](PartPlanResult result, PlanMethod method) {
    plan.result = result;
    plan.method = method;
    plan.posesChecked = kinematics.PosesChecked();
    return plan;
  };
  if (flat == goal) {
    plan.waypoints = {flat};
    return finish(PartPlanResult::Found, PlanMethod::SingleTurns);
  }
  if (!kinematics.PoseFree(goal)) return finish(PartPlanResult::NotFound, PlanMethod::None);
  // A locked pose is also the end of every order of single turns.
  if (search.GoalLocked(goal)) {
    search.PlainCollision(flat, goal);
    return finish(PartPlanResult::Locked, PlanMethod::None);
  }
  if (search.SingleTurns(flat, goal)) return finish(PartPlanResult::Found, PlanMethod::SingleTurns);
  if (search.Stopped()) return finish(PartPlanResult::Stopped, PlanMethod::None);
  search.PlainCollision(flat, goal);
  if (search.Move(flat, goal)) {
    plan.waypoints = {flat, goal};
    return finish(PartPlanResult::Found, PlanMethod::StraightMove);
  }
  if (FoldByHingeOrder(kinematics, budget, search.free, plan))
    return finish(PartPlanResult::Found, PlanMethod::HingeOrder);
  if (search.Stopped()) return finish(PartPlanResult::Stopped, PlanMethod::None);
  // A strung chain folds from its root, the loose end kept out of the way;
  // other parts from their far end.
  if (search.QuarterTurns(flat, goal, true) || search.QuarterTurns(flat, goal, false))
    return finish(PartPlanResult::Found, PlanMethod::QuarterTurns);
  if (search.Stopped()) return finish(PartPlanResult::Stopped, PlanMethod::None);
  if (search.Planner(flat, goal)) return finish(PartPlanResult::Found, PlanMethod::Planner);
  return finish(search.Stopped() ? PartPlanResult::Stopped : PartPlanResult::NotFound, PlanMethod::None);
}

}  // namespace zv
