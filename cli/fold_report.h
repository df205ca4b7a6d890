// solve --foldable: the fold check of every stored solution, run on the
// worker threads of the solve, and the words and JSON values of its
// outcomes.
#pragma once

#include <string>
#include <vector>

#include "model/validation.h"
#include "solid/fold_verdict.h"
#include "solver/solver.h"

namespace zv::cli {

struct FoldCheckResult {
  FoldOutcome outcome = FoldOutcome::NotChecked;
  FoldReason reason = FoldReason::None;
  int part = -1;  // the part the reason concerns
};

// One result per stored solution, in order, checked on `threads` threads.
std::vector<FoldCheckResult> CheckStoredFolding(const Validation& v, const Solver& solver, int threads);

// The outcome with its reason in a few English words.
std::string FoldResultText(const FoldCheckResult& result);

}  // namespace zv::cli
