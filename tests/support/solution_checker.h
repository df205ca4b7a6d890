// Re-verifies one stored solution from the task itself, trusting nothing of
// the solver: every cube placed once, every form cell covered at most once
// (exactly once without empty cells), rotation numbers in range, and every
// rigid joint and hinge respected geometrically (see LinkHolds).
//
//   std::string why;
//   EXPECT_TRUE(zv::test::CheckSolution(task, cubes, rotations, &why)) << why;
//
// A stored solution is indexed by form cell number (form cells in z, y, x
// order): cubes[p] is cube index + 1 or 0 for an empty cell, rotations[p]
// the rotation 0..23 of that cube's block, 0 for an empty cell.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/task.h"
#include "tests/support/solution_geometry.h"

namespace zv::test {

inline bool CheckSolution(const TaskState& task, std::span<const std::uint8_t> cubes,
                          std::span<const std::uint8_t> rotations, std::string* error) {
  auto fail = [error](const std::string& why) {
    if (error != nullptr) *error = why;
    return false;
  };
  const FormCellList form = ListFormCells(task.form);
  const FigureModel fm = ReadFigureModel(task.figure);
  if (!fm.problem.empty()) return fail(fm.problem);
  const int n = static_cast<int>(form.cells.size());
  const int c = static_cast<int>(fm.at.size());
  if (static_cast<int>(cubes.size()) != n || static_cast<int>(rotations.size()) != n)
    return fail("solution has " + std::to_string(cubes.size()) + " + " + std::to_string(rotations.size()) +
                " bytes for " + std::to_string(n) + " form cells");
  if (n < c) return fail("fewer form cells than cubes");

  std::vector<int> cellOfCube(c, -1);
  for (int p = 0; p < n; ++p) {
    const int value = cubes[p];
    if (value == 0) {
      if (!task.EmptyCells)
        return fail("form cell " + std::to_string(p) + " is empty without empty cells allowed");
      if (rotations[p] != 0) return fail("empty form cell " + std::to_string(p) + " carries a rotation");
      continue;
    }
    if (value > c) return fail("form cell " + std::to_string(p) + " names cube " + std::to_string(value - 1));
    if (rotations[p] >= 24)
      return fail("form cell " + std::to_string(p) + " has rotation " + std::to_string(rotations[p]));
    if (cellOfCube[value - 1] >= 0) return fail("cube " + std::to_string(value - 1) + " stands in two cells");
    cellOfCube[value - 1] = p;
  }
  for (int k = 0; k < c; ++k)
    if (cellOfCube[k] < 0) return fail("cube " + std::to_string(k) + " is not placed");

  for (const CheckedLink& l : fm.links) {
    const int pa = cellOfCube[l.a], pb = cellOfCube[l.b];
    if (!LinkHolds(fm, l, form.cells[pa], rotations[pa], form.cells[pb], rotations[pb]))
      return fail("link bit " + std::to_string(l.bit) + " between cubes " + std::to_string(l.a) + " and " +
                  std::to_string(l.b) + " is broken");
  }
  return true;
}

}  // namespace zv::test
