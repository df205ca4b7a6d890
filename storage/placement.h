// Window placements in the settings file: the value under key "WinPosition"
// of a window's section ("0" main window, "Numbers", "Text"), its text form
// "top,left,width,height,maximized" and the check that keeps a window from
// being restored (almost) off the desktop.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "storage/settings.h"

namespace zv {

inline constexpr const char* kMainWindowSection = "0";
inline constexpr const char* kNumbersWindowSection = "Numbers";
inline constexpr const char* kTextWindowSection = "Text";
inline constexpr const char* kPlacementKey = "WinPosition";

// A window's normal (restored) rectangle in desktop pixels, frame included,
// and whether the window is maximized.
struct WindowPlacement {
  int top = 0;
  int left = 0;
  int width = 0;
  int height = 0;
  bool maximized = false;
  bool operator==(const WindowPlacement&) const = default;
};

// Sizes the stored value leaves out: the width of the sizing border on each
// side, its height at top and bottom, and the caption height. The stored
// width is width - 2*frameX, the stored height height - 2*frameY - caption.
struct FrameMetrics {
  int frameX = 0;
  int frameY = 0;
  int caption = 0;
};

// The bounding rectangle of all monitors; right and bottom are exclusive.
struct DesktopRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// At least this many pixels of a restored window lie on the desktop along
// each axis, or its stored placement is ignored.
inline constexpr int kMinPixelsOnDesktop = 20;

// "top,left,width,height,maximized" with the frame taken off, e.g.
// "100,200,640,480,0".
std::string FormatPlacement(const WindowPlacement& placement, const FrameMetrics& frame);

// The inverse of FormatPlacement. Fewer than five items, an item among the
// first five that is not a whole number, or a rectangle without positive
// width and height gives nullopt; items after the fifth are ignored.
std::optional<WindowPlacement> ParsePlacement(std::string_view value, const FrameMetrics& frame);

bool PlacementFitsDesktop(const WindowPlacement& placement, const DesktopRect& desktop);

// Key "WinPosition" of `section`. LoadPlacement gives nullopt, so that the
// window stays where its design puts it, when the value is absent, broken
// or (almost) off the desktop.
void SavePlacement(Profile& profile, const std::string& section, const WindowPlacement& placement,
                   const FrameMetrics& frame);
std::optional<WindowPlacement> LoadPlacement(Profile& profile, const std::string& section,
                                             const FrameMetrics& frame, const DesktopRect& desktop);

}  // namespace zv
