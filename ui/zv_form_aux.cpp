// The main window's side of the description, help and numbering windows:
// creating them after the main window, numbering mode (NumsBt, the list the
// session takes its numbers from, NormBt), TextBt and the description mark,
// and HelpBt, F1 and Esc for the help window.
#include <QShowEvent>
#include <QToolButton>
#include <QWindow>

#include "ui/figure_half.h"
#include "ui/help_window.h"
#include "ui/numbers_window.h"
#include "ui/task_buttons.h"
#include "ui/text_window.h"
#include "ui/zv_form.h"

namespace zv {

void TZvForm::CreateAuxWindows() {
  textForm_ = std::make_unique<TTextForm>(services_, *profile_);
  helpForm_ = std::make_unique<THelpForm>(services_);
  numsForm_ = std::make_unique<TNumsForm>(*profile_);
  session_.SetNumberSource(numsForm_.get());
  connect(textForm_.get(), &TTextForm::textEdited, this, &TZvForm::TextEdited);
  connect(textForm_.get(), &TTextForm::closed, this, [this] { SetHandlerGuarded(TextBt(), false); });
  connect(numsForm_.get(), &TNumsForm::normBtClicked, this, &TZvForm::NormBtClick);
  connect(numsForm_.get(), &TNumsForm::closed, this, &TZvForm::EndNumberingMode);
}

void TZvForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (shown_ || !textForm_) return;
  shown_ = true;
  // On a screen of another scale the pictures are drawn again at its ratio.
  connect(windowHandle(), &QWindow::screenChanged, this, [this] {
    Layout();
    FigureRedraw();
    FormRedraw();
  });
  if (TextBt()->isChecked()) textForm_->LoadText(task().Text);
  textForm_->setVisible(TextBt()->isChecked());
}

void TZvForm::NumsBtClick() {
  if (handlerGuard_ || !numsForm_) return;
  if (figureHalf_->NumsBt->isChecked()) numsForm_->Fill(session_.NumberListSize());
  Apply(session_.SetNumberingMode(figureHalf_->NumsBt->isChecked()));
}

void TZvForm::EndNumberingMode() { Apply(session_.EndNumberingMode()); }
void TZvForm::NormBtClick() { Apply(session_.ResetNumbering()); }

void TZvForm::TextBtClick() {
  if (handlerGuard_ || !textForm_) return;
  if (TextBt()->isChecked()) textForm_->LoadText(task().Text);
  textForm_->setVisible(TextBt()->isChecked());
}

void TZvForm::TextEdited(const std::string& text) {
  session_.SetText(text);
  UpdateDescriptionMark();
}

QToolButton* TZvForm::TextBt() const { return figureHalf_->buttons->TextBt; }

void TZvForm::UpdateDescriptionMark() { ShowDescriptionMark(*TextBt(), task().Text); }

void TZvForm::HelpBtClick() {
  if (helpForm_) helpForm_->ShowAndRaise();
}

void TZvForm::CancelAExecute() {
  if (helpForm_) helpForm_->hide();
}

}  // namespace zv
