// Moving an unread autosave file aside under a dated name.
#include "storage/autosave.h"

#include <cstdio>

#include "platform/files.h"

namespace zv {
namespace {

constexpr const char* kTaskSuffix = ".zvt";

std::string WithoutTaskSuffix(const std::string& path) {
  const std::string suffix = kTaskSuffix;
  if (path.size() > suffix.size() && path.compare(path.size() - suffix.size(), suffix.size(), suffix) == 0)
    return path.substr(0, path.size() - suffix.size());
  return path;
}

}  // namespace

std::string SetAsideBase(const std::string& path, ReadResult result, std::time_t when) {
  const char* kind = result == ReadResult::NewerVersion ? ".newer-" : ".damaged-";
  return DatedName(WithoutTaskSuffix(path), kind, when);
}

std::string DatedName(const std::string& base, const char* kind, std::time_t when) {
  std::tm local{};
  localtime_r(&when, &local);
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04d%02d%02d-%02d%02d%02d", local.tm_year + 1900, local.tm_mon + 1,
                local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
  return base + kind + stamp;
}

std::optional<std::string> SetAsideUnreadAutosave(const std::string& path, ReadResult result,
                                                  std::time_t when) {
  if (result == ReadResult::Ok || result == ReadResult::Missing) return std::nullopt;
  return MoveAside(path, SetAsideBase(path, result, when), kTaskSuffix);
}

}  // namespace zv
