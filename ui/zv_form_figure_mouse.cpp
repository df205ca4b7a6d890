// Drawing the figure with the mouse: cubes with the left button in cube
// mode and with the right button in every mode, links by the link hit test
// in the three link modes. A drag adds or erases (never both), so it never
// undoes what it has just drawn; edge hinges are drawn one press at a time.
// In numbering mode presses and drags number cubes instead; in solution
// view a press on a cube selects the form cell it stands in.
#include <QButtonGroup>

#include "ui/window_texts.h"
#include "ui/zv_form.h"

namespace zv {

bool TZvForm::RefuseAddingCube() {
  if (validation_->cubeCount < kMaxCubes) return false;
  services_.ShowMessage({QString::fromUtf8(kTooManyCubesText), QString::fromUtf8(kAddCubesImpossibleCaption),
                         MessageIcon::Exclamation, MessageButtons::Ok});
  figureDrag_ = -1;
  return true;
}

void TZvForm::ImAMouseDown(Qt::MouseButton button, Qt::MouseButtons buttons, int x, int y) {
  figureDrag_ = -1;
  if (workMode_ == WorkMode::SolutionView) return SolutionViewFigurePress(x, y);
  if (workMode_ != WorkMode::Edit) return;  // nothing while solving
  if (numberingMode_) return NumberingPress(x, y);
  FigureState& f = task_->figure;
  const bool right = button == Qt::RightButton || (buttons & Qt::RightButton);
  if (drawMode_ == DrawMode::Cubes || right) {
    const std::optional<int> cell = FigureCellHit(x, y, f.FigureWidth, f.FigureDepth);
    if (!cell) return;
    figureDrag_ = (f.Cells[*cell] & kCubeBit) ? 0 : 1;
    if (figureDrag_ == 1 && RefuseAddingCube()) return;
    if (figureDrag_ == 1)
      AddCube(f, *cell);
    else
      RemoveCube(f, *cell);
    FigureRedraw(true);
    return;
  }
  const std::optional<LinkHit> hit = FigureLinkHit(x, y, f.FigureWidth, f.FigureDepth, drawMode_);
  if (!hit || !LinkCubesPresent(f, hit->cell, hit->bit)) return;
  if (drawMode_ != DrawMode::EdgeHinges) figureDrag_ = (f.Cells[hit->cell] & BitMask(hit->bit)) ? 0 : 1;
  ToggleLink(f, hit->cell, hit->bit);
  FigureRedraw(true);
}

void TZvForm::ImAMouseMove(Qt::MouseButtons buttons, int x, int y) {
  if (workMode_ != WorkMode::Edit || figureDrag_ < 0) return;
  if (numberingMode_) return NumberingMove(x, y);
  FigureState& f = task_->figure;
  if (drawMode_ == DrawMode::Cubes || (buttons & Qt::RightButton)) {
    const std::optional<int> cell = FigureCellHit(x, y, f.FigureWidth, f.FigureDepth);
    if (!cell || ((f.Cells[*cell] & kCubeBit) ? 1 : 0) == figureDrag_) return;
    if (figureDrag_ == 1 && RefuseAddingCube()) return;
    if (figureDrag_ == 1)
      AddCube(f, *cell);
    else
      RemoveCube(f, *cell);
    FigureRedraw(true);
    return;
  }
  if (drawMode_ == DrawMode::EdgeHinges) return;
  const std::optional<LinkHit> hit = FigureLinkHit(x, y, f.FigureWidth, f.FigureDepth, drawMode_);
  if (!hit || !LinkCubesPresent(f, hit->cell, hit->bit)) return;
  if (((f.Cells[hit->cell] & BitMask(hit->bit)) ? 1 : 0) == figureDrag_) return;
  ToggleLink(f, hit->cell, hit->bit);
  FigureRedraw(true);
}

void TZvForm::ImAMouseUp() {
  if (workMode_ == WorkMode::Edit) figureDrag_ = -1;
}

void TZvForm::DrawABtClick(int tag) {
  EndNumberingMode();
  drawMode_ = static_cast<DrawMode>(tag);
}

}  // namespace zv
