// libFuzzer target for the result file reader and the solver's check of the
// solutions it hands over. The input's last eight bytes are replaced by its
// checksum, so the fuzzer reaches past it. A refused image must leave the
// file untouched; an accepted one, written again, must read back and be
// written byte for byte the same (the task inside is written in the task
// writer's own order, as task files are), and restoring it (under a small memory limit) must end fitting,
// not fitting or out of memory, never fault, and keep exactly its solutions
// when it fits.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "model/validation.h"
#include "run/result_file.h"
#include "solver/solver.h"
#include "storage/byte_image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> image(data, data + size);
  if (image.size() >= 8) {
    const std::uint64_t sum = zv::Fnv1a64(std::span(image).first(image.size() - 8));
    for (int i = 0; i < 8; ++i) image[image.size() - 8 + i] = static_cast<std::uint8_t>(sum >> (8 * i));
  }
  zv::ResultFile file;
  file.stats.deadEnds = 7;  // a marker a refused read must leave
  if (zv::ParseResultImage(image, file) != zv::ResultFileStatus::Ok) {
    if (file.stats.deadEnds != 7) std::abort();
    return 0;
  }
  const std::vector<std::uint8_t> written = zv::BuildResultImage(file);
  zv::ResultFile again;
  if (zv::ParseResultImage(written, again) != zv::ResultFileStatus::Ok ||
      zv::BuildResultImage(again) != written)
    std::abort();
  const zv::Validation v = zv::ValidateTask(file.task);
  if (!v.ok()) return 0;
  zv::Solver solver;
  const auto restored = solver.Restore(file.task, v.links, file.outcome, file.stats, file.solutions,
                                       zv::SolveOptions{std::size_t{32} << 20, file.engine, 1});
  if (restored == zv::Solver::RestoreResult::Ok
          ? solver.SolutionCount() != file.stats.solutionCount || solver.LastOutcome() != file.outcome
          : solver.SolutionCount() != 0)
    std::abort();
  return 0;
}
