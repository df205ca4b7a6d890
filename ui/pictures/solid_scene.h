// Drawing a solution's cubes in 3-D with QPainter: every visible cube face,
// shaded by its turn towards the light and sorted far to near, with the
// cube's user number where the face is turned enough towards the viewer
// for it to fit; faces two cubes share are left out, and so are the
// outline edges between cubes of one block (rigid joints show no seam).
// Edge hinges are knuckles along their edge (dark when folded, hollow when
// flat), face-axis hinges short axes through their face (drawn over the
// cubes; solid when turned, dashed when not). The selected cube is light
// blue with a blue outline, colliding cubes have a red one. Marked hinges
// (a fold instruction's turning ones) get an orange band drawn over all. The projection
// is parallel, so hit tests and the tests' projected centres are exact.
//
// Usage:
//   zv::SolidScene scene{&solid, fold.Poses(t), colours, numbers};
//   zv::PaintSolid(painter, rect, scene, camera);
//   int cube = zv::CubeAt(scene, camera, rect, point);   // -1: none
#pragma once

#include <QColor>
#include <QPainter>
#include <QRect>
#include <vector>

#include "solid/solid_solution.h"

namespace zv {

// How the scene is looked at: a turn of the world (view x to the right, y
// down, z away from the viewer) and a zoom factor.
struct SolidCamera {
  Matrix turn = DefaultTurn();
  double zoom = 1.0;

  // Seen from above and in front, a little from the left; `spin` turns the
  // scene further about the vertical first (radians).
  static Matrix DefaultTurn(double spin = 0);
  // Turns the view as a drag by (dx, dy) pixels does (a trackball).
  void Drag(double dx, double dy);
};

struct SolidScene {
  const SolidSolution* solid = nullptr;
  std::vector<Rigid> poses;     // of every cube
  std::vector<QColor> colours;  // of every cube
  std::vector<int> numbers;     // user number of every cube
  int selectedCube = -1;
  int collidingA = -1, collidingB = -1;
  std::vector<int> markedLinks;  // hinges drawn highlighted over everything (indexes in solid->links)
  int lastLayer = 1000;          // cubes whose form layer is past this are cut away
  std::vector<Point> frame;      // points the view keeps in sight (centred, fitted)
};

void PaintSolid(QPainter& painter, const QRect& rect, const SolidScene& scene, const SolidCamera& camera);
// The cube whose face is in front at `point`, or -1.
int CubeAt(const SolidScene& scene, const SolidCamera& camera, const QRect& rect, const QPointF& point);
// A face turned less than this towards the viewer (the cosine of the angle
// between its normal and the line of sight) shows no number: its number
// would be squeezed, or spill over the face beside it.
inline constexpr double kNumberFacing = 0.3;
inline constexpr int kSmallestNumberPixels = 7;

// A cube's number written on one of its faces: from `baseline` in a font of
// `pixelSize` pixels, its ink (with a pixel around it) in `box`, which lies
// inside the face.
struct FaceNumber {
  int cube = -1, face = -1;
  int pixelSize = 0;
  QPointF baseline;
  QRectF box;
};
// The numbers PaintSolid writes, far ones first.
std::vector<FaceNumber> FaceNumbers(const SolidScene& scene, const SolidCamera& camera, const QRect& rect);
// Where a world point appears.
QPointF Project(const SolidScene& scene, const SolidCamera& camera, const QRect& rect, const Point& p);

}  // namespace zv
