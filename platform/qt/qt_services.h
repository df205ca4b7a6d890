// The Qt implementation of the window program's services: QMessageBox,
// QFileDialog, QColorDialog, QClipboard, QDesktopServices. Without a user
// (screenshot runs) no box or dialog is ever shown: a box is printed to
// stderr and counted, so the run can end with a failure status.
#pragma once

#include "platform/qt/services.h"

class QWidget;

namespace zv {

class QtServices final : public Services {
 public:
  // Dialogs and boxes are parented to `owner` (may be null).
  explicit QtServices(QWidget* owner = nullptr) : owner_(owner) {}
  void SetOwner(QWidget* owner) { owner_ = owner; }
  // No user answers: boxes go to stderr, dialogs are cancelled.
  void SetUnattended(bool unattended) { unattended_ = unattended; }
  // Boxes printed while unattended.
  int UnattendedMessages() const { return unattendedMessages_; }

  MessageAnswer ShowMessage(const MessageRequest& request) override;
  std::optional<QString> OpenFileName(const FileDialogRequest& request) override;
  std::optional<QString> SaveFileName(const FileDialogRequest& request) override;
  std::optional<ColorValue> ChooseColor(ColorValue preset, ColorValue custom) override;
  std::optional<double> AskNumber(const NumberRequest& request) override;
  std::optional<QString> ClipboardText() override;
  void SetClipboardText(const QString& text) override;
  void OpenWebPage(const QString& url) override;
  void ProcessPendingEvents() override;

 private:
  QWidget* owner_;
  bool unattended_ = false;
  int unattendedMessages_ = 0;
};

}  // namespace zv
