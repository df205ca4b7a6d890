// zorvat-cli's pictures of a solution (the 3-D view as PNG or SVG, its fold
// instructions as SVG or PDF) and of a task. Drawing them needs Qt Gui, which zorvat-cli does not load: its
// picture commands hand themselves over to the program zorvat-cli-pictures
// (the same commands linked with Qt, picture_files.cpp) through
// HandPicturesOver (picture_program.cpp). A build without the window
// program has no such program, and its writers (no_picture_files.cpp)
// refuse pictures.
#pragma once

#include <optional>
#include <string>

#include "cli/commands.h"
#include "model/task.h"
#include "solid/fold_steps.h"
#include "solid/solid_solution.h"

namespace zv::cli {

enum class PictureResult { Written, WriteFailed, NotBuilt };

// In zorvat-cli where zorvat-cli-pictures was built: runs that program in
// this process's place with the same command `self` and `args`, so it never
// returns unless the program cannot be run; then it reports why and gives
// the exit status. Nothing where this program draws the pictures itself or
// draws none (the command goes on to the writers below).
std::optional<int> HandPicturesOver(const Command& self, Arguments args, bool json);

// The solution seen as the 3-D view first shows it, `size` pixels square.
PictureResult WriteSolutionPicture(const std::string& path, bool svg, int size, const SolidSolution& solid,
                                   const FigureState& figure);
// The fold instructions of `solid` (ui/pictures/fold_sheet.h): its `steps`
// (FoldSheetSteps, not empty) under `title`, as a PDF or an SVG.
PictureResult WriteFoldInstructions(const std::string& path, bool pdf, const SolidSolution& solid,
                                    const FigureState& figure, const std::vector<FoldSheetStep>& steps,
                                    const std::string& title);
// The task's figure over its form (ui/pictures/task_picture.h) as a PNG,
// `size` pixels square on a transparent ground.
PictureResult WriteTaskPicture(const std::string& path, int size, const TaskState& task);

}  // namespace zv::cli
