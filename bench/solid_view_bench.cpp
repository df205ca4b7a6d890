// Redraw time of the 3-D view for a solution of 254 cubes, and the pose
// computation of its fold animation per frame. The solution is built, not
// solved: a 15 x 17 figure of 254 single cubes packed into the first 254
// cells of an 8 x 8 x 4 form, each turned by one of the 24 rotations, so
// every frame sorts and draws the faces of 254 cubes.
//
// usage: solid_view_bench [FRAMES] (default 40); prints median and slowest
// milliseconds per redraw of an 800 x 800 picture, turning the view a little
// between frames as a drag does, and the machine's load average.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "model/validation.h"
#include "solid/fold.h"
#include "ui/pictures/solid_scene.h"

namespace {

double Milliseconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

void Report(const char* what, std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  std::printf("%-34s median %7.2f ms   slowest %7.2f ms   (%zu frames)\n", what, ms[ms.size() / 2], ms.back(),
              ms.size());
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 40;

  zv::TaskState task;
  task.figure.FigureWidth = 15;
  task.figure.FigureDepth = 17;
  for (int k = 0; k < 254; ++k) task.figure.Cells[zv::FigureCellIndex(k % 15, k / 15)] = zv::kCubeBit;
  zv::ResetNumbering(task.figure);
  const zv::Validation v = zv::ValidateTask(task);
  std::vector<std::uint8_t> cubes(254), rotations(254);
  std::vector<std::int16_t> cells(254);
  for (int n = 0; n < 254; ++n) {
    cubes[n] = static_cast<std::uint8_t>(n + 1);
    rotations[n] = static_cast<std::uint8_t>(n % 24);
    cells[n] = static_cast<std::int16_t>(zv::FormCellIndex(n % 8, n / 8 % 8, n / 64).value());
  }
  const zv::SolidSolution solid = zv::MakeSolidSolution(v.links, {cubes, rotations, cells});
  const zv::Fold fold(solid);

  zv::SolidScene scene;
  scene.solid = &solid;
  scene.colours.assign(254, QColor(230, 230, 230));
  scene.numbers.resize(254);
  for (int k = 0; k < 254; ++k) scene.numbers[k] = k + 1;
  for (int k = 0; k < 254; ++k) scene.poses.push_back(solid.Placed(zv::CubeIndex(k)));
  for (int k = 0; k < 254; ++k)
    scene.frame.push_back(scene.poses[k].Apply(solid.FigureCentre(zv::CubeIndex(k))));

  QImage image(800, 800, QImage::Format_RGB32);
  zv::SolidCamera camera;
  std::vector<double> still, folding, poses;
  for (int i = 0; i < frames; ++i) {
    camera.Drag(3, 1);
    auto start = std::chrono::steady_clock::now();
    {
      QPainter painter(&image);
      zv::PaintSolid(painter, image.rect(), scene, camera);
    }
    still.push_back(Milliseconds(std::chrono::steady_clock::now() - start));
  }
  zv::SolidScene moving = scene;
  using zv::operator+;
  for (int k = 0; k < 254; ++k)
    moving.frame.push_back(solid.FigureCentre(zv::CubeIndex(k)) + fold.FigureOffset());
  for (int i = 0; i < frames; ++i) {
    const double t = (i + 0.5) / frames;
    auto start = std::chrono::steady_clock::now();
    moving.poses = fold.Poses(t);
    poses.push_back(Milliseconds(std::chrono::steady_clock::now() - start));
    {
      QPainter painter(&image);
      zv::PaintSolid(painter, image.rect(), moving, camera);
    }
    folding.push_back(Milliseconds(std::chrono::steady_clock::now() - start));
  }
  Report("redraw of the packed solution", still);
  Report("fold frame (poses + redraw)", folding);
  Report("fold poses alone", poses);
  std::ifstream load("/proc/loadavg");
  std::string average;
  std::getline(load, average);
  std::printf("load average: %s\n", average.c_str());
  return 0;
}
