// Redrawing the window from what a session command changed: the refusal
// boxes, the controls of the work mode, the numbering window, the layout,
// the undo buttons, the validation display (Solve button, error line,
// counters), the browse buttons, the two pictures and the numbering list.
#include <QLabel>
#include <QSpinBox>
#include <QToolButton>

#include "editor/figure_counters.h"
#include "platform/qt/color_value.h"
#include "ui/button_glyphs.h"
#include "ui/figure_view.h"
#include "ui/form_view.h"
#include "ui/numbers_window.h"
#include "ui/picture.h"
#include "ui/solve_texts.h"
#include "ui/texts/core_texts.h"
#include "ui/window_texts.h"
#include "ui/zv_form.h"

namespace zv {

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
  if (c.numberList && numsForm_) numsForm_->Refill(session_.NumberListSize());
}

void TZvForm::ShowRefusal(Refusal refusal) {
  const char* caption =
      refusal == Refusal::TooManyCubes ? kAddCubesImpossibleCaption : kOperationImpossibleCaption;
  services_.ShowMessage({QString::fromUtf8(kTooManyCubesText), QString::fromUtf8(caption),
                         MessageIcon::Exclamation, MessageButtons::Ok});
}

void TZvForm::ShowWorkMode() {
  const WorkMode mode = session_.workMode();
  // While solving, the first progress step turns the caption into the stop caption.
  if (mode == WorkMode::Edit) {
    SetSolveCaption(kSolveCaption, kSolveColor);
    SolveBt->setIcon(SolveTickIcon());
    SolveBt->setToolTip({});
  } else if (mode == WorkMode::SolutionView) {
    SetSolveCaption(kEditCaption, kEditColor);
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
}

void TZvForm::SetSolveCaption(const char* text, const QColor& color) {
  SolveBt->setText(QString::fromUtf8(text));
  SolveBt->setStyleSheet(QStringLiteral("#SolveBt { color: %1; }").arg(color.name()));
}

void TZvForm::ShowNumberingMode() {
  if (numsForm_) numsForm_->setVisible(session_.numberingMode());
  SetHandlerGuarded(NumsBt, session_.numberingMode());
}

void TZvForm::ShowBrowseState() {
  const int i = session_.currentSolution(), count = session_.solver().SolutionCount();
  FirstSolBt->setEnabled(i != 0);
  PrevSolBt->setEnabled(i != 0);
  NextSolBt->setEnabled(i < count - 1);
  LastSolBt->setEnabled(i < count - 1);
  const SolveStats& stats = session_.solver().Stats();
  if (count > 0 && (stats.found > static_cast<std::uint64_t>(count) || stats.foundAtLeast)) {
    // More were found than kept: the label says how many, the tooltip why.
    const QString found =
        (stats.foundAtLeast ? QString::fromUtf8(kAtLeast) : QString()) + QString::number(stats.found);
    SolL->setText(QString::fromUtf8(kSolutionOfKeptFound).arg(i + 1).arg(count).arg(found));
    SolL->setToolTip(QString::fromUtf8(kSolutionsFoundHint).arg(found).arg(count));
    return;
  }
  SolL->setToolTip(QString::fromUtf8(kSolutionHint));
  SolL->setText(count == 0 ? QString::fromUtf8(kNoSolutions)
                           : QString::fromUtf8(kSolutionOfCount).arg(i + 1).arg(count));
}

void TZvForm::ShowValidation() {
  const Validation& v = session_.validation();
  SolveBt->setEnabled(v.ok());
  ErP->setVisible(!v.ok());
  ErL->setText(QString::fromStdString(ValidationMessage(v, task().figure)));
  EmptyL->setVisible(task().EmptyCells);
  EmptyL->setText(QString::number(v.surplus));
  const FigureCounters counters = CountersOf(v);
  const auto show = [](QLabel* label, std::optional<int> n) {
    label->setText(n ? QString::number(*n) : QString());
  };
  show(NumL, counters.cubes);
  show(PartsL, counters.parts);
  show(CyclesL, counters.cycles);
}

void TZvForm::FigureRedraw() {
  FigureViewOptions o;
  o.links = opt_.Links;
  o.numbers = opt_.Numbers || session_.numberingMode() || session_.workMode() == WorkMode::SolutionView;
  o.cubeColor = cubeColor();
  o.textColor = palette().color(QPalette::WindowText);
  DrawFigure(ImA->image(), ImAP->width(), ImAP->height(), task().figure, o);
  ImA->update();
}

void TZvForm::FormRedraw() {
  FormViewOptions o;
  o.prevLayer = opt_.PrevLayer;
  o.nextLayer = opt_.NextLayer;
  o.solutionView = session_.workMode() == WorkMode::SolutionView;
  o.solution = session_.shownSolution();
  o.cubeColor = cubeColor();
  o.textColor = palette().color(QPalette::WindowText);
  DrawForm(ImB->image(), ImBP->width(), ImBP->height(), task().form, task().figure, o);
  ImB->update();
}

void TZvForm::UpdateUndoButtons() {
  UndoBt->setEnabled(session_.canUndo());
  RedoBt->setEnabled(session_.canRedo());
}

}  // namespace zv
