// Services for window tests: every message box is recorded and answered
// with a button the test chose, dialogs return the paths and colours the
// test chose, and nothing ever blocks. Pending events are processed as the
// program does, so clicks queued by a test reach a window during a solve. Also a helper that starts a main
// window on a fresh data folder.
#pragma once

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "platform/qt/services.h"
#include "ui/zv_form.h"

namespace zv::test {

class FakeServices final : public Services {
 public:
  std::vector<MessageRequest> messages;          // every box shown, in order
  std::deque<MessageAnswer> answers;             // next answers; Ok / No / Cancel when empty
  std::deque<std::optional<QString>> openPaths;  // answers of the open dialog
  std::deque<std::optional<QString>> savePaths;  // answers of the save dialog
  std::vector<FileDialogRequest> dialogs;        // every dialog shown
  std::optional<ColorValue> color;               // answer of the colour dialog
  std::optional<QString> clipboard;
  std::deque<std::optional<double>> numbers;  // answers of the number dialog; cancelled when empty
  std::vector<NumberRequest> numberDialogs;   // every number dialog shown

  MessageAnswer ShowMessage(const MessageRequest& request) override {
    messages.push_back(request);
    if (!answers.empty()) {
      const MessageAnswer a = answers.front();
      answers.pop_front();
      return a;
    }
    switch (request.buttons) {
      case MessageButtons::YesNo:
        return MessageAnswer::No;
      case MessageButtons::SaveDiscardCancel:
        return MessageAnswer::Cancel;
      case MessageButtons::Ok:
        break;
    }
    return MessageAnswer::Ok;
  }
  std::optional<QString> OpenFileName(const FileDialogRequest& request) override {
    return Take(request, openPaths);
  }
  std::optional<QString> SaveFileName(const FileDialogRequest& request) override {
    return Take(request, savePaths);
  }
  std::optional<ColorValue> ChooseColor(ColorValue, ColorValue) override { return color; }
  std::optional<double> AskNumber(const NumberRequest& request) override {
    numberDialogs.push_back(request);
    if (numbers.empty()) return std::nullopt;
    const std::optional<double> a = numbers.front();
    numbers.pop_front();
    return a;
  }
  std::optional<QString> ClipboardText() override { return clipboard; }
  void SetClipboardText(const QString& text) override { clipboard = text; }
  void OpenWebPage(const QString&) override {}
  void ProcessPendingEvents() override { QCoreApplication::processEvents(); }
  // A clock that stands still unless a test moves it, or moves `step` at
  // every reading; nothing when the system clock times the runs.
  struct StillTicks final : TickSource {
    Ticks now = 0;
    Ticks step = 0;
    Ticks Now() override { return now += step; }
  };
  std::optional<StillTicks> ticks;
  TickSource& SolveClock() override { return ticks ? static_cast<TickSource&>(*ticks) : SystemTicks(); }

 private:
  std::optional<QString> Take(const FileDialogRequest& request, std::deque<std::optional<QString>>& answers) {
    dialogs.push_back(request);
    if (answers.empty()) return std::nullopt;
    std::optional<QString> a = answers.front();
    answers.pop_front();
    return a;
  }
};

// A temporary data folder with a main window started on it.
struct WindowFixture {
  QTemporaryDir dir;
  FakeServices services;
  std::unique_ptr<TZvForm> window;

  QString folder() const { return dir.path() + '/'; }
  QString file(const char* name) const { return folder() + QString::fromUtf8(name); }

  // Starts the window; `parameter` as the command line's first parameter,
  // `solverMemory` the solver's memory limit in bytes (0: its default).
  TZvForm& Start(std::optional<QString> parameter = QStringLiteral("-"), std::size_t solverMemory = 0) {
    StartOptions options;
    options.dataFolder = folder();
    options.startParameter = std::move(parameter);
    options.solverMemoryLimit = solverMemory;
    window = std::make_unique<TZvForm>(services, options);
    return *window;
  }

  // Starts the window with an empty task and shows it; false when it was
  // never exposed.
  bool StartShown() {
    Start();
    window->show();
    return QTest::qWaitForWindowExposed(window.get());
  }

  // Closes the window, if still open, without writing settings or autosave.
  void CloseWithoutSaving() {
    if (window->isVisible()) window->CloseWithoutSaveAExecute();
  }
};

}  // namespace zv::test
