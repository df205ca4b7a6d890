// The editing session: the one task with everything the editor keeps about
// it — the last validation, the undo history of figure and form, the work mode, the
// numbering mode, the drawing mode and drag states, the solver with the run
// it made and the shown solution with its selected cell. Every command
// checks the work mode, changes the task through model/task.h, records the
// figure and validates, and returns what changed; the window only redraws
// from that and shows the boxes the returned refusal names.
//
// Usage:
//   zv::EditorSession session;
//   zv::Changes c = session.FigurePress(x, y, /*right=*/false);  // picture pixels
//   if (c.refusal == zv::Refusal::TooManyCubes) showBox();
//   if (c.figure) draw(session.task().figure);
//   session.FigureRelease();
//
// States (the work mode):
//
//   Edit --BeginSolving--> Solving --RunSolver returns--> SolutionView
//     ^                                                        |
//     +--------------------- ReturnToEditing -----------------+
//
// Edit commands act only in edit mode; numbering mode is a part of edit
// mode that BeginSolving, SetDrawMode, ClearFigure, FillFigure and
// ReplaceTask end. While solving, nothing changes the task; StopSolving
// (called from inside the observer's event processing) ends the run.
//
// Runs go by work units (solver/work_units.h). A stopped run (or one that
// ran out of memory) keeps its place (run/kept_place.h), the units it
// finished, until the task changes, another task comes, a new run starts or
// keptPlace().Drop(); BeginSolving(true) goes on from the
// place, from edit mode or solution view, and a run continued to its end
// stores and counts exactly what one uninterrupted run does. A place read
// from a file comes in through RestorePlace.
#pragma once

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

#include "editor/changes.h"
#include "editor/figure_hit_test.h"
#include "editor/grid_axes.h"
#include "editor/link_variants.h"
#include "editor/number_source.h"
#include "editor/solution_view_data.h"
#include "editor/work_mode.h"
#include "model/task.h"
#include "model/undo_history.h"
#include "model/validation.h"
#include "run/kept_place.h"
#include "run/result_file.h"
#include "run/run_file_check.h"
#include "solver/solver.h"
#include "solver/work_units.h"

namespace zv {

enum class SolutionStep { First, Previous, Next, Last };

// The end of a run: the solver's outcome and what switching to solution
// view changed.
struct SolveRun {
  SolveOutcome outcome = SolveOutcome::Refused;
  Changes changes;
};

// Why RestorePlace refused a place: a run goes, the task does not
// validate, the units do not fit it (`check` says how), or memory ran out.
enum class PlaceRefusal { None, Solving, InvalidTask, Units, OutOfMemory };

struct PlaceRestore {
  PlaceRefusal refusal = PlaceRefusal::None;
  UnitCheck check = UnitCheck::Ok;
  Changes changes;
};

class EditorSession {
 public:
  EditorSession();
  ~EditorSession();
  EditorSession(const EditorSession&) = delete;
  EditorSession& operator=(const EditorSession&) = delete;

  const TaskState& task() const { return task_; }
  const Validation& validation() const { return validation_; }
  bool canUndo() const { return history_.CanUndo(); }
  bool canRedo() const { return history_.CanRedo(); }
  WorkMode workMode() const { return workMode_; }
  bool numberingMode() const { return numberingMode_; }
  DrawMode drawMode() const { return drawMode_; }
  const Solver& solver() const { return *solver_; }
  // The shown solution's marks, or nullptr when none is shown.
  const SolutionViewData* shownSolution() const { return solutionShown_ ? solution_.get() : nullptr; }
  int currentSolution() const { return currentSolution_; }
  // How many numbers the numbering window lists: one per cube, at most 254.
  int NumberListSize() const { return std::min(validation_.cubeCount, kMaxCubes); }

  // The numbering window's list; numbering presses do nothing without one.
  void SetNumberSource(NumberSource* numbers) { numbers_ = numbers; }

  // Where a task comes from: a task file, or the autosave, which may hold
  // changes that never went to a file.
  enum class TaskOrigin { File, Autosave };
  // A task read from a file replaces the present one: numbering mode ends,
  // solution view returns to editing, the history starts again from it.
  // Refused (nothing) while solving.
  Changes ReplaceTask(TaskState task, TaskOrigin origin = TaskOrigin::File);
  // An empty task replaces the present one, as a file would.
  Changes NewTask();
  // A run kept in a result file (run/result_file.h) replaces the task
  // and the last run: its task, as read from a file, in solution view with
  // the run's solutions and counters, as after a solve. A task that is not
  // solvable counts as DoesNotFit; on any result but Ok nothing changed.
  struct StoredRun {
    Solver::RestoreResult result = Solver::RestoreResult::DoesNotFit;
    Changes changes;
  };
  StoredRun OpenStoredRun(ResultFile file, const SolveOptions& options);
  // Whether the task differs from the one last read from or saved to a
  // file, or started empty; a task from the autosave differs unless it is
  // empty. A new task first offers to save a changed one.
  bool TaskChanged() const { return task_ != savedTask_; }
  // The task went to a file the user chose.
  void TaskSaved() { savedTask_ = task_; }
  // Everything as changed, for the window's first drawing of the task.
  Changes Start();

  // Figure picture: presses, drags and releases at picture pixels.
  Changes FigurePress(int x, int y, bool rightButton);
  Changes FigureDrag(int x, int y, bool rightButton);
  void FigureRelease();
  Changes SetDrawMode(DrawMode mode);
  // Form picture.
  Changes FormPress(int x, int y);
  Changes FormDrag(int x, int y);
  void FormRelease();

  // Whole-figure and whole-form commands.
  Changes ClearFigure();
  Changes FillFigure();
  Changes ClearLinks();
  // Makes a link variant's changes (editor/link_variants.h) as one undoable
  // figure edit; one that does not fit the figure changes nothing.
  Changes ApplyVariant(const LinkVariant& variant);
  Changes ClearForm();
  Changes FillForm();
  Changes SetEmptyCells(bool on);
  void SetText(std::string text) { task_.Text = std::move(text); }
  Changes Undo();
  Changes Redo();

  // Shifts and sizes.
  Changes ShiftFigureBy(int dx, int dy);
  Changes MoveFigureToOrigin();
  Changes ShiftFormBy(int dx, int dy, int dz);
  Changes MoveFormToOrigin();
  Changes Resize(GridAxis axis, int requested);

  // Numbering mode and the numbering itself.
  Changes SetNumberingMode(bool on);
  Changes EndNumberingMode() { return SetNumberingMode(false); }
  Changes ResetNumbering();

  // Solving and browsing. BeginSolving(false) starts afresh from edit
  // mode; BeginSolving(true) goes on from the kept place.
  Changes BeginSolving(bool fromPlace = false);
  SolveRun RunSolver(SolveObserver& observer, SolveOptions options);
  void StopSolving() { stopRequested_ = workMode_ == WorkMode::Solving; }
  Changes ReturnToEditing();
  Changes Step(SolutionStep step);
  // Shows stored solution `i`; nothing outside solution view or past the stored ones.
  Changes GoToSolution(int i);
  // Selects form cell `cell` of the shown solution, as a click on it would;
  // nothing when no solution is shown or the cell is not in the form.
  Changes SelectSolutionCell(CellIndex cell);

  // The kept place of a stopped run (run/kept_place.h): the last run's
  // units and engine.
  bool placeKept() const { return place_.kept(); }
  const KeptPlace& keptPlace() const { return place_; }
  KeptPlace& keptPlace() { return place_; }
  // Replaces the task by `task` and shows the run that finished `done` on
  // `cut`, and stopped inside the units of `begun`, as it stopped (solution
  // view, what those units found, the place kept), or as finished when no
  // unit is left. Refused, changing nothing, when the task does not
  // validate or the units do not fit it.
  PlaceRestore RestorePlace(TaskState task, SolveEngine engine, const UnitCut& cut,
                            std::vector<UnitResult> done, const SolveOptions& options,
                            std::vector<UnitPlace> begun = {});

 private:
  Changes FigureChanged();  // records the figure, validates
  Changes FormChanged();    // validates
  Changes Stroke(int x, int y, bool rightButton, bool press);
  Changes NoShift(bool empty) const;
  Changes NumberingPress(int x, int y);
  Changes NumberingDrag(int x, int y);
  Changes NumberCube(int cell);
  Changes Restore(const EditState* snapshot);
  Changes ShowSolution(int i);
  Changes SelectCell(CellIndex cell);
  Changes SelectFigureCube(int x, int y);
  Changes SelectFormCell(int x, int y);
  // Drag state: no drag, or the drag erases (clears), or it adds (sets).
  static constexpr int kNoDrag = -1, kDragErases = 0, kDragAdds = 1;
  // A drag acts at points at most this many picture pixels apart on the
  // straight way from the last pointer position to the new one, so a quick
  // move that skips cells between two pointer events still reaches every
  // cell (and link) in between; a tenth of a cell.
  static constexpr int kDragStep = 5;
  struct DragPoint {
    int x = 0, y = 0;
  };
  // Runs `step` along the way from `last` to (x, y), which becomes `last`;
  // stops early when a step is refused or ends the drag (`dragging`).
  template <typename StepAt, typename StillDragging>
  Changes AlongDrag(DragPoint& last, int x, int y, StepAt step, StillDragging dragging);

  TaskState task_;
  TaskState savedTask_;  // the task as last read or saved (TaskChanged)
  Validation validation_;
  UndoHistory history_;
  WorkMode workMode_ = WorkMode::Edit;
  DrawMode drawMode_ = DrawMode::Cubes;
  bool numberingMode_ = false;
  NumberSource* numbers_ = nullptr;
  int figureDrag_ = kNoDrag;
  int formDrag_ = kNoDrag;
  DragPoint figureLast_;  // where the figure drag's pointer was last
  DragPoint formLast_;
  int lastNumberedCell_ = 0;  // figure cell numbered last in a numbering drag

  std::unique_ptr<Solver> solver_;          // the last run's stored solutions
  std::unique_ptr<LinkAnalysis> runLinks_;  // the link analysis the last run solved
  std::unique_ptr<SolutionViewData> solution_;
  bool solutionShown_ = false;
  bool stopRequested_ = false;
  int currentSolution_ = 0;

  KeptPlace place_;
  bool fromPlace_ = false;  // the run going on started from the place
};

}  // namespace zv
