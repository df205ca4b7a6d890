// Moving the figure and the form inside their grids, one step at a time or
// to the origin, and changing their dimensions through the spin edits. The
// occupied boxes are those of the last validation. A dimension never cuts
// off cubes or form cells: it cannot go below the occupied extent, and the
// occupied box is pushed inside when the new border would cross it.
#include <QSpinBox>

#include "ui/zv_form.h"

namespace zv {

namespace {

// The size a spin edit's value asks for: within 1..limit and never below
// the occupied extent (0 for an empty box).
int NewDimension(const QSpinBox* spin, int limit, int extent) {
  return std::min(limit, std::max({1, extent, spin->value()}));
}

int Extent(const OccupiedBox& box, int extent) { return box.empty() ? 0 : extent; }

// How far the occupied range [min, min + extent) must move toward the
// origin to end inside `size` cells (0 or negative).
int PushInside(const OccupiedBox& box, int min, int extent, int size) {
  return !box.empty() && size < min + extent ? size - (min + extent) : 0;
}

}  // namespace

void TZvForm::ShiftFigureBy(int dx, int dy) {
  if (workMode_ != WorkMode::Edit) return;
  const OccupiedBox& b = validation_->figureBox;
  const FigureState& f = task_->figure;
  if (b.empty()) return;
  if ((dx < 0 && b.minX <= 0) || (dx > 0 && b.minX + b.w >= f.FigureWidth)) return;
  if ((dy < 0 && b.minY <= 0) || (dy > 0 && b.minY + b.d >= f.FigureDepth)) return;
  ShiftFigure(task_->figure, dx, dy);
  FigureRedraw(true);
}

void TZvForm::Move0BtClick() {
  if (workMode_ != WorkMode::Edit) return;
  const OccupiedBox& b = validation_->figureBox;
  if (b.empty() || (b.minX == 0 && b.minY == 0)) return;
  ShiftFigure(task_->figure, -b.minX, -b.minY);
  FigureRedraw(true);
}

void TZvForm::ShiftFormBy(int dx, int dy, int dz) {
  if (workMode_ != WorkMode::Edit) return;
  const OccupiedBox& b = validation_->formBox;
  const FormState& f = task_->form;
  if (b.empty()) return;
  if ((dx < 0 && b.minX <= 0) || (dx > 0 && b.minX + b.w >= f.FormWidth)) return;
  if ((dy < 0 && b.minY <= 0) || (dy > 0 && b.minY + b.d >= f.FormDepth)) return;
  if ((dz < 0 && b.minZ <= 0) || (dz > 0 && b.minZ + b.h >= f.FormHeight)) return;
  ShiftForm(task_->form, dx, dy, dz);
  FormRedraw(true);
}

void TZvForm::Move0BBtClick() {
  if (workMode_ != WorkMode::Edit) return;
  const OccupiedBox& b = validation_->formBox;
  if (b.empty() || (b.minX == 0 && b.minY == 0 && b.minZ == 0)) return;
  ShiftForm(task_->form, -b.minX, -b.minY, -b.minZ);
  FormRedraw(true);
}

bool TZvForm::ApplyDimension(QSpinBox* spin, std::int32_t& dimension, int size) {
  if (size == dimension) {
    // A value typed beyond the bounds snaps back.
    handlerGuard_ = true;
    spin->setValue(size);
    handlerGuard_ = false;
    return false;
  }
  dimension = size;
  return true;
}

void TZvForm::XASEChange() {
  if (handlerGuard_ || workMode_ != WorkMode::Edit) return;
  const OccupiedBox& b = validation_->figureBox;
  FigureState& f = task_->figure;
  const int size = NewDimension(XASE, kMaxFigureSide, Extent(b, b.w));
  if (!ApplyDimension(XASE, f.FigureWidth, size)) return;
  if (const int shift = PushInside(b, b.minX, b.w, size)) ShiftFigure(f, shift, 0);
  Layout();
  FigureRedraw(true);
}

void TZvForm::YASEChange() {
  if (handlerGuard_ || workMode_ != WorkMode::Edit) return;
  const OccupiedBox& b = validation_->figureBox;
  FigureState& f = task_->figure;
  const int size = NewDimension(YASE, kMaxFigureSide, Extent(b, b.d));
  if (!ApplyDimension(YASE, f.FigureDepth, size)) return;
  if (const int shift = PushInside(b, b.minY, b.d, size)) ShiftFigure(f, 0, shift);
  Layout();
  FigureRedraw(true);
}

void TZvForm::XBSEChange() {
  if (handlerGuard_ || workMode_ != WorkMode::Edit) return;
  const OccupiedBox& b = validation_->formBox;
  FormState& f = task_->form;
  const int size = NewDimension(XBSE, kMaxFormSide, Extent(b, b.w));
  if (!ApplyDimension(XBSE, f.FormWidth, size)) return;
  if (const int shift = PushInside(b, b.minX, b.w, size)) ShiftForm(f, shift, 0, 0);
  Layout();
  FormRedraw(true);
}

void TZvForm::YBSEChange() {
  if (handlerGuard_ || workMode_ != WorkMode::Edit) return;
  const OccupiedBox& b = validation_->formBox;
  FormState& f = task_->form;
  const int size = NewDimension(YBSE, kMaxFormSide, Extent(b, b.d));
  if (!ApplyDimension(YBSE, f.FormDepth, size)) return;
  if (const int shift = PushInside(b, b.minY, b.d, size)) ShiftForm(f, 0, shift, 0);
  Layout();
  FormRedraw(true);
}

void TZvForm::ZBSEChange() {
  if (handlerGuard_ || workMode_ != WorkMode::Edit) return;
  const OccupiedBox& b = validation_->formBox;
  FormState& f = task_->form;
  const int size = NewDimension(ZBSE, kMaxFormHeight, Extent(b, b.h));
  if (!ApplyDimension(ZBSE, f.FormHeight, size)) return;
  if (const int shift = PushInside(b, b.minZ, b.h, size)) ShiftForm(f, 0, 0, shift);
  Layout();
  FormRedraw(true);
}

}  // namespace zv
