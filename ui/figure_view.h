// Drawing of the figure picture: cubes, the grid without the lines between
// rigidly joined cubes, the slab edge, links as red segments with the
// hatched squares of rigid 2x2 blocks, hinge glyphs and cube numbers. The
// picture is drawn completely anew each time.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>

#include "model/task.h"

namespace zv {

struct FigureViewOptions {
  bool links = true;     // red segments and hatch (LinksCB)
  bool numbers = false;  // NumberCB, numbering mode or solution view
  QColor cubeColor{230, 230, 230};
  QColor textColor{0, 0, 0};  // the window text colour
};

// Draws with `painter` (the picture's image, or a picture file), clearing
// the rectangle width x height first.
void PaintFigure(QPainter& painter, int width, int height, const FigureState& figure,
                 const FigureViewOptions& options);
// Draws onto `image`, clearing the panel rectangle (width x height) first;
// the image may be larger than the panel.
void DrawFigure(QImage& image, int width, int height, const FigureState& figure,
                const FigureViewOptions& options);

}  // namespace zv
