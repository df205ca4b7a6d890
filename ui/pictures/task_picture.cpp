// The task picture of thumbnails (ui/pictures/task_picture.h).
#include "ui/pictures/task_picture.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/validation.h"
#include "solid/part_colours.h"

namespace zv {

namespace {

const QColor kMark(40, 40, 40);         // hinges and outlines
const QColor kFormCell(120, 140, 170);  // a cell of the form
const QColor kFormBox(200, 205, 215);   // the form's box around its cells
constexpr double kGap = 0.12;           // gap between two cubes, in cells
constexpr double kFigureShare = 0.6;    // of the height, when there is a form

// Each cube's colour by cube index.
std::vector<QColor> FigureColours(const FigureState& figure, int cubes, const QColor& cubeColour) {
  std::vector<QColor> colours(static_cast<std::size_t>(cubes), cubeColour);
  if (cubes < 2 || cubes > kMaxCubes) return colours;
  LinkAnalysis links;
  CubeIndex a, b;
  if (AnalyseLinks(figure, links, a, b) != ValidationError::None || links.partCount < 2) return colours;
  for (int k = 0; k < cubes; ++k)
    colours[static_cast<std::size_t>(k)] =
        QColor::fromRgb(PartColour(links.partLabel[static_cast<std::size_t>(k)] - 1));
  return colours;
}

void PaintFigure(QPainter& p, const QRectF& area, const FigureState& figure, const QColor& cubeColour) {
  const double cell = std::min(area.width() / figure.FigureWidth, area.height() / figure.FigureDepth);
  const QPointF origin(area.center().x() - cell * figure.FigureWidth / 2,
                       area.center().y() - cell * figure.FigureDepth / 2);
  const auto corner = [&](int x, int y) { return origin + QPointF(x * cell, y * cell); };
  const int cubes = CountCubes(figure);
  std::vector<int> cells(static_cast<std::size_t>(cubes));
  ListCubeCells(figure, cells.data(), cubes);
  const std::vector<QColor> colours = FigureColours(figure, cubes, cubeColour);
  const double gap = cell * kGap;
  // Outlined, so that light cubes stand out on a white file manager too.
  p.setPen(QPen(kMark, 0));
  for (int k = 0; k < cubes; ++k) {
    const int c = cells[static_cast<std::size_t>(k)];
    p.setBrush(colours[static_cast<std::size_t>(k)]);
    p.drawRect(
        QRectF(corner(FigureCellX(c), FigureCellY(c)), QSizeF(cell, cell)).adjusted(gap, gap, -gap, -gap));
  }
  // Links: a rigid joint fills the gap in the first cube's colour; a hinge
  // is a dark line along the shared side, or a dot at the corner.
  for (int y = 0; y <= figure.FigureDepth; ++y)
    for (int x = 0; x <= figure.FigureWidth; ++x) {
      const int storing = FigureCellIndex(x, y);
      for (int bit = EdgeX1; bit <= RigidY; ++bit) {
        if ((figure.Cells[static_cast<std::size_t>(storing)] & BitMask(bit)) == 0 ||
            !LinkCubesPresent(figure, storing, bit))
          continue;
        const LinkBitInfo& info = kLinkBits[static_cast<std::size_t>(bit)];
        const QPointF point = corner(x, y);
        if (bit >= CornerYLeft && bit <= CornerAntiDiag) {
          p.setPen(Qt::NoPen);
          p.setBrush(kMark);
          p.drawEllipse(point, gap * 1.5, gap * 1.5);
          continue;
        }
        // Bits 1, 2, 11, 13 join x-neighbours across the storing cell's left
        // side; bits 3, 4, 12, 14 y-neighbours across its upper side.
        const bool acrossX = info.firstDy == 0 && info.secondDy == 0;
        const QPointF end = acrossX ? corner(x, y + 1) : corner(x + 1, y);
        if (info.kind == LinkKind::Rigid) {
          const int first = storing + info.FirstOffset();
          int k = 0;
          while (k < cubes && cells[static_cast<std::size_t>(k)] != first) ++k;
          p.setPen(Qt::NoPen);
          p.setBrush(colours[static_cast<std::size_t>(std::min(k, cubes - 1))]);
          const QPointF across = acrossX ? QPointF(gap, 0) : QPointF(0, gap);
          const QPointF along = acrossX ? QPointF(0, gap) : QPointF(gap, 0);
          p.drawRect(QRectF(point - across + along, end + across - along).normalized());
        } else {
          p.setPen(QPen(kMark, std::max(1.0, gap), Qt::SolidLine, Qt::RoundCap));
          const QPointF inset = (end - point) * 0.2;
          p.drawLine(point + inset, end - inset);
        }
      }
    }
}

void PaintForm(QPainter& p, const QRectF& area, const FormState& form) {
  // As many columns of layers as give the largest cells.
  int bestColumns = 1;
  double best = 0;
  for (int columns = 1; columns <= form.FormHeight; ++columns) {
    const int rows = (form.FormHeight + columns - 1) / columns;
    const double cell = std::min(area.width() / (columns * (form.FormWidth + 1.0)),
                                 area.height() / (rows * (form.FormDepth + 1.0)));
    if (cell > best) {
      best = cell;
      bestColumns = columns;
    }
  }
  const int rows = (form.FormHeight + bestColumns - 1) / bestColumns;
  const double cell = best;
  const QPointF origin(area.center().x() - cell * bestColumns * (form.FormWidth + 1.0) / 2 + cell / 2,
                       area.center().y() - cell * rows * (form.FormDepth + 1.0) / 2 + cell / 2);
  for (int z = 0; z < form.FormHeight; ++z) {
    const int column = z % bestColumns, row = z / bestColumns;
    const QPointF layer =
        origin + QPointF(column * (form.FormWidth + 1.0) * cell, row * (form.FormDepth + 1.0) * cell);
    p.setPen(Qt::NoPen);
    p.setBrush(kFormBox);
    p.drawRect(QRectF(layer, QSizeF(form.FormWidth * cell, form.FormDepth * cell)));
    p.setBrush(kFormCell);
    for (int y = 0; y < form.FormDepth; ++y)
      for (int x = 0; x < form.FormWidth; ++x)
        if (form.At(FormCellIndex(x, y, z)) != 0)
          p.drawRect(QRectF(layer + QPointF(x * cell, y * cell), QSizeF(cell, cell))
                         .adjusted(cell * kGap / 2, cell * kGap / 2, -cell * kGap / 2, -cell * kGap / 2));
  }
}

}  // namespace

void PaintTaskPicture(QPainter& painter, const QRect& rect, const TaskState& task, const QColor& cubeColour) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF area = QRectF(rect).adjusted(rect.width() * 0.04, rect.height() * 0.04, -rect.width() * 0.04,
                                            -rect.height() * 0.04);
  const bool withForm = CountFormCells(task.form) > 0;
  const double split = withForm ? area.height() * kFigureShare : area.height();
  PaintFigure(painter, QRectF(area.topLeft(), QSizeF(area.width(), split * 0.95)), task.figure, cubeColour);
  if (withForm)
    PaintForm(painter, QRectF(area.left(), area.top() + split, area.width(), area.height() - split),
              task.form);
  painter.restore();
}

}  // namespace zv
