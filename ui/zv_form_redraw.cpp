// The figure redraw (with optional recording into the undo history), the
// form redraw and the display of validation: Solve button, error line,
// empty-cell counter and the figure's counters.
#include <QLabel>
#include <QSpinBox>
#include <QToolButton>

#include "platform/qt/color_value.h"
#include "ui/figure_view.h"
#include "ui/form_view.h"
#include "ui/picture.h"
#include "ui/zv_form.h"

namespace zv {

QColor TZvForm::cubeColor() const { return ToQColor(opt_.Color); }

void TZvForm::ShowValidation() {
  *validation_ = ValidateTask(*task_);
  const Validation& v = *validation_;
  SolveBt->setEnabled(v.ok());
  ErP->setVisible(!v.ok());
  ErL->setText(QString::fromStdString(ValidationMessage(v, task_->figure)));
  EmptyL->setVisible(task_->EmptyCells);
  EmptyL->setText(QString::number(v.surplus));
}

void TZvForm::FigureRedraw(bool record) {
  if (record) {
    history_.Record(task_->figure);
    UpdateUndoButtons();
  }
  ShowValidation();
  const Validation& v = *validation_;
  NumL->setText(QString::number(v.cubeCount));
  if (v.linksAnalysed) {
    PartsL->setText(QString::number(v.links.PartCount));
    CyclesL->setText(QString::number(v.links.CycleCount));
  } else if (v.cubeCount < 2) {
    // Without the link analysis: none or one cube is that many parts and no cycle.
    PartsL->setText(QString::number(v.cubeCount));
    CyclesL->setText(QStringLiteral("0"));
  } else {
    // More than 254 cubes are never analysed: no counts to show.
    PartsL->clear();
    CyclesL->clear();
  }

  FigureViewOptions o;
  o.links = opt_.Links;
  o.numbers = opt_.Numbers || numberingMode_ || workMode_ == WorkMode::SolutionView;
  o.cubeColor = cubeColor();
  o.textColor = palette().color(QPalette::WindowText);
  DrawFigure(ImA->image(), ImAP->width(), ImAP->height(), task_->figure, o);
  ImA->update();
}

void TZvForm::FormRedraw(bool validate) {
  if (validate) ShowValidation();
  FormViewOptions o;
  o.prevLayer = opt_.PrevLayer;
  o.nextLayer = opt_.NextLayer;
  o.solutionView = workMode_ == WorkMode::SolutionView;
  o.solution = solution_;
  o.cubeColor = cubeColor();
  o.textColor = palette().color(QPalette::WindowText);
  DrawForm(ImB->image(), ImBP->width(), ImBP->height(), task_->form, task_->figure, o);
  ImB->update();
}

void TZvForm::UpdateUndoButtons() {
  UndoBt->setEnabled(history_.CanUndo());
  RedoBt->setEnabled(history_.CanRedo());
}

}  // namespace zv
