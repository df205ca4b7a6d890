// The kept-run file: where a window keeps the place of its stopped run
// between sessions (beside the autosave). Instances sharing the folder each
// keep their own run, so the file is written over or removed only while it
// is the one this instance last wrote: every write replaces the file by a
// new one, and another instance's write shows as a file of another device
// and inode. A file of another instance, or one that cannot be used, is
// moved aside under a dated name, where it can still be opened; one that
// cannot be moved is never written over.
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <utility>

namespace zv {

struct UnitFile;

// Why a kept-run file read back is set aside: the infix of its new name.
enum class KeptRunAside { OtherTask, Newer, Damaged };

class KeptRunFile {
 public:
  // `path` ends in ".zvu".
  explicit KeptRunFile(std::string path) : path_(std::move(path)) {}
  const std::string& path() const { return path_; }

  // Writes `file`, after moving a file of another instance aside
  // (".other-"). False when nothing was written: the write failed, or such
  // a file could not be moved.
  bool Write(const UnitFile& file);
  // The place it held is gone: removes the file when this instance holds
  // it; another instance's stays.
  void Drop();
  // The file read back was taken up: this instance holds it now.
  void Adopt();
  bool Holds() const { return holds_; }
  // Moves the file read back aside as `why` (e.g. "Current.damaged-20261209-
  // 014500.zvu"): its new path, or nothing when it could not be moved (it is
  // then never written over).
  std::optional<std::string> SetAside(KeptRunAside why, std::time_t when);

 private:
  // A file lies there that this instance did not write.
  bool Foreign() const;

  std::string path_;
  bool holds_ = false;                                     // the file holds a place of this instance
  bool held_ = false;                                      // a foreign file could not be moved
  std::pair<std::uint64_t, std::uint64_t> written_{0, 0};  // device and inode last written
};

}  // namespace zv
