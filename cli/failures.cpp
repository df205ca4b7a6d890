// The table of zorvat-cli's failures, the English words for validation's
// refusals, and the two ways of printing a failure. The Russian text beside
// them ("message_ru") is the window's, from texts/core_texts.h.
#include "cli/failures.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "cli/exit_status.h"
#include "platform/files.h"
#include "texts/core_texts.h"

namespace zv::cli {
namespace {

struct FailureRow {
  FailureKind kind;
  const char* code;
  const char* text;
  int exitStatus;
};

// One row per FailureKind, in the enum's order.
// clang-format off
constexpr std::array kFailures{
    FailureRow{FailureKind::MissingFile,    "missing_file",    "no such task file",                 kExitFailure},
    FailureRow{FailureKind::UnreadableFile, "unreadable_file", "cannot read the file",              kExitFailure},
    FailureRow{FailureKind::DamagedFile,    "damaged_file",    "the task file is damaged",          kExitFailure},
    FailureRow{FailureKind::BadHeader,      "bad_header",      "the file is not a task file (wrong header)", kExitFailure},
    FailureRow{FailureKind::NewerVersion,   "newer_version",   "the task file is from a newer version of the program", kExitFailure},
    FailureRow{FailureKind::RefusedTask,    "refused_task",    "the task cannot be solved as drawn", kExitRefused},
    FailureRow{FailureKind::BadArguments,   "bad_arguments",   "wrong arguments",                   kExitFailure},
    FailureRow{FailureKind::OutOfMemory,    "out_of_memory",   "not enough memory: the solver ran out of memory "
                                                               "(see --memory-limit); the counts are those reached until then", kExitOutOfMemory},
    FailureRow{FailureKind::WriteFailed,    "write_failed",    "cannot write the file",             kExitFailure},
    FailureRow{FailureKind::UnusableUnitFile, "unusable_unit_file", "the checkpoint or part file cannot be used", kExitFailure},
    FailureRow{FailureKind::IncompleteParts, "incomplete_parts", "the parts do not make one whole run; nothing was merged", kExitFailure},
    FailureRow{FailureKind::MissingProgram, "missing_program", "a program this command needs cannot be run", kExitFailure},
    FailureRow{FailureKind::NotFoldable,    "not_foldable",    "no fold instructions", kExitNotFoldable},
};
// clang-format on

constexpr bool RowsInEnumOrder() {
  for (std::size_t i = 0; i < kFailures.size(); ++i)
    if (static_cast<std::size_t>(kFailures[i].kind) != i) return false;
  return kFailures.back().kind == FailureKind::NotFoldable;
}
static_assert(RowsInEnumOrder(), "kFailures needs one row per FailureKind, in order");

const FailureRow& Row(FailureKind kind) { return kFailures[static_cast<std::size_t>(kind)]; }

struct RefusalWords {
  const char* code;
  std::string english;
};

// Validation's verdict in English, cubes named by their user numbers as the
// Russian message names them.
RefusalWords DescribeRefusal(const Validation& v, const FigureState& figure) {
  const auto cubes = [&](const char* tail) {
    return "cubes " + std::to_string(UserNumberOfCube(figure, v.cubeA)) + " and " +
           std::to_string(UserNumberOfCube(figure, v.cubeB)) + tail;
  };
  const auto cells = [&](const char* which) {
    return "the form has " + std::to_string(v.count) + (v.count == 1 ? " cell " : " cells ") + which +
           " than the figure has cubes";
  };
  switch (v.error) {
    case ValidationError::None:
      return {"none", ""};
    case ValidationError::TooFewCubes:
      return {"too_few_cubes", "the figure has fewer than 2 cubes"};
    case ValidationError::TooManyCubes:
      return {"too_many_cubes", "the figure has more than 254 cubes"};
    case ValidationError::MustBeRigid:
      return {"must_be_rigid", cubes(" must be joined rigidly")};
    case ValidationError::CannotBeHinged:
      return {"cannot_be_hinged", cubes(" cannot be joined by a hinge")};
    case ValidationError::FormTooLarge:
      return {"form_too_large", "the form has more than 254 cells"};
    case ValidationError::FormTooSmall:
      return {"form_too_small", cells("fewer")};
    case ValidationError::FormTooBig:
      return {"form_too_big", cells("more")};
  }
  return {"none", ""};
}

// Why a write failed, from the errno the writer left; a missing file
// behind a symbolic link is told from a missing folder.
std::string WriteFailureWords(const std::string& path, int error) {
  std::error_code ignored;
  switch (error) {
    case ENAMETOOLONG:
      return "the name is too long";
    case ELOOP:
      return "a loop of symbolic links";
    case ENOENT:
      return std::filesystem::is_symlink(path, ignored) ? "a symbolic link to no file" : "no such folder";
    case EISDIR:
      return "it is a folder";
    case EINVAL:
      return "it is no regular file";
    case ENOSPC:
      return "no space left on the device";
    case EDQUOT:
      return "the disk quota is used up";
    case EROFS:
      return "the file system is read-only";
    case EACCES:
    case EPERM:
      return "permission denied";
    case ENOMEM:
      return "not enough memory";
    default:
      return error == 0 ? "" : std::strerror(error);
  }
}

}  // namespace

const char* FailureCode(FailureKind kind) { return Row(kind).code; }
int FailureExitStatus(FailureKind kind) { return Row(kind).exitStatus; }

std::string FailureMessage(const Failure& failure) {
  std::string message = Row(failure.kind).text;
  if (!failure.detail.empty()) message += ": " + failure.detail;
  return message;
}

void AddFailure(JsonObject& object, const Failure& failure) {
  object.Add("error", FailureCode(failure.kind)).Add("message", FailureMessage(failure));
  if (!failure.russian.empty()) object.Add("message_ru", failure.russian);
  if (!failure.path.empty()) object.Add("path", failure.path);
  if (failure.reason != nullptr) object.Add("reason", failure.reason);
}

void PrintFailureLines(const Failure& failure) {
  std::cerr << "zorvat-cli: " << FailureMessage(failure) << '\n';
  if (!failure.russian.empty())
    std::cerr << failure.russian << (failure.path.empty() ? "" : ": ") << failure.path << '\n';
  if (!failure.usage.empty()) std::cerr << failure.usage << '\n';
}

int Report(const Failure& failure, bool json) {
  if (json) {
    JsonObject object;
    AddFailure(object.Add("outcome", "error"), failure);
    std::cout << object.Text() << '\n';
  } else {
    PrintFailureLines(failure);
  }
  return FailureExitStatus(failure.kind);
}

Failure ReadFailure(ReadResult result, const std::string& path, const TaskJsonError* textError) {
  FailureKind kind = FailureKind::DamagedFile;
  switch (result) {
    case ReadResult::Missing:
      kind = FailureKind::MissingFile;
      break;
    case ReadResult::Unreadable:
      kind = FailureKind::UnreadableFile;
      break;
    case ReadResult::BadHeader:
      kind = FailureKind::BadHeader;
      break;
    case ReadResult::NewerVersion:
      kind = FailureKind::NewerVersion;
      break;
    case ReadResult::Ok:
    case ReadResult::TooShort:
    case ReadResult::Damaged:
    case ReadResult::BadText:
      break;
  }
  const char* caption = result == ReadResult::Missing ? kMissingFileCaption : ReadResultCaption(result);
  const std::string where = result == ReadResult::BadText && textError != nullptr
                                ? path + ':' + DescribeTaskJsonError(*textError)
                                : path;
  return Failure(kind, where, caption, path);
}

Failure RefusalFailure(const Validation& v, const FigureState& figure) {
  RefusalWords words = DescribeRefusal(v, figure);
  Failure failure(FailureKind::RefusedTask, std::move(words.english), ValidationMessage(v, figure));
  failure.reason = words.code;
  return failure;
}

Failure ArgumentFailure(std::string detail, std::string usage) {
  Failure failure(FailureKind::BadArguments, std::move(detail));
  failure.usage = std::move(usage);
  return failure;
}

Failure WriteFailure(const std::string& path, int error) {
  const std::string why = WriteFailureWords(path, error);
  return Failure(FailureKind::WriteFailed, why.empty() ? path : path + ": " + why, kWriteFailedCaption, path);
}

std::optional<Failure> OutputClash(std::span<const NamedPath> inputs, std::span<const NamedPath> outputs) {
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    const NamedPath& out = outputs[i];
    for (const NamedPath& in : inputs)
      if (SameFile(out.path, in.path))
        return ArgumentFailure(out.what + " " + out.path + " is " + in.what + " " + in.path +
                               " itself: nothing was written");
    for (std::size_t j = 0; j < i; ++j)
      if (SameFile(out.path, outputs[j].path))
        return ArgumentFailure(outputs[j].what + " " + outputs[j].path + " and " + out.what + " " + out.path +
                               " are one file: nothing was written");
  }
  return std::nullopt;
}

}  // namespace zv::cli
