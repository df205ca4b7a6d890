// The editing handlers of the main window: mouse events on the two
// pictures, the drawing mode buttons, the whole-figure and whole-form
// commands, undo and redo, shifts and the spin edits of the sizes, and the
// display switches. The session holds the rules; each handler passes its
// event on and redraws from what changed.
#include <QCheckBox>
#include <QSpinBox>
#include <QToolButton>

#include "ui/figure_half.h"
#include "ui/form_half.h"
#include "ui/zv_form.h"

namespace zv {

void TZvForm::ImAMouseDown(Qt::MouseButton button, Qt::MouseButtons buttons, int x, int y) {
  Apply(session_.FigurePress(x, y, button == Qt::RightButton || (buttons & Qt::RightButton)));
}

void TZvForm::ImAMouseMove(Qt::MouseButtons buttons, int x, int y) {
  Apply(session_.FigureDrag(x, y, (buttons & Qt::RightButton) != 0));
}

void TZvForm::ImAMouseUp() { session_.FigureRelease(); }
void TZvForm::DrawABtClick(int tag) { Apply(session_.SetDrawMode(static_cast<DrawMode>(tag))); }
void TZvForm::ImBMouseDown(int x, int y) { Apply(session_.FormPress(x, y)); }
void TZvForm::ImBMouseMove(int x, int y) { Apply(session_.FormDrag(x, y)); }
void TZvForm::ImBMouseUp() { session_.FormRelease(); }
void TZvForm::EmptyCellsCBClick() { Apply(session_.SetEmptyCells(formHalf_->EmptyCellsCB->isChecked())); }
void TZvForm::ClearABtClick() { Apply(session_.ClearFigure()); }
void TZvForm::FillABtClick() { Apply(session_.FillFigure()); }
void TZvForm::ClearLinksBtClick() { Apply(session_.ClearLinks()); }
void TZvForm::ClearBBtClick() { Apply(session_.ClearForm()); }
void TZvForm::FillBBtClick() { Apply(session_.FillForm()); }
void TZvForm::ShiftFigureBy(int dx, int dy) { Apply(session_.ShiftFigureBy(dx, dy)); }
void TZvForm::Move0BtClick() { Apply(session_.MoveFigureToOrigin()); }
void TZvForm::ShiftFormBy(int dx, int dy, int dz) { Apply(session_.ShiftFormBy(dx, dy, dz)); }
void TZvForm::Move0BBtClick() { Apply(session_.MoveFormToOrigin()); }
void TZvForm::XASEChange() { SizeChange(GridAxis::FigureX, figureHalf_->XASE); }
void TZvForm::YASEChange() { SizeChange(GridAxis::FigureY, figureHalf_->YASE); }
void TZvForm::XBSEChange() { SizeChange(GridAxis::FormX, formHalf_->XBSE); }
void TZvForm::YBSEChange() { SizeChange(GridAxis::FormY, formHalf_->YBSE); }
void TZvForm::ZBSEChange() { SizeChange(GridAxis::FormZ, formHalf_->ZBSE); }

void TZvForm::SizeChange(GridAxis axis, QSpinBox* spin) {
  if (!handlerGuard_) Apply(session_.Resize(axis, spin->value()));
}

void TZvForm::UndoBtClick() { Apply(session_.Undo()); }
void TZvForm::RedoBtClick() { Apply(session_.Redo()); }

void TZvForm::PrevLayerBtClick() {
  if (handlerGuard_) return;
  opt_.PrevLayer = formHalf_->PrevLayerBt->isChecked();
  FormRedraw();
}

void TZvForm::NextLayerBtClick() {
  if (handlerGuard_) return;
  opt_.NextLayer = formHalf_->NextLayerBt->isChecked();
  FormRedraw();
}

void TZvForm::NumberCBClick() {
  opt_.Numbers = figureHalf_->NumberCB->isChecked();
  FigureRedraw();
}

void TZvForm::LinksCBClick() {
  opt_.Links = figureHalf_->LinksCB->isChecked();
  FigureRedraw();
}

}  // namespace zv
