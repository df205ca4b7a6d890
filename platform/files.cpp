// Whole-file access over POSIX file descriptors: existence, whole-file read
// of regular files, and the atomic write (temporary file beside the target,
// fsync, rename). Only regular files are read, so a folder, a pipe or a
// device named as a task file fails instead of blocking or reading forever.
#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>

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

// Creates a new, uniquely named file in the target's folder: "<target>.~XXXXXXXX".
// The same folder keeps the final rename on one file system, hence atomic.
int CreateTemporaryBeside(const std::string& path, std::string& tempPath) {
  std::random_device random;
  for (int attempt = 0; attempt < 16; ++attempt) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".~%08x", static_cast<unsigned>(random()));
    tempPath = path + suffix;
    int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

}  // namespace

bool FileExists(const std::string& path) {
  struct stat info {};
  return !path.empty() && ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

FileReadStatus ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
  if (path.empty()) return FileReadStatus::Missing;
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (fd.get() < 0)
    return errno == ENOENT || errno == ENOTDIR ? FileReadStatus::Missing : FileReadStatus::Failed;
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return FileReadStatus::Failed;

  // Read until end of file rather than trusting the size, in case the file
  // changes while it is read; the size only sizes the first allocation.
  std::vector<std::uint8_t> data(static_cast<std::size_t>(info.st_size) + 1);
  std::size_t used = 0;
  for (;;) {
    if (used == data.size()) data.resize(data.size() * 2);
    ssize_t n = ::read(fd.get(), data.data() + used, data.size() - used);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return FileReadStatus::Failed;
    if (n == 0) break;
    used += static_cast<std::size_t>(n);
  }
  data.resize(used);
  bytes = std::move(data);
  return FileReadStatus::Ok;
}

bool WriteWholeFileAtomic(const std::string& linkOrPath, std::span<const std::uint8_t> bytes) {
  if (linkOrPath.empty()) return false;
  // Through a symbolic link the file it names is replaced and the link stays.
  std::string path = linkOrPath;
  struct stat link {};
  if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
    std::error_code error;
    std::filesystem::path target = std::filesystem::canonical(path, error);
    if (!error) path = target.string();
  }
  std::string tempPath;
  FileDescriptor fd(CreateTemporaryBeside(path, tempPath));
  if (fd.get() < 0) return false;

  // A replaced file keeps its permission bits; a new one gets 0666 less umask.
  struct stat old {};
  bool ok = true;
  if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode))
    ok = ::fchmod(fd.get(), old.st_mode & 07777) == 0;
  ok = ok && WriteAll(fd.get(), bytes) && ::fsync(fd.get()) == 0;
  ok = fd.Close() && ok;
  ok = ok && std::rename(tempPath.c_str(), path.c_str()) == 0;
  if (!ok) std::remove(tempPath.c_str());
  return ok;
}

}  // namespace zv
