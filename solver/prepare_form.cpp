// Preparation of the form: the numbered form cell list with its cell-number
// grid and box, the lattice edge slots on which folded edge hinges stand, and
// the symmetries under which solutions are compared.
#include <algorithm>

#include "solver/prepare_steps.h"

namespace zv::prepare {

bool BuildFormCells(Context& ctx) {
  const FormState& form = ctx.task.form;
  PreparedSearch& out = ctx.out;
  ctx.cellNumberGrid = ctx.pool.AllocateArray<std::uint8_t>(kFormGrid);
  ctx.formCells = ctx.pool.AllocateArray<std::int16_t>(kMaxFormCells);
  if (ctx.cellNumberGrid == nullptr || ctx.formCells == nullptr) return false;

  Vec3 lo{100, 100, 100}, hi{0, 0, 0};
  int n = 0;
  for (int z = 0; z < form.FormHeight; ++z)
    for (int y = 0; y < form.FormDepth; ++y)
      for (int x = 0; x < form.FormWidth; ++x) {
        const int index = FormCellIndex(x, y, z).value();
        if (form.Cells[index] == 0) continue;
        ctx.formCells[n++] = static_cast<std::int16_t>(index);
        ctx.cellNumberGrid[index] = static_cast<std::uint8_t>(n);
        const Vec3 c{x, y, z};
        for (int a = 0; a < 3; ++a) {
          lo[a] = std::min(lo[a], c[a]);
          hi[a] = std::max(hi[a], c[a]);
        }
      }
  out.formCellCount = n;
  out.formCells = ctx.formCells;
  out.cellNumberGrid = ctx.cellNumberGrid;
  out.boxMin = lo;
  for (int a = 0; a < 3; ++a) out.boxExtent[a] = hi[a] - lo[a] + 1;
  return true;
}

namespace {

// A grid line of the form is numbered from the cell at its lowest corner,
// which sees it as edge 2, 6 or 10; the three other cells around the line
// and the edge each of them sees it as.
struct LineCorner {
  int offset;  // form cell index offset from the lowest cell
  CubeEdge edge;
};
struct LatticeLine {
  CubeEdge edge;
  std::array<LineCorner, 3> others;
};
// clang-format off
constexpr std::array<LatticeLine, 3> kLatticeLines{{
    { 2, {{{+1,  3}, {+32,   1}, {+33,   0}}}},   // along z: +x, +y, across edge 2
    { 6, {{{+1,  7}, {+1024, 5}, {+1025, 4}}}},   // along y: +x, +z, across edge 6
    {10, {{{+32, 11}, {+1024, 9}, {+1056, 8}}}},  // along x: +y, +z, across edge 10
}};
// clang-format on

}  // namespace

bool BuildLatticeSlots(Context& ctx) {
  const int n = ctx.out.formCellCount;
  ctx.latticeSlots = ctx.pool.AllocateArray<std::int16_t>(static_cast<std::size_t>(n) * kEdgeCount);
  if (ctx.latticeSlots == nullptr) return false;
  std::fill(ctx.latticeSlots, ctx.latticeSlots + n * kEdgeCount, kNoSlot);
  int count = 0;
  for (int i = 0; i < n; ++i) {
    const int cell = ctx.formCells[i];
    for (const LatticeLine& line : kLatticeLines) {
      // Border cells of the grid hold 0, so the three lookups never leave it.
      bool full = true;
      for (const LineCorner& other : line.others) full = full && ctx.cellNumberGrid[cell + other.offset] != 0;
      if (!full) continue;
      ctx.latticeSlots[i * kEdgeCount + line.edge] = static_cast<std::int16_t>(count);
      for (const LineCorner& other : line.others) {
        const int number = ctx.cellNumberGrid[cell + other.offset] - 1;
        ctx.latticeSlots[number * kEdgeCount + other.edge] = static_cast<std::int16_t>(count);
      }
      ++count;
    }
  }
  ctx.out.latticeSlots = ctx.latticeSlots;
  ctx.out.latticeEdgeCount = count;
  return true;
}

bool BuildSymmetries(Context& ctx) {
  PreparedSearch& out = ctx.out;
  const int n = out.formCellCount;
  ctx.symmetries = ctx.pool.AllocateArray<FormSymmetry>(kSymmetryCount);
  if (ctx.symmetries == nullptr) return false;
  const Vec3& extent = out.boxExtent;
  int count = 0;
  std::int16_t* map = nullptr;  // reused after a refused code
  for (int code = 0; code < kSymmetryCount; ++code) {
    if (map == nullptr) map = ctx.pool.AllocateArray<std::int16_t>(static_cast<std::size_t>(n));
    if (map == nullptr) return false;
    bool onto = true;
    for (int i = 0; i < n; ++i) {
      const Vec3 c = CellCoordinates(CellIndex(ctx.formCells[i]));
      const Vec3 rel{c[0] - out.boxMin[0], c[1] - out.boxMin[1], c[2] - out.boxMin[2]};
      const Vec3 image = ApplySymmetryToCell(static_cast<SymmetryCode>(code), rel, extent);
      map[i] = static_cast<std::int16_t>(image[0] + 32 * image[1] + 1024 * image[2]);
      bool inBox = true;
      for (int a = 0; a < 3; ++a) inBox = inBox && image[a] >= 0 && image[a] < extent[a];
      onto = onto && inBox &&
             CellNumberAt(
                 ctx, {out.boxMin[0] + image[0], out.boxMin[1] + image[1], out.boxMin[2] + image[2]}) >= 0;
    }
    if (out.surplus == 0 && !onto) continue;
    FormSymmetry& s = ctx.symmetries[count++];
    s.code = static_cast<SymmetryCode>(code);
    for (int e = 0; e < kEdgeCount; ++e) s.edges[e] = ApplySymmetryToEdge(s.code, static_cast<CubeEdge>(e));
    s.cellMap = map;
    map = nullptr;
  }
  out.symmetries = ctx.symmetries;
  out.symmetryCount = count;
  return true;
}

}  // namespace zv::prepare
