// Drawing of the form picture: the layers from layer 0 at the top, each a
// grey grid with the form's cells in the cube colour and their black
// outline; in edit mode and while solving the optional previous-layer hatch
// and next-layer dots; in solution view the cubes' numbers, joints, hinges
// and the selection from a SolutionViewData.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>

#include "editor/solution_view_data.h"
#include "model/task.h"

namespace zv {

struct FormViewOptions {
  bool prevLayer = false;                      // PrevLayerBt down
  bool nextLayer = false;                      // NextLayerBt down
  bool solutionView = false;                   // the work mode is solution view: no overlays
  const SolutionViewData* solution = nullptr;  // the shown solution, if any
  QColor cubeColor{230, 230, 230};
  QColor textColor{0, 0, 0};
};

// Draws with `painter` (the picture's image, or a picture file), clearing
// the rectangle width x height first. `figure` gives the user numbers of
// the cubes a solution shows.
void PaintForm(QPainter& painter, int width, int height, const FormState& form, const FigureState& figure,
               const FormViewOptions& options);
// Draws onto `image`, clearing the panel rectangle (width x height) first.
void DrawForm(QImage& image, int width, int height, const FormState& form, const FigureState& figure,
              const FormViewOptions& options);

}  // namespace zv
