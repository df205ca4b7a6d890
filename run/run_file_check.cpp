// Opening a run file against a task, and what kind of file a path holds.
#include "run/run_file_check.h"

#include "model/validation.h"
#include "run/result_file.h"

namespace zv {

RunFileKind KindOfFile(const std::string& path) {
  if (StartsAsUnitFile(path)) return RunFileKind::UnitFile;
  if (StartsAsResultFile(path)) return RunFileKind::ResultFile;
  return RunFileKind::Other;
}

bool SearchesAlike(const TaskState& a, const TaskState& b) {
  return a.figure == b.figure && a.form == b.form && a.EmptyCells == b.EmptyCells;
}

namespace {

RunFileCheck CheckOf(UnitFileStatus status) {
  switch (status) {
    case UnitFileStatus::Ok:
      return RunFileCheck::Ok;
    case UnitFileStatus::Missing:
      return RunFileCheck::Missing;
    case UnitFileStatus::Unreadable:
      return RunFileCheck::Unreadable;
    case UnitFileStatus::NotUnitFile:
      return RunFileCheck::NotUnitFile;
    case UnitFileStatus::NewerFormat:
      return RunFileCheck::NewerFormat;
    case UnitFileStatus::Damaged:
      break;
  }
  return RunFileCheck::Damaged;
}

}  // namespace

RunFileCheck OpenRunFile(const std::string& path, TaskMatch match, TaskState& task, UnitFile& out) {
  UnitFile file;
  if (const UnitFileStatus status = ReadUnitFile(path, file); status != UnitFileStatus::Ok)
    return CheckOf(status);
  // The task a file holds must read back as the image its fingerprint was
  // taken of.
  TaskState own;
  const bool holdsTask = !file.taskImage.empty();
  if (holdsTask && !TaskOfUnitFile(file, own)) return RunFileCheck::Damaged;
  if (match == TaskMatch::Alike && !holdsTask) return RunFileCheck::Damaged;
  const TaskState& runTask = match == TaskMatch::OwnFirst && holdsTask ? own : task;
  if (match == TaskMatch::Alike ? !SearchesAlike(own, task)
                                : file.taskFingerprint != TaskFingerprint(runTask))
    return RunFileCheck::OtherTask;
  if (file.blockCount != ValidateTask(runTask).links.blockCount) return RunFileCheck::Damaged;
  if (match == TaskMatch::OwnFirst && holdsTask) task = std::move(own);
  out = std::move(file);
  return RunFileCheck::Ok;
}

}  // namespace zv
