// Qt dialogs and system services behind the Services interface.
#include "platform/qt/qt_services.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QUrl>
#include <cstdio>

#include "platform/qt/color_value.h"

namespace zv {

namespace {

// The answer that changes least: no overwrite, no save elsewhere.
MessageAnswer CautiousAnswer(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok:
      return MessageAnswer::Ok;
    case MessageButtons::YesNo:
      return MessageAnswer::No;
    case MessageButtons::SaveDiscardCancel:
      return MessageAnswer::Cancel;
  }
  return MessageAnswer::Ok;
}

QMessageBox::StandardButtons BoxButtons(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok:
      return QMessageBox::Ok;
    case MessageButtons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::SaveDiscardCancel:
      return QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

}  // namespace

MessageAnswer QtServices::ShowMessage(const MessageRequest& request) {
  if (unattended_) {
    ++unattendedMessages_;
    std::fprintf(stderr, "zorvat: %s\n%s\n", request.caption.toLocal8Bit().constData(),
                 request.text.toLocal8Bit().constData());
    return CautiousAnswer(request.buttons);
  }
  const QMessageBox::Icon icon = request.icon == MessageIcon::Error  ? QMessageBox::Critical
                                 : request.icon == MessageIcon::None ? QMessageBox::NoIcon
                                                                     : QMessageBox::Warning;
  QMessageBox box(icon, request.caption, request.text, BoxButtons(request.buttons), owner_);
  box.setWindowFlag(Qt::WindowStaysOnTopHint);
  if (request.buttons == MessageButtons::SaveDiscardCancel) box.setDefaultButton(QMessageBox::Save);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return MessageAnswer::Yes;
    case QMessageBox::No:
      return MessageAnswer::No;
    case QMessageBox::Save:
      return MessageAnswer::Save;
    case QMessageBox::Discard:
      return MessageAnswer::Discard;
    case QMessageBox::Cancel:
      return MessageAnswer::Cancel;
    default:
      return CautiousAnswer(request.buttons);
  }
}

namespace {

std::optional<QString> RunFileDialog(QWidget* owner, const FileDialogRequest& request,
                                     QFileDialog::AcceptMode mode) {
  QFileDialog dialog(owner, request.title, request.initialFolder, request.filter);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog.setDefaultSuffix(request.defaultExtension);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.selectFile(request.initialName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return QDir::toNativeSeparators(dialog.selectedFiles().first());
}

}  // namespace

std::optional<QString> QtServices::OpenFileName(const FileDialogRequest& request) {
  if (unattended_) return std::nullopt;
  return RunFileDialog(owner_, request, QFileDialog::AcceptOpen);
}

std::optional<QString> QtServices::SaveFileName(const FileDialogRequest& request) {
  if (unattended_) return std::nullopt;
  return RunFileDialog(owner_, request, QFileDialog::AcceptSave);
}

std::optional<ColorValue> QtServices::ChooseColor(ColorValue preset, ColorValue custom) {
  if (unattended_) return std::nullopt;
  QColorDialog::setCustomColor(0, ToQColor(custom));
  QColor chosen = QColorDialog::getColor(ToQColor(preset), owner_);
  if (!chosen.isValid()) return std::nullopt;
  return FromQColor(chosen);
}

std::optional<double> QtServices::AskNumber(const NumberRequest& request) {
  if (unattended_) return std::nullopt;
  bool ok = false;
  const double value = QInputDialog::getDouble(owner_, request.title, request.label, request.value,
                                               request.lowest, request.highest, request.decimals, &ok);
  if (!ok) return std::nullopt;
  return value;
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
