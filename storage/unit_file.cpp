// Work-unit files: the writer and the checking reader.
#include "storage/unit_file.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "storage/byte_image.h"
#include "storage/task_file.h"

namespace zv {

namespace {

constexpr std::uint8_t kMagic[8] = {'Z', 'V', 'U', 'N', 'I', 'T', 'S', 0x1a};
// The fields between the format number and the first result.
constexpr std::size_t kHeaderBytes = 8 + 1 + 4 + 4 + 8 + 4 + 4 + 4 + 4;
constexpr std::size_t kResultHeadBytes = 4 + 8 + 8 + 8 + 1 + 4;
// Files past this size are refused unread: far more than 10000 first
// members in every unit of a cut.
constexpr std::size_t kLargestUnitFile = std::size_t{1} << 34;

}  // namespace

std::uint64_t TaskFingerprint(const TaskState& task) { return Fnv1a64(BuildTaskImage(task)); }

UnitFile MakeUnitFile(const TaskState& task, int blockCount, SolveEngine engine, const UnitJob& job) {
  UnitFile file{0, engine, job.cut, job.part, job.parts, blockCount, job.done, BuildTaskImage(task)};
  file.taskFingerprint = Fnv1a64(file.taskImage);
  return file;
}

bool TaskOfUnitFile(const UnitFile& file, TaskState& task) {
  TaskState read;
  if (file.taskImage.empty() || ParseTaskImage(file.taskImage, read) != ReadResult::Ok ||
      BuildTaskImage(read) != file.taskImage)
    return false;
  task = std::move(read);
  return true;
}

std::vector<std::uint8_t> BuildUnitImage(const UnitFile& file) {
  std::vector<const UnitResult*> sorted;
  for (const UnitResult& r : file.results) sorted.push_back(&r);
  std::sort(sorted.begin(), sorted.end(), [](auto* a, auto* b) { return a->unit < b->unit; });
  const bool withTask = !file.taskImage.empty();
  ByteWriter w(kMagic, withTask ? kUnitFileFormat : std::uint32_t{1});
  w.Put(file.taskFingerprint);
  w.Put(static_cast<std::uint8_t>(file.engine == SolveEngine::Fast ? 1 : 0));
  w.Put(file.cut.depth);
  w.Put(file.cut.unitCount);
  w.Put(file.cut.pathHash);
  w.Put(static_cast<std::int32_t>(file.part));
  w.Put(static_cast<std::int32_t>(file.parts));
  w.Put(static_cast<std::int32_t>(file.blockCount));
  w.Put(static_cast<std::uint32_t>(sorted.size()));
  const auto b = static_cast<std::size_t>(std::max(file.blockCount, 1));
  for (const UnitResult* r : sorted) {
    w.Put(r->unit);
    w.Put(r->assignments);
    w.Put(r->searchCalls);
    w.Put(r->deadEnds);
    w.Put(static_cast<std::uint8_t>((r->assignmentsOverflow ? 1 : 0) | (r->foundAtLeast ? 2 : 0)));
    w.Put(static_cast<std::uint32_t>(r->firsts.size() / b));
    for (const std::int32_t p : r->firsts) w.Put(p);
  }
  if (withTask) {
    w.Put(static_cast<std::uint32_t>(file.taskImage.size()));
    w.PutBytes(file.taskImage);
  }
  return w.Seal();
}

UnitFileStatus ParseUnitImage(std::span<const std::uint8_t> image, UnitFile& out) {
  std::span<const std::uint8_t> body;
  std::uint32_t format = 0;
  if (const auto refused = RefusalOf(CheckImage(image, kMagic, kUnitFileFormat, kHeaderBytes, body, format),
                                     UnitFileStatus::NotUnitFile))
    return *refused;
  UnitFile file;
  ByteReader r(body);
  std::uint8_t engine = 0;
  std::int32_t part = 0, parts = 0, blocks = 0;
  std::uint32_t count = 0;
  r.Get(file.taskFingerprint);
  r.Get(engine);
  r.Get(file.cut.depth);
  r.Get(file.cut.unitCount);
  r.Get(file.cut.pathHash);
  r.Get(part);
  r.Get(parts);
  r.Get(blocks);
  r.Get(count);
  if (engine > 1 || parts < 1 || parts > kMaxParts || part < 1 || part > parts || blocks < 1 ||
      blocks > 254 || file.cut.depth < 1 || count > file.cut.unitCount ||
      count > r.Left() / kResultHeadBytes)  // each result takes its head at least
    return UnitFileStatus::Damaged;
  file.engine = engine == 1 ? SolveEngine::Fast : SolveEngine::Reduced;
  file.part = part;
  file.parts = parts;
  file.blockCount = blocks;
  UnitJob scope;  // tells which units belong to the part
  scope.part = part;
  scope.parts = parts;
  try {
    file.results.resize(count);
    for (std::uint32_t i = 0; i < count; ++i) {
      UnitResult& u = file.results[i];
      std::uint8_t flags = 0;
      std::uint32_t members = 0;
      if (r.Left() < kResultHeadBytes) return UnitFileStatus::Damaged;
      r.Get(u.unit);
      r.Get(u.assignments);
      r.Get(u.searchCalls);
      r.Get(u.deadEnds);
      r.Get(flags);
      r.Get(members);
      if (u.unit >= file.cut.unitCount || !scope.InPart(u.unit) ||
          (i > 0 && u.unit <= file.results[i - 1].unit) || flags > 3 ||
          static_cast<std::uint64_t>(members) * static_cast<std::uint64_t>(blocks) * 4 > r.Left())
        return UnitFileStatus::Damaged;
      u.assignmentsOverflow = (flags & 1) != 0;
      u.foundAtLeast = (flags & 2) != 0;
      u.firsts.resize(static_cast<std::size_t>(members) * static_cast<std::size_t>(blocks));
      for (std::int32_t& p : u.firsts) r.Get(p);
    }
    // The task: present exactly in format 2, never larger than a task
    // file, and the image the fingerprint was taken of.
    std::uint32_t taskBytes = 0;
    if (format == 2 &&
        (!r.Get(taskBytes) || taskBytes == 0 || taskBytes > kLargestTaskFile || taskBytes > r.Left()))
      return UnitFileStatus::Damaged;
    std::span<const std::uint8_t> taskImage;
    r.GetBytes(taskBytes, taskImage);
    file.taskImage.assign(taskImage.begin(), taskImage.end());
    if (format == 2 && Fnv1a64(file.taskImage) != file.taskFingerprint) return UnitFileStatus::Damaged;
  } catch (const std::bad_alloc&) {
    return UnitFileStatus::Unreadable;
  }
  if (r.Left() != 0) return UnitFileStatus::Damaged;
  out = std::move(file);
  return UnitFileStatus::Ok;
}

UnitFileStatus ReadUnitFile(const std::string& path, UnitFile& out) {
  return ReadImageFile<UnitFileStatus>(
      path, kLargestUnitFile, kMagic, UnitFileStatus::NotUnitFile,
      [&](std::span<const std::uint8_t> image) { return ParseUnitImage(image, out); });
}

bool StartsAsUnitFile(const std::string& path) {
  std::vector<std::uint8_t> head;
  const FileReadStatus status = ReadWholeFile(path, head, sizeof kMagic);
  return (status == FileReadStatus::Ok || status == FileReadStatus::TooLarge) &&
         head.size() >= sizeof kMagic && std::memcmp(head.data(), kMagic, sizeof kMagic) == 0;
}

bool WriteUnitFile(const std::string& path, const UnitFile& file) {
  return WriteImageFile(path, [&] { return BuildUnitImage(file); });
}

}  // namespace zv
