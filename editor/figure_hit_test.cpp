// Cell and link hit tests of the figure picture.
#include "editor/figure_hit_test.h"

#include "editor/cell_geometry.h"
#include "model/task.h"

namespace zv {

std::optional<int> FigureCellHit(int px, int py, int w, int d) {
  const int a = px - kFigureLeft, b = py - kFigureTop;
  if (a < 0 || b < 0) return std::nullopt;
  const int cx = a / kCellPitch, cy = b / kCellPitch;
  if (cx >= w || cy >= d) return std::nullopt;
  return FigureCellIndex(cx, cy);
}

namespace {

std::optional<LinkHit> FaceLinkHit(int cx, int cy, int t, int u, DrawMode mode) {
  if (t >= 17 && t <= 33 && u >= 17 && u <= 33) return std::nullopt;
  const int bitX = mode == DrawMode::FaceAxes ? AxisX : RigidX;
  const int bitY = mode == DrawMode::FaceAxes ? AxisY : RigidY;
  if (t + u <= 50) {
    if (u <= t) return LinkHit{FigureCellIndex(cx, cy), bitY};  // top
    return LinkHit{FigureCellIndex(cx, cy), bitX};              // left
  }
  if (u <= t) return LinkHit{FigureCellIndex(cx + 1, cy), bitX};  // right
  return LinkHit{FigureCellIndex(cx, cy + 1), bitY};              // bottom
}

std::optional<LinkHit> EdgeLinkHit(int cx, int cy, int t, int u, int w, int d) {
  const bool right = t > 25, bottom = u > 25;
  const int dx = right ? 50 - t : t;   // distance to the nearest vertical side
  const int dy = bottom ? 50 - u : u;  // distance to the nearest horizontal side
  const bool borderX = right ? cx == w - 1 : cx == 0;
  const bool borderY = bottom ? cy == d - 1 : cy == 0;
  if (dx > 16) {
    if (dy > 16 || borderY) return std::nullopt;
    if (bottom) return LinkHit{FigureCellIndex(cx, cy + 1), EdgeY1};
    return LinkHit{FigureCellIndex(cx, cy), EdgeY2};
  }
  if (dy > 16) {
    if (borderX) return std::nullopt;
    if (right) return LinkHit{FigureCellIndex(cx + 1, cy), EdgeX1};
    return LinkHit{FigureCellIndex(cx, cy), EdgeX2};
  }
  if (borderX && borderY) return std::nullopt;
  const int corner = FigureCellIndex(cx + (right ? 1 : 0), cy + (bottom ? 1 : 0));
  int bit;
  if (borderX)
    bit = right ? CornerYLeft : CornerYRight;
  else if (borderY)
    bit = bottom ? CornerXUpper : CornerXLower;
  else if (dx > 2 * dy)
    bit = right ? CornerYLeft : CornerYRight;
  else if (dy > 2 * dx)
    bit = bottom ? CornerXUpper : CornerXLower;
  else
    bit = right == bottom ? CornerDiag : CornerAntiDiag;
  return LinkHit{corner, bit};
}

}  // namespace

std::optional<LinkHit> FigureLinkHit(int px, int py, int w, int d, DrawMode mode) {
  const std::optional<int> cell = FigureCellHit(px, py, w, d);
  if (!cell || mode == DrawMode::Cubes) return std::nullopt;
  const int cx = FigureCellX(*cell), cy = FigureCellY(*cell);
  const int t = px - FigureCellLeft(cx), u = py - FigureCellTop(cy);
  if (mode == DrawMode::EdgeHinges) return EdgeLinkHit(cx, cy, t, u, w, d);
  return FaceLinkHit(cx, cy, t, u, mode);
}

}  // namespace zv
