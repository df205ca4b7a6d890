// The rule that sizes the two pictures' panels and scroll boxes and splits
// the window's width between the figure half and the form half. Plain
// numbers in, plain numbers out, so the window only applies the result.
//
// The form half keeps at least 359 pixels and the figure half at least 290
// (the 290 wins when the window is narrower than 649); when both pictures do
// not fit, the half whose picture is wider by at least the shortfall gives
// it all up, otherwise the shortfall is shared and the figure half loses the
// larger half of an odd shortfall.
#pragma once

namespace zv {

inline constexpr int kMinFigureHalf = 290;
inline constexpr int kMinFormHalf = 359;

struct LayoutInput {
  int figureWidth, figureDepth;          // FigureWidth, FigureDepth
  int formWidth, formDepth, formHeight;  // FormWidth, FormDepth, FormHeight
  int halvesWidth;                       // PanelA + PanelB widths (= PanelAI + PanelBI widths)
  int figureAreaHeight;                  // PanelAI height: the room below the figure tool strip
  int formAreaHeight;                    // PanelBI height
  int figureBoxLeft;                     // ImASB left, 0
  int formBoxLeft;                       // ImBSB left, 3
  int vScrollWidth;                      // width of a vertical scroll bar
  int hScrollHeight;                     // height of a horizontal scroll bar
};

struct ScrollBoxLayout {
  int panelWidth, panelHeight;  // the picture's panel (ImAP, ImBP)
  bool vScroll, hScroll;        // scroll bars shown
  int width, height;            // the scroll box (ImASB, ImBSB)
};

struct LayoutResult {
  int figureHalfWidth;  // PanelA width; the form half gets halvesWidth minus this
  ScrollBoxLayout figure, form;
};

LayoutResult ComputeLayout(const LayoutInput& in);

}  // namespace zv
