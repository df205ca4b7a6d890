// The 24 numbered cube rotations typed in from the program's printed table,
// for tests that must not trust the solver's generated tables: where +x, +y
// and +z go, the images of face directions and cube edges, the inverse and
// the symmetry code of each rotation.
//
//   zv::test::Matrix3 m = zv::test::RotationMatrix(7);   // +x -> +z, +y -> +x, +z -> +y
//   zv::test::Point3 v = zv::test::Apply(m, {1, 0, 0});  // (0, 0, 1)
#pragma once

#include <array>
#include <string_view>

namespace zv::test {

struct PrintedRotation {
  std::string_view images;  // where +x, +y, +z go, e.g. "+x -z +y"
  std::array<int, 6> faces;
  std::array<int, 12> edges;
  int inverse;
  int code;
};

// clang-format off
inline constexpr std::array<PrintedRotation, 24> kPrintedRotations{{
    {"+x +y +z", {0, 1, 2, 3, 4, 5}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, 0, 0},
    {"+x -z +y", {0, 1, 5, 4, 2, 3}, {7, 6, 5, 4, 0, 1, 2, 3, 11, 8, 9, 10}, 4, 10},
    {"+z +y -x", {4, 5, 2, 3, 1, 0}, {8, 11, 10, 9, 5, 6, 7, 4, 1, 2, 3, 0}, 6, 44},
    {"+x -y -z", {0, 1, 3, 2, 5, 4}, {3, 2, 1, 0, 7, 6, 5, 4, 10, 11, 8, 9}, 3, 6},
    {"+x +z -y", {0, 1, 4, 5, 3, 2}, {4, 5, 6, 7, 3, 2, 1, 0, 9, 10, 11, 8}, 1, 12},
    {"-x +y -z", {1, 0, 2, 3, 5, 4}, {1, 0, 3, 2, 6, 7, 4, 5, 11, 10, 9, 8}, 5, 5},
    {"-z +y +x", {5, 4, 2, 3, 0, 1}, {11, 8, 9, 10, 7, 4, 5, 6, 0, 3, 2, 1}, 2, 41},
    {"+z +x +y", {4, 5, 0, 1, 2, 3}, {4, 7, 6, 5, 8, 11, 10, 9, 0, 1, 2, 3}, 18, 32},
    {"-x +z +y", {1, 0, 4, 5, 2, 3}, {5, 4, 7, 6, 1, 0, 3, 2, 8, 11, 10, 9}, 8, 9},
    {"-z -x +y", {5, 4, 1, 0, 2, 3}, {6, 5, 4, 7, 11, 8, 9, 10, 1, 0, 3, 2}, 15, 35},
    {"+z -x -y", {4, 5, 1, 0, 3, 2}, {5, 6, 7, 4, 9, 10, 11, 8, 2, 3, 0, 1}, 16, 38},
    {"-x -z -y", {1, 0, 5, 4, 3, 2}, {6, 7, 4, 5, 2, 3, 0, 1, 10, 9, 8, 11}, 11, 15},
    {"-z +x -y", {5, 4, 0, 1, 3, 2}, {7, 4, 5, 6, 10, 9, 8, 11, 3, 2, 1, 0}, 13, 37},
    {"+y -z -x", {2, 3, 5, 4, 1, 0}, {11, 10, 9, 8, 1, 2, 3, 0, 6, 5, 4, 7}, 12, 30},
    {"-z -y -x", {5, 4, 3, 2, 1, 0}, {10, 9, 8, 11, 6, 5, 4, 7, 2, 1, 0, 3}, 14, 47},
    {"-y +z -x", {3, 2, 4, 5, 1, 0}, {9, 8, 11, 10, 2, 1, 0, 3, 5, 6, 7, 4}, 9, 29},
    {"-y -z +x", {3, 2, 5, 4, 0, 1}, {10, 11, 8, 9, 3, 0, 1, 2, 7, 4, 5, 6}, 10, 27},
    {"+z -y +x", {4, 5, 3, 2, 0, 1}, {9, 10, 11, 8, 4, 7, 6, 5, 3, 0, 1, 2}, 17, 42},
    {"+y +z +x", {2, 3, 4, 5, 0, 1}, {8, 9, 10, 11, 0, 3, 2, 1, 4, 7, 6, 5}, 7, 24},
    {"+y +x -z", {2, 3, 0, 1, 5, 4}, {0, 3, 2, 1, 11, 10, 9, 8, 7, 6, 5, 4}, 19, 20},
    {"-y -x -z", {3, 2, 1, 0, 5, 4}, {2, 1, 0, 3, 10, 11, 8, 9, 6, 7, 4, 5}, 20, 23},
    {"-y +x +z", {3, 2, 0, 1, 4, 5}, {3, 0, 1, 2, 9, 8, 11, 10, 4, 5, 6, 7}, 23, 17},
    {"-x -y +z", {1, 0, 3, 2, 4, 5}, {2, 3, 0, 1, 5, 4, 7, 6, 9, 8, 11, 10}, 22, 3},
    {"+y -x +z", {2, 3, 1, 0, 4, 5}, {1, 2, 3, 0, 8, 9, 10, 11, 5, 4, 7, 6}, 21, 18},
}};
// clang-format on

using Point3 = std::array<int, 3>;                  // x, y, z
using Matrix3 = std::array<std::array<int, 3>, 3>;  // m[row][column]

// The matrix whose column i is the image of unit vector i.
constexpr Matrix3 RotationMatrix(int r) {
  Matrix3 m{};
  for (int i = 0; i < 3; ++i) {
    const std::string_view word = kPrintedRotations[r].images.substr(3 * i, 2);
    m[word[1] - 'x'][i] = word[0] == '-' ? -1 : 1;
  }
  return m;
}

inline constexpr std::array<Matrix3, 24> kRotationMatrices = [] {
  std::array<Matrix3, 24> table{};
  for (int r = 0; r < 24; ++r) table[r] = RotationMatrix(r);
  return table;
}();

constexpr Point3 Apply(const Matrix3& m, const Point3& v) {
  Point3 out{};
  for (int row = 0; row < 3; ++row) out[row] = m[row][0] * v[0] + m[row][1] * v[1] + m[row][2] * v[2];
  return out;
}

constexpr Matrix3 Multiply(const Matrix3& a, const Matrix3& b) {
  Matrix3 out{};
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 3; ++col)
      for (int k = 0; k < 3; ++k) out[row][col] += a[row][k] * b[k][col];
  return out;
}

constexpr Matrix3 Transpose(const Matrix3& m) {
  Matrix3 out{};
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 3; ++col) out[row][col] = m[col][row];
  return out;
}

constexpr Point3 Add(const Point3& a, const Point3& b) { return {a[0] + b[0], a[1] + b[1], a[2] + b[2]}; }
constexpr Point3 Sub(const Point3& a, const Point3& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
constexpr Point3 Scale(int k, const Point3& a) { return {k * a[0], k * a[1], k * a[2]}; }

}  // namespace zv::test
