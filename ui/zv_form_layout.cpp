// Applying the layout rule to the window: the spin edits, the picture
// panels, the grown pictures, the scroll boxes and the split of the width.
#include <QLabel>
#include <QResizeEvent>
#include <QScrollArea>
#include <QSpinBox>

#include "ui/layout_rule.h"
#include "ui/picture.h"
#include "ui/zv_form.h"

namespace zv {

namespace {

void ApplyScrollBox(QScrollArea* box, const ScrollBoxLayout& l) {
  box->setVerticalScrollBarPolicy(l.vScroll ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  box->setHorizontalScrollBarPolicy(l.hScroll ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  box->resize(l.width, l.height);
}

}  // namespace

void TZvForm::Layout() {
  const FigureState& f = task().figure;
  const FormState& b = task().form;
  handlerGuard_ = true;
  XASE->setValue(f.FigureWidth);
  YASE->setValue(f.FigureDepth);
  XBSE->setValue(b.FormWidth);
  YBSE->setValue(b.FormDepth);
  ZBSE->setValue(b.FormHeight);
  handlerGuard_ = false;

  const int areaHeight = height() - Panel3->height();
  LayoutInput in{};
  in.figureWidth = f.FigureWidth;
  in.figureDepth = f.FigureDepth;
  in.formWidth = b.FormWidth;
  in.formDepth = b.FormDepth;
  in.formHeight = b.FormHeight;
  in.halvesWidth = width() - Bevel1->width();
  in.figureAreaHeight = areaHeight;
  in.formAreaHeight = areaHeight;
  in.figureBoxLeft = ImASB->x();
  in.formBoxLeft = ImBSB->x();
  in.vScrollWidth = vScrollWidth_;
  in.hScrollHeight = hScrollHeight_;
  const LayoutResult r = ComputeLayout(in);

  ImAP->resize(r.figure.panelWidth, r.figure.panelHeight);
  ImBP->resize(r.form.panelWidth, r.form.panelHeight);
  ImA->Grow(r.figure.panelWidth, r.figure.panelHeight);
  ImB->Grow(r.form.panelWidth, r.form.panelHeight);

  const int halfA = r.figureHalfWidth, halfB = in.halvesWidth - halfA;
  PanelA->setGeometry(0, 0, halfA, height());
  Bevel1->setGeometry(halfA, 0, Bevel1->width(), height());
  PanelB->setGeometry(halfA + Bevel1->width(), 0, halfB, height());
  Panel3->resize(halfA, Panel3->height());
  PanelAI->setGeometry(0, Panel3->height(), halfA, areaHeight);
  Panel4->resize(halfB, Panel4->height());
  Panel6->setGeometry(0, Panel4->height(), halfB, areaHeight);
  PanelBI->setGeometry(0, 0, halfB, areaHeight);
  ErP->resize(std::max(1, halfB - ErP->x() - 2), ErP->height());
  ErL->resize(ErP->width() - 4, ErL->height());
  ApplyScrollBox(ImASB, r.figure);
  ApplyScrollBox(ImBSB, r.form);
}

void TZvForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (ImASB != nullptr) Layout();  // not before the controls exist
}

}  // namespace zv
