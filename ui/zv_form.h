// The main window TZvForm: the figure half (tool strip Panel3, picture ImA
// in the scroll box ImASB) and the form half (tool strip Panel4, picture
// ImB in ImBSB). It owns the editing session (the task, its validation and
// undo history, the work and numbering modes, the solver run; see
// editor/editor_session.h), the display switches and cube colour, the
// settings file and the current task file name. Every handler passes its
// event to the session and redraws from the changes it returns (Apply).
//
// Construction is the start-up (settings, command line, first task),
// followed by the description, help and numbering windows in that order;
// closing is the shut-down (the numbering and description windows store
// their placements, then placement, settings and autosave unless the window
// was closed with close-without-saving). Closing during a solve stops the
// run first and shuts down when it has returned.
#pragma once

#include <QWidget>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "editor/editor_session.h"
#include "platform/qt/qt_profile.h"
#include "platform/qt/services.h"
#include "storage/settings.h"
#include "storage/task_file.h"

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

  const TaskState& task() const { return session_.task(); }
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

  // Redraws from the session's changes (zv_form_redraw.cpp).
  void Apply(const Changes& changes);
  void ShowRefusal(Refusal refusal);
  void ShowWorkMode();
  void SetSolveCaption(const char* text, const QColor& color);
  void ShowNumberingMode();
  void ShowBrowseState();
  void FigureRedraw();
  void FormRedraw();
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
  void ShowProgress(const ProgressStep& step, const SolveStats& stats);
  void FirstSolBtClick();
  void PrevSolBtClick();
  void NextSolBtClick();
  void LastSolBtClick();

  // The description, help and numbering windows (zv_form_aux.cpp).
  void CreateAuxWindows();
  void NumsBtClick();
  void EndNumberingMode();
  void NormBtClick();
  void TextBtClick();
  void TextEdited(const std::string& text);
  void HelpBtClick();
  void CancelAExecute();

  // Task files (zv_form_files.cpp).
  void SetCaption(bool withFileName);
  FileDialogRequest TaskDialogRequest(const char* title) const;
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
  EditorSession session_;
  std::size_t solverMemoryLimit_ = 0;
  std::unique_ptr<QtProfile> profile_;  // the settings file, open for the whole run
  Settings opt_;                        // switches and colour; TaskFile unused
  QString dataFolder_;
  QString autosavePath_;
  QString currentTaskFile_;

  bool handlerGuard_ = false;        // set while the program writes into guarded controls
  bool closeWithoutSaving_ = false;  // Shift+F11
  bool shutDown_ = false;            // the shut-down steps ran
  bool closeAfterRun_ = false;       // the window was closed during a solve
  bool autosaveHeld_ = false;        // an unread autosave could not be moved aside
  bool savedAtExit_ = false;         // SaveAtExit wrote or was told to close anyway
  bool shown_ = false;               // the window has been shown once
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
