// The solve command and the browsing of its solutions: the three work
// modes and what each leaves usable, SolveBt as Solve, Stop and back to
// editing, the run itself with the window kept alive, the result labels,
// the browse buttons and the selection of a form cell.
#include <QLabel>
#include <QToolButton>

#include "ui/button_glyphs.h"
#include "ui/form_hit_test.h"
#include "ui/solution_marks.h"
#include "ui/solve_observer.h"
#include "ui/solve_texts.h"
#include "ui/zv_form.h"

namespace zv {

namespace {

void SetButtonTextColor(QToolButton* button, const QColor& color) {
  button->setStyleSheet(QStringLiteral("#%1 { color: %2; }").arg(button->objectName(), color.name()));
}

QString FromStd(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

void TZvForm::SetWorkMode(WorkMode mode) {
  if (mode == workMode_) return;
  workMode_ = mode;
  if (mode == WorkMode::Edit) {
    SolveBt->setText(QString::fromUtf8(kSolveCaption));
    SetButtonTextColor(SolveBt, kSolveColor);
    SolveBt->setIcon(SolveTickIcon());
    SolveBt->setToolTip({});
  } else if (mode == WorkMode::SolutionView) {
    SolveBt->setText(QString::fromUtf8(kEditCaption));
    SetButtonTextColor(SolveBt, kEditColor);
    SolveBt->setIcon(EditPencilIcon());
    SolveBt->setToolTip(QString::fromUtf8(kEditHint));
  }
  const ModeControls c = ControlsOf(mode);
  SolP->setVisible(c.solPVisible);
  ResP->setVisible(c.resPVisible);
  LinksP->setEnabled(c.linksPEnabled);
  Edit1P->setVisible(c.edit1PVisible);
  Panel3->setEnabled(c.editingEnabled);
  Panel2->setEnabled(c.editingEnabled);
  MoveBP->setEnabled(c.editingEnabled);
  OpenBt->setEnabled(c.openEnabled);
  FigureRedraw(false);
}

// The once-a-second refresh of a running solve.
void TZvForm::ShowProgress(const ProgressStep& step, const SolveStats& stats) {
  if (step.first) {
    SolveBt->setText(QString::fromUtf8(kStopCaption));
    SetButtonTextColor(SolveBt, kStopColor);
  }
  TimePastL->setText(QString::number(step.seconds));
  TimeRestL->setText(FromStd(FormatRemaining(step.elapsedMs, stats.explored)));
  DeadL->setText(FromStd(FormatDeadEnds(stats.deadEnds)));
  SolNumL->setText(QString::number(stats.solutionCount));
}

void TZvForm::SolveBtClick() {
  if (workMode_ == WorkMode::Solving) {
    if (runObserver_ != nullptr) runObserver_->RequestStop();
    return;
  }
  if (workMode_ == WorkMode::SolutionView) {
    SetWorkMode(WorkMode::Edit);
    FormRedraw(false);
    return;
  }
  if (!validation_->ok()) return;  // SolveBt is enabled only for a valid task
  EndNumberingMode();
  SetWorkMode(WorkMode::Solving);
  TimePastL->clear();
  SolNumL->clear();
  DeadL->clear();
  WindowSolveObserver observer(
      SystemTicks(), services_,
      [this](const ProgressStep& step, const SolveStats& stats) { ShowProgress(step, stats); });
  solutionData_->selectedCell = 0;
  solution_ = nullptr;
  *runLinks_ = validation_->links;
  SolveOptions options;
  options.memoryLimit = solverMemoryLimit_;
  runObserver_ = &observer;
  const SolveOutcome outcome = solver_->Solve(*task_, *runLinks_, observer, options);
  runObserver_ = nullptr;

  SetWorkMode(WorkMode::SolutionView);
  TimePastL->setText(FromStd(FormatSeconds3(observer.ElapsedMs())));
  TimeRestL->clear();
  DeadL->setText(FromStd(FormatDeadEnds(solver_->DeadEnds())));
  SolNumL->clear();
  ShowSolution(0);
  if (closeAfterRun_) {
    closeAfterRun_ = false;  // a close that fails to save keeps the window open
    close();
    return;
  }
  // A run that ran out of memory ends as after a stop, its solutions browsed.
  if (outcome == SolveOutcome::OutOfMemory)
    services_.ShowMessage(
        {QString::fromUtf8(kNotEnoughMemory), QString(), MessageIcon::Error, MessageButtons::Ok});
}

void TZvForm::ShowSolution(int i) {
  const int count = solver_->SolutionCount();
  currentSolution_ = i;
  FirstSolBt->setEnabled(i != 0);
  PrevSolBt->setEnabled(i != 0);
  NextSolBt->setEnabled(i < count - 1);
  LastSolBt->setEnabled(i < count - 1);
  if (count == 0) {
    SolL->setText(QString::fromUtf8(kNoSolutions));
    solution_ = nullptr;
    FormRedraw(false);
    return;
  }
  SolL->setText(QString::fromUtf8(kSolutionOfCount).arg(i + 1).arg(count));
  ShowSolutionMarks({solver_->SolutionCubes(i), solver_->SolutionRotations(i), solver_->FormCellList()},
                    *runLinks_, *solutionData_);
  solution_ = solutionData_.get();
  SelectCell(solutionData_->selectedCell);  // the same cell, now with this solution's cube
}

bool TZvForm::SelectSolutionCell(int cell) {
  if (workMode_ != WorkMode::SolutionView || solution_ == nullptr) return false;
  if (cell <= 0 || cell >= kFormGrid || task_->form.Cells[cell] == 0) return false;
  SelectCell(cell);
  return true;
}

void TZvForm::SelectCell(int cell) {
  SelectCellMarks(*runLinks_, cell, *solutionData_);
  FormRedraw(false);
}

void TZvForm::FirstSolBtClick() {
  if (workMode_ == WorkMode::SolutionView && currentSolution_ != 0) ShowSolution(0);
}

void TZvForm::PrevSolBtClick() {
  if (workMode_ == WorkMode::SolutionView && currentSolution_ != 0) ShowSolution(currentSolution_ - 1);
}

void TZvForm::NextSolBtClick() {
  if (workMode_ == WorkMode::SolutionView && currentSolution_ < solver_->SolutionCount() - 1)
    ShowSolution(currentSolution_ + 1);
}

void TZvForm::LastSolBtClick() {
  if (workMode_ == WorkMode::SolutionView && currentSolution_ < solver_->SolutionCount() - 1)
    ShowSolution(solver_->SolutionCount() - 1);
}

void TZvForm::SolutionViewFigurePress(int x, int y) {
  if (solution_ == nullptr) return;
  const FigureState& f = task_->figure;
  const std::optional<int> cell = FigureCellHit(x, y, f.FigureWidth, f.FigureDepth);
  if (!cell || !(f.Cells[*cell] & kCubeBit)) return;
  const int q = solution_->cubePosition[runLinks_->CubeAtCell[*cell]];
  SelectCell(q == solution_->selectedCell ? 0 : q);
}

void TZvForm::SolutionViewFormPress(int x, int y) {
  if (solution_ == nullptr) return;
  const FormState& b = task_->form;
  const std::optional<int> cell = FormCellHit(x, y, b.FormWidth, b.FormDepth, b.FormHeight);
  if (!cell || b.Cells[*cell] == 0) return;
  SelectCell(*cell == solution_->selectedCell ? 0 : *cell);
}

}  // namespace zv
