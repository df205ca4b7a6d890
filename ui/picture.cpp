// The growing picture control.
#include "ui/picture.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <cmath>

namespace zv {

Picture::Picture(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  Grow(1, 1);
}

void Picture::Grow(int width, int height) {
  // On a scaled screen the image holds ratio x zoom device pixels per
  // picture pixel, so that lines and text are drawn sharp rather than enlarged.
  const qreal ratio = devicePixelRatioF() * zoom_;
  const QSize logical = size_.expandedTo({width, height});
  if (logical != size_ || ratio != image_.devicePixelRatio()) {
    QImage grown(static_cast<int>(std::ceil(logical.width() * ratio)),
                 static_cast<int>(std::ceil(logical.height() * ratio)), QImage::Format_RGB32);
    grown.setDevicePixelRatio(ratio);
    grown.fill(Qt::white);
    if (ratio == image_.devicePixelRatio()) QPainter(&grown).drawImage(0, 0, image_);
    image_ = std::move(grown);
    size_ = logical;
  }
  const QSize shown(static_cast<int>(std::ceil(width * zoom_)), static_cast<int>(std::ceil(height * zoom_)));
  resize(std::max(shown.width(), this->width()), std::max(shown.height(), this->height()));
}

void Picture::SetZoom(qreal zoom) {
  if (zoom == zoom_) return;
  zoom_ = zoom;
  resize(1, 1);  // Grow sizes the control anew
}

QPoint Picture::PicturePoint(QPointF pos) const {
  return {static_cast<int>(std::floor(pos.x() / zoom_)), static_cast<int>(std::floor(pos.y() / zoom_))};
}

bool Picture::event(QEvent* event) {
  if (event->type() != QEvent::ToolTip || !toolTipAt) return QWidget::event(event);
  const QPoint pos = PicturePoint(static_cast<QHelpEvent*>(event)->pos());
  const QString text = toolTipAt(pos.x(), pos.y());
  if (text.isEmpty()) {
    QToolTip::hideText();
    event->ignore();
  } else {
    QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text, this);
  }
  return true;
}

void Picture::paintEvent(QPaintEvent*) {
  const qreal screen = devicePixelRatioF();
  QPainter(this).drawImage(QRectF(0, 0, image_.width() / screen, image_.height() / screen), image_);
}

void Picture::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = PicturePoint(event->position());
  emit mousePressed(event->button(), event->buttons(), pos.x(), pos.y());
}

void Picture::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = PicturePoint(event->position());
  emit mouseMoved(event->buttons(), pos.x(), pos.y());
}

void Picture::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint pos = PicturePoint(event->position());
  emit mouseReleased(event->button(), pos.x(), pos.y());
}

}  // namespace zv
