// The Qt implementation of the window program's services: QMessageBox,
// QFileDialog, QColorDialog, QClipboard, QDesktopServices.
#pragma once

#include "platform/qt/services.h"

class QWidget;

namespace zv {

class QtServices final : public Services {
 public:
  // Dialogs and boxes are parented to `owner` (may be null).
  explicit QtServices(QWidget* owner = nullptr) : owner_(owner) {}
  void SetOwner(QWidget* owner) { owner_ = owner; }

  MessageAnswer ShowMessage(const MessageRequest& request) override;
  std::optional<QString> OpenFileName(const FileDialogRequest& request) override;
  std::optional<QString> SaveFileName(const FileDialogRequest& request) override;
  std::optional<ColorValue> ChooseColor(ColorValue preset, ColorValue custom) override;
  std::optional<QString> ClipboardText() override;
  void SetClipboardText(const QString& text) override;
  void OpenWebPage(const QString& url) override;
  void ProcessPendingEvents() override;

 private:
  QWidget* owner_;
};

}  // namespace zv
