// The marks of a shown solution, computed without any drawing: where each
// cube stands, which neighbours are joined rigidly or by face-axis hinges,
// and for a selected cell the cubes hinged to its cube and the axes of its
// edge hinges as bars, dots and corner strokes around the cell and its
// neighbours in layers z-1 and z+1.
//
// Usage:
//   zv::SolutionViewData view;
//   zv::ShowSolutionMarks(solver.Solution(i), links, view);
//   zv::SelectCellMarks(links, cell, view);   // kNoSelectedCell clears the selection
#pragma once

#include "editor/solution_view_data.h"
#include "model/validation.h"
#include "solver/stored_solution.h"

namespace zv {

// Fills cubeAt, rotationAt, the cube position table and the face-hinge and
// rigid-joint marks of `view` for `solution`; the selection is left alone.
void ShowSolutionMarks(const StoredSolution& solution, const LinkAnalysis& links, SolutionViewData& view);

// Selects form cell `cell` (kNoSelectedCell: nothing) and recomputes the linked-neighbour
// and axis marks from the cube the shown solution puts there. An empty cell
// is selected without marks.
void SelectCellMarks(const LinkAnalysis& links, CellIndex cell, SolutionViewData& view);

// Bar of an edge hinge's axis for a neighbour in another layer (B4) and in
// the same layer (B1), for cube edges 4..11 (horizontal edges).
int BarForOtherLayer(int edge);
int BarForSameLayer(int edge);

}  // namespace zv
