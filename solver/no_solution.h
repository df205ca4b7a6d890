// Why a task has no solution, when a cheap argument proves it, from the
// tables the search would use (every placement of every block that fits in
// the form, less those the hinge filter proved unusable):
//
//   BlockFitsNowhere  a block (rigidly joined cubes) has no placement in the form;
//   PartFitsNowhere   a block of a hinged part has placements, but none that
//                     the hinges to its neighbours allow;
//   CellUncovered     a form cell that no usable placement covers, with no
//                     cell to spare (no empty cells);
//   TooManyUncovered  more form cells than may stay empty that no usable
//                     placement covers;
//   Colouring         coloured as a 3-D checkerboard ((x + y + z) even:
//                     dark), each usable placement of a block covers a
//                     certain number of dark cells; no choice of one such
//                     number per block adds up to the dark cells the form
//                     can have filled (all of them, less those of the empty
//                     cells when there are any).
//
// Each is a proof: a task with a solution never gets one.
//
//   zv::NoSolutionReason why = zv::FindNoSolutionReason(task, v.links);
//   if (why.kind == zv::NoSolutionKind::Colouring) ... why.dark, why.formDark
#pragma once

#include <vector>

#include "model/task.h"
#include "model/validation.h"

namespace zv {

enum class NoSolutionKind {
  Unknown,
  BlockFitsNowhere,
  PartFitsNowhere,
  CellUncovered,
  TooManyUncovered,
  Colouring
};

struct NoSolutionReason {
  NoSolutionKind kind = NoSolutionKind::Unknown;  // Unknown: no cheap argument holds
  std::vector<CubeIndex> cubes;                   // BlockFitsNowhere: the block's cubes; PartFitsNowhere: the
                                                  // part's; cube indexes, ascending
  int cellX = 0, cellY = 0, cellZ = 0;            // CellUncovered: the first such form cell
  int uncovered = 0;                              // TooManyUncovered: the cells no placement covers
  int spare = 0;                                  // TooManyUncovered, Colouring: cells that stay empty
  int formDark = 0, formLight = 0;                // Colouring: the form's dark and light cells
};

// `links` must come from a successful validation of `task`. Unknown also
// when the tables do not fit the memory they may take.
NoSolutionReason FindNoSolutionReason(const TaskState& task, const LinkAnalysis& links);

}  // namespace zv
