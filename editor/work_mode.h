// The main window's work mode (editing, browsing solutions, solving) and
// which of the window's panels each mode leaves usable. Editing handlers
// act only in edit mode.
#pragma once

namespace zv {

enum class WorkMode { Edit = 0, SolutionView = 1, Solving = 2 };

// What a work mode does to the panels of the main window.
struct ModeControls {
  bool solPVisible;     // SolP: the four browse buttons and SolL
  bool resPVisible;     // ResP: the four result labels
  bool linksPEnabled;   // LinksP: the switch that shows the links
  bool edit1PVisible;   // Edit1P: layer overlays, empty cells switch and counter
  bool editingEnabled;  // Panel3 (figure tools), Panel2 (form size), MoveBP (form shifts)
  bool openEnabled;     // OpenBt, OpenA and dropped files: loading replaces the task
};

constexpr ModeControls ControlsOf(WorkMode mode) {
  const bool edit = mode == WorkMode::Edit;
  const bool view = mode == WorkMode::SolutionView;
  const bool solving = mode == WorkMode::Solving;
  // Loading a task while solving would pull the task from under the running
  // search, so it waits for the run to end.
  return {view, view || solving, !solving, edit, edit, !solving};
}

}  // namespace zv
