// The figure picture's hinge tooltip.
#include "ui/hinge_tips.h"

#include "editor/hinge_sides.h"

namespace zv {

QString HingeFaceTip(const FigureState& figure, int x, int y) {
  const std::optional<FaceHinge> h = EdgeHingeUnder(figure, x, y);
  if (!h) return {};
  return QString::fromUtf8(h->face == HingeFace::Upper ? kUpperFaceHingeTip : kLowerFaceHingeTip);
}

}  // namespace zv
