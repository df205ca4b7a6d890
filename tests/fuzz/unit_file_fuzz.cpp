// libFuzzer target for the work-unit file reader (checkpoints and parts) and
// the solver's check of the results it hands over. The input's last eight
// bytes are replaced by its checksum, so the fuzzer reaches past it. A
// refused image must leave the file untouched; an accepted one must come
// back byte for byte through the writer, and so must the task it holds;
// when it was made for the task of tests/support/unit_fuzz_task.h, the
// solver takes it (results, places and merge) as a resume or a merge and
// must end refused or with a result, never fault.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "model/validation.h"
#include "run/unit_file.h"
#include "solver/solver.h"
#include "storage/task_file.h"
#include "tests/support/unit_fuzz_task.h"

namespace {

// Stops a run that would search long (results of a forged cut).
class CallLimit final : public zv::SolveObserver {
 public:
  bool StopRequested() override { return ++calls_ > 20000; }
  void Refresh(const zv::SolveStats&) override {}

 private:
  std::uint64_t calls_ = 0;
};

std::uint64_t Fnv(const std::uint8_t* data, std::size_t size) {
  std::uint64_t hash = 0xcbf29ce484222325ull;
  for (std::size_t i = 0; i < size; ++i) hash = (hash ^ data[i]) * 0x100000001b3ull;
  return hash;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> image(data, data + size);
  if (image.size() >= 8) {
    const std::uint64_t sum = Fnv(image.data(), image.size() - 8);
    for (int i = 0; i < 8; ++i) image[image.size() - 8 + i] = static_cast<std::uint8_t>(sum >> (8 * i));
  }
  zv::UnitFile file;
  file.blockCount = -7;  // a marker a refused read must leave
  if (zv::ParseUnitImage(image, file) != zv::UnitFileStatus::Ok) {
    if (file.blockCount != -7) std::abort();
    return 0;
  }
  if (zv::BuildUnitImage(file) != image) std::abort();
  zv::TaskState held;  // the task a file may hold reads back exactly, or not at all
  if (zv::TaskOfUnitFile(file, held) && zv::BuildTaskImage(held) != file.taskImage) std::abort();

  static const zv::TaskState task = zv::test::UnitFuzzTask();
  static const zv::Validation v = zv::ValidateTask(task);
  if (file.taskFingerprint != zv::TaskFingerprint(task) || file.blockCount != v.links.blockCount) return 0;
  for (bool mergeOnly : {false, true}) {
    zv::UnitJob job;
    job.part = file.part;
    job.parts = file.parts;
    job.expectedCut = file.cut;
    job.haveExpectedCut = true;
    job.mergeOnly = mergeOnly;
    job.done = file.results;
    job.begun = file.begun;
    job.mergedUnits = file.mergedUnits;
    job.mergedNew = file.mergedNew;
    CallLimit limit;
    zv::Solver solver;
    const zv::SolveOutcome outcome =
        solver.SolveUnits(task, v.links, limit, zv::SolveOptions{32u << 20, file.engine, 1}, job);
    if ((outcome == zv::SolveOutcome::Refused) != (job.check != zv::UnitCheck::Ok)) std::abort();
    if (solver.SolutionCount() < 0 || solver.SolutionCount() > zv::kMaxStoredSolutions) std::abort();
  }
  return 0;
}
