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
  // While the text is shortened the tooltip says it whole, above the label's own tooltip.
  if (event->type() == QEvent::ToolTip && elided()) {
    const QString tip = toolTip().isEmpty() ? text() : text() + QLatin1Char('\n') + toolTip();
    QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), tip, this);
    return true;
  }
  return QLabel::event(event);
}

}  // namespace zv
