// Small images of the window's glyph buttons, drawn in the views' own
// colours: the four drawing modes and the cube colour swatch.
#pragma once

#include <QColor>
#include <QIcon>

#include "ui/figure_hit_test.h"

namespace zv {

QIcon DrawModeIcon(DrawMode mode);
QIcon ColorSwatchIcon(const QColor& color);

}  // namespace zv
