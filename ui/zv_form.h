// The main window TZvForm: the figure half (FigureHalf: tool strip Panel3,
// picture ImA in the scroll box ImASB) and the form half (FormHalf: tool
// strip Panel4, picture ImB in ImBSB), which build and show the controls.
// It owns the editing session (the task, its validation and
// undo history, the work and numbering modes, the solver run; see
// editor/editor_session.h), the display switches and cube colour, the
// settings file and the current task file name. Every handler passes its
// event to the session and redraws from the changes it returns (Apply).
//
// Construction is the start-up (settings, command line, first task),
// followed by the description, help and numbering windows in that order;
// closing is the shut-down (the numbering and description windows store
// their placements, then placement, settings and autosave unless the window
// was closed with close-without-saving). Closing during a solve asks
// whether to keep the run (ui/solve_runs.h), stops it and shuts down when
// it has returned.
#pragma once

#include <QSet>
#include <QSize>
#include <QWidget>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "editor/editor_session.h"
#include "platform/qt/qt_profile.h"
#include "platform/qt/services.h"
#include "storage/settings.h"
#include "storage/task_file.h"
#include "ui/fold_sheet_check.h"

class QAbstractButton;
class QSpinBox;
class QToolButton;

namespace zv {

class RecentFiles;

class FigureHalf;
class FormHalf;
class SolveRuns;
class TNumsForm;
class TTextForm;
class THelpForm;
class TVariantsForm;
struct LinkVariant;

struct StartOptions {
  QString dataFolder;  // where "Zorvat.ini" and "Current.zvt" live, with a trailing '/'
  // The command line's first parameter: a task file, "-" for an empty task,
  // or nothing to reopen the autosaved task.
  std::optional<QString> startParameter;
  std::size_t solverMemoryLimit = 0;  // bytes for the solver; 0 = its default
  // The first size is the design size, made smaller where the screen is;
  // a screenshot keeps the design size whatever the screen.
  bool fitScreen = true;
};

class TZvForm : public QWidget {
  Q_OBJECT

 public:
  TZvForm(Services& services, const StartOptions& options, QWidget* parent = nullptr);

  // What a window manager's frame may add to the window before it is shown;
  // the first start leaves that much of the screen free.
  static constexpr QSize kFrameAllowance{16, 48};
  ~TZvForm() override;

  const TaskState& task() const { return session_.task(); }
  // The editing session and the display switches (the views' options and
  // the picture files read them).
  const EditorSession& session() const { return session_; }
  const Settings& settings() const { return opt_; }
  const QString& currentTaskFile() const { return currentTaskFile_; }
  const Validation& validation() const { return session_.validation(); }
  QColor cubeColor() const;
  WorkMode workMode() const { return session_.workMode(); }
  bool numberingMode() const { return session_.numberingMode(); }
  // The shown solution's marks, or nullptr when none is shown.
  const SolutionViewData* shownSolution() const { return session_.shownSolution(); }
  int currentSolutionIndex() const { return session_.currentSolution(); }
  TNumsForm* numsForm() const { return numsForm_.get(); }
  TTextForm* textForm() const { return textForm_.get(); }
  THelpForm* helpForm() const { return helpForm_.get(); }
  // The two halves with their controls.
  FigureHalf& figureHalf() const { return *figureHalf_; }
  RecentFiles& recentFiles() const { return *recent_; }
  FormHalf& formHalf() const { return *formHalf_; }

  // Task files (the window side of reading and writing); ReadTask also
  // opens files of stopped searches.
  bool ReadTask(const QString& path, bool rememberName);
  bool WriteTask(const QString& path, bool rememberName);
  // Files dropped onto the window: the first one is opened.
  void OpenDroppedFiles(const QStringList& paths);

  // A fold check the window has of the shown solution: its 3-D view's, the
  // last one the fold instructions ran, or the fold row's check of the
  // stored solutions; null when there is none.
  std::shared_ptr<const FoldVerdict> KnownFoldVerdict() const;
  // The same without the 3-D view's own: the instructions' or the fold row's check.
  std::shared_ptr<const FoldVerdict> CheckedFoldVerdict() const;
  // Keeps the fold instructions' check of the shown solution while solution view lasts.
  void RememberFoldVerdict(std::shared_ptr<const FoldVerdict> verdict);
  // The check the fold instructions run when the window has none of the
  // shown solution (CheckFolding; a test may count or hold it).
  const FoldCheckFunction& foldSheetCheck() const { return foldSheetCheck_; }
  void SetFoldSheetCheck(FoldCheckFunction check) { foldSheetCheck_ = std::move(check); }

  // Selects form cell `cell` of the shown solution, as a click on it
  // would; false when no solution is shown or the cell is not in the form.
  bool SelectSolutionCell(CellIndex cell);

  // Shift+F11: close without writing placement, settings or autosave.
  void CloseWithoutSaveAExecute();
  // A request to end from outside (SIGTERM, SIGHUP): closes as the close
  // box does, but asks nothing: placement, settings and autosave are
  // written, a running search stops and its place goes to the kept-run
  // file, and a failed write is not offered elsewhere.
  void CloseWithoutQuestions();

 public slots:
  void OpenBtClick();
  void SaveBtClick();
  // Ctrl+N: an empty task, after offering to save a changed one.
  void NewBtClick();
  void ChooseColBtClick();
  void SolveBtClick();

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // Wiring the controls to their handlers, and the keyboard actions
  // (zv_form_connect.cpp).
  void ConnectControls();

  // Redraws from the session's changes, and the layout (zv_form_redraw.cpp).
  void Apply(const Changes& changes);

  // The layout, the divider and the zoom (zv_form_layout.cpp).
  void Layout();
  QSize FigurePictureSize() const;  // in picture pixels (the design's geometry)
  QSize FormPictureSize() const;
  void SetZoom(double zoom);
  void ZoomInAExecute();
  void ZoomOutAExecute();
  void ZoomFitAExecute();
  void InstallLayoutHandlers();
  // The first start's size and place (no stored placement): a good share of
  // the screen; and, once shown, the whole window on the screen.
  void FirstPlacement(QSize design);
  void KeepOnScreen();
  // The smallest size the window takes, as far as the screen has room: the
  // two halves at their least widths, and the form strip with every row it
  // may hold over the 3-D view at its least size.
  void FitMinimumSize();
  void ShowRefusal(Refusal refusal);
  void ShowWorkMode();
  void ShowNumberingMode();
  void ShowBrowseState();
  void FigureRedraw();
  void FormRedraw();
  // The 3-D view, when shown: the shown solution and its selected cell.
  void SolidRedraw();
  void ShowValidation();
  void UpdateUndoButtons();
  void UpdateDescriptionMark();

  // Editing handlers (zv_form_editing.cpp): each passes its event to the
  // session and redraws from what changed.
  void ImAMouseDown(Qt::MouseButton button, Qt::MouseButtons buttons, int x, int y);
  void ImAMouseMove(Qt::MouseButtons buttons, int x, int y);
  void ImAMouseUp();
  void DrawABtClick(int tag);
  void ImBMouseDown(int x, int y);
  void ImBMouseMove(int x, int y);
  void ImBMouseUp();
  void PrevLayerBtClick();
  void NextLayerBtClick();
  void EmptyCellsCBClick();
  void ClearABtClick();
  void FillABtClick();
  void ClearLinksBtClick();
  void ClearBBtClick();
  void FillBBtClick();
  void UndoBtClick();
  void RedoBtClick();
  void NumberCBClick();
  void LinksCBClick();
  void ShiftFigureBy(int dx, int dy);
  void Move0BtClick();
  void ShiftFormBy(int dx, int dy, int dz);
  void Move0BBtClick();
  void XASEChange();
  void YASEChange();
  void XBSEChange();
  void YBSEChange();
  void ZBSEChange();
  // A spin edit's value asks for a new size of `axis`.
  void SizeChange(GridAxis axis, QSpinBox* spin);

  // Solving and browsing (zv_form_solve.cpp).
  void FirstSolBtClick();
  void PrevSolBtClick();
  void NextSolBtClick();
  void LastSolBtClick();
  // The fold check of every solution and its filter (zv_form_fold.cpp).
  // A browse button's step, through the foldable solutions only while FoldOnlyCB is on.
  void StepSolution(SolutionStep step);
  void FoldBtToggled(bool on);
  void FoldOnlyToggled(bool on);
  // Forgets the check's outcomes once the stored solutions are no longer those checked.
  void DropStaleFoldCheck();
  // With FoldOnlyCB on, the browse buttons go as far as the foldable solutions.
  void GateBrowseByFold();

  // The description, help and numbering windows (zv_form_aux.cpp).
  void CreateAuxWindows();
  void NumsBtClick();
  void EndNumberingMode();
  void NormBtClick();
  void TextBtClick();
  QToolButton* TextBt() const;  // the description window's button
  void TextEdited(const std::string& text);
  void HelpBtClick();
  void CancelAExecute();
  // Shows or hides a side window; the first time it shows without a stored
  // placement it goes beside this window (ui/window_placement.h).
  void ShowSideWindow(QWidget& side, bool visible);
  // The variants window (zv_form_variants.cpp).
  void VariantsBtClick();
  void ApplyVariant(const LinkVariant& variant);

  // Task files (zv_form_files.cpp).
  void SetCaption(bool withFileName);
  FileDialogRequest TaskDialogRequest(const char* title) const;
  // Reads and applies a task file without any box; the steps of ReadTask.
  ReadResult ApplyTaskFile(const QString& path, bool rememberName, TaskJsonError* textError = nullptr);
  // Shows a task that replaced the present one.
  void ShowReplacedTask(const Changes& changes);
  // Reads the autosave at start; one that cannot be read is moved aside
  // (or, when that fails, held: never written over at exit) and its box
  // says so.
  bool ReadAutosave();
  // Moves the unread autosave aside (or holds it) and says so.
  void SetAsideAutosave(ReadResult result);
  // Whether the autosaved task holds work that the file last used
  // ("TaskFile") does not: anything but the empty task, unless that file
  // reads as the same task.
  bool AutosaveHoldsUnsavedWork(const TaskState& autosaved) const;
  // A file named on the command line replaces the autosaved task, which
  // the exit writes over: work no file holds is offered to be saved first.
  // False: the user chose to go on with the autosaved task.
  bool AutosaveMayGo();
  // Save / Discard / Cancel about a changed task, under `caption`.
  MessageAnswer AskToSaveChanges(const char* caption);
  // True when the task may be replaced: it holds no changes, or the user
  // saved them or let them go.
  bool ChangesMayGo(const char* caption);
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
  EditorSession session_;
  std::size_t solverMemoryLimit_ = 0;
  std::unique_ptr<QtProfile> profile_;  // the settings file, open for the whole run
  Settings opt_;                        // switches and colour; TaskFile unused
  QString dataFolder_;
  QString autosavePath_;
  QString currentTaskFile_;

  bool handlerGuard_ = false;        // set while the program writes into guarded controls
  bool closeWithoutSaving_ = false;  // Shift+F11
  bool closeQuietly_ = false;        // CloseWithoutQuestions
  bool shutDown_ = false;            // the shut-down steps ran
  bool autosaveHeld_ = false;        // an unread autosave could not be moved aside
  bool savedAtExit_ = false;         // SaveAtExit wrote or was told to close anyway
  bool shown_ = false;               // the window has been shown once
  bool fitScreen_ = true;            // StartOptions::fitScreen
  double zoom_ = 1;                  // window pixels per picture pixel
  // The figure half's share of the width, kept when the window or a size
  // changes; set by the first layout, then by dragging Bevel1.
  std::optional<double> dividerShare_;
  int vScrollWidth_ = 0;  // scroll bar sizes of the style, read once
  int hScrollHeight_ = 0;

  // The two halves and the bevel between them; the halves hold the
  // controls, named as their object names.
  FigureHalf* figureHalf_ = nullptr;  // PanelA
  QWidget* Bevel1 = nullptr;
  FormHalf* formHalf_ = nullptr;  // PanelB

  // Solve runs, their kept place and its file.
  std::unique_ptr<SolveRuns> runs_;
  RecentFiles* recent_ = nullptr;  // the open button's menu of recent tasks (a child of the window)

  // The auxiliary windows, destroyed before the settings file is closed.
  std::unique_ptr<TTextForm> textForm_;
  std::unique_ptr<THelpForm> helpForm_;
  std::unique_ptr<TNumsForm> numsForm_;
  QSet<const QWidget*> sidePlaced_;              // side windows shown (and placed) once
  std::unique_ptr<TVariantsForm> variantsForm_;  // made at its first use
  // The stored solutions the fold check ran on: the first one's cubes and the count.
  std::pair<const void*, int> foldChecked_{nullptr, 0};
  FoldCheckFunction foldSheetCheck_ = CheckFolding;
  // The fold instructions' last check: the stored solution's cubes and its verdict.
  std::pair<const void*, std::shared_ptr<const FoldVerdict>> sheetVerdict_;
};

}  // namespace zv
