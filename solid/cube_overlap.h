// Whether two unit cubes in arbitrary poses pass through each other: the
// separating-axis test over their 3 + 3 face normals and 9 edge-direction
// cross products. Cubes that only touch (a shared face, edge or corner, as
// neighbours in the figure or the form do) do not overlap: their projections
// must overlap by more than `kTouchTolerance` on every axis. With a play p
// two cubes overlap only when their projections overlap by more than p on
// every axis: they may press into each other by up to p of an edge.
#pragma once

#include "solid/rigid.h"

namespace zv {

inline constexpr double kTouchTolerance = 1e-3;

// Whether two unit cubes with these centres are too far apart to overlap
// (beyond the sum of their circumscribed spheres' radii); the cheap test
// that spares the full one for most pairs.
inline bool Apart(const Point& a, const Point& b) {
  const double x = a[0] - b[0], y = a[1] - b[1], z = a[2] - b[2];
  return x * x + y * y + z * z >= 3.0;
}

// Cube A is the unit cube centred at `centreA` whose edges run along the
// columns of `axesA`; likewise B.
bool CubesOverlap(const Point& centreA, const Matrix& axesA, const Point& centreB, const Matrix& axesB,
                  double play = kTouchTolerance);

}  // namespace zv
