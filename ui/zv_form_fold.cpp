// The fold check of every stored solution from the window: FoldBt starts
// and stops it (ui/fold_filter.h runs it in the background), FoldOnlyCB
// makes the browse buttons step through the foldable solutions only, and
// the outcomes are dropped when the stored solutions change. Its verdicts,
// and the 3-D view's, spare the fold instructions a second check.
#include <QCheckBox>
#include <QToolButton>

#include "ui/fold_bar.h"
#include "ui/fold_filter.h"
#include "ui/form_half.h"
#include "ui/solution_browser.h"
#include "ui/zv_form.h"

namespace zv {

namespace {

std::pair<const void*, int> SolutionsKey(const Solver& solver) {
  const int count = solver.SolutionCount();
  return {count == 0 ? nullptr : solver.SolutionCubes(0).data(), count};
}

}  // namespace

void TZvForm::StepSolution(SolutionStep step) {
  const FoldBar& fold = *formHalf_->FoldP;
  if (!fold.foldableOnly()) {
    Apply(session_.Step(step));
    return;
  }
  const int i = fold.filter->Step(currentSolutionIndex(), step);
  if (i >= 0 && i != currentSolutionIndex()) Apply(session_.GoToSolution(i));
}

void TZvForm::FoldBtToggled(bool on) {
  FoldFilter& filter = *formHalf_->FoldP->filter;
  if (!on) {
    filter.Stop();
    return;
  }
  const Solver& solver = session_.solver();
  std::vector<SolidSolution> solids;
  solids.reserve(solver.SolutionCount());
  for (int i = 0; i < solver.SolutionCount(); ++i)
    solids.push_back(MakeSolidSolution(validation().links, solver.Solution(i)));
  foldChecked_ = SolutionsKey(solver);
  filter.Start(std::move(solids));
}

void TZvForm::FoldOnlyToggled(bool on) {
  const FoldFilter& filter = *formHalf_->FoldP->filter;
  const int current = currentSolutionIndex();
  if (on && filter.outcome(current) != FoldOutcome::Foldable) {
    // The shown solution does not fold: the next foldable one, or else the one before.
    const int next = filter.Step(current, SolutionStep::Next);
    const int i = next >= 0 ? next : filter.Step(current, SolutionStep::Previous);
    if (i >= 0) {
      Apply(session_.GoToSolution(i));
      return;
    }
  }
  ShowBrowseState();
}

void TZvForm::DropStaleFoldCheck() {
  FoldBar& fold = *formHalf_->FoldP;
  if (workMode() != WorkMode::SolutionView) sheetVerdict_ = {};  // the next run's solutions may lie there
  if (workMode() != WorkMode::SolutionView || SolutionsKey(session_.solver()) != foldChecked_) {
    if (fold.filter->total() > 0) fold.filter->Clear();
    const QSignalBlocker block(fold.FoldOnlyCB);
    fold.FoldOnlyCB->setChecked(false);
  }
  formHalf_->SolP->ShowFoldMark(fold.ShowState(currentSolutionIndex()));
}

std::shared_ptr<const FoldVerdict> TZvForm::KnownFoldVerdict() const {
  if (workMode() != WorkMode::SolutionView || shownSolution() == nullptr) return nullptr;
  if (const FoldVerdict* seen = formHalf_->ShownSolidVerdict(session_))
    return std::make_shared<const FoldVerdict>(*seen);
  return CheckedFoldVerdict();
}

std::shared_ptr<const FoldVerdict> TZvForm::CheckedFoldVerdict() const {
  if (workMode() != WorkMode::SolutionView || shownSolution() == nullptr) return nullptr;
  if (sheetVerdict_.first == session_.solver().SolutionCubes(currentSolutionIndex()).data())
    return sheetVerdict_.second;
  if (SolutionsKey(session_.solver()) != foldChecked_) return nullptr;
  return formHalf_->FoldP->filter->verdict(currentSolutionIndex());
}

void TZvForm::RememberFoldVerdict(std::shared_ptr<const FoldVerdict> verdict) {
  sheetVerdict_ = {session_.solver().SolutionCubes(currentSolutionIndex()).data(), std::move(verdict)};
}

void TZvForm::GateBrowseByFold() {
  const FoldBar& fold = *formHalf_->FoldP;
  if (!fold.foldableOnly()) return;
  const int current = currentSolutionIndex();
  const bool back = fold.filter->Step(current, SolutionStep::Previous) >= 0;
  const bool ahead = fold.filter->Step(current, SolutionStep::Next) >= 0;
  SolutionBrowser& b = *formHalf_->SolP;
  b.FirstSolBt->setEnabled(back);
  b.PrevSolBt->setEnabled(back);
  b.NextSolBt->setEnabled(ahead);
  b.LastSolBt->setEnabled(ahead);
}

}  // namespace zv
