// Task files ("*.zvt"): the exact byte layout, the writer and the checking
// reader. Everything works on byte images; file access goes through
// platform/files.h. A read that fails leaves the task untouched.
//
// Usage:
//   std::vector<std::uint8_t> image = zv::BuildTaskImage(task);
//   zv::TaskState loaded;
//   if (zv::ParseTaskImage(image, loaded) == zv::ReadResult::Ok) ...
//
// Layout (little-endian): magic 0x73470906, version 1, flags (bit 0
// EmptyCells, bit 1 numbering block present), FigureWidth, FigureDepth,
// FormWidth, FormDepth, FormHeight (int32 each), the text and a zero byte,
// NF, NB (int32), NF figure records (int16 cell index, int16 word), NB form
// records (int16 form cell index), and with flags bit 1 NF numbering bytes.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/task.h"
#include "storage/task_json.h"

namespace zv {

inline constexpr std::uint32_t kTaskMagic = 0x73470906;
inline constexpr std::int32_t kTaskVersion = 1;
inline constexpr std::size_t kSmallestTaskFile = 23;  // shorter files are refused before parsing
// The largest file the writer produces: the header, the longest description
// and its zero, the two counts, a record for every figure cell the scan
// visits (one row and one column past the figure) with its numbering byte,
// and a record for every form cell. Larger files are refused as damaged
// before they are read whole.
inline constexpr std::size_t kLargestTaskFile = 32 + kMaxTextBytes + 1 + 8 +
                                                (kMaxFigureSide + 1) * (kMaxFigureSide + 1) * (4 + 1) +
                                                kMaxFormSide * kMaxFormSide * kMaxFormHeight * 2;

// Outcome of reading a task file, in the order the checks are made.
enum class ReadResult {
  Ok,
  Missing,       // empty path or no such file: silent
  Unreadable,    // cannot be opened or fully read
  TooShort,      // shorter than 23 bytes
  BadHeader,     // wrong magic
  NewerVersion,  // version greater than 1
  Damaged,       // contents break the model's limits or end early
  BadText,       // a text form file (storage/task_json.h) that is no valid task
};

enum class WriteResult { Ok, Failed };

// The whole file image of a task.
std::vector<std::uint8_t> BuildTaskImage(const TaskState& task);

// The checks of the first bytes, in order: TooShort, BadHeader,
// NewerVersion, or Ok when the body may be read.
ReadResult CheckTaskHeader(std::span<const std::uint8_t> image);

// Checks the whole image first; only on Ok is `task` replaced (ClearTask,
// then the file's contents, numbering rebuilt or reset).
ReadResult ParseTaskImage(std::span<const std::uint8_t> image, TaskState& task);

// File-level wrappers: read the whole file (a file larger than
// kLargestTaskFile is refused after its header is checked, and a failed
// allocation reads as Unreadable), or write it atomically (temporary file in
// the same folder, then rename; a target that is no regular file fails).
// The reader takes the text form too (up to kLargestTaskJson bytes); for
// BadText, `textError` (when given) gets what is wrong and where.
ReadResult ReadTaskFile(const std::string& path, TaskState& task, TaskJsonError* textError = nullptr);
WriteResult WriteTaskFile(const std::string& path, const TaskState& task);

}  // namespace zv
