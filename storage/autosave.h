// The autosave file that could not be read at start: moved aside under a
// dated name in its own folder before anything can write over it, so a
// damaged task, or one written by a newer version, is never lost.
#pragma once

#include <ctime>
#include <optional>
#include <string>

#include "storage/task_file.h"

namespace zv {

// The name an unread autosave is kept under: "Current.zvt" read as Damaged
// at 2026-12-09 01:45:00 local time becomes "Current.damaged-20261209-014500.zvt"
// (".newer-" for a file of a newer version), with "-2", "-3", ... before
// the extension when that name is taken.
std::string SetAsideBase(const std::string& path, ReadResult result, std::time_t when);
// The same shape for any file and reason: `base` + `kind` + the stamp, e.g.
// "/d/Current" + ".other-" gives "/d/Current.other-20261209-014500".
std::string DatedName(const std::string& base, const char* kind, std::time_t when);

// Moves the autosave aside after a failed read (anything but Ok and
// Missing). Returns the new path, or nothing when it could not be moved.
std::optional<std::string> SetAsideUnreadAutosave(const std::string& path, ReadResult result,
                                                  std::time_t when);

}  // namespace zv
