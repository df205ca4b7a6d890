// The message boxes about task and settings files (ui/file_boxes.h).
#include "ui/file_boxes.h"

namespace zv {

QString FileErrorText(const QString& path, const char* reason) {
  return path + QLatin1Char('\n') + QString::fromUtf8(reason);
}

MessageRequest FileErrorBox(const QString& path, const char* caption, MessageIcon icon, const QString& more) {
  QString text = FileErrorText(path, caption);
  if (!more.isEmpty()) text += QLatin1Char('\n') + more;
  return {text, QString::fromUtf8(caption), icon, MessageButtons::Ok};
}

MessageIcon ReadFailureIcon(ReadResult result) {
  return result == ReadResult::Unreadable ? MessageIcon::Exclamation : MessageIcon::Error;
}

}  // namespace zv
