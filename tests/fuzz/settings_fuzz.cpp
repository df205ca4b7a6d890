// libFuzzer target for the settings and window-placement readers. The input
// is an ini text ("[Section]" lines, then "key=value" lines) held in memory
// as a Profile. Whatever it holds: the loaded settings keep their colour in
// range and name a task file, and come back equal through SaveSettings over
// the same text and LoadSettings; a placement that loads lies on the desktop
// and comes back equal through SavePlacement and LoadPlacement; every value
// that parses as a whole number or a placement parses again from its own
// written form.
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "storage/placement.h"
#include "storage/settings.h"

namespace {

class MemoryProfile final : public zv::Profile {
 public:
  std::string Read(const std::string& section, const std::string& key, const std::string& fallback) override {
    const auto found = values_.find({section, key});
    return found == values_.end() ? fallback : found->second;
  }
  void Write(const std::string& section, const std::string& key, const std::string& value) override {
    values_[{section, key}] = value;
  }
  const std::map<std::pair<std::string, std::string>, std::string>& Values() const { return values_; }

 private:
  std::map<std::pair<std::string, std::string>, std::string> values_;
};

MemoryProfile ReadIni(std::string_view text) {
  MemoryProfile profile;
  std::string section;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      section = line.substr(1, line.size() - 2);
    } else if (const std::size_t equals = line.find('='); equals != std::string_view::npos) {
      profile.Write(section, std::string(line.substr(0, equals)), std::string(line.substr(equals + 1)));
    }
  }
  return profile;
}

constexpr const char* kDefaultTaskFile = "/program/Current.zvt";
constexpr zv::FrameMetrics kFrames[] = {{0, 0, 0}, {4, 4, 23}, {-3, 1000000000, 2147483647}};
constexpr zv::DesktopRect kDesktop{-1920, 0, 3840, 1080};
constexpr const char* kSections[] = {zv::kMainWindowSection, zv::kNumbersWindowSection,
                                     zv::kTextWindowSection};

void CheckSettings(MemoryProfile& profile) {
  const zv::Settings settings = zv::LoadSettings(profile, kDefaultTaskFile);
  if (settings.Color == 0 || settings.Color > 0xFFFFFF || settings.TaskFile.empty()) std::abort();
  // A save writes over the file it was read from, so what is set by hand
  // and never written (the thread count) stays as it was.
  MemoryProfile saved = profile;
  zv::SaveSettings(saved, settings);
  if (!(zv::LoadSettings(saved, kDefaultTaskFile) == settings)) std::abort();
}

void CheckPlacements(MemoryProfile& profile) {
  for (const zv::FrameMetrics& frame : kFrames)
    for (const char* section : kSections) {
      const std::optional<zv::WindowPlacement> loaded = zv::LoadPlacement(profile, section, frame, kDesktop);
      if (!loaded) continue;
      if (loaded->width <= 0 || loaded->height <= 0 || !zv::PlacementFitsDesktop(*loaded, kDesktop))
        std::abort();
      MemoryProfile saved;
      zv::SavePlacement(saved, section, *loaded, frame);
      if (zv::LoadPlacement(saved, section, frame, kDesktop) != loaded) std::abort();
    }
}

void CheckValues(const MemoryProfile& profile) {
  for (const auto& [where, value] : profile.Values()) {
    if (const std::optional<int> number = zv::ParseWholeNumber(value))
      if (zv::ParseWholeNumber(std::to_string(*number)) != number) std::abort();
    for (const zv::FrameMetrics& frame : kFrames)
      if (const std::optional<zv::WindowPlacement> placement = zv::ParsePlacement(value, frame))
        if (zv::ParsePlacement(zv::FormatPlacement(*placement, frame), frame) != placement) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  MemoryProfile profile = ReadIni(std::string_view(reinterpret_cast<const char*>(data), size));
  CheckSettings(profile);
  CheckPlacements(profile);
  CheckValues(profile);
  return 0;
}
