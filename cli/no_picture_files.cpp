// A build without Qt draws no pictures.
#include "cli/picture_files.h"

namespace zv::cli {

PictureResult WriteSolutionPicture(const std::string&, bool, int, const SolidSolution&, const FigureState&) {
  return PictureResult::NotBuilt;
}

PictureResult WriteTaskPicture(const std::string&, int, const TaskState&) { return PictureResult::NotBuilt; }

}  // namespace zv::cli
