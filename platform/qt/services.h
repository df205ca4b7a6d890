// The window program's services from the platform, behind one interface so
// that tests answer every message box and dialog themselves and nothing ever
// blocks: message boxes, open/save/colour/number dialogs, the clipboard, web pages
// and processing pending window events.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/ticks.h"

namespace zv {

enum class MessageIcon { Exclamation, Error, None };  // None: the overwrite question
// SaveDiscardCancel: a failed write at exit, answered by saving elsewhere,
// closing without saving, or going on working.
enum class MessageButtons { Ok, YesNo, SaveDiscardCancel };
enum class MessageAnswer { Ok, Yes, No, Save, Discard, Cancel };

// A modal message box that stays on top: the text, the caption, the icon
// and the buttons.
struct MessageRequest {
  QString text;
  QString caption;
  MessageIcon icon = MessageIcon::Exclamation;
  MessageButtons buttons = MessageButtons::Ok;
};

// An open or save dialog. It asks nothing about overwriting; the caller
// does that itself.
struct FileDialogRequest {
  QString title;
  QString defaultExtension;  // without the dot, e.g. "zvt"
  QString filter;            // e.g. "*.zvt"
  QString initialFolder;     // without a trailing separator
  QString initialName;       // base name, no folder, no extension
};

// A dialog asking for one number: its label, the value it starts from, its
// range and the decimals it shows.
struct NumberRequest {
  QString title;
  QString label;
  double value = 1;
  double lowest = 0, highest = 1;
  int decimals = 0;
};

// A colour held as B*65536 + G*256 + R, as the settings store it.
using ColorValue = std::uint32_t;

class Services {
 public:
  virtual ~Services() = default;

  virtual MessageAnswer ShowMessage(const MessageRequest& request) = 0;
  // Full path of the chosen file, or nothing when the user cancels.
  virtual std::optional<QString> OpenFileName(const FileDialogRequest& request) = 0;
  virtual std::optional<QString> SaveFileName(const FileDialogRequest& request) = 0;
  // The colour dialog preset to `preset`, with the single custom colour
  // `custom`; the chosen colour or nothing.
  virtual std::optional<ColorValue> ChooseColor(ColorValue preset, ColorValue custom) = 0;
  // The number entered, or nothing when the user cancels.
  virtual std::optional<double> AskNumber(const NumberRequest& request) = 0;
  // The clipboard's Unicode text, or nothing when it holds none.
  virtual std::optional<QString> ClipboardText() = 0;
  virtual void SetClipboardText(const QString& text) = 0;
  virtual void OpenWebPage(const QString& url) = 0;
  // Runs every pending window event, and so any enabled handler.
  virtual void ProcessPendingEvents() = 0;
  // The clock that times a solve run's progress.
  virtual TickSource& SolveClock() { return SystemTicks(); }
};

}  // namespace zv
