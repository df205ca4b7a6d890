// Preparation of the link constraints: for every placement and every hinge of
// its block, the placements of the partner's block that respect the hinge;
// then the consistency filter that drops placements whose hinges can never
// be kept, and the list of all hinges that the solution keys record.
#include <algorithm>

#include "solver/prepare_steps.h"
#include "solver/side_codes.h"

namespace zv::prepare {

namespace {

// Placement of block g with rotation t whose q-th cube stands on form cell
// `cell`, or none.
PlacementId FindPlacement(const Context& ctx, int g, Rotation t, int q, CellIndex cell) {
  const Vec3& offset = ctx.turnedOffset[ctx.blocks[g].cubes[q] * kRotationCount + t];
  const Vec3 c = CellCoordinates(cell);
  const int first = CellNumberAt(ctx, {c[0] - offset[0], c[1] - offset[1], c[2] - offset[2]});
  if (first < 0) return PlacementId::None();
  const int n = ctx.out.formCellCount;
  return PlacementId(ctx.placementIndex[(static_cast<std::size_t>(g) * kRotationCount + t) * n + first]);
}

int OffsetOf(const Vec3& v) { return v[0] + 32 * v[1] + 1024 * v[2]; }

// The rotation about the line of `edge` (through the cube's edge, 0, 90, 180
// or 270 degrees) that carries a cell next to that line from `from` to `to`
// (both offsets from the cube's own cell). Seen from the line, a cell's
// centre lies at 2*offset - V[edge] (doubled to stay in integers).
Rotation RotationAboutEdge(CubeEdge edge, const Vec3& from, const Vec3& to) {
  const Vec3& v = kEdgeVector[edge];
  Vec3 axis{0, 0, 0};
  for (int a = 0; a < 3; ++a) axis[a] = v[a] == 0 ? 1 : 0;
  const Vec3 u{2 * from[0] - v[0], 2 * from[1] - v[1], 2 * from[2] - v[2]};
  const Vec3 w{2 * to[0] - v[0], 2 * to[1] - v[1], 2 * to[2] - v[2]};
  for (int q = 0; q < kRotationCount; ++q) {
    const auto r = static_cast<Rotation>(q);
    if (RotateVector(r, axis) == axis && RotateVector(r, u) == w) return r;
  }
  return 0;  // unreachable: `from` and `to` both lie around the same line
}

void AddCandidate(LinkConstraint& c, std::int32_t placement) {
  c.candidates[c.candidateCount] = placement;
  ++c.candidateCount;
}

// Partner positions around an edge hinge, tried in this order: across the
// first bordering face, across the second, diagonally across the edge.
void FillEdgeHinge(const Context& ctx, const Placement& p, int cellNumber, int side, int q,
                   LinkConstraint& c) {
  const EdgeSide& es = kEdgeSides[side];
  const CubeEdge edge = RotateEdge(p.rotation, es.edge);
  const Vec3 partner = RotateVector(p.rotation, {es.dx, es.dy, 0});
  const std::array<Vec3, 3> positions{kFaceVector[kEdgeFaces[edge][0]], kFaceVector[kEdgeFaces[edge][1]],
                                      kEdgeVector[edge]};
  const int cell = ctx.formCells[cellNumber];
  for (int v = 0; v < 3; ++v) {
    const int target = cell + OffsetOf(positions[v]);
    if (ctx.cellNumberGrid[target] == 0) continue;
    const Rotation t = ComposeRotations(p.rotation, RotationAboutEdge(edge, partner, positions[v]));
    const PlacementId found = FindPlacement(ctx, c.neighbourBlock, t, q, CellIndex(target));
    if (!found.valid()) continue;
    AddCandidate(c, found.value());
    const std::int16_t slot = ctx.latticeSlots[cellNumber * kEdgeCount + edge];
    if (v == 2 && slot != kNoSlot) {
      c.foldIndex = static_cast<std::int8_t>(c.candidateCount - 1);
      c.slot = slot;
    }
  }
}

// The partner keeps the cube's orientation turned by 0, 90, 180 or 270
// degrees about the hinge axis (x for sides 20/21, y for 22/23) before the
// cube's own rotation.
// clang-format off
constexpr std::array<Rotation, 4> kTurnsAboutX{0, 1, 3, 4};
constexpr std::array<Rotation, 4> kTurnsAboutY{0, 2, 5, 6};
// clang-format on

void FillFaceAxisHinge(const Context& ctx, const Placement& p, int cellNumber, int side, int q,
                       LinkConstraint& c) {
  const int target = ctx.formCells[cellNumber] + kFaceOffset[RotateFace(p.rotation, FaceOfAxisSide(side))];
  if (ctx.cellNumberGrid[target] == 0) return;
  const auto& turns = side < 22 ? kTurnsAboutX : kTurnsAboutY;
  for (Rotation turn : turns) {
    const PlacementId found =
        FindPlacement(ctx, c.neighbourBlock, ComposeRotations(turn, p.rotation), q, CellIndex(target));
    if (found.valid()) AddCandidate(c, found.value());
  }
}

}  // namespace

bool BuildConstraints(Context& ctx) {
  const LinkAnalysis& links = ctx.links;
  bool anyEdgeHinge = false;
  // One array for all, so that the search reads them in placement order.
  std::size_t total = 0;
  for (int pi = 0; pi < ctx.out.placementCount; ++pi)
    total += static_cast<std::size_t>(ctx.placements[pi].constraintCount);
  LinkConstraint* all = ctx.pool.AllocateArray<LinkConstraint>(std::max<std::size_t>(total, 1));
  const int cubes = ctx.out.cubeCount;
  ctx.turnedOffset = ctx.pool.AllocateArray<Vec3>(static_cast<std::size_t>(cubes) * kRotationCount);
  if (all == nullptr || ctx.turnedOffset == nullptr) return false;
  for (int k = 0; k < cubes; ++k) {
    const Vec3& f0 = ctx.cubeFigure[ctx.blocks[ctx.blockOfCube[k]].cubes[0]];
    const Vec3& fk = ctx.cubeFigure[k];
    for (int t = 0; t < kRotationCount; ++t)
      ctx.turnedOffset[k * kRotationCount + t] =
          RotateVector(static_cast<Rotation>(t), {fk[0] - f0[0], fk[1] - f0[1], 0});
  }
  ctx.out.constraints = all;
  for (int pi = 0; pi < ctx.out.placementCount; ++pi) {
    Placement& p = ctx.placements[pi];
    if (p.constraintCount == 0) continue;
    p.constraints = all;
    all += p.constraintCount;
    const BlockInfo& info = ctx.blocks[p.block];
    int next = 0;
    for (int j = 0; j < info.cubeCount; ++j) {
      const int cube = info.cubes[j];
      for (int l = 0; l < links.linkCount[cube]; ++l) {
        const LinkEntry& entry = links.cubeLinks[cube][l];
        if (entry.rigid) continue;
        LinkConstraint& c = p.constraints[next++];
        c = LinkConstraint{0, ctx.blockOfCube[entry.partner], 0, -1, kNoSlot, p.cells[j], {0, 0, 0, 0}};
        const int q = ctx.positionInBlock[entry.partner];
        if (IsEdgeHingeSide(entry.side)) {
          anyEdgeHinge = true;
          FillEdgeHinge(ctx, p, p.cells[j], entry.side, q, c);
        } else {
          FillFaceAxisHinge(ctx, p, p.cells[j], entry.side, q, c);
        }
      }
    }
  }
  if (!anyEdgeHinge) ctx.out.latticeEdgeCount = 0;
  return true;
}

// Passes until nothing changes, so that the last pass saw the final flags:
// every constraint of an available placement then names only available
// placements.
void FilterPlacements(Context& ctx) {
  bool changed = true;
  while (changed) {
    changed = false;
    for (int pi = 0; pi < ctx.out.placementCount; ++pi) {
      if (ctx.placementAvailable[pi] == 0) continue;
      Placement& p = ctx.placements[pi];
      for (int k = 0; k < p.constraintCount; ++k) {
        LinkConstraint& c = p.constraints[k];
        c = AvailableOnly(c, ctx.placementAvailable);
        if (c.candidateCount == 0) {
          ctx.placementAvailable[pi] = 0;
          changed = true;
          break;
        }
      }
    }
  }
}

bool BuildHingeList(Context& ctx) {
  const LinkAnalysis& links = ctx.links;
  const int c = ctx.out.cubeCount;
  int h = 0;
  for (int i = 0; i < c; ++i)
    for (int l = 0; l < links.linkCount[i]; ++l)
      h += !links.cubeLinks[i][l].rigid && links.cubeLinks[i][l].partner > i ? 1 : 0;
  auto* hinges = ctx.pool.AllocateArray<HingeLink>(static_cast<std::size_t>(std::max(h, 1)));
  if (hinges == nullptr) return false;
  int next = 0;
  for (int i = 0; i < c; ++i)
    for (int l = 0; l < links.linkCount[i]; ++l) {
      const LinkEntry& entry = links.cubeLinks[i][l];
      if (entry.rigid || entry.partner <= i) continue;
      hinges[next++] = {static_cast<std::uint8_t>(i), entry.partner,
                        static_cast<std::uint8_t>(HingeEdgeOfSide(entry.side)),
                        static_cast<std::uint8_t>(HingeEdgeOfSide(PartnerSide(entry.side)))};
    }
  ctx.out.hinges = hinges;
  ctx.out.hingeCount = h;
  return true;
}

}  // namespace zv::prepare

namespace zv {

LinkConstraint AvailableOnly(const LinkConstraint& c, const std::uint8_t* available) {
  LinkConstraint kept = c;
  int count = 0;
  int fold = -1;
  for (int k = 0; k < c.candidateCount; ++k) {
    if (available[c.candidates[k]] == 0) continue;
    if (k == c.foldIndex) fold = count;
    kept.candidates[count++] = c.candidates[k];
  }
  kept.candidateCount = static_cast<std::int8_t>(count);
  kept.foldIndex = static_cast<std::int8_t>(fold);
  return kept;
}

}  // namespace zv
