// The form picture: per layer the layer number, the grey grid, a first pass
// of cell fills (and overlays or solution contents), and a second pass of
// selection marks, outlines and face-axis hinges.
#include "ui/form_view.h"

#include <QPainter>

#include "editor/cell_geometry.h"
#include "ui/paint_helpers.h"
#include "ui/pictures/view_colors.h"

namespace zv {

namespace {

struct Box {
  int l, t, r, b;
};
// Selection marks relative to the cell's top-left corner: bars (filled
// boxes), dots (9x9 circles by their top-left corner) and corner strokes.
// clang-format off
constexpr Box kSelBars[8] = {
    {16, -9, 35, -3}, {54, 16, 60, 35}, {16, 54, 35, 60}, {-9, 16, -3, 35},  // outside
    {16, 4, 35, 10},  {41, 16, 47, 35}, {16, 41, 35, 47}, {4, 16, 10, 35},   // inside
};
constexpr QPoint kSelDots[8] = {{3, -4}, {46, 3}, {39, 46}, {-4, 39},
                                {39, -4}, {46, 39}, {3, 46}, {-4, 3}};
constexpr Box kSelCorners[4] = {{-6, -6, 6, 6}, {44, 6, 56, -6}, {44, 44, 56, 56}, {-6, 56, 6, 44}};
// clang-format on

class FormPainter {
 public:
  FormPainter(QPainter& p, const FormState& form, const FigureState& figure, const FormViewOptions& o)
      : p_(p),
        form_(form),
        figure_(figure),
        o_(o),
        sel_(o.solutionView && o.solution != nullptr && o.solution->selectedCell != kNoSelectedCell
                 ? o.solution
                 : nullptr) {}

  void Layer(int z) {
    const int X = form_.FormWidth, Y = form_.FormDepth, Z = form_.FormHeight;
    const int top = kFormTop + z * LayerPitch(Y);
    if (Z > 1) {
      p_.setFont(ViewFont(kLayerNumberPointSize));
      CentredText(p_, 0, top, kFormLeft, kCellPitch * Y, QString::number(z + 1), o_.textColor);
    }
    for (int i = 0; i <= Y; ++i)
      Line(p_, kFormLeft, top + kCellPitch * i, FormCellLeft(X), top + kCellPitch * i, kGridGrey);
    for (int j = 0; j <= X; ++j)
      Line(p_, FormCellLeft(j), top, FormCellLeft(j), top + kCellPitch * Y, kGridGrey);
    for (int y = 0; y < Y; ++y)
      for (int x = 0; x < X; ++x)
        if (Visited(FormCellIndex(x, y, z).value())) FirstPass(x, y, z);
    for (int y = 0; y < Y; ++y)
      for (int x = 0; x < X; ++x) SecondPass(x, y, z);
  }

 private:
  bool InForm(int cell) const { return cell >= 0 && cell < kFormGrid && form_.Cells[cell] != 0; }
  bool Overlays() const { return !o_.solutionView; }
  const SolutionViewData* Solution() const { return o_.solutionView ? o_.solution : nullptr; }

  bool Visited(int cell) const {
    return InForm(cell) || (Overlays() && o_.prevLayer && InForm(cell - 1024)) ||
           (Overlays() && o_.nextLayer && InForm(cell + 1024));
  }

  void FirstPass(int x, int y, int z) {
    const int cell = FormCellIndex(x, y, z).value();
    const int x0 = FormCellLeft(x), y0 = FormCellTop(y, z, form_.FormDepth);
    const int x1 = x0 + kCellPitch, y1 = y0 + kCellPitch;
    if (InForm(cell)) {
      QColor fill = o_.cubeColor;
      if (sel_ && cell == sel_->selectedCell.value())
        fill = kLightBlue;
      else if (sel_ && sel_->linkedNeighbour[cell])
        fill = kLightGreen;
      FillBox(p_, x0, y0, x1, y1, fill);
      if (sel_ && (cell == sel_->selectedCell.value() - 1024 || cell == sel_->selectedCell.value() + 1024))
        FillBox(p_, x0 + 12, y0 + 12, x1 - 12, y1 - 12, kLightBlue);
    }
    if (const SolutionViewData* s = Solution(); s && InForm(cell)) {
      if (s->cubeAt[cell] == 0) return;
      if (s->rigidMarks[cell] & RigidToLayerBefore) {
        FrameBox(p_, x0 + 11, y0 + 11, x1 - 11, y1 - 11, kBlack);
        FrameBox(p_, x0 + 10, y0 + 10, x1 - 10, y1 - 10, kBlack);
      }
      if (s->rigidMarks[cell] & RigidToLayerAfter) FrameBox(p_, x0 + 8, y0 + 8, x1 - 8, y1 - 8, kBlack);
      p_.setFont(ViewFont(kCubeNumberPointSize));
      CentredText(p_, x0, y0, kCellPitch, kCellPitch,
                  QString::number(UserNumberOfCube(figure_, CubeIndex(s->cubeAt[cell] - 1))), o_.textColor);
      return;
    }
    if (!Overlays()) return;
    if (o_.prevLayer && InForm(cell - 1024)) FillBox(p_, x0, y0, x1, y1, QBrush(kBlack, Qt::BDiagPattern));
    if (o_.nextLayer && InForm(cell + 1024)) FillEllipse(p_, x0 + 24, y0 + 24, x0 + 28, y0 + 28, kBlack);
  }

  void SelectionMarks(int cell, int x0, int y0) {
    const int row = cell - sel_->selectedCell.value() == -1024 ? 0
                    : cell == sel_->selectedCell.value()       ? 1
                                                               : 2;
    const auto& marks = sel_->axisMarks[row];
    for (int i = 0; i < 8; ++i) {
      if (marks[kAxisBar + i]) {
        const Box& b = kSelBars[i];
        FillBox(p_, x0 + b.l, y0 + b.t, x0 + b.r, y0 + b.b, kBlue);
      }
      if (marks[kAxisDot + i]) {
        const QPoint& d = kSelDots[i];
        FillEllipse(p_, x0 + d.x(), y0 + d.y(), x0 + d.x() + 9, y0 + d.y() + 9, kBlue);
      }
    }
    for (int i = 0; i < 4; ++i)
      if (marks[kAxisCorner + i]) {
        const Box& c = kSelCorners[i];
        Line(p_, x0 + c.l, y0 + c.t, x0 + c.r, y0 + c.b, kBlue, 5);
      }
  }

  void SecondPass(int x, int y, int z) {
    const int cell = FormCellIndex(x, y, z).value();
    const int x0 = FormCellLeft(x), y0 = FormCellTop(y, z, form_.FormDepth);
    const int x1 = x0 + kCellPitch, y1 = y0 + kCellPitch;
    if (sel_ && (cell == sel_->selectedCell.value() || cell == sel_->selectedCell.value() - 1024 ||
                 cell == sel_->selectedCell.value() + 1024))
      SelectionMarks(cell, x0, y0);
    if (!InForm(cell)) return;
    const SolutionViewData* s = Solution();
    const std::uint8_t rigid = s ? s->rigidMarks[cell] : 0;
    if (!InForm(cell - 1)) Line(p_, x0, y0, x0, y1, kBlack);
    if (!InForm(cell - 32)) Line(p_, x0, y0, x1, y0, kBlack);
    if (!(InForm(cell + 1) && (rigid & RigidToRight))) Line(p_, x1, y0, x1, y1, kBlack);
    if (!(InForm(cell + 32) && (rigid & RigidToDown))) Line(p_, x0, y1, x1, y1, kBlack);
    if (!s || s->cubeAt[cell] == 0) return;
    const std::uint8_t hinges = s->faceHingeMarks[cell];
    if (hinges & HingeToLeft) FillBox(p_, x0 - 9, y0 + 22, x0 + 10, y0 + 28, kGreen);
    if (hinges & HingeToUp) FillBox(p_, x0 + 22, y0 - 9, x0 + 28, y0 + 10, kGreen);
    if (hinges & HingeToLayerBefore) OutlineEllipse(p_, x0 + 7, y0 + 7, x1 - 7, y1 - 7, kGreen, 2);
    if (hinges & HingeToLayerAfter) OutlineEllipse(p_, x0 + 4, y0 + 4, x1 - 4, y1 - 4, kGreen, 1);
  }

  QPainter& p_;
  const FormState& form_;
  const FigureState& figure_;
  const FormViewOptions& o_;
  const SolutionViewData* sel_;  // the solution when a cell is selected in solution view
};

}  // namespace

void DrawForm(QImage& image, int width, int height, const FormState& form, const FigureState& figure,
              const FormViewOptions& options) {
  QPainter p(&image);
  PaintForm(p, width, height, form, figure, options);
}

void PaintForm(QPainter& p, int width, int height, const FormState& form, const FigureState& figure,
               const FormViewOptions& options) {
  p.setRenderHint(QPainter::Antialiasing, false);
  FillBox(p, 0, 0, width, height, kWhite);
  FormPainter painter(p, form, figure, options);
  for (int z = 0; z < form.FormHeight; ++z) painter.Layer(z);
}

}  // namespace zv
