// Task files from the window: reading and writing with their message boxes,
// the Open and Save buttons with their dialogs and the overwrite question,
// dropped files, and the caption that names the current task file. A task
// is never loaded while a solve runs: the search works on the task in place.
#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QToolButton>
#include <QUrl>

#include "storage/task_file.h"
#include "ui/text_window.h"
#include "ui/window_texts.h"
#include "ui/zv_form.h"

namespace zv {

namespace {

std::string FilePath(const QString& path) { return QFile::encodeName(path).toStdString(); }

// Damaged contents carry the error icon; a file that cannot be read at all
// the exclamation icon.
MessageIcon ReadFailureIcon(ReadResult result) {
  return result == ReadResult::Unreadable ? MessageIcon::Exclamation : MessageIcon::Error;
}

}  // namespace

void TZvForm::SetCaption(bool withFileName) {
  if (withFileName)
    setWindowTitle(
        QString::fromUtf8(kProgramCaptionWithFile).arg(QFileInfo(currentTaskFile_).completeBaseName()));
  else
    setWindowTitle(QString::fromUtf8(kProgramCaption));
}

void TZvForm::ShowFileError(const QString& path, const char* caption, MessageIcon icon) {
  services_.ShowMessage({path, QString::fromUtf8(caption), icon, MessageButtons::Ok});
}

bool TZvForm::ReadTask(const QString& path, bool rememberName) {
  if (path.isEmpty()) return false;
  auto loaded = std::make_unique<TaskState>();
  const ReadResult result = ReadTaskFile(FilePath(path), *loaded);
  if (result == ReadResult::Missing) return false;
  if (result != ReadResult::Ok) {
    ShowFileError(path, ReadResultCaption(result), ReadFailureIcon(result));
    return false;
  }
  EndNumberingMode();
  task_ = std::move(loaded);
  history_.Reset();
  EmptyCellsCB->setChecked(task_->EmptyCells);
  if (textForm_ && TextBt->isChecked()) textForm_->LoadText(task_->Text);
  UpdateDescriptionMark();
  if (rememberName) currentTaskFile_ = path;
  Layout();
  FigureRedraw(true);
  FormRedraw(false);
  SetCaption(true);
  return true;
}

bool TZvForm::WriteTask(const QString& path, bool rememberName) {
  if (WriteTaskFile(FilePath(path), *task_) != WriteResult::Ok) {
    ShowFileError(path, kWriteFailedCaption, MessageIcon::Exclamation);
    return false;
  }
  if (rememberName) currentTaskFile_ = path;
  SetCaption(rememberName);
  return true;
}

FileDialogRequest TZvForm::TaskDialogRequest(const char* title) const {
  const QFileInfo current(currentTaskFile_);
  FileDialogRequest request;
  request.title = QString::fromUtf8(title);
  request.defaultExtension = QString::fromUtf8(kTaskExtension);
  request.filter = QString::fromUtf8(kTaskFilter);
  request.initialFolder = currentTaskFile_.isEmpty() ? QString() : current.absolutePath();
  request.initialName = current.completeBaseName();
  return request;
}

void TZvForm::OpenBtClick() {
  if (!ControlsOf(workMode_).openEnabled) return;
  const std::optional<QString> path = services_.OpenFileName(TaskDialogRequest(kOpenTaskTitle));
  if (!path || !ReadTask(*path, true)) return;
  SetWorkMode(WorkMode::Edit);
  FormRedraw(true);
}

void TZvForm::SaveBtClick() {
  const std::optional<QString> path = services_.SaveFileName(TaskDialogRequest(kSaveTaskTitle));
  if (!path) return;
  if (QFileInfo::exists(*path) &&
      services_.ShowMessage({QString::fromUtf8(kOverwriteQuestion), QString::fromUtf8(kOverwriteCaption),
                             MessageIcon::None, MessageButtons::YesNo}) != MessageAnswer::Yes)
    return;
  WriteTask(*path, true);
}

void TZvForm::OpenDroppedFiles(const QStringList& paths) {
  if (!ControlsOf(workMode_).openEnabled) return;
  if (paths.isEmpty() || !ReadTask(paths.first(), true)) return;
  SetWorkMode(WorkMode::Edit);
  FormRedraw(true);
}

void TZvForm::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls() && ControlsOf(workMode_).openEnabled) event->acceptProposedAction();
}

void TZvForm::dropEvent(QDropEvent* event) {
  QStringList paths;
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile()) paths.append(url.toLocalFile());
  OpenDroppedFiles(paths);
  event->acceptProposedAction();
}

}  // namespace zv
