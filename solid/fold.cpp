// The fold of a figure into a solution: spanning trees of the parts' blocks,
// the turn of every tree hinge taken from the solution's rotations, poses by
// forward kinematics, and the search for an order of turns without
// collisions.
#include "solid/fold.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <set>
#include <string>

#include "solid/cube_overlap.h"
#include "solid/fold_verdict.h"

namespace zv {
namespace {

constexpr double kPi = std::numbers::pi;

// The turn about `axis` (a unit vector along a coordinate axis) that the
// rotation matrix s performs, in (-pi, pi]; s fixes the axis.
double TurnAngle(const Matrix& s, const Point& axis) {
  const double cosine = std::clamp((s[0][0] + s[1][1] + s[2][2] - 1) / 2, -1.0, 1.0);
  const Point across = std::abs(axis[0]) < 0.5 ? Point{1, 0, 0} : Point{0, 1, 0};
  const Point v = across - Dot(across, axis) * axis;
  const double sine = Dot(Cross(v, Apply(s, v)), axis) / Dot(v, v);
  return std::atan2(sine, cosine);
}

// The angle about the part's move into place: axis and angle of rotation r.
void AxisAngle(const Matrix& r, Point& axis, double& angle) {
  const double cosine = std::clamp((r[0][0] + r[1][1] + r[2][2] - 1) / 2, -1.0, 1.0);
  angle = std::acos(cosine);
  axis = {r[2][1] - r[1][2], r[0][2] - r[2][0], r[1][0] - r[0][1]};
  if (Length(axis) > 1e-9) {
    axis = (1 / Length(axis)) * axis;
    return;
  }
  if (angle < 1e-9) {
    axis = {0, 0, 1};
    return;
  }
  // A half turn: r + I has rank one, its non-zero column lies along the axis.
  for (int column = 0; column < 3; ++column) {
    const Point c{r[0][column] + (column == 0), r[1][column] + (column == 1), r[2][column] + (column == 2)};
    if (Length(c) > 1e-9) {
      axis = (1 / Length(c)) * c;
      return;
    }
  }
}

}  // namespace

Fold::Fold(const SolidSolution& solid) : solid_(&solid) {
  const SolidSolution& s = solid;
  cubesOfBlock_.assign(s.blockCount, {});
  for (int k = 0; k < s.cubeCount; ++k) cubesOfBlock_[s.block[k]].push_back(k);

  // The figure lies on the level of the form's lowest layer, left of the form
  // with one free column between them.
  int figureMaxX = 0, figureMinY = 1000;
  for (const Vec3& c : s.figureCell) {
    figureMaxX = std::max(figureMaxX, c[0]);
    figureMinY = std::min(figureMinY, c[1]);
  }
  offset_ = {double(s.boxMin[0] - figureMaxX - 2), double(s.boxMin[1] - figureMinY), double(s.boxMax[2])};

  // Spanning trees over the blocks, breadth first from each part's lowest block.
  hingeOfBlock_.assign(s.blockCount, -1);
  blockOrder_.assign(s.partCount, {});
  rootCube_.assign(s.partCount, -1);
  std::vector<bool> reached(s.blockCount, false);
  std::vector<std::vector<int>> linksOfBlock(s.blockCount);
  for (int i = 0; i < static_cast<int>(s.links.size()); ++i)
    if (s.links[i].kind != SolidLinkKind::Rigid) {
      linksOfBlock[s.block[s.links[i].a.value()]].push_back(i);
      linksOfBlock[s.block[s.links[i].b.value()]].push_back(i);
    }
  for (int k = 0; k < s.cubeCount; ++k) {
    const int root = s.block[k], part = s.part[k];
    if (reached[root]) continue;
    reached[root] = true;
    rootCube_[part] = k;
    std::vector<int>& order = blockOrder_[part];
    order.push_back(root);
    for (std::size_t next = 0; next < order.size(); ++next) {
      const int parent = order[next];
      for (int li : linksOfBlock[parent]) {
        const SolidLink& link = s.links[li];
        const bool aIsParent = s.block[link.a.value()] == parent;
        const int child = s.block[(aIsParent ? link.b : link.a).value()];
        if (reached[child]) continue;
        reached[child] = true;
        order.push_back(child);
        const CubeIndex parentCube = aIsParent ? link.a : link.b, childCube = aIsParent ? link.b : link.a;
        FoldHinge h;
        h.link = li;
        h.parentBlock = parent;
        h.childBlock = child;
        h.point = link.point;
        h.axis = link.axis;
        // The child's pose in the parent's figure frame is the turn that
        // carries rotation parent into rotation child.
        const Matrix turn = Multiply(Transposed(RotationMatrix(s.rotation[parentCube.value()])),
                                     RotationMatrix(s.rotation[childCube.value()]));
        h.angle = TurnAngle(turn, h.axis);
        if (link.kind == SolidLinkKind::EdgeHinge && std::abs(std::abs(h.angle) - kPi) < 1e-6) {
          // A half turn about an edge goes the way that does not pass the
          // child's cube through the parent's: at a quarter turn it stands
          // diagonally across the edge, not on the parent's cell.
          const Point quarter = Rigid::Turn(h.point, h.axis, kPi / 2).Apply(s.FigureCentre(childCube));
          h.angle = Length(quarter - s.FigureCentre(parentCube)) < 0.5 ? -kPi : kPi;
        }
        hingeOfBlock_[child] = static_cast<int>(hinges_.size());
        hinges_.push_back(h);
        steps_.push_back({part, static_cast<int>(hinges_.size()) - 1});
      }
    }
    steps_.push_back({part, -1});
  }
  for (int part = 0; part < s.partCount; ++part) rank_.push_back(part);
  entry_.assign(s.partCount, {0, 0, 0});
}

void Fold::SetMotion(const std::vector<PartPlan>& plans, const std::vector<PlacingStep>& placing) {
  plans_ = plans;
  steps_.clear();
  for (std::size_t i = 0; i < placing.size(); ++i) {
    const int part = placing[i].part;
    rank_[part] = static_cast<int>(i);
    entry_[part] = placing[i].direction;
    for (std::size_t w = 1; w < plans_[part].waypoints.size(); ++w)
      steps_.push_back({part, -1, static_cast<int>(w) - 1});
    steps_.push_back({part, -1, -1});
  }
}

void Fold::FoldedPoses(int part, const std::vector<double>& angles, std::vector<Rigid>& poses) const {
  std::vector<Rigid> blockPose(solid_->blockCount);
  for (int b : blockOrder_[part]) {
    const int h = hingeOfBlock_[b];
    if (h >= 0) {
      const FoldHinge& hinge = hinges_[h];
      blockPose[b] = blockPose[hinge.parentBlock].After(Rigid::Turn(hinge.point, hinge.axis, angles[h]));
    }
    for (int k : cubesOfBlock_[b]) poses[k] = blockPose[b];
  }
}

Rigid Fold::PlaceMotion(int part, double s) const {
  const CubeIndex root(rootCube_[part]);
  const Point from = solid_->FigureCentre(root);
  const Rigid placed = solid_->Placed(root);
  Point axis;
  double angle;
  AxisAngle(placed.r, axis, angle);
  // The part rises over the form on its way (layer z - 1 is above z), by
  // the form's height and one more, highest half way. A part with an axis
  // to go in along goes so to a point outside the form on that axis in the
  // first half, then straight in.
  const Vec3& d = entry_[part];
  Point outside{0, 0, 0};
  if (d != Vec3{0, 0, 0}) {
    double reach = 2;
    for (int i = 0; i < 3; ++i) reach += solid_->boxMax[i] - solid_->boxMin[i];
    outside = -reach * ToPoint(d);
    if (s >= 0.5) return Rigid::Move((2 - 2 * s) * outside).After(placed);
    s *= 2;
  }
  const double lift = (solid_->boxMax[2] - solid_->boxMin[2] + 2) * std::sin(kPi * s);
  const Point centre =
      from + offset_ + s * (placed.Apply(from) + outside - from - offset_) + Point{0, 0, -lift};
  return Rigid::Move(centre).After(Rigid::Turn({0, 0, 0}, axis, s * angle)).After(Rigid::Move(-1.0 * from));
}

int Fold::StepAt(double t) const {
  const int count = static_cast<int>(steps_.size());
  return std::clamp(static_cast<int>(std::floor(std::clamp(t, 0.0, 1.0) * count)), 0, count - 1);
}

double Fold::StepStart(int step) const { return double(step) / double(steps_.size()); }

std::vector<Rigid> Fold::Poses(double t) const {
  const SolidSolution& s = *solid_;
  std::vector<Rigid> poses(s.cubeCount);
  if (steps_.empty()) return poses;
  t = std::clamp(t, 0.0, 1.0);
  const int current = StepAt(t);
  const double fraction = std::clamp(t * double(steps_.size()) - current, 0.0, 1.0);
  const int part = steps_[current].part;
  std::vector<double> angles(hinges_.size(), 0.0);
  double place = 0;
  for (int i = 0; i < static_cast<int>(steps_.size()); ++i) {
    if (steps_[i].part != part || i > current) continue;
    const double share = i < current ? 1.0 : fraction;
    if (steps_[i].segment >= 0) {
      const PartPlan& plan = plans_[part];
      const std::vector<double>& a = plan.waypoints[steps_[i].segment];
      const std::vector<double>& b = plan.waypoints[steps_[i].segment + 1];
      for (std::size_t h = 0; h < plan.hinges.size(); ++h)
        angles[plan.hinges[h]] = a[h] + share * (b[h] - a[h]);
    } else if (steps_[i].hinge < 0) {
      place = share;
    } else {
      angles[steps_[i].hinge] = share * hinges_[steps_[i].hinge].angle;
    }
  }

  FoldedPoses(part, angles, poses);
  const Rigid motion = PlaceMotion(part, place);
  for (int k = 0; k < s.cubeCount; ++k) {
    if (rank_[s.part[k]] < rank_[part])
      poses[k] = s.Placed(CubeIndex(k));
    else if (rank_[s.part[k]] > rank_[part])
      poses[k] = Rigid::Move(offset_);
    else
      poses[k] = motion.After(poses[k]);
  }
  return poses;
}

void Fold::SetHingeOrder(int part, const std::vector<int>& order) {
  std::size_t next = 0;
  for (FoldStep& step : steps_)
    if (step.part == part && step.hinge >= 0) step.hinge = order[next++];
}

std::vector<int> Fold::HingeOrder(int part) const {
  std::vector<int> order;
  for (const FoldStep& step : steps_)
    if (step.part == part && step.hinge >= 0) order.push_back(step.hinge);
  return order;
}

bool SweepCollides(const Fold& fold, int hinge, const std::vector<double>& angles, CubeIndex* cubeA,
                   CubeIndex* cubeB) {
  const SolidSolution& s = fold.Solid();
  const FoldHinge& h = fold.Hinges()[hinge];
  const int part = s.part[s.links[h.link].a.value()];
  std::vector<Rigid> poses(s.cubeCount);
  std::vector<double> now = angles;
  now[hinge] = 0;
  fold.FoldedPoses(part, now, poses);
  // The cubes that turn with the hinge: those whose pose changes when it turns.
  now[hinge] = 1;
  std::vector<Rigid> turned(s.cubeCount);
  fold.FoldedPoses(part, now, turned);
  std::vector<int> moving, still;
  double reach = 0;
  for (int k = 0; k < s.cubeCount; ++k) {
    if (s.part[k] < part) continue;
    if (s.part[k] == part && Distance(poses[k], turned[k]) > 1e-9) {
      moving.push_back(k);
      const Point c = poses[k].Apply(s.FigureCentre(CubeIndex(k))) - h.point;
      reach = std::max(reach, Length(c - Dot(c, h.axis) * h.axis) + 0.87);
    } else {
      still.push_back(k);
    }
  }
  const int samples = std::clamp(static_cast<int>(std::ceil(std::abs(h.angle) * reach / 0.3)), 2, 96);
  for (int i = 1; i <= samples; ++i) {
    now[hinge] = h.angle * i / samples;
    fold.FoldedPoses(part, now, poses);
    for (int a : moving)
      for (int b : still) {
        const Rigid& pb = s.part[b] == part ? poses[b] : Rigid{};
        if (CubesOverlap(poses[a].Apply(s.FigureCentre(CubeIndex(a))), poses[a].r,
                         pb.Apply(s.FigureCentre(CubeIndex(b))), pb.r)) {
          if (cubeA) *cubeA = CubeIndex(std::min(a, b));
          if (cubeB) *cubeB = CubeIndex(std::max(a, b));
          return true;
        }
      }
  }
  return false;
}

namespace {

// Depth-first search of an order of `pending` hinge turns; `angles` holds
// the turns already made. Remembers the sets of turned hinges that lead
// nowhere.
struct OrderSearch {
  const Fold& fold;
  std::vector<int> hinges;  // the part's hinges in the order they are tried
  std::vector<double> angles;
  std::vector<bool> turned;
  std::vector<int> order;
  std::set<std::string> deadEnds;
  int budget;

  bool Run() {
    if (order.size() == hinges.size()) return true;
    std::string key(turned.begin(), turned.end());
    if (deadEnds.count(key)) return false;
    for (std::size_t i = 0; i < hinges.size(); ++i) {
      if (turned[i]) continue;
      if (budget-- <= 0) return false;
      const int h = hinges[i];
      if (SweepCollides(fold, h, angles)) continue;
      turned[i] = true;
      angles[h] = fold.Hinges()[h].angle;
      order.push_back(h);
      if (Run()) return true;
      order.pop_back();
      angles[h] = 0;
      turned[i] = false;
      if (budget <= 0) return false;
    }
    deadEnds.insert(key);
    return false;
  }
};

}  // namespace

FoldCheck FindFoldOrder(Fold& fold, int budget) {
  FoldCheck check;
  check.found = true;
  const int parts = fold.Solid().partCount;
  for (int part = 0; part < parts; ++part) {
    const std::vector<int> plain = fold.HingeOrder(part);
    const std::vector<int> leavesFirst(plain.rbegin(), plain.rend());
    const int sweeps = budget >= 0 ? budget : 10 * static_cast<int>(plain.size()) + 100;
    OrderSearch search{fold,
                       leavesFirst,
                       std::vector<double>(fold.Hinges().size(), 0.0),
                       std::vector<bool>(plain.size(), false),
                       {},
                       {},
                       sweeps};
    if (search.Run()) {
      fold.SetHingeOrder(part, search.order);
      continue;
    }
    if (!check.found) continue;
    check.found = false;
    // The plain order's first colliding step.
    std::vector<double> angles(fold.Hinges().size(), 0.0);
    for (int step = 0; step < static_cast<int>(fold.Steps().size()); ++step) {
      const FoldStep& st = fold.Steps()[step];
      if (st.part != part || st.hinge < 0) continue;
      if (SweepCollides(fold, st.hinge, angles, &check.cubeA, &check.cubeB)) {
        check.collidingStep = step;
        break;
      }
      angles[st.hinge] = fold.Hinges()[st.hinge].angle;
    }
  }
  return check;
}

}  // namespace zv
