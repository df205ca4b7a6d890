// Redrawing the window from what a session command changed: the refusal
// boxes, the controls of the work mode, the numbering window, the layout
// (zv_form_layout.cpp), the undo
// buttons, the validation display (Solve button, error line, counters), the
// browse buttons, the two pictures and the numbering list. The layout and
// the zoom are in zv_form_layout.cpp.
#include <QCheckBox>
#include <QResizeEvent>
#include <QScrollArea>
#include <QToolButton>

#include "editor/figure_counters.h"
#include "platform/qt/color_value.h"
#include "texts/core_texts.h"
#include "texts/no_solution_texts.h"
#include "ui/controls.h"
#include "ui/figure_half.h"
#include "ui/figure_view.h"
#include "ui/form_half.h"
#include "ui/form_view.h"
#include "ui/layout_rule.h"
#include "ui/numbers_window.h"
#include "ui/picture.h"
#include "ui/solution_browser.h"
#include "ui/solve_button.h"
#include "ui/solve_runs.h"
#include "ui/tr.h"
#include "ui/view_options.h"
#include "ui/window_texts.h"
#include "ui/zv_form.h"

namespace zv {

namespace {

// The verdict's text in the window's language, with its numbers.
QString ValidationLine(const Validation& v, const FigureState& figure) {
  const auto [first, second] = ValidationNumbers(v, figure);
  return Tr(ValidationText(v.error))
      .replace(QLatin1String("%1"), QString::number(first))
      .replace(QLatin1String("%2"), QString::number(second));
}

}  // namespace

QColor TZvForm::cubeColor() const { return ToQColor(opt_.Color); }

void TZvForm::Apply(const Changes& c) {
  if (c.refusal != Refusal::None) ShowRefusal(c.refusal);
  if (c.mode) ShowWorkMode();
  if (c.numbering) ShowNumberingMode();
  if (c.size || c.sizeKept) Layout();
  if (c.history) UpdateUndoButtons();
  if (c.counters || c.mode) ShowValidation();
  if (c.shiftRefusal != ShiftRefusal::None)
    formHalf_->ShowNotice(Tr(c.shiftRefusal == ShiftRefusal::Empty ? kShiftEmptyText : kShiftAtBorderText));
  if (c.figure || c.mode || c.numbering) FigureRedraw();
  if (c.selection || c.mode) ShowBrowseState();  // on a mode change too, for WhyL
  if (c.form || c.mode || c.selection) FormRedraw();
  if (c.form) formHalf_->EmptyCellsCB->setChecked(task().EmptyCells);  // undo may switch it
  if (c.numberList && numsForm_) numsForm_->Refill(session_.NumberListSize());
  if (runs_) runs_->ShowPlace();
}

void TZvForm::ShowRefusal(Refusal refusal) {
  const char* caption =
      refusal == Refusal::TooManyCubes ? kAddCubesImpossibleCaption : kOperationImpossibleCaption;
  services_.ShowMessage({Tr(kTooManyCubesText), Tr(caption), MessageIcon::Exclamation, MessageButtons::Ok});
}

void TZvForm::ShowWorkMode() {
  formHalf_->SolveBt->ShowMode(workMode());
  figureHalf_->ShowMode(ControlsOf(workMode()));
  formHalf_->ShowMode(ControlsOf(workMode()));
}

void TZvForm::ShowNumberingMode() {
  if (numsForm_) ShowSideWindow(*numsForm_, numberingMode());
  SetHandlerGuarded(figureHalf_->NumsBt, numberingMode());
}

void TZvForm::ShowBrowseState() {
  formHalf_->SolP->ShowBrowseState(currentSolutionIndex(), session_.solver().SolutionCount(),
                                   session_.solver().Stats(), session_.placeKept());
  DropStaleFoldCheck();
  GateBrowseByFold();
  const Solver& solver = session_.solver();
  QString why;
  if (workMode() == WorkMode::SolutionView && solver.SolutionCount() == 0 &&
      solver.LastOutcome() == SolveOutcome::Complete && validation().ok()) {
    const ReasonText text =
        NoSolutionText(FindNoSolutionReason(task(), validation().links), task().figure, solver.DeadEnds());
    why = Tr(text.pattern).arg(QString::fromStdString(text.first));
    if (!text.second.empty()) why = why.arg(QString::fromStdString(text.second));
  }
  formHalf_->ShowWhy(why);
}

void TZvForm::ShowValidation() {
  const Validation& v = validation();
  formHalf_->ShowValidation(v.ok(), ValidationLine(v, task().figure), task().EmptyCells, v.surplus);
  figureHalf_->ShowCounters(CountersOf(v));
}

void TZvForm::FigureRedraw() {
  const PictureBox& p = figureHalf_->image;
  const QSize size = FigurePictureSize();
  DrawFigure(p.picture->image(), size.width(), size.height(), task().figure, FigureOptions(*this));
  p.picture->update();
}

void TZvForm::FormRedraw() {
  const PictureBox& p = formHalf_->image;
  const QSize size = FormPictureSize();
  DrawForm(p.picture->image(), size.width(), size.height(), task().form, task().figure, FormOptions(*this));
  p.picture->update();
  SolidRedraw();
}

void TZvForm::SolidRedraw() { formHalf_->ShowSolidSolution(session_, cubeColor(), CheckedFoldVerdict()); }

void TZvForm::UpdateUndoButtons() { figureHalf_->ShowHistory(session_.canUndo(), session_.canRedo()); }

}  // namespace zv
