// Button commands on the whole figure or form: clear and fill, clearing
// links, undo and redo of figure changes, and the display switches.
#include <QCheckBox>
#include <QToolButton>

#include "ui/window_texts.h"
#include "ui/zv_form.h"

namespace zv {

void TZvForm::ClearABtClick() {
  EndNumberingMode();
  ClearFigure(task_->figure);
  FigureRedraw(true);
}

void TZvForm::FillABtClick() {
  const FigureState& f = task_->figure;
  if (f.FigureWidth * f.FigureDepth > kMaxCubes) {
    services_.ShowMessage({QString::fromUtf8(kTooManyCubesText),
                           QString::fromUtf8(kOperationImpossibleCaption), MessageIcon::Exclamation,
                           MessageButtons::Ok});
    return;
  }
  EndNumberingMode();
  FillFigure(task_->figure);
  FigureRedraw(true);
}

void TZvForm::ClearLinksBtClick() {
  ClearLinks(task_->figure);
  FigureRedraw(true);
}

void TZvForm::ClearBBtClick() {
  ClearForm(task_->form);
  FormRedraw(true);
}

void TZvForm::FillBBtClick() {
  FillForm(task_->form);
  FormRedraw(true);
}

void TZvForm::RestoreSnapshot(const FigureState* snapshot) {
  if (snapshot == nullptr) return;
  const bool resized = RestoreFigure(*snapshot, task_->figure);
  UpdateUndoButtons();
  if (resized) Layout();
  FigureRedraw(false);
}

void TZvForm::UndoBtClick() { RestoreSnapshot(history_.Undo()); }

void TZvForm::RedoBtClick() { RestoreSnapshot(history_.Redo()); }

void TZvForm::NumberCBClick() {
  opt_.Numbers = NumberCB->isChecked();
  FigureRedraw(false);
}

void TZvForm::LinksCBClick() {
  opt_.Links = LinksCB->isChecked();
  FigureRedraw(false);
}

void TZvForm::NumsBtClick() {
  if (handlerGuard_) return;
  numberingMode_ = NumsBt->isChecked();
  FigureRedraw(false);
}

void TZvForm::EndNumberingMode() {
  if (!numberingMode_) return;
  numberingMode_ = false;
  SetHandlerGuarded(NumsBt, false);
  if (!opt_.Numbers) FigureRedraw(false);
}

}  // namespace zv
