// The solver's fixed vocabulary of space: face directions, cube edges, the 24
// rotations of a cube with their stored numbers, and the 48 symmetry codes
// (signed axis permutations). The numbers are stored in solutions, so they
// never change.
//
// Usage:
//   zv::Rotation r = zv::ComposeRotations(1, 2);      // 1 first, then 2: 7
//   zv::CubeEdge e = zv::RotateEdge(r, 5);            // where edge 5 goes
//   zv::Vec3 c = zv::ApplySymmetryToCell(8, {1, 2, 0}, {5, 3, 3});   // (1, 0, 2)
//
// Frame: x is the column (to the right), y the row (downward), z the layer.
// The flat figure lies in layer z = 0.
#pragma once

#include <array>
#include <cstdint>

namespace zv {

using FaceDir = std::uint8_t;       // 0..5: -x, +x, -y, +y, -z, +z
using CubeEdge = std::uint8_t;      // 0..11, named by kEdgeVector
using Rotation = std::uint8_t;      // 0..23, numbered as in kRotationImages
using SymmetryCode = std::uint8_t;  // 0..47: 8 * permutation + mirror bits

using Vec3 = std::array<int, 3>;  // indexed by axis: 0 = x, 1 = y, 2 = z

inline constexpr int kFaceCount = 6;
inline constexpr int kEdgeCount = 12;
inline constexpr int kRotationCount = 24;
inline constexpr int kSymmetryCount = 48;
inline constexpr int kNeighbourCount = 18;  // 6 face directions, then 6 + e across edge e

// clang-format off
// Form cell index offset of the neighbour across each face.
inline constexpr std::array<int, kFaceCount> kFaceOffset{-1, +1, -32, +32, -1024, +1024};

inline constexpr std::array<Vec3, kFaceCount> kFaceVector{{
    {-1, 0, 0}, {+1, 0, 0}, {0, -1, 0}, {0, +1, 0}, {0, 0, -1}, {0, 0, +1}}};

// V[e]: the edge's midpoint lies at V[e]/2 from the cube's centre. Edges
// 0..3 run along z (the grid points at a cell's corners in the views),
// 4..7 along y and 8..11 along x; 4, 5, 8, 9 lie in the face towards z-1.
inline constexpr std::array<Vec3, kEdgeCount> kEdgeVector{{
    {-1, -1,  0}, {+1, -1,  0}, {+1, +1,  0}, {-1, +1,  0},
    {-1,  0, -1}, {+1,  0, -1}, {+1,  0, +1}, {-1,  0, +1},
    { 0, -1, -1}, { 0, +1, -1}, { 0, +1, +1}, { 0, -1, +1}}};

// The two faces bordering each edge, the one on the lower axis first.
inline constexpr std::array<std::array<FaceDir, 2>, kEdgeCount> kEdgeFaces{{
    {0, 2}, {1, 2}, {1, 3}, {0, 3}, {0, 4}, {1, 4}, {1, 5}, {0, 5},
    {2, 4}, {3, 4}, {3, 5}, {2, 5}}};

// Form cell index offset of the cell diagonally across each edge.
inline constexpr std::array<int, kEdgeCount> kEdgeDiagonalOffset{
    -33, -31, +33, +31, -1025, -1023, +1025, +1023, -1056, -992, +1056, +992};

// P for each permutation index p = code / 8: P[i] is the axis onto which
// source axis i is carried.
inline constexpr std::array<std::array<int, 3>, 6> kAxisPermutations{{
    {0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}}};
// clang-format on

// Form cell index offset of neighbour direction n (0..17).
constexpr int NeighbourOffset(int n) {
  return n < kFaceCount ? kFaceOffset[n] : kEdgeDiagonalOffset[n - kFaceCount];
}

FaceDir RotateFace(Rotation r, FaceDir f);
CubeEdge RotateEdge(Rotation r, CubeEdge e);
Rotation InverseRotation(Rotation r);
// The rotation of j first, then k.
Rotation ComposeRotations(Rotation j, Rotation k);
// The symmetry code that acts on vectors as rotation r does.
SymmetryCode CodeOfRotation(Rotation r);
// Images of the unit vectors +x, +y, +z under rotation r (the columns of its matrix).
const std::array<Vec3, 3>& RotationImages(Rotation r);
Vec3 RotateVector(Rotation r, const Vec3& v);

// Cell c inside a box of extents E (both measured from the box's minimum
// corner): on axis P[i] the result holds c[i], or E[i] - 1 - c[i] when source
// axis i is mirrored.
Vec3 ApplySymmetryToCell(SymmetryCode code, const Vec3& c, const Vec3& extents);
// Direction v: the result holds +-v[i] on axis P[i], minus when axis i is mirrored.
Vec3 ApplySymmetryToVector(SymmetryCode code, const Vec3& v);
// The edge e with kEdgeVector[e] == v, or -1 when v names no edge.
int EdgeOfVector(const Vec3& v);
CubeEdge ApplySymmetryToEdge(SymmetryCode code, CubeEdge e);
// The face direction of a unit vector, or -1 when v is none.
int FaceOfVector(const Vec3& v);

}  // namespace zv
