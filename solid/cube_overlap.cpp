// The separating-axis test for two unit cubes.
#include "solid/cube_overlap.h"

#include <cmath>

namespace zv {
namespace {

Point Column(const Matrix& m, int i) { return {m[0][i], m[1][i], m[2][i]}; }

// Half the length of a unit cube's projection onto `axis` (not normalised:
// the result is scaled like the axis).
double Reach(const Matrix& axes, const Point& axis) {
  return 0.5 * (std::abs(Dot(Column(axes, 0), axis)) + std::abs(Dot(Column(axes, 1), axis)) +
                std::abs(Dot(Column(axes, 2), axis)));
}

}  // namespace

bool CubesOverlap(const Point& centreA, const Matrix& axesA, const Point& centreB, const Matrix& axesB,
                  double play) {
  if (Apart(centreA, centreB)) return false;
  const Point gap = centreB - centreA;
  auto separates = [&](const Point& axis) {
    const double length = Length(axis);
    if (length < 1e-9) return false;  // parallel edges: the face normals decide
    return std::abs(Dot(gap, axis)) >= Reach(axesA, axis) + Reach(axesB, axis) - play * length;
  };
  for (int i = 0; i < 3; ++i)
    if (separates(Column(axesA, i)) || separates(Column(axesB, i))) return false;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      if (separates(Cross(Column(axesA, i), Column(axesB, j)))) return false;
  return true;
}

}  // namespace zv
