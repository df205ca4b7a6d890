// The rotation tables, built at compile time from the two generating quarter
// turns and the fixed list of products that gives every rotation its number.
#include "solver/rotations.h"

namespace zv {
namespace {

using Matrix = std::array<Vec3, 3>;  // images of +x, +y, +z

constexpr Vec3 Apply(const Matrix& m, const Vec3& v) {
  Vec3 out{0, 0, 0};
  for (int i = 0; i < 3; ++i)
    for (int a = 0; a < 3; ++a) out[a] += v[i] * m[i][a];
  return out;
}

// a first, then b.
constexpr Matrix Then(const Matrix& a, const Matrix& b) {
  return {Apply(b, a[0]), Apply(b, a[1]), Apply(b, a[2])};
}

constexpr int FindEdge(const Vec3& v) {
  for (int e = 0; e < kEdgeCount; ++e)
    if (kEdgeVector[e] == v) return e;
  return -1;
}

constexpr int FindFace(const Vec3& v) {
  for (int f = 0; f < kFaceCount; ++f)
    if (kFaceVector[f] == v) return f;
  return -1;
}

constexpr Vec3 SymmetryOfVector(int code, const Vec3& v) {
  const auto& perm = kAxisPermutations[code / 8];
  Vec3 out{0, 0, 0};
  for (int i = 0; i < 3; ++i) out[perm[i]] = (code >> i & 1) ? -v[i] : v[i];
  return out;
}

struct Tables {
  std::array<Matrix, kRotationCount> images{};
  std::array<std::array<FaceDir, kFaceCount>, kRotationCount> face{};
  std::array<std::array<CubeEdge, kEdgeCount>, kRotationCount> edge{};
  std::array<Rotation, kRotationCount> inverse{};
  std::array<std::array<Rotation, kRotationCount>, kRotationCount> compose{};
  std::array<SymmetryCode, kRotationCount> code{};
};

// Rotation 1 is the quarter turn about x taking +y to -z, rotation 2 the
// quarter turn about y taking +x to +z; rotation i >= 3 is pair[i-3].first
// followed by pair[i-3].second.
constexpr Matrix kQuarterX{{{1, 0, 0}, {0, 0, -1}, {0, 1, 0}}};
constexpr Matrix kQuarterY{{{0, 0, 1}, {0, 1, 0}, {-1, 0, 0}}};
constexpr std::array<std::array<int, 2>, 21> kProducts{
    {{1, 1}, {3, 1}, {2, 2}, {5, 2}, {1, 2}, {1, 5}, {1, 6}, {4, 2}, {4, 5}, {4, 6}, {2, 1},
     {2, 3}, {2, 4}, {6, 1}, {6, 3}, {6, 4}, {7, 1}, {9, 1}, {7, 4}, {8, 4}, {9, 4}}};

constexpr int AxisOf(const Vec3& unit) { return unit[0] != 0 ? 0 : unit[1] != 0 ? 1 : 2; }

constexpr Tables Build() {
  Tables t;
  t.images[0] = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
  t.images[1] = kQuarterX;
  t.images[2] = kQuarterY;
  for (int i = 3; i < kRotationCount; ++i)
    t.images[i] = Then(t.images[kProducts[i - 3][0]], t.images[kProducts[i - 3][1]]);

  // A rotation is fixed by where it sends edges 0 and 1.
  std::array<std::array<int, kEdgeCount>, kEdgeCount> byEdges{};
  for (int r = 0; r < kRotationCount; ++r) {
    const Matrix& m = t.images[r];
    for (int f = 0; f < kFaceCount; ++f)
      t.face[r][f] = static_cast<FaceDir>(FindFace(Apply(m, kFaceVector[f])));
    for (int e = 0; e < kEdgeCount; ++e)
      t.edge[r][e] = static_cast<CubeEdge>(FindEdge(Apply(m, kEdgeVector[e])));
    byEdges[t.edge[r][0]][t.edge[r][1]] = r;
  }
  for (int r = 0; r < kRotationCount; ++r) {
    const Matrix& m = t.images[r];
    for (int k = 0; k < kRotationCount; ++k) {
      const int product = byEdges[t.edge[k][t.edge[r][0]]][t.edge[k][t.edge[r][1]]];
      t.compose[r][k] = static_cast<Rotation>(product);
      if (product == 0) t.inverse[r] = static_cast<Rotation>(k);
    }
    // The permutation sends x and y where the rotation does; the mirror bits
    // are the signs of the three images.
    int mirror = 0;
    for (int i = 0; i < 3; ++i)
      if (m[i][AxisOf(m[i])] < 0) mirror |= 1 << i;
    for (int p = 0; p < 6; ++p)
      if (kAxisPermutations[p][0] == AxisOf(m[0]) && kAxisPermutations[p][1] == AxisOf(m[1]))
        t.code[r] = static_cast<SymmetryCode>(8 * p + mirror);
  }
  return t;
}

constexpr Tables kTables = Build();

}  // namespace

FaceDir RotateFace(Rotation r, FaceDir f) { return kTables.face[r][f]; }
CubeEdge RotateEdge(Rotation r, CubeEdge e) { return kTables.edge[r][e]; }
Rotation InverseRotation(Rotation r) { return kTables.inverse[r]; }
Rotation ComposeRotations(Rotation j, Rotation k) { return kTables.compose[j][k]; }
SymmetryCode CodeOfRotation(Rotation r) { return kTables.code[r]; }
const std::array<Vec3, 3>& RotationImages(Rotation r) { return kTables.images[r]; }
Vec3 RotateVector(Rotation r, const Vec3& v) { return Apply(kTables.images[r], v); }

Vec3 ApplySymmetryToCell(SymmetryCode code, const Vec3& c, const Vec3& extents) {
  const auto& perm = kAxisPermutations[code / 8];
  Vec3 out{0, 0, 0};
  for (int i = 0; i < 3; ++i) out[perm[i]] = (code >> i & 1) ? extents[i] - 1 - c[i] : c[i];
  return out;
}

Vec3 ApplySymmetryToVector(SymmetryCode code, const Vec3& v) { return SymmetryOfVector(code, v); }
int EdgeOfVector(const Vec3& v) { return FindEdge(v); }
int FaceOfVector(const Vec3& v) { return FindFace(v); }

CubeEdge ApplySymmetryToEdge(SymmetryCode code, CubeEdge e) {
  return static_cast<CubeEdge>(FindEdge(SymmetryOfVector(code, kEdgeVector[e])));
}

}  // namespace zv
