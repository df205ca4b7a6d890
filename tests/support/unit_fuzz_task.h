// The task the work-unit file fuzzer and its seed writer share: a hinged
// pair of cubes and five loose dominoes in a 2 x 6 box, small enough to
// solve for every input, split into several units.
#pragma once

#include "tests/support/task_builder.h"

namespace zv::test {

inline TaskState UnitFuzzTask() {
  TaskState task = MakeTask({"##.##.##", "........", "##.##.##"}, {{"######", "######"}});
  SetLink(task, 1, 0, AxisX);
  for (int x : {4, 7}) SetLink(task, x, 0, RigidX);
  for (int x : {1, 4, 7}) SetLink(task, x, 2, RigidX);
  return task;
}

}  // namespace zv::test
