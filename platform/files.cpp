// Whole-file access over POSIX file descriptors: existence, whole-file read
// of regular files, reading by offset, the atomic write (temporary file
// beside the target, fsync, rename) with the removal of left-over temporary
// files, the same-file test, and moving a file aside. Only regular files are read or replaced, so a folder, a
// pipe or a device named as a task file fails instead of blocking, reading forever or being swapped for a
// plain file.
#include "platform/files.h"

#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <new>
#include <random>
#include <regex>

namespace zv {
namespace {

// Closes a descriptor on every way out of a function.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  // Closes now and reports whether the close succeeded (a delayed write
  // error may only show here).
  bool Close() {
    int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// The tail of a temporary save name: ".~zorvat-<pid>-<8 hex digits>".
constexpr const char* kTemporaryMarker = ".~zorvat-";

// Creates a new, uniquely named file in the target's folder `dir`
// (TemporarySaveName), named relative to it so that only the name's length
// counts, not the path's. The same folder keeps the final rename on one file
// system, hence atomic.
int CreateTemporaryBeside(int dir, const std::string& name, std::string& tempName) {
  std::random_device random;
  for (int attempt = 0; attempt < 16; ++attempt) {
    tempName = TemporarySaveName(name, static_cast<long>(::getpid()), random());
    int fd = ::openat(dir, tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Keeps errno across the clean-up after a failure.
bool FailWith(int error) {
  errno = error;
  return false;
}

bool ProcessIsGone(long pid) { return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH; }

// Removes the temporary files of saves into `folder` whose process has
// ended: a save killed half way leaves one, and no later save would. Only
// regular files whose whole name has the temporary shape are touched, and
// never one of a running process, which may be about to rename it.
void RemoveLeftOverTemporaries(const std::filesystem::path& folder) {
  static const std::regex shape(R"(.+\.~zorvat-([0-9]{1,10})-[0-9a-f]{8})");
  std::error_code error;
  std::filesystem::directory_iterator entries(folder.empty() ? "." : folder, error);
  if (error) return;
  for (const auto& entry : entries) {
    const std::string name = entry.path().filename().string();
    if (name.find(kTemporaryMarker) == std::string::npos) continue;
    std::smatch match;
    if (!std::regex_match(name, match, shape) || !entry.is_regular_file(error) || entry.is_symlink(error))
      continue;
    if (ProcessIsGone(std::stol(match[1].str()))) std::filesystem::remove(entry.path(), error);
  }
}

}  // namespace

std::string TemporarySaveName(const std::string& target, long pid, std::uint32_t random) {
  char tail[48];
  std::snprintf(tail, sizeof tail, "%s%ld-%08x", kTemporaryMarker, pid, static_cast<unsigned>(random));
  const std::size_t slash = target.find_last_of('/');
  const std::size_t nameAt = slash == std::string::npos ? 0 : slash + 1;
  const std::size_t room = NAME_MAX - std::strlen(tail);
  std::size_t cut = std::min(target.size(), nameAt + room);
  // A name cut short ends on a whole UTF-8 character.
  while (cut > nameAt && cut < target.size() && (static_cast<unsigned char>(target[cut]) & 0xc0) == 0x80)
    --cut;
  return target.substr(0, cut) + tail;
}

bool FileExists(const std::string& path) {
  struct stat info {};
  return !path.empty() && ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

FileReadStatus ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::size_t cap) {
  if (path.empty()) return FileReadStatus::Missing;
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (fd.get() < 0)
    return errno == ENOENT || errno == ENOTDIR ? FileReadStatus::Missing : FileReadStatus::Failed;
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return FileReadStatus::Failed;

  // Read until end of file rather than trusting the size, in case the file
  // changes while it is read; the size only sizes the first allocation, and
  // never past the cap, so a huge file costs no more than cap + 1 bytes.
  const std::size_t limit = cap == kNoSizeCap ? cap : cap + 1;
  const auto size = static_cast<std::uintmax_t>(info.st_size);
  try {
    std::vector<std::uint8_t> data(static_cast<std::size_t>(std::min<std::uintmax_t>(size + 1, limit)));
    std::size_t used = 0;
    while (used < limit) {
      if (used == data.size()) data.resize(std::min(limit, data.size() * 2));
      ssize_t n = ::read(fd.get(), data.data() + used, data.size() - used);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return FileReadStatus::Failed;
      if (n == 0) break;
      used += static_cast<std::size_t>(n);
    }
    data.resize(used);
    bytes = std::move(data);
  } catch (const std::bad_alloc&) {
    return FileReadStatus::Failed;
  } catch (const std::length_error&) {
    return FileReadStatus::Failed;
  }
  return bytes.size() == limit && cap != kNoSizeCap ? FileReadStatus::TooLarge : FileReadStatus::Ok;
}

bool WriteWholeFileAtomic(const std::string& linkOrPath, std::span<const std::uint8_t> bytes) {
  if (linkOrPath.empty()) return FailWith(ENOENT);
  // Through a symbolic link the file it names is replaced and the link
  // stays; a link that names no file, or runs in a loop, is refused rather
  // than replaced by a plain file.
  std::string path = linkOrPath;
  struct stat link {};
  if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
    std::error_code error;
    std::filesystem::path target = std::filesystem::canonical(path, error);
    if (error) return FailWith(error.value());
    path = target.string();
  }
  // Only a regular file is ever replaced: renaming over a device, a pipe or
  // a folder would swap it for a plain file.
  struct stat existing {};
  const bool exists = ::stat(path.c_str(), &existing) == 0;
  if (exists && !S_ISREG(existing.st_mode)) return FailWith(S_ISDIR(existing.st_mode) ? EISDIR : EINVAL);
  const std::filesystem::path folderPath = std::filesystem::path(path).parent_path();
  const std::string name = std::filesystem::path(path).filename().string();
  if (name.size() > NAME_MAX) return FailWith(ENAMETOOLONG);
  FileDescriptor folder(
      ::open(folderPath.empty() ? "." : folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.get() < 0) return false;
  RemoveLeftOverTemporaries(folderPath);

  std::string tempName;
  FileDescriptor fd(CreateTemporaryBeside(folder.get(), name, tempName));
  if (fd.get() < 0) return false;

  // A replaced file keeps its permission bits; a new one gets 0666 less umask.
  bool ok = !exists || ::fchmod(fd.get(), existing.st_mode & 07777) == 0;
  ok = ok && WriteAll(fd.get(), bytes) && ::fsync(fd.get()) == 0;
  int error = ok ? 0 : errno;
  if (!fd.Close() && ok) {
    ok = false;
    error = errno;
  }
  if (ok && ::renameat(folder.get(), tempName.c_str(), folder.get(), name.c_str()) != 0) {
    ok = false;
    error = errno;
  }
  if (!ok) {
    ::unlinkat(folder.get(), tempName.c_str(), 0);
    return FailWith(error);
  }
  return true;
}

bool SameFile(const std::string& a, const std::string& b) {
  // A file by its device and inode; a name that is no file yet by its
  // folder's and its own name.
  struct Identity {
    dev_t device = 0;
    ino_t inode = 0;
    std::string name;
    bool known = false;
  };
  const auto identify = [](const std::string& path) {
    Identity id;
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
      id = {info.st_dev, info.st_ino, "", true};
    } else {
      const std::filesystem::path p(path);
      const std::filesystem::path folder = p.parent_path();
      if (::stat(folder.empty() ? "." : folder.c_str(), &info) == 0)
        id = {info.st_dev, info.st_ino, p.filename().string(), true};
    }
    return id;
  };
  const Identity x = identify(a), y = identify(b);
  if (!x.known || !y.known) return a == b;
  return x.device == y.device && x.inode == y.inode && x.name == y.name;
}

OpenedFile::~OpenedFile() {
  if (fd_ >= 0) ::close(fd_);
}

FileReadStatus OpenedFile::Open(const std::string& path) {
  if (path.empty()) return FileReadStatus::Missing;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? FileReadStatus::Missing : FileReadStatus::Failed;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return FileReadStatus::Failed;
  }
  if (fd_ >= 0) ::close(fd_);
  fd_ = fd;
  size_ = static_cast<std::uint64_t>(info.st_size);
  return FileReadStatus::Ok;
}

bool OpenedFile::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const {
  if (fd_ < 0) return false;
  std::size_t done = 0;
  while (done < out.size()) {
    const ssize_t n = ::pread(fd_, out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

std::optional<std::string> MoveAside(const std::string& path, const std::string& base,
                                     const std::string& extension) {
  for (int n = 1; n < 1000; ++n) {
    const std::string target = n == 1 ? base + extension : base + '-' + std::to_string(n) + extension;
    // renameat2 with RENAME_NOREPLACE fails instead of replacing a file that
    // appeared between a check and the rename.
    if (::renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) return target;
    if (errno != EEXIST) return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace zv
