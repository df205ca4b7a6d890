// The puzzle task: the flat figure of cubes with their links, the cube
// numbering, the 3-D form to be filled, the empty-cells flag and the
// description text, with every editing operation on them.
//
// Usage:
//   zv::TaskState task;                       // defaults: figure 4x3, form 5x3x3
//   int cell = zv::FigureCellIndex(0, 0);
//   zv::AddCube(task.figure, cell);
//   zv::AddCube(task.figure, cell + 1);
//   zv::ToggleLink(task.figure, cell + 1, zv::RigidX);   // joins the two cubes
//
// Grids carry a one-cell border on every side, so neighbour offsets
// (+-1, +-32, +-33, +-1024) never leave the arrays:
//   figure cell index = (y+1)*32 + (x+1)             in 32*32 = 1024 entries
//   form cell index   = (z+1)*1024 + (y+1)*32 + (x+1) in 12*32*32 = 12288 entries
// A form cell index is a CellIndex (model/strong_index.h), read through
// FormState::At, so that it is never taken for a form cell number.
// Operations never draw or validate; the callers do that.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "model/strong_index.h"

namespace zv {

// clang-format off
inline constexpr int kMaxFigureSide = 30;   // FigureWidth, FigureDepth: 1..30
inline constexpr int kMaxFormSide   = 30;   // FormWidth, FormDepth: 1..30
inline constexpr int kMaxFormHeight = 10;   // FormHeight: 1..10
inline constexpr int kMaxCubes      = 254;  // most cubes the editor adds and the solver takes
inline constexpr int kMaxFormCells  = 254;  // most form cells the solver takes
inline constexpr int kFigureGrid    = 1024; // entries of a bordered figure grid
inline constexpr int kFormGrid      = 12288;// entries of a bordered form grid
inline constexpr int kNumberSlots   = 256;  // entries of the per-cube number arrays
inline constexpr std::size_t kMaxTextBytes = 1 << 20;  // longest description a task keeps
// clang-format on

constexpr int FigureCellIndex(int x, int y) { return (y + 1) * 32 + (x + 1); }
constexpr int FigureCellX(int cell) { return cell % 32 - 1; }
constexpr int FigureCellY(int cell) { return cell / 32 - 1; }
constexpr CellIndex FormCellIndex(int x, int y, int z) {
  return CellIndex((z + 1) * 1024 + (y + 1) * 32 + (x + 1));
}
constexpr int FormCellX(CellIndex cell) { return cell.value() % 32 - 1; }
constexpr int FormCellY(CellIndex cell) { return cell.value() / 32 % 32 - 1; }
constexpr int FormCellZ(CellIndex cell) { return cell.value() / 1024 - 1; }

// One 16-bit word per figure cell: bit 0 = a cube stands here, bits 1..14 =
// links stored in this cell (see LinkBit), bit 15 always 0.
using FigureCell = std::uint16_t;
inline constexpr FigureCell kCubeBit = 0x0001;
inline constexpr FigureCell kLinkMask = 0x7FFE;   // bits 1..14
inline constexpr FigureCell kHingeMask = 0x1FFE;  // bits 1..12

// The fourteen link bits. Each names one pair of cubes by offsets from the
// storing cell (see kLinkBits) and the kind and place of their link.
enum LinkBit : int {
  EdgeX1 = 1,        // edge hinge, one horizontal edge of the face between x-neighbours
  EdgeX2 = 2,        // edge hinge, the other horizontal edge of that face
  EdgeY1 = 3,        // edge hinge, one horizontal edge of the face between y-neighbours
  EdgeY2 = 4,        // edge hinge, the other horizontal edge of that face
  CornerYLeft = 5,   // edge hinges on the vertical edge at the storing cell's
  CornerYRight = 6,  //   top-left grid point (bits 5..10)
  CornerXUpper = 7,
  CornerXLower = 8,
  CornerDiag = 9,
  CornerAntiDiag = 10,
  AxisX = 11,   // face-axis hinge along x
  AxisY = 12,   // face-axis hinge along y
  RigidX = 13,  // rigid joint between x-neighbours
  RigidY = 14,  // rigid joint between y-neighbours
};

constexpr FigureCell BitMask(int bit) { return static_cast<FigureCell>(1u << bit); }

enum class LinkKind : std::uint8_t { EdgeHinge, FaceAxisHinge, Rigid };

struct LinkBitInfo {
  LinkKind kind;
  int firstDx, firstDy;    // first cube, relative to the storing cell
  int secondDx, secondDy;  // second cube, relative to the storing cell
  int FirstOffset() const { return firstDy * 32 + firstDx; }
  int SecondOffset() const { return secondDy * 32 + secondDx; }
};

// Indexed by link bit 1..14; entry 0 is unused.
// clang-format off
inline constexpr std::array<LinkBitInfo, 15> kLinkBits{{
    {LinkKind::EdgeHinge,      0,  0,  0,  0},  // 0: unused
    {LinkKind::EdgeHinge,     -1,  0,  0,  0},  // 1 EdgeX1
    {LinkKind::EdgeHinge,     -1,  0,  0,  0},  // 2 EdgeX2
    {LinkKind::EdgeHinge,      0, -1,  0,  0},  // 3 EdgeY1
    {LinkKind::EdgeHinge,      0, -1,  0,  0},  // 4 EdgeY2
    {LinkKind::EdgeHinge,     -1, -1, -1,  0},  // 5 CornerYLeft
    {LinkKind::EdgeHinge,      0, -1,  0,  0},  // 6 CornerYRight
    {LinkKind::EdgeHinge,     -1, -1,  0, -1},  // 7 CornerXUpper
    {LinkKind::EdgeHinge,     -1,  0,  0,  0},  // 8 CornerXLower
    {LinkKind::EdgeHinge,     -1, -1,  0,  0},  // 9 CornerDiag
    {LinkKind::EdgeHinge,      0, -1, -1,  0},  // 10 CornerAntiDiag
    {LinkKind::FaceAxisHinge,  0,  0, -1,  0},  // 11 AxisX
    {LinkKind::FaceAxisHinge,  0,  0,  0, -1},  // 12 AxisY
    {LinkKind::Rigid,          0,  0, -1,  0},  // 13 RigidX
    {LinkKind::Rigid,          0,  0,  0, -1},  // 14 RigidY
}};
// clang-format on

// Link side code (0..27) of each end of a link bit: what validation puts into
// the cube link lists. 0..19 edge hinges, 20..23 face-axis hinges, 24..27 rigid.
constexpr int FirstSideCode(int bit) { return bit <= 10 ? bit - 1 : 20 + 2 * (bit - 11); }
constexpr int SecondSideCode(int bit) { return bit <= 10 ? bit + 9 : 21 + 2 * (bit - 11); }

struct FigureState {
  std::int32_t FigureWidth = 4;                           // columns, 1..30
  std::int32_t FigureDepth = 3;                           // rows, 1..30
  std::array<FigureCell, kFigureGrid> Cells{};            // by figure cell index
  std::array<std::uint8_t, kFigureGrid> NumberAtCell{};   // zero-based user number of the cube there
  std::array<std::uint8_t, kNumberSlots> NumberOfCube{};  // by cube index: zero-based user number
  std::array<std::uint8_t, kNumberSlots> CubeOfNumber{};  // by zero-based user number: cube index
  bool operator==(const FigureState&) const = default;
};

struct FormState {
  std::int32_t FormWidth = 5;                   // 1..30
  std::int32_t FormDepth = 3;                   // 1..30
  std::int32_t FormHeight = 3;                  // layers, 1..10
  std::array<std::uint8_t, kFormGrid> Cells{};  // by form cell index: 1 = part of the form
  std::uint8_t& At(CellIndex cell) { return Cells[static_cast<std::size_t>(cell.value())]; }
  std::uint8_t At(CellIndex cell) const { return Cells[static_cast<std::size_t>(cell.value())]; }
  bool operator==(const FormState&) const = default;
};

struct TaskState {
  FigureState figure;
  FormState form;
  bool EmptyCells = false;  // the form may hold more cells than there are cubes
  std::string Text;         // description, single-byte Windows-1251, no terminator
  bool operator==(const TaskState&) const = default;
};

// --- Cubes and numbering -------------------------------------------------

// Number of cubes (bit 0 set at x < FigureWidth, y < FigureDepth).
int CountCubes(const FigureState& figure);

// Figure cell index of every cube in cube-index order (row-major), up to
// `limit` entries; returns how many were written.
int ListCubeCells(const FigureState& figure, int* cells, int limit);

// The user number (from 1) shown for cube k. Cubes beyond the 256 number
// slots (only possible in a task file that validation refuses) show k + 1.
int UserNumberOfCube(const FigureState& figure, CubeIndex k);

void AddCube(FigureState& figure, int cell);
void RemoveCube(FigureState& figure, int cell);

// Toggles `bit` in `cell`; does nothing unless both cubes of the link are
// present. Setting a bit clears every link that cannot coexist with it.
// Returns true when something changed.
bool ToggleLink(FigureState& figure, int cell, int bit);

// True when both cubes of link `bit` stored in `cell` are present.
bool LinkCubesPresent(const FigureState& figure, int cell, int bit);

void ResetNumbering(FigureState& figure);
bool IsDefaultNumbering(const FigureState& figure);
// Gives the cube in `cell` the zero-based number n (0 <= n < cube count) by
// swapping numbers with the cube that holds n.
void AssignNumber(FigureState& figure, int cell, int n);

// --- Whole-figure and whole-task operations -----------------------------

void ClearFigure(FigureState& figure);
// Refused (returns false, nothing changes) when FigureWidth*FigureDepth >= 255.
bool FillFigure(FigureState& figure);
// Two-stage: removes every hinge if there is one, else every rigid joint.
void ClearLinks(FigureState& figure);
// Empties every figure cell word and every form cell; number arrays stay.
void ClearTask(TaskState& task);

void ClearForm(FormState& form);
void FillForm(FormState& form);
int CountFormCells(const FormState& form);

// Moves the figure cell words and the per-cell numbers by dx + 32*dy entries
// as one flat array (vacated entries become 0). The caller checks that the
// occupied box stays inside the figure.
void ShiftFigure(FigureState& figure, int dx, int dy);
// Moves the form cells by dx + 32*dy + 1024*dz entries likewise.
void ShiftForm(FormState& form, int dx, int dy, int dz);

}  // namespace zv
