// The window's layout rule, step by step.
#include "ui/layout_rule.h"

#include <algorithm>

#include "editor/cell_geometry.h"

namespace zv {

namespace {

// Floor of a / 2 for negative a as well.
int FloorHalf(int a) { return a >= 0 ? a / 2 : -((-a + 1) / 2); }

}  // namespace

LayoutResult ComputeLayout(const LayoutInput& in) {
  LayoutResult r{};
  ScrollBoxLayout& a = r.figure;
  ScrollBoxLayout& b = r.form;
  a.panelWidth = FigurePictureWidth(in.figureWidth);
  a.panelHeight = FigurePictureHeight(in.figureDepth);
  b.panelWidth = FormPictureWidth(in.formWidth);
  b.panelHeight = FormPictureHeight(in.formDepth, in.formHeight);

  const int H = in.hScrollHeight, V = in.vScrollWidth;
  a.vScroll = in.figureAreaHeight < a.panelHeight + H;
  a.height = std::min(in.figureAreaHeight, a.panelHeight + H);
  b.vScroll = in.formAreaHeight < b.panelHeight + H;
  b.height = std::min(in.formAreaHeight, b.panelHeight + H);

  const int nA = a.panelWidth + (a.vScroll ? V : 0);
  const int nB = b.panelWidth + (b.vScroll ? V : 0);
  const int needA = in.figureBoxLeft + nA + 5;
  const int needB = in.formBoxLeft + nB + 4;

  const int spare = in.halvesWidth - needA - needB;
  int L;
  if (spare >= 0) {
    L = needA;
  } else {
    const int D = -spare;
    if (b.panelWidth - a.panelWidth >= D)
      L = needA;
    else if (a.panelWidth - b.panelWidth >= D)
      L = needA - D;
    else
      L = needA + FloorHalf(spare);
  }
  const int reserve = in.halvesWidth - L - kMinFormHalf;
  if (reserve < 0) L += reserve;
  r.figureHalfWidth = std::max(kMinFigureHalf, L);

  const int figureAreaWidth = r.figureHalfWidth;
  const int formAreaWidth = in.halvesWidth - r.figureHalfWidth;
  a.hScroll = needA > figureAreaWidth;
  a.width = std::min(figureAreaWidth - 8, nA);
  b.hScroll = needB > formAreaWidth;
  b.width = std::min(formAreaWidth - 7, nB);
  return r;
}

}  // namespace zv
