// A half's picture in its scroll box (ui/picture_box.h).
#include "ui/picture_box.h"

#include <QScrollArea>

#include "ui/controls.h"
#include "ui/layout_rule.h"
#include "ui/picture.h"

namespace zv {

PictureBox MakePictureBox(QWidget* parent, const char* pictureName, int boxLeft, int pictureLeft) {
  const QString name = QString::fromLatin1(pictureName);
  PictureBox p;
  p.box = new QScrollArea(parent);
  p.box->setObjectName(name + QStringLiteral("SB"));
  p.box->setFrameShape(QFrame::NoFrame);
  p.box->move(boxLeft, 0);
  p.panel = MakePanel(nullptr, (name + QStringLiteral("P")).toLatin1().constData(), 0, 0, 1, 1);
  p.picture = new Picture(p.panel);
  p.picture->setObjectName(name);
  p.picture->move(pictureLeft, 0);
  p.box->setWidget(p.panel);
  p.box->setWidgetResizable(false);
  p.box->setBackgroundRole(QPalette::Base);
  return p;
}

void ArrangePictureBox(const PictureBox& p, const ScrollBoxLayout& l, QSize picture) {
  p.panel->resize(l.panelWidth, l.panelHeight);
  p.picture->Grow(picture.width(), picture.height());
  p.box->setVerticalScrollBarPolicy(l.vScroll ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  p.box->setHorizontalScrollBarPolicy(l.hScroll ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  p.box->resize(l.width, l.height);
}

}  // namespace zv
