// The main window's work mode: editing, browsing solutions, or solving.
// Editing handlers act only in edit mode.
#pragma once

namespace zv {

enum class WorkMode { Edit = 0, SolutionView = 1, Solving = 2 };

}  // namespace zv
