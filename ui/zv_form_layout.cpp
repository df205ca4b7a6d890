// The main window's layout and zoom: the spin edits show the sizes; the two
// halves share the window's width at a divider that the user may drag
// (Bevel1) and that otherwise keeps its share of the width, so both halves
// grow with the window and a change of a size moves nothing; the first
// layout places it by the layout rule (ui/layout_rule.h). Each picture's
// scroll box fills its half below the tool strip, and the pictures are
// drawn at the zoom: Ctrl+wheel over a picture, Ctrl+= and Ctrl+- step it,
// Ctrl+0 fits the whole figure and form into their boxes.
#include <QEvent>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollArea>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "editor/cell_geometry.h"
#include "ui/controls.h"
#include "ui/figure_half.h"
#include "ui/form_half.h"
#include "ui/layout_rule.h"
#include "ui/picture.h"
#include "ui/picture_box.h"
#include "ui/zv_form.h"

namespace zv {

namespace {

// The zoom steps of Ctrl+= and Ctrl+-; fit may pick any zoom between the ends.
constexpr double kZoomSteps[] = {0.1, 0.15, 0.2, 0.25, 0.33, 0.5, 0.67, 0.75, 0.85,
                                 1.0, 1.25, 1.5, 1.75, 2.0,  2.5, 3.0,  4.0};
constexpr double kMinZoom = kZoomSteps[0];
constexpr double kMaxZoom = kZoomSteps[std::size(kZoomSteps) - 1];

int Zoomed(int pixels, double zoom) { return static_cast<int>(std::ceil(pixels * zoom)); }

// How much wider than its box a picture may be and still need no
// horizontal scroll bar: the box stands 8 (7) pixels inside its half, while
// the layout rule gives a half that fits its picture only 5 (4) pixels more
// than the picture; the few pixels the box cuts off are of the picture's
// blank right margin (10 pixels at least).
constexpr int kMarginCut = 3;

// A scroll box of `box` size showing a panel of `panel` size: which scroll
// bars it needs (each one takes room from the other direction).
ScrollBoxLayout BoxFor(QSize box, QSize panel, int vScrollWidth, int hScrollHeight) {
  ScrollBoxLayout l{};
  l.panelWidth = panel.width();
  l.panelHeight = panel.height();
  l.width = std::max(1, box.width());
  l.height = std::max(1, box.height());
  l.vScroll = l.panelHeight > l.height;
  l.hScroll = l.panelWidth > l.width + kMarginCut - (l.vScroll ? vScrollWidth : 0);
  l.vScroll = l.panelHeight > l.height - (l.hScroll ? hScrollHeight : 0);
  return l;
}

}  // namespace

QSize TZvForm::FigurePictureSize() const {
  return {FigurePictureWidth(task().figure.FigureWidth), FigurePictureHeight(task().figure.FigureDepth)};
}

QSize TZvForm::FormPictureSize() const {
  return {FormPictureWidth(task().form.FormWidth),
          FormPictureHeight(task().form.FormDepth, task().form.FormHeight)};
}

void TZvForm::Layout() {
  const FigureState& f = task().figure;
  const FormState& b = task().form;
  handlerGuard_ = true;
  figureHalf_->ShowSizes(f.FigureWidth, f.FigureDepth);
  formHalf_->ShowSizes(b.FormWidth, b.FormDepth, b.FormHeight);
  handlerGuard_ = false;

  const int areaHeight = height() - kMainStripHeight;
  const int halves = width() - Bevel1->width();
  const QSize pictureA = FigurePictureSize(), pictureB = FormPictureSize();
  if (!dividerShare_) {
    // The first layout: the layout rule's split at the design zoom.
    LayoutInput in{};
    in.figureWidth = f.FigureWidth;
    in.figureDepth = f.FigureDepth;
    in.formWidth = b.FormWidth;
    in.formDepth = b.FormDepth;
    in.formHeight = b.FormHeight;
    in.halvesWidth = halves;
    in.figureAreaHeight = areaHeight;
    in.formAreaHeight = areaHeight;
    in.figureBoxLeft = figureHalf_->image.box->x();
    in.formBoxLeft = formHalf_->image.box->x();
    in.vScrollWidth = vScrollWidth_;
    in.hScrollHeight = hScrollHeight_;
    dividerShare_ = static_cast<double>(ComputeLayout(in).figureHalfWidth) / std::max(1, halves);
  }
  // The form half keeps 359 pixels and the figure half 290 where the window has them.
  const int halfA = std::clamp(static_cast<int>(std::lround(*dividerShare_ * halves)), kMinFigureHalf,
                               std::max(kMinFigureHalf, halves - kMinFormHalf));
  const int halfB = halves - halfA;
  // In solution view a narrow form half's strip holds the fold row under its rows.
  const int formAreaHeight = height() - formHalf_->StripHeight(halfB);
  const int boxA = figureHalf_->image.box->x(), boxB = formHalf_->image.box->x();
  const ScrollBoxLayout a = BoxFor({halfA - boxA - 8, areaHeight},
                                   {Zoomed(pictureA.width(), zoom_), Zoomed(pictureA.height(), zoom_)},
                                   vScrollWidth_, hScrollHeight_);
  const ScrollBoxLayout l = BoxFor({halfB - boxB - 7, formAreaHeight},
                                   {Zoomed(pictureB.width(), zoom_), Zoomed(pictureB.height(), zoom_)},
                                   vScrollWidth_, hScrollHeight_);
  figureHalf_->Arrange({0, 0, halfA, height()}, a, pictureA);
  Bevel1->setGeometry(halfA, 0, Bevel1->width(), height());
  formHalf_->Arrange({halfA + Bevel1->width(), 0, halfB, height()}, l, pictureB);
}

void TZvForm::FitMinimumSize() {
  const QSize least(kMinFigureHalf + Bevel1->width() + kMinFormHalf, formHalf_->LeastHeight(kMinFormHalf));
  setMinimumSize(least.boundedTo(screen()->availableGeometry().size() - kFrameAllowance));
}

void TZvForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (formHalf_ != nullptr) Layout();  // not before the controls exist
}

void TZvForm::SetZoom(double zoom) {
  zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
  if (zoom == zoom_) return;
  zoom_ = zoom;
  figureHalf_->image.picture->SetZoom(zoom);
  formHalf_->image.picture->SetZoom(zoom);
  Layout();
  FigureRedraw();
  FormRedraw();
}

void TZvForm::ZoomInAExecute() {
  const double* next = std::upper_bound(std::begin(kZoomSteps), std::end(kZoomSteps), zoom_ + 1e-9);
  if (next != std::end(kZoomSteps)) SetZoom(*next);
}

void TZvForm::ZoomOutAExecute() {
  const double* next = std::lower_bound(std::begin(kZoomSteps), std::end(kZoomSteps), zoom_ - 1e-9);
  if (next != std::begin(kZoomSteps)) SetZoom(*(next - 1));
}

void TZvForm::ZoomFitAExecute() {
  // The largest zoom at which both pictures fit their boxes without scroll bars.
  const int areaHeight = height() - kMainStripHeight;
  const int formAreaHeight = height() - formHalf_->StripHeight(formHalf_->width());
  const QScrollArea* boxA = figureHalf_->image.box;
  const QScrollArea* boxB = formHalf_->image.box;
  const int widthA = figureHalf_->width() - boxA->x() - 8, widthB = formHalf_->width() - boxB->x() - 7;
  const QSize a = FigurePictureSize(), b = FormPictureSize();
  const double fit =
      std::min({static_cast<double>(widthA) / a.width(), static_cast<double>(areaHeight) / a.height(),
                static_cast<double>(widthB) / b.width(), static_cast<double>(formAreaHeight) / b.height()});
  SetZoom(std::floor(fit * 100) / 100);
}

bool TZvForm::eventFilter(QObject* watched, QEvent* event) {
  // Ctrl+wheel over a picture zooms both.
  if (event->type() == QEvent::Wheel &&
      (watched == figureHalf_->image.box->viewport() || watched == formHalf_->image.box->viewport())) {
    auto* wheel = static_cast<QWheelEvent*>(event);
    if (!(wheel->modifiers() & Qt::ControlModifier)) return false;
    const int steps = wheel->angleDelta().y();
    if (steps > 0) ZoomInAExecute();
    if (steps < 0) ZoomOutAExecute();
    return true;
  }
  // Dragging Bevel1 moves the divider; it stays where it is let go.
  if (watched == Bevel1 &&
      (event->type() == QEvent::MouseMove || event->type() == QEvent::MouseButtonPress)) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (!(mouse->buttons() & Qt::LeftButton)) return false;
    const int x = mapFromGlobal(mouse->globalPosition().toPoint()).x();
    const int halves = width() - Bevel1->width();
    dividerShare_ =
        static_cast<double>(std::clamp(x, kMinFigureHalf, std::max(kMinFigureHalf, halves - kMinFormHalf))) /
        std::max(1, halves);
    Layout();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void TZvForm::InstallLayoutHandlers() {
  figureHalf_->image.box->viewport()->installEventFilter(this);
  formHalf_->image.box->viewport()->installEventFilter(this);
  Bevel1->installEventFilter(this);
  Bevel1->setCursor(Qt::SplitHCursor);
}

}  // namespace zv
