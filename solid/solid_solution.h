// One stored solution as solid geometry: every cube's figure position, the
// form cell it lands in and its rotation, its block and part, and every link
// once with the line it turns about in the flat figure.
//
// Usage:
//   zv::SolidSolution s = zv::MakeSolidSolution(links, solver.Solution(i));
//   zv::Rigid placed = s.Placed(zv::CubeIndex(0));       // carries cube 0's figure position to its form cell
//
// Frame: the solver's (x to the right, y downward, z the form layer), one
// unit per cube edge, a cube's centre at its cell's integer coordinates. The
// figure lies in layer z = 0; layer z - 1 is above layer z (the figure's
// upper face is its face towards z - 1).
#pragma once

#include <vector>

#include "model/strong_index.h"
#include "model/validation.h"
#include "solid/rigid.h"
#include "solver/stored_solution.h"

namespace zv {

enum class SolidLinkKind { Rigid, FaceAxisHinge, EdgeHinge };

struct SolidLink {
  CubeIndex a, b;  // a < b
  int side = 0;    // link side code at a's end
  SolidLinkKind kind = SolidLinkKind::Rigid;
  Point point{};  // figure frame: a point on the hinge line (edge midpoint or face centre)
  Point axis{};   // unit direction of that line (for a rigid joint: towards b)
};

struct SolidSolution {
  int cubeCount = 0;
  int blockCount = 0;
  int partCount = 0;
  std::vector<Vec3> figureCell;    // (x, y, 0) of each cube
  std::vector<Vec3> formCell;      // (x, y, z) the cube lands in
  std::vector<Rotation> rotation;  // of each cube (all cubes of a block alike)
  std::vector<int> block, part;    // of each cube, from 0
  std::vector<SolidLink> links;    // every link once, in cube index order of a
  Vec3 boxMin{}, boxMax{};         // the occupied form cells' smallest and largest coordinates

  // The motion that carries cube k from its figure position to its form cell.
  Rigid Placed(CubeIndex k) const;
  Point FigureCentre(CubeIndex k) const { return ToPoint(figureCell[k.value()]); }
};

SolidSolution MakeSolidSolution(const LinkAnalysis& links, const StoredSolution& solution);

// (x, y, z) of a form cell index.
Vec3 FormCellCoordinates(CellIndex cell);

}  // namespace zv
