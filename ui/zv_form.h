// The main window TZvForm: the figure half (tool strip Panel3, picture ImA
// in the scroll box ImASB) and the form half (tool strip Panel4, picture
// ImB in ImBSB). It owns the one task, the display switches and cube
// colour, the figure's undo history, the settings file and the current task
// file name. Every edit runs a model operation and then the figure redraw
// (which records and validates) or the form redraw.
//
// Construction is the start-up (settings, command line, first task),
// followed by the description, help and numbering windows in that order;
// closing is the shut-down (the numbering and description windows store
// their placements, then placement, settings and autosave unless the window
// was closed with close-without-saving). Closing during a solve stops the
// run first and shuts down when it has returned.
//
// Work modes: edit mode (the task can change), solving (SolveBt stops the
// run; nothing may change the task) and solution view (the stored
// solutions are browsed and cells selected; the task is frozen).
#pragma once

#include <QWidget>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "model/task.h"
#include "model/undo_history.h"
#include "model/validation.h"
#include "platform/qt/qt_profile.h"
#include "platform/qt/services.h"
#include "solver/solver.h"
#include "storage/settings.h"
#include "storage/task_file.h"
#include "ui/figure_hit_test.h"
#include "ui/solution_view_data.h"
#include "ui/work_mode.h"

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QScrollArea;
class QSpinBox;
class QToolButton;

namespace zv {

class Picture;
class TNumsForm;
class TTextForm;
class THelpForm;
class WindowSolveObserver;
struct ProgressStep;

struct StartOptions {
  QString dataFolder;  // where "Zorvat.ini" and "Current.zvt" live, with a trailing '/'
  // The command line's first parameter: a task file, "-" for an empty task,
  // or nothing to reopen the autosaved task.
  std::optional<QString> startParameter;
  std::size_t solverMemoryLimit = 0;  // bytes for the solver; 0 = its default
};

class TZvForm : public QWidget {
  Q_OBJECT

 public:
  TZvForm(Services& services, const StartOptions& options, QWidget* parent = nullptr);
  ~TZvForm() override;

  const TaskState& task() const { return *task_; }
  const QString& currentTaskFile() const { return currentTaskFile_; }
  const Validation& validation() const { return *validation_; }
  QColor cubeColor() const;
  WorkMode workMode() const { return workMode_; }
  bool numberingMode() const { return numberingMode_; }
  // The shown solution's marks, or nullptr when none is shown.
  const SolutionViewData* shownSolution() const { return solution_; }
  int currentSolutionIndex() const { return currentSolution_; }
  TNumsForm* numsForm() const { return numsForm_.get(); }
  TTextForm* textForm() const { return textForm_.get(); }
  THelpForm* helpForm() const { return helpForm_.get(); }

  // Task files (the window side of reading and writing).
  bool ReadTask(const QString& path, bool rememberName);
  bool WriteTask(const QString& path, bool rememberName);
  // Files dropped onto the window: the first one is opened.
  void OpenDroppedFiles(const QStringList& paths);

  // Selects form cell `cell` of the shown solution, as a click on it
  // would; false when no solution is shown or the cell is not in the form.
  bool SelectSolutionCell(int cell);

  // Shift+F11: close without writing placement, settings or autosave.
  void CloseWithoutSaveAExecute();

 public slots:
  void OpenBtClick();
  void SaveBtClick();
  void ChooseColBtClick();
  void SolveBtClick();

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // Building the controls (zv_form_build.cpp).
  void BuildControls();
  void BuildFigureStrip(QWidget* panelA);
  void BuildFormStrip(QWidget* panelB);
  void ConnectControls();

  // Layout (zv_form_layout.cpp).
  void Layout();

  // Redraws and validation (zv_form_redraw.cpp).
  void FigureRedraw(bool record);
  void FormRedraw(bool validate);
  void ShowValidation();
  void UpdateUndoButtons();
  void UpdateDescriptionMark();

  // Figure editing (zv_form_figure_mouse.cpp).
  void ImAMouseDown(Qt::MouseButton button, Qt::MouseButtons buttons, int x, int y);
  void ImAMouseMove(Qt::MouseButtons buttons, int x, int y);
  void ImAMouseUp();
  bool RefuseAddingCube();
  void DrawABtClick(int tag);

  // Form editing and form switches (zv_form_form_mouse.cpp).
  void ImBMouseDown(int x, int y);
  void ImBMouseMove(int x, int y);
  void ImBMouseUp();
  void PrevLayerBtClick();
  void NextLayerBtClick();
  void EmptyCellsCBClick();

  // Whole-figure and whole-form commands (zv_form_commands.cpp).
  void ClearABtClick();
  void FillABtClick();
  void ClearLinksBtClick();
  void ClearBBtClick();
  void FillBBtClick();
  void UndoBtClick();
  void RedoBtClick();
  void RestoreSnapshot(const FigureState* snapshot);
  void NumberCBClick();
  void LinksCBClick();

  // Shifts and dimensions (zv_form_shift.cpp).
  void ShiftFigureBy(int dx, int dy);
  void Move0BtClick();
  void ShiftFormBy(int dx, int dy, int dz);
  void Move0BBtClick();
  void XASEChange();
  void YASEChange();
  void XBSEChange();
  void YBSEChange();
  void ZBSEChange();
  // Stores `size` into `dimension` and returns true, or, when it is the
  // present size, writes it back into the spin edit and returns false.
  bool ApplyDimension(QSpinBox* spin, std::int32_t& dimension, int size);

  // Solving and browsing (zv_form_solve.cpp).
  void SetWorkMode(WorkMode mode);
  void ShowProgress(const ProgressStep& step, const SolveStats& stats);
  void ShowSolution(int i);
  void SelectCell(int cell);
  void FirstSolBtClick();
  void PrevSolBtClick();
  void NextSolBtClick();
  void LastSolBtClick();
  void SolutionViewFigurePress(int x, int y);
  void SolutionViewFormPress(int x, int y);

  // The description, help and numbering windows (zv_form_aux.cpp).
  void CreateAuxWindows();
  void NumsBtClick();
  void EndNumberingMode();
  void NumberingPress(int x, int y);
  void NumberingMove(int x, int y);
  void NumberCube(int cell);
  void NormBtClick();
  void TextBtClick();
  void TextEdited(const std::string& text);
  void HelpBtClick();
  void CancelAExecute();

  // Task files (zv_form_files.cpp).
  void SetCaption(bool withFileName);
  FileDialogRequest TaskDialogRequest(const char* title) const;
  static QString FileErrorText(const QString& path, const char* reason);
  // A file box: the path, the reason (the caption) and `more`, one a line.
  void ShowFileError(const QString& path, const char* caption, MessageIcon icon, const QString& more = {});
  // Reads and applies a task file without any box; the steps of ReadTask.
  ReadResult ApplyTaskFile(const QString& path, bool rememberName);
  // Reads the autosave at start; one that cannot be read is moved aside
  // (or, when that fails, held: never written over at exit) and its box
  // says so.
  bool ReadAutosave();
  bool WriteTaskQuietly(const QString& path, bool rememberName);
  // The save dialog, the overwrite question and the write; true when saved.
  bool SaveThroughDialog();

  // Settings, start-up and shut-down (zv_form_startup.cpp).
  void StartUp(const StartOptions& options);
  void ApplySettings();
  void ShutDown();
  // Writes placement, settings and autosave at exit. When one fails, asks
  // whether to save the task elsewhere, close anyway or go on working;
  // false: the window stays open.
  bool SaveAtExit();
  void SetHandlerGuarded(QAbstractButton* button, bool checked);

  Services& services_;
  std::unique_ptr<TaskState> task_;
  std::unique_ptr<Validation> validation_;  // the last validation's counters and boxes
  UndoHistory history_;
  SolutionViewData* solution_ = nullptr;  // the shown solution: solutionData_ or nullptr
  std::unique_ptr<SolutionViewData> solutionData_;
  std::unique_ptr<Solver> solver_;              // the last run's stored solutions
  std::unique_ptr<LinkAnalysis> runLinks_;      // the link analysis the last run solved
  WindowSolveObserver* runObserver_ = nullptr;  // the running solve's stop request
  std::size_t solverMemoryLimit_ = 0;
  int currentSolution_ = 0;
  std::unique_ptr<QtProfile> profile_;  // the settings file, open for the whole run
  Settings opt_;                        // switches and colour; TaskFile unused
  QString dataFolder_;
  QString autosavePath_;
  QString currentTaskFile_;

  WorkMode workMode_ = WorkMode::Edit;
  DrawMode drawMode_ = DrawMode::Cubes;
  bool numberingMode_ = false;
  bool handlerGuard_ = false;        // set while the program writes into guarded controls
  bool closeWithoutSaving_ = false;  // Shift+F11
  bool shutDown_ = false;            // the shut-down steps ran
  bool closeAfterRun_ = false;       // the window was closed during a solve
  bool autosaveHeld_ = false;        // an unread autosave could not be moved aside
  bool savedAtExit_ = false;         // SaveAtExit wrote or was told to close anyway
  bool shown_ = false;               // the window has been shown once
  int lastNumberedCell_ = 0;         // figure cell numbered last in numbering mode
  int figureDrag_ = -1;              // -1 no drag, 0 the drag erases, 1 the drag adds
  int formDrag_ = -1;                // -1 no drag, 0 the drag clears cells, 1 sets them
  int vScrollWidth_ = 0;             // scroll bar sizes of the style, read once
  int hScrollHeight_ = 0;

  // Controls, named as their object names.
  QWidget *PanelA = nullptr, *Panel3 = nullptr, *PanelAI = nullptr, *ImAP = nullptr;
  QWidget *Bevel1 = nullptr, *PanelB = nullptr, *Panel4 = nullptr, *Panel6 = nullptr;
  QWidget *PanelBI = nullptr, *ImBP = nullptr;
  QWidget *ButtonsAP = nullptr, *LinksP = nullptr, *Panel2 = nullptr, *MoveBP = nullptr;
  QWidget *Edit1P = nullptr, *SolP = nullptr, *ResP = nullptr, *ErP = nullptr;
  QScrollArea *ImASB = nullptr, *ImBSB = nullptr;
  Picture *ImA = nullptr, *ImB = nullptr;
  QSpinBox *XASE = nullptr, *YASE = nullptr, *XBSE = nullptr, *YBSE = nullptr, *ZBSE = nullptr;
  QToolButton *OpenBt = nullptr, *SaveBt = nullptr, *HelpBt = nullptr, *TextBt = nullptr;
  QToolButton *ChooseColBt = nullptr, *NumsBt = nullptr, *SolveBt = nullptr;
  QToolButton *DrawABt = nullptr, *EdgeBt = nullptr, *FaceBt = nullptr, *MergeBt = nullptr;
  QToolButton *UndoBt = nullptr, *RedoBt = nullptr, *ClearABt = nullptr, *FillABt = nullptr;
  QToolButton *ClearLinksBt = nullptr, *ClearBBt = nullptr, *FillBBt = nullptr;
  QToolButton *PrevLayerBt = nullptr, *NextLayerBt = nullptr;
  QButtonGroup* drawModeGroup_ = nullptr;
  QCheckBox *NumberCB = nullptr, *LinksCB = nullptr, *EmptyCellsCB = nullptr;
  QLabel *NumL = nullptr, *PartsL = nullptr, *CyclesL = nullptr, *EmptyL = nullptr, *ErL = nullptr;
  QToolButton *FirstSolBt = nullptr, *PrevSolBt = nullptr, *NextSolBt = nullptr, *LastSolBt = nullptr;
  QLabel *SolL = nullptr, *TimePastL = nullptr, *TimeRestL = nullptr, *DeadL = nullptr;
  QLabel* SolNumL = nullptr;

  // The auxiliary windows, destroyed before the settings file is closed.
  std::unique_ptr<TTextForm> textForm_;
  std::unique_ptr<THelpForm> helpForm_;
  std::unique_ptr<TNumsForm> numsForm_;
};

}  // namespace zv
