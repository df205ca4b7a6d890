// The fold instruction's pages: title, step cells and the PDF and SVG
// writers (ui/pictures/fold_sheet.h).
#include "ui/pictures/fold_sheet.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/files.h"
#include "solid/fold.h"
#include "ui/pictures/solid_pictures.h"
#include "ui/pictures/view_colors.h"

namespace zv {
namespace {

constexpr int kHeaderHeight = 70;  // pixels of the title and legend
constexpr int kFooterHeight = 24;  // pixels of a PDF page's page line
constexpr int kCellsPerPage = kFoldSheetColumns * kFoldSheetRows;
constexpr int kPdfResolution = 96;  // dots per inch: a page's pixels are the SVG's
const QSize kSvgCell(300, 330);
const QColor kCellFrame(190, 190, 190);
const QColor kStepInk(40, 40, 40);
const QColor kHingeInk(170, 80, 0);

QFont SheetFont(int pixels, bool bold = false) {
  QFont font = ViewFont(kWindowPointSize);
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

// "5–6: 90°, 7–8: 180°": the hinges a step turns by their cubes' numbers,
// each with its angle after the step.
QString HingeLine(const FoldSheet& sheet, const FoldSheetStep& step) {
  QStringList parts;
  for (std::size_t i = 0; i < step.links.size(); ++i) {
    const SolidLink& l = sheet.solid->links[step.links[i]];
    const long degrees = std::lround(std::abs(step.angles[i]) * 180 / std::numbers::pi);
    parts << QStringLiteral("%1–%2: %3°")
                 .arg(sheet.numbers[l.a.value()])
                 .arg(sheet.numbers[l.b.value()])
                 .arg(degrees);
  }
  return parts.join(QStringLiteral(", "));
}

// How many of the cubes that moved (`moved`) stand behind a cube that did
// not, seen through `turn`: their centres less than 0.8 of an edge apart
// across the line of sight.
int HiddenMovers(const SolidScene& scene, const std::vector<bool>& moved, const Matrix& turn) {
  std::vector<Point> view;
  for (int k = 0; k < scene.solid->cubeCount; ++k)
    view.push_back(Apply(turn, scene.poses[k].Apply(scene.solid->FigureCentre(CubeIndex(k)))));
  int hidden = 0;
  for (std::size_t k = 0; k < view.size(); ++k) {
    if (!moved[k]) continue;
    for (std::size_t j = 0; j < view.size(); ++j)
      if (!moved[j] && view[j][2] < view[k][2] &&
          std::hypot(view[j][0] - view[k][0], view[j][1] - view[k][1]) < 0.8) {
        ++hidden;
        break;
      }
  }
  return hidden;
}

// The camera for a step: the default view, or the one turned about the
// vertical by the quarter turn that hides fewest of the cubes that moved,
// so that a fold at the back of a packed block is seen.
Matrix StepTurn(const SolidScene& scene, const std::vector<bool>& moved) {
  Matrix best = SolidCamera::DefaultTurn();
  int fewest = HiddenMovers(scene, moved, best);
  for (int quarter = 1; quarter < 4 && fewest > 0; ++quarter) {
    const Matrix turn = SolidCamera::DefaultTurn(quarter * std::numbers::pi / 2);
    if (const int hidden = HiddenMovers(scene, moved, turn); hidden < fewest) {
      fewest = hidden;
      best = turn;
    }
  }
  return best;
}

// The camera's zoom that makes the scene's cubes fill `rect` (less a
// margin): the default view fits a sphere around them, which leaves a long
// chain small.
SolidCamera FittedCamera(const SolidScene& scene, const QRect& rect, const Matrix& turn) {
  SolidCamera camera;
  camera.turn = turn;
  const QPointF middle = QRectF(rect).center();
  double zoom = 4;
  for (int k = 0; k < scene.solid->cubeCount; ++k)
    for (int corner = 0; corner < 8; ++corner) {
      const Point offset{corner & 1 ? 0.5 : -0.5, corner & 2 ? 0.5 : -0.5, corner & 4 ? 0.5 : -0.5};
      const QPointF p = Project(scene, camera, rect,
                                scene.poses[k].Apply(scene.solid->FigureCentre(CubeIndex(k)) + offset));
      const double dx = std::abs(p.x() - middle.x()), dy = std::abs(p.y() - middle.y());
      if (dx > 1e-9) zoom = std::min(zoom, 0.5 * rect.width() / dx);
      if (dy > 1e-9) zoom = std::min(zoom, 0.5 * rect.height() / dy);
    }
  camera.zoom = 0.94 * zoom;
  return camera;
}

// Cell `index` of the sheet: 0 the flat figure, i the pose after step i,
// the cubes that moved in it in their colours and the others paler.
void PaintCell(QPainter& painter, const QRect& cell, const FoldSheet& sheet, const std::vector<Rigid>& flat,
               int index) {
  const FoldSheetStep* step = index > 0 ? &sheet.steps[index - 1] : nullptr;
  const std::vector<Rigid>& before = index > 1 ? sheet.steps[index - 2].poses : flat;
  const QRect inner = cell.adjusted(6, 6, -6, -6);
  painter.setPen(QPen(kCellFrame, 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRoundedRect(inner, 6, 6);

  const int captionHeight = 24, hingeHeight = 36;
  painter.setPen(kStepInk);
  painter.setFont(SheetFont(16, true));
  const QRect caption(inner.left() + 8, inner.top() + 4, inner.width() - 16, captionHeight);
  painter.drawText(caption, Qt::AlignLeft | Qt::AlignVCenter,
                   step ? sheet.words.step.arg(index) : sheet.words.start);

  SolidScene scene;
  scene.solid = sheet.solid;
  scene.poses = step ? step->poses : flat;
  scene.colours = sheet.colours;
  scene.numbers = sheet.numbers;
  if (step) scene.markedLinks = step->links;
  std::vector<bool> moved(sheet.solid->cubeCount, false);
  for (int k = 0; k < sheet.solid->cubeCount; ++k) {
    scene.frame.push_back(scene.poses[k].Apply(sheet.solid->FigureCentre(CubeIndex(k))));
    moved[k] = step && Distance(scene.poses[k], before[k]) >= 1e-6;
    if (step && !moved[k]) {
      const QColor& c = scene.colours[k];
      scene.colours[k] = QColor((c.red() + 3 * 255) / 4, (c.green() + 3 * 255) / 4, (c.blue() + 3 * 255) / 4);
    }
  }
  const QRect picture(inner.left() + 4, caption.bottom() + 2, inner.width() - 8,
                      inner.height() - captionHeight - hingeHeight - 8);
  PaintSolid(painter, picture, scene, FittedCamera(scene, picture, StepTurn(scene, moved)));
  if (!step) return;

  const QRect hinges(inner.left() + 8, picture.bottom() + 2, inner.width() - 16, hingeHeight);
  painter.setPen(kHingeInk);
  painter.setFont(SheetFont(13, true));
  const QString text = step->placing ? sheet.words.placing.arg(step->part + 1) : HingeLine(sheet, *step);
  painter.drawText(hinges, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
}

bool WritePdf(const std::string& path, const FoldSheet& sheet) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter pdf(&buffer);
    pdf.setTitle(sheet.words.title);
    pdf.setCreator(QStringLiteral("Zorvat"));
    pdf.setResolution(kPdfResolution);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(12, 12, 12, 12),
                                  QPageLayout::Millimeter));
    QPainter painter(&pdf);
    const QRect page(0, 0, pdf.width(), pdf.height());
    const QSize cell(page.width() / kFoldSheetColumns,
                     (page.height() - kHeaderHeight - kFooterHeight) / kFoldSheetRows);
    const int cells = static_cast<int>(sheet.steps.size()) + 1;
    const int pages = FoldSheetPageCount(static_cast<int>(sheet.steps.size()));
    for (int p = 0; p < pages; ++p) {
      if (p > 0 && !pdf.newPage()) return false;
      const int first = p * kCellsPerPage;
      PaintFoldSheet(painter, page, sheet, first, std::min(kCellsPerPage, cells - first), cell,
                     sheet.words.page.arg(p + 1).arg(pages));
    }
    if (!painter.end()) return false;
  }
  buffer.close();
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
  return WriteWholeFileAtomic(path, {data, static_cast<std::size_t>(bytes.size())});
}

}  // namespace

int FoldSheetPageCount(int steps) { return (steps + kCellsPerPage) / kCellsPerPage; }

void PaintFoldSheet(QPainter& painter, const QRect& rect, const FoldSheet& sheet, int first, int count,
                    const QSize& cell, const QString& pageLine) {
  painter.fillRect(rect, kWhite);
  painter.setPen(kBlack);
  painter.setFont(SheetFont(22, true));
  painter.drawText(QRect(rect.left() + 8, rect.top() + 4, rect.width() - 16, 32),
                   Qt::AlignLeft | Qt::AlignVCenter, sheet.words.title);
  painter.setPen(kStepInk);
  painter.setFont(SheetFont(11));
  painter.drawText(QRect(rect.left() + 8, rect.top() + 36, rect.width() - 16, 32),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, sheet.words.legend);
  const std::vector<Rigid> flat = Fold(*sheet.solid).Poses(0);
  for (int i = 0; i < count; ++i) {
    const QRect place(rect.left() + i % kFoldSheetColumns * cell.width(),
                      rect.top() + kHeaderHeight + i / kFoldSheetColumns * cell.height(), cell.width(),
                      cell.height());
    PaintCell(painter, place, sheet, flat, first + i);
  }
  if (!pageLine.isEmpty()) {
    painter.setPen(kStepInk);
    painter.setFont(SheetFont(11));
    painter.drawText(QRect(rect.left(), rect.bottom() - kFooterHeight, rect.width(), kFooterHeight),
                     Qt::AlignRight | Qt::AlignVCenter, pageLine);
  }
}

bool WriteFoldSheet(const std::string& path, FoldSheetFormat format, const FoldSheet& sheet) {
  if (format == FoldSheetFormat::Pdf) return WritePdf(path, sheet);
  const int cells = static_cast<int>(sheet.steps.size()) + 1;
  const int rows = (cells + kFoldSheetColumns - 1) / kFoldSheetColumns;
  const QSize size(kFoldSheetColumns * kSvgCell.width(), kHeaderHeight + rows * kSvgCell.height());
  return WritePicture(path, PictureFormat::Svg, size, [&](QPainter& p, const QRect& r) {
    PaintFoldSheet(p, r, sheet, 0, cells, kSvgCell, QString());
  });
}

}  // namespace zv
