// Task files from the window (and result files, opened as tasks are:
// ui/file_opening.h): reading and writing with their message boxes
// (path, then the reason on a line of its own), the autosave that could not
// be read set aside, the Open and Save buttons with their dialogs and the
// overwrite question, the new task command, opening and dropped files (each
// first offers to save a task with changes no file holds, and so does a
// file named on the command line for work the autosave holds), and the caption that
// names the current task file. Files of stopped searches open through
// SolveRuns beside task files, whatever their names. A task is never loaded while a solve runs:
// the search works on the task in place.
#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QToolButton>
#include <QUrl>
#include <ctime>

#include "storage/autosave.h"
#include "storage/task_file.h"
#include "texts/core_texts.h"
#include "ui/figure_half.h"
#include "ui/file_boxes.h"
#include "ui/file_opening.h"
#include "ui/form_half.h"
#include "ui/recent_files.h"
#include "ui/run_texts.h"
#include "ui/solve_runs.h"
#include "ui/task_buttons.h"
#include "ui/text_window.h"
#include "ui/tr.h"
#include "ui/window_texts.h"
#include "ui/zv_form.h"

namespace zv {

namespace {

std::string FilePath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

void TZvForm::SetCaption(bool withFileName) {
  if (withFileName)
    setWindowTitle(Tr(kProgramCaptionWithFile).arg(QFileInfo(currentTaskFile_).completeBaseName()));
  else
    setWindowTitle(Tr(kProgramCaption));
}

bool TZvForm::ReadTask(const QString& path, bool rememberName) {
  if (const std::optional<bool> opened = runs_->OpenCheckpoint(path)) {
    if (*opened && rememberName) currentTaskFile_ = path;
    if (*opened) SetCaption(true);
    if (*opened && rememberName) recent_->Add(path);
    return *opened;
  }
  TaskJsonError textError;
  const ReadResult result = ApplyTaskFile(path, rememberName, &textError);
  if (result == ReadResult::Ok && rememberName) recent_->Add(path);
  if (result == ReadResult::Ok || result == ReadResult::Missing) return result == ReadResult::Ok;
  const QString place = result == ReadResult::BadText
                            ? Tr(kTextFormPlaceText).arg(textError.at.line).arg(textError.at.column)
                            : QString();
  services_.ShowMessage(FileErrorBox(path, ReadResultCaption(result), ReadFailureIcon(result), place));
  return false;
}

bool TZvForm::ReadAutosave() {
  const ReadResult result = ApplyTaskFile(autosavePath_, false);
  if (result == ReadResult::Ok) {
    // A task that is also in the file last used holds no unsaved changes.
    if (!AutosaveHoldsUnsavedWork(task())) session_.TaskSaved();
  }
  if (result != ReadResult::Ok && result != ReadResult::Missing) SetAsideAutosave(result);
  runs_->RestoreKeptPlace(result == ReadResult::Ok);
  return result == ReadResult::Ok;
}

bool TZvForm::AutosaveHoldsUnsavedWork(const TaskState& autosaved) const {
  if (autosaved == TaskState{}) return false;
  const QString lastFile = QFile::decodeName(opt_.TaskFile.c_str());
  TaskState inFile;
  return lastFile.isEmpty() || lastFile == autosavePath_ ||
         ReadTaskFile(FilePath(lastFile), inFile) != ReadResult::Ok || !(inFile == autosaved);
}

bool TZvForm::AutosaveMayGo() {
  TaskState autosaved;
  const ReadResult result = ReadTaskFile(FilePath(autosavePath_), autosaved);
  if (result != ReadResult::Ok) {
    if (result != ReadResult::Missing) SetAsideAutosave(result);
    return true;
  }
  if (!AutosaveHoldsUnsavedWork(autosaved)) return true;
  const MessageAnswer answer = AskToSaveChanges(kOpenTaskTitle);
  if (answer != MessageAnswer::Save) return answer == MessageAnswer::Discard;
  const std::optional<QString> path = AskSavePath(services_, TaskDialogRequest(kSaveTaskTitle));
  if (!path) return false;
  if (WriteTaskFile(FilePath(*path), autosaved) == WriteResult::Ok) return true;
  services_.ShowMessage(FileErrorBox(*path, kWriteFailedCaption, MessageIcon::Exclamation));
  return false;
}

void TZvForm::SetAsideAutosave(ReadResult result) {
  // The exit writes the autosave: move the unread file out of its way first.
  const std::optional<std::string> kept =
      SetAsideUnreadAutosave(FilePath(autosavePath_), result, std::time(nullptr));
  autosaveHeld_ = !kept;
  const QString more =
      kept ? Tr(kAutosaveSetAsideText).arg(QFile::decodeName(kept->c_str())) : Tr(kAutosaveHeldText);
  services_.ShowMessage(
      FileErrorBox(autosavePath_, ReadResultCaption(result), ReadFailureIcon(result), more));
}

ReadResult TZvForm::ApplyTaskFile(const QString& path, bool rememberName, TaskJsonError* textError) {
  if (path.isEmpty()) return ReadResult::Missing;
  using Origin = EditorSession::TaskOrigin;
  const OpenedTask opened = OpenFileIntoSession(path, path == autosavePath_ ? Origin::Autosave : Origin::File,
                                                session_, {solverMemoryLimit_}, services_, *formHalf_->ResP);
  if (opened.result != ReadResult::Ok) {
    if (textError != nullptr) *textError = opened.textError;
    return opened.result;
  }
  if (rememberName) currentTaskFile_ = path;
  ShowReplacedTask(opened.changes);
  SetCaption(true);
  return ReadResult::Ok;
}

void TZvForm::ShowReplacedTask(const Changes& changes) {
  formHalf_->EmptyCellsCB->setChecked(task().EmptyCells);
  if (textForm_ && TextBt()->isChecked()) textForm_->LoadText(task().Text);
  UpdateDescriptionMark();
  Apply(changes);
}

bool TZvForm::WriteTask(const QString& path, bool rememberName) {
  if (!WriteTaskQuietly(path, rememberName)) {
    services_.ShowMessage(FileErrorBox(path, kWriteFailedCaption, MessageIcon::Exclamation));
    return false;
  }
  return true;
}

bool TZvForm::WriteTaskQuietly(const QString& path, bool rememberName) {
  if (WriteTaskFile(FilePath(path), task()) != WriteResult::Ok) return false;
  if (rememberName) {
    currentTaskFile_ = path;
    session_.TaskSaved();
    recent_->Add(path);
  }
  SetCaption(rememberName);
  return true;
}

FileDialogRequest TZvForm::TaskDialogRequest(const char* title) const {
  const QFileInfo current(currentTaskFile_);
  FileDialogRequest request;
  request.title = Tr(title);
  request.defaultExtension = Tr(kTaskExtension);
  request.filter = Tr(title == kOpenTaskTitle ? kOpenFilter : kTaskFilter);
  request.initialFolder = currentTaskFile_.isEmpty() ? QString() : current.absolutePath();
  request.initialName = current.completeBaseName();
  return request;
}

void TZvForm::OpenBtClick() {
  if (!ControlsOf(workMode()).openEnabled) return;
  const std::optional<QString> path = services_.OpenFileName(TaskDialogRequest(kOpenTaskTitle));
  if (path && ChangesMayGo(kOpenTaskTitle)) ReadTask(*path, true);
}

void TZvForm::SaveBtClick() { SaveThroughDialog(); }

void TZvForm::NewBtClick() {
  if (!ControlsOf(workMode()).openEnabled || !ChangesMayGo(kNewTaskTitle)) return;
  currentTaskFile_.clear();  // Save then proposes no name
  ShowReplacedTask(session_.NewTask());
  SetCaption(false);
}

MessageAnswer TZvForm::AskToSaveChanges(const char* caption) {
  return services_.ShowMessage(
      {Tr(kSaveChangesQuestion), Tr(caption), MessageIcon::None, MessageButtons::SaveDiscardCancel});
}

bool TZvForm::ChangesMayGo(const char* caption) {
  if (!session_.TaskChanged()) return true;
  const MessageAnswer answer = AskToSaveChanges(caption);
  return answer == MessageAnswer::Discard || (answer == MessageAnswer::Save && SaveThroughDialog());
}

bool TZvForm::SaveThroughDialog() {
  const std::optional<QString> path = AskSavePath(services_, TaskDialogRequest(kSaveTaskTitle));
  return path && WriteTask(*path, true);
}

void TZvForm::OpenDroppedFiles(const QStringList& paths) {
  if (!ControlsOf(workMode()).openEnabled) return;
  if (!paths.isEmpty() && ChangesMayGo(kOpenTaskTitle)) ReadTask(paths.first(), true);
}

void TZvForm::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls() && ControlsOf(workMode()).openEnabled) event->acceptProposedAction();
}

void TZvForm::dropEvent(QDropEvent* event) {
  QStringList paths;
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile()) paths.append(url.toLocalFile());
  OpenDroppedFiles(paths);
  event->acceptProposedAction();
}

}  // namespace zv
