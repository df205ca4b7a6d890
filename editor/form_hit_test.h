// Which form cell a point of the form picture means: none in the margins
// and in the 10-pixel gaps between layers.
#pragma once

#include <optional>

#include "model/strong_index.h"

namespace zv {

// Form cell under (px, py) for a form of width w, depth d, height h.
std::optional<CellIndex> FormCellHit(int px, int py, int w, int d, int h);

}  // namespace zv
