// The painter's algorithm over cube faces, with hinge marks.
#include "ui/pictures/solid_scene.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <optional>

#include "model/task.h"
#include "ui/pictures/view_colors.h"

namespace zv {
namespace {

const QColor kKnuckle{90, 50, 20};
const QColor kMarkedHinge{255, 120, 0, 190};
const QColor kSelectedOutline{0, 0, 255};
const QColor kCollisionOutline{255, 0, 0};
const QColor kOutline{40, 40, 40};
const Point kLight{-0.4, -0.5, -0.77};  // towards the light, view frame (upper left, in front)

// The view's fit: world point -> pixel.
struct ViewFit {
  Point centre{};
  double scale = 1;
  QPointF middle;

  ViewFit(const SolidScene& scene, const SolidCamera& camera, const QRect& rect) {
    Point low{1e9, 1e9, 1e9}, high{-1e9, -1e9, -1e9};
    for (const Point& p : scene.frame)
      for (int i = 0; i < 3; ++i) {
        low[i] = std::min(low[i], p[i]);
        high[i] = std::max(high[i], p[i]);
      }
    if (scene.frame.empty()) low = high = {0, 0, 0};
    centre = 0.5 * (low + high);
    const double radius = 0.5 * Length(high - low) + 1.0;
    scale = camera.zoom * std::min(rect.width(), rect.height()) / (2 * radius);
    middle = QRectF(rect).center();
  }
  Point View(const SolidCamera& camera, const Point& p) const { return Apply(camera.turn, p - centre); }
  QPointF Pixel(const Point& v) const { return {middle.x() + scale * v[0], middle.y() + scale * v[1]}; }
};

struct ScreenFace {
  int cube;
  int face;      // face direction in the cube's own frame
  double depth;  // of its centre, larger is farther
};

// A key for a world point on the half-unit lattice, or none when the point
// is off it (a cube in mid-turn).
bool LatticeKey(const Point& p, std::array<long, 3>& key) {
  for (int i = 0; i < 3; ++i) {
    const double twice = 2 * p[i];
    if (std::abs(twice - std::round(twice)) > 1e-6) return false;
    key[i] = std::lround(twice);
  }
  return true;
}

bool Visible(const SolidScene& scene, int k) { return scene.solid->formCell[k][2] <= scene.lastLayer; }

Point FaceNormal(const SolidScene& scene, int k, int f) {
  return Apply(scene.poses[k].r, ToPoint(kFaceVector[f]));
}

Point FaceCentre(const SolidScene& scene, int k, int f) {
  return scene.poses[k].Apply(scene.solid->FigureCentre(CubeIndex(k)) + 0.5 * ToPoint(kFaceVector[f]));
}

// The four corners of face f of cube k in its own frame, counter-clockwise
// seen from outside.
std::array<Point, 4> FaceCorners(const SolidScene& scene, int k, int f) {
  const int a = f / 2, b = (a + 1) % 3, e = (a + 2) % 3;
  std::array<std::array<double, 2>, 4> square{{{-0.5, -0.5}, {0.5, -0.5}, {0.5, 0.5}, {-0.5, 0.5}}};
  if (f % 2 == 0) std::swap(square[1], square[3]);
  std::array<Point, 4> corners;
  for (int i = 0; i < 4; ++i) {
    Point p = scene.solid->FigureCentre(CubeIndex(k));
    p[a] += f % 2 ? 0.5 : -0.5;
    p[b] += square[i][0];
    p[e] += square[i][1];
    corners[i] = p;
  }
  return corners;
}

// The visible faces, far ones first: turned towards the viewer, of cubes
// not cut away, and not pressed against another visible cube's face.
std::vector<ScreenFace> SortedFaces(const SolidScene& scene, const SolidCamera& camera, const ViewFit& fit) {
  const SolidSolution& s = *scene.solid;
  std::map<std::array<long, 3>, int> faceCount;
  for (int k = 0; k < s.cubeCount; ++k)
    if (Visible(scene, k))
      for (int f = 0; f < kFaceCount; ++f) {
        std::array<long, 3> key;
        if (LatticeKey(FaceCentre(scene, k, f), key)) ++faceCount[key];
      }
  std::vector<ScreenFace> faces;
  for (int k = 0; k < s.cubeCount; ++k) {
    if (!Visible(scene, k)) continue;
    for (int f = 0; f < kFaceCount; ++f) {
      if (Apply(camera.turn, FaceNormal(scene, k, f))[2] > -1e-9) continue;
      const Point centre = FaceCentre(scene, k, f);
      std::array<long, 3> key;
      if (LatticeKey(centre, key) && faceCount[key] > 1) continue;
      faces.push_back({k, f, fit.View(camera, centre)[2]});
    }
  }
  std::stable_sort(faces.begin(), faces.end(),
                   [](const ScreenFace& a, const ScreenFace& b) { return a.depth > b.depth; });
  return faces;
}

QPolygonF FacePolygon(const SolidScene& scene, const SolidCamera& camera, const ViewFit& fit, int k, int f) {
  QPolygonF polygon;
  for (const Point& c : FaceCorners(scene, k, f))
    polygon << fit.Pixel(fit.View(camera, scene.poses[k].Apply(c)));
  return polygon;
}

// The cube at each figure cell index, -1 where none.
using FigureCubes = std::array<int, kFigureGrid>;

FigureCubes CubesOfFigure(const SolidSolution& s) {
  FigureCubes at;
  at.fill(-1);
  for (int k = 0; k < s.cubeCount; ++k) at[FigureCellIndex(s.figureCell[k][0], s.figureCell[k][1])] = k;
  return at;
}

// Whether a cube of cube k's block stands beside it in figure direction d.
bool BlockNeighbour(const SolidSolution& s, const FigureCubes& at, int k, const Vec3& d) {
  const int x = s.figureCell[k][0] + d[0], y = s.figureCell[k][1] + d[1];
  if (d[2] != 0 || x < 0 || y < 0 || x >= kMaxFigureSide || y >= kMaxFigureSide) return false;
  const int j = at[FigureCellIndex(x, y)];
  return j >= 0 && s.block[j] == s.block[k];
}

// The font of cube numbers at `pixelSize` pixels.
QFont NumberFont(int pixelSize) {
  QFont font = ViewFont(kCubeNumberPointSize);
  font.setPixelSize(pixelSize);
  return font;
}

// Where the cube's number goes on a face: only on a face turned at least
// kNumberFacing towards the viewer, in the largest size up to the face's
// full size whose ink stays inside the face (so a number never spills onto
// the next face, whose own number it would overwrite); none when even
// kSmallestNumberPixels does not fit.
std::optional<FaceNumber> NumberOnFace(const SolidScene& scene, const SolidCamera& camera, const ViewFit& fit,
                                       const ScreenFace& sf) {
  const double facing = -Apply(camera.turn, FaceNormal(scene, sf.cube, sf.face))[2];
  if (facing < kNumberFacing) return std::nullopt;
  const QPolygonF polygon = FacePolygon(scene, camera, fit, sf.cube, sf.face);
  QPointF centre;
  for (int i = 0; i < 4; ++i) centre += polygon[i] / 4;
  const QString text = QString::number(scene.numbers[sf.cube]);
  for (int size = static_cast<int>(fit.scale * 0.38); size >= kSmallestNumberPixels;
       size = std::min(size - 1, static_cast<int>(size * 0.85))) {
    const QRectF ink = QFontMetricsF(NumberFont(size)).tightBoundingRect(text);
    const QRectF box = ink.translated(centre - ink.center()).adjusted(-1, -1, 1, 1);
    if (polygon.containsPoint(box.topLeft(), Qt::OddEvenFill) &&
        polygon.containsPoint(box.topRight(), Qt::OddEvenFill) &&
        polygon.containsPoint(box.bottomLeft(), Qt::OddEvenFill) &&
        polygon.containsPoint(box.bottomRight(), Qt::OddEvenFill))
      return FaceNumber{sf.cube, sf.face, size, centre - ink.center(), box};
  }
  return std::nullopt;
}

void DrawFace(QPainter& painter, const SolidScene& scene, const SolidCamera& camera, const ViewFit& fit,
              const FigureCubes& at, const ScreenFace& sf) {
  const int k = sf.cube, f = sf.face;
  const SolidSolution& s = *scene.solid;
  const QPolygonF polygon = FacePolygon(scene, camera, fit, k, f);
  const Point normal = Apply(camera.turn, FaceNormal(scene, k, f));
  const double light = 0.45 + 0.55 * std::max(0.0, Dot(normal, (1 / Length(kLight)) * kLight));
  const bool selected = k == scene.selectedCube;
  const QColor base = selected ? kLightBlue : scene.colours[k];
  const QColor shade = QColor::fromRgbF(base.redF() * light, base.greenF() * light, base.blueF() * light);
  painter.setPen(QPen(shade, 1));  // closes the hairline gaps between faces of one block
  painter.setBrush(shade);
  painter.drawPolygon(polygon);

  // Outline edges, leaving out those a same-block neighbour continues.
  const bool colliding = k == scene.collidingA || k == scene.collidingB;
  painter.setPen(QPen(colliding  ? kCollisionOutline
                      : selected ? kSelectedOutline
                                 : kOutline,
                      colliding || selected ? 3 : 1));
  const int a = f / 2;
  for (int i = 0; i < 4; ++i) {
    if (!colliding && !selected) {
      const Point mid = 0.5 * (FaceCorners(scene, k, f)[i] + FaceCorners(scene, k, f)[(i + 1) % 4]) -
                        s.FigureCentre(CubeIndex(k)) - 0.5 * ToPoint(kFaceVector[f]);
      Vec3 d{0, 0, 0};
      for (int axis = 0; axis < 3; ++axis)
        if (axis != a) d[axis] = static_cast<int>(std::lround(2 * mid[axis]));
      if (BlockNeighbour(s, at, k, d)) continue;
    }
    painter.drawLine(polygon[i], polygon[(i + 1) % 4]);
  }
  if (const std::optional<FaceNumber> number = NumberOnFace(scene, camera, fit, sf)) {
    painter.setFont(NumberFont(number->pixelSize));
    painter.setPen(kBlack);
    painter.drawText(number->baseline, QString::number(scene.numbers[k]));
  }
}

// Whether the link's two cubes lie in the solution as in the flat figure.
bool Flat(const SolidSolution& s, const SolidLink& l) {
  return s.rotation[l.a.value()] == s.rotation[l.b.value()];
}

void DrawHinge(QPainter& painter, const SolidScene& scene, const SolidCamera& camera, const ViewFit& fit,
               const SolidLink& l) {
  const bool edge = l.kind == SolidLinkKind::EdgeHinge;
  const Rigid& pose = scene.poses[l.a.value()];
  const double half = edge ? 0.45 : 0.3;
  const QPointF from = fit.Pixel(fit.View(camera, pose.Apply(l.point - half * l.axis)));
  const QPointF to = fit.Pixel(fit.View(camera, pose.Apply(l.point + half * l.axis)));
  const double width = std::max(2.0, fit.scale * 0.12);
  const bool flat = Flat(*scene.solid, l);
  if (edge) {
    painter.setPen(QPen(kKnuckle, width, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(from, to);
    if (flat) {
      painter.setPen(QPen(kWhite, width * 0.5, Qt::SolidLine, Qt::RoundCap));
      painter.drawLine(from, to);
    }
  } else {
    painter.setPen(QPen(kGreen, width * 0.7, flat ? Qt::DashLine : Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(from, to);
  }
}

// A marked hinge: an orange band along its line, over the cubes and its
// ordinary mark, so it shows even behind a cube.
void DrawMarkedHinge(QPainter& painter, const SolidScene& scene, const SolidCamera& camera,
                     const ViewFit& fit, const SolidLink& l) {
  const Rigid& pose = scene.poses[l.a.value()];
  const double half = l.kind == SolidLinkKind::EdgeHinge ? 0.5 : 0.4;
  const QPointF from = fit.Pixel(fit.View(camera, pose.Apply(l.point - half * l.axis)));
  const QPointF to = fit.Pixel(fit.View(camera, pose.Apply(l.point + half * l.axis)));
  painter.setPen(QPen(kMarkedHinge, std::max(6.0, fit.scale * 0.42), Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(from, to);
  DrawHinge(painter, scene, camera, fit, l);
}

// The hinges of visible cubes: edge hinges with the depth that sorts them
// among the faces (half a cube nearer than their edge, so in front of the
// faces along it and behind the cubes before them), face-axis hinges apart
// (their axis lies inside the two cubes and is drawn over everything).
struct HingeMarks {
  std::vector<std::pair<double, const SolidLink*>> knuckles;  // far ones first
  std::vector<const SolidLink*> axes;
};

HingeMarks CollectHinges(const SolidScene& scene, const SolidCamera& camera, const ViewFit& fit) {
  HingeMarks marks;
  for (const SolidLink& l : scene.solid->links) {
    if (l.kind == SolidLinkKind::Rigid || !Visible(scene, l.a.value()) || !Visible(scene, l.b.value()))
      continue;
    if (l.kind == SolidLinkKind::FaceAxisHinge) {
      marks.axes.push_back(&l);
      continue;
    }
    marks.knuckles.push_back({fit.View(camera, scene.poses[l.a.value()].Apply(l.point))[2] - 0.5, &l});
  }
  std::stable_sort(marks.knuckles.begin(), marks.knuckles.end(),
                   [](const auto& a, const auto& b) { return a.first > b.first; });
  return marks;
}

}  // namespace

Matrix SolidCamera::DefaultTurn(double spinBy) {
  const Rigid tilt = Rigid::Turn({0, 0, 0}, {1, 0, 0}, -0.9);
  const Rigid spin = Rigid::Turn({0, 0, 0}, {0, 0, 1}, 0.45 + spinBy);
  return tilt.After(spin).r;
}

void SolidCamera::Drag(double dx, double dy) {
  const double length = std::hypot(dx, dy);
  if (length < 1e-9) return;
  // Turn about the screen axis across the drag, one radian per 100 pixels.
  const Rigid turnBy = Rigid::Turn({0, 0, 0}, {dy / length, -dx / length, 0}, -length / 100);
  turn = Multiply(turnBy.r, turn);
}

void PaintSolid(QPainter& painter, const QRect& rect, const SolidScene& scene, const SolidCamera& camera) {
  painter.fillRect(rect, kWhite);
  if (scene.solid == nullptr) return;
  painter.save();
  painter.setClipRect(rect);
  painter.setRenderHint(QPainter::Antialiasing, true);
  const ViewFit fit(scene, camera, rect);
  const FigureCubes at = CubesOfFigure(*scene.solid);
  const HingeMarks hinges = CollectHinges(scene, camera, fit);
  std::size_t next = 0;
  for (const ScreenFace& f : SortedFaces(scene, camera, fit)) {
    for (; next < hinges.knuckles.size() && hinges.knuckles[next].first > f.depth; ++next)
      DrawHinge(painter, scene, camera, fit, *hinges.knuckles[next].second);
    DrawFace(painter, scene, camera, fit, at, f);
  }
  for (; next < hinges.knuckles.size(); ++next)
    DrawHinge(painter, scene, camera, fit, *hinges.knuckles[next].second);
  for (const SolidLink* l : hinges.axes) DrawHinge(painter, scene, camera, fit, *l);
  for (int link : scene.markedLinks) DrawMarkedHinge(painter, scene, camera, fit, scene.solid->links[link]);
  painter.restore();
}

int CubeAt(const SolidScene& scene, const SolidCamera& camera, const QRect& rect, const QPointF& point) {
  if (scene.solid == nullptr) return -1;
  const ViewFit fit(scene, camera, rect);
  const std::vector<ScreenFace> faces = SortedFaces(scene, camera, fit);
  for (auto f = faces.rbegin(); f != faces.rend(); ++f)
    if (FacePolygon(scene, camera, fit, f->cube, f->face).containsPoint(point, Qt::OddEvenFill))
      return f->cube;
  return -1;
}

std::vector<FaceNumber> FaceNumbers(const SolidScene& scene, const SolidCamera& camera, const QRect& rect) {
  std::vector<FaceNumber> numbers;
  if (scene.solid == nullptr) return numbers;
  const ViewFit fit(scene, camera, rect);
  for (const ScreenFace& f : SortedFaces(scene, camera, fit))
    if (const std::optional<FaceNumber> number = NumberOnFace(scene, camera, fit, f))
      numbers.push_back(*number);
  return numbers;
}

QPointF Project(const SolidScene& scene, const SolidCamera& camera, const QRect& rect, const Point& p) {
  const ViewFit fit(scene, camera, rect);
  return fit.Pixel(fit.View(camera, p));
}

}  // namespace zv
