// The figure and form pictures' options from the window (ui/view_options.h).
#include "ui/view_options.h"

#include "ui/zv_form.h"

namespace zv {

FigureViewOptions FigureOptions(const TZvForm& window) {
  FigureViewOptions o;
  o.links = window.settings().Links;
  o.numbers =
      window.settings().Numbers || window.numberingMode() || window.workMode() == WorkMode::SolutionView;
  o.cubeColor = window.cubeColor();
  o.textColor = window.palette().color(QPalette::WindowText);
  return o;
}

FormViewOptions FormOptions(const TZvForm& window) {
  FormViewOptions o;
  o.prevLayer = window.settings().PrevLayer;
  o.nextLayer = window.settings().NextLayer;
  o.solutionView = window.workMode() == WorkMode::SolutionView;
  o.solution = window.shownSolution();
  o.cubeColor = window.cubeColor();
  o.textColor = window.palette().color(QPalette::WindowText);
  return o;
}

}  // namespace zv
