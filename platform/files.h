// Whole-file access for the core and the command-line tool, over the C++
// standard library and POSIX: existence, whole-file read with a size cap,
// reading a file by offset (for readers that judge a file by its header
// before its body), atomic whole-file write (a temporary file in the same
// folder, flushed, then renamed over the target, so an interrupted or failed
// write never destroys the old file), whether two paths name one file, and
// moving a file aside under a name nothing else uses.
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
// A regular file open for reading at any offset. Only its size is known
// before a read, so a reader can judge the file by its first bytes and the
// sizes they declare before it reads (or makes room for) the rest.
class OpenedFile {
 public:
  OpenedFile() = default;
  OpenedFile(const OpenedFile&) = delete;
  OpenedFile& operator=(const OpenedFile&) = delete;
  ~OpenedFile();

  // Missing (no such file), Failed (not a regular file, or it cannot be
  // opened) or Ok.
  FileReadStatus Open(const std::string& path);
  std::uint64_t Size() const { return size_; }
  // Fills `out` with the bytes from `offset` on; false when the file ends
  // before or the read fails.
  bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const;

 private:
  int fd_ = -1;
  std::uint64_t size_ = 0;
};

// Replaces `path` (or the file a symbolic link there names) atomically. A
// target that exists and is no regular file (a folder, a device, a pipe),
// and a symbolic link that names no file or runs in a loop, is refused and
// left alone. Before writing, temporary files that interrupted saves of
// ended processes left in the target's folder are removed. On failure errno
// says why: ENAMETOOLONG (the name is longer than the file system takes),
// ELOOP (a loop of symbolic links), ENOENT (no such folder, or a symbolic
// link to no file), EISDIR (a folder), EINVAL (a device or a pipe), ENOMEM,
// or what the system said (ENOSPC, EROFS, EACCES, EIO, ...).
bool WriteWholeFileAtomic(const std::string& path, std::span<const std::uint8_t> bytes);

// The temporary file name a save of `target` by process `pid` uses: the
// target's name, cut short where name and tail would pass the 255 bytes a
// file name may hold, then ".~zorvat-<pid>-<8 hex digits>". Only names of
// exactly this shape are ever removed as left-overs.
std::string TemporarySaveName(const std::string& target, long pid, std::uint32_t random);

// Whether `a` and `b` name one file: the same device and inode once
// symbolic links are followed, or, for a path that names no file yet, the
// same folder (device and inode) and the same name in it.
bool SameFile(const std::string& a, const std::string& b);

// Renames `path` to `base` + `extension`, or to `base` + "-2" + `extension`,
// "-3", ... when that name is taken; never replaces anything. Returns the new
// path, or nothing when the file could not be moved.
std::optional<std::string> MoveAside(const std::string& path, const std::string& base,
                                     const std::string& extension);

}  // namespace zv
