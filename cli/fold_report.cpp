// Checks every stored solution's fold on worker threads that take the
// solutions one at a time, and names the outcomes.
#include "cli/fold_report.h"

#include <algorithm>
#include <atomic>
#include <thread>

namespace zv::cli {

std::vector<FoldCheckResult> CheckStoredFolding(const Validation& v, const Solver& solver, int threads) {
  std::vector<FoldCheckResult> results(solver.SolutionCount());
  std::atomic<int> next{0};
  const auto work = [&] {
    for (int i = next++; i < static_cast<int>(results.size()); i = next++) {
      const SolidSolution solid = MakeSolidSolution(v.links, solver.Solution(i));
      const FoldVerdict verdict = CheckFolding(solid, FoldBudget{});
      results[i] = {verdict.outcome, verdict.reason, verdict.part};
    }
  };
  const int workers = std::clamp(threads, 1, std::max(1, static_cast<int>(results.size())));
  std::vector<std::thread> pool;
  for (int t = 1; t < workers; ++t) pool.emplace_back(work);
  work();
  for (std::thread& t : pool) t.join();
  return results;
}

std::string FoldResultText(const FoldCheckResult& result) {
  const std::string part = " (part " + std::to_string(result.part + 1) + ")";
  switch (result.reason) {
    case FoldReason::None:
      break;
    case FoldReason::Budget:
      return "no motion found within the budget" + part;
    case FoldReason::Locked:
      return "no motion found: no hinge can turn out of the solution" + part;
    case FoldReason::NoWayIn:
      return "no motion found: no straight way into the form" + part;
    case FoldReason::ClosedCycle:
      return "not checked (closed cycle of hinges)" + part;
    case FoldReason::Stopped:
      return "not checked (stopped)";
  }
  return result.outcome == FoldOutcome::Foldable ? "foldable" : FoldOutcomeKey(result.outcome);
}

}  // namespace zv::cli
