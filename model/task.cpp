// Editing operations on the task: cubes, links, numbering, whole-figure and
// whole-form commands and the flat-array shifts.
#include "model/task.h"

#include <algorithm>
#include <initializer_list>

#include "model/grid_ranges.h"
#include "model/task_invariants.h"

namespace zv {
namespace {

constexpr FigureCell Bits(std::initializer_list<int> bits) {
  FigureCell mask = 0;
  for (int bit : bits) mask = static_cast<FigureCell>(mask | BitMask(bit));
  return mask;
}

// What setting a link bit clears so that two cubes carry at most one link and
// the hinges at one grid point stay a subset of {5, 6}, of {7, 8}, {9} or {10}.
// The bits joining the x-pair of a storing cell are 1, 2, 8, 11, 13 there and
// 7 in the cell below; the y-pair's are 3, 4, 6, 12, 14 there and 5 in the
// cell to the right.
struct LinkConflicts {
  FigureCell own;    // cleared in the storing cell (the set bit itself excluded)
  int otherOffset;   // another cell holding links of the same pair, 0 = none
  FigureCell other;  // cleared there
};

inline constexpr FigureCell kXPairBits = Bits({1, 2, 8, 11, 13});
inline constexpr FigureCell kYPairBits = Bits({3, 4, 6, 12, 14});
inline constexpr FigureCell kCornerBits = Bits({5, 6, 7, 8, 9, 10});

// clang-format off
inline constexpr LinkConflicts kConflicts[15] = {
    {0, 0, 0},                                              // 0: unused
    {kXPairBits,                       32, Bits({7})},     // 1 EdgeX1
    {kXPairBits,                       32, Bits({7})},     // 2 EdgeX2
    {kYPairBits,                        1, Bits({5})},     // 3 EdgeY1
    {kYPairBits,                        1, Bits({5})},     // 4 EdgeY2
    {Bits({7, 8, 9, 10}),              -1, kYPairBits},    // 5 CornerYLeft
    {kYPairBits | Bits({7, 8, 9, 10}),  1, Bits({5})},     // 6 CornerYRight
    {Bits({5, 6, 9, 10}),             -32, kXPairBits},    // 7 CornerXUpper
    {kXPairBits | Bits({5, 6, 9, 10}), 32, Bits({7})},     // 8 CornerXLower
    {kCornerBits,                       0, 0},             // 9 CornerDiag
    {kCornerBits,                       0, 0},             // 10 CornerAntiDiag
    {kXPairBits,                       32, Bits({7})},     // 11 AxisX
    {kYPairBits,                        1, Bits({5})},     // 12 AxisY
    {kXPairBits,                       32, Bits({7})},     // 13 RigidX
    {kYPairBits,                        1, Bits({5})},     // 14 RigidY
};
// clang-format on

void KeepBits(FigureState& figure, int cell, FigureCell keep) {
  if (InFigureGrid(cell)) figure.Cells[cell] &= keep;
}

// Moves `count` entries of a flat array by k (entry i goes to i + k); the
// entries vacated at the start (k > 0) or the end (k < 0) become 0.
template <typename T>
void ShiftFlat(T* entries, int count, int k) {
  if (k >= count || -k >= count) {
    std::fill(entries, entries + count, T{});
  } else if (k > 0) {
    std::copy_backward(entries, entries + count - k, entries + count);
    std::fill(entries, entries + k, T{});
  } else if (k < 0) {
    std::copy(entries - k, entries + count, entries);
    std::fill(entries + count + k, entries + count, T{});
  }
}

}  // namespace

int CountCubes(const FigureState& figure) {
  int count = 0;
  for (int y = 0; y < CubeRows(figure); ++y)
    for (int x = 0; x < CubeColumns(figure); ++x)
      if (figure.Cells[FigureCellIndex(x, y)] & kCubeBit) ++count;
  return count;
}

int ListCubeCells(const FigureState& figure, int* cells, int limit) {
  int count = 0;
  for (int y = 0; y < CubeRows(figure); ++y)
    for (int x = 0; x < CubeColumns(figure) && count < limit; ++x)
      if (figure.Cells[FigureCellIndex(x, y)] & kCubeBit) cells[count++] = FigureCellIndex(x, y);
  return count;
}

int UserNumberOfCube(const FigureState& figure, CubeIndex cube) {
  const int k = cube.value();
  if (k >= 0 && k < kNumberSlots) return figure.NumberOfCube[k] + 1;
  return k + 1;
}

void AddCube(FigureState& figure, int cell) {
  ZV_KEEPS_SOUND(figure);
  if (!InFigureGrid(cell)) return;
  figure.Cells[cell] |= kCubeBit;
  ResetNumbering(figure);
}

void RemoveCube(FigureState& figure, int cell) {
  ZV_KEEPS_SOUND(figure);
  // Every link naming this cube as one of its two cubes: in its own cell all
  // but bits 5, 7, 10 (which join cubes of the row above and the column to
  // the left); to the right bits 1, 2, 5, 8, 10, 11, 13; below bits 3, 4, 6,
  // 7, 10, 12, 14; below-right bits 5, 7, 9.
  KeepBits(figure, cell, 0x04A0);
  KeepBits(figure, cell + 1, 0x52D9);
  KeepBits(figure, cell + 32, 0x2B27);
  KeepBits(figure, cell + 33, 0x7D5F);
  ResetNumbering(figure);
}

bool LinkCubesPresent(const FigureState& figure, int cell, int bit) {
  if (bit < 1 || bit > 14 || !InFigureGrid(cell)) return false;
  const LinkBitInfo& info = kLinkBits[bit];
  return CubeInFigure(figure, cell + info.FirstOffset()) && CubeInFigure(figure, cell + info.SecondOffset());
}

bool ToggleLink(FigureState& figure, int cell, int bit) {
  ZV_KEEPS_SOUND(figure);
  if (!LinkCubesPresent(figure, cell, bit)) return false;
  const FigureCell mask = BitMask(bit);
  if (figure.Cells[cell] & mask) {
    figure.Cells[cell] &= static_cast<FigureCell>(~mask);
    return true;
  }
  const LinkConflicts& c = kConflicts[bit];
  figure.Cells[cell] = static_cast<FigureCell>((figure.Cells[cell] & ~c.own) | mask);
  if (c.otherOffset != 0) KeepBits(figure, cell + c.otherOffset, static_cast<FigureCell>(~c.other));
  return true;
}

void ResetNumbering(FigureState& figure) {
  ZV_KEEPS_SOUND(figure);
  int cells[kNumberSlots];
  const int count = ListCubeCells(figure, cells, kNumberSlots);
  for (int k = 0; k < count; ++k) {
    figure.NumberOfCube[k] = static_cast<std::uint8_t>(k);
    figure.CubeOfNumber[k] = static_cast<std::uint8_t>(k);
    figure.NumberAtCell[cells[k]] = static_cast<std::uint8_t>(k);
  }
}

bool IsDefaultNumbering(const FigureState& figure) {
  // Only the first 256 cubes carry numbers; any further cube (a task file
  // only) is shown as k + 1, which is its default number.
  int cells[kNumberSlots];
  const int count = ListCubeCells(figure, cells, kNumberSlots);
  for (int k = 0; k < count; ++k)
    if (figure.NumberAtCell[cells[k]] != k) return false;
  return true;
}

void AssignNumber(FigureState& figure, int cell, int n) {
  ZV_KEEPS_SOUND(figure);
  int cells[kNumberSlots];
  const int count = ListCubeCells(figure, cells, kNumberSlots);
  if (n < 0 || n >= count || std::find(cells, cells + count, cell) == cells + count) return;
  const std::uint8_t a = figure.NumberAtCell[cell];
  const std::uint8_t b = figure.CubeOfNumber[a];
  const std::uint8_t c = figure.CubeOfNumber[n];
  figure.NumberOfCube[b] = static_cast<std::uint8_t>(n);
  figure.CubeOfNumber[n] = b;
  figure.NumberOfCube[c] = a;
  figure.CubeOfNumber[a] = c;
  for (int k = 0; k < count; ++k) figure.NumberAtCell[cells[k]] = figure.NumberOfCube[k];
}

void ClearFigure(FigureState& figure) {
  ZV_KEEPS_SOUND(figure);
  figure.Cells.fill(0);
}

bool FillFigure(FigureState& figure) {
  ZV_KEEPS_SOUND(figure);
  if (CubeColumns(figure) * CubeRows(figure) > kMaxCubes) return false;
  for (int y = 0; y < CubeRows(figure); ++y)
    for (int x = 0; x < CubeColumns(figure); ++x) figure.Cells[FigureCellIndex(x, y)] |= kCubeBit;
  ResetNumbering(figure);
  return true;
}

void ClearLinks(FigureState& figure) {
  ZV_KEEPS_SOUND(figure);
  // Links may be stored one column and one row past the cubes.
  const int columns = CubeColumns(figure) + 1, rows = CubeRows(figure) + 1;
  bool anyHinge = false;
  for (int y = 0; y < rows; ++y)
    for (int x = 0; x < columns; ++x)
      if (figure.Cells[FigureCellIndex(x, y)] & kHingeMask) anyHinge = true;
  const FigureCell keep = anyHinge ? 0x6001 : kCubeBit;  // hinges first, then rigid joints
  for (int y = 0; y < rows; ++y)
    for (int x = 0; x < columns; ++x) figure.Cells[FigureCellIndex(x, y)] &= keep;
}

void ClearTask(TaskState& task) {
  ZV_KEEPS_SOUND(task.figure);
  ZV_KEEPS_SOUND(task.form);
  task.figure.Cells.fill(0);
  task.form.Cells.fill(0);
}

void ClearForm(FormState& form) {
  ZV_KEEPS_SOUND(form);
  form.Cells.fill(0);
}

void FillForm(FormState& form) {
  ZV_KEEPS_SOUND(form);
  for (int z = 0; z < FormLayers(form); ++z)
    for (int y = 0; y < FormRows(form); ++y)
      for (int x = 0; x < FormColumns(form); ++x) form.At(FormCellIndex(x, y, z)) = 1;
}

int CountFormCells(const FormState& form) {
  int count = 0;
  for (int z = 0; z < FormLayers(form); ++z)
    for (int y = 0; y < FormRows(form); ++y)
      for (int x = 0; x < FormColumns(form); ++x)
        if (form.At(FormCellIndex(x, y, z)) != 0) ++count;
  return count;
}

void ShiftFigure(FigureState& figure, int dx, int dy) {
  ZV_KEEPS_SOUND(figure);
  const int k = dx + 32 * dy;
  ShiftFlat(figure.Cells.data(), kFigureGrid, k);
  ShiftFlat(figure.NumberAtCell.data(), kFigureGrid, k);
}

void ShiftForm(FormState& form, int dx, int dy, int dz) {
  ZV_KEEPS_SOUND(form);
  ShiftFlat(form.Cells.data(), kFormGrid, dx + 32 * dy + 1024 * dz);
}

}  // namespace zv
