// zorvat-cli draws no pictures itself: where zorvat-cli-pictures is built,
// picture commands are handed to it before they reach these writers; a build
// without the window program refuses them here.
#include "cli/picture_files.h"

namespace zv::cli {

PictureResult WriteSolutionPicture(const std::string&, bool, int, const SolidSolution&, const FigureState&) {
  return PictureResult::NotBuilt;
}

PictureResult WriteTaskPicture(const std::string&, int, const TaskState&) { return PictureResult::NotBuilt; }

}  // namespace zv::cli
