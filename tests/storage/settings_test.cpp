// Settings file values and window placements, over an in-memory profile.
#include "storage/settings.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "storage/placement.h"
#include "storage/recent_files.h"

namespace zv {
namespace {

// An ini file in memory that also remembers the order of the writes.
class MemoryProfile : public Profile {
 public:
  std::string Read(const std::string& section, const std::string& key, const std::string& fallback) override {
    auto found = values.find({section, key});
    return found == values.end() ? fallback : found->second;
  }
  void Write(const std::string& section, const std::string& key, const std::string& value) override {
    values[{section, key}] = value;
    writes.push_back(section + "/" + key);
  }
  std::string Stored(const std::string& section, const std::string& key) {
    return Read(section, key, "<absent>");
  }
  std::map<std::pair<std::string, std::string>, std::string> values;
  std::vector<std::string> writes;
};

// The recent files: newest first, each once, ten at most, and the ten keys
// of section "Recent" read back as written (empty and repeated values skipped).
TEST(SettingsTest, RecentFilesKeepTheLastTenEachOnce) {
  std::vector<std::string> files;
  for (int i = 1; i <= 12; ++i) AddRecentFile(files, "/t/" + std::to_string(i) + ".zvt");
  AddRecentFile(files, "/t/5.zvt");
  AddRecentFile(files, "");
  const std::vector<std::string> expected{"/t/5.zvt", "/t/12.zvt", "/t/11.zvt", "/t/10.zvt", "/t/9.zvt",
                                          "/t/8.zvt", "/t/7.zvt",  "/t/6.zvt",  "/t/4.zvt",  "/t/3.zvt"};
  EXPECT_EQ(files, expected);
  MemoryProfile profile;
  RemoveRecentFile(files, "/t/9.zvt");
  SaveRecentFiles(profile, files);
  EXPECT_EQ(profile.Stored("Recent", "File10"), "");
  EXPECT_EQ(LoadRecentFiles(profile), files);
  profile.values[{"Recent", "File3"}] = "/t/5.zvt";  // a hand-edited repeat
  profile.values[{"Recent", "File4"}] = "";
  EXPECT_EQ(LoadRecentFiles(profile).size(), files.size() - 2);
}

TEST(SettingsTest, LanguageFollowsTheSettingThenTheSystemThenRussian) {
  using enum Language;
  const struct {
    const char* setting;  // nullptr: no "Language" key
    std::vector<std::string> system;
    Language chosen;
  } cases[] = {
      {nullptr, {}, Russian},
      {nullptr, {"de-DE", "fr"}, Russian},
      {nullptr, {"en-US", "ru-RU"}, English},
      {nullptr, {"de", "ru-RU", "en-GB"}, Russian},
      {nullptr, {"de", "EN_gb"}, English},
      {nullptr, {"english", "enx"}, Russian},
      {"en", {"ru-RU"}, English},
      {" EN ", {}, English},
      {"ru", {"en-US"}, Russian},
      {"", {"en-US"}, English},
      {"klingon", {"en"}, English},
      {"klingon", {}, Russian},
  };
  for (const auto& c : cases) {
    MemoryProfile profile;
    if (c.setting != nullptr) profile.values[{"Opt", "Language"}] = c.setting;
    EXPECT_EQ(ChooseLanguage(profile, c.system), c.chosen) << (c.setting ? c.setting : "(absent)");
    EXPECT_TRUE(profile.writes.empty());
  }
}

TEST(SettingsTest, FreshProfileGivesDefaultsAndWritesNothing) {
  MemoryProfile profile;
  Settings s = LoadSettings(profile, "/opt/zorvat/Current.zvt");
  EXPECT_FALSE(s.Numbers);
  EXPECT_TRUE(s.Links);
  EXPECT_FALSE(s.PrevLayer);
  EXPECT_FALSE(s.NextLayer);
  EXPECT_FALSE(s.ShowText);
  EXPECT_EQ(s.Color, 15132390u);  // RGB(230,230,230)
  EXPECT_EQ(s.TaskFile, "/opt/zorvat/Current.zvt");
  EXPECT_TRUE(profile.values.empty());
}

TEST(SettingsTest, SaveWritesOptInOrderAndLoadRestoresIt) {
  MemoryProfile profile;
  Settings saved;
  saved.Numbers = true;
  saved.Links = false;
  saved.PrevLayer = true;
  saved.NextLayer = false;
  saved.ShowText = true;
  saved.Color = 0x0000FF;  // pure red: R is the low byte
  saved.TaskFile = "/home/u/puzzles/snake.zvt";
  SaveSettings(profile, saved);

  const std::vector<std::string> order = {"Opt/TaskFile",  "Opt/Numbers",  "Opt/Links", "Opt/PrevLayer",
                                          "Opt/NextLayer", "Opt/ShowText", "Opt/Color"};
  EXPECT_EQ(profile.writes, order);
  EXPECT_EQ(profile.Stored("Opt", "Numbers"), "1");
  EXPECT_EQ(profile.Stored("Opt", "Links"), "0");
  EXPECT_EQ(profile.Stored("Opt", "Color"), "255");
  EXPECT_EQ(profile.Stored("Opt", "TaskFile"), "/home/u/puzzles/snake.zvt");

  EXPECT_EQ(LoadSettings(profile, "unused"), saved);
}

TEST(SettingsTest, DefaultColourIsStoredAsZeroAndZeroReadsAsDefault) {
  MemoryProfile profile;
  WriteCubeColor(profile, 0xE6E6E6);
  EXPECT_EQ(profile.Stored("Opt", "Color"), "0");
  EXPECT_EQ(ReadCubeColor(profile), 0xE6E6E6u);

  // One step off the default is an ordinary colour: 231*65536 + 230*256 + 230.
  WriteCubeColor(profile, 0xE7E6E6);
  EXPECT_EQ(profile.Stored("Opt", "Color"), "15197926");
  EXPECT_EQ(ReadCubeColor(profile), 0xE7E6E6u);

  profile.values[{"Opt", "Color"}] = "16777215";  // white, the largest colour
  EXPECT_EQ(ReadCubeColor(profile), 0xFFFFFFu);
}

TEST(SettingsTest, ColourOutsideTwentyFourBitsReadsAsDefault) {
  MemoryProfile profile;
  for (const char* stored : {"-5", "16777216", "-2147483648"}) {
    profile.values[{"Opt", "Color"}] = stored;
    EXPECT_EQ(ReadCubeColor(profile), kDefaultCubeColor) << stored;
  }
}

TEST(SettingsTest, ValuesThatAreNotWholeNumbersCountAsAbsent) {
  MemoryProfile profile;
  for (const char* stored : {"", " ", "yes", "true", "1x", "0x10", "1.5", "--1", "+", "99999999999"}) {
    profile.values[{"Opt", "Links"}] = stored;
    profile.values[{"Opt", "Numbers"}] = stored;
    profile.values[{"Opt", "Color"}] = stored;
    EXPECT_TRUE(ReadOptBool(profile, "Links", true)) << stored;
    EXPECT_FALSE(ReadOptBool(profile, "Numbers", false)) << stored;
    EXPECT_EQ(ReadOptInt(profile, "Color", 77), 77) << stored;
    EXPECT_EQ(ReadCubeColor(profile), kDefaultCubeColor) << stored;
  }
}

TEST(SettingsTest, AnyNonZeroNumberIsTrue) {
  MemoryProfile profile;
  const std::pair<const char*, bool> cases[] = {{"0", false}, {"1", true},   {"2", true},
                                                {"-1", true}, {" 1 ", true}, {"+0", false}};
  for (auto [stored, expected] : cases) {
    profile.values[{"Opt", "Links"}] = stored;
    profile.values[{"Opt", "Numbers"}] = stored;
    EXPECT_EQ(ReadOptBool(profile, "Links", true), expected) << stored;
    EXPECT_EQ(ReadOptBool(profile, "Numbers", false), expected) << stored;
  }
}

TEST(SettingsTest, WholeNumbersKeepTheirSignAndRange) {
  EXPECT_EQ(ParseWholeNumber("15132390"), 15132390);
  EXPECT_EQ(ParseWholeNumber("-42"), -42);
  EXPECT_EQ(ParseWholeNumber("\t7 "), 7);
  EXPECT_EQ(ParseWholeNumber("2147483647"), 2147483647);
  EXPECT_EQ(ParseWholeNumber("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(ParseWholeNumber("2147483648"), std::nullopt);
  EXPECT_EQ(ParseWholeNumber("1 2"), std::nullopt);
}

TEST(SettingsTest, EmptyTaskFileFallsBackToTheAutosaveFile) {
  MemoryProfile profile;
  profile.values[{"Opt", "TaskFile"}] = "";
  EXPECT_EQ(LoadSettings(profile, "/p/Current.zvt").TaskFile, "/p/Current.zvt");
}

// The solver's thread count is set by hand: anything but a positive number
// means one thread per processor, and saving leaves the key as it was.
TEST(SettingsTest, ThreadsAreReadAndNeverWritten) {
  for (const auto& [stored, threads] :
       std::vector<std::pair<std::string, int>>{{"", 0}, {"3", 3}, {"-2", 0}, {"two", 0}, {"0", 0}}) {
    MemoryProfile profile;
    profile.values[{"Opt", "Threads"}] = stored;
    const Settings loaded = LoadSettings(profile, "/p/Current.zvt");
    EXPECT_EQ(loaded.Threads, threads) << stored;
    SaveSettings(profile, loaded);
    EXPECT_EQ(profile.Stored("Opt", "Threads"), stored);
  }
}

// Sizing border 8 pixels on each side, caption 23 pixels.
constexpr FrameMetrics kFrame{8, 8, 23};
constexpr DesktopRect kFullHd{0, 0, 1920, 1080};

TEST(PlacementTest, FormatTakesTheFrameOffAndParseAddsItBack) {
  WindowPlacement maximized{100, 200, 656, 519, true};
  // 656 - 2*8 = 640; 519 - 2*8 - 23 = 480.
  EXPECT_EQ(FormatPlacement(maximized, kFrame), "100,200,640,480,1");
  EXPECT_EQ(ParsePlacement("100,200,640,480,1", kFrame), maximized);

  WindowPlacement normal{-30, 1500, 400, 300, false};
  EXPECT_EQ(FormatPlacement(normal, FrameMetrics{}), "-30,1500,400,300,0");
  EXPECT_EQ(ParsePlacement(FormatPlacement(normal, kFrame), kFrame), normal);
}

TEST(PlacementTest, ShortOrBrokenValuesAreIgnored) {
  for (const char* value : {"", "100,200", "100,200,640,480", "a,200,640,480,0", "100,,640,480,0",
                            "100;200;640;480;0", "100,200,640,480,", "100,200,640,480,x"}) {
    EXPECT_EQ(ParsePlacement(value, kFrame), std::nullopt) << value;
  }
}

TEST(PlacementTest, ItemsAfterTheFifthAreIgnoredAndAnyNonZeroMaximizes) {
  EXPECT_EQ(ParsePlacement("1,2,3,4,7,junk,9", FrameMetrics{}), (WindowPlacement{1, 2, 3, 4, true}));
  EXPECT_EQ(ParsePlacement(" 1, 2, 3, 4, 0", FrameMetrics{}), (WindowPlacement{1, 2, 3, 4, false}));
}

TEST(PlacementTest, RectangleWithoutAreaOrBeyondIntRangeIsIgnored) {
  EXPECT_EQ(ParsePlacement("0,0,-16,480,0", kFrame), std::nullopt);  // -16 + 16 = 0 wide
  EXPECT_EQ(ParsePlacement("0,0,640,-40,0", kFrame), std::nullopt);  // -40 + 39 < 0 high
  EXPECT_EQ(ParsePlacement("0,0,2147483647,480,0", kFrame), std::nullopt);
  EXPECT_EQ(ParsePlacement("0,0,640,2147483640,0", kFrame), std::nullopt);
}

TEST(PlacementTest, AtLeastTwentyPixelsMustLieOnTheDesktop) {
  auto fits = [](int top, int left, const DesktopRect& desktop = kFullHd) {
    return PlacementFitsDesktop(WindowPlacement{top, left, 400, 300, false}, desktop);
  };
  EXPECT_TRUE(fits(100, 100));
  EXPECT_FALSE(fits(100, 5000));
  EXPECT_TRUE(fits(100, 1900));  // 1900 + 20 = 1920, not beyond the right edge
  EXPECT_FALSE(fits(100, 1901));
  EXPECT_TRUE(fits(100, -380));  // -380 + 400 = 20 pixels visible
  EXPECT_FALSE(fits(100, -381));
  EXPECT_TRUE(fits(1060, 100));  // 1060 + 20 = 1080
  EXPECT_FALSE(fits(1061, 100));
  EXPECT_TRUE(fits(-280, 100));  // -280 + 300 = 20
  EXPECT_FALSE(fits(-281, 100));
  // A second monitor to the left of the first one.
  DesktopRect twoMonitors{-1280, 0, 1920, 1080};
  EXPECT_TRUE(fits(100, -1000, twoMonitors));
  EXPECT_FALSE(fits(100, -1681, twoMonitors));
}

TEST(PlacementTest, ExtremeCoordinatesDoNotOverflowTheCheck) {
  EXPECT_FALSE(PlacementFitsDesktop(WindowPlacement{0, 2147483647, 400, 300, false}, kFullHd));
  EXPECT_FALSE(PlacementFitsDesktop(WindowPlacement{2147483647, 0, 400, 300, false}, kFullHd));
  EXPECT_TRUE(PlacementFitsDesktop(WindowPlacement{0, -2147483647, 2147483647, 300, false},
                                   DesktopRect{-2147483647, 0, 1920, 1080}));
}

TEST(PlacementTest, EachWindowKeepsItsOwnValueUnderWinPosition) {
  MemoryProfile profile;
  SavePlacement(profile, kMainWindowSection, WindowPlacement{10, 20, 656, 519, true}, kFrame);
  SavePlacement(profile, kNumbersWindowSection, WindowPlacement{30, 40, 216, 139, false}, kFrame);
  EXPECT_EQ(profile.Stored("0", "WinPosition"), "10,20,640,480,1");
  EXPECT_EQ(profile.Stored("Numbers", "WinPosition"), "30,40,200,100,0");

  EXPECT_EQ(LoadPlacement(profile, "0", kFrame, kFullHd), (WindowPlacement{10, 20, 656, 519, true}));
  EXPECT_EQ(LoadPlacement(profile, "Numbers", kFrame, kFullHd), (WindowPlacement{30, 40, 216, 139, false}));
  EXPECT_EQ(LoadPlacement(profile, "Text", kFrame, kFullHd), std::nullopt);
}

TEST(PlacementTest, LoadIgnoresOffDesktopAndTwoItemValues) {
  MemoryProfile profile;
  profile.values[{"0", "WinPosition"}] = "100,5000,640,480,0";
  profile.values[{"Numbers", "WinPosition"}] = "100,200";
  profile.values[{"Text", "WinPosition"}] = "100,200";
  for (const char* section : {"0", "Numbers", "Text"}) {
    EXPECT_EQ(LoadPlacement(profile, section, kFrame, kFullHd), std::nullopt) << section;
  }
  EXPECT_TRUE(profile.writes.empty());
}

}  // namespace
}  // namespace zv
