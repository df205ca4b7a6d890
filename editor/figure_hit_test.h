// Which figure cell, and which link, a point of the figure picture means.
//
// Link zones inside a cell, with (t, u) the offsets 0..49 from its corner:
// face-axis and rigid modes split the cell by its diagonals into four
// triangles (the central square 17..33 hits nothing) and link to the
// neighbour across the nearest side; edge-hinge mode picks a horizontal edge
// near the middle of a side (distance to the other side > 16), a vertical
// edge near a corner, and nothing in the middle or on the figure's border.
#pragma once

#include <optional>

namespace zv {

// The four drawing modes of the figure, valued as their buttons' tags.
enum class DrawMode { Cubes = 0, EdgeHinges = 1, FaceAxes = 2, Rigid = 3 };

struct LinkHit {
  int cell;  // storing cell (figure cell index)
  int bit;   // link bit 1..14
  bool operator==(const LinkHit&) const = default;
};

// Figure cell index under picture point (px, py), or nothing outside the
// figure of width w and depth d.
std::optional<int> FigureCellHit(int px, int py, int w, int d);

// The link a press at (px, py) means in a link mode (not Cubes). Whether
// both cubes exist is left to the caller.
std::optional<LinkHit> FigureLinkHit(int px, int py, int w, int d, DrawMode mode);

}  // namespace zv
