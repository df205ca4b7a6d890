// libFuzzer target for the task file reader and, through it, the solver. Any
// bytes: a refused image must leave the task untouched; an accepted one must
// validate without faults and come back equal, and byte for byte, through the
// writer and the reader. An accepted image that validates is then solved by
// both engines under a call limit and a small memory limit: every stored
// solution must hold up when checked from the task alone (for figures whose
// links all join two cubes), and two runs that finish must agree on every
// counter.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "model/validation.h"
#include "solver/solver.h"
#include "storage/task_file.h"
#include "tests/support/solution_checker.h"
#include "texts/core_texts.h"

namespace {

// Search calls one run may make, and the solver memory it may take (two
// blocks of the solver's pool): enough to finish small tasks, little enough
// that large ones stop quickly.
constexpr std::uint64_t kCallLimit = 4000;
constexpr std::size_t kMemoryLimit = std::size_t{32} << 20;

// Asks to stop once the search has been called kCallLimit times.
class CallLimit final : public zv::SolveObserver {
 public:
  bool StopRequested() override { return ++calls_ > kCallLimit; }
  void Refresh(const zv::SolveStats&) override {}

 private:
  std::uint64_t calls_ = 0;
};

struct RunResult {
  zv::SolveOutcome outcome;
  zv::SolveStats stats;
};

RunResult SolveChecked(const zv::TaskState& task, const zv::Validation& v, zv::SolveEngine engine) {
  CallLimit observer;
  zv::Solver solver;
  const zv::SolveOutcome outcome =
      solver.Solve(task, v.links, observer, zv::SolveOptions{kMemoryLimit, engine, 1});
  if (outcome == zv::SolveOutcome::Refused) std::abort();  // validation accepted the task
  const zv::SolveStats stats = solver.Stats();
  if (stats.solutionCount < 0 || stats.solutionCount > zv::kMaxStoredSolutions ||
      static_cast<std::uint64_t>(stats.solutionCount) > stats.assignments)
    std::abort();
  // The checker judges figures whose every link joins two cubes; a link
  // towards an empty cell, which the model keeps and the solver ignores,
  // leaves it nothing to compare.
  if (!zv::test::ReadFigureModel(task.figure).problem.empty()) return RunResult{outcome, stats};
  for (int i = 0; i < solver.SolutionCount(); ++i)
    if (!zv::test::CheckSolution(task, solver.SolutionCubes(i), solver.SolutionRotations(i), nullptr))
      std::abort();
  return RunResult{outcome, stats};
}

void SolveBothEngines(const zv::TaskState& task, const zv::Validation& v) {
  const RunResult fast = SolveChecked(task, v, zv::SolveEngine::Fast);
  const RunResult reference = SolveChecked(task, v, zv::SolveEngine::Reference);
  if (fast.outcome != zv::SolveOutcome::Complete || reference.outcome != zv::SolveOutcome::Complete) return;
  if (fast.stats.solutionCount != reference.stats.solutionCount ||
      fast.stats.assignments != reference.stats.assignments ||
      fast.stats.deadEnds != reference.stats.deadEnds ||
      fast.stats.searchCalls != reference.stats.searchCalls)
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const zv::TaskState fresh;
  zv::TaskState task;
  if (zv::ParseTaskImage(std::span(data, size), task) != zv::ReadResult::Ok) {
    if (!(task == fresh)) std::abort();
    return 0;
  }
  zv::Validation v = zv::ValidateTask(task);
  if (!v.ok() && zv::ValidationMessage(v, task.figure).empty()) std::abort();

  const std::vector<std::uint8_t> image = zv::BuildTaskImage(task);
  zv::TaskState again;
  if (zv::ParseTaskImage(image, again) != zv::ReadResult::Ok || !(again == task)) std::abort();
  if (zv::BuildTaskImage(again) != image) std::abort();

  if (v.ok()) SolveBothEngines(task, v);
  return 0;
}
