// The task invariants: a sound task passes, and each way of breaking one is
// named with the place it was found.
#include "model/task_invariants.h"

#include <gtest/gtest.h>

#include <functional>

#include "tests/support/task_builder.h"

namespace zv {
namespace {

TaskState SoundTask() {
  TaskState t = test::MakeTask({"##.", ".#."}, {{"##", "#."}});
  ToggleLink(t.figure, FigureCellIndex(1, 0), RigidX);
  ToggleLink(t.figure, FigureCellIndex(1, 1), AxisY);
  AssignNumber(t.figure, FigureCellIndex(1, 1), 0);
  return t;
}

TEST(TaskInvariants, ASoundTaskPasses) {
  EXPECT_TRUE(CheckTaskInvariants(SoundTask()).ok());
  EXPECT_TRUE(CheckTaskInvariants(TaskState{}).ok());
}

TEST(TaskInvariants, EachBreachIsNamed) {
  constexpr int c00 = FigureCellIndex(0, 0), c10 = FigureCellIndex(1, 0), c11 = FigureCellIndex(1, 1);
  const struct {
    const char* what;
    std::function<void(TaskState&)> breakIt;
    TaskFault fault;
    int where;
  } cases[] = {
      {"figure too wide", [](TaskState& t) { t.figure.FigureWidth = 31; }, TaskFault::FigureSize, -1},
      {"no form layer", [](TaskState& t) { t.form.FormHeight = 0; }, TaskFault::FormSize, -1},
      {"cube past the width", [](TaskState& t) { t.figure.Cells[FigureCellIndex(3, 0)] = kCubeBit; },
       TaskFault::CubeOutside, FigureCellIndex(3, 0)},
      {"bit 15", [](TaskState& t) { t.figure.Cells[c00] |= 0x8000; }, TaskFault::StrayBit, c00},
      {"joint to no cube", [](TaskState& t) { t.figure.Cells[c11] |= BitMask(RigidX); },
       TaskFault::LinkWithoutCubes, c11},
      {"number twice", [](TaskState& t) { t.figure.NumberOfCube[1] = t.figure.NumberOfCube[0]; },
       TaskFault::NumberRepeated, 1},
      {"number past the count", [](TaskState& t) { t.figure.NumberOfCube[2] = 3; }, TaskFault::NumberRepeated,
       2},
      {"tables disagree", [](TaskState& t) { t.figure.CubeOfNumber[t.figure.NumberOfCube[0]] = 2; },
       TaskFault::NumberTables, 2},  // the number of cube 0
      {"cell shows another number", [](TaskState& t) { t.figure.NumberAtCell[c10] ^= 1; },
       TaskFault::NumberAtCell, c10},
      {"form cell 2", [](TaskState& t) { t.form.At(FormCellIndex(0, 0, 0)) = 2; }, TaskFault::FormCellValue,
       FormCellIndex(0, 0, 0).value()},
      {"form cell past the depth", [](TaskState& t) { t.form.At(FormCellIndex(0, 2, 0)) = 1; },
       TaskFault::FormCellOutside, FormCellIndex(0, 2, 0).value()},
      {"long text", [](TaskState& t) { t.Text.assign(kMaxTextBytes + 1, 'a'); }, TaskFault::TextTooLong, -1},
  };
  for (const auto& c : cases) {
    TaskState t = SoundTask();
    c.breakIt(t);
    const InvariantReport r = CheckTaskInvariants(t);
    EXPECT_EQ(r.fault, c.fault) << c.what << ": " << TaskFaultName(r.fault);
    EXPECT_EQ(r.where, c.where) << c.what;
  }
}

#ifndef NDEBUG
// In debug builds an operation that turns a sound figure unsound aborts; one
// on a figure that was unsound already (a task file's) goes on.
TEST(TaskInvariantsDeathTest, OperationsKeepSoundFiguresSound) {
  FigureState f;  // 4 x 3
  EXPECT_DEATH(AddCube(f, FigureCellIndex(5, 0)), "CubeOutside");
  f.Cells[FigureCellIndex(5, 0)] = kCubeBit;
  AddCube(f, FigureCellIndex(0, 0));
  EXPECT_EQ(CountCubes(f), 1);
}
#endif

}  // namespace
}  // namespace zv
