// The hinge order of a fold from the sweeps out of the solution's pose, and
// the search that sets the hinges one after another in that order.
#include "solid/fold_hinge_order.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <numbers>
#include <queue>
#include <set>
#include <tuple>

#include "solid/cube_overlap.h"

namespace zv {
namespace {

constexpr double kQuarter = std::numbers::pi / 2;
using Quarters = std::vector<int>;  // by hinge position: its angle in quarter turns, unwrapped

// Hinges set together, and by how many quarter turns each stands off its
// final angle where the group starts: the way it leaves the solution's pose
// when the order is worked out backwards.
struct Group {
  std::vector<int> hinges;
  std::vector<int> ways;
};

struct OrderSearch {
  const PartKinematics& part;
  const FoldBudget& budget;
  const std::vector<bool>& free;
  PartPlan& plan;
  int n = 0;
  std::vector<bool> spins;  // face-axis hinges turn all the way round
  Quarters goal;
  std::vector<bool> set;  // hinges at their final angle, staying there
  std::vector<Rigid> poses, goalPoses;
  std::vector<int> carrier;  // by hinge position: a cube (position) of the block it turns
  std::vector<std::int64_t> cells;

  OrderSearch(const PartKinematics& p, const FoldBudget& b, const std::vector<bool>& f, PartPlan& pl)
      : part(p), budget(b), free(f), plan(pl), n(static_cast<int>(p.Hinges().size())) {
    const SolidSolution& s = part.Fold().Solid();
    const std::vector<double> angles = part.Goal();
    for (int i = 0; i < n; ++i) {
      spins.push_back(s.links[part.Fold().Hinges()[part.Hinges()[i]].link].kind ==
                      SolidLinkKind::FaceAxisHinge);
      goal.push_back(static_cast<int>(std::lround(angles[i] / kQuarter)));
      set.push_back(!free[i]);  // held flat, and flat in the solution
    }
    part.Poses(angles, goalPoses);
    carrier.assign(n, 0);
    for (std::size_t c = 0; c < part.Cubes().size(); ++c) {
      const std::vector<int>& up = part.HangsOn(static_cast<int>(c));
      if (!up.empty()) carrier[up.back()] = static_cast<int>(c);
    }
  }

  bool Spent() const { return (budget.stopped && budget.stopped()) || part.PosesChecked() >= budget.poses; }

  std::vector<double> Angles(const Quarters& q) const {
    std::vector<double> a(q.size());
    for (std::size_t i = 0; i < q.size(); ++i) a[i] = q[i] * kQuarter;
    return a;
  }

  // Whether no two cubes share a cell (every cube stands on the lattice).
  bool CellsFree(const Quarters& q) { return part.CellsFree(Angles(q), poses, cells); }

  bool Allowed(int i, int v) const { return spins[i] || std::abs(v) <= 2; }

  // The hinges other than those of `turning` on the path between the cubes
  // at positions a and b whose turn moves one of them against the other: a
  // cube whose centre lies on a hinge's line (a block along it) only spins
  // as it turns.
  std::vector<int> Breaking(int a, int b, const std::vector<int>& turning) const {
    const SolidSolution& s = part.Fold().Solid();
    std::vector<int> path;
    for (int h : part.HingesBetween(part.Cubes()[a], part.Cubes()[b])) {
      if (std::find(turning.begin(), turning.end(), h) != turning.end()) continue;
      const std::vector<int>& up = part.HangsOn(a);
      const int c = std::find(up.begin(), up.end(), h) != up.end() ? a : b;
      const FoldHinge& hinge = part.Fold().Hinges()[part.Hinges()[h]];
      const Point centre = goalPoses[c].Apply(s.FigureCentre(part.Cubes()[c]));
      const Point point = goalPoses[carrier[h]].Apply(hinge.point);
      const Point axis = zv::Apply(goalPoses[carrier[h]].r, hinge.axis);
      const Point w = centre - point;
      if (Length(w - Dot(w, axis) * axis) > 1e-6) path.push_back(h);
    }
    return path;
  }

  // The sweep of `turning` out of the solution's pose, hinge turning[i] by
  // ways[i] quarter turns, all at once: the paths (Breaking) between the
  // cubes that pass through each other on it. Sampled every eighth of a
  // quarter turn: it only orders the hinges, every move of the fold is
  // checked in full.
  std::vector<std::vector<int>> Sweep(const std::vector<int>& turning, const std::vector<int>& ways) {
    constexpr int kSamples = 8;
    const SolidSolution& s = part.Fold().Solid();
    const std::vector<CubeIndex>& cubes = part.Cubes();
    std::vector<double> turn(n, 0.0);
    int longest = 0;
    for (std::size_t t = 0; t < turning.size(); ++t) {
      turn[turning[t]] = ways[t];
      longest = std::max(longest, std::abs(ways[t]));
    }
    const std::vector<bool> spinning = part.Spinning(turn);
    // Cubes that move together: the same set of turning hinges above them.
    std::vector<int> key(cubes.size(), 0);
    for (std::size_t c = 0; c < cubes.size(); ++c)
      for (int h : part.HangsOn(static_cast<int>(c)))
        for (std::size_t t = 0; t < turning.size(); ++t)
          if (h == turning[t]) key[c] |= 1 << t;
    std::vector<std::pair<int, int>> moving, met;
    for (int a = 0; a < static_cast<int>(cubes.size()); ++a)
      for (int b = a + 1; b < static_cast<int>(cubes.size()); ++b)
        if (key[a] != key[b]) moving.emplace_back(a, b);
    std::vector<Point> centre(cubes.size());
    const int samples = kSamples * longest;
    for (int j = 1; j <= samples; ++j) {
      std::vector<double> q = Angles(goal);
      for (std::size_t t = 0; t < turning.size(); ++t) q[turning[t]] += ways[t] * kQuarter * j / samples;
      part.Poses(q, poses);
      for (std::size_t c = 0; c < cubes.size(); ++c) centre[c] = poses[c].Apply(s.FigureCentre(cubes[c]));
      for (const auto& [a, b] : moving) {
        if (Apart(centre[a], centre[b])) continue;
        const double play = spinning[a] || spinning[b] ? part.Play() : kTouchTolerance;
        if (CubesOverlap(centre[a], poses[a].r, centre[b], poses[b].r, play)) met.emplace_back(a, b);
      }
    }
    std::sort(met.begin(), met.end());
    met.erase(std::unique(met.begin(), met.end()), met.end());
    std::set<std::vector<int>> paths;
    for (const auto& [a, b] : met) paths.insert(Breaking(a, b, turning));
    return {paths.begin(), paths.end()};
  }

  // The hinges that may be set together with hinge i: those at most three
  // hinges below it in the tree.
  std::vector<int> Near(int i) const {
    std::vector<int> near;
    for (int j = 0; j < n; ++j) {
      const std::vector<int>& up = part.HangsOn(carrier[j]);
      const auto at = std::find(up.begin(), up.end(), i);
      if (j != i && at != up.end() && up.end() - at <= 4) near.push_back(j);
    }
    return near;
  }

  // The order the hinges are set in, one or two at a time: the reverse of
  // taking them out of the solution greedily (one alone before two, the
  // farthest from the root first).
  std::vector<Group> Order() {
    std::vector<bool> out(n, false);
    std::vector<Group> order;
    const auto harmless = [&](const std::vector<int>& path) {
      return std::any_of(path.begin(), path.end(), [&](int h) { return out[h]; });
    };
    std::map<std::pair<std::vector<int>, std::vector<int>>, std::vector<std::vector<int>>> sweeps;
    const auto leaves = [&](const std::vector<int>& turning, const std::vector<int>& ways) {
      auto at = sweeps.find({turning, ways});
      if (at == sweeps.end()) at = sweeps.emplace(std::pair{turning, ways}, Sweep(turning, ways)).first;
      return std::all_of(at->second.begin(), at->second.end(), harmless);
    };
    const auto takeOut = [&](const Group& group) {
      for (int h : group.hinges) out[h] = true;
      order.push_back(group);
    };
    for (bool progress = true; progress;) {
      progress = false;
      for (int i = n - 1; i >= 0 && !progress; --i) {
        if (set[i] || out[i]) continue;
        for (int way : {-1, 1, 2})
          if (Allowed(i, goal[i] + way) && leaves({i}, {way})) {
            takeOut({{i}, {way}});
            progress = true;
            break;
          }
      }
      for (int i = n - 1; i >= 0 && !progress; --i) {
        if (set[i] || out[i]) continue;
        for (int j : Near(i)) {
          if (set[j] || out[j] || progress) continue;
          for (int wi : {-1, 1})
            for (int wj : {-1, 1})
              if (!progress && Allowed(i, goal[i] + wi) && Allowed(j, goal[j] + wj) &&
                  leaves({i, j}, {wi, wj})) {
                takeOut({{i, j}, {wi, wj}});
                progress = true;
              }
        }
      }
    }
    // Hinges no sweep lets out go first, one at a time in the order of the tree.
    for (int i = n - 1; i >= 0; --i)
      if (!set[i] && !out[i]) order.push_back({{i}, {goal[i] > 0 ? -1 : 1}});
    std::reverse(order.begin(), order.end());
    return order;
  }

  // Brings the hinges of `group` to their final angles from pose `now` by a
  // best-first search over quarter-turn poses: the group's hinges turn a
  // quarter at a time to where they leave the solution's pose in the order
  // (its angles moved by `ways`), and from there all together to their final
  // angles; a move that brings two cubes together makes the hinges not yet
  // set on the path between them turn a quarter either way. Appends the
  // poses passed to plan.waypoints.
  bool SetGroup(Quarters& now, const Group& group) {
    constexpr int kStates = 400;  // poses taken up per group
    struct State {
      Quarters q;
      int parent;
      int depth;
    };
    const std::vector<int>& hinges = group.hinges;
    const auto off = [&](const Quarters& q) {
      int sum = 0;
      for (std::size_t t = 0; t < hinges.size(); ++t) {
        const int h = hinges[t];
        int d = std::abs(q[h] - goal[h] - group.ways[t]);
        if (spins[h]) d %= 4, d = std::min(d, 4 - d);
        sum += d;
      }
      return sum;
    };
    // Hinges already at their final angles (flat in the solution, say) stay.
    if (std::all_of(hinges.begin(), hinges.end(), [&](int h) {
          const int d = std::abs(now[h] - goal[h]);
          return spins[h] ? d % 4 == 0 : d == 0;
        }))
      return true;
    std::vector<State> states{{now, -1, 0}};
    std::set<Quarters> seen{now};
    // Quarter turns left to the group's start, the moves made, the state.
    using Entry = std::tuple<int, int, int>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> open;
    open.push({off(now), 0, 0});
    int taken = 0;
    while (!open.empty() && taken < kStates && !Spent()) {
      const int at = std::get<2>(open.top());
      open.pop();
      ++taken;
      ++plan.statesTried;
      std::set<int> clear;
      const auto blame = [&](CubeIndex a, CubeIndex b) {
        if (!a.valid()) return;
        for (int i : part.HingesBetween(a, b))
          if (!set[i] && free[i] && std::find(hinges.begin(), hinges.end(), i) == hinges.end())
            clear.insert(i);
      };
      if (off(states[at].q) == 0) {
        Quarters last = states[at].q;
        for (std::size_t t = 0; t < hinges.size(); ++t) last[hinges[t]] -= group.ways[t];
        CubeIndex a = CubeIndex::None(), b = CubeIndex::None();
        if (part.MoveFree(Angles(states[at].q), Angles(last), budget.cornerStep, &a, &b)) {
          std::vector<Quarters> path{last};
          for (int s = at; s > 0; s = states[s].parent) path.push_back(states[s].q);
          for (auto p = path.rbegin(); p != path.rend(); ++p) plan.waypoints.push_back(Angles(*p));
          now = last;
          return true;
        }
        blame(a, b);
      }
      const auto tryMove = [&](int h, int way, bool own) {
        Quarters next = states[at].q;
        next[h] += way;
        if (!Allowed(h, next[h]) || seen.count(next)) return;
        CubeIndex a = CubeIndex::None(), b = CubeIndex::None();
        if (!CellsFree(next)) {
          part.PoseFree(Angles(next), &a, &b);  // names two cubes on one cell
        } else if (part.MoveFree(Angles(states[at].q), Angles(next), budget.cornerStep, &a, &b)) {
          seen.insert(next);
          const int depth = states[at].depth + 1;
          states.push_back({std::move(next), at, depth});
          open.push({off(states.back().q), depth, static_cast<int>(states.size()) - 1});
          return;
        }
        if (own) blame(a, b);
      };
      for (int h : hinges)
        for (int way : {1, -1}) tryMove(h, way, true);
      for (int i : clear)
        for (int way : {1, -1}) tryMove(i, way, false);
    }
    return false;
  }

  bool Run() {
    const std::vector<Group> order = Order();
    Quarters now(n, 0);
    plan.waypoints = {Angles(now)};
    for (const Group& group : order) {
      if (!SetGroup(now, group)) {
        plan.waypoints.clear();
        return false;
      }
      for (int h : group.hinges) set[h] = true;
    }
    // The solution's angles, each moved by the whole turns a face-axis
    // hinge made on the way.
    const std::vector<double> angles = part.Goal();
    std::vector<double>& last = plan.waypoints.back();
    for (int i = 0; i < n; ++i)
      last[i] = angles[i] + 2 * std::numbers::pi * std::round((last[i] - angles[i]) / (2 * std::numbers::pi));
    return true;
  }
};

}  // namespace

bool FoldByHingeOrder(const PartKinematics& part, const FoldBudget& budget, const std::vector<bool>& free,
                      PartPlan& plan) {
  OrderSearch search(part, budget, free, plan);
  return search.Run();
}

}  // namespace zv
