// Byte images of the binary run files (work-unit files, result files): the
// little-endian writer and the bounds-checked reader, the FNV-1a 64 checksum
// that closes every image, the check of an image's first bytes and
// checksum, and whole-file reading (judged by the sizes the header declares
// before the body is read) and atomic writing, with allocation failures
// turned into outcomes.
//
// Layout shared by those files: 8 magic bytes, the format number (uint32),
// the body, then the FNV-1a 64 hash of every byte before it (uint64).
//
// Usage:
//   ByteWriter w(kMagic, kFormat);  w.Put(std::uint32_t{7});  bytes = w.Seal();
//   std::span<const std::uint8_t> body;
//   if (CheckImage(image, kMagic, kFormat, body) == ImageCheck::Ok) { ByteReader r(body); r.Get(x); }
#pragma once

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <new>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/files.h"

namespace zv {

using ImageMagic = std::span<const std::uint8_t, 8>;

std::uint64_t Fnv1a64(std::span<const std::uint8_t> bytes);

class ByteWriter {
 public:
  ByteWriter(ImageMagic magic, std::uint32_t format);
  template <class T>
  void Put(T value) {
    const auto v = static_cast<std::uint64_t>(value);
    for (std::size_t i = 0; i < sizeof(T); ++i) bytes_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  void PutBytes(std::span<const std::uint8_t> bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
  }
  // Appends the checksum and hands the image over.
  std::vector<std::uint8_t> Seal();

 private:
  std::vector<std::uint8_t> bytes_;
};

class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  // False (value untouched) when fewer than sizeof(T) bytes are left.
  template <class T>
  bool Get(T& value) {
    if (bytes_.size() - at_ < sizeof(T)) return false;
    std::uint64_t v = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i) v |= static_cast<std::uint64_t>(bytes_[at_ + i]) << (8 * i);
    at_ += sizeof(T);
    value = static_cast<T>(v);
    return true;
  }
  // The next `count` bytes, or false when fewer are left.
  bool GetBytes(std::size_t count, std::span<const std::uint8_t>& out);
  std::size_t Left() const { return bytes_.size() - at_; }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
};

// In the order checked: another kind of file (magic), a format later than
// the newest, or format 0, a body shorter than `smallestBody` or a wrong
// checksum.
enum class ImageCheck { Ok, OtherKind, NewerFormat, Damaged };

// On Ok, `format` is the image's format (1 to `newestFormat`) and `body`
// holds the bytes between the format number and the checksum.
ImageCheck CheckImage(std::span<const std::uint8_t> image, ImageMagic magic, std::uint32_t newestFormat,
                      std::size_t smallestBody, std::span<const std::uint8_t>& body, std::uint32_t& format);

// Whether the file at `path` begins with `magic`; only its first bytes are
// read, so that a large file of another kind is not read whole.
bool FileStartsWith(const std::string& path, ImageMagic magic);

// The file kind's own status for a check that failed (`otherKind` for
// ImageCheck::OtherKind), or nothing when the image may be read.
template <class Status>
std::optional<Status> RefusalOf(ImageCheck check, Status otherKind) {
  switch (check) {
    case ImageCheck::OtherKind:
      return otherKind;
    case ImageCheck::NewerFormat:
      return Status::NewerFormat;
    case ImageCheck::Damaged:
      return Status::Damaged;
    case ImageCheck::Ok:
      break;
  }
  return std::nullopt;
}

// Little-endian values read from an open file from an offset on, through a
// window of up to 64 KB, for measuring a file before it is read whole.
class FileScan {
 public:
  FileScan(const OpenedFile& file, std::uint64_t at) : file_(file), at_(at) {}
  // False (value untouched) when the file ends first or cannot be read.
  template <class T>
  bool Get(T& value) {
    std::uint8_t bytes[sizeof(T)];
    if (!Take(bytes)) return false;
    ByteReader(bytes).Get(value);
    return true;
  }
  // Passes over `count` bytes; false when the file ends first.
  bool Skip(std::uint64_t count);
  std::uint64_t At() const { return at_; }

 private:
  bool Take(std::span<std::uint8_t> out);

  const OpenedFile& file_;
  std::uint64_t at_;
  std::vector<std::uint8_t> window_;
  std::uint64_t windowAt_ = 0;
};

// Reads a run file of the kind that starts with `magic`: its first bytes
// decide whether it is one (else `otherKind`) and of a format this program
// reads (else Status::NewerFormat); `measure(file, format)` then gives the
// size its header and declared counts make it, reading no more than those
// (nothing: they are out of range). Only a file of exactly that size, and
// no larger than `cap`, is read whole and handed to `parse` (returning a
// Status); any other is Status::Damaged, so that a huge or sparse file costs
// a few reads, never its size in memory. A missing file and an unreadable
// one (or no memory for it) become Status::Missing and Status::Unreadable.
template <class Status, class Measure, class Parse>
Status ReadImageFile(const std::string& path, std::size_t cap, ImageMagic magic, std::uint32_t newestFormat,
                     Status otherKind, Measure measure, Parse parse) {
  try {
    OpenedFile file;
    switch (file.Open(path)) {
      case FileReadStatus::Missing:
        return Status::Missing;
      case FileReadStatus::Failed:
      case FileReadStatus::TooLarge:
        return Status::Unreadable;
      case FileReadStatus::Ok:
        break;
    }
    std::uint8_t head[12];
    if (file.Size() < magic.size()) return otherKind;
    if (!file.ReadAt(0, std::span(head).first(magic.size()))) return Status::Unreadable;
    if (!std::equal(magic.begin(), magic.end(), head)) return otherKind;
    std::uint32_t format = 0;
    if (!FileScan(file, magic.size()).Get(format) || format == 0) return Status::Damaged;
    if (format > newestFormat) return Status::NewerFormat;
    const std::optional<std::uint64_t> size = file.Size() <= cap ? measure(file, format) : std::nullopt;
    if (!size || *size != file.Size()) return Status::Damaged;
    std::vector<std::uint8_t> image(static_cast<std::size_t>(*size));
    if (!file.ReadAt(0, image)) return Status::Unreadable;
    return parse(std::span<const std::uint8_t>(image));
  } catch (const std::bad_alloc&) {
    return Status::Unreadable;
  }
}

// Writes the image `build` makes atomically (platform/files.h); false, with
// errno saying why, when it could not be written or made.
template <class Build>
bool WriteImageFile(const std::string& path, Build build) {
  try {
    return WriteWholeFileAtomic(path, build());
  } catch (const std::bad_alloc&) {
    errno = ENOMEM;
    return false;
  }
}

}  // namespace zv
