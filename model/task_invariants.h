// The invariants every edited task keeps, and a debug-build guard that the
// editing operations of model/task.h use to check that they keep them.
//
// Usage:
//   zv::InvariantReport r = zv::CheckTaskInvariants(task);
//   if (!r.ok()) std::fprintf(stderr, "%s at %d\n", zv::TaskFaultName(r.fault), r.where);
//
// A sound task: dimensions in range (figure 1..30 x 1..30, form 1..30 x
// 1..30 x 1..10); cubes only inside the figure; link bits (1..14, never bit
// 15) only where both cubes of the link stand; for the first 256 cubes the
// numbering is a permutation of 0..C-1 with NumberOfCube, CubeOfNumber and
// NumberAtCell agreeing; form cells 0 or 1 and set only inside the form; a
// description of at most kMaxTextBytes. Task files may bring tasks that are
// not sound (validation refuses them), so the guard only fires when an
// operation turns a sound figure or form into an unsound one.
#pragma once

#include "model/task.h"

namespace zv {

enum class TaskFault {
  None,
  FigureSize,        // FigureWidth or FigureDepth outside 1..30
  FormSize,          // FormWidth, FormDepth outside 1..30 or FormHeight outside 1..10
  CubeOutside,       // a cube bit in a grid cell outside the figure
  StrayBit,          // bit 15 of a figure cell word
  LinkWithoutCubes,  // a link bit whose two cubes are not both present
  NumberRepeated,    // two cubes hold the same number, or a number >= C
  NumberTables,      // CubeOfNumber does not invert NumberOfCube
  NumberAtCell,      // NumberAtCell of a cube's cell differs from its number
  FormCellValue,     // a form cell other than 0 or 1
  FormCellOutside,   // a form cell set outside the form
  TextTooLong,       // description longer than kMaxTextBytes
};

struct InvariantReport {
  TaskFault fault = TaskFault::None;
  int where = -1;  // the grid cell, cube index or number concerned; -1 when none
  bool ok() const { return fault == TaskFault::None; }
};

// The first broken invariant, in the order of TaskFault.
InvariantReport CheckFigureInvariants(const FigureState& figure);
InvariantReport CheckFormInvariants(const FormState& form);
InvariantReport CheckTaskInvariants(const TaskState& task);

// The enumerator's name, for test and assertion output.
const char* TaskFaultName(TaskFault fault);

// Checks on destruction that a figure or form that was sound when the guard
// was made is still sound; prints the fault and aborts otherwise.
template <class State>
class SoundnessGuard {
 public:
  explicit SoundnessGuard(const State& state);
  ~SoundnessGuard();
  SoundnessGuard(const SoundnessGuard&) = delete;
  SoundnessGuard& operator=(const SoundnessGuard&) = delete;

 private:
  const State& state_;
  bool wasSound_;
};

}  // namespace zv

// Placed first in an editing operation: in debug builds the operation ends
// with the check that it kept a sound figure (form) sound.
#ifndef NDEBUG
#define ZV_GUARD_NAME2(line) zvSoundnessGuard##line
#define ZV_GUARD_NAME(line) ZV_GUARD_NAME2(line)
#define ZV_KEEPS_SOUND(state) const ::zv::SoundnessGuard ZV_GUARD_NAME(__LINE__)(state)
#else
#define ZV_KEEPS_SOUND(state) ((void)0)
#endif
