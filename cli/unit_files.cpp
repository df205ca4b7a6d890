// Reading and writing work-unit files for solve and merge, and the English
// words for what makes one unusable.
#include "cli/unit_files.h"

#include <cerrno>

#include "run/run_file_check.h"

namespace zv::cli {
namespace {

Failure Unusable(std::string why, const std::string& path) {
  return Failure(FailureKind::UnusableUnitFile, path + ": " + why, "", path);
}

const char* CheckWords(RunFileCheck check) {
  switch (check) {
    case RunFileCheck::Ok:
      return "";
    case RunFileCheck::Missing:
      return "no such file";
    case RunFileCheck::Unreadable:
      return "cannot read the file";
    case RunFileCheck::NotUnitFile:
      return "not a checkpoint or part file";
    case RunFileCheck::NewerFormat:
      return "written by a newer version of the program";
    case RunFileCheck::Damaged:
      return "the file is damaged";
    case RunFileCheck::OtherTask:
      return "it belongs to another task";
  }
  return "";
}

}  // namespace

const char* EngineName(SolveEngine engine) {
  return engine == SolveEngine::Reduced ? "reduced" : engine == SolveEngine::Fast ? "fast" : "reference";
}

std::optional<Failure> LoadUnitFile(const std::string& path, const TaskState& task, UnitFile& out) {
  TaskState given = task;
  if (const RunFileCheck check = OpenRunFile(path, TaskMatch::Given, given, out); check != RunFileCheck::Ok)
    return Unusable(CheckWords(check), path);
  return std::nullopt;
}

std::optional<Failure> SaveUnitFile(const std::string& path, const UnitFile& file) {
  if (WriteUnitFile(path, file)) return std::nullopt;
  return WriteFailure(path, errno);
}

Failure UnitCheckFailure(UnitCheck check, const std::string& path) {
  switch (check) {
    case UnitCheck::OtherCut:
      return Unusable("it was cut otherwise (another engine or program version)", path);
    case UnitCheck::OutsidePart:
      return Unusable("it holds units outside its part", path);
    case UnitCheck::DuplicateUnit:
      return Unusable("it holds a unit twice", path);
    case UnitCheck::MissingUnit:
      return Failure(FailureKind::IncompleteParts, "a unit is missing", "", path);
    case UnitCheck::TooManyParts:
      return Unusable("it is a part of more parts than the run has work units", path);
    case UnitCheck::BadResult:
    case UnitCheck::Ok:
      break;
  }
  return Unusable("its results do not fit the task", path);
}

}  // namespace zv::cli
