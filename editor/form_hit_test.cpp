// Hit test of the form picture.
#include "editor/form_hit_test.h"

#include "editor/cell_geometry.h"
#include "model/task.h"

namespace zv {

std::optional<CellIndex> FormCellHit(int px, int py, int w, int d, int h) {
  const int a = px - kFormLeft, b = py - kFormTop;
  if (a < 0 || b < 0) return std::nullopt;
  const int pitch = LayerPitch(d);
  const int x = a / kCellPitch, z = b / pitch, y = (b - z * pitch) / kCellPitch;
  if (x >= w || y >= d || z >= h) return std::nullopt;
  return FormCellIndex(x, y, z);
}

}  // namespace zv
