// The figure read afresh for checking solutions, without the program's link
// analysis or solver tables: cubes with their figure positions, every link
// with its kind and hinge edges, rigid blocks, the form's cells in z, y, x
// order, and whether one link holds between two placed cubes.
//
//   zv::test::FigureModel fm = zv::test::ReadFigureModel(task.figure);
//   bool ok = zv::test::LinkHolds(fm, fm.links[0], posA, rotA, posB, rotB);
//
// A placed cube is its cell (x, y, z) and a rotation number; its body is the
// figure carried by T(p) = cell + R * (p - figure position). Points on cube
// edges and faces are kept in doubled coordinates so they stay integral.
#pragma once

#include <algorithm>
#include <array>
#include <numeric>
#include <string>
#include <vector>

#include "model/task.h"
#include "tests/support/rotation_table.h"

namespace zv::test {

enum class CheckedLinkKind { EdgeHinge, FaceAxisHinge, Rigid };

// One link bit: both cubes relative to the storing cell and, for an edge
// hinge, the hinge edge as each cube sees it in its own frame.
struct CheckedLinkBit {
  CheckedLinkKind kind;
  int firstDx, firstDy, secondDx, secondDy;
  int firstEdge, secondEdge;  // -1 unless an edge hinge
};

// clang-format off
inline constexpr std::array<CheckedLinkBit, 15> kCheckedLinkBits{{
    {CheckedLinkKind::Rigid,          0,  0,  0,  0, -1, -1},  // unused
    {CheckedLinkKind::EdgeHinge,     -1,  0,  0,  0,  5,  4},  // EdgeX1: face towards z-1
    {CheckedLinkKind::EdgeHinge,     -1,  0,  0,  0,  6,  7},  // EdgeX2: face towards z+1
    {CheckedLinkKind::EdgeHinge,      0, -1,  0,  0,  9,  8},  // EdgeY1
    {CheckedLinkKind::EdgeHinge,      0, -1,  0,  0, 10, 11},  // EdgeY2
    {CheckedLinkKind::EdgeHinge,     -1, -1, -1,  0,  2,  1},  // CornerYLeft
    {CheckedLinkKind::EdgeHinge,      0, -1,  0,  0,  3,  0},  // CornerYRight
    {CheckedLinkKind::EdgeHinge,     -1, -1,  0, -1,  2,  3},  // CornerXUpper
    {CheckedLinkKind::EdgeHinge,     -1,  0,  0,  0,  1,  0},  // CornerXLower
    {CheckedLinkKind::EdgeHinge,     -1, -1,  0,  0,  2,  0},  // CornerDiag
    {CheckedLinkKind::EdgeHinge,      0, -1, -1,  0,  3,  1},  // CornerAntiDiag
    {CheckedLinkKind::FaceAxisHinge,  0,  0, -1,  0, -1, -1},  // AxisX
    {CheckedLinkKind::FaceAxisHinge,  0,  0,  0, -1, -1, -1},  // AxisY
    {CheckedLinkKind::Rigid,          0,  0, -1,  0, -1, -1},  // RigidX
    {CheckedLinkKind::Rigid,          0,  0,  0, -1, -1, -1},  // RigidY
}};

// Twice the offset of each cube edge's midpoint from the cube's centre.
inline constexpr std::array<Point3, 12> kCheckedEdgeVectors{{
    {-1, -1,  0}, {+1, -1,  0}, {+1, +1,  0}, {-1, +1,  0},
    {-1,  0, -1}, {+1,  0, -1}, {+1,  0, +1}, {-1,  0, +1},
    { 0, -1, -1}, { 0, +1, -1}, { 0, +1, +1}, { 0, -1, +1}}};
// clang-format on

struct CheckedLink {
  int a, b;  // cube indexes of the first and the second cube
  CheckedLinkKind kind;
  int edgeA, edgeB;  // hinge edge in each cube's own frame, -1 unless an edge hinge
  int bit;           // the link bit, for messages
};

struct FigureModel {
  std::vector<Point3> at;  // figure position (x, y, 0) of each cube index
  std::vector<CheckedLink> links;
  std::vector<int> blockOf;  // block index of each cube, blocks numbered by lowest cube
  int blockCount = 0;
  std::string problem;  // non-empty when the figure has a link that no cube pair carries
};

inline FigureModel ReadFigureModel(const FigureState& f) {
  FigureModel fm;
  std::array<int, kFigureGrid> cubeAt;
  cubeAt.fill(-1);
  for (int y = 0; y < f.FigureDepth; ++y)
    for (int x = 0; x < f.FigureWidth; ++x)
      if (f.Cells[FigureCellIndex(x, y)] & 1) {
        cubeAt[FigureCellIndex(x, y)] = static_cast<int>(fm.at.size());
        fm.at.push_back({x, y, 0});
      }
  for (int y = 0; y <= f.FigureDepth; ++y)
    for (int x = 0; x <= f.FigureWidth; ++x)
      for (int bit = 1; bit <= 14; ++bit) {
        if (!(f.Cells[FigureCellIndex(x, y)] >> bit & 1)) continue;
        const CheckedLinkBit& info = kCheckedLinkBits[bit];
        const int fx = x + info.firstDx, fy = y + info.firstDy, sx = x + info.secondDx,
                  sy = y + info.secondDy;
        const bool inside = fx >= 0 && fy >= 0 && sx >= 0 && sy >= 0 && fx < f.FigureWidth &&
                            sx < f.FigureWidth && fy < f.FigureDepth && sy < f.FigureDepth;
        const int a = inside ? cubeAt[FigureCellIndex(fx, fy)] : -1;
        const int b = inside ? cubeAt[FigureCellIndex(sx, sy)] : -1;
        if (a < 0 || b < 0) {
          fm.problem = "link bit " + std::to_string(bit) + " at (" + std::to_string(x) + ", " +
                       std::to_string(y) + ") joins a missing cube";
          continue;
        }
        fm.links.push_back({a, b, info.kind, info.firstEdge, info.secondEdge, bit});
      }
  // Blocks: cubes joined through rigid joints, by repeated relabelling.
  const int count = static_cast<int>(fm.at.size());
  std::vector<int> root(count);
  std::iota(root.begin(), root.end(), 0);
  for (bool changed = true; changed;) {
    changed = false;
    for (const CheckedLink& l : fm.links)
      if (l.kind == CheckedLinkKind::Rigid && root[l.a] != root[l.b]) {
        const int low = std::min(root[l.a], root[l.b]);
        const int high = std::max(root[l.a], root[l.b]);
        for (int& r : root)
          if (r == high) r = low;
        changed = true;
      }
  }
  fm.blockOf.assign(count, -1);
  std::vector<int> blockOfRoot(count, -1);
  for (int k = 0; k < count; ++k) {
    if (blockOfRoot[root[k]] < 0) blockOfRoot[root[k]] = fm.blockCount++;
    fm.blockOf[k] = blockOfRoot[root[k]];
  }
  return fm;
}

struct FormCellList {
  std::vector<Point3> cells;  // (x, y, z) of each form cell number, in z, y, x order
  Point3 extents{0, 0, 0};    // FormWidth, FormDepth, FormHeight
  std::vector<int> numberAt;  // form cell number at x + 32*y + 1024*z, -1 for none

  int NumberAt(const Point3& c) const {
    for (int a = 0; a < 3; ++a)
      if (c[a] < 0 || c[a] >= extents[a]) return -1;
    return numberAt[c[0] + 32 * c[1] + 1024 * c[2]];
  }
};

inline FormCellList ListFormCells(const FormState& form) {
  FormCellList list;
  list.extents = {form.FormWidth, form.FormDepth, form.FormHeight};
  list.numberAt.assign(32 * 32 * 32, -1);
  for (int z = 0; z < form.FormHeight; ++z)
    for (int y = 0; y < form.FormDepth; ++y)
      for (int x = 0; x < form.FormWidth; ++x)
        if (form.At(FormCellIndex(x, y, z)) == 1) {
          list.numberAt[x + 32 * y + 1024 * z] = static_cast<int>(list.cells.size());
          list.cells.push_back({x, y, z});
        }
  return list;
}

// Whether link l holds with its first cube at cell posA in rotation rotA and
// its second at posB in rotB. The second body must be the first one's, turned
// by some S about the link's line: a rigid joint allows only S = identity, a
// face-axis hinge turns about the line through both centres, an edge hinge
// about the hinge edge. So R_b = R_a * S with S fixing the line's direction u,
// and the second cube's centre is where T_a puts the figure centre turned by
// S about the line's point m.
inline bool LinkHolds(const FigureModel& fm, const CheckedLink& l, const Point3& posA, int rotA,
                      const Point3& posB, int rotB) {
  const Matrix3& ra = kRotationMatrices[rotA];
  const Matrix3& rb = kRotationMatrices[rotB];
  const Matrix3 s = Multiply(Transpose(ra), rb);
  const Point3 fa2 = Scale(2, fm.at[l.a]);
  const Point3 fb2 = Scale(2, fm.at[l.b]);
  Point3 m2{}, u{};
  if (l.kind == CheckedLinkKind::EdgeHinge) {
    m2 = Add(fa2, kCheckedEdgeVectors[l.edgeA]);
    if (Add(fb2, kCheckedEdgeVectors[l.edgeB]) != m2) return false;  // the two edges are not one line
    for (int axis = 0; axis < 3; ++axis) u[axis] = kCheckedEdgeVectors[l.edgeA][axis] == 0 ? 1 : 0;
    // The edge's midpoint, placed through either cube, is the same point.
    if (Add(Scale(2, posA), Apply(ra, kCheckedEdgeVectors[l.edgeA])) !=
        Add(Scale(2, posB), Apply(rb, kCheckedEdgeVectors[l.edgeB])))
      return false;
  } else {
    m2 = Add(fm.at[l.a], fm.at[l.b]);  // the centre of the shared face, doubled
    u = Sub(fm.at[l.b], fm.at[l.a]);
  }
  if (l.kind == CheckedLinkKind::Rigid) {
    if (s != Matrix3{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}}) return false;
  } else if (Apply(s, u) != u) {
    return false;
  }
  const Point3 turned = Add(Sub(m2, fa2), Apply(s, Sub(fb2, m2)));
  return Scale(2, Sub(posB, posA)) == Apply(ra, turned);
}

}  // namespace zv::test
