// Opening a run file against a task: one check for the command line (a
// checkpoint or part to resume or merge) and the window (a checkpoint
// opened, the kept run read back at start), and telling what kind of file a
// path holds from its first bytes.
//
// Usage:
//   TaskState task = ...;  UnitFile file;
//   switch (zv::OpenRunFile(path, zv::TaskMatch::Given, task, file)) { ... }
#pragma once

#include <string>

#include "model/task.h"
#include "run/unit_file.h"

namespace zv {

// What a path holds, judged by its first bytes alone so that a large file
// of another kind is not read: a work-unit file (checkpoint or part), a
// result file, or anything else (a task file, or no file).
enum class RunFileKind { UnitFile, ResultFile, Other };
RunFileKind KindOfFile(const std::string& path);

// Whether two tasks search alike: the same figure, form and empty-cells
// switch (their descriptions may differ).
bool SearchesAlike(const TaskState& a, const TaskState& b);

// Which task a run file must have been made for.
enum class TaskMatch {
  Given,     // exactly `task` (the file's fingerprint is its)
  OwnFirst,  // the task the file holds, which replaces `task`, or `task` for a file without one
  Alike,     // the file holds its task, and that task searches alike with `task`
};

enum class RunFileCheck {
  Ok,
  Missing,      // no such file
  Unreadable,   // cannot be read
  NotUnitFile,  // does not start as a work-unit file
  NewerFormat,  // written by a later program
  Damaged,      // broken, its task does not read back, or its blocks are not the task's
  OtherTask,    // made for another task
};

// Reads the work-unit file at `path` into `out` and checks it against
// `task` as `match` says (with OwnFirst, `task` becomes the file's own).
// Anything but Ok changes neither `task` nor `out`.
RunFileCheck OpenRunFile(const std::string& path, TaskMatch match, TaskState& task, UnitFile& out);

}  // namespace zv
