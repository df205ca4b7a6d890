// What the figure and form pictures show in the window's present state
// (display switches, work and numbering modes, the shown solution, the
// colours): the options of the window's redraws and of its picture files
// alike, so that a saved picture is what the window shows.
#pragma once

#include "ui/figure_view.h"
#include "ui/form_view.h"

namespace zv {

class TZvForm;

FigureViewOptions FigureOptions(const TZvForm& window);
FormViewOptions FormOptions(const TZvForm& window);

}  // namespace zv
