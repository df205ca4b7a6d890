// The session's editing commands: presses and drags on the figure and the
// form, the whole-figure and whole-form commands, shifts and sizes.
//
// A figure press decides what its drag does: in cube mode (or with the right
// button in any mode) it adds a cube to an empty cell or erases the cube it
// hits, in the face-axis and rigid modes it sets a clear link or clears a
// set one; the drag then only does that, so it never undoes what it has
// just drawn. Edge hinges are drawn one press at a time. The 254-cube limit
// is read from the last validation and ends the drag.
#include <algorithm>
#include <cstdlib>

#include "editor/editor_session.h"
#include "editor/form_hit_test.h"

namespace zv {

template <typename StepAt, typename StillDragging>
Changes EditorSession::AlongDrag(DragPoint& last, int x, int y, StepAt step, StillDragging dragging) {
  const int dx = x - last.x, dy = y - last.y;
  const int steps = std::max(1, (std::max(std::abs(dx), std::abs(dy)) + kDragStep - 1) / kDragStep);
  const DragPoint from = last;
  last = {x, y};
  Changes c;
  for (int i = 1; i <= steps && dragging(); ++i) {
    c |= step(from.x + dx * i / steps, from.y + dy * i / steps);
    if (c.refusal != Refusal::None) break;
  }
  return c;
}

Changes EditorSession::FigurePress(int x, int y, bool rightButton) {
  figureDrag_ = kNoDrag;
  figureLast_ = {x, y};
  if (workMode_ == WorkMode::SolutionView) return SelectFigureCube(x, y);
  if (workMode_ != WorkMode::Edit) return {};  // nothing while solving
  if (numberingMode_) return NumberingPress(x, y);
  return Stroke(x, y, rightButton, true);
}

Changes EditorSession::FigureDrag(int x, int y, bool rightButton) {
  if (workMode_ != WorkMode::Edit || figureDrag_ == kNoDrag) return {};
  return AlongDrag(
      figureLast_, x, y,
      [&](int px, int py) {
        return numberingMode_ ? NumberingDrag(px, py) : Stroke(px, py, rightButton, false);
      },
      [this] { return figureDrag_ != kNoDrag; });
}

void EditorSession::FigureRelease() {
  if (workMode_ == WorkMode::Edit) figureDrag_ = kNoDrag;
}

Changes EditorSession::Stroke(int x, int y, bool rightButton, bool press) {
  FigureState& f = task_.figure;
  if (drawMode_ == DrawMode::Cubes || rightButton) {
    const std::optional<int> cell = FigureCellHit(x, y, f.FigureWidth, f.FigureDepth);
    if (!cell) return {};
    const int present = (f.Cells[*cell] & kCubeBit) ? 1 : 0;
    if (press)
      figureDrag_ = present ? kDragErases : kDragAdds;
    else if (present == figureDrag_)
      return {};
    if (figureDrag_ == kDragAdds && validation_.cubeCount >= kMaxCubes) {
      figureDrag_ = kNoDrag;
      return {.refusal = Refusal::TooManyCubes};
    }
    if (figureDrag_ == kDragAdds)
      AddCube(f, *cell);
    else
      RemoveCube(f, *cell);
    return FigureChanged();
  }
  if (!press && drawMode_ == DrawMode::EdgeHinges) return {};
  const std::optional<LinkHit> hit = FigureLinkHit(x, y, f.FigureWidth, f.FigureDepth, drawMode_);
  if (!hit || !LinkCubesPresent(f, hit->cell, hit->bit)) return {};
  const int set = (f.Cells[hit->cell] & BitMask(hit->bit)) ? 1 : 0;
  if (!press && set == figureDrag_) return {};
  if (press && drawMode_ != DrawMode::EdgeHinges) figureDrag_ = set ? kDragErases : kDragAdds;
  ToggleLink(f, hit->cell, hit->bit);
  return FigureChanged();
}

Changes EditorSession::SetDrawMode(DrawMode mode) {
  Changes c = EndNumberingMode();
  drawMode_ = mode;
  return c;
}

Changes EditorSession::FormPress(int x, int y) {
  const FormState& b = task_.form;
  const std::optional<CellIndex> cell = FormCellHit(x, y, b.FormWidth, b.FormDepth, b.FormHeight);
  if (workMode_ == WorkMode::SolutionView) return SelectFormCell(x, y);
  if (!cell || workMode_ != WorkMode::Edit) return {};
  formLast_ = {x, y};
  formDrag_ = task_.form.At(*cell) ? kDragErases : kDragAdds;
  task_.form.At(*cell) = static_cast<std::uint8_t>(formDrag_);
  return FormChanged();
}

Changes EditorSession::FormDrag(int x, int y) {
  if (workMode_ != WorkMode::Edit || formDrag_ == kNoDrag) return {};
  const auto step = [this](int px, int py) -> Changes {
    const FormState& b = task_.form;
    const std::optional<CellIndex> cell = FormCellHit(px, py, b.FormWidth, b.FormDepth, b.FormHeight);
    if (!cell || task_.form.At(*cell) == formDrag_) return {};
    task_.form.At(*cell) = static_cast<std::uint8_t>(formDrag_);
    return FormChanged();
  };
  return AlongDrag(formLast_, x, y, step, [] { return true; });
}

void EditorSession::FormRelease() {
  if (workMode_ == WorkMode::Edit) formDrag_ = kNoDrag;
}

Changes EditorSession::ClearFigure() {
  if (workMode_ != WorkMode::Edit) return {};
  Changes c = EndNumberingMode();
  zv::ClearFigure(task_.figure);
  return c |= FigureChanged();
}

Changes EditorSession::FillFigure() {
  if (workMode_ != WorkMode::Edit) return {};
  const FigureState& f = task_.figure;
  if (f.FigureWidth * f.FigureDepth > kMaxCubes) return {.refusal = Refusal::TooManyCubesToFill};
  Changes c = EndNumberingMode();
  zv::FillFigure(task_.figure);
  return c |= FigureChanged();
}

Changes EditorSession::ClearLinks() {
  if (workMode_ != WorkMode::Edit) return {};
  zv::ClearLinks(task_.figure);
  return FigureChanged();
}

Changes EditorSession::ApplyVariant(const LinkVariant& variant) {
  if (workMode_ != WorkMode::Edit) return {};
  FigureState figure = task_.figure;
  if (!ApplyLinkVariant(figure, variant)) return {};
  task_.figure = figure;
  return FigureChanged();
}

Changes EditorSession::ClearForm() {
  if (workMode_ != WorkMode::Edit) return {};
  zv::ClearForm(task_.form);
  return FormChanged();
}

Changes EditorSession::FillForm() {
  if (workMode_ != WorkMode::Edit) return {};
  zv::FillForm(task_.form);
  return FormChanged();
}

Changes EditorSession::SetEmptyCells(bool on) {
  if (workMode_ != WorkMode::Edit) return {};
  task_.EmptyCells = on;
  Changes c = FormChanged();
  c.form = false;  // the switch draws nothing
  return c;
}

// A shift that was not made: why, for the message line.
Changes EditorSession::NoShift(bool empty) const {
  return {.shiftRefusal = empty ? ShiftRefusal::Empty : ShiftRefusal::AtBorder};
}

Changes EditorSession::ShiftFigureBy(int dx, int dy) {
  if (workMode_ != WorkMode::Edit) return {};
  if (!StepFigure(task_, validation_, dx, dy)) return NoShift(validation_.cubeCount == 0);
  return FigureChanged();
}

Changes EditorSession::MoveFigureToOrigin() {
  if (workMode_ != WorkMode::Edit) return {};
  if (!FigureToOrigin(task_, validation_)) return NoShift(validation_.cubeCount == 0);
  return FigureChanged();
}

Changes EditorSession::ShiftFormBy(int dx, int dy, int dz) {
  if (workMode_ != WorkMode::Edit) return {};
  if (!StepForm(task_, validation_, dx, dy, dz)) return NoShift(validation_.formCellCount == 0);
  return FormChanged();
}

Changes EditorSession::MoveFormToOrigin() {
  if (workMode_ != WorkMode::Edit) return {};
  if (!FormToOrigin(task_, validation_)) return NoShift(validation_.formCellCount == 0);
  return FormChanged();
}

Changes EditorSession::Resize(GridAxis axis, int requested) {
  if (workMode_ != WorkMode::Edit) return {};
  // A value typed beyond the bounds snaps back to the present size.
  if (!ResizeAxis(task_, validation_, axis, requested)) return {.sizeKept = true};
  Changes c = axis == GridAxis::FigureX || axis == GridAxis::FigureY ? FigureChanged() : FormChanged();
  c.size = true;
  return c;
}

}  // namespace zv
