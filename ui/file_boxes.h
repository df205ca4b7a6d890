// The message boxes about the files the window reads and writes: the path,
// then the reason on a line of its own (the reason stands in the text too,
// since a narrow box may cut its caption), and the icon a failed read
// carries; and the save dialog of every file the window writes, with its
// overwrite question.
#pragma once

#include <QString>
#include <optional>

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

// The save dialog, then, when the chosen file exists, the question whether
// to replace it; nothing when the user cancels the dialog or says no. The
// dialog itself never asks, so every file the window saves (tasks, models,
// pictures) gets this one question.
std::optional<QString> AskSavePath(Services& services, const FileDialogRequest& request);

// How a save by the file name's extension went.
enum class SaveResult { Written, UnknownType, WriteFailed };
// The box for a save that failed (none for Written): the path and the
// reason, and for an unknown type the extensions that are written
// (`types`, e.g. "*.svg *.png").
void ReportSaveFailure(Services& services, const QString& path, SaveResult result, const QString& types);

// Damaged contents carry the error icon; a file that cannot be read at all
// the exclamation icon.
MessageIcon ReadFailureIcon(ReadResult result);

}  // namespace zv
