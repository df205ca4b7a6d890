// The figure picture, drawn in the fixed order: background, cubes, grid and
// slab edge, links, numbers, glyphs.
#include "ui/figure_view.h"

#include <QPainter>

#include "editor/cell_geometry.h"
#include "ui/paint_helpers.h"
#include "ui/pictures/view_colors.h"

namespace zv {

namespace {

bool Has(const FigureState& f, int cell, int bit) {
  return cell >= 0 && cell < kFigureGrid && (f.Cells[cell] & BitMask(bit)) != 0;
}

// The four cubes around the top-left corner point of `cell` form a closed
// ring of rigid joints; the hatched square runs from the centre of the
// upper-left cube to the centre of this one.
bool OpensRigidBlock(const FigureState& f, int cell) {
  return Has(f, cell, RigidX) && Has(f, cell, RigidY) && Has(f, cell - 1, RigidY) &&
         Has(f, cell - 32, RigidX);
}

void DrawGrid(QPainter& p, const FigureState& f) {
  const int W = f.FigureWidth, D = f.FigureDepth;
  for (int y = 0; y < D; ++y)
    for (int x = 0; x < W; ++x) {
      const int cell = FigureCellIndex(x, y);
      const int px = FigureCellLeft(x), py = FigureCellTop(y);
      if (!Has(f, cell, RigidX)) Line(p, px, py, px, py + kCellPitch, kBlack);
      if (!Has(f, cell, RigidY)) Line(p, px, py, px + kCellPitch, py, kBlack);
    }
  const int R = FigureCellLeft(W), B = FigureCellTop(D);
  Line(p, kFigureLeft, B, R, B, kBlack);
  Line(p, R, B, R, kFigureTop, kBlack);
  Line(p, R, B, R + 20, B + 20, kBlack);
  const QPoint slab[] = {{kFigureLeft, B},
                         {kFigureLeft + 20, B + 20},
                         {R + 20, B + 20},
                         {R + 20, kFigureTop + 20},
                         {R, kFigureTop}};
  p.setPen(QPen(kBlack, 1));
  p.drawPolyline(slab, 5);
}

void DrawLinks(QPainter& p, const FigureState& f) {
  const QBrush hatch(kRed, Qt::BDiagPattern);
  for (int x = 0; x <= f.FigureWidth; ++x)
    for (int y = 0; y <= f.FigureDepth; ++y) {
      const int cell = FigureCellIndex(x, y);
      if ((f.Cells[cell] & kLinkMask) == 0) continue;
      const int cx = FigureCellLeft(x) + 25, cy = FigureCellTop(y) + 25;
      const bool opens = OpensRigidBlock(f, cell);
      if (opens) FillBox(p, cx - kCellPitch, cy - kCellPitch, cx, cy, hatch);
      for (int bit = 1; bit <= RigidY; ++bit) {
        if (!Has(f, cell, bit)) continue;
        if (bit == RigidX && opens && OpensRigidBlock(f, cell + 32)) continue;
        if (bit == RigidY && opens && OpensRigidBlock(f, cell + 1)) continue;
        const LinkBitInfo& info = kLinkBits[bit];
        Line(p, cx + kCellPitch * info.firstDx, cy + kCellPitch * info.firstDy,
             cx + kCellPitch * info.secondDx, cy + kCellPitch * info.secondDy, kRed, 2);
      }
    }
}

void DrawNumbers(QPainter& p, const FigureState& f, const QColor& color) {
  p.setFont(ViewFont(kCubeNumberPointSize));
  int k = 0;
  for (int y = 0; y < f.FigureDepth; ++y)
    for (int x = 0; x < f.FigureWidth; ++x) {
      if ((f.Cells[FigureCellIndex(x, y)] & kCubeBit) == 0) continue;
      CentredText(p, FigureCellLeft(x), FigureCellTop(y), kCellPitch, kCellPitch,
                  QString::number(UserNumberOfCube(f, CubeIndex(k))), color);
      ++k;
    }
}

// Glyph boxes relative to the storing cell's top-left corner point,
// (left, top, right, bottom), for the edge hinges 1..10 and axes 11, 12.
struct GlyphBox {
  int l, t, r, b;
};
// clang-format off
constexpr GlyphBox kEdgeBars[5] = {
    {0, 0, 0, 0},
    {-9, 16, -3, 35},   // 1 EdgeX1: left cube's side of the shared vertical side
    {4, 16, 10, 35},    // 2 EdgeX2: right cube's side
    {16, -9, 35, -3},   // 3 EdgeY1: upper cube's side
    {16, 4, 35, 10},    // 4 EdgeY2: lower cube's side
};
constexpr GlyphBox kCornerDots[4] = {
    {-11, -4, -2, 5},   // 5 CornerYLeft: left of the corner point
    {3, -4, 12, 5},     // 6 CornerYRight: right of it
    {-4, -11, 5, -2},   // 7 CornerXUpper: above it
    {-4, 3, 5, 12},     // 8 CornerXLower: below it
};
constexpr GlyphBox kAxisBars[2] = {
    {-9, 22, 10, 28},   // 11 AxisX: across the shared vertical side
    {22, -9, 28, 10},   // 12 AxisY: across the shared horizontal side
};
// clang-format on

void DrawGlyphs(QPainter& p, const FigureState& f) {
  for (int x = 0; x <= f.FigureWidth; ++x)
    for (int y = 0; y <= f.FigureDepth; ++y) {
      const int cell = FigureCellIndex(x, y);
      if ((f.Cells[cell] & kLinkMask) == 0) continue;
      const int px = FigureCellLeft(x), py = FigureCellTop(y);
      for (int bit = EdgeX1; bit <= EdgeY2; ++bit)
        if (Has(f, cell, bit)) {
          const GlyphBox& g = kEdgeBars[bit];
          FillBox(p, px + g.l, py + g.t, px + g.r, py + g.b, kBlue);
        }
      for (int bit = CornerYLeft; bit <= CornerXLower; ++bit)
        if (Has(f, cell, bit)) {
          const GlyphBox& g = kCornerDots[bit - CornerYLeft];
          FillEllipse(p, px + g.l, py + g.t, px + g.r, py + g.b, kBlue);
        }
      if (Has(f, cell, CornerDiag)) Line(p, px - 6, py - 6, px + 6, py + 6, kBlue, 5);
      if (Has(f, cell, CornerAntiDiag)) Line(p, px - 6, py + 6, px + 6, py - 6, kBlue, 5);
      for (int bit = AxisX; bit <= AxisY; ++bit)
        if (Has(f, cell, bit)) {
          const GlyphBox& g = kAxisBars[bit - AxisX];
          FillBox(p, px + g.l, py + g.t, px + g.r, py + g.b, kGreen);
        }
    }
}

}  // namespace

void DrawFigure(QImage& image, int width, int height, const FigureState& figure,
                const FigureViewOptions& options) {
  QPainter p(&image);
  PaintFigure(p, width, height, figure, options);
}

void PaintFigure(QPainter& p, int width, int height, const FigureState& figure,
                 const FigureViewOptions& options) {
  p.setRenderHint(QPainter::Antialiasing, false);
  FillBox(p, 0, 0, width, height, kWhite);
  for (int y = 0; y < figure.FigureDepth; ++y)
    for (int x = 0; x < figure.FigureWidth; ++x)
      if (figure.Cells[FigureCellIndex(x, y)] & kCubeBit)
        FillBox(p, FigureCellLeft(x), FigureCellTop(y), FigureCellLeft(x) + kCellPitch,
                FigureCellTop(y) + kCellPitch, options.cubeColor);
  DrawGrid(p, figure);
  if (options.links) DrawLinks(p, figure);
  if (options.numbers) DrawNumbers(p, figure, options.textColor);
  DrawGlyphs(p, figure);
}

}  // namespace zv
