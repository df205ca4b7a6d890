// Drawing-mode images: two cubes side by side with the mode's mark (none
// for cubes, a blue edge bar, a green axis bar, a red rigid segment).
#include "ui/button_glyphs.h"

#include <QPainter>
#include <QPixmap>

#include "ui/paint_helpers.h"
#include "ui/view_colors.h"

namespace zv {

namespace {

constexpr int kSize = 16;

}  // namespace

QIcon DrawModeIcon(DrawMode mode) {
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  const QColor cube(230, 230, 230);
  if (mode == DrawMode::Cubes) {
    FillBox(p, 3, 3, 13, 13, cube);
    FrameBox(p, 2, 2, 14, 14, kBlack);
  } else {
    FillBox(p, 0, 4, 16, 12, cube);
    FrameBox(p, 0, 4, 8, 12, kBlack);
    FrameBox(p, 7, 4, 15, 12, kBlack);
    if (mode == DrawMode::EdgeHinges) FillBox(p, 8, 5, 10, 11, kBlue);
    if (mode == DrawMode::FaceAxes) FillBox(p, 4, 7, 11, 9, kGreen);
    if (mode == DrawMode::Rigid) Line(p, 3, 8, 11, 8, kRed, 2);
  }
  return QIcon(pixmap);
}

QIcon ColorSwatchIcon(const QColor& color) {
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  FillBox(p, 1, 1, 15, 15, color);
  FrameBox(p, 1, 1, 15, 15, kBlack);
  return QIcon(pixmap);
}

}  // namespace zv
