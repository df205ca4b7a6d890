// Window placement values: text form, desktop check, and their storage under
// "WinPosition".
#include "storage/placement.h"

#include <cstdint>
#include <limits>

namespace zv {

namespace {

constexpr int kPlacementItems = 5;  // top, left, width, height, maximized

// Sums of stored items and frame sizes are formed in 64 bits, so that a
// damaged value such as "0,2147483647,..." cannot overflow.
std::optional<int> ToInt(std::int64_t value) {
  if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) {
    return std::nullopt;
  }
  return static_cast<int>(value);
}

}  // namespace

std::string FormatPlacement(const WindowPlacement& placement, const FrameMetrics& frame) {
  std::int64_t width = std::int64_t{placement.width} - 2 * std::int64_t{frame.frameX};
  std::int64_t height = std::int64_t{placement.height} - 2 * std::int64_t{frame.frameY} - frame.caption;
  return std::to_string(placement.top) + "," + std::to_string(placement.left) + "," + std::to_string(width) +
         "," + std::to_string(height) + "," + (placement.maximized ? "1" : "0");
}

std::optional<WindowPlacement> ParsePlacement(std::string_view value, const FrameMetrics& frame) {
  int items[kPlacementItems];
  for (int i = 0; i < kPlacementItems; ++i) {
    std::size_t comma = value.find(',');
    std::optional<int> item = ParseWholeNumber(value.substr(0, comma));
    if (!item) return std::nullopt;
    items[i] = *item;
    if (comma == std::string_view::npos) {
      if (i + 1 < kPlacementItems) return std::nullopt;
      break;
    }
    value.remove_prefix(comma + 1);
  }
  std::optional<int> width = ToInt(std::int64_t{items[2]} + 2 * std::int64_t{frame.frameX});
  std::optional<int> height = ToInt(std::int64_t{items[3]} + 2 * std::int64_t{frame.frameY} + frame.caption);
  if (!width || !height || *width <= 0 || *height <= 0) return std::nullopt;
  return WindowPlacement{items[0], items[1], *width, *height, items[4] != 0};
}

bool PlacementFitsDesktop(const WindowPlacement& placement, const DesktopRect& desktop) {
  const std::int64_t left = placement.left;
  const std::int64_t top = placement.top;
  if (left + kMinPixelsOnDesktop > desktop.right) return false;
  if (left + placement.width < std::int64_t{desktop.left} + kMinPixelsOnDesktop) return false;
  if (top + kMinPixelsOnDesktop > desktop.bottom) return false;
  if (top + placement.height < std::int64_t{desktop.top} + kMinPixelsOnDesktop) return false;
  return true;
}

void SavePlacement(Profile& profile, const std::string& section, const WindowPlacement& placement,
                   const FrameMetrics& frame) {
  profile.Write(section, kPlacementKey, FormatPlacement(placement, frame));
}

std::optional<WindowPlacement> LoadPlacement(Profile& profile, const std::string& section,
                                             const FrameMetrics& frame, const DesktopRect& desktop) {
  std::optional<WindowPlacement> placement = ParsePlacement(profile.Read(section, kPlacementKey, ""), frame);
  if (!placement || !PlacementFitsDesktop(*placement, desktop)) return std::nullopt;
  return placement;
}

}  // namespace zv
