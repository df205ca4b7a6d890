// Forward kinematics of a part's block tree, the overlap test of its cubes
// and the checked straight move between two sets of hinge angles.
#include "solid/part_kinematics.h"

#include <algorithm>
#include <cmath>

#include "solid/cube_overlap.h"

namespace zv {

PartKinematics::PartKinematics(const zv::Fold& fold, int part, double play) : fold_(&fold), play_(play) {
  const SolidSolution& s = fold.Solid();
  for (int k = 0; k < s.cubeCount; ++k)
    if (s.part[k] == part) cubes_.emplace_back(k);
  blocks_.push_back(s.block[cubes_.front().value()]);
  hingeOfBlock_.push_back(-1);
  parentOfBlock_.push_back(-1);
  const std::vector<FoldHinge>& all = fold.Hinges();
  for (int h = 0; h < static_cast<int>(all.size()); ++h) {
    if (s.part[s.links[all[h].link].a.value()] != part) continue;
    const auto parent = std::find(blocks_.begin(), blocks_.end(), all[h].parentBlock);
    parentOfBlock_.push_back(static_cast<int>(parent - blocks_.begin()));
    hingeOfBlock_.push_back(static_cast<int>(hinges_.size()));
    blocks_.push_back(all[h].childBlock);
    hinges_.push_back(h);
  }
  for (CubeIndex k : cubes_) {
    const int b =
        static_cast<int>(std::find(blocks_.begin(), blocks_.end(), s.block[k.value()]) - blocks_.begin());
    blockOfCube_.push_back(b);
    if (cubeOfBlock_.size() <= static_cast<std::size_t>(b)) cubeOfBlock_.resize(blocks_.size(), -1);
    if (cubeOfBlock_[b] < 0) cubeOfBlock_[b] = static_cast<int>(blockOfCube_.size()) - 1;
    std::vector<int> chain;
    for (int at = b; at > 0; at = parentOfBlock_[at]) chain.push_back(hingeOfBlock_[at]);
    std::reverse(chain.begin(), chain.end());  // root side first
    ancestors_.push_back(chain);
  }
  // The cubes of a face-axis hinge's two blocks whose centres lie on its
  // line: they spin about their own axes as it turns.
  for (int h : hinges_) {
    const FoldHinge& hinge = all[h];
    std::vector<int>& spinning = axisCubes_.emplace_back();
    if (s.links[hinge.link].kind != SolidLinkKind::FaceAxisHinge) continue;
    for (std::size_t c = 0; c < cubes_.size(); ++c) {
      const int block = s.block[cubes_[c].value()];
      if (block != hinge.parentBlock && block != hinge.childBlock) continue;
      const Point v = s.FigureCentre(cubes_[c]) - hinge.point;
      if (Length(v - Dot(v, hinge.axis) * hinge.axis) < 1e-6) spinning.push_back(static_cast<int>(c));
    }
  }
}

std::vector<bool> PartKinematics::Spinning(const std::vector<double>& turn) const {
  std::vector<bool> spinning(cubes_.size(), false);
  for (std::size_t i = 0; i < turn.size(); ++i)
    if (turn[i] != 0)
      for (int c : axisCubes_[i]) spinning[c] = true;
  return spinning;
}

std::vector<double> PartKinematics::Goal() const {
  std::vector<double> goal;
  for (int h : hinges_) goal.push_back(fold_->Hinges()[h].angle);
  return goal;
}

std::vector<int> PartKinematics::HingesBetween(CubeIndex cubeA, CubeIndex cubeB) const {
  const auto at = [&](CubeIndex k) { return std::find(cubes_.begin(), cubes_.end(), k) - cubes_.begin(); };
  const std::vector<int>& a = ancestors_[at(cubeA)];
  const std::vector<int>& b = ancestors_[at(cubeB)];
  std::size_t common = 0;
  while (common < a.size() && common < b.size() && a[common] == b[common]) ++common;
  std::vector<int> path(a.begin() + static_cast<std::ptrdiff_t>(common), a.end());
  path.insert(path.end(), b.begin() + static_cast<std::ptrdiff_t>(common), b.end());
  return path;
}

void PartKinematics::Poses(const std::vector<double>& angles, std::vector<Rigid>& poses) const {
  std::vector<Rigid> blockPose(blocks_.size());
  for (std::size_t b = 1; b < blocks_.size(); ++b) {
    const int i = hingeOfBlock_[b];
    const FoldHinge& h = fold_->Hinges()[hinges_[i]];
    blockPose[b] = blockPose[parentOfBlock_[b]].After(Rigid::Turn(h.point, h.axis, angles[i]));
  }
  poses.resize(cubes_.size());
  for (std::size_t c = 0; c < cubes_.size(); ++c) poses[c] = blockPose[blockOfCube_[c]];
}

bool PartKinematics::CellsFree(const std::vector<double>& angles, std::vector<Rigid>& poses,
                               std::vector<std::int64_t>& cells) const {
  Poses(angles, poses);
  cells.clear();
  const SolidSolution& s = fold_->Solid();
  for (std::size_t c = 0; c < poses.size(); ++c) {
    const Point p = poses[c].Apply(s.FigureCentre(cubes_[c]));
    std::int64_t key = 0;
    for (double v : p) key = key * 4096 + std::llround(v) + 2048;
    cells.push_back(key);
  }
  std::sort(cells.begin(), cells.end());
  return std::adjacent_find(cells.begin(), cells.end()) == cells.end();
}

PartKinematics::Pairs PartKinematics::Apart(const std::vector<int>& key) const {
  Pairs pairs;
  for (int a = 0; a < static_cast<int>(cubes_.size()); ++a)
    for (int b = a + 1; b < static_cast<int>(cubes_.size()); ++b)
      if (key[a] != key[b]) pairs.emplace_back(a, b);
  return pairs;
}

bool PartKinematics::Overlap(const std::vector<Rigid>& poses, const Pairs& pairs,
                             const std::vector<bool>& spinning, CubeIndex* cubeA, CubeIndex* cubeB) const {
  ++checked_;
  const SolidSolution& s = fold_->Solid();
  std::vector<Point> centre(cubes_.size());
  for (std::size_t c = 0; c < cubes_.size(); ++c) centre[c] = poses[c].Apply(s.FigureCentre(cubes_[c]));
  for (const auto& [a, b] : pairs) {
    if (zv::Apart(centre[a], centre[b])) continue;
    const double play = spinning[a] || spinning[b] ? play_ : kTouchTolerance;
    if (CubesOverlap(centre[a], poses[a].r, centre[b], poses[b].r, play)) {
      if (cubeA) *cubeA = cubes_[a];
      if (cubeB) *cubeB = cubes_[b];
      return true;
    }
  }
  return false;
}

bool PartKinematics::PoseFree(const std::vector<double>& angles, CubeIndex* cubeA, CubeIndex* cubeB) const {
  std::vector<Rigid> poses;
  Poses(angles, poses);
  return !Overlap(poses, Apart(blockOfCube_), std::vector<bool>(cubes_.size(), false), cubeA, cubeB);
}

double PartKinematics::Reach(const std::vector<Rigid>& poses, const std::vector<double>& turn) const {
  const SolidSolution& s = fold_->Solid();
  constexpr double kHalfDiagonal = 0.8660254037844387;  // centre to corner of a unit cube
  // Hinge i's line as the block it hangs from carries it: that block's pose
  // is the pose of any cube of it; the line is the same in the child's
  // pose, which differs from the parent's by a turn about it.
  const auto distance = [&](std::size_t c, int i) {
    const FoldHinge& h = fold_->Hinges()[hinges_[i]];
    const Rigid& carrier = poses[cubeOfBlock_[i + 1]];  // hinge i turns block i + 1
    const Point point = carrier.Apply(h.point), axis = zv::Apply(carrier.r, h.axis);
    const Point v = poses[c].Apply(s.FigureCentre(cubes_[c])) - point;
    return Length(v - Dot(v, axis) * axis) + kHalfDiagonal;
  };
  int turning = -1, count = 0;
  for (std::size_t i = 0; i < turn.size(); ++i)
    if (turn[i] != 0) turning = static_cast<int>(i), ++count;
  double reach = 0, still = 0;
  for (std::size_t c = 0; c < cubes_.size(); ++c) {
    bool moves = false;
    for (int i : ancestors_[c]) {
      if (turn[i] == 0) continue;
      moves = true;
      reach = std::max(reach, distance(c, i));
    }
    if (count == 1 && !moves) still = std::max(still, distance(c, turning));
  }
  // One hinge turning: the two sides turn against each other about its
  // line, so the cubes on either side may be taken as the moving ones, and
  // the side nearer the line bounds how far any corner moves against the
  // other side.
  return count == 1 ? std::min(reach, still) : reach;
}

bool PartKinematics::MoveFree(const std::vector<double>& a, const std::vector<double>& b, double cornerStep,
                              CubeIndex* cubeA, CubeIndex* cubeB) const {
  std::vector<double> turn(a.size());
  double total = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    turn[i] = b[i] - a[i];
    total += std::abs(turn[i]);
  }
  // Cubes whose deepest turning hinge is the same do not move against each other.
  std::vector<int> key(cubes_.size(), -1);
  for (std::size_t c = 0; c < cubes_.size(); ++c)
    for (int i : ancestors_[c])
      if (turn[i] != 0) key[c] = i;
  const std::vector<bool> spinning = Spinning(turn);
  std::vector<Rigid> poses;
  std::vector<double> now = a;
  Poses(now, poses);
  Pairs pairs = Apart(key);
  if (total == 0) return !Overlap(poses, pairs, spinning, cubeA, cubeB);
  int turning = -1, count = 0;
  for (std::size_t i = 0; i < turn.size(); ++i)
    if (turn[i] != 0) turning = static_cast<int>(i), ++count;
  if (count == 1) {
    // One hinge turning: the cubes below it turn about its line against the
    // rest, each centre along an arc of its distance from the line times
    // the turn. A pair farther apart than that and the two cubes'
    // circumscribed spheres never meets on the move.
    const SolidSolution& s = fold_->Solid();
    const FoldHinge& h = fold_->Hinges()[hinges_[turning]];
    const Rigid& carrier = poses[cubeOfBlock_[turning + 1]];
    const Point point = carrier.Apply(h.point), axis = zv::Apply(carrier.r, h.axis);
    std::vector<Point> centre(cubes_.size());
    for (std::size_t c = 0; c < cubes_.size(); ++c) centre[c] = poses[c].Apply(s.FigureCentre(cubes_[c]));
    std::erase_if(pairs, [&](const std::pair<int, int>& p) {
      const int moving = key[p.first] == turning ? p.first : p.second;
      const Point v = centre[moving] - point;
      const double arc = std::abs(turn[turning]) * Length(v - Dot(v, axis) * axis);
      return Length(centre[p.first] - centre[p.second]) >= std::sqrt(3.0) + arc + 1e-9;
    });
  }
  // Most moves that collide do so far from their ends: a few poses spread
  // over the move find that at a fraction of the dense walk's cost.
  for (int k : {4, 2, 6, 1, 3, 5, 7}) {
    for (std::size_t i = 0; i < a.size(); ++i) now[i] = a[i] + k / 8.0 * turn[i];
    Poses(now, poses);
    if (Overlap(poses, pairs, spinning, cubeA, cubeB)) return false;
  }
  now = a;
  Poses(now, poses);
  for (double t = 0; t < 1;) {
    const double step = std::log1p(cornerStep / Reach(poses, turn)) / total;
    t = std::min(1.0, t + step);
    for (std::size_t i = 0; i < a.size(); ++i) now[i] = t < 1 ? a[i] + t * turn[i] : b[i];
    Poses(now, poses);
    if (Overlap(poses, pairs, spinning, cubeA, cubeB)) return false;
  }
  return true;
}

}  // namespace zv
