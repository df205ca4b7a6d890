// The recent task files in the settings profile (storage/recent_files.h).
#include "storage/recent_files.h"

#include <algorithm>

namespace zv {
namespace {

std::string Key(std::size_t i) { return "File" + std::to_string(i + 1); }

}  // namespace

std::vector<std::string> LoadRecentFiles(Profile& profile) {
  std::vector<std::string> files;
  for (std::size_t i = 0; i < kMostRecentFiles; ++i) {
    std::string path = profile.Read(kRecentSection, Key(i), "");
    if (!path.empty() && std::find(files.begin(), files.end(), path) == files.end())
      files.push_back(std::move(path));
  }
  return files;
}

void SaveRecentFiles(Profile& profile, const std::vector<std::string>& files) {
  for (std::size_t i = 0; i < kMostRecentFiles; ++i)
    profile.Write(kRecentSection, Key(i), i < files.size() ? files[i] : std::string());
}

void AddRecentFile(std::vector<std::string>& files, const std::string& path) {
  if (path.empty()) return;
  RemoveRecentFile(files, path);
  files.insert(files.begin(), path);
  if (files.size() > kMostRecentFiles) files.resize(kMostRecentFiles);
}

void RemoveRecentFile(std::vector<std::string>& files, const std::string& path) {
  files.erase(std::remove(files.begin(), files.end(), path), files.end());
}

}  // namespace zv
