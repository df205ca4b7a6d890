// The solver's working tables for one run, built from a validated task before
// the placement search: form cells, lattice edge slots, form symmetries,
// blocks, placements with their link constraints, and the hinge link list.
// Every array lives in the run's block pool; the search only reads them
// (it copies constraints into its own levels).
//
// Usage:
//   zv::PreparedSearch prep;
//   if (!zv::PrepareSearch(task, links, pool, keySet, prep)) -> out of memory
//   for (int p = prep.blocks[0].firstPlacement; p < prep.blocks[0].endPlacement; ++p) ...
#pragma once

#include <array>
#include <cstdint>

#include "model/task.h"
#include "model/validation.h"
#include "solver/block_pool.h"
#include "solver/byte_key_set.h"
#include "solver/rotations.h"

namespace zv {

// One hinge seen from a placed block towards its partner's block: the
// partner block's placements that respect the hinge, in the order they are
// tried. The search copies these as a whole into its levels.
struct LinkConstraint {
  std::uint8_t done;                       // 0 at preparation; set by the search when settled
  std::uint8_t neighbourBlock;             // block index of the hinged partner cube's block
  std::int8_t candidateCount;              // 0..4 valid entries in `candidates`
  std::int8_t foldIndex;                   // position of the fold candidate, -1 when none
  std::int16_t slot;                       // lattice edge slot the fold candidate uses
  std::uint8_t fromCell;                   // form cell number of the hinged cube of the placement
  std::array<std::int32_t, 4> candidates;  // placement numbers of the neighbour block
};

// One way to put a block into the form.
struct Placement {
  std::uint8_t block;            // block index
  Rotation rotation;             // applied to the whole block
  std::int32_t constraintCount;  // the block's hinge link ends (may pass 127)
  const std::uint8_t* cells;     // form cell number of each cube, in block cube order
  LinkConstraint* constraints;   // constraintCount entries; the filter edits candidates
};

struct BlockInfo {
  int cubeCount;
  int hingeEnds;              // sum of the hinge counts of its cubes
  const std::uint8_t* cubes;  // cube indexes, ascending
  int firstPlacement;         // placements [firstPlacement, endPlacement)
  int endPlacement;
};

// A symmetry of space that the duplicate test tries: with no empty cells only
// those carrying the form onto itself, otherwise all 48.
struct FormSymmetry {
  SymmetryCode code;
  std::array<CubeEdge, kEdgeCount> edges;  // ApplySymmetryToEdge(code, e)
  const std::int16_t* cellMap;             // per form cell number: x' + 32y' + 1024z' of the
                                           // image, measured from the form box's minimum corner
};

// Every hinge once: cube indexes lower first and the hinge's edge as each
// cube sees it in its own frame (kNoHingeEdge for a face-axis hinge).
struct HingeLink {
  std::uint8_t lower, higher;
  std::uint8_t lowerEdge, higherEdge;
};

inline constexpr std::int16_t kNoSlot = -1;

struct PreparedSearch {
  int cubeCount = 0;      // C
  int formCellCount = 0;  // N
  int surplus = 0;        // X = N - C, cells that stay empty
  int blockCount = 0;     // B
  int hingeCount = 0;     // H

  const std::int16_t* formCells = nullptr;       // form cell index by form cell number
  const std::uint8_t* cellNumberGrid = nullptr;  // 12288 entries: form cell number + 1, 0 = none
  Vec3 boxMin{};                                 // form box: minimum corner and extents
  Vec3 boxExtent{};

  const std::int16_t* latticeSlots = nullptr;  // [N][12], kNoSlot where no slot
  int latticeEdgeCount = 0;                    // S; 0 when no edge hinge has a constraint

  const FormSymmetry* symmetries = nullptr;  // ascending symmetry code; entry 0 identity
  int symmetryCount = 0;

  const BlockInfo* blocks = nullptr;              // B entries
  const std::uint8_t* blockOfCube = nullptr;      // C entries: block index
  const std::uint8_t* positionInBlock = nullptr;  // C entries: place in its block's cube list

  const Placement* placements = nullptr;             // P entries, block by block
  int placementCount = 0;                            // P
  const std::uint8_t* placementAvailable = nullptr;  // P flags left by the consistency filter
  // [B][24][N]: the placement of a block with rotation t and its first cube
  // on form cell m, or -1 (none fits, or a hinge-free block's rotation that
  // repeats an earlier one's shape).
  const std::int32_t* placementIndex = nullptr;
  // Every placement's link constraints in one array, in placement order
  // (placements[p].constraints points into it). After the consistency
  // filter, the constraints of an available placement name only available
  // placements.
  const LinkConstraint* constraints = nullptr;

  const HingeLink* hinges = nullptr;  // H entries
};

// Builds every table from the task and its link analysis (which must come
// from a successful validation). `shapes` serves for the dedupe of hinge-free
// block orientations. Returns false when the pool refused memory.
bool PrepareSearch(const TaskState& task, const LinkAnalysis& links, BlockPool& pool, ByteKeySet& shapes,
                   PreparedSearch& out);

// The constraint without the candidates whose flag in `available` is 0,
// the others in their order, the fold position moved along with them (-1
// when the fold candidate itself goes).
LinkConstraint AvailableOnly(const LinkConstraint& c, const std::uint8_t* available);

// True when the task lies within what validation accepts (2..254 cubes, at
// most 254 form cells, no fewer form cells than cubes, more only with
// EmptyCells) and `links` describes its cubes; the tables above rely on it.
bool SolvableShape(const TaskState& task, const LinkAnalysis& links);

}  // namespace zv
