// Qt dialogs and system services behind the Services interface.
#include "platform/qt/qt_services.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QUrl>

#include "platform/qt/color_value.h"

namespace zv {

MessageAnswer QtServices::ShowMessage(const MessageRequest& request) {
  const QMessageBox::Icon icon = request.icon == MessageIcon::Error  ? QMessageBox::Critical
                                 : request.icon == MessageIcon::None ? QMessageBox::NoIcon
                                                                     : QMessageBox::Warning;
  QMessageBox box(icon, request.caption, request.text,
                  request.buttons == MessageButtons::YesNo ? (QMessageBox::Yes | QMessageBox::No)
                                                           : QMessageBox::Ok,
                  owner_);
  box.setWindowFlag(Qt::WindowStaysOnTopHint);
  switch (box.exec()) {
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    default: return request.buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
  }
}

namespace {

std::optional<QString> RunFileDialog(QWidget* owner, const FileDialogRequest& request,
                                     QFileDialog::AcceptMode mode) {
  QFileDialog dialog(owner, request.title, request.initialFolder, request.filter);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
  dialog.setDefaultSuffix(request.defaultExtension);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.selectFile(request.initialName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return QDir::toNativeSeparators(dialog.selectedFiles().first());
}

}  // namespace

std::optional<QString> QtServices::OpenFileName(const FileDialogRequest& request) {
  return RunFileDialog(owner_, request, QFileDialog::AcceptOpen);
}

std::optional<QString> QtServices::SaveFileName(const FileDialogRequest& request) {
  return RunFileDialog(owner_, request, QFileDialog::AcceptSave);
}

std::optional<ColorValue> QtServices::ChooseColor(ColorValue preset, ColorValue custom) {
  QColorDialog::setCustomColor(0, ToQColor(custom));
  QColor chosen = QColorDialog::getColor(ToQColor(preset), owner_);
  if (!chosen.isValid()) return std::nullopt;
  return FromQColor(chosen);
}

std::optional<QString> QtServices::ClipboardText() {
  const QMimeData* data = QApplication::clipboard()->mimeData();
  if (data == nullptr || !data->hasText()) return std::nullopt;
  return data->text();
}

void QtServices::SetClipboardText(const QString& text) { QApplication::clipboard()->setText(text); }

void QtServices::OpenWebPage(const QString& url) { QDesktopServices::openUrl(QUrl(url)); }

void QtServices::ProcessPendingEvents() { QApplication::processEvents(); }

}  // namespace zv
