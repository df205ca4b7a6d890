// The figure picture's hinge tooltip.
#include "ui/hinge_tips.h"

#include "editor/hinge_sides.h"
#include "ui/tr.h"

namespace zv {

QString HingeFaceTip(const FigureState& figure, int x, int y) {
  const std::optional<FaceHinge> h = EdgeHingeUnder(figure, x, y);
  if (!h) return {};
  return Tr(h->face == HingeFace::Upper ? kUpperFaceHingeTip : kLowerFaceHingeTip);
}

}  // namespace zv
