// Pixel-exact drawing on a picture: rectangles and ellipse boxes given as
// (left, top, right, bottom) with right and bottom exclusive, lines with
// both end points, text by its top-left corner. Antialiasing stays off.
#pragma once

#include <QColor>
#include <QPainter>
#include <QString>

namespace zv {

inline void FillBox(QPainter& p, int l, int t, int r, int b, const QColor& c) {
  p.fillRect(l, t, r - l, b - t, c);
}

inline void FillBox(QPainter& p, int l, int t, int r, int b, const QBrush& brush) {
  p.fillRect(l, t, r - l, b - t, brush);
}

// A one-pixel frame along the inside of the box.
inline void FrameBox(QPainter& p, int l, int t, int r, int b, const QColor& c) {
  p.setPen(QPen(c, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(l, t, r - l - 1, b - t - 1);
}

// An ellipse filling the box, outline included.
inline void FillEllipse(QPainter& p, int l, int t, int r, int b, const QColor& c) {
  p.setPen(QPen(c, 1));
  p.setBrush(c);
  p.drawEllipse(l, t, r - l - 1, b - t - 1);
}

inline void OutlineEllipse(QPainter& p, int l, int t, int r, int b, const QColor& c, int width) {
  p.setPen(QPen(c, width));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(l, t, r - l - 1, b - t - 1);
}

inline void Line(QPainter& p, int x1, int y1, int x2, int y2, const QColor& c, int width = 1) {
  p.setPen(QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawLine(x1, y1, x2, y2);
}

// Text with transparent background centred in a box of `w` x `h` pixels at
// (l, t): left = l + floor((w - text width) / 2), likewise for the top.
void CentredText(QPainter& p, int l, int t, int w, int h, const QString& text, const QColor& c);

}  // namespace zv
