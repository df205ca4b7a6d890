// The tooltip of the figure picture over an edge hinge on a horizontal
// edge: which face of the layer it lies in (rules in editor/hinge_sides.h).
#pragma once

#include <QString>
#include <QtGlobal>

#include "model/task.h"

namespace zv {

inline constexpr const char* kUpperFaceHingeTip =
    QT_TRANSLATE_NOOP("Zorvat", "Шарнир на ребре верхней грани");
inline constexpr const char* kLowerFaceHingeTip = QT_TRANSLATE_NOOP("Zorvat", "Шарнир на ребре нижней грани");

// Empty where no such hinge is under picture pixel (x, y).
QString HingeFaceTip(const FigureState& figure, int x, int y);

}  // namespace zv
