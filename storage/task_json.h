// The text form of a task file: a JSON document that scripts can write and
// people can read (docs/task-json.md describes it), holding what a "*.zvt"
// file holds. Reading it back and writing the task as "*.zvt" gives the same
// bytes as reading and writing the "*.zvt" file itself.
//
// Usage:
//   std::optional<std::string> text = zv::BuildTaskJson(task);   // nothing: see below
//   zv::TaskState loaded;
//   zv::TaskJsonError error = zv::ParseTaskJson(*text, loaded);
//   if (!error.ok()) ... error.at.line, error.at.column ...    // loaded untouched
//
// The task file reader (storage/task_file.h) takes either form, telling them
// apart by the first byte that is not white space: '{' starts the text form.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/task.h"
#include "storage/json_document.h"

namespace zv {

inline constexpr const char* kTaskJsonFormat = "zorvat-task";  // the "format" member
inline constexpr int kTaskJsonVersion = 1;                     // the "version" member
// The longest text file read: a description of kMaxTextBytes characters
// takes at most 3 bytes each in UTF-8; the figure and form take far less.
inline constexpr std::size_t kLargestTaskJson = 4 * kMaxTextBytes;

enum class TaskJsonProblem {
  None,
  Syntax,          // not JSON: `syntax` says why
  NotATask,        // no object with "format": "zorvat-task"
  NewerVersion,    // "version" above kTaskJsonVersion
  MissingField,    // `field` is required here
  UnknownField,    // `field` is no member of this object
  WrongType,       // `field` holds another type of value
  OutOfRange,      // `field` is outside its range
  BadFormRow,      // a form row holds a character other than '#' and '.'
  UnevenForm,      // form layers or rows of different lengths
  CubeOutside,     // a cube outside the figure
  CubeTwice,       // two cubes in one cell
  PartlyNumbered,  // some cubes have a "number" and some not
  BadNumbers,      // the numbers are not 1..cubes each once (or more than 256 cubes are renumbered)
  UnknownCube,     // a link names a number no cube has
  NoSuchLink,      // no link of this kind and edge joins these two cubes
  TextNotCp1251,   // the description holds a character Windows-1251 cannot
  TextTooLong,     // the description is longer than kMaxTextBytes
};

struct TaskJsonError {
  TaskJsonProblem problem = TaskJsonProblem::None;
  JsonProblem syntax = JsonProblem::None;  // for Syntax
  TextPosition at;                         // where the refused value starts
  std::string field;                       // the member concerned, where there is one
  bool ok() const { return problem == TaskJsonProblem::None; }
};

// The document for `task`, one cube or link a line. Nothing when the task
// holds a link whose two cubes are not both there, which only a damaged
// "*.zvt" file can bring: the text form names links by their cubes.
std::optional<std::string> BuildTaskJson(const TaskState& task);

// Checks the whole document first; only when it is a valid task is `task`
// replaced (ClearTask, then the document's contents, as the "*.zvt" reader
// does).
TaskJsonError ParseTaskJson(std::string_view text, TaskState& task);

// True when `bytes` start, after white space, with '{'.
bool LooksLikeTaskJson(std::string_view bytes);

}  // namespace zv
