// The Russian texts (UTF-8) for the codes the core libraries return: why
// validation refuses a task, why a task file could not be read or written.
// Plain C++ without Qt, so that the window and zorvat-cli (its "message_ru")
// show the same words from this one table.
//
// Usage:
//   zv::Validation v = zv::ValidateTask(task);
//   if (!v.ok()) show(zv::ValidationMessage(v, task.figure));
//   show(path, zv::ReadResultCaption(zv::ReadTaskFile(path, task)));
//
// Each text is one const char* per code; numbers go into "%1" and "%2" as
// in Qt's QString::arg, so a translation can replace a text whole.
#pragma once

#include <string>
#include <utility>

#include "model/validation.h"
#include "storage/task_file.h"

namespace zv {

// The text of a validation code, with "%1" and "%2" where its numbers go
// (the user numbers of cubeA and cubeB, or the count); "" for None.
const char* ValidationText(ValidationError error);

// The numbers of a verdict for "%1" and "%2": the user numbers of cubeA and
// cubeB, or the count and 0.
std::pair<int, int> ValidationNumbers(const Validation& v, const FigureState& figure);

// ValidationText with the numbers filled in, cubes named by their user
// numbers; "" when v.ok().
std::string ValidationMessage(const Validation& v, const FigureState& figure);

// The caption of the message box for a failed read, shown with the path as
// its text; "" for Ok and Missing, which the window passes over silently.
const char* ReadResultCaption(ReadResult result);

// "Невозможно записать файл".
extern const char* const kWriteFailedCaption;
// "Файл не найден": a task file that does not exist; only zorvat-cli reports it.
extern const char* const kMissingFileCaption;

// `pattern` with each "%1" replaced by `first` and each "%2" by `second`.
std::string FillNumbers(const char* pattern, int first, int second = 0);

}  // namespace zv
