// The solve command's button (ui/solve_button.h).
#include "ui/solve_button.h"

#include "ui/button_glyphs.h"
#include "ui/controls.h"
#include "ui/solve_texts.h"
#include "ui/tr.h"

namespace zv {

SolveButton::SolveButton(QWidget* parent) : QToolButton(parent) {
  SetUpButton(this, "SolveBt", "", 265, 1, 91, 29);
  QFont bold = font();
  bold.setBold(true);
  bold.setPixelSize(13);
  setFont(bold);
  setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  ShowMode(WorkMode::Edit);
  setEnabled(false);
}

void SolveButton::ShowMode(WorkMode mode) {
  if (mode == WorkMode::Edit) {
    SetCaption(kSolveCaption, kSolveColor);
    setIcon(SolveTickIcon());
    setToolTip({});
  } else if (mode == WorkMode::SolutionView) {
    SetCaption(kEditCaption, kEditColor);
    setIcon(EditPencilIcon());
    setToolTip(Tr(kEditHint));
  }
}

void SolveButton::ShowStop() {
  SetCaption(kStopCaption, kStopColor);
  setIcon(StopSquareIcon());  // one look, whatever the button showed before
}

void SolveButton::SetCaption(const char* text, const QColor& color) {
  setText(Tr(text));
  // Only while enabled: disabled, the caption is greyed as any other.
  setStyleSheet(QStringLiteral("#SolveBt:enabled { color: %1; }").arg(color.name()));
}

}  // namespace zv
