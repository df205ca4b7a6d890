// Pictures of a solution drawn with Qt on the offscreen platform.
#include "cli/picture_files.h"

#include <QGuiApplication>

#include "ui/pictures/solid_pictures.h"

namespace zv::cli {

PictureResult WriteSolutionPicture(const std::string& path, bool svg, int size, const SolidSolution& solid,
                                   const FigureState& figure) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char name[] = "zorvat-cli";
  char* argv[] = {name, nullptr};
  QGuiApplication app(argc, argv);
  const SolidScene scene = RestingScene(solid, figure, QColor(230, 230, 230));
  const bool written =
      WritePicture(path, svg ? PictureFormat::Svg : PictureFormat::Png, QSize(size, size),
                   [&](QPainter& p, const QRect& r) { PaintSolid(p, r, scene, SolidCamera{}); });
  return written ? PictureResult::Written : PictureResult::WriteFailed;
}

}  // namespace zv::cli
