// Builds the solid geometry of a stored solution from the link analysis.
#include "solid/solid_solution.h"

#include <algorithm>

#include "model/task.h"
#include "solver/side_codes.h"

namespace zv {

Vec3 FormCellCoordinates(CellIndex cell) { return {FormCellX(cell), FormCellY(cell), FormCellZ(cell)}; }

Rigid SolidSolution::Placed(CubeIndex k) const {
  Rigid m;
  m.r = RotationMatrix(rotation[k.value()]);
  m.t = ToPoint(formCell[k.value()]) - Apply(m.r, FigureCentre(k));
  return m;
}

namespace {

// The line a link turns about, seen from cube `a` standing at `centre`.
void LinkLine(int side, const Point& centre, SolidLink& link) {
  if (IsEdgeHingeSide(side)) {
    const Vec3& v = kEdgeVector[kEdgeSides[side].edge];
    link.kind = SolidLinkKind::EdgeHinge;
    link.point = centre + 0.5 * ToPoint(v);
    for (int axis = 0; axis < 3; ++axis) link.axis[axis] = v[axis] == 0 ? 1 : 0;
    return;
  }
  link.kind = IsFaceAxisSide(side) ? SolidLinkKind::FaceAxisHinge : SolidLinkKind::Rigid;
}

}  // namespace

SolidSolution MakeSolidSolution(const LinkAnalysis& links, const StoredSolution& solution) {
  SolidSolution s;
  const int count = links.cubeCount;
  s.cubeCount = count;
  s.blockCount = links.blockCount;
  s.partCount = links.partCount;
  s.figureCell.resize(count);
  s.formCell.resize(count);
  s.rotation.resize(count);
  s.block.resize(count);
  s.part.resize(count);
  for (int k = 0; k < count; ++k) {
    const int cell = links.cellOfCube[k];
    s.figureCell[k] = {cell % 32 - 1, cell / 32 - 1, 0};
    s.block[k] = links.blockLabel[k] - 1;
    s.part[k] = links.partLabel[k] - 1;
  }
  s.boxMin = {1000, 1000, 1000};
  s.boxMax = {-1000, -1000, -1000};
  for (CellNumber n(0); n.value() < solution.Size(); ++n) {
    if (!solution.CubeAt(n).valid()) continue;
    const int k = solution.CubeAt(n).value();
    s.formCell[k] = FormCellCoordinates(solution.CellAt(n));
    s.rotation[k] = solution.RotationAt(n);
    for (int axis = 0; axis < 3; ++axis) {
      s.boxMin[axis] = std::min(s.boxMin[axis], s.formCell[k][axis]);
      s.boxMax[axis] = std::max(s.boxMax[axis], s.formCell[k][axis]);
    }
  }
  for (int a = 0; a < count; ++a)
    for (int i = 0; i < links.linkCount[a]; ++i) {
      const LinkEntry& e = links.cubeLinks[a][i];
      if (e.partner < a) continue;
      SolidLink link;
      link.a = CubeIndex(a);
      link.b = CubeIndex(e.partner);
      link.side = e.side;
      const Point centreA = s.FigureCentre(link.a), centreB = s.FigureCentre(link.b);
      link.point = 0.5 * (centreA + centreB);  // the shared face's centre
      link.axis = centreB - centreA;
      LinkLine(e.side, centreA, link);
      s.links.push_back(link);
    }
  return s;
}

}  // namespace zv
