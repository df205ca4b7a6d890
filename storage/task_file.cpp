// Task files: the writer that lays a task out byte for byte, the reader that
// checks a whole image before it replaces the task, and the file wrappers.
#include "storage/task_file.h"

#include <algorithm>
#include <array>
#include <new>

#include "platform/files.h"

namespace zv {
namespace {

// clang-format off
constexpr std::uint32_t kFlagEmptyCells = 0x1;  // flags bit 0: TaskState::EmptyCells
constexpr std::uint32_t kFlagNumbering  = 0x2;  // flags bit 1: a numbering block ends the file
constexpr std::size_t kFigureRecordSize = 4;    // int16 figure cell index, int16 cell word
constexpr std::size_t kFormRecordSize   = 2;    // int16 form cell index
constexpr std::size_t kInitialBuffer    = 1024;
// clang-format on

// The numbering block holds one byte per cube, so only figures of at most
// 256 cubes (user numbers 0..255) can carry one.
constexpr int kMostNumberedCubes = kNumberSlots;

// Appends little-endian values into a buffer that starts at 1024 bytes and,
// when full, grows to the larger of twice its capacity and the size needed.
class ImageWriter {
 public:
  ImageWriter() { bytes_.reserve(kInitialBuffer); }

  void Int32(std::int32_t v) {
    auto u = static_cast<std::uint32_t>(v);
    Bytes({static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(u >> 8),
           static_cast<std::uint8_t>(u >> 16), static_cast<std::uint8_t>(u >> 24)});
  }
  void Int16(int v) {
    auto u = static_cast<std::uint16_t>(v);
    Bytes({static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(u >> 8)});
  }
  void Byte(std::uint8_t v) { Bytes({v}); }
  void Bytes(std::span<const std::uint8_t> data) {
    MakeRoom(data.size());
    bytes_.insert(bytes_.end(), data.begin(), data.end());
  }
  void Bytes(std::initializer_list<std::uint8_t> data) { Bytes(std::span(data.begin(), data.size())); }

  std::size_t Position() const { return bytes_.size(); }
  void PatchInt32(std::size_t at, std::int32_t v) {
    auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i) bytes_[at + i] = static_cast<std::uint8_t>(u >> (8 * i));
  }
  std::vector<std::uint8_t> Take() { return std::move(bytes_); }

 private:
  void MakeRoom(std::size_t extra) {
    std::size_t needed = bytes_.size() + extra;
    if (needed > bytes_.capacity()) bytes_.reserve(std::max(2 * bytes_.capacity(), needed));
  }
  std::vector<std::uint8_t> bytes_;
};

// Reads little-endian values from an image; every read reports whether the
// image still held the bytes, so nothing is ever read past its end.
class ImageReader {
 public:
  ImageReader(std::span<const std::uint8_t> image, std::size_t at) : image_(image), at_(at) {}

  bool Int32(std::int32_t& v) {
    if (Left() < 4) return false;
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= static_cast<std::uint32_t>(image_[at_ + i]) << (8 * i);
    v = static_cast<std::int32_t>(u);
    at_ += 4;
    return true;
  }
  // An int16 field; returned unsigned (cell words) or sign-extended (indexes).
  bool Word(std::uint16_t& v) {
    if (Left() < 2) return false;
    v = static_cast<std::uint16_t>(image_[at_] | image_[at_ + 1] << 8);
    at_ += 2;
    return true;
  }
  bool Index(int& v) {
    std::uint16_t u = 0;
    if (!Word(u)) return false;
    v = static_cast<std::int16_t>(u);
    return true;
  }
  // The zero-terminated text; false when no zero byte ends it.
  bool Text(std::string& text) {
    auto rest = image_.subspan(at_);
    auto zero = std::find(rest.begin(), rest.end(), std::uint8_t{0});
    if (zero == rest.end()) return false;
    text.assign(rest.begin(), zero);
    at_ += text.size() + 1;
    return true;
  }
  std::span<const std::uint8_t> Take(std::size_t n) {
    auto part = image_.subspan(at_, n);
    at_ += n;
    return part;
  }
  std::size_t Left() const { return image_.size() - at_; }

 private:
  std::span<const std::uint8_t> image_;
  std::size_t at_;
};

std::int32_t ReadInt32At(std::span<const std::uint8_t> image, std::size_t at) {
  std::int32_t v = 0;
  ImageReader(image, at).Int32(v);
  return v;
}

bool InRange(std::int32_t v, int low, int high) { return v >= low && v <= high; }

// The block is written only when it says something and can be read back:
// one byte per cube cannot number more than 256 cubes and the reader refuses
// such a block, so a larger figure is saved in default order rather than
// into a file that no longer opens.
bool NeedsNumberingBlock(const FigureState& figure) {
  return CountCubes(figure) <= kMostNumberedCubes && !IsDefaultNumbering(figure);
}

// The first `count` bytes hold each of 0..count-1 exactly once.
bool IsPermutation(std::span<const std::uint8_t> bytes, int count) {
  std::array<bool, kNumberSlots> seen{};
  for (int k = 0; k < count; ++k) {
    int n = bytes[k];
    if (n >= count || seen[n]) return false;
    seen[n] = true;
  }
  return true;
}

// Every record of a readable file lies where the writer puts records: figure
// records in rows 0..FigureDepth and columns 0..FigureWidth (corner hinges may
// sit one past the figure), cubes inside the figure, form cells inside the
// form. Anything else would be dropped by the next save or would reach the
// bordered grids' outer ring, which the neighbour offsets rely on being empty.
bool FigureRecordFits(const FigureState& figure, int cell, std::uint16_t word) {
  if (cell < 0 || cell >= kFigureGrid || (word & 0x8000) != 0) return false;
  int x = FigureCellX(cell), y = FigureCellY(cell);
  if (x < 0 || y < 0 || x > figure.FigureWidth || y > figure.FigureDepth) return false;
  return (word & kCubeBit) == 0 || (x < figure.FigureWidth && y < figure.FigureDepth);
}

bool FormRecordFits(const FormState& form, CellIndex cell) {
  if (cell.value() < 0 || cell.value() >= kFormGrid) return false;
  int x = FormCellX(cell), y = FormCellY(cell), z = FormCellZ(cell);
  return x >= 0 && y >= 0 && z >= 0 && x < form.FormWidth && y < form.FormDepth && z < form.FormHeight;
}

// Reads everything after magic and version into `loaded` (already cleared),
// checking as it goes; false at the first thing that does not fit.
bool ReadBody(std::span<const std::uint8_t> image, TaskState& loaded) {
  ImageReader in(image, 8);  // flags follow magic and version
  std::int32_t flags = 0;
  FigureState& figure = loaded.figure;
  FormState& form = loaded.form;
  if (!in.Int32(flags) || !in.Int32(figure.FigureWidth) || !in.Int32(figure.FigureDepth) ||
      !in.Int32(form.FormWidth) || !in.Int32(form.FormDepth) || !in.Int32(form.FormHeight))
    return false;
  if (!InRange(figure.FigureWidth, 1, kMaxFigureSide) || !InRange(figure.FigureDepth, 1, kMaxFigureSide) ||
      !InRange(form.FormWidth, 1, kMaxFormSide) || !InRange(form.FormDepth, 1, kMaxFormSide) ||
      !InRange(form.FormHeight, 1, kMaxFormHeight))
    return false;
  if (!in.Text(loaded.Text) || loaded.Text.size() > kMaxTextBytes) return false;

  std::int32_t nf = 0, nb = 0;
  if (!in.Int32(nf) || !in.Int32(nb) || nf < 0 || nb < 0) return false;
  bool numbered = (flags & kFlagNumbering) != 0;
  // The records and the block must fill the rest of the file exactly.
  std::uint64_t expected = std::uint64_t(nf) * kFigureRecordSize + std::uint64_t(nb) * kFormRecordSize +
                           (numbered ? std::uint64_t(nf) : 0);
  if (expected != in.Left()) return false;

  for (std::int32_t i = 0; i < nf; ++i) {
    int cell = 0;
    std::uint16_t word = 0;
    in.Index(cell);  // the size check above guarantees the bytes
    in.Word(word);
    if (!FigureRecordFits(figure, cell, word)) return false;
    figure.Cells[cell] = word;
  }
  for (std::int32_t i = 0; i < nb; ++i) {
    int value = 0;
    in.Index(value);
    const CellIndex cell(value);
    if (!FormRecordFits(form, cell)) return false;
    form.At(cell) = 1;
  }
  loaded.EmptyCells = (flags & kFlagEmptyCells) != 0;

  if (!numbered) {
    ResetNumbering(figure);
    return true;
  }
  std::span<const std::uint8_t> block = in.Take(static_cast<std::size_t>(nf));
  std::array<int, kNumberSlots> cells{};
  int cubes = CountCubes(figure);
  if (cubes > kMostNumberedCubes || !IsPermutation(block, cubes)) return false;
  ListCubeCells(figure, cells.data(), cubes);
  for (int k = 0; k < cubes; ++k) {
    figure.NumberOfCube[k] = block[k];
    figure.CubeOfNumber[block[k]] = static_cast<std::uint8_t>(k);
    figure.NumberAtCell[cells[k]] = block[k];
  }
  return true;
}

}  // namespace

std::vector<std::uint8_t> BuildTaskImage(const TaskState& task) {
  const FigureState& figure = task.figure;
  const FormState& form = task.form;
  bool numbered = NeedsNumberingBlock(figure);
  ImageWriter out;
  out.Int32(static_cast<std::int32_t>(kTaskMagic));
  out.Int32(kTaskVersion);
  out.Int32(
      static_cast<std::int32_t>((task.EmptyCells ? kFlagEmptyCells : 0) | (numbered ? kFlagNumbering : 0)));
  out.Int32(figure.FigureWidth);
  out.Int32(figure.FigureDepth);
  out.Int32(form.FormWidth);
  out.Int32(form.FormDepth);
  out.Int32(form.FormHeight);

  // The text ends at its first zero byte: the file's text is zero-terminated,
  // and an inner zero would make the rest read as records and spoil the file.
  std::string_view text(task.Text.c_str());
  text = text.substr(0, kMaxTextBytes);  // the reader's size cap counts on it
  out.Bytes(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
  out.Byte(0);

  std::size_t counts = out.Position();
  out.Int32(0);
  out.Int32(0);
  std::int32_t nf = 0, nb = 0;
  for (int y = 0; y <= figure.FigureDepth; ++y)
    for (int x = 0; x <= figure.FigureWidth; ++x) {
      int cell = FigureCellIndex(x, y);
      if (figure.Cells[cell] == 0) continue;
      out.Int16(cell);
      out.Int16(figure.Cells[cell]);
      ++nf;
    }
  for (int z = 0; z < form.FormHeight; ++z)
    for (int y = 0; y < form.FormDepth; ++y)
      for (int x = 0; x < form.FormWidth; ++x) {
        const CellIndex cell = FormCellIndex(x, y, z);
        if (form.At(cell) == 0) continue;
        out.Int16(cell.value());
        ++nb;
      }
  // One byte per figure record; records past the 256 number slots (cells
  // holding only corner hinges) carry no number and are written as 0.
  if (numbered)
    for (std::int32_t i = 0; i < nf; ++i) out.Byte(i < kNumberSlots ? figure.NumberOfCube[i] : 0);
  out.PatchInt32(counts, nf);
  out.PatchInt32(counts + 4, nb);
  return out.Take();
}

ReadResult CheckTaskHeader(std::span<const std::uint8_t> image) {
  if (image.size() < kSmallestTaskFile) return ReadResult::TooShort;
  if (static_cast<std::uint32_t>(ReadInt32At(image, 0)) != kTaskMagic) return ReadResult::BadHeader;
  if (ReadInt32At(image, 4) > kTaskVersion) return ReadResult::NewerVersion;
  return ReadResult::Ok;
}

ReadResult ParseTaskImage(std::span<const std::uint8_t> image, TaskState& task) {
  if (const ReadResult header = CheckTaskHeader(image); header != ReadResult::Ok) return header;

  // Loading clears the cells but keeps the number arrays' entries beyond the
  // loaded cubes, so the copy starts from the current task.
  TaskState loaded = task;
  ClearTask(loaded);
  if (!ReadBody(image, loaded)) return ReadResult::Damaged;
  task = std::move(loaded);
  return ReadResult::Ok;
}

ReadResult ReadTaskFile(const std::string& path, TaskState& task, TaskJsonError* textError) {
  try {
    std::vector<std::uint8_t> image;
    const FileReadStatus status = ReadWholeFile(path, image, std::max(kLargestTaskFile, kLargestTaskJson));
    const std::string_view bytes(reinterpret_cast<const char*>(image.data()), image.size());
    switch (status) {
      case FileReadStatus::Missing:
        return ReadResult::Missing;
      case FileReadStatus::Failed:
        return ReadResult::Unreadable;
      case FileReadStatus::TooLarge:
        break;
      case FileReadStatus::Ok:
        if (LooksLikeTaskJson(bytes)) {
          const TaskJsonError error = ParseTaskJson(bytes, task);
          if (error.ok()) return ReadResult::Ok;
          if (textError != nullptr) *textError = error;
          return ReadResult::BadText;
        }
        if (image.size() <= kLargestTaskFile) return ParseTaskImage(image, task);
        break;
    }
    // Too large for its form: a wrong header or a newer version says more
    // than "too large".
    const ReadResult header = LooksLikeTaskJson(bytes) ? ReadResult::Ok : CheckTaskHeader(image);
    return header == ReadResult::Ok ? ReadResult::Damaged : header;
  } catch (const std::bad_alloc&) {
    return ReadResult::Unreadable;
  }
}

WriteResult WriteTaskFile(const std::string& path, const TaskState& task) {
  return WriteWholeFileAtomic(path, BuildTaskImage(task)) ? WriteResult::Ok : WriteResult::Failed;
}

}  // namespace zv
