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
  // On a scaled screen the image holds ratio x ratio device pixels per
  // pixel, so that lines and text are drawn sharp rather than enlarged.
  const qreal ratio = devicePixelRatioF();
  const QSize logical = size_.expandedTo({width, height});
  if (logical != size_ || ratio != image_.devicePixelRatio()) {
    QImage grown(static_cast<int>(std::ceil(logical.width() * ratio)),
                 static_cast<int>(std::ceil(logical.height() * ratio)), QImage::Format_RGB32);
    grown.setDevicePixelRatio(ratio);
    grown.fill(Qt::white);
    QPainter(&grown).drawImage(0, 0, image_);
    image_ = std::move(grown);
    size_ = logical;
  }
  resize(std::max(width, this->width()), std::max(height, this->height()));
}

bool Picture::event(QEvent* event) {
  if (event->type() != QEvent::ToolTip || !toolTipAt) return QWidget::event(event);
  const QPoint pos = static_cast<QHelpEvent*>(event)->pos();
  const QString text = toolTipAt(pos.x(), pos.y());
  if (text.isEmpty()) {
    QToolTip::hideText();
    event->ignore();
  } else {
    QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text, this);
  }
  return true;
}

void Picture::paintEvent(QPaintEvent*) { QPainter(this).drawImage(0, 0, image_); }

void Picture::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  emit mousePressed(event->button(), event->buttons(), pos.x(), pos.y());
}

void Picture::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  emit mouseMoved(event->buttons(), pos.x(), pos.y());
}

void Picture::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  emit mouseReleased(event->button(), pos.x(), pos.y());
}

}  // namespace zv
