// Cell, link and form hit tests at the pixel offsets that the figure
// editor's zones define.
#include <QtTest>

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

class HitTestTest : public QObject {
  Q_OBJECT

 private slots:
  void cellHitTestKeepsToTheFigure() {
    QCOMPARE(FigureCellHit(10, 10, 5, 4), std::optional<int>(FigureCellIndex(0, 0)));
    QCOMPARE(FigureCellHit(59, 60, 5, 4), std::optional<int>(FigureCellIndex(0, 1)));
    QCOMPARE(FigureCellHit(9, 30, 5, 4), std::nullopt);    // left margin
    QCOMPARE(FigureCellHit(260, 30, 5, 4), std::nullopt);  // the slab band right of column 4
    QCOMPARE(FigureCellHit(30, 210, 5, 4), std::nullopt);  // below row 3
  }

  void faceAndRigidModesLinkAcrossTheNearestSide() {
    QCOMPARE(Hit(2, 1, 5, 25, DrawMode::Rigid), std::optional(At(2, 1, RigidX)));
    QCOMPARE(Hit(2, 1, 45, 25, DrawMode::Rigid), std::optional(At(3, 1, RigidX)));
    QCOMPARE(Hit(2, 1, 25, 25, DrawMode::Rigid), std::nullopt);  // central square
    QCOMPARE(Hit(2, 1, 17, 33, DrawMode::Rigid), std::nullopt);  // its corner
    QCOMPARE(Hit(2, 1, 25, 5, DrawMode::FaceAxes), std::optional(At(2, 1, AxisY)));
    QCOMPARE(Hit(2, 1, 25, 45, DrawMode::FaceAxes), std::optional(At(2, 2, AxisY)));
    // On the diagonal: top or right; on the anti-diagonal: top or left.
    QCOMPARE(Hit(2, 1, 10, 10, DrawMode::Rigid), std::optional(At(2, 1, RigidY)));
    QCOMPARE(Hit(2, 1, 40, 40, DrawMode::Rigid), std::optional(At(3, 1, RigidX)));
    QCOMPARE(Hit(2, 1, 10, 40, DrawMode::Rigid), std::optional(At(2, 1, RigidX)));
    QCOMPARE(Hit(2, 1, 40, 10, DrawMode::Rigid), std::optional(At(2, 1, RigidY)));
    // No border test: a link toward outside the figure is still named.
    QCOMPARE(Hit(4, 1, 45, 25, DrawMode::Rigid), std::optional(At(5, 1, RigidX)));
  }

  void edgeModeSidesMiddlesAndBorders() {
    QCOMPARE(Hit(1, 1, 45, 25, DrawMode::EdgeHinges), std::optional(At(2, 1, EdgeX1)));
    QCOMPARE(Hit(1, 1, 5, 25, DrawMode::EdgeHinges), std::optional(At(1, 1, EdgeX2)));
    QCOMPARE(Hit(0, 1, 5, 25, DrawMode::EdgeHinges), std::nullopt);   // left border
    QCOMPARE(Hit(4, 1, 45, 25, DrawMode::EdgeHinges), std::nullopt);  // right border
    QCOMPARE(Hit(1, 1, 25, 45, DrawMode::EdgeHinges), std::optional(At(1, 2, EdgeY1)));
    QCOMPARE(Hit(1, 1, 25, 5, DrawMode::EdgeHinges), std::optional(At(1, 1, EdgeY2)));
    QCOMPARE(Hit(1, 0, 25, 5, DrawMode::EdgeHinges), std::nullopt);   // top border
    QCOMPARE(Hit(1, 1, 25, 25, DrawMode::EdgeHinges), std::nullopt);  // middle of the cell
  }

  void edgeModeCorners() {
    QCOMPARE(Hit(2, 2, 10, 2, DrawMode::EdgeHinges), std::optional(At(2, 2, CornerYRight)));
    QCOMPARE(Hit(2, 2, 2, 10, DrawMode::EdgeHinges), std::optional(At(2, 2, CornerXLower)));
    QCOMPARE(Hit(2, 2, 5, 5, DrawMode::EdgeHinges), std::optional(At(2, 2, CornerDiag)));
    QCOMPARE(Hit(2, 2, 45, 5, DrawMode::EdgeHinges), std::optional(At(3, 2, CornerAntiDiag)));
    QCOMPARE(Hit(2, 2, 40, 48, DrawMode::EdgeHinges), std::optional(At(3, 3, CornerYLeft)));
    QCOMPARE(Hit(2, 2, 48, 40, DrawMode::EdgeHinges), std::optional(At(3, 3, CornerXUpper)));
    // On the right border only the pair across the nearer horizontal side:
    // cell (4, 1), lower right corner, stored one column past the figure.
    QCOMPARE(Hit(4, 1, 45, 45, DrawMode::EdgeHinges), std::optional(At(5, 2, CornerYLeft)));
    // On the top border only the pair across the nearer vertical side.
    QCOMPARE(Hit(2, 0, 5, 5, DrawMode::EdgeHinges), std::optional(At(2, 0, CornerXLower)));
    QCOMPARE(Hit(0, 0, 5, 5, DrawMode::EdgeHinges), std::nullopt);  // the figure's own corner
  }

  void formHitTestSkipsMarginsAndLayerGaps() {
    // Form 5 x 3 x 2: LayerPitch 160, layer 1 starts at y = 170.
    QCOMPARE(FormCellHit(20, 10, 5, 3, 2), std::optional<int>(FormCellIndex(0, 0, 0)));
    QCOMPARE(FormCellHit(269, 159, 5, 3, 2), std::optional<int>(FormCellIndex(4, 2, 0)));
    QCOMPARE(FormCellHit(19, 30, 5, 3, 2), std::nullopt);   // layer-number margin
    QCOMPARE(FormCellHit(40, 165, 5, 3, 2), std::nullopt);  // gap between the layers
    QCOMPARE(FormCellHit(40, 170, 5, 3, 2), std::optional<int>(FormCellIndex(0, 0, 1)));
    QCOMPARE(FormCellHit(40, 335, 5, 3, 2), std::nullopt);  // below the last layer
  }
};

}  // namespace zv

QTEST_APPLESS_MAIN(zv::HitTestTest)
#include "hit_test_test.moc"
