// Solver: one run's pool, prepared tables, solution store and counters, and
// the Solve entry that releases the previous run, prepares and searches.
#include "solver/solver.h"

#include <algorithm>
#include <new>
#include <optional>
#include <thread>
#include <vector>

#include "platform/memory_blocks.h"
#include "solver/block_pool.h"
#include "solver/byte_key_set.h"
#include "solver/fast_engine.h"
#include "solver/prepare.h"
#include "solver/search.h"
#include "solver/solution_images.h"
#include "solver/solution_store.h"

namespace zv {

int DefaultThreadCount() {
  return static_cast<int>(
      std::clamp(std::thread::hardware_concurrency(), 1u, static_cast<unsigned>(kMaxThreads)));
}

struct SolverRun {
  BlockPool pool;
  ByteKeySet keys;  // shapes of hinge-free blocks in preparation, then solution keys
  PreparedSearch prep;
  SolutionStore store;
  SolveStats stats;
  SolveOutcome outcome = SolveOutcome::Complete;
  bool prepared = false;  // prep and store hold this run's tables
};

Solver::Solver() : run_(std::make_unique<SolverRun>()) {}
Solver::~Solver() = default;

std::optional<SolveOutcome> Solver::Prepare(const TaskState& task, const LinkAnalysis& links,
                                            const SolveOptions& options) {
  SolverRun& run = *run_;
  run.pool.ReleaseAll();
  run.pool.SetLimit(options.memoryLimit != 0 ? options.memoryLimit : DefaultMemoryLimit());
  run.prep = PreparedSearch{};
  run.store = SolutionStore{};
  run.stats = SolveStats{};
  run.prepared = false;
  if (!SolvableShape(task, links)) return run.outcome = SolveOutcome::Refused;
  // Every engine's tables come from the run's pool, so the memory limit
  // covers them; only the reference engine takes levels for its search.
  try {
    if (!PrepareSearch(task, links, run.pool, run.keys, run.prep))
      return run.outcome = SolveOutcome::OutOfMemory;
    run.prepared = true;
    if (!run.store.Begin(run.prep, run.pool, run.keys)) return run.outcome = SolveOutcome::OutOfMemory;
    run.store.StopAfter(options.stopAfter);
  } catch (const std::bad_alloc&) {
    return run.outcome = SolveOutcome::OutOfMemory;
  }
  return std::nullopt;
}

namespace {

SolveOutcome OutcomeOf(const FastRunResult& fast) {
  return fast.outOfMemory ? SolveOutcome::OutOfMemory
         : fast.stopped   ? SolveOutcome::Stopped
                          : SolveOutcome::Complete;
}

}  // namespace

SolveOutcome Solver::Solve(const TaskState& task, const LinkAnalysis& links, SolveObserver& observer,
                           const SolveOptions& options) {
  if (auto end = Prepare(task, links, options)) return *end;
  SolverRun& run = *run_;
  PlacementSearch search(run.prep, run.store, observer);
  std::optional<SolveStats> fastStats;
  try {
    if (options.engine == SolveEngine::Reference) {
      if (!search.Allocate(run.pool)) return run.outcome = SolveOutcome::OutOfMemory;
      search.Run();
      run.outcome = search.OutOfMemory() ? SolveOutcome::OutOfMemory
                    : search.Stopped()   ? SolveOutcome::Stopped
                                         : SolveOutcome::Complete;
    } else {
      const FastRunResult fast =
          RunFastEngine(run.prep, run.store, observer, options.threads,
                        options.engine == SolveEngine::Reduced ? &links : nullptr, &run.pool, options.rules);
      fastStats = fast.stats;
      run.outcome = OutcomeOf(fast);
    }
  } catch (const std::bad_alloc&) {
    // The key set's table comes from the general heap; what was stored stays.
    run.outcome = SolveOutcome::OutOfMemory;
  }
  run.stats = fastStats ? *fastStats : search.Stats();
  // A store holding the stop-after count ends the run as stopped, also when
  // the engine met its last solution without asking for a stop again (one
  // worker) while the merge of several workers stops at it: the outcome is
  // the same on every engine and thread count.
  if (run.outcome == SolveOutcome::Complete && run.store.Enough()) run.outcome = SolveOutcome::Stopped;
  return run.outcome;
}

SolveOutcome Solver::SolveUnits(const TaskState& task, const LinkAnalysis& links, SolveObserver& observer,
                                const SolveOptions& options, UnitJob& job) {
  job.check = UnitCheck::Ok;
  if (auto end = Prepare(task, links, options)) return *end;
  SolverRun& run = *run_;
  run.store.StopAfter(0);
  try {
    const UnitRunResult units =
        RunUnits(run.prep, run.store, observer, options.threads, run.pool.Limit(), job,
                 options.engine == SolveEngine::Reduced ? &links : nullptr, &run.pool, options.rules);
    run.stats = units.run.stats;
    run.outcome = units.refused ? SolveOutcome::Refused : OutcomeOf(units.run);
  } catch (const std::bad_alloc&) {
    run.stats.solutionCount = run.store.Count();
    run.outcome = SolveOutcome::OutOfMemory;
  }
  return run.outcome;
}

Solver::RestoreResult Solver::Restore(const TaskState& task, const LinkAnalysis& links, SolveOutcome outcome,
                                      const SolveStats& stats, std::span<const std::uint8_t> solutions,
                                      const SolveOptions& options) {
  const auto fail = [this](RestoreResult why) {
    run_->store = SolutionStore{};
    run_->stats = SolveStats{};
    run_->outcome = SolveOutcome::Refused;
    return why;
  };
  if (auto end = Prepare(task, links, options))
    return fail(*end == SolveOutcome::Refused ? RestoreResult::DoesNotFit : RestoreResult::OutOfMemory);
  SolverRun& run = *run_;
  const auto bytes = 2 * static_cast<std::size_t>(run.prep.formCellCount);
  if (stats.solutionCount < 0 || solutions.size() != static_cast<std::size_t>(stats.solutionCount) * bytes)
    return fail(RestoreResult::DoesNotFit);
  try {
    std::vector<std::int32_t> chosen(static_cast<std::size_t>(run.prep.blockCount));
    for (std::size_t at = 0; at < solutions.size(); at += bytes) {
      const auto image = solutions.subspan(at, bytes);
      if (!PlacementsOfImage(run.prep, image, chosen.data())) return fail(RestoreResult::DoesNotFit);
      const RecordResult stored = run.store.Record(Assignment(chosen.data()));
      if (stored == RecordResult::OutOfMemory) return fail(RestoreResult::OutOfMemory);
      if (stored != RecordResult::Stored ||
          !std::equal(image.begin(), image.end(), run.store.Solution(run.store.Count() - 1)))
        return fail(RestoreResult::DoesNotFit);
    }
  } catch (const std::bad_alloc&) {
    return fail(RestoreResult::OutOfMemory);
  }
  run.stats = stats;
  run.stats.explored = outcome == SolveOutcome::Complete ? 1 : 0;
  run.outcome = outcome;
  return RestoreResult::Ok;
}

SolveOutcome Solver::LastOutcome() const { return run_->outcome; }
bool Solver::StopAfterReached() const {
  return run_->outcome == SolveOutcome::Stopped && run_->store.Enough();
}
SolveStats Solver::Stats() const { return run_->stats; }
int Solver::SolutionCount() const { return run_->stats.solutionCount; }
std::uint64_t Solver::DeadEnds() const { return run_->stats.deadEnds; }
std::uint64_t Solver::Assignments() const { return run_->stats.assignments; }
std::uint64_t Solver::SearchCalls() const { return run_->stats.searchCalls; }

std::span<const std::uint8_t> Solver::SolutionCubes(int i) const {
  const auto n = static_cast<std::size_t>(run_->prep.formCellCount);
  return {run_->store.Solution(i), n};
}

std::span<const std::uint8_t> Solver::SolutionRotations(int i) const {
  const auto n = static_cast<std::size_t>(run_->prep.formCellCount);
  return {run_->store.Solution(i) + n, n};
}

StoredSolution Solver::Solution(int i) const {
  return {SolutionCubes(i), SolutionRotations(i), FormCellList()};
}

std::span<const std::int16_t> Solver::FormCellList() const {
  if (!run_->prepared) return {};
  return {run_->prep.formCells, static_cast<std::size_t>(run_->prep.formCellCount)};
}

CellNumber Solver::FormCellNumber(CellIndex cell) const {
  if (!run_->prepared || cell.value() < 0 || cell.value() >= kFormGrid) return CellNumber::None();
  return CellNumber(run_->prep.cellNumberGrid[cell.value()] - 1);
}

}  // namespace zv
