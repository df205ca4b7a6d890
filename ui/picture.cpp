// The growing picture control.
#include "ui/picture.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace zv {

Picture::Picture(QWidget* parent) : QWidget(parent), image_(1, 1, QImage::Format_RGB32) {
  image_.fill(Qt::white);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void Picture::Grow(int width, int height) {
  const int w = std::max(width, image_.width()), h = std::max(height, image_.height());
  if (w != image_.width() || h != image_.height()) {
    QImage grown(w, h, QImage::Format_RGB32);
    grown.fill(Qt::white);
    QPainter(&grown).drawImage(0, 0, image_);
    image_ = std::move(grown);
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
