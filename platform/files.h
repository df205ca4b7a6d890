// Whole-file access for the core and the command-line tool, over the C++
// standard library and POSIX: existence, whole-file read with a size cap,
// atomic whole-file write (a temporary file in the same folder, flushed, then
// renamed over the target, so an interrupted or failed write never destroys
// the old file), and moving a file aside under a name nothing else uses.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zv {

// TooLarge: the file holds more than the cap; `bytes` then holds its first
// cap + 1 bytes, enough for a caller to look at its header.
enum class FileReadStatus { Ok, Missing, Failed, TooLarge };

inline constexpr std::size_t kNoSizeCap = static_cast<std::size_t>(-1);

bool FileExists(const std::string& path);
// Reads a regular file whole, or at most `cap` + 1 bytes of it. A failed
// read leaves `bytes` as it was; no allocation failure escapes.
FileReadStatus ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes,
                             std::size_t cap = kNoSizeCap);
// Replaces `path` (or the file a symbolic link there names) atomically. A
// target that exists and is no regular file (a folder, a device, a pipe) is
// refused and left alone. Before writing, temporary files that interrupted
// saves of ended processes left in the target's folder are removed.
bool WriteWholeFileAtomic(const std::string& path, std::span<const std::uint8_t> bytes);

// The temporary file name a save of `target` by process `pid` uses; only
// names of exactly this shape are ever removed as left-overs.
std::string TemporarySaveName(const std::string& target, long pid, std::uint32_t random);

// Renames `path` to `base` + `extension`, or to `base` + "-2" + `extension`,
// "-3", ... when that name is taken; never replaces anything. Returns the new
// path, or nothing when the file could not be moved.
std::optional<std::string> MoveAside(const std::string& path, const std::string& base,
                                     const std::string& extension);

}  // namespace zv
