// A picture of a task as file managers show it in a thumbnail: the figure
// seen from above over the layers of the form, lowest layer first, side by
// side. Cubes are in their parts' colours (in `cubeColour` for a figure of
// one part); a rigid joint closes the gap between its two cubes, a hinge is
// a dark mark on the side or at the corner it turns about.
#pragma once

#include <QColor>
#include <QPainter>
#include <QRect>

#include "model/task.h"

namespace zv {

void PaintTaskPicture(QPainter& painter, const QRect& rect, const TaskState& task, const QColor& cubeColour);

}  // namespace zv
