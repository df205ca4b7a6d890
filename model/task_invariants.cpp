// The task invariants and the soundness guard of the editing operations.
#include "model/task_invariants.h"

#include <array>
#include <cstdio>
#include <cstdlib>

#include "model/grid_ranges.h"

namespace zv {

namespace {

InvariantReport Fault(TaskFault fault, int where) { return {fault, where}; }

InvariantReport CheckNumbering(const FigureState& f) {
  int cells[kNumberSlots];
  const int count = ListCubeCells(f, cells, kNumberSlots);
  std::array<bool, kNumberSlots> taken{};
  for (int k = 0; k < count; ++k) {
    const int n = f.NumberOfCube[k];
    if (n >= count || taken[n]) return Fault(TaskFault::NumberRepeated, k);
    taken[n] = true;
    if (f.CubeOfNumber[n] != k) return Fault(TaskFault::NumberTables, n);
    if (f.NumberAtCell[cells[k]] != n) return Fault(TaskFault::NumberAtCell, cells[k]);
  }
  return {};
}

}  // namespace

InvariantReport CheckFigureInvariants(const FigureState& f) {
  if (f.FigureWidth < 1 || f.FigureWidth > kMaxFigureSide || f.FigureDepth < 1 ||
      f.FigureDepth > kMaxFigureSide)
    return Fault(TaskFault::FigureSize, -1);
  for (int cell = 0; cell < kFigureGrid; ++cell)
    if ((f.Cells[cell] & kCubeBit) && !CubeInFigure(f, cell)) return Fault(TaskFault::CubeOutside, cell);
  for (int cell = 0; cell < kFigureGrid; ++cell) {
    if (f.Cells[cell] & 0x8000) return Fault(TaskFault::StrayBit, cell);
    for (int bit = 1; bit <= 14; ++bit)
      if ((f.Cells[cell] & BitMask(bit)) && !LinkCubesPresent(f, cell, bit))
        return Fault(TaskFault::LinkWithoutCubes, cell);
  }
  return CheckNumbering(f);
}

InvariantReport CheckFormInvariants(const FormState& b) {
  if (b.FormWidth < 1 || b.FormWidth > kMaxFormSide || b.FormDepth < 1 || b.FormDepth > kMaxFormSide ||
      b.FormHeight < 1 || b.FormHeight > kMaxFormHeight)
    return Fault(TaskFault::FormSize, -1);
  for (CellIndex cell(0); cell.value() < kFormGrid; ++cell) {
    if (b.At(cell) > 1) return Fault(TaskFault::FormCellValue, cell.value());
    const int x = FormCellX(cell), y = FormCellY(cell), z = FormCellZ(cell);
    const bool inside = x >= 0 && y >= 0 && z >= 0 && x < b.FormWidth && y < b.FormDepth && z < b.FormHeight;
    if (b.At(cell) != 0 && !inside) return Fault(TaskFault::FormCellOutside, cell.value());
  }
  return {};
}

InvariantReport CheckTaskInvariants(const TaskState& task) {
  if (const InvariantReport r = CheckFigureInvariants(task.figure); !r.ok()) return r;
  if (const InvariantReport r = CheckFormInvariants(task.form); !r.ok()) return r;
  if (task.Text.size() > kMaxTextBytes) return Fault(TaskFault::TextTooLong, -1);
  return {};
}

const char* TaskFaultName(TaskFault fault) {
  switch (fault) {
    case TaskFault::None:
      return "None";
    case TaskFault::FigureSize:
      return "FigureSize";
    case TaskFault::FormSize:
      return "FormSize";
    case TaskFault::CubeOutside:
      return "CubeOutside";
    case TaskFault::StrayBit:
      return "StrayBit";
    case TaskFault::LinkWithoutCubes:
      return "LinkWithoutCubes";
    case TaskFault::NumberRepeated:
      return "NumberRepeated";
    case TaskFault::NumberTables:
      return "NumberTables";
    case TaskFault::NumberAtCell:
      return "NumberAtCell";
    case TaskFault::FormCellValue:
      return "FormCellValue";
    case TaskFault::FormCellOutside:
      return "FormCellOutside";
    case TaskFault::TextTooLong:
      return "TextTooLong";
  }
  return "?";
}

namespace {

InvariantReport Check(const FigureState& f) { return CheckFigureInvariants(f); }
InvariantReport Check(const FormState& f) { return CheckFormInvariants(f); }

}  // namespace

template <class State>
SoundnessGuard<State>::SoundnessGuard(const State& state) : state_(state), wasSound_(Check(state).ok()) {}

template <class State>
SoundnessGuard<State>::~SoundnessGuard() {
  if (!wasSound_) return;
  const InvariantReport r = Check(state_);
  if (r.ok()) return;
  std::fprintf(stderr, "model operation broke an invariant: %s at %d\n", TaskFaultName(r.fault), r.where);
  std::abort();
}

template class SoundnessGuard<FigureState>;
template class SoundnessGuard<FormState>;

}  // namespace zv
