// Picture files of solutions: a scene of a solution at rest in the 3-D
// view's colours, a sheet of several solutions side by side, and the writer
// that paints any of them (or another picture) into a PNG or, through Qt's
// SVG generator, an SVG file, replacing the file atomically.
//
// Usage:
//   zv::SolidScene scene = zv::RestingScene(solid, figure, cubeColour);
//   bool ok = zv::WritePicture("out.svg", zv::PictureFormat::Svg, {800, 800},
//       [&](QPainter& p, const QRect& r) { zv::PaintSolid(p, r, scene, zv::SolidCamera{}); });
#pragma once

#include <QColor>
#include <QSize>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/pictures/solid_scene.h"

namespace zv {

enum class PictureFormat { Png, Svg };
// The format a file name's extension names (.png or .svg, any case), if any.
std::optional<PictureFormat> PictureFormatOf(const QString& path);

// A solution's cubes where it puts them, each in its block's shade of its
// part's colour (solid/part_colours.h; a figure of one part starts from
// `cubeColour`), with the user numbers.
SolidScene RestingScene(const SolidSolution& solid, const FigureState& figure, const QColor& cubeColour);
// The colours of the cubes (CubeColours of solid/part_colours.h) as Qt colours.
std::vector<QColor> CubeQColours(const SolidSolution& solid, const QColor& cubeColour);

// The columns and rows of a sheet of `count` scenes: as many columns as
// the rows need at most, rows filled one after another.
QSize SheetGrid(int count);
// A grid of the given scenes, each labelled with its number (first + i).
void PaintSheet(QPainter& painter, const QRect& rect, const std::vector<SolidScene>& scenes, int first,
                const SolidCamera& camera);

using PicturePainter = std::function<void(QPainter&, const QRect&)>;
// False when the file could not be written; the old file then stays.
bool WritePicture(const std::string& path, PictureFormat format, const QSize& size,
                  const PicturePainter& paint);

}  // namespace zv
