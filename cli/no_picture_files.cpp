// zorvat-cli draws no pictures itself: where zorvat-cli-pictures is built,
// picture commands are handed to it before they reach these writers; a build
// without the window program refuses them here.
#include "cli/picture_files.h"

namespace zv::cli {

PictureResult WriteSolutionPicture(const std::string&, bool, int, const SolidSolution&, const FigureState&) {
  return PictureResult::NotBuilt;
}

PictureResult WriteFoldInstructions(const std::string&, bool, const SolidSolution&, const FigureState&,
                                    const std::vector<FoldSheetStep>&, const std::string&) {
  return PictureResult::NotBuilt;
}

PictureResult WriteTaskPicture(const std::string&, int, const TaskState&) { return PictureResult::NotBuilt; }

}  // namespace zv::cli
