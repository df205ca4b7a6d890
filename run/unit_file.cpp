// Work-unit files: the writer and the checking reader.
#include "run/unit_file.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <optional>
#include <utility>

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

UnitFile MakeUnitFile(const TaskState& task, int blockCount, SolveEngine engine, const UnitJob& job,
                      std::uint64_t elapsedMs) {
  UnitFile file{0,
                engine,
                job.cut,
                job.part,
                job.parts,
                blockCount,
                job.done,
                job.begun,
                job.mergedUnits,
                job.mergedNew,
                BuildTaskImage(task),
                elapsedMs};
  file.taskFingerprint = Fnv1a64(file.taskImage);
  return file;
}

void ResumeJob(UnitFile&& file, UnitJob& job) {
  job.part = file.part;
  job.parts = file.parts;
  job.expectedCut = file.cut;
  job.haveExpectedCut = true;
  job.done = std::move(file.results);
  job.begun = std::move(file.begun);
  job.mergedUnits = file.mergedUnits;
  job.mergedNew = std::move(file.mergedNew);
}

namespace {

void PutResult(ByteWriter& w, const UnitResult& r, std::size_t b) {
  w.Put(r.unit);
  w.Put(r.assignments);
  w.Put(r.searchCalls);
  w.Put(r.deadEnds);
  w.Put(static_cast<std::uint8_t>((r.assignmentsOverflow ? 1 : 0) | (r.foundAtLeast ? 2 : 0)));
  w.Put(static_cast<std::uint32_t>(r.firsts.size() / b));
  for (const std::int32_t p : r.firsts) w.Put(p);
}

void PutPlace(ByteWriter& w, const UnitPlace& place, std::size_t b) {
  PutResult(w, place.sofar, b);
  w.Put(static_cast<std::uint32_t>(place.steps.size()));
  for (const PlaceStep& step : place.steps) {
    w.Put(step.branch);
    w.Put(step.before);
    w.Put(step.start);
    w.Put(static_cast<std::uint32_t>(step.handled.size()));
    for (std::size_t k = 0; k < step.handled.size(); ++k) {
      w.Put(step.handled[k]);
      w.Put(k < step.counts.size() ? step.counts[k] : 0);
    }
  }
}

// A result of a unit in `file`'s part and cut, after `previous` (-1: none);
// false when the layout is broken.
bool GetResult(ByteReader& r, const UnitFile& file, std::int64_t previous, UnitResult& u) {
  UnitJob scope;  // tells which units belong to the part
  scope.part = file.part;
  scope.parts = file.parts;
  std::uint8_t flags = 0;
  std::uint32_t members = 0;
  if (r.Left() < kResultHeadBytes) return false;
  r.Get(u.unit);
  r.Get(u.assignments);
  r.Get(u.searchCalls);
  r.Get(u.deadEnds);
  r.Get(flags);
  r.Get(members);
  const auto blocks = static_cast<std::uint64_t>(file.blockCount);
  if (u.unit >= file.cut.unitCount || !scope.InPart(u.unit) ||
      static_cast<std::int64_t>(u.unit) <= previous || flags > 3 ||
      static_cast<std::uint64_t>(members) * blocks * 4 > r.Left())
    return false;
  u.assignmentsOverflow = (flags & 1) != 0;
  u.foundAtLeast = (flags & 2) != 0;
  u.firsts.resize(static_cast<std::size_t>(members * blocks));
  for (std::int32_t& p : u.firsts) r.Get(p);
  return true;
}

constexpr std::size_t kStepHeadBytes = 4 + 8 + 8 + 4;
constexpr std::size_t kNotedBytes = 4 + 8;

bool GetPlace(ByteReader& r, const UnitFile& file, std::int64_t previous, UnitPlace& place) {
  std::uint32_t steps = 0;
  if (!GetResult(r, file, previous, place.sofar) || !r.Get(steps) || steps > r.Left() / kStepHeadBytes)
    return false;
  place.steps.resize(steps);
  for (PlaceStep& step : place.steps) {
    std::uint32_t noted = 0;
    if (!r.Get(step.branch) || !r.Get(step.before) || !r.Get(step.start) || !r.Get(noted) ||
        noted > r.Left() / kNotedBytes)
      return false;
    step.handled.resize(noted);
    step.counts.resize(noted);
    for (std::uint32_t k = 0; k < noted; ++k) {
      r.Get(step.handled[k]);
      r.Get(step.counts[k]);
    }
  }
  return true;
}

}  // namespace

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
  // The oldest format that holds what the file has: without the task 1,
  // without a time 3 (as earlier versions wrote it, so they still read it).
  const bool withTask = !file.taskImage.empty();
  const std::uint32_t format = !withTask ? 1 : file.elapsedMs == 0 ? 3 : kUnitFileFormat;
  ByteWriter w(kMagic, format);
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
  for (const UnitResult* r : sorted) PutResult(w, *r, b);
  if (withTask) {
    std::vector<const UnitPlace*> places;
    for (const UnitPlace& p : file.begun) places.push_back(&p);
    std::sort(places.begin(), places.end(), [](auto* x, auto* y) { return x->sofar.unit < y->sofar.unit; });
    w.Put(static_cast<std::uint32_t>(places.size()));
    for (const UnitPlace* p : places) PutPlace(w, *p, b);
    w.Put(file.mergedUnits);
    w.Put(static_cast<std::uint32_t>(file.mergedNew.size()));
    for (std::size_t at = 0; at < file.mergedNew.size(); at += 8) {
      std::uint8_t bits = 0;
      for (std::size_t k = 0; k < 8 && at + k < file.mergedNew.size(); ++k)
        bits |= static_cast<std::uint8_t>((file.mergedNew[at + k] != 0 ? 1 : 0) << k);
      w.Put(bits);
    }
    w.Put(static_cast<std::uint32_t>(file.taskImage.size()));
    w.PutBytes(file.taskImage);
    if (format >= 4) w.Put(file.elapsedMs);
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
  try {
    file.results.resize(count);
    for (std::uint32_t i = 0; i < count; ++i)
      if (!GetResult(r, file, i > 0 ? std::int64_t{file.results[i - 1].unit} : -1, file.results[i]))
        return UnitFileStatus::Damaged;
    if (format >= 3) {
      std::uint32_t places = 0, offered = 0;
      if (!r.Get(places) || places > file.cut.unitCount || places > r.Left() / kResultHeadBytes)
        return UnitFileStatus::Damaged;
      file.begun.resize(places);
      for (std::uint32_t i = 0; i < places; ++i)
        if (!GetPlace(r, file, i > 0 ? std::int64_t{file.begun[i - 1].sofar.unit} : -1, file.begun[i]))
          return UnitFileStatus::Damaged;
      if (!r.Get(file.mergedUnits) || !r.Get(offered) || file.mergedUnits > file.cut.unitCount ||
          (offered + std::uint64_t{7}) / 8 > r.Left())
        return UnitFileStatus::Damaged;
      file.mergedNew.resize(offered);
      for (std::uint32_t at = 0; at < offered; at += 8) {
        std::uint8_t bits = 0;
        r.Get(bits);
        const std::uint32_t used = std::min<std::uint32_t>(8, offered - at);
        if (used < 8 && (bits >> used) != 0) return UnitFileStatus::Damaged;  // bits past the last
        for (std::uint32_t k = 0; k < used; ++k) file.mergedNew[at + k] = (bits >> k) & 1;
      }
    }
    // The task: present exactly in formats 2 and 3, never larger than a
    // task file, and the image the fingerprint was taken of.
    std::uint32_t taskBytes = 0;
    if (format >= 2 &&
        (!r.Get(taskBytes) || taskBytes == 0 || taskBytes > kLargestTaskFile || taskBytes > r.Left()))
      return UnitFileStatus::Damaged;
    std::span<const std::uint8_t> taskImage;
    r.GetBytes(taskBytes, taskImage);
    file.taskImage.assign(taskImage.begin(), taskImage.end());
    if (format >= 2 && Fnv1a64(file.taskImage) != file.taskFingerprint) return UnitFileStatus::Damaged;
    if (format >= 4 && !r.Get(file.elapsedMs)) return UnitFileStatus::Damaged;
  } catch (const std::bad_alloc&) {
    return UnitFileStatus::Unreadable;
  }
  if (r.Left() != 0) return UnitFileStatus::Damaged;
  out = std::move(file);
  return UnitFileStatus::Ok;
}

namespace {

// The size the header and the declared counts of an open unit file give it,
// walking the heads of its results and places (the layout ParseUnitImage
// reads; a layout change goes into both) and passing over placement
// numbers, noted counts and merge bits unread; nothing when a count is out
// of range or runs past the end of the file.
std::optional<std::uint64_t> MeasureUnitFile(const OpenedFile& file, std::uint32_t format) {
  FileScan s(file, sizeof kMagic + 4);
  std::uint64_t fingerprint = 0, pathHash = 0;
  std::uint8_t engine = 0;
  std::int32_t depth = 0, part = 0, parts = 0, blocks = 0;
  std::uint32_t unitCount = 0, count = 0;
  if (!s.Get(fingerprint) || !s.Get(engine) || !s.Get(depth) || !s.Get(unitCount) || !s.Get(pathHash) ||
      !s.Get(part) || !s.Get(parts) || !s.Get(blocks) || !s.Get(count) || engine > 1 || parts < 1 ||
      parts > kMaxParts || part < 1 || part > parts || blocks < 1 || blocks > 254 || depth < 1 ||
      count > unitCount)
    return std::nullopt;
  // A result's head: unit, three counters, flags, then its first members.
  const auto skipResult = [&](std::uint32_t& unit, bool first) {
    const std::uint32_t before = unit;
    std::uint32_t members = 0;
    return s.Get(unit) && (first || unit > before) && unit < unitCount && s.Skip(3 * 8 + 1) &&
           s.Get(members) && s.Skip(std::uint64_t{members} * static_cast<std::uint64_t>(blocks) * 4);
  };
  std::uint32_t unit = 0;
  for (std::uint32_t i = 0; i < count; ++i)
    if (!skipResult(unit, i == 0)) return std::nullopt;
  if (format >= 3) {
    // The places: each a result, then its steps (branch, two counts, and
    // the noted pairs); then the merge so far and its bits.
    std::uint32_t places = 0, steps = 0, noted = 0, merged = 0, offered = 0;
    if (!s.Get(places) || places > unitCount) return std::nullopt;
    for (std::uint32_t i = 0; i < places; ++i) {
      if (!skipResult(unit, i == 0) || !s.Get(steps)) return std::nullopt;
      for (std::uint32_t k = 0; k < steps; ++k)
        if (!s.Skip(4 + 8 + 8) || !s.Get(noted) || !s.Skip(std::uint64_t{noted} * (4 + 8)))
          return std::nullopt;
    }
    if (!s.Get(merged) || !s.Get(offered) || !s.Skip((std::uint64_t{offered} + 7) / 8)) return std::nullopt;
  }
  std::uint32_t taskBytes = 0;
  if (format >= 2 &&
      (!s.Get(taskBytes) || taskBytes == 0 || taskBytes > kLargestTaskFile || !s.Skip(taskBytes)))
    return std::nullopt;
  if (format >= 4 && !s.Skip(8)) return std::nullopt;
  return s.At() + 8;
}

}  // namespace

UnitFileStatus ReadUnitFile(const std::string& path, UnitFile& out) {
  return ReadImageFile<UnitFileStatus>(
      path, kLargestUnitFile, kMagic, kUnitFileFormat, UnitFileStatus::NotUnitFile, MeasureUnitFile,
      [&](std::span<const std::uint8_t> image) { return ParseUnitImage(image, out); });
}

bool StartsAsUnitFile(const std::string& path) { return FileStartsWith(path, kMagic); }

bool WriteUnitFile(const std::string& path, const UnitFile& file) {
  return WriteImageFile(path, [&] { return BuildUnitImage(file); });
}

}  // namespace zv
