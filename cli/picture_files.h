// zorvat-cli's pictures of a solution (the 3-D view as PNG or SVG). They
// need Qt: a build with the window program draws them (picture_files.cpp),
// one without it refuses them (no_picture_files.cpp).
#pragma once

#include <string>

#include "model/task.h"
#include "solid/solid_solution.h"

namespace zv::cli {

enum class PictureResult { Written, WriteFailed, NotBuilt };

// The solution seen as the 3-D view first shows it, `size` pixels square.
PictureResult WriteSolutionPicture(const std::string& path, bool svg, int size, const SolidSolution& solid,
                                   const FigureState& figure);
// The task's figure over its form (ui/pictures/task_picture.h) as a PNG,
// `size` pixels square on a transparent ground.
PictureResult WriteTaskPicture(const std::string& path, int size, const TaskState& task);

}  // namespace zv::cli
