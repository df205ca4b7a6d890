// Reading and writing section "Opt" of the settings file through a Profile.
#include "storage/settings.h"

#include <algorithm>
#include <charconv>

namespace zv {

namespace {

constexpr std::uint32_t kLargestColor = 0xFFFFFF;

constexpr const char* kNumbersKey = "Numbers";
constexpr const char* kLinksKey = "Links";
constexpr const char* kPrevLayerKey = "PrevLayer";
constexpr const char* kNextLayerKey = "NextLayer";
constexpr const char* kShowTextKey = "ShowText";
constexpr const char* kColorKey = "Color";
constexpr const char* kTaskFileKey = "TaskFile";
constexpr const char* kThreadsKey = "Threads";
constexpr const char* kLanguageKey = "Language";

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

}  // namespace

std::optional<Language> ParseLanguage(std::string_view name) {
  if (name.size() < 2 || (name.size() > 2 && name[2] != '-' && name[2] != '_' && name[2] != '.'))
    return std::nullopt;
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  const std::string code{lower(name[0]), lower(name[1])};
  if (code == "ru") return Language::Russian;
  if (code == "en") return Language::English;
  return std::nullopt;
}

Language ChooseLanguage(Profile& profile, const std::vector<std::string>& uiLanguages) {
  if (auto chosen = ParseLanguage(TrimBlanks(profile.Read(kOptSection, kLanguageKey, "")))) return *chosen;
  for (const std::string& name : uiLanguages)
    if (auto preferred = ParseLanguage(name)) return *preferred;
  return Language::Russian;
}

std::optional<int> ParseWholeNumber(std::string_view text) {
  text = TrimBlanks(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  int value = 0;
  const char* end = text.data() + text.size();
  auto [stop, error] = std::from_chars(text.data(), end, value, 10);
  if (error != std::errc() || stop != end) return std::nullopt;
  return value;
}

int ReadOptInt(Profile& profile, const std::string& key, int fallback) {
  std::optional<int> value = ParseWholeNumber(profile.Read(kOptSection, key, ""));
  return value ? *value : fallback;
}

void WriteOptInt(Profile& profile, const std::string& key, int value) {
  profile.Write(kOptSection, key, std::to_string(value));
}

bool ReadOptBool(Profile& profile, const std::string& key, bool fallback) {
  return ReadOptInt(profile, key, fallback ? 1 : 0) != 0;
}

void WriteOptBool(Profile& profile, const std::string& key, bool value) {
  WriteOptInt(profile, key, value ? 1 : 0);
}

std::uint32_t ReadCubeColor(Profile& profile) {
  int stored = ReadOptInt(profile, kColorKey, 0);
  if (stored <= 0 || static_cast<std::uint32_t>(stored) > kLargestColor) return kDefaultCubeColor;
  return static_cast<std::uint32_t>(stored);
}

void WriteCubeColor(Profile& profile, std::uint32_t color) {
  color &= kLargestColor;
  WriteOptInt(profile, kColorKey, color == kDefaultCubeColor ? 0 : static_cast<int>(color));
}

Settings LoadSettings(Profile& profile, const std::string& defaultTaskFile) {
  Settings settings;
  settings.Numbers = ReadOptBool(profile, kNumbersKey, false);
  settings.Links = ReadOptBool(profile, kLinksKey, true);
  settings.PrevLayer = ReadOptBool(profile, kPrevLayerKey, false);
  settings.NextLayer = ReadOptBool(profile, kNextLayerKey, false);
  settings.ShowText = ReadOptBool(profile, kShowTextKey, false);
  settings.Color = ReadCubeColor(profile);
  settings.TaskFile = profile.Read(kOptSection, kTaskFileKey, "");
  settings.Threads = std::max(0, ReadOptInt(profile, kThreadsKey, 0));
  if (settings.TaskFile.empty()) settings.TaskFile = defaultTaskFile;
  return settings;
}

void SaveSettings(Profile& profile, const Settings& settings) {
  profile.Write(kOptSection, kTaskFileKey, settings.TaskFile);
  WriteOptBool(profile, kNumbersKey, settings.Numbers);
  WriteOptBool(profile, kLinksKey, settings.Links);
  WriteOptBool(profile, kPrevLayerKey, settings.PrevLayer);
  WriteOptBool(profile, kNextLayerKey, settings.NextLayer);
  WriteOptBool(profile, kShowTextKey, settings.ShowText);
  WriteCubeColor(profile, settings.Color);
}

}  // namespace zv
