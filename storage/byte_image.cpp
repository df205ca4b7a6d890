// Byte images of the binary run files: the checksum, the sealing writer and
// the check of an image's first bytes.
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

}  // namespace zv
