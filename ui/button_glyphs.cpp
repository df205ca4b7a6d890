// Drawing-mode images: two cubes side by side with the mode's mark (none
// for cubes, a blue edge bar, a green axis bar, a red rigid segment); the
// colour swatch; the tick and pencil of SolveBt. Each is drawn on 16 x 16
// pixels once per common screen scale, so that the icon stays sharp on a
// scaled screen instead of being enlarged.
#include "ui/button_glyphs.h"

#include <QPainter>
#include <QPixmap>
#include <functional>

#include "ui/paint_helpers.h"
#include "ui/pictures/view_colors.h"
#include "ui/solve_texts.h"

namespace zv {

namespace {

constexpr int kSize = 16;
constexpr qreal kScales[] = {1, 1.25, 1.5, 2, 3};

QIcon PaintedIcon(const std::function<void(QPainter&)>& paint) {
  QIcon icon;
  for (const qreal scale : kScales) {
    QPixmap pixmap(QSize(kSize, kSize) * scale);
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    paint(p);
    p.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace

QIcon DrawModeIcon(DrawMode mode) {
  return PaintedIcon([mode](QPainter& p) {
    const QColor cube(230, 230, 230);
    if (mode == DrawMode::Cubes) {
      FillBox(p, 3, 3, 13, 13, cube);
      FrameBox(p, 2, 2, 14, 14, kBlack);
      return;
    }
    FillBox(p, 0, 4, 16, 12, cube);
    FrameBox(p, 0, 4, 8, 12, kBlack);
    FrameBox(p, 7, 4, 15, 12, kBlack);
    if (mode == DrawMode::EdgeHinges) FillBox(p, 8, 5, 10, 11, kBlue);
    if (mode == DrawMode::FaceAxes) FillBox(p, 4, 7, 11, 9, kGreen);
    if (mode == DrawMode::Rigid) Line(p, 3, 8, 11, 8, kRed, 2);
  });
}

QIcon ColorSwatchIcon(const QColor& color) {
  return PaintedIcon([color](QPainter& p) {
    FillBox(p, 1, 1, 15, 15, color);
    FrameBox(p, 1, 1, 15, 15, kBlack);
  });
}

QIcon SolveTickIcon() {
  return PaintedIcon([](QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(0, 128, 0), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPoint tick[] = {{2, 8}, {6, 12}, {14, 3}};
    p.drawPolyline(tick, 3);
  });
}

QIcon StopSquareIcon() {
  return PaintedIcon([](QPainter& p) { p.fillRect(QRect(3, 3, 10, 10), kStopColor); });
}

QIcon EditPencilIcon() {
  return PaintedIcon([](QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, true);
    // A pencil from the lower left (tip) to the upper right (end).
    const QPointF body[] = {{4, 9}, {11, 2}, {14, 5}, {7, 12}};
    p.setPen(QPen(kBlack, 1));
    p.setBrush(QColor(255, 210, 0));
    p.drawPolygon(body, 4);
    const QPointF tip[] = {{4, 9}, {7, 12}, {2, 14}};
    p.setBrush(QColor(240, 200, 150));
    p.drawPolygon(tip, 3);
  });
}

}  // namespace zv
