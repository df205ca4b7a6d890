// Byte images of the binary run files: the checksum, the sealing writer,
// the check of an image's first bytes and the measuring scan of a file.
#include "storage/byte_image.h"

#include <algorithm>

namespace zv {

std::uint64_t Fnv1a64(std::span<const std::uint8_t> bytes) {
  std::uint64_t hash = 0xcbf29ce484222325ull;
  for (const std::uint8_t b : bytes) {
    hash ^= b;
    hash *= 0x100000001b3ull;
  }
  return hash;
}

ByteWriter::ByteWriter(ImageMagic magic, std::uint32_t format) : bytes_(magic.begin(), magic.end()) {
  Put(format);
}

std::vector<std::uint8_t> ByteWriter::Seal() {
  Put(Fnv1a64(bytes_));
  return std::move(bytes_);
}

bool ByteReader::GetBytes(std::size_t count, std::span<const std::uint8_t>& out) {
  if (Left() < count) return false;
  out = bytes_.subspan(at_, count);
  at_ += count;
  return true;
}

ImageCheck CheckImage(std::span<const std::uint8_t> image, ImageMagic magic, std::uint32_t newestFormat,
                      std::size_t smallestBody, std::span<const std::uint8_t>& body, std::uint32_t& format) {
  if (image.size() < magic.size() || !std::equal(magic.begin(), magic.end(), image.begin()))
    return ImageCheck::OtherKind;
  ByteReader head(image.subspan(magic.size()));
  std::uint32_t found = 0;
  if (!head.Get(found)) return ImageCheck::Damaged;
  if (found > newestFormat) return ImageCheck::NewerFormat;
  const std::size_t framing = magic.size() + 4 + 8;
  if (found == 0 || image.size() < framing + smallestBody) return ImageCheck::Damaged;
  std::uint64_t sum = 0;
  ByteReader(image.last(8)).Get(sum);
  if (Fnv1a64(image.first(image.size() - 8)) != sum) return ImageCheck::Damaged;
  body = image.subspan(magic.size() + 4, image.size() - framing);
  format = found;
  return ImageCheck::Ok;
}

bool FileScan::Skip(std::uint64_t count) {
  if (count > file_.Size() || at_ > file_.Size() - count) return false;
  at_ += count;
  return true;
}

bool FileScan::Take(std::span<std::uint8_t> out) {
  if (out.size() > file_.Size() || at_ > file_.Size() - out.size()) return false;
  if (at_ < windowAt_ || at_ + out.size() > windowAt_ + window_.size()) {
    constexpr std::uint64_t kWindow = 64 * 1024;
    window_.resize(static_cast<std::size_t>(std::min(kWindow, file_.Size() - at_)));
    windowAt_ = at_;
    if (!file_.ReadAt(at_, window_)) {
      window_.clear();
      return false;
    }
  }
  std::copy_n(window_.begin() + static_cast<std::ptrdiff_t>(at_ - windowAt_), out.size(), out.begin());
  at_ += out.size();
  return true;
}

bool FileStartsWith(const std::string& path, ImageMagic magic) {
  std::vector<std::uint8_t> head;
  const FileReadStatus status = ReadWholeFile(path, head, magic.size());
  return (status == FileReadStatus::Ok || status == FileReadStatus::TooLarge) &&
         head.size() >= magic.size() && std::equal(magic.begin(), magic.end(), head.begin());
}

}  // namespace zv
