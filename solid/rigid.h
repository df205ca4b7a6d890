// Rigid motions of space in doubles: a rotation matrix and a translation,
// composed, applied and built from the solver's numbered rotations or from a
// turn about a line. A cube's pose is the motion that carries its figure
// position (the cube's centre in the flat figure) to where it stands.
//
// Usage:
//   zv::Rigid r = zv::Rigid::Turn({0.5, 0, -0.5}, {0, 1, 0}, std::numbers::pi / 2);
//   zv::Point p = r.Apply({1, 0, 0});
#pragma once

#include <array>

#include "solver/rotations.h"

namespace zv {

using Point = std::array<double, 3>;                  // x, y, z; one unit = one cube edge
using Matrix = std::array<std::array<double, 3>, 3>;  // m[row][column]

Point operator+(const Point& a, const Point& b);
Point operator-(const Point& a, const Point& b);
Point operator*(double s, const Point& a);
double Dot(const Point& a, const Point& b);
Point Cross(const Point& a, const Point& b);
double Length(const Point& a);
Point ToPoint(const Vec3& v);

Matrix Multiply(const Matrix& a, const Matrix& b);
Point Apply(const Matrix& m, const Point& p);
Matrix Transposed(const Matrix& m);
// The matrix of the solver's rotation r (column i: the image of unit vector i).
Matrix RotationMatrix(Rotation r);

struct Rigid {
  Matrix r{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
  Point t{0, 0, 0};  // p -> r * p + t

  Point Apply(const Point& p) const { return zv::Apply(r, p) + t; }
  // This motion after `first`: p -> this(first(p)).
  Rigid After(const Rigid& first) const;
  Rigid Inverse() const;

  static Rigid Move(const Point& by);
  // The turn by `angle` radians about the line through `point` along the
  // unit vector `axis`, counter-clockwise when the axis points at the viewer.
  static Rigid Turn(const Point& point, const Point& axis, double angle);
};

// The largest difference of two motions' matrix entries and translations.
double Distance(const Rigid& a, const Rigid& b);

}  // namespace zv
