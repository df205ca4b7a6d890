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

// Cube A is the unit cube centred at `centreA` whose edges run along the
// columns of `axesA`; likewise B.
bool CubesOverlap(const Point& centreA, const Matrix& axesA, const Point& centreB, const Matrix& axesB,
                  double play = kTouchTolerance);

}  // namespace zv
