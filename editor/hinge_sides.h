// Which face of the figure's layer an edge hinge on a horizontal edge lies
// in, and the hinge under a point of the figure picture. The figure is seen
// from above, so the layer's upper face is its face towards layer z - 1:
// EdgeX1 and EdgeY1 lie in it (marked on the left or upper cube's side of
// the shared side), EdgeX2 and EdgeY2 in the lower face (marked on the
// right or lower cube's side). A click on the other cube's side of a hinged
// side moves the hinge to the other face (the link rules keep one link per
// pair of cubes).
//
// Usage:
//   if (auto h = zv::EdgeHingeUnder(figure, x, y)) say(h->face == zv::HingeFace::Upper ? ... : ...);
#pragma once

#include <optional>

#include "editor/figure_hit_test.h"
#include "model/task.h"

namespace zv {

enum class HingeFace { Upper, Lower };

// The face of link bit 1..4; nothing for every other bit.
std::optional<HingeFace> FaceOfEdgeHinge(int bit);

struct FaceHinge {
  LinkHit link;
  HingeFace face;
};

// The edge hinge on a horizontal edge that the figure holds at the side
// nearest to picture point (px, py), whichever cube's half the point is in.
std::optional<FaceHinge> EdgeHingeUnder(const FigureState& figure, int px, int py);

}  // namespace zv
