// Redrawing the window from what a session command changed: the refusal
// boxes, the controls of the work mode, the numbering window, the layout
// (the spin edits show the sizes, the layout rule splits the width between
// the halves, which size their pictures' panels and scroll boxes), the undo
// buttons, the validation display (Solve button, error line, counters), the
// browse buttons, the two pictures and the numbering list.
#include <QCheckBox>
#include <QResizeEvent>
#include <QScrollArea>
#include <QToolButton>

#include "editor/figure_counters.h"
#include "platform/qt/color_value.h"
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
#include "ui/texts/core_texts.h"
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
  if (c.figure || c.mode || c.numbering) FigureRedraw();
  if (c.selection) ShowBrowseState();
  if (c.form || c.mode || c.selection) FormRedraw();
  if (c.form) formHalf_->EmptyCellsCB->setChecked(task().EmptyCells);  // undo may switch it
  if (c.numberList && numsForm_) numsForm_->Refill(session_.NumberListSize());
  if (runs_) runs_->ShowPlace();
}

void TZvForm::Layout() {
  const FigureState& f = task().figure;
  const FormState& b = task().form;
  handlerGuard_ = true;
  figureHalf_->ShowSizes(f.FigureWidth, f.FigureDepth);
  formHalf_->ShowSizes(b.FormWidth, b.FormDepth, b.FormHeight);
  handlerGuard_ = false;

  const int areaHeight = height() - kMainStripHeight;
  LayoutInput in{};
  in.figureWidth = f.FigureWidth;
  in.figureDepth = f.FigureDepth;
  in.formWidth = b.FormWidth;
  in.formDepth = b.FormDepth;
  in.formHeight = b.FormHeight;
  in.halvesWidth = width() - Bevel1->width();
  in.figureAreaHeight = areaHeight;
  in.formAreaHeight = areaHeight;
  in.figureBoxLeft = figureHalf_->image.box->x();
  in.formBoxLeft = formHalf_->image.box->x();
  in.vScrollWidth = vScrollWidth_;
  in.hScrollHeight = hScrollHeight_;
  const LayoutResult r = ComputeLayout(in);

  const int halfA = r.figureHalfWidth, halfB = in.halvesWidth - halfA;
  figureHalf_->Arrange({0, 0, halfA, height()}, r.figure);
  Bevel1->setGeometry(halfA, 0, Bevel1->width(), height());
  formHalf_->Arrange({halfA + Bevel1->width(), 0, halfB, height()}, r.form);
}

void TZvForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (formHalf_ != nullptr) Layout();  // not before the controls exist
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
  if (numsForm_) numsForm_->setVisible(numberingMode());
  SetHandlerGuarded(figureHalf_->NumsBt, numberingMode());
}

void TZvForm::ShowBrowseState() {
  formHalf_->SolP->ShowBrowseState(currentSolutionIndex(), session_.solver().SolutionCount(),
                                   session_.solver().Stats());
}

void TZvForm::ShowValidation() {
  const Validation& v = validation();
  formHalf_->ShowValidation(v.ok(), ValidationLine(v, task().figure), task().EmptyCells, v.surplus);
  figureHalf_->ShowCounters(CountersOf(v));
}

void TZvForm::FigureRedraw() {
  const PictureBox& p = figureHalf_->image;
  DrawFigure(p.picture->image(), p.panel->width(), p.panel->height(), task().figure, FigureOptions(*this));
  p.picture->update();
}

void TZvForm::FormRedraw() {
  const PictureBox& p = formHalf_->image;
  DrawForm(p.picture->image(), p.panel->width(), p.panel->height(), task().form, task().figure,
           FormOptions(*this));
  p.picture->update();
  SolidRedraw();
}

void TZvForm::SolidRedraw() { formHalf_->ShowSolidSolution(session_, cubeColor()); }

void TZvForm::UpdateUndoButtons() { figureHalf_->ShowHistory(session_.canUndo(), session_.canRedo()); }

}  // namespace zv
