// Task validation: counters, occupied boxes, the first reason the task cannot
// be solved, and the link analysis (cube link lists, blocks, parts, cycles)
// that the solver's preparation starts from.
//
// Usage:
//   zv::Validation v = zv::ValidateTask(task);
//   if (!v.ok()) refuse(v.error, v.cubeA, v.cubeB, v.count);   // texts: texts/core_texts.h
//   else solve(task, v.links);
#pragma once

#include <array>
#include <cstdint>

#include "model/task.h"

namespace zv {

// Smallest coordinates start at 100 and extents at -99, so an empty figure
// or form reads minima 100 and extents -99 (callers clamp sizes to >= 1).
struct OccupiedBox {
  int minX = 100, minY = 100, minZ = 100;
  int w = -99, d = -99, h = -99;  // largest - smallest + 1 along x, y, z
  bool empty() const { return w <= 0; }
};

// One end of a link as seen from one cube.
struct LinkEntry {
  std::uint8_t partner;  // cube index of the other cube
  std::uint8_t side;     // link side code 0..27 from this cube's end
  std::uint8_t rigid;    // 1 for rigid joints (bits 13, 14), else 0
};

inline constexpr int kMaxLinksPerCube = 8;

// Rigid slot order: right, left, below, above (offsets +1, -1, +32, -32).
enum RigidSlot : int { SlotRight = 0, SlotLeft = 1, SlotBelow = 2, SlotAbove = 3 };

// One cube's link list, in the order the links are met.
using CubeLinkList = std::array<LinkEntry, kMaxLinksPerCube>;

struct LinkAnalysis {
  std::array<std::uint8_t, kFigureGrid> cubeAtCell{};                  // cube index there; 0 where no cube
  std::array<std::int16_t, kNumberSlots> cellOfCube{};                 // figure cell index of each cube
  std::array<CubeLinkList, kNumberSlots> cubeLinks{};                  // by cube index
  std::array<std::uint8_t, kNumberSlots> linkCount{};                  // entries in cubeLinks, 0..8
  std::array<std::uint8_t, kNumberSlots> hingeCount{};                 // entries that are hinges (bits 1..12)
  std::array<std::array<std::uint8_t, 4>, kNumberSlots> rigidSlots{};  // partner + 1, 0 = none
  std::array<std::uint8_t, kNumberSlots> blockLabel{};  // from 1, numbered by lowest cube index
  std::array<std::uint8_t, kNumberSlots> partLabel{};   // from 1
  int cubeCount = 0;                                    // C
  int blockCount = 0;                                   // B
  int partCount = 0;
  int cycleCount = 0;
};

// Why a task cannot be solved; the first failing check in validation order.
enum class ValidationError {
  None,
  TooFewCubes,     // fewer than 2 cubes
  TooManyCubes,    // more than 254 cubes
  MustBeRigid,     // cubes a, b of one block lack their rigid joint
  CannotBeHinged,  // cubes a, b of one block are hinged
  FormTooLarge,    // more than 254 form cells
  FormTooSmall,    // count fewer form cells than cubes
  FormTooBig,      // count more form cells than cubes, EmptyCells off
};

struct Validation {
  ValidationError error = ValidationError::None;
  CubeIndex cubeA = CubeIndex::None();  // MustBeRigid / CannotBeHinged: the two cubes,
  CubeIndex cubeB = CubeIndex::None();  //   lower index first
  int count = 0;                        // FormTooSmall / FormTooBig: the difference

  int cubeCount = 0;
  int formCellCount = 0;
  int surplus = 0;        // form cells - cubes (may be negative)
  OccupiedBox figureBox;  // z fields unused
  OccupiedBox formBox;
  bool linksAnalysed = false;  // the link analysis ran (2..254 cubes)
  LinkAnalysis links;          // valid when linksAnalysed

  bool ok() const { return error == ValidationError::None; }
};

// Runs every check in order and derives the counters and the link analysis.
Validation ValidateTask(const TaskState& task);

// Builds the link analysis alone (the link part of ValidateTask); returns the
// first conflict found, or ValidationError::None. Expects 2..254 cubes.
ValidationError AnalyseLinks(const FigureState& figure, LinkAnalysis& out, CubeIndex& cubeA,
                             CubeIndex& cubeB);

}  // namespace zv
