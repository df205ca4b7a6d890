// Drawing the form with the mouse, layer by layer: a press sets or clears
// the cell under it and a drag does the same to every cell it passes; the
// layer overlay buttons and the empty-cells switch. In solution view a
// press selects the form cell under it, or clears the selection.
#include <QCheckBox>
#include <QToolButton>

#include "ui/form_hit_test.h"
#include "ui/zv_form.h"

namespace zv {

void TZvForm::ImBMouseDown(int x, int y) {
  const FormState& b = task_->form;
  const std::optional<int> cell = FormCellHit(x, y, b.FormWidth, b.FormDepth, b.FormHeight);
  if (workMode_ == WorkMode::SolutionView) return SolutionViewFormPress(x, y);
  if (!cell || workMode_ != WorkMode::Edit) return;
  formDrag_ = task_->form.Cells[*cell] ? 0 : 1;
  task_->form.Cells[*cell] = static_cast<std::uint8_t>(formDrag_);
  FormRedraw(true);
}

void TZvForm::ImBMouseMove(int x, int y) {
  if (workMode_ != WorkMode::Edit || formDrag_ < 0) return;
  const FormState& b = task_->form;
  const std::optional<int> cell = FormCellHit(x, y, b.FormWidth, b.FormDepth, b.FormHeight);
  if (!cell || task_->form.Cells[*cell] == formDrag_) return;
  task_->form.Cells[*cell] = static_cast<std::uint8_t>(formDrag_);
  FormRedraw(true);
}

void TZvForm::ImBMouseUp() {
  if (workMode_ == WorkMode::Edit) formDrag_ = -1;
}

void TZvForm::PrevLayerBtClick() {
  if (handlerGuard_) return;
  opt_.PrevLayer = PrevLayerBt->isChecked();
  FormRedraw(false);
}

void TZvForm::NextLayerBtClick() {
  if (handlerGuard_) return;
  opt_.NextLayer = NextLayerBt->isChecked();
  FormRedraw(false);
}

void TZvForm::EmptyCellsCBClick() {
  if (workMode_ != WorkMode::Edit) return;
  task_->EmptyCells = EmptyCellsCB->isChecked();
  ShowValidation();
}

}  // namespace zv
