// Rigid motions: vector and matrix arithmetic, and turns about a line by
// Rodrigues' formula.
#include "solid/rigid.h"

#include <algorithm>
#include <cmath>

namespace zv {

Point operator+(const Point& a, const Point& b) { return {a[0] + b[0], a[1] + b[1], a[2] + b[2]}; }
Point operator-(const Point& a, const Point& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
Point operator*(double s, const Point& a) { return {s * a[0], s * a[1], s * a[2]}; }
double Dot(const Point& a, const Point& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
Point Cross(const Point& a, const Point& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
double Length(const Point& a) { return std::sqrt(Dot(a, a)); }
Point ToPoint(const Vec3& v) { return {double(v[0]), double(v[1]), double(v[2])}; }

Matrix Multiply(const Matrix& a, const Matrix& b) {
  Matrix m{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      for (int k = 0; k < 3; ++k) m[i][j] += a[i][k] * b[k][j];
  return m;
}

Point Apply(const Matrix& m, const Point& p) { return {Dot(m[0], p), Dot(m[1], p), Dot(m[2], p)}; }

Matrix Transposed(const Matrix& m) {
  Matrix t{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) t[i][j] = m[j][i];
  return t;
}

Matrix RotationMatrix(Rotation r) {
  Matrix m{};
  const std::array<Vec3, 3>& images = RotationImages(r);
  for (int column = 0; column < 3; ++column)
    for (int row = 0; row < 3; ++row) m[row][column] = images[column][row];
  return m;
}

Rigid Rigid::After(const Rigid& first) const { return {Multiply(r, first.r), Apply(first.t)}; }

Rigid Rigid::Inverse() const {
  const Matrix back = Transposed(r);
  return {back, -1.0 * zv::Apply(back, t)};
}

Rigid Rigid::Move(const Point& by) { return {Rigid{}.r, by}; }

Rigid Rigid::Turn(const Point& point, const Point& axis, double angle) {
  const double c = std::cos(angle), s = std::sin(angle), v = 1 - c;
  const double x = axis[0], y = axis[1], z = axis[2];
  Rigid turn;
  turn.r = {{{c + x * x * v, x * y * v - z * s, x * z * v + y * s},
             {y * x * v + z * s, c + y * y * v, y * z * v - x * s},
             {z * x * v - y * s, z * y * v + x * s, c + z * z * v}}};
  turn.t = point - zv::Apply(turn.r, point);
  return turn;
}

double Distance(const Rigid& a, const Rigid& b) {
  double d = 0;
  for (int i = 0; i < 3; ++i) {
    d = std::max(d, std::abs(a.t[i] - b.t[i]));
    for (int j = 0; j < 3; ++j) d = std::max(d, std::abs(a.r[i][j] - b.r[i][j]));
  }
  return d;
}

}  // namespace zv
