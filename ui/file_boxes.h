// The message boxes about task and settings files: the path, then the
// reason on a line of its own (the reason stands in the text too, since a
// narrow box may cut its caption), and the icon a failed read carries.
#pragma once

#include <QString>

#include "platform/qt/services.h"
#include "storage/task_file.h"

namespace zv {

// "path\nreason" with the reason in UTF-8.
QString FileErrorText(const QString& path, const char* reason);

// The box for `path` with caption `caption` (UTF-8), the caption repeated
// under the path and `more` below that, one a line; an OK button.
MessageRequest FileErrorBox(const QString& path, const char* caption, MessageIcon icon,
                            const QString& more = {});

// The box at exit when the autosave or the settings file could not be
// written: each failure under its path, then the question whether to save
// the task elsewhere (Save, Discard = close anyway, Cancel = go on working).
MessageRequest ExitWriteFailedBox(const QString& autosavePath, bool taskWritten, const QString& settingsPath,
                                  bool settingsWritten);

// Damaged contents carry the error icon; a file that cannot be read at all
// the exclamation icon.
MessageIcon ReadFailureIcon(ReadResult result);

}  // namespace zv
