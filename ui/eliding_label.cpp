// A label that shortens a text too wide for it (ui/eliding_label.h).
#include "ui/eliding_label.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace zv {

ElidingLabel::ElidingLabel(QWidget* parent) : QLabel(parent) {}

bool ElidingLabel::elided() const { return fontMetrics().horizontalAdvance(text()) > contentsRect().width(); }

void ElidingLabel::paintEvent(QPaintEvent* event) {
  if (!elided()) {
    QLabel::paintEvent(event);
    return;
  }
  QPainter painter(this);
  const QRect r = contentsRect();
  painter.setPen(palette().color(foregroundRole()));
  painter.drawText(r, static_cast<int>(alignment()),
                   fontMetrics().elidedText(text(), Qt::ElideRight, r.width()));
}

bool ElidingLabel::event(QEvent* event) {
  // The whole text as the tooltip while it is shortened; the label's own tooltip otherwise.
  if (event->type() == QEvent::ToolTip && toolTip().isEmpty() && elided()) {
    QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
    return true;
  }
  return QLabel::event(event);
}

}  // namespace zv
