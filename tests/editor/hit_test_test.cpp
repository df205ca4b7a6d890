// Cell, link and form hit tests at the pixel offsets that the figure
// editor's zones define.
#include <gtest/gtest.h>

#include "editor/figure_hit_test.h"
#include "editor/form_hit_test.h"
#include "model/task.h"

namespace zv {

namespace {

// Picture pixel at offset (t, u) inside figure cell (cx, cy).
int Px(int cx, int t) { return 10 + 50 * cx + t; }

std::optional<LinkHit> Hit(int cx, int cy, int t, int u, DrawMode mode, int w = 5, int d = 4) {
  return FigureLinkHit(Px(cx, t), Px(cy, u), w, d, mode);
}

LinkHit At(int x, int y, int bit) { return {FigureCellIndex(x, y), bit}; }

}  // namespace

TEST(HitTest, CellHitTestKeepsToTheFigure) {
  EXPECT_EQ(FigureCellHit(10, 10, 5, 4), std::optional<int>(FigureCellIndex(0, 0)));
  EXPECT_EQ(FigureCellHit(59, 60, 5, 4), std::optional<int>(FigureCellIndex(0, 1)));
  EXPECT_EQ(FigureCellHit(9, 30, 5, 4), std::nullopt);    // left margin
  EXPECT_EQ(FigureCellHit(260, 30, 5, 4), std::nullopt);  // the slab band right of column 4
  EXPECT_EQ(FigureCellHit(30, 210, 5, 4), std::nullopt);  // below row 3
}

TEST(HitTest, FaceAndRigidModesLinkAcrossTheNearestSide) {
  EXPECT_EQ(Hit(2, 1, 5, 25, DrawMode::Rigid), std::optional(At(2, 1, RigidX)));
  EXPECT_EQ(Hit(2, 1, 45, 25, DrawMode::Rigid), std::optional(At(3, 1, RigidX)));
  EXPECT_EQ(Hit(2, 1, 25, 25, DrawMode::Rigid), std::nullopt);  // central square
  EXPECT_EQ(Hit(2, 1, 17, 33, DrawMode::Rigid), std::nullopt);  // its corner
  EXPECT_EQ(Hit(2, 1, 25, 5, DrawMode::FaceAxes), std::optional(At(2, 1, AxisY)));
  EXPECT_EQ(Hit(2, 1, 25, 45, DrawMode::FaceAxes), std::optional(At(2, 2, AxisY)));
  // On the diagonal: top or right; on the anti-diagonal: top or left.
  EXPECT_EQ(Hit(2, 1, 10, 10, DrawMode::Rigid), std::optional(At(2, 1, RigidY)));
  EXPECT_EQ(Hit(2, 1, 40, 40, DrawMode::Rigid), std::optional(At(3, 1, RigidX)));
  EXPECT_EQ(Hit(2, 1, 10, 40, DrawMode::Rigid), std::optional(At(2, 1, RigidX)));
  EXPECT_EQ(Hit(2, 1, 40, 10, DrawMode::Rigid), std::optional(At(2, 1, RigidY)));
  // No border test: a link toward outside the figure is still named.
  EXPECT_EQ(Hit(4, 1, 45, 25, DrawMode::Rigid), std::optional(At(5, 1, RigidX)));
}

TEST(HitTest, EdgeModeSidesMiddlesAndBorders) {
  EXPECT_EQ(Hit(1, 1, 45, 25, DrawMode::EdgeHinges), std::optional(At(2, 1, EdgeX1)));
  EXPECT_EQ(Hit(1, 1, 5, 25, DrawMode::EdgeHinges), std::optional(At(1, 1, EdgeX2)));
  EXPECT_EQ(Hit(0, 1, 5, 25, DrawMode::EdgeHinges), std::nullopt);   // left border
  EXPECT_EQ(Hit(4, 1, 45, 25, DrawMode::EdgeHinges), std::nullopt);  // right border
  EXPECT_EQ(Hit(1, 1, 25, 45, DrawMode::EdgeHinges), std::optional(At(1, 2, EdgeY1)));
  EXPECT_EQ(Hit(1, 1, 25, 5, DrawMode::EdgeHinges), std::optional(At(1, 1, EdgeY2)));
  EXPECT_EQ(Hit(1, 0, 25, 5, DrawMode::EdgeHinges), std::nullopt);   // top border
  EXPECT_EQ(Hit(1, 1, 25, 25, DrawMode::EdgeHinges), std::nullopt);  // middle of the cell
}

TEST(HitTest, EdgeModeCorners) {
  EXPECT_EQ(Hit(2, 2, 10, 2, DrawMode::EdgeHinges), std::optional(At(2, 2, CornerYRight)));
  EXPECT_EQ(Hit(2, 2, 2, 10, DrawMode::EdgeHinges), std::optional(At(2, 2, CornerXLower)));
  EXPECT_EQ(Hit(2, 2, 5, 5, DrawMode::EdgeHinges), std::optional(At(2, 2, CornerDiag)));
  EXPECT_EQ(Hit(2, 2, 45, 5, DrawMode::EdgeHinges), std::optional(At(3, 2, CornerAntiDiag)));
  EXPECT_EQ(Hit(2, 2, 40, 48, DrawMode::EdgeHinges), std::optional(At(3, 3, CornerYLeft)));
  EXPECT_EQ(Hit(2, 2, 48, 40, DrawMode::EdgeHinges), std::optional(At(3, 3, CornerXUpper)));
  // On the right border only the pair across the nearer horizontal side:
  // cell (4, 1), lower right corner, stored one column past the figure.
  EXPECT_EQ(Hit(4, 1, 45, 45, DrawMode::EdgeHinges), std::optional(At(5, 2, CornerYLeft)));
  // On the top border only the pair across the nearer vertical side.
  EXPECT_EQ(Hit(2, 0, 5, 5, DrawMode::EdgeHinges), std::optional(At(2, 0, CornerXLower)));
  EXPECT_EQ(Hit(0, 0, 5, 5, DrawMode::EdgeHinges), std::nullopt);  // the figure's own corner
}

TEST(HitTest, FormHitTestSkipsMarginsAndLayerGaps) {
  // Form 5 x 3 x 2: LayerPitch 160, layer 1 starts at y = 170.
  EXPECT_EQ(FormCellHit(20, 10, 5, 3, 2), std::optional<CellIndex>(FormCellIndex(0, 0, 0)));
  EXPECT_EQ(FormCellHit(269, 159, 5, 3, 2), std::optional<CellIndex>(FormCellIndex(4, 2, 0)));
  EXPECT_EQ(FormCellHit(19, 30, 5, 3, 2), std::nullopt);   // layer-number margin
  EXPECT_EQ(FormCellHit(40, 165, 5, 3, 2), std::nullopt);  // gap between the layers
  EXPECT_EQ(FormCellHit(40, 170, 5, 3, 2), std::optional<CellIndex>(FormCellIndex(0, 0, 1)));
  EXPECT_EQ(FormCellHit(40, 335, 5, 3, 2), std::nullopt);  // below the last layer
}

}  // namespace zv
