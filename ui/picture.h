// A picture control backed by an offscreen image that only grows: the image
// keeps its larger size when the task shrinks, and the drawing routines
// clear just the panel's rectangle. The image has the screen's device pixel
// ratio times the zoom, and is drawn on in picture pixels (the design's
// geometry: 50-pixel cells). Mouse presses, moves and releases are passed
// on in picture pixels.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>
#include <functional>

namespace zv {

class Picture : public QWidget {
  Q_OBJECT

 public:
  explicit Picture(QWidget* parent = nullptr);

  // Enlarges the control and its image to at least width x height picture
  // pixels (the control to that times the zoom); never makes either
  // smaller. The image's old content stays, unless the screen's device pixel
  // ratio or the zoom changed: then the image is made anew at the new one.
  void Grow(int width, int height);

  // Window pixels per picture pixel (1: the design's 50-pixel cells). The
  // image is drawn on in picture pixels whatever the zoom: its device pixel
  // ratio is the screen's times the zoom, so lines, marks and numbers grow
  // with the cells, and the mouse is passed on in picture pixels, so every
  // hit zone grows too. The control is then sized to the picture (Grow).
  void SetZoom(qreal zoom);
  qreal zoom() const { return zoom_; }

  // The tooltip text at picture pixel (x, y); empty or unset: no tooltip.
  std::function<QString(int x, int y)> toolTipAt;

  QImage& image() { return image_; }
  const QImage& image() const { return image_; }

 signals:
  void mousePressed(Qt::MouseButton button, Qt::MouseButtons buttons, int x, int y);
  void mouseMoved(Qt::MouseButtons buttons, int x, int y);
  void mouseReleased(Qt::MouseButton button, int x, int y);

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QPoint PicturePoint(QPointF pos) const;

  QImage image_;
  QSize size_;  // the image's size in picture pixels
  qreal zoom_ = 1;
};

}  // namespace zv
