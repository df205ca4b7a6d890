// The message boxes about task and settings files (ui/file_boxes.h).
#include "ui/file_boxes.h"

#include "ui/texts/core_texts.h"
#include "ui/tr.h"
#include "ui/window_texts.h"

namespace zv {

QString FileErrorText(const QString& path, const char* reason) {
  return path + QLatin1Char('\n') + Tr(reason);
}

MessageRequest FileErrorBox(const QString& path, const char* caption, MessageIcon icon, const QString& more) {
  QString text = FileErrorText(path, caption);
  if (!more.isEmpty()) text += QLatin1Char('\n') + more;
  return {text, Tr(caption), icon, MessageButtons::Ok};
}

MessageRequest ExitWriteFailedBox(const QString& autosavePath, bool taskWritten, const QString& settingsPath,
                                  bool settingsWritten) {
  QString text;
  if (!taskWritten) text += FileErrorText(autosavePath, kAutosaveNotWrittenText) + QLatin1Char('\n');
  if (!settingsWritten) text += FileErrorText(settingsPath, kSettingsNotWrittenText) + QLatin1Char('\n');
  text += Tr(kSaveElsewhereQuestion);
  return {text, Tr(kWriteFailedCaption), MessageIcon::Exclamation, MessageButtons::SaveDiscardCancel};
}

MessageIcon ReadFailureIcon(ReadResult result) {
  return result == ReadResult::Unreadable ? MessageIcon::Exclamation : MessageIcon::Error;
}

}  // namespace zv
