// The last task files opened or saved, most recent first, kept in section
// "Recent" of "Zorvat.ini" as "File1" .. "File10" through the settings
// Profile; nothing here looks at the files themselves.
//
// Usage:
//   std::vector<std::string> recent = zv::LoadRecentFiles(profile);
//   zv::AddRecentFile(recent, path);        // after a task was opened or saved
//   zv::SaveRecentFiles(profile, recent);   // with the other settings at exit
#pragma once

#include <string>
#include <vector>

#include "storage/settings.h"

namespace zv {

inline constexpr const char* kRecentSection = "Recent";
inline constexpr std::size_t kMostRecentFiles = 10;

// The non-empty values of "File1" .. "File10", each path once.
std::vector<std::string> LoadRecentFiles(Profile& profile);
// Writes all ten keys; those past the list become "".
void SaveRecentFiles(Profile& profile, const std::vector<std::string>& files);

// Puts `path` first (moving it there when listed) and keeps the first ten.
void AddRecentFile(std::vector<std::string>& files, const std::string& path);
void RemoveRecentFile(std::vector<std::string>& files, const std::string& path);

}  // namespace zv
