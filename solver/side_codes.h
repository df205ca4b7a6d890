// What a link side code (0..27, from the cube link lists of validation) means
// geometrically in the cube's own, unrotated frame: for an edge hinge the cube
// edge it lies on and where the partner stands in the figure; for a face-axis
// hinge the face towards the partner.
#pragma once

#include <array>

#include "solver/rotations.h"

namespace zv {

// Side codes 0..19 are edge hinges, 20..23 face-axis hinges, 24..27 rigid joints.
constexpr bool IsEdgeHingeSide(int side) { return side < 20; }
constexpr bool IsFaceAxisSide(int side) { return side >= 20 && side < 24; }

struct EdgeSide {
  CubeEdge edge;  // the hinge's cube edge in the cube's own frame
  int dx, dy;     // the partner's figure offset from the cube
};

// Side code s and its partner's code s + 10 name the same edge hinge from its
// two ends; the partner offsets are opposite.
// clang-format off
inline constexpr std::array<EdgeSide, 20> kEdgeSides{{
    {5, +1,  0}, {6, +1,  0}, {9,  0, +1}, {10, 0, +1}, {2,  0, +1},
    {3,  0, +1}, {2, +1,  0}, {1, +1,  0}, {2, +1, +1}, {3, -1, +1},
    {4, -1,  0}, {7, -1,  0}, {8,  0, -1}, {11, 0, -1}, {1,  0, -1},
    {0,  0, -1}, {3, -1,  0}, {0, -1,  0}, {0, -1, -1}, {1, +1, -1}}};
// clang-format on

// The face (in the cube's own frame) across which a face-axis hinge's partner
// stands: 20 at -x, 21 at +x, 22 at -y, 23 at +y.
constexpr FaceDir FaceOfAxisSide(int side) { return static_cast<FaceDir>(side - 20); }

// The side code of the same link at the partner's end: edge hinges s and
// s + 10, face-axis hinges 20/21 and 22/23, rigid joints 24/25 and 26/27.
constexpr int PartnerSide(int side) { return side < 10 ? side + 10 : side < 20 ? side - 10 : side ^ 1; }

// The edge recorded for a hinge in the hinge link list and the solution keys:
// the edge of an edge-hinge side code, 12 for a face-axis hinge (no edge).
inline constexpr int kNoHingeEdge = 12;
constexpr int HingeEdgeOfSide(int side) {
  return IsEdgeHingeSide(side) ? kEdgeSides[side].edge : kNoHingeEdge;
}

}  // namespace zv
