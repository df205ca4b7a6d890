// Steps, moves to the origin and resizing with the occupied box pushed
// inside, the same rule for all five dimensions.
#include "editor/grid_axes.h"

#include <algorithm>
#include <cstdint>

namespace zv {

namespace {

// One dimension with its occupied range [min, min + extent).
struct AxisRange {
  int size;
  int limit;
  int min;
  int extent;  // 0 for an empty box
};

AxisRange RangeOf(const TaskState& t, const Validation& v, GridAxis axis) {
  const OccupiedBox& a = v.figureBox;
  const OccupiedBox& b = v.formBox;
  const auto extent = [](const OccupiedBox& box, int e) { return box.empty() ? 0 : e; };
  switch (axis) {
    case GridAxis::FigureX:
      return {t.figure.FigureWidth, kMaxFigureSide, a.minX, extent(a, a.w)};
    case GridAxis::FigureY:
      return {t.figure.FigureDepth, kMaxFigureSide, a.minY, extent(a, a.d)};
    case GridAxis::FormX:
      return {t.form.FormWidth, kMaxFormSide, b.minX, extent(b, b.w)};
    case GridAxis::FormY:
      return {t.form.FormDepth, kMaxFormSide, b.minY, extent(b, b.d)};
    case GridAxis::FormZ:
      break;
  }
  return {t.form.FormHeight, kMaxFormHeight, b.minZ, extent(b, b.h)};
}

std::int32_t& SizeOf(TaskState& t, GridAxis axis) {
  switch (axis) {
    case GridAxis::FigureX:
      return t.figure.FigureWidth;
    case GridAxis::FigureY:
      return t.figure.FigureDepth;
    case GridAxis::FormX:
      return t.form.FormWidth;
    case GridAxis::FormY:
      return t.form.FormDepth;
    case GridAxis::FormZ:
      break;
  }
  return t.form.FormHeight;
}

void ShiftAlong(TaskState& t, GridAxis axis, int by) {
  switch (axis) {
    case GridAxis::FigureX:
      return ShiftFigure(t.figure, by, 0);
    case GridAxis::FigureY:
      return ShiftFigure(t.figure, 0, by);
    case GridAxis::FormX:
      return ShiftForm(t.form, by, 0, 0);
    case GridAxis::FormY:
      return ShiftForm(t.form, 0, by, 0);
    case GridAxis::FormZ:
      return ShiftForm(t.form, 0, 0, by);
  }
}

// A step of `d` keeps the range [min, min + extent) inside 0..size-1.
bool StepFits(const AxisRange& a, int d) {
  return !(d < 0 && a.min <= 0) && !(d > 0 && a.min + a.extent >= a.size);
}

}  // namespace

int ClampedSize(const TaskState& task, const Validation& v, GridAxis axis, int requested) {
  const AxisRange a = RangeOf(task, v, axis);
  return std::min(a.limit, std::max({1, a.extent, requested}));
}

bool ResizeAxis(TaskState& task, const Validation& v, GridAxis axis, int requested) {
  const AxisRange a = RangeOf(task, v, axis);
  const int size = ClampedSize(task, v, axis, requested);
  if (size == a.size) return false;
  SizeOf(task, axis) = size;
  if (a.extent > 0 && size < a.min + a.extent) ShiftAlong(task, axis, size - (a.min + a.extent));
  return true;
}

bool StepFigure(TaskState& task, const Validation& v, int dx, int dy) {
  if (v.figureBox.empty()) return false;
  if (!StepFits(RangeOf(task, v, GridAxis::FigureX), dx) ||
      !StepFits(RangeOf(task, v, GridAxis::FigureY), dy))
    return false;
  ShiftFigure(task.figure, dx, dy);
  return true;
}

bool StepForm(TaskState& task, const Validation& v, int dx, int dy, int dz) {
  if (v.formBox.empty()) return false;
  if (!StepFits(RangeOf(task, v, GridAxis::FormX), dx) || !StepFits(RangeOf(task, v, GridAxis::FormY), dy) ||
      !StepFits(RangeOf(task, v, GridAxis::FormZ), dz))
    return false;
  ShiftForm(task.form, dx, dy, dz);
  return true;
}

bool FigureToOrigin(TaskState& task, const Validation& v) {
  const OccupiedBox& b = v.figureBox;
  if (b.empty() || (b.minX == 0 && b.minY == 0)) return false;
  ShiftFigure(task.figure, -b.minX, -b.minY);
  return true;
}

bool FormToOrigin(TaskState& task, const Validation& v) {
  const OccupiedBox& b = v.formBox;
  if (b.empty() || (b.minX == 0 && b.minY == 0 && b.minZ == 0)) return false;
  ShiftForm(task.form, -b.minX, -b.minY, -b.minZ);
  return true;
}

}  // namespace zv
