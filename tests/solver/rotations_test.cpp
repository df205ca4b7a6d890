// The rotation and symmetry tables against the printed rotation table and
// against the geometry they stand for.
#include "solver/rotations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace zv {
namespace {

struct PrintedRow {
  const char* images;  // where +x, +y, +z go
  std::array<int, 6> faces;
  std::array<int, 12> edges;
  int inverse;
  int code;
};

// clang-format off
const std::array<PrintedRow, 24> kPrinted{{
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

Vec3 ParseAxis(const std::string& word) {
  Vec3 v{0, 0, 0};
  v[word[1] - 'x'] = word[0] == '-' ? -1 : 1;
  return v;
}

TEST(RotationTable, MatchesThePrintedTableRowByRow) {
  for (int r = 0; r < kRotationCount; ++r) {
    SCOPED_TRACE("rotation " + std::to_string(r));
    const PrintedRow& row = kPrinted[r];
    const std::string images = row.images;
    for (int axis = 0; axis < 3; ++axis) EXPECT_EQ(RotationImages(r)[axis], ParseAxis(images.substr(3 * axis, 2)));
    for (int f = 0; f < kFaceCount; ++f) EXPECT_EQ(RotateFace(r, f), row.faces[f]) << "face " << f;
    for (int e = 0; e < kEdgeCount; ++e) EXPECT_EQ(RotateEdge(r, e), row.edges[e]) << "edge " << e;
    EXPECT_EQ(InverseRotation(r), row.inverse);
    EXPECT_EQ(CodeOfRotation(r), row.code);
  }
}

TEST(RotationTable, NamedCompositions) {
  EXPECT_EQ(ComposeRotations(1, 1), 3);  // half turn about x
  EXPECT_EQ(ComposeRotations(2, 1), 13);
  EXPECT_EQ(ComposeRotations(1, 2), 7);
  EXPECT_EQ(ComposeRotations(7, 18), 0);
  // Rotation 22 is the half turn about z.
  EXPECT_EQ(RotateEdge(22, 0), 2);
  EXPECT_EQ(RotateEdge(22, 4), 5);
  EXPECT_EQ(CodeOfRotation(22), 3);
}

TEST(RotationTable, CompositionActsAsOneRotationAfterTheOther) {
  for (int j = 0; j < kRotationCount; ++j)
    for (int k = 0; k < kRotationCount; ++k) {
      const Rotation t = ComposeRotations(j, k);
      for (int e = 0; e < kEdgeCount; ++e) ASSERT_EQ(RotateEdge(t, e), RotateEdge(k, RotateEdge(j, e))) << j << " then " << k;
      for (int f = 0; f < kFaceCount; ++f) ASSERT_EQ(RotateFace(t, f), RotateFace(k, RotateFace(j, f))) << j << " then " << k;
    }
  for (int r = 0; r < kRotationCount; ++r) {
    EXPECT_EQ(ComposeRotations(r, InverseRotation(r)), 0);
    EXPECT_EQ(ComposeRotations(InverseRotation(r), r), 0);
  }
}

TEST(RotationTable, EdgeRowsArePermutationsKeepingTheThreeGroups) {
  std::set<std::array<int, 12>> rows;
  for (int r = 0; r < kRotationCount; ++r) {
    std::array<int, 12> row{};
    for (int e = 0; e < kEdgeCount; ++e) row[e] = RotateEdge(r, e);
    std::array<int, 12> sorted = row;
    std::sort(sorted.begin(), sorted.end());
    for (int e = 0; e < kEdgeCount; ++e) EXPECT_EQ(sorted[e], e) << "rotation " << r;
    for (int group = 0; group < 3; ++group)
      for (int i = 1; i < 4; ++i) EXPECT_EQ(row[4 * group + i] / 4, row[4 * group] / 4) << "rotation " << r;
    rows.insert(row);
  }
  EXPECT_EQ(rows.size(), 24u);
}

TEST(RotationTable, SymmetryCodeOfARotationActsLikeTheRotation) {
  std::set<int> codes;
  for (int r = 0; r < kRotationCount; ++r) {
    codes.insert(CodeOfRotation(r));
    for (const Vec3& v : kEdgeVector) EXPECT_EQ(ApplySymmetryToVector(CodeOfRotation(r), v), RotateVector(r, v));
    for (int e = 0; e < kEdgeCount; ++e) EXPECT_EQ(ApplySymmetryToEdge(CodeOfRotation(r), e), RotateEdge(r, e));
  }
  EXPECT_EQ(codes.size(), 24u);
}

// The determinant of a signed permutation: the permutation's parity times
// the sign of every mirrored axis.
int Determinant(int code) {
  const auto& p = kAxisPermutations[code / 8];
  int inversions = 0;
  for (int i = 0; i < 3; ++i)
    for (int j = i + 1; j < 3; ++j) inversions += p[i] > p[j];
  int sign = inversions % 2 ? -1 : 1;
  for (int i = 0; i < 3; ++i)
    if (code >> i & 1) sign = -sign;
  return sign;
}

TEST(SymmetryCodes, RotationsAreExactlyTheCodesWithDeterminantPlusOne) {
  std::set<int> rotationCodes;
  for (int r = 0; r < kRotationCount; ++r) rotationCodes.insert(CodeOfRotation(r));
  for (int code = 0; code < kSymmetryCount; ++code) EXPECT_EQ(rotationCodes.count(code) == 1, Determinant(code) == 1) << code;
}

TEST(SymmetryCodes, CellsMirrorWithTheSourceAxisExtent) {
  EXPECT_EQ(ApplySymmetryToCell(1, {0, 2, 0}, {5, 3, 3}), (Vec3{4, 2, 0}));
  EXPECT_EQ(ApplySymmetryToCell(8, {1, 2, 0}, {5, 3, 3}), (Vec3{1, 0, 2}));
  // Swap x and y (permutation 2) and mirror source x of extent 5: x' = y, y' = 4 - x.
  EXPECT_EQ(ApplySymmetryToCell(17, {1, 2, 0}, {5, 3, 3}), (Vec3{2, 3, 0}));
  EXPECT_EQ(ApplySymmetryToCell(0, {3, 1, 2}, {5, 3, 3}), (Vec3{3, 1, 2}));
}

TEST(SymmetryCodes, EveryCodeMapsABoxOntoItsPermutedBox) {
  const Vec3 extents{2, 3, 4};
  for (int code = 0; code < kSymmetryCount; ++code) {
    const auto& p = kAxisPermutations[code / 8];
    Vec3 imageExtents{};
    for (int i = 0; i < 3; ++i) imageExtents[p[i]] = extents[i];
    std::set<Vec3> images;
    for (int x = 0; x < 2; ++x)
      for (int y = 0; y < 3; ++y)
        for (int z = 0; z < 4; ++z) {
          const Vec3 c = ApplySymmetryToCell(code, {x, y, z}, extents);
          for (int a = 0; a < 3; ++a) ASSERT_TRUE(c[a] >= 0 && c[a] < imageExtents[a]) << "code " << code;
          images.insert(c);
        }
    EXPECT_EQ(images.size(), 24u) << "code " << code;
  }
}

TEST(SymmetryCodes, EdgesFollowTheirVectors) {
  EXPECT_EQ(ApplySymmetryToEdge(1, 2), 3);  // (+1, +1, 0) mirrored in x
  EXPECT_EQ(EdgeOfVector({1, 0, 0}), -1);
  EXPECT_EQ(EdgeOfVector({1, 1, 1}), -1);
  for (int code = 0; code < kSymmetryCount; ++code) {
    std::set<int> images;
    for (int e = 0; e < kEdgeCount; ++e) images.insert(ApplySymmetryToEdge(code, e));
    EXPECT_EQ(images.size(), 12u) << "code " << code;
  }
}

TEST(Directions, OffsetsAgreeWithVectors) {
  auto offset = [](const Vec3& v) { return v[0] + 32 * v[1] + 1024 * v[2]; };
  for (int f = 0; f < kFaceCount; ++f) {
    EXPECT_EQ(kFaceOffset[f], offset(kFaceVector[f]));
    EXPECT_EQ(NeighbourOffset(f), kFaceOffset[f]);
    EXPECT_EQ(FaceOfVector(kFaceVector[f]), f);
  }
  for (int e = 0; e < kEdgeCount; ++e) {
    EXPECT_EQ(kEdgeDiagonalOffset[e], offset(kEdgeVector[e])) << "edge " << e;
    EXPECT_EQ(NeighbourOffset(6 + e), kEdgeDiagonalOffset[e]);
    // The bordering faces add up to the edge's vector, lower axis first.
    const auto [a, b] = kEdgeFaces[e];
    Vec3 sum{};
    for (int i = 0; i < 3; ++i) sum[i] = kFaceVector[a][i] + kFaceVector[b][i];
    EXPECT_EQ(sum, kEdgeVector[e]) << "edge " << e;
    EXPECT_LT(a / 2, b / 2);
  }
}

}  // namespace
}  // namespace zv
