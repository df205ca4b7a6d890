// The settings file "Zorvat.ini": display switches, cube colour and the
// current task file name in section "Opt" (window placements are in
// storage/placement.h). Values go through the abstract `Profile`, which the
// window side implements over its ini file; nothing here touches a file or a
// window.
//
// Usage at start-up and shut-down of the main window:
//   if (auto p = zv::LoadPlacement(profile, zv::kMainWindowSection, frame, desktop)) apply(*p);
//   zv::Settings s = zv::LoadSettings(profile, folder + zv::kAutosaveFileName);
//   ...
//   zv::SavePlacement(profile, zv::kMainWindowSection, current, frame);
//   zv::SaveSettings(profile, s);
//
// Missing keys and values that are not whole decimal numbers give the
// defaults; nothing is ever reported.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

inline constexpr const char* kSettingsFileName = "Zorvat.ini";
inline constexpr const char* kAutosaveFileName = "Current.zvt";
// Beside it, the place of the window's stopped run (a checkpoint file).
inline constexpr const char* kKeptRunFileName = "Current.zvu";

inline constexpr const char* kOptSection = "Opt";

// Colours are 24-bit values B*65536 + G*256 + R; the default is RGB(230,230,230).
inline constexpr std::uint32_t kDefaultCubeColor = 0xE6E6E6;  // 15132390

// String values of an ini file, by section and key.
class Profile {
 public:
  virtual ~Profile() = default;
  // The stored value, or `fallback` when the section or key is absent.
  virtual std::string Read(const std::string& section, const std::string& key,
                           const std::string& fallback) = 0;
  virtual void Write(const std::string& section, const std::string& key, const std::string& value) = 0;
};

// A whole decimal number in int range (optional sign, digits, blanks around
// allowed); anything else, including "", gives nullopt.
std::optional<int> ParseWholeNumber(std::string_view text);

// Values of section "Opt". Booleans are written "1"/"0" and read as integers,
// any non-zero value meaning true.
bool ReadOptBool(Profile& profile, const std::string& key, bool fallback);
void WriteOptBool(Profile& profile, const std::string& key, bool value);
int ReadOptInt(Profile& profile, const std::string& key, int fallback);
void WriteOptInt(Profile& profile, const std::string& key, int value);

// "Color": absent, 0, or a value outside 0..0xFFFFFF gives kDefaultCubeColor;
// writing kDefaultCubeColor stores 0.
std::uint32_t ReadCubeColor(Profile& profile);
void WriteCubeColor(Profile& profile, std::uint32_t color);

// What section "Opt" holds. Field names are the keys.
struct Settings {
  bool Numbers = false;    // cube numbers shown in the figure
  bool Links = true;       // links drawn as segments between cube centres
  bool PrevLayer = false;  // form view also shows the previous layer
  bool NextLayer = false;  // form view also shows the next layer
  bool ShowText = false;   // description window shown
  std::uint32_t Color = kDefaultCubeColor;
  std::string TaskFile;  // current task file name
  int Threads = 0;       // solver threads, 0 = one per processor; set by hand, never written
  bool operator==(const Settings&) const = default;
};

// The language of the window's texts. Russian is the language they are
// written in; English comes from the translation.
enum class Language { Russian, English };

// A language name: "ru" or "en" in any case, alone or followed by a region
// ("en-GB", "ru_RU", "en_US.UTF-8"); anything else gives nullopt.
std::optional<Language> ParseLanguage(std::string_view name);

// "Language" of section "Opt" when it names a language; otherwise the first
// of `uiLanguages` (the system's UI languages, most preferred first) that is
// English or Russian; otherwise Russian. Set by hand, never written.
Language ChooseLanguage(Profile& profile, const std::vector<std::string>& uiLanguages);

// Reads "Numbers", "Links", "PrevLayer", "NextLayer", "ShowText", "Color",
// then "TaskFile" (absent or empty: `defaultTaskFile`, the program folder's
// autosave file) and "Threads" (absent, negative or not a number: 0). The
// caller keeps TaskFile only when the command line named no task.
Settings LoadSettings(Profile& profile, const std::string& defaultTaskFile);

// Writes "TaskFile", "Numbers", "Links", "PrevLayer", "NextLayer",
// "ShowText", then "Color". At shut-down it follows the main window's
// SavePlacement; after a close without saving neither is called.
void SaveSettings(Profile& profile, const Settings& settings);

}  // namespace zv
