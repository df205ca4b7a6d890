// Marks of a shown solution and of its selected cell.
#include "editor/solution_marks.h"

#include <algorithm>

#include "solver/rotations.h"
#include "solver/side_codes.h"

namespace zv {

namespace {

// Indexed by cube edge 4..11; edges 0..3 run along z and are never drawn as
// bars (-1), since a hinge to another layer always lies on a horizontal edge.
// clang-format off
constexpr int kBarOtherLayer[kEdgeCount] = {-1, -1, -1, -1, 7, 5, 5, 7, 4, 6, 6, 4};
constexpr int kBarSameLayer[kEdgeCount]  = {-1, -1, -1, -1, 3, 1, 5, 7, 0, 2, 6, 4};
// clang-format on

constexpr int kLayerStep = 1024, kRowStep = 32;

// Splits a form cell index difference between two cells at most one step
// apart along each axis into its layer, row and column steps (-1, 0, +1).
struct Steps {
  int dx, dy, dz;
};
Steps SplitDifference(int diff) {
  // diff >= -1057 for such neighbours, so the divisions see no negative value.
  const int dz = (diff + 1057) / kLayerStep - 1;
  const int t = diff - kLayerStep * dz;
  const int dy = (t + 33) / kRowStep - 1;
  return {t - kRowStep * dy, dy, dz};
}

}  // namespace

int BarForOtherLayer(int edge) { return edge >= 0 && edge < kEdgeCount ? kBarOtherLayer[edge] : -1; }
int BarForSameLayer(int edge) { return edge >= 0 && edge < kEdgeCount ? kBarSameLayer[edge] : -1; }

void ShowSolutionMarks(const StoredSolution& solution, const LinkAnalysis& links, SolutionViewData& view) {
  view.cubeAt.fill(0);
  view.rotationAt.fill(0);
  view.cubePosition.fill(0);
  view.faceHingeMarks.fill(0);
  view.rigidMarks.fill(0);
  for (CellNumber p(0); p.value() < solution.Size(); ++p) {
    const int cell = solution.CellAt(p).value();
    const CubeIndex cube = solution.CubeAt(p);
    view.cubeAt[cell] = static_cast<std::uint8_t>(cube.value() + 1);
    view.rotationAt[cell] = solution.RotationAt(p);
    if (cube.valid()) view.cubePosition[cube.value()] = static_cast<std::int16_t>(cell);
  }
  for (CellNumber p(0); p.value() < solution.Size(); ++p) {
    if (!solution.CubeAt(p).valid()) continue;
    const int cell = solution.CellAt(p).value();
    const int k = solution.CubeAt(p).value();
    for (int j = 0; j < links.linkCount[k]; ++j) {
      const LinkEntry& link = links.cubeLinks[k][j];
      const int d = view.cubePosition[link.partner] - cell;
      if (IsFaceAxisSide(link.side)) {
        // A horizontal face-axis hinge is marked once, on the cell with the
        // larger x or y; a vertical one on both cells.
        if (d == -1) view.faceHingeMarks[cell] |= HingeToLeft;
        if (d == -kRowStep) view.faceHingeMarks[cell] |= HingeToUp;
        if (d == -kLayerStep) view.faceHingeMarks[cell] |= HingeToLayerBefore;
        if (d == kLayerStep) view.faceHingeMarks[cell] |= HingeToLayerAfter;
      } else if (link.side >= 24) {
        if (d == 1) view.rigidMarks[cell] |= RigidToRight;
        if (d == kRowStep) view.rigidMarks[cell] |= RigidToDown;
        if (d == -kLayerStep) view.rigidMarks[cell] |= RigidToLayerBefore;
        if (d == kLayerStep) view.rigidMarks[cell] |= RigidToLayerAfter;
      }
    }
  }
}

void SelectCellMarks(const LinkAnalysis& links, CellIndex selected, SolutionViewData& view) {
  view.selectedCell = selected;
  const int cell = selected.value();
  view.linkedNeighbour.fill(false);
  for (auto& row : view.axisMarks) row.fill(false);
  if (cell <= 0 || cell >= kFormGrid || view.cubeAt[cell] == 0) return;
  const int k = view.cubeAt[cell] - 1;
  const auto rotation = static_cast<Rotation>(view.rotationAt[cell]);
  auto& same = view.axisMarks[1];
  for (int j = 0; j < links.linkCount[k]; ++j) {
    const LinkEntry& link = links.cubeLinks[k][j];
    const int q = view.cubePosition[link.partner];
    if (q <= 0) continue;  // a cube the solution does not place
    if (!link.rigid) view.linkedNeighbour[q] = true;
    if (!IsEdgeHingeSide(link.side)) continue;  // face-axis hinges and joints get no axis marks
    const Steps s = SplitDifference(q - cell);
    const int e = RotateEdge(rotation, kEdgeSides[link.side].edge);
    if (s.dz != 0) {
      // Straight above or below: an inner bar of that cell; diagonally in
      // that layer: the outer bar toward the neighbour.
      const int bar = BarForOtherLayer(e);
      if (bar >= 0) view.axisMarks[s.dz + 1][kAxisBar + (s.dx == 0 && s.dy == 0 ? bar : bar - 4)] = true;
    } else if (e >= 4) {
      same[kAxisBar + BarForSameLayer(e)] = true;
    } else if (s.dx != 0 && s.dy != 0) {
      same[kAxisCorner + e] = true;
    } else if ((e % 2 == 1) == (s.dx != 0)) {
      same[kAxisDot + e] = true;
    } else {
      same[kAxisDot + (e == 0 ? 7 : e + 3)] = true;
    }
  }
}

}  // namespace zv
