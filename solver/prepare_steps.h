// The steps of search preparation and the writable state they share while
// the tables are being built. Only the prepare_*.cpp files include this.
#pragma once

#include "solver/prepare.h"

namespace zv::prepare {

struct Context {
  const TaskState& task;
  const LinkAnalysis& links;
  BlockPool& pool;
  PreparedSearch& out;

  // Writable views of the arrays that `out` publishes read-only.
  std::int16_t* formCells = nullptr;
  std::uint8_t* cellNumberGrid = nullptr;
  std::int16_t* latticeSlots = nullptr;
  FormSymmetry* symmetries = nullptr;
  BlockInfo* blocks = nullptr;
  std::uint8_t* blockOfCube = nullptr;
  std::uint8_t* positionInBlock = nullptr;
  Placement* placements = nullptr;
  std::uint8_t* placementAvailable = nullptr;

  Vec3* cubeFigure = nullptr;              // per cube: figure (x, y, 0)
  Vec3* turnedOffset = nullptr;            // [C][24]: a cube's offset from its block's first cube, rotated
  std::int32_t* placementIndex = nullptr;  // [B][24][N]: placement of a block with
                                           // rotation t and cube 0 on cell m, or -1
};

// Form cell number of the cell at (x, y, z), or -1 outside the form.
inline int CellNumberAt(const Context& ctx, const Vec3& c) {
  const FormState& form = ctx.task.form;
  if (c[0] < 0 || c[0] >= form.FormWidth || c[1] < 0 || c[1] >= form.FormDepth || c[2] < 0 ||
      c[2] >= form.FormHeight)
    return -1;
  return ctx.cellNumberGrid[FormCellIndex(c[0], c[1], c[2]).value()] - 1;
}

inline Vec3 CellCoordinates(CellIndex cell) { return {FormCellX(cell), FormCellY(cell), FormCellZ(cell)}; }

bool BuildFormCells(Context& ctx);  // form cell list, cell-number grid, form box
bool BuildLatticeSlots(Context& ctx);
bool BuildSymmetries(Context& ctx);
bool BuildBlocks(Context& ctx);  // block table
bool BuildPlacements(Context& ctx, ByteKeySet& shapes);
bool BuildConstraints(Context& ctx);  // also drops the lattice slots without edge hinges
void FilterPlacements(Context& ctx);  // consistency filter
bool BuildHingeList(Context& ctx);

}  // namespace zv::prepare
