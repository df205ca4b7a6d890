// What the form view draws of a shown solution: the cube in every form
// cell, the joint and hinge marks between cubes, and the selected cell with
// its linked neighbours and the hinge-axis marks. The solution browser fills
// it (editor/solution_marks.h); the form view only reads it. Everything is
// indexed by form cell index, except the cube position table.
#pragma once

#include <array>
#include <cstdint>

#include "model/task.h"

namespace zv {

// Bits of faceHingeMarks: a face-axis hinge joins this cell's cube to the
// cube at x-1, y-1, layer z-1, layer z+1.
enum FaceHingeMark : std::uint8_t {
  HingeToLeft = 1,
  HingeToUp = 2,
  HingeToLayerBefore = 4,
  HingeToLayerAfter = 8
};
// Bits of rigidMarks: a rigid joint joins this cell's cube to the cube at
// x+1, y+1, layer z-1, layer z+1.
enum RigidMark : std::uint8_t {
  RigidToRight = 1,
  RigidToDown = 2,
  RigidToLayerBefore = 4,
  RigidToLayerAfter = 8
};

// Slots of one row of axis marks: 0..7 bars, 8..15 dots, 16..19 corner
// strokes, 20..23 never set. Row 0 belongs to the cell in layer z-1 of the
// selected cell, row 1 to the selected cell, row 2 to the cell in z+1.
inline constexpr int kAxisBar = 0, kAxisDot = 8, kAxisCorner = 16, kAxisSlots = 24;

// The selected cell when none is: index 0 lies in the grid's border, where
// no form cell is.
inline constexpr CellIndex kNoSelectedCell{0};

struct SolutionViewData {
  std::array<std::uint8_t, kFormGrid> cubeAt{};           // cube index + 1 placed there; 0 = empty
  std::array<std::uint8_t, kFormGrid> rotationAt{};       // rotation 0..23 of the cube placed there
  std::array<std::int16_t, kNumberSlots> cubePosition{};  // by cube index: its form cell index
  std::array<std::uint8_t, kFormGrid> faceHingeMarks{};   // FaceHingeMark bits
  std::array<std::uint8_t, kFormGrid> rigidMarks{};       // RigidMark bits
  std::array<bool, kFormGrid> linkedNeighbour{};          // holds a cube hinged to the selected cube
  CellIndex selectedCell = kNoSelectedCell;
  std::array<std::array<bool, kAxisSlots>, 3> axisMarks{};
};

}  // namespace zv
