// Centred text on a picture.
#include "ui/paint_helpers.h"

#include <QFontMetrics>

namespace zv {

namespace {

int FloorHalf(int a) { return a >= 0 ? a / 2 : -((-a + 1) / 2); }

}  // namespace

void CentredText(QPainter& p, int l, int t, int w, int h, const QString& text, const QColor& c) {
  const QFontMetrics metrics(p.font(), p.device());
  const int tw = metrics.horizontalAdvance(text), th = metrics.height();
  p.setPen(c);
  p.drawText(l + FloorHalf(w - tw), t + FloorHalf(h - th) + metrics.ascent(), text);
}

}  // namespace zv
