// The main window's side of the description, help and numbering windows:
// creating them after the main window, numbering mode (NumsBt, presses and
// drags on the figure that hand out numbers, NormBt), TextBt and the
// description mark, and HelpBt, F1 and Esc for the help window.
#include <QShowEvent>
#include <QToolButton>

#include "ui/help_window.h"
#include "ui/numbers_window.h"
#include "ui/text_window.h"
#include "ui/zv_form.h"

namespace zv {

void TZvForm::CreateAuxWindows() {
  textForm_ = std::make_unique<TTextForm>(services_, *profile_);
  helpForm_ = std::make_unique<THelpForm>(services_);
  numsForm_ = std::make_unique<TNumsForm>(*profile_);
  connect(textForm_.get(), &TTextForm::textEdited, this, &TZvForm::TextEdited);
  connect(textForm_.get(), &TTextForm::closed, this, [this] { SetHandlerGuarded(TextBt, false); });
  connect(numsForm_.get(), &TNumsForm::normBtClicked, this, &TZvForm::NormBtClick);
  connect(numsForm_.get(), &TNumsForm::closed, this, &TZvForm::EndNumberingMode);
}

void TZvForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (shown_ || !textForm_) return;
  shown_ = true;
  if (TextBt->isChecked()) textForm_->LoadText(task_->Text);
  textForm_->setVisible(TextBt->isChecked());
}

void TZvForm::NumsBtClick() {
  if (handlerGuard_ || !numsForm_) return;
  if (NumsBt->isChecked()) numsForm_->Fill(std::min(validation_->cubeCount, kMaxCubes));
  numberingMode_ = NumsBt->isChecked();
  numsForm_->setVisible(numberingMode_);
  if (!opt_.Numbers) FigureRedraw(false);
}

void TZvForm::EndNumberingMode() {
  if (!numberingMode_) return;
  if (numsForm_) numsForm_->hide();
  numberingMode_ = false;
  SetHandlerGuarded(NumsBt, false);
  if (!opt_.Numbers) FigureRedraw(false);
}

// Gives the cube in `cell` the number selected in the list and moves the
// selection on. The list may have been filled for another cube count (undo
// and redo change it), so a number outside 0..C-1 is never assigned.
void TZvForm::NumberCube(int cell) {
  const std::optional<int> n = numsForm_->TakeNumber();
  if (!n || *n >= validation_->cubeCount || validation_->cubeCount > kMaxCubes) return;
  AssignNumber(task_->figure, cell, *n);
  FigureRedraw(true);
}

void TZvForm::NumberingPress(int x, int y) {
  figureDrag_ = -1;
  const FigureState& f = task_->figure;
  const std::optional<int> cell = FigureCellHit(x, y, f.FigureWidth, f.FigureDepth);
  if (!cell || !(f.Cells[*cell] & kCubeBit)) return;
  figureDrag_ = 1;
  lastNumberedCell_ = *cell;
  NumberCube(*cell);
}

void TZvForm::NumberingMove(int x, int y) {
  if (figureDrag_ < 0) return;
  const FigureState& f = task_->figure;
  const std::optional<int> cell = FigureCellHit(x, y, f.FigureWidth, f.FigureDepth);
  if (!cell || !(f.Cells[*cell] & kCubeBit) || *cell == lastNumberedCell_) return;
  if (numsForm_->SelectedIndex() == 0) return;  // wrapped past the last number: the drag ends
  lastNumberedCell_ = *cell;
  NumberCube(*cell);
}

void TZvForm::NormBtClick() {
  if (workMode_ != WorkMode::Edit) return;
  ResetNumbering(task_->figure);
  FigureRedraw(true);
}

void TZvForm::TextBtClick() {
  if (handlerGuard_ || !textForm_) return;
  if (TextBt->isChecked()) textForm_->LoadText(task_->Text);
  textForm_->setVisible(TextBt->isChecked());
}

void TZvForm::TextEdited(const std::string& text) {
  task_->Text = text;
  UpdateDescriptionMark();
}

void TZvForm::UpdateDescriptionMark() { ShowDescriptionMark(*TextBt, task_->Text); }

void TZvForm::HelpBtClick() {
  if (helpForm_) helpForm_->ShowAndRaise();
}

void TZvForm::CancelAExecute() {
  if (helpForm_) helpForm_->hide();
}

}  // namespace zv
