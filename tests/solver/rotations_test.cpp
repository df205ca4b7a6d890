// The rotation and symmetry tables against the printed rotation table and
// against the geometry they stand for.
#include "solver/rotations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "tests/support/rotation_table.h"

namespace zv {
namespace {

TEST(RotationTable, MatchesThePrintedTableRowByRow) {
  for (int r = 0; r < kRotationCount; ++r) {
    SCOPED_TRACE("rotation " + std::to_string(r));
    const test::PrintedRotation& row = test::kPrintedRotations[r];
    const test::Matrix3 m = test::RotationMatrix(r);
    for (int axis = 0; axis < 3; ++axis)
      EXPECT_EQ(RotationImages(r)[axis], (Vec3{m[0][axis], m[1][axis], m[2][axis]}));
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
      for (int e = 0; e < kEdgeCount; ++e)
        ASSERT_EQ(RotateEdge(t, e), RotateEdge(k, RotateEdge(j, e))) << j << " then " << k;
      for (int f = 0; f < kFaceCount; ++f)
        ASSERT_EQ(RotateFace(t, f), RotateFace(k, RotateFace(j, f))) << j << " then " << k;
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
    for (const Vec3& v : kEdgeVector)
      EXPECT_EQ(ApplySymmetryToVector(CodeOfRotation(r), v), RotateVector(r, v));
    for (int e = 0; e < kEdgeCount; ++e)
      EXPECT_EQ(ApplySymmetryToEdge(CodeOfRotation(r), e), RotateEdge(r, e));
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
  for (int code = 0; code < kSymmetryCount; ++code)
    EXPECT_EQ(rotationCodes.count(code) == 1, Determinant(code) == 1) << code;
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
