// The faces of edge hinges and the hinge under a picture point.
#include "editor/hinge_sides.h"

namespace zv {

std::optional<HingeFace> FaceOfEdgeHinge(int bit) {
  if (bit == EdgeX1 || bit == EdgeY1) return HingeFace::Upper;
  if (bit == EdgeX2 || bit == EdgeY2) return HingeFace::Lower;
  return std::nullopt;
}

std::optional<FaceHinge> EdgeHingeUnder(const FigureState& figure, int px, int py) {
  const std::optional<LinkHit> hit =
      FigureLinkHit(px, py, figure.FigureWidth, figure.FigureDepth, DrawMode::EdgeHinges);
  if (!hit || !FaceOfEdgeHinge(hit->bit)) return std::nullopt;
  // The hit names one of the pair's two bits, by the half the point is in;
  // the hinge present may be either.
  const int first = hit->bit == EdgeX1 || hit->bit == EdgeX2 ? EdgeX1 : EdgeY1;
  for (int bit : {first, first + 1})
    if (figure.Cells[hit->cell] & (1 << bit)) return FaceHinge{{hit->cell, bit}, *FaceOfEdgeHinge(bit)};
  return std::nullopt;
}

}  // namespace zv
