// Result files: the writer and the checking reader.
#include "run/result_file.h"

#include <algorithm>
#include <optional>

#include "storage/byte_image.h"
#include "storage/task_file.h"

namespace zv {

namespace {

constexpr std::uint8_t kMagic[8] = {'Z', 'V', 'R', 'E', 'S', 'L', 'T', 0x1a};
// The shortest body: a task image's length, the smallest task image, the
// engine, outcome and flags, four counters and the two counts.
constexpr std::size_t kSmallestBody = 4 + kSmallestTaskFile + 3 + 4 * 8 + 4 + 4;
// The largest: the largest task image and 10000 solutions of 254 cells.
constexpr std::size_t kLargestResultFile =
    12 + kSmallestBody + kLargestTaskFile + std::size_t{kMaxStoredSolutions} * 2 * kMaxFormCells + 8;
constexpr int kRotations = 24;

constexpr SolveEngine kEngines[] = {SolveEngine::Reduced, SolveEngine::Fast, SolveEngine::Reference};
constexpr SolveOutcome kOutcomes[] = {SolveOutcome::Complete, SolveOutcome::Stopped,
                                      SolveOutcome::OutOfMemory};

template <class T, std::size_t N>
std::uint8_t CodeOf(const T (&table)[N], T value) {
  return static_cast<std::uint8_t>(std::find(table, table + N, value) - table);
}

// The counters of a run agree with each other and with the kept solutions:
// every kept solution was found, fewer than 10000 kept means none past them
// (unless memory for them ran out), and every solution found is an
// assignment.
bool CountsAgree(const SolveStats& s) {
  const auto kept = static_cast<std::uint64_t>(s.solutionCount);
  if (s.found < kept) return false;
  if (s.solutionCount < kMaxStoredSolutions && !s.foundAtLeast && s.found != kept) return false;
  return s.assignmentsAtLeast || s.assignments >= s.found;
}

// The image bytes of one solution are in range: cube numbers up to 254 and
// rotations below 24.
bool SolutionInRange(std::span<const std::uint8_t> image) {
  const std::size_t n = image.size() / 2;
  return std::all_of(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(n),
                     [](std::uint8_t c) { return c <= kMaxCubes; }) &&
         std::all_of(image.begin() + static_cast<std::ptrdiff_t>(n), image.end(),
                     [](std::uint8_t r) { return r < kRotations; });
}

}  // namespace

int FormCellCount(const TaskState& task) {
  const FormState& form = task.form;
  int n = 0;
  for (int z = 0; z < form.FormHeight; ++z)
    for (int y = 0; y < form.FormDepth; ++y)
      for (int x = 0; x < form.FormWidth; ++x) n += form.At(FormCellIndex(x, y, z)) != 0 ? 1 : 0;
  return n;
}

std::vector<std::uint8_t> BuildResultImage(const ResultFile& file) {
  const std::vector<std::uint8_t> task = BuildTaskImage(file.task);
  const SolveStats& s = file.stats;
  ByteWriter w(kMagic, kResultFileFormat);
  w.Put(static_cast<std::uint32_t>(task.size()));
  w.PutBytes(task);
  w.Put(CodeOf(kEngines, file.engine));
  w.Put(CodeOf(kOutcomes, file.outcome));
  w.Put(static_cast<std::uint8_t>((s.assignmentsAtLeast ? 1 : 0) | (s.foundAtLeast ? 2 : 0)));
  w.Put(s.assignments);
  w.Put(s.found);
  w.Put(s.deadEnds);
  w.Put(s.searchCalls);
  w.Put(static_cast<std::uint32_t>(FormCellCount(file.task)));
  w.Put(static_cast<std::uint32_t>(s.solutionCount));
  w.PutBytes(file.solutions);
  return w.Seal();
}

ResultFileStatus ParseResultImage(std::span<const std::uint8_t> image, ResultFile& out) {
  std::span<const std::uint8_t> body;
  std::uint32_t format = 0;
  if (const auto refused =
          RefusalOf(CheckImage(image, kMagic, kResultFileFormat, kSmallestBody, body, format),
                    ResultFileStatus::NotResultFile))
    return *refused;
  ResultFile file;
  ByteReader r(body);
  std::uint32_t taskBytes = 0, cells = 0, kept = 0;
  std::span<const std::uint8_t> taskImage, solutions;
  std::uint8_t engine = 0, outcome = 0, flags = 0;
  SolveStats& s = file.stats;
  if (!r.Get(taskBytes) || !r.GetBytes(taskBytes, taskImage) ||
      ParseTaskImage(taskImage, file.task) != ReadResult::Ok)
    return ResultFileStatus::Damaged;
  if (!r.Get(engine) || !r.Get(outcome) || !r.Get(flags) || !r.Get(s.assignments) || !r.Get(s.found) ||
      !r.Get(s.deadEnds) || !r.Get(s.searchCalls) || !r.Get(cells) || !r.Get(kept))
    return ResultFileStatus::Damaged;
  const std::size_t solutionBytes = 2 * static_cast<std::size_t>(cells);
  if (engine >= std::size(kEngines) || outcome >= std::size(kOutcomes) || flags > 3 ||
      static_cast<int>(cells) != FormCellCount(file.task) || kept > kMaxStoredSolutions ||
      !r.GetBytes(kept * solutionBytes, solutions) || r.Left() != 0)
    return ResultFileStatus::Damaged;
  file.engine = kEngines[engine];
  file.outcome = kOutcomes[outcome];
  s.assignmentsAtLeast = (flags & 1) != 0;
  s.foundAtLeast = (flags & 2) != 0;
  s.solutionCount = static_cast<int>(kept);
  if (!CountsAgree(s)) return ResultFileStatus::Damaged;
  for (std::size_t at = 0; at < solutions.size(); at += solutionBytes)
    if (!SolutionInRange(solutions.subspan(at, solutionBytes))) return ResultFileStatus::Damaged;
  try {
    file.solutions.assign(solutions.begin(), solutions.end());
  } catch (const std::bad_alloc&) {
    return ResultFileStatus::Unreadable;
  }
  out = std::move(file);
  return ResultFileStatus::Ok;
}

namespace {

// The size the task's length and the solution counts of an open result file
// give it (the layout ParseResultImage reads); nothing when one is out of
// range or runs past the end of the file.
std::optional<std::uint64_t> MeasureResultFile(const OpenedFile& file, std::uint32_t) {
  FileScan s(file, sizeof kMagic + 4);
  std::uint32_t taskBytes = 0, cells = 0, kept = 0;
  if (!s.Get(taskBytes) || taskBytes > kLargestTaskFile || !s.Skip(taskBytes + 3 + 4 * 8) || !s.Get(cells) ||
      !s.Get(kept) || cells > static_cast<std::uint32_t>(kMaxFormCells) ||
      kept > static_cast<std::uint32_t>(kMaxStoredSolutions))
    return std::nullopt;
  return s.At() + std::uint64_t{kept} * 2 * cells + 8;
}

}  // namespace

ResultFileStatus ReadResultFile(const std::string& path, ResultFile& out) {
  return ReadImageFile<ResultFileStatus>(
      path, kLargestResultFile, kMagic, kResultFileFormat, ResultFileStatus::NotResultFile, MeasureResultFile,
      [&](std::span<const std::uint8_t> image) { return ParseResultImage(image, out); });
}

bool StartsAsResultFile(const std::string& path) { return FileStartsWith(path, kMagic); }

bool WriteResultFile(const std::string& path, const ResultFile& file) {
  return WriteImageFile(path, [&] { return BuildResultImage(file); });
}

}  // namespace zv
