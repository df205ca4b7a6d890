// One part of a fold as a chain of rigid blocks on the hinges of its
// spanning tree: the poses of its cubes for any angles of those hinges,
// whether two of its cubes overlap in a pose, and whether a straight move
// between two sets of angles stays free of overlaps.
//
// Usage:
//   zv::PartKinematics part(fold, 0);
//   std::vector<double> a = part.Flat(), b = part.Goal();
//   bool free = part.PoseFree(b) && part.MoveFree(a, b, zv::kCornerStep);
//
// A move from a to b turns every hinge linearly at once. It is checked at
// poses close enough that between two of them no cube corner moves more
// than `cornerStep` cube edges: with M the largest distance of a moving
// cube's corner from the axis of a turning hinge it hangs on (measured at
// the checked pose) and Θ the sum of the hinges' turns to the next pose,
// no corner moves more than M (e^Θ - 1), so Θ = ln(1 + cornerStep / M).
// When one hinge turns, its two sides turn against each other about its
// line, and M is taken from the side whose corners lie nearer that line
// (a long loose end swung about a joint of a compact part is checked as
// the compact part turning).
//
// The play of a strung puzzle: a cube that spins about its own axis, as the
// cubes on the line of a turning face-axis hinge do, reaches out of its cell by up
// to (sqrt 2 - 1) / 2 = 0.207 of an edge at an eighth of a turn, into any
// cube lying flush beside it. Real cubes have rounded edges and the string
// through them gives, so a hand folds them past each other anyway. On a
// move, a cube on the line of a turning face-axis hinge may therefore press into
// another cube by up to `play` of an edge; every other pair of cubes, and
// every pose on its own, is checked exactly.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "solid/fold.h"

namespace zv {

// Between two checked poses of a move no cube corner moves more than this
// many cube edges, so two cubes that do not overlap at both poses can
// overlap between them by at most twice as much and never pass through
// each other.
inline constexpr double kCornerStep = 0.1;

// The play the fold check allows a spinning cube (see above): just over
// the 0.207 of an edge a cube spinning about its own axis reaches out.
inline constexpr double kFoldPlay = 0.21;

class PartKinematics {
 public:
  PartKinematics(const zv::Fold& fold, int part, double play = kFoldPlay);

  // The part's tree hinges (indexes in Fold::Hinges()); an angle vector has
  // one entry per hinge of this list.
  const zv::Fold& Fold() const { return *fold_; }
  const std::vector<int>& Hinges() const { return hinges_; }
  const std::vector<CubeIndex>& Cubes() const { return cubes_; }
  std::vector<double> Flat() const { return std::vector<double>(hinges_.size(), 0.0); }
  std::vector<double> Goal() const;

  // Positions in Hinges() of the hinges on the tree's path between the
  // blocks of two of the part's cubes (cube indexes of the solution).
  std::vector<int> HingesBetween(CubeIndex cubeA, CubeIndex cubeB) const;
  // Positions in Hinges() of the hinges the cube at position c of Cubes()
  // hangs on, root side first: turning any other hinge leaves it in place
  // against the root block.
  const std::vector<int>& HangsOn(int c) const { return ancestors_[c]; }

  // The pose of every cube of the part (indexes as in Cubes()), the root
  // block where the figure lies.
  void Poses(const std::vector<double>& angles, std::vector<Rigid>& poses) const;
  // Whether no two cubes share a cell at `angles` where every hinge stands at
  // a multiple of a quarter turn (every cube then stands on a cell of the
  // lattice); `poses` and `cells` are the caller's scratch.
  bool CellsFree(const std::vector<double>& angles, std::vector<Rigid>& poses,
                 std::vector<std::int64_t>& cells) const;
  // Whether no two cubes of different blocks overlap at `angles`; on an
  // overlap names the two cubes (cube indexes of the solution).
  bool PoseFree(const std::vector<double>& angles, CubeIndex* cubeA = nullptr,
                CubeIndex* cubeB = nullptr) const;
  // Whether the straight move from a to b (b's pose included, a's not)
  // stays free, checked as the header says. Counts the poses checked.
  bool MoveFree(const std::vector<double>& a, const std::vector<double>& b, double cornerStep,
                CubeIndex* cubeA = nullptr, CubeIndex* cubeB = nullptr) const;
  // Which cubes (positions in Cubes()) may press into others by the play
  // on a move turning hinge i by turn[i]: the cubes of a turning face-axis
  // hinge's two blocks that lie on its line.
  std::vector<bool> Spinning(const std::vector<double>& turn) const;
  double Play() const { return play_; }
  // Poses checked by the moves so far.
  std::int64_t PosesChecked() const { return checked_; }

 private:
  // Distance bound M of the header at `poses` for the hinges with turn[i] != 0.
  double Reach(const std::vector<Rigid>& poses, const std::vector<double>& turn) const;
  using Pairs = std::vector<std::pair<int, int>>;  // positions in cubes_
  // The pairs of cubes with different keys (cubes of one key keep their
  // poses against each other).
  Pairs Apart(const std::vector<int>& key) const;
  bool Overlap(const std::vector<Rigid>& poses, const Pairs& pairs, const std::vector<bool>& spinning,
               CubeIndex* cubeA, CubeIndex* cubeB) const;

  const zv::Fold* fold_;
  double play_;
  std::vector<int> hinges_;
  std::vector<CubeIndex> cubes_;
  std::vector<int> blockOfCube_;             // by position in cubes_: the block's position in blocks_
  std::vector<int> blocks_;                  // root first, then the child of hinge i at i + 1
  std::vector<int> cubeOfBlock_;             // by position in blocks_: a cube of it (position in cubes_)
  std::vector<int> hingeOfBlock_;            // by position in blocks_: position in hinges_, -1 for the root
  std::vector<int> parentOfBlock_;           // by position in blocks_: the parent's position, -1 for the root
  std::vector<std::vector<int>> ancestors_;  // by position in cubes_: the hinges (positions) it hangs on
  std::vector<std::vector<int>>
      axisCubes_;  // by hinge position: the cubes (positions) on its line if face-axis
  mutable std::int64_t checked_ = 0;
};

}  // namespace zv
