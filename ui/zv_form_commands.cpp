// Button commands on the whole figure or form: clear and fill, clearing
// links, undo and redo of figure changes, and the display switches.
// Undo and redo stay usable in numbering mode and may change the number of
// cubes, so the numbering window's list is refilled after them.
#include <QCheckBox>
#include <QToolButton>

#include "ui/numbers_window.h"
#include "ui/window_texts.h"
#include "ui/zv_form.h"

namespace zv {

void TZvForm::ClearABtClick() {
  if (workMode_ != WorkMode::Edit) return;
  EndNumberingMode();
  ClearFigure(task_->figure);
  FigureRedraw(true);
}

void TZvForm::FillABtClick() {
  if (workMode_ != WorkMode::Edit) return;
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
  if (workMode_ != WorkMode::Edit) return;
  ClearLinks(task_->figure);
  FigureRedraw(true);
}

void TZvForm::ClearBBtClick() {
  if (workMode_ != WorkMode::Edit) return;
  ClearForm(task_->form);
  FormRedraw(true);
}

void TZvForm::FillBBtClick() {
  if (workMode_ != WorkMode::Edit) return;
  FillForm(task_->form);
  FormRedraw(true);
}

void TZvForm::RestoreSnapshot(const FigureState* snapshot) {
  if (snapshot == nullptr) return;
  const bool resized = RestoreFigure(*snapshot, task_->figure);
  UpdateUndoButtons();
  if (resized) Layout();
  FigureRedraw(false);
  if (numberingMode_ && numsForm_) numsForm_->Refill(std::min(validation_->cubeCount, kMaxCubes));
}

void TZvForm::UndoBtClick() {
  if (workMode_ == WorkMode::Edit) RestoreSnapshot(history_.Undo());
}

void TZvForm::RedoBtClick() {
  if (workMode_ == WorkMode::Edit) RestoreSnapshot(history_.Redo());
}

void TZvForm::NumberCBClick() {
  opt_.Numbers = NumberCB->isChecked();
  FigureRedraw(false);
}

void TZvForm::LinksCBClick() {
  opt_.Links = LinksCB->isChecked();
  FigureRedraw(false);
}

}  // namespace zv
