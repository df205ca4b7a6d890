// Scenes at rest, sheets of solutions and the PNG/SVG writer.
#include "ui/pictures/solid_pictures.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <cmath>

#include "platform/files.h"
#include "solid/part_colours.h"
#include "ui/pictures/view_colors.h"

namespace zv {

std::optional<PictureFormat> PictureFormatOf(const QString& path) {
  const QString extension = path.section(QLatin1Char('.'), -1).toLower();
  if (extension == QLatin1String("png")) return PictureFormat::Png;
  if (extension == QLatin1String("svg")) return PictureFormat::Svg;
  return std::nullopt;
}

std::vector<QColor> CubeQColours(const SolidSolution& solid, const QColor& cubeColour) {
  std::vector<QColor> colours;
  for (std::uint32_t rgb : CubeColours(solid, cubeColour.rgb() & 0xFFFFFF))
    colours.push_back(QColor::fromRgb(rgb));
  return colours;
}

SolidScene RestingScene(const SolidSolution& solid, const FigureState& figure, const QColor& cubeColour) {
  SolidScene scene;
  scene.solid = &solid;
  scene.colours = CubeQColours(solid, cubeColour);
  for (int k = 0; k < solid.cubeCount; ++k) {
    scene.numbers.push_back(figure.NumberOfCube[k] + 1);
    scene.poses.push_back(solid.Placed(CubeIndex(k)));
    scene.frame.push_back(scene.poses[k].Apply(solid.FigureCentre(CubeIndex(k))));
  }
  return scene;
}

QSize SheetGrid(int count) {
  const int columns = std::max(1, static_cast<int>(std::ceil(std::sqrt(double(count)))));
  return {columns, std::max(1, (count + columns - 1) / columns)};
}

void PaintSheet(QPainter& painter, const QRect& rect, const std::vector<SolidScene>& scenes, int first,
                const SolidCamera& camera) {
  painter.fillRect(rect, kWhite);
  if (scenes.empty()) return;
  const QSize grid = SheetGrid(static_cast<int>(scenes.size()));
  const int columns = grid.width();
  const int w = rect.width() / columns, h = rect.height() / grid.height();
  QFont font = ViewFont(kLayerNumberPointSize);
  font.setPixelSize(std::max(8, h / 14));
  for (std::size_t i = 0; i < scenes.size(); ++i) {
    const QRect cell(rect.left() + static_cast<int>(i) % columns * w,
                     rect.top() + static_cast<int>(i) / columns * h, w, h);
    PaintSolid(painter, cell.adjusted(2, font.pixelSize() + 4, -2, -2), scenes[i], camera);
    painter.setFont(font);
    painter.setPen(kBlack);
    painter.drawText(cell.adjusted(4, 2, -4, -2), Qt::AlignLeft | Qt::AlignTop,
                     QString::number(first + static_cast<int>(i)));
    painter.setPen(kGridGrey);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(cell.adjusted(0, 0, -1, -1));
  }
}

bool WritePicture(const std::string& path, PictureFormat format, const QSize& size,
                  const PicturePainter& paint) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  const QRect rect(QPoint(0, 0), size);
  if (format == PictureFormat::Svg) {
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setResolution(96);  // one picture pixel is one CSS pixel, as browsers and editors take it
    svg.setViewBox(rect);
    QPainter painter(&svg);
    paint(painter, rect);
  } else {
    QImage image(size, QImage::Format_RGB32);
    {
      QPainter painter(&image);
      paint(painter, rect);
    }
    if (!image.save(&buffer, "PNG")) return false;
  }
  buffer.close();
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
  return WriteWholeFileAtomic(path, {data, static_cast<std::size_t>(bytes.size())});
}

}  // namespace zv
