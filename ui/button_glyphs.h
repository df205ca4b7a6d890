// Small images of the window's glyph buttons, drawn in the views' own
// colours: the four drawing modes, the cube colour swatch and the two
// looks of SolveBt (a green tick to solve, a red square to stop, a yellow
// pencil to edit).
#pragma once

#include <QColor>
#include <QIcon>

#include "editor/figure_hit_test.h"

namespace zv {

QIcon DrawModeIcon(DrawMode mode);
QIcon ColorSwatchIcon(const QColor& color);
QIcon SolveTickIcon();
QIcon EditPencilIcon();
// SolveBt while a run goes, first or continued: a red square.
QIcon StopSquareIcon();

}  // namespace zv
