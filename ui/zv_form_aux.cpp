// The main window's side of the description, help and numbering windows:
// creating them after the main window, numbering mode (NumsBt, the list the
// session takes its numbers from, NormBt), TextBt and the description mark,
// HelpBt, F1 and Esc for the help window, and where the side windows open
// the first time: beside the main window.
#include <QShowEvent>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include "storage/placement.h"
#include "ui/controls.h"
#include "ui/figure_half.h"
#include "ui/help_window.h"
#include "ui/numbers_window.h"
#include "ui/task_buttons.h"
#include "ui/text_window.h"
#include "ui/window_placement.h"
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
    FitMinimumSize();
    Layout();
    FigureRedraw();
    FormRedraw();
  });
  if (TextBt()->isChecked()) textForm_->LoadText(task().Text);
  ShowSideWindow(*textForm_, TextBt()->isChecked());
  // After the window manager has framed the window.
  for (const int ms : {0, 500}) QTimer::singleShot(ms, this, [this] { KeepOnScreen(); });
}

void TZvForm::ShowSideWindow(QWidget& side, bool visible) {
  if (!visible) return side.hide();
  side.show();
  // The first time, a window without a stored place goes beside this one,
  // at the size it has once shown.
  if (!sidePlaced_.contains(&side)) {
    sidePlaced_.insert(&side);
    const std::string section = &side == textForm_.get()   ? kTextWindowSection
                                : &side == numsForm_.get() ? kNumbersWindowSection
                                                           : std::string();
    if (section.empty() || !HasWindowPlacement(*profile_, section))
      PlaceBeside(side, *this, kMainStripHeight);
  }
  side.raise();  // never behind the main window, so one click shows it
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
  ShowSideWindow(*textForm_, TextBt()->isChecked());
}

void TZvForm::TextEdited(const std::string& text) {
  session_.SetText(text);
  UpdateDescriptionMark();
}

QToolButton* TZvForm::TextBt() const { return figureHalf_->buttons->TextBt; }

void TZvForm::UpdateDescriptionMark() { ShowDescriptionMark(*TextBt(), task().Text); }

void TZvForm::HelpBtClick() {
  if (!helpForm_) return;
  ShowSideWindow(*helpForm_, true);
  helpForm_->ShowAndRaise();
}

void TZvForm::CancelAExecute() {
  if (helpForm_) helpForm_->hide();
}

}  // namespace zv
