// The ways a zorvat-cli command can fail. Each kind has one row in the table
// of failures.cpp: its stable code for --json, its English text and its exit
// status. A failure is printed either as an English line on stderr (followed
// by the program's Russian text, where it has one) or, with --json, as one
// JSON object on stdout.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <utility>

#include "cli/json.h"
#include "model/validation.h"
#include "storage/task_file.h"

namespace zv::cli {

enum class FailureKind {
  MissingFile,
  UnreadableFile,
  DamagedFile,
  BadHeader,
  NewerVersion,
  RefusedTask,
  BadArguments,
  OutOfMemory,
  WriteFailed,
  UnusableUnitFile,
  IncompleteParts,
  MissingProgram,
  NotFoldable,
};

struct Failure {
  explicit Failure(FailureKind k, std::string english = "", std::string russianText = "",
                   std::string file = "")
      : kind(k), detail(std::move(english)), russian(std::move(russianText)), path(std::move(file)) {}

  FailureKind kind;
  std::string detail;            // English words after the kind's text; "" = none
  std::string russian;           // the program's Russian text for it; "" = none
  std::string path;              // the file concerned; "" = none
  const char* reason = nullptr;  // RefusedTask: the validation check that failed, as a code
  std::string usage;             // BadArguments: the usage line to show on stderr; "" = none
};

const char* FailureCode(FailureKind kind);  // "missing_file", ...
int FailureExitStatus(FailureKind kind);

// The English message: the kind's text, then ": " and the detail.
std::string FailureMessage(const Failure& failure);

// Adds "error" (the code), "message", and where known
// "message_ru", "path" and "reason" to `object`.
void AddFailure(JsonObject& object, const Failure& failure);

// Prints `failure` (to stdout as a JSON object with "outcome": "error" when
// `json`, else to stderr) and returns its exit status.
int Report(const Failure& failure, bool json);

// Prints the stderr lines of `failure` alone, whatever the output mode.
void PrintFailureLines(const Failure& failure);

// The failure for a task file `path` that ReadTaskFile did not accept; for
// BadText `textError` says where ("PATH:LINE:COLUMN: what").
Failure ReadFailure(ReadResult result, const std::string& path, const TaskJsonError* textError = nullptr);
// "LINE:COLUMN: what" for a text form task file that is no valid task.
std::string DescribeTaskJsonError(const TaskJsonError& error);
// The failure for a task that validation refuses.
Failure RefusalFailure(const Validation& v, const FigureState& figure);
Failure ArgumentFailure(std::string detail, std::string usage = "");
// The failure for a file `path` that could not be written, `error` (an
// errno value, as the writers of platform/files.h leave it) saying why.
Failure WriteFailure(const std::string& path, int error);

// A file a command reads or writes, and what the command calls it
// ("the task file", "--result").
struct NamedPath {
  std::string what;
  std::string path;
};
// The failure for an output that is the same file as an input (after
// symbolic links) or as another output, which writing would destroy or
// overwrite; nothing when every output is a file of its own.
std::optional<Failure> OutputClash(std::span<const NamedPath> inputs, std::span<const NamedPath> outputs);

}  // namespace zv::cli
