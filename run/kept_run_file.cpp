// The kept-run file and the files of other instances (run/kept_run_file.h).
#include "run/kept_run_file.h"

#include <sys/stat.h>

#include <cstdio>

#include "platform/files.h"
#include "run/unit_file.h"
#include "storage/autosave.h"

namespace zv {

namespace {

constexpr char kExtension[] = ".zvu";

// The device and inode of the file at `path`, or (0, 0) when there is none.
std::pair<std::uint64_t, std::uint64_t> FileId(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return {0, 0};
  return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

const char* Infix(KeptRunAside why) {
  switch (why) {
    case KeptRunAside::OtherTask:
      return ".other-";
    case KeptRunAside::Newer:
      return ".newer-";
    case KeptRunAside::Damaged:
      break;
  }
  return ".damaged-";
}

}  // namespace

bool KeptRunFile::Foreign() const {
  const std::pair<std::uint64_t, std::uint64_t> id = FileId(path_);
  return id != std::pair<std::uint64_t, std::uint64_t>{0, 0} && (!holds_ || id != written_);
}

bool KeptRunFile::Write(const UnitFile& file) {
  // A run another instance kept there stays reachable under a name of its own.
  if (held_ || (Foreign() && !SetAside(KeptRunAside::OtherTask, std::time(nullptr)))) {
    held_ = true;
    return false;
  }
  if (!WriteUnitFile(path_, file)) return false;
  holds_ = true;
  written_ = FileId(path_);
  return true;
}

void KeptRunFile::Drop() {
  if (!holds_) return;
  if (!Foreign()) std::remove(path_.c_str());
  holds_ = false;
}

void KeptRunFile::Adopt() {
  holds_ = true;
  written_ = FileId(path_);
}

std::optional<std::string> KeptRunFile::SetAside(KeptRunAside why, std::time_t when) {
  std::string base = path_;
  if (base.size() >= sizeof kExtension - 1 &&
      base.compare(base.size() - (sizeof kExtension - 1), sizeof kExtension - 1, kExtension) == 0)
    base.resize(base.size() - (sizeof kExtension - 1));
  std::optional<std::string> moved = MoveAside(path_, DatedName(base, Infix(why), when), kExtension);
  if (!moved) held_ = true;
  return moved;
}

}  // namespace zv
