// The storage front: task files (the byte image, the checking reader and
// the writer), the unread autosave set aside, the settings values and the
// window placements, all through byte images, paths and the abstract
// Profile; nothing here shows anything.
//
// Usage:
//   zv::TaskState task;
//   const zv::ReadResult result = zv::ReadTaskFile(path, task);  // task untouched unless Ok
//   if (result != zv::ReadResult::Ok && result != zv::ReadResult::Missing)
//     zv::SetAsideUnreadAutosave(path, result, std::time(nullptr));  // the autosave only
//   zv::Settings s = zv::LoadSettings(profile, folder + zv::kAutosaveFileName);
//   ...
//   zv::WriteTaskFile(path, task);                        // temporary file, then rename
//   zv::SaveSettings(profile, s);
//   zv::SaveRecentFiles(profile, recent);                 // storage/recent_files.h
//
// States of a read: Ok (the task replaced) or one of Missing, Unreadable,
// TooShort, BadHeader, NewerVersion, Damaged (the task unchanged).
// A write is Ok or Failed; a failed write leaves the old file whole.
#pragma once

#include "storage/autosave.h"
#include "storage/placement.h"
#include "storage/recent_files.h"
#include "storage/settings.h"
#include "storage/task_file.h"
