// The message boxes about files and the save dialog (ui/file_boxes.h).
#include "ui/file_boxes.h"

#include <QFileInfo>

#include "texts/core_texts.h"
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

std::optional<QString> AskSavePath(Services& services, const FileDialogRequest& request) {
  std::optional<QString> path = services.SaveFileName(request);
  if (path && QFileInfo::exists(*path) &&
      services.ShowMessage({Tr(kOverwriteQuestion), Tr(kOverwriteCaption), MessageIcon::None,
                            MessageButtons::YesNo}) != MessageAnswer::Yes)
    return std::nullopt;
  return path;
}

void ReportSaveFailure(Services& services, const QString& path, SaveResult result, const QString& types) {
  if (result == SaveResult::UnknownType)
    services.ShowMessage(FileErrorBox(path, kUnknownFileTypeCaption, MessageIcon::Exclamation,
                                      Tr(kKnownFileTypesText).arg(types)));
  else if (result == SaveResult::WriteFailed)
    services.ShowMessage(FileErrorBox(path, kWriteFailedCaption, MessageIcon::Exclamation));
}

MessageIcon ReadFailureIcon(ReadResult result) {
  return result == ReadResult::Unreadable ? MessageIcon::Exclamation : MessageIcon::Error;
}

}  // namespace zv
